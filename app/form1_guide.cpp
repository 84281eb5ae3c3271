// F1: the user guide's page in the browser, or a message saying where it was
// looked for.
#include "form1.h"
#include "guide.h"
#include "userdialogs.h"
#include "windowtext.h"

#include <QApplication>
#include <QDir>
#include <QUrl>

namespace tavorin {

void Form1::showGuide()
{
    const QString page = findGuide(m_programFolder);
    QString prompt;
    if (page.isEmpty()) {
        QStringList places = guidePlaces(m_programFolder);
        for (QString &place : places)
            place = QDir::toNativeSeparators(place);
        prompt = windowtext::GuideMissing.arg(places.join(u'\n'));
    } else if (!m_dialogs.openUrl(QUrl::fromLocalFile(page))) {
        prompt = windowtext::GuideNotOpened.arg(QDir::toNativeSeparators(page));
    } else {
        return;
    }
    m_dialogs.messageBox(QApplication::activeWindow() ? QApplication::activeWindow() : this, prompt,
        windowtext::MessageTitle, MessageIcon::Information, MessageButtons::Ok);
}

} // namespace tavorin
