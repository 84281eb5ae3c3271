// Speed of SIMA files: parsing, the whole load into the window, writing.
#include "benchwindow.h"
#include "form1.h"
#include "listline.h"
#include "pointtable.h"
#include "simareader.h"
#include "simawriter.h"

#include <QAction>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace tavorin;

namespace {

QStringList transferLines(int count)
{
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines << ListLine::form({ QStringLiteral("P%1").arg(i), QStringLiteral("-23795.960"),
            QStringLiteral("-32832.251") });
    return lines;
}

const QByteArray &tenThousandAndOnePoints()
{
    static const QByteArray bytes = simaFileBytes(transferLines(PointTable::Size));
    return bytes;
}

void parseFile(benchmark::State &state)
{
    const QByteArray &bytes = tenThousandAndOnePoints();
    for (auto _ : state) {
        Result<SimaReading> reading = readSima(bytes);
        benchmark::DoNotOptimize(reading);
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(parseFile)->Unit(benchmark::kMillisecond);

void writeLines(benchmark::State &state)
{
    const QStringList lines = transferLines(PointTable::Size);
    for (auto _ : state) {
        QByteArray bytes = simaFileBytes(lines);
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(writeLines)->Unit(benchmark::kMillisecond);

void loadIntoWindow(benchmark::State &state)
{
    QTemporaryDir dir;
    bench::AnswersOk dialogs;
    dialogs.chosenFile = dir.filePath(QStringLiteral("points.sim"));
    QFile file(*dialogs.chosenFile);
    file.open(QIODevice::WriteOnly);
    file.write(tenThousandAndOnePoints());
    file.close();

    bench::FixedPorts ports;
    PointTable table;
    Form1 form(dialogs, ports, table);
    form.show();
    QAction *load = form.findChild<QAction *>(QStringLiteral("SimFileLoad"));
    for (auto _ : state)
        load->trigger();
}
BENCHMARK(loadIntoWindow)->Unit(benchmark::kMillisecond);

} // namespace
