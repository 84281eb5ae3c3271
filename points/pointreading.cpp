#include "pointreading.h"

#include "csvfile.h"
#include "pointfile.h"
#include "readingtext.h"
#include "simaparcels.h"
#include "simareader.h"

namespace tavorin {

namespace {

// Why a CSV file cannot be read, with the row where that applies.
QString csvFaultMessage(CsvFault fault, qint64 row)
{
    switch (fault) {
    case CsvFault::QuoteNotClosed:
        return readingtext::CsvQuoteNotClosed.arg(row);
    case CsvFault::TooFewFields:
        return readingtext::CsvTooFewFields.arg(row);
    case CsvFault::NameMissing:
        return readingtext::CsvNameMissing.arg(row);
    case CsvFault::XNotANumber:
        return readingtext::CsvXNotANumber.arg(row);
    case CsvFault::YNotANumber:
        return readingtext::CsvYNotANumber.arg(row);
    case CsvFault::XTooLong:
        return readingtext::CsvXTooLong.arg(row);
    case CsvFault::YTooLong:
        return readingtext::CsvYTooLong.arg(row);
    case CsvFault::LatitudeLongitude:
        return readingtext::CsvLatitudeLongitude;
    case CsvFault::HeaderNotFound:
        return readingtext::CsvHeaderNotFound;
    case CsvFault::None:
        break;
    }
    return {};
}

PointFileReading refused(int failureNumber, QString message = {})
{
    PointFileReading reading;
    reading.ending = PointFileReading::Ending::Refused;
    reading.failureNumber = failureNumber;
    reading.message = std::move(message);
    return reading;
}

PointFileReading fromSima(Result<SimaReading> result)
{
    if (!result)
        return refused(result.failure());
    SimaReading sima = std::move(result).value();
    PointFileReading reading;
    reading.points = std::move(sima.points);
    reading.records = std::move(sima.records);
    reading.jobName = std::move(sima.jobName);
    if (!sima.ending) {
        reading.ending = PointFileReading::Ending::CutShort;
        reading.failureNumber = sima.ending.failure();
    }
    return reading;
}

PointFileReading fromCsv(Result<CsvReading> result)
{
    if (!result)
        return refused(result.failure());
    CsvReading csv = std::move(result).value();
    if (csv.fault != CsvFault::None)
        return refused(0, csvFaultMessage(csv.fault, csv.faultRow));
    PointFileReading reading;
    reading.points = std::move(csv.points);
    reading.records = std::move(csv.records);
    reading.zone = csv.zone;
    return reading;
}

// The parcels of the SIMA file open as file, in a pass of their own over
// its bytes: mapped into memory where the system allows, so that a file of
// any size costs no copy of it.
Parcels readParcels(QFile &file, const FilePoints &records)
{
    const qint64 size = file.size();
    if (size <= 0)
        return {};
    if (const uchar *mapped = file.map(0, size)) {
        Parcels parcels = readSimaParcels(
            QByteArrayView(reinterpret_cast<const char *>(mapped), size), records);
        file.unmap(const_cast<uchar *>(mapped));
        return parcels;
    }
    if (!file.seek(0))
        return {};
    return readSimaParcels(file.readAll(), records);
}

PointFileReading readSimaFile(const QString &path)
{
    // As loadSimaFile reads it, with the same failures, and then the parcels.
    Result<std::unique_ptr<QFile>> file = pointfile::openToRead(path);
    if (!file)
        return refused(file.failure());
    PointFileReading reading = fromSima(readSima(**file));
    if (reading.ending != PointFileReading::Ending::Refused)
        reading.parcels = readParcels(**file, reading.records);
    return reading;
}

} // namespace

PointFileKind pointFileKind(const QString &path)
{
    return isCsvPath(path) ? PointFileKind::Csv : PointFileKind::Sima;
}

PointFileReading readPointFile(const QString &path, PointFileKind kind)
{
    return kind == PointFileKind::Csv ? fromCsv(loadCsvFile(path)) : readSimaFile(path);
}

QString failureText(int failureNumber)
{
    // The number as the window has always shown it, after a blank of its own.
    return readingtext::ErrorPromptPrefix + u' ' + QString::number(failureNumber);
}

QString endingText(const PointFileReading &reading)
{
    if (reading.isComplete())
        return {};
    if (reading.failureNumber != 0)
        return failureText(reading.failureNumber);
    return reading.message;
}

} // namespace tavorin
