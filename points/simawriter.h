#pragma once

#include "filepoint.h"
#include "parcel.h"

#include <QByteArray>
#include <QStringList>

class QIODevice;

namespace tavorin {

// The text of a SIMA coordinate file for the transfer list lines: the header
// lines, one "A01" line per list line (point number = position + 1,
// right-aligned in 5 and wider only past 99999; name columns 1..8 filled to
// 12, quoted when they hold a comma or begin with a double quote; X and Y as
// the 13 columns from 9 and from 22), and "A99,". Code page 932, CR LF after
// every line.
QByteArray simaFileBytes(const QStringList &lines);

// The text of a SIMA coordinate file for points as their file holds them,
// each field as read and unpadded: "G00,01,jobName,", "Z00,座標ﾃﾞｰﾀ,",
// "A00,", one "A01,number,name,X,Y,elevation," line per point (a point
// without a number numbered by its place, from 1) and "A99,". A field that
// holds a comma goes in double quotes, as a name in simaFileBytes does. Read
// back, it gives the same points. Code page 932, CR LF after every line.
//
// The good parcels follow "A99," as the survey programs' own files hold them:
// "Z00,区画ﾃﾞｰﾀ," once, then per parcel "D00,number,name,type," (type 1
// where it has none), "B01,number,name," per vertex in the parcel's order
// with its "C03,length,bearing," where it has a side, and "D99,". Parcels
// with a fault are left out; without good parcels the file ends at "A99,".
// Read back, it gives the same good parcels.
//
// A source (where the points come from, as the data's terms ask it to be
// named) is a comment line "Z00,source," after "G00"; none when empty.
QByteArray simaRecordBytes(const FilePoints &points, const QString &jobName,
    const Parcels &parcels = {}, const QString &source = {});

// Writes simaFileBytes(lines) to device; false when the device took less.
bool writeSima(const QStringList &lines, QIODevice &device);

} // namespace tavorin
