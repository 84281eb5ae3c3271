#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>
#include <memory>

class QIODevice;

// A pocket computer on the other end of the serial line, for trying the
// program without the handheld: it acknowledges the point lines the program
// sends, or sends it points as 35-character records. Used by the tests
// in-process and by the tavorin-pocketpeer command.
namespace tavorin::peer {

// The pocket computer's end of a serial line: the master side of a
// pseudo-terminal pair (the program opens the slave), or a device opened
// directly. Reads and writes block, reads with a time limit.
class PeerLine
{
public:
    // A new pseudo-terminal pair; deviceName() is the slave for the program.
    static std::unique_ptr<PeerLine> createPty(QString *error = nullptr);
    // A serial device, raw, 8 data bits, no parity, at baud.
    static std::unique_ptr<PeerLine> openDevice(
        const QString &path, int baud, QString *error = nullptr);
    ~PeerLine();
    PeerLine(const PeerLine &) = delete;
    PeerLine &operator=(const PeerLine &) = delete;

    QString deviceName() const { return m_deviceName; }
    bool isOpen() const { return m_fd >= 0; }

    // Writes all of bytes; false if the line is gone.
    bool write(const QByteArray &bytes);
    // What arrives within timeoutMs (0: only what is waiting now); empty on
    // time-out. A line gone for good closes this end.
    QByteArray read(int timeoutMs);
    // Reads up to and including the next CR; empty if none came in time.
    QByteArray readLine(int timeoutMs);
    // Waits until the program has read everything written to it (a
    // pseudo-terminal) or it has left the wire (a device); false on time-out.
    bool waitUntilTaken(int timeoutMs);
    // Hangs up: the program sees its device vanish.
    void close();

private:
    PeerLine(int fd, int slaveFd, QString deviceName);

    int m_fd = -1;
    int m_slaveFd = -1; // held open so data survives the program's closing
    QString m_deviceName;
    QByteArray m_pending;
};

struct ReceiverOptions
{
    QByteArray acknowledgement = "ST\r";
    int idleTimeoutMs = 10000; // give up when nothing arrives for this long
    int hangUpAfterLines = -1; // close the line after this many lines (tests)
    int acknowledgementDelayMs = 0; // how long the pocket computer takes over each line
};

struct ReceiverResult
{
    QList<QByteArray> lines; // the point lines, without their CR
    bool endMarker = false; // "/" arrived
};

// Plays the receiving pocket computer: acknowledges every CR-ended line
// until the end marker "/" arrives. onLine sees each point line first.
ReceiverResult receiveLines(PeerLine &line, const ReceiverOptions &options = {},
    const std::function<void(const QByteArray &)> &onLine = {});

// One point as the pocket computer sends it: name left-aligned in 8
// characters, x and y right-aligned in 13, CR; code page 932 bytes.
QByteArray pointRecord(const QString &name, const QString &x, const QString &y);
// The end message: ESC, then 33 spaces and CR.
QByteArray endMessage();

// Sends records, delayMs apart, then (unless told not to) the end message.
// False if the line went away.
bool sendRecords(
    PeerLine &line, const QList<QByteArray> &records, int delayMs = 0, bool withEnd = true);

} // namespace tavorin::peer
