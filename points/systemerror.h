#pragma once

#include <QString>

namespace tavorin::systemerror {

// The error the system reports for the file call that failed last on this
// thread: errno on POSIX systems, GetLastError() on Windows, where Qt's file
// calls leave errno alone.
using Code = unsigned long;

// Forgets the last error, so that a call that fails without setting one is
// not blamed on an earlier failure.
void clear();
Code last();

// The error of a save's temporary file that could not be made in folder:
// errno as the failed open left it on POSIX systems. On Windows the calls Qt
// makes after the failure overwrite the last error and keep only its text,
// so a file is made there again, the way Qt makes it, for its error.
Code openFailure(const QString &folder);

// The failure number a save reports for the system error err of the call
// that failed: 61 disk full, 70 no permission or the file held by another
// program, 76 no such folder, 75 a name the system refuses (Windows), and
// otherwise the number given.
int saveFailureNumber(Code err, int otherwise);

// The failure number when the complete temporary file cannot take the
// target's name. POSIX systems report the number given: the rename's errno
// says nothing a user can act on beyond "not put in place". Windows tells a
// target held open by another program (70) apart, as saveFailureNumber does.
int commitFailureNumber(Code err, int otherwise);

} // namespace tavorin::systemerror
