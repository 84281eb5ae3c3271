// The Windows build's transfers on a real COM port: the real window, with
// the system's port names (port 1 is COM1), against tavorin-pocketpeer on
// the other end of the line.
//
// ComPort.* is what Wine carries: tests/windows/run-on-serial lays a
// pseudo-terminal under Wine's COM1, the peer on its other end, and a
// stand-in for the modem lines (ptymodem.c) that logs the line settings and
// the control lines as the device gets them (TAVORIN_MODEM_LOG).
// Sending.* and Receiving.* are the whole transfers, which need a port that
// Windows itself reads: run them on a Windows PC whose COM1 is cabled to
// the peer, "tavorin-pocketpeer receive" for Sending.* and
// "tavorin-pocketpeer send serial-points.sim" for Receiving.*.
//
// The peer's side, where it runs on the same machine: its output file
// (TAVORIN_PEER_LOG), and a file whose creation tells a sending peer to
// start (TAVORIN_PEER_GO), since opening the port discards what waits.
#include "portresolver.h"
#include "windowfixture.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProgressBar>

#include <iostream>

using namespace tavorin;
using namespace tavorin::test;
using namespace Qt::StringLiterals;

namespace {

// Every wait is bounded: a line that stalls fails the case, never hangs it.
constexpr int TransferTimeoutMs = 10000;

// A file the Linux side names by its Unix path, as Wine shows it (Z: is /);
// empty when the variable is not set.
QString hostFile(const char *variable)
{
    const QString path = qEnvironmentVariable(variable);
    return path.startsWith(u'/') ? u"Z:"_s + path : path;
}

QString readText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// What the peer printed once text appears in it (or the time is up), less
// its first line, which names the device.
QString peerPrinted(const QString &text, int timeoutMs)
{
    const QString log = hostFile("TAVORIN_PEER_LOG");
    QString printed;
    (void)waitFor([&] { return (printed = readText(log)).contains(text); }, timeoutMs);
    return printed.mid(printed.indexOf(u'\n') + 1);
}

// The line as the device last had it, from the modem-line stand-in's log.
QString lastLineState()
{
    const QStringList states
        = readText(hostFile("TAVORIN_MODEM_LOG")).split(u'\n', Qt::SkipEmptyParts);
    return states.value(states.size() - 1, u"(no state logged)"_s);
}

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

    void fillList()
    {
        for (const QString &line : pointLines())
            list(2)->addItem(line);
        ASSERT_EQ(list(2)->lines(), pointLines()); // already in sorted order
    }

    // Tells a sending peer to start: the port is open now.
    static void startPeer()
    {
        const QString go = hostFile("TAVORIN_PEER_GO");
        if (go.isEmpty()) {
            std::cout << "start the peer's sending now\n" << std::flush;
            return;
        }
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
};

using ComPort = SerialLine;
using Sending = SerialLine;
using Receiving = SerialLine;

// A send opens the port at 2400 baud, 8N1, DTR on and RTS off (Windows
// opens it with RTS low; the program sets both lines itself), and the first
// line reaches the pocket computer byte for byte, kanji in code page 932.
TEST_F(ComPort, ASendSetsTheLineAndWritesTheFirstPointLine)
{
    const QString kanjiLine = pointLines()[3];
    list(2)->addItem(kanjiLine);
    command(2)->click();
    ASSERT_TRUE(comm()->portOpen());
    EXPECT_EQ(lastLineState(), u"2400 8N1 DTR=on RTS=off"_s);
    EXPECT_EQ(peerPrinted(kanjiLine, 5000), kanjiLine + u'\n');
    EXPECT_EQ(dialogs.messages().size(), 2); // the two prompts, no failure
    EXPECT_TRUE(comm()->setPortOpen(false).ok());
}

// A reception opens the port at 9600 baud, 8N1, with DTR and RTS on.
TEST_F(ComPort, AReceptionSetsTheLineWithRtsOn)
{
    command(3)->click();
    ASSERT_TRUE(comm()->portOpen());
    EXPECT_EQ(form->transferMode(), u"in"_s);
    EXPECT_EQ(lastLineState(), u"9600 8N1 DTR=on RTS=on"_s);
    EXPECT_EQ(dialogs.messages().size(), 1); // the prompt, no failure
    EXPECT_TRUE(comm()->setPortOpen(false).ok());
}

TEST_F(Sending, EveryLineGoesOutOnItsAcknowledgementThenTheEndMarker)
{
    fillList();
    command(2)->click();
    expectClosedWithin(TransferTimeoutMs, "the send");
    EXPECT_EQ(form->sendIndex(), pointLines().size());
    EXPECT_EQ(dialogs.messages().size(), 2); // the two prompts, no failure
    EXPECT_FALSE(control<QProgressBar>(u"ProgressBar1"_s)->isVisible());
    if (!hostFile("TAVORIN_PEER_LOG").isEmpty()) {
        EXPECT_EQ(peerPrinted(u"end: "_s, 5000), pointLines().join(u'\n') + u"\nend: 4\n"_s);
    }
}

TEST_F(Receiving, EveryRecordIsListedUntilEsc)
{
    command(3)->click();
    ASSERT_TRUE(comm()->portOpen());
    startPeer();
    expectClosedWithin(TransferTimeoutMs, "the reception");
    EXPECT_EQ(list(2)->lines(), pointLines());
    EXPECT_EQ(dialogs.messages().size(), 1); // the prompt, no failure
}

} // namespace
