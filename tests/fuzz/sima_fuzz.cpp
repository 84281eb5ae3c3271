// libFuzzer target: any bytes through the SIMA reader, whole and from a
// device, through the code page 932 codec, and what was read through the
// writer. Every input must end in points or one failure, within the limits,
// with a record for each point that the point is cut from, and the records
// written as they are must read back the same. The parcels after the points
// resolve only to records that hold their vertex's number (or, without one,
// its name), and the good ones written with the records read back as as many.
#include "characters.h"
#include "codepage932.h"
#include "listline.h"
#include "simaparcels.h"
#include "simareader.h"
#include "simawriter.h"

#include <QBuffer>

#include <cstdint>
#include <cstdlib>

using namespace tavorin;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));

    const Result<SimaReading> reading = readSima(bytes);
    const QList<PointRecord> points = reading ? reading->points : QList<PointRecord> {};
    const int failure = reading ? reading->ending.failure() : reading.failure();
    if (points.size() > PointTable::Size)
        std::abort();
    if (failure != 0 && failure != 9 && failure != 62)
        std::abort();
    const FilePoints records = reading ? reading->records : FilePoints {};
    if (records.size() != points.size())
        std::abort();
    for (qsizetype i = 0; i < points.size(); ++i) {
        if (points[i].name != characters::left(records[i].name(), ListLine::NameWidth)
            || points[i].x != characters::left(records[i].x(), ListLine::CoordinateWidth)
            || points[i].y != characters::left(records[i].y(), ListLine::CoordinateWidth)
            || (i > 0 && records[i].line() <= records[i - 1].line()))
            std::abort();
    }
    QStringList lines;
    for (const PointRecord &point : points) {
        if (characters::count(point.name) > ListLine::NameWidth
            || characters::count(point.x) > ListLine::CoordinateWidth
            || characters::count(point.y) > ListLine::CoordinateWidth)
            std::abort();
        lines << ListLine::form(point);
    }

    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    const Result<SimaReading> fromDevice = readSima(buffer);
    if (fromDevice.ok() != reading.ok() || fromDevice.failure() != reading.failure()
        || (reading
            && (fromDevice->points != points || fromDevice->records != records
                || fromDevice->ending.failure() != failure)))
        std::abort();

    const QString text = cp932::decode(bytes);
    const QByteArray encoded = cp932::encode(text);
    // Decoding what was encoded gives the same text again, except where a
    // character was replaced: never more characters than went in.
    if (cp932::decode(encoded).size() > text.size())
        std::abort();

    const QByteArray written = simaFileBytes(lines);
    const Result<SimaReading> reread = readSima(written);
    if (!reread || !reread->ending || reread->points.size() != points.size())
        std::abort();

    // The records' own file holds as many points; its names read back the
    // same where the writer needs not replace a character the code page
    // lacks or a line end.
    const Result<SimaReading> recordsReread = readSima(simaRecordBytes(records, QString()));
    if (!recordsReread || !recordsReread->ending || recordsReread->records.size() != records.size())
        std::abort();

    const Parcels parcels = readSimaParcels(bytes, records);
    qsizetype good = 0;
    for (const Parcel &parcel : parcels) {
        for (const ParcelVertex &vertex : parcel.vertices) {
            if (vertex.record < -1 || vertex.record >= records.size())
                std::abort();
            if (vertex.record >= 0
                && (vertex.number.isEmpty() ? records[vertex.record].name() != vertex.name
                                            : records[vertex.record].number() != vertex.number))
                std::abort();
            if (vertex.record < 0 && parcel.isGood())
                std::abort();
        }
        if (parcel.isGood() && parcel.vertices.size() < 3)
            std::abort();
        good += parcel.isGood() ? 1 : 0;
    }
    const QByteArray withParcels = simaRecordBytes(records, QString(), parcels);
    const Result<SimaReading> parcelsReread = readSima(withParcels);
    if (!parcelsReread || !parcelsReread->ending || parcelsReread->records != recordsReread->records
        || readSimaParcels(withParcels, parcelsReread->records).size() != good)
        std::abort();
    return 0;
}
