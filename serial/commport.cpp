#include "commport.h"

#include "codepage932.h"
#include "portresolver.h"

#include <QMetaObject>

#include <algorithm>

namespace tavorin {

namespace {

// How long closing may wait for written bytes to reach the system: long
// enough for a point line at 2400 baud, short enough not to hold a stalled
// device for long.
constexpr int CloseFlushTimeoutMs = 2000;
// What a USB adapter may add to the bytes' time on the wire: it passes them
// on in frames a few milliseconds apart.
constexpr int AdapterLatencyMs = 20;

int openFailureNumber(QSerialPort::SerialPortError error)
{
    switch (error) {
    case QSerialPort::DeviceNotFoundError:
        return failurenumber::PortNotFound;
    case QSerialPort::PermissionError: // locked or opened by another program
    case QSerialPort::OpenError:
        return failurenumber::PortAlreadyOpen;
    case QSerialPort::UnsupportedOperationError:
        return failurenumber::PortSettingsRefused;
    default:
        return failurenumber::DeviceIoError;
    }
}

} // namespace

bool CommPort::losesDevice(QSerialPort::SerialPortError error)
{
    switch (error) {
    // Linux reports an unplugged adapter or a vanished peer as a resource,
    // read or write error. Windows drivers report the same unplug as any of
    // a resource, permission or unknown error, depending on the driver.
    case QSerialPort::ResourceError:
    case QSerialPort::ReadError:
    case QSerialPort::WriteError:
    case QSerialPort::PermissionError:
    case QSerialPort::UnknownError:
        return true;
    default:
        return false;
    }
}

CommPort::CommPort(const PortResolver &ports, QObject *parent)
    : QObject(parent)
    , m_ports(ports)
{
    connect(&m_port, &QSerialPort::readyRead, this, &CommPort::readArrived);
    connect(&m_port, &QSerialPort::errorOccurred, this, &CommPort::errorArrived);
    connect(&m_port, &QSerialPort::bytesWritten, this, [this] {
        if (m_closing && m_port.bytesToWrite() == 0)
            releaseWhenSent();
    });
    m_releaseTimer.setSingleShot(true);
    connect(&m_releaseTimer, &QTimer::timeout, this, &CommPort::release);
}

CommPort::~CommPort()
{
    // Quietly and at once: the window is going away, nobody is left to tell.
    m_port.disconnect(this);
    release();
}

void CommPort::setRTSEnable(bool on)
{
    m_rtsEnable = on;
    if (portOpen())
        setControlLines();
}

// DTR on, RTS as RTSEnable says, set explicitly: Qt leaves them as the
// platform opens the port (Linux raises RTS, Windows lowers it), and some
// pocket computer cables take their power or handshake from these lines.
// A device without them (a pseudo-terminal) refuses; the line works
// without them, so the refusal is no lost device.
void CommPort::setControlLines()
{
    m_settingControlLines = true;
    m_port.setDataTerminalReady(true);
    m_port.setRequestToSend(m_rtsEnable);
    m_port.clearError();
    m_settingControlLines = false;
}

void CommPort::setOutBufferCount(int count)
{
    if (count == 0 && portOpen())
        m_port.clear(QSerialPort::Output);
}

void CommPort::setInBufferCount(int count)
{
    if (count != 0)
        return;
    if (portOpen())
        m_port.clear(QSerialPort::Input);
    m_framer.clear();
    m_messages.clear();
}

int CommPort::inBufferCount() const
{
    qsizetype count = m_framer.pendingBytes() + m_port.bytesAvailable();
    for (const QByteArray &message : m_messages)
        count += message.size();
    return int(count);
}

Result<void> CommPort::setPortOpen(bool open)
{
    if (!open) {
        closePort();
        return {};
    }
    if (portOpen())
        return Failure { failurenumber::PortAlreadyOpen };
    release(); // the last transfer's last bytes had their time

    m_port.setPortName(m_deviceName.isEmpty() ? m_ports.deviceName(m_portNumber) : m_deviceName);
    m_port.setReadBufferSize(0);
    if (!m_port.open(QIODevice::ReadWrite)) {
        const int number = openFailureNumber(m_port.error());
        m_port.clearError();
        return Failure { number };
    }
    const bool applied = m_port.setBaudRate(m_settings.baudRate)
        && m_port.setParity(m_settings.parity) && m_port.setDataBits(m_settings.dataBits)
        && m_port.setStopBits(m_settings.stopBits)
        && m_port.setFlowControl(QSerialPort::NoFlowControl);
    if (!applied) {
        m_port.close();
        m_port.clearError();
        return Failure { failurenumber::PortSettingsRefused };
    }
    setControlLines();
    m_framer.clear();
    m_messages.clear();
    m_current.clear();
    m_lastWriteMs = 0;
    return {};
}

// Closes the port for the program: no more events or writes from here on.
// The device itself is let go later, by release(): the last thing written
// (the end marker) must first reach the pocket computer, and closing would
// cancel a write still under way and set the line back to the device's
// earlier settings under bytes still leaving it.
//
// No blocking wait: on Windows, QSerialPort's waitForBytesWritten() takes
// completions from the overlapped I/O notifier that the event loop serves
// too, and after two completions served together it takes one that is not
// there and crashes. So the wait is for bytesWritten, and release() runs
// from a timer, outside the port's own signals.
void CommPort::closePort()
{
    if (!portOpen())
        return;
    m_closing = true;
    m_framer.clear();
    m_messages.clear();
    m_current.clear();
    // Bounded: a device that never takes the bytes is let go all the same.
    m_releaseTimer.start(CloseFlushTimeoutMs);
    if (m_port.bytesToWrite() == 0)
        releaseWhenSent();
}

// Everything written has reached the system: let the device go once it has
// had the time to send it. Only the last write can still be on the wire:
// the transfers write the next thing only when the pocket computer has
// answered the last.
void CommPort::releaseWhenSent()
{
    m_releaseTimer.start(m_lastWriteMs + AdapterLatencyMs);
}

void CommPort::release()
{
    m_releaseTimer.stop();
    m_closing = false;
    if (!m_port.isOpen())
        return;
    m_port.close();
    m_port.clearError();
    m_framer.clear();
}

void CommPort::setRThreshold(int characters)
{
    m_framer.setCharactersPerMessage(characters);
    while (auto message = m_framer.takeMessage())
        m_messages.push_back(std::move(*message));
    scheduleDelivery();
}

Result<void> CommPort::Output(const QString &text)
{
    if (!portOpen())
        return Failure { failurenumber::DeviceIoError };
    const QByteArray bytes = cp932::encode(text);
    m_lastWriteMs = int(std::min<qint64>(m_settings.transmitMs(bytes.size()), CloseFlushTimeoutMs));
    if (m_port.write(bytes) != bytes.size()) {
        // Part of a line may have gone out: the line is no longer the
        // pocket computer's to trust, so the transfer ends here.
        lose();
        return Failure { failurenumber::DeviceIoError };
    }
    return {};
}

QString CommPort::Input()
{
    const QString text = cp932::decode(m_current);
    m_current.clear();
    return text;
}

// Never delivers from inside QSerialPort's signal: a handler that yields to
// window events or closes the port would do so in the middle of the
// port's own dispatch.
void CommPort::readArrived()
{
    scheduleDelivery();
}

// Moves what the port has read into whole messages. Also called before
// each delivery, so that what arrived while a handler ran is taken in order.
void CommPort::frameArrived()
{
    if (!portOpen() || m_port.bytesAvailable() == 0)
        return;
    m_framer.append(m_port.readAll());
    while (auto message = m_framer.takeMessage())
        m_messages.push_back(std::move(*message));
}

void CommPort::deliverPending()
{
    if (m_delivering || m_holds > 0)
        return;
    m_delivering = true;
    // Closing the port empties the queue, so a handler that closes it ends
    // the round.
    for (;;) {
        frameArrived();
        if (m_holds > 0 || m_messages.empty())
            break;
        m_current = std::move(m_messages.front());
        m_messages.pop_front();
        m_commEvent = ComEvReceive;
        emit comm();
        // A message the handler did not read is not offered again.
        m_current.clear();
    }
    m_delivering = false;
    if (m_lost && m_holds == 0 && m_messages.empty()) {
        m_lost = false;
        emit failed(failurenumber::DeviceIoError);
    }
}

void CommPort::scheduleDelivery()
{
    frameArrived();
    if ((m_messages.empty() && !m_lost) || m_deliveryScheduled)
        return;
    m_deliveryScheduled = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_deliveryScheduled = false;
            deliverPending();
        },
        Qt::QueuedConnection);
}

void CommPort::errorArrived(QSerialPort::SerialPortError error)
{
    // Open failures are reported by setPortOpen (lose ignores a closed
    // port), and refused control lines by nobody.
    if (losesDevice(error) && !m_settingControlLines)
        lose();
}

// The device is gone or refuses to work: close the port, and tell the
// window once, after the running handler returns. The whole messages that
// arrived before come first: a pocket computer switched off after its last
// records has still sent them. A vanished device raises errors in a tight
// loop until the port is closed.
void CommPort::lose()
{
    if (!portOpen()) {
        release(); // gone while sending its last bytes: nothing left to tell
        return;
    }
    frameArrived();
    release();
    m_lost = true;
    scheduleDelivery();
}

CommPort::EventHold::EventHold(CommPort &port)
    : m_port(port)
{
    ++m_port.m_holds;
}

CommPort::EventHold::~EventHold()
{
    if (--m_port.m_holds == 0)
        m_port.scheduleDelivery();
}

} // namespace tavorin
