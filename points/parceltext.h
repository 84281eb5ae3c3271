#pragma once

#include <QString>

// Why a parcel (筆, 画地) of a SIMA file cannot be drawn, measured or
// exported: the fault readSimaParcels gives it, shown beside the parcel.
namespace tavorin::parceltext {

using namespace Qt::StringLiterals;

// A vertex whose point is not among the file's points; %1 is the vertex:
// VertexNumberAndName, its bare number when it has no name, or VertexName.
inline const QString VertexNotFound = u"頂点%1の座標がありません。"_s;
// A vertex named by neither a point number nor a point name.
inline const QString VertexUnnamed = u"点番号も点名もない頂点があります。"_s;
// How a vertex is named in the faults: its point number and name ("12（K12）"),
// or only its name.
inline const QString VertexNumberAndName = u"%1（%2）"_s;
inline const QString VertexName = u"「%1」"_s;
// Fewer than three vertices; %1 their number.
inline const QString TooFewVertices = u"頂点が%1点しかありません。3点以上必要です。"_s;
inline const QString NoVertices = u"頂点がありません。"_s;
// The same point twice in a row (the last and the first count as in a row,
// since the ring closes); %1 the vertex.
inline const QString RepeatedVertex = u"頂点%1が続けて2回あります。"_s;

} // namespace tavorin::parceltext
