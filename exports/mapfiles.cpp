#include "mapfiles.h"

#include "pointfile.h"

#include <QIODevice>
#include <QRegularExpression>
#include <QStringList>

namespace tavorin {

namespace {

using namespace Qt::StringLiterals;

QString degrees(double value)
{
    return QString::number(value, 'f', 9);
}

// A JSON string with its quotes. Control characters (a name may hold one
// where a SIMA file had a byte no code page character starts with) are
// written as \u escapes.
QString jsonString(const QString &text)
{
    QString out = u"\""_s;
    for (const QChar c : text) {
        if (c == u'"' || c == u'\\')
            out += u'\\' + c;
        else if (c.unicode() < 0x20)
            out += u"\\u%1"_s.arg(c.unicode(), 4, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out + u'"';
}

QString htmlEscaped(const QString &text)
{
    return text.toHtmlEscaped().replace(u'\'', u"&#39;"_s);
}

// Text for XML: escaped, and characters XML 1.0 does not allow (control
// characters, unpaired surrogates, U+FFFE and U+FFFF) written as U+FFFD, so
// that every XML reader reads the file.
QString xmlText(const QString &text)
{
    QString allowed;
    allowed.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        const bool pair = QChar::isHighSurrogate(c) && i + 1 < text.size()
            && QChar::isLowSurrogate(text[i + 1].unicode());
        if (pair) {
            allowed += text[i];
            allowed += text[++i];
        } else if ((c < 0x20 && c != u'\t' && c != u'\n' && c != u'\r') || QChar::isSurrogate(c)
            || c == 0xfffe || c == 0xffff) {
            allowed += QChar(0xfffd);
        } else {
            allowed += QChar(c);
        }
    }
    return allowed.toHtmlEscaped();
}

// A member of a point's properties, with the comma before it; none for an
// empty value, which the file did not have.
QString optionalMember(const QString &key, const QString &value)
{
    return value.isEmpty() ? QString() : u", "_s + jsonString(key) + u": "_s + jsonString(value);
}

// The KML point's data of that name; none for an empty value.
QString kmlData(const QString &key, const QString &value)
{
    return value.isEmpty()
        ? QString()
        : u"<Data name=\""_s + key + u"\"><value>"_s + xmlText(value) + u"</value></Data>"_s;
}

// What a map viewer shows when the point is clicked: its number and
// elevation, one a line; none when the file has neither.
QString kmlDescription(const MapPoint &p)
{
    QStringList lines;
    if (!p.number.isEmpty())
        lines << u"点番号 "_s + p.number;
    if (!p.elevation.isEmpty())
        lines << u"標高 "_s + p.elevation;
    if (lines.isEmpty())
        return {};
    return u"<description>"_s + xmlText(lines.join(u'\n')) + u"</description>"_s;
}

// The 地積 as a JSON number: its text as written where it is one.
QString jsonNumber(const QString &decimal)
{
    static const QRegularExpression number(u"^-?(0|[1-9][0-9]*)(\\.[0-9]+)?$"_s);
    return number.match(decimal).hasMatch() ? decimal : u"null"_s;
}

QString geoJsonParcel(const MapParcel &parcel)
{
    QStringList ring;
    ring.reserve(parcel.ring.size());
    for (const geodesy::LatLon &place : parcel.ring)
        ring << u"["_s + degrees(place.longitude) + u", "_s + degrees(place.latitude) + u"]"_s;
    return u"{\"type\": \"Feature\", \"geometry\": {\"type\": \"Polygon\", \"coordinates\": [["_s
        + ring.join(u", "_s) + u"]]}, \"properties\": {\"番号\": "_s + jsonString(parcel.number)
        + u", \"name\": "_s + jsonString(parcel.name) + u", \"地積\": "_s
        + jsonNumber(parcel.registeredArea) + u"}}"_s;
}

QString kmlParcel(const MapParcel &parcel)
{
    QStringList ring;
    ring.reserve(parcel.ring.size());
    for (const geodesy::LatLon &place : parcel.ring)
        ring << degrees(place.longitude) + u',' + degrees(place.latitude) + u",0"_s;
    return u"<Placemark><name>"_s + xmlText(parcel.name) + u"</name><ExtendedData>"_s
        + kmlData(u"番号"_s, parcel.number) + kmlData(u"地積"_s, parcel.registeredArea)
        + u"</ExtendedData><Polygon><outerBoundaryIs><LinearRing><coordinates>"_s + ring.join(u' ')
        + u"</coordinates></LinearRing></outerBoundaryIs></Polygon></Placemark>\n"_s;
}

} // namespace

QByteArray geoJsonBytes(
    const QList<MapPoint> &points, int zone, const QList<MapParcel> &parcels, const QString &source)
{
    QString text = u"{\"type\": \"FeatureCollection\", "_s;
    if (!source.isEmpty())
        text += u"\"properties\": {\"出典\": "_s + jsonString(source) + u"}, "_s;
    text += u"\"features\": ["_s;
    for (qsizetype i = 0; i < points.size(); ++i) {
        const MapPoint &p = points[i];
        text += (i == 0 ? u"\n"_s : u",\n"_s);
        text += u"{\"type\": \"Feature\", \"geometry\": {\"type\": \"Point\", \"coordinates\": ["_s
            + degrees(p.position.longitude) + u", "_s + degrees(p.position.latitude)
            + u"]}, \"properties\": {\"name\": "_s + jsonString(p.name)
            + optionalMember(u"点番号"_s, p.number) + u", \"X\": "_s + jsonString(p.x)
            + u", \"Y\": "_s + jsonString(p.y) + optionalMember(u"標高"_s, p.elevation)
            + u", \"系\": "_s + QString::number(zone)
            + u", \"_markerType\": \"DivIcon\", \"_html\": "_s + jsonString(htmlEscaped(p.name))
            + u"}}"_s;
    }
    for (qsizetype i = 0; i < parcels.size(); ++i)
        text += (points.isEmpty() && i == 0 ? u"\n"_s : u",\n"_s) + geoJsonParcel(parcels[i]);
    text += u"\n]}\n"_s;
    return text.toUtf8();
}

QByteArray kmlBytes(
    const QList<MapPoint> &points, int zone, const QList<MapParcel> &parcels, const QString &source)
{
    QString text = u"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                   u"<kml xmlns=\"http://www.opengis.net/kml/2.2\">\n"
                   u"<Document>\n"_s;
    if (!source.isEmpty())
        text += u"<ExtendedData>"_s + kmlData(u"出典"_s, source) + u"</ExtendedData>\n"_s;
    for (const MapPoint &p : points) {
        text += u"<Placemark><name>"_s + xmlText(p.name) + u"</name>"_s + kmlDescription(p)
            + u"<ExtendedData>"_s + kmlData(u"点番号"_s, p.number) + u"<Data name=\"X\"><value>"_s
            + xmlText(p.x) + u"</value></Data><Data name=\"Y\"><value>"_s + xmlText(p.y)
            + u"</value></Data>"_s + kmlData(u"標高"_s, p.elevation)
            + u"<Data name=\"系\"><value>"_s + QString::number(zone)
            + u"</value></Data></ExtendedData><Point><coordinates>"_s
            + degrees(p.position.longitude) + u',' + degrees(p.position.latitude)
            + u",0</coordinates></Point></Placemark>\n"_s;
    }
    for (const MapParcel &parcel : parcels)
        text += kmlParcel(parcel);
    text += u"</Document>\n</kml>\n"_s;
    return text.toUtf8();
}

Result<void> saveBytes(const QString &path, const QByteArray &bytes)
{
    return pointfile::save(
        path, [&bytes](QIODevice &device) { return device.write(bytes) == bytes.size(); });
}

} // namespace tavorin
