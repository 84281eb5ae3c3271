#pragma once

#include "failure.h"

#include <QFile>

#include <functional>
#include <memory>

class QIODevice;

// Opening a point file (SIMA or CSV) to read it, and saving one safely: what
// both kinds of file share, with the failure numbers users know.
namespace tavorin::pointfile {

// Opens the file at path for reading. Fails with 53 no such file, 76 no such
// folder, 75 not a plain file (a folder, a device), 70 not readable.
Result<std::unique_ptr<QFile>> openToRead(const QString &path);

// Reads the file at path with read (readSima, readCsv). Fails as openToRead
// fails, or as read does. The file is closed when this returns.
template <typename Reading>
Result<Reading> load(const QString &path, Result<Reading> (*read)(QIODevice &))
{
    Result<std::unique_ptr<QFile>> file = openToRead(path);
    if (!file)
        return Failure { file.failure() };
    return read(**file);
}

// Saves at path what write writes, through a temporary file beside it that
// takes the name only once complete and on the disk, so that a failure
// leaves what was there untouched and no temporary file behind. write
// returns false when the device took less than it was given. Fails with 76
// no such folder, 70 not writable, 75 not a plain file or not put in place,
// 61 disk full, 57 a write that fails otherwise.
Result<void> save(const QString &path, const std::function<bool(QIODevice &)> &write);

} // namespace tavorin::pointfile
