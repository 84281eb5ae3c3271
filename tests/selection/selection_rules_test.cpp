// The selection rules where the window cannot reach them.
#include "pointtable.h"
#include "selection.h"

#include <gtest/gtest.h>

#include <vector>

using namespace tavorin;
using namespace tavorin::selection;
using namespace Qt::StringLiterals;

namespace {

TEST(Rules, ALongerListThanTheTableStopsAtItsEnd)
{
    // Were the SIMA file list ever longer than the table, the rules would
    // stop at its last entry instead of reading past it.
    PointTable table;
    std::vector<int> added;
    const AddPoint add = [&](int p) { added.push_back(p); };
    addPicked(
        PointTable::Size + 5, [](int) { return true; }, add);
    EXPECT_EQ(added.size(), std::size_t(PointTable::Size));
    added.clear();
    addRange(table, PointTable::Size + 5, u"X/Y"_s, add, [&] { return int(added.size()); });
    EXPECT_EQ(added, (std::vector<int> { 0 }));
}

} // namespace
