#include "selection.h"

#include "characters.h"
#include "pointtable.h"

#include <algorithm>

namespace tavorin::selection {

namespace {

// The SIMA reader never lists more points than the table holds, so this
// changes nothing for a list it filled; it keeps a longer list from walking
// off the end of the table.
int pointsListed(int listCount)
{
    return std::clamp(listCount, 0, PointTable::Size);
}

} // namespace

std::optional<RangeEntry> parseRangeEntry(const QString &entry)
{
    const qsizetype slash = entry.indexOf(u'/');
    if (slash <= 0)
        return std::nullopt;
    return RangeEntry { entry.left(slash), entry.mid(slash + 1) };
}

bool nameBeginsWith(const QString &name, const QString &prefix)
{
    // Cut by characters, so that a surrogate pair in the name is compared
    // whole; a name shorter than the prefix comes back whole and differs.
    return characters::left(name, characters::count(prefix)) == prefix;
}

int lowestPositionOf(const PointTable &table, int listCount, const QString &name)
{
    const int n = pointsListed(listCount);
    for (int p = 0; p < n; ++p) {
        if (table.name(p) == name)
            return p;
    }
    return 0;
}

void addPicked(int listCount, const IsPicked &isPicked, const AddPoint &add)
{
    const int n = pointsListed(listCount);
    for (int p = 0; p < n; ++p) {
        if (isPicked(p))
            add(p);
    }
}

void addAll(int listCount, const AddPoint &add)
{
    const int n = pointsListed(listCount);
    for (int p = 0; p < n; ++p) {
        add(p);
        if (p == TransferListLimit - 1)
            return;
    }
}

void addByPrefix(const PointTable &table, int listCount, const QString &prefix, const AddPoint &add,
    const LineCount &lineCount)
{
    const int n = pointsListed(listCount);
    for (int p = 0; p < n; ++p) {
        if (nameBeginsWith(table.name(p), prefix))
            add(p);
        // Equality on purpose: a list that already holds more lines than the
        // limit does not stop the selection.
        if (lineCount() == TransferListLimit)
            return;
    }
}

void addRange(const PointTable &table, int listCount, const QString &entry, const AddPoint &add,
    const LineCount &lineCount)
{
    const std::optional<RangeEntry> range = parseRangeEntry(entry);
    const int n = pointsListed(listCount);
    if (!range || n == 0)
        return;
    const int a = lowestPositionOf(table, n, range->from);
    const int b = lowestPositionOf(table, n, range->to);
    for (int p = std::min(a, b); p <= std::max(a, b); ++p) {
        add(p);
        if (lineCount() == TransferListLimit)
            return;
    }
}

} // namespace tavorin::selection
