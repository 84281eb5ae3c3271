#include "csvwriter.h"

#include "codepage932.h"
#include "listline.h"

#include <QIODevice>

namespace tavorin {

namespace {

using namespace Qt::StringLiterals;

const QString HeaderRow = u"点名,X,Y"_s;

QString field(const QString &text)
{
    const bool quoted = text.contains(u',') || text.contains(u'"') || text.contains(u'\r')
        || text.contains(u'\n') || text.startsWith(u' ') || text.startsWith(u'\t');
    if (!quoted)
        return text;
    return u'"' + QString(text).replace(u"\""_s, u"\"\""_s) + u'"';
}

} // namespace

QByteArray csvFileBytes(const QStringList &lines)
{
    QString text = HeaderRow + u"\r\n"_s;
    text.reserve(16 + lines.size() * 32);
    for (const QString &line : lines) {
        const ListLine::Columns columns = ListLine::takeApart(line);
        QString name = columns.name;
        while (name.endsWith(u' '))
            name.chop(1);
        text += field(name) + u',' + field(columns.x.trimmed()) + u',' + field(columns.y.trimmed())
            + u"\r\n"_s;
    }
    return cp932::encode(text);
}

QByteArray csvRecordBytes(const FilePoints &points)
{
    QString text = u"点番号,点名,X,Y,標高\r\n"_s;
    text.reserve(32 + points.size() * 48);
    for (const FilePoint &p : points)
        text += field(p.number()) + u',' + field(p.name()) + u',' + field(p.x()) + u','
            + field(p.y()) + u',' + field(p.elevation()) + u"\r\n"_s;
    return cp932::encode(text);
}

bool writeCsv(const QStringList &lines, QIODevice &device)
{
    const QByteArray bytes = csvFileBytes(lines);
    return device.write(bytes) == bytes.size();
}

} // namespace tavorin
