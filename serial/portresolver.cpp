#include "portresolver.h"

namespace tavorin {

QString SystemPortResolver::deviceName(int portNumber) const
{
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(portNumber);
#else
    return QStringLiteral("/dev/ttyS%1").arg(portNumber - 1);
#endif
}

} // namespace tavorin
