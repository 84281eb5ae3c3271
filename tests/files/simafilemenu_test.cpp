#include "failure.h"
#include "listline.h"
#include "simafile.h"
#include "simawriter.h"
#include "windowfixture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstring>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace tavorin;
using namespace tavorin::test;

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
}

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

    // Expects the messages shown to be failure boxes with these numbers.
    void expectFailures(std::initializer_list<int> numbers, const std::string &what = {}) const
    {
        QStringList expected, shown;
        for (const int number : numbers)
            expected << u"エラーコード  "_qs + QString::number(number);
        for (const auto &m : dialogs.messages()) {
            EXPECT_EQ(m.title, u"エラーメッセージ"_qs) << what;
            EXPECT_EQ(m.icon, MessageIcon::Question) << what;
            EXPECT_EQ(m.buttons, MessageButtons::Ok) << what;
            shown << m.prompt;
        }
        EXPECT_EQ(shown, expected) << what;
    }

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

TEST_F(SimaFileMenu, SaveReplacesAFileThatLoadListsAndStoresInStep)
{
    const QList<PointRecord> points
        = { { "P1", "-1234.567", "890.120" }, { u"基準点1"_qs, "12345.000", "-67890.500" } };
    writeFile(path("a.sim"), QByteArray(5000, 'x'));
    list(2)->addItem(ListLine::form(points[1]));
    list(2)->addItem(ListLine::form(points[0]));
    save(path("a.sim"));
    EXPECT_EQ(readAll(path("a.sim")), simaFileBytes(list(2)->lines()));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({ "a.sim" }));

    ASSERT_TRUE(table->store(2, { "KEEP", "9", "9" }));
    load(path("a.sim"));
    EXPECT_EQ(dialogs.messages().size(), 0);
    EXPECT_EQ(form->currentFilePath(), path("a.sim"));
    EXPECT_EQ(list1(), QStringList({ "P1", u"基準点1"_qs }));
    EXPECT_EQ(table->at(0), points[0]);
    EXPECT_EQ(table->at(1), points[1]);
    EXPECT_EQ(table->at(2), (PointRecord { "KEEP", "9", "9" }));

    // A second file replaces the list and the table's first entries.
    writeFile(path("b.sim"), "A00,\r\nA01,1,Q,5,6,,\r\nA99,\r\n");
    load(path("b.sim"));
    EXPECT_EQ(list1(), QStringList({ "Q" }));
    EXPECT_EQ(table->at(0), (PointRecord { "Q", "5", "6" }));
    EXPECT_EQ(table->at(1), points[1]);

    const auto &requests = dialogs.fileRequests();
    ASSERT_EQ(requests.size(), 3);
    EXPECT_EQ(requests[0].mode, FileDialogMode::Save);
    EXPECT_EQ(requests[0].filter, u"ＳＩＭファイル Files (*.sim)"_qs);
    EXPECT_EQ(requests[1].mode, FileDialogMode::Open);
    EXPECT_EQ(requests[1].filter, u"ＳＩＭファイル　Files (*.sim)"_qs);
    EXPECT_EQ(requests[2].initialName, path("a.sim"));
}

TEST_F(SimaFileMenu, CancellingChangesNothingAndSaysNothing)
{
    loadTwoPoints();
    choose("SimFileLoad", std::nullopt);
    choose("SimFileSave", std::nullopt);
    EXPECT_EQ(dialogs.messages().size(), 0);
    EXPECT_EQ(form->currentFilePath(), path("two.sim"));
    EXPECT_EQ(list1(), QStringList({ "OLD1", "OLD2" }));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({ "two.sim" }));
}

TEST_F(SimaFileMenu, AFileGivenAtStartIsReadAsLoadReadsIt)
{
    writeFile(path("start.sim"), "A00,\r\nA01,1,P1,1,2,,\r\nA01,2,P2,3,4,,\r\nA99,\r\n");
    const QString before = QDir::currentPath();
    QDir::setCurrent(dir.path());
    form->openAtStart("start.sim"); // relative, as typed in a terminal
    QDir::setCurrent(before);
    EXPECT_EQ(list1(), QStringList({ "P1", "P2" }));
    EXPECT_EQ(table->at(1).x, "3");
    choose("SimFileLoad", std::nullopt);
    EXPECT_EQ(dialogs.fileRequests().value(0).initialName, path("start.sim"));
    form->openAtStart(path("missing.sim"));
    expectFailures({ FailureNumber::FileNotFound });
    EXPECT_EQ(form->currentFilePath(), path("missing.sim"));
}

TEST_F(SimaFileMenu, WithoutTheCodePage932ConverterFilesAreRefusedWithAMessage)
{
    converterPresent = false;
    createWindow();
    form->openAtStart(path("two.sim"));
    load(path("two.sim"));
    save(path("new.sim"));
    ASSERT_EQ(dialogs.messages().size(), 3);
    const auto &m = dialogs.messages()[2];
    EXPECT_EQ(m.prompt + m.title,
        u"この環境ではShift_JIS（コードページ932）の文字変換が使えないため、SIMAファイルの読込・書込はできません。エラーメッセージ"_qs);
    EXPECT_EQ(m.icon, MessageIcon::Critical);
    EXPECT_TRUE(dialogs.fileRequests().isEmpty());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList());
}

TEST_F(SimaFileMenu, FailuresShowTheirNumberAndChangeNothing)
{
    QDir(dir.path()).mkdir("folder.sim");
    writeFile(path("noa00.sim"), "G00,1,\r\nA01,1,P,1,2,,\r\nA99,\r\n");
    writeFile(path("empty.sim"), "");
    writeFile(path("noa99.sim"), "A00,\r\nA01,1,P,1,2,,\r\nA01,2,Q,3");
    struct Case
    {
        const char *command;
        QString chosen;
        int failure;
        QStringList list1;
    };
    const QStringList old = { "OLD1", "OLD2" };
    const Case cases[] = {
        { "SimFileLoad", path("missing.sim"), FailureNumber::FileNotFound, old },
        { "SimFileLoad", path("nowhere/a.sim"), FailureNumber::PathNotFound, old },
        { "SimFileLoad", path("folder.sim"), FailureNumber::PathFileAccessError, old },
        { "SimFileLoad", QStringLiteral("/dev/zero"), FailureNumber::PathFileAccessError, old },
        { "SimFileLoad", path("empty.sim"), FailureNumber::InputPastEndOfFile, old },
        { "SimFileLoad", path("noa00.sim"), FailureNumber::InputPastEndOfFile, old },
        { "SimFileLoad", path("noa99.sim"), FailureNumber::InputPastEndOfFile, { "P" } },
        { "SimFileSave", path("nowhere/a.sim"), FailureNumber::PathNotFound, old },
        { "SimFileSave", path("folder.sim"), FailureNumber::PathFileAccessError, old },
    };
    for (const Case &c : cases) {
        createWindow();
        loadTwoPoints();
        list(2)->addItem(ListLine::form({ "P1", "1", "2" }));
        choose(c.command, c.chosen);
        const std::string what = c.command + (" " + c.chosen.toStdString());
        expectFailures({ c.failure }, what);
        EXPECT_EQ(form->currentFilePath(), c.chosen) << what;
        EXPECT_EQ(list1(), c.list1) << what;
        EXPECT_EQ(table->at(0).name, c.list1.at(0)) << what;
        EXPECT_EQ(table->at(1).name, "OLD2") << what;
    }
    EXPECT_FALSE(QFileInfo::exists(path("nowhere")));
    EXPECT_EQ(
        QDir(path("folder.sim")).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
        QStringList({ "empty.sim", "noa00.sim", "noa99.sim", "two.sim" }));
}

// Root ignores file permissions: for a while it acts as the user "nobody", as
// a surveyor at an ordinary account would. The saved user stays root.
class ActAsNobody
{
public:
    ActAsNobody()
        : m_dropped(geteuid() == 0 && setresuid(65534, 65534, 0) == 0)
    {
    }
    ~ActAsNobody()
    {
        if (m_dropped && setresuid(0, 0, 0) != 0)
            std::abort();
    }

private:
    const bool m_dropped;
};

TEST_F(SimaFileMenu, AReadOnlyFolderAndAnUnreadableFileAreSeventy)
{
    const QString locked = path("locked");
    QDir(dir.path()).mkdir("locked");
    writeFile(locked + "/old.sim", "OLD");
    writeFile(path("secret.sim"), "A00,\r\nA99,\r\n");
    const auto readAndEnter = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup
        | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
    QFile::setPermissions(dir.path(), readAndEnter | QFile::WriteOwner);
    QFile::setPermissions(locked, readAndEnter);
    QFile::setPermissions(path("secret.sim"), QFile::WriteOwner);
    {
        const ActAsNobody nobody;
        if (access(QFile::encodeName(locked).constData(), W_OK) == 0)
            GTEST_SKIP()
                << "this user may write into read-only folders; no permission failure to show";
        save(locked + "/old.sim");
        save(locked + "/new.sim");
        load(path("secret.sim"));
    }
    QFile::setPermissions(locked, readAndEnter | QFile::WriteOwner);
    const int denied = FailureNumber::PermissionDenied;
    expectFailures({ denied, denied, denied });
    EXPECT_EQ(readAll(locked + "/old.sim"), "OLD");
    EXPECT_FALSE(QFileInfo::exists(locked + "/new.sim"));
}

// Saves over "old.sim" on a full 16 KiB tmpfs that still has room bytes free,
// in a child process with its own mount namespace. The child reports the
// failure number, the old file's bytes and the files left, or why it could
// not run.
std::string saveOnFullDisk(const QString &folder, int points, qint64 room)
{
    int out[2];
    const pid_t child = pipe(out) == 0 ? fork() : -1;
    if (child < 0)
        return "skip: no pipe or child process";
    if (child == 0) {
        auto report = [&](const QByteArray &text) {
            _exit(write(out[1], text.constData(), text.size()) == text.size() ? 0 : 1);
        };
        const QByteArray where = QFile::encodeName(folder);
        if (unshare(CLONE_NEWNS) != 0
            || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0
            || mount("tmpfs", where.constData(), "tmpfs", 0, "size=16k") != 0)
            report(QByteArray("skip: no private tmpfs: ") + strerror(errno));
        writeFile(folder + "/old.sim", "OLD CONTENT");
        QFile fill(folder + "/fill");
        fill.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
        while (fill.write(QByteArray(512, 'f')) == 512) { }
        fill.resize(fill.size() - room);
        fill.close();
        const int failure = saveSimaFile(
            folder + "/old.sim", QStringList(points, ListLine::form({ "P", "1", "2" })))
                                .failure();
        report(QByteArray::number(failure) + ' ' + readAll(folder + "/old.sim") + ' '
            + QDir(folder).entryList(QDir::Files | QDir::Hidden).join(',').toUtf8());
    }
    close(out[1]);
    QByteArray text(200, 0);
    text.resize(std::max<ssize_t>(read(out[0], text.data(), text.size()), 0));
    close(out[0]);
    waitpid(child, nullptr, 0);
    return text.toStdString();
}

TEST(SimaFileSave, AFullDiskIsSixtyOneAndLeavesTheOldFile)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "only root can mount the small full file system this needs";
    // Points and bytes free: one point stays in the save's buffer until
    // flushed; 2000 points are written at once and end in a short write.
    for (const auto &[points, room] : { std::pair(1, 0), std::pair(2000, 4096) }) {
        QTemporaryDir dir;
        const std::string result = saveOnFullDisk(dir.path(), points, room);
        if (result.starts_with("skip"))
            GTEST_SKIP() << result;
        EXPECT_EQ(result, "61 OLD CONTENT fill,old.sim") << points << " points";
    }
}

TEST_F(SimaFileMenu, RealFilesLoadWithTheirPoints)
{
    const QString realDir = QStringLiteral(TAVORIN_SHARED_DATA_DIR "/sima-real");
    if (!QFileInfo(realDir).isDir())
        GTEST_SKIP() << "no real SIMA files at " << realDir.toStdString();
    const PointRecord polygon[] = { { "Auto-337", "-23795.960", "-32832.251" },
        { "Auto-460", "-23898.372", "-32863.633" } };
    const PointRecord point[]
        = { { "T-5965", "-24010.239", "-32836.454" }, { "T-5926", "-24007.337", "-32837.018" } };
    const struct
    {
        const char *file;
        int count;
        const PointRecord *firstAndLast;
    } cases[] = {
        { "kmrjs-polygonGeoJSON.simaObj.sim", 26, polygon },
        { "kmrjs-polygonGeoJSON.simaObj.DERIVED-cp932.sim", 26, polygon },
        { "kmrjs-polygonGeoJSON.simaObjSpaced.sim", 26, polygon },
        { "kmrjs-pointGeoJSON.simasplitted.sim", 4, point },
        { "kmrjs-pointGeoJSON.simasplitedSpaced.sim", 4, point },
    };
    for (const auto &c : cases) {
        createWindow();
        dialogs.clearRecord();
        load(realDir + u'/' + QString::fromLatin1(c.file));
        EXPECT_EQ(dialogs.messages().size(), 0) << c.file;
        ASSERT_EQ(list(1)->listCount(), c.count) << c.file;
        EXPECT_EQ(table->at(0), c.firstAndLast[0]) << c.file;
        EXPECT_EQ(table->at(c.count - 1), c.firstAndLast[1]) << c.file;
    }
}

} // namespace
