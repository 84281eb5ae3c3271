#include "commport.h"

#include "codepage932.h"
#include "portresolver.h"

#include <QMetaObject>

namespace tavorin {

namespace {

// How long closing may wait for written bytes to leave: long enough for a
// point line at 2400 baud, short enough not to hang on a stalled line.
constexpr int CloseFlushTimeoutMs = 2000;

int openFailureNumber(QSerialPort::SerialPortError error)
{
    switch (error) {
    case QSerialPort::DeviceNotFoundError:
        return FailureNumber::PortNotFound;
    case QSerialPort::PermissionError: // locked or opened by another program
    case QSerialPort::OpenError:
        return FailureNumber::PortAlreadyOpen;
    case QSerialPort::UnsupportedOperationError:
        return FailureNumber::PortSettingsRefused;
    default:
        return FailureNumber::DeviceIoError;
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
}

CommPort::~CommPort()
{
    // Quietly: the window is going away, nobody is left to tell.
    m_port.disconnect(this);
    closePort();
}

void CommPort::setRTSEnable(bool on)
{
    m_rtsEnable = on;
    if (m_port.isOpen())
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
    if (count == 0 && m_port.isOpen())
        m_port.clear(QSerialPort::Output);
}

void CommPort::setInBufferCount(int count)
{
    if (count != 0)
        return;
    if (m_port.isOpen())
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
    if (m_port.isOpen())
        return Failure { FailureNumber::PortAlreadyOpen };

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
        return Failure { FailureNumber::PortSettingsRefused };
    }
    setControlLines();
    m_framer.clear();
    m_messages.clear();
    m_current.clear();
    return {};
}

void CommPort::closePort()
{
    if (!m_port.isOpen())
        return;
    // The last thing written (the end marker) must reach the other side.
    while (m_port.bytesToWrite() > 0 && m_port.waitForBytesWritten(CloseFlushTimeoutMs)) { }
    m_port.close();
    m_port.clearError();
    m_framer.clear();
    m_messages.clear();
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
    if (!m_port.isOpen())
        return Failure { FailureNumber::DeviceIoError };
    const QByteArray bytes = cp932::encode(text);
    if (m_port.write(bytes) != bytes.size()) {
        // Part of a line may have gone out: the line is no longer the
        // pocket computer's to trust, so the transfer ends here.
        lose();
        return Failure { FailureNumber::DeviceIoError };
    }
    return {};
}

QString CommPort::Input()
{
    const QString text = cp932::decode(m_current);
    m_current.clear();
    return text;
}

void CommPort::readArrived()
{
    frameArrived();
    deliverPending();
}

// Moves what the port has read into whole messages. Also called between
// events: while a handler runs inside readyRead, QSerialPort reads on but
// does not raise readyRead again.
void CommPort::frameArrived()
{
    if (!m_port.isOpen() || m_port.bytesAvailable() == 0)
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
    for (;;) {
        frameArrived();
        if (!m_port.isOpen() || m_holds > 0 || m_messages.empty())
            break;
        m_current = std::move(m_messages.front());
        m_messages.pop_front();
        m_commEvent = ComEvReceive;
        emit comm();
        // A message the handler did not read is not offered again.
        m_current.clear();
    }
    m_delivering = false;
}

void CommPort::scheduleDelivery()
{
    frameArrived();
    if (m_messages.empty() || m_deliveryScheduled)
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
// window once, after the running handler returns. A vanished device raises
// errors in a tight loop until the port is closed.
void CommPort::lose()
{
    if (!m_port.isOpen())
        return;
    m_port.close();
    m_port.clearError();
    m_framer.clear();
    m_messages.clear();
    QMetaObject::invokeMethod(
        this, [this] { emit failed(FailureNumber::DeviceIoError); }, Qt::QueuedConnection);
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
