#include "parceltables.h"

#include "plantext.h"

namespace tavorin {

QList<QStringList> areaTableRows(const parcels::AreaTable &table)
{
    const bool xTimes = table.form == parcels::AreaForm::XTimesDeltaY;
    QList<QStringList> rows { { plantext::PointNameHeading, plantext::XHeading, plantext::YHeading,
        xTimes ? plantext::DeltaYHeading : plantext::DeltaXHeading,
        xTimes ? plantext::XTimesDeltaYHeading : plantext::YTimesDeltaXHeading } };
    for (const parcels::AreaRow &row : table.rows)
        rows.append({ row.name, row.x, row.y, row.difference, row.product });
    const auto sum = [&rows](const QString &heading, const QString &value) {
        rows.append({ heading, {}, {}, {}, value });
    };
    sum(plantext::DoubleAreaHeading, table.doubleArea);
    sum(plantext::AreaHeading, table.area);
    sum(plantext::RegisteredAreaHeading, table.registeredArea);
    return rows;
}

QList<QStringList> sideTableRows(const parcels::SideTable &table)
{
    QList<QStringList> rows { { plantext::FromHeading, plantext::ToHeading,
        plantext::DistanceHeading, plantext::BearingHeading, plantext::FileDistanceHeading,
        plantext::FileBearingHeading, plantext::CheckHeading } };
    for (const parcels::SideRow &row : table.rows) {
        QStringList cells { row.from, row.to, row.distance, row.bearing, {}, {}, {} };
        if (row.fileSide) {
            cells[4] = row.fileSide->length;
            cells[5] = row.fileSide->bearing;
            cells[6] = row.differs ? plantext::SideDiffers : plantext::SideMatches;
        }
        rows.append(cells);
    }
    rows.append({ plantext::PerimeterHeading, {}, table.perimeter, {}, {}, {}, {} });
    return rows;
}

QString tabSeparated(const QList<QStringList> &rows)
{
    QString text;
    for (const QStringList &row : rows)
        text += row.join(u'\t') + u'\n';
    return text;
}

QString parcelName(const Parcel &parcel)
{
    return parcel.name.isEmpty() ? parcel.number : parcel.name;
}

} // namespace tavorin
