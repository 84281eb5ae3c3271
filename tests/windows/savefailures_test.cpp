// How a save fails on Windows: the failure number comes from the Win32 error
// of the call that failed, the old file stays byte for byte and no temporary
// file is left beside it.
#include "csvfile.h"
#include "failure.h"
#include "listline.h"
#include "simafile.h"
#include "systemerror.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <windows.h>

using namespace tavorin;

namespace {

// A CSV file saves as safely, with the same numbers, as a SIMA file: the
// number both give, or the CSV file's negated where they differ.
int save(const QString &path, int points)
{
    const QStringList lines(points, ListLine::form({ "P", "-23795.960", "-32832.251" }));
    const int sima = saveSimaFile(path, lines).failure();
    const int csv = saveCsvFile(path, lines).failure();
    return sima == csv ? sima : -csv;
}

// The failure number, then the old file's bytes and the files in its folder.
std::string saved(int failure, const QString &path)
{
    return std::to_string(failure) + ' ' + test::fileBytes(path).toStdString() + ' '
        + QFileInfo(path).dir().entryList(QDir::Files | QDir::Hidden).join(',').toStdString();
}

TEST(WindowsSaveFailure, EachWin32ErrorHasItsNumber)
{
    using namespace systemerror;
    const std::pair<Code, int> cases[] = { { ERROR_DISK_FULL, 61 }, { ERROR_HANDLE_DISK_FULL, 61 },
        { ERROR_ACCESS_DENIED, 70 }, { ERROR_WRITE_PROTECT, 70 }, { ERROR_SHARING_VIOLATION, 70 },
        { ERROR_LOCK_VIOLATION, 70 }, { ERROR_USER_MAPPED_FILE, 70 }, { ERROR_PATH_NOT_FOUND, 76 },
        { ERROR_FILE_NOT_FOUND, 76 }, { ERROR_INVALID_DRIVE, 76 }, { ERROR_BAD_NETPATH, 76 },
        { ERROR_BAD_NET_NAME, 76 }, { ERROR_INVALID_NAME, 75 }, { ERROR_DIRECTORY, 75 },
        { ERROR_FILENAME_EXCED_RANGE, 75 }, { ERROR_GEN_FAILURE, 57 }, { ERROR_SUCCESS, 57 } };
    for (const auto &[error, number] : cases) {
        EXPECT_EQ(saveFailureNumber(error, failurenumber::DeviceIoError), number) << error;
        EXPECT_EQ(commitFailureNumber(error, failurenumber::DeviceIoError), number) << error;
    }
}

// A spreadsheet that shows the file holds it open without sharing: the new
// file is written beside it but cannot take its name.
TEST(WindowsSaveFailure, AFileHeldOpenByAnotherProgramIsSeventy)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("old.sim");
    test::writeFile(path, "OLD");
    const HANDLE held
        = CreateFileW(reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(path).utf16()),
            GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const int failure = save(path, 1);
    CloseHandle(held);
    EXPECT_EQ(saved(failure, path), "70 OLD old.sim");
}

// Folders on real file systems that the test's caller mounted: a full one and
// a read-only one (tests/windows/run-on-mounts). Not run without them.
TEST(WindowsSaveFailure, AFullDiskIsSixtyOneAndAReadOnlyMediumSeventy)
{
    const QString full = qEnvironmentVariable("TAVORIN_FULL_DISK");
    const QString fullWithRoom = qEnvironmentVariable("TAVORIN_FULL_DISK_WITH_ROOM");
    const QString readOnly = qEnvironmentVariable("TAVORIN_READ_ONLY_DISK");
    if (full.isEmpty() || fullWithRoom.isEmpty() || readOnly.isEmpty())
        GTEST_SKIP() << "run through tests/windows/run-on-mounts";
    // One point stays in the save's buffer until flushed; 2000 points are
    // written at once and end in a short write.
    const auto saveOver
        = [](const QString &path, int points) { return saved(save(path, points), path); };
    EXPECT_EQ(saveOver(full + "/old.sim", 1), "61 OLD CONTENT fill,old.sim");
    EXPECT_EQ(saveOver(fullWithRoom + "/old.sim", 2000), "61 OLD CONTENT fill,old.sim");
    EXPECT_EQ(saveOver(readOnly + "/old.sim", 1), "70 OLD CONTENT old.sim");
    EXPECT_EQ(saveOver(readOnly + "/new.sim", 1), "70 (none) old.sim");
}

} // namespace
