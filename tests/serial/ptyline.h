#pragma once

#include "pocketpeer.h"
#include "testsupport.h"

#include <QtTest/QTest>

#include <gtest/gtest.h>

namespace tavorin::test {

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
