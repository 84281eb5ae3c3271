#include "characters.h"

#include <gtest/gtest.h>

using namespace tavorin;

namespace {

TEST(Characters, CountsAndCutsByCharacterAndNeverSplitsAPair)
{
    // U+20BB7 (𠮷), a character outside the BMP: two UTF-16 units, one character.
    const QString yoshi = QString::fromUcs4(U"\U00020BB7");
    const QString text = "a" + yoshi + "bc";
    EXPECT_EQ(characters::count(text), 4);
    EXPECT_EQ(characters::left(text, 2), "a" + yoshi);
    EXPECT_EQ(characters::left(text, 1), "a");
    EXPECT_EQ(characters::right(text, 3), yoshi + "bc");
    EXPECT_EQ(characters::mid(text, 2, 2), yoshi + "b");
    EXPECT_EQ(characters::mid(text, 3, 10), "bc");
    // Out of range: what the text holds.
    EXPECT_EQ(characters::left(text, 10), text);
    EXPECT_EQ(characters::left(text, 0), "");
    EXPECT_EQ(characters::right(text, 10), text);
    EXPECT_EQ(characters::mid(text, 5, 2), "");
    EXPECT_EQ(characters::mid(text, 0, 2), "");
}

} // namespace
