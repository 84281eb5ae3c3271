#include "csvfile.h"
#include "csvwriter.h"
#include "failure.h"
#include "listline.h"
#include "simafile.h"
#include "simawriter.h"
#include "startup.h"
#include "windowfixture.h"

#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>

#ifdef Q_OS_LINUX
#include "childfailure.h"
#endif

using namespace tavorin;
using namespace Qt::StringLiterals;
using namespace tavorin::test;

namespace {

class SimaFileMenu : public WindowTest
{
protected:
    QString path(const QString &name) const { return dir.filePath(name); }

    void choose(const char *command, std::optional<QString> chosen)
    {
        dialogs.chooseNextFile(std::move(chosen));
        menuAction(command)->trigger();
    }
    void load(const QString &chosen) { choose("SimFileLoad", chosen); }
    void save(const QString &chosen) { choose("SimFileSave", chosen); }

    QStringList list1() const { return list(1)->lines(); }

    // Loads two points, for a later failure to leave unchanged.
    void loadTwoPoints()
    {
        writeFile(path("two.sim"), "A00,\r\nA01,1,OLD1,1,2,,\r\nA01,2,OLD2,3,4,,\r\nA99,\r\n");
        load(path("two.sim"));
        ASSERT_EQ(list1(), QStringList({ "OLD1", "OLD2" }));
        dialogs.clearRecord();
    }

    QTemporaryDir dir;
};

// Points saved as a SIMA file over another file and loaded list and store
// the same points, in the transfer list's order, and leave the table's
// further entries; all chosen, saved as CSV and loaded again, the same.
TEST_F(SimaFileMenu, SavedAsSimaAndAsCsvTheyLoadBackTheSame)
{
    const QList<PointRecord> points = { { "A,B", "1", "2" }, { "P1", "-1234.567", "890.120" },
        { u"基準点1"_s, "12345.000", "-67890.500" }, { "KEEP", "9", "9" } };
    writeFile(path("a.sim"), QByteArray(5000, 'x'));
    for (const int p : { 2, 0, 1 })
        list(2)->addItem(ListLine::form(points[p]));
    save(path("a.sim"));
    EXPECT_EQ(fileBytes(path("a.sim")), simaFileBytes(list(2)->lines()));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({ "a.sim" }));
    const auto expectLoaded = [&](const QString &file) {
        EXPECT_EQ(form->currentFilePath(), file);
        EXPECT_EQ(list1(), QStringList({ "A,B", "P1", u"基準点1"_s }));
        EXPECT_EQ(QList({ table->at(0), table->at(1), table->at(2), table->at(3) }), points);
        EXPECT_EQ(dialogs.messages.size(), 0);
    };
    ASSERT_TRUE(table->store(3, points[3]));
    load(path("a.sim"));
    expectLoaded(path("a.sim"));

    option(1, 1)->click();
    choose("CsvFileSave", path("out")); // typed without an extension
    EXPECT_EQ(fileBytes(path("out.csv")), csvFileBytes(list(2)->lines()));
    EXPECT_EQ(form->currentFilePath(), path("out.csv"));
    createWindow();
    ASSERT_TRUE(table->store(3, points[3]));
    choose("CsvFileLoad", path("out.csv"));
    expectLoaded(path("out.csv"));
    const QString csv = u"CSVファイル (*.csv);;すべてのファイル (*.*)|"_s;
    EXPECT_EQ(fileDialogs(dir.path()),
        QStringList({ u"Save ＳＩＭファイル Files (*.sim)||"_s,
            u"Open ＳＩＭファイル　Files (*.sim)|a.sim|"_s, u"Save "_s + csv + u"a.csv|csv"_s,
            u"Open "_s + csv + u"|"_s }));
}

// A CSV file that cannot be read in full says which row, and why, and changes
// nothing; files given at start or dropped are read by their extension.
TEST_F(SimaFileMenu, CsvRowFaultsDropsAndFilesGivenAtStart)
{
    writeFile(path("bad.csv"), "Name,X,Y\r\nA,1,2\r\n\r\nB,1,x\r\n");
    writeFile(path("good.CSV"), "C,1,2\r\nD,3,4\r\n");
    writeFile(path("lat.csv"), "Name,Latitude,Longitude\r\nA,35.1,139.2\r\n");
    const auto drop = [this](const QStringList &files) {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString &file : files)
            urls << QUrl::fromLocalFile(file);
        data.setUrls(urls);
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(form.get(), &enter);
        QDropEvent dropped(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(form.get(), &dropped);
        return enter.isAccepted();
    };
    loadTwoPoints();
    choose("CsvFileLoad", path("bad.csv"));
    choose("CsvFileLoad", path("lat.csv"));
    EXPECT_TRUE(drop({ path("good.CSV"), path("two.sim") }));
    EXPECT_FALSE(drop({ path("notes.txt") }));
    const QString rowFault = u"エラーメッセージ|4行目のYが数値ではありません。"_s;
    EXPECT_EQ(prompts(),
        QStringList({ rowFault,
            u"エラーメッセージ|このファイルは緯度・経度です。平面直角座標（X、Y）のファイルを選んで下さい。"_s,
            u"エラーメッセージ|ファイルは１つずつドロップして下さい。"_s }));
    // Failures, as these, show a question mark and OK only.
    for (const auto &message : dialogs.messages)
        EXPECT_EQ(std::pair(message.icon, message.buttons),
            std::pair(MessageIcon::Question, MessageButtons::Ok));
    EXPECT_EQ(list1(), QStringList({ "OLD1", "OLD2" }));
    EXPECT_EQ(table->at(0).name, "OLD1");
    EXPECT_EQ(form->currentFilePath(), path("lat.csv"));
    EXPECT_TRUE(drop({ path("good.CSV") }));
    EXPECT_EQ(list1(), QStringList({ "C", "D" }));
    EXPECT_TRUE(drop({ path("two.sim") }));
    EXPECT_EQ(list1(), QStringList({ "OLD1", "OLD2" }));
    FileReadAtStart(path("good.CSV")).handTo(*form);
    EXPECT_EQ(list1(), QStringList({ "C", "D" }));
    form->openAtStart(path("two.sim"), readPointFile(path("bad.csv")));
    EXPECT_EQ(prompts().value(3), rowFault);
    EXPECT_EQ(form->currentFilePath(), path("two.sim"));
}

// Each save dialog offers the name last chosen as a file of its own kind:
// CSV書込 any name as .csv, 書込 a .csv name as .sim. The open dialogs and 書込
// otherwise offer the name as it was chosen; a cancel keeps it.
TEST_F(SimaFileMenu, SaveDialogsOfferTheNameLastChosenAsAFileOfTheirKind)
{
    // The command a name is chosen with (none: nothing chosen yet), the name,
    // the command then opened, and the name its dialog offers.
    const std::tuple<const char *, const char *, const char *, const char *> cases[] = {
        { "SimFileLoad", "genba.sim", "CsvFileSave", "genba.csv" },
        { "SimFileLoad", "genba.SIM", "CsvFileSave", "genba.csv" },
        { "SimFileLoad", "a.b.txt", "CsvFileSave", "a.b.csv" },
        { "SimFileSave", "plain", "CsvFileSave", "plain.csv" },
        { "CsvFileSave", "pts.csv", "CsvFileSave", "pts.csv" },
        { nullptr, "", "CsvFileSave", "" },
        { "CsvFileLoad", "pts.csv", "SimFileSave", "pts.sim" },
        { "CsvFileLoad", "pts.CSV", "SimFileSave", "pts.sim" },
        { "CsvFileSave", "x.y.csv", "SimFileSave", "x.y.sim" },
        { "SimFileLoad", "genba.sim", "SimFileSave", "genba.sim" },
        { "CsvFileLoad", "pts.txt", "SimFileSave", "pts.txt" },
        { "CsvFileLoad", "pts.csv", "SimFileLoad", "pts.csv" },
        { "SimFileLoad", "genba.sim", "CsvFileLoad", "genba.sim" },
    };
    for (const auto &[chooseWith, chosen, thenOpen, offered] : cases) {
        createWindow();
        if (chooseWith)
            choose(chooseWith, path(chosen));
        dialogs.clearRecord();
        choose(thenOpen, std::nullopt);
        choose(thenOpen, std::nullopt);
        choose("SimFileLoad", std::nullopt);
        QStringList names;
        for (const auto &request : dialogs.fileRequests)
            names << request.initialName;
        const auto in = [this](const char *name) { return *name ? path(name) : QString(); };
        EXPECT_EQ(names, QStringList({ in(offered), in(offered), in(chosen) }))
            << chosen << " then " << thenOpen;
    }
}

TEST_F(SimaFileMenu, CancellingChangesNothingAndSaysNothing)
{
    loadTwoPoints();
    // The file last chosen changed since: a cancel neither reads nor writes it.
    const QByteArray changed = "A00,\r\nA01,1,NEW1,1,2,,\r\nA99,\r\n";
    writeFile(path("two.sim"), changed);
    choose("SimFileLoad", std::nullopt);
    choose("SimFileSave", std::nullopt);
    EXPECT_EQ(dialogs.messages.size(), 0);
    EXPECT_EQ(form->currentFilePath(), path("two.sim"));
    EXPECT_EQ(list1(), QStringList({ "OLD1", "OLD2" }));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({ "two.sim" }));
    EXPECT_EQ(fileBytes(path("two.sim")), changed);
}

TEST_F(SimaFileMenu, AFileGivenAtStartIsReadWhileTheWindowIsBuiltAndListedAsLoadListsIt)
{
    writeFile(path("start.sim"), "A00,\r\nA01,1,P1,1,2,,\r\nA01,2,P2,3,4,,\r\nA99,\r\n");
    const QString before = QDir::currentPath();
    QDir::setCurrent(dir.path());
    FileReadAtStart file("start.sim"); // relative, as typed in a terminal
    QDir::setCurrent(before);
    createWindow();
    file.handTo(*form);
    EXPECT_EQ(list1(), QStringList({ "P1", "P2" }));
    EXPECT_EQ(table->at(1), PointRecord({ "P2", "3", "4" }));
    EXPECT_EQ(form->currentFilePath(), path("start.sim"));
    choose("SimFileLoad", std::nullopt);
    EXPECT_EQ(dialogs.fileRequests.value(0).initialName, path("start.sim"));
    FileReadAtStart(QString()).handTo(*form);
    FileReadAtStart(path("missing.sim")).handTo(*form);
    EXPECT_EQ(prompts(), QStringList { failure(failurenumber::FileNotFound) });
    EXPECT_EQ(list1(), QStringList({ "P1", "P2" }));
}

TEST_F(SimaFileMenu, FailuresShowTheirNumberAndChangeNothing)
{
    QDir(dir.path()).mkdir("folder.sim");
    writeFile(path("noa00.sim"), "G00,1,\r\nA01,1,P,1,2,,\r\nA99,\r\n");
    writeFile(path("noa99.sim"), "A00,\r\nA01,1,P,1,2,,\r\nA01,2,Q,3");
    QByteArray tooMany = "Name,X,Y\r\n";
    for (int p = 0; p < 10002; ++p)
        tooMany += "P" + QByteArray::number(p) + ",1,2\r\n";
    writeFile(path("many.csv"), tooMany);
    const QStringList old = { "OLD1", "OLD2" };
    std::vector cases = {
        std::tuple("SimFileLoad", path("missing.sim"), failurenumber::FileNotFound, old),
        std::tuple("SimFileLoad", path("nowhere/a.sim"), failurenumber::PathNotFound, old),
        std::tuple("SimFileLoad", path("folder.sim"), failurenumber::PathFileAccessError, old),
        std::tuple("SimFileLoad", path("noa00.sim"), failurenumber::InputPastEndOfFile, old),
        std::tuple("SimFileLoad", path("noa99.sim"), failurenumber::InputPastEndOfFile,
            QStringList({ "P" })),
        std::tuple("SimFileSave", path("nowhere/a.sim"), failurenumber::PathNotFound, old),
        std::tuple("SimFileSave", path("folder.sim"), failurenumber::PathFileAccessError, old),
        std::tuple("CsvFileLoad", path("missing.csv"), failurenumber::FileNotFound, old),
        // Unlike a SIMA file, a CSV file of more points than the table holds
        // changes nothing.
        std::tuple("CsvFileLoad", path("many.csv"), failurenumber::SubscriptOutOfRange, old),
        std::tuple("CsvFileSave", path("nowhere/a.csv"), failurenumber::PathNotFound, old),
    };
#ifdef Q_OS_UNIX
    // A device, which reading would never finish.
    cases.emplace_back("SimFileLoad", "/dev/zero", failurenumber::PathFileAccessError, old);
#endif
    for (const auto &[command, chosen, number, list1After] : cases) {
        createWindow();
        loadTwoPoints();
        list(2)->addItem(ListLine::form({ "P1", "1", "2" }));
        choose(command, chosen);
        const std::string what = command + (" " + chosen.toStdString());
        EXPECT_EQ(prompts(), QStringList { failure(number) }) << what;
        EXPECT_EQ(form->currentFilePath(), chosen) << what;
        EXPECT_EQ(list1(), list1After) << what;
        EXPECT_EQ(table->at(0).name, list1After.at(0)) << what;
        EXPECT_EQ(table->at(1).name, "OLD2") << what;
    }
    EXPECT_FALSE(QFileInfo::exists(path("nowhere")));
    EXPECT_EQ(
        QDir(path("folder.sim")).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
        QStringList({ "many.csv", "noa00.sim", "noa99.sim", "two.sim" }));
}

// Permissions and failing file systems as Linux makes them, each in a child
// process; the Windows build has its own save failure tests.
#ifdef Q_OS_LINUX
// Saves points over "disk/old" as a SIMA file and as a CSV file, which
// saves as safely, with the same numbers: the number both give, or the CSV
// file's negated where they differ.
void expectSave(const char *what, int points, const DiskSetUp &setUp, const char *outcome)
{
    const std::string saved = failureInChild(setUp, [points](const QString &path) {
        const QStringList lines(points, ListLine::form({ "P", "-23795.960", "-32832.251" }));
        const int sima = saveSimaFile(path, lines).failure();
        const int csv = saveCsvFile(path, lines).failure();
        return sima == csv ? sima : -csv;
    });
    if (saved.starts_with("skip"))
        GTEST_SKIP() << what << ": " << saved;
    EXPECT_EQ(saved, outcome) << what;
}

// Runs without root too, so that a save reporting success after a failed
// flush is caught on any machine.
TEST(SimaFileSave, AFailedWriteOrFlushIsFiftySevenAndAFolderNotWritableSeventy)
{
    // One point stays in the save's buffer until flushed; 2000 points are
    // written at once and end in a short write.
    expectSave("a flush past the file-size limit", 1, fileSizeLimit(30), "57 OLD CONTENT old");
    expectSave("a write past the file-size limit", 2000, fileSizeLimit(30), "57 OLD CONTENT old");
    expectSave("a folder written into, not searched", 1, fileMode(0622), "70 OLD CONTENT old");
    expectSave("a read-only folder", 1, fileMode(0555), "70 OLD CONTENT old");
}

TEST(SimaFileLoad, AnUnreadableFileIsSeventy)
{
    const auto load = [](const QString &path) {
        const int sima = loadSimaFile(path).failure(), csv = loadCsvFile(path).failure();
        return sima == csv ? sima : -csv;
    };
    EXPECT_EQ(failureInChild(fileMode(0200, "old"), load), "70 OLD CONTENT old");
}

TEST(SimaFileSave, AFullDiskIsSixtyOneAndAnotherUsersFileInAStickyFolderSeventyFive)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "only root can mount a small full file system and act as another user";
    const DiskSetUp sticky = [](const QString &disk) {
        const QByteArray folder = QFile::encodeName(disk), old = folder + "/old";
        return whyFailed(chown(old.constData(), 0, 0) + chmod(old.constData(), 0666)
            + chown(folder.constData(), 0, 0) + chmod(folder.constData(), 01777));
    };
    expectSave("a sticky folder, another user's file", 1, sticky, "75 OLD CONTENT old");
    for (const auto &[points, room] : { std::pair(1, 0), std::pair(2000, 4096) })
        expectSave("a full disk", points, fullDisk(room), "61 OLD CONTENT fill,old");
}
#endif

} // namespace
