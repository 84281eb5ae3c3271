#pragma once

#include <QTranslator>

#include <memory>

namespace tavorin {

// Installs Qt's Japanese translation of its own dialogs and buttons (the
// file dialog, its notes, Cancel), whatever the system's locale. Looks in
// Qt's translations folder, then beside the program and in a translations
// folder there, where the program is deployed with its own. Returns nothing
// when none is found: Qt's texts then stay English.
std::unique_ptr<QTranslator> installQtTranslation();

// The program: the window, its dialogs and ports, until the window ends.
int runTavorin(int argc, char *argv[]);

} // namespace tavorin
