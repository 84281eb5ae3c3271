#include "simafile.h"

#include "pointfile.h"
#include "simawriter.h"

namespace tavorin {

Result<SimaReading> loadSimaFile(const QString &path)
{
    return pointfile::load<SimaReading>(path, readSima);
}

Result<void> saveSimaFile(const QString &path, const QStringList &lines)
{
    return pointfile::save(path, [&lines](QIODevice &file) { return writeSima(lines, file); });
}

} // namespace tavorin
