#pragma once

// The program as a surveyor's script starts it: no display and nothing of
// Qt's in its environment.

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QtGlobal>

#include <gtest/gtest.h>

namespace tavorin::test {

// How the program ends its printed lines.
#ifdef Q_OS_WIN
inline const QByteArray Eol = "\r\n"; // the C runtime's text mode
#else
inline const QByteArray Eol = "\n";
#endif

// Its exit code, standard output and standard error as "0|out|err".
inline QByteArray runProgram(const QStringList &arguments)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(TAVORIN_EXECUTABLE), arguments);
    EXPECT_TRUE(process.waitForFinished(60000)) << arguments.join(u' ').toStdString();
    return QByteArray::number(process.exitCode()) + '|' + process.readAllStandardOutput() + '|'
        + process.readAllStandardError();
}

} // namespace tavorin::test
