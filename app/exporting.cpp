#include "exporting.h"

#include "coordinatevalue.h"
#include "csvfile.h"
#include "form1.h"
#include "listline.h"
#include "mapfiles.h"
#include "planezones.h"
#include "planpdf.h"
#include "simafile.h"
#include "windowtext.h"

#include <QFileInfo>

#include <algorithm>

namespace tavorin {

namespace {

qsizetype pointCount(const ExportJob &job)
{
    return job.points.size();
}

qsizetype placedCount(const ExportJob &job)
{
    return placedPointCount(job.points);
}

qsizetype mapPointCount(const ExportJob &job)
{
    return mapPoints(listLines(job.points), job.options.zone).size();
}

Result<void> saveGeoJson(const QString &path, const ExportJob &job)
{
    const int zone = job.options.zone;
    return saveBytes(path, geoJsonBytes(mapPoints(listLines(job.points), zone), zone));
}

Result<void> saveKml(const QString &path, const ExportJob &job)
{
    const int zone = job.options.zone;
    return saveBytes(path, kmlBytes(mapPoints(listLines(job.points), zone), zone));
}

Result<void> saveSima(const QString &path, const ExportJob &job)
{
    return saveSimaFile(path, listLines(job.points));
}

Result<void> saveCsv(const QString &path, const ExportJob &job)
{
    return saveCsvFile(path, listLines(job.points));
}

Result<void> savePdf(const QString &path, const ExportJob &job)
{
    PlanPdfInput input;
    input.points = filePoints(job.points);
    input.title = job.title;
    if (geodesy::zone(job.options.zone))
        input.zone = job.options.zone;
    input.sheet = job.options.sheet;
    if (job.options.scale > 0)
        input.scale = job.options.scale;
    input.date = job.options.date.isValid() ? job.options.date : QDate::currentDate();
    return savePlanPdf(path, input);
}

Result<void> saveDxfFile(const QString &path, const ExportJob &job)
{
    return saveDxf(
        path, filePoints(job.points), { job.options.textHeight, job.options.elevationAsZ });
}

constexpr ExportFormat Formats[] = {
    { u"geojson", true, false, mapPointCount, saveGeoJson },
    { u"kml", true, false, mapPointCount, saveKml },
    { u"sim", false, false, pointCount, saveSima },
    { u"csv", false, false, pointCount, saveCsv },
    { u"pdf", false, true, placedCount, savePdf },
    { u"dxf", false, false, placedCount, saveDxfFile },
};

QString failureText(const QString &path, const QString &message)
{
    return QStringLiteral("tavorin: %1: %2\n").arg(path, message);
}

QString failureNumberText(int failureNumber)
{
    return WindowText::ErrorPromptPrefix + u' ' + QString::number(failureNumber);
}

} // namespace

QStringList listLines(const QList<PointRecord> &points)
{
    QStringList lines;
    lines.reserve(points.size());
    for (const PointRecord &point : points)
        lines.append(ListLine::form(point));
    return lines;
}

FilePoints filePoints(const QList<PointRecord> &points)
{
    FilePoints converted;
    converted.reserve(points.size());
    for (const PointRecord &point : points)
        converted.append({ QString(), point.name, point.x, point.y, QString(), 0 });
    return converted;
}

qsizetype placedPointCount(const QList<PointRecord> &points)
{
    return std::count_if(points.cbegin(), points.cend(), [](const PointRecord &point) {
        return coordinateValue(point.x) && coordinateValue(point.y);
    });
}

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

qint64 fittingScale(const QList<PointRecord> &points, paperplan::Sheet sheet)
{
    PlanPdfInput input;
    input.points = filePoints(points);
    input.sheet = sheet;
    return planScale(input);
}

ExportOutcome runExport(const ExportRequest &request)
{
    const ExportFormat *format = exportFormat(request.outPath);
    if (!format) // the command line refuses such a name before
        return { 1, failureText(request.outPath, WindowText::ExportTypeUnknown) };

    // Read as the window reads; a reading that did not end well writes
    // nothing, where the window would still list the points read before.
    ExportJob job { {}, {}, request.options };
    Form1::FileReading reading = Form1::readFile(request.inPath);
    if (auto *sima = std::get_if<Result<SimaReading>>(&reading)) {
        if (!*sima)
            return { 1, failureText(request.inPath, failureNumberText(sima->failure())) };
        if (!(*sima)->ending)
            return { 1, failureText(request.inPath, failureNumberText((*sima)->ending.failure())) };
        job.points = (*sima)->points;
        job.title = planTitle((*sima)->jobName, request.inPath);
    } else {
        auto &csv = std::get<Result<CsvReading>>(reading);
        if (!csv)
            return { 1, failureText(request.inPath, failureNumberText(csv.failure())) };
        if (csv->fault != CsvFault::None)
            return { 1, failureText(request.inPath, Form1::csvFaultPrompt(*csv)) };
        job.points = csv->points;
        job.title = planTitle(QString(), request.inPath);
        if (job.options.zone == 0 && geodesy::zone(csv->zone))
            job.options.zone = csv->zone;
    }

    if (format->map && job.options.zone == 0)
        return { 1,
            failureText(request.inPath, WindowText::ZoneNeeded + WindowText::ZoneNeededOption) };
    if (format->count(job) == 0)
        return { 1, failureText(request.inPath, WindowText::NoPointsToPlace) };
    if (const Result<void> saved = format->save(request.outPath, job); !saved)
        return { 1, failureText(request.outPath, failureNumberText(saved.failure())) };
    return {};
}

} // namespace tavorin
