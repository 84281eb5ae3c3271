#pragma once

#include "filepoint.h"
#include "parcel.h"

#include <QList>
#include <QString>

#include <optional>

// A parcel's area as the land registry wants it (the 座標求積表), and its
// sides (the 辺長表), computed exactly from the coordinates as written.
namespace tavorin::parcels {

// Which products the 座標求積表 sums: Xn × (Yn+1 − Yn−1), or
// Yn × (Xn+1 − Xn−1).
enum class AreaForm { XTimesDeltaY, YTimesDeltaX };

// The 地目 class that decides how the 地積 is cut: 宅地 and 鉱泉地 keep the
// hundredths of a square metre; other land over 10 m² keeps whole square
// metres.
enum class LandClass { Residential, Other };

// How a side's distance comes to whole millimetres.
enum class DistanceRounding { HalfUp, Cut };

// The choices the parcel window offers, remembered beside the paper
// options; the command line takes these defaults.
struct Options
{
    AreaForm form = AreaForm::XTimesDeltaY;
    DistanceRounding rounding = DistanceRounding::HalfUp;
    bool pdfPages = true; // whether the plan PDF has a 求積表 and 辺長表 page per parcel
};

// One row of the 座標求積表, as printed: texts with no thousands separators.
struct AreaRow
{
    QString name; // the point's whole name
    QString x; // Xn as the file writes it
    QString y; // Yn as the file writes it
    QString difference; // (Yn+1 − Yn−1), or (Xn+1 − Xn−1): 3 decimals
    QString product; // the product: 6 decimals, exact
};

// A parcel's 座標求積表. Values in millionths of a square metre are exact.
struct AreaTable
{
    AreaForm form = AreaForm::XTimesDeltaY;
    QList<AreaRow> rows; // one a vertex, in the ring's order
    QString doubleArea; // 倍面積: |sum|, 6 decimals
    QString area; // 面積: 倍面積 ÷ 2 cut to 6 decimals
    QString registeredArea; // 地積 (registeredAreaText)
    qint64 areaMicro = 0; // 面積 in millionths of a square metre
};

// One row of the 辺長表: the side from one vertex to the next.
struct SideRow
{
    QString from; // whole names
    QString to;
    QString distance; // metres to the millimetre: "9.485"
    QString bearing; // 方向角 from the X axis, clockwise: "340°52′18″"
    std::optional<tavorin::FileSide> fileSide; // the file's own C03, if any
    // Where the file's side differs from the computed one by more than 1 mm
    // or more than 1″.
    bool differs = false;
};

struct SideTable
{
    QList<SideRow> rows; // one a vertex, the last closing the ring
    QString perimeter; // the sum of the printed distances, metres to 1 mm
};

// A coordinate text in whole millimetres ("-23795.96" gives -23795960);
// more decimals are rounded half away from zero. None for no number.
std::optional<qint64> millimetres(QStringView text);

// The parcel's tables; nothing for a bad parcel or one whose vertices'
// coordinates are no numbers.
std::optional<AreaTable> areaTable(const tavorin::Parcel &parcel,
    const tavorin::FilePoints &records, AreaForm form,
    LandClass landClass = LandClass::Residential);
std::optional<SideTable> sideTable(const tavorin::Parcel &parcel,
    const tavorin::FilePoints &records, DistanceRounding rounding = DistanceRounding::HalfUp);

// The parcel's 面積 alone, in millionths of a square metre, as areaTable
// gives it, without the table's texts; none where areaTable gives none.
std::optional<qint64> areaMicro(const tavorin::Parcel &parcel, const tavorin::FilePoints &records);

// The 地積 of an area in millionths of a square metre: cut to 1/100 m²
// ("100.05"), or for LandClass::Other over 10 m² to whole square metres
// ("100").
QString registeredAreaText(qint64 areaMicro, LandClass landClass);

// Japanese names of the choices, for the parcel window and the PDF.
QString landClassName(LandClass landClass); // 宅地・鉱泉地 / その他

} // namespace tavorin::parcels
