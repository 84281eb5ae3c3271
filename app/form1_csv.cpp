// The CSV items of the SIMA file menu: reading a CSV file that a spreadsheet
// saved into the SIMA file list, and writing the transfer list as a CSV file
// that a spreadsheet opens.
#include "form1.h"

#include "csvfile.h"
#include "listbox.h"
#include "planpdf.h"
#include "windowtext.h"

namespace tavorin {

namespace {

// Why a CSV file cannot be read, with the row where that applies.
QString faultMessage(CsvFault fault, qint64 row)
{
    switch (fault) {
    case CsvFault::QuoteNotClosed:
        return WindowText::CsvQuoteNotClosed.arg(row);
    case CsvFault::TooFewFields:
        return WindowText::CsvTooFewFields.arg(row);
    case CsvFault::NameMissing:
        return WindowText::CsvNameMissing.arg(row);
    case CsvFault::XNotANumber:
        return WindowText::CsvXNotANumber.arg(row);
    case CsvFault::YNotANumber:
        return WindowText::CsvYNotANumber.arg(row);
    case CsvFault::XTooLong:
        return WindowText::CsvXTooLong.arg(row);
    case CsvFault::YTooLong:
        return WindowText::CsvYTooLong.arg(row);
    case CsvFault::LatitudeLongitude:
        return WindowText::CsvLatitudeLongitude;
    case CsvFault::HeaderNotFound:
        return WindowText::CsvHeaderNotFound;
    case CsvFault::None:
        break;
    }
    return {};
}

} // namespace

QString Form1::csvFaultPrompt(const CsvReading &reading)
{
    return faultMessage(reading.fault, reading.faultRow);
}

void Form1::CsvFileLoad_Click()
{
    // Shares the dialog, and so the path last chosen, with 読込 and 書込.
    CommonDialog1.Filter = WindowText::CsvFilter;
    if (!CommonDialog1.ShowOpen())
        return;
    CurrentFilePath = CommonDialog1.FileName;
    showReading(loadCsvFile(CurrentFilePath));
}

void Form1::showReading(Result<CsvReading> result)
{
    // Unlike a SIMA file, a CSV file that cannot be read in full changes
    // nothing: the lists and the table stay as they were.
    if (!result) {
        showFailureMessage(result.failure());
        return;
    }
    CsvReading reading = std::move(result).value();
    if (reading.fault != CsvFault::None) {
        showError(csvFaultPrompt(reading));
        return;
    }
    listPoints(std::move(reading.points));
    m_listTitle = planTitle(QString(), CurrentFilePath);
    // A file whose rows all name one zone chooses it; the user may change it.
    if (reading.zone != 0)
        chooseZone(reading.zone);
}

void Form1::CsvFileSave_Click()
{
    // The dialog offers the name last chosen as a CSV file's (genba.sim as
    // genba.csv), so that saving never puts CSV text in a SIMA file; a cancel
    // keeps the name as it was.
    const QString remembered = CommonDialog1.FileName;
    CommonDialog1.FileName = CommonDialog::withSuffix(remembered, WindowText::CsvDefaultExtension);
    CommonDialog1.Filter = WindowText::CsvFilter;
    CommonDialog1.DefaultExt = WindowText::CsvDefaultExtension;
    if (!CommonDialog1.ShowSave()) {
        CommonDialog1.FileName = remembered;
        return;
    }
    CurrentFilePath = CommonDialog1.FileName;
    if (const Result<void> saved = saveCsvFile(CurrentFilePath, List2->lines()); !saved)
        showFailureMessage(saved.failure());
}

} // namespace tavorin
