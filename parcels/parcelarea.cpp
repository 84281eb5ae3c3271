#include "parcelarea.h"

#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

namespace tavorin::parcels {

namespace {

// Products of millimetres and their sums: a plane coordinate is at most a few
// hundred kilometres, 10^9 mm, so a product is below 10^19 and a sum of 10^5
// of them below 10^24, well within 128 bits.
__extension__ using Wide = __int128;
__extension__ using UnsignedWide = unsigned __int128;

// value in units of 10^-decimals as a plain decimal text: "-900.120000".
// Written backwards into a buffer: a table of 10000 rows writes 20000.
QString fixed(Wide value, int decimals)
{
    char16_t buffer[48]; // 39 digits, a point, a sign and the leading zero
    char16_t *const end = buffer + std::size(buffer);
    char16_t *at = end;
    UnsignedWide magnitude
        = value < 0 ? -static_cast<UnsignedWide>(value) : static_cast<UnsignedWide>(value);
    for (int written = 0; written <= decimals || magnitude != 0; ++written) {
        if (written == decimals && decimals > 0)
            *--at = u'.';
        *--at = char16_t(u'0' + int(magnitude % 10));
        magnitude /= 10;
    }
    if (value < 0)
        *--at = u'-';
    return QString(reinterpret_cast<const QChar *>(at), end - at);
}

// The whole millimetres at or below the square root of a square of them.
qint64 flooredRoot(Wide square)
{
    auto root = static_cast<qint64>(std::sqrt(static_cast<long double>(square)));
    while (root > 0 && Wide(root) * root > square)
        --root;
    while (Wide(root + 1) * (root + 1) <= square)
        ++root;
    return root;
}

// A side's length to the millimetre, from the square of its length in
// square millimetres. Rounded half up: the nearest k, since (k + ½)² is never
// a whole number; cut: the largest k with k² ≤ square.
qint64 sideMillimetres(Wide square, DistanceRounding rounding)
{
    const qint64 root = flooredRoot(square);
    if (rounding == DistanceRounding::Cut)
        return root;
    return Wide(2 * root + 1) * (2 * root + 1) <= 4 * square ? root + 1 : root;
}

constexpr qint64 SecondsInCircle = 360 * 3600;

// The bearing of (dx north, dy east) from the X axis, clockwise, in seconds
// of arc, in [0, 360°).
double bearingSeconds(qint64 dx, qint64 dy)
{
    double degrees = std::atan2(double(dy), double(dx)) * 180.0 / std::numbers::pi;
    if (degrees < 0)
        degrees += 360.0;
    return degrees * 3600.0;
}

// "340°52′18″", rounded to the second.
QString bearingText(double seconds)
{
    const qint64 whole = std::llround(seconds) % SecondsInCircle;
    const auto degrees = int(whole / 3600);
    const auto minutes = int(whole / 60 % 60);
    const auto rest = int(whole % 60);
    char16_t text[12];
    char16_t *at = text;
    if (degrees >= 100)
        *at++ = char16_t(u'0' + degrees / 100);
    if (degrees >= 10)
        *at++ = char16_t(u'0' + degrees / 10 % 10);
    *at++ = char16_t(u'0' + degrees % 10);
    const auto twoDigits = [&at](int value, char16_t mark) {
        *at++ = char16_t(u'0' + value / 10);
        *at++ = char16_t(u'0' + value % 10);
        *at++ = mark;
    };
    *at++ = u'°';
    twoDigits(minutes, u'′');
    twoDigits(rest, u'″');
    return QString(reinterpret_cast<const QChar *>(text), at - text);
}

// A bearing written D.MMSS ("340.5218", "340.52185" with tenths of a
// second) in seconds of arc; none where the text is no such bearing.
std::optional<double> fileBearingSeconds(QStringView text)
{
    text = text.trimmed();
    const qsizetype dot = text.indexOf(u'.');
    const QStringView degreesText = dot < 0 ? text : text.first(dot);
    QString fraction = dot < 0 ? QString() : text.sliced(dot + 1).toString();
    bool ok = !degreesText.isEmpty();
    for (QChar c : degreesText)
        ok = ok && c.isDigit() && c.unicode() < 0x80;
    for (QChar c : fraction)
        ok = ok && c.isDigit() && c.unicode() < 0x80;
    if (!ok || degreesText.size() > 3)
        return std::nullopt;
    fraction = fraction.leftJustified(4, u'0');
    const int minutes = fraction.first(2).toInt();
    const double seconds = QStringView(fraction).sliced(2, 2).toInt()
        + (fraction.size() > 4 ? (QStringLiteral("0.") + fraction.sliced(4)).toDouble() : 0.0);
    if (minutes >= 60 || seconds >= 60)
        return std::nullopt;
    return degreesText.toInt() * 3600.0 + minutes * 60.0 + seconds;
}

// The vertices' coordinates in millimetres, X then Y, in ring order; none
// for a bad parcel, an index outside records or a coordinate that is no
// number.
struct Ring
{
    std::vector<qint64> x;
    std::vector<qint64> y;
};

std::optional<Ring> ringOf(const tavorin::Parcel &parcel, const tavorin::FilePoints &records)
{
    if (!parcel.isGood() || parcel.vertices.size() < 3)
        return std::nullopt;
    Ring ring;
    ring.x.reserve(parcel.vertices.size());
    ring.y.reserve(parcel.vertices.size());
    for (const tavorin::ParcelVertex &vertex : parcel.vertices) {
        if (vertex.record < 0 || vertex.record >= records.size())
            return std::nullopt;
        const tavorin::FilePoint &point = records[vertex.record];
        const std::optional<qint64> x = millimetres(point.x());
        const std::optional<qint64> y = millimetres(point.y());
        if (!x || !y)
            return std::nullopt;
        ring.x.push_back(*x);
        ring.y.push_back(*y);
    }
    return ring;
}

} // namespace

std::optional<qint64> millimetres(QStringView text)
{
    text = text.trimmed();
    bool negative = false;
    if (!text.isEmpty() && (text.front() == u'-' || text.front() == u'+')) {
        negative = text.front() == u'-';
        text = text.sliced(1);
    }
    qint64 whole = 0;
    int wholeDigits = 0;
    int decimals = 0;
    int roundDigit = 0; // the fourth decimal, which rounds the third
    bool dot = false;
    for (QChar c : text) {
        if (c == u'.' && !dot) {
            dot = true;
            continue;
        }
        if (c.unicode() < u'0' || c.unicode() > u'9')
            return std::nullopt;
        const int digit = c.unicode() - u'0';
        if (!dot) {
            if (++wholeDigits > 12) // beyond any plane coordinate
                return std::nullopt;
            whole = whole * 10 + digit;
        } else if (++decimals <= 3) {
            whole = whole * 10 + digit;
        } else if (decimals == 4) {
            roundDigit = digit;
        }
    }
    if (wholeDigits + decimals == 0)
        return std::nullopt;
    for (int d = std::min(decimals, 3); d < 3; ++d)
        whole *= 10;
    if (roundDigit >= 5)
        ++whole;
    return negative ? -whole : whole;
}

std::optional<AreaTable> areaTable(const tavorin::Parcel &parcel,
    const tavorin::FilePoints &records, AreaForm form, LandClass landClass)
{
    const std::optional<Ring> ring = ringOf(parcel, records);
    if (!ring)
        return std::nullopt;
    const std::vector<qint64> &across = form == AreaForm::XTimesDeltaY ? ring->x : ring->y;
    const std::vector<qint64> &along = form == AreaForm::XTimesDeltaY ? ring->y : ring->x;
    const auto n = qsizetype(across.size());

    AreaTable table;
    table.form = form;
    table.rows.reserve(n);
    Wide sum = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const qint64 difference = along[(i + 1) % n] - along[(i + n - 1) % n];
        const Wide product = Wide(across[i]) * difference;
        sum += product;
        const tavorin::FilePoint &point = records[parcel.vertices[i].record];
        table.rows.append(
            { point.name(), point.x(), point.y(), fixed(difference, 3), fixed(product, 6) });
    }
    const Wide doubleArea = sum < 0 ? -sum : sum;
    const Wide area = doubleArea / 2; // cut to the millionth of a square metre
    if (area > std::numeric_limits<qint64>::max())
        return std::nullopt;
    table.doubleArea = fixed(doubleArea, 6);
    table.area = fixed(area, 6);
    table.areaMicro = static_cast<qint64>(area);
    table.registeredArea = registeredAreaText(table.areaMicro, landClass);
    return table;
}

std::optional<qint64> areaMicro(const tavorin::Parcel &parcel, const tavorin::FilePoints &records)
{
    const std::optional<Ring> ring = ringOf(parcel, records);
    if (!ring)
        return std::nullopt;
    const auto n = ring->x.size();
    Wide sum = 0;
    for (std::size_t i = 0; i < n; ++i)
        sum += Wide(ring->x[i]) * (ring->y[(i + 1) % n] - ring->y[(i + n - 1) % n]);
    const Wide area = (sum < 0 ? -sum : sum) / 2;
    if (area > std::numeric_limits<qint64>::max())
        return std::nullopt;
    return static_cast<qint64>(area);
}

std::optional<SideTable> sideTable(
    const tavorin::Parcel &parcel, const tavorin::FilePoints &records, DistanceRounding rounding)
{
    const std::optional<Ring> ring = ringOf(parcel, records);
    if (!ring)
        return std::nullopt;
    const auto n = qsizetype(ring->x.size());

    SideTable table;
    table.rows.reserve(n);
    qint64 perimeter = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const qsizetype j = (i + 1) % n;
        const qint64 dx = ring->x[j] - ring->x[i];
        const qint64 dy = ring->y[j] - ring->y[i];
        const qint64 distance = sideMillimetres(Wide(dx) * dx + Wide(dy) * dy, rounding);
        const double bearing = bearingSeconds(dx, dy);
        perimeter += distance;

        SideRow row { records[parcel.vertices[i].record].name(),
            records[parcel.vertices[j].record].name(), fixed(distance, 3), bearingText(bearing),
            parcel.vertices[i].side, false };
        if (row.fileSide) {
            const std::optional<qint64> fileDistance = millimetres(row.fileSide->length);
            const std::optional<double> fileBearing = fileBearingSeconds(row.fileSide->bearing);
            double apart = fileBearing
                ? std::fmod(std::abs(*fileBearing - bearing), double(SecondsInCircle))
                : 0;
            apart = std::min(apart, SecondsInCircle - apart);
            row.differs = !fileDistance || !fileBearing || std::abs(*fileDistance - distance) > 1
                || apart > 1.0;
        }
        table.rows.append(row);
    }
    table.perimeter = fixed(perimeter, 3);
    return table;
}

QString registeredAreaText(qint64 areaMicro, LandClass landClass)
{
    constexpr qint64 SquareMetre = 1'000'000;
    if (landClass == LandClass::Other && areaMicro > 10 * SquareMetre)
        return fixed(areaMicro / SquareMetre, 0);
    return fixed(areaMicro / 10'000, 2);
}

QString landClassName(LandClass landClass)
{
    return landClass == LandClass::Residential ? QStringLiteral("宅地・鉱泉地")
                                               : QStringLiteral("その他");
}

} // namespace tavorin::parcels
