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

// n points named from "P<n-1>" down to "P0000", so that the transfer list
// holds them in the reverse of their list order.
QList<PointRecord> numbered(int n)
{
    QStringList names;
    for (int p = n - 1; p >= 0; --p)
        names.append(QStringLiteral("P%1").arg(p, 4, 10, QLatin1Char('0')));
    return named(names);
}

class Selection : public WindowTest
{
protected:
    void SetUp() override { renew(); }
    // A new window, made active as the user's window is, so that focus and
    // keyboard navigation work as they do on a desktop.
    void renew()
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
    void chooseMode(int index) { chooseOption(1, index); }
    void chooseDirection(int index) { chooseOption(2, index); }
    void click(int commandNumber) { QTest::mouseClick(command(commandNumber), Qt::LeftButton); }
    void enter(int entry, const QString &text)
    {
        text1(entry)->setText(text);
        QTest::keyClick(text1(entry), Qt::Key_Return);
    }
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
    EXPECT_EQ(transferList(),
        QStringList({ u"a0                  0            0"_s,
            u"B2           -123.456         98.7"_s, u"C3                  3            4"_s }));
    // The same pick again: each line once more, next to its twin.
    click(1);
    EXPECT_EQ(transferList(), linesOf({ 3, 3, 0, 0, 2, 2 }));

    // "ﾘｽﾄﾌｧｲﾙ消去" empties it in either direction; the pick stays throughout.
    option(2, 1)->setChecked(true);
    click(4);
    EXPECT_EQ(transferList(), QStringList());
    for (int p = 0; p < 4; ++p)
        EXPECT_EQ(list(1)->isSelected(p), p != 1) << p;
}

using Modes = Selection;

TEST_F(Modes, DecideAndEnterAddOnlyInTheirOwnModeWithDirectionToThePocketComputer)
{
    // As a prefix "x/" matches both points, as a range it names the first.
    loadPoints(named({ "x/", "x/2" }));
    list(1)->selectAll();
    for (int state = 0; state < 8; ++state) {
        const int direction = state / 4, mode = state % 4;
        option(2, direction)->setChecked(true);
        option(1, mode)->setChecked(true);
        click(4);
        click(1);
        for (int entry : { 0, 1 }) {
            QLineEdit *box = text1(entry);
            box->setText(u"x/"_s);
            QSignalSpy returnPressed(box, &QLineEdit::returnPressed);
            QTest::keyClick(box, Qt::Key_Return);
            QTest::keyClick(box, Qt::Key_Enter, Qt::KeypadModifier);
            QTest::keyClick(box, 'y');
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, u"測"_s, {});
            QTest::keyClick(box, Qt::Key_Backspace);
            QTest::keyClick(box, Qt::Key_Left);
            QTest::keyClick(box, Qt::Key_Space);
            // Both Enter keys are swallowed; every other key arrives.
            EXPECT_EQ(box->text(), u"x/ y"_s) << state << entry;
            EXPECT_EQ(returnPressed.count(), 0) << state << entry;
        }
        const QList<int> added[] = { { 0, 1 }, {}, { 0, 0, 1, 1 }, { 0, 0 } };
        EXPECT_EQ(transferList(), linesOf(direction == 0 ? added[mode] : QList<int>())) << state;
    }
}

TEST_F(Modes, AllRefillsTheTransferListOnlyWithDirectionToThePocketComputer)
{
    preload(3);
    chooseMode(1);
    EXPECT_EQ(transferList(), QStringList());
    loadPoints(named({ "Z", "A", "M" }));
    preload(2);
    chooseMode(1); // chosen already: runs again
    EXPECT_EQ(transferList(), linesOf({ 1, 2, 0 }));
    // With the other direction it keeps the list.
    chooseDirection(1);
    chooseMode(0);
    chooseMode(1);
    EXPECT_EQ(transferList(), linesOf({ 1, 2, 0 }));
    EXPECT_TRUE(inMode(1));
}

TEST_F(Modes, PrefixAndRangeEmptyAndFocusTheirEntryInEitherDirectionEachTimeChosen)
{
    for (int direction : { 0, 1 }) {
        chooseDirection(direction);
        for (int mode : { 2, 3 }) {
            const int entry = mode - 2;
            for (int time : { 1, 2 }) {
                text1(0)->setText(u"keep"_s);
                text1(1)->setText(u"keep"_s);
                command(1)->setFocus();
                chooseMode(mode);
                EXPECT_EQ(text1(entry)->text(), QString()) << direction << mode << time;
                EXPECT_EQ(text1(1 - entry)->text(), u"keep"_s) << direction << mode << time;
                EXPECT_TRUE(text1(entry)->hasFocus()) << direction << mode << time;
            }
        }
    }
}

TEST_F(Modes, ArrowKeysAndTheDirectionRunTheHandlerOfTheButtonTheySelect)
{
    loadPoints(named({ "A", "B" }));
    option(1, 0)->setFocus();
    QTest::keyClick(option(1, 0), Qt::Key_Down);
    EXPECT_TRUE(inMode(1));
    EXPECT_EQ(transferList(), linesOf({ 0, 1 }));

    QTest::keyClick(option(1, 1), Qt::Key_Down);
    EXPECT_TRUE(inMode(2));
    EXPECT_TRUE(text1(0)->hasFocus());

    // The direction to the pocket computer chooses the first mode, also when
    // chosen already, and touches nothing else; the other keeps the mode.
    text1(0)->setText(u"1"_s);
    text1(1)->setText(u"1/1"_s);
    chooseDirection(0);
    EXPECT_TRUE(inMode(0));
    option(1, 3)->setChecked(true);
    option(2, 0)->setFocus();
    QTest::keyClick(option(2, 0), Qt::Key_Down);
    EXPECT_TRUE(option(2, 1)->isChecked());
    EXPECT_TRUE(inMode(3));
    QTest::keyClick(option(2, 1), Qt::Key_Up);
    EXPECT_TRUE(option(2, 0)->isChecked());
    EXPECT_TRUE(inMode(0));
    EXPECT_EQ(text1(0)->text(), u"1"_s);
    EXPECT_EQ(text1(1)->text(), u"1/1"_s);
    EXPECT_EQ(transferList(), linesOf({ 0, 1 }));
}

using Limit = Selection;

TEST_F(Limit, DecideHasNone)
{
    loadPoints(numbered(1200));
    list(1)->selectAll();
    click(1);
    ASSERT_EQ(list(2)->listCount(), 1200);
    EXPECT_EQ(list(2)->item(1199), listLine("P1199", "0", "0.0"));
}

TEST_F(Limit, AllAndTheEmptyPrefixTakeTheFirst999PointsInListOrder)
{
    for (int n : { 998, 999, 1000 }) {
        for (int mode : { 1, 2 }) {
            renew();
            loadPoints(numbered(n));
            chooseMode(mode);
            if (mode == 2)
                enter(0, QString());
            const int taken = std::min(n, 999);
            ASSERT_EQ(list(2)->listCount(), taken) << n << mode;
            EXPECT_EQ(list(2)->item(0), linesOf({ taken - 1 }).front()) << n << mode;
            EXPECT_EQ(list(2)->item(taken - 1), linesOf({ 0 }).front()) << n << mode;
        }
    }
}
TEST_F(Limit, PrefixAndRangeStopOnlyWhenTheListHoldsExactly999)
{
    // Points "A", "B", "A", "D": lines before, then what the entry adds.
    const struct
    {
        int mode;
        QString entry;
        int before;
        int added;
    } cases[] = {
        { 2, u""_s, 997, 2 }, // 999 after position 1: stops
        { 2, u"A"_s, 998, 1 }, // the first match makes 999
        { 2, u"A"_s, 999, 2 }, // the first matches, the list passes 999
        { 2, u"B"_s, 999, 0 }, // the first does not match: stops at once
        { 2, u""_s, 1000, 4 }, // over 999 from the start: never stops
        { 3, u"A/D"_s, 997, 2 },
        { 3, u"A/D"_s, 998, 1 },
        { 3, u"A/D"_s, 999, 4 }, // checked only after an addition
        { 3, u"A/D"_s, 1000, 4 },
    };
    for (const auto &c : cases) {
        renew();
        loadPoints(named({ "A", "B", "A", "D" }));
        preload(c.before);
        chooseMode(c.mode);
        enter(c.mode - 2, c.entry);
        EXPECT_EQ(list(2)->listCount(), c.before + c.added)
            << c.mode << " " << c.entry.toStdString() << " " << c.before;
    }
}

using PrefixMatching = Selection;

TEST_F(PrefixMatching, ComparesTheFirstCharactersExactly)
{
    // Positions:        0        1         2         3         4         5
    loadPoints(named({ u"1"_s, u"10"_s, u"1A"_s, u"01"_s, u" 1"_s, u"a1"_s,
        // 6       7         8           9            10       11
        u"A1"_s, u"Ａ1"_s, u"測点1"_s, u"測点12"_s, u"測"_s, u"𠮷野"_s, u""_s }));
    // Each entry, with the positions it adds in the transfer list's order.
    const std::pair<QString, QList<int>> cases[] = {
        { u""_s, { 12, 4, 3, 0, 1, 2, 5, 6, 10, 8, 9, 11, 7 } },
        { u"1"_s, { 0, 1, 2 } },
        { u" 1"_s, { 4 } },
        { u"1 "_s, {} },
        { u"A"_s, { 6 } },
        { u"Ａ"_s, { 7 } },
        { u"測点1"_s, { 8, 9 } },
        { u"測"_s, { 10, 8, 9 } },
        { u"𠮷"_s, { 11 } },
        { QString(QChar(0xD842)), {} }, // half of "𠮷" is not a character of it
        { u"10A"_s, {} },
    };
    for (const auto &[prefix, positions] : cases) {
        click(4);
        chooseMode(2);
        enter(0, prefix);
        EXPECT_EQ(transferList(), linesOf(positions)) << prefix.toStdString();
    }
}

using RangeEntries = Selection;

TEST_F(RangeEntries, AddThePointsBetweenTheTwoNamedPositions)
{
    // Positions:       0       1       2       3       4       5        6       7
    loadPoints(named({ u"1"_s, u"2"_s, u"3"_s, u"5"_s, u"7"_s, u"12"_s, u"5"_s, u"9"_s }));
    // An entry of the table from earlier that the list does not show.
    ASSERT_TRUE(table->store(8, { u"Y"_s, u"8"_s, u"0.8"_s }));
    // Each entry, with the positions it adds in the transfer list's order.
    const std::pair<QString, QList<int>> cases[] = {
        { u"5"_s, {} }, // no "/"
        { u"/5"_s, {} }, // nothing before the "/"
        { u""_s, {} }, { u"5/"_s, { 0, 1, 2, 3 } }, // B names no point: position 0
        { u"5/12"_s, { 5, 3, 4 } },
        { u"12/5"_s, { 5, 3, 4 } }, // the order of A and B does not matter
        { u"7/7"_s, { 4 } }, { u"X/12"_s, { 0, 5, 1, 2, 3, 4 } },
        { u"X/Y"_s, { 0 } }, // Y is not listed
        { u"9/5"_s, { 5, 3, 6, 4, 7 } }, // the first of the two points named 5
        { u"5/1/2"_s, { 0, 1, 2, 3 } }, // B is "1/2", which names no point
        { u" 5/7"_s, { 0, 1, 2, 3, 4 } }, // spaces count: " 5" names no point
    };
    for (const auto &[entry, positions] : cases) {
        click(4);
        chooseMode(3);
        enter(1, entry);
        EXPECT_EQ(transferList(), linesOf(positions)) << entry.toStdString();
    }
}

TEST_F(RangeEntries, AddNothingWhileTheSimaListIsEmpty)
{
    ASSERT_TRUE(table->store(0, { u"OLD"_s, u"1"_s, u"2"_s })); // from earlier, not listed
    chooseMode(3);
    enter(1, u"A/B"_s);
    EXPECT_EQ(transferList(), QStringList());
}

} // namespace
