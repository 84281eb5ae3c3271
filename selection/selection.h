#pragma once

#include <QString>

#include <functional>
#include <optional>

namespace tavorin {
class PointTable;
}

// The rules by which points of the SIMA file list reach the transfer list.
// They know no widgets: the window hands them the point table, the number of
// points its SIMA file list shows, a step that adds the point at a position to
// the transfer list, and a way to count the transfer list's lines.
//
// Positions are those of the SIMA file list, which are also those of the
// point table. Every rule walks them in ascending order; a limit therefore
// decides which points are taken, while the transfer list puts each line at
// its own sorted place.
namespace tavorin::selection {

// The most lines that the modes "全部", "部分ALL" and "何から何　　A/B" fill the
// transfer list to; hand-picked points have no limit.
inline constexpr int TransferListLimit = 999;

// Adds the point at a list position to the transfer list.
using AddPoint = std::function<void(int position)>;
// The number of lines the transfer list holds now.
using LineCount = std::function<int()>;
// Whether the user picked the point at a list position.
using IsPicked = std::function<bool(int position)>;

// The two names of a range entry "A/B": A is everything before the first
// "/" and is never empty; B is everything after it, possibly empty or with
// further "/" characters.
struct RangeEntry
{
    QString from;
    QString to;

    friend bool operator==(const RangeEntry &, const RangeEntry &) = default;
};

// The names of a range entry, or nothing when it has no "/" or nothing
// before its first "/". The text is taken whole, spaces included.
std::optional<RangeEntry> parseRangeEntry(const QString &entry);

// True when the first k characters of name equal prefix, k being the
// prefix's length in characters: exact, with case, width and spaces
// significant. A name shorter than the prefix never matches; an empty prefix
// matches every name.
bool nameBeginsWith(const QString &name, const QString &prefix);

// The lowest position below listCount whose point is named exactly name, or
// 0 when no point has that name.
int lowestPositionOf(const PointTable &table, int listCount, const QString &name);

// "決定": adds every picked point, in ascending position, with no limit.
void addPicked(int listCount, const IsPicked &isPicked, const AddPoint &add);

// "全部" (on a transfer list the caller has just emptied): adds the points
// from position 0 upwards and stops after position 998, so at most 999.
void addAll(int listCount, const AddPoint &add);

// "部分ALL": adds every point whose name begins with prefix, stopping when
// the transfer list holds exactly TransferListLimit lines after a position
// has been looked at. A list already longer than that does not stop it.
void addByPrefix(const PointTable &table, int listCount, const QString &prefix, const AddPoint &add,
    const LineCount &lineCount);

// "何から何　　A/B": adds the points from the lower to the higher of the
// positions named by A and B (a name no point has stands for position 0),
// stopping when the transfer list holds exactly TransferListLimit lines after
// an addition. An entry without a usable "/" adds nothing, and so does an
// empty SIMA file list, which has no point to start from.
void addRange(const PointTable &table, int listCount, const QString &entry, const AddPoint &add,
    const LineCount &lineCount);

} // namespace tavorin::selection
