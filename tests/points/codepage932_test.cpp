#include "codepage932.h"

#include <gtest/gtest.h>

using namespace tavorin;
using namespace Qt::StringLiterals;

namespace {

// Control characters that IBM's variant of the page swaps; code page 932
// reads and writes them as themselves.
const QString Controls = QString::fromLatin1("\x1A\x1C\x7F");

TEST(CodePage932, EncodesKatakanaControlsAndMissingCharactersAsTheirTwinOrAQuestionMark)
{
    const std::pair<QString, const char *> cases[] = {
        { u"ﾃﾞｰﾀ\\~"_s, "C3DEB0C05C7E" },
        { u"\u301C\u2212\u00A5"_s, "8160817C5C" },
        // A Latin letter with diaeresis and an emoji have no place in the page.
        { QString::fromUcs4(U"A\u00E4B\U0001F600y"), "413F423F79" },
        { u"あ"_s + Controls + "A", "82A01A1C7F41" },
        // Kanji from both ranges of lead bytes; ≒ and ∵ also read from a
        // later row (87 90, 87 97, FA 5B) and are written as their first code.
        { u"亜日滌漾熙黑≒∵"_s, "889F93FA9FFCE040EAA4FC4B81E081E6" },
        // Every character Windows writes by best fit as its twin's code (¢ as
        // ￠ 81 91, ...), and IBM's extensions written from rows FA to FC
        // rather than NEC's rows ED and EE, as Windows writes them.
        { u"¢£¬—‖‾\uF86Fⅰ纊"_s, "8191819281CA815C81617E8782FA40FA5C" },
    };
    for (const auto &[text, bytes] : cases)
        EXPECT_EQ(cp932::encode(text).toHex().toUpper().toStdString(), bytes);
}

TEST(CodePage932, DecodesEachBadByteOrPairAsOneReplacementAndLosesNothing)
{
    const QString r(QChar(0xFFFD));
    const std::pair<const char *, QString> cases[] = {
        { "5C7E8160", u"\\~\uFF5E"_s },
        { "41FF8020A042", "A" + r + r + " " + r + "B" },
        // A lead byte with a trail that cannot follow it: the trail is read on.
        { "81203132", r + " 12" },
        // A well-formed pair the page does not map.
        { "85404142", r + "AB" },
        // A lead byte at the very end is not dropped silently.
        { "414281", "AB" + r },
        { "82A01A1C7F411A82A0", u"あ"_s + Controls + u"A\x1Aあ"_s },
        { "889F93FA9FFCE040EAA4ED40FC4B8790FA5B", u"亜日滌漾熙纊黑≒∵"_s },
        // 7F follows no lead byte.
        { "817F41", r + u"\x7F"_s + "A" },
    };
    for (const auto &[bytes, text] : cases)
        EXPECT_EQ(cp932::decode(QByteArray::fromHex(bytes)).toStdString(), text.toStdString())
            << bytes;
}

} // namespace
