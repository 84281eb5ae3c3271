// Where the points lie and what they become for other programs: the plane
// rectangular zone, the GeoJSON or KML file of the SIMA file list's points (地図用に書き出し),
// the plan on paper (配置図PDF), the DXF file for CAD (DXF書込) and the
// GSI's map at their place (地理院地図で開く).
#include "form1.h"

#include "exporting.h"
#include "gsimap.h"
#include "listbox.h"
#include "mappoints.h"
#include "planezones.h"
#include "plantext.h"
#include "planwindow.h"
#include "pointtable.h"
#include "userdialogs.h"
#include "windowtext.h"

#include <QActionGroup>
#include <QGuiApplication>
#include <QSettings>

#include <algorithm>

namespace tavorin {

namespace {

// The zone is remembered in an INI file of the user's on every platform
// (~/.config/Tavorin/tavorin.ini, %APPDATA%\Tavorin\tavorin.ini): reading
// it creates nothing, where merely reading the registry would leave a key
// behind after uninstalling. Only the features that came with the map are
// remembered; the port never is.
const QString ZoneKey = QStringLiteral("map/zone");
// 配置図PDF's sheet and scale, and DXF書込's text height.
const QString PaperKey = QStringLiteral("paper/paper"); // A4 or A3
const QString OrientationKey = QStringLiteral("paper/orientation"); // portrait or landscape
const QString ScaleKey = QStringLiteral("paper/scale"); // N of 1/N; 0: 自動
const QString DatumKey = QStringLiteral("paper/datum"); // 2024, 2011, 2000, tokyo; none: 記載しない
const QString TextHeightKey = QStringLiteral("dxf/textHeight"); // metres
const QString ElevationAsZKey = QStringLiteral("dxf/elevationAsZ"); // true or false
// The parcel window's choices, which the plan PDF's parcel pages take too.
const QString ParcelFormKey = QStringLiteral("parcel/form"); // xdy: Xn×ΔY; ydx: Yn×ΔX
const QString ParcelRoundingKey = QStringLiteral("parcel/rounding"); // halfUp or cut
const QString ParcelPagesKey = QStringLiteral("parcel/pdfPages"); // true or false

struct RememberedSettings : QSettings
{
    RememberedSettings()
        : QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Tavorin"),
            QStringLiteral("tavorin"))
    {
    }
};

parcels::Options rememberedParcelOptions()
{
    const RememberedSettings settings;
    parcels::Options options;
    if (settings.value(ParcelFormKey).toString() == QStringLiteral("ydx"))
        options.form = parcels::AreaForm::YTimesDeltaX;
    if (settings.value(ParcelRoundingKey).toString() == QStringLiteral("cut"))
        options.rounding = parcels::DistanceRounding::Cut;
    options.pdfPages = settings.value(ParcelPagesKey).toString() != QStringLiteral("false");
    return options;
}

void rememberParcelOptions(const parcels::Options &options)
{
    RememberedSettings settings;
    settings.setValue(ParcelFormKey,
        options.form == parcels::AreaForm::YTimesDeltaX ? QStringLiteral("ydx")
                                                        : QStringLiteral("xdy"));
    settings.setValue(ParcelRoundingKey,
        options.rounding == parcels::DistanceRounding::Cut ? QStringLiteral("cut")
                                                           : QStringLiteral("halfUp"));
    settings.setValue(ParcelPagesKey, options.pdfPages);
}

// The options chosen last; a stored value that none could be is the
// default.
ExportOptions rememberedOptions()
{
    using namespace paperplan;
    const RememberedSettings settings;
    ExportOptions options;
    if (settings.value(PaperKey).toString() == QStringLiteral("A3"))
        options.sheet.paper = Paper::A3;
    if (settings.value(OrientationKey).toString() == QStringLiteral("landscape"))
        options.sheet.orientation = Orientation::Landscape;
    const qint64 scale = settings.value(ScaleKey).toLongLong();
    if (std::ranges::find(Scales, scale) != Scales.end())
        options.scale = scale;
    if (const auto height = ExportOptions::textHeightFrom(settings.value(TextHeightKey).toString()))
        options.textHeight = *height;
    options.elevationAsZ = settings.value(ElevationAsZKey).toString() == QStringLiteral("true");
    options.datum = datumFromKey(settings.value(DatumKey).toString());
    options.parcel = rememberedParcelOptions();
    return options;
}

void rememberOptions(ExportKind kind, const ExportOptions &options)
{
    using namespace paperplan;
    RememberedSettings settings;
    if (kind == ExportKind::Dxf) {
        settings.setValue(TextHeightKey, options.textHeight);
        settings.setValue(ElevationAsZKey, options.elevationAsZ);
        return;
    }
    settings.setValue(
        PaperKey, options.sheet.paper == Paper::A3 ? QStringLiteral("A3") : QStringLiteral("A4"));
    settings.setValue(OrientationKey,
        options.sheet.orientation == Orientation::Landscape ? QStringLiteral("landscape")
                                                            : QStringLiteral("portrait"));
    settings.setValue(ScaleKey, options.scale);
    settings.setValue(DatumKey, datumKey(options.datum));
}

// A save dialog's title that says which zone the file is of: "地図用に書き出し — Ⅸ系".
QString zoneTitle(const QString &caption, int zone)
{
    return caption + plantext::TitleSeparator + geodesy::zoneState(zone);
}

} // namespace

void Form1::showZone()
{
    // Checks the menu's entry of the zone, none while it is unknown, and
    // shows it in the plan.
    const QString checked = m_zone == geodesy::LocalZone ? QStringLiteral("ZoneLocal")
                                                         : QStringLiteral("Zone%1").arg(m_zone);
    for (QAction *a : m_zoneActions->actions())
        a->setChecked(a->objectName() == checked);
    if (m_planWindow)
        m_planWindow->setZone(m_zone);
}

void Form1::setFileZone(int zone)
{
    // The zone belongs to the file: a new one starts with what it says,
    // never with the zone chosen for the file before.
    m_zone = geodesy::zone(zone) || zone == geodesy::LocalZone ? zone : geodesy::UnknownZone;
    showZone();
}

void Form1::chooseZone(int zone)
{
    if (!geodesy::zone(zone) && zone != geodesy::LocalZone)
        return;
    m_zone = zone;
    // The zone chosen is offered first the next time one is asked for.
    if (geodesy::zone(zone))
        RememberedSettings().setValue(ZoneKey, zone);
    showZone();
}

void Form1::connectParcels()
{
    m_planWindow->setParcelOptions(rememberedParcelOptions());
    connect(m_planWindow, &PlanWindow::parcelOptionsChosen, this, &rememberParcelOptions);
    connect(m_planWindow, &PlanWindow::landClassChosen, this,
        [this](int parcel, parcels::LandClass landClass) {
            if (parcel >= 0 && parcel < m_landClasses.size())
                m_landClasses[parcel] = landClass;
        });
}

void Form1::showMessage(const QString &prompt)
{
    m_dialogs.messageBox(
        this, prompt, windowtext::MessageTitle, MessageIcon::Information, MessageButtons::Ok);
}

// The zone a map needs: the file's, else one the user chooses now, as in
// the menu, the zone last chosen offered first; it holds for the file until
// the next is read. False when the user cancels, and, with a message, for
// a file of local coordinates, which no map can place.
bool Form1::zoneForMap()
{
    if (m_zone == geodesy::UnknownZone) {
        QStringList entries;
        for (const geodesy::Zone &z : geodesy::zones())
            entries << geodesy::zoneEntry(z.number);
        entries << geodesy::LocalZoneEntry;
        const int remembered = RememberedSettings().value(ZoneKey).toInt();
        const std::optional<int> chosen = m_dialogs.chooseItem(this, plantext::ZoneCaption,
            windowtext::ZoneNeeded, entries, geodesy::zone(remembered) ? remembered - 1 : -1);
        if (!chosen)
            return false;
        chooseZone(*chosen < geodesy::ZoneCount ? *chosen + 1 : geodesy::LocalZone);
    }
    if (m_zone == geodesy::LocalZone) {
        showMessage(windowtext::LocalZoneNoMap);
        return false;
    }
    return geodesy::zone(m_zone) != nullptr;
}

void Form1::GeoJsonKmlExport_Click()
{
    ExportJob job { m_records, m_listTitle, {}, m_parcels, m_landClasses, m_source };
    job.options.parcel = rememberedParcelOptions();
    if (placedPointCount(job.points) == 0) {
        showMessage(windowtext::NoPointsToPlace);
        return;
    }
    if (!zoneForMap())
        return;
    job.options.zone = m_zone;
    if (mapPoints(job.points, m_zone).isEmpty()) { // none where the zone reaches
        showMessage(windowtext::NoPointsToPlace);
        return;
    }
    CommonDialog1.Filter = windowtext::ExportFilter;
    CommonDialog1.DefaultExt = windowtext::ExportDefaultExtension;
    CommonDialog1.DialogTitle = zoneTitle(plantext::GeoJsonKmlExportCaption, m_zone);
    if (!CommonDialog1.ShowSave())
        return;
    CurrentFilePath = CommonDialog1.FileName;
    const ExportFormat *format = exportFormat(CurrentFilePath);
    if (!format || !format->map) {
        showMessage(windowtext::ExportTypeUnknown);
        return;
    }
    if (const Result<void> saved = format->save(CurrentFilePath, job); !saved)
        showFailureMessage(saved.failure());
    else if (const qsizetype far = pointsBeyondReach(job.points); far > 0)
        showMessage(exporttext::PointsBeyondReach.arg(far));
}

void Form1::PdfExport_Click()
{
    exportWithOptions(ExportKind::PlanPdf);
}

void Form1::DxfExport_Click()
{
    exportWithOptions(ExportKind::Dxf);
}

void Form1::exportWithOptions(ExportKind kind)
{
    const bool pdf = kind == ExportKind::PlanPdf;
    const QString extension
        = pdf ? windowtext::PdfDefaultExtension : windowtext::DxfDefaultExtension;
    const ExportFormat &format = *exportFormat(QStringLiteral("points.") + extension);
    ExportJob job { m_records, m_listTitle, rememberedOptions(), m_parcels, m_landClasses,
        m_source };
    job.options.zone = m_zone;
    if (format.count(job) == 0) {
        showMessage(windowtext::NoPointsToPlace);
        return;
    }
    const PlanFit fit {
        [&job](paperplan::Sheet sheet) { return fittingScale(job.points, sheet); },
        [&job](paperplan::Sheet sheet, qint64 scale) {
            return pointsOffPlan(job.points, sheet, scale);
        },
    };
    const std::optional<ExportOptions> chosen
        = m_dialogs.exportOptions(this, kind, job.options, fit);
    if (!chosen)
        return;
    if (pdf) {
        job.options.sheet = chosen->sheet;
        job.options.scale = chosen->scale;
        // The zone chosen here is the one the plan states; the file's stays.
        job.options.zone = chosen->zone;
        job.options.datum = chosen->datum;
    } else {
        job.options.textHeight = chosen->textHeight;
        job.options.elevationAsZ = chosen->elevationAsZ;
    }
    rememberOptions(kind, job.options);

    // The dialog offers the name last chosen with this file type's extension;
    // a cancel keeps the name as it was.
    const QString remembered = CommonDialog1.FileName;
    CommonDialog1.FileName = CommonDialog::withSuffix(remembered, extension);
    CommonDialog1.Filter = pdf ? windowtext::PdfFilter : windowtext::DxfFilter;
    CommonDialog1.DefaultExt = extension;
    CommonDialog1.DialogTitle = zoneTitle(
        pdf ? plantext::PdfExportCaption : plantext::DxfExportCaption, job.options.zone);
    if (!CommonDialog1.ShowSave()) {
        CommonDialog1.FileName = remembered;
        return;
    }
    CurrentFilePath = CommonDialog1.FileName;
    // A plan of 10001 points takes a moment.
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const Result<void> saved = format.save(CurrentFilePath, job);
    QGuiApplication::restoreOverrideCursor();
    if (!saved)
        showFailureMessage(saved.failure());
}

void Form1::GsiMap_Click()
{
    if (placedPointCount(m_records) == 0) {
        showMessage(windowtext::NoPointsToPlace);
        return;
    }
    if (!zoneForMap())
        return;
    const QList<MapPoint> points = mapPoints(m_records, m_zone);
    if (points.isEmpty()) {
        showMessage(windowtext::NoPointsToPlace);
        return;
    }
    if (!m_dialogs.openUrl(gsiMapUrl(points)))
        showError(windowtext::BrowserFailed);
}

} // namespace tavorin
