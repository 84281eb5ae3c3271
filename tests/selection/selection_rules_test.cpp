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
    // Only reachable if the SIMA file list were ever longer than the table;
    // the rules then stop at the last entry instead of failing.
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
