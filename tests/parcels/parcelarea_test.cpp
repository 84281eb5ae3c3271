#include "parcelarea.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace tavorin;
using namespace tavorin::parcels;
using tavorin::FilePoint;
using tavorin::FilePoints;
using tavorin::FileSide;
using tavorin::Parcel;

namespace {

struct Corner
{
    const char *name;
    const char *x;
    const char *y;
};

// A parcel whose vertices are the records in their order, and the records.
struct Drawn
{
    Parcel parcel;
    FilePoints records;
};

Drawn drawn(std::initializer_list<Corner> corners)
{
    Drawn d;
    d.parcel.name = QStringLiteral("1");
    for (const Corner &corner : corners) {
        d.parcel.vertices.append({ {}, QString::fromUtf8(corner.name), d.records.size(), {} });
        d.records.append(
            FilePoint({}, QString::fromUtf8(corner.name), QString::fromLatin1(corner.x),
                QString::fromLatin1(corner.y), {}, d.records.size() + 1));
    }
    return d;
}

Drawn reversed(Drawn d)
{
    std::reverse(d.parcel.vertices.begin(), d.parcel.vertices.end());
    return d;
}

// Two textbook parcels whose areas are known.
Drawn pentagon()
{
    return drawn({ { "A", "5", "20" }, { "B", "15", "15" }, { "C", "30", "25" },
        { "D", "20", "40" }, { "E", "10", "35" } });
}

Drawn negativePentagon()
{
    return drawn({ { "A", "-5.380", "-24.220" }, { "B", "34.620", "-24.220" },
        { "C", "28.620", "1.780" }, { "D", "0.620", "31.780" }, { "E", "-5.380", "21.780" } });
}

} // namespace

TEST(ParcelArea, TextbookParcelsInEitherDirectionAndEitherForm)
{
    struct Case
    {
        const char *what;
        Drawn parcel;
        const char *doubleArea;
        const char *area;
        const char *registered;
    };
    const Case cases[] = {
        { "pentagon", pentagon(), "725.000000", "362.500000", "362.50" },
        { "pentagon backwards", reversed(pentagon()), "725.000000", "362.500000", "362.50" },
        { "negative pentagon", negativePentagon(), "3064.000000", "1532.000000", "1532.00" },
        { "negative pentagon backwards", reversed(negativePentagon()), "3064.000000", "1532.000000",
            "1532.00" },
        // Halving an odd millionth cuts it: never ...481.
        { "odd double area",
            drawn({ { "O", "0", "0" }, { "P", "6.683", "0" }, { "Q", "0", "140.467" } }),
            "938.740961", "469.370480", "469.37" },
    };
    for (const Case &c : cases) {
        for (AreaForm form : { AreaForm::XTimesDeltaY, AreaForm::YTimesDeltaX }) {
            SCOPED_TRACE(
                testing::Message() << c.what << (form == AreaForm::XTimesDeltaY ? " X" : " Y"));
            const auto table = areaTable(c.parcel.parcel, c.parcel.records, form);
            ASSERT_TRUE(table);
            EXPECT_EQ(table->doubleArea, QString::fromLatin1(c.doubleArea));
            EXPECT_EQ(table->area, QString::fromLatin1(c.area));
            EXPECT_EQ(table->registeredArea, QString::fromLatin1(c.registered));
            EXPECT_EQ(areaMicro(c.parcel.parcel, c.parcel.records), table->areaMicro);
        }
    }
}

TEST(ParcelArea, RowsHoldTheFilesTextsAndExactProducts)
{
    const Drawn d = negativePentagon();
    const auto table = areaTable(d.parcel, d.records, AreaForm::XTimesDeltaY);
    ASSERT_TRUE(table);
    ASSERT_EQ(table->rows.size(), 5);
    // A: X -5.380 × (Y of E − Y of B) = -5.380 × (21.780 − -24.220)
    const AreaRow &a = table->rows[0];
    EXPECT_EQ(a.name, u"A");
    EXPECT_EQ(a.x, u"-5.380");
    EXPECT_EQ(a.y, u"-24.220");
    EXPECT_EQ(a.difference, u"-46.000");
    EXPECT_EQ(a.product, u"247.480000");
    // C: 28.620 × (31.780 − -24.220) = 28.620 × 56.000, where doubles print 1602.7199999...
    EXPECT_EQ(table->rows[2].difference, u"56.000");
    EXPECT_EQ(table->rows[2].product, u"1602.720000");

    const auto yForm = areaTable(d.parcel, d.records, AreaForm::YTimesDeltaX);
    ASSERT_TRUE(yForm);
    // A: Y -24.220 × (X of B − X of E) = -24.220 × 40.000
    EXPECT_EQ(yForm->rows[0].difference, u"40.000");
    EXPECT_EQ(yForm->rows[0].product, u"-968.800000");

    const Drawn row
        = drawn({ { "P", "0", "-4.494" }, { "Q", "15.704", "0" }, { "R", "0", "4.494" } });
    EXPECT_EQ(
        areaTable(row.parcel, row.records, AreaForm::XTimesDeltaY)->rows[1].product, u"141.147552");
}

TEST(ParcelArea, RegisteredAreaIsCutAsTheRegistryRules)
{
    struct Case
    {
        qint64 micro;
        LandClass land;
        const char *text;
    };
    const Case cases[] = {
        { 100'053'245, LandClass::Residential, "100.05" },
        { 100'053'245, LandClass::Other, "100" },
        { 9'053'245, LandClass::Residential, "9.05" },
        { 9'053'245, LandClass::Other, "9.05" },
        { 10'000'000, LandClass::Other, "10.00" }, // not over 10 m²
        { 10'000'001, LandClass::Other, "10" },
        { 99'999, LandClass::Residential, "0.09" },
        { 0, LandClass::Residential, "0.00" },
    };
    for (const Case &c : cases)
        EXPECT_EQ(registeredAreaText(c.micro, c.land), QString::fromLatin1(c.text)) << c.micro;

    const Drawn d = pentagon();
    EXPECT_EQ(
        areaTable(d.parcel, d.records, AreaForm::XTimesDeltaY, LandClass::Other)->registeredArea,
        u"362");
}

TEST(ParcelArea, CoordinatesInMillimetres)
{
    EXPECT_EQ(millimetres(u"-23795.96"), -23795960);
    EXPECT_EQ(millimetres(u" 12 "), 12000);
    EXPECT_EQ(millimetres(u"+0.0004"), 0);
    EXPECT_EQ(millimetres(u"0.0005"), 1);
    EXPECT_EQ(millimetres(u"-1.2345"), -1235);
    EXPECT_EQ(millimetres(u".5"), 500);
    for (const char16_t *bad :
        { u"", u"-", u".", u"1.2.3", u"1e3", u"12a", u"1 2", u"1234567890123" })
        EXPECT_FALSE(millimetres(bad)) << QString::fromUtf16(bad).toStdString();
}

TEST(ParcelArea, NoTablesForABadParcelOrCoordinatesThatAreNoNumbers)
{
    Drawn d = pentagon();
    d.parcel.fault = QStringLiteral("faulty");
    EXPECT_FALSE(areaTable(d.parcel, d.records, AreaForm::XTimesDeltaY));
    EXPECT_FALSE(sideTable(d.parcel, d.records));

    d = pentagon();
    d.parcel.vertices[1].record = 99;
    EXPECT_FALSE(areaTable(d.parcel, d.records, AreaForm::XTimesDeltaY));

    d = drawn({ { "A", "5", "20" }, { "B", "15", "*" }, { "C", "30", "25" } });
    EXPECT_FALSE(areaTable(d.parcel, d.records, AreaForm::XTimesDeltaY));
    EXPECT_FALSE(sideTable(d.parcel, d.records));
}

TEST(ParcelSides, DistancesBearingsAndTheFilesOwnSides)
{
    // From O: north 3 and east 4; then a side of 2√2 mm south-west (2.83 mm);
    // then back to O.
    Drawn d = drawn({ { "O", "0", "0" }, { "P", "3", "4" }, { "Q", "2.998", "3.998" } });
    d.parcel.vertices[0].side = FileSide { QStringLiteral("5.000"), QStringLiteral("53.0748") };
    d.parcel.vertices[1].side = FileSide { QStringLiteral("5.002"), QStringLiteral("53.0748") };

    const auto table = sideTable(d.parcel, d.records);
    ASSERT_TRUE(table);
    ASSERT_EQ(table->rows.size(), 3);
    const SideRow &first = table->rows[0];
    EXPECT_EQ(first.from, u"O");
    EXPECT_EQ(first.to, u"P");
    EXPECT_EQ(first.distance, u"5.000");
    EXPECT_EQ(first.bearing, u"53°07′48″"); // atan(4/3) = 53°07′48.37″
    EXPECT_FALSE(first.differs);
    EXPECT_EQ(table->rows[1].distance, u"0.003");
    EXPECT_EQ(table->rows[1].bearing, u"225°00′00″");
    EXPECT_TRUE(table->rows[1].differs); // another side altogether
    EXPECT_FALSE(table->rows[2].fileSide);
    EXPECT_EQ(table->rows[2].bearing, u"233°08′05″"); // 233°08′04.88″
    EXPECT_EQ(table->rows[2].distance, u"4.997"); // √(2998² + 3998²) = 4997.2 mm
    EXPECT_EQ(table->perimeter, u"10.000");

    // 1 mm west over 10 km north: 359°59′59.98″, a full circle once rounded.
    const Drawn north
        = drawn({ { "A", "0", "0" }, { "B", "10000", "-0.001" }, { "C", "500", "100" } });
    EXPECT_EQ(sideTable(north.parcel, north.records)->rows[0].bearing, u"0°00′00″");

    const auto cut = sideTable(d.parcel, d.records, DistanceRounding::Cut);
    EXPECT_EQ(cut->rows[1].distance, u"0.002");
    EXPECT_EQ(cut->perimeter, u"9.999");
}

TEST(ParcelSides, AFileSideDiffersBeyondAMillimetreOrASecond)
{
    struct Case
    {
        const char *length;
        const char *bearing;
        bool differs;
    };
    // The side runs due east 10 m: 90°00′00″.
    const Case cases[] = {
        { "10.000", "90.0000", false },
        { "10.001", "90.0001", false },
        { "9.999", "89.5959", false },
        { "10.002", "90.0000", true },
        { "10.000", "90.0002", true },
        { "10.000", "89.59585", true },
        { "10.000", "90.00005", false },
        { "10.000", "x", true },
        { "", "90.0000", true },
        { "10.000", "90.6000", true },
    };
    for (const Case &c : cases) {
        Drawn d = drawn({ { "A", "0", "0" }, { "B", "0", "10" }, { "C", "-5", "5" } });
        d.parcel.vertices[0].side
            = FileSide { QString::fromLatin1(c.length), QString::fromLatin1(c.bearing) };
        EXPECT_EQ(sideTable(d.parcel, d.records)->rows[0].differs, c.differs)
            << c.length << " " << c.bearing;
    }
}
