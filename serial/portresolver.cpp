#include "portresolver.h"

#include <QSerialPortInfo>

#include <algorithm>
#include <tuple>

namespace tavorin {

namespace {

// A device name as its stem and its number: "COM" and 10 for COM10, so that
// COM4 comes before COM10 and /dev/ttyUSB2 before /dev/ttyUSB10.
std::tuple<QString, qulonglong, QString> numberOrder(const QString &device)
{
    qsizetype digits = device.size();
    while (digits > 0 && device[digits - 1].isDigit())
        --digits;
    return { device.left(digits).toUpper(), device.sliced(digits).toULongLong(), device };
}

} // namespace

QString SystemPortResolver::deviceName(int portNumber) const
{
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(portNumber);
#else
    return QStringLiteral("/dev/ttyS%1").arg(portNumber - 1);
#endif
}

QStringList SystemPortResolver::furtherPorts() const
{
    QStringList reported;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts()) {
#ifdef Q_OS_WIN
        reported.append(info.portName());
#else
        reported.append(info.systemLocation());
#endif
    }
    return furtherPortsAmong(reported, *this);
}

QStringList furtherPortsAmong(const QStringList &reported, const PortResolver &fixed)
{
    const QStringList builtIn { fixed.deviceName(1), fixed.deviceName(2), fixed.deviceName(3) };
    QStringList further;
    for (const QString &device : reported) {
        if (!builtIn.contains(device, Qt::CaseInsensitive) && !further.contains(device))
            further.append(device);
    }
    std::sort(further.begin(), further.end(),
        [](const QString &a, const QString &b) { return numberOrder(a) < numberOrder(b); });
    return further;
}

QString shortPortName(const QString &device)
{
    QString name = device.mid(device.lastIndexOf(u'/') + 1);
    for (const QString &prefix :
        { QStringLiteral("COM"), QStringLiteral("tty"), QStringLiteral("cu.") }) {
        if (name.startsWith(prefix, Qt::CaseInsensitive)) {
            name.remove(0, prefix.size());
            break;
        }
    }
    // ttyS<n> is the n+1-th built-in port, which Windows calls COM<n+1>.
    bool isNumber = false;
    const int builtIn = name.startsWith(u'S') ? name.mid(1).toInt(&isNumber) : 0;
    if (isNumber)
        return QString::number(builtIn + 1);
    return name;
}

} // namespace tavorin
