// Parcels in the plan window through the real Form1: drawn and listed,
// picked by a click or in the list, measured in the status line and the
// parcel window, their choices remembered, their points staked into List2,
// and replaced by the next file's.
#include "listline.h"
#include "parcelwindow.h"
#include "plantext.h"
#include "planwidget.h"
#include "planwindow.h"
#include "windowfixture.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

using namespace tavorin;
using namespace tavorin::test;
using namespace Qt::StringLiterals;

namespace {

TEST(ParcelGeometry, InsideLabelPointAndTheSmallestRingHoldingAPoint)
{
    // A C shape open to the east, whose centroid lies in its mouth, and a
    // square inside a larger one.
    const Ring c { { 0, 0 }, { 0, 30 }, { 10, 30 }, { 10, 10 }, { 20, 10 }, { 20, 30 }, { 30, 30 },
        { 30, 0 } };
    const Ring outer { { 0, 0 }, { 0, 100 }, { 100, 100 }, { 100, 0 } };
    const Ring inner { { 40, 40 }, { 60, 40 }, { 60, 60 }, { 40, 60 } };
    struct Case
    {
        SurveyPoint p;
        bool inC;
        int ring; // of { outer, c, inner }: the smallest holding p
    };
    for (const Case &t : std::initializer_list<Case> {
             { { 5, 20 }, true, 1 },
             { { 15, 20 }, false, 0 },
             { { 15, 5 }, true, 1 },
             { { 50, 50 }, false, 2 },
             { { 50, 150 }, false, -1 },
             { { -1, 5 }, false, -1 },
         }) {
        EXPECT_EQ(ringContains(c, t.p), t.inC) << t.p.x << ' ' << t.p.y;
        EXPECT_EQ(ringAt(std::vector<Ring> { outer, c, inner, Ring() }, t.p), t.ring)
            << t.p.x << ' ' << t.p.y;
    }
    EXPECT_EQ(ringArea(c), 700);
    EXPECT_EQ(ringArea(Ring(inner.rbegin(), inner.rend())), 400);
    // The C's centroid (15, 13.57) lies in its mouth: its name goes in the
    // middle of the stretch inside along X 15, Y 0 to 10.
    const SurveyPoint label = labelPoint(c);
    EXPECT_NEAR(label.x, 15, 1e-9);
    EXPECT_NEAR(label.y, 5, 1e-9);
    const SurveyPoint middle = labelPoint(inner);
    EXPECT_NEAR(middle.x, 50, 1e-9);
    EXPECT_NEAR(middle.y, 50, 1e-9);
}

// Points of a file with parcels: a rectangle A (P1..P4, 15.5 m by 10.25 m),
// a triangle B beside it sharing P2 and P3, and C, which the reader found
// bad. Their records carry numbers, as SIMA points do.
const QList<PointRecord> Points {
    { u"P1"_s, u"100.000"_s, u"200.000"_s },
    { u"P2"_s, u"100.000"_s, u"215.500"_s },
    { u"P3"_s, u"110.250"_s, u"215.500"_s },
    { u"P4"_s, u"110.250"_s, u"200.000"_s },
    { u"Q1"_s, u"102.000"_s, u"218.500"_s },
    { u"K9"_s, u"130.000"_s, u"230.000"_s },
};
const QString BadFault = u"頂点が2つしかありません"_s;

Parcel parcel(const QString &number, const QString &name, QList<qsizetype> records)
{
    Parcel p { number, name, u"1"_s, {}, {}, 0 };
    for (const qsizetype r : records)
        p.vertices.append({ QString::number(r + 1), Points[r].name, r, std::nullopt });
    return p;
}

PointFileReading parcelReading()
{
    PointFileReading reading;
    reading.points = Points;
    for (qsizetype p = 0; p < Points.size(); ++p)
        reading.records.append(
            { QString::number(p + 1), Points[p].name, Points[p].x, Points[p].y, {}, p + 2 });
    Parcel a = parcel(u"1"_s, u"A-1"_s, { 0, 1, 2, 3 });
    // The file's sides: P1 to P2 as computed, P2 to P3 10 mm off.
    a.vertices[0].side = FileSide { u"15.500"_s, u"90.0000"_s };
    a.vertices[1].side = FileSide { u"10.260"_s, u"0.0000"_s };
    Parcel c = parcel(u"3"_s, u"C-3"_s, { 0, 5 });
    c.fault = BadFault;
    reading.parcels = { a, parcel(u"2"_s, u"B-2"_s, { 1, 4, 2 }), c };
    return reading;
}

class Parcels : public WindowTest
{
protected:
    void open(PointFileReading reading)
    {
        form->openAtStart(form->currentFilePath(), std::move(reading));
        menuAction(u"PlanView"_s)->trigger();
        window = form->findChild<PlanWindow *>();
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        plan = window->plan();
        QCoreApplication::processEvents();
    }
    QPoint at(double x, double y) { return plan->planGeometry().toScreen({ x, y }).toPoint(); }
    void click(QPoint pixel)
    {
        QTest::mouseClick(plan, Qt::LeftButton, {}, pixel);
        QCoreApplication::processEvents();
    }
    QTreeWidget *parcelList() const { return window->findChild<QTreeWidget *>(u"PlanParcels"_s); }
    QString status() const { return window->findChild<QLabel *>(u"PlanParcelStatus"_s)->text(); }
    // The list's rows, cells apart by "|".
    QStringList listed() const
    {
        QStringList rows;
        for (int r = 0; r < parcelList()->topLevelItemCount(); ++r) {
            const QTreeWidgetItem *item = parcelList()->topLevelItem(r);
            rows << item->text(0) + u'|' + item->text(1) + u'|' + item->text(2);
        }
        return rows;
    }
    void choose(int row)
    {
        const QRect cell = parcelList()->visualItemRect(parcelList()->topLevelItem(row));
        QTest::mouseClick(parcelList()->viewport(), Qt::LeftButton, {}, cell.center());
        QCoreApplication::processEvents();
    }
    template <typename T> T *inParcelWindow(const QString &name) const
    {
        EXPECT_NE(window->parcelWindow(), nullptr);
        return window->parcelWindow()->findChild<T *>(name);
    }
    // A table's heading and cells, a row a line, cells apart by "|".
    QStringList cells(const QString &name) const
    {
        const auto *shown = inParcelWindow<QTableWidget>(name);
        QStringList rows;
        QStringList heading;
        for (int c = 0; c < shown->columnCount(); ++c)
            heading << shown->horizontalHeaderItem(c)->text();
        rows << heading.join(u'|');
        for (int r = 0; r < shown->rowCount(); ++r) {
            QStringList row;
            for (int c = 0; c < shown->columnCount(); ++c)
                row << shown->item(r, c)->text();
            rows << row.join(u'|');
        }
        return rows;
    }
    void chooseEntry(const QString &name, int index)
    {
        auto *box = inParcelWindow<QComboBox>(name);
        box->setCurrentIndex(index);
        emit box->activated(index);
    }

    PlanWindow *window = nullptr;
    PlanWidget *plan = nullptr;
};

const QString StatusA = u"A-1   地積 158.87 m²   面積 158.875000 m²   周長 51.500 m"_s;

TEST_F(Parcels, AreListedDrawnUnderThePointsAndPickedByAClickInside)
{
    open(parcelReading());
    EXPECT_EQ(listed(), QStringList({ u"1|A-1|"_s, u"2|B-2|"_s, u"3|C-3|"_s + BadFault }));
    EXPECT_TRUE(parcelList()->isVisible());
    EXPECT_EQ(status(), QString());

    // A's outline along its south edge (X 100), the point P1 over it; the
    // bad C (P1 to K9) is not drawn.
    const QImage image = plan->grab().toImage();
    const QPoint south = (at(100, 200) + at(100, 215.5)) / 2;
    bool outline = false;
    for (int dy = -1; dy <= 1; ++dy)
        outline |= image.pixelColor(south + QPoint(0, dy)) == PlanWidget::ParcelColour;
    EXPECT_TRUE(outline);
    EXPECT_EQ(image.pixelColor(at(100, 200)), PlanWidget::PlainColour);
    EXPECT_EQ(image.pixelColor((at(100, 200) + at(130, 230)) / 2), QColor(Qt::white));

    // Inside A, away from its points: A is picked, List1's selection cleared.
    list(1)->setSelected(5, true);
    click(at(103, 203));
    EXPECT_EQ(plan->pickedParcel(), 0);
    EXPECT_EQ(status(), StatusA);
    EXPECT_EQ(parcelList()->currentItem(), parcelList()->topLevelItem(0));
    EXPECT_EQ(selected(), QList<int>());
    EXPECT_TRUE(window->findChild<QPushButton *>(u"PlanStakeParcel"_s)->isEnabled());
    // Inside B; then on a point, which keeps the parcel; then outside all.
    click(at(103, 216.5));
    EXPECT_EQ(status(), u"B-2   地積 15.37 m²   面積 15.375000 m²   周長 22.635 m"_s);
    click(at(130, 230));
    EXPECT_EQ(selected(), QList<int>({ 5 }));
    EXPECT_EQ(plan->pickedParcel(), 1);
    click(at(125, 225));
    EXPECT_EQ(plan->pickedParcel(), -1);
    EXPECT_EQ(status(), QString());
    EXPECT_FALSE(window->findChild<QPushButton *>(u"PlanStakeParcel"_s)->isEnabled());

    // The bad one, chosen in the list, says why and cannot be staked.
    choose(2);
    EXPECT_EQ(plan->pickedParcel(), 2);
    EXPECT_EQ(status(), u"C-3   "_s + BadFault);
    EXPECT_FALSE(window->findChild<QPushButton *>(u"PlanStakeParcel"_s)->isEnabled());
    EXPECT_EQ(inParcelWindow<QLabel>(u"ParcelHeading"_s)->text(), u"C-3   "_s + BadFault);
    EXPECT_EQ(inParcelWindow<QTableWidget>(u"ParcelAreaTable"_s)->rowCount(), 0);
    EXPECT_EQ(window->parcelWindow()->tablesText(), QString());
}

TEST_F(Parcels, TheParcelWindowShowsBothTablesCopiesThemAndRemembersItsChoices)
{
    open(parcelReading());
    choose(0);
    ASSERT_NE(window->parcelWindow(), nullptr);
    EXPECT_TRUE(window->parcelWindow()->isVisible());
    EXPECT_EQ(window->parcelWindow()->windowTitle(), u"求積表 — A-1"_s);
    const QStringList area {
        u"点名|Xn|Yn|(Yn+1−Yn−1)|Xn×(Yn+1−Yn−1)"_s,
        u"P1|100.000|200.000|15.500|1550.000000"_s,
        u"P2|100.000|215.500|15.500|1550.000000"_s,
        u"P3|110.250|215.500|-15.500|-1708.875000"_s,
        u"P4|110.250|200.000|-15.500|-1708.875000"_s,
        u"倍面積||||317.750000"_s,
        u"面積||||158.875000"_s,
        u"地積||||158.87"_s,
    };
    const QStringList sides {
        u"始点|終点|距離|方向角|ファイルの距離|ファイルの方向角|照合"_s,
        u"P1|P2|15.500|90°00′00″|15.500|90.0000|一致"_s,
        u"P2|P3|10.250|0°00′00″|10.260|0.0000|相違"_s,
        u"P3|P4|15.500|270°00′00″|||"_s,
        u"P4|P1|10.250|180°00′00″|||"_s,
        u"周長||51.500||||"_s,
    };
    EXPECT_EQ(cells(u"ParcelAreaTable"_s), area);
    EXPECT_EQ(cells(u"ParcelSideTable"_s), sides);
    EXPECT_EQ(inParcelWindow<QTableWidget>(u"ParcelSideTable"_s)->item(1, 6)->background().color(),
        QColor(255, 210, 210));
    window->parcelWindow()->findChild<QPushButton *>(u"ParcelCopy"_s)->click();
    const auto tabbed = [](QStringList rows) {
        return rows.replaceInStrings(u"|"_s, u"\t"_s).join(u'\n') + u'\n';
    };
    EXPECT_EQ(QGuiApplication::clipboard()->text(), tabbed(area) + u'\n' + tabbed(sides));

    // The other form; distances cut (B's side P2 to Q1 is 3.6056 m); A
    // as other land; no parcel pages in the PDF.
    chooseEntry(u"ParcelForm"_s, 1);
    EXPECT_EQ(cells(u"ParcelAreaTable"_s).mid(0, 2),
        QStringList({ u"点名|Xn|Yn|(Xn+1−Xn−1)|Yn×(Xn+1−Xn−1)"_s,
            u"P1|100.000|200.000|-10.250|-2050.000000"_s }));
    chooseEntry(u"ParcelLandClass"_s, 1);
    EXPECT_EQ(status(), u"A-1   地積 158 m²   面積 158.875000 m²   周長 51.500 m"_s);
    EXPECT_EQ(form->landClasses(),
        QList({ parcels::LandClass::Other, parcels::LandClass::Residential,
            parcels::LandClass::Residential }));
    inParcelWindow<QCheckBox>(u"ParcelPdfPages"_s)->click();
    choose(1);
    EXPECT_EQ(cells(u"ParcelSideTable"_s).at(1), u"P2|Q1|3.606|56°18′36″|||"_s);
    chooseEntry(u"ParcelRounding"_s, 1);
    EXPECT_EQ(cells(u"ParcelSideTable"_s).at(1), u"P2|Q1|3.605|56°18′36″|||"_s);
    EXPECT_EQ(inParcelWindow<QComboBox>(u"ParcelLandClass"_s)->currentIndex(), 0);
    const auto settings = remembered();
    EXPECT_EQ(settings->value(u"parcel/form"_s).toString() + u' '
            + settings->value(u"parcel/rounding"_s).toString() + u' '
            + settings->value(u"parcel/pdfPages"_s).toString(),
        u"ydx cut false"_s);

    // Opened again, the window offers what was chosen; A is still other land.
    window->close();
    QCoreApplication::processEvents();
    open(parcelReading());
    choose(0);
    EXPECT_EQ(inParcelWindow<QComboBox>(u"ParcelForm"_s)->currentIndex(), 1);
    EXPECT_EQ(inParcelWindow<QComboBox>(u"ParcelRounding"_s)->currentIndex(), 1);
    EXPECT_FALSE(inParcelWindow<QCheckBox>(u"ParcelPdfPages"_s)->isChecked());
    EXPECT_EQ(inParcelWindow<QComboBox>(u"ParcelLandClass"_s)->currentIndex(), 0);
}

TEST_F(Parcels, StakingSelectsTheVerticesInList1AndDecideAddsThemToList2)
{
    open(parcelReading());
    list(1)->setSelected(5, true);
    choose(1);
    window->findChild<QPushButton *>(u"PlanStakeParcel"_s)->click();
    EXPECT_EQ(selected(), QList<int>({ 1, 2, 4 }));
    command(1)->click();
    EXPECT_EQ(list(2)->lines(),
        QStringList(
            { ListLine::form(Points[1]), ListLine::form(Points[2]), ListLine::form(Points[4]) }));
}

TEST_F(Parcels, AnotherFileReplacesThemAndACsvFileHasNone)
{
    open(parcelReading());
    choose(0);
    chooseEntry(u"ParcelLandClass"_s, 1);

    // A SIMA file read by 読込: its one parcel, drawn and picked, measured
    // as 宅地・鉱泉地 again.
    QTemporaryDir dir;
    writeFile(dir.filePath(u"b.sim"_s),
        "G00,01,T,\r\nA00,\r\nA01,1,S1,0.000,0.000,,\r\nA01,2,S2,0.000,20.000,,\r\n"
        "A01,3,S3,10.000,20.000,,\r\nA99,\r\n"
        "D00,7,X-7,1,\r\nB01,1,S1,\r\nB01,2,S2,\r\nB01,3,S3,\r\nD99,\r\n");
    dialogs.chooseNextFile(dir.filePath(u"b.sim"_s));
    menuAction(u"SimFileLoad"_s)->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(listed(), QStringList({ u"7|X-7|"_s }));
    EXPECT_EQ(plan->pickedParcel(), -1);
    EXPECT_EQ(window->parcelWindow()->windowTitle(), u"求積表"_s);
    EXPECT_EQ(form->landClasses(), QList({ parcels::LandClass::Residential }));
    click(at(5, 12));
    EXPECT_EQ(status(), u"X-7   地積 100.00 m²   面積 100.000000 m²   周長 52.361 m"_s);

    writeFile(dir.filePath(u"c.csv"_s), "A,1.0,2.0\r\nB,3.0,4.0\r\nC,1.0,4.0\r\n");
    dialogs.chooseNextFile(dir.filePath(u"c.csv"_s));
    menuAction(u"CsvFileLoad"_s)->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(list(1)->listCount(), 3);
    EXPECT_EQ(form->fileParcels(), tavorin::Parcels());
    EXPECT_EQ(listed(), QStringList());
    EXPECT_FALSE(parcelList()->isVisible());
    EXPECT_FALSE(window->findChild<QLabel *>(u"PlanParcelStatus"_s)->isVisible());
}

} // namespace
