// Transfers through the real window against the pocket computer peer on a
// pseudo-terminal pair: how fast the program's own part of a transfer is.
#include "benchwindow.h"
#include "form1.h"
#include "listbox.h"
#include "pocketpeer.h"
#include "pointtable.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QPushButton>
#include <QThread>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <thread>

using namespace tavorin;

namespace {

// Runs window events until the port is closed again (the transfer's end).
bool runUntilClosed(Form1 &form, int timeoutMs)
{
    const auto *port = form.findChild<CommPort *>(QStringLiteral("MSComm1"));
    const QDeadlineTimer deadline(timeoutMs);
    QTimer tick;
    tick.start(1);
    while (port->portOpen()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

// A window whose port 1 is one end of a fresh pseudo-terminal pair; the
// pocket computer peer works the other end.
struct PtyWindow
{
    std::unique_ptr<peer::PeerLine> line = peer::PeerLine::createPty();
    bench::FixedPorts ports { line->deviceName() };
    bench::AnswersOk dialogs;
    PointTable table;
    Form1 form { dialogs, ports, table };

    template <typename T> T *control(const QString &name) { return form.findChild<T *>(name); }
};

QString listLine(int i)
{
    return QStringLiteral("P%1").arg(i, 5, 10, QChar(u'0')).leftJustified(8)
        + QString::number(i * 1.25, 'f', 3).rightJustified(13)
        + QString::number(-i * 0.5, 'f', 3).rightJustified(13);
}

void BM_Send999Lines(benchmark::State &state)
{
    constexpr int Lines = 999;
    for (auto _ : state) {
        state.PauseTiming();
        PtyWindow window;
        auto *list2 = window.control<ListBox>(QStringLiteral("List2"));
        for (int i = 0; i < Lines; ++i)
            list2->addItem(listLine(i));
        peer::ReceiverResult result;
        std::thread pocket([&] { result = peer::receiveLines(*window.line); });
        state.ResumeTiming();

        window.control<QPushButton>(QStringLiteral("Command2"))->click();
        const bool ended = runUntilClosed(window.form, 60000);

        state.PauseTiming();
        pocket.join();
        if (!ended || !result.endMarker || result.lines.size() != Lines)
            state.SkipWithError("the pocket computer did not get every line");
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * Lines);
}
BENCHMARK(BM_Send999Lines)->Unit(benchmark::kMillisecond)->UseRealTime();

void receive(benchmark::State &state, int blockWindowMs)
{
    constexpr int Records = 10001;
    QList<QByteArray> records;
    for (int i = 0; i < Records; ++i)
        records.append(peer::pointRecord(QStringLiteral("P%1").arg(i),
            QString::number(i * 1.25, 'f', 3), QString::number(-i * 0.5, 'f', 3)));
    for (auto _ : state) {
        state.PauseTiming();
        PtyWindow window;
        window.control<QPushButton>(QStringLiteral("Command3"))->click();
        state.ResumeTiming();

        std::thread pocket([&] { peer::sendRecords(*window.line, records); });
        if (blockWindowMs > 0)
            QThread::msleep(ulong(blockWindowMs));
        const bool ended = runUntilClosed(window.form, 60000);

        state.PauseTiming();
        pocket.join();
        const int got = window.control<ListBox>(QStringLiteral("List2"))->listCount();
        if (!ended || got != Records)
            state.SkipWithError("records were lost");
        state.counters["lines"] = got;
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * Records);
}

void BM_Receive10001Records(benchmark::State &state)
{
    receive(state, 0);
}
BENCHMARK(BM_Receive10001Records)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Receive10001RecordsWindowBlockedOneSecond(benchmark::State &state)
{
    receive(state, 1000);
}
BENCHMARK(BM_Receive10001RecordsWindowBlockedOneSecond)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);

} // namespace
