#pragma once

#include "failure.h"
#include "filepoint.h"
#include "parcel.h"

#include <QByteArray>
#include <QList>
#include <QString>

class QIODevice;

// Points for CAD programs: an AutoCAD R12 text DXF file, which most Japanese
// CAD programs read.
namespace tavorin::dxf {

// The height of a point's name, in drawing units (metres).
inline constexpr double DefaultTextHeight = 1;

// The choices of a DXF file.
struct Options
{
    // The height of the names; one that is not a positive number counts as
    // the default.
    double textHeight = DefaultTextHeight;
    // Whether a point and its name stand at the point's elevation (z) rather
    // than at 0.
    bool elevationAsZ = false;
};

// The DXF text of points: AutoCAD R12 ($ACADVER AC1009), code
// page 932
// ($DWGCODEPAGE ANSI_932), CR LF after every line. Each point with numeric
// coordinates (as the plan reads them) is a POINT on layer POINTS at CAD x =
// its Y (east), CAD y = its X (north), and, unless its name is blank, a TEXT
// on layer NAMES holding the whole name, textHeight high, half a text height
// up and to the right of the point. Both have z = 0, or with elevationAsZ
// the elevation as written where it is a number (read as the coordinates
// are). Each good parcel whose vertices all have numeric coordinates is a
// closed POLYLINE (70 = 1, its VERTEXes, SEQEND) on layer PARCELS at z = 0,
// and its name (its number where it has none) a TEXT on layer PARCEL_NAMES
// centred on its centroid. Every TEXT takes the text style TextStyle (see
// dxffile.cpp for why). Names are in code page 932: characters the code page
// lacks are written as the SIMA writer writes them, and line ends and other
// control characters, which would break the file's lines, as '?'. Points
// without numeric coordinates are left out.
inline constexpr const char *TextStyle = "UNICODE";
//
// A source (where the points come from, as the data's terms ask it to be
// named: registry::sourceLine) is a 999 comment at the head of the file;
// none when empty.
QByteArray fileBytes(const FilePoints &points, Options options = {}, const Parcels &parcels = {},
    const QString &source = {});

// Writes fileBytes(points, options, parcels, source) to device; false when the
// device took less.
bool write(const FilePoints &points, Options options, QIODevice &device,
    const Parcels &parcels = {}, const QString &source = {});

} // namespace tavorin::dxf

namespace tavorin {

// Saves points as a DXF file at path as safely as a SIMA file is saved: the
// old file stays untouched unless the new one is complete on the disk. Fails
// as pointfile::save fails (76, 70, 75, 61, 57).
Result<void> saveDxf(const QString &path, const FilePoints &points, dxf::Options options = {},
    const Parcels &parcels = {}, const QString &source = {});

} // namespace tavorin
