#include "exporting.h"

#include "csvfile.h"
#include "form1.h"
#include "listline.h"
#include "mapfiles.h"
#include "planezones.h"
#include "simafile.h"
#include "windowtext.h"

#include <QFileInfo>

namespace tavorin {

namespace {

qsizetype lineCount(const ExportJob &job)
{
    return job.lines.size();
}

qsizetype mapPointCount(const ExportJob &job)
{
    return mapPoints(job.lines, job.options.zone).size();
}

Result<void> saveGeoJson(const QString &path, const ExportJob &job)
{
    return saveBytes(path, geoJsonBytes(mapPoints(job.lines, job.options.zone), job.options.zone));
}

Result<void> saveKml(const QString &path, const ExportJob &job)
{
    return saveBytes(path, kmlBytes(mapPoints(job.lines, job.options.zone), job.options.zone));
}

Result<void> saveSima(const QString &path, const ExportJob &job)
{
    return saveSimaFile(path, job.lines);
}

Result<void> saveCsv(const QString &path, const ExportJob &job)
{
    return saveCsvFile(path, job.lines);
}

constexpr ExportFormat Formats[] = {
    { u"geojson", true, mapPointCount, saveGeoJson },
    { u"kml", true, mapPointCount, saveKml },
    { u"sim", false, lineCount, saveSima },
    { u"csv", false, lineCount, saveCsv },
};

QString failureText(const QString &path, const QString &message)
{
    return QStringLiteral("tavorin: %1: %2\n").arg(path, message);
}

QString failureNumberText(int failureNumber)
{
    return WindowText::ErrorPromptPrefix + u' ' + QString::number(failureNumber);
}

QStringList linesOf(const QList<PointRecord> &points)
{
    QStringList lines;
    lines.reserve(points.size());
    for (const PointRecord &point : points)
        lines.append(ListLine::form(point));
    return lines;
}

} // namespace

std::span<const ExportFormat> exportFormats()
{
    return Formats;
}

const ExportFormat *exportFormat(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix();
    for (const ExportFormat &format : Formats)
        if (suffix.compare(QString::fromUtf16(format.extension), Qt::CaseInsensitive) == 0)
            return &format;
    return nullptr;
}

ExportOutcome runExport(const ExportRequest &request)
{
    const ExportFormat *format = exportFormat(request.outPath);
    if (!format) // the command line refuses such a name before
        return { 1, failureText(request.outPath, WindowText::ExportTypeUnknown) };

    // Read as the window reads; a reading that did not end well writes
    // nothing, where the window would still list the points read before.
    ExportJob job { {}, request.options };
    Form1::FileReading reading = Form1::readFile(request.inPath);
    if (auto *sima = std::get_if<Result<SimaReading>>(&reading)) {
        if (!*sima)
            return { 1, failureText(request.inPath, failureNumberText(sima->failure())) };
        if (!(*sima)->ending)
            return { 1, failureText(request.inPath, failureNumberText((*sima)->ending.failure())) };
        job.lines = linesOf((*sima)->points);
    } else {
        auto &csv = std::get<Result<CsvReading>>(reading);
        if (!csv)
            return { 1, failureText(request.inPath, failureNumberText(csv.failure())) };
        if (csv->fault != CsvFault::None)
            return { 1, failureText(request.inPath, Form1::csvFaultPrompt(*csv)) };
        job.lines = linesOf(csv->points);
        if (job.options.zone == 0 && geodesy::zone(csv->zone))
            job.options.zone = csv->zone;
    }

    if (format->map && job.options.zone == 0)
        return { 1, failureText(request.inPath, WindowText::ZoneNeeded) };
    if (format->count(job) == 0)
        return { 1, failureText(request.inPath, WindowText::NoPointsToPlace) };
    if (const Result<void> saved = format->save(request.outPath, job); !saved)
        return { 1, failureText(request.outPath, failureNumberText(saved.failure())) };
    return {};
}

} // namespace tavorin
