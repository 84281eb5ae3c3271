// The map files' exact bytes, read back by a JSON and an XML parser, and the
// GSI map's address. They are saved as SIMA files are, and the window's
// export shows it.
#include "gsimap.h"
#include "mapfiles.h"
#include "mappoints.h"
#include "parcelexample.h"
#include "testsupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

using namespace tavorin;
using namespace tavorin::test;
using namespace Qt::StringLiterals;

namespace {

// The GSI calculator's point of zone IX with a name longer than a list
// line's, its number and elevation, a name that HTML and XML must escape, a
// point without numbers and one with a control character, a backslash and a
// character beyond the BMP.
const FilePoints Points = {
    { u"2640"_s, u"Auto-3374"_s, u"11573.375"_s, u"22694.980"_s, u"12.345"_s, 4 },
    { {}, u"<a&\"b'>"_s, u"11573.375"_s, u"22694.980"_s, {}, 5 },
    { {}, u"T9"_s, u"abc"_s, u"22694.980"_s, {}, 6 },
    { {}, u"A\x1a\\𠮷"_s, u"0"_s, u"0"_s, {}, 7 },
};

} // namespace

TEST(MapFiles, GeoJsonBytesReadBackByAJsonParser)
{
    const QByteArray bytes = geoJsonBytes(mapPoints(Points, 9), 9);
    EXPECT_EQ(bytes,
        u"{\"type\": \"FeatureCollection\", \"features\": [\n"
        u"{\"type\": \"Feature\", \"geometry\": {\"type\": \"Point\", \"coordinates\": "
        u"[140.085398431, 36.104047553]}, \"properties\": {\"name\": \"Auto-3374\", "
        u"\"点番号\": \"2640\", \"X\": \"11573.375\", \"Y\": \"22694.980\", \"標高\": "
        u"\"12.345\", \"系\": 9, \"_markerType\": \"DivIcon\", \"_html\": \"Auto-3374\"}},\n"
        u"{\"type\": \"Feature\", \"geometry\": {\"type\": \"Point\", \"coordinates\": "
        u"[140.085398431, 36.104047553]}, \"properties\": {\"name\": \"<a&\\\"b'>\", \"X\": "
        u"\"11573.375\", \"Y\": \"22694.980\", \"系\": 9, \"_markerType\": \"DivIcon\", "
        u"\"_html\": \"&lt;a&amp;&quot;b&#39;&gt;\"}},\n"
        u"{\"type\": \"Feature\", \"geometry\": {\"type\": \"Point\", \"coordinates\": "
        u"[139.833333333, 36.000000000]}, \"properties\": {\"name\": \"A\\u001a\\\\𠮷\", "
        u"\"X\": \"0\", \"Y\": \"0\", \"系\": 9, \"_markerType\": \"DivIcon\", \"_html\": "
        u"\"A\\u001a\\\\𠮷\"}}\n"
        u"]}\n"_s.toUtf8());

    // The names escaped above read back as they were.
    // Texts, and no number or elevation a point does not have.
    QJsonParseError error;
    QStringList names;
    for (const auto &feature : QJsonDocument::fromJson(bytes, &error)[u"features"_s].toArray()) {
        const QJsonValue properties = feature[u"properties"_s];
        names << properties[u"name"_s].toString() + u'|' + properties[u"点番号"_s].toString() + u'|'
                + properties[u"標高"_s].toString() + u'|'
                + QString::number(properties.toObject().size());
    }
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    EXPECT_EQ(names,
        QStringList({ u"Auto-3374|2640|12.345|8"_s, u"<a&\"b'>|||6"_s, u"A\x1a\\𠮷|||6"_s }));
    EXPECT_EQ(geoJsonBytes({}, 9), "{\"type\": \"FeatureCollection\", \"features\": [\n]}\n");
}

TEST(MapFiles, KmlBytesReadBackByAnXmlParser)
{
    const QByteArray bytes = kmlBytes(mapPoints(Points, 9), 9);
    const QString data = u"<ExtendedData><Data name=\"X\"><value>%1</value></Data>"
                         u"<Data name=\"Y\"><value>%2</value></Data>"
                         u"<Data name=\"系\"><value>9</value></Data></ExtendedData>"_s;
    EXPECT_EQ(bytes,
        (u"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         u"<kml xmlns=\"http://www.opengis.net/kml/2.2\">\n<Document>\n"
         u"<Placemark><name>Auto-3374</name><description>点番号 2640\n標高 12.345"
         u"</description><ExtendedData><Data name=\"点番号\"><value>2640</value></Data>"
         u"<Data name=\"X\"><value>11573.375</value></Data>"
         u"<Data name=\"Y\"><value>22694.980</value></Data>"
         u"<Data name=\"標高\"><value>12.345</value></Data>"
         u"<Data name=\"系\"><value>9</value></Data></ExtendedData>"_s
            + u"<Point><coordinates>140.085398431,36.104047553,0</coordinates></Point>"
              u"</Placemark>\n"
              u"<Placemark><name>&lt;a&amp;&quot;b'&gt;</name>"_s
            + data.arg(u"11573.375"_s, u"22694.980"_s)
            + u"<Point><coordinates>140.085398431,36.104047553,0</coordinates></Point>"
              u"</Placemark>\n"
              u"<Placemark><name>A\uFFFD\\𠮷</name>"_s
            + data.arg(u"0"_s, u"0"_s)
            + u"<Point><coordinates>139.833333333,36.000000000,0</coordinates></Point>"
              u"</Placemark>\n</Document>\n</kml>\n"_s)
            .toUtf8());

    QXmlStreamReader xml(bytes);
    QStringList names;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"name"_s)
            names << xml.readElementText();
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(names, QStringList({ u"Auto-3374"_s, u"<a&\"b'>"_s, u"A\uFFFD\\𠮷"_s }));
}

// The textbook's parcel, clockwise as the file gives it, comes out
// counterclockwise and closed, its places those of its points, its 地積 a
// JSON number written as the registry's text; the parcels through the point
// beyond reach and the one without coordinates are left out (and counted),
// the bad one too (but not counted: the command line names it).
TEST(MapFiles, AGoodParcelAsAPolygonReadBackByJsonAndXmlParsers)
{
    const QList<MapParcel> parcels = mapParcels(exampleParcels(), {}, ParcelPoints, 9);
    EXPECT_EQ(parcelsOffMap(exampleParcels(), ParcelPoints, 9), 2);
    const QList<MapPoint> points = mapPoints(ParcelPoints, 9);
    QStringList expected; // E D C B A E
    for (const int p : { 4, 3, 2, 1, 0, 4 })
        expected << u"%1,%2"_s.arg(points[p].position.longitude, 0, 'f', 9)
                        .arg(points[p].position.latitude, 0, 'f', 9);

    const QByteArray json = geoJsonBytes({}, 9, parcels);
    EXPECT_TRUE(json.contains(
        u"\"properties\": {\"番号\": \"1\", \"name\": \"A地\", \"地積\": 362.50}}"_s.toUtf8()));
    const QJsonArray features = QJsonDocument::fromJson(json)[u"features"_s].toArray();
    ASSERT_EQ(features.size(), 1);
    const QJsonValue feature = features[0];
    QStringList ring;
    double twiceArea = 0;
    const QJsonArray places = feature[u"geometry"_s][u"coordinates"_s][0].toArray();
    for (qsizetype i = 0; i < places.size(); ++i) {
        const QJsonArray a = places[i].toArray();
        const QJsonArray b = places[(i + 1) % places.size()].toArray();
        ring << u"%1,%2"_s.arg(a[0].toDouble(), 0, 'f', 9).arg(a[1].toDouble(), 0, 'f', 9);
        twiceArea += a[0].toDouble() * b[1].toDouble() - b[0].toDouble() * a[1].toDouble();
    }
    EXPECT_EQ(ring, expected);
    EXPECT_GT(twiceArea, 0); // counterclockwise
    EXPECT_EQ(feature[u"geometry"_s][u"type"_s].toString() + u'|'
            + feature[u"properties"_s][u"番号"_s].toString() + u'|'
            + feature[u"properties"_s][u"name"_s].toString() + u'|'
            + QString::number(feature[u"properties"_s][u"地積"_s].toDouble()),
        u"Polygon|1|A地|362.5"_s);

    QXmlStreamReader xml(kmlBytes({}, 9, parcels));
    QStringList read;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"Data"_s)
            read << xml.attributes().value(u"name"_s).toString();
        else if (xml.name() != u"kml"_s && xml.name() != u"Document"_s
            && xml.name() != u"Placemark"_s && xml.name() != u"ExtendedData"_s)
            read << xml.name().toString() + u' '
                    + xml.readElementText(QXmlStreamReader::IncludeChildElements);
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(read,
        QStringList({ u"name A地"_s, u"番号"_s, u"value 1"_s, u"地積"_s, u"value 362.50"_s,
            u"Polygon "_s + expected.join(u",0 "_s) + u",0"_s }));
}

TEST(GsiMap, TheMiddleOfThePointsAtTheLargestZoomThatShowsThemAll)
{
    const auto at = [](double latitude, double longitude) {
        return MapPoint { {}, {}, {}, { latitude, longitude }, {}, {} };
    };
    const std::pair<QList<MapPoint>, const char *> cases[] = {
        { { at(36.104047552, 140.085398430) }, "https://maps.gsi.go.jp/#18/36.104048/140.085398/" },
        // 0.002° across (180 m) is 373 pixels at zoom 18, the largest.
        { { at(36.1, 140.0), at(36.1, 140.002) },
            "https://maps.gsi.go.jp/#18/36.100000/140.001000/" },
        { { at(36.1, 140.0), at(36.1, 140.008) },
            "https://maps.gsi.go.jp/#17/36.100000/140.004000/" },
        // Tall rather than wide: the height decides.
        { { at(36.0, 140.0), at(36.02, 140.0) },
            "https://maps.gsi.go.jp/#15/36.010001/140.000000/" },
        // The Mercator middle of Japan's span lies south of the latitudes'
        // middle (34.75°).
        { { at(24.0, 123.0), at(45.5, 154.0) }, "https://maps.gsi.go.jp/#4/35.463110/138.500000/" },
        { { at(-80, -179), at(80, 179) }, "https://maps.gsi.go.jp/#2/0.000000/0.000000/" },
    };
    for (const auto &[points, url] : cases)
        EXPECT_EQ(gsiMapUrl(points).toString(), QString::fromLatin1(url));
}
