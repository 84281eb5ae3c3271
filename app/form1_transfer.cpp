// Transfers with the pocket computer: sending the transfer list, receiving
// points, and the serial port's receive event.
#include "form1.h"

#include "captionlabel.h"
#include "failure.h"
#include "linesettings.h"
#include "listbox.h"
#include "transferrules.h"
#include "userdialogs.h"
#include "windowtext.h"

#include <QCoreApplication>
#include <QProgressBar>
#include <QRadioButton>

namespace tavorin {

namespace {

using namespace Qt::StringLiterals;

const QString SendSettings = u"2400,n,8,1"_s;
const QString ReceiveSettings = u"9600,n,8,1"_s;
const QString ModeIn = u"in"_s;
const QString ModeOut = u"out"_s;
const QString EndMarker = u"/\r"_s;
constexpr QChar CarriageReturn = u'\r';

} // namespace

void Form1::connectTransfer()
{
    // A child of the window by name, like every other control.
    MSComm1.setObjectName(QStringLiteral("MSComm1"));
    MSComm1.setParent(this);
    connect(&MSComm1, &CommPort::comm, this, &Form1::MSComm1_OnComm);
    connect(&MSComm1, &CommPort::failed, this, &Form1::portFailed);
}

void Form1::Command2_Click()
{
    if (List2->listCount() == 0 || !Option2[0]->isChecked())
        return;
    m_dialogs.messageBox(this, windowtext::SendReadyPrompt, windowtext::MessageTitle,
        MessageIcon::Exclamation, MessageButtons::Ok);
    if (m_dialogs.messageBox(this, windowtext::SendConfirmPrompt, windowtext::MessageTitle,
            MessageIcon::Exclamation, MessageButtons::OkCancel)
        != MessageAnswer::Ok)
        return;

    ProgressBar1->setVisible(true);
    ProgressBar1->setMinimum(0);
    ProgressBar1->setMaximum(List2->listCount());
    ProgressBar1->setValue(0);
    Label4->setVisible(true);

    if (!setUpPort(SendSettings, false)) {
        ProgressBar1->setVisible(false);
        Label4->setVisible(false);
        return;
    }
    TransferMode = ModeOut;
    SendIndex = 0;
    // A line the port refuses ends the send; the port reports it once.
    if (!MSComm1.Output(List2->item(0) + CarriageReturn))
        return;
    yieldToWindowEvents();
    advanceProgress();
}

void Form1::Command3_Click()
{
    List2->clear();
    const MessageAnswer answer = m_dialogs.messageBox(this, windowtext::ReceivePrompt,
        windowtext::MessageTitle, MessageIcon::Exclamation, MessageButtons::OkCancel);
    if (answer != MessageAnswer::Ok) {
        MSComm1.setNullDiscard(false);
        MSComm1.setRTSEnable(false);
        return;
    }
    if (setUpPort(ReceiveSettings, true))
        TransferMode = ModeIn;
}

void Form1::MSComm1_OnComm()
{
    if (MSComm1.CommEvent() != CommPort::ComEvReceive)
        return;
    const QString text = MSComm1.Input();
    if (TransferMode == ModeIn)
        receiveStep(text);
    else if (TransferMode == ModeOut)
        sendStep(text);
}

// Sets the port up in the order the transfers have always used. A port still
// open from an unfinished transfer is closed first and set up afresh. A port
// that cannot be opened is reported with its failure number and leaves
// everything else as it was.
bool Form1::setUpPort(const QString &settingsText, bool forReceiving)
{
    const Result<void> opened = openPort(settingsText, forReceiving);
    if (!opened)
        showFailureMessage(opened.failure());
    return opened.ok();
}

Result<void> Form1::openPort(const QString &settingsText, bool forReceiving)
{
    if (MSComm1.portOpen())
        (void)MSComm1.setPortOpen(false); // closing cannot fail
    MSComm1.setCommPort(PortNumber);
    MSComm1.setDeviceName(m_portDevice);
    const std::optional<LineSettings> settings = LineSettings::parse(settingsText);
    if (!settings)
        return Failure { failurenumber::PortSettingsRefused };
    MSComm1.setSettings(*settings);
    if (forReceiving) {
        MSComm1.setNullDiscard(true);
        MSComm1.setRTSEnable(true);
    }
    // No buffer sizes are set: the port buffers without limit, so a window
    // busy with a long list never makes it drop characters. What is still
    // waiting from an earlier transfer is discarded before opening.
    MSComm1.setOutBufferCount(0);
    MSComm1.setInBufferCount(0);
    if (const Result<void> opened = MSComm1.setPortOpen(true); !opened)
        return opened;
    MSComm1.setRThreshold(forReceiving ? 35 : 3);
    return {};
}

// Lets pending window events run once, as the sender does after each line.
// The port's own receive events wait until the running handler returns, so
// that a fast pocket computer cannot nest one send step inside another.
void Form1::yieldToWindowEvents()
{
    const CommPort::EventHold hold(MSComm1);
    QCoreApplication::processEvents();
}

// One more line written: the bar moves on and Label4 shows lines written
// over the list's current total. The count comes from SendIndex, so that a
// list that grew during the send cannot push the bar past its maximum and
// freeze the count.
void Form1::advanceProgress()
{
    const int written = SendIndex + 1;
    ProgressBar1->setValue(std::min(ProgressBar1->value() + 1, ProgressBar1->maximum()));
    Label4->setCaption(transfer::progressCaption(written, List2->listCount()));
}

void Form1::sendStep(const QString &message)
{
    if (!transfer::isAcknowledgement(message))
        return;
    ++SendIndex;
    if (SendIndex < List2->listCount()) {
        if (!MSComm1.Output(List2->item(SendIndex) + CarriageReturn))
            return; // reported once by the port, which is closed now
        yieldToWindowEvents();
        advanceProgress();
        return;
    }
    if (!MSComm1.Output(EndMarker))
        return;
    (void)MSComm1.setPortOpen(false);
    ProgressBar1->setVisible(false);
    Label4->setVisible(false);
}

void Form1::receiveStep(const QString &message)
{
    if (transfer::isEndMessage(message)) {
        (void)MSComm1.setPortOpen(false);
        return;
    }
    List2->addItem(transfer::receivedLine(message));
}

// The device went away during a transfer; the port is closed already.
void Form1::portFailed(int failureNumber)
{
    ProgressBar1->setVisible(false);
    Label4->setVisible(false);
    showFailureMessage(failureNumber);
}

} // namespace tavorin
