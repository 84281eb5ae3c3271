// The two transfers end to end: the real window, offscreen, against the
// pocket computer peer on a pseudo-terminal pair.
#include "codepage932.h"
#include "commport.h"
#include "failure.h"
#include "ptyline.h"
#include "windowfixture.h"

#include <QMenu>
#include <QProgressBar>
#include <QTemporaryDir>

#include <thread>

using namespace tavorin;
using namespace tavorin::test;
using namespace Qt::StringLiterals;

namespace {

QByteArray wire(const QString &line)
{
    return cp932::encode(line + u'\r');
}

class TransferTest : public WindowTest
{
protected:
    void SetUp() override
    {
        peerLine = newPty();
        ASSERT_NE(peerLine, nullptr);
        auto pty = std::make_unique<TestPorts>();
        pty->devices = { peerLine->deviceName() };
        ports = std::move(pty);
        // The control lines the program sets, as the modem-line stand-in
        // in this program logs them.
        qputenv("TAVORIN_MODEM_LOG", modemLog.toLocal8Bit());
        createWindow();
    }
    void TearDown() override { qunsetenv("TAVORIN_MODEM_LOG"); }

    CommPort *comm() const { return control<CommPort>(u"MSComm1"_s); }
    QProgressBar *progress() const { return control<QProgressBar>(u"ProgressBar1"_s); }
    QLabel *label4() const { return label(u"Label4"_s); }
    // The count under the port label and the bar's value/maximum, as
    // "2/3 2/2", or "hidden": the two show together.
    QString progressShown() const
    {
        EXPECT_EQ(label4()->isVisible(), progress()->isVisible());
        return !progress()->isVisible() ? u"hidden"_s
                                        : u"%1 %2/%3"_s.arg(label4()->text())
                                              .arg(progress()->value())
                                              .arg(progress()->maximum());
    }
    void fillList(int count)
    {
        for (int i = 1; i <= count; ++i)
            list(2)->addItem(listLine(u"A%1"_s.arg(i), QString::number(i), u"1"_s));
    }
    // The messages shown so far number shown, the last one failure number.
    void expectFailureShown(int number, qsizetype shown)
    {
        EXPECT_EQ(prompts().mid(shown - 1), QStringList { failure(number) });
        EXPECT_FALSE(comm()->portOpen());
        EXPECT_EQ(progressShown(), u"hidden"_s);
    }

    // Sends count lines to a pocket computer that answers each delayMs
    // after it: each arrives once, in list order, then the end marker, and
    // the device is let go once the marker has left.
    void expectWholeSend(int count, int delayMs = 0)
    {
        list(2)->clear();
        fillList(count);
        dialogs.clearRecord();
        peer::ReceiverOptions options;
        options.acknowledgementDelayMs = delayMs;
        peer::ReceiverResult result;
        std::thread pocket([&] { result = peer::receiveLines(*peerLine, options); });
        command(2)->click();
        EXPECT_TRUE(waitFor([&] { return !comm()->holdsDevice(); }, 60000));
        pocket.join();
        EXPECT_TRUE(result.endMarker) << count;
        ASSERT_EQ(result.lines.size(), count);
        for (int i = 0; i < count; ++i)
            ASSERT_EQ(result.lines[i], cp932::encode(list(2)->item(i))) << i;
        EXPECT_EQ(form->sendIndex(), count);
        EXPECT_EQ(label4()->text(), u"%1/%1"_s.arg(count));
        EXPECT_EQ(dialogs.messages.size(), 2); // the prompts, no failure
    }

    std::unique_ptr<peer::PeerLine> peerLine;
    QTemporaryDir logFolder;
    const QString modemLog = logFolder.filePath(u"modem.log"_s);
};

using Sending = TransferTest;

TEST_F(Sending, AsksOnlyWithLinesToSendAndCancelLeavesThePortShut)
{
    command(2)->click(); // nothing to send
    fillList(1);
    option(2, 1)->click(); // the other direction
    command(2)->click();
    EXPECT_TRUE(dialogs.messages.isEmpty());
    option(2, 0)->click();
    dialogs.answerNextMessage(MessageAnswer::Cancel); // the first has only OK
    dialogs.answerNextMessage(MessageAnswer::Cancel);
    command(2)->click();
    EXPECT_EQ(list(2)->listCount(), 1);
    EXPECT_EQ(progressShown(), u"hidden"_s);
    // Cancelling a reception turns off what a reception turns on.
    comm()->setNullDiscard(true);
    comm()->setRTSEnable(true);
    dialogs.answerNextMessage(MessageAnswer::Cancel);
    command(3)->click();
    EXPECT_EQ(list(2)->listCount(), 0);
    EXPECT_FALSE(comm()->nullDiscard());
    EXPECT_FALSE(comm()->rtsEnable());

    EXPECT_EQ(prompts(),
        QStringList({ u"メッセージ|ポケコン側で、受信出来るようにセットして下さい。"_s,
            u"メッセージ|転送用リストでよければＯＫボタン、そうでなければキャンセルボタンを"_s,
            u"メッセージ|ポケコン側で、送信して下さい。"_s }));
    QList<MessageButtons> buttons;
    for (const auto &m : dialogs.messages) {
        EXPECT_EQ(m.icon, MessageIcon::Exclamation);
        buttons << m.buttons;
    }
    EXPECT_EQ(
        buttons, QList({ MessageButtons::Ok, MessageButtons::OkCancel, MessageButtons::OkCancel }));
    EXPECT_FALSE(comm()->portOpen());
    EXPECT_EQ(form->transferMode(), QString());
    EXPECT_EQ(drain(*peerLine, 50), QByteArray());
}

TEST_F(Sending, OneOrManyLinesGoOutInListOrderOnePerAcknowledgementThenTheEndMarker)
{
    // Only the first two characters count: before each acknowledgement
    // comes a message that is not one.
    const char *const refused[] = { "st\r", " ST", "SX\r", "sT\r", "S\rS" };
    const char *const acknowledgements[] = { "ST\r", "STx" };
    int sent = 0;
    for (const QStringList &names :
        { QStringList { u"東京タワー"_s }, { u"C3"_s, u"a1"_s, u"B2"_s, u"A1"_s } }) {
        list(2)->clear();
        for (const QString &name : names)
            list(2)->addItem(listLine(name, u"-123.456"_s, u"98.7"_s));
        const QStringList lines = list(2)->lines();
        command(2)->click();
        EXPECT_EQ(lastLineState(modemLog), u"2400 8N1 DTR=on RTS=off"_s);
        EXPECT_EQ(form->transferMode(), u"out"_s);
        for (int i = 0; i < lines.size(); ++i, ++sent) {
            const QString shown = u"%1/%2 %1/%2"_s.arg(i + 1).arg(lines.size());
            EXPECT_EQ(nextLine(*peerLine), wire(lines[i])) << i;
            EXPECT_EQ(progressShown(), shown);
            peerLine->write(refused[sent]);
            EXPECT_EQ(drain(*peerLine, 60), QByteArray()) << refused[sent];
            EXPECT_EQ(progressShown(), shown) << refused[sent];
            peerLine->write(acknowledgements[sent % 2]);
        }
        EXPECT_EQ(nextLine(*peerLine), QByteArray("/\r"));
        EXPECT_TRUE(waitFor([&] { return !comm()->portOpen(); }));
        EXPECT_EQ(progressShown(), u"hidden"_s);
        EXPECT_EQ(form->sendIndex(), lines.size());
        EXPECT_EQ(drain(*peerLine, 50), QByteArray());
    }
}

// The count under the port label shows whole, in a label grown for it or,
// at 32769 lines, in a smaller font; a short count puts it back in place.
TEST_F(Sending, AFastPocketComputerGetsEveryLineOnceEvenPastSixteenBitsAndTheCountShowsWhole)
{
    const QRect place = label4()->geometry(); // "Label4" fits its place
    for (const int count : { 32769, 999, 3 }) { // 32769: past a 16-bit position
        expectWholeSend(count);
        EXPECT_EQ(progress()->value(), count);
        expectWholeCaption(label4());
    }
    EXPECT_EQ(label4()->geometry(), place);
    EXPECT_EQ(label4()->font(), label(u"Label3"_s)->font());
}

// A pocket computer that stores each line before it answers, long after
// the line's time on the wire: the port stays the program's until the end
// marker has gone out, then lets the device go.
TEST_F(Sending, ASlowPocketComputerGetsEveryLineAndTheEndMarker)
{
    for (const int count : { 4, 50 })
        expectWholeSend(count, 300);
}

// Window events run during the yield after a write: a port chosen then
// leaves the open one in use, and a line added counts in the total but not
// in the bar.
TEST_F(Sending, WindowEventsRunDuringASendALineAddedCountsInTheTotalButNotInTheBar)
{
    fillList(2);
    // Queued before the click, it runs at the first event processing.
    QMetaObject::invokeMethod(menuAction(u"Com2"_s), &QAction::trigger, Qt::QueuedConnection);
    command(2)->click();
    EXPECT_EQ(form->portNumber(), 2);
    EXPECT_EQ(nextLine(*peerLine), wire(list(2)->item(0)));
    list(2)->addItem(listLine(u"A3"_s, u"3"_s, u"1"_s));
    QStringList shown;
    for (int i = 1; i <= 3; ++i) {
        peerLine->write("ST\r");
        EXPECT_EQ(nextLine(*peerLine), i < 3 ? wire(list(2)->item(i)) : "/\r") << i;
        shown << progressShown();
    }
    EXPECT_EQ(shown, QStringList({ u"2/3 2/2"_s, u"3/3 2/2"_s, u"hidden"_s }));
}

// A port that does not exist, one already open, and a further port chosen
// in the menu that carries a transfer and then one that is unplugged (8002).
TEST_F(Sending, PortsThatCannotBeOpenedAreReportedAndNothingStarts)
{
    menuAction(u"Com3"_s)->trigger();
    command(3)->click();
    expectFailureShown(failurenumber::PortNotFound, 2);
    EXPECT_EQ(form->transferMode(), QString());

    fillList(1);
    menuAction(u"Com1"_s)->trigger();
    CommPort other(*ports);
    ASSERT_TRUE(other.setPortOpen(true));
    command(2)->click();
    expectFailureShown(failurenumber::PortAlreadyOpen, 5);
    EXPECT_EQ(form->transferMode(), QString());
    EXPECT_EQ(list(2)->listCount(), 1);

    const auto adapter = newPty();
    ASSERT_NE(adapter, nullptr);
    static_cast<TestPorts &>(*ports).further
        = { u"/dev/tavorin-test-gone"_s, adapter->deviceName() };
    auto *menu = control<QMenu>(u"ComPort"_s);
    menu->popup(QPoint());
    menu->actions().value(5)->trigger();
    command(2)->click();
    EXPECT_EQ(nextLine(*adapter), wire(list(2)->item(0)));
    menu->actions().value(4)->trigger();
    command(2)->click(); // closes the adapter's port, then cannot open the next one
    expectFailureShown(failurenumber::PortNotFound, 10);
}

TEST_F(Sending, APocketComputerThatGoesAwayIsReportedOnce)
{
    fillList(2);
    command(2)->click();
    EXPECT_EQ(nextLine(*peerLine), wire(list(2)->item(0)));
    peerLine->close(); // failure 57, once
    EXPECT_TRUE(waitFor([&] { return dialogs.messages.size() > 2; }));
    QTest::qWait(50);
    expectFailureShown(failurenumber::DeviceIoError, 3);
    EXPECT_EQ(list(2)->listCount(), 2);
}

using Receiving = TransferTest;

TEST_F(Receiving, RecordsStandInSortedOrderHoweverTheBytesArriveUntilEsc)
{
    command(3)->click();
    EXPECT_EQ(lastLineState(modemLog), u"9600 8N1 DTR=on RTS=on"_s);
    EXPECT_EQ(form->transferMode(), u"in"_s);

    // The end message may look like a record after its ESC; what follows
    // it is not read.
    QByteArray end = peer::pointRecord(u"P9"_s, u"9"_s, u"9"_s);
    end[0] = '\x1b';
    QByteArray bytes = peer::pointRecord(u"P3"_s, u"3"_s, u"-0.0004"_s)
        + peer::pointRecord(u"東京1"_s, u"100.5"_s, u"-20.25"_s)
        + peer::pointRecord(u"P1"_s, u"2.0005"_s, u"1"_s)
        + peer::pointRecord(u"p2"_s, u""_s, u"x"_s)
        + peer::pointRecord(u"P1"_s, u"2.0005"_s, u"1"_s) + end
        + peer::pointRecord(u"Z9"_s, u"9"_s, u"9"_s);
    // NULs among the bytes, one between the bytes of 東.
    bytes.insert(120, '\0');
    bytes.insert(36, '\0');
    bytes.insert(0, QByteArray(2, '\0'));
    // Split after 東's lead byte and after the NUL, then two records in one.
    qsizetype at = 0;
    for (qsizetype piece : { 1, 1, 2, 34, 1, 1, 70, 3 }) {
        peerLine->write(bytes.mid(at, piece));
        at += piece;
        QTest::qWait(2);
    }
    peerLine->write(bytes.mid(at));
    EXPECT_TRUE(waitFor([&] { return !comm()->portOpen(); }));
    QTest::qWait(20);
    EXPECT_EQ(list(2)->lines(),
        (QStringList {
            listLine(u"P1"_s, u"2.001"_s, u"1.000"_s),
            listLine(u"P1"_s, u"2.001"_s, u"1.000"_s),
            listLine(u"p2"_s, u"0.000"_s, u"0.000"_s),
            listLine(u"P3"_s, u"3.000"_s, u"0.000"_s),
            listLine(u"東京1"_s, u"100.500"_s, u"-20.250"_s),
        }));
}

// Records waiting to be listed when the line goes away are listed all the
// same, and only then is the loss reported.
TEST_F(Receiving, RecordsWaitingWhenThePocketComputerGoesAwayAreStillListed)
{
    command(3)->click();
    {
        const CommPort::EventHold hold(*comm());
        peerLine->write(peer::pointRecord(u"P2"_s, u"3"_s, u"4"_s)
            + peer::pointRecord(u"P1"_s, u"1"_s, u"2"_s));
        ASSERT_TRUE(waitFor([&] { return comm()->inBufferCount() == 70; }));
        peerLine->close();
        ASSERT_TRUE(waitFor([&] { return !comm()->portOpen(); }));
        EXPECT_EQ(dialogs.messages.size(), 1);
    }
    EXPECT_TRUE(waitFor([&] { return dialogs.messages.size() > 1; }));
    QTest::qWait(50);
    expectFailureShown(failurenumber::DeviceIoError, 2);
    EXPECT_EQ(list(2)->lines(),
        (QStringList { listLine(u"P1"_s, u"1.000"_s, u"2.000"_s),
            listLine(u"P2"_s, u"3.000"_s, u"4.000"_s) }));
}

} // namespace
