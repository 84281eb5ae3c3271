#pragma once

#include <QStringList>
#include <QTranslator>

#include <memory>
#include <optional>

namespace tavorin {

// What the command line asks for: a SIMA file to read at start, or to end at
// once (--help, --version, a bad option) after printing output.
struct CommandLine
{
    QString filePath; // empty: nothing is read at start
    std::optional<int> exitCode; // set: end with it, before any window
    QString output; // for standard output when exitCode is 0, else for errors
};

// Parses the program's arguments (the program name first). Needs no
// QCoreApplication, so that --help and --version work without a display.
CommandLine parseCommandLine(const QStringList &arguments);

// Where Qt's Japanese translation is looked for: Qt's translations folder,
// then beside the program and in a translations folder there, where the
// program is deployed with its own.
QStringList qtTranslationFolders();

// Installs Qt's Japanese translation of its own dialogs and buttons (the
// file dialog, its notes, Cancel), whatever the system's locale: the first
// qtbase_ja.qm or qt_ja.qm in folders. Returns nothing when none is found:
// Qt's texts then stay English.
std::unique_ptr<QTranslator> installQtTranslation(
    const QStringList &folders = qtTranslationFolders());

// The program: the window, its dialogs and ports, until the window ends.
int runTavorin(int argc, char *argv[]);

} // namespace tavorin
