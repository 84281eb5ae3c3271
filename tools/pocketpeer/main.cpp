// tavorin-pocketpeer: plays the pocket computer on a serial line.
//
//   tavorin-pocketpeer receive [--device DEV] [--ack TEXT] [--ack-delay MS]
//       Acknowledges every point line and prints it, until "/"; with
//       --ack-delay, MS milliseconds after the line, as a slow pocket
//       computer that stores each line before it answers.
//   tavorin-pocketpeer send FILE.sim [--device DEV] [--delay MS]
//       Sends the file's points as 35-character records, then the end
//       message, once Enter is pressed (after OK in the program).
//
// Without --device it creates a pseudo-terminal pair and prints the device
// the program is to open. With --stay it keeps its end of the line open
// after the exchange until its standard input ends, as a cable stays
// connected: a pseudo-terminal whose peer has gone hangs up, and takes with
// it what the program has not read yet. --hang-up-after N drops the line
// after N points instead, as a pocket computer switched off mid-transfer.
#include "codepage932.h"
#include "pocketpeer.h"
#include "simafile.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

using namespace tavorin::peer;

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Plays the pocket computer on a serial line."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("role"), QStringLiteral("receive or send"));
    parser.addPositionalArgument(
        QStringLiteral("file"), QStringLiteral("SIMA file to send"), QStringLiteral("[file]"));
    const QCommandLineOption deviceOption(
        QStringLiteral("device"), QStringLiteral("Serial device to open."), QStringLiteral("path"));
    const QCommandLineOption ackOption(QStringLiteral("ack"),
        QStringLiteral("Acknowledgement without CR (ST)."), QStringLiteral("text"),
        QStringLiteral("ST"));
    const QCommandLineOption ackDelayOption(QStringLiteral("ack-delay"),
        QStringLiteral("Milliseconds before each acknowledgement."), QStringLiteral("ms"),
        QStringLiteral("0"));
    const QCommandLineOption delayOption(QStringLiteral("delay"),
        QStringLiteral("Milliseconds between records."), QStringLiteral("ms"), QStringLiteral("0"));
    const QCommandLineOption noWaitOption(
        QStringLiteral("no-wait"), QStringLiteral("Send without waiting for Enter."));
    const QCommandLineOption stayOption(
        QStringLiteral("stay"), QStringLiteral("Keep the line open until standard input ends."));
    const QCommandLineOption hangUpOption(QStringLiteral("hang-up-after"),
        QStringLiteral("Drop the line after this many points."), QStringLiteral("points"));
    parser.addOptions({ deviceOption, ackOption, ackDelayOption, delayOption, noWaitOption,
        stayOption, hangUpOption });
    parser.process(app);

    QTextStream out(stdout);
    QTextStream err(stderr);
    const QStringList args = parser.positionalArguments();
    const QString role = args.value(0);
    if ((role != u"receive" && role != u"send") || (role == u"send" && args.size() < 2)) {
        err << parser.helpText();
        return 2;
    }

    QList<QByteArray> records;
    if (role == u"send") {
        // Read as the program reads it; a file cut short still sends the
        // points before the cut, as the program would list them.
        const tavorin::Result<tavorin::SimaReading> reading = tavorin::loadSimaFile(args[1]);
        const int failure = reading ? reading->ending.failure() : reading.failure();
        if (failure)
            err << args[1] << ": failure " << failure << "\n";
        if (!reading)
            return 1;
        for (const tavorin::PointRecord &point : reading->points)
            records.append(pointRecord(point.name, point.x, point.y));
    }

    const int hangUpAfter = parser.isSet(hangUpOption) ? parser.value(hangUpOption).toInt() : -1;
    const auto stay = [&] {
        if (parser.isSet(stayOption))
            while (std::getchar() != EOF) { }
    };

    QString error;
    const bool send = role == u"send";
    std::unique_ptr<PeerLine> line = parser.isSet(deviceOption)
        ? PeerLine::openDevice(parser.value(deviceOption), send ? 9600 : 2400, &error)
        : PeerLine::createPty(&error);
    if (!line) {
        err << error << "\n";
        return 1;
    }
    out << "device: " << line->deviceName() << "\n";
    out.flush();

    if (send) {
        if (!parser.isSet(noWaitOption)) {
            out << records.size() << " points; press Enter to send\n";
            out.flush();
            std::getchar();
        }
        if (hangUpAfter >= 0) {
            records.resize(std::min<qsizetype>(hangUpAfter, records.size()));
            const bool sent = sendRecords(*line, records, parser.value(delayOption).toInt(), false);
            line->waitUntilTaken(60000);
            line->close();
            out << "hung up after " << records.size() << "\n";
            return sent ? 0 : 1;
        }
        if (!sendRecords(*line, records, parser.value(delayOption).toInt())) {
            err << "the line went away\n";
            return 1;
        }
        out << "sent: " << records.size() << "\n";
        out.flush();
        // Stay until the program has read everything, then end.
        line->waitUntilTaken(60000);
        stay();
        return 0;
    }

    ReceiverOptions options;
    options.acknowledgement = parser.value(ackOption).toLatin1() + '\r';
    options.idleTimeoutMs = 24 * 3600 * 1000;
    options.hangUpAfterLines = hangUpAfter;
    options.acknowledgementDelayMs = parser.value(ackDelayOption).toInt();
    const ReceiverResult result = receiveLines(*line, options, [&](const QByteArray &received) {
        out << tavorin::cp932::decode(received) << "\n";
        out.flush();
    });
    out << (result.endMarker ? "end: " : "no end marker: ") << result.lines.size() << "\n";
    out.flush();
    if (line->isOpen())
        stay();
    return result.endMarker ? 0 : 1;
}
