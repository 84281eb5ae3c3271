#pragma once

#include "failure.h"
#include "linesettings.h"
#include "messageframer.h"

#include <QObject>
#include <QSerialPort>
#include <QTimer>

#include <deque>

namespace tavorin {

class PortResolver;

// The window's serial port: the properties the transfers set, in the words
// the window uses for them, over QSerialPort.
//
// Receiving: once RThreshold is set, every whole message of RThreshold
// characters raises comm() once, in arrival order, and Input() returns
// exactly that message. comm() comes as a window event of its own, never
// from inside QSerialPort's signals. Events never nest: while comm() runs,
// or while an EventHold is alive (the sender's yield to window events),
// messages that complete wait and are delivered right after.
//
// Closing: the port is closed for the program at once (no more events, no
// more writes); the device is let go once what was written has left, from
// the window's event loop, without a blocking wait (see closePort()).
//
// Failures: opening fails with 8002 (no such port), 8005 (port in use) or
// 8015 (line settings refused). A device lost while open (adapter
// unplugged, peer gone, a write refused) closes the port and raises
// failed(57) once, after the messages that arrived whole before it.
//
// Control lines: once open, DTR is on and RTS follows RTSEnable.
class CommPort : public QObject
{
    Q_OBJECT

public:
    // CommEvent values.
    static constexpr int ComEvReceive = 2;

    explicit CommPort(const PortResolver &ports, QObject *parent = nullptr);
    ~CommPort() override;

    void setCommPort(int portNumber) { m_portNumber = portNumber; }
    // A further port named by its device; when set, opening uses it in
    // place of CommPort's device. Empty for COM1..COM3.
    void setDeviceName(const QString &device) { m_deviceName = device; }
    void setSettings(const LineSettings &settings) { m_settings = settings; }
    const LineSettings &settings() const { return m_settings; }
    void setNullDiscard(bool on) { m_framer.setNullDiscard(on); }
    bool nullDiscard() const { return m_framer.nullDiscard(); }
    void setRTSEnable(bool on);
    bool rtsEnable() const { return m_rtsEnable; }

    // Setting a count to 0 discards what is waiting.
    void setOutBufferCount(int count);
    void setInBufferCount(int count);
    int inBufferCount() const;

    // Opening resolves CommPort to a device and applies the settings; a
    // device still sending what an earlier transfer wrote last is let go
    // first. Closing cannot fail; everything already written still goes out.
    Result<void> setPortOpen(bool open);
    bool portOpen() const { return m_port.isOpen() && !m_closing; }
    // Whether the device is still held (open, or sending its last bytes).
    bool holdsDevice() const { return m_port.isOpen(); }

    void setRThreshold(int characters);

    // Writes text in code page 932, nothing appended. Fails with 57 when
    // the port is closed or refuses the write; a refused write also closes
    // the port and raises failed(57), as a lost device does.
    Result<void> Output(const QString &text);
    // The message that raised the running comm() event; empty otherwise.
    QString Input();
    int CommEvent() const { return m_commEvent; }

    // Whether an error the open port raises means the device is lost.
    static bool losesDevice(QSerialPort::SerialPortError error);

    // Holds comm() events back while alive; messages that complete meanwhile
    // are delivered once the running handler returns.
    class EventHold
    {
    public:
        explicit EventHold(CommPort &port);
        ~EventHold();
        EventHold(const EventHold &) = delete;
        EventHold &operator=(const EventHold &) = delete;

    private:
        CommPort &m_port;
    };

signals:
    // The receive event (the window's MSComm1_OnComm).
    void comm();
    // The device was lost while open; the port is closed already.
    void failed(int failureNumber);

private:
    void readArrived();
    void frameArrived();
    void errorArrived(QSerialPort::SerialPortError error);
    void deliverPending();
    void scheduleDelivery();
    void closePort();
    void releaseWhenSent();
    void release();
    void lose();
    void setControlLines();

    const PortResolver &m_ports;
    QSerialPort m_port;
    MessageFramer m_framer;
    std::deque<QByteArray> m_messages;
    QByteArray m_current;
    int m_portNumber = 1;
    QString m_deviceName;
    LineSettings m_settings;
    bool m_rtsEnable = false;
    bool m_settingControlLines = false;
    int m_commEvent = 0;
    int m_holds = 0;
    bool m_delivering = false;
    bool m_deliveryScheduled = false;
    bool m_closing = false; // closed for the program, its last bytes on their way
    bool m_lost = false; // the device went away; failed() is owed
    QTimer m_releaseTimer; // lets the device go once they have left
    int m_lastWriteMs = 0; // the last write's time on the wire
};

} // namespace tavorin
