#pragma once

#include "pointtable.h"

#include <QString>

namespace tavorin {

// The fixed-column line that stands for a point in the transfer list:
// name in characters 1..8 (left-aligned), X in 9..21 and Y in 22..34
// (right-aligned), no separators, no line end.
namespace ListLine {

inline constexpr qsizetype NameWidth = 8;
inline constexpr qsizetype CoordinateWidth = 13;

// The columns of a line, untrimmed: the name keeps its trailing spaces, the
// coordinates their leading ones. A short line gives what it holds.
struct Columns
{
    QString name;
    QString x;
    QString y;
};

// Pads or cuts name to the 8 name columns (a longer name keeps its first 8).
QString nameColumn(const QString &name);

// Right-aligns value in 13 columns (a longer value keeps its last 13).
QString coordinateColumn(const QString &value);

// The line of a point: 34 characters.
QString form(const PointRecord &record);

Columns takeApart(const QString &line);

} // namespace ListLine

} // namespace tavorin
