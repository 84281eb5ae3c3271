#pragma once

#include <QList>
#include <QString>

namespace tavorin {

// A point as its file says it, for every use but the pocket computer: the
// plan, the exports and the command line take these, while the point table
// and the lists hold the point cut to what the pocket computer takes.
//
// Texts are as written, without the blanks round them: the SIMA record's
// fields, or for CSV the cell (X and Y as the plain decimal text the reader
// makes of a number cell, "12,345.678" as "12345.678"). The number and the
// elevation are empty where the file has none.
struct FilePoint
{
    QString number; // the point number: SIMA "A01" field 2, a CSV number column
    QString name; // whole
    QString x;
    QString y;
    QString elevation; // SIMA "A01" field 6, a CSV Z, H or 標高 column
    qint64 line = 0; // the line (SIMA) or row (CSV) it came from, from 1

    friend bool operator==(const FilePoint &, const FilePoint &) = default;
};

using FilePoints = QList<FilePoint>;

} // namespace tavorin
