#include "startup.h"
#include "windowfixture.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QProgressBar>
#include <QScreen>
#include <QTimer>

using namespace tavorin;
using namespace tavorin::test;

namespace {

using StartUp = WindowTest;

TEST_F(StartUp, ShowsPortOneEmptyEntriesAndTheFirstOptions)
{
    EXPECT_EQ(form->portNumber(), 1);
    EXPECT_EQ(label("Label3")->text(), QStringLiteral("ﾎﾟｰﾄ1"));
    EXPECT_EQ(text1(0)->text(), QString());
    EXPECT_EQ(text1(1)->text(), QString());
    EXPECT_TRUE(option(1, 0)->isChecked());
    EXPECT_TRUE(option(2, 0)->isChecked());
    EXPECT_EQ(list(1)->listCount(), 0);
    EXPECT_EQ(list(2)->listCount(), 0);
    EXPECT_FALSE(control<QProgressBar>("ProgressBar1")->isVisible());
    EXPECT_FALSE(label("Label4")->isVisible());
    EXPECT_EQ(form->currentFilePath(), QString());
}

TEST_F(StartUp, AfterARestartThePortIsOneAgain)
{
    menuAction("Com3")->trigger();
    createWindow();
    EXPECT_EQ(form->portNumber(), 1);
    EXPECT_EQ(label("Label3")->text(), QStringLiteral("ﾎﾟｰﾄ1"));
}

TEST_F(StartUp, TheWindowIsCentredOnTheScreen)
{
    const QRect screen = form->screen()->geometry();
    const QRect frame = form->frameGeometry();
    EXPECT_LE(std::abs(frame.left() - (screen.width() - frame.width()) / 2), 1);
    EXPECT_LE(std::abs(frame.top() - (screen.height() - frame.height()) / 2), 1);
}

TEST(Centring, KeepsFractionsAndGoesNegativeForAWindowLargerThanTheScreen)
{
    EXPECT_EQ(Form1::centredOrigin({ 14400, 10800 }, { 7425, 5421 }), QPointF(3487.5, 2689.5));
    EXPECT_EQ(Form1::centredOrigin({ 7200, 5400 }, { 9001, 6000 }), QPointF(-900.5, -300.0));
}

using PortChoice = WindowTest;

TEST_F(PortChoice, EachMenuItemSetsThePortAndItsLabel)
{
    const struct
    {
        const char *action;
        int port;
        QString caption;
    } steps[] = { { "Com3", 3, QStringLiteral("ﾎﾟｰﾄ3") }, { "Com2", 2, QStringLiteral("ﾎﾟｰﾄ2") },
        { "Com2", 2, QStringLiteral("ﾎﾟｰﾄ2") }, { "Com1", 1, QStringLiteral("ﾎﾟｰﾄ1") } };
    for (const auto &step : steps) {
        menuAction(step.action)->trigger();
        EXPECT_EQ(form->portNumber(), step.port) << step.action;
        EXPECT_EQ(label("Label3")->text(), step.caption) << step.action;
    }
    EXPECT_TRUE(dialogs.messages().isEmpty());
    EXPECT_FALSE(menuAction("Com1")->isCheckable());
}

TEST_F(PortChoice, FurtherPortsFollowASeparatorListedAfreshEachTimeTheMenuOpens)
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
    const QStringList captions { QStringLiteral("ﾎﾟｰﾄUSB0"), QStringLiteral("ﾎﾟｰﾄACM12"),
        QStringLiteral("ﾎﾟｰﾄ5"), QStringLiteral("ﾎﾟｰﾄ5") };
    for (int i = 0; i < 4; ++i) {
        menu->actions()[4 + i]->trigger();
        EXPECT_EQ(form->portNumber(), 0) << i;
        EXPECT_EQ(
            label("Label3")->text() + label("Label3")->toolTip(), captions[i] + seam.further[i]);
    }
    menuAction("Com2")->trigger();
    EXPECT_EQ(label("Label3")->text() + label("Label3")->toolTip(), QStringLiteral("ﾎﾟｰﾄ2"));
    seam.further.clear();
    EXPECT_EQ(openMenu(), QStringList({ "COM1", "COM2", "COM3" }));
}

TEST(QtTranslation, QtsOwnButtonsReadInJapanese)
{
    const std::unique_ptr<QTranslator> translator = installQtTranslation();
    if (!translator)
        GTEST_SKIP() << "no qtbase_ja.qm (Debian package qt6-translations-l10n)";
    EXPECT_EQ(
        QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("キャンセル"));
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Open"), QStringLiteral("開く"));
}

// The real program, without a display.
TEST(CommandLine, OptionsWorkWithoutADisplayAndBadOnesAreRefused)
{
    const struct
    {
        QStringList arguments;
        int exitCode;
        QByteArray output; // the first line
        QByteArray errors; // the end; Qt may warn before
    } cases[] = {
        { { "--version" }, 0, "tavorin 1.1", "" },
        { { "--help" }, 0, "Usage: tavorin [options] [FILE.sim]", "" },
        { { "-platform", "offscreen", "--bogus" }, 1, "", "tavorin: Unknown option 'bogus'.\n" },
    };
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("DISPLAY");
    environment.remove("QT_QPA_PLATFORM");
    for (const auto &c : cases) {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(TAVORIN_EXECUTABLE), c.arguments);
        EXPECT_TRUE(process.waitForFinished(10000));
        EXPECT_EQ(process.exitCode(), c.exitCode) << c.arguments.join(' ').toStdString();
        const QByteArray output = process.readAllStandardOutput();
        EXPECT_EQ(output.split('\n').value(0), c.output);
        EXPECT_TRUE(process.readAllStandardError().endsWith(c.errors));
        if (c.arguments == QStringList { "--version" }) {
            EXPECT_EQ(output, "tavorin 1.1\n");
        }
    }
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

TEST_F(Layout, CaptionsAndMenusReadExactly)
{
    // Captions come from windowtext.h; two read back as samples.
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Tavorin Ver1.1"));
    EXPECT_EQ(option(1, 3)->text(), QStringLiteral("何から何　　A/B"));

    QStringList menus;
    for (QAction *top : form->menuBar()->actions()) {
        QString entry = top->text();
        if (top->menu()) {
            for (QAction *item : top->menu()->actions())
                entry += u'|' + item->text();
        }
        menus << entry;
    }
    EXPECT_EQ(menus,
        QStringList({ QStringLiteral("SIMAﾌｧｲﾙ|書込|読込||配置図"),
            QStringLiteral("COMポート|COM1|COM2|COM3"), QStringLiteral("終了") }));
    EXPECT_FALSE(form->windowIcon().isNull());
    EXPECT_EQ(form->windowIcon().availableSizes().value(0), QSize(32, 32));
}

TEST_F(Layout, AColourAFontAndTheSelectionModes)
{
    EXPECT_EQ(list(2)->palette().color(QPalette::Base), QColor(255, 224, 192));
    EXPECT_EQ(list(1)->font().families().value(0), QStringLiteral("ＭＳ ゴシック"));
    EXPECT_EQ(list(1)->selectionMode(), QAbstractItemView::ExtendedSelection);
    EXPECT_EQ(list(2)->selectionMode(), QAbstractItemView::MultiSelection);
    EXPECT_FALSE(list(1)->lineModel().isSorted());
    EXPECT_TRUE(list(2)->lineModel().isSorted());
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

using Ending = WindowTest;

TEST_F(Ending, EndMenuEndsTheProgramWithoutAQuestion)
{
    QTimer::singleShot(0, menuAction("PG_End"), &QAction::trigger);
    QTimer::singleShot(5000, [] { QCoreApplication::exit(99); });
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_TRUE(dialogs.messages().isEmpty());
}

} // namespace
