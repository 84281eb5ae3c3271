#include "startup.h"

#include "form1.h"
#include "pointtable.h"
#include "portresolver.h"
#include "userdialogs.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>

namespace tavorin {

std::unique_ptr<QTranslator> installQtTranslation()
{
    const QString beside = QCoreApplication::applicationDirPath();
    const QString folders[] = { QLibraryInfo::path(QLibraryInfo::TranslationsPath), beside,
        QDir(beside).filePath(QStringLiteral("translations")) };
    auto translator = std::make_unique<QTranslator>();
    for (const QString &folder : folders) {
        if (translator->load(QStringLiteral("qtbase_ja"), folder)
            && QCoreApplication::installTranslator(translator.get()))
            return translator;
    }
    return nullptr;
}

int runTavorin(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const std::unique_ptr<QTranslator> qtTexts = installQtTranslation();
    QtUserDialogs dialogs;
    SystemPortResolver ports;
    Form1 window(dialogs, ports, PointTable::programWide());
    window.show();
    window.openAtStart(QString());
    return QApplication::exec();
}

} // namespace tavorin
