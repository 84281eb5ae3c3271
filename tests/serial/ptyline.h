#pragma once

#include "pocketpeer.h"
#include "portresolver.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTimer>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <ostream>

inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace tavorin::test {

// Port n resolves to devices[n - 1], any other to a device that does not
// exist: never a real port. The further ports are what a test sets.
class PtyPorts final : public PortResolver
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

inline std::unique_ptr<peer::PeerLine> newPty()
{
    QString error;
    auto line = peer::PeerLine::createPty(&error);
    EXPECT_NE(line, nullptr) << error.toStdString();
    return line;
}

// The next CR-ended line the program writes; empty if none comes in time.
inline QByteArray nextLine(peer::PeerLine &line)
{
    QByteArray got;
    (void)waitFor([&] { return !(got = line.readLine(0)).isEmpty(); });
    return got;
}

// Everything the program writes within forMs.
inline QByteArray drain(peer::PeerLine &line, int forMs)
{
    QByteArray got;
    (void)waitFor(
        [&] {
            got += line.read(0);
            return false;
        },
        forMs);
    return got;
}

} // namespace tavorin::test
