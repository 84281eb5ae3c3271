// The plan on paper and the DXF file for 10001 points: the PDF (plan page
// and about 200 table pages) and the DXF file saved to disk, with the
// process's peak resident memory, which bounds what a save takes; and a
// plan PDF with 100 parcels and their pages, which must take under 3 s.
#include "dxffile.h"
#include "filepoint.h"
#include "planpdf.h"
#include "pointtable.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>
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

// 100 parcels of 20 vertices in rows of 10, each a ring 8 m across round
// its own centre, 20 m apart; 2000 points, the plan and every parcel's
// pages (about 300 pages in all).
PlanPdfInput hundredParcels()
{
    PlanPdfInput input;
    input.title = QStringLiteral("bench");
    input.zone = 9;
    input.date = QDate(2025, 1, 5);
    for (int p = 0; p < 100; ++p) {
        Parcel parcel { QString::number(p + 1), QStringLiteral("%1番").arg(p + 1),
            QStringLiteral("1"), {}, {}, 1 };
        for (int v = 0; v < 20; ++v) {
            const double angle = -2 * std::numbers::pi * v / 20;
            const double x = -23000 + (p / 10) * 20 + 8 * std::cos(angle);
            const double y = 12000 + (p % 10) * 20 + 8 * std::sin(angle);
            const QString name = QStringLiteral("K%1-%2").arg(p + 1).arg(v + 1);
            parcel.vertices.append({ {}, name, input.points.size(), {} });
            input.points.append({ {}, name, QString::number(x, 'f', 3), QString::number(y, 'f', 3),
                {}, input.points.size() + 2 });
        }
        input.parcels.append(parcel);
    }
    return input;
}

void planPdfParcels(benchmark::State &state)
{
    QTemporaryDir dir;
    const PlanPdfInput input = hundredParcels();
    const QString path = dir.filePath(QStringLiteral("plan.pdf"));
    for (auto _ : state) {
        if (!savePlanPdf(path, input))
            state.SkipWithError("the PDF was not saved");
    }
    state.counters["pages"] = planPageCount(input);
    state.counters["fileMB"] = double(QFileInfo(path).size()) / (1024 * 1024);
}
BENCHMARK(planPdfParcels)->Unit(benchmark::kMillisecond);

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
