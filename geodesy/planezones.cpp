#include "planezones.h"

#include <array>

namespace tavorin::geodesy {

namespace {

// Origins and areas as the Ministry's notice of 2002 (国土交通省告示第9号)
// gives them, the areas shortened. Hokkaido's and the islands' zones split by
// municipality; the guide says so.
constexpr std::array<Zone, ZoneCount> Zones { {
    { 1, u"Ⅰ系", 33, 129, 30, u"長崎県, 鹿児島県の一部の島" },
    { 2, u"Ⅱ系", 33, 131, 0, u"福岡県, 佐賀県, 熊本県, 大分県, 宮崎県, 鹿児島県（Ⅰ系を除く）" },
    { 3, u"Ⅲ系", 36, 132, 10, u"山口県, 島根県, 広島県" },
    { 4, u"Ⅳ系", 33, 133, 30, u"香川県, 愛媛県, 徳島県, 高知県" },
    { 5, u"Ⅴ系", 36, 134, 20, u"兵庫県, 鳥取県, 岡山県" },
    { 6, u"Ⅵ系", 36, 136, 0, u"京都府, 大阪府, 福井県, 滋賀県, 三重県, 奈良県, 和歌山県" },
    { 7, u"Ⅶ系", 36, 137, 10, u"石川県, 富山県, 岐阜県, 愛知県" },
    { 8, u"Ⅷ系", 36, 138, 30, u"新潟県, 長野県, 山梨県, 静岡県" },
    { 9, u"Ⅸ系", 36, 139, 50,
        u"東京都（ⅩⅣ, ⅩⅧ, ⅩⅨ系を除く）, 福島県, 栃木県, 茨城県, 埼玉県, 千葉県, 群馬県, "
        u"神奈川県" },
    { 10, u"Ⅹ系", 40, 140, 50, u"青森県, 秋田県, 山形県, 岩手県, 宮城県" },
    { 11, u"ⅩⅠ系", 44, 140, 15, u"北海道の西部（小樽市, 函館市, 伊達市, 北斗市 など）" },
    { 12, u"ⅩⅡ系", 44, 142, 15, u"北海道の中央部（ⅩⅠ, ⅩⅢ系を除く）" },
    { 13, u"ⅩⅢ系", 44, 144, 15, u"北海道の東部（北見市, 帯広市, 釧路市, 網走市, 根室市 など）" },
    { 14, u"ⅩⅣ系", 26, 142, 0, u"東京都の小笠原" },
    { 15, u"ⅩⅤ系", 26, 127, 30, u"沖縄県（沖縄本島のあたり）" },
    { 16, u"ⅩⅥ系", 26, 124, 0, u"沖縄県の西の島々" },
    { 17, u"ⅩⅦ系", 26, 131, 0, u"沖縄県の大東諸島" },
    { 18, u"ⅩⅧ系", 20, 136, 0, u"東京都の沖ノ鳥島" },
    { 19, u"ⅩⅨ系", 26, 154, 0, u"東京都の南鳥島" },
} };

} // namespace

std::span<const Zone> zones()
{
    return Zones;
}

const Zone *zone(int number)
{
    if (number < 1 || number > ZoneCount)
        return nullptr;
    return &Zones[std::size_t(number - 1)];
}

QString zoneLabel(int number)
{
    const Zone *z = zone(number);
    return z ? QString::fromUtf16(z->label) : QString();
}

QString zoneState(int zone)
{
    if (zone == LocalZone)
        return LocalZoneEntry;
    const QString label = zoneLabel(zone);
    return label.isEmpty() ? QStringLiteral("系未選択") : label;
}

QString zoneEntry(int number)
{
    const Zone *z = zone(number);
    if (!z)
        return {};
    return QString::fromUtf16(z->label) + u'\u3000' + QString::fromUtf16(z->area);
}

} // namespace tavorin::geodesy
