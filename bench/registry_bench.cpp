// Reading the registry's maps (地図XML), laid out as the Ministry of
// Justice's files are (one element a line, tab indents): a map of 10001
// points and 2000 parcels, and one of about 100 MB.
#include "mapxml.h"

#include <QByteArray>

#include <benchmark/benchmark.h>

#include <initializer_list>
#include <utility>
#include <vector>

namespace {

using tavorin::registry::MapReading;
using tavorin::registry::readMapXml;

QByteArray id(char kind, qsizetype n)
{
    return kind + QByteArray::number(n).rightJustified(9, '0');
}

// A block of size × size cells of the grid, from its corner nearest the
// origin: a parcel whose ring runs round it.
struct Block
{
    int row;
    int column;
    int size;
};

// A map of side × side 筆界点 on a grid plus one 基準点, and a parcel on
// each block, every unit edge of its ring a 筆界線 of its own.
QByteArray gridMap(int side, const std::vector<Block> &blocks)
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
    // Each block's ring: up its first column's side, along, down, back.
    std::vector<std::pair<qsizetype, qsizetype>> rings; // first curve, count
    for (const Block &b : blocks) {
        const qsizetype first = curve + 1;
        int row = b.row, column = b.column;
        const std::pair<int, int> steps[] = { { 0, 1 }, { 1, 0 }, { 0, -1 }, { -1, 0 } };
        for (const auto &[dRow, dColumn] : steps) {
            for (int i = 0; i < b.size; ++i) {
                addCurve(point(row, column), point(row + dRow, column + dColumn));
                row += dRow;
                column += dColumn;
            }
        }
        rings.emplace_back(first, curve - first + 1);
    }
    for (std::size_t k = 0; k < rings.size(); ++k) {
        xml += "\t\t<zmn:GM_Surface id=\"" + id('F', qsizetype(k) + 1)
            + "\">\n\t\t\t<zmn:GM_Surface.patch>\n\t\t\t\t<zmn:GM_Polygon>\n"
              "\t\t\t\t\t<zmn:GM_Polygon.boundary>\n\t\t\t\t\t\t<zmn:GM_SurfaceBoundary>\n"
              "\t\t\t\t\t\t\t<zmn:GM_SurfaceBoundary.exterior>\n\t\t\t\t\t\t\t\t<zmn:GM_Ring>\n";
        for (qsizetype c = rings[k].first; c < rings[k].first + rings[k].second; ++c)
            xml += "\t\t\t\t\t\t\t\t\t<zmn:GM_CompositeCurve.generator idref=\"" + id('C', c)
                + "\"/>\n";
        xml += "\t\t\t\t\t\t\t\t</zmn:GM_Ring>\n\t\t\t\t\t\t\t</zmn:GM_SurfaceBoundary.exterior>\n"
               "\t\t\t\t\t\t</zmn:GM_SurfaceBoundary>\n\t\t\t\t\t</zmn:GM_Polygon.boundary>\n"
               "\t\t\t\t</zmn:GM_Polygon>\n\t\t\t</zmn:GM_Surface.patch>\n\t\t</zmn:GM_Surface>\n";
    }
    xml += "\t</空間属性>\n\t<主題属性>\n\t\t<基準点>\n\t\t\t<名称>T1</名称>\n\t\t\t<形状 idref=\""
        + id('P', points) + "\"/>\n\t\t</基準点>\n";
    for (qsizetype n = 1; n < points; ++n)
        xml += "\t\t<筆界点>\n\t\t\t<点番名>" + QByteArray::number(n)
            + "</点番名>\n\t\t\t<形状 idref=\"" + id('P', n) + "\"/>\n\t\t</筆界点>\n";
    for (qsizetype k = 0; k < qsizetype(blocks.size()); ++k)
        xml += "\t\t<筆 id=\"" + id('H', k + 1) + "\">\n\t\t\t<大字名>本町</大字名>\n\t\t\t<地番>"
            + QByteArray::number(k + 1) + "</地番>\n\t\t\t<形状 idref=\"" + id('F', k + 1)
            + "\"/>\n\t\t\t<精度区分>甲二</精度区分>\n\t\t</筆>\n";
    xml += "\t</主題属性>\n</地図>\n";
    return xml;
}

// Every block of the given sizes that fits a grid of side points a side.
std::vector<Block> allBlocks(int side, std::initializer_list<int> sizes, std::size_t most)
{
    std::vector<Block> blocks;
    for (const int size : sizes)
        for (int row = 0; row + size < side; ++row)
            for (int column = 0; column + size < side; ++column)
                if (blocks.size() < most)
                    blocks.push_back(Block { row, column, size });
    return blocks;
}

void read(benchmark::State &state, const QByteArray &xml, qsizetype parcels)
{
    for (auto _ : state) {
        const MapReading map = readMapXml(xml);
        if (map.reading.records.size() != 10001 || map.reading.parcels.size() != parcels
            || !map.reading.parcels.back().isGood()) {
            state.SkipWithError("not the map that was written");
            break;
        }
        benchmark::DoNotOptimize(map);
    }
    state.SetBytesProcessed(state.iterations() * xml.size());
    state.counters["MB"] = double(xml.size()) / 1e6;
}

// 10001 points, 2000 parcels of one cell each: about 10 MB.
void readFullMap(benchmark::State &state)
{
    static const QByteArray xml = gridMap(100, allBlocks(100, { 1 }, 2000));
    read(state, xml, 2000);
}
BENCHMARK(readFullMap)->Unit(benchmark::kMillisecond);

// About 100 MB: the same 10001 points, a parcel on every cell and on every
// block of 2 × 2 cells (19,405 parcels, 116,036 筆界線).
void read100MegabyteMap(benchmark::State &state)
{
    static const QByteArray xml = gridMap(100, allBlocks(100, { 1, 2 }, 100000));
    read(state, xml, 9801 + 9604);
}
BENCHMARK(read100MegabyteMap)->Unit(benchmark::kMillisecond);

} // namespace
