#pragma once

#include "filepoint.h"

#include <QByteArray>
#include <QStringList>

class QIODevice;

namespace tavorin {

// The text of a CSV file for the transfer list lines, as Excel on a Japanese
// Windows opens it with a double click: a header row "点名,X,Y", then one row
// per line: the name without trailing spaces, X and Y without their padding.
// A field is quoted only where it must be: it holds a comma, a double quote
// (doubled inside) or a line break, or begins with a blank, which a reader
// would drop. Code page 932, characters it lacks written as the SIMA writer
// writes them; CR LF after every row.
QByteArray csvFileBytes(const QStringList &lines);

// The text of a CSV file for points as their file holds them: a header row
// "点番号,点名,X,Y,標高", then one row per point with each field as read
// (empty where the file has none), quoted as in csvFileBytes. Read back, it
// gives the same points. Code page 932, CR LF after every row.
QByteArray csvRecordBytes(const FilePoints &points);

// Writes csvFileBytes(lines) to device; false when the device took less.
bool writeCsv(const QStringList &lines, QIODevice &device);

} // namespace tavorin
