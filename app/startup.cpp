#include "startup.h"

#include "form1.h"
#include "planezones.h"
#include "pointtable.h"
#include "portresolver.h"
#include "userdialogs.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>

#include <cstdio>

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
    const QCommandLineOption exportTo(u"export"_s,
        u"Write every point of FILE, in file order, to OUT without opening a window, in the "
        u"format OUT's extension names: "_s
            + extensions.join(u", "_s)
            + u". .geojson and .kml place the points on the map by their plane rectangular "
              u"zone; .sim and .csv are the files the window writes. Ends with 0 when written, "
              u"else with 1 and the window's message on standard error."_s,
        u"OUT"_s);
    const QCommandLineOption zone(u"zone"_s,
        u"With --export: the plane rectangular zone (1 to 19) of FILE's X and Y. Without it, "
        u"the zone a CSV file names in a column 平面直角座標系, 座標系 or 系."_s,
        u"N"_s);
    parser.addOption(exportTo);
    parser.addOption(zone);

    CommandLine line;
    const auto end = [&line](int code, const QString &output) {
        line.exitCode = code;
        line.output = output;
        return line;
    };
    // Qt's own options (-platform, -style) are unknown here until
    // QApplication has taken them out; help and version count regardless.
    const bool parsed = parser.parse(arguments);
    line.withoutWindow = parser.isSet(exportTo) || parser.isSet(zone);
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
    if (parser.isSet(zone) && !parser.isSet(exportTo))
        return end(1, u"tavorin: --zone needs --export\n"_s);
    if (parser.isSet(exportTo)) {
        ExportRequest request { parser.value(exportTo), files.value(0), {} };
        if (request.inPath.isEmpty())
            return end(1, u"tavorin: --export needs the file to read\n"_s);
        if (!exportFormat(request.outPath))
            return end(1,
                u"tavorin: cannot write %1: give a name ending in %2\n"_s.arg(
                    request.outPath, extensions.join(u", "_s)));
        if (parser.isSet(zone)) {
            bool number = false;
            request.options.zone = parser.value(zone).toInt(&number);
            if (!number || !geodesy::zone(request.options.zone))
                return end(1,
                    u"tavorin: --zone takes a zone number from 1 to 19, not '%1'\n"_s.arg(
                        parser.value(zone)));
        }
        line.exportRequest = request;
        return line;
    }
    line.filePath = files.value(0);
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
        = std::async(std::launch::async, [path = m_filePath] { return Form1::readFile(path); });
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
