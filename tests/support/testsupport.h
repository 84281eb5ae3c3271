#pragma once

// What every test program shares: printing texts in failure messages, the
// list line of a point written out independently of ListLine, and the port
// numbers' devices.
#include "characters.h"
#include "portresolver.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <ostream>

// Lets GoogleTest print texts in its failure messages.
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace tavorin::test {

// The list line of a point, column by column: the name left-aligned in 8
// characters, x and y right-aligned in 13 each.
inline QString listLine(const QString &name, const QString &x, const QString &y)
{
    return name + QString(std::max<qsizetype>(0, 8 - characters::count(name)), u' ')
        + x.rightJustified(13) + y.rightJustified(13);
}

// Port n resolves to devices[n - 1], any other to a device that does not
// exist, so that no test can open a real serial port of the machine. The
// further ports are what a test sets.
class TestPorts final : public PortResolver
{
public:
    QStringList devices;
    QStringList further;
    QStringList furtherPorts() const override { return further; }
    QString deviceName(int portNumber) const override
    {
        return devices.value(portNumber - 1, QStringLiteral("/dev/tavorin-test-no-port"));
    }
};

// The line as a device last had it, e.g. "2400 8N1 DTR=on RTS=off", from the
// log the modem-line stand-in (ptymodem.c) keeps.
inline QString lastLineState(const QString &logPath)
{
    QFile log(logPath);
    const QList<QByteArray> states
        = log.open(QIODevice::ReadOnly) ? log.readAll().split('\n') : QList<QByteArray>();
    return QString::fromLatin1(states.size() > 1 ? states[states.size() - 2] : "(none logged)");
}

// The bytes of the file at path; "(none)" when it cannot be read.
inline QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
}

// Runs the window's events until done() holds or the time is up.
template <typename Done> bool waitFor(Done done, int timeoutMs = 5000)
{
    const QDeadlineTimer deadline(timeoutMs);
    QTimer tick; // wakes every millisecond so that waiting costs no time
    tick.start(1);
    while (!done()) {
        if (deadline.hasExpired())
            return done();
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

} // namespace tavorin::test
