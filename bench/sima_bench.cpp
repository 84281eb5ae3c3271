// Speed of SIMA files: parsing, the whole load into the window, writing.
#include "form1.h"
#include "listline.h"
#include "pointtable.h"
#include "portresolver.h"
#include "simareader.h"
#include "simawriter.h"
#include "userdialogs.h"

#include <QAction>
#include <QApplication>
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
        SimaReading reading = readSima(bytes);
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

class OneFile final : public UserDialogs
{
public:
    QString path;
    MessageAnswer messageBox(
        QWidget *, const QString &, const QString &, MessageIcon, MessageButtons) override
    {
        return MessageAnswer::Ok;
    }
    std::optional<QString> fileDialog(
        QWidget *, FileDialogMode, const QString &, const QString &) override
    {
        return path;
    }
};

class NoPorts final : public PortResolver
{
public:
    QString deviceName(int) const override { return QStringLiteral("/dev/tavorin-bench-no-port"); }
};

void loadIntoWindow(benchmark::State &state)
{
    QTemporaryDir dir;
    OneFile dialogs;
    dialogs.path = dir.filePath(QStringLiteral("points.sim"));
    QFile file(dialogs.path);
    file.open(QIODevice::WriteOnly);
    file.write(tenThousandAndOnePoints());
    file.close();

    NoPorts ports;
    PointTable table;
    Form1 form(dialogs, ports, table);
    form.show();
    for (auto _ : state)
        form.SimFileLoad_Click();
}
BENCHMARK(loadIntoWindow)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
