// The zones; the conversions against the GSI calculator, the origins, round
// trips and (Linux) GeographicLib's exact projection; the angle texts.
#include "angletext.h"
#include "planezones.h"
#include "projection.h"
#include "testsupport.h"

#include <QProcess>

#include <gtest/gtest.h>

#include <cmath>
#include <random>

using namespace tavorin::geodesy;
using namespace Qt::StringLiterals;

namespace {

double dms(int d, int m, double s)
{
    return d + m / 60.0 + s / 3600.0;
}

} // namespace

TEST(Zones, NumbersLabelsOriginsAndAreasAsTheNoticeGivesThem)
{
    ASSERT_EQ(zones().size(), 19u);
    QStringList labels;
    for (const Zone &z : zones())
        labels << u"%1 %2 %3°N %4°%5′E"_s.arg(z.number)
                      .arg(QString::fromUtf16(z.label))
                      .arg(z.originLatitude)
                      .arg(z.originLongitudeDegrees)
                      .arg(z.originLongitudeMinutes, 2, 10, QLatin1Char('0'));
    EXPECT_EQ(labels.join(u'|'),
        u"1 Ⅰ系 33°N 129°30′E|2 Ⅱ系 33°N 131°00′E|3 Ⅲ系 36°N 132°10′E|4 Ⅳ系 33°N 133°30′E|"
        u"5 Ⅴ系 36°N 134°20′E|6 Ⅵ系 36°N 136°00′E|7 Ⅶ系 36°N 137°10′E|8 Ⅷ系 36°N 138°30′E|"
        u"9 Ⅸ系 36°N 139°50′E|10 Ⅹ系 40°N 140°50′E|11 ⅩⅠ系 44°N 140°15′E|"
        u"12 ⅩⅡ系 44°N 142°15′E|13 ⅩⅢ系 44°N 144°15′E|14 ⅩⅣ系 26°N 142°00′E|"
        u"15 ⅩⅤ系 26°N 127°30′E|16 ⅩⅥ系 26°N 124°00′E|17 ⅩⅦ系 26°N 131°00′E|"
        u"18 ⅩⅧ系 20°N 136°00′E|19 ⅩⅨ系 26°N 154°00′E"_s);
    EXPECT_EQ(zoneEntry(9),
        u"Ⅸ系　東京都（ⅩⅣ, ⅩⅧ, ⅩⅨ系を除く）, 福島県, 栃木県, 茨城県, 埼玉県, 千葉県, "
        u"群馬県, 神奈川県"_s);
    for (const int outside : { 0, 20, -9 }) {
        EXPECT_EQ(zone(outside), nullptr);
        EXPECT_EQ(zoneLabel(outside), QString());
        EXPECT_FALSE(toLatLon(outside, { 0, 0 }));
        EXPECT_FALSE(toPlane(outside, { 36, 140 }));
    }
    EXPECT_FALSE(toLatLon(9, { std::nan(""), 0 }));
    EXPECT_FALSE(toPlane(9, { 36, INFINITY }));
    // A zone reaches 1000 km from its origin each way, and no further.
    for (const PlanePoint reached : { PlanePoint { 1e6, -1e6 }, PlanePoint { -1e6, 1e6 } })
        EXPECT_TRUE(toLatLon(9, reached)) << reached.x << ' ' << reached.y;
    for (const PlanePoint beyond : { PlanePoint { 5e6, 0 }, PlanePoint { 0, -1000000.001 } })
        EXPECT_FALSE(toLatLon(9, beyond)) << beyond.x << ' ' << beyond.y;
}

// The GSI calculator's values for a point of zone IX, quoted by third
// parties, each way; MapFiles has another's to 9 decimals.
TEST(Conversion, MatchesTheGsiCalculator)
{
    const auto plane = toPlane(9, { dms(36, 6, 13.58925), dms(140, 5, 16.27815) });
    ASSERT_TRUE(plane);
    EXPECT_NEAR(plane->x, 11543.6883, 1e-4);
    EXPECT_NEAR(plane->y, 22916.2436, 1e-4);

    const auto back = toLatLon(9, { 11543.6883, 22916.2436 });
    ASSERT_TRUE(back);
    // 0.1 mm is about 1e-9 degrees.
    EXPECT_NEAR(back->latitude, dms(36, 6, 13.58925), 1.5e-9);
    EXPECT_NEAR(back->longitude, dms(140, 5, 16.27815), 1.5e-9);
}

TEST(Conversion, EveryZonesOriginIsXZeroYZeroAndBack)
{
    for (const Zone &z : zones()) {
        const auto plane = toPlane(z.number, { double(z.originLatitude), z.centralMeridian() });
        ASSERT_TRUE(plane);
        EXPECT_NEAR(plane->x, 0, 1e-9) << z.number;
        EXPECT_NEAR(plane->y, 0, 1e-9) << z.number;
        const auto origin = toLatLon(z.number, { 0, 0 });
        ASSERT_TRUE(origin);
        EXPECT_NEAR(origin->latitude, z.originLatitude, 1e-12) << z.number;
        EXPECT_NEAR(origin->longitude, z.centralMeridian(), 1e-12) << z.number;
    }
}

// Points spread over a zone: within 2° of latitude and 1.5° of longitude of
// its origin, which covers every zone's area.
static std::vector<LatLon> spread(const Zone &z, int count, std::mt19937 &random)
{
    std::uniform_real_distribution<double> latitude(z.originLatitude - 2, z.originLatitude + 2);
    std::uniform_real_distribution<double> longitude(
        z.centralMeridian() - 1.5, z.centralMeridian() + 1.5);
    std::vector<LatLon> points;
    for (int i = 0; i < count; ++i)
        points.push_back({ latitude(random), longitude(random) });
    return points;
}

// On every build, the Windows one too, which has no exact projection to
// compare with.
TEST(Conversion, RandomPointsOfEveryZoneThereAndBackWithinAMicrometre)
{
    std::mt19937 random(26);
    for (const Zone &z : zones()) {
        for (const LatLon p : spread(z, 200, random)) {
            const auto plane = toPlane(z.number, p);
            const auto back = plane ? toLatLon(z.number, *plane) : std::nullopt;
            const auto again = back ? toPlane(z.number, *back) : std::nullopt;
            ASSERT_TRUE(again) << z.number;
            ASSERT_LT(std::hypot(again->x - plane->x, again->y - plane->y), 1e-6) << z.number;
        }
    }
}

#ifdef TAVORIN_TRANSVERSE_MERCATOR_PROJ
// GeographicLib's exact transverse Mercator (Lee's method, not the series
// the program uses) as a separate program: 200 points a zone, each way.
TEST(Conversion, AgreesWithTheExactProjectionWithinAMicrometre)
{
    std::mt19937 random(2026);
    double worstMetres = 0, worstDegrees = 0;
    for (const Zone &z : zones()) {
        const auto run = [&](const QStringList &extra, const QByteArray &input) {
            QProcess tool;
            tool.start(QStringLiteral(TAVORIN_TRANSVERSE_MERCATOR_PROJ),
                QStringList { "-k", "0.9999", "-e", "6378137", "1/298.257222101", "-l",
                    QString::number(z.centralMeridian(), 'g', 17), "-p", "10" }
                    + extra);
            tool.write(input);
            tool.closeWriteChannel();
            EXPECT_TRUE(tool.waitForFinished(20000));
            return tool.readAllStandardOutput().split('\n');
        };
        // The origin first: the tool counts northings from the equator.
        std::vector<LatLon> points = spread(z, 200, random);
        points.insert(points.begin(), { double(z.originLatitude), z.centralMeridian() });
        QByteArray forward;
        for (const LatLon p : points)
            forward += QByteArray::number(p.latitude, 'g', 17) + ' '
                + QByteArray::number(p.longitude, 'g', 17) + '\n';
        const QList<QByteArray> projected = run({}, forward);
        QByteArray reverse;
        for (const QByteArray &line : projected)
            reverse += line.split(' ').mid(0, 2).join(' ') + '\n';
        const QList<QByteArray> unprojected = run({ "-r" }, reverse);
        const double originNorthing = projected.value(0).split(' ').value(1).toDouble();
        for (std::size_t i = 1; i < points.size(); ++i) {
            const QList<QByteArray> xy = projected.value(qsizetype(i)).split(' ');
            const QList<QByteArray> ll = unprojected.value(qsizetype(i)).split(' ');
            ASSERT_GE(xy.size() + ll.size(), 4);
            const PlanePoint there { xy[1].toDouble() - originNorthing, xy[0].toDouble() };
            const auto plane = toPlane(z.number, points[i]);
            const auto position = toLatLon(z.number, there);
            worstMetres = std::max(
                { worstMetres, std::abs(plane->x - there.x), std::abs(plane->y - there.y) });
            worstDegrees = std::max({ worstDegrees, std::abs(position->latitude - ll[0].toDouble()),
                std::abs(position->longitude - ll[1].toDouble()) });
        }
    }
    std::printf("worst difference from the exact projection: %.3g m, %.3g degrees\n", worstMetres,
        worstDegrees);
    EXPECT_LT(worstMetres, 1e-6);
    EXPECT_LT(worstDegrees, 1e-11); // about a micrometre
}
#endif

TEST(AngleText, DecimalDegreesAndTheGsiStyleWithCarriesAndSigns)
{
    const std::tuple<double, const char16_t *, const char16_t *> cases[] = {
        { dms(36, 6, 13.58925), u"36.10377479", u"36°06′13.5893″" },
        { 140.0, u"140.00000000", u"140°00′00.0000″" },
        { dms(35, 59, 59.99996), u"35.99999999", u"36°00′00.0000″" }, // seconds carry twice
        { dms(0, 0, 1.5), u"0.00041667", u"0°00′01.5000″" },
        { -dms(12, 3, 4.5), u"-12.05125000", u"-12°03′04.5000″" },
        { -0.00000001, u"-0.00000001", u"0°00′00.0000″" }, // rounds to zero: no sign
    };
    for (const auto &[degrees, decimal, dms] : cases) {
        EXPECT_EQ(decimalDegrees(degrees), QString::fromUtf16(decimal));
        EXPECT_EQ(gsiDms(degrees), QString::fromUtf16(dms));
    }
    EXPECT_EQ(gsiDms(std::nan("")), QString());
}
