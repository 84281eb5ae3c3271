#pragma once

#include "form1.h"

#include <QStringList>
#include <QTranslator>

#include <future>
#include <memory>

namespace tavorin {

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

// The file given on the command line (SIMA, or CSV when it ends in .csv),
// read on a worker thread from the moment this is made, so that reading it
// overlaps building the window, which needs nothing of it. A registry's map
// (.xml, .zip) is read by the window once shown, as 地図XML読込 reads it.
class FileReadAtStart
{
public:
    // Starts reading filePath, taken from the current folder when relative;
    // an empty path reads nothing.
    explicit FileReadAtStart(const QString &filePath);
    // Waits for the reading, then lists and stores it in window as 読込
    // would, failures shown; the next 読込 offers the file. Once only.
    void handTo(Form1 &window);

private:
    QString m_filePath; // absolute
    std::future<PointFileReading> m_reading;
};

// The program: the window, its dialogs and ports, until the window ends.
int runTavorin(int argc, char *argv[]);

} // namespace tavorin
