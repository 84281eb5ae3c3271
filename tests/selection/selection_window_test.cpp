// The selection modes, the direction, the entries and the transfer-list
// buttons, driven through the real window with clicks and keys.
#include "windowfixture.h"

#include <QSignalSpy>
#include <QTest>

using namespace tavorin;
using namespace tavorin::test;
using namespace Qt::StringLiterals;

namespace {

// Points with the given names; x is the list position, y its tenth, so that
// every line says which point it came from.
QList<PointRecord> named(const QStringList &names)
{
    QList<PointRecord> points;
    for (int p = 0; p < names.size(); ++p)
        points.append({ names[p], QString::number(p), QString::number(p * 0.1, 'f', 1) });
    return points;
}

class Selection : public WindowTest
{
protected:
    // The window made active as the user's window is, so that focus and
    // keyboard navigation work as they do on a desktop.
    void SetUp() override
    {
        createWindow();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }
    // A radio button is clicked near its indicator, where a click always
    // lands on the button whatever the width of its caption.
    void chooseOption(int group, int index)
    {
        QRadioButton *button = option(group, index);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, button->height() / 2));
    }
    void click(int commandNumber) { QTest::mouseClick(command(commandNumber), Qt::LeftButton); }
    // Lines of the points at the given positions, in the order given.
    QStringList linesOf(const QList<int> &positions) const
    {
        QStringList lines;
        for (int p : positions)
            lines.append(listLine(table->at(p).name, table->at(p).x, table->at(p).y));
        return lines;
    }
    QStringList transferList() const { return list(2)->lines(); }
    // Fills the transfer list with n lines that sort before every point's.
    void preload(int n)
    {
        for (int i = 0; i < n; ++i)
            list(2)->addItem(listLine(QStringLiteral("#"), QString::number(i), QString()));
    }
    bool inMode(int index) const { return option(1, index)->isChecked(); }
};

using TransferList = Selection;

TEST_F(TransferList, DecideAddsThePickedPointsInSortedPlaceAndKeepsThePick)
{
    loadPoints({ { "B2", "-123.456", "98.7" }, { "A1", "1.5", "2.5" }, { "C3", "3", "4" },
        { "a0", "0", "0" } });
    click(1);
    EXPECT_EQ(transferList(), QStringList());
    for (int p : { 2, 0, 3 })
        list(1)->setSelected(p, true);
    click(1);
    EXPECT_EQ(transferList(), linesOf({ 3, 0, 2 }));
    // The same pick again: each line once more, next to its twin.
    click(1);
    EXPECT_EQ(transferList(), linesOf({ 3, 3, 0, 0, 2, 2 }));

    // "ﾘｽﾄﾌｧｲﾙ消去" empties it; the pick stays throughout.
    click(4);
    EXPECT_EQ(transferList(), QStringList());
    for (int p = 0; p < 4; ++p)
        EXPECT_EQ(list(1)->isSelected(p), p != 1) << p;
}

using Modes = Selection;

TEST_F(Modes, DecideAndEnterAddOnlyInTheirOwnModeWithDirectionToThePocketComputer)
{
    // Neither the prefix nor the range sees the unlisted point, which leaves
    // "A3" naming position 0; read from the other entry, each adds nothing.
    loadPoints(named({ "A1", "B", "A2" }));
    ASSERT_TRUE(table->store(3, { u"A3"_s, u"3"_s, u"0.3"_s })); // from earlier, not listed
    list(1)->selectAll();
    const QString texts[] = { u"A"_s, u"B/A3"_s };
    for (int state = 0; state < 8; ++state) {
        const int direction = state / 4, mode = state % 4;
        option(2, direction)->setChecked(true);
        option(1, mode)->setChecked(true);
        click(4);
        click(1);
        for (int entry : { 0, 1 }) {
            QLineEdit *box = text1(entry);
            box->setText(texts[entry]);
            QSignalSpy returnPressed(box, &QLineEdit::returnPressed);
            QTest::keyClick(box, Qt::Key_Return);
            QTest::keyClick(box, Qt::Key_Enter, Qt::KeypadModifier);
            QTest::keyClick(box, 'y');
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, u"測"_s, {});
            QTest::keyClick(box, Qt::Key_Backspace);
            QTest::keyClick(box, Qt::Key_Left);
            QTest::keyClick(box, Qt::Key_Space);
            // Both Enter keys are swallowed; every other key arrives.
            EXPECT_EQ(box->text(), texts[entry] + u" y"_s) << state << entry;
            EXPECT_EQ(returnPressed.count(), 0) << state << entry;
        }
        const QList<int> added[] = { { 0, 2, 1 }, {}, { 0, 0, 2, 2 }, { 0, 0, 1, 1 } };
        EXPECT_EQ(transferList(), linesOf(direction == 0 ? added[mode] : QList<int>())) << state;
    }
    // The range stops once the transfer list holds 999 lines.
    option(2, 0)->setChecked(true);
    click(4);
    preload(997);
    text1(1)->setText(u"A2/A1"_s);
    QTest::keyClick(text1(1), Qt::Key_Return);
    EXPECT_EQ(transferList().mid(997), linesOf({ 0, 1 }));
}

TEST_F(Modes, PrefixAndRangeEmptyAndFocusTheirEntryInEitherDirectionEachTimeChosen)
{
    for (int state = 0; state < 8; ++state) { // direction, mode, first or second time
        if (state % 4 == 0)
            chooseOption(2, state / 4);
        const int entry = state / 2 % 2;
        text1(0)->setText(u"keep"_s);
        text1(1)->setText(u"keep"_s);
        command(1)->setFocus();
        chooseOption(1, 2 + entry);
        EXPECT_EQ(text1(entry)->text() + u'|' + text1(1 - entry)->text(), u"|keep"_s) << state;
        EXPECT_TRUE(text1(entry)->hasFocus()) << state;
    }
}

TEST_F(Modes, AllArrowKeysAndTheDirectionRunTheHandlerOfTheButtonTheySelect)
{
    // Option1_1 empties the transfer list, even with no point to add.
    preload(3);
    option(1, 0)->setFocus();
    QTest::keyClick(option(1, 0), Qt::Key_Down);
    EXPECT_TRUE(inMode(1));
    EXPECT_EQ(transferList(), QStringList());
    loadPoints(named({ "Z", "A", "M" }));
    preload(2);
    chooseOption(1, 1); // chosen already: runs again
    EXPECT_EQ(transferList(), linesOf({ 1, 2, 0 }));
    QTest::keyClick(option(1, 1), Qt::Key_Down);
    EXPECT_TRUE(inMode(2));
    EXPECT_TRUE(text1(0)->hasFocus());

    // The direction to the pocket computer chooses the first mode, also when
    // chosen already, and touches nothing else; the other keeps the mode, and
    // with it Option1_1 leaves the emptied list empty.
    text1(0)->setText(u"1"_s);
    text1(1)->setText(u"1/1"_s);
    chooseOption(2, 0);
    EXPECT_TRUE(inMode(0));
    option(1, 3)->setChecked(true);
    option(2, 0)->setFocus();
    QTest::keyClick(option(2, 0), Qt::Key_Down);
    EXPECT_TRUE(option(2, 1)->isChecked());
    EXPECT_TRUE(inMode(3));
    click(4);
    chooseOption(1, 1);
    EXPECT_TRUE(inMode(1));
    option(2, 1)->setFocus();
    QTest::keyClick(option(2, 1), Qt::Key_Up);
    EXPECT_TRUE(option(2, 0)->isChecked());
    EXPECT_TRUE(inMode(0));
    EXPECT_EQ(text1(0)->text(), u"1"_s);
    EXPECT_EQ(text1(1)->text(), u"1/1"_s);
    EXPECT_EQ(transferList(), QStringList());
}

} // namespace
