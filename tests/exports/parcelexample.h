#pragma once

#include "filepoint.h"
#include "parcel.h"

// The textbook's parcel A(5,20) B(15,15) C(30,25) D(20,40) E(10,35), 倍面積
// 725, 面積 362.5, clockwise on a map, with the file's own sides A→B (as
// computed) and B→C (1 cm longer); a point without coordinates (G) and one
// beyond any zone's reach (F). Parcels: the good one; one through F, in CAD
// but on no map; one through G, which nothing draws; and a bad one.
namespace tavorin::test {

using namespace Qt::StringLiterals;

inline const FilePoints ParcelPoints = {
    { u"1"_s, u"A"_s, u"5.000"_s, u"20.000"_s, {}, 2 },
    { u"2"_s, u"B"_s, u"15.000"_s, u"15.000"_s, {}, 3 },
    { u"3"_s, u"C"_s, u"30.000"_s, u"25.000"_s, {}, 4 },
    { u"4"_s, u"D"_s, u"20.000"_s, u"40.000"_s, {}, 5 },
    { u"5"_s, u"E"_s, u"10.000"_s, u"35.000"_s, {}, 6 },
    { u"6"_s, u"G"_s, {}, {}, {}, 7 },
    { u"7"_s, u"F"_s, u"2000000.000"_s, u"20.000"_s, {}, 8 },
};

inline Parcel exampleParcel(const QString &number, const QString &name,
    const QList<qsizetype> &records, const QString &fault = {})
{
    Parcel parcel { number, name, u"1"_s, {}, fault, 10 };
    for (const qsizetype r : records)
        parcel.vertices.append({ ParcelPoints[r].number(), ParcelPoints[r].name(), r, {} });
    return parcel;
}

inline Parcels exampleParcels()
{
    Parcel good = exampleParcel(u"1"_s, u"A地"_s, { 0, 1, 2, 3, 4 });
    good.vertices[0].side = FileSide { u"11.180"_s, u"333.2606"_s };
    good.vertices[1].side = FileSide { u"18.038"_s, u"33.4124"_s };
    return { good, exampleParcel(u"2"_s, u"遠地"_s, { 0, 1, 6 }),
        exampleParcel(u"3"_s, u"座標なし地"_s, { 0, 1, 5 }),
        exampleParcel(u"4"_s, u"誤地"_s, { 0, 1, 2 }, u"頂点が足りません。"_s) };
}

} // namespace tavorin::test
