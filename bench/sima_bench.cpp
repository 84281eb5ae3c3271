// Speed of SIMA and CSV files: parsing, the whole load into the window,
// writing; CSV input that no spreadsheet saves.
#include "benchwindow.h"
#include "csvreader.h"
#include "csvwriter.h"
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

// 10001 rows as the CSV writer writes them, and the same with a UTF-8 mark
// and thousands separators, as Excel's "CSV UTF-8" saves them.
void parseCsv(benchmark::State &state)
{
    QByteArray bytes = csvFileBytes(transferLines(PointTable::Size));
    if (state.range(0) == 1)
        bytes = "\xEF\xBB\xBF" + bytes.replace("-23795.960", "\"-23,795.960\"");
    for (auto _ : state) {
        Result<CsvReading> reading = readCsv(bytes);
        benchmark::DoNotOptimize(reading);
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(parseCsv)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// What must end in a message within seconds: a single line of 100 MB, and
// ten million rows (blank but for commas, so that all are read).
void parseHostileCsv(benchmark::State &state)
{
    const QByteArray bytes = state.range(0) == 0
        ? QByteArray(100'000'000, 'x')
        : "Name,X,Y\r\n" + QByteArray(",,\r\n").repeated(10'000'000);
    for (auto _ : state) {
        Result<CsvReading> reading = readCsv(bytes);
        benchmark::DoNotOptimize(reading);
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(parseHostileCsv)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(2);

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
