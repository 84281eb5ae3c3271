// libFuzzer target: any bytes through the registry's map reader (地図XML),
// as a .xml file and, when they are a zip file, through the zip walk with
// every XML file in it read. Every input must end in a refused reading with
// nothing in it, or records, points and kinds in step, each parcel's
// vertices records of the reading, within the limits.
#include "characters.h"
#include "listline.h"
#include "mapxml.h"
#include "planezones.h"
#include "pointtable.h"
#include "registryfile.h"

#include <cstdint>
#include <cstdlib>

using namespace tavorin;
using namespace tavorin::registry;

namespace {

void check(QByteArrayView bytes)
{
    const MapReading map = readMapXml(bytes);
    const PointFileReading &reading = map.reading;
    const qsizetype count = reading.records.size();
    if (reading.ending == PointFileReading::Ending::Refused) {
        if (count != 0 || !reading.points.isEmpty() || !reading.parcels.isEmpty()
            || !map.kinds.isEmpty())
            std::abort();
        return;
    }
    if (reading.points.size() != count || map.kinds.size() != count || count > PointTable::Size)
        std::abort();
    if (reading.zone != geodesy::LocalZone && (reading.zone < 0 || reading.zone > 19))
        std::abort();
    if (mapNameOf(bytes) != map.mapName || reading.jobName != map.mapName)
        std::abort();
    // The named points first, in file order, then the corners, which have
    // no name; each point the record cut to the list's widths.
    bool corners = false;
    for (qsizetype i = 0; i < count; ++i) {
        const FilePoint &record = reading.records[i];
        const PointRecord &point = reading.points[i];
        const bool corner = map.kinds[i] == PointKind::Corner;
        if ((corners && !corner) || (corner && !record.name().isEmpty())
            || point.name != characters::cut(record.name(), ListLine::NameWidth)
            || point.x != characters::cut(record.x(), ListLine::CoordinateWidth)
            || point.y != characters::cut(record.y(), ListLine::CoordinateWidth)
            || record.line() < 1 || record.line() > bytes.size() + 1)
            std::abort();
        corners = corner;
    }
    for (const Parcel &parcel : reading.parcels) {
        if (parcel.isGood() && parcel.vertices.size() < 3)
            std::abort();
        for (qsizetype v = 0; v < parcel.vertices.size(); ++v) {
            const ParcelVertex &vertex = parcel.vertices[v];
            if (vertex.record < 0 || vertex.record >= count
                || vertex.name != reading.records[vertex.record].name()
                || (v > 0 && parcel.vertices[v - 1].record == vertex.record))
                std::abort();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    check(bytes);
    // As a file opened: a zip's XML files each read, within small limits.
    int visits = 0;
    forEachMapXml(
        bytes, QStringLiteral("fuzz.zip"),
        [&](const QString &, const QByteArray &xml) {
            ++visits;
            if (xml.data() != bytes.data())
                check(xml);
            return visits < 100;
        },
        ZipLimits { .total = quint64(64) << 20 });
    return 0;
}
