#pragma once

#include <QList>
#include <QString>
#include <QStringView>

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
// listed, so the five texts share one string: 40 bytes and one allocation
// a point, where five strings would take 128 bytes and four or five.
class FilePoint
{
public:
    FilePoint() = default;
    // number: the point number (SIMA "A01" field 2, a CSV number column);
    // name: whole; elevation: SIMA "A01" field 6, a CSV Z, H or 標高
    // column; line: the line (SIMA) or row (CSV) it came from, from 1.
    FilePoint(QStringView number, QStringView name, QStringView x, QStringView y,
        QStringView elevation, qint64 line);

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
    QString field(int index) const
    {
        const qsizetype begin = index == 0 ? 0 : m_ends[std::size_t(index - 1)];
        const qsizetype end = index == 4 ? m_text.size() : m_ends[std::size_t(index)];
        return m_text.sliced(begin, end - begin);
    }

    QString m_text; // number, name, X, Y and elevation, one after another
    std::array<quint16, 4> m_ends {}; // where the number, name, X and Y end
    qint64 m_line = 0;
};

using FilePoints = QList<FilePoint>;

} // namespace tavorin
