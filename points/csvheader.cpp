#include "csvheader.h"

#include "csvnumber.h"

#include <algorithm>
#include <array>

namespace tavorin {

namespace {

// What a header cell names. Number and Elevation go to the records; the
// other kinds the reader knows only so as not to take them for the name
// column, and to tell a file of latitudes and longitudes.
enum class Column {
    Name,
    X,
    Y,
    Zone,
    Number,
    Elevation,
    Height, // ellipsoidal: no elevation for a SIMA record
    Latitude,
    Longitude,
    Note,
    Unknown,
    Blank,
};
constexpr int KnownKinds = int(Column::Unknown);

// Unicode's compatibility forms (full width as half width, "Ⅻ" as "XII",
// the ideographic space as a space), case folded, without blanks.
QString folded(QStringView cell)
{
    QString key = cell.toString().normalized(QString::NormalizationForm_KC);
    key.removeIf([](QChar c) { return c.isSpace(); });
    return key.toCaseFolded();
}

// A header cell as it is compared: folded, and without a unit in brackets
// or parentheses at its end ("X座標（ｍ）" is "x座標").
QString headerKey(QStringView cell)
{
    QString key = folded(cell);
    if (key.endsWith(u')') || key.endsWith(u']')) {
        const qsizetype open = key.lastIndexOf(key.back() == u')' ? u'(' : u'[');
        if (open > 0)
            key.truncate(open);
    }
    return key;
}

Column headerColumn(QStringView cell)
{
    struct Names
    {
        Column column;
        std::initializer_list<QStringView> names;
    };
    static const Names known[] = {
        { Column::Name,
            { u"点名", u"測点名", u"基準点名", u"点名称", u"名称", u"名前", u"測点", u"杭名",
                u"杭番号", u"境界点名", u"筆界点名", u"点番名", u"name", u"point", u"pointname",
                u"label", u"marker", u"station" } },
        { Column::X, { u"x", u"x座標", u"x座標値", u"北距" } },
        { Column::Y, { u"y", u"y座標", u"y座標値", u"東距" } },
        { Column::Zone, { u"系", u"座標系", u"平面直角座標系" } },
        { Column::Number,
            { u"点番", u"点番号", u"番号", u"no", u"no.", u"点no", u"点no.", u"id" } },
        { Column::Elevation, { u"z", u"h", u"標高" } },
        { Column::Height, { u"楕円体高" } },
        { Column::Latitude, { u"緯度", u"北緯", u"lat", u"latitude" } },
        { Column::Longitude, { u"経度", u"東経", u"lon", u"lng", u"longitude" } },
        { Column::Note,
            { u"備考", u"摘要", u"メモ", u"記事", u"種別", u"等級", u"埋標", u"標識", u"note",
                u"remarks", u"description", u"code", u"type" } },
    };
    const QString key = headerKey(cell);
    if (key.isEmpty())
        return Column::Blank;
    for (const auto &[column, names] : known) {
        if (std::find(names.begin(), names.end(), QStringView(key)) != names.end())
            return column;
    }
    return Column::Unknown;
}

bool isBlankCell(const QString &cell)
{
    return cell.trimmed().isEmpty();
}

bool isNumber(const QStringList &cells, int column)
{
    return column < cells.size()
        && csvnumber::plainNumber(cells[column]).fault != csvnumber::Fault::NotANumber;
}

// The columns of a row without a header of fieldCount fields.
CsvColumns headerlessColumns(int fieldCount)
{
    if (fieldCount < 5)
        return { .name = 0, .x = 1, .y = 2, .elevation = fieldCount == 4 ? 3 : -1 };
    return { .name = 1, .number = 0, .x = 2, .y = 3, .elevation = 4 };
}

} // namespace

CsvLayout csvLayout(const QStringList &cells, int fieldCount)
{
    std::array<int, KnownKinds> first;
    first.fill(-1);
    int unknown = -1;
    for (int i = 0; i < int(cells.size()); ++i) {
        const Column column = headerColumn(cells[i]);
        if (column == Column::Unknown) {
            if (unknown < 0)
                unknown = i;
        } else if (column != Column::Blank && first[std::size_t(column)] < 0) {
            first[std::size_t(column)] = i;
        }
    }
    const auto at = [&first](Column column) { return first[std::size_t(column)]; };

    if (at(Column::X) >= 0 && at(Column::Y) >= 0) {
        CsvColumns columns { .number = at(Column::Number),
            .x = at(Column::X),
            .y = at(Column::Y),
            .elevation = at(Column::Elevation),
            .zone = at(Column::Zone) };
        if (at(Column::Name) >= 0)
            columns.name = at(Column::Name);
        else if (unknown >= 0 && unknown < columns.x)
            columns.name = unknown;
        else
            columns.name = columns.number;
        return { CsvLayout::Row::Header, columns };
    }
    if (at(Column::Latitude) >= 0 && at(Column::Longitude) >= 0)
        return { CsvLayout::Row::Neither, {}, CsvFault::LatitudeLongitude };

    // A point: by the row's width, else by its width up to its last cell
    // that is not blank.
    int filled = fieldCount;
    if (fieldCount <= cells.size()) {
        while (filled > 0 && isBlankCell(cells[filled - 1]))
            --filled;
    }
    for (const int width : { fieldCount, filled }) {
        if (width < 3)
            break;
        const CsvColumns columns = headerlessColumns(width);
        if (isNumber(cells, columns.x) && isNumber(cells, columns.y))
            return { CsvLayout::Row::Data, columns };
    }
    return {};
}

int csvZone(QStringView cell)
{
    QString text = folded(cell);
    if (text.startsWith(u'第'))
        text.remove(0, 1);
    if (text.endsWith(u'系'))
        text.chop(1);
    bool isNumber = false;
    const int number = text.toInt(&isNumber);
    if (isNumber)
        return number >= 1 && number <= 19 && text.front().isDigit() ? number : 0;
    // Roman numerals, the single characters Ⅰ to Ⅻ already spelt out in
    // letters by the folding.
    static const QStringView roman[] = { u"i", u"ii", u"iii", u"iv", u"v", u"vi", u"vii", u"viii",
        u"ix", u"x", u"xi", u"xii", u"xiii", u"xiv", u"xv", u"xvi", u"xvii", u"xviii", u"xix" };
    const auto found = std::find(std::begin(roman), std::end(roman), QStringView(text));
    return found == std::end(roman) ? 0 : int(found - std::begin(roman)) + 1;
}

} // namespace tavorin
