#include "failure.h"
#include "listline.h"
#include "simafile.h"
#include "simawriter.h"
#include "windowfixture.h"
#include "windowtext.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <sys/resource.h>
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

QString failurePrompt(int number)
{
    return WindowText::ErrorPromptPrefix + u' ' + QString::number(number);
}

// True when this process may write into a folder without write permission
// (running as the superuser), so permission failures cannot be shown.
bool permissionsAreIgnored(const QString &folder)
{
    QFile probe(folder + QStringLiteral("/probe"));
    const bool written = probe.open(QIODevice::WriteOnly);
    probe.remove();
    return written;
}

class SimaFileMenu : public WindowTest
{
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        ASSERT_TRUE(dir.isValid());
    }

    QString path(const QString &name) const { return dir.filePath(name); }

    void load(const QString &chosen)
    {
        dialogs.chooseNextFile(chosen);
        menuAction("SimFileLoad")->trigger();
    }
    void save(const QString &chosen)
    {
        dialogs.chooseNextFile(chosen);
        menuAction("SimFileSave")->trigger();
    }

    QStringList list1() const { return list(1)->lines(); }

    // The messages shown, as their prompts; every one must be the failure box.
    QStringList failurePrompts() const
    {
        QStringList prompts;
        for (const auto &m : dialogs.messages()) {
            EXPECT_EQ(m.title, WindowText::ErrorTitle);
            EXPECT_EQ(m.icon, MessageIcon::Question);
            EXPECT_EQ(m.buttons, MessageButtons::Ok);
            prompts << m.prompt;
        }
        return prompts;
    }

    // Loads a file of two points, so that a later failure has something to
    // leave unchanged.
    void loadTwoPoints()
    {
        writeFile(path("two.sim"), "A00,\r\nA01,1,OLD1,1,2,,\r\nA01,2,OLD2,3,4,,\r\nA99,\r\n");
        load(path("two.sim"));
        ASSERT_EQ(list1(), QStringList({ "OLD1", "OLD2" }));
        dialogs.clearRecord();
    }

    QTemporaryDir dir;
};

TEST_F(SimaFileMenu, LoadListsAndStoresThePointsInStep)
{
    table->store(3, { "KEEP", "9", "9" });
    writeFile(path("a.sim"),
        simaFileBytes({ ListLine::form({ "P1", "-1234.567", "890.120" }),
            ListLine::form({ u"基準点1"_qs, "12345.000", "-67890.500" }),
            ListLine::form({ "P3", "1", "2" }) }));
    load(path("a.sim"));

    ASSERT_EQ(dialogs.fileRequests().size(), 1);
    EXPECT_EQ(dialogs.fileRequests()[0].mode, FileDialogMode::Open);
    EXPECT_EQ(dialogs.fileRequests()[0].filter, WindowText::LoadFilter.section(u'|', 0, 0));
    EXPECT_EQ(dialogs.messages().size(), 0);
    EXPECT_EQ(form->CurrentFilePath, path("a.sim"));
    EXPECT_EQ(list1(), QStringList({ "P1", u"基準点1"_qs, "P3" }));
    EXPECT_EQ(table->at(0), (PointRecord { "P1", "-1234.567", "890.120" }));
    EXPECT_EQ(table->at(1), (PointRecord { u"基準点1"_qs, "12345.000", "-67890.500" }));
    EXPECT_EQ(table->at(2), (PointRecord { "P3", "1", "2" }));
    EXPECT_EQ(table->at(3), (PointRecord { "KEEP", "9", "9" }));

    // A second file replaces the list; the dialog offers the last path.
    writeFile(path("b.sim"), "A00,\r\nA01,1,Q,5,6,,\r\nA99,\r\n");
    load(path("b.sim"));
    EXPECT_EQ(dialogs.fileRequests()[1].initialName, path("a.sim"));
    EXPECT_EQ(list1(), QStringList({ "Q" }));
    EXPECT_EQ(table->at(0), (PointRecord { "Q", "5", "6" }));
    EXPECT_EQ(table->at(1).name, u"基準点1"_qs);
}

TEST_F(SimaFileMenu, CancellingChangesNothingAndSaysNothing)
{
    loadTwoPoints();
    const QString before = form->CurrentFilePath;
    for (const char *command : { "SimFileLoad", "SimFileSave" }) {
        dialogs.chooseNextFile(std::nullopt);
        menuAction(command)->trigger();
    }
    EXPECT_EQ(dialogs.messages().size(), 0);
    EXPECT_EQ(form->CurrentFilePath, before);
    EXPECT_EQ(list1(), QStringList({ "OLD1", "OLD2" }));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({ "two.sim" }));
}

TEST_F(SimaFileMenu, LoadFailuresShowTheirNumber)
{
    QDir(dir.path()).mkdir("folder.sim");
    writeFile(path("noa00.sim"), "G00,1,\r\nA01,1,P,1,2,,\r\nA99,\r\n");
    writeFile(path("empty.sim"), "");
    writeFile(path("noa99.sim"), "A00,\r\nA01,1,P,1,2,,\r\nA01,2,Q,3");
    struct Case
    {
        const char *what;
        QString chosen;
        int failure;
        QStringList list1;
    };
    const Case cases[] = {
        { "a missing file", path("missing.sim"), FailureNumber::FileNotFound, { "OLD1", "OLD2" } },
        { "a missing folder", path("nowhere/a.sim"), FailureNumber::PathNotFound,
            { "OLD1", "OLD2" } },
        { "a folder", path("folder.sim"), FailureNumber::PathFileAccessError, { "OLD1", "OLD2" } },
        { "a device", QStringLiteral("/dev/zero"), FailureNumber::PathFileAccessError,
            { "OLD1", "OLD2" } },
        { "an empty file", path("empty.sim"), FailureNumber::InputPastEndOfFile,
            { "OLD1", "OLD2" } },
        { "no A00", path("noa00.sim"), FailureNumber::InputPastEndOfFile, { "OLD1", "OLD2" } },
        { "no A99, last record cut", path("noa99.sim"), FailureNumber::InputPastEndOfFile,
            { "P" } },
    };
    for (const Case &c : cases) {
        createWindow();
        loadTwoPoints();
        load(c.chosen);
        EXPECT_EQ(failurePrompts(), QStringList({ failurePrompt(c.failure) })) << c.what;
        EXPECT_EQ(form->CurrentFilePath, c.chosen) << c.what;
        EXPECT_EQ(list1(), c.list1) << c.what;
        EXPECT_EQ(table->at(0).name, c.list1.at(0)) << c.what;
        EXPECT_EQ(table->at(1).name, "OLD2") << c.what;
    }
}

TEST_F(SimaFileMenu, ATenThousandAndSecondPointGivesNineWithTheTableFull)
{
    QByteArray bytes = "A00,\r\n";
    for (int i = 0; i < 10002; ++i)
        bytes += "A01,1,N" + QByteArray::number(i) + ",1,2,,\r\n";
    writeFile(path("big.sim"), bytes + "A99,\r\n");
    load(path("big.sim"));
    EXPECT_EQ(failurePrompts(), QStringList({ failurePrompt(FailureNumber::SubscriptOutOfRange) }));
    ASSERT_EQ(list(1)->listCount(), 10001);
    EXPECT_EQ(list(1)->item(10000), "N10000");
    EXPECT_EQ(table->at(10000), (PointRecord { "N10000", "1", "2" }));
}

TEST_F(SimaFileMenu, SaveWritesTheTransferListAndReplacesAnOldFile)
{
    writeFile(path("out.sim"), QByteArray(5000, 'x'));
    list(2)->addItem(ListLine::form({ u"基準点1"_qs, "12345.000", "-67890.500" }));
    list(2)->addItem(ListLine::form({ "P1", "-1234.567", "890.120" }));
    save(path("out.sim"));

    ASSERT_EQ(dialogs.fileRequests().size(), 1);
    EXPECT_EQ(dialogs.fileRequests()[0].mode, FileDialogMode::Save);
    EXPECT_EQ(dialogs.fileRequests()[0].filter, WindowText::SaveFilter.section(u'|', 0, 0));
    EXPECT_EQ(dialogs.messages().size(), 0);
    EXPECT_EQ(form->CurrentFilePath, path("out.sim"));
    const QByteArray written = readAll(path("out.sim"));
    EXPECT_EQ(written.size(), 208);
    EXPECT_EQ(written,
        simaFileBytes({ ListLine::form({ "P1", "-1234.567", "890.120" }),
            ListLine::form({ u"基準点1"_qs, "12345.000", "-67890.500" }) }));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({ "out.sim" }));
}

TEST_F(SimaFileMenu, SaveFailuresShowTheirNumberAndTouchNothing)
{
    QDir(dir.path()).mkdir("folder.sim");
    list(2)->addItem(ListLine::form({ "P1", "1", "2" }));
    struct Case
    {
        const char *what;
        QString chosen;
        int failure;
    };
    const Case cases[] = {
        { "a missing folder", path("nowhere/a.sim"), FailureNumber::PathNotFound },
        { "a folder", path("folder.sim"), FailureNumber::PathFileAccessError },
    };
    for (const Case &c : cases) {
        dialogs.clearRecord();
        save(c.chosen);
        EXPECT_EQ(failurePrompts(), QStringList({ failurePrompt(c.failure) })) << c.what;
        EXPECT_EQ(form->CurrentFilePath, c.chosen) << c.what;
    }
    EXPECT_FALSE(QFileInfo::exists(path("nowhere")));
    EXPECT_TRUE(QFileInfo(path("folder.sim")).isDir());
    EXPECT_EQ(
        QDir(path("folder.sim")).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
}

// Root writes into read-only folders; for a while it acts as the unprivileged
// user "nobody", as a surveyor at an ordinary account would.
class ActAsUnprivilegedUser
{
public:
    ActAsUnprivilegedUser()
    {
        // Real and effective user both, since permission checks may ask
        // either; the saved user stays root, so root can come back.
        if (geteuid() == 0)
            m_dropped = setresuid(NobodyId, NobodyId, 0) == 0;
    }
    ~ActAsUnprivilegedUser()
    {
        if (m_dropped && setresuid(0, 0, 0) != 0)
            std::abort();
    }
    ActAsUnprivilegedUser(const ActAsUnprivilegedUser &) = delete;
    ActAsUnprivilegedUser &operator=(const ActAsUnprivilegedUser &) = delete;

private:
    static constexpr uid_t NobodyId = 65534;
    bool m_dropped = false;
};

TEST_F(SimaFileMenu, SavingIntoAReadOnlyFolderIsSeventy)
{
    QDir(dir.path()).mkdir("locked");
    const QString locked = path("locked");
    writeFile(locked + "/old.sim", "OLD");
    const auto readAndEnter = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup
        | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
    QFile::setPermissions(dir.path(), readAndEnter | QFile::WriteOwner);
    QFile::setPermissions(locked, readAndEnter);
    {
        ActAsUnprivilegedUser user;
        if (permissionsAreIgnored(locked)) {
            QFile::setPermissions(locked, readAndEnter | QFile::WriteOwner);
            GTEST_SKIP() << "this user may write into read-only folders; no permission failure to show";
        }
        save(locked + "/old.sim");
        save(locked + "/new.sim");
    }
    QFile::setPermissions(locked, readAndEnter | QFile::WriteOwner);
    EXPECT_EQ(failurePrompts(),
        QStringList({ failurePrompt(FailureNumber::PermissionDenied),
            failurePrompt(FailureNumber::PermissionDenied) }));
    EXPECT_EQ(readAll(locked + "/old.sim"), "OLD");
    EXPECT_FALSE(QFileInfo::exists(locked + "/new.sim"));
}

// Limits the size of files this process may write, as a full disk would.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old {};
    void (*m_oldHandler)(int) = nullptr;
};

TEST_F(SimaFileMenu, AWriteThatFailsHalfWayIsReportedAndLeavesTheOldFile)
{
    writeFile(path("out.sim"), "OLD CONTENT");
    QStringList lines;
    for (int i = 0; i < 2000; ++i)
        lines << ListLine::form({ "P" + QString::number(i), "1", "2" });
    list(2)->addItems(lines);
    {
        const FileSizeLimit limit(20000);
        save(path("out.sim"));
    }
    EXPECT_EQ(failurePrompts(), QStringList({ failurePrompt(FailureNumber::DeviceIoError) }));
    EXPECT_EQ(readAll(path("out.sim")), "OLD CONTENT");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({ "out.sim" }));
}

// The files of another public tool, read by hand.
class RealFiles : public SimaFileMenu
{
protected:
    void SetUp() override
    {
        SimaFileMenu::SetUp();
        realDir = QStringLiteral(TAVORIN_SHARED_DATA_DIR "/sima-real");
        if (!QFileInfo(realDir).isDir())
            GTEST_SKIP() << "no real SIMA files at " << realDir.toStdString();
    }
    QString realDir;
};

TEST_F(RealFiles, LoadWithTheirPointsAndSurviveAWriteAndRead)
{
    struct Case
    {
        const char *file;
        int count;
        PointRecord first;
        PointRecord last;
    };
    const Case cases[] = {
        { "kmrjs-polygonGeoJSON.simaObj.sim", 26, { "Auto-337", "-23795.960", "-32832.251" },
            { "Auto-460", "-23898.372", "-32863.633" } },
        { "kmrjs-polygonGeoJSON.simaObj.DERIVED-cp932.sim", 26,
            { "Auto-337", "-23795.960", "-32832.251" },
            { "Auto-460", "-23898.372", "-32863.633" } },
        { "kmrjs-polygonGeoJSON.simaObjSpaced.sim", 26, { "Auto-337", "-23795.960", "-32832.251" },
            { "Auto-460", "-23898.372", "-32863.633" } },
        { "kmrjs-pointGeoJSON.simasplitted.sim", 4, { "T-5965", "-24010.239", "-32836.454" },
            { "T-5926", "-24007.337", "-32837.018" } },
        { "kmrjs-pointGeoJSON.simasplitedSpaced.sim", 4, { "T-5965", "-24010.239", "-32836.454" },
            { "T-5926", "-24007.337", "-32837.018" } },
    };
    for (const Case &c : cases) {
        createWindow();
        dialogs.clearRecord();
        load(realDir + u'/' + QString::fromLatin1(c.file));
        EXPECT_EQ(dialogs.messages().size(), 0) << c.file;
        ASSERT_EQ(list(1)->listCount(), c.count) << c.file;
        EXPECT_EQ(table->at(0), c.first) << c.file;
        EXPECT_EQ(table->at(c.count - 1), c.last) << c.file;

        // Every point to the transfer list, written, read back.
        QList<PointRecord> loaded;
        for (int i = 0; i < c.count; ++i) {
            loaded << table->at(i);
            list(2)->addItem(ListLine::form(table->at(i)));
        }
        save(path("copy.sim"));
        createWindow();
        load(path("copy.sim"));
        EXPECT_EQ(dialogs.messages().size(), 0) << c.file;
        QList<PointRecord> reread;
        for (int i = 0; i < c.count; ++i)
            reread << table->at(i);
        // The transfer list is sorted, so compare as sets of points.
        const auto byName = [](const PointRecord &a, const PointRecord &b) {
            return std::tie(a.name, a.x, a.y) < std::tie(b.name, b.x, b.y);
        };
        std::sort(loaded.begin(), loaded.end(), byName);
        std::sort(reread.begin(), reread.end(), byName);
        EXPECT_EQ(reread, loaded) << c.file;
    }
}

} // namespace
