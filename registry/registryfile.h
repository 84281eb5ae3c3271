#pragma once

#include "mapxml.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// Opening the registry's map files as they are distributed: a 地図XML file,
// a zip file holding 地図XML files, or a municipality's zip file holding a
// zip file for each map. What a file holds is told by its bytes, not by its
// extension.
namespace tavorin::registry {

// True for a path whose extension is .xml or .zip, in any case: the files a
// file dialog offers as the registry's maps.
bool isRegistryPath(const QString &path);

// One map in a file.
struct MapSummary
{
    QString entry; // where it lies: "46505-3411-1.zip/46505-3411-1.xml"; the file name for a .xml
    QString mapName; // 地図名
    QStringList districts; // the 大字名 of its 筆, each once
    qsizetype pointCount = 0; // its 筆界点 and 基準点
};

// The maps a file holds, in the order they lie in it; or why none can be
// listed: failureNumber for a file that cannot be opened or read (as a SIMA
// file: 53, 76, 75, 70, 57), else message.
struct MapListing
{
    QList<MapSummary> maps;
    int failureNumber = 0;
    QString message;

    bool ok() const { return failureNumber == 0 && message.isEmpty(); }
};

MapListing listMaps(const QString &path);

// Reads the map called mapName (its 地図名) in the file at path: the first of
// that name. An empty mapName reads the file's only map, and refuses a file
// of several (registrytext::SeveralMaps).
MapReading readMapFile(const QString &path, const QString &mapName = {});

// Reads the map at index in the file's listing (listMaps), which tells apart
// two maps of the same 地図名; a refusal (registrytext::MapNotFound) for an
// index past the last.
MapReading readMapAt(const QString &path, qsizetype index);

// How far a zip file is unpacked: what guards against a file made to blow up
// when unpacked (a zip bomb) rather than to hold maps.
struct ZipLimits
{
    // The bytes unpacked from the file in all, its zip files and the XML
    // files in them counted alike. A municipality's maps unpack to far less.
    quint64 total = quint64(8) << 30;
    // How many times its packed size an entry larger than smallEntry may
    // unpack to. 地図XML packs about 30 to 1 (the real file of 屋久島町:
    // 333,383 bytes in 11,726), a zip inside a zip about 1 to 1; a run of
    // zeros packs about 1000 to 1.
    quint64 ratio = 200;
    quint64 smallEntry = quint64(1) << 20;
};

// The 地図XML files in bytes, which are a 地図XML file or a zip file as
// above: calls visit with each one's entry (name is the file's own name, for
// entries in a zip "outer/inner") and bytes, in the order they lie, until
// visit returns false. Returns the message to show when the bytes are a zip
// file that cannot be read or holds no XML file; empty otherwise. A zip file
// inside a zip inside a zip is not opened, nor an XML file of more than 1 GiB,
// and a zip file past limits is refused (registrytext::ZipTooLarge,
// ZipEntrySuspicious) before the entry past them is unpacked; the entries
// before it have been visited.
QString forEachMapXml(const QByteArray &bytes, const QString &name,
    const std::function<bool(const QString &entry, const QByteArray &xml)> &visit,
    const ZipLimits &limits = {});

} // namespace tavorin::registry
