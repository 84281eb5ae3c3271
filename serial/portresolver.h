#pragma once

#include <QString>

namespace tavorin {

// Maps the window's port number (1..3) to the device the serial port opens.
// The window is given one, so that tests can point the ports at
// pseudo-terminals instead of the machine's real serial ports.
class PortResolver
{
public:
    virtual ~PortResolver() = default;
    virtual QString deviceName(int portNumber) const = 0;
};

// "COM1".."COM3" on Windows, /dev/ttyS0../dev/ttyS2 elsewhere.
class SystemPortResolver final : public PortResolver
{
public:
    QString deviceName(int portNumber) const override;
};

} // namespace tavorin
