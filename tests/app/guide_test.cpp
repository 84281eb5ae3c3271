// The user guide's page: where the program looks for it, and F1 in the window
// and in the plan, which hands it to the browser or says where it belongs.
#include "guide.h"
#include "planwindow.h"
#include "windowfixture.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace tavorin;
using namespace tavorin::test;
using namespace Qt::StringLiterals;

namespace {

// Where an installation puts the page, from the folder of the prefix that
// holds bin/: beside tavorin.exe on Windows, the program's data folder
// elsewhere.
#ifdef Q_OS_WIN
const QString InstalledPage = u"bin/guide/guide.html"_s;
#else
const QString InstalledPage = u"share/tavorin/guide/guide.html"_s;
#endif
const QString BuildPage = u"bin/guide/guide.html"_s;

void makeFile(const QString &path)
{
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path())) << path.toStdString();
    writeFile(path, {});
}

TEST(GuidePlaces, TheInstalledPageComesFirstThenTheBuildFoldersCopyNeverAFolder)
{
    // The files and folders made under the prefix, and the page found.
    const std::tuple<QStringList, QStringList, QString> cases[] = {
        { { InstalledPage, BuildPage }, {}, InstalledPage },
        { { InstalledPage }, {}, InstalledPage },
        { { BuildPage }, {}, BuildPage },
        { {}, { InstalledPage }, u""_s },
        { {}, {}, u""_s },
    };
    for (const auto &[files, folders, found] : cases) {
        QTemporaryDir prefix;
        for (const QString &file : files)
            makeFile(prefix.filePath(file));
        for (const QString &folder : folders)
            ASSERT_TRUE(QDir().mkpath(prefix.filePath(folder)));
        const QString program = prefix.filePath(u"bin"_s);
        EXPECT_EQ(findGuide(program), found.isEmpty() ? QString() : prefix.filePath(found))
            << files.join(u' ').toStdString();
    }
}

using GuideKey = WindowTest;

TEST_F(GuideKey, F1InTheWindowOrThePlanOpensThePageOrSaysWhereItBelongs)
{
    QTemporaryDir prefix;
    form->setProgramFolder(prefix.filePath(u"bin"_s));
    // F1 in window, made the active one as a click would.
    const auto pressF1 = [](QWidget *window) {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        QTest::keyClick(window, Qt::Key_F1);
    };
    pressF1(form.get());
    EXPECT_TRUE(dialogs.openedUrls.isEmpty());
    QStringList places { QDir::toNativeSeparators(prefix.filePath(InstalledPage)) };
    if (InstalledPage != BuildPage)
        places << QDir::toNativeSeparators(prefix.filePath(BuildPage));
    EXPECT_EQ(prompts(),
        QStringList(u"メッセージ|使い方のページが見つかりませんでした。次の場所にあるはずです。\n"_s
            + places.join(u'\n')
            + u"\n\n使い方は、Tavorin のソースの docs/guide.md でも読めます。"_s));
    EXPECT_EQ(std::pair(dialogs.messages.value(0).icon, dialogs.messages.value(0).buttons),
        std::pair(MessageIcon::Information, MessageButtons::Ok));

    dialogs.clearRecord();
    makeFile(prefix.filePath(BuildPage));
    pressF1(form.get());
    menuAction(u"PlanView"_s)->trigger();
    auto *plan = form->findChild<PlanWindow *>();
    ASSERT_NE(plan, nullptr);
    makeFile(prefix.filePath(InstalledPage));
    pressF1(plan);
    EXPECT_EQ(dialogs.openedUrls,
        QList<QUrl>({ QUrl::fromLocalFile(prefix.filePath(BuildPage)),
            QUrl::fromLocalFile(prefix.filePath(InstalledPage)) }));
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

} // namespace
