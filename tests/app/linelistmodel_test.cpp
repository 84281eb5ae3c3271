#include "linelistmodel.h"
#include "testsupport.h"

#include <gtest/gtest.h>

using namespace tavorin;

namespace {

TEST(SortedLines, AscendingByTheLowerCaseTextEqualLinesAfterTheirEquals)
{
    const struct
    {
        QStringList added;
        QStringList listed;
    } cases[] = {
        { { "b2", "A1", "a2", "B1" }, { "A1", "a2", "B1", "b2" } },
        // Folded to lower case, '[' (0x5B) and '_' (0x5F) stand before the
        // letters; folded to upper case they would stand after them.
        { { "b", "_", "A", "[" }, { "[", "_", "A", "b" } },
        { { "abc", "ABC", "Abc", "abd", "abc" }, { "abc", "ABC", "Abc", "abc", "abd" } },
        { { "A10     ", "A1      ", "A1A     ", " A2     " },
            { " A2     ", "A1      ", "A10     ", "A1A     " } },
    };
    for (const auto &c : cases) {
        LineListModel model(true);
        for (const QString &line : c.added)
            model.add(line);
        EXPECT_EQ(model.lines(), c.listed);
    }
}

TEST(SortedLines, AddReturnsThePositionTaken)
{
    LineListModel model(true);
    EXPECT_EQ(model.add("m"), 0);
    EXPECT_EQ(model.add("z"), 1);
    EXPECT_EQ(model.add("a"), 0);
    EXPECT_EQ(model.add("M"), 2);
    EXPECT_EQ(model.item(2), "M");
}

TEST(UnsortedLines, KeepTheOrderAddedAndClear)
{
    LineListModel model(false);
    for (const char *line : { "b", "a", "b" })
        model.add(line);
    EXPECT_EQ(model.lines(), QStringList({ "b", "a", "b" }));
    model.clear();
    EXPECT_EQ(model.count(), 0);
    EXPECT_EQ(model.rowCount(), 0);
}

} // namespace
