// The window's memory with a 10001-point SIMA file, in the steps that
// tools/measure-startup times on a real display: the file read at start (in
// a thread of its own) and listed, then every point picked and put into the
// transfer list with "決定". One run a process, as the peak is the
// process's: the counters give the live heap and the resident memory after
// each step, and the peak.
#include "benchwindow.h"
#include "form1.h"
#include "freedmemory.h"
#include "listbox.h"
#include "listline.h"
#include "pointtable.h"
#include "simawriter.h"
#include "startup.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>

#ifdef __GLIBC__
#include <malloc.h>
#endif

using namespace tavorin;

namespace {

double heapMegabytes()
{
#ifdef __GLIBC__
    const struct mallinfo2 in = mallinfo2();
    return double(in.uordblks + in.hblkhd) / (1024 * 1024);
#else
    return 0;
#endif
}

// VmRSS or VmHWM of this process, in MiB.
double statusMegabytes(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(qsizetype(std::strlen(field))).trimmed().split(' ').first().toDouble()
                / 1024;
    }
    return 0;
}

void readAndChooseAll(benchmark::State &state)
{
    // As the program's own start does, before any thread.
    setUpAllocator();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("points.sim"));
    QStringList lines;
    for (int i = 0; i < PointTable::Size; ++i)
        lines << ListLine::form({ QStringLiteral("P%1").arg(i), QStringLiteral("-23795.960"),
            QStringLiteral("-32832.251") });
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(simaFileBytes(lines)) <= 0) {
        state.SkipWithError("the SIMA file was not written");
        return;
    }
    file.close();
    lines = {};

    const double heapBefore = heapMegabytes();
    bench::AnswersOk dialogs;
    bench::FixedPorts ports;
    PointTable table;
    for (auto _ : state) {
        Form1 form(dialogs, ports, table);
        FileReadAtStart reading(path);
        form.show();
        reading.handTo(form);
        QCoreApplication::processEvents();
        state.counters["heapMB_file"] = heapMegabytes() - heapBefore;
        state.counters["residentMB_file"] = statusMegabytes("VmRSS:");

        form.findChild<ListBox *>(QStringLiteral("List1"))->selectAll();
        form.findChild<QAbstractButton *>(QStringLiteral("Command1"))->click();
        QCoreApplication::processEvents();
        state.counters["heapMB_both"] = heapMegabytes() - heapBefore;
        state.counters["residentMB_both"] = statusMegabytes("VmRSS:");
        if (form.findChild<ListBox *>(QStringLiteral("List2"))->listCount() != PointTable::Size)
            state.SkipWithError("not every point was added");
    }
    state.counters["peakMB"] = statusMegabytes("VmHWM:");
}
BENCHMARK(readAndChooseAll)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
