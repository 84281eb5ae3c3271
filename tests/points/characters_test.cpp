#include "characters.h"

#include <gtest/gtest.h>

using namespace tavorin;

namespace {

// U+20BB7 (𠮷), a character outside the BMP: two UTF-16 units, one character.
const QString Yoshi = QString::fromUcs4(U"\U00020BB7");

TEST(Characters, CountsCharactersNotUnitsOrBytes)
{
    EXPECT_EQ(characters::count(QStringLiteral("A1")), 2);
    EXPECT_EQ(characters::count(QStringLiteral("基準点1")), 4);
    EXPECT_EQ(characters::count(Yoshi + QStringLiteral("ab")), 3);
    EXPECT_EQ(characters::count(QString()), 0);
}

TEST(Characters, CutsByCharacterAndNeverSplitsAPair)
{
    const QString text = QStringLiteral("a") + Yoshi + QStringLiteral("bc");
    EXPECT_EQ(characters::left(text, 2), QStringLiteral("a") + Yoshi);
    EXPECT_EQ(characters::left(text, 1), QStringLiteral("a"));
    EXPECT_EQ(characters::right(text, 3), Yoshi + QStringLiteral("bc"));
    EXPECT_EQ(characters::mid(text, 2, 2), Yoshi + QStringLiteral("b"));
    EXPECT_EQ(characters::mid(text, 3, 10), QStringLiteral("bc"));
    // Out of range: what the text holds.
    EXPECT_EQ(characters::left(text, 10), text);
    EXPECT_EQ(characters::left(text, 0), QString());
    EXPECT_EQ(characters::right(text, 10), text);
    EXPECT_EQ(characters::mid(text, 5, 2), QString());
    EXPECT_EQ(characters::mid(text, 0, 2), QString());
}

} // namespace
