// Speed of a parcel's 座標求積表 and 辺長表 for a parcel of 10000 vertices.
#include "parcelarea.h"

#include <QtMath>

#include <benchmark/benchmark.h>

using namespace tavorin;

namespace {

// A ring of count points round a circle of 500 m, coordinates to the
// millimetre as a file writes them, and the parcel through them in order.
std::pair<Parcel, FilePoints> ring(int count)
{
    Parcel parcel;
    FilePoints records;
    for (int i = 0; i < count; ++i) {
        const double angle = 2 * M_PI * i / count;
        records.append({ QString::number(i + 1), QStringLiteral("K%1").arg(i + 1),
            QString::number(-23795.960 + 500 * qCos(angle), 'f', 3),
            QString::number(-32832.251 + 500 * qSin(angle), 'f', 3), {}, i + 1 });
        parcel.vertices.append({ records.last().number(), records.last().name(), i, {} });
    }
    return { parcel, records };
}

// The 面積 alone, as the plan's status line and the map files want it.
void area(benchmark::State &state)
{
    const auto [parcel, records] = ring(int(state.range(0)));
    for (auto _ : state) {
        auto micro = parcels::areaMicro(parcel, records);
        if (!micro)
            state.SkipWithError("no area");
        benchmark::DoNotOptimize(micro);
    }
}
BENCHMARK(area)->Arg(10000)->Unit(benchmark::kMillisecond);

void areaTable(benchmark::State &state)
{
    const auto [parcel, records] = ring(int(state.range(0)));
    for (auto _ : state) {
        auto table = parcels::areaTable(parcel, records, parcels::AreaForm::XTimesDeltaY);
        if (!table)
            state.SkipWithError("no area table");
        benchmark::DoNotOptimize(table);
    }
}
BENCHMARK(areaTable)->Arg(10000)->Unit(benchmark::kMillisecond);

void sideTable(benchmark::State &state)
{
    const auto [parcel, records] = ring(int(state.range(0)));
    for (auto _ : state) {
        auto table = parcels::sideTable(parcel, records);
        benchmark::DoNotOptimize(table);
    }
}
BENCHMARK(sideTable)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace
