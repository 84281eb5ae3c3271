#pragma once

#include "parcel.h"
#include "parcelarea.h"

#include <QList>
#include <QString>
#include <QStringList>

// A parcel's 座標求積表 and 辺長表 as rows of cells, headings first: what
// the parcel window shows and what it copies for a spreadsheet, from one
// source.
namespace tavorin {

// The heading, a row a vertex, then 倍面積, 面積 and 地積 with their value
// in the last column.
QList<QStringList> areaTableRows(const parcels::AreaTable &table);
// The heading, a row a side (its C03 beside it and whether the two agree),
// then 周長 in the distance column.
QList<QStringList> sideTableRows(const parcels::SideTable &table);
// Rows as a spreadsheet pastes them: cells apart by tabs, each row ended by
// a line feed.
QString tabSeparated(const QList<QStringList> &rows);
// How the plan, its list and the parcel window call a parcel: its name (the
// 地番, usually), or its number where it has none.
QString parcelName(const Parcel &parcel);

} // namespace tavorin
