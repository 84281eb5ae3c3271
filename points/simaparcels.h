#pragma once

#include "filepoint.h"
#include "parcel.h"

#include <QByteArrayView>

namespace tavorin {

// Reads the parcels of SIMA coordinate text, in a pass of its own after the
// points: everything up to the "A99" that ends the point records is passed
// over, then each "D00" block ("D00", then "B01" vertices, each optionally
// followed by its "C03" side, then "D99") is one parcel. Other records,
// other sections and "A99,END" are skipped; a block the file ends without
// "D99" is taken. A block begins at "D00" and ends at "D99" or the next
// "D00"; a "C03" is the side of the "B01" just before it. The vertices are
// decoded as readSima decodes the points they name; the parcels' own texts
// (number, name, type, sides) as UTF-8 also where only the parcels show it
// (points in ASCII alone). Fields are trimmed and kept to their first 255
// bytes, as the points' are. The same bytes give the same parcels whatever
// readSima made of the points: records only resolve the vertices.
//
// A vertex is found among records by its point number, else (without a
// number) by its name; the first record of that number or name. A parcel
// with a vertex that is not found (or has neither), fewer than 3 vertices or
// the same point twice in a row (the last and the first count as in a row)
// gets its fault (parceltext), the first in that order, and stays in the
// list, so that the user sees it.
Parcels readSimaParcels(QByteArrayView bytes, const FilePoints &records);

} // namespace tavorin
