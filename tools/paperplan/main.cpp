// tavorin-paperplan: writes the plan of a SIMA or CSV file as a PDF file,
// as the program does, for the guide's picture and for checking the PDF of
// the Windows build.
//
//   tavorin-paperplan IN.sim OUT.pdf [--paper A4|A3] [--landscape]
//                     [--scale N] [--zone N] [--date YYYY-MM-DD]
#include "csvfile.h"
#include "planpdf.h"
#include "simafile.h"

#include <QCommandLineParser>
#include <QGuiApplication>

#include <cstdio>

using namespace tavorin;

int main(int argc, char *argv[])
{
#ifndef Q_OS_WIN
    // No window is shown; no display is needed. Windows keeps its own
    // platform, which shows no window either: Qt's offscreen platform has no
    // fonts there, and the PDF would hold no text.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addPositionalArgument("in", "SIMA or CSV file");
    parser.addPositionalArgument("out", "PDF file");
    const QCommandLineOption paper("paper", "A4 or A3", "paper", "A4");
    const QCommandLineOption landscape("landscape", "landscape sheet");
    const QCommandLineOption scale("scale", "N of the scale 1/N", "N");
    const QCommandLineOption zone("zone", "coordinate system 1 to 19", "N");
    const QCommandLineOption date("date", "date of making", "YYYY-MM-DD");
    parser.addOptions({ paper, landscape, scale, zone, date });
    parser.addHelpOption();
    parser.process(app);
    const QStringList files = parser.positionalArguments();
    if (files.size() != 2)
        parser.showHelp(2);

    PlanPdfInput input;
    QString jobName;
    if (files[0].endsWith(".csv", Qt::CaseInsensitive)) {
        const auto reading = loadCsvFile(files[0]);
        if (!reading) {
            std::fprintf(stderr, "cannot read %s: %d\n", qPrintable(files[0]), reading.failure());
            return 1;
        }
        input.points = reading->points;
    } else {
        const auto reading = loadSimaFile(files[0]);
        if (!reading) {
            std::fprintf(stderr, "cannot read %s: %d\n", qPrintable(files[0]), reading.failure());
            return 1;
        }
        input.points = reading->points;
        jobName = reading->jobName;
    }
    input.title = planTitle(jobName, files[0]);
    input.sheet.paper = parser.value(paper) == "A3" ? paperplan::Paper::A3 : paperplan::Paper::A4;
    if (parser.isSet(landscape))
        input.sheet.orientation = paperplan::Orientation::Landscape;
    if (parser.isSet(scale))
        input.scale = parser.value(scale).toLongLong();
    if (parser.isSet(zone))
        input.zone = parser.value(zone).toInt();
    input.date = parser.isSet(date) ? QDate::fromString(parser.value(date), Qt::ISODate)
                                    : QDate::currentDate();
    const Result<void> saved = savePlanPdf(files[1], input);
    if (!saved) {
        std::fprintf(stderr, "cannot save %s: %d\n", qPrintable(files[1]), saved.failure());
        return 1;
    }
    return 0;
}
