// The user guide's page: where it is looked for, and F1, which shows it.
#include "guide.h"

#include "form1.h"
#include "userdialogs.h"
#include "windowtext.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

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

void Form1::showGuide()
{
    const QString page = findGuide(m_programFolder);
    QString prompt;
    if (page.isEmpty()) {
        QStringList places = guidePlaces(m_programFolder);
        for (QString &place : places)
            place = QDir::toNativeSeparators(place);
        prompt = WindowText::GuideMissing.arg(places.join(u'\n'));
    } else if (!m_dialogs.openUrl(QUrl::fromLocalFile(page))) {
        prompt = WindowText::GuideNotOpened.arg(QDir::toNativeSeparators(page));
    } else {
        return;
    }
    m_dialogs.messageBox(QApplication::activeWindow() ? QApplication::activeWindow() : this, prompt,
        WindowText::MessageTitle, MessageIcon::Information, MessageButtons::Ok);
}

} // namespace tavorin
