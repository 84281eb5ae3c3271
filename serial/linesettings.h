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

    friend bool operator==(const LineSettings &, const LineSettings &) = default;
};

} // namespace tavorin
