#include "codepage932.h"

#include <gtest/gtest.h>

using namespace tavorin;

namespace {

QByteArray hex(const char *digits)
{
    return QByteArray::fromHex(digits);
}

TEST(CodePage932Encode, WritesTheFileTextsByteForByte)
{
    EXPECT_EQ(cp932::encode(u"ＳＩＭＡファイル"), hex("827282688 26C8260837483408343838B"));
    EXPECT_EQ(cp932::encode(u"／　座標　／"), hex("815E81408DC09557 8140815E"));
    EXPECT_EQ(cp932::encode(u"基準点1"), hex("8AEE8F80935F31"));
    EXPECT_EQ(cp932::encode(u"ﾃﾞｰﾀ"), hex("C3DEB0C0"));
    EXPECT_EQ(cp932::encode(u"\\~"), hex("5C7E"));
}

TEST(CodePage932Encode, MissingCharactersBecomeTheirTwinOrAQuestionMark)
{
    EXPECT_EQ(cp932::encode(u"\u301C"), hex("8160"));
    EXPECT_EQ(cp932::encode(u"\u2212"), hex("817C"));
    EXPECT_EQ(cp932::encode(u"\u00A5"), hex("5C"));
    // A Latin letter with diaeresis and an emoji have no place in the page.
    EXPECT_EQ(cp932::encode(u"A\u00E4B"), hex("413F42"));
    EXPECT_EQ(cp932::encode(QString::fromUcs4(U"x\U0001F600y")), hex("783F79"));
}

TEST(CodePage932Decode, ReadsBackWhatItWrites)
{
    const QString text = QStringLiteral("G00, 1,ＳＩＭＡファイル 基準点1 ﾃﾞｰﾀ \\~ ～");
    EXPECT_EQ(cp932::decode(cp932::encode(text)), text);
    EXPECT_EQ(cp932::decode(hex("8160")), QStringLiteral("\uFF5E"));
}

TEST(CodePage932Decode, EachBadByteOrPairBecomesOneReplacementAndNothingIsLost)
{
    const QString r(QChar(0xFFFD));
    const auto s = [](const char16_t *text) { return QString::fromUtf16(text); };
    EXPECT_EQ(cp932::decode(hex("41FF42")), s(u"A") + r + s(u"B"));
    EXPECT_EQ(cp932::decode(hex("418020A042")), s(u"A") + r + s(u" ") + r + s(u"B"));
    // A lead byte with a trail that cannot follow it: the trail is read on.
    EXPECT_EQ(cp932::decode(hex("81203132")), r + s(u" 12"));
    // A well-formed pair the page does not map.
    EXPECT_EQ(cp932::decode(hex("85404142")), r + s(u"AB"));
    // A lead byte at the very end is not dropped silently.
    EXPECT_EQ(cp932::decode(hex("414281")), s(u"AB") + r);
    EXPECT_EQ(cp932::decode(hex("FDFEFF")), r + r + r);
}

TEST(CodePage932Controls, AsciiControlsReadAndWriteAsThemselves)
{
    // The ICU table behind Qt turns 1A, 1C and 7F into one another.
    const QByteArray controls = hex("1A1C7F411A");
    const QString text = QString::fromLatin1(controls);
    EXPECT_EQ(cp932::decode(controls), text);
    EXPECT_EQ(cp932::decode(hex("82A01A82A0")), u"あ\x1Aあ"_qs);
    EXPECT_EQ(cp932::encode(text), controls);
    EXPECT_EQ(cp932::encode(u"あ\x7F\u00E4"_qs), hex("82A07F3F"));
}

} // namespace
