#pragma once

#include <QSerialPort>
#include <QStringView>

#include <optional>

namespace tavorin {

// Line settings as the transfer commands write them: "baud,parity,data,stop",
// for example "2400,n,8,1". Parsed once into this value; a text that is not
// a valid setting gives nothing rather than a guess.
struct LineSettings
{
    qint32 baudRate = 9600;
    QSerialPort::Parity parity = QSerialPort::NoParity;
    QSerialPort::DataBits dataBits = QSerialPort::Data8;
    QSerialPort::StopBits stopBits = QSerialPort::OneStop;

    static std::optional<LineSettings> parse(QStringView text);

    // How long count characters take on the wire, start and stop bits and
    // parity included, in whole milliseconds rounded up.
    qint64 transmitMs(qint64 count) const;

    friend bool operator==(const LineSettings &, const LineSettings &) = default;
};

} // namespace tavorin
