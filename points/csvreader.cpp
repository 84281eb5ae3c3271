#include "csvreader.h"

#include "characters.h"
#include "codepage932.h"
#include "csvheader.h"
#include "csvnumber.h"
#include "fieldbytes.h"
#include "listline.h"
#include "textinput.h"

#include <QIODevice>
#include <QStringList>
#include <QVarLengthArray>

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <vector>

namespace tavorin {

namespace {

using namespace Qt::StringLiterals;

// How much of a field is kept. A point's name, X and Y are made from a
// field's first 64 bytes, which hold a name's first 8 characters (a
// character takes at most 4 bytes) and any coordinate. The records keep a
// name, point number or elevation to 255 bytes: more than any sheet's cell
// holds in practice, and still a fixed cost. A field or line of any length
// costs no more memory than a short one.
constexpr qsizetype PointBytes = csvnumber::KeptBytes;
constexpr qsizetype RecordBytes = 255;
// The cells of the first rows kept until the layout is known: at most a
// sheet's columns, each cut where no heading reaches; the first five, where
// a row without a header has its point, whole as a record keeps them.
constexpr qsizetype HeaderCellBytes = PointBytes;
constexpr int SheetColumns = 16384;
constexpr int FirstRowCells = 5;
// Title rows may stand above the header, which must come within these rows.
constexpr qint64 HeaderRows = 10;

using Field = FieldBytes<RecordBytes>;

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

// The text without the blanks round it; itself, without a call, when it has
// none, as nearly every cell.
inline QString withoutBlanksRound(const QString &text)
{
    if (text.isEmpty() || (!text.front().isSpace() && !text.back().isSpace()))
        return text;
    return text.trimmed();
}

bool isPrintableAscii(QByteArrayView bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char b) { return b >= 0x20 && b < 0x7F; });
}

// Printable ASCII without the spaces round it: the one blank among those
// characters, so that this is what withoutBlanksRound makes of its text.
QByteArrayView withoutSpacesRound(QByteArrayView bytes)
{
    while (!bytes.isEmpty() && bytes.front() == ' ')
        bytes = bytes.sliced(1);
    while (!bytes.isEmpty() && bytes.back() == ' ')
        bytes.chop(1);
    return bytes;
}

// The first n bytes of bytes, or all of them.
QByteArrayView beginning(QByteArrayView bytes, qsizetype n)
{
    return bytes.first(std::min(n, bytes.size()));
}

// True for a cell that reads as UTF-8 with Japanese in it (see Utf8Check).
bool isUtf8Text(QByteArrayView bytes)
{
    Utf8Check check;
    for (const char byte : bytes)
        check.add(uchar(byte));
    return check.isUtf8Text();
}

// A field kept to its last byte may end in the middle of a character: the
// bytes without that character.
QByteArrayView wholeCharacters(QByteArrayView bytes, bool utf8)
{
    if (bytes.size() < RecordBytes)
        return bytes;
    if (utf8) {
        qsizetype start = bytes.size();
        while (start > 0 && (uchar(bytes[start - 1]) & 0xC0) == 0x80)
            --start;
        if (start == 0)
            return bytes;
        const uchar lead = uchar(bytes[start - 1]);
        const qsizetype length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        return bytes.size() - (start - 1) < length ? bytes.first(start - 1) : bytes;
    }
    qsizetype at = 0;
    while (at < bytes.size())
        at += cp932::isLeadByte(uchar(bytes[at])) ? 2 : 1;
    return at > bytes.size() ? bytes.first(bytes.size() - 1) : bytes;
}

// The fields a row keeps; the first five, in this order, are what
// KeptPoints holds of a point, while the zone is only compared row by row.
enum Kept { KeptName, KeptX, KeptY, KeptNumber, KeptElevation, KeptZone, KeptCount };
constexpr int RecordFields = KeptZone;
// The bytes kept of each.
constexpr std::array<qsizetype, KeptCount> KeptLimits
    = { RecordBytes, PointBytes, PointBytes, RecordBytes, RecordBytes, PointBytes };

// The reading, fed the file in chunks of any size. Works on bytes: commas,
// quotes, blanks and line ends are ASCII, and in both code page 932 and
// UTF-8 no byte of a multi-byte character is one of them. Texts are decoded
// once the reading ends, when the encoding is known; only the cells of the
// rows that decide the layout are decoded as they come.
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
        if (!m_done && !m_layoutKnown && m_titleSeen)
            stop(CsvFault::HeaderNotFound, 0);
        m_done = true;
    }

    void fail(int failure)
    {
        m_failure = failure;
        m_done = true;
    }

    Result<CsvReading> result() const
    {
        if (m_failure == failurenumber::DeviceIoError)
            return Failure { m_failure };
        const bool utf8 = m_encoding.isUtf8();
        const auto decode = [utf8](QByteArrayView bytes) {
            return utf8 ? QString::fromUtf8(bytes) : cp932::decode(bytes);
        };
        const auto nameText = [&decode](QByteArrayView bytes) {
            return isPrintableAscii(bytes) ? QString::fromLatin1(bytes)
                                           : listableName(decode(bytes));
        };
        const auto recordText = [&nameText, utf8](QByteArrayView bytes) {
            return bytes.isEmpty() ? QString()
                                   : withoutBlanksRound(nameText(wholeCharacters(bytes, utf8)));
        };
        const auto number = [&decode](QByteArrayView bytes) {
            if (csvnumber::isPlainDecimal(bytes))
                return csvnumber::PlainNumber { QString::fromLatin1(bytes) };
            return isPrintableAscii(bytes) ? csvnumber::plainNumber(bytes)
                                           : csvnumber::plainNumber(decode(bytes));
        };
        CsvReading reading;
        const auto fault = [&reading](CsvFault kind, qint64 row) {
            reading.points.clear();
            reading.records.clear();
            reading.fault = kind;
            reading.faultRow = row;
            return reading;
        };
        // A record's text as recordText makes it, without a string of its
        // own where the bytes are printable ASCII, as nearly every cell is.
        const auto recordPiece = [&recordText](QByteArrayView bytes, QString &decoded) {
            if (isPrintableAscii(bytes))
                return FilePoint::Text::ascii(withoutSpacesRound(bytes));
            decoded = recordText(bytes);
            return FilePoint::Text(decoded);
        };
        const qsizetype count = m_rows.size();
        reading.records.reserve(count);
        reading.points.reserve(count);
        for (qsizetype i = 0; i < count; ++i) {
            const qint64 row = m_rows.label(i);
            const std::array<QByteArrayView, RecordFields> fields = m_rows.fields(i);
            // The point's name from the bytes it has always been made from,
            // the record's from all that is kept, without the blanks round
            // it. A printable ASCII name is read once, for the record, and
            // the point shares it when the two are the same text.
            const QByteArrayView nameBytes = fields[KeptName];
            const QByteArrayView pointNameBytes = beginning(nameBytes, PointBytes);
            std::array<QString, 5> decoded;
            FilePoint::Text name;
            std::optional<QString> pointName;
            bool blankName = false;
            if (isPrintableAscii(nameBytes)) {
                const QByteArrayView whole = withoutSpacesRound(nameBytes);
                name = FilePoint::Text::ascii(whole);
                if (whole.data() != pointNameBytes.data() || whole.size() != pointNameBytes.size())
                    pointName = QString::fromLatin1(pointNameBytes);
                blankName = withoutSpacesRound(pointNameBytes).isEmpty();
            } else {
                pointName = nameText(pointNameBytes);
                decoded[1] = nameBytes.size() == pointNameBytes.size()
                    ? withoutBlanksRound(*pointName)
                    : recordText(nameBytes);
                name = FilePoint::Text(decoded[1]);
                blankName = std::all_of(
                    pointName->cbegin(), pointName->cend(), [](QChar c) { return c.isSpace(); });
            }
            if (m_namesRequired && blankName)
                return fault(CsvFault::NameMissing, row);
            for (const Kept kept : { KeptX, KeptY }) {
                const QByteArrayView bytes = fields[kept];
                if (csvnumber::isPlainDecimal(bytes))
                    continue;
                csvnumber::PlainNumber plain = number(bytes);
                if (plain.fault == csvnumber::Fault::None) {
                    decoded[std::size_t(kept == KeptX ? 2 : 3)] = std::move(plain.text);
                    continue;
                }
                const bool tooLong = plain.fault == csvnumber::Fault::TooLong;
                if (kept == KeptX)
                    return fault(tooLong ? CsvFault::XTooLong : CsvFault::XNotANumber, row);
                return fault(tooLong ? CsvFault::YTooLong : CsvFault::YNotANumber, row);
            }
            // X and Y: the plain decimal text, the bytes themselves where
            // they are one already.
            const auto coordinate = [&](Kept kept, const QString &text) {
                return text.isNull() ? FilePoint::Text::ascii(fields[kept]) : FilePoint::Text(text);
            };
            reading.records.append(FilePoint(
                { recordPiece(fields[KeptNumber], decoded[0]), name, coordinate(KeptX, decoded[2]),
                    coordinate(KeptY, decoded[3]), recordPiece(fields[KeptElevation], decoded[4]) },
                row));
            // The point shares the record's texts where they are short
            // enough already.
            const FilePoint &record = reading.records.constLast();
            reading.points.append(
                PointRecord { characters::cut(pointName ? std::move(*pointName) : record.name(),
                                  ListLine::NameWidth),
                    characters::cut(record.x(), ListLine::CoordinateWidth),
                    characters::cut(record.y(), ListLine::CoordinateWidth) });
        }
        if (m_fault != CsvFault::None)
            return fault(m_fault, m_faultRow);
        if (m_failure != 0)
            return Failure { m_failure };
        if (m_zone == ZoneCells::Same)
            reading.zone = csvZone(decode(m_zoneCell.view()));
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

    // Where the field at the current position goes, and how much of it is
    // kept: set once for each field from a table made with the layout.
    void selectField()
    {
        if (!m_layoutKnown) {
            m_target = -1;
            m_limit = m_fieldIndex < FirstRowCells ? RecordBytes : HeaderCellBytes;
            return;
        }
        m_target = m_fieldIndex < m_targets.size() ? m_targets[m_fieldIndex] : -1;
        m_limit = m_target < 0 ? 0 : KeptLimits[std::size_t(m_target)];
    }

    void keepRun(const char *begin, const char *end)
    {
        if (!m_rowHasContent)
            m_rowHasContent = hasText(begin, end);
        const char *const rest = m_field.keep(begin, end, m_limit);
        if (!m_fieldCut)
            m_fieldCut = hasText(rest, end);
    }

    void keep(char byte)
    {
        if (!isBlank(byte))
            m_rowHasContent = true;
        if (!m_field.keep(byte, m_limit) && !isBlank(byte))
            m_fieldCut = true;
    }

    void endField()
    {
        if (m_state == State::QuoteInQuoted)
            m_keepBlanksUpTo = m_field.size;
        if (!m_fieldCut)
            m_field.dropTrailingBlanks(m_keepBlanksUpTo);
        if (!m_layoutKnown)
            keepCell();
        else if (m_target >= 0)
            m_rowFields[std::size_t(m_target)].assign(m_field);
        ++m_fieldIndex;
        m_field.size = 0;
        m_fieldCut = false;
        m_keepBlanksUpTo = 0;
        m_state = State::FieldStart;
        selectField();
    }

    // Keeps a cell of a row that may decide the layout. A row of millions
    // of cells costs no more than a sheet's width of them.
    void keepCell()
    {
        if (m_fieldIndex < FirstRowCells)
            m_firstRow[std::size_t(m_fieldIndex)].assign(m_field);
        if (m_fieldIndex < SheetColumns) {
            const QByteArrayView cell = beginning(m_field.view(), HeaderCellBytes);
            m_cellBytes.append(cell.data(), std::size_t(cell.size()));
            m_cellEnds.push_back(qsizetype(m_cellBytes.size()));
        }
    }

    // The kept cells of the row, decoded each on its own: the file's
    // encoding is known only once the whole file is read.
    QStringList rowCells() const
    {
        QStringList cells;
        cells.reserve(qsizetype(m_cellEnds.size()));
        qsizetype begin = 0;
        for (const qsizetype end : m_cellEnds) {
            const QByteArrayView cell(m_cellBytes.data() + begin, end - begin);
            if (isPrintableAscii(cell))
                cells << QString::fromLatin1(cell);
            else if (m_encoding.isUtf8() || isUtf8Text(cell))
                cells << QString::fromUtf8(cell);
            else
                cells << cp932::decode(cell);
            begin = end;
        }
        return cells;
    }

    void endRow()
    {
        endField();
        const int fields = m_fieldIndex;
        m_fieldIndex = 0;
        const bool content = m_rowHasContent;
        m_rowHasContent = false;
        const qint64 row = m_row++;
        if (!m_layoutKnown) {
            if (content)
                chooseLayout(fields, row);
            m_cellBytes.clear();
            m_cellEnds.clear();
            if (m_layoutKnown) {
                // The cells of the first rows cost nothing from now on.
                m_cellBytes = {};
                m_cellEnds = {};
                if (m_firstRowIsData) {
                    for (int kept = 0; kept < KeptCount; ++kept) {
                        const int column = m_columns[std::size_t(kept)];
                        if (column >= 0)
                            m_rowFields[std::size_t(kept)].assign(m_firstRow[std::size_t(column)]);
                    }
                    addRow(row);
                }
            }
        } else if (content) {
            if (fields < m_fieldsNeeded)
                stop(CsvFault::TooFewFields, row);
            else
                addRow(row);
        }
        for (Field &field : m_rowFields)
            field.size = 0;
        selectField();
    }

    // The first row that is not blank is a header, a point, or a title
    // above the header, which must then come within the first rows; the
    // rows above the header hold no points.
    void chooseLayout(int fields, qint64 row)
    {
        if (m_titleSeen && row > HeaderRows) {
            stop(CsvFault::HeaderNotFound, 0);
            return;
        }
        const CsvLayout layout = csvLayout(rowCells(), fields);
        if (layout.fault != CsvFault::None) {
            stop(layout.fault, row);
            return;
        }
        const bool data = layout.row == CsvLayout::Row::Data && !m_titleSeen;
        if (layout.row != CsvLayout::Row::Header && !data) {
            m_titleSeen = true;
            return;
        }
        const CsvColumns &columns = layout.columns;
        m_layoutKnown = true;
        m_firstRowIsData = data;
        m_namesRequired = columns.name >= 0;
        // A name that is the point number is kept once, as the name.
        m_numberIsName = columns.number >= 0 && columns.number == columns.name;
        m_columns = { columns.name, columns.x, columns.y, m_numberIsName ? -1 : columns.number,
            columns.elevation, columns.zone };
        for (int kept = 0; kept < KeptCount; ++kept) {
            const int column = m_columns[std::size_t(kept)];
            if (column < 0)
                continue;
            if (column >= m_targets.size())
                m_targets.resize(column + 1, -1);
            m_targets[column] = qint8(kept);
        }
        // A row must reach its name, X and Y; the other cells may be missing.
        m_fieldsNeeded = std::max({ columns.name, columns.x, columns.y }) + 1;
    }

    void addRow(qint64 row)
    {
        if (m_rows.size() == PointTable::Size) {
            fail(failurenumber::SubscriptOutOfRange);
            return;
        }
        const auto view = [this](Kept kept) { return m_rowFields[std::size_t(kept)].view(); };
        m_rows.add({ view(KeptName), beginning(view(KeptX), PointBytes),
                       beginning(view(KeptY), PointBytes),
                       view(m_numberIsName ? KeptName : KeptNumber), view(KeptElevation) },
            row);
        noteZone(m_rowFields[KeptZone]);
    }

    // Follows whether every row names the same zone, by the bytes of its
    // zone cell: the text is read once the encoding is known.
    void noteZone(const Field &zone)
    {
        if (m_columns[KeptZone] < 0 || m_zone == ZoneCells::Differ)
            return;
        const QByteArrayView cell = beginning(zone.view(), PointBytes);
        if (m_zone == ZoneCells::Same && cell != m_zoneCell.view()) {
            m_zone = ZoneCells::Differ;
        } else if (m_zone == ZoneCells::NoneYet) {
            m_zoneCell.keep(cell.begin(), cell.end(), PointBytes);
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
    int m_target = -1; // the Kept the current field goes to, or -1
    qsizetype m_limit = RecordBytes; // the bytes kept of the current field
    bool m_rowHasContent = false;
    qint64 m_row = 1;

    // The layout, known after the header or a first row that is a point.
    bool m_layoutKnown = false;
    bool m_titleSeen = false;
    bool m_firstRowIsData = false;
    bool m_namesRequired = false;
    bool m_numberIsName = false;
    // The cells of the row being looked at until then: the first ones
    // whole, all of them as far as a heading goes, one after another.
    std::array<Field, FirstRowCells> m_firstRow {};
    std::string m_cellBytes;
    std::vector<qsizetype> m_cellEnds;
    // The column of each Kept; -1 for none.
    std::array<int, KeptCount> m_columns = { -1, -1, -1, -1, -1, -1 };
    // The Kept of each column up to the last one kept; -1 for none.
    QVarLengthArray<qint8, 8> m_targets;
    int m_fieldsNeeded = 0;

    // The current row's kept fields, and the rows kept so far with their
    // row numbers.
    std::array<Field, KeptCount> m_rowFields {};
    KeptPoints<qint64, RecordFields> m_rows;
    // The zone cell of the first row, while every row since names the same.
    enum class ZoneCells { NoneYet, Same, Differ };
    ZoneCells m_zone = ZoneCells::NoneYet;
    FieldBytes<PointBytes> m_zoneCell;
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
