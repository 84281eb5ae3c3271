#include "characters.h"
#include "failure.h"
#include "listline.h"
#include "pointtable.h"

#include <QStringList>

#include <gtest/gtest.h>

using namespace tavorin;
using namespace Qt::StringLiterals;

namespace {

QString spaces(int n)
{
    return QString(n, u' ');
}

TEST(Characters, CountsAndCutsByCharacterAndNeverSplitsAPair)
{
    // U+20BB7 (𠮷), a character outside the BMP: two UTF-16 units, one character.
    const QString yoshi = QString::fromUcs4(U"\U00020BB7");
    const QString text = "a" + yoshi + "bc";
    EXPECT_EQ(characters::count(text), 4);
    EXPECT_EQ(characters::left(text, 2), "a" + yoshi);
    EXPECT_EQ(characters::left(text, 1), "a");
    EXPECT_EQ(characters::right(text, 3), yoshi + "bc");
    EXPECT_EQ(characters::mid(text, 2, 2), yoshi + "b");
    EXPECT_EQ(characters::mid(text, 3, 10), "bc");
    // Out of range: what the text holds.
    EXPECT_EQ(characters::left(text, 10), text);
    EXPECT_EQ(characters::left(text, 0), "");
    EXPECT_EQ(characters::right(text, 10), text);
    EXPECT_EQ(characters::mid(text, 5, 2), "");
    EXPECT_EQ(characters::mid(text, 0, 2), "");
}

TEST(ListLine, FormsTheThreeColumns)
{
    const std::pair<PointRecord, QString> cases[] = {
        { { "A1", "-123.456", "98.7" }, "A1" + spaces(11) + "-123.456" + spaces(9) + "98.7" },
        { {}, spaces(34) },
        { { "ABCDEFGH", "-1234567.8901", "1234567.89012" }, "ABCDEFGH-1234567.89011234567.89012" },
        // Eight Japanese characters fill the name column.
        { { u"基準点基準点基準"_s, "1.0", "2.0" },
            u"基準点基準点基準"_s + spaces(10) + "1.0" + spaces(10) + "2.0" },
        // A longer name keeps its first 8, a longer coordinate its last 13.
        { { "ABCDEFGHIJ", "12345678901234567", "-0.5" },
            "ABCDEFGH5678901234567" + spaces(9) + "-0.5" },
    };
    for (const auto &[record, line] : cases)
        EXPECT_EQ(ListLine::form(record), line);
}

TEST(ListLine, TakeApartGivesTheColumnsUntrimmedAndWhatAShortLineHolds)
{
    const auto columns = [](const QString &line) {
        const ListLine::Columns c = ListLine::takeApart(line);
        return QStringList { c.name, c.x, c.y };
    };
    EXPECT_EQ(columns(ListLine::form({ u"基準点1"_s, "12345.000", "-67890.500" })),
        QStringList({ u"基準点1    "_s, "    12345.000", "   -67890.500" }));
    EXPECT_EQ(columns("P1        12"), QStringList({ "P1      ", "  12", "" }));
}

TEST(PointTableBounds, PositionsZeroTo10000AreTheTable)
{
    PointTable table;
    EXPECT_TRUE(table.store(10000, { "LAST", "1", "2" }));
    EXPECT_EQ(table.at(10000).name, "LAST");
    EXPECT_EQ(table.at(9999), PointRecord {});
    for (int outside : { -1, 10001, 32767 }) {
        EXPECT_FALSE(PointTable::holds(outside));
        EXPECT_EQ(table.store(outside, { "X", {}, {} }).failure(), 9) << outside;
        EXPECT_EQ(table.at(outside), PointRecord {}) << outside;
    }
}

TEST(PointTableLoad, OverwritesFromTheStartAndKeepsTheEntriesAbove)
{
    const auto points = [](int count, const QString &prefix) {
        QList<PointRecord> records;
        for (int i = 0; i < count; ++i)
            records.append({ prefix + QString::number(i), "1", "2" });
        return records;
    };
    // Entries stored before, the load, its failure, the names at 0..5.
    const std::tuple<int, int, int, QStringList> cases[] = {
        { 0, 3, 0, { "N0", "N1", "N2", "", "", "" } },
        { 5, 2, 0, { "N0", "N1", "O2", "O3", "O4", "" } },
        { 2, 4, 0, { "N0", "N1", "N2", "N3", "", "" } },
        { 3, 0, 0, { "O0", "O1", "O2", "", "", "" } },
    };
    for (const auto &[before, loaded, failure, names] : cases) {
        PointTable table;
        for (int i = 0; i < before; ++i)
            ASSERT_TRUE(table.store(i, { "O" + QString::number(i), "3", "4" }));
        EXPECT_EQ(table.storeFromStart(points(loaded, "N")).failure(), failure);
        QStringList got;
        for (int i = 0; i < 6; ++i)
            got << table.at(i).name;
        EXPECT_EQ(got, names) << before << " " << loaded;
    }

    PointTable full;
    EXPECT_EQ(full.storeFromStart(points(PointTable::Size + 1, "P")).failure(), 9);
    EXPECT_EQ(full.at(10000), (PointRecord { "P10000", "1", "2" }));
    EXPECT_EQ(full.at(10001), PointRecord {});
}

} // namespace
