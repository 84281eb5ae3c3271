// Speed of SIMA and CSV files: parsing, the whole load into the window,
// writing; CSV input that no spreadsheet saves.
#include "benchwindow.h"
#include "codepage932.h"
#include "csvreader.h"
#include "csvwriter.h"
#include "form1.h"
#include "listline.h"
#include "pointreading.h"
#include "pointtable.h"
#include "simaparcels.h"
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

// The file of 10001 points as the records' writer writes it: without
// parcels (0), with 500 parcels of 8 vertices after them, neighbouring
// parcels sharing points, each vertex with its side (1) or without (2).
QByteArray pointsWithParcels(qint64 kind)
{
    const bool withParcels = kind != 0;
    FilePoints records;
    for (int i = 0; i < PointTable::Size; ++i)
        records.append({ QString::number(i + 1), QStringLiteral("Auto-%1").arg(i + 3374),
            QString::number(-23795.960 + i * 0.25, 'f', 3),
            QString::number(-32832.251 + (i % 97) * 1.5, 'f', 3), QStringLiteral("0.000"), 0 });
    Parcels parcels;
    for (int p = 0; withParcels && p < 500; ++p) {
        Parcel parcel { QString::number(p + 1), QStringLiteral("%1-%2").arg(669 + p).arg(p % 7),
            QStringLiteral("1"), {}, {}, 0 };
        for (int v = 0; v < 8; ++v) {
            const int point = (p * 18 + v * 2) % PointTable::Size;
            parcel.vertices.append({ records[point].number(), records[point].name(), point,
                kind == 1 ? std::optional(FileSide {
                    QString::number(9.485 + v, 'f', 3), QString::number(340.5218 + v, 'f', 4) })
                          : std::nullopt });
        }
        parcels.append(parcel);
    }
    return simaRecordBytes(records, QStringLiteral("現場"), parcels);
}

// Parsing the file's points, then its parcels (see pointsWithParcels).
void parseParcels(benchmark::State &state)
{
    const QByteArray bytes = pointsWithParcels(state.range(0));
    for (auto _ : state) {
        Result<SimaReading> reading = readSima(bytes);
        Parcels parcels = readSimaParcels(bytes, reading->records);
        benchmark::DoNotOptimize(reading);
        benchmark::DoNotOptimize(parcels);
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(parseParcels)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

// readPointFile, points and parcels (see pointsWithParcels).
void readFileWithParcels(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("parcels.sim"));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(pointsWithParcels(state.range(0)));
    file.close();
    for (auto _ : state) {
        PointFileReading reading = readPointFile(path);
        if (reading.parcels.size() != (state.range(0) != 0 ? 500 : 0))
            state.SkipWithError("the parcels were not read");
        benchmark::DoNotOptimize(reading);
    }
}
BENCHMARK(readFileWithParcels)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

// 10001 rows in the 20 columns of the GSI's control-point list, in code
// page 932 with CR LF or in UTF-8 with LF, as it is downloaded: kanji and
// full-width cells, empty cells, latitude and longitude before X and Y.
QByteArray controlPointList(bool utf8)
{
    QString text = QStringLiteral(
        "基準点コード,等級種別,冠字,選点番号,基準点名,ワンストップ可否,登録年月日,成果区分,北緯,"
        "東経,標高,楕円体高,標高区分,平面直角座標系,X,Y,現況状態,現況年月日,都道府県名,自治体名");
    const QString lineEnd = utf8 ? QStringLiteral("\n") : QStringLiteral("\r\n");
    text += lineEnd;
    for (int i = 0; i < PointTable::Size; ++i) {
        text += QStringLiteral("TR3503036%1,三等三角点,Ｅ,１０３,香椎%2,可,2003/03/31,"
                               "測地成果2011,333939.1234,1302644.5678,12.34,41.21,,2,"
                               "73427.557,-51405.430,正常,2019/05/10,福岡県,福岡市東区")
                    .arg(i, 4, 10, QLatin1Char('0'))
                    .arg(i)
            + lineEnd;
    }
    return utf8 ? text.toUtf8() : cp932::encode(text);
}

// 10001 rows as the CSV writer writes them; the same with a UTF-8 mark and
// thousands separators, as Excel's "CSV UTF-8" saves them; the GSI's
// control-point list in code page 932 and in UTF-8.
void parseCsv(benchmark::State &state)
{
    QByteArray bytes = csvFileBytes(transferLines(PointTable::Size));
    if (state.range(0) == 1)
        bytes = "\xEF\xBB\xBF" + bytes.replace("-23795.960", "\"-23,795.960\"");
    else if (state.range(0) >= 2)
        bytes = controlPointList(state.range(0) == 3);
    for (auto _ : state) {
        Result<CsvReading> reading = readCsv(bytes);
        benchmark::DoNotOptimize(reading);
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(parseCsv)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

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
