#include "commport.h"
#include "failure.h"
#include "ptyline.h"

#include <QElapsedTimer>

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

    // Opens port at "9600,n,8,1" for messages of threshold characters.
    static void open(CommPort &port, int threshold)
    {
        port.setSettings(*LineSettings::parse(u"9600,n,8,1"));
        ASSERT_TRUE(port.setPortOpen(true));
        port.setRThreshold(threshold);
    }

    TestPorts ports;
    std::unique_ptr<peer::PeerLine> peerLine;
};

TEST_F(CommPortTest, HeldEventsNeverNestAndComeRightAfterTheHolder)
{
    CommPort port(ports);
    QStringList received;
    QObject::connect(&port, &CommPort::comm, &port, [&] {
        received.append(port.Input());
        if (received.size() == 1) {
            // Two more messages complete while the handler yields; none nests.
            peerLine->write("ST2ST3");
            const CommPort::EventHold hold(port);
            EXPECT_TRUE(waitFor([&] { return port.inBufferCount() == 6; }));
            EXPECT_EQ(received.size(), 1);
        }
    });
    open(port, 3);
    {
        // A hold outside any handler, as at the first line of a send.
        const CommPort::EventHold hold(port);
        peerLine->write("ST1");
        EXPECT_TRUE(waitFor([&] { return port.inBufferCount() == 3; }));
        EXPECT_TRUE(received.isEmpty());
    }
    EXPECT_TRUE(received.isEmpty()); // not inside the code that held it
    EXPECT_TRUE(waitFor([&] { return received.size() == 3; }));
    EXPECT_EQ(received, (QStringList { u"ST1"_s, u"ST2"_s, u"ST3"_s }));
}

// Settings the device refuses fail with 8015 and free it; a line written to
// a closed port fails with 57, and is never silently dropped.
TEST_F(CommPortTest, RefusedSettingsAreFailure8015AndOutputOnAClosedPort57)
{
    CommPort port(ports);
    EXPECT_EQ(port.Output(u"A1\r"_s).failure(), failurenumber::DeviceIoError);
    port.setSettings(*LineSettings::parse(u"2400,e,8,1")); // no parity on a pty
    EXPECT_EQ(port.setPortOpen(true).failure(), failurenumber::PortSettingsRefused);
    EXPECT_FALSE(port.portOpen());
    open(port, 3);
    EXPECT_EQ(port.setPortOpen(true).failure(), failurenumber::PortAlreadyOpen);
    EXPECT_TRUE(port.Output(u"A1\r"_s).ok());
    EXPECT_TRUE(port.setPortOpen(false).ok()); // sends what was written
    EXPECT_EQ(nextLine(*peerLine), QByteArray("A1\r"));
    EXPECT_EQ(port.Output(u"A2\r"_s).failure(), failurenumber::DeviceIoError);
}

// Closing ends the port for the program at once, but lets the device go
// only once what was written has had its time on the wire: closing sets
// the line back to the device's earlier settings. When everything written
// has long left, the device is let go once the last write's time on the
// wire and an adapter's margin have passed, not at the bound for a device
// that never takes its bytes (2 s). Opening again at once lets it go first.
TEST_F(CommPortTest, ClosingLetsTheDeviceGoOnceTheLastBytesHaveHadTheirTimeOnTheWire)
{
    CommPort port(ports);
    port.setSettings(*LineSettings::parse(u"2400,n,8,1"));
    ASSERT_TRUE(port.setPortOpen(true));
    ASSERT_TRUE(port.Output(u"/\r"_s));
    EXPECT_EQ(nextLine(*peerLine), QByteArray("/\r"));
    QTest::qWait(100); // the bytes have left, and bytesWritten has come and gone
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(port.setPortOpen(false));
    EXPECT_TRUE(port.holdsDevice());
    EXPECT_TRUE(waitFor([&] { return !port.holdsDevice(); }, 1500));
    EXPECT_LT(clock.elapsed(), 1000);

    for (const int wait : { 300, 0 }) {
        ASSERT_TRUE(port.setPortOpen(true));
        const QString line = QString(119, u'A') + u'\r'; // 500 ms at 2400 baud
        ASSERT_TRUE(port.Output(line));
        ASSERT_TRUE(port.setPortOpen(false));
        EXPECT_FALSE(port.portOpen());
        QTest::qWait(wait);
        EXPECT_TRUE(port.holdsDevice());
        EXPECT_EQ(nextLine(*peerLine), line.toLatin1());
    }
    EXPECT_TRUE(waitFor([&] { return !port.holdsDevice(); }, 1000));
    open(port, 3);
}

} // namespace
