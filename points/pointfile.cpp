#include "pointfile.h"

#include "systemerror.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace tavorin::pointfile {

namespace {

int readFailureBeforeOpening(const QFileInfo &info)
{
    if (!info.exists())
        return info.absoluteDir().exists() ? failurenumber::FileNotFound
                                           : failurenumber::PathNotFound;
    // A folder, a pipe or a device is no file to read: a pipe or a device
    // could also keep the reading waiting or running for ever.
    if (!info.isFile())
        return failurenumber::PathFileAccessError;
    if (!info.isReadable())
        return failurenumber::PermissionDenied;
    return 0;
}

int writeFailureBeforeOpening(const QFileInfo &info)
{
    const QFileInfo folder(info.absolutePath());
    if (!folder.isDir())
        return failurenumber::PathNotFound;
    if (info.exists() && !info.isFile())
        return failurenumber::PathFileAccessError;
    if ((info.exists() && !info.isWritable()) || !folder.isWritable())
        return failurenumber::PermissionDenied;
    return 0;
}

} // namespace

Result<std::unique_ptr<QFile>> openToRead(const QString &path)
{
    const QFileInfo info(path);
    if (const int failure = readFailureBeforeOpening(info))
        return Failure { failure };
    auto file = std::make_unique<QFile>(info.absoluteFilePath());
    if (!file->open(QIODevice::ReadOnly))
        return Failure { file->error() == QFileDevice::PermissionsError
                ? failurenumber::PermissionDenied
                : failurenumber::PathFileAccessError };
    return file;
}

Result<void> save(const QString &path, const std::function<bool(QIODevice &)> &write)
{
    const QFileInfo info(path);
    if (const int failure = writeFailureBeforeOpening(info))
        return Failure { failure };
    QSaveFile file(info.absoluteFilePath());
    systemerror::clear();
    if (!file.open(QIODevice::WriteOnly))
        return Failure { systemerror::saveFailureNumber(
            systemerror::openFailure(info.absolutePath()), failurenumber::PathFileAccessError) };
    // Output smaller than the file's buffer reaches the disk only when it is
    // flushed, and commit() would put a file whose flush failed in place all
    // the same: flush here, so that a write that did not complete is always
    // seen and the old file stays as it was.
    systemerror::clear();
    if (!write(file) || !file.flush()) {
        const int failure
            = systemerror::saveFailureNumber(systemerror::last(), failurenumber::DeviceIoError);
        file.cancelWriting();
        return Failure { failure };
    }
    systemerror::clear();
    if (!file.commit())
        return Failure { systemerror::commitFailureNumber(systemerror::last(),
            file.error() == QFileDevice::RenameError ? failurenumber::PathFileAccessError
                                                     : failurenumber::DeviceIoError) };
    return {};
}

} // namespace tavorin::pointfile
