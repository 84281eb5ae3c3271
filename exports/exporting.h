#pragma once

#include "dxffile.h"
#include "failure.h"
#include "filepoint.h"
#include "paperplan.h"
#include "parcel.h"
#include "parcelarea.h"

#include <QDate>
#include <QString>

#include <optional>
#include <span>

// The one way points become files for other programs: the table of formats
// that the window's export items and the command line's --export share, the
// options that shape them, and the command line's whole run. Every format
// takes the points as their file holds them, whole.
namespace tavorin {

// The height of the DXF file's names, in metres: the dialog offers these
// bounds and the command line and the remembered settings take what lies
// within them.
inline constexpr double MinTextHeight = 0.01;
inline constexpr double MaxTextHeight = 1000;

// The choices that shape an exported file: the window's, or the command
// line's, parsed once.
struct ExportOptions
{
    // 1..19; geodesy::UnknownZone (0): none known; geodesy::LocalZone:
    // 系なし, which no map can place.
    int zone = 0;
    // The plan PDF's sheet and scale, the N of 1/N; 0 takes the largest of
    // paperplan::Scales at which every point fits (paperplan::defaultScale).
    paperplan::Sheet sheet;
    qint64 scale = 0;
    // The height of the DXF file's names, in metres (validTextHeight).
    double textHeight = dxf::DefaultTextHeight;
    // Whether the DXF file's points stand at their elevation rather than at 0.
    bool elevationAsZ = false;
    QDate date; // the plan PDF's date of making; none: today
    paperplan::Datum datum = paperplan::Datum::Unstated; // what the PDF's footer states
    // How parcels are measured and whether the PDF has their pages; the
    // command line keeps the defaults.
    parcels::Options parcel;

    // The one check of a text height, wherever it comes from.
    static bool validTextHeight(double metres)
    {
        return metres >= MinTextHeight && metres <= MaxTextHeight;
    }
    // The text height that text gives, a decimal number in metres; none
    // when it is no number or out of bounds.
    static std::optional<double> textHeightFrom(const QString &text);
};

// What an export writes: the points as their file holds them, in file
// order, the title (planTitle of the file read, which the SIMA file's job
// line also takes) and the options.
struct ExportJob
{
    FilePoints points;
    QString title;
    ExportOptions options;
    // The file's parcels, their vertices indexes into points; the bad ones
    // are left out of every format. landClasses, where given, is in step
    // with parcels; a parcel without one is 宅地・鉱泉地.
    tavorin::Parcels parcels;
    QList<parcels::LandClass> landClasses;
    // Where the points come from, for a registry's map the line its terms
    // ask every file made from it to carry (registry::sourceLine): every
    // format but CSV writes it; none when empty.
    QString source;
};

// A kind of file an export writes, known by its file name's extension.
struct ExportFormat
{
    const char16_t *extension; // without the dot, lower case
    bool map; // placed by the zone: needs one, and writes only the points with numeric X and Y
    bool paints; // draws text: needs a QGuiApplication and its fonts
    // How many points the file would hold; none means nothing is written.
    qsizetype (*count)(const ExportJob &job);
    Result<void> (*save)(const QString &path, const ExportJob &job);
    // What the file leaves out of the points it would hold, as a note; empty
    // when nothing. None: the format holds them all.
    QString (*leftOut)(const ExportJob &job);
};

// The bad parcels of parcels, one line each: the number and name and why
// it is left out (exporttext::ParcelLeftOut); empty when none is bad.
QStringList badParcelLines(const Parcels &parcels);

// How many of points have numeric X and Y, as the plan places them.
qsizetype placedPointCount(const FilePoints &points);

// Every format, in the order help texts name them: .geojson, .kml, .sim,
// .csv, .pdf, .dxf.
std::span<const ExportFormat> exportFormats();

// The format of path by its extension, in any case; nothing for another.
const ExportFormat *exportFormat(const QString &path);

// The scale a plan PDF of points on sheet takes without one chosen: the
// largest of paperplan::Scales at which every point fits.
qint64 fittingScale(const FilePoints &points, paperplan::Sheet sheet);
// How many of points a plan PDF on sheet at 1/scale leaves off its plan.
qsizetype pointsOffPlan(const FilePoints &points, paperplan::Sheet sheet, qint64 scale);

// What the command line's --export asks for.
struct ExportRequest
{
    QString outPath;
    QString inPath;
    ExportOptions options; // a zone of 0: the CSV file's or the map's own, if any
    // The 地図名 of the map to read from a registry file (.xml, .zip) of
    // several; empty for its only one.
    QString mapName;
};

// How a command-line export ended: 0, or 1 and the window's message for
// standard error, naming the file concerned; and, for a file written, the
// input's bad parcels and the points and parcels it leaves out, as lines
// for standard error.
struct ExportOutcome
{
    int exitCode = 0;
    QString errors;
    QString notes;
};

// Reads request.inPath (a registry's map for .xml and .zip, CSV for .csv,
// else SIMA) and writes every
// point to request.outPath in the format its extension names, as safely as
// the window saves. Needs no window; a format that paints needs a
// QGuiApplication. A file read only in part, a map format without a zone
// (neither given nor in the file) and a file without points (with numeric
// X and Y, for every format but .sim and .csv) write nothing. A plan whose
// scale leaves points off the page, a map without the points (and parcels)
// beyond their zone's reach, and the file's bad parcels, which no format
// writes, are written and noted; the exit code stays 0. So are a map's 筆
// left out (別図, 地区外); a file of several maps without request.mapName
// writes nothing and names them.
ExportOutcome runExport(const ExportRequest &request);

} // namespace tavorin
