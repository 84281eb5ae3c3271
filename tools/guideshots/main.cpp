// tavorin-guideshots: takes the user guide's pictures from the real window.
//
//   tavorin-guideshots OUTPUT-FOLDER SAMPLE.sim [MAP.zip]
//       (sample.csv and sample-parcels.sim beside SAMPLE.sim; MAP.zip a
//       registry map, 地図XML, whose plan is taken where it is given)
//   tavorin-guideshots --port-menu OUTPUT-FOLDER SAMPLE.sim
//
// Builds Form1 as the program does, drives it as a user would (menus,
// buttons, typed entries, message boxes answered with OK) and saves the
// screen around the window as PNGs after each main step. The serial ports
// lead to a pseudo-terminal where this program plays the pocket computer;
// COM3 leads nowhere, to show a failure. That needs a POSIX system; the
// port menu alone (guide-port-menu.png, with a USB adapter's COM4 below the
// separator) is taken on any, the Windows build's under Wine. Run it on an X
// server (tools/screenshot starts Xvfb), where menus and message boxes appear
// on the screen beside the window.
#include "form1.h"
#include "listbox.h"
#include "parcelwindow.h"
#include "planwidget.h"
#include "planwindow.h"
#include "pointtable.h"
#include "portresolver.h"
#include "startup.h"
#include "userdialogs.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTranslator>
#include <QTreeWidget>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <utility>

#ifdef TAVORIN_GUIDESHOTS_PEER
#include "pocketpeer.h"
#endif

using namespace tavorin;

namespace {

// Lets the window and the X server finish drawing.
void settle()
{
    QTest::qWait(400);
}

class GuideShots
{
public:
    explicit GuideShots(const QString &folder)
        : m_folder(folder)
    {
    }

    void setWindow(QWidget *window) { m_window = window; }

    // Saves the screen under the window and any popup or message box over it.
    void take(const QString &name, const QWidget *over = nullptr) { takeOf(m_window, name, over); }

    // The same for another window of the program, with its frame and title
    // bar: tools/screenshot runs a window manager on the virtual X server.
    // The Windows build's port menu is taken under Wine without one, where
    // Wine keeps room for a frame that it does not draw, which is left out.
    void takeOf(const QWidget *window, const QString &name, const QWidget *over = nullptr)
    {
        settle();
        QRect area = outline(window);
        if (over)
            area |= outline(over);
        const QImage image = window->screen()
                                 ->grabWindow(0, area.x(), area.y(), area.width(), area.height())
                                 .toImage();
        const QString path = QDir(m_folder).filePath(name + QStringLiteral(".png"));
        if (!image.save(path, "PNG", 0)) {
            std::fprintf(stderr, "cannot save %s\n", qPrintable(path));
            m_failed = true;
        } else {
            std::printf("saved %s\n", qPrintable(path));
        }
    }

    // True once a picture could not be saved.
    bool failed() const { return m_failed; }

private:
    static QRect outline(const QWidget *window)
    {
#ifdef Q_OS_WIN
        return window->geometry();
#else
        return window->frameGeometry();
#endif
    }

    bool m_failed = false;
    QString m_folder;
    QWidget *m_window = nullptr;
};

// The program's own message boxes and options dialogs, and a file dialog
// that picks the sample file. Each message box and options dialog is
// photographed under the next name queued (none for an empty name) and then
// answered with OK.
class GuideDialogs final : public UserDialogs
{
public:
    GuideDialogs(GuideShots &shots, const QString &file)
        : m_shots(shots)
        , m_file(file)
    {
    }

    void expectBoxes(const QStringList &names) { m_boxNames += names; }
    // The file the next file dialog picks instead of the sample file.
    void pickNext(const QString &file) { m_next = file; }

    MessageAnswer messageBox(QWidget *parent, const QString &prompt, const QString &title,
        MessageIcon icon, MessageButtons buttons) override
    {
        const QString name = m_boxNames.isEmpty() ? QString() : m_boxNames.takeFirst();
        QTimer::singleShot(0, [this, name] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            if (!name.isEmpty())
                m_shots.take(name, box);
            box->button(QMessageBox::Ok)->click();
        });
        return m_qt.messageBox(parent, prompt, title, icon, buttons);
    }

    std::optional<QString> fileDialog(QWidget *, FileDialogMode, const QString &, const QString &,
        const QString &, const QString &) override
    {
        return m_next.isEmpty() ? m_file : std::exchange(m_next, QString());
    }

    // No browser is started while the pictures are taken.
    bool openUrl(const QUrl &) override { return true; }

    std::optional<ExportOptions> exportOptions(
        QWidget *parent, ExportKind kind, const ExportOptions &offered, const PlanFit &fit) override
    {
        const QString name = m_boxNames.isEmpty() ? QString() : m_boxNames.takeFirst();
        QTimer::singleShot(0, [this, name] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            if (!name.isEmpty())
                m_shots.take(name, dialog);
            dialog->accept();
        });
        return m_qt.exportOptions(parent, kind, offered, fit);
    }

    // A chooser is photographed, when a name is queued, with its list open
    // down to the last entry (系なし among the zones), and then cancelled;
    // otherwise it is cancelled unseen.
    std::optional<int> chooseItem(QWidget *parent, const QString &title, const QString &prompt,
        const QStringList &items, int current) override
    {
        const QString name = m_boxNames.isEmpty() ? QString() : m_boxNames.takeFirst();
        if (name.isEmpty())
            return std::nullopt;
        QTimer::singleShot(0, [this, name] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            auto *list = dialog ? dialog->findChild<QComboBox *>() : nullptr;
            if (!list)
                return;
            settle();
            list->showPopup();
            QAbstractItemView *view = list->view();
            const QModelIndex last = view->model()->index(list->count() - 1, 0);
            view->scrollTo(last);
            view->setCurrentIndex(last);
            m_shots.takeOf(dialog, name, view->window());
            list->hidePopup();
            dialog->reject();
        });
        return m_qt.chooseItem(parent, title, prompt, items, current);
    }

private:
    GuideShots &m_shots;
    QString m_file;
    QString m_next;
    QStringList m_boxNames;
    QtUserDialogs m_qt;
};

// COM1 and COM2 lead to the pocket computer played here; COM3 to nothing.
// The port menu lists one further port, as a plugged-in USB adapter shows
// there (COM4 on Windows); it is only named, never opened, and no real port
// is looked up.
class GuidePorts final : public PortResolver
{
public:
    explicit GuidePorts(const QString &device)
        : m_device(device)
    {
    }
    QString deviceName(int portNumber) const override
    {
        return portNumber == 3 ? QStringLiteral("/dev/tavorin-guide-no-port") : m_device;
    }
    QStringList furtherPorts() const override { return { QStringLiteral("COM4") }; }

private:
    QString m_device;
};

template <typename T> T *control(QWidget *window, const QString &name)
{
    T *found = window->findChild<T *>(name);
    if (!found) {
        std::fprintf(stderr, "no control %s\n", qPrintable(name));
        std::exit(1);
    }
    return found;
}

// Opens a menu of the menu bar, photographs it, and closes it again.
void takeMenu(GuideShots &shots, QMainWindow *window, const QString &menuName, const QString &name)
{
    auto *menu = control<QMenu>(window, menuName);
    window->menuBar()->setActiveAction(menu->menuAction());
    settle();
    shots.take(name, menu);
    QTest::keyClick(menu, Qt::Key_Escape);
    QTest::keyClick(window->menuBar(), Qt::Key_Escape);
}

// The port menu with the sample file read, as the window shows it with a
// USB adapter plugged in.
int takePortMenu(const QString &folder, const QString &sample)
{
    GuideShots shots(folder);
    GuideDialogs dialogs(shots, QFileInfo(sample).absoluteFilePath());
    const GuidePorts ports(QStringLiteral("/dev/tavorin-guide-no-port"));
    Form1 window(dialogs, ports, PointTable::programWide());
    shots.setWindow(&window);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    control<QAction>(&window, QStringLiteral("SimFileLoad"))->trigger();
    takeMenu(shots, &window, QStringLiteral("ComPort"), QStringLiteral("guide-port-menu"));
    return shots.failed() ? 1 : 0;
}

#ifdef TAVORIN_GUIDESHOTS_PEER
int takeGuidePictures(const QString &folder, const QString &sample, const QString &map);
#endif

} // namespace

int main(int argc, char *argv[])
{
    // The zone the pictures choose is remembered in a folder of this run's
    // own, not in the user's settings.
    const QTemporaryDir settings;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::SystemScope, settings.path());
    QApplication app(argc, argv);
#ifdef Q_OS_WIN
    // The style the program sets on Windows.
    QApplication::setStyle(QStringLiteral("windowsvista"));
#endif
    // Menus appear at once, so that the picture catches them whole.
    QApplication::setEffectEnabled(Qt::UI_AnimateMenu, false);
    QApplication::setEffectEnabled(Qt::UI_FadeMenu, false);
    // The text cursor stays on, so that a second run gives the same bytes.
    QApplication::setCursorFlashTime(0);
    // The standard buttons in Japanese, as the program shows them.
    const std::unique_ptr<QTranslator> qtTranslation = installQtTranslation();

    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() == 4 && arguments.at(1) == QStringLiteral("--port-menu"))
        return takePortMenu(arguments.at(2), arguments.at(3));
#ifdef TAVORIN_GUIDESHOTS_PEER
    if (arguments.size() == 3 || arguments.size() == 4)
        return takeGuidePictures(arguments.at(1), arguments.at(2), arguments.value(3));
    std::fprintf(stderr, "usage: tavorin-guideshots OUTPUT-FOLDER SAMPLE.sim [MAP.zip]\n");
#endif
    std::fprintf(stderr, "usage: tavorin-guideshots --port-menu OUTPUT-FOLDER SAMPLE.sim\n");
    return 2;
}

#ifdef TAVORIN_GUIDESHOTS_PEER
namespace {

void typeAndEnter(QLineEdit *entry, const QString &text)
{
    entry->setFocus();
    QTest::keyClicks(entry, text);
    QTest::keyClick(entry, Qt::Key_Return);
}

// Opens the plan window of what the window has read.
PlanWindow *showPlan(Form1 &window)
{
    control<QAction>(&window, QStringLiteral("PlanView"))->trigger();
    for (PlanWindow *plan : window.findChildren<PlanWindow *>()) {
        if (plan->isVisible() && QTest::qWaitForWindowExposed(plan))
            return plan;
    }
    std::fprintf(stderr, "no plan window\n");
    return nullptr;
}

// A file with parcels: the plan with its parcel list, the first parcel
// picked, and the window 求積表 of that parcel.
bool takeParcels(GuideShots &shots, GuideDialogs &dialogs, Form1 &window, const QString &file)
{
    dialogs.pickNext(file);
    control<QAction>(&window, QStringLiteral("SimFileLoad"))->trigger();
    PlanWindow *planWindow = showPlan(window);
    if (!planWindow)
        return false;
    auto *parcels = control<QTreeWidget>(planWindow, QStringLiteral("PlanParcels"));
    parcels->setCurrentItem(parcels->topLevelItem(0));
    shots.takeOf(planWindow, QStringLiteral("guide-parcels"));
    control<QPushButton>(planWindow, QStringLiteral("PlanParcelTables"))->click();
    ParcelWindow *tables = planWindow->parcelWindow();
    if (!tables || !QTest::qWaitForWindowExposed(tables))
        return false;
    shots.takeOf(tables, QStringLiteral("guide-parcel-tables"));
    tables->close();
    // Closed, the plan window is deleted; the next is a new one.
    planWindow->close();
    settle();
    return true;
}

// A registry map (地図XML) read from the zip file it is distributed in, and
// its points in the plan, under the map's names and its source line.
bool takeMap(GuideShots &shots, GuideDialogs &dialogs, Form1 &window, const QString &map)
{
    dialogs.pickNext(QFileInfo(map).absoluteFilePath());
    control<QAction>(&window, QStringLiteral("MapFileLoad"))->trigger();
    PlanWindow *planWindow = showPlan(window);
    if (!planWindow)
        return false;
    shots.takeOf(planWindow, QStringLiteral("guide-mapxml-plan"));
    planWindow->close();
    return true;
}

int takeGuidePictures(const QString &folder, const QString &sample, const QString &map)
{
    QString error;
    const std::unique_ptr<peer::PeerLine> pocket = peer::PeerLine::createPty(&error);
    if (!pocket) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    GuideShots shots(folder);
    GuideDialogs dialogs(shots, QFileInfo(sample).absoluteFilePath());
    GuidePorts ports(pocket->deviceName());
    Form1 window(dialogs, ports, PointTable::programWide());
    shots.setWindow(&window);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    const auto option = [&](int group, int index) {
        return control<QRadioButton>(&window, QStringLiteral("Option%1_%2").arg(group).arg(index));
    };
    const auto command = [&](int number) {
        return control<QPushButton>(&window, QStringLiteral("Command%1").arg(number));
    };
    auto *list1 = control<ListBox>(&window, QStringLiteral("List1"));

    // Reading a SIMA file.
    takeMenu(shots, &window, QStringLiteral("SimFile"), QStringLiteral("guide-file-menu"));
    control<QAction>(&window, QStringLiteral("SimFileLoad"))->trigger();
    shots.take(QStringLiteral("guide-read"));
    // A SIMA file names no zone, so 地図用に書き出し asks for one first; the
    // chooser with 系なし at the end of its list, cancelled.
    dialogs.expectBoxes({ QStringLiteral("guide-zone-choice") });
    control<QAction>(&window, QStringLiteral("GeoJsonKmlExport"))->trigger();

    // The port (its menu is taken by --port-menu).
    control<QAction>(&window, QStringLiteral("Com2"))->trigger();

    // The four ways of choosing points.
    for (const int p : { 1, 2, 3, 8, 9 })
        list1->setSelected(p, true);
    command(1)->click();
    shots.take(QStringLiteral("guide-pick"));
    shots.take(QStringLiteral("screenshot"));

    // The plan: a rectangle dragged over part of the K line picks its points
    // in the SIMA file list, beside the points already in the transfer list;
    // K3 is in both, and shows the mark of both.
    control<QAction>(&window, QStringLiteral("PlanView"))->trigger();
    auto *planWindow = control<PlanWindow>(&window, QString());
    if (!QTest::qWaitForWindowExposed(planWindow))
        return 1;
    PlanWidget *plan = planWindow->plan();
    const QRect area = QRect(*plan->planGeometry().pixelOf(9), *plan->planGeometry().pixelOf(14))
                           .normalized()
                           .adjusted(-6, -6, 6, 6);
    QTest::mousePress(plan, Qt::LeftButton, {}, area.topLeft());
    QTest::mouseMove(plan, area.bottomRight());
    QTest::mouseRelease(plan, Qt::LeftButton, {}, area.bottomRight());
    QTest::mouseMove(plan, area.center());
    shots.takeOf(planWindow, QStringLiteral("guide-plan"));
    // Zone IX chosen in the plan window: the status line shows the latitude
    // and longitude of the cursor, here on T4.
    auto *zone = control<QComboBox>(planWindow, QStringLiteral("PlanZone"));
    zone->setCurrentIndex(zone->findData(9));
    emit zone->activated(zone->currentIndex());
    QTest::mouseMove(plan, *plan->planGeometry().pixelOf(4));
    shots.takeOf(planWindow, QStringLiteral("guide-map"));
    planWindow->close();
    // 配置図PDF: its options, the sheet and the scale; the PDF goes to a
    // folder of this run's own.
    QTemporaryDir paper;
    dialogs.pickNext(paper.filePath(QStringLiteral("sample.pdf")));
    dialogs.expectBoxes({ QStringLiteral("guide-pdf-options") });
    control<QAction>(&window, QStringLiteral("PdfExport"))->trigger();
    list1->clearSelection();
    option(1, 1)->click();
    shots.take(QStringLiteral("guide-all"));
    command(4)->click();
    option(1, 2)->click();
    typeAndEnter(control<QLineEdit>(&window, QStringLiteral("Text1_0")), QStringLiteral("K1"));
    shots.take(QStringLiteral("guide-prefix"));
    // The range adds to what 部分ALL put in the transfer list.
    option(1, 3)->click();
    typeAndEnter(control<QLineEdit>(&window, QStringLiteral("Text1_1")), QStringLiteral("T2/T5"));
    shots.take(QStringLiteral("guide-range"));

    // Sending all points: the pocket computer acknowledges nine lines, the
    // picture shows the progress, then it takes the rest.
    option(1, 1)->click();
    dialogs.expectBoxes(
        { QStringLiteral("guide-send-ready"), QStringLiteral("guide-send-confirm") });
    command(2)->click();
    for (int line = 0; line < 9; ++line) {
        pocket->readLine(2000);
        pocket->write("ST\r");
        settle();
    }
    shots.take(QStringLiteral("guide-sending"));
    const int total = control<ListBox>(&window, QStringLiteral("List2"))->listCount();
    for (int line = 9; line < total; ++line) {
        pocket->readLine(2000);
        pocket->write("ST\r");
        QTest::qWait(50);
    }
    settle();

    // Receiving: the pocket computer sends six points and the end message.
    option(2, 1)->click();
    dialogs.expectBoxes({ QStringLiteral("guide-receive") });
    command(3)->click();
    for (int i = 1; i <= 6; ++i) {
        pocket->write(peer::pointRecord(QStringLiteral("N%1").arg(i),
            QString::number(-35000.0 - 12.345 * i, 'f', 3),
            QString::number(18100.0 + 9.876 * i, 'f', 3)));
        QTest::qWait(50);
    }
    pocket->write(peer::endMessage());
    shots.take(QStringLiteral("guide-received"));

    // A CSV file as Excel saves it, read for sending (ﾊﾟｿｺﾝからﾎﾟｹｺﾝ, an
    // empty transfer list), and one with a row that cannot be read.
    option(2, 0)->click();
    command(4)->click();
    dialogs.pickNext(QFileInfo(sample).absolutePath() + QStringLiteral("/sample.csv"));
    control<QAction>(&window, QStringLiteral("CsvFileLoad"))->trigger();
    shots.take(QStringLiteral("guide-csv-read"));
    QTemporaryDir scratch;
    QFile bad(scratch.filePath(QStringLiteral("bad.csv")));
    if (!bad.open(QIODevice::WriteOnly)
        || bad.write("Name,X,Y\r\nA1,10.5,20.5\r\nA2,1O.5,20.5\r\n") < 0)
        return 1;
    bad.close();
    dialogs.pickNext(bad.fileName());
    dialogs.expectBoxes({ QStringLiteral("guide-csv-error") });
    control<QAction>(&window, QStringLiteral("CsvFileLoad"))->trigger();

    // A port that is not there.
    control<QAction>(&window, QStringLiteral("Com3"))->trigger();
    dialogs.expectBoxes({ QString(), QStringLiteral("guide-error") });
    command(3)->click();

    if (!takeParcels(shots, dialogs, window,
            QFileInfo(sample).absolutePath() + QStringLiteral("/sample-parcels.sim")))
        return 1;
    if (!map.isEmpty() && !takeMap(shots, dialogs, window, map))
        return 1;
    return shots.failed() ? 1 : 0;
}

} // namespace
#endif
