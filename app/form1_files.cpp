// The SIMA file menu: reading a file into the SIMA file list and writing the
// transfer list as a file; files given at start or dropped on the window.
#include "form1.h"

#include "csvfile.h"
#include "exporting.h"
#include "listbox.h"
#include "planpdf.h"
#include "plantext.h"
#include "planwindow.h"
#include "pointtable.h"
#include "registryfile.h"
#include "simafile.h"
#include "userdialogs.h"
#include "windowtext.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>

namespace tavorin {

namespace {

bool isPointFile(const QString &path)
{
    return isCsvPath(path) || QFileInfo(path).suffix().compare(u"sim", Qt::CaseInsensitive) == 0
        || registry::isRegistryPath(path);
}

QStringList droppedFiles(const QMimeData *data)
{
    QStringList files;
    for (const QUrl &url : data->urls()) {
        if (url.isLocalFile())
            files << url.toLocalFile();
    }
    return files;
}

} // namespace

void Form1::openAtStart(const QString &filePath, PointFileReading reading)
{
    // As if chosen in the file dialog: the next dialog offers this path.
    CommonDialog1.FileName = filePath;
    CurrentFilePath = filePath;
    showReading(std::move(reading));
}

void Form1::openFile(const QString &filePath)
{
    // Read and shown as a file given at start is.
    const QString path = QFileInfo(filePath).absoluteFilePath();
    if (registry::isRegistryPath(path))
        openMapFile(path);
    else
        openAtStart(path, readPointFile(path));
}

void Form1::dragEnterEvent(QDragEnterEvent *event)
{
    // Several files are taken too, to say that one is read at a time.
    const QStringList files = droppedFiles(event->mimeData());
    if (files.size() > 1 || (files.size() == 1 && isPointFile(files.constFirst())))
        event->acceptProposedAction();
}

void Form1::dropEvent(QDropEvent *event)
{
    const QStringList files = droppedFiles(event->mimeData());
    event->acceptProposedAction();
    if (files.size() > 1)
        showError(windowtext::DropOneFile);
    else if (files.size() == 1 && isPointFile(files.constFirst()))
        openFile(files.constFirst());
}

void Form1::SimFileLoad_Click()
{
    // A cancelled dialog fails with 32755, which is not shown: reading stops
    // silently.
    CommonDialog1.Filter = windowtext::LoadFilter;
    if (!CommonDialog1.ShowOpen())
        return;
    CurrentFilePath = CommonDialog1.FileName;
    // The file is closed once it is read, before anything is shown; 読込
    // reads any file as SIMA, whatever its extension.
    showReading(readPointFile(CurrentFilePath, PointFileKind::Sima));
}

void Form1::showReading(PointFileReading reading)
{
    // A reading refused changes nothing: a SIMA file that failed before its
    // point records began, or a CSV file that cannot be read in full. A
    // SIMA file cut short lists the points read before the failure, and
    // then says why.
    if (reading.ending == PointFileReading::Ending::Refused) {
        showError(endingText(reading));
        return;
    }
    // The parcels before the points: listing them makes the plan read both.
    m_parcels = std::move(reading.parcels);
    m_landClasses = QList<parcels::LandClass>(m_parcels.size(), parcels::LandClass::Residential);
    listPoints(std::move(reading.points), std::move(reading.records));
    m_listTitle = planTitle(reading.jobName, CurrentFilePath);
    // A registry's map sets its own once shown.
    m_source.clear();
    const QString fileName = QFileInfo(CurrentFilePath).fileName();
    m_fileText = fileName.isEmpty() ? QString() : plantext::FileCaption.arg(fileName);
    showFileText();
    if (reading.ending == PointFileReading::Ending::CutShort)
        showError(endingText(reading));
    // The zone is the file's: a CSV file whose rows all name one chooses
    // it, and the user may change it; otherwise none is known.
    setFileZone(reading.zone);
}

void Form1::listPoints(QList<PointRecord> points, FilePoints records)
{
    // The records first: List1's change makes the plan read them.
    m_records = std::move(records);
    QStringList names;
    names.reserve(points.size());
    for (const PointRecord &point : points)
        names.append(point.name);
    List1->clear();
    List1->addItems(names);
    names.clear();
    // The readers give no more points than the table holds.
    (void)m_table.storeFromStart(std::move(points));
}

void Form1::showFileText()
{
    if (m_planWindow)
        m_planWindow->setFileText(m_fileText);
}

void Form1::SimFileSave_Click()
{
    // After CSV読込, CSV書込, 地図XML読込 or another export the name last
    // chosen is a CSV, PDF, DXF, map or registry map (.xml, .zip) file's:
    // the dialog offers it as genba.sim, so that saving does not put SIMA
    // text in that file. Any other name is offered as it was chosen; a
    // cancel keeps it.
    const QString remembered = CommonDialog1.FileName;
    if (const ExportFormat *format = exportFormat(remembered);
        (format && QStringView(format->extension) != u"sim")
        || registry::isRegistryPath(remembered))
        CommonDialog1.FileName = CommonDialog::withSuffix(remembered, QStringLiteral("sim"));
    CommonDialog1.Filter = windowtext::SaveFilter;
    if (!CommonDialog1.ShowSave()) { // cancelled: silent, as for reading
        CommonDialog1.FileName = remembered;
        return;
    }
    CurrentFilePath = CommonDialog1.FileName;

    // A write that fails is reported like a read that fails; the file that
    // was there before stays as it was.
    if (const Result<void> saved = saveSimaFile(CurrentFilePath, List2->lines()); !saved)
        showFailureMessage(saved.failure());
}

} // namespace tavorin
