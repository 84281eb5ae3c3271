#include "simareader.h"

#include "characters.h"
#include "codepage932.h"
#include "failure.h"
#include "fieldbytes.h"
#include "listline.h"
#include "textinput.h"

#include <QIODevice>
#include <QStringList>

#include <algorithm>

namespace tavorin {

namespace {

constexpr char EndOfFileByte = 0x1A;

bool isAscii(QByteArrayView bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char b) { return uchar(b) < 0x80; });
}

// A character takes at most 4 bytes (UTF-8) and at least 1 (a bad byte reads
// as one U+FFFD), so the first n characters of a field always lie within its
// first 4n bytes. The point table's name and coordinates are cut from the
// records, whose fields are kept up to RecordBytes each: a line of any
// length costs no more memory than a short one, and a name of up to 63
// characters (255 single bytes) is kept whole.
constexpr qsizetype BytesPerCharacter = 4;
constexpr qsizetype TagBytes = 8;
constexpr qsizetype RecordBytes = 255;
constexpr qsizetype JobNameBytes = JobNameWidth * BytesPerCharacter;
static_assert(ListLine::CoordinateWidth * BytesPerCharacter <= RecordBytes
    && ListLine::NameWidth * BytesPerCharacter <= RecordBytes && JobNameBytes <= RecordBytes);

using Field = FieldBytes<RecordBytes>;

// A record line as read: the kept bytes of its fields.
struct RawPoint
{
    Field number;
    Field name;
    Field x;
    Field y;
    Field elevation;

    void clear() { number.size = name.size = x.size = y.size = elevation.size = 0; }
};

// The reading itself, fed the file in chunks of any size. Works on bytes:
// the markers and separators are ASCII, and in both code page 932 and UTF-8
// no byte of a multi-byte character is a comma, quote, blank, line end or
// 0x1A. Texts are decoded once the reading ends, when the encoding is known.
class Parser
{
public:
    // Reads chunk; returns false once the reading has ended.
    bool feed(QByteArrayView chunk)
    {
        chunk = m_encoding.withoutByteOrderMark(chunk);
        const char *at = chunk.data();
        const char *const end = at + chunk.size();
        while (at < end) {
            if (m_done)
                return false;
            if (m_fieldState != FieldState::AfterQuote && m_encoding.betweenCharacters()
                && FieldTextBytes[uchar(*at)]) {
                if (m_fieldState == FieldState::Start) {
                    // Blanks before a field are nothing; its first other
                    // byte starts it.
                    while (at < end && isBlank(*at))
                        ++at;
                    if (at == end || !FieldTextBytes[uchar(*at)])
                        continue;
                    m_lineHasContent = true;
                    m_fieldState = FieldState::Plain;
                    m_fieldHasContent = true;
                }
                m_afterCr = false;
                const char *const runEnd = fieldTextEnd(at + 1, end);
                keepRun(at, runEnd);
                at = runEnd;
                continue;
            }
            const char byte = *at++;
            if (byte == EndOfFileByte) {
                finish();
                return false;
            }
            m_encoding.add(uchar(byte));
            take(byte);
        }
        return !m_done;
    }

    // The end of the input: ends the reading if nothing else did.
    void finish()
    {
        if (m_done)
            return;
        if (m_phase == Phase::Records && m_lineHasContent) {
            // A last line without a line end: fields that the end cuts off
            // are missing, not empty. It counts if it reached its Y field.
            const int fieldsRead = m_fieldIndex + (m_fieldHasContent ? 1 : 0);
            endField();
            if (m_tagIsEnd) {
                end(0);
                return;
            }
            if (fieldsRead >= 5 && !addPoint())
                return;
        }
        end(failurenumber::InputPastEndOfFile);
    }

    // Stops the reading with failure number failure.
    void fail(int failure) { end(failure); }

    Result<SimaReading> result() const
    {
        if (m_phase != Phase::Records)
            return Failure { m_failure };
        SimaReading reading;
        if (m_failure != 0)
            reading.ending = Failure { m_failure };
        reading.jobName = characters::cut(m_encoding.isUtf8() ? QString::fromUtf8(m_jobName.view())
                                                              : cp932::decode(m_jobName.view()),
            JobNameWidth);
        if (m_points.isEmpty())
            return reading;

        const auto decode = [utf8 = m_encoding.isUtf8()](QByteArrayView bytes) {
            return utf8 ? QString::fromUtf8(bytes) : cp932::decode(bytes);
        };
        // ASCII, as nearly every field is, reads alike in both encodings and
        // needs no string of its own. No character spans two fields in
        // either encoding: a field's bytes are whole characters, or bad
        // bytes that read alike wherever they are cut off.
        const qsizetype count = m_points.size();
        reading.records.reserve(count);
        reading.points.reserve(count);
        for (qsizetype i = 0; i < count; ++i) {
            const std::array<QByteArrayView, 5> fields { m_numbers.field(i, 0),
                m_points.field(i, 0), m_points.field(i, 1), m_points.field(i, 2),
                m_numbers.field(i, 1) };
            std::array<QString, 5> decoded;
            std::array<FilePoint::Text, 5> texts;
            for (std::size_t f = 0; f < fields.size(); ++f) {
                if (isAscii(fields[f])) {
                    texts[f] = FilePoint::Text::ascii(fields[f]);
                } else {
                    decoded[f] = decode(fields[f]);
                    texts[f] = decoded[f];
                }
            }
            reading.records.append(FilePoint(texts, m_points.label(i)));
            // The point shares the record's texts where they are short
            // enough already.
            const FilePoint &record = reading.records.constLast();
            reading.points.append({ characters::cut(record.name(), ListLine::NameWidth),
                characters::cut(record.x(), ListLine::CoordinateWidth),
                characters::cut(record.y(), ListLine::CoordinateWidth) });
        }
        return reading;
    }

private:
    enum class Phase { SeekingBegin, BeginLine, Records };
    enum class FieldState { Start, Plain, Quoted, AfterQuote };

    void take(char byte)
    {
        if (byte == '\r' || byte == '\n') {
            endLine();
            // CR LF ends one line, as CR and LF alone do.
            if (byte == '\r' || !m_afterCr)
                ++m_line;
            m_afterCr = byte == '\r';
            return;
        }
        m_afterCr = false;
        switch (m_fieldState) {
        case FieldState::Start:
            if (isBlank(byte))
                return;
            m_lineHasContent = true;
            if (byte == ',') {
                endField();
            } else if (byte == '"') {
                m_fieldState = FieldState::Quoted;
                m_fieldHasContent = true;
            } else {
                m_fieldState = FieldState::Plain;
                m_fieldHasContent = true;
                keep(byte);
            }
            return;
        case FieldState::Plain:
            if (byte == ',')
                endField();
            else
                keep(byte);
            return;
        case FieldState::Quoted:
            if (byte == '"')
                m_fieldState = FieldState::AfterQuote;
            else
                keep(byte);
            return;
        case FieldState::AfterQuote:
            if (byte == ',')
                endField();
            return;
        }
    }

    // The number of bytes kept of the field at the current position.
    qsizetype fieldLimit() const
    {
        if (m_phase == Phase::SeekingBegin)
            return m_lineIsJob && m_fieldIndex == 2 ? JobNameBytes : TagBytes;
        if (m_phase == Phase::BeginLine)
            return 0;
        switch (m_fieldIndex) {
        case 0:
            return TagBytes;
        case 1:
        case 2:
        case 3:
        case 4:
        case 5:
            return RecordBytes;
        default:
            return 0;
        }
    }

    // Keeps [begin, end), bytes of FieldTextBytes, as keep() would one by one.
    void keepRun(const char *begin, const char *end)
    {
        const char *const rest = m_field.keep(begin, end, fieldLimit());
        if (m_fieldState == FieldState::Quoted)
            m_fieldCut = m_fieldCut || rest < end;
        else
            m_fieldCut = m_fieldCut || hasText(rest, end);
    }

    void keep(char byte)
    {
        if (!m_field.keep(byte, fieldLimit())
            && (!isBlank(byte) || m_fieldState == FieldState::Quoted)) {
            // Text goes on past what is kept, so the kept part is not the
            // field's end and keeps its trailing blanks.
            m_fieldCut = true;
        }
    }

    void endField()
    {
        Field &field = m_field;
        if (m_fieldState == FieldState::Plain && !m_fieldCut)
            field.dropTrailingBlanks();
        const char *const tag = m_phase == Phase::SeekingBegin ? "A00" : "A99";
        const bool isTag
            = field.size == 3 && std::equal(tag, tag + 3, field.bytes.begin()) && !m_fieldCut;
        switch (m_phase) {
        case Phase::SeekingBegin:
            if (isTag) {
                m_phase = Phase::BeginLine;
            } else if (m_fieldIndex == 0) {
                m_lineIsJob = field.view() == "G00" && !m_fieldCut;
            } else if (m_fieldIndex == 2 && m_lineIsJob && !m_jobNameRead) {
                // The job name of the first "G00" record, the file's title.
                m_jobName.assign(field);
                m_jobNameRead = true;
            }
            break;
        case Phase::BeginLine:
            break;
        case Phase::Records:
            switch (m_fieldIndex) {
            case 0:
                m_tagIsEnd = isTag;
                break;
            case 1:
                m_point.number.assign(field);
                break;
            case 2:
                m_point.name.assign(field);
                break;
            case 3:
                m_point.x.assign(field);
                break;
            case 4:
                m_point.y.assign(field);
                break;
            case 5:
                m_point.elevation.assign(field);
                break;
            default:
                break;
            }
            break;
        }
        ++m_fieldIndex;
        m_field.size = 0;
        m_fieldCut = false;
        m_fieldHasContent = false;
        m_fieldState = FieldState::Start;
    }

    void endLine()
    {
        endField();
        if (m_phase == Phase::BeginLine) {
            m_phase = Phase::Records;
        } else if (m_phase == Phase::Records && m_lineHasContent) {
            if (m_tagIsEnd)
                end(0);
            else
                addPoint();
        }
        m_fieldIndex = 0;
        m_lineHasContent = false;
        m_lineIsJob = false;
        m_tagIsEnd = false;
        m_point.clear();
    }

    // Keeps the point of the current line; false (and failure 9) when the
    // point table is already full.
    bool addPoint()
    {
        if (m_points.size() == PointTable::Size) {
            end(failurenumber::SubscriptOutOfRange);
            return false;
        }
        m_points.add(m_point.name, m_point.x, m_point.y, m_line);
        m_numbers.add(m_point.number, m_point.elevation, Field());
        return true;
    }

    void end(int failure)
    {
        m_done = true;
        m_failure = failure;
    }

    bool m_done = false;
    int m_failure = 0;
    EncodingCheck m_encoding;

    Phase m_phase = Phase::SeekingBegin;
    FieldState m_fieldState = FieldState::Start;
    Field m_field;
    bool m_fieldCut = false;
    bool m_fieldHasContent = false;
    int m_fieldIndex = 0;
    bool m_lineHasContent = false;
    bool m_tagIsEnd = false;
    bool m_lineIsJob = false;
    bool m_jobNameRead = false;
    Field m_jobName;
    RawPoint m_point;
    qint64 m_line = 1; // the line being read, from 1
    bool m_afterCr = false; // the last byte was a CR, which a LF may follow
    KeptPoints<qint64> m_points; // name, X and Y, and the line of each point
    KeptPoints<> m_numbers; // the number and the elevation of each point
};

} // namespace

Result<SimaReading> readSima(QByteArrayView bytes)
{
    return parseAll<Parser>(bytes);
}

Result<SimaReading> readSima(QIODevice &device)
{
    return parseAll<Parser>(device);
}

} // namespace tavorin
