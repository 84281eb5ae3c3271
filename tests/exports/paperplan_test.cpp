#include "paperplan.h"
#include "testsupport.h"

#include <gtest/gtest.h>

using namespace tavorin;
using namespace tavorin::paperplan;
using namespace Qt::StringLiterals;

namespace {

constexpr Sheet A4Portrait { Paper::A4, Orientation::Portrait };
constexpr Sheet A4Landscape { Paper::A4, Orientation::Landscape };
constexpr Sheet A3Portrait { Paper::A3, Orientation::Portrait };
constexpr Sheet A3Landscape { Paper::A3, Orientation::Landscape };

TEST(PaperPlan, SheetsFramesAndTableRows)
{
    const std::tuple<Sheet, QSizeF, QRectF, int> cases[] = {
        { A4Portrait, { 210, 297 }, { 26, 22, 174, 251 }, 50 },
        { A4Landscape, { 297, 210 }, { 26, 22, 261, 164 }, 32 },
        { A3Portrait, { 297, 420 }, { 26, 22, 261, 374 }, 74 },
        { A3Landscape, { 420, 297 }, { 26, 22, 384, 251 }, 50 },
    };
    for (const auto &[sheet, size, frame, rows] : cases) {
        EXPECT_EQ(sheetSize(sheet), size);
        EXPECT_EQ(planLayout(sheet).frame, frame);
        EXPECT_EQ(tableLayout(sheet).rowsPerPage, rows);
    }
    EXPECT_EQ(toPoints(25.4), 72); // a PDF's points
    EXPECT_EQ(tablePageCount(0, A4Portrait), 0);
    EXPECT_EQ(tablePageCount(50, A4Portrait), 1);
    EXPECT_EQ(tablePageCount(51, A4Portrait), 2);
    EXPECT_EQ(tablePageCount(10001, A4Portrait), 201);
}

// The table's columns as "点名 38-104": heading and edges in millimetres.
QString columnsText(const TableLayout &layout)
{
    QStringList texts;
    for (const TableColumnEdges &edges : layout.columns) {
        const char16_t *names[] = { u"点番号", u"点名", u"X", u"Y", u"標高" };
        texts << u"%1 %2-%3"_s.arg(QString::fromUtf16(names[int(edges.column)]))
                     .arg(edges.left)
                     .arg(edges.right);
    }
    return texts.join(u", "_s);
}

// 点番号 and 標高 only where some point has them; the table centred. 点名
// takes 20 full-width characters at 9 pt (63.5 mm) and 2 mm to the next
// column.
TEST(PaperPlan, TableColumnsSideBySideCentred)
{
    const std::tuple<Sheet, bool, bool, QString> cases[] = {
        { A4Portrait, false, false, u"点名 38-104, X 104-138, Y 138-172"_s },
        { A4Portrait, true, false, u"点番号 27-49, 点名 49-115, X 115-149, Y 149-183"_s },
        { A4Portrait, false, true, u"点名 26-92, X 92-126, Y 126-160, 標高 160-184"_s },
        { A4Portrait, true, true,
            u"点番号 15-37, 点名 37-103, X 103-137, Y 137-171, 標高 171-195"_s },
        { A3Landscape, true, true,
            u"点番号 120-142, 点名 142-208, X 208-242, Y 242-276, 標高 276-300"_s },
    };
    for (const auto &[sheet, numbers, elevations, columns] : cases) {
        const TableLayout layout = tableLayout(sheet, numbers, elevations);
        EXPECT_EQ(columnsText(layout), columns) << numbers << elevations;
        EXPECT_EQ(layout.rowsPerPage, tableLayout(sheet).rowsPerPage);
        EXPECT_GE(layout.columns[numbers ? 1 : 0].right - layout.columns[numbers ? 1 : 0].left - 2,
            20 * 9 / toPoints(1));
    }
}

TEST(PaperPlan, DefaultScaleIsTheLargestListedThatFitsElseTheLeastRoundOne)
{
    // A4 portrait: 164 x 241 mm inside the fit inset.
    const QSizeF frame = planLayout(A4Portrait).frame.size();
    // The points' span north (up the sheet) and east (across it) in metres,
    // and the scale.
    const std::tuple<double, double, qint64> cases[]
        = { { 0, 0, 100 }, { 24.1, 16.4, 100 }, // exactly the inset frame at 1/100
              { 24.2, 0, 200 }, { 0, 16.5, 200 }, { 0, 41, 250 }, { 0, 41.1, 500 },
              { 160.914, 155.51, 1000 }, // docs/sample.sim
              { 241, 164, 1000 }, { 0, 8200, 50000 }, { 0, 8201, 100000 }, { 12051, 0, 100000 },
              { 24101, 0, 200000 }, { 60000, 0, 500000 }, { 1e8, 0, 500'000'000 },
              { 1e300, 0, 1'000'000'000'000'000 } };
    for (const auto &[spanX, spanY, scale] : cases)
        EXPECT_EQ(defaultScale(spanX, spanY, frame), scale) << spanX << " " << spanY;
}

TEST(PaperPlan, GridAndScaleBarTakeRoundLengthsForTheScale)
{
    // Metres: grid lines at least 20 mm apart, a scale bar of at most 40 mm.
    QStringList lengths;
    for (const qint64 scale : { 100, 200, 250, 500, 1000, 2500, 5000, 10000, 25000, 50000, 200000 })
        lengths << u"1/%1 %2 %3"_s.arg(scale)
                       .arg(gridInterval(scale), 0, 'g', 17)
                       .arg(scaleBarLength(scale), 0, 'g', 17);
    EXPECT_EQ(lengths.join(u", "_s),
        u"1/100 2 2, 1/200 5 5, 1/250 5 10, 1/500 10 20, 1/1000 20 20, 1/2500 50 100, "
        u"1/5000 100 200, 1/10000 200 200, 1/25000 500 1000, 1/50000 1000 2000, "
        u"1/200000 5000 5000"_s);
    EXPECT_EQ(gridValues(-35120.4, -35040, 20),
        QList<double>({ -35120, -35100, -35080, -35060, -35040 }));
    EXPECT_EQ(gridValues(0.5, 1.5, 2), QList<double>());
    EXPECT_EQ(gridValues(0, 1e9, 1), QList<double>()); // never a million lines
    EXPECT_EQ(gridValues(1e300, 1e300 + 1e13, 2e13).size(), 1); // where 1 more is no more
}

} // namespace
