#include "coordinatevalue.h"

#include <array>
#include <charconv>
#include <cmath>

namespace tavorin {

std::optional<double> coordinateValue(QStringView text)
{
    const QStringView trimmed = text.trimmed();
    // Room for any coordinate a file writes in full (the point table's 13
    // columns, or a record's whole field); longer is no coordinate.
    std::array<char, 64> ascii {};
    if (trimmed.isEmpty() || trimmed.size() > qsizetype(ascii.size()))
        return std::nullopt;
    for (qsizetype i = 0; i < trimmed.size(); ++i) {
        const char16_t c = trimmed[i].unicode();
        if (c > 0x7f)
            return std::nullopt;
        ascii[std::size_t(i)] = char(c);
    }
    // from_chars takes a minus but no plus: a plus is passed over, but one
    // sign only ("+-5" is no number).
    const bool plus = ascii[0] == '+';
    if (plus && (ascii[1] == '-' || ascii[1] == '+'))
        return std::nullopt;
    const char *first = ascii.data() + (plus ? 1 : 0);
    const char *last = ascii.data() + trimmed.size();
    double value = 0;
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace tavorin
