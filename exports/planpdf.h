#pragma once

#include "failure.h"
#include "filepoint.h"
#include "paperplan.h"
#include "parcel.h"
#include "parcelarea.h"

#include <QDate>
#include <QList>
#include <QString>

#include <optional>

class QPagedPaintDevice;

namespace tavorin {

// What the plan on paper shows.
struct PlanPdfInput
{
    // The points in file order, as their file says them; those without
    // numeric coordinates are in the table but not on the plan.
    FilePoints points;
    QString title; // see planTitle
    // The plane rectangular coordinate system for the footer's zone line:
    // 1 to 19, or geodesy::LocalZone; geodesy::UnknownZone writes none.
    int zone = 0;
    paperplan::Datum datum = paperplan::Datum::Unstated; // stated only when chosen
    paperplan::Sheet sheet;
    // The N of the scale 1/N; none takes paperplan::defaultScale.
    std::optional<qint64> scale;
    QDate date; // the date of making, in the footer
    // The file's parcels, their vertices indexes into points. The good ones
    // whose vertices all have numeric coordinates are drawn on the plan and,
    // with parcel.pdfPages, each given pages of its own; the others are left
    // out. landClasses, where given, is in step with parcels; a parcel
    // without one is 宅地・鉱泉地.
    Parcels parcels;
    QList<parcels::LandClass> landClasses;
    parcels::Options parcel;
    // Where the points come from, as the data's terms ask it to be named
    // (registry::sourceLine): a line of the footer under the zone line on
    // every page; none when empty.
    QString source;
};

// The plan's title: the job name of the SIMA file's G00 record without the
// blanks round it, or, where it has none (and for CSV files), the name of
// the file at path.
QString planTitle(const QString &jobName, const QString &path);

// The footer's zone line: what is known of the coordinates' system and
// nothing else. "座標系 Ⅸ系" for zone 9, "座標系 任意座標" for a local
// grid, nothing for an unknown zone; then the datum where one was chosen,
// "座標系 Ⅸ系　測地系 世界測地系（測地成果2024）".
QString zoneLine(int zone, paperplan::Datum datum = paperplan::Datum::Unstated);

// The datum as the footer and the options dialog name it; empty for
// Unstated.
QString datumName(paperplan::Datum datum);

// The scale the plan is drawn at: input.scale, or the default for the
// extent of its points on its sheet.
qint64 planScale(const PlanPdfInput &input);

// How many points with numeric coordinates the plan page leaves out: those
// whose mark falls outside the frame at planScale, the plan centred on the
// points' extent. The scale taken without one chosen fits them all.
qsizetype pointsOffPlan(const PlanPdfInput &input);

// The number of pages: the plan page, the table pages and the parcels'
// pages.
int planPageCount(const PlanPdfInput &input);

// Draws on device, whose page layout it sets to the input's sheet with no
// margins: the plan page (title, scale, north arrow, coordinate grid,
// points and their whole names, footer with the zone line, the date and
// "1/3" page numbers), then the point table pages (点名, X and Y as written,
// with 点番号 and 標高 where any point has them, in file order, the headings
// on every page; a text wider than its column is set smaller), then for each
// parcel drawn its pages: its number, name and 地積 at the head, its 座標求積表
// (点名, Xn, Yn, the difference and the product of parcel.form, then 倍面積,
// 面積 and 地積) and its 辺長表 (始点, 終点, 辺長, 方向角, and the file's own
// side beside each where it has any, marked ※ where they differ, then 周長);
// a table that runs onto the next page repeats its headings. All text is
// text, in a Japanese font. Needs a QGuiApplication. False when the device
// cannot be painted on or takes no further page.
bool paintPlanPages(QPagedPaintDevice &device, const PlanPdfInput &input);

// Saves the pages of paintPlanPages as a PDF file at path, as safely as a
// SIMA file is saved: the old file stays untouched unless the new one is
// complete on the disk. Fails as pointfile::save fails (76, 70, 75, 61, 57).
Result<void> savePlanPdf(const QString &path, const PlanPdfInput &input);

} // namespace tavorin
