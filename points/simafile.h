#pragma once

#include "simareader.h"

#include <QStringList>

namespace tavorin {

// Reads the SIMA coordinate file at path. A file that cannot be read fails
// with 53 no such file, 76 no such folder, 75 not a plain file (a folder, a
// device), 70 not readable, or as readSima fails. The file is closed when
// this returns.
Result<SimaReading> loadSimaFile(const QString &path);

// Writes lines as a SIMA coordinate file at path, through a temporary file
// beside it that takes the name only once complete, so that a failure leaves
// what was there untouched. Fails with 76 no such folder, 70 not writable,
// 75 not a plain file or not put in place, 61 disk full, 57 a write that
// fails otherwise.
Result<void> saveSimaFile(const QString &path, const QStringList &lines);

} // namespace tavorin
