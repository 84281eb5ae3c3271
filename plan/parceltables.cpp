#include "parceltables.h"

#include "plantext.h"

namespace tavorin {

QList<QStringList> areaTableRows(const parcels::AreaTable &table)
{
    const bool xTimes = table.form == parcels::AreaForm::XTimesDeltaY;
    QList<QStringList> rows { { PlanText::PointNameHeading, PlanText::XHeading, PlanText::YHeading,
        xTimes ? PlanText::DeltaYHeading : PlanText::DeltaXHeading,
        xTimes ? PlanText::XTimesDeltaYHeading : PlanText::YTimesDeltaXHeading } };
    for (const parcels::AreaRow &row : table.rows)
        rows.append({ row.name, row.x, row.y, row.difference, row.product });
    const auto sum = [&rows](const QString &heading, const QString &value) {
        rows.append({ heading, {}, {}, {}, value });
    };
    sum(PlanText::DoubleAreaHeading, table.doubleArea);
    sum(PlanText::AreaHeading, table.area);
    sum(PlanText::RegisteredAreaHeading, table.registeredArea);
    return rows;
}

QList<QStringList> sideTableRows(const parcels::SideTable &table)
{
    QList<QStringList> rows { { PlanText::FromHeading, PlanText::ToHeading,
        PlanText::DistanceHeading, PlanText::BearingHeading, PlanText::FileDistanceHeading,
        PlanText::FileBearingHeading, PlanText::CheckHeading } };
    for (const parcels::SideRow &row : table.rows) {
        QStringList cells { row.from, row.to, row.distance, row.bearing, {}, {}, {} };
        if (row.fileSide) {
            cells[4] = row.fileSide->length;
            cells[5] = row.fileSide->bearing;
            cells[6] = row.differs ? PlanText::SideDiffers : PlanText::SideMatches;
        }
        rows.append(cells);
    }
    rows.append({ PlanText::PerimeterHeading, {}, table.perimeter, {}, {}, {}, {} });
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
