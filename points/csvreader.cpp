#include "csvreader.h"

#include "characters.h"
#include "codepage932.h"
#include "fieldbytes.h"
#include "listline.h"
#include "textinput.h"

#include <QIODevice>

#include <algorithm>
#include <array>
#include <optional>

namespace tavorin {

namespace {

using namespace Qt::StringLiterals;

// Of every field only its beginning is kept: a name's first 8 characters lie
// within its first 32 bytes (a character takes at most 4), and a number
// longer than this is no coordinate. A field or line of any length costs no
// more memory than a short one.
constexpr qsizetype KeptBytes = 64;
// The first row's cells kept until it is known whether they are a header:
// point number, name, X, Y and elevation at the most.
constexpr int FirstRowCells = 5;
// The longest header cell read ("平面直角座標系（ｍ）" with blanks in
// UTF-8), and the columns of a sheet.
constexpr qsizetype HeaderCellBytes = 40;
constexpr int SheetColumns = 16384;

using Field = FieldBytes<KeptBytes>;

// Full-width ASCII as half-width, the ideographic space as a space and the
// minus sign U+2212 as a hyphen: Japanese sheets hold both widths.
QString halfWidth(QStringView text)
{
    QString folded = text.toString();
    for (QChar &c : folded) {
        if (c.unicode() >= 0xFF01 && c.unicode() <= 0xFF5E)
            c = QChar(c.unicode() - 0xFEE0);
        else if (c == u'\u3000')
            c = u' ';
        else if (c == u'\u2212')
            c = u'-';
    }
    return folded;
}

// What a header cell names. The reader takes Name, X and Y (and Zone for the
// zone the points lie in); the other kinds it knows only so as not to take
// them for the name column, and to tell a file of latitudes and longitudes.
enum class Column { Name, X, Y, Zone, Number, Elevation, Latitude, Longitude, Other };
constexpr int ColumnKinds = int(Column::Other);

// A header cell as it is compared: half width, no blanks, case folded, and
// without a unit in brackets or parentheses at its end ("X座標（ｍ）" is
// "x座標").
QString headerKey(QStringView cell)
{
    QString key = halfWidth(cell);
    key.removeIf([](QChar c) { return c.isSpace(); });
    key = key.toCaseFolded();
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
            { u"点名", u"測点名", u"基準点名", u"点名称", u"名称", u"名前", u"name", u"point",
                u"pointname", u"label", u"marker", u"station" } },
        { Column::X, { u"x", u"x座標" } },
        { Column::Y, { u"y", u"y座標" } },
        { Column::Zone, { u"系", u"座標系", u"平面直角座標系" } },
        { Column::Number, { u"点番", u"点番号", u"番号", u"no", u"no." } },
        { Column::Elevation, { u"z", u"h", u"標高", u"楕円体高" } },
        { Column::Latitude, { u"緯度", u"北緯", u"lat", u"latitude" } },
        { Column::Longitude, { u"経度", u"東経", u"lon", u"lng", u"longitude" } },
    };
    const QString key = headerKey(cell);
    for (const auto &[column, names] : known) {
        if (std::find(names.begin(), names.end(), QStringView(key)) != names.end())
            return column;
    }
    return Column::Other;
}

// The zone a cell names, 1 to 19, as a number or a Roman numeral, with or
// without 第 before it and 系 after it ("9", "IX", "Ⅸ", "第９系"); 0 for any
// other text.
int zoneNumber(QStringView cell)
{
    QString text = halfWidth(cell);
    text.removeIf([](QChar c) { return c.isSpace(); });
    if (text.startsWith(u'第'))
        text.remove(0, 1);
    if (text.endsWith(u'系'))
        text.chop(1);
    bool isNumber = false;
    const int number = text.toInt(&isNumber);
    if (isNumber)
        return number >= 1 && number <= 19 && text.front().isDigit() ? number : 0;
    // Ⅰ to Ⅻ (and ⅰ to ⅻ) are single characters; XIII and above are letters.
    static const QStringView roman[] = { u"i", u"ii", u"iii", u"iv", u"v", u"vi", u"vii", u"viii",
        u"ix", u"x", u"xi", u"xii", u"xiii", u"xiv", u"xv", u"xvi", u"xvii", u"xviii", u"xix" };
    if (text.size() == 1) {
        const char16_t c = text.front().unicode();
        if (c >= 0x2160 && c <= 0x216B)
            return c - 0x2160 + 1;
        if (c >= 0x2170 && c <= 0x217B)
            return c - 0x2170 + 1;
    }
    text = text.toCaseFolded();
    const auto found = std::find(std::begin(roman), std::end(roman), QStringView(text));
    return found == std::end(roman) ? 0 : int(found - std::begin(roman)) + 1;
}

enum class NumberFault { None, NotANumber, TooLong };

struct PlainNumber
{
    QString text;
    NumberFault fault = NumberFault::None;
};

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Number text as Excel writes it ("-12,345.678", "1.5E+3") as the plain
// decimal text of a SIMA file. Without an exponent the digits stay as
// written; an exponent moves the point. A whole part wider than the 13
// columns of a coordinate is TooLong: cutting it would change the value.
PlainNumber plainNumber(QByteArrayView field)
{
    const QByteArrayView s = field.trimmed();
    const qsizetype n = s.size();
    qsizetype i = 0;
    const bool negative = i < n && s[i] == '-';
    if (i < n && (s[i] == '-' || s[i] == '+'))
        ++i;
    // The whole part, with thousands separators between groups of three.
    QByteArray whole;
    qsizetype group = 0;
    bool grouped = false;
    for (; i < n && (isDigit(s[i]) || s[i] == ','); ++i) {
        if (s[i] == ',') {
            if (whole.isEmpty() || (grouped ? group != 3 : group > 3))
                return { {}, NumberFault::NotANumber };
            grouped = true;
            group = 0;
        } else {
            whole += s[i];
            ++group;
        }
    }
    if (grouped && group != 3)
        return { {}, NumberFault::NotANumber };
    QByteArray fraction;
    const bool point = i < n && s[i] == '.';
    if (point) {
        for (++i; i < n && isDigit(s[i]); ++i)
            fraction += s[i];
    }
    if (whole.isEmpty() && fraction.isEmpty())
        return { {}, NumberFault::NotANumber };
    std::optional<int> exponent;
    if (i < n && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        const bool down = i < n && s[i] == '-';
        if (i < n && (s[i] == '-' || s[i] == '+'))
            ++i;
        if (i == n)
            return { {}, NumberFault::NotANumber };
        int value = 0;
        for (; i < n && isDigit(s[i]); ++i)
            value = std::min(value * 10 + (s[i] - '0'), 9999);
        exponent = down ? -value : value;
    }
    if (i != n)
        return { {}, NumberFault::NotANumber };

    QByteArray text = negative ? "-" : "";
    if (!exponent) {
        text += whole;
        if (point)
            text += '.' + fraction;
    } else {
        // The digits without leading zeros, and where the point falls in them.
        QByteArray digits = whole + fraction;
        qsizetype at = whole.size() + *exponent;
        qsizetype lead = 0;
        while (lead < digits.size() && digits.at(lead) == '0')
            ++lead;
        digits.remove(0, lead);
        at -= lead;
        if (digits.isEmpty())
            return { u"0"_s, NumberFault::None };
        if (at > ListLine::CoordinateWidth)
            return { {}, NumberFault::TooLong };
        if (at <= 0)
            text += "0." + QByteArray(std::min<qsizetype>(-at, KeptBytes), '0') + digits;
        else if (at >= digits.size())
            text += digits + QByteArray(at - digits.size(), '0');
        else
            text += digits.left(at) + '.' + digits.mid(at);
    }
    const qsizetype wholeWidth = text.indexOf('.') < 0 ? text.size() : text.indexOf('.');
    if (wholeWidth > ListLine::CoordinateWidth)
        return { {}, NumberFault::TooLong };
    return { QString::fromLatin1(text), NumberFault::None };
}

// The same for text that is not ASCII: full-width digits and signs count.
PlainNumber plainNumber(const QString &field)
{
    const QString folded = halfWidth(field);
    if (std::any_of(folded.cbegin(), folded.cend(), [](QChar c) { return c.unicode() >= 0x80; }))
        return { {}, NumberFault::NotANumber };
    return plainNumber(QByteArrayView(folded.toLatin1()));
}

// A name as the lists can show and send it: a line break that a quoted cell
// holds becomes a space, as does any other control character.
QString listableName(QString name)
{
    name.replace(u"\r\n"_s, u" "_s);
    for (QChar &c : name) {
        if (c.unicode() < 0x20)
            c = u' ';
    }
    return name;
}

// Most fields need no decoding and no conversion: a number already in plain
// decimals ("-12345.678"), a name of printable ASCII.
bool isPlainDecimal(QByteArrayView bytes)
{
    qsizetype i = !bytes.isEmpty() && bytes.front() == '-' ? 1 : 0;
    const qsizetype digitsFrom = i;
    qsizetype point = -1;
    for (; i < bytes.size(); ++i) {
        if (bytes[i] == '.' && point < 0)
            point = i;
        else if (bytes[i] < '0' || bytes[i] > '9')
            return false;
    }
    const qsizetype wholeWidth = point < 0 ? bytes.size() : point;
    return i - digitsFrom > (point < 0 ? 0 : 1) && wholeWidth <= ListLine::CoordinateWidth;
}

bool isPrintableAscii(QByteArrayView bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char b) { return b >= 0x20 && b < 0x7F; });
}

// The reading, fed the file in chunks of any size. Works on bytes: commas,
// quotes, blanks and line ends are ASCII, and in both code page 932 and
// UTF-8 no byte of a multi-byte character is one of them. Texts are decoded
// once the reading ends, when the encoding is known.
class Parser
{
public:
    bool feed(QByteArrayView chunk)
    {
        chunk = m_encoding.withoutByteOrderMark(chunk);
        const char *at = chunk.data();
        const char *const end = at + chunk.size();
        while (at < end) {
            if (m_done)
                return false;
            if (m_state == State::FieldStart && FieldTextBytes[uchar(*at)] && !isBlank(*at))
                m_state = State::Plain; // the field's first byte starts a run
            if ((m_state == State::Plain || m_state == State::Quoted)
                && m_encoding.betweenCharacters() && FieldTextBytes[uchar(*at)]) {
                const char *const runEnd = fieldTextEnd(at + 1, end);
                keepRun(at, runEnd);
                at = runEnd;
                continue;
            }
            const char byte = *at++;
            m_encoding.add(uchar(byte));
            take(byte);
        }
        return !m_done;
    }

    void finish()
    {
        if (m_done)
            return;
        if (m_state == State::Quoted) {
            stop(CsvFault::QuoteNotClosed, m_row);
            return;
        }
        if (m_fieldIndex > 0 || m_state != State::FieldStart)
            endRow();
        m_done = true;
    }

    void fail(int failure)
    {
        m_failure = failure;
        m_done = true;
    }

    Result<CsvReading> result() const
    {
        if (m_failure == FailureNumber::DeviceIoError)
            return Failure { m_failure };
        const bool utf8 = m_encoding.isUtf8();
        const auto decode = [utf8](QByteArrayView bytes) {
            return utf8 ? QString::fromUtf8(bytes) : cp932::decode(bytes);
        };
        const auto nameText = [&decode](QByteArrayView bytes) {
            return isPrintableAscii(bytes) ? QString::fromLatin1(bytes)
                                           : listableName(decode(bytes));
        };
        const auto number = [&decode](QByteArrayView bytes) {
            if (isPlainDecimal(bytes))
                return PlainNumber { QString::fromLatin1(bytes) };
            return isPrintableAscii(bytes) ? plainNumber(bytes) : plainNumber(decode(bytes));
        };
        CsvReading reading;
        const auto fault = [&reading](CsvFault kind, qint64 row) {
            reading.points.clear();
            reading.fault = kind;
            reading.faultRow = row;
            return reading;
        };
        reading.points.reserve(m_rows.size());
        for (qsizetype i = 0; i < m_rows.size(); ++i) {
            const qint64 row = m_rows.label(i);
            QString name = nameText(m_rows.field(i, 0));
            if (std::all_of(name.cbegin(), name.cend(), [](QChar c) { return c.isSpace(); }))
                return fault(CsvFault::NameMissing, row);
            const PlainNumber x = number(m_rows.field(i, 1));
            if (x.fault != NumberFault::None)
                return fault(
                    x.fault == NumberFault::TooLong ? CsvFault::XTooLong : CsvFault::XNotANumber,
                    row);
            const PlainNumber y = number(m_rows.field(i, 2));
            if (y.fault != NumberFault::None)
                return fault(
                    y.fault == NumberFault::TooLong ? CsvFault::YTooLong : CsvFault::YNotANumber,
                    row);
            reading.points.append({ characters::cut(std::move(name), ListLine::NameWidth),
                characters::cut(x.text, ListLine::CoordinateWidth),
                characters::cut(y.text, ListLine::CoordinateWidth) });
        }
        if (m_fault != CsvFault::None)
            return fault(m_fault, m_faultRow);
        if (m_failure != 0)
            return Failure { m_failure };
        if (m_zone == ZoneCells::Same)
            reading.zone = zoneNumber(decode(m_zoneCell.view()));
        return reading;
    }

private:
    enum class State { FieldStart, Plain, Quoted, QuoteInQuoted };

    void take(char byte)
    {
        const bool lineEnd = byte == '\r' || byte == '\n';
        // The LF of a CR LF: the CR ended the row.
        const bool afterCr = m_afterCr;
        m_afterCr = false;
        switch (m_state) {
        case State::FieldStart:
            if (lineEnd) {
                if (!(afterCr && byte == '\n'))
                    endRow();
                m_afterCr = byte == '\r';
            } else if (byte == ',') {
                endField();
            } else if (byte == '"') {
                m_state = State::Quoted;
            } else if (!isBlank(byte)) {
                m_state = State::Plain;
                keep(byte);
            }
            return;
        case State::Plain:
            if (lineEnd) {
                endRow();
                m_afterCr = byte == '\r';
            } else if (byte == ',') {
                endField();
            } else {
                keep(byte);
            }
            return;
        case State::Quoted:
            if (byte == '"')
                m_state = State::QuoteInQuoted;
            else
                keep(byte);
            return;
        case State::QuoteInQuoted:
            if (byte == '"') {
                // A doubled quote is one quote of the text.
                m_state = State::Quoted;
                keep(byte);
                return;
            }
            // The closing quote: trailing blanks before it stay.
            m_keepBlanksUpTo = m_field.size;
            m_state = State::Plain;
            take(byte);
            return;
        }
    }

    // The index of the field at the current position among the kept ones
    // (name 0, X 1, Y 2, zone 3), or -1 for a field that is not kept.
    int keptIndex() const
    {
        for (int i = 0; i < KeptColumns; ++i) {
            if (m_columns[std::size_t(i)] == m_fieldIndex)
                return i;
        }
        return -1;
    }

    void keepRun(const char *begin, const char *end)
    {
        if (!m_rowHasContent)
            m_rowHasContent = hasText(begin, end);
        const char *const rest = m_field.keep(begin, end, KeptBytes);
        if (!m_fieldCut)
            m_fieldCut = hasText(rest, end);
    }

    void keep(char byte)
    {
        if (!isBlank(byte))
            m_rowHasContent = true;
        if (!m_field.keep(byte, KeptBytes) && !isBlank(byte))
            m_fieldCut = true;
    }

    void endField()
    {
        if (m_state == State::QuoteInQuoted)
            m_keepBlanksUpTo = m_field.size;
        if (!m_fieldCut)
            m_field.dropTrailingBlanks(m_keepBlanksUpTo);
        if (!m_layoutKnown) {
            if (m_fieldIndex < FirstRowCells)
                m_firstRow[std::size_t(m_fieldIndex)] = m_field;
            noteHeaderCell();
        } else if (const int kept = keptIndex(); kept >= 0) {
            m_rowFields[std::size_t(kept)].assign(m_field);
        }
        ++m_fieldIndex;
        m_field.size = 0;
        m_fieldCut = false;
        m_keepBlanksUpTo = 0;
        m_state = State::FieldStart;
    }

    // Notes the column a cell of the first row names, in either encoding:
    // the encoding is known only once the whole file is read.
    void noteHeaderCell()
    {
        // A header has no more columns than a sheet: a first row of millions
        // of cells costs little.
        if (m_fieldIndex >= SheetColumns)
            return;
        Column column = Column::Other;
        if (m_field.size > 0 && m_field.size <= HeaderCellBytes) {
            column = headerColumn(QString::fromUtf8(m_field.view()));
            if (column == Column::Other)
                column = headerColumn(cp932::decode(m_field.view()));
        }
        if (column == Column::Other) {
            if (m_firstOtherColumn < 0)
                m_firstOtherColumn = m_fieldIndex;
        } else if (m_headerColumns[std::size_t(column)] < 0) {
            m_headerColumns[std::size_t(column)] = m_fieldIndex;
        }
    }

    void endRow()
    {
        endField();
        const int fields = m_fieldIndex;
        m_fieldIndex = 0;
        const bool content = m_rowHasContent;
        m_rowHasContent = false;
        const qint64 row = m_row++;
        if (!content)
            return;
        if (!m_layoutKnown) {
            chooseLayout(fields, row);
            if (m_done || m_header)
                return;
            for (int i = 0; i < 3; ++i)
                m_rowFields[std::size_t(i)] = m_firstRow[std::size_t(m_columns[std::size_t(i)])];
        } else if (fields < m_fieldsNeeded) {
            stop(CsvFault::TooFewFields, row);
            return;
        }
        addRow(row);
        for (Field &field : m_rowFields)
            field.size = 0;
    }

    int headerColumnOf(Column column) const { return m_headerColumns[std::size_t(column)]; }

    // A first row that names an X and a Y column is a header: the name is
    // the first column named as one, else the first column the reader does
    // not know, else the point numbers. A first row that names latitude and
    // longitude instead holds no plane coordinates at all. Without a header
    // the first row's number of fields decides.
    void chooseLayout(int fields, qint64 row)
    {
        m_layoutKnown = true;
        m_header = headerColumnOf(Column::X) >= 0 && headerColumnOf(Column::Y) >= 0;
        if (m_header) {
            int name = headerColumnOf(Column::Name);
            if (name < 0)
                name
                    = m_firstOtherColumn >= 0 ? m_firstOtherColumn : headerColumnOf(Column::Number);
            m_columns = { name, headerColumnOf(Column::X), headerColumnOf(Column::Y),
                headerColumnOf(Column::Zone) };
        } else if (headerColumnOf(Column::Latitude) >= 0
            && headerColumnOf(Column::Longitude) >= 0) {
            stop(CsvFault::LatitudeLongitude, row);
            return;
        } else if (fields < 3) {
            stop(CsvFault::TooFewFields, row);
            return;
        } else if (fields < 5) {
            m_columns = { 0, 1, 2, -1 };
        } else {
            m_columns = { 1, 2, 3, -1 };
        }
        // A row must reach its name, X and Y; a zone cell may be missing.
        m_fieldsNeeded = std::max({ m_columns[0], m_columns[1], m_columns[2] }) + 1;
    }

    void addRow(qint64 row)
    {
        if (m_rows.size() == PointTable::Size) {
            fail(FailureNumber::SubscriptOutOfRange);
            return;
        }
        m_rows.add(m_rowFields[0], m_rowFields[1], m_rowFields[2], row);
        noteZone(m_rowFields[3]);
    }

    // Follows whether every row names the same zone, by the bytes of its
    // zone cell: the text is read once the encoding is known.
    void noteZone(const Field &zone)
    {
        if (m_columns[3] < 0 || m_zone == ZoneCells::Differ)
            return;
        if (m_zone == ZoneCells::Same && zone.view() != m_zoneCell.view()) {
            m_zone = ZoneCells::Differ;
        } else if (m_zone == ZoneCells::NoneYet) {
            m_zoneCell.assign(zone);
            m_zone = ZoneCells::Same;
        }
    }

    void stop(CsvFault fault, qint64 row)
    {
        m_fault = fault;
        m_faultRow = row;
        m_done = true;
    }

    bool m_done = false;
    int m_failure = 0;
    CsvFault m_fault = CsvFault::None;
    qint64 m_faultRow = 0;
    EncodingCheck m_encoding;

    State m_state = State::FieldStart;
    bool m_afterCr = false;
    Field m_field;
    bool m_fieldCut = false; // more than the kept bytes, other than blanks, followed
    qsizetype m_keepBlanksUpTo = 0;
    int m_fieldIndex = 0;
    bool m_rowHasContent = false;
    qint64 m_row = 1;

    // The layout, known after the first row that is not blank.
    bool m_layoutKnown = false;
    bool m_header = false;
    std::array<Field, FirstRowCells> m_firstRow {};
    // Where the first row names each kind of column, and its first column
    // of no kind the reader knows; -1 for none.
    std::array<int, ColumnKinds> m_headerColumns = [] {
        std::array<int, ColumnKinds> none;
        none.fill(-1);
        return none;
    }();
    int m_firstOtherColumn = -1;
    // The columns read: name, X, Y and zone; -1 for none.
    static constexpr int KeptColumns = 4;
    std::array<int, KeptColumns> m_columns {};
    int m_fieldsNeeded = 0;

    // The current row's name, X, Y and zone, and the rows kept so far with
    // their row numbers.
    std::array<Field, KeptColumns> m_rowFields {};
    KeptPoints<qint64> m_rows;
    // The zone cell of the first row, while every row since names the same.
    enum class ZoneCells { NoneYet, Same, Differ };
    ZoneCells m_zone = ZoneCells::NoneYet;
    Field m_zoneCell;
};

} // namespace

Result<CsvReading> readCsv(QByteArrayView bytes)
{
    return parseAll<Parser>(bytes);
}

Result<CsvReading> readCsv(QIODevice &device)
{
    return parseAll<Parser>(device);
}

} // namespace tavorin
