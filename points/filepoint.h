#pragma once

#include <QList>
#include <QString>
#include <QStringView>

#include <utility>

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
// The texts are reached through accessors that give a copy, which shares
// the text: what a reader hands on is never changed behind its back.
class FilePoint
{
public:
    FilePoint() = default;
    // number: the point number (SIMA "A01" field 2, a CSV number column);
    // name: whole; elevation: SIMA "A01" field 6, a CSV Z, H or 標高
    // column; line: the line (SIMA) or row (CSV) it came from, from 1.
    FilePoint(QString number, QString name, QString x, QString y, QString elevation, qint64 line)
        : m_number(std::move(number))
        , m_name(std::move(name))
        , m_x(std::move(x))
        , m_y(std::move(y))
        , m_elevation(std::move(elevation))
        , m_line(line)
    {
    }

    // Const, so that assigning to what they return does not compile.
    const QString number() const { return m_number; }
    const QString name() const { return m_name; }
    const QString x() const { return m_x; }
    const QString y() const { return m_y; }
    const QString elevation() const { return m_elevation; }
    qint64 line() const { return m_line; }

    friend bool operator==(const FilePoint &, const FilePoint &) = default;

private:
    QString m_number;
    QString m_name;
    QString m_x;
    QString m_y;
    QString m_elevation;
    qint64 m_line = 0;
};

using FilePoints = QList<FilePoint>;

} // namespace tavorin

// Its texts move with it: a list of them grows and shifts by memmove.
Q_DECLARE_TYPEINFO(tavorin::FilePoint, Q_RELOCATABLE_TYPE);
