#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringView>

#include <algorithm>
#include <array>

namespace tavorin {

// A point as its file says it, for every use but the pocket computer: the
// plan, the exports and the command line take these, while the point table
// and the lists hold the point cut to what the pocket computer takes.
//
// Texts are as written, without the blanks round them: the SIMA record's
// fields, or for CSV the cell (X and Y as the plain decimal text the reader
// makes of a number cell, "12,345.678" as "12345.678"). The number and the
// elevation are empty where the file has none.
//
// A file of 10001 points keeps 10001 of these for as long as its points are
// listed, so the five texts are kept one after another in one string: 48
// bytes and one allocation a point, where five strings of their own take
// 128 bytes and four or five allocations. What the accessors give shares
// that string, as a copy of a QString would: no allocation, and the cut
// point that a reader makes of a short text shares it too. A text given out
// is never changed behind its back.
class FilePoint
{
public:
    // One of the texts a record is made of, as the readers have it: UTF-16,
    // or bytes that are all ASCII, which the record widens as it keeps them,
    // so that a reader needs no string of its own for them.
    class Text
    {
    public:
        Text() = default;
        Text(QStringView text)
            : m_utf16(text.utf16())
            , m_size(text.size())
        {
        }
        Text(const QString &text)
            : Text(QStringView(text))
        {
        }
        static Text ascii(QByteArrayView bytes)
        {
            Text text;
            text.m_ascii = bytes.data();
            text.m_size = bytes.size();
            return text;
        }
        qsizetype size() const { return m_size; }
        // Writes the text at out; returns where it ends.
        QChar *copyTo(QChar *out) const
        {
            auto *const to = reinterpret_cast<char16_t *>(out);
            if (m_utf16) {
                for (qsizetype i = 0; i < m_size; ++i)
                    to[i] = m_utf16[i];
            } else {
                for (qsizetype i = 0; i < m_size; ++i)
                    to[i] = char16_t(uchar(m_ascii[i]));
            }
            return out + m_size;
        }

    private:
        const char16_t *m_utf16 = nullptr;
        const char *m_ascii = nullptr;
        qsizetype m_size = 0;
    };

    FilePoint() = default;
    // number: the point number (SIMA "A01" field 2, a CSV number column);
    // name: whole; elevation: SIMA "A01" field 6, a CSV Z, H or 標高
    // column; line: the line (SIMA) or row (CSV) it came from, from 1.
    FilePoint(QString number, QString name, QString x, QString y, QString elevation, qint64 line)
        : FilePoint({ Text(number), Text(name), Text(x), Text(y), Text(elevation) }, line)
    {
    }
    // The same of texts in the order above.
    FilePoint(const std::array<Text, 5> &texts, qint64 line)
        : m_line(line)
    {
        qsizetype total = 0;
        for (const Text &text : texts)
            total += text.size();
        if (total == 0)
            return;
        // One allocation of the exact size, filled in place, each text
        // followed by a null character (the last by the string's own).
        m_text = QString(total + qsizetype(m_ends.size()), Qt::Uninitialized);
        QChar *const begin = m_text.data();
        QChar *at = begin;
        for (std::size_t i = 0; i < texts.size(); ++i) {
            at = texts[i].copyTo(at);
            if (i < m_ends.size()) {
                m_ends[i] = quint32(at - begin);
                *at++ = QChar(u'\0');
            }
        }
    }

    // Const, so that assigning to what they return does not compile.
    const QString number() const { return field(0); }
    const QString name() const { return field(1); }
    const QString x() const { return field(2); }
    const QString y() const { return field(3); }
    const QString elevation() const { return field(4); }
    qint64 line() const { return m_line; }

    friend bool operator==(const FilePoint &a, const FilePoint &b)
    {
        return a.m_ends == b.m_ends && a.m_line == b.m_line && a.m_text == b.m_text;
    }

private:
    QString field(std::size_t index) const
    {
        const qsizetype begin = index == 0 ? 0 : m_ends[index - 1] + 1;
        const qsizetype end = index == m_ends.size() ? m_text.size() : m_ends[index];
        if (begin >= end)
            return {};
        // A string may begin anywhere in its block, which counts its owners
        // whatever part of it each one shows: the text is a copy of m_text
        // narrowed to the field, without an allocation. It ends in a null
        // character as every string does, and changing it copies it first.
        QString::DataPointer shared = m_text.data_ptr();
        shared.ptr += begin;
        shared.size = end - begin;
        return QString(std::move(shared));
    }

    // Number, name, X, Y and elevation, one after another, each followed by
    // a null character; null where all five are empty.
    QString m_text;
    std::array<quint32, 4> m_ends {}; // where the number, name, X and Y end
    qint64 m_line = 0;
};

using FilePoints = QList<FilePoint>;

} // namespace tavorin

// Its text moves with it: a list of them grows and shifts by memmove.
Q_DECLARE_TYPEINFO(tavorin::FilePoint, Q_RELOCATABLE_TYPE);
