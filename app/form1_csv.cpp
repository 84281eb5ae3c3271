// The CSV items of the SIMA file menu: reading a CSV file that a spreadsheet
// saved into the SIMA file list, and writing the transfer list as a CSV file
// that a spreadsheet opens.
#include "form1.h"

#include "csvfile.h"
#include "listbox.h"
#include "windowtext.h"

namespace tavorin {

void Form1::CsvFileLoad_Click()
{
    // Shares the dialog, and so the path last chosen, with 読込 and 書込.
    CommonDialog1.Filter = windowtext::CsvFilter;
    if (!CommonDialog1.ShowOpen())
        return;
    CurrentFilePath = CommonDialog1.FileName;
    showReading(readPointFile(CurrentFilePath, PointFileKind::Csv));
}

void Form1::CsvFileSave_Click()
{
    // The dialog offers the name last chosen as a CSV file's (genba.sim as
    // genba.csv), so that saving never puts CSV text in a SIMA file; a cancel
    // keeps the name as it was.
    const QString remembered = CommonDialog1.FileName;
    CommonDialog1.FileName = CommonDialog::withSuffix(remembered, windowtext::CsvDefaultExtension);
    CommonDialog1.Filter = windowtext::CsvFilter;
    CommonDialog1.DefaultExt = windowtext::CsvDefaultExtension;
    if (!CommonDialog1.ShowSave()) {
        CommonDialog1.FileName = remembered;
        return;
    }
    CurrentFilePath = CommonDialog1.FileName;
    if (const Result<void> saved = saveCsvFile(CurrentFilePath, List2->lines()); !saved)
        showFailureMessage(saved.failure());
}

} // namespace tavorin
