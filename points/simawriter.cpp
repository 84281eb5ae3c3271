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

QString pointLine(qsizetype position, const QString &listLine)
{
    const ListLine::Columns columns = ListLine::takeApart(listLine);
    const qsizetype nameFill = NamePieceWidth - characters::count(columns.name);
    QString line = SimaText::PointTag;
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

} // namespace

QByteArray simaFileBytes(const QStringList &lines)
{
    QByteArray bytes;
    bytes.reserve(128 + lines.size() * 56);
    appendLine(bytes, SimaText::HeaderLine);
    appendLine(bytes, SimaText::Description1Line);
    appendLine(bytes, SimaText::Description2Line);
    appendLine(bytes, SimaText::PointsBeginLine);
    for (qsizetype i = 0; i < lines.size(); ++i)
        appendLine(bytes, pointLine(i, lines.at(i)));
    appendLine(bytes, SimaText::PointsEndLine);
    return bytes;
}

bool writeSima(const QStringList &lines, QIODevice &device)
{
    const QByteArray bytes = simaFileBytes(lines);
    return device.write(bytes) == bytes.size();
}

} // namespace tavorin
