#pragma once

#include <QString>

#include <span>

// Japan's plane rectangular coordinate systems (平面直角座標系): 19 zones,
// each a transverse Mercator projection of its own origin, X north and Y
// east.
namespace tavorin::geodesy {

struct Zone
{
    int number; // 1..19
    const char16_t *label; // as surveyors write it: "Ⅸ系"
    int originLatitude; // whole degrees north
    int originLongitudeDegrees; // the central meridian, east
    int originLongitudeMinutes;
    const char16_t *area; // the prefectures (or parts) the zone serves

    double centralMeridian() const
    {
        return originLongitudeDegrees + originLongitudeMinutes / 60.0;
    }
};

inline constexpr int ZoneCount = 19;

// A point file's zone is one of three things: a zone 1..19; Unknown (0),
// when neither the file nor the user has named one, so that a map asks;
// or Local (系なし), coordinates of a local grid (任意座標) that no map can
// place.
inline constexpr int UnknownZone = 0;
inline constexpr int LocalZone = -1;

// The entry that stands for LocalZone in menus and choosers.
inline const QString LocalZoneEntry = QStringLiteral("系なし（任意座標）");

// How a title names the zone of a file: its label ("Ⅸ系"), LocalZoneEntry,
// or "系未選択" while none is known.
QString zoneState(int zone);

// Zones I to XIX, in order.
std::span<const Zone> zones();

// The zone numbered number; nothing outside 1..19.
const Zone *zone(int number);

// The zone's label ("Ⅸ系"); empty outside 1..19.
QString zoneLabel(int number);

// The zone as a chooser lists it: its label, an ideographic space and its
// area, so that a user who knows only the prefecture finds it.
QString zoneEntry(int number);

} // namespace tavorin::geodesy
