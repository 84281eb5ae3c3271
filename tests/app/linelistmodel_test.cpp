#include "linelistmodel.h"
#include "testsupport.h"

#include <gtest/gtest.h>

using namespace tavorin;

namespace {

TEST(LineList, SortedAscendingByTheLowerCaseTextEqualLinesAfterTheirEquals)
{
    // Sorted or not, the lines added, the lines listed, the position each took.
    const std::tuple<bool, QStringList, QStringList, QList<int>> cases[] = {
        { true, { "b2", "A1", "a2", "B1" }, { "A1", "a2", "B1", "b2" }, { 0, 0, 1, 2 } },
        // Folded to lower case, '[' (0x5B) and '_' (0x5F) stand before the
        // letters; folded to upper case they would stand after them.
        { true, { "b", "_", "A", "[" }, { "[", "_", "A", "b" }, { 0, 0, 1, 0 } },
        { true, { "abc", "ABC", "Abc", "abd", "abc" }, { "abc", "ABC", "Abc", "abc", "abd" },
            { 0, 1, 2, 3, 3 } },
        { true, { "A10     ", "A1      ", "A1A     ", " A2     " },
            { " A2     ", "A1      ", "A10     ", "A1A     " }, { 0, 0, 2, 0 } },
        { false, { "b", "a", "b" }, { "b", "a", "b" }, { 0, 1, 2 } },
    };
    for (const auto &[sorted, added, listed, positions] : cases) {
        LineListModel model(sorted);
        QList<int> taken;
        for (const QString &line : added)
            taken << model.add(line);
        EXPECT_EQ(model.lines(), listed);
        EXPECT_EQ(taken, positions);
        model.clear();
        EXPECT_EQ(model.rowCount(), 0);
    }
}

} // namespace
