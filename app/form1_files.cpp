// The SIMA file menu: reading a file into the SIMA file list and writing the
// transfer list as a file.
#include "form1.h"

#include "failure.h"
#include "listbox.h"
#include "pointtable.h"
#include "simafile.h"
#include "windowtext.h"

namespace tavorin {

namespace {

// Shows the dialog; false when the user cancelled it.
template <typename Show> bool chooseFile(CommonDialog &dialog, const QString &filter, Show show)
{
    dialog.CancelError = true;
    dialog.Filter = filter;
    try {
        show();
    } catch (const Failure &failure) {
        if (failure.number() == FailureNumber::DialogCancelled)
            return false;
        throw;
    }
    return true;
}

} // namespace

void Form1::SimFileLoad_Click()
{
    if (!chooseFile(CommonDialog1, WindowText::LoadFilter, [this] { CommonDialog1.ShowOpen(); }))
        return;
    CurrentFilePath = CommonDialog1.FileName;

    // The file is closed once loadSimaFile returns, before anything is shown.
    const SimaReading reading = loadSimaFile(CurrentFilePath);

    // Until the point records began the lists stay as they were; from then
    // on the points read are listed and stored in step, also when a failure
    // ended the reading.
    if (reading.pointsBegun) {
        QStringList names;
        names.reserve(reading.points.size());
        for (const PointRecord &point : reading.points)
            names.append(point.name);
        List1->clear();
        List1->addItems(names);
        for (int i = 0; i < int(reading.points.size()); ++i)
            m_table.store(i, reading.points.at(i));
    }
    if (reading.failure)
        showFailureMessage(reading.failure);
}

void Form1::SimFileSave_Click()
{
    if (!chooseFile(CommonDialog1, WindowText::SaveFilter, [this] { CommonDialog1.ShowSave(); }))
        return;
    CurrentFilePath = CommonDialog1.FileName;

    // A write that fails is reported like a read that fails; the file that
    // was there before stays as it was.
    if (const int failure = saveSimaFile(CurrentFilePath, List2->lines()))
        showFailureMessage(failure);
}

} // namespace tavorin
