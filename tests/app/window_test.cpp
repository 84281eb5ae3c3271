#include "captionlabel.h"
#include "startup.h"
#include "windowfixture.h"

#include <QApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>

using namespace tavorin;
using namespace tavorin::test;

namespace {

using StartUp = WindowTest;

TEST_F(StartUp, ShowsPortOneEmptyEntriesAndTheFirstOptionsAlsoAfterARestart)
{
    menuAction("Com3")->trigger();
    createWindow();
    EXPECT_EQ(form->portNumber(), 1);
    EXPECT_EQ(label("Label3")->text(), QStringLiteral("ﾎﾟｰﾄ1"));
    EXPECT_EQ(text1(0)->text() + text1(1)->text() + form->currentFilePath(), QString());
    EXPECT_TRUE(option(1, 0)->isChecked() && option(2, 0)->isChecked());
    EXPECT_EQ(list(1)->listCount() + list(2)->listCount(), 0);
    EXPECT_FALSE(
        control<QProgressBar>("ProgressBar1")->isVisible() || label("Label4")->isVisible());
}

TEST_F(StartUp, TheWindowIsCentredOnTheScreenKeepingFractionsGoingNegativeIfLarger)
{
    const QRect screen = form->screen()->geometry();
    const QRect frame = form->frameGeometry();
    EXPECT_LE(std::abs(frame.left() - (screen.width() - frame.width()) / 2), 1);
    EXPECT_LE(std::abs(frame.top() - (screen.height() - frame.height()) / 2), 1);
    EXPECT_EQ(Form1::centredOrigin({ 14400, 10800 }, { 7425, 5421 }), QPointF(3487.5, 2689.5));
    EXPECT_EQ(Form1::centredOrigin({ 7200, 5400 }, { 9001, 6000 }), QPointF(-900.5, -300.0));
}

using PortChoice = WindowTest;

TEST_F(PortChoice, MenuItemsSetThePortAndLabelFurtherPortsAreListedAfreshEachTimeItOpens)
{
    auto *menu = control<QMenu>(QStringLiteral("ComPort"));
    const auto openMenu = [&] {
        menu->popup(QPoint());
        menu->hide();
        QStringList items;
        for (QAction *item : menu->actions())
            items << (item->isSeparator() ? QStringLiteral("-") : item->text());
        return items;
    };
    auto &seam = static_cast<TestPorts &>(*ports);
    seam.further = { "/dev/ttyUSB0", "/dev/ttyACM12", "COM5", "/dev/ttyS4" };
    EXPECT_EQ(openMenu(), QStringList({ "COM1", "COM2", "COM3", "-" }) + seam.further);
    // Each item chosen in turn: the port number, the label and its tool tip.
    QList<QAction *> items = menu->actions().mid(4);
    for (const char *name : { "Com3", "Com2", "Com2", "Com1" })
        items << menuAction(name);
    QStringList shown;
    for (QAction *item : items) {
        item->trigger();
        shown << QString::number(form->portNumber()) + label("Label3")->text()
                + label("Label3")->toolTip();
    }
    EXPECT_EQ(shown,
        QStringList({ QStringLiteral("0ﾎﾟｰﾄUSB0/dev/ttyUSB0"),
            QStringLiteral("0ﾎﾟｰﾄACM12/dev/ttyACM12"), QStringLiteral("0ﾎﾟｰﾄ5COM5"),
            QStringLiteral("0ﾎﾟｰﾄ5/dev/ttyS4"), QStringLiteral("3ﾎﾟｰﾄ3"), QStringLiteral("2ﾎﾟｰﾄ2"),
            QStringLiteral("2ﾎﾟｰﾄ2"), QStringLiteral("1ﾎﾟｰﾄ1") }));
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_FALSE(menuAction("Com1")->isCheckable());
    seam.further.clear();
    EXPECT_EQ(openMenu(), QStringList({ "COM1", "COM2", "COM3" }));
}

using Captions = WindowTest;

// Run at QT_SCALE_FACTOR=2 too (see tests/CMakeLists.txt). The send count
// has its own case with the transfers.
TEST_F(Captions, ALabelGrowsToItsWholeCaptionCentredOnItsPlaceAndCoversNoNeighbour)
{
    QLabel *port = label("Label3");
    // Without a font that has the port label's characters (Wine here has
    // none), each is drawn as a box whose width is no font's.
    for (const QChar c : port->text())
        if (!QFontMetrics(port->font()).inFont(c))
            GTEST_SKIP() << "no font with the port label's characters";
    const int scale = std::max(1, qEnvironmentVariableIntValue("QT_SCALE_FACTOR"));
    EXPECT_EQ(form->devicePixelRatio(), scale);
    for (const char *name : { "Label1_0", "Label1_1", "Label2", "Label3" })
        expectWholeCaption(label(name));
    const QRect place = port->geometry(); // "ﾎﾟｰﾄ1" fits its place
    const QFont font = port->font();
    static_cast<TestPorts &>(*ports).further
        = { "/dev/ttyUSB0", "/dev/ttyACM0", "/dev/ttyACM12", "COM12" };
    control<QMenu>("ComPort")->popup(QPoint());
    const QList<QAction *> further = control<QMenu>("ComPort")->actions().mid(4);
    ASSERT_EQ(further.size(), 4);
    for (QAction *item : further) {
        item->trigger();
        expectWholeCaption(port);
        // Centred on its place, unless the neighbour it touches pushed it aside.
        const QRect shown = port->geometry();
        const int offCentre = shown.center().x() - place.center().x();
        const std::string caption = port->text().toStdString();
        EXPECT_TRUE(shown.contains(place)) << caption;
        EXPECT_TRUE(std::abs(offCentre) <= 1
            || (offCentre > 0 && command(2)->geometry().right() == shown.left() - 1)
            || (offCentre < 0 && command(3)->geometry().left() == shown.right() + 1))
            << caption;
    }
    // A caption that fits takes the label back to its place and font.
    menuAction("Com2")->trigger();
    EXPECT_EQ(port->geometry(), place);
    EXPECT_EQ(port->font(), font);
}

// Built here: in the window, the control right of a label is always nearer
// its place than the one left of it.
TEST_F(Captions, ALabelNeedingAllItsRoomTakesNoPixelOfItsNeighboursNorOfTheControlBelow)
{
    QWidget parent;
    parent.resize(200, 20);
    for (const QRect &r : { QRect(0, 0, 50, 10), QRect(150, 0, 50, 10), QRect(50, 4, 100, 10) })
        (new QWidget(&parent))->setGeometry(r);
    CaptionLabel caption(QString(40, u'W'), &parent);
    caption.setPlace({ 60, 0, 80, 2 });
    EXPECT_EQ(caption.geometry(), QRect(50, 0, 100, 4));
    EXPECT_EQ(caption.font().pointSizeF(), 5);
}

TEST(QtTranslation, QtsOwnButtonsReadInJapanese)
{
    // Qt's own folder (Linux), or a translations folder beside the program, as
    // the Windows build deploys it.
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    const QString program = QCoreApplication::applicationDirPath();
    const QString beside = program + "/translations";
    EXPECT_EQ(qtTranslationFolders(), QStringList({ folder, program, beside }));
    if (!QFileInfo::exists(folder + "/qtbase_ja.qm")
        && !QFileInfo::exists(beside + "/qtbase_ja.qm"))
        GTEST_SKIP() << "no qtbase_ja.qm in " << folder.toStdString() << " or "
                     << beside.toStdString() << " (Debian package qt6-translations-l10n)";
    const auto japanese = [] {
        return QCoreApplication::translate("QPlatformTheme", "Cancel") + u'|'
            + QCoreApplication::translate("QFileDialog", "Open");
    };
    {
        const std::unique_ptr<QTranslator> translator = installQtTranslation();
        ASSERT_NE(translator, nullptr);
        EXPECT_EQ(japanese(), QStringLiteral("キャンセル|開く"));
    }
    // Deployed as Qt's Windows installers deploy it: qt_ja.qm alone.
    QTemporaryDir deployed;
    const QString qm = QFileInfo::exists(folder + "/qtbase_ja.qm") ? folder : beside;
    ASSERT_TRUE(QFile::copy(qm + "/qtbase_ja.qm", deployed.filePath("qt_ja.qm")));
    {
        const auto translator
            = installQtTranslation({ deployed.filePath("nothing"), deployed.path() });
        EXPECT_NE(translator, nullptr);
        EXPECT_EQ(japanese(), QStringLiteral("キャンセル|開く"));
    }
    EXPECT_EQ(installQtTranslation({ deployed.filePath("nothing") }), nullptr);
    EXPECT_EQ(japanese(), QStringLiteral("Cancel|Open"));
}

using Layout = WindowTest;

TEST_F(Layout, ClientAreaAndControlsInPixelsAt96Dpi)
{
    if (form->screen()->logicalDotsPerInchX() != 96.0)
        GTEST_SKIP() << "the pixel sizes below are those of a 96 dpi screen";
    EXPECT_EQ(form->centralWidget()->size(), QSize(495, 308));
    EXPECT_EQ(list(1)->geometry(), QRect(16, 24, 73, 268));
    EXPECT_EQ(list(2)->geometry(), QRect(248, 24, 233, 184));
    EXPECT_EQ(text1(1)->geometry(), QRect(32, 160, 89, 18));
    EXPECT_EQ(text1(1)->parentWidget()->objectName(), QStringLiteral("Frame1"));
    EXPECT_EQ(option(2, 1)->parentWidget()->objectName(), QStringLiteral("Frame2"));
}

TEST_F(Layout, CaptionsMenusAColourAFontAndTheSelectionModes)
{
    // Captions come from windowtext.h; two read back as samples.
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Tavorin Ver1.1"));
    EXPECT_EQ(option(1, 3)->text(), QStringLiteral("何から何　　A/B"));

    QStringList menus;
    for (QAction *top : form->menuBar()->actions()) {
        QString entry = top->text();
        for (QAction *item : top->menu() ? top->menu()->actions() : QList<QAction *>())
            entry += u'|' + item->text();
        menus << entry;
    }
    EXPECT_EQ(menus,
        QStringList({ QStringLiteral("SIMAﾌｧｲﾙ|書込|読込||配置図||CSV読込|CSV書込|地図XML読込||"
                                     "平面直角座標系|"
                                     "地図用に書き出し|配置図PDF|DXF書込|地理院地図で開く"),
            QStringLiteral("COMポート|COM1|COM2|COM3"), QStringLiteral("終了") }));
    EXPECT_EQ(form->windowIcon().availableSizes().value(0), QSize(32, 32));
    EXPECT_EQ(list(1)->font().families().value(0), QStringLiteral("ＭＳ ゴシック"));
    EXPECT_EQ(list(1)->selectionMode(), QAbstractItemView::ExtendedSelection);
    EXPECT_EQ(list(2)->selectionMode(), QAbstractItemView::MultiSelection);
}

TEST_F(Layout, TabOrderFollowsTheControlTable)
{
    QStringList order;
    QWidget *w = list(1);
    for (int i = 0; i < 14; ++i, w = w->nextInFocusChain()) {
        while (w->focusPolicy() == Qt::NoFocus || w->objectName().isEmpty())
            w = w->nextInFocusChain();
        order << w->objectName();
    }
    EXPECT_EQ(order,
        QStringList({ "List1", "List2", "Option1_0", "Command1", "Option1_1", "Option1_2",
            "Option1_3", "Text1_0", "Text1_1", "Command2", "Command3", "Option2_0", "Option2_1",
            "Command4" }));
}

// Under a dark colour scheme (Windows 11 dark mode) the lists and entry
// boxes keep their light backgrounds, and their text stays black with them.
TEST_F(Layout, BoxesStayReadableUnderADarkColourScheme)
{
    const QPalette light = QApplication::palette();
    QPalette dark = light;
    dark.setColor(QPalette::Base, Qt::black);
    dark.setColor(QPalette::Text, Qt::white);
    QApplication::setPalette(dark);
    createWindow();
    QApplication::setPalette(light);
    const std::pair<QWidget *, QColor> boxes[]
        = { { list(1), QColor(255, 255, 192) }, { list(2), QColor(255, 224, 192) },
              { text1(0), QColor(192, 255, 192) }, { text1(1), QColor(192, 255, 192) } };
    for (const auto &[box, background] : boxes)
        EXPECT_EQ(
            std::pair(box->palette().color(QPalette::Base), box->palette().color(QPalette::Text)),
            std::pair(background, QColor(Qt::black)))
            << box->objectName().toStdString();
}

using Ending = WindowTest;

TEST_F(Ending, EndMenuEndsTheProgramWithoutAQuestion)
{
    QTimer::singleShot(0, menuAction("PG_End"), &QAction::trigger);
    QTimer::singleShot(5000, [] { QCoreApplication::exit(99); });
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

} // namespace
