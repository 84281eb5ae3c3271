// The SIMA file menu: reading a file into the SIMA file list and writing the
// transfer list as a file.
#include "form1.h"

#include "listbox.h"
#include "pointtable.h"
#include "simafile.h"
#include "userdialogs.h"
#include "windowtext.h"

namespace tavorin {

void Form1::openAtStart(const QString &filePath, Result<SimaReading> reading)
{
    // As if chosen in the file dialog: the next dialog offers this path.
    CommonDialog1.FileName = filePath;
    CurrentFilePath = filePath;
    showReading(std::move(reading));
}

void Form1::SimFileLoad_Click()
{
    // A cancelled dialog fails with 32755, which is not shown: reading stops
    // silently.
    CommonDialog1.Filter = WindowText::LoadFilter;
    if (!CommonDialog1.ShowOpen())
        return;
    loadFile();
}

// Reads the file chosen last into List1 and the point table.
void Form1::loadFile()
{
    CurrentFilePath = CommonDialog1.FileName;
    // The file is closed once loadSimaFile returns, before anything is shown.
    showReading(loadSimaFile(CurrentFilePath));
}

void Form1::showReading(Result<SimaReading> result)
{
    // Until the point records began the lists stay as they were; from then
    // on the points read are listed and stored in step, also when a failure
    // ended the reading.
    if (!result) {
        showFailureMessage(result.failure());
        return;
    }
    SimaReading reading = std::move(result).value();
    QStringList names;
    names.reserve(reading.points.size());
    for (const PointRecord &point : reading.points)
        names.append(point.name);
    List1->clear();
    List1->addItems(names);
    names.clear();
    // The reader gives no more points than the table holds.
    (void)m_table.storeFromStart(std::move(reading.points));
    if (!reading.ending)
        showFailureMessage(reading.ending.failure());
}

void Form1::SimFileSave_Click()
{
    CommonDialog1.Filter = WindowText::SaveFilter;
    if (!CommonDialog1.ShowSave()) // cancelled: silent, as for reading
        return;
    CurrentFilePath = CommonDialog1.FileName;

    // A write that fails is reported like a read that fails; the file that
    // was there before stays as it was.
    if (const Result<void> saved = saveSimaFile(CurrentFilePath, List2->lines()); !saved)
        showFailureMessage(saved.failure());
}

} // namespace tavorin
