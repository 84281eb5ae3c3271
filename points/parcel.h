#pragma once

#include "filepoint.h"

#include <QList>
#include <QString>

#include <optional>

namespace tavorin {

// A side as the file gives it ("C03" after a vertex): the length in metres
// and the bearing (方向角, D.MMSS) from that vertex to the next, as written.
struct FileSide
{
    QString length;
    QString bearing;

    friend bool operator==(const FileSide &, const FileSide &) = default;
};

// One corner of a parcel's ring as the file names it ("B01": the point's
// number and name), and the record it resolves to.
struct ParcelVertex
{
    QString number;
    QString name;
    // The index of its point in the reading's records; -1 where none has
    // that number (or, without one, that name).
    qsizetype record = -1;
    // The file's own side from this vertex to the next, if it has one.
    std::optional<FileSide> side;

    friend bool operator==(const ParcelVertex &, const ParcelVertex &) = default;
};

// A parcel (筆, 画地) as its file says it: a ring of points, not closed (the
// first vertex is not repeated), in the file's order.
struct Parcel
{
    QString number; // "D00" field 2; empty where the file has none
    QString name; // "D00" field 3, often the 地番
    QString type; // "D00" field 4, "1" in every file seen
    QList<ParcelVertex> vertices;
    // Why the parcel cannot be drawn, measured or exported (parceltext);
    // empty for a good parcel.
    QString fault;
    qint64 line = 0; // the line of its "D00", from 1

    bool isGood() const { return fault.isEmpty(); }

    friend bool operator==(const Parcel &, const Parcel &) = default;
};

using Parcels = QList<Parcel>;

} // namespace tavorin
