#include "dxffile.h"
#include "testsupport.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tavorin;
using namespace Qt::StringLiterals;

namespace {

const QString DataDir = QStringLiteral(TAVORIN_TEST_DATA_DIR "/exports");

// Two points with names in kanji and half-width katakana, one without
// numeric coordinates (left out), one without a name (no TEXT).
const QList<PointRecord> SmallExample = {
    { u"引照1"_s, "-35120.412", "18240.355" },
    { u"ﾃﾞｰﾀ点"_s, "-35076.583", "18231.1" },
    { u"座標なし"_s, "", "1.0" },
    { QString(), "0", "-0.25" },
};

TEST(Dxf, WritesTheSmallExampleAsTheCommittedFile)
{
    EXPECT_EQ(dxf::fileBytes(SmallExample), test::fileBytes(DataDir + "/small.dxf"));
}

TEST(Dxf, EzdxfReadsBackEveryPointAndName)
{
    const QList<PointRecord> points = {
        { u"引照1"_s, "-35120.412", "18240.355" },
        { u"ﾃﾞｰﾀ点"_s, " +1.5e3 ", "-2" },
        // Outside code page 932: U+20BB7 as '?', U+301C as its twin 81 60.
        { u"𠮷〜"_s, "10", "20" },
        { u"A\r\nB"_s, "0.001", "123456789.125" },
        { u"全角なし"_s, "x", "1" },
    };
    QTemporaryDir dir;
    const QString path = dir.filePath("points.dxf");
    ASSERT_TRUE(saveDxf(path, points, 2.5));

#ifdef Q_OS_WIN
    // The bytes are the same as the Linux build's (the committed file above).
    GTEST_SKIP() << "ezdxf runs on Linux (Debian's python3-ezdxf)";
#endif
    QProcess python;
    python.start("/usr/bin/python3", { DataDir + "/dxfcheck.py", path });
    if (!python.waitForFinished(60000) || python.exitStatus() != QProcess::NormalExit)
        GTEST_SKIP() << "no /usr/bin/python3 to run ezdxf";
    if (python.exitCode() == 77)
        GTEST_SKIP() << python.readAllStandardOutput().toStdString();
    EXPECT_EQ(python.readAllStandardError().toStdString(), "");
    EXPECT_EQ(QString::fromUtf8(python.readAllStandardOutput()),
        u"version AC1009 encoding cp932\n"
        "audit errors 0 fixes 0\n"
        "layers 0 Defpoints NAMES POINTS\n"
        "POINT POINTS 18240.355 -35120.412 0.0\n"
        "TEXT NAMES 18241.605 -35119.162 0.0 2.5 引照1 88f88fc631\n"
        "POINT POINTS -2.0 1500.0 0.0\n"
        "TEXT NAMES -0.75 1501.25 0.0 2.5 ﾃﾞｰﾀ点 c3deb0c0935f\n"
        "POINT POINTS 20.0 10.0 0.0\n"
        "TEXT NAMES 21.25 11.25 0.0 2.5 ?～ 3f8160\n"
        "POINT POINTS 123456789.125 0.001 0.0\n"
        "TEXT NAMES 123456790.375 1.251 0.0 2.5 A??B 413f3f42\n"_s);
}

} // namespace
