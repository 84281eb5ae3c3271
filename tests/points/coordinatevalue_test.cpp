#include "coordinatevalue.h"

#include <QString>

#include <gtest/gtest.h>

#include <optional>

using namespace tavorin;
using namespace Qt::StringLiterals;

// What places a point on the plan and the map: a decimal number with one
// sign at most, of any length a file writes; nothing else.
TEST(CoordinateValue, ANumberWithOneSignOrNothing)
{
    const std::pair<QString, std::optional<double>> cases[] = { { u"-23795.960"_s, -23795.96 },
        { u"  +3 "_s, 3 }, { u"1.5E-3"_s, 0.0015 }, { u"1234567.890123456"_s, 1234567.890123456 },
        { u"+-5"_s, std::nullopt }, { u"++5"_s, std::nullopt }, { u"--5"_s, std::nullopt },
        { u"+"_s, std::nullopt }, { u""_s, std::nullopt }, { u"12a"_s, std::nullopt },
        { u"１２"_s, std::nullopt }, { u"inf"_s, std::nullopt }, { u"1e999"_s, std::nullopt },
        { QString(65, u'1'), std::nullopt } };
    for (const auto &[text, value] : cases)
        EXPECT_EQ(coordinateValue(text), value) << text.toStdString();
}
