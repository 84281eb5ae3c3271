#pragma once

#include "exporting.h"

#include <QString>
#include <QStringList>

#include <optional>

// The program's command line: what it asks for, parsed once, and how the
// program prints to the console it was started from.
namespace tavorin {

// What the command line asks for: a SIMA file to read at start, a file to
// export without a window (--export), or to end at once (--help, --version,
// a bad option) after printing output.
struct CommandLine
{
    QString filePath; // empty: nothing is read at start
    std::optional<ExportRequest> exportRequest; // set: no window, the export only
    bool overwrite = false; // --overwrite: the export may replace an existing file
    bool withoutWindow = false; // --export given: its errors too need no display
    bool paints = false; // --export to a format that paints: it needs fonts, not a display
    std::optional<int> exitCode; // set: end with it, before any window
    QString output; // for standard output when exitCode is 0, else for errors
};

// Parses the program's arguments (the program name first). Needs no
// QCoreApplication, so that --help, --version and every error of the
// options work without a display. Qt's own options (-platform offscreen,
// -style=fusion) are passed over: QGuiApplication takes them.
CommandLine parseCommandLine(const QStringList &arguments);

// Why an export must not write its file, as a line for standard error; empty
// when it may. Never the file it reads, by whatever path it is named; nor a
// file that exists, unless overwrite. Looks at the files, not into them.
QString outputRefusal(const ExportRequest &request, bool overwrite);

// The export that line asks for: refused as outputRefusal says, before
// anything is read, else run.
ExportOutcome runCommandExport(const CommandLine &line);

enum class Stream { Output, Errors };

// Prints text on standard output or standard error so that the console
// shows it: on Windows, a window program's text goes to the console it was
// started from, a console gets the text as it is (kana and kanji whatever
// its code page), a file or a pipe gets it in the system's code page (932
// on Japanese Windows). Elsewhere, in the locale's encoding.
void print(Stream stream, const QString &text);

} // namespace tavorin
