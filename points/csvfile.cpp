#include "csvfile.h"

#include "csvwriter.h"
#include "pointfile.h"

#include <QFileInfo>

namespace tavorin {

bool isCsvPath(const QString &path)
{
    return QFileInfo(path).suffix().compare(u"csv", Qt::CaseInsensitive) == 0;
}

Result<CsvReading> loadCsvFile(const QString &path)
{
    return pointfile::load<CsvReading>(path, readCsv);
}

Result<void> saveCsvFile(const QString &path, const QStringList &lines)
{
    return pointfile::save(path, [&lines](QIODevice &file) { return writeCsv(lines, file); });
}

} // namespace tavorin
