// 地図XML読込 of the SIMA file menu: the registry's maps (登記所備付地図データ)
// from a .xml file or the zip files they are distributed in, into the SIMA
// file list as CSV読込 lists a file.
#include "form1.h"

#include "exporttext.h"
#include "plantext.h"
#include "registryfile.h"
#include "registrytext.h"
#include "userdialogs.h"
#include "windowtext.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>

#include <functional>
#include <memory>

namespace tavorin {

namespace {

// How long a reading may take before the busy dialog shows.
constexpr int BusyAfterMs = 300;

// The busy dialog: the reading cannot be stopped half way, so neither
// Escape nor the title bar's close button takes it away while the window
// waits behind it.
class BusyDialog final : public QProgressDialog
{
public:
    using QProgressDialog::QProgressDialog;
    void reject() override { }

protected:
    void closeEvent(QCloseEvent *event) override { event->ignore(); }
};

// Runs read on a thread of its own and returns what it gave. A map of 100
// MB takes more than a second to read: meanwhile the window keeps painting
// under a wait cursor. The user's input waits for the first moments, so
// that a short reading shows nothing more; past them a busy dialog without
// a cancel button shows, modal, as the reading cannot be stopped half way.
template <typename Value> Value offWindowThread(QWidget *window, std::function<Value()> read)
{
    Value value;
    QEventLoop loop;
    const std::unique_ptr<QThread> thread(QThread::create([&value, &read] { value = read(); }));
    QObject::connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit);
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    thread->start();
    QTimer::singleShot(BusyAfterMs, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (!thread->isFinished()) {
        BusyDialog busy(windowtext::ReadingMap, QString(), 0, 0, window);
        busy.setObjectName(QStringLiteral("MapReading"));
        busy.setWindowTitle(windowtext::MapFileLoadCaption);
        busy.setWindowModality(Qt::WindowModal);
        busy.setMinimumDuration(0);
        busy.show();
        if (!thread->isFinished())
            loop.exec();
    }
    thread->wait();
    QGuiApplication::restoreOverrideCursor();
    return value;
}

// A map's entry in the list to choose from: its 地図名, 大字名s and points.
QString mapEntry(const registry::MapSummary &map)
{
    return windowtext::MapEntry.arg(map.mapName, map.districts.join(windowtext::DistrictSeparator))
        .arg(map.pointCount);
}

// What the plan window shows of a map: its names, then the source line.
QString mapText(const registry::MapReading &map)
{
    QString datum = map.datum;
    if (!map.conversionProgram.isEmpty())
        datum += plantext::ConversionProgram.arg(map.conversionProgram);
    return plantext::MapCaption.arg(map.mapName, map.municipality, datum) + u'\n'
        + registry::sourceLine(map.municipality);
}

// What the first reading gives: the file's only map, or, for a file of
// several, their list.
struct FirstReading
{
    registry::MapReading map;
    registry::MapListing listing;
};

} // namespace

void Form1::MapFileLoad_Click()
{
    // Shares the dialog, and so the path last chosen, with 読込 and CSV読込.
    CommonDialog1.Filter = windowtext::MapFilter;
    if (!CommonDialog1.ShowOpen())
        return;
    openMapFile(CommonDialog1.FileName);
}

void Form1::openMapFile(const QString &path)
{
    FirstReading first = offWindowThread<FirstReading>(this, [path] {
        FirstReading reading { registry::readMapFile(path), {} };
        // Listing reads every map: only when the file has more than one.
        if (reading.map.reading.ending == PointFileReading::Ending::Refused)
            reading.listing = registry::listMaps(path);
        return reading;
    });
    registry::MapReading map = std::move(first.map);
    const registry::MapListing &listing = first.listing;
    if (listing.maps.size() > 1) {
        QStringList entries;
        for (const registry::MapSummary &summary : listing.maps)
            entries << mapEntry(summary);
        const std::optional<int> chosen = m_dialogs.chooseItem(this, windowtext::MapFileLoadCaption,
            registry::registrytext::SeveralMaps.arg(entries.size()), entries, 0);
        if (!chosen)
            return;
        // By its place, not its name: a file may hold two maps of one 地図名.
        const qsizetype index = *chosen;
        map = offWindowThread<registry::MapReading>(
            this, [path, index] { return registry::readMapAt(path, index); });
    } else if (!listing.ok()) {
        // A file of several maps, one of which cannot be read.
        showError(
            listing.failureNumber != 0 ? failureText(listing.failureNumber) : listing.message);
        return;
    }
    if (map.reading.ending == PointFileReading::Ending::Refused) {
        showError(endingText(map.reading));
        return;
    }
    // As if chosen in the dialog: the next one offers this path.
    CommonDialog1.FileName = path;
    CurrentFilePath = path;
    showReading(std::move(map.reading));
    m_source = registry::sourceLine(map.municipality);
    m_fileText = mapText(map);
    showFileText();
    if (map.parcelsLeftOut > 0)
        showMessage(exporttext::MapParcelsLeftOut.arg(map.parcelsLeftOut));
}

} // namespace tavorin
