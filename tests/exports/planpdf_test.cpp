#include "parcelexample.h"
#include "planpdf.h"
#include "testsupport.h"

#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#ifdef Q_OS_LINUX
#include "childfailure.h"
#endif

#include <cmath>
#include <optional>
#include <utility>

using namespace tavorin;
using namespace tavorin::paperplan;
using namespace tavorin::test;
using namespace Qt::StringLiterals;

namespace {

// 60 points, 10 m apart in rows of 8, in file order: one without
// coordinates, one whose coordinates the table keeps as written.
PlanPdfInput sixtyPoints(Sheet sheet)
{
    PlanPdfInput input;
    for (int i = 0; i < 60; ++i) {
        const QString name = i == 0 ? u"引照1"_s : i == 1 ? u"ﾃﾞｰﾀ点"_s : u"P%1"_s.arg(i);
        input.points.append({ QString(), name, QString::number(-35000 - (i / 8) * 10) + u".000"_s,
            QString::number(18000 + (i % 8) * 10) + u".000"_s, QString(), i + 1 });
    }
    const auto at = [&input](int i, const QString &x, const QString &y) {
        const FilePoint &p = input.points[i];
        input.points[i] = { p.number(), p.name(), x, y, p.elevation(), p.line() };
    };
    at(2, QString(), QString());
    at(3, u"-35000.0100"_s, u"+18030.50"_s);
    input.title = u"五反田二丁目 基準点"_s;
    input.zone = 9;
    input.datum = paperplan::Datum::Jgd2024;
    input.sheet = sheet;
    input.date = QDate(2025, 1, 5);
    return input;
}

// The title and zone line as the PDF files read back elsewhere do not show
// them: the job name trimmed, else the file's name; the zone and the datum
// only as far as they are known.
TEST(PlanPdf, TitleAndZoneLine)
{
    EXPECT_EQ(planTitle(u"　現場A "_s, u"C:/data/a.sim"_s), u"現場A"_s);
    EXPECT_EQ(planTitle(QString(), u"/data/点.csv"_s), u"点.csv"_s);
    using paperplan::Datum;
    EXPECT_EQ(QStringList({ zoneLine(0), zoneLine(20), zoneLine(9), zoneLine(-1),
                  zoneLine(0, Datum::Jgd2011), zoneLine(9, Datum::Jgd2024),
                  zoneLine(-1, Datum::Tokyo), zoneLine(19, Datum::Jgd2000) }),
        QStringList({ QString(), QString(), u"座標系 Ⅸ系"_s, u"座標系 任意座標"_s,
            u"測地系 世界測地系（測地成果2011）"_s,
            u"座標系 Ⅸ系　測地系 世界測地系（測地成果2024）"_s,
            u"座標系 任意座標　測地系 日本測地系"_s,
            u"座標系 ⅩⅨ系　測地系 世界測地系（測地成果2000）"_s }));
}

// The sixty points span 70 m each way, 10 m apart, centred on the frame
// (A4 portrait 174 x 251 mm, A3 landscape 384 x 251 mm). At 1/100 only the
// middle two columns and rows show on A4: 4 of the 59 points with
// coordinates; at 1/200 four columns and six rows; A3 at 1/100 four by two.
TEST(PlanPdf, PointsOffThePlanAtAChosenScale)
{
    constexpr Sheet A4Portrait { Paper::A4, Orientation::Portrait };
    constexpr Sheet A3Landscape { Paper::A3, Orientation::Landscape };
    const std::tuple<Sheet, std::optional<qint64>, qsizetype> cases[] = {
        { A4Portrait, std::nullopt, 0 },
        { A4Portrait, 1000, 0 },
        { A4Portrait, 100, 55 },
        { A4Portrait, 200, 35 },
        { A3Landscape, 100, 51 },
    };
    for (const auto &[sheet, scale, off] : cases) {
        PlanPdfInput input = sixtyPoints(sheet);
        input.scale = scale;
        EXPECT_EQ(pointsOffPlan(input), off) << scale.value_or(0);
    }
}

TEST(PlanPdf, PopplerGivesBackEveryNameAndCoordinateWithTheFontEmbedded)
{
    const PlanPdfInput input = sixtyPoints({});
    QTemporaryDir dir;
    const QString pdf = dir.filePath(u"plan.pdf"_s);
    ASSERT_TRUE(savePlanPdf(pdf, input));
    const auto page = [&](int number) {
        return poppler(u"pdftotext"_s,
            { u"-layout"_s, u"-f"_s, QString::number(number), u"-l"_s, QString::number(number), pdf,
                u"-"_s });
    };
    POPPLER(plan, u"pdftotext"_s, { u"-layout"_s, u"-l"_s, u"1"_s, pdf, u"-"_s });
    const QString footer = u"座標系 Ⅸ系 測地系 世界測地系（測地成果2024） 作成日 2025年1月5日 "_s;

    // The plan: title and scale, every name of a point with coordinates,
    // the footer.
    const QStringList lines = pageLines(*plan);
    EXPECT_EQ(lines.first(), u"五反田二丁目 基準点 S=1/500"_s);
    EXPECT_EQ(lines.last(), footer + u"1/3"_s);
    const QStringList words = lines.join(u' ').split(u' ');
    const QSet<QString> shown(words.cbegin(), words.cend());
    for (const FilePoint &point : input.points)
        EXPECT_EQ(shown.contains(point.name()), !point.x().isEmpty()) << point.name().toStdString();

    // The table: the headings on every page, the points in file order with
    // their coordinates as held.
    for (const int number : { 2, 3 }) {
        const std::optional<QString> text = page(number);
        ASSERT_TRUE(text);
        QStringList expected = { u"五反田二丁目 基準点 座標一覧"_s, u"点名 X Y"_s };
        for (qsizetype i = (number - 2) * 50; i < std::min<qsizetype>(60, (number - 1) * 50); ++i)
            expected.append(
                QStringList({ input.points[i].name(), input.points[i].x(), input.points[i].y() })
                    .join(u' ')
                    .trimmed());
        expected.append(footer + QString::number(number) + u"/3"_s);
        EXPECT_EQ(pageLines(*text), expected) << number;
    }

    POPPLER(fonts, u"pdffonts"_s, { pdf });
    const QStringList fontLines = pageLines(*fonts).mid(2);
    ASSERT_EQ(fontLines.size(), 1) << fonts->toStdString();
    EXPECT_EQ(fontLines[0].section(u' ', 1, 6), u"CID TrueType Identity-H yes no yes"_s);
}

// At scales from 1/2 to 1/50000, on A4 portrait round one point: the grid's
// labels below the plan (Y), the first and last on its left (X), with as
// many decimals as the grid's interval has, and the scale bar's caption.
TEST(PlanPdf, GridLabelsAndTheScaleBarsCaptionAtLargeAndSmallScales)
{
    const std::pair<qint64, QString> cases[] = {
        { 2,
            u"Y=17999.85 Y=17999.90 Y=17999.95 Y=18000.00 Y=18000.05 Y=18000.10 Y=18000.15 | "
            u"X=-34999.75 X=-35000.25 | 0.05 m"_s },
        { 5,
            u"Y=17999.6 Y=17999.7 Y=17999.8 Y=17999.9 Y=18000.0 Y=18000.1 Y=18000.2 Y=18000.3 "
            u"Y=18000.4 | X=-34999.4 X=-35000.6 | 0.2 m"_s },
        { 20,
            u"Y=17998.5 Y=17999.0 Y=17999.5 Y=18000.0 Y=18000.5 Y=18001.0 Y=18001.5 | X=-34997.5 "
            u"X=-35002.5 | 0.5 m"_s },
        { 50000,
            u"Y=14000 Y=15000 Y=16000 Y=17000 Y=18000 Y=19000 Y=20000 Y=21000 Y=22000 | X=-29000 "
            u"X=-41000 | 2000 m"_s },
    };
    for (const auto &[scale, expected] : cases) {
        PlanPdfInput input;
        input.points = { { QString(), u"P"_s, u"-35000.000"_s, u"18000.000"_s, QString(), 1 } };
        input.scale = scale;
        QTemporaryDir dir;
        const QString pdf = dir.filePath(u"plan.pdf"_s);
        ASSERT_TRUE(savePlanPdf(pdf, input));
        POPPLER(plan, u"pdftotext"_s, { u"-layout"_s, u"-l"_s, u"1"_s, pdf, u"-"_s });
        const QStringList words = pageLines(*plan).join(u' ').split(u' ');
        const QStringList xs = words.filter(QRegularExpression(u"^X="_s));
        const QString bar = words.value(words.indexOf(u"m"_s) - 1);
        EXPECT_EQ(words.filter(QRegularExpression(u"^Y="_s)).join(u' ') + u" | "_s + xs.first()
                + u' ' + xs.last() + u" | "_s + bar + u" m"_s,
            expected)
            << scale;
    }
}

// Names past the pocket computer's 8 characters, whole on the plan and in
// the table: 20 half-width characters, 9 kanji, and 29 kanji, which the
// table sets smaller. 点番号 and 標高 only where some point has them, each
// as written.
TEST(PlanPdf, WholeNamesNumbersAndElevationsReachThePlanAndTheTable)
{
    const QString longest = u"境界点東側第一号杭から北へ延びる道路中心線上の補助点その二"_s;
    const FilePoints points = {
        { u"1"_s, u"Auto-3374"_s, u"-35000.000"_s, u"18000.000"_s, u"12.340"_s, 3 },
        { QString(), u"BoundaryMarkerNorth1"_s, u"-35030.000"_s, u"18000.000"_s, QString(), 4 },
        { u"103"_s, u"境界点東側第一号杭"_s, u"-35060.000"_s, u"18000.000"_s, u"-1.50"_s, 5 },
        { u"A-104"_s, longest, u"-35090.000"_s, u"18000.000"_s, u"不明"_s, 6 },
        { u"105"_s, u"座標なし"_s, QString(), QString(), u"3.2"_s, 7 },
    };
    const auto withoutNumbers = [](FilePoints changed) {
        for (qsizetype i = 0; i < changed.size(); ++i) {
            const FilePoint &p = changed[i];
            changed[i]
                = { QString(), p.name(), p.x(), p.y(), i == 1 ? u"7"_s : p.elevation(), p.line() };
        }
        return changed;
    };
    const std::pair<FilePoints, QStringList> cases[] = {
        { points,
            { u"点番号 点名 X Y 標高"_s, u"1 Auto-3374 -35000.000 18000.000 12.340"_s,
                u"BoundaryMarkerNorth1 -35030.000 18000.000"_s,
                u"103 境界点東側第一号杭 -35060.000 18000.000 -1.50"_s,
                u"A-104 "_s + longest + u" -35090.000 18000.000 不明"_s, u"105 座標なし 3.2"_s } },
        { withoutNumbers(points),
            { u"点名 X Y 標高"_s, u"Auto-3374 -35000.000 18000.000 12.340"_s,
                u"BoundaryMarkerNorth1 -35030.000 18000.000 7"_s,
                u"境界点東側第一号杭 -35060.000 18000.000 -1.50"_s,
                longest + u" -35090.000 18000.000 不明"_s, u"座標なし 3.2"_s } },
    };
    for (const auto &[filePoints, table] : cases) {
        PlanPdfInput input;
        input.points = filePoints;
        input.title = u"境界"_s;
        input.date = QDate(2025, 1, 5);
        QTemporaryDir dir;
        const QString pdf = dir.filePath(u"plan.pdf"_s);
        ASSERT_TRUE(savePlanPdf(pdf, input));
        POPPLER(plan, u"pdftotext"_s, { u"-layout"_s, u"-l"_s, u"1"_s, pdf, u"-"_s });
        const QStringList words = pageLines(*plan).join(u' ').split(u' ');
        for (const FilePoint &point : input.points)
            EXPECT_EQ(words.contains(point.name()), !point.x().isEmpty())
                << point.name().toStdString();

        POPPLER(text, u"pdftotext"_s, { u"-layout"_s, u"-f"_s, u"2"_s, pdf, u"-"_s });
        EXPECT_EQ(pageLines(*text),
            QStringList({ u"境界 座標一覧"_s }) + table
                + QStringList({ u"作成日 2025年1月5日 2/2"_s }));
    }
}

// The textbook's parcel on the plan and on a page of its own, in either form
// of the products; the parcel without coordinates and the bad one nowhere;
// without the parcels' pages, the plan and the table alone.
TEST(PlanPdf, AGoodParcelsOutlineNameAndItsAreaAndSideTables)
{
    const QStringList head = { u"筆 1 A地 地積 362.50 m² 座標求積表・辺長表"_s, u"座標求積表"_s };
    const QStringList sums = { u"倍面積 725.000000"_s, u"面積 362.500000"_s, u"地積 362.50"_s,
        u"辺長表"_s, u"始点 終点 辺長 方向角 記載辺長 記載方向角"_s,
        u"A B 11.180 333°26′06″ 11.180 333.2606"_s, u"B C 18.028 33°41′24″ 18.038 33.4124 ※"_s,
        u"C D 18.028 123°41′24″"_s, u"D E 11.180 206°33′54″"_s, u"E A 15.811 251°33′54″"_s,
        u"周長 74.227"_s, u"※ 記載の辺長・方向角が計算値と1 mmまたは1″を超えて違う辺"_s,
        u"作成日 2025年1月5日 3/3"_s };
    const std::tuple<parcels::AreaForm, bool, QStringList> cases[] = {
        { parcels::AreaForm::XTimesDeltaY, true,
            head
                + QStringList { u"点名 Xn Yn (Yn+1−Yn−1) Xn×(Yn+1−Yn−1)"_s,
                    u"A 5.000 20.000 -20.000 -100.000000"_s, u"B 15.000 15.000 5.000 75.000000"_s,
                    u"C 30.000 25.000 25.000 750.000000"_s, u"D 20.000 40.000 10.000 200.000000"_s,
                    u"E 10.000 35.000 -20.000 -200.000000"_s }
                + sums },
        { parcels::AreaForm::YTimesDeltaX, true,
            head
                + QStringList { u"点名 Xn Yn (Xn+1−Xn−1) Yn×(Xn+1−Xn−1)"_s,
                    u"A 5.000 20.000 5.000 100.000000"_s, u"B 15.000 15.000 25.000 375.000000"_s,
                    u"C 30.000 25.000 5.000 125.000000"_s, u"D 20.000 40.000 -20.000 -800.000000"_s,
                    u"E 10.000 35.000 -15.000 -525.000000"_s }
                + sums },
        { parcels::AreaForm::XTimesDeltaY, false, {} },
    };
    for (const auto &[form, pages, expected] : cases) {
        PlanPdfInput input;
        input.points = ParcelPoints.first(6);
        input.parcels = exampleParcels();
        input.parcel.form = form;
        input.parcel.pdfPages = pages;
        input.date = QDate(2025, 1, 5);
        QTemporaryDir dir;
        const QString pdf = dir.filePath(u"plan.pdf"_s);
        ASSERT_TRUE(savePlanPdf(pdf, input));
        EXPECT_EQ(planPageCount(input), pages ? 3 : 2);
        POPPLER(plan, u"pdftotext"_s, { u"-layout"_s, u"-l"_s, u"1"_s, pdf, u"-"_s });
        const QStringList words = pageLines(*plan).join(u' ').split(u' ');
        EXPECT_EQ(QStringList({ u"A地"_s, u"座標なし地"_s, u"誤地"_s })
                      .filter(QRegularExpression(u"^("_s + words.join(u'|') + u")$"_s)),
            QStringList({ u"A地"_s }));
        POPPLER(text, u"pdftotext"_s, { u"-layout"_s, u"-f"_s, u"3"_s, pdf, u"-"_s });
        EXPECT_EQ(pageLines(*text), expected) << int(form);
    }
}

// A parcel of 60 vertices takes three pages (51 lines each on A4 portrait):
// the 座標求積表 runs onto the second and the 辺長表 onto the third, each
// with its headings again.
TEST(PlanPdf, AParcelsTableRunsOntoTheNextPageWithItsHeadings)
{
    PlanPdfInput input;
    input.parcels = { exampleParcel(u"9"_s, u"大"_s, {}) };
    for (int v = 0; v < 60; ++v) {
        input.parcels[0].vertices.append({ {}, u"K%1"_s.arg(v), v, {} });
        input.points.append({ {}, u"K%1"_s.arg(v), QString::number(std::cos(v / 9.55) * 30, 'f', 3),
            QString::number(-std::sin(v / 9.55) * 30, 'f', 3), {}, v + 1 });
    }
    QTemporaryDir dir;
    const QString pdf = dir.filePath(u"plan.pdf"_s);
    ASSERT_TRUE(savePlanPdf(pdf, input));
    EXPECT_EQ(planPageCount(input), 6);
    QStringList seconds;
    for (const int page : { 4, 5, 6 }) {
        POPPLER(text, u"pdftotext"_s,
            { u"-layout"_s, u"-f"_s, QString::number(page), u"-l"_s, QString::number(page), pdf,
                u"-"_s });
        seconds << pageLines(*text).value(1).section(u' ', 0, 1);
    }
    EXPECT_EQ(seconds, QStringList({ u"座標求積表"_s, u"点名 Xn"_s, u"始点 終点"_s }));
}

#ifdef Q_OS_LINUX
// QPdfWriter takes no notice of a write that fails or falls short: the save
// must. Saves over an old file past a file-size limit and, as root, onto a
// full file system.
TEST(PlanPdf, AFailedWriteIsFiftySevenAFullDiskSixtyOneAndTheOldFileStays)
{
    const auto save
        = [](const QString &path) { return savePlanPdf(path, sixtyPoints({})).failure(); };
    EXPECT_EQ(failureInChild(fileSizeLimit(8000), save), "57 OLD CONTENT old");
    if (geteuid() != 0)
        GTEST_SKIP() << "only root can mount a small full file system";
    const std::string onFullDisk = failureInChild(fullDisk(0), save);
    if (onFullDisk.starts_with("skip"))
        GTEST_SKIP() << onFullDisk;
    EXPECT_EQ(onFullDisk, "61 OLD CONTENT fill,old");
}
#endif

} // namespace
