#include "linelistmodel.h"

#include <gtest/gtest.h>

using namespace tavorin;

namespace {

QStringList addAll(LineListModel &model, const QStringList &lines)
{
    for (const QString &line : lines)
        model.add(line);
    return model.lines();
}

TEST(SortedLines, AscendingIgnoringCase)
{
    LineListModel model(true);
    EXPECT_EQ(addAll(model, { "b2", "A1", "a2", "B1" }), QStringList({ "A1", "a2", "B1", "b2" }));
}

TEST(SortedLines, ComparesTheCaseFoldedText)
{
    // Folded to lower case, '[' (0x5B) and '_' (0x5F) stand before the
    // letters; folded to upper case they would stand after them.
    LineListModel model(true);
    EXPECT_EQ(addAll(model, { "b", "_", "A", "[" }), QStringList({ "[", "_", "A", "b" }));
}

TEST(SortedLines, AnEqualLineGoesAfterTheLinesEqualToIt)
{
    LineListModel model(true);
    EXPECT_EQ(addAll(model, { "abc", "ABC", "Abc", "abd", "abc" }),
        QStringList({ "abc", "ABC", "Abc", "abc", "abd" }));
    EXPECT_EQ(model.count(), 5);
}

TEST(SortedLines, SpacesSortBeforeDigitsAndLetters)
{
    LineListModel model(true);
    EXPECT_EQ(addAll(model, { "A10     ", "A1      ", "A1A     ", " A2     " }),
        QStringList({ " A2     ", "A1      ", "A10     ", "A1A     " }));
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
    EXPECT_EQ(addAll(model, { "b", "a", "b" }), QStringList({ "b", "a", "b" }));
    model.clear();
    EXPECT_EQ(model.count(), 0);
    EXPECT_EQ(model.rowCount(), 0);
}

} // namespace
