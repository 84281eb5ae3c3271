#include "startup.h"

#include "commandline.h"
#include "form1.h"
#include "freedmemory.h"
#include "pointtable.h"
#include "portresolver.h"
#include "registryfile.h"
#include "userdialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLibraryInfo>

namespace tavorin {

namespace {

QtMessageHandler qtMessages = nullptr;

// Passes on only Qt's errors: its notes (such as a missing XDG_RUNTIME_DIR
// when a PDF is made from a cron job) are no message of the export's.
void keepQtErrors(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        qtMessages(type, context, message);
}

// Ends as the command line asks without a window: with its error, or with
// the export it names done (or refused), and what it has to say of it.
int endWithoutWindow(const CommandLine &line)
{
    if (line.exitCode) {
        print(Stream::Errors, line.output);
        return *line.exitCode;
    }
    const ExportOutcome outcome = runCommandExport(line);
    print(Stream::Errors, outcome.errors + outcome.notes);
    return outcome.exitCode;
}

} // namespace

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
    // A registry's map may hold several, of which the user chooses one once
    // the window is shown: the window reads it then.
    if (registry::isRegistryPath(m_filePath))
        return;
    m_reading = std::async(std::launch::async, [path = m_filePath] { return readPointFile(path); });
}

void FileReadAtStart::handTo(Form1 &window)
{
    if (m_reading.valid())
        window.openAtStart(m_filePath, m_reading.get());
    else if (!m_filePath.isEmpty())
        window.openFile(m_filePath);
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
    // --help, --version and every error before QApplication, so that they
    // need no display.
    CommandLine line = parseCommandLine(arguments);
    if (line.exitCode == 0) {
        print(Stream::Output, line.output);
        return 0;
    }
    if (line.exitCode)
        return endWithoutWindow(line);

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
    // Again, from Qt's own list, which on Windows keeps every character of
    // a file name the code page lacks.
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
