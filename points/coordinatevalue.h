#pragma once

#include <QStringView>

#include <optional>

namespace tavorin {

// A coordinate text of a point as a number: a decimal number, perhaps with a
// sign or an exponent, surrounding spaces allowed; anything else (empty,
// letters, full-width digits, infinity) is no coordinate. The plan and the
// map files place only points whose X and Y both are numbers.
std::optional<double> coordinateValue(QStringView text);

} // namespace tavorin
