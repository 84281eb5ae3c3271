#include "failure.h"
#include "listline.h"
#include "pointtable.h"

#include <gtest/gtest.h>

using namespace tavorin;

namespace {

QString spaces(int n)
{
    return QString(n, u' ');
}

struct LineCase
{
    const char *what;
    PointRecord record;
    QString line;
};

void PrintTo(const LineCase &c, std::ostream *os)
{
    *os << c.what;
}

class ListLineForm : public ::testing::TestWithParam<LineCase>
{
};

TEST_P(ListLineForm, FormsTheThreeColumns)
{
    const LineCase &c = GetParam();
    const QString line = ListLine::form(c.record);
    EXPECT_EQ(line, c.line) << c.what;
    EXPECT_EQ(line.size(), 34) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Widths, ListLineForm,
    ::testing::Values(
        LineCase { "the worked point A1",
            { QStringLiteral("A1"), QStringLiteral("-123.456"), QStringLiteral("98.7") },
            QStringLiteral("A1") + spaces(6) + spaces(5) + QStringLiteral("-123.456") + spaces(9)
                + QStringLiteral("98.7") },
        LineCase { "empty fields", {}, spaces(34) },
        LineCase { "name of exactly 8 and coordinates of exactly 13",
            { QStringLiteral("ABCDEFGH"), QStringLiteral("-1234567.8901"),
                QStringLiteral("1234567.89012") },
            QStringLiteral("ABCDEFGH-1234567.89011234567.89012") },
        LineCase { "eight Japanese characters fill the name column",
            { QStringLiteral("基準点基準点基準"), QStringLiteral("1.0"), QStringLiteral("2.0") },
            QStringLiteral("基準点基準点基準") + spaces(10) + QStringLiteral("1.0") + spaces(10)
                + QStringLiteral("2.0") },
        LineCase { "a longer name keeps its first 8, a longer coordinate its last 13",
            { QStringLiteral("ABCDEFGHIJ"), QStringLiteral("12345678901234567"),
                QStringLiteral("-0.5") },
            QStringLiteral("ABCDEFGH") + QStringLiteral("5678901234567") + spaces(9)
                + QStringLiteral("-0.5") }));

TEST(ListLineTakeApart, GivesTheColumnsUntrimmedAndWhatAShortLineHolds)
{
    const QString line = ListLine::form(
        { QStringLiteral("基準点1"), QStringLiteral("12345.000"), QStringLiteral("-67890.500") });
    const ListLine::Columns columns = ListLine::takeApart(line);
    EXPECT_EQ(columns.name, QStringLiteral("基準点1") + spaces(4));
    EXPECT_EQ(columns.x, spaces(4) + QStringLiteral("12345.000"));
    EXPECT_EQ(columns.y, spaces(3) + QStringLiteral("-67890.500"));
    // A short line gives what it holds.
    const ListLine::Columns shortOne = ListLine::takeApart(QStringLiteral("P1        12"));
    EXPECT_EQ(shortOne.name, QStringLiteral("P1      "));
    EXPECT_EQ(shortOne.x, QStringLiteral("  12"));
    EXPECT_EQ(shortOne.y, QString());
}

TEST(PointTableBounds, PositionsZeroTo10000AreTheTable)
{
    PointTable table;
    EXPECT_EQ(table.at(0), PointRecord {});
    EXPECT_TRUE(
        table.store(10000, { QStringLiteral("LAST"), QStringLiteral("1"), QStringLiteral("2") }));
    EXPECT_EQ(table.at(10000).name, QStringLiteral("LAST"));
    EXPECT_EQ(table.at(9999), PointRecord {});

    for (int outside : { -1, 10001, 32767 }) {
        EXPECT_FALSE(PointTable::holds(outside));
        EXPECT_EQ(table.store(outside, { QStringLiteral("X"), {}, {} }).failure(), 9) << outside;
        EXPECT_EQ(table.at(outside), PointRecord {}) << outside;
    }
}

} // namespace
