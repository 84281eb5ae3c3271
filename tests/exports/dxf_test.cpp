#include "dxffile.h"
#include "parcelexample.h"
#include "testsupport.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <optional>
#include <utility>

#include <gtest/gtest.h>

using namespace tavorin;
using namespace Qt::StringLiterals;

namespace {

const QString DataDir = QStringLiteral(TAVORIN_TEST_DATA_DIR "/exports");

// A point with a name and coordinates only, as a file without numbers and
// elevations gives it.
FilePoint named(const QString &name, const QString &x, const QString &y)
{
    return { QString(), name, x, y, QString(), 0 };
}

// Two points with names in kanji and half-width katakana, one without
// numeric coordinates (left out), one without a name (no TEXT).
const FilePoints SmallExample = {
    named(u"引照1"_s, u"-35120.412"_s, u"18240.355"_s),
    named(u"ﾃﾞｰﾀ点"_s, u"-35076.583"_s, u"18231.1"_s),
    named(u"座標なし"_s, QString(), u"1.0"_s),
    named(QString(), u"0"_s, u"-0.25"_s),
};

#ifdef Q_OS_WIN
// The bytes are the same as the Linux build's (the committed file).
#define EZDXF(result, path)                                                                        \
    const std::optional<QString> result;                                                           \
    GTEST_SKIP() << "ezdxf runs on Linux (Debian's python3-ezdxf)";
#else
// What ezdxf reads of the DXF file at path (see dxfcheck.py); nothing
// where it cannot be run.
std::optional<QString> ezdxfReading(const QString &path)
{
    QProcess python;
    python.start("/usr/bin/python3", { DataDir + "/dxfcheck.py", path });
    if (!python.waitForFinished(60000) || python.exitStatus() != QProcess::NormalExit
        || python.exitCode() == 77)
        return std::nullopt;
    EXPECT_EQ(python.readAllStandardError().toStdString(), "");
    return QString::fromUtf8(python.readAllStandardOutput());
}

#define EZDXF(result, path)                                                                        \
    const std::optional<QString> result = ezdxfReading(path);                                      \
    if (!result)                                                                                   \
        GTEST_SKIP() << "no /usr/bin/python3 with ezdxf (Debian: python3-ezdxf)";
#endif

const QString Header = u"version AC1009 encoding cp932\n"
                       "audit errors 0 fixes 0\n"
                       "layers 0 Defpoints NAMES PARCELS PARCEL_NAMES POINTS\n"
                       "styles STANDARD:txt UNICODE:msgothic.ttc\n"_s;

TEST(Dxf, WritesTheSmallExampleAsTheCommittedFile)
{
    EXPECT_EQ(dxf::fileBytes(SmallExample), test::fileBytes(DataDir + "/small.dxf"));
}

TEST(Dxf, EzdxfReadsBackEveryPointAndName)
{
    const FilePoints points = {
        named(u"引照1"_s, u"-35120.412"_s, u"18240.355"_s),
        named(u"ﾃﾞｰﾀ点"_s, u" +1.5e3 "_s, u"-2"_s),
        // Outside code page 932: U+20BB7 as '?', U+301C as its twin 81 60.
        named(u"𠮷〜"_s, u"10"_s, u"20"_s),
        named(u"A\r\nB"_s, u"0.001"_s, u"123456789.125"_s),
        named(u"全角なし"_s, u"x"_s, u"1"_s),
    };
    QTemporaryDir dir;
    const QString path = dir.filePath("points.dxf");
    ASSERT_TRUE(saveDxf(path, points, { 2.5, false }));

    EZDXF(reading, path);
    EXPECT_EQ(*reading,
        Header
            + u"POINT POINTS 18240.355 -35120.412 0.0\n"
              "TEXT NAMES UNICODE 18241.605 -35119.162 0.0 2.5 引照1 88f88fc631\n"
              "POINT POINTS -2.0 1500.0 0.0\n"
              "TEXT NAMES UNICODE -0.75 1501.25 0.0 2.5 ﾃﾞｰﾀ点 c3deb0c0935f\n"
              "POINT POINTS 20.0 10.0 0.0\n"
              "TEXT NAMES UNICODE 21.25 11.25 0.0 2.5 ?～ 3f8160\n"
              "POINT POINTS 123456789.125 0.001 0.0\n"
              "TEXT NAMES UNICODE 123456790.375 1.251 0.0 2.5 A??B 413f3f42\n"_s);
}

// Names longer than the pocket computer's 8 characters come out whole; the
// elevation is z only when asked for, and only where it is a number; a
// percent sign is written so that CAD draws it, not a control code.
TEST(Dxf, WholeNamesAndTheElevationAsZWhenAsked)
{
    const FilePoints points = {
        { u"1"_s, u"Auto-3374"_s, u"-35000.000"_s, u"18000.000"_s, u"12.340"_s, 3 },
        { QString(), u"BoundaryMarkerNorth1"_s, u"-35030"_s, u"18000"_s, QString(), 4 },
        { u"103"_s, u"境界点東側第一号杭"_s, u"-35060"_s, u"18000"_s, u"-1.50"_s, 5 },
        { u"104"_s, u"高さ不明"_s, u"-35090"_s, u"18000"_s, u"不明"_s, 6 },
        { QString(), u"%%d50"_s, u"-35120"_s, u"18000"_s, QString(), 8 },
        { u"105"_s, u"座標なし"_s, QString(), u"18000"_s, u"99"_s, 7 },
    };
    // The z of each point and its name, in file order.
    const std::pair<bool, QStringList> cases[] = {
        { false, { u"0.0"_s, u"0.0"_s, u"0.0"_s, u"0.0"_s } },
        { true, { u"12.34"_s, u"0.0"_s, u"-1.5"_s, u"0.0"_s } },
    };
    for (const auto &[elevationAsZ, z] : cases) {
        QTemporaryDir dir;
        const QString path = dir.filePath("points.dxf");
        ASSERT_TRUE(saveDxf(path, points, { dxf::DefaultTextHeight, elevationAsZ }));
        EZDXF(reading, path);
        EXPECT_EQ(*reading,
            Header
                + u"POINT POINTS 18000.0 -35000.0 %1\n"
                  "TEXT NAMES UNICODE 18000.5 -34999.5 %1 1.0 Auto-3374 4175746f2d33333734\n"
                  "POINT POINTS 18000.0 -35030.0 %2\n"
                  "TEXT NAMES UNICODE 18000.5 -35029.5 %2 1.0 BoundaryMarkerNorth1 "
                  "426f756e646172794d61726b65724e6f72746831\n"
                  "POINT POINTS 18000.0 -35060.0 %3\n"
                  "TEXT NAMES UNICODE 18000.5 -35059.5 %3 1.0 境界点東側第一号杭 "
                  "8bab8a45935f938c91a491e688ea8d868d59\n"
                  "POINT POINTS 18000.0 -35090.0 %4\n"
                  "TEXT NAMES UNICODE 18000.5 -35089.5 %4 1.0 高さ不明 8d8282b3957396be\n"
                  "POINT POINTS 18000.0 -35120.0 0.0\n"
                  "TEXT NAMES UNICODE 18000.5 -35119.5 0.0 1.0 %%%%%%d50 252525252525643530\n"_s
                      .arg(z[0], z[1], z[2], z[3]))
            << elevationAsZ;
    }
}

// Each good parcel whose vertices all have coordinates as a closed polyline
// on PARCELS, CAD x = Y, and its name centred on its centroid; the parcel
// through the point without coordinates and the bad one left out.
TEST(Dxf, GoodParcelsAsClosedPolylinesWithTheirNamesCentred)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("parcels.dxf");
    ASSERT_TRUE(saveDxf(path, test::ParcelPoints, {}, test::exampleParcels()));
    EZDXF(reading, path);
    EXPECT_EQ(reading->split(u'\n').filter(QRegularExpression(u"^(audit|POLYLINE|TEXT PARCEL)"_s)),
        QStringList({ u"audit errors 0 fixes 0"_s,
            u"POLYLINE PARCELS closed 20.0 5.0 0.0 | 15.0 15.0 0.0 | 25.0 30.0 0.0 | "
            "40.0 20.0 0.0 | 35.0 10.0 0.0"_s,
            u"TEXT PARCEL_NAMES UNICODE 26.89655172413793 16.781609195402297 0.0 1.0 A地 "
            "41926e centred 1 2 26.89655172413793 16.781609195402297 0.0"_s,
            u"POLYLINE PARCELS closed 20.0 5.0 0.0 | 15.0 15.0 0.0 | 20.0 2000000.0 0.0"_s,
            u"TEXT PARCEL_NAMES UNICODE 18.333333333333332 666673.3333333334 0.0 1.0 遠地 "
            "8993926e centred 1 2 18.333333333333332 666673.3333333334 0.0"_s }));
}

} // namespace
