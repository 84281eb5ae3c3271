// The CSV items of the SIMA file menu: reading a CSV file that a spreadsheet
// saved into the SIMA file list, and writing the transfer list as a CSV file
// that a spreadsheet opens.
#include "form1.h"

#include "csvfile.h"
#include "listbox.h"
#include "windowtext.h"

namespace tavorin {

namespace {

QString faultMessage(CsvFault fault)
{
    switch (fault) {
    case CsvFault::QuoteNotClosed:
        return WindowText::CsvQuoteNotClosed;
    case CsvFault::TooFewFields:
        return WindowText::CsvTooFewFields;
    case CsvFault::NameMissing:
        return WindowText::CsvNameMissing;
    case CsvFault::XNotANumber:
        return WindowText::CsvXNotANumber;
    case CsvFault::YNotANumber:
        return WindowText::CsvYNotANumber;
    case CsvFault::XTooLong:
        return WindowText::CsvXTooLong;
    case CsvFault::YTooLong:
        return WindowText::CsvYTooLong;
    case CsvFault::None:
        break;
    }
    return {};
}

} // namespace

QString Form1::csvFaultPrompt(const CsvReading &reading)
{
    return faultMessage(reading.fault).arg(reading.faultRow);
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
    // A file whose rows all name one zone chooses it; the user may change it.
    if (reading.zone != 0)
        chooseZone(reading.zone);
}

void Form1::CsvFileSave_Click()
{
    CommonDialog1.Filter = WindowText::CsvFilter;
    CommonDialog1.DefaultExt = WindowText::CsvDefaultExtension;
    if (!CommonDialog1.ShowSave())
        return;
    CurrentFilePath = CommonDialog1.FileName;
    if (const Result<void> saved = saveCsvFile(CurrentFilePath, List2->lines()); !saved)
        showFailureMessage(saved.failure());
}

} // namespace tavorin
