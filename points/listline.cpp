#include "listline.h"

#include "characters.h"

namespace tavorin::ListLine {

QString nameColumn(const QString &name)
{
    return characters::left(name + QString(NameWidth, u' '), NameWidth);
}

QString coordinateColumn(const QString &value)
{
    return characters::right(QString(CoordinateWidth, u' ') + value, CoordinateWidth);
}

QString form(const PointRecord &record)
{
    return nameColumn(record.name) + coordinateColumn(record.x) + coordinateColumn(record.y);
}

Columns takeApart(const QString &line)
{
    return { characters::mid(line, 1, NameWidth),
        characters::mid(line, NameWidth + 1, CoordinateWidth),
        characters::mid(line, NameWidth + CoordinateWidth + 1, CoordinateWidth) };
}

} // namespace tavorin::ListLine
