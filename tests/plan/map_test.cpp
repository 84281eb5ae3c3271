// The zone, latitude and longitude in the plan, 書き出し and 地理院地図で開く
// through the real Form1.
#include "listline.h"
#include "mapfiles.h"
#include "mappoints.h"
#include "planwidget.h"
#include "planwindow.h"
#include "windowfixture.h"

#include <QComboBox>
#include <QDir>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>

using namespace tavorin;
using namespace tavorin::test;
using namespace Qt::StringLiterals;

namespace {

const QString ZoneNeeded
    = u"平面直角座標系（系）を選んで下さい。「SIMAﾌｧｲﾙ」メニューの「平面直角座標系」"
      u"か、配置図の上の欄で選べます。"_s;
const QString Hint = u"緯度・経度は平面直角座標系（系）を選ぶと表示されます"_s;
// The GSI calculator's point of zone IX, where it lies.
const QString GsiPlace
    = u"緯度 36.10404755°  経度 140.08539843°   36°06′14.5712″  140°05′07.4344″"_s;

// Points of zone IX in file order, not sorted: the GSI's point, one without
// numbers, one 100 m north-east.
const QList<PointRecord> Points = { { u"K9"_s, u"11573.375"_s, u"22694.980"_s },
    { u"T1"_s, u"abc"_s, u"1"_s }, { u"A2"_s, u"11673.375"_s, u"22794.980"_s } };

class Map : public WindowTest
{
protected:
    PlanWindow *openPlan()
    {
        menuAction(u"PlanView"_s)->trigger();
        auto *window = form->findChild<PlanWindow *>();
        EXPECT_TRUE(window && QTest::qWaitForWindowExposed(window));
        return window;
    }
    static QComboBox *planZone(PlanWindow *w) { return w->findChild<QComboBox *>(u"PlanZone"_s); }
    QString checkedZone() const
    {
        QStringList checked;
        for (QAction *a : control<QMenu>(u"ZoneMenu"_s)->actions())
            if (a->isChecked())
                checked << a->objectName();
        return checked.join(u',');
    }
    QStringList prompts() const
    {
        QStringList p;
        for (const auto &m : dialogs.messages())
            p << m.title + u'|' + m.prompt;
        return p;
    }
};

} // namespace

TEST_F(Map, NoZoneAtFirstChosenInMenuOrPlanShownInBothAndRememberedInTheTestsOwnSettings)
{
    EXPECT_EQ(form->zone(), 0);
    EXPECT_EQ(checkedZone(), QString());
    const QList<QAction *> entries = control<QMenu>(u"ZoneMenu"_s)->actions();
    ASSERT_EQ(entries.size(), 19);
    EXPECT_EQ(entries[8]->text(),
        u"Ⅸ系　東京都（XIV, XVIII, XIX系を除く）, 福島県, 栃木県, 茨城県, 埼玉県, 千葉県, 群馬県, "
        u"神奈川県"_s);

    PlanWindow *window = openPlan();
    QComboBox *chooser = planZone(window);
    EXPECT_EQ(chooser->currentIndex(), -1);
    EXPECT_EQ(chooser->placeholderText(), u"（系を選んで下さい）"_s);

    menuAction(u"Zone9"_s)->trigger();
    EXPECT_EQ(form->zone(), 9);
    EXPECT_EQ(chooser->currentText().left(3), u"Ⅸ系　"_s);
    emit chooser->activated(12); // as a user's pick reports it
    EXPECT_EQ(form->zone(), 13);
    EXPECT_EQ(checkedZone(), u"Zone13"_s);

    // The next start shows it; the settings are the test run's, not the
    // user's.
    EXPECT_TRUE(remembered()->fileName().startsWith(QDir::tempPath()))
        << remembered()->fileName().toStdString();
    EXPECT_EQ(remembered()->value(u"map/zone"_s).toInt(), 13);
    createWindow();
    EXPECT_EQ(checkedZone(), u"Zone13"_s);
    EXPECT_EQ(planZone(openPlan())->currentIndex(), 12);
    // A remembered value that is no zone is none.
    remembered()->setValue(u"map/zone"_s, 20);
    createWindow();
    EXPECT_EQ(form->zone(), 0);
    EXPECT_EQ(checkedZone(), QString());
}

TEST_F(Map, ACsvFileThatNamesOneZoneChoosesItAndTheUserMayChangeIt)
{
    CsvReading reading { Points, CsvFault::None, 0, 7 };
    form->openAtStart(u"/tmp/k.csv"_s, Result<CsvReading>(reading));
    EXPECT_EQ(form->zone(), 7);
    EXPECT_EQ(planZone(openPlan())->currentIndex(), 6);
    menuAction(u"Zone9"_s)->trigger();
    EXPECT_EQ(form->zone(), 9);
    // A file that names none, or a file that cannot be read, keeps it.
    reading.zone = 0;
    form->openAtStart(u"/tmp/k.csv"_s, Result<CsvReading>(reading));
    reading.zone = 3;
    reading.fault = CsvFault::XNotANumber;
    form->openAtStart(u"/tmp/k.csv"_s, Result<CsvReading>(reading));
    EXPECT_EQ(form->zone(), 9);
}

TEST_F(Map, StatusLineAndTooltipShowLatitudeAndLongitudeWithAZoneAndAHintWithout)
{
    loadPoints({ Points[0] });
    PlanWindow *window = openPlan();
    PlanWidget *plan = window->plan();
    // One point alone sits in the middle at a metre a pixel: the cursor on
    // its pixel is on the point itself.
    window->resize(760, 520);
    plan->fitToWindow();
    QCoreApplication::processEvents();
    const QPoint pixel = plan->planGeometry().pixelOf(0).value();
    ASSERT_EQ(plan->width() % 2 + plan->height() % 2, 0) << "an odd size has no middle pixel";
    const auto hover = [&] {
        QMouseEvent move(QEvent::MouseMove, pixel, plan->mapToGlobal(pixel), Qt::NoButton, {}, {});
        QApplication::sendEvent(plan, &move);
        QHelpEvent help(QEvent::ToolTip, pixel, plan->mapToGlobal(pixel));
        QApplication::sendEvent(plan, &help);
        return window->findChild<QLabel *>(u"PlanCursor"_s)->text() + u'|' + QToolTip::text();
    };
    EXPECT_EQ(hover(),
        u"X 11573.375   Y 22694.980   "_s + Hint + u"|K9\nX 11573.375   Y 22694.980\n"_s + Hint);
    menuAction(u"Zone9"_s)->trigger();
    EXPECT_EQ(window->findChild<QLabel *>(u"PlanCursor"_s)->text(), QString());
    EXPECT_EQ(hover(),
        u"X 11573.375   Y 22694.980   "_s + GsiPlace + u"|K9\nX 11573.375   Y 22694.980\n"_s
            + GsiPlace);
}

TEST_F(Map, ExportAsksForAZoneFirstSaysWhenThereAreNoPointsAndWritesByTheChosenExtension)
{
    QTemporaryDir dir;
    menuAction(u"MapExport"_s)->trigger();
    menuAction(u"Zone9"_s)->trigger();
    menuAction(u"MapExport"_s)->trigger();
    loadPoints({ Points[1] });
    menuAction(u"MapExport"_s)->trigger();
    EXPECT_EQ(prompts(),
        QStringList({ u"メッセージ|"_s + ZoneNeeded, u"メッセージ|座標のある測点がありません。"_s,
            u"メッセージ|座標のある測点がありません。"_s }));
    EXPECT_TRUE(dialogs.fileRequests().isEmpty());

    dialogs.clearRecord();
    createWindow();
    loadPoints(Points);
    menuAction(u"Zone9"_s)->trigger();
    // A name typed without an extension gets .geojson; .kml writes KML.
    dialogs.chooseNextFile(dir.filePath(u"points"_s));
    menuAction(u"MapExport"_s)->trigger();
    dialogs.chooseNextFile(dir.filePath(u"points.KML"_s));
    openPlan()->findChild<QPushButton *>(u"PlanExport"_s)->click();
    ASSERT_EQ(dialogs.fileRequests().size(), 2);
    EXPECT_EQ(
        dialogs.fileRequests()[0].filter, u"GeoJSONファイル (*.geojson);;KMLファイル (*.kml)"_s);
    EXPECT_EQ(dialogs.fileRequests()[0].defaultSuffix, u"geojson"_s);
    EXPECT_EQ(dialogs.fileRequests()[1].initialName, dir.filePath(u"points.geojson"_s));
    // K9 and A2 in file order; T1 has no place.
    const QList<MapPoint> placed
        = mapPoints({ ListLine::form(Points[0]), ListLine::form(Points[2]) }, 9);
    EXPECT_EQ(fileBytes(dir.filePath(u"points.geojson"_s)), geoJsonBytes(placed, 9));
    EXPECT_EQ(fileBytes(dir.filePath(u"points.KML"_s)), kmlBytes(placed, 9));
    EXPECT_EQ(prompts(), QStringList());

    // Another extension, a missing folder, a folder in the way: nothing
    // written, the SIMA writer's failure numbers.
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"folder.geojson"_s));
    for (const QString &name : { u"points.txt"_s, u"none/points.kml"_s, u"folder.geojson"_s }) {
        dialogs.chooseNextFile(dir.filePath(name));
        menuAction(u"MapExport"_s)->trigger();
    }
    EXPECT_EQ(prompts(),
        QStringList({ u"メッセージ|書き出せるのは .geojson と .kml のファイルです。"_s,
            u"エラーメッセージ|エラーコード  76"_s, u"エラーメッセージ|エラーコード  75"_s }));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files),
        QStringList({ u"points.geojson"_s, u"points.KML"_s }));
}

TEST_F(Map, GsiMapOpensAtThePointsThroughTheBrowserSeam)
{
    menuAction(u"GsiMap"_s)->trigger();
    menuAction(u"Zone9"_s)->trigger();
    menuAction(u"GsiMap"_s)->trigger();
    EXPECT_EQ(prompts(),
        QStringList(
            { u"メッセージ|"_s + ZoneNeeded, u"メッセージ|座標のある測点がありません。"_s }));
    EXPECT_TRUE(dialogs.openedUrls().isEmpty());
    loadPoints(Points);
    menuAction(u"GsiMap"_s)->trigger();
    openPlan()->findChild<QPushButton *>(u"PlanGsiMap"_s)->click();
    ASSERT_EQ(dialogs.openedUrls().size(), 2);
    EXPECT_EQ(
        dialogs.openedUrls()[0].toString(), u"https://maps.gsi.go.jp/#18/36.104497/140.085955/"_s);
    EXPECT_EQ(dialogs.openedUrls()[1], dialogs.openedUrls()[0]);
}
