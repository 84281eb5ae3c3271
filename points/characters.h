#pragma once

#include <QString>

#include <utility>

// Texts in this program count characters, not bytes and not UTF-16 units: a
// Japanese character is one character, and so is a character outside the
// Basic Multilingual Plane (a surrogate pair). These helpers cut texts by
// character the way the column rules of the list line and the SIMA file need.
namespace tavorin::characters {

// Number of characters in text.
qsizetype count(const QString &text);

// The first n characters of text (all of it when it is shorter).
QString left(const QString &text, qsizetype n);

// The same for a text the caller gives up: text itself, without a copy, when
// it has no more than n UTF-16 units. The readers cut every field this way.
inline QString cut(QString text, qsizetype n)
{
    return text.size() <= n ? std::move(text) : left(text, n);
}

// The last n characters of text (all of it when it is shorter).
QString right(const QString &text, qsizetype n);

// Up to n characters from character position start (1-based), as far as the
// text reaches; empty when start lies past the end.
QString mid(const QString &text, qsizetype start, qsizetype n);

} // namespace tavorin::characters
