#pragma once

#include <QString>
#include <QStringList>

namespace tavorin {

// Maps the window's port number (1..3) to the device the serial port opens.
// The window is given one, so that tests can point the ports at
// pseudo-terminals instead of the machine's real serial ports.
class PortResolver
{
public:
    virtual ~PortResolver() = default;
    virtual QString deviceName(int portNumber) const = 0;
    // The machine's other serial ports (USB and ACM adapters, COM4 and up),
    // as full device names; asked afresh each time, as adapters come and go.
    virtual QStringList furtherPorts() const { return {}; }
};

// "COM1".."COM3" on Windows, /dev/ttyS0../dev/ttyS2 elsewhere.
class SystemPortResolver final : public PortResolver
{
public:
    QString deviceName(int portNumber) const override;
    // The ports QSerialPortInfo reports, less those COM1..COM3 name.
    QStringList furtherPorts() const override;
};

// The further ports among the devices the system reports: each device once,
// in number order (COM4 before COM10), less the devices fixed gives ports 1
// to 3, which match whatever their case, as Windows names its ports.
QStringList furtherPortsAmong(const QStringList &reported, const PortResolver &fixed);

// The short name of a further port that fits the window's port label:
// "5" for COM5, "USB0" for /dev/ttyUSB0, "5" for /dev/ttyS4 (COM5 there).
QString shortPortName(const QString &device);

} // namespace tavorin
