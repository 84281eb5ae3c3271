#pragma once

#include <QString>

// The texts of the plan window. The caption doubles as the menu item that
// opens it; the count of points without coordinates reads
// NoCoordinatesPrefix, the number, NoCoordinatesSuffix.
namespace tavorin::PlanText {

using namespace Qt::StringLiterals;

inline const QString Caption = u"配置図"_s;
inline const QString NoCoordinatesPrefix = u"座標なし "_s;
inline const QString NoCoordinatesSuffix = u"点"_s;
// The button that fits every point into the window again.
inline const QString FitCaption = u"全体表示"_s;

} // namespace tavorin::PlanText
