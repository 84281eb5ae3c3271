#pragma once

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

// Writes simaFileBytes(lines) to device; false when the device took less.
bool writeSima(const QStringList &lines, QIODevice &device);

} // namespace tavorin
