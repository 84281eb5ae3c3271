#pragma once

#include "filepoint.h"
#include "parcel.h"
#include "projection.h"

#include <QList>

#include <optional>

// Where a parcel lies, for every format that draws or places it.
namespace tavorin {

// The parcel's vertices in the ring's order (not closed), read as the plan
// reads coordinates; none for a bad parcel, one of fewer than three
// vertices, or one with a vertex that has no record or no numeric X and Y.
std::optional<QList<geodesy::PlanePoint>> parcelRing(
    const Parcel &parcel, const FilePoints &records);

// Where a ring's name goes on paper and in CAD: where the plan writes it
// (labelPoint: the centroid, or inside an L or C shape the middle of its
// widest stretch).
geodesy::PlanePoint ringLabelPoint(const QList<geodesy::PlanePoint> &ring);

} // namespace tavorin
