#include "pointtable.h"
#include "testsupport.h"

#include <gtest/gtest.h>

using namespace tavorin;
using namespace Qt::StringLiterals;

namespace tavorin {

void PrintTo(const PointRecord &record, std::ostream *out)
{
    *out << '{' << record.name.toStdString() << ", " << record.x.toStdString() << ", "
         << record.y.toStdString() << '}';
}

} // namespace tavorin

namespace {

// Records of every kind the table keeps its own way: ASCII and Latin-1 (a
// byte a character), kana, kanji and a character outside the BMP (UTF-16),
// empty fields, and fields longer than 255 units, which are kept whole.
QList<PointRecord> mixedRecords()
{
    const QString yoshi = QString::fromUcs4(U"\U00020BB7");
    return {
        { "P1", "-23795.960", "-32832.251" },
        { u"\u00C9t\u00E9\u00FF"_s, "1", "2" },
        { u"基準点1"_s, "12345.000", "-67890.500" },
        { u"ｷｼﾞｭﾝ"_s, {}, {} },
        { {}, {}, {} },
        { yoshi + "A", "0.1", "0.2" },
        { "LONG", QString(300, u'9'), "3" },
        { "Q", "-1.5", QString(256, u'\u57FA') },
        { "P2", "4", "5" },
    };
}

// Records of every kind given back as loaded, and after every entry has
// been overwritten many times, in turn, with records of every kind; a load
// shorter than the table overwrites the lowest ones.
TEST(PointTableTexts, GivesBackEveryRecordAsStoredHoweverOftenOverwritten)
{
    const QList<PointRecord> kinds = mixedRecords();
    PointTable loaded;
    ASSERT_TRUE(loaded.storeFromStart(kinds));
    for (int i = 0; i < kinds.size(); ++i) {
        EXPECT_EQ(loaded.at(i), kinds[i]) << i;
        EXPECT_EQ(loaded.name(i), kinds[i].name) << i;
    }
    EXPECT_EQ(loaded.at(int(kinds.size())), PointRecord {});
    EXPECT_EQ(loaded.name(-1), QString());

    PointTable table;
    QList<PointRecord> expected(50);
    for (int round = 0; round < 40; ++round) {
        for (int p = 0; p < expected.size(); ++p) {
            PointRecord record = kinds[(p + round) % kinds.size()];
            record.name += QString::number(round);
            ASSERT_TRUE(table.store(p, record));
            expected[p] = record;
        }
    }
    const QList<PointRecord> load = { { "N0", "1", "2" }, { u"点"_s, "3", "4" } };
    ASSERT_TRUE(table.storeFromStart(load));
    expected[0] = load[0];
    expected[1] = load[1];
    for (int p = 0; p < expected.size(); ++p)
        EXPECT_EQ(table.at(p), expected[p]) << p;
}

// A full table of ASCII points takes a byte a character and 8 bytes an
// entry, give or take the page its text is rounded up to: about 330 KB,
// where 30,003 strings of their own took about 2 MB.
TEST(PointTableTexts, AFullTableOfAsciiPointsTakesAByteACharacter)
{
    QList<PointRecord> records;
    qint64 characters = 0;
    for (int i = 0; i < PointTable::Size; ++i) {
        records.append({ "P" + QString::number(i), "-23795.960", "-32832.251" });
        characters += records.back().name.size() + 20;
    }
    const qint64 before = test::heapInUse();
    PointTable table;
    ASSERT_TRUE(table.storeFromStart(records));
    const qint64 taken = test::heapInUse() - before;
    if (taken <= 0)
        GTEST_SKIP() << "no heap figures from this allocator";
    EXPECT_LE(taken, characters + 8 * PointTable::Size + 4096) << characters;
    EXPECT_EQ(table.at(10000), (PointRecord { "P10000", "-23795.960", "-32832.251" }));
}

} // namespace
