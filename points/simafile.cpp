#include "simafile.h"

#include "failure.h"
#include "simawriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace tavorin {

namespace {

int readFailureBeforeOpening(const QFileInfo &info)
{
    if (!info.exists())
        return info.absoluteDir().exists() ? FailureNumber::FileNotFound
                                           : FailureNumber::PathNotFound;
    // A folder, a pipe or a device is no file to read: a pipe or a device
    // could also keep the reading waiting or running for ever.
    if (!info.isFile())
        return FailureNumber::PathFileAccessError;
    if (!info.isReadable())
        return FailureNumber::PermissionDenied;
    return 0;
}

int writeFailureBeforeOpening(const QFileInfo &info)
{
    const QFileInfo folder(info.absolutePath());
    if (!folder.isDir())
        return FailureNumber::PathNotFound;
    if (info.exists() && !info.isFile())
        return FailureNumber::PathFileAccessError;
    if ((info.exists() && !info.isWritable()) || !folder.isWritable())
        return FailureNumber::PermissionDenied;
    return 0;
}

} // namespace

Result<SimaReading> loadSimaFile(const QString &path)
{
    const QFileInfo info(path);
    if (const int failure = readFailureBeforeOpening(info))
        return Failure { failure };
    QFile file(info.absoluteFilePath());
    if (!file.open(QIODevice::ReadOnly))
        return Failure { file.error() == QFileDevice::PermissionsError
                ? FailureNumber::PermissionDenied
                : FailureNumber::PathFileAccessError };
    return readSima(file);
}

int writeFailureNumber(QFileDevice::FileError error)
{
    switch (error) {
    case QFileDevice::ResourceError:
        return FailureNumber::DiskFull;
    case QFileDevice::PermissionsError:
        return FailureNumber::PermissionDenied;
    case QFileDevice::OpenError:
    case QFileDevice::RenameError:
    case QFileDevice::CopyError:
    case QFileDevice::RemoveError:
        return FailureNumber::PathFileAccessError;
    default:
        return FailureNumber::DeviceIoError;
    }
}

Result<void> saveSimaFile(const QString &path, const QStringList &lines)
{
    const QFileInfo info(path);
    if (const int failure = writeFailureBeforeOpening(info))
        return Failure { failure };
    QSaveFile file(info.absoluteFilePath());
    if (!file.open(QIODevice::WriteOnly))
        return Failure { writeFailureNumber(
            file.error() == QFileDevice::WriteError ? QFileDevice::OpenError : file.error()) };
    if (!writeSima(lines, file)) {
        const int failure = writeFailureNumber(file.error());
        file.cancelWriting();
        return Failure { failure };
    }
    if (!file.commit())
        return Failure { writeFailureNumber(file.error()) };
    return {};
}

} // namespace tavorin
