#pragma once

#include <QString>
#include <QStringList>

namespace tavorin {

// Where the user guide's page (guide.html, made from docs/guide.md) is looked
// for, from the folder the program runs from: first where an installation
// puts it, then where a build folder has it. On Windows both are the folder
// guide beside tavorin.exe; elsewhere an installation puts it in the
// program's data folder under its own prefix (/usr/bin/tavorin reads
// /usr/share/tavorin/guide/guide.html; never the doc folder, which a system
// may leave out), a build folder in guide/ beside the program.
QStringList guidePlaces(const QString &programFolder);

// The first of guidePlaces that is a file; empty when none is.
QString findGuide(const QString &programFolder);

} // namespace tavorin
