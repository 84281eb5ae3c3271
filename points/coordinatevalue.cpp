#include "coordinatevalue.h"

#include <array>
#include <charconv>
#include <cmath>

namespace tavorin {

std::optional<double> coordinateValue(QStringView text)
{
    const QStringView trimmed = text.trimmed();
    std::array<char, 16> ascii {};
    if (trimmed.isEmpty() || trimmed.size() > qsizetype(ascii.size()))
        return std::nullopt;
    for (qsizetype i = 0; i < trimmed.size(); ++i) {
        const char16_t c = trimmed[i].unicode();
        if (c > 0x7f)
            return std::nullopt;
        ascii[std::size_t(i)] = char(c);
    }
    const char *first = ascii.data() + (ascii[0] == '+' ? 1 : 0);
    const char *last = ascii.data() + trimmed.size();
    double value = 0;
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace tavorin
