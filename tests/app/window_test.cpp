#include "windowfixture.h"

#include <QApplication>
#include <QGroupBox>
#include <QMenuBar>
#include <QProgressBar>
#include <QScreen>
#include <QTimer>

using namespace tavorin;
using namespace tavorin::test;

namespace {

using StartUp = WindowTest;

TEST_F(StartUp, ShowsPortOneEmptyEntriesAndTheFirstOptions)
{
    EXPECT_EQ(form->PortNumber, 1);
    EXPECT_EQ(label("Label3")->text(), QStringLiteral("ﾎﾟｰﾄ1"));
    EXPECT_EQ(text1(0)->text(), QString());
    EXPECT_EQ(text1(1)->text(), QString());
    EXPECT_TRUE(option(1, 0)->isChecked());
    EXPECT_TRUE(option(2, 0)->isChecked());
    for (int i : { 1, 2, 3 })
        EXPECT_FALSE(option(1, i)->isChecked()) << i;
    EXPECT_FALSE(option(2, 1)->isChecked());
    EXPECT_EQ(list(1)->listCount(), 0);
    EXPECT_EQ(list(2)->listCount(), 0);
    EXPECT_FALSE(control<QProgressBar>("ProgressBar1")->isVisible());
    EXPECT_FALSE(label("Label4")->isVisible());
    EXPECT_EQ(form->CurrentFilePath, QString());
    EXPECT_EQ(form->TransferMode, QString());
    EXPECT_EQ(form->SendIndex, 0);
}

TEST_F(StartUp, AfterARestartThePortIsOneAgain)
{
    menuAction("Com3")->trigger();
    createWindow();
    EXPECT_EQ(form->PortNumber, 1);
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
        EXPECT_EQ(form->PortNumber, step.port) << step.action;
        EXPECT_EQ(label("Label3")->text(), step.caption) << step.action;
    }
    EXPECT_TRUE(dialogs.messages().isEmpty());
    EXPECT_FALSE(menuAction("Com1")->isCheckable());
}

using Layout = WindowTest;

TEST_F(Layout, ClientAreaAndControlsStandInTwipsAtTheScreenResolution)
{
    const double dpi = form->screen()->logicalDotsPerInchX();
    const auto px = [dpi](int twips) { return qRound(twips * dpi / 1440.0); };
    EXPECT_EQ(form->centralWidget()->size(), QSize(px(7425), px(4620)));
    if (dpi == 96.0) {
        EXPECT_EQ(form->centralWidget()->size(), QSize(495, 308));
    }
    EXPECT_EQ(list(1)->geometry(), QRect(px(240), px(360), px(1095), px(4020)));
    EXPECT_EQ(list(2)->geometry(), QRect(px(3720), px(360), px(3495), px(2760)));
    EXPECT_EQ(text1(1)->geometry(), QRect(px(480), px(2400), px(1335), px(270)));
    EXPECT_EQ(text1(1)->parentWidget()->objectName(), QStringLiteral("Frame1"));
    EXPECT_EQ(option(2, 1)->parentWidget()->objectName(), QStringLiteral("Frame2"));
}

TEST_F(Layout, CaptionsAndMenusReadExactly)
{
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Tavorin Ver1.1"));
    EXPECT_EQ(label("Label1_0")->text(), QStringLiteral("SIMAﾌｧｲﾙリスト"));
    EXPECT_EQ(label("Label1_1")->text(), QStringLiteral("転送用リスト"));
    EXPECT_EQ(label("Label2")->text(), QStringLiteral("VNR"));
    EXPECT_EQ(control<QGroupBox>("Frame1")->title(), QStringLiteral("測点の選択"));
    EXPECT_EQ(control<QGroupBox>("Frame2")->title(), QStringLiteral("条件"));
    EXPECT_EQ(option(1, 3)->text(), QStringLiteral("何から何　　A/B"));
    EXPECT_EQ(option(2, 0)->text(), QStringLiteral("ﾊﾟｿｺﾝからﾎﾟｹｺﾝ"));
    EXPECT_EQ(command(2)->text(), QStringLiteral("ﾎﾟｹｺﾝヘ送信"));
    EXPECT_EQ(command(4)->text(), QStringLiteral("ﾘｽﾄﾌｧｲﾙ消去"));

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

TEST_F(Layout, ColoursFontsAndSelectionModes)
{
    EXPECT_EQ(list(1)->palette().color(QPalette::Base), QColor(255, 255, 192));
    EXPECT_EQ(list(2)->palette().color(QPalette::Base), QColor(255, 224, 192));
    EXPECT_EQ(text1(0)->palette().color(QPalette::Base), QColor(192, 255, 192));
    EXPECT_EQ(label("Label1_0")->palette().color(QPalette::WindowText), QColor(192, 0, 0));
    EXPECT_EQ(label("Label3")->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(label("Label4")->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    EXPECT_EQ(label("Label3")->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(list(1)->font().families().value(0), QStringLiteral("ＭＳ ゴシック"));
    EXPECT_EQ(list(2)->font().pointSize(), 9);
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

TEST_F(Ending, ClosingTheWindowEndsTheProgram)
{
    QTimer::singleShot(0, form.get(), &QWidget::close);
    QTimer::singleShot(5000, [] { QCoreApplication::exit(99); });
    EXPECT_EQ(QApplication::exec(), 0);
}

} // namespace
