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
// "D99" is taken. The text is decoded as readSima decodes it.
//
// A vertex is found among records by its point number, else (without a
// number) by its name. A parcel with an unresolved vertex, fewer than 3
// vertices or the same vertex twice in a row gets its fault and stays in the
// list, so that the user sees it.
Parcels readSimaParcels(QByteArrayView bytes, const FilePoints &records);

} // namespace tavorin
