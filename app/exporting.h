#pragma once

#include "dxffile.h"
#include "failure.h"
#include "filepoint.h"
#include "paperplan.h"
#include "pointtable.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <span>

namespace tavorin {

// The choices that shape an exported file: the window's, or the command
// line's, parsed once in parseCommandLine.
struct ExportOptions
{
    int zone = 0; // 1..19; 0: none chosen
    // The plan PDF's sheet and scale, the N of 1/N; 0 takes the largest of
    // paperplan::Scales at which every point fits (paperplan::defaultScale).
    paperplan::Sheet sheet;
    qint64 scale = 0;
    // The height of the DXF file's names, in metres: more than 0, at most
    // MaxTextHeight.
    double textHeight = dxf::DefaultTextHeight;
    // Whether the DXF file's points stand at their elevation rather than at 0.
    bool elevationAsZ = false;
    QDate date; // the plan PDF's date of making; none: today
};

inline constexpr double MaxTextHeight = 1000;
inline bool validTextHeight(double metres)
{
    return metres > 0 && metres <= MaxTextHeight;
}

// What an export writes: the points of the SIMA file list (or of the file
// read on the command line) in file order, the plan PDF's title (planTitle
// of the file read) and the options.
struct ExportJob
{
    QList<PointRecord> points;
    QString title;
    ExportOptions options;
};

// The list lines of points, as the transfer list and the map files hold them.
QStringList listLines(const QList<PointRecord> &points);

// points as the exports take them, until the window and the command line
// hand on what the file says: the names and coordinates as held, no number
// and no elevation.
FilePoints filePoints(const QList<PointRecord> &points);

// A kind of file an export writes, known by its file name's extension.
struct ExportFormat
{
    const char16_t *extension; // without the dot, lower case
    bool map; // placed by the zone: needs one, and writes only the points with numeric X and Y
    bool paints; // draws text: needs a QGuiApplication and its fonts
    // How many points the file would hold; none means nothing is written.
    qsizetype (*count)(const ExportJob &job);
    Result<void> (*save)(const QString &path, const ExportJob &job);
};

// How many of points have numeric X and Y, as the plan places them.
qsizetype placedPointCount(const QList<PointRecord> &points);

// Every format, in the order help texts name them: .geojson, .kml, .sim,
// .csv, .pdf, .dxf.
std::span<const ExportFormat> exportFormats();

// The format of path by its extension, in any case; nothing for another.
const ExportFormat *exportFormat(const QString &path);

// The scale a plan PDF of points on sheet takes without one chosen: the
// largest of paperplan::Scales at which every point fits.
qint64 fittingScale(const QList<PointRecord> &points, paperplan::Sheet sheet);

// What the command line's --export asks for.
struct ExportRequest
{
    QString outPath;
    QString inPath;
    ExportOptions options; // a zone of 0: the CSV file's own, if any
};

// How a command-line export ended: 0 and nothing to say, or 1 and the
// window's message for standard error, naming the file concerned.
struct ExportOutcome
{
    int exitCode = 0;
    QString errors;
};

// Reads request.inPath (CSV by its extension, else SIMA) and writes every
// point to request.outPath in the format its extension names, as safely as
// the window saves. Needs no window; a format that paints needs a
// QGuiApplication. A file read only in part, a map format without a zone
// (neither given nor in the file) and a file without points (with numeric
// X and Y, for every format but .sim and .csv) write nothing.
ExportOutcome runExport(const ExportRequest &request);

} // namespace tavorin
