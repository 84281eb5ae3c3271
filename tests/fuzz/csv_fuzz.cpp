// libFuzzer target: any bytes through the CSV reader, whole and from a
// device, and what was read through the writer and back. Every input must
// end in points with their records, a row that cannot be read (or no header
// found), or failure 9, within the limits.
#include "characters.h"
#include "csvreader.h"
#include "csvwriter.h"
#include "listline.h"

#include <QBuffer>

#include <cstdint>
#include <cstdlib>

using namespace tavorin;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));

    const Result<CsvReading> reading = readCsv(bytes);
    if (!reading && reading.failure() != 9)
        std::abort();
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    const Result<CsvReading> fromDevice = readCsv(buffer);
    if (fromDevice.failure() != reading.failure()
        || (reading
            && (fromDevice->points != reading->points || fromDevice->records != reading->records
                || fromDevice->fault != reading->fault || fromDevice->faultRow != reading->faultRow
                || fromDevice->zone != reading->zone)))
        std::abort();
    if (reading && (reading->zone < 0 || reading->zone > 19))
        std::abort();
    if (!reading)
        return 0;
    const bool rowNamed = reading->fault != CsvFault::HeaderNotFound;
    if (reading->fault != CsvFault::None
        && (!reading->points.isEmpty() || !reading->records.isEmpty()
            || reading->faultRow < (rowNamed ? 1 : 0) || reading->faultRow > qint64(size) + 1
            || (!rowNamed && reading->faultRow != 0)))
        std::abort();
    // Every record is its point before the cut: the same X and Y, the name
    // whole but for the blanks round it, rows in file order.
    if (reading->records.size() != reading->points.size())
        std::abort();
    qint64 lastRow = 0;
    for (qsizetype i = 0; i < reading->points.size(); ++i) {
        const PointRecord &point = reading->points[i];
        const FilePoint &record = reading->records[i];
        if (characters::cut(record.x(), ListLine::CoordinateWidth) != point.x
            || characters::cut(record.y(), ListLine::CoordinateWidth) != point.y
            || !record.name().startsWith(point.name.trimmed())
            || record.name() != record.name().trimmed()
            || (point.name == point.name.trimmed()
                && characters::cut(record.name(), ListLine::NameWidth) != point.name)
            || record.line() <= lastRow || record.line() > qint64(size) + 1)
            std::abort();
        lastRow = record.line();
    }

    QStringList lines;
    for (const PointRecord &point : reading->points) {
        if (characters::count(point.name) > ListLine::NameWidth
            || characters::count(point.x) > ListLine::CoordinateWidth
            || characters::count(point.y) > ListLine::CoordinateWidth || point.name.contains(u'\r')
            || point.name.contains(u'\n'))
            std::abort();
        lines << ListLine::form(point);
    }
    // X and Y read are plain decimals: written and read again they stay.
    const Result<CsvReading> reread = readCsv(csvFileBytes(lines));
    if (!reread || reread->points.size() > lines.size())
        std::abort();
    if (reread->fault != CsvFault::None && reread->fault != CsvFault::NameMissing)
        std::abort();
    for (qsizetype i = 0; i < reread->points.size(); ++i) {
        if (reread->points[i].x != reading->points[i].x
            || reread->points[i].y != reading->points[i].y)
            std::abort();
    }
    return 0;
}
