// Latitude and longitude of a full point table: 10001 points of zone IX
// turned from X and Y, as the map files and the GSI map's address need them;
// and the GeoJSON file of them, list lines to bytes.
//
// Measured under a QApplication, as in the window's process: there Qt's GUI
// leaves the upper halves of the AVX registers in use, which made the same
// loop take 27 to 39 ms instead of 5 until the conversions cleared them.
#include "mapfiles.h"
#include "mappoints.h"
#include "projection.h"

#include <QStringList>

#include <benchmark/benchmark.h>

#include <vector>

using namespace tavorin;

namespace {

constexpr int Points = 10001;

std::vector<geodesy::PlanePoint> grid()
{
    std::vector<geodesy::PlanePoint> points;
    for (int i = 0; i < Points; ++i)
        points.push_back({ -35000.0 + 1.234 * i, 18000.0 + 0.987 * (i % 97) });
    return points;
}

void convert10001Points(benchmark::State &state)
{
    const std::vector<geodesy::PlanePoint> points = grid();
    for (auto _ : state) {
        double sum = 0;
        for (const geodesy::PlanePoint p : points)
            sum += geodesy::toLatLon(9, p)->latitude;
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(convert10001Points)->Unit(benchmark::kMillisecond);

void geoJsonOf10001Points(benchmark::State &state)
{
    FilePoints points;
    for (const geodesy::PlanePoint p : grid())
        points.append({ QString::number(points.size() + 1),
            QStringLiteral("P%1").arg(points.size()), QString::number(p.x, 'f', 3),
            QString::number(p.y, 'f', 3), QStringLiteral("12.345"), points.size() + 4 });
    for (auto _ : state)
        benchmark::DoNotOptimize(geoJsonBytes(mapPoints(points, 9), 9));
}
BENCHMARK(geoJsonOf10001Points)->Unit(benchmark::kMillisecond);

} // namespace
