#pragma once

#include "failure.h"
#include "pointtable.h"

#include <QByteArray>
#include <QList>
#include <QString>

class QIODevice;

// Points for CAD programs: an AutoCAD R12 text DXF file, which most Japanese
// CAD programs read.
namespace tavorin::dxf {

// The height of a point's name, in drawing units (metres).
inline constexpr double DefaultTextHeight = 1;

// The DXF text of points: AutoCAD R12 ($ACADVER AC1009), code page 932
// ($DWGCODEPAGE ANSI_932), CR LF after every line. Each point with numeric
// coordinates (as the plan reads them) is a POINT on layer POINTS at CAD x =
// its Y (east), CAD y = its X (north), z = 0, and, unless its name is blank, a
// TEXT on layer NAMES holding the name, textHeight high, half a text height
// up and to the right of the point. Names are in code page 932: characters
// the code page lacks are written as the SIMA writer writes them, and line
// ends and other control characters, which would break the file's lines, as
// '?'. A textHeight that is not a positive number counts as the default.
// Points without numeric coordinates are left out.
QByteArray fileBytes(const QList<PointRecord> &points, double textHeight = DefaultTextHeight);

// Writes fileBytes(points, textHeight) to device; false when the device took
// less.
bool write(const QList<PointRecord> &points, double textHeight, QIODevice &device);

} // namespace tavorin::dxf

namespace tavorin {

// Saves points as a DXF file at path as safely as a SIMA file is saved: the
// old file stays untouched unless the new one is complete on the disk. Fails
// as pointfile::save fails (76, 70, 75, 61, 57).
Result<void> saveDxf(const QString &path, const QList<PointRecord> &points,
    double textHeight = dxf::DefaultTextHeight);

} // namespace tavorin
