#include "simafile.h"

#include "pointfile.h"
#include "simawriter.h"

namespace tavorin {

Result<SimaReading> loadSimaFile(const QString &path)
{
    Result<std::unique_ptr<QFile>> file = pointfile::openToRead(path);
    if (!file)
        return Failure { file.failure() };
    return readSima(**file);
}

Result<void> saveSimaFile(const QString &path, const QStringList &lines)
{
    return pointfile::save(path, [&lines](QIODevice &file) { return writeSima(lines, file); });
}

} // namespace tavorin
