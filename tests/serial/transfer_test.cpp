// The two transfers end to end: the real window, offscreen, against the
// pocket computer peer on a pseudo-terminal pair.
#include "codepage932.h"
#include "commport.h"
#include "failure.h"
#include "ptyline.h"
#include "windowfixture.h"
#include "windowtext.h"

#include <QProgressBar>

#include <thread>

using namespace tavorin;
using namespace tavorin::test;
using namespace Qt::StringLiterals;

namespace {

QString listLine(const QString &name, const QString &x, const QString &y)
{
    return name.leftJustified(8) + x.rightJustified(13) + y.rightJustified(13);
}

class TransferTest : public WindowTest
{
protected:
    void SetUp() override
    {
        peerLine = newPty();
        ASSERT_NE(peerLine, nullptr);
        auto pty = std::make_unique<PtyPorts>();
        pty->devices = { peerLine->deviceName() };
        ports = std::move(pty);
        createWindow();
    }

    CommPort *comm() const { return control<CommPort>(u"MSComm1"_s); }
    QProgressBar *progress() const { return control<QProgressBar>(u"ProgressBar1"_s); }
    void fillList(const QStringList &lines)
    {
        for (const QString &line : lines)
            list(2)->addItem(line);
    }
    QString failurePrompt(int number) const
    {
        return WindowText::ErrorPromptPrefix + u' ' + QString::number(number);
    }
    void expectFailureShown(int number)
    {
        ASSERT_FALSE(dialogs.messages().isEmpty());
        const auto &last = dialogs.messages().last();
        EXPECT_EQ(last.prompt, failurePrompt(number));
        EXPECT_EQ(last.title, WindowText::ErrorTitle);
        EXPECT_EQ(last.buttons, MessageButtons::Ok);
    }
    static QByteArray wire(const QString &line) { return cp932::encode(line + u'\r'); }

    std::unique_ptr<peer::PeerLine> peerLine;
};

using Sending = TransferTest;

TEST_F(Sending, DoesNothingWithAnEmptyListOrTheOtherDirection)
{
    command(2)->click();
    fillList({ listLine(u"A1"_s, u"1"_s, u"2"_s) });
    option(2, 1)->click();
    command(2)->click();
    EXPECT_TRUE(dialogs.messages().isEmpty());
    EXPECT_FALSE(comm()->portOpen());
    EXPECT_EQ(form->TransferMode, QString());
    EXPECT_FALSE(progress()->isVisible());
    EXPECT_EQ(drain(*peerLine, 50), QByteArray());
}

TEST_F(Sending, AsksTwiceAndCancelChangesNothing)
{
    fillList({ listLine(u"A1"_s, u"1"_s, u"2"_s) });
    dialogs.answerNextMessage(MessageAnswer::Cancel); // the first has only OK
    dialogs.answerNextMessage(MessageAnswer::Cancel);
    command(2)->click();
    ASSERT_EQ(dialogs.messages().size(), 2);
    EXPECT_EQ(dialogs.messages()[0].prompt, WindowText::SendReadyPrompt);
    EXPECT_EQ(dialogs.messages()[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(dialogs.messages()[1].prompt, WindowText::SendConfirmPrompt);
    EXPECT_EQ(dialogs.messages()[1].buttons, MessageButtons::OkCancel);
    for (const auto &message : dialogs.messages()) {
        EXPECT_EQ(message.title, WindowText::MessageTitle);
        EXPECT_EQ(message.icon, MessageIcon::Exclamation);
    }
    EXPECT_FALSE(comm()->portOpen());
    EXPECT_EQ(form->TransferMode, QString());
    EXPECT_FALSE(progress()->isVisible());
    EXPECT_FALSE(label(u"Label4"_s)->isVisible());
    EXPECT_EQ(drain(*peerLine, 50), QByteArray());
}

TEST_F(Sending, OneLineThenTheEndMarkerAndThePortCloses)
{
    const QString line = listLine(u"東京タワー"_s, u"-123.456"_s, u"98.7"_s);
    fillList({ line });
    command(2)->click();
    EXPECT_EQ(dialogs.messages().size(), 2);
    EXPECT_TRUE(comm()->portOpen());
    EXPECT_EQ(comm()->settings(), *LineSettings::parse(u"2400,n,8,1"));
    EXPECT_EQ(comm()->rThreshold(), 3);
    EXPECT_EQ(form->TransferMode, u"out"_s);
    EXPECT_EQ(form->SendIndex, 0);
    // Written at once, before anything came from the pocket computer.
    EXPECT_EQ(nextLine(*peerLine), wire(line));
    EXPECT_TRUE(progress()->isVisible());
    EXPECT_EQ(progress()->minimum(), 0);
    EXPECT_EQ(progress()->maximum(), 1);
    EXPECT_EQ(progress()->value(), 1);
    EXPECT_TRUE(label(u"Label4"_s)->isVisible());
    EXPECT_EQ(label(u"Label4"_s)->text(), u"1/1"_s);

    peerLine->write("ST\r");
    EXPECT_EQ(nextLine(*peerLine), QByteArray("/\r"));
    EXPECT_TRUE(waitFor([&] { return !comm()->portOpen(); }, 5000));
    EXPECT_FALSE(progress()->isVisible());
    EXPECT_FALSE(label(u"Label4"_s)->isVisible());
    EXPECT_EQ(label(u"Label4"_s)->text(), u"1/1"_s);
    EXPECT_EQ(form->SendIndex, 1);
    EXPECT_EQ(form->TransferMode, u"out"_s);
    EXPECT_EQ(drain(*peerLine, 50), QByteArray());
}

TEST_F(Sending, ManyLinesGoOutInListOrderOnePerAcknowledgement)
{
    fillList({ listLine(u"C3"_s, u"3"_s, u"3"_s), listLine(u"a1"_s, u"1"_s, u"1"_s),
        listLine(u"B2"_s, u"2.5"_s, u"-2"_s), listLine(u"A1"_s, u"1"_s, u"1"_s) });
    const QStringList lines = list(2)->lines();
    ASSERT_EQ(lines.size(), 4);
    command(2)->click();
    for (int i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(nextLine(*peerLine), wire(lines[i])) << i;
        EXPECT_EQ(progress()->value(), i + 1);
        EXPECT_EQ(label(u"Label4"_s)->text(), u"%1/4"_s.arg(i + 1));
        peerLine->write("ST\r");
    }
    EXPECT_EQ(nextLine(*peerLine), QByteArray("/\r"));
    EXPECT_TRUE(waitFor([&] { return !comm()->portOpen(); }, 5000));
    EXPECT_EQ(form->SendIndex, 4);
}

TEST_F(Sending, OnlyMessagesBeginningWithStAcknowledge)
{
    fillList({ listLine(u"A1"_s, u"1"_s, u"1"_s), listLine(u"B1"_s, u"2"_s, u"2"_s) });
    command(2)->click();
    EXPECT_EQ(nextLine(*peerLine), wire(list(2)->item(0)));
    for (const char *refused : { "st\r", " ST", "SX\r", "sT\r" }) {
        peerLine->write(refused);
        EXPECT_EQ(drain(*peerLine, 60), QByteArray()) << refused;
        EXPECT_EQ(label(u"Label4"_s)->text(), u"1/2"_s) << refused;
    }
    EXPECT_TRUE(comm()->portOpen());
    EXPECT_TRUE(progress()->isVisible());
    peerLine->write("STx");
    EXPECT_EQ(nextLine(*peerLine), wire(list(2)->item(1)));
    peerLine->write("ST\r");
    EXPECT_EQ(nextLine(*peerLine), QByteArray("/\r"));
}

TEST_F(Sending, AFastPocketComputerGetsEveryLineOnce)
{
    QStringList lines;
    for (int i = 0; i < 300; ++i)
        lines.append(listLine(u"P%1"_s.arg(i, 4, 10, QChar(u'0')), u"%1.5"_s.arg(i), u"-1"_s));
    fillList(lines);
    peer::ReceiverResult result;
    std::thread pocket([&] { result = peer::receiveLines(*peerLine); });
    command(2)->click();
    EXPECT_TRUE(waitFor([&] { return !comm()->portOpen(); }, 20000));
    pocket.join();
    EXPECT_TRUE(result.endMarker);
    ASSERT_EQ(result.lines.size(), lines.size());
    for (int i = 0; i < lines.size(); ++i)
        EXPECT_EQ(result.lines[i], cp932::encode(lines[i])) << i;
    EXPECT_EQ(label(u"Label4"_s)->text(), u"300/300"_s);
    EXPECT_EQ(form->SendIndex, 300);
}

TEST_F(Sending, WindowEventsRunDuringTheYieldAfterAWrite)
{
    fillList({ listLine(u"A1"_s, u"1"_s, u"1"_s) });
    dialogs.whileNextMessageIsShown([] {});
    dialogs.whileNextMessageIsShown([this] {
        QMetaObject::invokeMethod(menuAction(u"Com2"_s), &QAction::trigger, Qt::QueuedConnection);
    });
    command(2)->click();
    EXPECT_EQ(form->PortNumber, 2); // chosen during the yield...
    EXPECT_EQ(nextLine(*peerLine), wire(list(2)->item(0))); // ...the open port kept
}

TEST_F(Sending, AMissingPortIsReportedAndNothingStarts)
{
    fillList({ listLine(u"A1"_s, u"1"_s, u"1"_s) });
    menuAction(u"Com3"_s)->trigger();
    command(2)->click();
    ASSERT_EQ(dialogs.messages().size(), 3);
    expectFailureShown(FailureNumber::PortNotFound);
    EXPECT_EQ(dialogs.messages().last().icon, MessageIcon::Question);
    EXPECT_FALSE(progress()->isVisible());
    EXPECT_FALSE(label(u"Label4"_s)->isVisible());
    EXPECT_FALSE(comm()->portOpen());
    EXPECT_EQ(form->TransferMode, QString());
    EXPECT_EQ(list(2)->listCount(), 1);
}

TEST_F(Sending, APortInUseIsReported)
{
    CommPort other(*ports);
    other.setPortOpen(true);
    fillList({ listLine(u"A1"_s, u"1"_s, u"1"_s) });
    command(2)->click();
    expectFailureShown(FailureNumber::PortAlreadyOpen);
    EXPECT_FALSE(progress()->isVisible());
    EXPECT_EQ(form->TransferMode, QString());
}

TEST_F(Sending, APocketComputerThatGoesAwayIsReportedOnce)
{
    fillList({ listLine(u"A1"_s, u"1"_s, u"1"_s), listLine(u"B1"_s, u"2"_s, u"2"_s) });
    command(2)->click();
    EXPECT_EQ(nextLine(*peerLine), wire(list(2)->item(0)));
    peerLine->close();
    EXPECT_TRUE(waitFor([&] { return dialogs.messages().size() == 3; }, 5000));
    QTest::qWait(50);
    ASSERT_EQ(dialogs.messages().size(), 3);
    expectFailureShown(FailureNumber::DeviceIoError);
    EXPECT_FALSE(comm()->portOpen());
    EXPECT_FALSE(progress()->isVisible());
    EXPECT_FALSE(label(u"Label4"_s)->isVisible());
    EXPECT_EQ(list(2)->listCount(), 2);
}

TEST_F(Sending, ASecondSendDuringTheFirstStartsAfreshOnTheSamePort)
{
    fillList({ listLine(u"A1"_s, u"1"_s, u"1"_s), listLine(u"B1"_s, u"2"_s, u"2"_s) });
    command(2)->click();
    EXPECT_EQ(nextLine(*peerLine), wire(list(2)->item(0)));
    command(2)->click();
    EXPECT_EQ(dialogs.messages().size(), 4);
    EXPECT_EQ(nextLine(*peerLine), wire(list(2)->item(0)));
    EXPECT_EQ(label(u"Label4"_s)->text(), u"1/2"_s);
    EXPECT_EQ(progress()->value(), 1);
    peerLine->write("ST\r");
    EXPECT_EQ(nextLine(*peerLine), wire(list(2)->item(1)));
    peerLine->write("ST\r");
    EXPECT_EQ(nextLine(*peerLine), QByteArray("/\r"));
    EXPECT_TRUE(waitFor([&] { return !comm()->portOpen(); }, 5000));
    EXPECT_EQ(drain(*peerLine, 50), QByteArray());
}

using Receiving = TransferTest;

QByteArray record(const QString &name, const QString &x, const QString &y)
{
    return peer::pointRecord(name, x, y);
}

TEST_F(Receiving, CancelLeavesAnEmptyListAndThePortShut)
{
    fillList({ listLine(u"A1"_s, u"1"_s, u"1"_s) });
    dialogs.answerNextMessage(MessageAnswer::Cancel);
    command(3)->click();
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_EQ(dialogs.messages()[0].prompt, WindowText::ReceivePrompt);
    EXPECT_EQ(dialogs.messages()[0].title, WindowText::MessageTitle);
    EXPECT_EQ(dialogs.messages()[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(dialogs.messages()[0].buttons, MessageButtons::OkCancel);
    EXPECT_EQ(list(2)->listCount(), 0);
    EXPECT_FALSE(comm()->portOpen());
    EXPECT_FALSE(comm()->nullDiscard());
    EXPECT_FALSE(comm()->rtsEnable());
    EXPECT_EQ(form->TransferMode, QString());
}

TEST_F(Receiving, RecordsStandInSortedOrderUntilTheEndMessage)
{
    option(2, 0)->click(); // works whichever direction is chosen
    command(3)->click();
    EXPECT_TRUE(comm()->portOpen());
    EXPECT_EQ(comm()->settings(), *LineSettings::parse(u"9600,n,8,1"));
    EXPECT_TRUE(comm()->nullDiscard());
    EXPECT_TRUE(comm()->rtsEnable());
    EXPECT_EQ(comm()->rThreshold(), 35);
    EXPECT_EQ(form->TransferMode, u"in"_s);

    peerLine->write(record(u"P3"_s, u"3"_s, u"-0.0004"_s));
    peerLine->write(record(u"東京1"_s, u"100.5"_s, u"-20.25"_s));
    peerLine->write(record(u"P1"_s, u"2.0005"_s, u"1"_s) + record(u"p2"_s, u""_s, u"x"_s));
    peerLine->write(record(u"P1"_s, u"2.0005"_s, u"1"_s));
    peerLine->write(peer::endMessage());
    EXPECT_TRUE(waitFor([&] { return !comm()->portOpen(); }, 5000));
    EXPECT_EQ(list(2)->lines(),
        (QStringList {
            u"P1      "_s + u"        2.001"_s + u"        1.000"_s,
            u"P1      "_s + u"        2.001"_s + u"        1.000"_s,
            u"p2      "_s + u"        0.000"_s + u"        0.000"_s,
            u"P3      "_s + u"        3.000"_s + u"        0.000"_s,
            u"東京1"_s.leftJustified(8) + u"      100.500"_s + u"      -20.250"_s,
        }));
    EXPECT_EQ(form->TransferMode, u"in"_s);
}

TEST_F(Receiving, SplitCoalescedAndNulPaddedArrivalsGiveTheSameLines)
{
    command(3)->click();
    QByteArray bytes = record(u"B東京"_s, u"1.5"_s, u"2"_s) + record(u"A1"_s, u"-7"_s, u"8.25"_s)
        + record(u"C"_s, u"0"_s, u"0"_s) + peer::endMessage();
    // NULs among the bytes, one inside the double-byte characters' record.
    bytes.insert(3, '\0');
    bytes.insert(0, QByteArray(2, '\0'));
    bytes.insert(40, '\0');
    qsizetype at = 0;
    for (qsizetype piece : { 1, 1, 2, 5, 36, 1, 70, 3 })
        if (at < bytes.size()) {
            peerLine->write(bytes.mid(at, piece));
            at += piece;
            QTest::qWait(2);
        }
    peerLine->write(bytes.mid(at));
    EXPECT_TRUE(waitFor([&] { return !comm()->portOpen(); }, 5000));
    EXPECT_EQ(list(2)->lines(),
        (QStringList {
            u"A1      "_s + u"       -7.000"_s + u"        8.250"_s,
            u"B東京"_s.leftJustified(8) + u"        1.500"_s + u"        2.000"_s,
            u"C       "_s + u"        0.000"_s + u"        0.000"_s,
        }));
}

TEST_F(Receiving, AnEndMessageThatLooksLikeARecordAddsNothingAndEndsIt)
{
    command(3)->click();
    QByteArray end = record(u"P9"_s, u"9"_s, u"9"_s);
    end[0] = '\x1b';
    peerLine->write(record(u"A1"_s, u"1"_s, u"1"_s) + end + record(u"Z9"_s, u"9"_s, u"9"_s));
    EXPECT_TRUE(waitFor([&] { return !comm()->portOpen(); }, 5000));
    QTest::qWait(20);
    EXPECT_EQ(
        list(2)->lines(), QStringList { u"A1      "_s + u"        1.000"_s + u"        1.000"_s });
}

TEST_F(Receiving, AMissingPortIsReportedWithTheListEmptied)
{
    fillList({ listLine(u"A1"_s, u"1"_s, u"1"_s) });
    menuAction(u"Com2"_s)->trigger();
    command(3)->click();
    ASSERT_EQ(dialogs.messages().size(), 2);
    expectFailureShown(FailureNumber::PortNotFound);
    EXPECT_EQ(list(2)->listCount(), 0);
    EXPECT_FALSE(comm()->portOpen());
    EXPECT_EQ(form->TransferMode, QString());
}

TEST_F(Receiving, APocketComputerThatGoesAwayIsReportedOnceAndKeepsWhatArrived)
{
    command(3)->click();
    peerLine->write(record(u"A1"_s, u"1"_s, u"1"_s));
    EXPECT_TRUE(waitFor([&] { return list(2)->listCount() == 1; }, 5000));
    peerLine->close();
    EXPECT_TRUE(waitFor([&] { return dialogs.messages().size() == 2; }, 5000));
    QTest::qWait(50);
    ASSERT_EQ(dialogs.messages().size(), 2);
    expectFailureShown(FailureNumber::DeviceIoError);
    EXPECT_FALSE(comm()->portOpen());
    EXPECT_EQ(list(2)->listCount(), 1);
}

TEST_F(Receiving, AReceptionStartedDuringASendTakesThePortOver)
{
    fillList({ listLine(u"A1"_s, u"1"_s, u"1"_s) });
    command(2)->click();
    EXPECT_EQ(nextLine(*peerLine), wire(list(2)->item(0)));
    command(3)->click();
    EXPECT_EQ(list(2)->listCount(), 0);
    EXPECT_EQ(form->TransferMode, u"in"_s);
    EXPECT_EQ(comm()->rThreshold(), 35);
    peerLine->write(record(u"B2"_s, u"2"_s, u"2"_s) + peer::endMessage());
    EXPECT_TRUE(waitFor([&] { return !comm()->portOpen(); }, 5000));
    EXPECT_EQ(
        list(2)->lines(), QStringList { u"B2      "_s + u"        2.000"_s + u"        2.000"_s });
}

} // namespace
