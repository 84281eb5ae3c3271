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
    QString cells; // separated by '|'
    const char *layout;
    int fieldCount = -1; // the number of cells unless given
};

TEST(CsvLayout, FromTheFirstRowThatIsNotBlank)
{
    const LayoutCase cases[] = {
        // The name by its heading, beside the point number and the elevation.
        { u"点No|測点|X|Y|H"_s, "header: name 1, number 0, x 2, y 3, elevation 4" },
        { u"筆界点名|ID|X座標値|Y座標値|標高"_s,
            "header: name 0, number 1, x 2, y 3, elevation 4" },
        { u"北距|東距|杭番号|点NO"_s, "header: name 2, number 3, x 0, y 1" },
        { u"境界点名|杭名|点番名|X|Y"_s, "header: name 0, x 3, y 4" },
        { u"Station|Point Name|X(m)|Y(m)"_s, "header: name 0, x 2, y 3" },
        // A name heading wins over a column nobody claims, wherever it stands.
        { u"コード|Z|x座標|基準点名|Y座標"_s, "header: name 3, x 2, y 4, elevation 1" },
        { u"区画|X|Y|label"_s, "header: name 3, x 1, y 2" },
        { u"No.|X|Y|marker"_s, "header: name 3, number 0, x 1, y 2" },
        // Else the leftmost column left of X that no heading names.
        { u"区画|地番|X|Y"_s, "header: name 0, x 2, y 3" },
        { u"No.|標高|コード|X|Y|楕円体高|lat|lon"_s,
            "header: name 2, number 0, x 3, y 4, elevation 1" },
        // Else the point number: remarks and the like are never the name.
        { u"No.|X|Y|H|備考"_s, "header: name 0, number 0, x 1, y 2, elevation 3" },
        { u"種別|等級|埋標|標識|摘要|ID|X|Y"_s, "header: name 5, number 5, x 6, y 7" },
        { u"Code|Type|Note|Remarks|Description|メモ|記事|点番号|X|Y"_s,
            "header: name 7, number 7, x 8, y 9" },
        // Else there is no name; blank cells and columns right of X are none.
        { u"X|Y|Z"_s, "header: x 0, y 1, elevation 2" },
        { u"| |X|Y|コード"_s, "header: x 2, y 3" },
        // The trailing comma Excel pads a row with is no column.
        { u"点番|X|Y|標高|"_s, "header: name 0, number 0, x 1, y 2, elevation 3" },
        // Compatibility forms: full width, units in brackets, any case, blanks.
        { u"Ｘ（ｍ）|Ｙ（ｍ）|ＮＡＭＥ"_s, "header: name 2, x 0, y 1" },
        { u"x 座標 [m]|Ｙ　座標（ｍ）|点名|平面直角座標系"_s, "header: name 2, x 0, y 1, zone 3" },
        // Latitude and longitude without X and Y; half a header is none.
        { u"点名|北緯|東経"_s, "fault 8" },
        { u"Name|Lat|Lng|x|y"_s, "header: name 0, x 3, y 4" },
        { u"Name|lat|X"_s, "neither" },
        // Without a header, a point by its width, a title otherwise.
        { u"A|1|2"_s, "data: name 0, x 1, y 2" },
        { u"A|12,345.678|\u22121.5E-3|9"_s, "data: name 0, x 1, y 2, elevation 3" },
        { u"7|A|1|2|9"_s, "data: name 1, number 0, x 2, y 3, elevation 4" },
        { u"7|A|１|12345678901234|"_s, "data: name 1, number 0, x 2, y 3, elevation 4" },
        { u"A|1|2||"_s, "data: name 0, x 1, y 2" },
        { u"A|1|2"_s, "neither", 30000 },
        { u"A|x|2"_s, "neither" },
        { u"A|1"_s, "neither" },
        { u"基準点成果表"_s, "neither" },
        { u"基準点成果表||令和6年4月1日"_s, "neither" },
    };
    for (const LayoutCase &c : cases) {
        const QStringList cells = c.cells.split(u'|');
        const int fields = c.fieldCount < 0 ? int(cells.size()) : c.fieldCount;
        EXPECT_EQ(describe(csvLayout(cells, fields)), c.layout) << c.cells.toStdString();
    }
}

TEST(CsvLayout, ZoneCellsInEveryFormTheyAreWritten)
{
    const std::pair<QString, int> cases[]
        = { { u"9"_s, 9 }, { u"９"_s, 9 }, { u"IX"_s, 9 }, { u"Ⅸ"_s, 9 }, { u"第９系"_s, 9 },
              { u" 第 Ⅸ 系 "_s, 9 }, { u"ⅩⅠ系"_s, 11 }, { u"Ⅺ系"_s, 11 }, { u"Ⅻ"_s, 12 },
              { u"xiii系"_s, 13 }, { u"ⅩⅨ系"_s, 19 }, { u"19"_s, 19 }, { u"20"_s, 0 },
              { u"0"_s, 0 }, { u"+9"_s, 0 }, { u"0x9"_s, 0 }, { u"XX"_s, 0 }, { u""_s, 0 } };
    for (const auto &[cell, zone] : cases)
        EXPECT_EQ(csvZone(cell), zone) << cell.toStdString();
}

} // namespace
