// The plan on paper and the DXF file for 10001 points: the PDF (plan page
// and about 200 table pages) and the DXF file saved to disk, with the
// process's peak resident memory, which bounds what a save takes.
#include "dxffile.h"
#include "filepoint.h"
#include "planpdf.h"
#include "pointtable.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <random>

#include <sys/resource.h>

using namespace tavorin;

namespace {

// 10001 points scattered over a square kilometre, a quarter of them
// clustered so that their names crowd, as in the plan's benchmark; each
// with a number and an elevation, so that the table has all its columns.
FilePoints scatteredPoints()
{
    std::mt19937 random(1);
    std::uniform_real_distribution<double> spread(0, 1000);
    std::normal_distribution<double> cluster(500, 20);
    FilePoints points;
    for (int p = 0; p < PointTable::Size; ++p) {
        const bool clustered = p % 4 == 0;
        const double x = -23000 + (clustered ? cluster(random) : spread(random));
        const double y = 12000 + (clustered ? cluster(random) : spread(random));
        points.append(
            { QString::number(p + 1), QStringLiteral("P%1").arg(p), QString::number(x, 'f', 3),
                QString::number(y, 'f', 3), QString::number(10 + p % 100 / 10.0, 'f', 3), p + 2 });
    }
    return points;
}

double peakMegabytes()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024;
}

void planPdf(benchmark::State &state)
{
    QTemporaryDir dir;
    PlanPdfInput input;
    input.points = scatteredPoints();
    input.title = QStringLiteral("bench");
    input.zone = 9;
    input.date = QDate(2025, 1, 5);
    const QString path = dir.filePath(QStringLiteral("plan.pdf"));
    const double before = peakMegabytes();
    for (auto _ : state) {
        if (!savePlanPdf(path, input))
            state.SkipWithError("the PDF was not saved");
    }
    state.counters["pages"] = planPageCount(input);
    state.counters["fileMB"] = double(QFileInfo(path).size()) / (1024 * 1024);
    state.counters["peakMB_before"] = before;
    state.counters["peakMB"] = peakMegabytes();
}
BENCHMARK(planPdf)->Unit(benchmark::kMillisecond);

void dxf(benchmark::State &state)
{
    QTemporaryDir dir;
    const FilePoints points = scatteredPoints();
    const QString path = dir.filePath(QStringLiteral("points.dxf"));
    for (auto _ : state) {
        if (!saveDxf(path, points))
            state.SkipWithError("the DXF file was not saved");
    }
    state.counters["fileMB"] = double(QFileInfo(path).size()) / (1024 * 1024);
    state.counters["peakMB"] = peakMegabytes();
}
BENCHMARK(dxf)->Unit(benchmark::kMillisecond);

} // namespace
