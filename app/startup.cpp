#include "startup.h"

#include "form1.h"
#include "freedmemory.h"
#include "planezones.h"
#include "pointtable.h"
#include "portresolver.h"
#include "userdialogs.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLibraryInfo>

#include <algorithm>
#include <cstdio>
#include <variant>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace tavorin {

namespace {

#ifdef Q_OS_WIN
// A Windows program with a window starts without a console: what --help,
// --version or a bad option print goes to the console the program was
// started from, if any. Output already sent to a file or a pipe stays there.
void printToStartingConsole()
{
    const auto unconnected = [](DWORD which) {
        const HANDLE handle = GetStdHandle(which);
        return handle == nullptr || handle == INVALID_HANDLE_VALUE
            || GetFileType(handle) == FILE_TYPE_UNKNOWN;
    };
    const bool out = unconnected(STD_OUTPUT_HANDLE), err = unconnected(STD_ERROR_HANDLE);
    if ((!out && !err) || !AttachConsole(ATTACH_PARENT_PROCESS))
        return;
    if (out)
        std::freopen("CONOUT$", "w", stdout);
    if (err)
        std::freopen("CONOUT$", "w", stderr);
}
#else
void printToStartingConsole()
{
}
#endif

QtMessageHandler qtMessages = nullptr;

// Passes on only Qt's errors: its notes (such as a missing XDG_RUNTIME_DIR
// when a PDF is made from a cron job) are no message of the export's.
void keepQtErrors(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        qtMessages(type, context, message);
}

// Ends as the command line asks without a window: with its error, or with
// the export it names done.
int endWithoutWindow(const CommandLine &line)
{
    int code = line.exitCode.value_or(0);
    QString errors = line.output;
    if (!line.exitCode && line.exportRequest) {
        const ExportOutcome outcome = runExport(*line.exportRequest);
        code = outcome.exitCode;
        errors = outcome.errors;
    }
    if (!errors.isEmpty()) {
        printToStartingConsole();
        std::fputs(errors.toLocal8Bit().constData(), stderr);
    }
    return code;
}

} // namespace

using namespace Qt::StringLiterals;

namespace {

// The options of an export without a window: where to, the zone, and the
// options of the plan on paper and of the DXF file, parsed once into an
// ExportRequest.
struct ExportCommandOptions
{
    explicit ExportCommandOptions(const QString &extensions)
        : exportTo(u"export"_s,
            u"Write every point of FILE, in file order, to OUT without opening a window, in "
            u"the format OUT's extension names: "_s
                + extensions
                + u". .geojson and .kml place the points on the map by their plane "
                  u"rectangular zone; .sim and .csv are the files the window writes; .pdf is "
                  u"the plan on paper with the table of coordinates (配置図PDF) and .dxf the "
                  u"points for CAD (DXF書込). Ends with 0 when written, else with 1 and the "
                  u"window's message on standard error."_s,
            u"OUT"_s)
        , zone(u"zone"_s,
              u"With --export: the plane rectangular zone (1 to 19) of FILE's X and Y. Without "
              u"it, the zone a CSV file names in a column 平面直角座標系, 座標系 or 系."_s,
              u"N"_s)
        , paper(
              u"paper"_s, u"With --export OUT.pdf: the sheet, A4 (without it) or A3."_s, u"A4|A3"_s)
        , landscape(u"landscape"_s, u"With --export OUT.pdf: the sheet on its side."_s)
        , portrait(
              u"portrait"_s, u"With --export OUT.pdf: the sheet upright (without --landscape)."_s)
        , scale(u"scale"_s,
              u"With --export OUT.pdf: the scale 1/N, such as 500. Without it, the largest of "
              u"1/100, 1/200, 1/250, 1/500, 1/1000, 1/2500, 1/5000, 1/10000, 1/25000 and "
              u"1/50000 at which every point fits on the sheet."_s,
              u"N"_s)
        , date(u"date"_s,
              u"With --export OUT.pdf: the date of making in the footer; without it, today."_s,
              u"YYYY-MM-DD"_s)
        , textHeight(u"text-height"_s,
              u"With --export OUT.dxf: the height of the point names in metres (the drawing's "
              u"units); 1 without it."_s,
              u"M"_s)
        , elevation(u"dxf-elevation"_s,
              u"With --export OUT.dxf: each point and its name at the point's elevation (z), "
              u"where the file gives one as a number; without it, at 0."_s)
    {
    }

    QList<QCommandLineOption> all() const
    {
        return { exportTo, zone, paper, landscape, portrait, scale, date, textHeight, elevation };
    }

    // Whether the command line asks for no window: an export, or any of its
    // options, which are errors without it.
    bool anySet(const QCommandLineParser &parser) const
    {
        const QList<QCommandLineOption> options = all();
        return std::any_of(options.cbegin(), options.cend(),
            [&parser](const QCommandLineOption &o) { return parser.isSet(o); });
    }

    // The export the command line asks for, or why it cannot be done: an
    // error that ends it. extensions lists the formats for that error.
    std::variant<ExportRequest, QString> request(
        const QCommandLineParser &parser, const QString &inPath, const QString &extensions) const
    {
        ExportRequest request { parser.value(exportTo), inPath, {} };
        const ExportFormat *format = exportFormat(request.outPath);
        if (!parser.isSet(exportTo)) {
            if (parser.isSet(zone))
                return u"tavorin: --zone needs --export\n"_s;
        } else if (request.inPath.isEmpty()) {
            return u"tavorin: --export needs the file to read\n"_s;
        } else if (!format) {
            return u"tavorin: cannot write %1: give a name ending in %2\n"_s.arg(
                request.outPath, extensions);
        }
        // The options of one format, and the extension of that format.
        const std::pair<const QCommandLineOption &, QStringView> formatOptions[]
            = { { paper, u"pdf" }, { landscape, u"pdf" }, { portrait, u"pdf" }, { scale, u"pdf" },
                  { date, u"pdf" }, { textHeight, u"dxf" }, { elevation, u"dxf" } };
        for (const auto &[option, extension] : formatOptions) {
            if (parser.isSet(option) && (!format || QStringView(format->extension) != extension))
                return u"tavorin: --%1 needs --export to a .%2 file\n"_s.arg(
                    option.names().constFirst(), extension.toString());
        }
        const auto refused = [&parser](const QCommandLineOption &option, const QString &takes) {
            return u"tavorin: --%1 takes %2, not '%3'\n"_s.arg(
                option.names().constFirst(), takes, parser.value(option));
        };
        ExportOptions &options = request.options;
        if (parser.isSet(zone)) {
            bool number = false;
            options.zone = parser.value(zone).toInt(&number);
            if (!number || !geodesy::zone(options.zone))
                return refused(zone, u"a zone number from 1 to 19"_s);
        }
        if (parser.isSet(paper)) {
            const QString sheet = parser.value(paper).toUpper();
            if (sheet != u"A4"_s && sheet != u"A3"_s)
                return refused(paper, u"A4 or A3"_s);
            options.sheet.paper = sheet == u"A3"_s ? paperplan::Paper::A3 : paperplan::Paper::A4;
        }
        if (parser.isSet(landscape) && parser.isSet(portrait))
            return u"tavorin: give --landscape or --portrait, not both\n"_s;
        if (parser.isSet(landscape))
            options.sheet.orientation = paperplan::Orientation::Landscape;
        if (parser.isSet(scale)) {
            // 500 or 1/500, as a surveyor writes it.
            QString n = parser.value(scale);
            if (n.startsWith(u"1/"_s))
                n.remove(0, 2);
            bool number = false;
            options.scale = n.toLongLong(&number);
            if (!number || options.scale < 1 || options.scale > paperplan::MaxScale)
                return refused(scale, u"the N of the scale 1/N, a whole number such as 500"_s);
        }
        if (parser.isSet(date)) {
            options.date = QDate::fromString(parser.value(date), Qt::ISODate);
            if (!options.date.isValid())
                return refused(date, u"a date as YYYY-MM-DD"_s);
        }
        if (parser.isSet(textHeight)) {
            const auto height = ExportOptions::textHeightFrom(parser.value(textHeight));
            if (!height)
                return refused(textHeight,
                    u"a height in metres, from %1 to %2"_s.arg(MinTextHeight).arg(MaxTextHeight));
            options.textHeight = *height;
        }
        options.elevationAsZ = parser.isSet(elevation);
        return request;
    }

    const QCommandLineOption exportTo, zone, paper, landscape, portrait, scale, date, textHeight,
        elevation;
};

} // namespace

CommandLine parseCommandLine(const QStringList &arguments)
{
    QCoreApplication::setApplicationName(u"tavorin"_s);
    QCoreApplication::setApplicationVersion(QStringLiteral(TAVORIN_VERSION));
    QCommandLineParser parser;
    parser.setApplicationDescription(u"Moves survey points between SIMA coordinate files "
                                     u"(*.sim) or CSV files (*.csv) and a pocket computer on a "
                                     u"serial port."_s);
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addPositionalArgument(u"FILE"_s,
        u"A SIMA coordinate file (*.sim), or a CSV file (*.csv), to read at start, or to "
        u"export with --export."_s,
        u"[FILE.sim|FILE.csv]"_s);
    QStringList extensions;
    for (const ExportFormat &format : exportFormats())
        extensions << u'.' + QString::fromUtf16(format.extension);
    const ExportCommandOptions exporting(extensions.join(u", "_s));
    parser.addOptions(exporting.all());

    CommandLine line;
    const auto end = [&line](int code, const QString &output) {
        line.exitCode = code;
        line.output = output;
        return line;
    };
    // Qt's own options (-platform, -style) are unknown here until
    // QApplication has taken them out; help and version count regardless.
    const bool parsed = parser.parse(arguments);
    line.withoutWindow = exporting.anySet(parser);
    const ExportFormat *format = exportFormat(parser.value(exporting.exportTo));
    line.paints = parser.isSet(exporting.exportTo) && format && format->paints;
    if (parser.isSet(help) || parser.isSet(u"help-all"_s)) {
        QString text = parser.helpText();
        return end(0, text.replace(u"<executable_name>"_s, u"tavorin"_s));
    }
    if (parser.isSet(version))
        return end(0, u"tavorin "_s + QCoreApplication::applicationVersion() + u'\n');
    if (!parsed)
        return end(1, u"tavorin: "_s + parser.errorText() + u'\n');
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        return end(1, u"tavorin: give at most one file\n"_s);
    if (!line.withoutWindow) {
        line.filePath = files.value(0);
        return line;
    }
    std::variant<ExportRequest, QString> request
        = exporting.request(parser, files.value(0), extensions.join(u", "_s));
    if (const QString *error = std::get_if<QString>(&request))
        return end(1, *error);
    line.exportRequest = std::get<ExportRequest>(std::move(request));
    return line;
}

QStringList qtTranslationFolders()
{
    const QString beside = QCoreApplication::applicationDirPath();
    return { QLibraryInfo::path(QLibraryInfo::TranslationsPath), beside,
        QDir(beside).filePath(QStringLiteral("translations")) };
}

FileReadAtStart::FileReadAtStart(const QString &filePath)
{
    if (filePath.isEmpty())
        return;
    m_filePath = QFileInfo(filePath).absoluteFilePath();
    m_reading
        = std::async(std::launch::async, [path = m_filePath] { return readPointFile(path); });
}

void FileReadAtStart::handTo(Form1 &window)
{
    if (m_reading.valid())
        window.openAtStart(m_filePath, m_reading.get());
}

std::unique_ptr<QTranslator> installQtTranslation(const QStringList &folders)
{
    // qtbase_ja as Debian's package and Qt's own folder have it; qt_ja, the
    // catalogue that names it, as Qt's Windows installers and windeployqt
    // deploy it.
    auto translator = std::make_unique<QTranslator>();
    for (const QString &folder : folders) {
        for (const QString &name : { QStringLiteral("qtbase_ja"), QStringLiteral("qt_ja") }) {
            if (translator->load(name, folder)
                && QCoreApplication::installTranslator(translator.get()))
                return translator;
        }
    }
    return nullptr;
}

int runTavorin(int argc, char *argv[])
{
    setUpAllocator();
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    // --help and --version before QApplication, so that they need no display.
    CommandLine line = parseCommandLine(arguments);
    if (line.exitCode == 0) {
        printToStartingConsole();
        std::fputs(line.output.toLocal8Bit().constData(), stdout);
        return 0;
    }

    // An export needs no window, and so no display; nor do its errors.
    if (line.withoutWindow)
        qtMessages = qInstallMessageHandler(keepQtErrors);
    if (line.paints) {
        // A PDF needs fonts, which a platform gives, but no display: Qt's
        // offscreen platform, or on Windows Windows' own, which shows no
        // window either (Qt's offscreen platform has no fonts there, and the
        // PDF would hold no text).
#ifdef Q_OS_WIN
        qputenv("QT_QPA_PLATFORM", "windows");
#else
        qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
        QGuiApplication app(argc, argv);
        return endWithoutWindow(parseCommandLine(QCoreApplication::arguments()));
    }
    if (line.withoutWindow) {
        QCoreApplication app(argc, argv);
        return endWithoutWindow(parseCommandLine(QCoreApplication::arguments()));
    }

    QApplication app(argc, argv);
#ifdef Q_OS_WIN
    // The style the Windows package ships, whatever a newer Qt would pick.
    QApplication::setStyle(QStringLiteral("windowsvista"));
#endif
    // Again without Qt's own options, and from Qt's own list, which on
    // Windows keeps every character of a file name the code page lacks.
    line = parseCommandLine(QCoreApplication::arguments());
    if (line.exitCode)
        return endWithoutWindow(line);
    // The window lists the file given once it is shown, as before.
    FileReadAtStart file(line.filePath);
    const std::unique_ptr<QTranslator> qtTexts = installQtTranslation();
    QtUserDialogs dialogs;
    SystemPortResolver ports;
    Form1 window(dialogs, ports, PointTable::programWide());
    window.show();
    file.handTo(window);
    return QApplication::exec();
}

} // namespace tavorin
