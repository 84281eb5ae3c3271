#include "registryfile.h"

#include "failure.h"
#include "pointfile.h"
#include "registrytext.h"
#include "zipcalls.h"

#include <QFileInfo>

#include <zip.h>

#include <memory>

namespace tavorin::registry {

namespace {

using namespace Qt::StringLiterals;

// The largest XML file taken from a zip file: a whole prefecture's maps are
// far smaller.
constexpr zip_uint64_t LargestEntry = zip_uint64_t(1) << 30;

// What is left of a walk's limits as entries are unpacked.
struct Budget
{
    ZipLimits limits;
    zip_uint64_t unpacked = 0;
};

// A limit as the message gives it: "8GB", "1MB".
QString sizeText(quint64 bytes)
{
    return bytes >= (quint64(1) << 30) ? u"%1GB"_s.arg(bytes >> 30) : u"%1MB"_s.arg(bytes >> 20);
}

bool isZip(const QByteArray &bytes)
{
    return bytes.startsWith("PK\x03\x04") || bytes.startsWith("PK\x05\x06");
}

bool endsWith(const QString &name, QStringView extension)
{
    return name.endsWith(extension, Qt::CaseInsensitive);
}

struct ZipCloser
{
    void operator()(zip_t *archive) const { zipCalls()->discard(archive); }
};

// Walks the zip file in bytes (depth 0 the file itself, 1 a zip inside it).
// Returns false when visit asked to stop; message is set on a failure.
bool walkZip(const QByteArray &bytes, const QString &prefix, int depth,
    const std::function<bool(const QString &, const QByteArray &)> &visit, QString &message,
    bool &foundXml, Budget &budget)
{
    const ZipCalls *const calls = zipCalls();
    if (calls == nullptr) {
        message = registrytext::NoZipLibrary;
        return false;
    }
    const ZipCalls &lib = *calls;
    zip_error_t error;
    lib.errorInit(&error);
    zip_source_t *source
        = lib.sourceBufferCreate(bytes.constData(), zip_uint64_t(bytes.size()), 0, &error);
    if (source == nullptr) {
        lib.errorFini(&error);
        message = registrytext::BrokenZip;
        return false;
    }
    std::unique_ptr<zip_t, ZipCloser> archive(lib.openFromSource(source, ZIP_RDONLY, &error));
    lib.errorFini(&error);
    if (!archive) {
        lib.sourceFree(source);
        message = registrytext::BrokenZip;
        return false;
    }
    const zip_int64_t count = lib.getNumEntries(archive.get(), 0);
    for (zip_int64_t index = 0; index < count; ++index) {
        const char *rawName = lib.getName(archive.get(), zip_uint64_t(index), ZIP_FL_ENC_GUESS);
        const QString name = rawName ? QString::fromUtf8(rawName) : QString();
        const bool xml = endsWith(name, u".xml");
        if (!xml && !(endsWith(name, u".zip") && depth == 0))
            continue;
        zip_stat_t stat;
        if (lib.statIndex(archive.get(), zip_uint64_t(index), 0, &stat) != 0
            || (stat.valid & ZIP_STAT_SIZE) == 0) {
            message = registrytext::BrokenZip;
            return false;
        }
        if (stat.size > LargestEntry) {
            message = registrytext::MapTooLarge;
            return false;
        }
        // Told from the sizes the zip file gives, before anything is
        // unpacked: an entry that a few bytes would blow up to gigabytes,
        // and a file that, nested zips and all, unpacks to more than the
        // limit.
        const zip_uint64_t packed = (stat.valid & ZIP_STAT_COMP_SIZE) ? stat.comp_size : 0;
        if (stat.size > budget.limits.smallEntry && stat.size / budget.limits.ratio > packed) {
            message = registrytext::ZipEntrySuspicious.arg(prefix + u'/' + name);
            return false;
        }
        if (stat.size > budget.limits.total - budget.unpacked) {
            message = registrytext::ZipTooLarge.arg(sizeText(budget.limits.total));
            return false;
        }
        budget.unpacked += stat.size;
        QByteArray entry(qsizetype(stat.size), Qt::Uninitialized);
        zip_file_t *file = lib.fopenIndex(archive.get(), zip_uint64_t(index), 0);
        const zip_int64_t read = file ? lib.fread(file, entry.data(), stat.size) : zip_int64_t(-1);
        if (file)
            lib.fclose(file);
        if (read < 0 || zip_uint64_t(read) != stat.size) {
            message = registrytext::BrokenZip;
            return false;
        }
        const QString path = prefix + u'/' + name;
        if (xml) {
            foundXml = true;
            if (!visit(path, entry))
                return false;
        } else if (!walkZip(entry, path, depth + 1, visit, message, foundXml, budget)) {
            return false;
        }
    }
    return true;
}

} // namespace

bool isRegistryPath(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix();
    return suffix.compare(u"xml", Qt::CaseInsensitive) == 0
        || suffix.compare(u"zip", Qt::CaseInsensitive) == 0;
}

QString forEachMapXml(const QByteArray &bytes, const QString &name,
    const std::function<bool(const QString &entry, const QByteArray &xml)> &visit,
    const ZipLimits &limits)
{
    if (!isZip(bytes)) {
        visit(name, bytes);
        return {};
    }
    QString message;
    bool foundXml = false;
    Budget budget { limits };
    walkZip(bytes, name, 0, visit, message, foundXml, budget);
    if (message.isEmpty() && !foundXml)
        message = registrytext::NoMapInZip;
    return message;
}

namespace {

// The whole file at path, or the failure that stopped reading it.
Result<QByteArray> fileBytes(const QString &path)
{
    Result<std::unique_ptr<QFile>> file = pointfile::openToRead(path);
    if (!file)
        return Failure { file.failure() };
    QByteArray bytes = (*file)->readAll();
    if ((*file)->error() != QFileDevice::NoError)
        return Failure { failurenumber::DeviceIoError };
    return bytes;
}

} // namespace

MapListing listMaps(const QString &path)
{
    MapListing listing;
    const Result<QByteArray> bytes = fileBytes(path);
    if (!bytes) {
        listing.failureNumber = bytes.failure();
        return listing;
    }
    listing.message = forEachMapXml(*bytes, QFileInfo(path).fileName(),
        [&listing](const QString &entry, const QByteArray &xml) {
            const MapReading map = readMapXml(xml);
            if (map.reading.ending == PointFileReading::Ending::Refused) {
                listing.failureNumber = map.reading.failureNumber;
                listing.message = map.reading.message;
                return false;
            }
            listing.maps.append(MapSummary { entry, map.mapName, map.districts,
                qsizetype(std::count_if(map.kinds.cbegin(), map.kinds.cend(),
                    [](PointKind kind) { return kind != PointKind::Corner; })) });
            return true;
        });
    if (!listing.ok())
        listing.maps.clear();
    return listing;
}

namespace {

// The map of the file at path for which choose, given its place among the
// file's maps and its bytes, returns true; the only map where choose is null.
MapReading readChosenMap(const QString &path, const QString &missing,
    const std::function<bool(qsizetype index, const QByteArray &xml)> &choose)
{
    const Result<QByteArray> bytes = fileBytes(path);
    if (!bytes)
        return MapReading::refused(bytes.failure(), {});
    QByteArray chosen;
    qsizetype maps = 0;
    const QString message = forEachMapXml(
        *bytes, QFileInfo(path).fileName(), [&](const QString &, const QByteArray &xml) {
            const qsizetype index = maps++;
            if (!choose) {
                if (index == 0)
                    chosen = xml;
                return true;
            }
            if (!choose(index, xml))
                return true;
            chosen = xml;
            return false;
        });
    if (!message.isEmpty())
        return MapReading::refused(0, message);
    if (!choose && maps > 1)
        return MapReading::refused(0, registrytext::SeveralMaps.arg(maps));
    if (chosen.isNull())
        return MapReading::refused(0, registrytext::MapNotFound.arg(missing));
    return readMapXml(chosen);
}

} // namespace

MapReading readMapFile(const QString &path, const QString &mapName)
{
    if (mapName.isEmpty())
        return readChosenMap(path, {}, {});
    return readChosenMap(path, mapName,
        [&mapName](qsizetype, const QByteArray &xml) { return mapNameOf(xml) == mapName; });
}

MapReading readMapAt(const QString &path, qsizetype index)
{
    return readChosenMap(path, QString::number(index + 1),
        [index](qsizetype at, const QByteArray &) { return at == index; });
}

} // namespace tavorin::registry
