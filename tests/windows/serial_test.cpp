// The Windows build's transfers on a real COM port: the real window, with
// the system's port names (port 1 is COM1), against tavorin-pocketpeer on
// the other end of the line. Each case needs the peer in one role:
// "tavorin-pocketpeer receive" for Sending.*, "tavorin-pocketpeer send
// FILE" for Receiving.* (serial-points.sim, or 999 points P1..P999 with x
// i.250 and y -i.500), "--hang-up-after 2" for the cases of a pocket
// computer that goes away, and "--ack-delay 300" for the slow one. tests/windows/run-on-serial runs
// them under Wine with a pseudo-terminal as COM1; on a Windows PC, start the peer by hand with COM1
// cabled to it.
//
// Where the peer runs on the same machine, the case reads the peer's output
// (TAVORIN_PEER_LOG), tells a sending peer to start by making a file
// (TAVORIN_PEER_GO), and reads the line settings and control lines as the
// device had them (TAVORIN_MODEM_LOG, from the modem-line stand-in).
#include "failure.h"
#include "portresolver.h"
#include "windowfixture.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProgressBar>

#include <iostream>

using namespace tavorin;
using namespace tavorin::test;
using namespace Qt::StringLiterals;

namespace {

// Every wait is bounded: a line that stalls fails the case, never hangs it.
constexpr int TransferTimeoutMs = 120000;

// A file the Linux side names by its Unix path, as Wine shows it (Z: is /);
// empty when the variable is not set.
QString hostFile(const char *variable)
{
    const QString path = qEnvironmentVariable(variable);
    return path.startsWith(u'/') ? u"Z:"_s + path : path;
}

// What the peer printed once text appears in it (or the time is up), less
// its first line, which names the device. Empty without a peer log.
QString peerPrinted(const QString &text, int timeoutMs = 5000)
{
    const QString log = hostFile("TAVORIN_PEER_LOG");
    QString printed;
    if (!log.isEmpty())
        (void)waitFor([&] { return (printed = QString::fromUtf8(fileBytes(log))).contains(text); },
            timeoutMs);
    return printed.mid(printed.indexOf(u'\n') + 1);
}

// The points of serial-points.sim, as list lines in sorted order.
const QStringList &pointLines()
{
    static const QStringList lines {
        listLine(u"K10"_s, u"12345678.123"_s, u"-1.500"_s),
        listLine(u"P1"_s, u"-35120.412"_s, u"18240.355"_s),
        listLine(u"T2"_s, u"0.000"_s, u"0.000"_s),
        listLine(u"東京1"_s, u"100.500"_s, u"-20.250"_s),
    };
    return lines;
}

// The 999 points P1..P999 as list lines, sorted as the list sorts them.
QStringList manyPointLines()
{
    QStringList lines;
    for (int i = 1; i <= 999; ++i)
        lines << listLine(u"P%1"_s.arg(i), u"%1.250"_s.arg(i), u"-%1.500"_s.arg(i));
    lines.sort();
    return lines;
}

class SerialLine : public WindowTest
{
protected:
    void SetUp() override
    {
        ports = std::make_unique<SystemPortResolver>();
        createWindow();
        ASSERT_EQ(form->portNumber(), 1);
    }

    CommPort *comm() const { return control<CommPort>(u"MSComm1"_s); }
    QProgressBar *progress() const { return control<QProgressBar>(u"ProgressBar1"_s); }

    void fillList(const QStringList &lines)
    {
        for (const QString &line : lines)
            list(2)->addItem(line);
        ASSERT_EQ(list(2)->lines(), lines); // already in sorted order
    }

    // Starts a send, which opens the port at 2400 baud, 8N1, DTR on and RTS
    // off (Windows opens it with RTS low; the program sets both lines).
    void startSend()
    {
        command(2)->click();
        ASSERT_TRUE(comm()->portOpen());
        if (!hostFile("TAVORIN_MODEM_LOG").isEmpty()) {
            EXPECT_EQ(lastLineState(hostFile("TAVORIN_MODEM_LOG")), u"2400 8N1 DTR=on RTS=off"_s);
        }
    }

    // Starts a reception at 9600 baud, 8N1, DTR and RTS on, then tells a
    // sending peer to start: the port is open now.
    void startReception()
    {
        command(3)->click();
        ASSERT_TRUE(comm()->portOpen());
        EXPECT_EQ(form->transferMode(), u"in"_s);
        const QString go = hostFile("TAVORIN_PEER_GO");
        if (go.isEmpty()) {
            std::cout << "start the peer's sending now\n" << std::flush;
            return;
        }
        EXPECT_EQ(lastLineState(hostFile("TAVORIN_MODEM_LOG")), u"9600 8N1 DTR=on RTS=on"_s);
        QFile file(go);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << go.toStdString();
    }

    // Waits until the port closes: the transfer ended or failed.
    void expectClosedWithin(int timeoutMs, const char *transfer)
    {
        QElapsedTimer clock;
        clock.start();
        const bool closed = waitFor([&] { return !comm()->portOpen(); }, timeoutMs);
        std::cout << transfer << " took " << clock.elapsed() << " ms\n";
        EXPECT_TRUE(closed) << transfer << " did not end";
    }

    // A send of lines, whole: each goes out on its acknowledgement, then
    // the end marker, with no failure shown.
    void expectWholeSend(const QStringList &lines)
    {
        fillList(lines);
        startSend();
        expectClosedWithin(TransferTimeoutMs, "the send");
        EXPECT_EQ(form->sendIndex(), lines.size());
        EXPECT_EQ(dialogs.messages.size(), 2); // the two prompts, no failure
        EXPECT_FALSE(progress()->isVisible());
        if (!hostFile("TAVORIN_PEER_LOG").isEmpty()) {
            EXPECT_EQ(
                peerPrinted(u"end: "_s), lines.join(u'\n') + u"\nend: %1\n"_s.arg(lines.size()));
        }
    }

    // The line went away mid-transfer: 57 shown once, after the prompts,
    // the port closed and the transfer list kept.
    void expectLostLine(qsizetype prompts, const QStringList &kept)
    {
        expectClosedWithin(TransferTimeoutMs, "the transfer");
        (void)waitFor([&] { return dialogs.messages.size() > prompts; });
        (void)waitFor([] { return false; }, 200); // a second report would come now
        ASSERT_EQ(dialogs.messages.size(), prompts + 1);
        EXPECT_EQ(dialogs.messages.last().prompt,
            u"エラーコード  "_s + QString::number(failurenumber::DeviceIoError));
        EXPECT_FALSE(progress()->isVisible());
        EXPECT_EQ(list(2)->lines(), kept);
    }
};

using Sending = SerialLine;
using Receiving = SerialLine;

TEST_F(Sending, EveryLineGoesOutOnItsAcknowledgementThenTheEndMarker)
{
    expectWholeSend(pointLines());
}

TEST_F(Sending, NineHundredNinetyNineLines)
{
    expectWholeSend(manyPointLines());
}

// A pocket computer that answers each line 300 ms after it
// ("tavorin-pocketpeer receive --ack-delay 300"), long after the line's time
// on the wire: the port is the program's until the end marker has gone.
TEST_F(Sending, FourLinesToASlowPocketComputer)
{
    expectWholeSend(pointLines());
}

TEST_F(Sending, FiftyLinesToASlowPocketComputer)
{
    expectWholeSend(manyPointLines().mid(0, 50));
}

TEST_F(Sending, APocketComputerThatGoesAwayIsReportedOnce)
{
    fillList(pointLines());
    startSend();
    expectLostLine(2, pointLines());
    EXPECT_EQ(peerPrinted(u"no end marker"_s),
        pointLines().mid(0, 2).join(u'\n') + u'\n' + u"no end marker: 2\n"_s);
}

TEST_F(Receiving, EveryRecordIsListedUntilEsc)
{
    startReception();
    expectClosedWithin(TransferTimeoutMs, "the reception");
    EXPECT_EQ(list(2)->lines(), pointLines());
    EXPECT_EQ(dialogs.messages.size(), 1); // the prompt, no failure
}

TEST_F(Receiving, NineHundredNinetyNineRecords)
{
    startReception();
    expectClosedWithin(TransferTimeoutMs, "the reception");
    QStringList received = list(2)->lines();
    received.sort();
    EXPECT_EQ(received, manyPointLines());
    EXPECT_EQ(dialogs.messages.size(), 1);
}

TEST_F(Receiving, APocketComputerThatGoesAwayIsReportedOnce)
{
    startReception();
    // The first two records of serial-points.sim: P1, then 東京1.
    expectLostLine(1, { pointLines()[1], pointLines()[3] });
}

} // namespace
