// Where the points lie: the plane rectangular zone, the map file of the
// SIMA file list's points (書き出し) and the GSI's map at their place
// (地理院地図で開く).
#include "form1.h"

#include "exporting.h"
#include "gsimap.h"
#include "listbox.h"
#include "listline.h"
#include "mappoints.h"
#include "planezones.h"
#include "planwindow.h"
#include "pointtable.h"
#include "userdialogs.h"
#include "windowtext.h"

#include <QActionGroup>
#include <QSettings>

namespace tavorin {

namespace {

// The zone is remembered in an INI file of the user's on every platform
// (~/.config/Tavorin/tavorin.ini, %APPDATA%\Tavorin\tavorin.ini): reading
// it creates nothing, where merely reading the registry would leave a key
// behind after uninstalling. Only the features that came with the map are
// remembered; the port never is.
const QString ZoneKey = QStringLiteral("map/zone");

struct RememberedSettings : QSettings
{
    RememberedSettings()
        : QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Tavorin"),
            QStringLiteral("tavorin"))
    {
    }
};

} // namespace

void Form1::showZone()
{
    // At start, the zone of the last run; a stored value that is no zone is
    // none.
    const int remembered = RememberedSettings().value(ZoneKey).toInt();
    m_zone = geodesy::zone(remembered) ? remembered : 0;
    for (QAction *a : m_zoneActions->actions())
        a->setChecked(a->objectName() == QStringLiteral("Zone%1").arg(m_zone));
}

void Form1::chooseZone(int zone)
{
    if (!geodesy::zone(zone))
        return;
    m_zone = zone;
    RememberedSettings().setValue(ZoneKey, zone);
    for (QAction *a : m_zoneActions->actions())
        a->setChecked(a->objectName() == QStringLiteral("Zone%1").arg(zone));
    if (m_planWindow)
        m_planWindow->setZone(zone);
}

void Form1::showMessage(const QString &prompt)
{
    m_dialogs.messageBox(
        this, prompt, WindowText::MessageTitle, MessageIcon::Information, MessageButtons::Ok);
}

QStringList Form1::list1Lines() const
{
    QStringList lines;
    const int count = std::min(List1->listCount(), PointTable::Size);
    lines.reserve(count);
    for (int p = 0; p < count; ++p)
        lines.append(ListLine::form(m_table.at(p)));
    return lines;
}

void Form1::MapExport_Click()
{
    if (m_zone == 0) {
        showMessage(WindowText::ZoneNeeded);
        return;
    }
    const ExportJob job { list1Lines(), { m_zone } };
    if (mapPoints(job.lines, m_zone).isEmpty()) {
        showMessage(WindowText::NoPointsToPlace);
        return;
    }
    CommonDialog1.Filter = WindowText::ExportFilter;
    CommonDialog1.DefaultExt = WindowText::ExportDefaultExtension;
    if (!CommonDialog1.ShowSave())
        return;
    CurrentFilePath = CommonDialog1.FileName;
    const ExportFormat *format = exportFormat(CurrentFilePath);
    if (!format || !format->map) {
        showMessage(WindowText::ExportTypeUnknown);
        return;
    }
    if (const Result<void> saved = format->save(CurrentFilePath, job); !saved)
        showFailureMessage(saved.failure());
}

void Form1::GsiMap_Click()
{
    if (m_zone == 0) {
        showMessage(WindowText::ZoneNeeded);
        return;
    }
    const QList<MapPoint> points = mapPoints(list1Lines(), m_zone);
    if (points.isEmpty()) {
        showMessage(WindowText::NoPointsToPlace);
        return;
    }
    if (!m_dialogs.openUrl(gsiMapUrl(points)))
        showError(WindowText::BrowserFailed);
}

} // namespace tavorin
