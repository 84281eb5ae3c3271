// Reading the registry's maps (地図XML), laid out as the Ministry of
// Justice's files are (one element a line, tab indents): a map of 10001
// points and 2000 parcels, and one of about 100 MB.
#include "mapxml.h"

#include <QByteArray>

#include <benchmark/benchmark.h>

namespace {

using tavorin::registry::MapReading;
using tavorin::registry::readMapXml;

QByteArray id(char kind, qsizetype n)
{
    return kind + QByteArray::number(n).rightJustified(9, '0');
}

// A map of side × side 筆界点 on a 1 m grid plus one 基準点, and parcels
// on the first cells of the grid, each edge of a cell a 筆界線.
QByteArray gridMap(int side, int parcels)
{
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                     "<地図 xmlns=\"http://www.moj.go.jp/MINJI/tizuxml\" "
                     "xmlns:zmn=\"http://www.moj.go.jp/MINJI/tizuzumen\">\n"
                     "\t<地図名>BENCH</地図名>\n\t<市区町村名>ベンチ町</市区町村名>\n"
                     "\t<座標系>公共座標9系</座標系>\n\t<空間属性>\n";
    const auto point = [side](int row, int column) { return qsizetype(row) * side + column + 1; };
    const qsizetype points = qsizetype(side) * side + 1;
    for (qsizetype n = 1; n <= points; ++n) {
        xml += "\t\t<zmn:GM_Point id=\"" + id('P', n)
            + "\">\n\t\t\t<zmn:GM_Point.position>\n\t\t\t\t<zmn:DirectPosition>\n"
              "\t\t\t\t\t<zmn:X>"
            + QByteArray::number(-30000.0 + double((n - 1) / side) * 1.25, 'f', 3)
            + "</zmn:X>\n\t\t\t\t\t<zmn:Y>"
            + QByteArray::number(-4000.0 + double((n - 1) % side) * 1.5, 'f', 3)
            + "</zmn:Y>\n\t\t\t\t</zmn:DirectPosition>\n\t\t\t</zmn:GM_Point.position>\n"
              "\t\t</zmn:GM_Point>\n";
    }
    // Curves: for cell k, its bottom, right, top and left edges (no sharing,
    // as simple as it is long).
    qsizetype curve = 0;
    const auto addCurve = [&](qsizetype from, qsizetype to) {
        xml += "\t\t<zmn:GM_Curve id=\"" + id('C', ++curve)
            + "\">\n\t\t\t<zmn:GM_OrientablePrimitive.orientation>+</zmn:GM_OrientablePrimitive."
              "orientation>\n\t\t\t<zmn:GM_Curve.segment>\n\t\t\t\t<zmn:GM_LineString>\n"
              "\t\t\t\t\t<zmn:GM_LineString.controlPoint>\n";
        for (const qsizetype p : { from, to })
            xml += "\t\t\t\t\t\t<zmn:GM_PointArray.column>\n\t\t\t\t\t\t\t<zmn:GM_Position."
                   "indirect>\n"
                   "\t\t\t\t\t\t\t\t<zmn:GM_PointRef.point idref=\""
                + id('P', p)
                + "\"/>\n\t\t\t\t\t\t\t</zmn:GM_Position.indirect>\n"
                  "\t\t\t\t\t\t</zmn:GM_PointArray.column>\n";
        xml += "\t\t\t\t\t</zmn:GM_LineString.controlPoint>\n\t\t\t\t</zmn:GM_LineString>\n"
               "\t\t\t</zmn:GM_Curve.segment>\n\t\t</zmn:GM_Curve>\n";
    };
    for (int k = 0; k < parcels; ++k) {
        const int row = k / (side - 1), column = k % (side - 1);
        addCurve(point(row, column), point(row, column + 1));
        addCurve(point(row, column + 1), point(row + 1, column + 1));
        addCurve(point(row + 1, column + 1), point(row + 1, column));
        addCurve(point(row + 1, column), point(row, column));
    }
    for (int k = 0; k < parcels; ++k) {
        xml += "\t\t<zmn:GM_Surface id=\"" + id('F', k + 1)
            + "\">\n\t\t\t<zmn:GM_Surface.patch>\n\t\t\t\t<zmn:GM_Polygon>\n"
              "\t\t\t\t\t<zmn:GM_Polygon.boundary>\n\t\t\t\t\t\t<zmn:GM_SurfaceBoundary>\n"
              "\t\t\t\t\t\t\t<zmn:GM_SurfaceBoundary.exterior>\n\t\t\t\t\t\t\t\t<zmn:GM_Ring>\n";
        for (int edge = 1; edge <= 4; ++edge)
            xml += "\t\t\t\t\t\t\t\t\t<zmn:GM_CompositeCurve.generator idref=\""
                + id('C', qsizetype(k) * 4 + edge) + "\"/>\n";
        xml += "\t\t\t\t\t\t\t\t</zmn:GM_Ring>\n\t\t\t\t\t\t\t</zmn:GM_SurfaceBoundary.exterior>\n"
               "\t\t\t\t\t\t</zmn:GM_SurfaceBoundary>\n\t\t\t\t\t</zmn:GM_Polygon.boundary>\n"
               "\t\t\t\t</zmn:GM_Polygon>\n\t\t\t</zmn:GM_Surface.patch>\n\t\t</zmn:GM_Surface>\n";
    }
    xml += "\t</空間属性>\n\t<主題属性>\n\t\t<基準点>\n\t\t\t<名称>T1</名称>\n\t\t\t<形状 idref=\""
        + id('P', points) + "\"/>\n\t\t</基準点>\n";
    for (qsizetype n = 1; n < points; ++n)
        xml += "\t\t<筆界点>\n\t\t\t<点番名>" + QByteArray::number(n)
            + "</点番名>\n\t\t\t<形状 idref=\"" + id('P', n) + "\"/>\n\t\t</筆界点>\n";
    for (int k = 0; k < parcels; ++k)
        xml += "\t\t<筆 id=\"" + id('H', k + 1) + "\">\n\t\t\t<大字名>本町</大字名>\n\t\t\t<地番>"
            + QByteArray::number(k + 1) + "</地番>\n\t\t\t<形状 idref=\"" + id('F', k + 1)
            + "\"/>\n\t\t\t<精度区分>甲二</精度区分>\n\t\t</筆>\n";
    xml += "\t</主題属性>\n</地図>\n";
    return xml;
}

void read(benchmark::State &state, const QByteArray &xml, qsizetype records)
{
    for (auto _ : state) {
        const MapReading map = readMapXml(xml);
        if (map.reading.records.size() != records) {
            state.SkipWithError("wrong number of points");
            break;
        }
        benchmark::DoNotOptimize(map);
    }
    state.SetBytesProcessed(state.iterations() * xml.size());
    state.counters["MB"] = double(xml.size()) / 1e6;
}

// 10001 points, 2000 parcels: read in full.
void readFullMap(benchmark::State &state)
{
    static const QByteArray xml = gridMap(100, 2000);
    read(state, xml, 10001);
}
BENCHMARK(readFullMap)->Unit(benchmark::kMillisecond);

// About 100 MB: 28,901 points and 25,000 parcels, parsed and resolved in
// full, then refused as past the 10001 points a reading takes (failure 9).
void read100MegabyteMap(benchmark::State &state)
{
    static const QByteArray xml = gridMap(170, 25000);
    read(state, xml, 0);
}
BENCHMARK(read100MegabyteMap)->Unit(benchmark::kMillisecond);

} // namespace
