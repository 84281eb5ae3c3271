#include "filepoint.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <memory>

using namespace tavorin;
using namespace Qt::StringLiterals;

namespace {

using Texts = std::array<QString, 5>;

Texts textsOf(const FilePoint &p)
{
    return { p.number(), p.name(), p.x(), p.y(), p.elevation() };
}

// Texts of every kind a record keeps: ASCII, kanji, a character outside the
// BMP, empty fields anywhere, a null character inside a text, a text longer
// than any reader gives.
const Texts Cases[] = {
    Texts { "12", "P1", "-23795.960", "-32832.251", "10.250" },
    Texts { QString(), u"境界杭北側"_s, "1", "2", {} },
    Texts { QString(), QString::fromUcs4(U"\U00020BB7A"), {}, {}, {} },
    Texts { QString(), {}, {}, {}, "9" },
    Texts { QString(), {}, {}, {}, {} },
    Texts { "A", QStringView(u"B\0C", 3).toString(), "", "D", "" },
    Texts { "7", QString(70000, u'N'), "1", "2", "3" },
};

// Each text as given, whether given as strings or as the readers give them
// (ASCII bytes, or UTF-16 for the rest), and ending in a null character as
// every string does.
TEST(FilePoint, GivesBackEachTextAsGiven)
{
    for (const Texts &texts : Cases) {
        const FilePoint given(texts[0], texts[1], texts[2], texts[3], texts[4], 5);
        std::array<QByteArray, 5> bytes;
        std::array<FilePoint::Text, 5> pieces;
        for (std::size_t i = 0; i < texts.size(); ++i) {
            const bool ascii = std::all_of(
                texts[i].cbegin(), texts[i].cend(), [](QChar c) { return c.unicode() < 0x80; });
            bytes[i] = texts[i].toLatin1();
            pieces[i] = ascii ? FilePoint::Text::ascii(bytes[i]) : FilePoint::Text(texts[i]);
        }
        const FilePoint read(pieces, 5);
        EXPECT_EQ(textsOf(given), texts) << texts[1].left(20).toStdString();
        EXPECT_EQ(read, given) << texts[1].left(20).toStdString();
        EXPECT_EQ(read.line(), 5);
        for (const QString &text : textsOf(read))
            EXPECT_EQ(text.utf16()[text.size()], 0) << text.left(20).toStdString();
    }
    EXPECT_NE(FilePoint("AB", "", "1", "2", "", 1), FilePoint("A", "B", "1", "2", "", 1));
    EXPECT_NE(FilePoint("A", "B", "1", "2", "", 1), FilePoint("A", "B", "1", "2", "", 2));
}

// A text given out is the caller's: changing it leaves the record and its
// other texts as they were, and it outlives the record.
TEST(FilePoint, TextsGivenOutAreTheCallersOwn)
{
    auto record = std::make_unique<FilePoint>("12", "P1", "-1.5", "2.25", "3", 1);
    QString name = record->name();
    name.append(u"XYZ"_s);
    name[0] = u'Q';
    QString x = record->x();
    x.resize(1);
    x.squeeze();
    EXPECT_EQ(textsOf(*record), (Texts { "12", "P1", "-1.5", "2.25", "3" }));
    EXPECT_EQ(name, "Q1XYZ");
    EXPECT_EQ(x, "-");

    // The last holder of the block may write in it, over the texts after
    // its own: no one else sees them any more.
    QString y = record->y();
    record.reset();
    y.append(u"+more"_s);
    EXPECT_EQ(y, "2.25+more");
    EXPECT_EQ(y.utf16()[y.size()], 0);
}

} // namespace
