#include "planpdf.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <functional>
#include <optional>

using namespace tavorin;
using namespace tavorin::paperplan;
using namespace Qt::StringLiterals;

namespace {

// What a poppler-utils program prints about a file; nothing where it cannot
// be started.
std::optional<QString> poppler(const QString &program, QStringList arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForStarted(20000) || !process.waitForFinished(60000))
        return std::nullopt;
    return QString::fromUtf8(process.readAllStandardOutput());
}

#define POPPLER(result, program, ...)                                                              \
    const std::optional<QString> result = poppler(program, __VA_ARGS__);                           \
    if (!result)                                                                                   \
        GTEST_SKIP() << QString(program).toStdString() << " cannot be run (Debian: poppler-utils)";

// The lines of a page's text as pdftotext lays them out, each with its runs
// of blanks (ideographic spaces too) made one space, the empty ones left out.
QStringList pageLines(const QString &text)
{
    QStringList lines;
    for (const QString &line : text.split(u'\n')) {
        const QString simplified = line.simplified();
        if (!simplified.isEmpty() && simplified != u"\f")
            lines.append(simplified);
    }
    return lines;
}

// 60 points, 10 m apart in rows of 8, in file order: one without
// coordinates, one whose coordinates the table keeps as written.
PlanPdfInput sixtyPoints(Sheet sheet)
{
    PlanPdfInput input;
    for (int i = 0; i < 60; ++i) {
        const QString name = i == 0 ? u"引照1"_s : i == 1 ? u"ﾃﾞｰﾀ点"_s : u"P%1"_s.arg(i);
        input.points.append({ name, QString::number(-35000 - (i / 8) * 10) + u".000"_s,
            QString::number(18000 + (i % 8) * 10) + u".000"_s });
    }
    input.points[2] = { u"座標なし"_s, QString(), QString() };
    input.points[3] = { u"P3"_s, u"-35000.0100"_s, u"+18030.50"_s };
    input.title = u"五反田二丁目 基準点"_s;
    input.zone = 9;
    input.sheet = sheet;
    input.date = QDate(2025, 1, 5);
    return input;
}

TEST(PlanPdf, TitleZoneLineAndScale)
{
    EXPECT_EQ(planTitle(u"　現場A "_s, u"C:/data/a.sim"_s), u"現場A"_s);
    EXPECT_EQ(planTitle(QString(), u"/data/点.csv"_s), u"点.csv"_s);
    EXPECT_EQ(zoneLine(9), u"座標系 Ⅸ系　測地系 世界測地系（測地成果2024）"_s);
    EXPECT_EQ(zoneLine(1).left(5), u"座標系 Ⅰ"_s);
    EXPECT_EQ(zoneLine(19).left(7), u"座標系 ⅩⅨ系"_s);
    EXPECT_EQ(zoneLine(0), QString());
    EXPECT_EQ(zoneLine(20), QString());
    PlanPdfInput input = sixtyPoints({});
    EXPECT_EQ(planScale(input), 500);
    input.scale = 2500;
    EXPECT_EQ(planScale(input), 2500);
}

TEST(PlanPdf, PopplerReadsSizeAndPagesOfEverySheet)
{
    const struct
    {
        Sheet sheet;
        const char *size;
        int pages;
    } cases[] = {
        { { Paper::A4, Orientation::Portrait }, "595 x 842 pts (A4)", 3 },
        { { Paper::A4, Orientation::Landscape }, "842 x 595 pts (A4)", 3 },
        { { Paper::A3, Orientation::Portrait }, "842 x 1191 pts (A3)", 2 },
        { { Paper::A3, Orientation::Landscape }, "1191 x 842 pts (A3)", 3 },
    };
    QTemporaryDir dir;
    for (const auto &c : cases) {
        const QString pdf = dir.filePath(u"plan.pdf"_s);
        ASSERT_TRUE(savePlanPdf(pdf, sixtyPoints(c.sheet)));
        POPPLER(info, u"pdfinfo"_s, { pdf });
        const QStringList lines = pageLines(*info);
        EXPECT_TRUE(lines.contains(u"Page size: "_s + c.size)) << lines.join('\n').toStdString();
        EXPECT_TRUE(lines.contains(u"Pages: %1"_s.arg(c.pages))) << lines.join('\n').toStdString();
        EXPECT_TRUE(lines.contains(u"Title: 五反田二丁目 基準点"_s))
            << lines.join('\n').toStdString();
    }
}

TEST(PlanPdf, PopplerGivesBackEveryNameAndCoordinateWithTheFontEmbedded)
{
    const PlanPdfInput input = sixtyPoints({});
    QTemporaryDir dir;
    const QString pdf = dir.filePath(u"plan.pdf"_s);
    ASSERT_TRUE(savePlanPdf(pdf, input));
    const auto page = [&](int number) {
        return poppler(u"pdftotext"_s,
            { u"-layout"_s, u"-f"_s, QString::number(number), u"-l"_s, QString::number(number), pdf,
                u"-"_s });
    };
    POPPLER(plan, u"pdftotext"_s, { u"-layout"_s, u"-l"_s, u"1"_s, pdf, u"-"_s });
    const QString footer = u"座標系 Ⅸ系 測地系 世界測地系（測地成果2024） 作成日 2025年1月5日 "_s;

    // The plan: title and scale, every name of a point with coordinates,
    // the grid's labels at 10 m, the footer.
    const QStringList lines = pageLines(*plan);
    EXPECT_EQ(lines.first(), u"五反田二丁目 基準点 S=1/500"_s);
    EXPECT_EQ(lines.last(), footer + u"1/3"_s);
    const QStringList words = lines.join(u' ').split(u' ');
    const QSet<QString> shown(words.cbegin(), words.cend());
    for (const PointRecord &point : input.points)
        EXPECT_EQ(shown.contains(point.name), !point.x.isEmpty()) << point.name.toStdString();
    for (const QString &label : { u"X=-35000"_s, u"X=-35070"_s, u"Y=18000"_s, u"Y=18070"_s })
        EXPECT_TRUE(shown.contains(label)) << label.toStdString();

    // The table: the headings on every page, the points in file order with
    // their coordinates as held.
    for (const int number : { 2, 3 }) {
        const std::optional<QString> text = page(number);
        ASSERT_TRUE(text);
        QStringList expected = { u"五反田二丁目 基準点 座標一覧"_s, u"点名 X Y"_s };
        for (qsizetype i = (number - 2) * 50; i < std::min<qsizetype>(60, (number - 1) * 50); ++i)
            expected.append(
                QStringList({ input.points[i].name, input.points[i].x, input.points[i].y })
                    .join(u' ')
                    .trimmed());
        expected.append(footer + QString::number(number) + u"/3"_s);
        EXPECT_EQ(pageLines(*text), expected) << number;
    }

    POPPLER(fonts, u"pdffonts"_s, { pdf });
    const QStringList fontLines = pageLines(*fonts).mid(2);
    ASSERT_EQ(fontLines.size(), 1) << fonts->toStdString();
    EXPECT_EQ(fontLines[0].section(u' ', 1, 6), u"CID TrueType Identity-H yes no yes"_s);
}

TEST(PlanPdf, SavingIntoAFolderThatIsNotThereFailsWithSeventySix)
{
    QTemporaryDir dir;
    EXPECT_EQ(savePlanPdf(dir.filePath(u"no/plan.pdf"_s), sixtyPoints({})).failure(),
        FailureNumber::PathNotFound);
}

#ifdef Q_OS_UNIX
// QPdfWriter takes no notice of a write that fails or falls short: the save
// must. Saves over an old file in a child process, past a file-size limit
// and, as root, onto a full file system of its own.
TEST(PlanPdf, AFailedWriteIsFiftySevenAFullDiskSixtyOneAndTheOldFileStays)
{
    const auto save = [](const std::function<bool(const QString &)> &setUp) {
        QTemporaryDir dir;
        const QString disk = dir.filePath(u"disk"_s);
        QDir(dir.path()).mkdir(u"disk"_s);
        const pid_t child = fork();
        if (child == 0) {
            QFile old(disk + u"/plan.pdf"_s);
            if (!setUp(disk) || !old.open(QIODevice::WriteOnly) || old.write("OLD") != 3)
                _exit(255);
            old.close();
            const int failure = savePlanPdf(old.fileName(), sixtyPoints({})).failure();
            old.open(QIODevice::ReadOnly);
            const QStringList files = QDir(disk).entryList(QDir::Files | QDir::Hidden);
            _exit(failure * 4 + (old.readAll() == "OLD" ? 2 : 0)
                + (files == QStringList { u"plan.pdf"_s } ? 1 : 0));
        }
        int status = -1;
        return waitpid(child, &status, 0) == child ? WEXITSTATUS(status) : -1;
    };
    const auto limit = [](const QString &) {
        const rlimit bytes { 8000, 8000 };
        signal(SIGXFSZ, SIG_IGN);
        return setrlimit(RLIMIT_FSIZE, &bytes) == 0;
    };
    EXPECT_EQ(save(limit), FailureNumber::DeviceIoError * 4 + 3);
    if (geteuid() != 0)
        GTEST_SKIP() << "only root can mount a small full file system";
    const auto fullDisk = [](const QString &disk) {
        return unshare(CLONE_NEWNS) == 0
            && mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0
            && mount("tmpfs", QFile::encodeName(disk).constData(), "tmpfs", 0, "size=16k") == 0;
    };
    const int onFullDisk = save(fullDisk);
    if (onFullDisk == 255)
        GTEST_SKIP() << "no private file system could be mounted";
    EXPECT_EQ(onFullDisk, FailureNumber::DiskFull * 4 + 3);
}
#endif

} // namespace
