#pragma once

#include "filepoint.h"
#include "parcel.h"
#include "pointtable.h"

#include <QList>
#include <QString>

namespace tavorin {

// The kinds of point file: a SIMA coordinate file, or a CSV file that a
// spreadsheet saved.
enum class PointFileKind { Sima, Csv };

// The kind of the file at path by its extension: .csv (in any case) is CSV,
// everything else SIMA.
PointFileKind pointFileKind(const QString &path);

// What reading a point file gives, whatever its kind.
struct PointFileReading
{
    // How the reading ended.
    enum class Ending {
        Complete,
        // A SIMA file that failed once its point records had begun: the
        // points read before the failure are the reading's and are listed;
        // only the command line refuses them.
        CutShort,
        // Nothing was read: the lists and the table stay as they were.
        Refused,
    };

    // The points as the point table and the SIMA file list take them (name
    // cut to 8 characters, X and Y to 13), and what the file says of each,
    // whole: the two in step.
    QList<PointRecord> points;
    FilePoints records;
    // The file's parcels, their vertices indexes into records (SIMA only).
    Parcels parcels;
    QString jobName; // the SIMA file's job name, see SimaReading
    int zone = 0; // the zone the file names (1 to 19); 0 none
    Ending ending = Ending::Complete;
    // Why the reading was cut short or refused: the failure number, or 0
    // for a CSV file that cannot be read, which message tells.
    int failureNumber = 0;
    QString message; // what to tell the user for failureNumber 0

    bool isComplete() const { return ending == Ending::Complete; }
};

// Reads the file at path as kind. The file is closed when this returns.
PointFileReading readPointFile(const QString &path, PointFileKind kind);

// The same, of the kind its extension names.
inline PointFileReading readPointFile(const QString &path)
{
    return readPointFile(path, pointFileKind(path));
}

// The text that reports failure number failureNumber: "エラーコード  62".
QString failureText(int failureNumber);

// What to tell the user of a reading that did not end well: the message,
// or failureText of its failure number; empty for a complete reading.
QString endingText(const PointFileReading &reading);

} // namespace tavorin
