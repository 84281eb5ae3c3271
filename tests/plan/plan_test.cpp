// The plan window through the real Form1: opening it from the menu, the
// surveyor's axes, picking by area and by click, and the markings that follow
// List1's selection and List2.
#include "listline.h"
#include "plantext.h"
#include "planwidget.h"
#include "planwindow.h"
#include "simawriter.h"
#include "windowfixture.h"

#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

using namespace tavorin;
using namespace tavorin::test;
using namespace Qt::StringLiterals;

namespace {

// Points 0..8 on a square grid: point 3i + j at X = 10i, Y = 10j.
QList<PointRecord> grid()
{
    QList<PointRecord> points;
    for (int p = 0; p < 9; ++p)
        points.append(
            { u"G%1"_s.arg(p), QString::number(p / 3 * 10), QString::number(p % 3 * 10) });
    return points;
}

class Plan : public WindowTest
{
protected:
    void open(const QList<PointRecord> &points)
    {
        loadPoints(points);
        menuAction(u"PlanView"_s)->trigger();
        window = form->findChild<PlanWindow *>();
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        plan = window->plan();
    }
    QPoint at(int p) { return plan->planGeometry().pixelOf(p).value(); }
    QColor colourAt(QPoint pixel) { return plan->grab().toImage().pixelColor(pixel); }
    QColor colourAt(int p) { return colourAt(at(p)); }
    void drag(QPoint from, QPoint to, Qt::KeyboardModifiers keys = {})
    {
        QTest::mousePress(plan, Qt::LeftButton, keys, from);
        QTest::mouseRelease(plan, Qt::LeftButton, keys, to);
    }

    PlanWindow *window = nullptr;
    PlanWidget *plan = nullptr;
};

TEST_F(Plan, OpensOnceFollowsANewFileDrawsNorthUpAndEastRightAndLeavesOutPointsWithoutCoordinates)
{
    open(grid());
    EXPECT_EQ(window->windowTitle(), u"配置図"_s);
    menuAction(u"PlanView"_s)->trigger();
    EXPECT_EQ(form->findChildren<PlanWindow *>().size(), 1);

    QTemporaryDir dir;
    writeFile(dir.filePath(u"b.sim"_s),
        simaFileBytes({ ListLine::form({ "A", "0", "0" }), ListLine::form({ "N", "100", "0" }),
            ListLine::form({ "E", "0", "100" }), ListLine::form({ "Q", "1e", "5" }),
            ListLine::form({ "R", "", "5" }) }));
    dialogs.chooseNextFile(dir.filePath(u"b.sim"_s));
    menuAction(u"SimFileLoad"_s)->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(plan->planGeometry().pointCount(), 5);
    EXPECT_FALSE(plan->planGeometry().isOnPlan(3));
    EXPECT_FALSE(plan->planGeometry().isOnPlan(4));
    EXPECT_EQ(window->findChild<QLabel *>(u"PlanWithoutCoordinates"_s)->text(), u"座標なし 2点"_s);
    // The new points are fitted into the middle of the plan: N and E about it.
    EXPECT_EQ(at(1) + at(2), QPoint(plan->width(), plan->height()));
    EXPECT_EQ(at(1).x(), at(0).x());
    EXPECT_EQ(at(2).y(), at(0).y());
    EXPECT_GT(at(0).y() - at(1).y(), 100);
    EXPECT_EQ(at(0).y() - at(1).y(), at(2).x() - at(0).x());
    for (int p : { 0, 1, 2 })
        EXPECT_EQ(colourAt(p), PlanWidget::PlainColour) << p;

    // The wheel zooms about the cursor: the point under it stays put.
    const QPoint north = at(1);
    QWheelEvent wheel(north, plan->mapToGlobal(north), {}, { 0, 240 }, Qt::NoButton, {},
        Qt::NoScrollPhase, false);
    QApplication::sendEvent(plan, &wheel);
    EXPECT_LE((at(1) - north).manhattanLength(), 1);
    EXPECT_GT(at(0).y() - at(1).y(), 140);

    QMouseEvent move(QEvent::MouseMove, at(0), plan->mapToGlobal(at(0)), Qt::NoButton, {}, {});
    QApplication::sendEvent(plan, &move);
    const SurveyPoint a = plan->planGeometry().toSurvey(at(0));
    EXPECT_EQ(window->findChild<QLabel *>(u"PlanCursor"_s)->text(),
        u"X %1   Y %2   緯度・経度は平面直角座標系（系）を選ぶと表示されます"_s.arg(a.x, 0, 'f', 3)
            .arg(a.y, 0, 'f', 3));
}

TEST_F(Plan, RectangleSelectsThePointsInsideItsEdgesIncludedAndCtrlExtends)
{
    open(grid());
    drag(at(3), at(1));
    EXPECT_EQ(selected(), QList<int>({ 0, 1, 3, 4 }));
    // Point 8 on the top edge, point 5 a pixel below the bottom one.
    drag(at(5) + QPoint(2, -1), at(8) + QPoint(-2, 0), Qt::ControlModifier);
    EXPECT_EQ(selected(), QList<int>({ 0, 1, 3, 4, 8 }));
    drag(at(5), at(5), Qt::ControlModifier);
    EXPECT_EQ(selected(), QList<int>({ 0, 1, 3, 4, 5, 8 }));
    // A plain click takes one point alone, a click 5 or 6 pixels off a
    // mark too; one 6.4 pixels off every mark clears.
    drag(at(7), at(7));
    EXPECT_EQ(selected(), QList<int>({ 7 }));
    EXPECT_EQ(colourAt(7), PlanWidget::SelectedColour);
    EXPECT_EQ(colourAt(6), PlanWidget::PlainColour);
    drag(at(6) + QPoint(4, -3), at(6) + QPoint(4, -3));
    EXPECT_EQ(selected(), QList<int>({ 6 }));
    drag(at(7) + QPoint(0, 6), at(7) + QPoint(0, 6), Qt::ControlModifier);
    EXPECT_EQ(selected(), QList<int>({ 6, 7 }));
    drag(at(8) + QPoint(-5, 4), at(8) + QPoint(-5, 4));
    EXPECT_EQ(selected(), QList<int>());
}

TEST_F(Plan, MarksFollowList1sSelectionAndList2)
{
    open(grid());
    ListBox *list1 = list(1);
    QTest::mouseClick(list1->viewport(), Qt::LeftButton, {},
        list1->visualRect(list1->model()->index(2, 0)).center());
    EXPECT_EQ(colourAt(2), PlanWidget::SelectedColour);
    QTest::keyClick(list1, Qt::Key_Down);
    EXPECT_EQ(colourAt(2), PlanWidget::PlainColour);
    EXPECT_EQ(colourAt(3), PlanWidget::SelectedColour);

    // "決定" adds the points picked on the plan; "全部" and "ﾘｽﾄﾌｧｲﾙ消去"
    // change the marks of every point.
    drag(at(5), at(4));
    EXPECT_EQ(selected(), QList<int>({ 4, 5 }));
    command(1)->click();
    EXPECT_EQ(
        list(2)->lines(), QStringList({ ListLine::form(grid()[4]), ListLine::form(grid()[5]) }));
    EXPECT_EQ(colourAt(at(4) + QPoint(4, 0)), PlanWidget::TransferColour);
    EXPECT_EQ(colourAt(6), PlanWidget::PlainColour);
    option(1, 1)->click();
    EXPECT_EQ(colourAt(6), PlanWidget::TransferColour);
    command(4)->click();
    EXPECT_EQ(colourAt(6), PlanWidget::PlainColour);
}

TEST_F(Plan, ResizingFitsThePointsUntilTheUserZoomsOrPansAndFittingOrAnotherFileResumesIt)
{
    open(grid());
    const auto pan = [&] {
        QTest::mousePress(plan, Qt::RightButton, {}, { 100, 100 });
        QMouseEvent move(QEvent::MouseMove, QPointF(130, 90), plan->mapToGlobal(QPointF(130, 90)),
            Qt::NoButton, Qt::RightButton, {});
        QApplication::sendEvent(plan, &move);
        QTest::mouseRelease(plan, Qt::RightButton, {}, { 130, 90 });
    };
    const auto zoom = [&] {
        QWheelEvent wheel(QPointF(90, 70), plan->mapToGlobal(QPointF(90, 70)), {}, { 0, 120 },
            Qt::NoButton, {}, Qt::NoScrollPhase, false);
        QApplication::sendEvent(plan, &wheel);
    };
    const auto fitButton = [&] { window->findChild<QPushButton *>(u"PlanFit"_s)->click(); };
    const auto key = [&](Qt::Key k) { return [this, k] { QTest::keyClick(plan, k); }; };
    const auto anotherFile = [&] {
        list(1)->clear();
        loadPoints(grid());
    };
    const struct
    {
        const char *what;
        std::function<void()> act;
        QSize windowSize;
        bool fits; // after the resize: fitted, or scale and middle kept
    } steps[] = {
        { "nothing", {}, { 900, 400 }, true },
        { "nothing", {}, { 500, 640 }, true },
        { "a zoom", zoom, { 700, 500 }, false },
        { "a resize", {}, { 600, 600 }, false },
        { "全体表示", fitButton, { 600, 420 }, true },
        { "a pan", pan, { 800, 600 }, false },
        { "Home", key(Qt::Key_Home), { 640, 480 }, true },
        { "a zoom", zoom, { 500, 500 }, false },
        { "F", key(Qt::Key_F), { 900, 300 }, true },
        { "a pan", pan, { 700, 400 }, false },
        { "another file", anotherFile, { 600, 500 }, true },
    };
    // The grid spans 20 by 20 about its point 4 at X 10, Y 10.
    const auto expectFitted = [&](const char *what) {
        const QSize size = plan->size();
        EXPECT_DOUBLE_EQ(plan->planGeometry().scale(),
            (std::min(size.width(), size.height()) - 2 * PlanGeometry::FitMargin) / 20)
            << what;
        EXPECT_EQ(plan->planGeometry().toScreen({ 10, 10 }), QRectF(plan->rect()).center()) << what;
    };
    const auto middle
        = [&] { return plan->planGeometry().toSurvey(QRectF(plan->rect()).center()); };
    for (const auto &step : steps) {
        if (step.act)
            step.act();
        if (step.fits)
            expectFitted(step.what);
        const double scale = plan->planGeometry().scale();
        const SurveyPoint centre = middle();
        const QSize before = plan->size();
        window->resize(step.windowSize);
        QCoreApplication::processEvents();
        ASSERT_NE(plan->size(), before) << step.what;
        if (step.fits) {
            expectFitted(step.what);
        } else {
            EXPECT_EQ(plan->planGeometry().scale(), scale) << step.what;
            EXPECT_DOUBLE_EQ(middle().x, centre.x) << step.what;
            EXPECT_DOUBLE_EQ(middle().y, centre.y) << step.what;
        }
    }
}

TEST(PlanFit, OnePointOrAllOnOneSpotShowOnePixelAMetreInTheMiddle)
{
    const std::optional<SurveyPoint> spot = SurveyPoint { 1000, 2000 },
                                     east = SurveyPoint { 1000, 2010 };
    const std::pair<std::vector<std::optional<SurveyPoint>>, double> cases[] = {
        { { spot }, 1 }, { { spot, std::nullopt, spot, spot }, 1 },
        { { spot, east }, 20 }, // 10 m across 200 pixels
    };
    for (const auto &[points, scale] : cases) {
        PlanGeometry geometry;
        geometry.setPoints(points);
        geometry.setViewport({ 248, 148 });
        geometry.fit();
        EXPECT_EQ(geometry.scale(), scale) << points.size();
        // Alone in the middle; of two, the western one at the margin.
        EXPECT_EQ(geometry.toScreen(*spot), QPointF(scale == 1 ? 124 : 24, 74)) << points.size();
    }
}

// The scale bar at pixels per metre: its caption and its length in pixels.
TEST(PlanScaleBar, TheLongestRoundLengthWithinItsPixelsAndItsCaption)
{
    const std::pair<double, const char *> cases[] = { { 50000, "0.002 m 100" }, { 300, "0.2 m 60" },
        { 20, "5 m 100" }, { 1, "100 m 100" }, { 0.1, "1000 m 100" }, { 0.0005, "200000 m 100" } };
    for (const auto &[scale, bar] : cases) {
        PlanGeometry geometry;
        geometry.setView({}, scale);
        const auto shown = geometry.scaleBar();
        ASSERT_TRUE(shown) << bar;
        EXPECT_EQ(shown->caption + u' ' + QString::number(shown->pixels), QString(bar));
    }
}

TEST(PlanLabels, CrowdedNamesGiveWayAndZoomingInRevealsThem)
{
    // Five points 1 apart, fitted 38 pixels apart from west to east, and
    // 24 pixels (two label heights) apart from north to south.
    PlanGeometry row, column;
    std::vector<std::optional<SurveyPoint>> across, down;
    for (int p = 0; p < 5; ++p) {
        across.push_back(SurveyPoint { 0, double(p) });
        down.push_back(SurveyPoint { double(p), 0 });
    }
    row.setPoints(across);
    row.setViewport({ 200, 100 });
    row.fit();
    column.setPoints(down);
    column.setViewport({ 100, 144 });
    column.fit();
    const int order[] = { 0, 1, 2, 3, 4 };
    const auto labels = [&](const PlanGeometry &geometry, float width, std::size_t taken = 5) {
        const std::vector<float> widths(5, width);
        return geometry.chooseLabels(std::span(order).first(taken), widths, 12, { 6, -10 });
    };
    EXPECT_EQ(labels(row, 30), QList<int>({ 0, 1, 2, 3, 4 }));
    // Longer names would run over the next point: only the last is shown.
    EXPECT_EQ(labels(row, 60), QList<int>({ 4 }));
    row.zoomAbout({ 100, 50 }, 2);
    EXPECT_EQ(labels(row, 60), QList<int>({ 0, 1, 2, 3 }));
    // Names one above another keep their place however long; at 6 pixels
    // apart the second overlaps the first and gives way.
    EXPECT_EQ(labels(column, 60), QList<int>({ 0, 1, 2, 3, 4 }));
    column.zoomAbout({ 50, 72 }, 0.25);
    EXPECT_EQ(labels(column, 60, 2), QList<int>({ 0 }));
}

} // namespace
