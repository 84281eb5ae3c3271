// The selection rules, handed a point table and steps that record the
// positions added, in the order added; the window sorts them afterwards.
#include "pointtable.h"
#include "selection.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

using namespace tavorin;
using namespace tavorin::selection;
using namespace Qt::StringLiterals;

namespace {

using Rule = decltype(&addRange);
using Positions = std::vector<int>;

Positions upTo(int n)
{
    Positions positions(std::size_t(n), 0);
    std::iota(positions.begin(), positions.end(), 0);
    return positions;
}

class Rules : public ::testing::Test
{
protected:
    // Stores the named points from position 0 and returns how many.
    int load(const QStringList &names)
    {
        for (int p = 0; p < names.size(); ++p)
            EXPECT_TRUE(table.store(p, { names[p], u"0"_s, u"0"_s }));
        return int(names.size());
    }
    // What the rule adds for the entry to a transfer list of `before` lines.
    Positions run(Rule rule, int listCount, const QString &entry, int before = 0)
    {
        Positions added;
        rule(
            table, listCount, entry, [&](int p) { added.push_back(p); },
            [&] { return before + int(added.size()); });
        return added;
    }
    PointTable table;
};

TEST_F(Rules, AllAndTheEmptyPrefixTakeTheFirst999PickedPointsHaveNoLimit)
{
    for (int n : { 998, 999, 1000 }) {
        Positions all;
        addAll(n, [&](int p) { all.push_back(p); });
        EXPECT_EQ(all, upTo(std::min(n, 999))) << n;
        EXPECT_EQ(run(addByPrefix, n, u""_s), upTo(std::min(n, 999))) << n; // all names empty
    }
    // Were the SIMA file list ever longer than the table, the rules would
    // stop at its last entry instead of reading past it.
    Positions picked;
    addPicked(
        PointTable::Size + 5, [](int) { return true; }, [&](int p) { picked.push_back(p); });
    EXPECT_EQ(picked, upTo(PointTable::Size));
    EXPECT_EQ(run(addRange, PointTable::Size + 5, u"X/Y"_s), Positions { 0 });
}

TEST_F(Rules, PrefixAndRangeStopOnlyWhenTheListHoldsExactly999)
{
    // The prefix stops when a position looked at leaves exactly 999 lines, the
    // range only after an addition; a list over 999 from the start never stops.
    const int n = load({ u"A"_s, u"B"_s, u"A"_s, u"D"_s });
    const std::tuple<Rule, QString, int, Positions> cases[]
        = { { addByPrefix, u""_s, 997, { 0, 1 } }, { addByPrefix, u"A"_s, 998, { 0 } },
              { addByPrefix, u"A"_s, 999, { 0, 2 } }, { addByPrefix, u"B"_s, 999, {} },
              { addByPrefix, u""_s, 1000, upTo(4) }, { addRange, u"A/D"_s, 997, { 0, 1 } },
              { addRange, u"A/D"_s, 998, { 0 } }, { addRange, u"A/D"_s, 999, upTo(4) },
              { addRange, u"A/D"_s, 1000, upTo(4) } };
    for (const auto &[rule, entry, before, added] : cases)
        EXPECT_EQ(run(rule, n, entry, before), added) << entry.toStdString() << " " << before;
}

TEST_F(Rules, PrefixComparesTheFirstCharactersExactly)
{
    const int n = load({ u"1"_s, u"10"_s, u"1A"_s, u"01"_s, u" 1"_s, u"a1"_s, u"A1"_s, u"Ａ1"_s,
        u"測点1"_s, u"測点12"_s, u"測"_s, u"𠮷野"_s, u""_s });
    const std::pair<QString, Positions> cases[] = { { u""_s, upTo(13) }, { u"1"_s, { 0, 1, 2 } },
        { u" 1"_s, { 4 } }, { u"1 "_s, {} }, { u"A"_s, { 6 } }, { u"Ａ"_s, { 7 } },
        { u"測点1"_s, { 8, 9 } }, { u"測"_s, { 8, 9, 10 } }, { u"𠮷"_s, { 11 } },
        { QString(QChar(0xD842)), {} }, // half of "𠮷" is not a character of it
        { u"10A"_s, {} } };
    for (const auto &[prefix, positions] : cases)
        EXPECT_EQ(run(addByPrefix, n, prefix), positions) << prefix.toStdString();
}

TEST_F(Rules, RangeAddsThePositionsBetweenTheTwoNamedOnes)
{
    const int n = load({ u"1"_s, u"2"_s, u"3"_s, u"5"_s, u"7"_s, u"12"_s, u"5"_s, u"9"_s });
    ASSERT_TRUE(table.store(n, { u"Y"_s, u"8"_s, u"0.8"_s })); // from earlier, not listed
    // A name no point has stands for position 0, and so does the unlisted
    // "Y"; of the two points named "5" the first counts; spaces count.
    const std::pair<QString, Positions> cases[] = { { u"5"_s, {} }, { u"/5"_s, {} }, { u""_s, {} },
        { u"5/"_s, upTo(4) }, { u"5/12"_s, { 3, 4, 5 } }, { u"12/5"_s, { 3, 4, 5 } },
        { u"7/7"_s, { 4 } }, { u"X/12"_s, upTo(6) }, { u"X/Y"_s, { 0 } },
        { u"9/5"_s, { 3, 4, 5, 6, 7 } }, { u"5/1/2"_s, upTo(4) }, { u" 5/7"_s, upTo(5) } };
    for (const auto &[entry, positions] : cases)
        EXPECT_EQ(run(addRange, n, entry), positions) << entry.toStdString();
    EXPECT_EQ(run(addRange, 0, u"1/2"_s), Positions()); // an empty list has no position 0
}

} // namespace
