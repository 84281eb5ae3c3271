#include "mapxml.h"

#include "characters.h"
#include "listline.h"
#include "planezones.h"
#include "registrytext.h"
#include "xmlscanner.h"

#include <QHash>
#include <QSet>

#include <map>
#include <utility>
#include <vector>

namespace tavorin::registry {

namespace {

using namespace Qt::StringLiterals;

// A position a 筆界線 passes through: the GM_Point it refers to, or the X
// and Y written in it.
struct CurveVertex
{
    QByteArrayView ref; // empty for a written position
    QString x;
    QString y;
};

struct Curve
{
    bool backwards = false;
    QList<CurveVertex> vertices;
};

struct GmPoint
{
    QString x;
    QString y;
    qsizetype record = -1; // the record made of it, once there is one
};

struct NamedPoint
{
    PointKind kind;
    QString name;
    QByteArrayView ref;
    qint64 line;
};

struct Lot
{
    QString number; // 地番
    QByteArrayView ref;
    qint64 line;
};

// Calls take(name) for each element inside the current one, outermost
// first. take returns true when it has read the element through its end
// tag; otherwise the walk goes on inside it.
template <typename Take> void walk(XmlScanner &xml, Take take)
{
    int depth = 0;
    while (true) {
        switch (xml.readNext()) {
        case XmlScanner::StartElement:
            if (!take(xml.name()))
                ++depth;
            break;
        case XmlScanner::EndElement:
            if (depth-- == 0)
                return;
            break;
        case XmlScanner::Text:
            break;
        case XmlScanner::End:
        case XmlScanner::Error:
            return;
        }
    }
}

QString text(XmlScanner &xml)
{
    return xml.readElementText();
}

QByteArrayView attribute(XmlScanner &xml, QByteArrayView name)
{
    return xml.attribute(name);
}

bool isNumber(const QString &text)
{
    bool ok = false;
    text.toDouble(&ok);
    return ok;
}

// The zone a 座標系 names: 公共座標N系 is zone N (1 to 19, in half- or
// full-width digits), 任意座標系 local coordinates; anything else unknown.
int zoneOf(QString system)
{
    system = system.normalized(QString::NormalizationForm_KC);
    if (system == u"任意座標系")
        return geodesy::LocalZone;
    if (system.startsWith(u"公共座標") && system.endsWith(u'系')) {
        bool ok = false;
        const int zone = QStringView(system).sliced(4, system.size() - 5).toInt(&ok);
        if (ok && zone >= 1 && zone <= 19)
            return zone;
    }
    return geodesy::UnknownZone;
}

class MapParser
{
public:
    explicit MapParser(QByteArrayView bytes)
        : m_bytes(bytes)
        , m_xml(bytes)
    {
    }

    MapReading read()
    {
        XmlScanner::Token token = m_xml.readNext();
        while (token == XmlScanner::Text)
            token = m_xml.readNext();
        if (token != XmlScanner::StartElement || m_xml.name() != "地図")
            return MapReading::refused(0, registrytext::NotMapXml);
        walk(m_xml, [this](QByteArrayView name) { return take(name); });
        // Only blanks, comments and processing instructions may follow.
        XmlScanner::Token after = m_xml.readNext();
        while (after == XmlScanner::Text)
            after = m_xml.readNext();
        if (m_xml.hasError())
            return brokenXml();
        if (m_badCoordinateLine != 0)
            return MapReading::refused(
                0, registrytext::CoordinateNotANumber.arg(m_badCoordinateLine));
        return resolve();
    }

private:
    MapReading brokenXml()
    {
        return MapReading::refused(0, registrytext::BrokenXml.arg(m_xml.lineNumber()));
    }

    bool take(QByteArrayView name)
    {
        if (name == "GM_Point")
            readPoint();
        else if (name == "GM_Curve")
            readCurve();
        else if (name == "GM_Surface")
            readSurface();
        else if (name == "筆界点")
            readNamedPoint(PointKind::Boundary, "点番名");
        else if (name == "基準点")
            readNamedPoint(PointKind::Control, "名称");
        else if (name == "筆")
            readLot();
        else if (name == "地図名")
            text(m_xml); // read by mapNameOf, as the file's maps are chosen by it
        else if (name == "市区町村コード")
            m_map.municipalityCode = text(m_xml);
        else if (name == "市区町村名")
            m_map.municipality = text(m_xml);
        else if (name == "座標系")
            m_map.coordinateSystem = text(m_xml);
        else if (name == "測地系判別")
            m_map.datum = text(m_xml);
        else if (name == "変換プログラム")
            m_map.conversionProgram = text(m_xml);
        else
            return false;
        return true;
    }

    // The X and Y inside the current element, checked to be numbers.
    void readPosition(QString &x, QString &y)
    {
        const qint64 line = m_xml.lineNumber();
        walk(m_xml, [&](QByteArrayView name) {
            if (name == "X")
                x = text(m_xml);
            else if (name == "Y")
                y = text(m_xml);
            else
                return false;
            return true;
        });
        if (m_badCoordinateLine == 0 && (!isNumber(x) || !isNumber(y)))
            m_badCoordinateLine = line;
    }

    void readPoint()
    {
        const QByteArrayView id = attribute(m_xml, "id");
        GmPoint point;
        readPosition(point.x, point.y);
        m_pointIds.insert(id, qsizetype(m_points.size()));
        m_points.push_back(std::move(point));
    }

    void readCurve()
    {
        const QByteArrayView id = attribute(m_xml, "id");
        Curve curve;
        walk(m_xml, [&](QByteArrayView name) {
            if (name == "GM_OrientablePrimitive.orientation") {
                curve.backwards = text(m_xml) == u"-";
            } else if (name == "GM_Position.direct") {
                CurveVertex vertex;
                readPosition(vertex.x, vertex.y);
                curve.vertices.append(std::move(vertex));
            } else if (name == "GM_PointRef.point") {
                curve.vertices.append(CurveVertex { attribute(m_xml, "idref"), {}, {} });
                return false;
            } else {
                return false;
            }
            return true;
        });
        m_curves.insert(id, std::move(curve));
    }

    void readSurface()
    {
        const QByteArrayView id = attribute(m_xml, "id");
        QList<QByteArrayView> ring;
        walk(m_xml, [&](QByteArrayView name) {
            if (name == "GM_SurfaceBoundary.interior") {
                m_xml.skipCurrentElement();
                return true;
            }
            if (name != "GM_SurfaceBoundary.exterior")
                return false;
            walk(m_xml, [&](QByteArrayView inner) {
                if (inner == "GM_CompositeCurve.generator")
                    ring.append(attribute(m_xml, "idref"));
                return false;
            });
            return true;
        });
        m_surfaces.insert(id, std::move(ring));
    }

    void readNamedPoint(PointKind kind, QByteArrayView nameElement)
    {
        NamedPoint point { kind, {}, {}, m_xml.lineNumber() };
        walk(m_xml, [&](QByteArrayView name) {
            if (name == nameElement) {
                point.name = text(m_xml);
                return true;
            }
            if (name == "形状")
                point.ref = attribute(m_xml, "idref");
            return false;
        });
        m_named.push_back(std::move(point));
    }

    void readLot()
    {
        Lot lot { {}, {}, m_xml.lineNumber() };
        walk(m_xml, [&](QByteArrayView name) {
            if (name == "地番") {
                lot.number = text(m_xml);
            } else if (name == "大字名") {
                const QString district = text(m_xml);
                if (!district.isEmpty() && !m_map.districts.contains(district))
                    m_map.districts.append(district);
            } else {
                if (name == "形状")
                    lot.ref = attribute(m_xml, "idref");
                return false;
            }
            return true;
        });
        if (lot.number.startsWith(u"地区外") || lot.number.startsWith(u"別図"))
            ++m_map.parcelsLeftOut;
        else
            m_lots.push_back(std::move(lot));
    }

    void addRecord(
        PointKind kind, const QString &name, const QString &x, const QString &y, qint64 line)
    {
        PointFileReading &reading = m_map.reading;
        reading.points.append(PointRecord { characters::cut(name, ListLine::NameWidth),
            characters::cut(x, ListLine::CoordinateWidth),
            characters::cut(y, ListLine::CoordinateWidth) });
        reading.records.append(FilePoint { {}, name, x, y, {}, line });
        m_map.kinds.append(kind);
        if (!m_byPosition.empty())
            m_byPosition.try_emplace(
                std::pair { x.toDouble(), y.toDouble() }, reading.records.size() - 1);
    }

    // The record at a GM_Point, made a corner if none is yet.
    qsizetype recordOf(GmPoint &point, qint64 line)
    {
        if (point.record < 0) {
            point.record = m_map.reading.records.size();
            addRecord(PointKind::Corner, {}, point.x, point.y, line);
        }
        return point.record;
    }

    // The record at a position written into a curve: a record read before at
    // the same X and Y, else a new corner.
    qsizetype recordAt(const CurveVertex &vertex, qint64 line)
    {
        const auto key = std::pair { vertex.x.toDouble(), vertex.y.toDouble() };
        if (m_byPosition.empty()) {
            const FilePoints &records = m_map.reading.records;
            for (qsizetype i = 0; i < records.size(); ++i)
                m_byPosition.try_emplace(
                    std::pair { records[i].x().toDouble(), records[i].y().toDouble() }, i);
        }
        const auto [at, added] = m_byPosition.try_emplace(key, m_map.reading.records.size());
        if (added)
            addRecord(PointKind::Corner, {}, vertex.x, vertex.y, line);
        return at->second;
    }

    Parcel parcel(const Lot &lot)
    {
        Parcel parcel;
        parcel.name = lot.number;
        parcel.line = lot.line;
        const auto surface = m_surfaces.constFind(lot.ref);
        if (surface == m_surfaces.cend()) {
            parcel.fault = registrytext::ShapeMissing.arg(QString::fromUtf8(lot.ref));
            return parcel;
        }
        QList<ParcelVertex> &ring = parcel.vertices;
        for (const QByteArrayView curveId : *surface) {
            const auto curve = m_curves.constFind(curveId);
            if (curve == m_curves.cend()) {
                parcel.fault = registrytext::CurveMissing.arg(QString::fromUtf8(curveId));
                return parcel;
            }
            const qsizetype count = curve->vertices.size();
            for (qsizetype i = 0; i < count; ++i) {
                const CurveVertex &vertex = curve->vertices[curve->backwards ? count - 1 - i : i];
                qsizetype record = -1;
                if (vertex.ref.isEmpty()) {
                    record = recordAt(vertex, lot.line);
                } else {
                    const auto point = m_pointIds.constFind(vertex.ref);
                    if (point == m_pointIds.cend()) {
                        parcel.fault
                            = registrytext::PointMissing.arg(QString::fromUtf8(vertex.ref));
                        return parcel;
                    }
                    record = recordOf(m_points[std::size_t(*point)], lot.line);
                }
                // A curve begins where the one before it ends; a point
                // written twice in a row (by its id or its position) is
                // one vertex.
                if (!ring.isEmpty() && ring.back().record == record)
                    continue;
                if (i == 0 && !ring.isEmpty()) {
                    parcel.fault = registrytext::CurvesNotJoined;
                    return parcel;
                }
                ring.append(ParcelVertex {
                    {}, m_map.reading.records[record].name(), record, std::nullopt });
            }
        }
        if (ring.size() < 2 || ring.front().record != ring.back().record) {
            parcel.fault = registrytext::RingNotClosed;
            return parcel;
        }
        ring.removeLast();
        if (ring.size() < 3)
            parcel.fault = registrytext::TooFewVertices;
        return parcel;
    }

    MapReading resolve()
    {
        PointFileReading &reading = m_map.reading;
        // The 地図名 directly in 地図, however many elements of that name
        // lie deeper: the one a zip file's map is listed and chosen by.
        m_map.mapName = mapNameOf(m_bytes);
        reading.jobName = m_map.mapName;
        reading.zone = zoneOf(m_map.coordinateSystem);
        reading.points.reserve(qsizetype(m_named.size()));
        reading.records.reserve(qsizetype(m_named.size()));
        for (const NamedPoint &named : m_named) {
            const auto found = m_pointIds.constFind(named.ref);
            if (found == m_pointIds.cend())
                return MapReading::refused(
                    0, registrytext::PointWithoutPosition.arg(named.line).arg(named.name));
            GmPoint &point = m_points[std::size_t(*found)];
            if (point.record < 0)
                point.record = reading.records.size();
            addRecord(named.kind, named.name, point.x, point.y, named.line);
        }
        for (const Lot &lot : m_lots)
            reading.parcels.append(parcel(lot));
        if (reading.records.size() > PointTable::Size)
            return MapReading::refused(failurenumber::SubscriptOutOfRange, {});
        return std::move(m_map);
    }

    QByteArrayView m_bytes;
    XmlScanner m_xml;
    MapReading m_map;
    std::vector<GmPoint> m_points;
    QHash<QByteArrayView, qsizetype> m_pointIds;
    QHash<QByteArrayView, Curve> m_curves;
    QHash<QByteArrayView, QList<QByteArrayView>> m_surfaces;
    std::vector<NamedPoint> m_named;
    std::vector<Lot> m_lots;
    std::map<std::pair<double, double>, qsizetype> m_byPosition;
    qint64 m_badCoordinateLine = 0;
};

} // namespace

MapReading readMapXml(QByteArrayView bytes)
{
    return MapParser(bytes).read();
}

QString mapNameOf(QByteArrayView bytes)
{
    XmlScanner xml(bytes);
    XmlScanner::Token token = xml.readNext();
    while (token == XmlScanner::Text)
        token = xml.readNext();
    if (token != XmlScanner::StartElement || xml.name() != "地図")
        return {};
    while (true) {
        switch (xml.readNext()) {
        case XmlScanner::StartElement:
            if (xml.name() == "地図名")
                return xml.readElementText();
            xml.skipCurrentElement();
            break;
        case XmlScanner::Text:
            break;
        default:
            return {};
        }
    }
}

QString sourceLine(const QString &municipality)
{
    return registrytext::SourceLine.arg(municipality);
}

MapReading MapReading::refused(int failureNumber, QString message)
{
    MapReading map;
    map.reading.ending = PointFileReading::Ending::Refused;
    map.reading.failureNumber = failureNumber;
    map.reading.message = std::move(message);
    return map;
}

} // namespace tavorin::registry
