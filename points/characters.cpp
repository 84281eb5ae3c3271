#include "characters.h"

namespace tavorin::characters {

namespace {

bool hasSurrogates(const QString &text)
{
    for (QChar c : text) {
        if (c.isSurrogate())
            return true;
    }
    return false;
}

// UTF-16 index of the character n characters after the one starting at
// unit from, or text.size(). A lone surrogate counts as one character.
qsizetype unitIndexOfCharacter(const QString &text, qsizetype n, qsizetype from = 0)
{
    qsizetype unit = from;
    for (qsizetype seen = 0; seen < n && unit < text.size(); ++seen) {
        const bool pair = text.at(unit).isHighSurrogate() && unit + 1 < text.size()
            && text.at(unit + 1).isLowSurrogate();
        unit += pair ? 2 : 1;
    }
    return unit;
}

} // namespace

qsizetype count(const QString &text)
{
    if (!hasSurrogates(text))
        return text.size();
    qsizetype characters = 0;
    for (qsizetype unit = 0; unit < text.size(); unit = unitIndexOfCharacter(text, 1, unit))
        ++characters;
    return characters;
}

QString left(const QString &text, qsizetype n)
{
    if (n <= 0)
        return {};
    if (!hasSurrogates(text))
        return text.left(n);
    return text.left(unitIndexOfCharacter(text, n));
}

QString right(const QString &text, qsizetype n)
{
    if (n <= 0)
        return {};
    if (!hasSurrogates(text))
        return text.right(n);
    const qsizetype total = count(text);
    if (n >= total)
        return text;
    return text.mid(unitIndexOfCharacter(text, total - n));
}

QString mid(const QString &text, qsizetype start, qsizetype n)
{
    if (start < 1 || n <= 0)
        return {};
    if (!hasSurrogates(text))
        return text.mid(start - 1, n);
    const qsizetype from = unitIndexOfCharacter(text, start - 1);
    const qsizetype to = unitIndexOfCharacter(text, start - 1 + n);
    return text.mid(from, to - from);
}

} // namespace tavorin::characters
