#include "commport.h"
#include "failure.h"
#include "ptyline.h"

#include <QCoreApplication>
#include <QSignalSpy>

using namespace tavorin;
using namespace tavorin::test;
using namespace Qt::StringLiterals;

namespace {

class CommPortTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        peerLine = newPty();
        ASSERT_NE(peerLine, nullptr);
        ports.devices = { peerLine->deviceName() };
    }

    // Opens port at "9600,n,8,1" for messages of threshold characters and
    // records each message of its receive events.
    void open(CommPort &port, int threshold)
    {
        port.setCommPort(1);
        port.setSettings(*LineSettings::parse(u"9600,n,8,1"));
        port.setPortOpen(true);
        port.setRThreshold(threshold);
    }
    void record(CommPort &port)
    {
        QObject::connect(&port, &CommPort::comm, &port, [this, &port] {
            ASSERT_EQ(port.CommEvent(), CommPort::ComEvReceive);
            received.append(port.Input());
        });
    }

    PtyPorts ports;
    std::unique_ptr<peer::PeerLine> peerLine;
    QStringList received;
};

TEST_F(CommPortTest, RaisesOneEventPerWholeMessageWhateverTheChunks)
{
    CommPort port(ports);
    record(port);
    open(port, 5);
    // Two and a half messages in one write, then the rest a byte at a time,
    // the last message split inside a double-byte character.
    peerLine->write("AB12\rCD34\rE\x93");
    EXPECT_TRUE(waitFor([&] { return received.size() == 2; }, 5000));
    EXPECT_EQ(received, (QStringList { u"AB12\r"_s, u"CD34\r"_s }));
    for (char byte : QByteArray("\x8cYZ\r"))
        if (byte) {
            peerLine->write(QByteArray(1, byte));
            QTest::qWait(5);
        }
    EXPECT_TRUE(waitFor([&] { return received.size() == 3; }, 5000));
    EXPECT_EQ(received, (QStringList { u"AB12\r"_s, u"CD34\r"_s, u"E東YZ\r"_s }));
}

TEST_F(CommPortTest, DiscardsNulBytesBeforeFramingWhenAsked)
{
    CommPort port(ports);
    record(port);
    port.setNullDiscard(true);
    port.setRTSEnable(true); // a pseudo-terminal has no RTS line: not an error
    open(port, 3);
    peerLine->write(QByteArray("\0S\0T\r\0\0ST", 10));
    peerLine->write(QByteArray("\0\r", 2));
    EXPECT_TRUE(waitFor([&] { return received.size() == 2; }, 5000));
    EXPECT_EQ(received, (QStringList { u"ST\r"_s, u"ST\r"_s }));
    EXPECT_TRUE(port.portOpen());

    CommPort keeping(ports);
    port.setPortOpen(false);
    received.clear();
    record(keeping);
    open(keeping, 3);
    peerLine->write(QByteArray("\0ST", 3));
    EXPECT_TRUE(waitFor([&] { return received.size() == 1; }, 5000));
    EXPECT_EQ(received, QStringList { QString(QChar(0)) + u"ST"_s });
}

TEST_F(CommPortTest, HoldsEventsWhileAHandlerYieldsAndDeliversThemRightAfter)
{
    CommPort port(ports);
    int depth = 0;
    int deepest = 0;
    QObject::connect(&port, &CommPort::comm, &port, [&] {
        ++depth;
        deepest = std::max(deepest, depth);
        received.append(port.Input());
        if (received.size() == 1) {
            // Two more messages complete during the yield.
            peerLine->write("ST2ST3");
            const CommPort::EventHold hold(port);
            EXPECT_TRUE(waitFor([&] { return port.inBufferCount() == 6; }, 5000));
            EXPECT_EQ(received.size(), 1);
        }
        --depth;
    });
    open(port, 3);
    peerLine->write("ST1");
    EXPECT_TRUE(waitFor([&] { return received.size() == 3; }, 5000));
    EXPECT_EQ(received, (QStringList { u"ST1"_s, u"ST2"_s, u"ST3"_s }));
    EXPECT_EQ(deepest, 1);
}

TEST_F(CommPortTest, AHoldOutsideAHandlerDeliversOnceControlReturns)
{
    CommPort port(ports);
    record(port);
    open(port, 3);
    {
        const CommPort::EventHold hold(port);
        peerLine->write("ST\r");
        EXPECT_TRUE(waitFor([&] { return port.inBufferCount() == 3; }, 5000));
        EXPECT_TRUE(received.isEmpty());
    }
    EXPECT_TRUE(received.isEmpty()); // not inside the code that held it
    EXPECT_TRUE(waitFor([&] { return received.size() == 1; }, 5000));
    EXPECT_EQ(received, QStringList { u"ST\r"_s });
}

TEST_F(CommPortTest, ClosingSendsWhatWasWrittenAndDiscardsWhatArrived)
{
    CommPort port(ports);
    record(port);
    open(port, 3);
    peerLine->write("ST");
    EXPECT_TRUE(waitFor([&] { return port.inBufferCount() == 2; }, 5000));
    port.setInBufferCount(0);
    EXPECT_EQ(port.inBufferCount(), 0);
    EXPECT_TRUE(port.Output(u"P1\r"_s));
    EXPECT_TRUE(port.Output(u"/\r"_s));
    port.setPortOpen(false);
    EXPECT_FALSE(port.portOpen());
    EXPECT_EQ(peerLine->readLine(2000), QByteArray("P1\r"));
    EXPECT_EQ(peerLine->readLine(2000), QByteArray("/\r"));
    EXPECT_FALSE(port.Output(u"late\r"_s));
    EXPECT_TRUE(received.isEmpty());
}

TEST_F(CommPortTest, OpenFailuresCarryTheirNumbers)
{
    const auto failureOf = [](CommPort &port) {
        try {
            port.setPortOpen(true);
        } catch (const Failure &failure) {
            return failure.number();
        }
        return 0;
    };
    CommPort missing(ports);
    missing.setCommPort(2);
    EXPECT_EQ(failureOf(missing), FailureNumber::PortNotFound);
    EXPECT_FALSE(missing.portOpen());

    CommPort first(ports);
    open(first, 3);
    CommPort second(ports);
    second.setCommPort(1);
    EXPECT_EQ(failureOf(second), FailureNumber::PortAlreadyOpen);
    EXPECT_EQ(failureOf(first), FailureNumber::PortAlreadyOpen);
    EXPECT_TRUE(first.portOpen());
    first.setPortOpen(false);

    // A pseudo-terminal refuses parity.
    CommPort parity(ports);
    parity.setSettings(*LineSettings::parse(u"2400,e,8,1"));
    EXPECT_EQ(failureOf(parity), FailureNumber::PortSettingsRefused);
    EXPECT_FALSE(parity.portOpen());
    // The device is free again afterwards.
    open(parity, 3);
    EXPECT_TRUE(parity.portOpen());
}

TEST_F(CommPortTest, ALostDeviceClosesThePortAndIsReportedOnce)
{
    CommPort port(ports);
    QSignalSpy failures(&port, &CommPort::failed);
    open(port, 3);
    peerLine->close();
    EXPECT_TRUE(waitFor([&] { return failures.size() > 0; }, 5000));
    QTest::qWait(50);
    ASSERT_EQ(failures.size(), 1);
    EXPECT_EQ(failures.at(0).at(0).toInt(), FailureNumber::DeviceIoError);
    EXPECT_FALSE(port.portOpen());
}

} // namespace
