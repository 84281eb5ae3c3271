#include "csvheader.h"

#include <gtest/gtest.h>

#include <string>

using namespace tavorin;
using namespace Qt::StringLiterals;

namespace {

// A layout as one text: the kind of row and the columns it has, e.g.
// "header: name 1, number 0, x 2, y 3, elevation 4".
std::string describe(const CsvLayout &layout)
{
    if (layout.fault != CsvFault::None)
        return "fault " + std::to_string(int(layout.fault));
    if (layout.row == CsvLayout::Row::Neither)
        return "neither";
    std::string text = layout.row == CsvLayout::Row::Header ? "header:" : "data:";
    const CsvColumns &c = layout.columns;
    const std::pair<const char *, int> columns[] = { { "name", c.name }, { "number", c.number },
        { "x", c.x }, { "y", c.y }, { "elevation", c.elevation }, { "zone", c.zone } };
    const char *separator = " ";
    for (const auto &[what, column] : columns) {
        if (column >= 0) {
            text += separator + std::string(what) + ' ' + std::to_string(column);
            separator = ", ";
        }
    }
    return text;
}

struct LayoutCase
{
    QStringList cells;
    const char *layout;
    int fieldCount = -1; // the number of cells unless given
};

TEST(CsvLayout, FromTheFirstRowThatIsNotBlank)
{
    const LayoutCase cases[] = {
        // The name by its heading, beside the point number and the elevation.
        { { u"点No"_s, u"測点"_s, u"X"_s, u"Y"_s, u"H"_s },
            "header: name 1, number 0, x 2, y 3, elevation 4" },
        { { u"筆界点名"_s, u"ID"_s, u"X座標値"_s, u"Y座標値"_s, u"標高"_s },
            "header: name 0, number 1, x 2, y 3, elevation 4" },
        { { u"北距"_s, u"東距"_s, u"杭番号"_s, u"点NO"_s }, "header: name 2, number 3, x 0, y 1" },
        { { u"境界点名"_s, u"杭名"_s, u"点番名"_s, u"X"_s, u"Y"_s }, "header: name 0, x 3, y 4" },
        { { u"Station"_s, u"Point Name"_s, u"X(m)"_s, u"Y(m)"_s }, "header: name 0, x 2, y 3" },
        // A name heading wins over a column nobody claims, wherever it stands.
        { { u"コード"_s, u"Z"_s, u"x座標"_s, u"基準点名"_s, u"Y座標"_s },
            "header: name 3, x 2, y 4, elevation 1" },
        // Else the leftmost column left of X that no heading names.
        { { u"区画"_s, u"地番"_s, u"X"_s, u"Y"_s }, "header: name 0, x 2, y 3" },
        { { u"No."_s, u"標高"_s, u"コード"_s, u"X"_s, u"Y"_s, u"楕円体高"_s, u"lat"_s, u"lon"_s },
            "header: name 2, number 0, x 3, y 4, elevation 1" },
        // Else the point number: remarks and the like are never the name.
        { { u"No."_s, u"X"_s, u"Y"_s, u"H"_s, u"備考"_s },
            "header: name 0, number 0, x 1, y 2, elevation 3" },
        { { u"種別"_s, u"等級"_s, u"埋標"_s, u"標識"_s, u"摘要"_s, u"ID"_s, u"X"_s, u"Y"_s },
            "header: name 5, number 5, x 6, y 7" },
        { { u"Code"_s, u"Type"_s, u"Note"_s, u"Remarks"_s, u"Description"_s, u"メモ"_s, u"記事"_s,
              u"点番号"_s, u"X"_s, u"Y"_s },
            "header: name 7, number 7, x 8, y 9" },
        // Else there is no name; blank cells and columns right of X are none.
        { { u"X"_s, u"Y"_s, u"Z"_s }, "header: x 0, y 1, elevation 2" },
        { { u""_s, u" "_s, u"X"_s, u"Y"_s, u"コード"_s }, "header: x 2, y 3" },
        // The trailing comma Excel pads a row with is no column.
        { { u"点番"_s, u"X"_s, u"Y"_s, u"標高"_s, u""_s },
            "header: name 0, number 0, x 1, y 2, elevation 3" },
        // Compatibility forms: full width, units in brackets, any case, blanks.
        { { u"Ｘ（ｍ）"_s, u"Ｙ（ｍ）"_s, u"ＮＡＭＥ"_s }, "header: name 2, x 0, y 1" },
        { { u"x 座標 [m]"_s, u"Ｙ　座標（ｍ）"_s, u"点名"_s, u"平面直角座標系"_s },
            "header: name 2, x 0, y 1, zone 3" },
        // Latitude and longitude without X and Y; half a header is none.
        { { u"点名"_s, u"北緯"_s, u"東経"_s }, "fault 8" },
        { { u"Name"_s, u"Lat"_s, u"Lng"_s, u"x"_s, u"y"_s }, "header: name 0, x 3, y 4" },
        { { u"Name"_s, u"lat"_s, u"X"_s }, "neither" },
        // Without a header, a point by its width, a title otherwise.
        { { u"A"_s, u"1"_s, u"2"_s }, "data: name 0, x 1, y 2" },
        { { u"A"_s, u"12,345.678"_s, u"\u22121.5E-3"_s, u"9"_s },
            "data: name 0, x 1, y 2, elevation 3" },
        { { u"7"_s, u"A"_s, u"1"_s, u"2"_s, u"9"_s },
            "data: name 1, number 0, x 2, y 3, elevation 4" },
        { { u"7"_s, u"A"_s, u"１"_s, u"12345678901234"_s, u""_s },
            "data: name 1, number 0, x 2, y 3, elevation 4" },
        { { u"A"_s, u"1"_s, u"2"_s, u""_s, u""_s }, "data: name 0, x 1, y 2" },
        { { u"A"_s, u"1"_s, u"2"_s }, "neither", 30000 },
        { { u"A"_s, u"x"_s, u"2"_s }, "neither" },
        { { u"A"_s, u"1"_s }, "neither" },
        { { u"基準点成果表"_s }, "neither" },
        { { u"基準点成果表"_s, u""_s, u"令和6年4月1日"_s }, "neither" },
    };
    for (const LayoutCase &c : cases) {
        const int fields = c.fieldCount < 0 ? int(c.cells.size()) : c.fieldCount;
        EXPECT_EQ(describe(csvLayout(c.cells, fields)), c.layout)
            << c.cells.join(u',').toStdString();
    }
}

TEST(CsvLayout, ZoneCellsInEveryFormTheyAreWritten)
{
    const std::pair<QString, int> cases[] = {
        { u"9"_s, 9 },
        { u"９"_s, 9 },
        { u"IX"_s, 9 },
        { u"Ⅸ"_s, 9 },
        { u"第９系"_s, 9 },
        { u" 第 Ⅸ 系 "_s, 9 },
        { u"ⅩⅠ系"_s, 11 },
        { u"Ⅺ系"_s, 11 },
        { u"Ⅻ"_s, 12 },
        { u"xiii系"_s, 13 },
        { u"ⅩⅨ系"_s, 19 },
        { u"19"_s, 19 },
        { u"20"_s, 0 },
        { u"0"_s, 0 },
        { u"+9"_s, 0 },
        { u"0x9"_s, 0 },
        { u"XX"_s, 0 },
        { u""_s, 0 },
    };
    for (const auto &[cell, zone] : cases)
        EXPECT_EQ(csvZone(cell), zone) << cell.toStdString();
}

} // namespace
