#include "simawriter.h"

#include "characters.h"
#include "codepage932.h"
#include "listline.h"
#include "simatext.h"

#include <QIODevice>

namespace tavorin {

namespace {

constexpr qsizetype NamePieceWidth = 12;
constexpr qsizetype PointNumberWidth = 5;

bool isAscii(const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() >= 0x80)
            return false;
    }
    return true;
}

void appendLine(QByteArray &bytes, const QString &line)
{
    // Most lines are plain ASCII: they need no trip through the code page.
    if (isAscii(line))
        bytes += line.toLatin1();
    else
        bytes += cp932::encode(line);
    bytes += "\r\n";
}

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

// The name as a field that reads back as the same name. A name holding a
// comma, or beginning with a double quote, would move every later field:
// it is written quoted and without its surrounding blanks, which the reader
// drops anyway. Characters that no field can carry (a line end, the end of
// file byte 0x1A, a double quote inside quotes) are written as '?', as
// characters outside the code page are. Other names stay as they are.
QString nameField(QString name)
{
    for (QChar &c : name) {
        if (c == u'\r' || c == u'\n' || c == u'\x1A')
            c = u'?';
    }
    qsizetype first = 0;
    qsizetype end = name.size();
    while (first < end && isBlank(name.at(first)))
        ++first;
    while (end > first && isBlank(name.at(end - 1)))
        --end;
    if (!name.contains(u',') && !(first < end && name.at(first) == u'"'))
        return name;
    QString quoted = name.mid(first, end - first);
    quoted.replace(u'"', u'?');
    return u'"' + quoted + u'"';
}

QString pointLine(qsizetype position, const QString &listLine)
{
    ListLine::Columns columns = ListLine::takeApart(listLine);
    columns.name = nameField(columns.name);
    const qsizetype nameFill = NamePieceWidth - characters::count(columns.name);
    QString line = simatext::PointTag;
    line += u',';
    line += QString::number(position + 1).rightJustified(PointNumberWidth, u' ');
    line += u',';
    line += columns.name;
    line += QString(nameFill, u' ');
    line += u',';
    line += columns.x;
    line += u',';
    line += columns.y;
    line += u",,";
    return line;
}

// The good parcels' section that follows "A99," (see simaRecordBytes).
void appendParcels(QByteArray &bytes, const Parcels &parcels)
{
    using namespace Qt::StringLiterals;
    bool sectionBegun = false;
    for (const Parcel &parcel : parcels) {
        if (!parcel.isGood())
            continue;
        if (!sectionBegun) {
            appendLine(bytes, u"Z00,区画ﾃﾞｰﾀ,"_s);
            sectionBegun = true;
        }
        const QString type = parcel.type.isEmpty() ? u"1"_s : parcel.type;
        appendLine(bytes,
            u"D00,"_s + nameField(parcel.number) + u',' + nameField(parcel.name) + u','
                + nameField(type) + u',');
        for (const ParcelVertex &vertex : parcel.vertices) {
            appendLine(
                bytes, u"B01,"_s + nameField(vertex.number) + u',' + nameField(vertex.name) + u',');
            if (vertex.side) {
                appendLine(bytes,
                    u"C03,"_s + nameField(vertex.side->length) + u','
                        + nameField(vertex.side->bearing) + u',');
            }
        }
        appendLine(bytes, u"D99,"_s);
    }
}

} // namespace

QByteArray simaFileBytes(const QStringList &lines)
{
    QByteArray bytes;
    bytes.reserve(128 + lines.size() * 56);
    appendLine(bytes, simatext::HeaderLine);
    appendLine(bytes, simatext::Description1Line);
    appendLine(bytes, simatext::Description2Line);
    appendLine(bytes, simatext::PointsBeginLine);
    for (qsizetype i = 0; i < lines.size(); ++i)
        appendLine(bytes, pointLine(i, lines.at(i)));
    appendLine(bytes, simatext::PointsEndLine);
    return bytes;
}

QByteArray simaRecordBytes(
    const FilePoints &points, const QString &jobName, const Parcels &parcels, const QString &source)
{
    using namespace Qt::StringLiterals;
    QByteArray bytes;
    bytes.reserve(128 + points.size() * 64);
    appendLine(bytes, u"G00,01,"_s + nameField(jobName) + u',');
    if (!source.isEmpty())
        appendLine(bytes, u"Z00,"_s + nameField(source) + u',');
    appendLine(bytes, u"Z00,座標ﾃﾞｰﾀ,"_s);
    appendLine(bytes, simatext::PointsBeginLine);
    for (qsizetype i = 0; i < points.size(); ++i) {
        const FilePoint &p = points.at(i);
        const QString number = p.number().isEmpty() ? QString::number(i + 1) : p.number();
        appendLine(bytes,
            simatext::PointTag + u',' + nameField(number) + u',' + nameField(p.name()) + u','
                + nameField(p.x()) + u',' + nameField(p.y()) + u',' + nameField(p.elevation())
                + u',');
    }
    appendLine(bytes, simatext::PointsEndLine);
    appendParcels(bytes, parcels);
    return bytes;
}

bool writeSima(const QStringList &lines, QIODevice &device)
{
    const QByteArray bytes = simaFileBytes(lines);
    return device.write(bytes) == bytes.size();
}

} // namespace tavorin
