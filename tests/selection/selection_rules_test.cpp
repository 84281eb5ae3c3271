// The selection rules on their own, with a plain list of positions standing
// for the transfer list.
#include "pointtable.h"
#include "selection.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <vector>

using namespace tavorin;
using namespace tavorin::selection;
using namespace Qt::StringLiterals;

namespace {

TEST(RangeEntry, SplitsAtTheFirstSlashAndNeedsAName)
{
    const struct
    {
        QString entry;
        std::optional<RangeEntry> expected;
    } cases[] = {
        { u""_s, std::nullopt },
        { u"5"_s, std::nullopt },
        { u"/5"_s, std::nullopt },
        { u"/"_s, std::nullopt },
        { u"5/"_s, RangeEntry { u"5"_s, u""_s } },
        { u"12/5"_s, RangeEntry { u"12"_s, u"5"_s } },
        { u"a/b/c"_s, RangeEntry { u"a"_s, u"b/c"_s } },
        { u" A / B "_s, RangeEntry { u" A "_s, u" B "_s } },
        { u"測点1/測点2"_s, RangeEntry { u"測点1"_s, u"測点2"_s } },
    };
    for (const auto &c : cases)
        EXPECT_EQ(parseRangeEntry(c.entry), c.expected) << c.entry.toStdString();
}

TEST(NamePrefix, CountsCharactersNotCodeUnits)
{
    // "𠮷" is one character made of two UTF-16 units.
    EXPECT_TRUE(nameBeginsWith(u"𠮷野"_s, u"𠮷"_s));
    EXPECT_TRUE(nameBeginsWith(u"𠮷野"_s, u"𠮷野"_s));
    EXPECT_FALSE(nameBeginsWith(u"𠮷"_s, u"𠮷野"_s));
    // Half a pair is not the character.
    EXPECT_FALSE(nameBeginsWith(u"𠮷野"_s, QString(QChar(0xD842))));
    EXPECT_FALSE(nameBeginsWith(u"1"_s, u"10"_s));
    EXPECT_TRUE(nameBeginsWith(u""_s, u""_s));
}

class Rules : public ::testing::Test
{
protected:
    void load(const QStringList &names)
    {
        for (int p = 0; p < names.size(); ++p)
            table.store(p, { names[p], {}, {} });
        listCount = int(names.size());
    }
    AddPoint add()
    {
        return [this](int p) { added.push_back(p); };
    }
    LineCount count()
    {
        return [this] { return int(added.size()); };
    }

    PointTable table;
    int listCount = 0;
    std::vector<int> added;
};

TEST_F(Rules, LowestPositionOfIsTheFirstExactMatchOrZero)
{
    load({ u"A"_s, u"B"_s, u"a"_s, u"B"_s });
    EXPECT_EQ(lowestPositionOf(table, listCount, u"B"_s), 1);
    EXPECT_EQ(lowestPositionOf(table, listCount, u"a"_s), 2);
    EXPECT_EQ(lowestPositionOf(table, listCount, u"C"_s), 0);
    // Only the listed points count, not stale entries above them.
    table.store(4, { u"C"_s, {}, {} });
    EXPECT_EQ(lowestPositionOf(table, listCount, u"C"_s), 0);
}

TEST_F(Rules, ALongerListThanTheTableStopsAtItsEnd)
{
    // Only reachable if the SIMA file list were ever longer than the table;
    // the rules then stop at the last entry instead of failing.
    addPicked(
        PointTable::Size + 5, [](int) { return true; }, add());
    EXPECT_EQ(added.size(), std::size_t(PointTable::Size));
    added.clear();
    addRange(table, PointTable::Size + 5, u"X/Y"_s, add(), count());
    EXPECT_EQ(added, (std::vector<int> { 0 }));
}

} // namespace
