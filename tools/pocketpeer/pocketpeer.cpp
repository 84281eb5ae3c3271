#include "pocketpeer.h"

#include "codepage932.h"
#include "listline.h"

#include <QIODevice>
#include <QStringList>
#include <QThread>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#ifdef Q_OS_MACOS
#include <util.h> // openpty
#else
#include <pty.h>
#endif
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace tavorin::peer {

namespace {

void makeRaw(int fd)
{
    termios settings {};
    if (tcgetattr(fd, &settings) != 0)
        return;
    cfmakeraw(&settings);
    settings.c_cflag |= CLOCAL | CREAD;
    tcsetattr(fd, TCSANOW, &settings);
}

speed_t speedOf(int baud)
{
    switch (baud) {
    case 1200:
        return B1200;
    case 2400:
        return B2400;
    case 4800:
        return B4800;
    case 19200:
        return B19200;
    case 38400:
        return B38400;
    default:
        return B9600;
    }
}

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

} // namespace

PeerLine::PeerLine(int fd, int slaveFd, QString deviceName)
    : m_fd(fd)
    , m_slaveFd(slaveFd)
    , m_deviceName(std::move(deviceName))
{
}

PeerLine::~PeerLine()
{
    close();
}

std::unique_ptr<PeerLine> PeerLine::createPty(QString *error)
{
    int master = -1;
    int slave = -1;
    char name[256] = {};
    if (openpty(&master, &slave, name, nullptr, nullptr) != 0) {
        setError(error, QStringLiteral("openpty: %1").arg(QString::fromLocal8Bit(strerror(errno))));
        return nullptr;
    }
    makeRaw(slave);
    makeRaw(master);
    fcntl(master, F_SETFD, FD_CLOEXEC);
    fcntl(slave, F_SETFD, FD_CLOEXEC);
    return std::unique_ptr<PeerLine>(new PeerLine(master, slave, QString::fromLocal8Bit(name)));
}

std::unique_ptr<PeerLine> PeerLine::openDevice(const QString &path, int baud, QString *error)
{
    const int fd = ::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        setError(
            error, QStringLiteral("%1: %2").arg(path, QString::fromLocal8Bit(strerror(errno))));
        return nullptr;
    }
    makeRaw(fd);
    termios settings {};
    if (tcgetattr(fd, &settings) == 0) {
        cfsetspeed(&settings, speedOf(baud));
        tcsetattr(fd, TCSANOW, &settings);
    }
    return std::unique_ptr<PeerLine>(new PeerLine(fd, -1, path));
}

bool PeerLine::write(const QByteArray &bytes)
{
    qsizetype done = 0;
    while (m_fd >= 0 && done < bytes.size()) {
        const ssize_t n = ::write(m_fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n > 0) {
            done += n;
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && errno == EAGAIN) {
            pollfd p { m_fd, POLLOUT, 0 };
            poll(&p, 1, 100);
        } else {
            return false;
        }
    }
    return m_fd >= 0;
}

QByteArray PeerLine::read(int timeoutMs)
{
    if (!m_pending.isEmpty())
        return std::exchange(m_pending, {});
    if (m_fd < 0)
        return {};
    pollfd p { m_fd, POLLIN, 0 };
    const int ready = poll(&p, 1, timeoutMs);
    if (ready <= 0 || !(p.revents & (POLLIN | POLLHUP | POLLERR)))
        return {};
    char buffer[4096];
    const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
    if (n > 0)
        return QByteArray(buffer, n);
    if (n < 0 && (errno == EINTR || errno == EAGAIN))
        return {};
    close(); // EIO or end: the other side is gone
    return {};
}

QByteArray PeerLine::readLine(int timeoutMs)
{
    QByteArray line;
    QByteArray rest = std::exchange(m_pending, {});
    for (;;) {
        const qsizetype cr = rest.indexOf('\r');
        if (cr >= 0) {
            line += rest.left(cr + 1);
            m_pending = rest.mid(cr + 1);
            return line;
        }
        line += rest;
        rest = read(timeoutMs);
        if (rest.isEmpty()) {
            m_pending = line; // keep a partial line for the next call
            return {};
        }
    }
}

bool PeerLine::waitUntilTaken(int timeoutMs)
{
    if (m_slaveFd < 0)
        return m_fd >= 0 && tcdrain(m_fd) == 0;
    // What is written here reaches the program's input queue a moment later,
    // passed on by the kernel: a queue empty right after a write says
    // nothing. Taken means seen waiting and gone, or never seen for as long
    // as the kernel could take to pass it on.
    constexpr int PassOnMs = 100;
    bool seen = false;
    for (int waited = 0; waited <= timeoutMs; waited += 10) {
        int waiting = 0;
        if (ioctl(m_slaveFd, FIONREAD, &waiting) != 0)
            return true;
        if (waiting > 0)
            seen = true;
        else if (seen || waited >= PassOnMs)
            return true;
        QThread::msleep(10);
    }
    return false;
}

void PeerLine::close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    if (m_slaveFd >= 0)
        ::close(m_slaveFd);
    m_fd = -1;
    m_slaveFd = -1;
}

ReceiverResult receiveLines(PeerLine &line, const ReceiverOptions &options,
    const std::function<void(const QByteArray &)> &onLine)
{
    ReceiverResult result;
    while (line.isOpen()) {
        QByteArray received = line.readLine(options.idleTimeoutMs);
        if (received.isEmpty())
            break;
        received.chop(1); // the CR
        if (received == "/") {
            result.endMarker = true;
            break;
        }
        if (onLine)
            onLine(received);
        result.lines.append(received);
        if (options.hangUpAfterLines >= 0 && result.lines.size() >= options.hangUpAfterLines) {
            line.close();
            break;
        }
        if (options.acknowledgementDelayMs > 0)
            QThread::msleep(ulong(options.acknowledgementDelayMs));
        line.write(options.acknowledgement);
    }
    return result;
}

QByteArray pointRecord(const QString &name, const QString &x, const QString &y)
{
    return cp932::encode(ListLine::form({ name, x, y }) + u'\r');
}

QByteArray endMessage()
{
    return QByteArray("\x1b") + QByteArray(33, ' ') + '\r';
}

bool sendRecords(PeerLine &line, const QList<QByteArray> &records, int delayMs, bool withEnd)
{
    for (const QByteArray &record : records) {
        if (!line.write(record))
            return false;
        if (delayMs > 0)
            QThread::msleep(ulong(delayMs));
    }
    return !withEnd || line.write(endMessage());
}

} // namespace tavorin::peer
