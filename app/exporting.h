#pragma once

#include "failure.h"

#include <QString>
#include <QStringList>

#include <span>

namespace tavorin {

// The choices that shape an exported file: the window's, or the command
// line's, parsed once in parseCommandLine. The options of later formats
// (paper, orientation, scale) join the zone here.
struct ExportOptions
{
    int zone = 0; // 1..19; 0: none chosen
};

// What an export writes: the points of the SIMA file list (or of the file
// read on the command line) as list lines, in file order, and the options.
struct ExportJob
{
    QStringList lines;
    ExportOptions options;
};

// A kind of file an export writes, known by its file name's extension.
struct ExportFormat
{
    const char16_t *extension; // without the dot, lower case
    bool map; // placed by the zone: needs one, and writes only the points with numeric X and Y
    // How many points the file would hold; none means nothing is written.
    qsizetype (*count)(const ExportJob &job);
    Result<void> (*save)(const QString &path, const ExportJob &job);
};

// Every format, in the order help texts name them: .geojson, .kml, .sim,
// .csv.
std::span<const ExportFormat> exportFormats();

// The format of path by its extension, in any case; nothing for another.
const ExportFormat *exportFormat(const QString &path);

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
// the window saves. Needs no window. A file read only in part, a map format
// without a zone (neither given nor in the file) and a file without points
// write nothing.
ExportOutcome runExport(const ExportRequest &request);

} // namespace tavorin
