#include "linesettings.h"

#include <QList>

#include <algorithm>

namespace tavorin {

std::optional<LineSettings> LineSettings::parse(QStringView text)
{
    const QList<QStringView> parts = text.split(u',');
    if (parts.size() != 4)
        return std::nullopt;

    LineSettings settings;
    const bool allDigits = !parts[0].isEmpty()
        && std::all_of(
            parts[0].begin(), parts[0].end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    bool ok = false;
    const int baud = allDigits ? parts[0].toInt(&ok) : 0;
    if (!ok || baud <= 0)
        return std::nullopt;
    settings.baudRate = baud;

    if (parts[1].size() != 1)
        return std::nullopt;
    switch (parts[1].front().toLower().unicode()) {
    case 'n':
        settings.parity = QSerialPort::NoParity;
        break;
    case 'e':
        settings.parity = QSerialPort::EvenParity;
        break;
    case 'o':
        settings.parity = QSerialPort::OddParity;
        break;
    case 'm':
        settings.parity = QSerialPort::MarkParity;
        break;
    case 's':
        settings.parity = QSerialPort::SpaceParity;
        break;
    default:
        return std::nullopt;
    }

    if (parts[2] == u"5")
        settings.dataBits = QSerialPort::Data5;
    else if (parts[2] == u"6")
        settings.dataBits = QSerialPort::Data6;
    else if (parts[2] == u"7")
        settings.dataBits = QSerialPort::Data7;
    else if (parts[2] == u"8")
        settings.dataBits = QSerialPort::Data8;
    else
        return std::nullopt;

    if (parts[3] == u"1")
        settings.stopBits = QSerialPort::OneStop;
    else if (parts[3] == u"1.5")
        settings.stopBits = QSerialPort::OneAndHalfStop;
    else if (parts[3] == u"2")
        settings.stopBits = QSerialPort::TwoStop;
    else
        return std::nullopt;
    return settings;
}

qint64 LineSettings::transmitMs(qint64 count) const
{
    const qint64 bits = 1 + dataBits + (parity == QSerialPort::NoParity ? 0 : 1)
        + (stopBits == QSerialPort::OneStop ? 1 : 2);
    return (count * bits * 1000 + baudRate - 1) / baudRate;
}

} // namespace tavorin
