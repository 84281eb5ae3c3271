#include "systemerror.h"

#include "failure.h"

#include <QDir>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <cerrno>
#endif

namespace tavorin::systemerror {

#ifdef Q_OS_WIN

void clear()
{
    SetLastError(ERROR_SUCCESS);
}

Code last()
{
    return GetLastError();
}

Code openFailure(const QString &folder)
{
    const QString probe = QDir::toNativeSeparators(
        QDir(folder).filePath(QStringLiteral(".tavorin-%1.tmp").arg(GetCurrentProcessId())));
    const HANDLE file = CreateFileW(reinterpret_cast<const wchar_t *>(probe.utf16()),
        GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
        FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return GetLastError();
    CloseHandle(file);
    return ERROR_SUCCESS;
}

int saveFailureNumber(Code err, int otherwise)
{
    switch (err) {
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return failurenumber::DiskFull;
    // A sharing or lock violation is the file held open by another program,
    // such as a spreadsheet showing it.
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_USER_MAPPED_FILE:
        return failurenumber::PermissionDenied;
    // A folder that has gone makes the temporary file beside the target fail
    // with "file not found" as well as "path not found".
    case ERROR_PATH_NOT_FOUND:
    case ERROR_FILE_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
        return failurenumber::PathNotFound;
    case ERROR_INVALID_NAME:
    case ERROR_DIRECTORY:
    case ERROR_FILENAME_EXCED_RANGE:
        return failurenumber::PathFileAccessError;
    default:
        return otherwise;
    }
}

int commitFailureNumber(Code err, int otherwise)
{
    return saveFailureNumber(err, otherwise);
}

#else

void clear()
{
    errno = 0;
}

Code last()
{
    return Code(errno);
}

Code openFailure(const QString &)
{
    return last();
}

int saveFailureNumber(Code err, int otherwise)
{
    switch (int(err)) {
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return failurenumber::DiskFull;
    case EACCES:
    case EPERM:
    case EROFS:
        return failurenumber::PermissionDenied;
    case ENOENT:
    case ENOTDIR:
        return failurenumber::PathNotFound;
    default:
        return otherwise;
    }
}

int commitFailureNumber(Code, int otherwise)
{
    return otherwise;
}

#endif

} // namespace tavorin::systemerror
