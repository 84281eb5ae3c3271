#include "linelistmodel.h"
#include "testsupport.h"

#include <QAbstractItemModelTester>

#include <gtest/gtest.h>

#include <algorithm>

using namespace tavorin;
using namespace Qt::StringLiterals;

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
        // Latin-1 lines, kept a byte a character, sort among the others by
        // the same folded text: U+00C9 folds to U+00E9, and half-width
        // katakana (U+FF76) stand after both.
        { true, { u"\uFF76A"_s, u"\u00E92"_s, u"\u00C91"_s, "x", u"\uFF76a"_s },
            { "x", u"\u00C91"_s, u"\u00E92"_s, u"\uFF76A"_s, u"\uFF76a"_s }, { 0, 0, 0, 0, 4 } },
    };
    for (const auto &[sorted, added, listed, positions] : cases) {
        LineListModel model(sorted);
        QList<int> taken;
        for (const QString &line : added)
            taken << model.add(line);
        EXPECT_EQ(model.lines(), listed);
        EXPECT_EQ(taken, positions);
    }
}

TEST(LineList, KeepsEveryLineWholeAcrossItsBlocks)
{
    // Lines of both kinds, short and longer than a block of text, enough of
    // them to fill several blocks; the sorted list gets them out of order.
    QStringList added;
    for (int i = 0; i < 6000; ++i) {
        const QString n = QString::number((i * 7919) % 6000);
        added << (i % 3 == 0 ? u"\u57FA"_s + n : "P" + n + QString(i % 50, u'\u00E9'));
    }
    added << QString(40000, u'z') << QString(40000, u'\u57FA') << "last";
    for (bool sorted : { false, true }) {
        LineListModel model(sorted);
        model.addAll(added);
        QStringList expected = added;
        if (sorted)
            std::stable_sort(expected.begin(), expected.end(), &LineListModel::sortsBefore);
        ASSERT_EQ(model.lines(), expected) << sorted;
        EXPECT_EQ(model.data(model.index(6001)).toString(), expected[6001]);
        model.clear();
        model.add(u"\u00FF"_s);
        EXPECT_EQ(model.lines(), QStringList { u"\u00FF"_s });
    }
}

// The SIMA file list of 10,001 points takes a byte a character of the
// names, in blocks of 32 KiB, and 8 bytes a line. Refilled after clear(),
// with lines of both kinds, a list holds no more of the heap than it took
// for the same lines the first time: clearing frees the old text.
TEST(LineList, TenThousandNamesTakeTwoBlocksAndEightBytesALineAndClearingFreesThem)
{
    QStringList names, lines;
    for (int i = 0; i < 10001; ++i)
        names << "P" + QString::number(i);
    for (int i = 0; i < 20000; ++i)
        lines << test::listLine(
            (i % 2 ? u"基"_s : u"P"_s) + QString::number(i), "-1234.567", "890.12");
    const qint64 before = test::heapInUse();
    LineListModel model(false);
    model.addAll(names);
    const qint64 taken = test::heapInUse() - before;
    if (taken <= 0)
        GTEST_SKIP() << "no heap figures from this allocator";
    EXPECT_LE(taken, 2 * 32768 + 8 * 10001 + 1024);
    EXPECT_EQ(model.item(10000), "P10000");
    model.clear();
    model.addAll(lines);
    const qint64 filled = test::heapInUse() - before;
    for (int i = 0; i < 3; ++i) {
        model.clear();
        model.addAll(lines);
    }
    EXPECT_LT(test::heapInUse() - before, filled + 16384) << filled;
}

// Qt's own checks of what a model announces and answers, while lines are
// added one by one and in bulk, sorted into place and cleared.
TEST(LineList, KeepsQtsModelContract)
{
    static QStringList complaints;
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext &context, const QString &text) {
            if (QByteArrayView(context.category) == "qt.modeltest")
                complaints << text;
        });
    for (const bool sorted : { false, true }) {
        LineListModel model(sorted);
        QAbstractItemModelTester tester(
            &model, QAbstractItemModelTester::FailureReportingMode::Warning);
        model.add(u"b"_s);
        model.addAll({ "d", u"基"_s, "a", "c" });
        model.add(u"b"_s);
        model.clear();
        model.clear();
        model.addAll({ "z" });
    }
    qInstallMessageHandler(previous);
    EXPECT_EQ(complaints, QStringList());
}

} // namespace
