// Where the user guide's page is looked for.
#include "guide.h"

#include <QDir>
#include <QFileInfo>

namespace tavorin {

QStringList guidePlaces(const QString &programFolder)
{
    QStringList places;
    // TAVORIN_INSTALLED_GUIDE is relative to the program's folder, as
    // cmake/Guide.cmake installs the page.
    for (const QString &relative :
        { QStringLiteral(TAVORIN_INSTALLED_GUIDE), QStringLiteral("guide/guide.html") }) {
        const QString place = QDir::cleanPath(programFolder + u'/' + relative);
        if (!places.contains(place))
            places.append(place);
    }
    return places;
}

QString findGuide(const QString &programFolder)
{
    for (const QString &place : guidePlaces(programFolder)) {
        if (QFileInfo(place).isFile())
            return place;
    }
    return {};
}

} // namespace tavorin
