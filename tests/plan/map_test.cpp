// The zone, latitude and longitude in the plan, 地図用に書き出し, 配置図PDF, DXF書込
// and 地理院地図で開く through the real Form1.
#include "commondialog.h"
#include "dxffile.h"
#include "listline.h"
#include "mapfiles.h"
#include "mappoints.h"
#include "planezones.h"
#include "planwidget.h"
#include "planwindow.h"
#include "positiontext.h"
#include "windowfixture.h"
#include "windowtext.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QMenu>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolTip>

using namespace tavorin;
using namespace tavorin::test;
using namespace Qt::StringLiterals;

namespace {

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
};

} // namespace

TEST_F(Map, NoZoneAtFirstChosenInMenuOrPlanShownInBothAndOnlyOfferedFirstNextTime)
{
    EXPECT_EQ(form->zone(), 0);
    EXPECT_EQ(checkedZone(), QString());
    const QList<QAction *> entries = control<QMenu>(u"ZoneMenu"_s)->actions();
    ASSERT_EQ(entries.size(), 21); // the 19, a separator, 系なし
    EXPECT_EQ(entries[8]->text(), geodesy::zoneEntry(9));
    EXPECT_EQ(entries[20]->text(), u"系なし（任意座標）"_s);

    PlanWindow *window = openPlan();
    QComboBox *chooser = planZone(window);
    EXPECT_EQ(chooser->currentIndex(), -1);
    EXPECT_EQ(chooser->placeholderText(), u"（系を選んで下さい）"_s);
    EXPECT_EQ(window->windowTitle(), u"配置図"_s);

    menuAction(u"Zone9"_s)->trigger();
    EXPECT_EQ(form->zone(), 9);
    EXPECT_EQ(chooser->currentText().left(3), u"Ⅸ系　"_s);
    EXPECT_EQ(window->windowTitle(), u"配置図 — Ⅸ系"_s);
    emit chooser->activated(12); // as a user's pick reports it
    EXPECT_EQ(form->zone(), 13);
    EXPECT_EQ(checkedZone(), u"Zone13"_s);
    emit chooser->activated(19);
    EXPECT_EQ(form->zone(), -1);
    EXPECT_EQ(checkedZone(), u"ZoneLocal"_s);
    EXPECT_EQ(window->windowTitle(), u"配置図 — 系なし（任意座標）"_s);

    // The zone last chosen is kept in the test run's settings, not the
    // user's, and only offered first: the next start knows no zone.
    EXPECT_TRUE(remembered()->fileName().startsWith(QDir::tempPath()))
        << remembered()->fileName().toStdString();
    EXPECT_EQ(remembered()->value(u"map/zone"_s).toInt(), 13);
    createWindow();
    EXPECT_EQ(form->zone(), 0);
    EXPECT_EQ(checkedZone(), QString());
    EXPECT_EQ(planZone(openPlan())->currentIndex(), -1);
}

// The zone belongs to the file: every reading sets it afresh from what the
// file says, and a file of local coordinates is never placed on a map.
TEST_F(Map, EveryReadingSetsTheFilesZoneAndLocalCoordinatesAreNeverMapped)
{
    PointFileReading reading = readingOf(Points, 2);
    form->openAtStart(u"/tmp/k.csv"_s, reading);
    EXPECT_EQ(form->zone(), 2);
    EXPECT_EQ(planZone(openPlan())->currentIndex(), 1);
    menuAction(u"Zone9"_s)->trigger();
    EXPECT_EQ(form->zone(), 9);
    // A file that cannot be read changes nothing; the next file read, a
    // SIMA file that names no zone, knows none.
    reading.ending = PointFileReading::Ending::Refused;
    reading.message = u"2行目のXが数値ではありません。"_s;
    form->openAtStart(u"/tmp/k.csv"_s, reading);
    EXPECT_EQ(form->zone(), 9);
    form->openAtStart(u"/tmp/k.sim"_s, readingOf(Points));
    EXPECT_EQ(form->zone(), 0);
    EXPECT_EQ(checkedZone(), QString());
    EXPECT_EQ(planZone(openPlan())->currentIndex(), -1);

    // A map asks, the zone last chosen first; 系なし refuses.
    dialogs.chooseNextItem(19);
    menuAction(u"GsiMap"_s)->trigger();
    EXPECT_EQ(dialogs.itemRequests.size(), 1);
    EXPECT_TRUE(dialogs.itemRequests.value(0).endsWith(u"\n系なし（任意座標）|8"_s))
        << dialogs.itemRequests.value(0).toStdString();
    EXPECT_EQ(form->zone(), -1);
    menuAction(u"GeoJsonKmlExport"_s)->trigger();
    EXPECT_EQ(prompts(),
        QStringList({ u"エラーメッセージ|2行目のXが数値ではありません。"_s,
            u"メッセージ|座標系が任意座標（系なし）なので、地図には置けません。"_s,
            u"メッセージ|座標系が任意座標（系なし）なので、地図には置けません。"_s }));
    EXPECT_EQ(dialogs.itemRequests.size() + dialogs.fileRequests.size(), 1);
    EXPECT_EQ(dialogs.openedUrls.size(), 0);

    // Points beyond the zone's reach are left out of a map file, and said.
    QTemporaryDir dir;
    form->openAtStart(dir.filePath(u"far.csv"_s),
        readingOf({ Points[0], { u"FAR"_s, u"5000000"_s, u"0"_s } }, 9));
    dialogs.chooseNextFile(dir.filePath(u"far.geojson"_s));
    menuAction(u"GeoJsonKmlExport"_s)->trigger();
    EXPECT_EQ(prompts().last(),
        u"メッセージ|1 点は系の原点から1000 kmより遠いので、書き出しませんでした。"_s);
    EXPECT_EQ(fileBytes(dir.filePath(u"far.geojson"_s)),
        geoJsonBytes(mapPoints(readingOf({ Points[0] }).records, 9), 9));
}

TEST_F(Map, StatusLineAndTooltipShowLatitudeAndLongitudeWithAZoneAndAHintWithout)
{
    // The tooltip tells what the file says of the point: its whole name,
    // where List1 shows it cut, its number and its elevation.
    PointFileReading reading = readingOf({ { u"Auto-337"_s, Points[0].x, Points[0].y } });
    reading.records[0] = { u"2640"_s, u"Auto-3374"_s, Points[0].x, Points[0].y, u"12.345"_s, 1 };
    form->openAtStart(QString(), reading);
    PlanWindow *window = openPlan();
    PlanWidget *plan = window->plan();
    // One point alone sits in the middle at a metre a pixel: the cursor on
    // its pixel is on the point itself.
    window->resize(760, 520);
    plan->fitToWindow();
    QCoreApplication::processEvents();
    const QPoint pixel = plan->planGeometry().pixelOf(0).value();
    ASSERT_EQ(plan->width() % 2 + plan->height() % 2, 0) << "an odd size has no middle pixel";
    const QString XY = u"X 11573.375   Y 22694.980"_s;
    const auto hover = [&] {
        QMouseEvent move(QEvent::MouseMove, pixel, plan->mapToGlobal(pixel), Qt::NoButton, {}, {});
        QApplication::sendEvent(plan, &move);
        QHelpEvent help(QEvent::ToolTip, pixel, plan->mapToGlobal(pixel));
        QApplication::sendEvent(plan, &help);
        return window->findChild<QLabel *>(u"PlanCursor"_s)->text() + u'|' + QToolTip::text();
    };
    EXPECT_EQ(hover(),
        u"X 11573.375   Y 22694.980   "_s + Hint + u"|Auto-3374\n点番号 2640\n"_s + XY
            + u"\n標高 12.345\n"_s + Hint);
    menuAction(u"Zone9"_s)->trigger();
    EXPECT_EQ(window->findChild<QLabel *>(u"PlanCursor"_s)->text(), QString());
    EXPECT_EQ(hover(),
        u"X 11573.375   Y 22694.980   "_s + GsiPlace + u"|Auto-3374\n点番号 2640\n"_s + XY
            + u"\n標高 12.345\n"_s + GsiPlace);
}

TEST_F(Map, ExportAsksForAZoneFirstSaysWhenThereAreNoPointsWritesByTheExtensionOrSaysWhyNot)
{
    QTemporaryDir dir;
    // 配置図PDF and DXF書込 need no zone, but points too; none is asked for
    // a file without points to place.
    for (const QList<PointRecord> &points : { QList<PointRecord>(), QList { Points[1] } }) {
        loadPoints(points);
        for (const QString &command : { u"GeoJsonKmlExport"_s, u"PdfExport"_s, u"DxfExport"_s })
            menuAction(command)->trigger();
    }
    EXPECT_EQ(prompts(), QStringList(6, u"メッセージ|座標のある測点がありません。"_s));
    EXPECT_EQ(
        dialogs.fileRequests.size() + dialogs.optionsRequests.size() + dialogs.itemRequests.size(),
        0);

    dialogs.clearRecord();
    createWindow();
    loadPoints(Points);
    // Without a zone the 19 are offered; a cancel writes nothing, a choice
    // is the zone from then on, as if chosen in the menu.
    menuAction(u"GeoJsonKmlExport"_s)->trigger();
    dialogs.chooseNextItem(8);
    // A name typed without an extension gets .geojson; .kml writes KML.
    dialogs.chooseNextFile(dir.filePath(u"points"_s));
    menuAction(u"GeoJsonKmlExport"_s)->trigger();
    QStringList zones; // as the menu lists them, none offered first
    for (QAction *entry : control<QMenu>(u"ZoneMenu"_s)->actions())
        if (!entry->isSeparator())
            zones << entry->text();
    EXPECT_EQ(dialogs.itemRequests,
        QStringList(2,
            u"平面直角座標系|測点を地図に置く平面直角座標系（系）を選んで下さい。|"_s
                + zones.join(u'\n') + u"|-1"_s));
    EXPECT_EQ(checkedZone(), u"Zone9"_s);
    dialogs.chooseNextFile(dir.filePath(u"points.KML"_s));
    openPlan()->findChild<QPushButton *>(u"PlanGeoJsonKmlExport"_s)->click();
    const QString filter = u"Save GeoJSONファイル (*.geojson);;KMLファイル (*.kml)|"_s;
    // The dialog's title names the zone the points are placed by.
    EXPECT_EQ(fileDialogs(dir.path()),
        QStringList({ filter + u"|geojson|地図用に書き出し — Ⅸ系"_s,
            filter + u"points.geojson|geojson|地図用に書き出し — Ⅸ系"_s }));
    // K9 and A2 in file order; T1 has no place.
    const QList<MapPoint> placed = mapPoints(readingOf({ Points[0], Points[2] }).records, 9);
    EXPECT_EQ(fileBytes(dir.filePath(u"points.geojson"_s)), geoJsonBytes(placed, 9));
    EXPECT_EQ(fileBytes(dir.filePath(u"points.KML"_s)), kmlBytes(placed, 9));
    EXPECT_EQ(prompts(), QStringList());

    // Another extension, a missing folder for each kind: nothing written,
    // the SIMA writer's failure numbers. 書込 then offers the name chosen
    // last as a SIMA file's, not the DXF's.
    for (const auto &[command, name] : { std::pair(u"GeoJsonKmlExport"_s, u"points.txt"_s),
             std::pair(u"GeoJsonKmlExport"_s, u"none/points.kml"_s),
             std::pair(u"PdfExport"_s, u"none/plan.pdf"_s),
             std::pair(u"DxfExport"_s, u"none/p.dxf"_s) }) {
        dialogs.chooseNextFile(dir.filePath(name));
        menuAction(command)->trigger();
    }
    EXPECT_EQ(prompts(),
        QStringList({ u"メッセージ|書き出せるのは .geojson と .kml のファイルです。"_s, failure(76),
            failure(76), failure(76) }));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files),
        QStringList({ u"points.geojson"_s, u"points.KML"_s }));
    menuAction(u"SimFileSave"_s)->trigger();
    EXPECT_EQ(fileDialogs(dir.path()).last(), u"Save ＳＩＭファイル Files (*.sim)|none/p.sim|"_s);
}

TEST_F(Map, GsiMapOpensAtThePointsThroughTheBrowserSeam)
{
    menuAction(u"GsiMap"_s)->trigger();
    loadPoints(Points);
    menuAction(u"GsiMap"_s)->trigger(); // the zone asked for, and not given
    EXPECT_EQ(prompts(), QStringList({ u"メッセージ|座標のある測点がありません。"_s }));
    EXPECT_EQ(dialogs.itemRequests.size(), 1);
    EXPECT_TRUE(dialogs.openedUrls.isEmpty());
    dialogs.chooseNextItem(8);
    menuAction(u"GsiMap"_s)->trigger();
    openPlan()->findChild<QPushButton *>(u"PlanGsiMap"_s)->click();
    EXPECT_EQ(dialogs.openedUrls,
        QList<QUrl>(2, QUrl(u"https://maps.gsi.go.jp/#18/36.104497/140.085955/"_s)));
}

TEST_F(Map, PlanPdfAndDxfOfferTheOptionsRememberedAndWriteWithTheChosenOnes)
{
    // Stored values that no option could be are the defaults.
    remembered()->setValue(u"paper/paper"_s, u"B4"_s);
    remembered()->setValue(u"paper/scale"_s, 300);
    remembered()->setValue(u"dxf/textHeight"_s, u"-1"_s);
    remembered()->setValue(u"dxf/elevationAsZ"_s, u"yes"_s);
    QTemporaryDir dir;
    const auto read = [&](int zone) {
        form->openAtStart(dir.filePath(u"genba.sim"_s), readingOf(Points, zone, u"現場A"_s));
    };
    read(0);
    menuAction(u"Zone9"_s)->trigger();
    ExportOptions chosen;
    chosen.sheet = { paperplan::Paper::A3, paperplan::Orientation::Landscape };
    chosen.scale = 1000;
    chosen.textHeight = 2.5;
    chosen.elevationAsZ = true;
    chosen.zone = 9;
    chosen.datum = paperplan::Datum::Tokyo;
    dialogs.chooseNextOptions(chosen);
    dialogs.chooseNextFile(dir.filePath(u"plan"_s));
    menuAction(u"PdfExport"_s)->trigger();
    dialogs.chooseNextOptions(chosen);
    dialogs.chooseNextFile(dir.filePath(u"points.dxf"_s));
    openPlan()->findChild<QPushButton *>(u"PlanDxfExport"_s)->click();
    // Next time: the choices of both, the PDF's cancelled, the DXF's file
    // dialog cancelled, which leaves 地図用に書き出し the name it had, not genba.dxf;
    // the file read names its zone this time.
    createWindow();
    read(9);
    dialogs.chooseNextOptions(std::nullopt);
    menuAction(u"PdfExport"_s)->trigger();
    menuAction(u"DxfExport"_s)->trigger();
    menuAction(u"GeoJsonKmlExport"_s)->trigger();

    EXPECT_EQ(dialogs.optionsRequests,
        QStringList({ u"pdf A4P 0 1 9 auto 1000"_s, u"dxf A3L 1000 1 9 datum tokyo auto 500"_s,
            u"pdf A3L 1000 2.5 9 Z datum tokyo auto 500"_s,
            u"dxf A3L 1000 2.5 9 Z datum tokyo auto 500"_s }));
    EXPECT_EQ(remembered()->value(u"paper/datum"_s).toString(), u"tokyo"_s);
    EXPECT_EQ(fileDialogs(dir.path()),
        QStringList({ u"Save PDFファイル (*.pdf)|genba.pdf|pdf|配置図PDF — Ⅸ系"_s,
            u"Save DXFファイル (*.dxf)|plan.dxf|dxf|DXF書込 — Ⅸ系"_s,
            u"Save DXFファイル (*.dxf)|genba.dxf|dxf|DXF書込 — Ⅸ系"_s,
            u"Save GeoJSONファイル (*.geojson);;KMLファイル (*.kml)|genba.sim|geojson|地図用に書き出し — Ⅸ系"_s }));
    EXPECT_EQ(prompts(), QStringList());
    // K9 and A2 in CAD's axes; T1 has no coordinates. The PDF on the sheet
    // chosen, titled with the file's job name; its scale and zone are those
    // offered next time, as the command line's plan tests show them drawn.
    EXPECT_EQ(fileBytes(dir.filePath(u"points.dxf"_s)),
        dxf::fileBytes(readingOf(Points).records, { 2.5, true }));
    POPPLER(info, u"pdfinfo"_s, { dir.filePath(u"plan.pdf"_s) });
    EXPECT_EQ(pageLines(*info).filter(QRegularExpression(u"^(Title|Page size):"_s)),
        QStringList({ u"Title: 現場A"_s, u"Page size: 1191 x 842 pts (A3)"_s }));
}

// The options dialog the program shows: the remembered choice preselected,
// 自動 named with the scale it takes on the sheet chosen.
TEST(ExportOptionsDialog, OffersTheSheetAndScalesWithAutoOrTheTextHeightAndElevation)
{
    QtUserDialogs qt;
    ExportOptions offered;
    offered.sheet.orientation = paperplan::Orientation::Landscape;
    offered.textHeight = 1.5;
    offered.zone = 9;
    offered.datum = paperplan::Datum::Jgd2011;
    QStringList seen;
    // Reads the dialog's choices, then changes paper and scale, or the
    // height, and presses OK.
    const auto answer = [&seen] {
        QTimer::singleShot(0, [&seen] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            ASSERT_TRUE(dialog);
            seen << dialog->windowTitle();
            for (auto *box : dialog->findChildren<QComboBox *>())
                seen << box->objectName() + u' ' + box->currentText();
            if (auto *height = dialog->findChild<QDoubleSpinBox *>(u"TextHeight"_s)) {
                seen << height->text();
                height->setValue(2.25);
                auto *elevation = dialog->findChild<QCheckBox *>(u"ElevationAsZ"_s);
                seen << elevation->text() + (elevation->isChecked() ? u" on"_s : u" off"_s);
                elevation->click();
            } else {
                dialog->findChild<QComboBox *>(u"Paper"_s)->setCurrentIndex(1);
                auto *scale = dialog->findChild<QComboBox *>(u"Scale"_s);
                seen << scale->itemText(0) + u' ' + scale->itemText(10);
                auto *offPlan = dialog->findChild<QLabel *>(u"OffPlan"_s);
                seen << u"off "_s + offPlan->text();
                scale->setCurrentIndex(3); // S=1/250, at which points fall off
                seen << u"off "_s + offPlan->text();
                dialog->findChild<QComboBox *>(u"Zone"_s)->setCurrentIndex(19); // 系なし
                dialog->findChild<QComboBox *>(u"Datum"_s)->setCurrentIndex(1); // 2024
            }
            dialog->accept();
        });
    };
    answer();
    const PlanFit fit {
        [](paperplan::Sheet sheet) { return sheet.paper == paperplan::Paper::A3 ? 500 : 1000; },
        [](paperplan::Sheet, qint64 scale) { return scale < 500 ? 37 : 0; },
    };
    const auto pdf = qt.exportOptions(nullptr, ExportKind::PlanPdf, offered, fit);
    answer();
    const auto dxf = qt.exportOptions(nullptr, ExportKind::Dxf, offered, fit);
    EXPECT_EQ(seen,
        QStringList({ u"配置図PDF"_s, u"Paper A4"_s, u"Orientation 横"_s,
            u"Scale 自動（S=1/1000）"_s, u"Zone "_s + geodesy::zoneEntry(9),
            u"Datum 世界測地系（測地成果2011）"_s, u"自動（S=1/500） S=1/50000"_s, u"off "_s,
            u"off S=1/250 では 37 点が図面の外になります。S=1/500 なら全点が入ります。"_s,
            u"DXF書込"_s, u"1.50 m"_s, u"標高をZに入れる off"_s }));
    ASSERT_TRUE(pdf && dxf);
    EXPECT_EQ(optionsText(*pdf) + u'|' + optionsText(*dxf),
        u"A3L 250 1.5 -1 datum 2024|A4L 0 2.25 9 Z datum 2011"_s);
}

// 地図用に書き出し's real save dialog: a name typed without an extension takes that
// of the file type chosen in it, GeoJSON's where none is chosen.
TEST(ExportFileDialog, ANameWithoutAnExtensionTakesThatOfTheFileTypeChosen)
{
    QtUserDialogs qt;
    QTemporaryDir dir;
    QStringList chosen;
    const QString filter = CommonDialog::qtFilter(windowtext::ExportFilter);
    for (const int downs : { 0, 1 }) {
        QTimer::singleShot(0, [downs] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            ASSERT_TRUE(dialog);
            for (int d = 0; d < downs; ++d) // as the user picks a type, by its combo box
                QTest::keyClick(dialog->findChild<QComboBox *>(u"fileTypeCombo"_s), Qt::Key_Down);
            dialog->findChild<QLineEdit *>(u"fileNameEdit"_s)->setText(u"points"_s);
            static_cast<QDialog *>(dialog)->accept();
        });
        const auto path = qt.fileDialog(nullptr, FileDialogMode::Save, filter,
            dir.filePath(u"genba.sim"_s), windowtext::ExportDefaultExtension, QString());
        chosen << QDir(dir.path()).relativeFilePath(path.value_or(u"none"_s));
    }
    EXPECT_EQ(chosen, QStringList({ u"points.geojson"_s, u"points.kml"_s }));
}

TEST(PositionText, APointBeyondTheZonesReachHasNoLatitudeAndLongitude)
{
    EXPECT_EQ(cursorText(9, { 5e6, 0 }),
        u"X 5000000.000   Y 0.000   系の原点から1000 kmより遠いので、緯度・経度はありません"_s);
    EXPECT_EQ(
        cursorText(9, { 11573.375, 22694.980 }), u"X 11573.375   Y 22694.980   "_s + GsiPlace);
}
