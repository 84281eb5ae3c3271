#include "exporting.h"

#include "coordinatevalue.h"
#include "csvwriter.h"
#include "exporttext.h"
#include "mapfiles.h"
#include "mappoints.h"
#include "planezones.h"
#include "planpdf.h"
#include "pointreading.h"
#include "registryfile.h"
#include "simawriter.h"

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
    return mapPoints(job.points, job.options.zone).size();
}

QList<MapParcel> jobMapParcels(const ExportJob &job)
{
    return mapParcels(job.parcels, job.landClasses, job.points, job.options.zone);
}

Result<void> saveGeoJson(const QString &path, const ExportJob &job)
{
    const int zone = job.options.zone;
    return saveBytes(
        path, geoJsonBytes(mapPoints(job.points, zone), zone, jobMapParcels(job), job.source));
}

Result<void> saveKml(const QString &path, const ExportJob &job)
{
    const int zone = job.options.zone;
    return saveBytes(
        path, kmlBytes(mapPoints(job.points, zone), zone, jobMapParcels(job), job.source));
}

Result<void> saveSima(const QString &path, const ExportJob &job)
{
    return saveBytes(path, simaRecordBytes(job.points, job.title, job.parcels, job.source));
}

Result<void> saveCsv(const QString &path, const ExportJob &job)
{
    return saveBytes(path, csvRecordBytes(job.points));
}

PlanPdfInput planInput(const ExportJob &job)
{
    PlanPdfInput input;
    input.points = job.points;
    input.title = job.title;
    input.zone = job.options.zone;
    input.datum = job.options.datum;
    input.sheet = job.options.sheet;
    if (job.options.scale > 0)
        input.scale = job.options.scale;
    input.date = job.options.date.isValid() ? job.options.date : QDate::currentDate();
    input.parcels = job.parcels;
    input.landClasses = job.landClasses;
    input.parcel = job.options.parcel;
    input.source = job.source;
    return input;
}

Result<void> savePdf(const QString &path, const ExportJob &job)
{
    return savePlanPdf(path, planInput(job));
}

QString offPlanNote(const ExportJob &job)
{
    const PlanPdfInput input = planInput(job);
    const qsizetype off = pointsOffPlan(input);
    return off == 0 ? QString() : exporttext::PointsOffPlan.arg(planScale(input)).arg(off);
}

QString beyondReachNote(const ExportJob &job)
{
    QStringList notes;
    if (const qsizetype beyond = pointsBeyondReach(job.points); beyond != 0)
        notes << exporttext::PointsBeyondReach.arg(beyond);
    if (const qsizetype off = parcelsOffMap(job.parcels, job.points, job.options.zone); off != 0)
        notes << exporttext::ParcelsOffMap.arg(off);
    return notes.join(u' ');
}

Result<void> saveDxfFile(const QString &path, const ExportJob &job)
{
    return saveDxf(path, job.points, { job.options.textHeight, job.options.elevationAsZ },
        job.parcels, job.source);
}

constexpr ExportFormat Formats[] = {
    { u"geojson", true, false, mapPointCount, saveGeoJson, beyondReachNote },
    { u"kml", true, false, mapPointCount, saveKml, beyondReachNote },
    { u"sim", false, false, pointCount, saveSima, nullptr },
    { u"csv", false, false, pointCount, saveCsv, nullptr },
    { u"pdf", false, true, placedCount, savePdf, offPlanNote },
    { u"dxf", false, false, placedCount, saveDxfFile, nullptr },
};

QString failureLine(const QString &path, const QString &message)
{
    return QStringLiteral("tavorin: %1: %2\n").arg(path, message);
}

ExportOutcome failed(const QString &path, const QString &message)
{
    return { 1, failureLine(path, message), {} };
}

// What the command line reads from a registry's file: the map asked for, or
// its only one; a file of several without one named writes nothing.
struct MapFileReading
{
    PointFileReading reading;
    QString source;
    int parcelsLeftOut = 0;
};

MapFileReading readMap(const QString &path, const QString &mapName)
{
    registry::MapReading map = registry::readMapFile(path, mapName);
    if (map.reading.ending == PointFileReading::Ending::Refused && mapName.isEmpty()) {
        // Listing reads every map: only when the file has several.
        const registry::MapListing listing = registry::listMaps(path);
        if (listing.maps.size() > 1) {
            QStringList names;
            for (const registry::MapSummary &summary : listing.maps)
                names << summary.mapName;
            map.reading.failureNumber = 0;
            map.reading.message
                = exporttext::SeveralMapsOption.arg(listing.maps.size()).arg(names.join(u'、'));
        } else if (!listing.ok()) { // of several maps, one that cannot be read
            map.reading.failureNumber = listing.failureNumber;
            map.reading.message = listing.message;
        }
    }
    return { std::move(map.reading), registry::sourceLine(map.municipality), map.parcelsLeftOut };
}

} // namespace

std::optional<double> ExportOptions::textHeightFrom(const QString &text)
{
    bool number = false;
    const double metres = text.trimmed().toDouble(&number);
    if (!number || !validTextHeight(metres))
        return std::nullopt;
    return metres;
}

QStringList badParcelLines(const Parcels &parcels)
{
    QStringList lines;
    for (const Parcel &parcel : parcels) {
        if (parcel.isGood())
            continue;
        const QString label = QStringList({ parcel.number, parcel.name }).join(u' ').trimmed();
        lines << exporttext::ParcelLeftOut.arg(label, parcel.fault);
    }
    return lines;
}

qsizetype placedPointCount(const FilePoints &points)
{
    return std::count_if(points.cbegin(), points.cend(), [](const FilePoint &point) {
        return coordinateValue(point.x()) && coordinateValue(point.y());
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

qint64 fittingScale(const FilePoints &points, paperplan::Sheet sheet)
{
    PlanPdfInput input;
    input.points = points;
    input.sheet = sheet;
    return planScale(input);
}

qsizetype pointsOffPlan(const FilePoints &points, paperplan::Sheet sheet, qint64 scale)
{
    PlanPdfInput input;
    input.points = points;
    input.sheet = sheet;
    input.scale = scale;
    return pointsOffPlan(input);
}

ExportOutcome runExport(const ExportRequest &request)
{
    const ExportFormat *format = exportFormat(request.outPath);
    if (!format) // the command line refuses such a name before
        return failed(request.outPath, exporttext::ExportTypeUnknown);

    // Read as the window reads; a reading that did not end well writes
    // nothing, where the window would still list the points read before.
    const bool registryMap = registry::isRegistryPath(request.inPath);
    MapFileReading map;
    if (registryMap)
        map = readMap(request.inPath, request.mapName);
    else
        map.reading = readPointFile(request.inPath);
    PointFileReading &reading = map.reading;
    if (!reading.isComplete())
        return failed(request.inPath, endingText(reading));
    ExportJob job { std::move(reading.records), planTitle(reading.jobName, request.inPath),
        request.options, std::move(reading.parcels), {}, registryMap ? map.source : QString() };
    // A map of 任意座標系 says so; a CSV file's 系 column names 1 to 19 only.
    if (job.options.zone == 0
        && (geodesy::zone(reading.zone) || (registryMap && reading.zone == geodesy::LocalZone)))
        job.options.zone = reading.zone;

    if (format->map && job.options.zone == geodesy::LocalZone)
        return failed(request.inPath, exporttext::LocalZoneNoMap);
    if (format->map && job.options.zone == geodesy::UnknownZone)
        return failed(request.inPath, exporttext::ZoneNeeded + exporttext::ZoneNeededOption);
    if (format->count(job) == 0)
        return failed(request.inPath, exporttext::NoPointsToPlace);
    if (const Result<void> saved = format->save(request.outPath, job); !saved)
        return failed(request.outPath, failureText(saved.failure()));
    QString notes;
    if (map.parcelsLeftOut > 0)
        notes += failureLine(request.inPath, exporttext::MapParcelsLeftOut.arg(map.parcelsLeftOut));
    for (const QString &line : badParcelLines(job.parcels))
        notes += failureLine(request.inPath, line);
    if (const QString note = format->leftOut ? format->leftOut(job) : QString(); !note.isEmpty())
        notes += failureLine(request.outPath, note);
    return { 0, {}, notes };
}

} // namespace tavorin
