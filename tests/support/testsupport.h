#pragma once

// What every test program shares: printing texts in failure messages, the
// list line of a point written out independently of ListLine, the port
// numbers' devices, the text poppler-utils reads from a PDF file, and the
// heap in use.
#include "characters.h"
#include "portresolver.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <gtest/gtest.h>

#include <optional>
#include <ostream>

#ifdef __GLIBC__
#include <malloc.h>
#endif

// Lets GoogleTest print texts in its failure messages.
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace tavorin::test {

// The list line of a point, column by column: the name left-aligned in 8
// characters, x and y right-aligned in 13 each.
inline QString listLine(const QString &name, const QString &x, const QString &y)
{
    return name + QString(std::max<qsizetype>(0, 8 - characters::count(name)), u' ')
        + x.rightJustified(13) + y.rightJustified(13);
}

// Port n resolves to devices[n - 1], any other to a device that does not
// exist, so that no test can open a real serial port of the machine. The
// further ports are what a test sets.
class TestPorts final : public PortResolver
{
public:
    QStringList devices;
    QStringList further;
    QStringList furtherPorts() const override { return further; }
    QString deviceName(int portNumber) const override
    {
        return devices.value(portNumber - 1, QStringLiteral("/dev/tavorin-test-no-port"));
    }
};

// The line as a device last had it, e.g. "2400 8N1 DTR=on RTS=off", from the
// log the modem-line stand-in (ptymodem.c) keeps.
inline QString lastLineState(const QString &logPath)
{
    QFile log(logPath);
    const QList<QByteArray> states
        = log.open(QIODevice::ReadOnly) ? log.readAll().split('\n') : QList<QByteArray>();
    return QString::fromLatin1(states.size() > 1 ? states[states.size() - 2] : "(none logged)");
}

// The bytes of the file at path; "(none)" when it cannot be read.
inline QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
}

inline void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size())
        << path.toStdString();
}

// What a poppler-utils program (pdfinfo, pdftotext, pdffonts) prints about a
// file; nothing where it cannot be started, as from a Windows build.
inline std::optional<QString> poppler(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForStarted(20000) || !process.waitForFinished(60000))
        return std::nullopt;
    return QString::fromUtf8(process.readAllStandardOutput());
}

#define POPPLER(result, program, ...)                                                              \
    const std::optional<QString> result = tavorin::test::poppler(program, __VA_ARGS__);            \
    if (!result)                                                                                   \
        GTEST_SKIP() << QString(program).toStdString() << " cannot be run (Debian: poppler-utils)";

// The lines of a page's text as pdftotext lays them out, each with its runs
// of blanks (ideographic spaces too) made one space, the empty ones left out.
inline QStringList pageLines(const QString &text)
{
    QStringList lines;
    for (const QString &line : text.split(u'\n')) {
        const QString simplified = line.simplified();
        if (!simplified.isEmpty() && simplified != u"\f")
            lines.append(simplified);
    }
    return lines;
}

// The bytes the heap has handed out; 0 where the C library or a sanitizer's
// allocator keeps no such figures, so that a test measuring none skips.
inline qint64 heapInUse()
{
#ifdef __GLIBC__
    const struct mallinfo2 in = mallinfo2();
    return qint64(in.uordblks + in.hblkhd);
#else
    return 0;
#endif
}

// Runs the window's events until done() holds or the time is up.
template <typename Done> bool waitFor(Done done, int timeoutMs = 5000)
{
    const QDeadlineTimer deadline(timeoutMs);
    QTimer tick; // wakes every millisecond so that waiting costs no time
    tick.start(1);
    while (!done()) {
        if (deadline.hasExpired())
            return done();
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

} // namespace tavorin::test
