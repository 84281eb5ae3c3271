#pragma once

#include "csvreader.h"

#include <QStringList>

namespace tavorin {

// True for a path whose extension is .csv, in any case.
bool isCsvPath(const QString &path);

// Reads the CSV file at path. Fails as a SIMA file that cannot be opened
// fails (53, 76, 75, 70), or as readCsv fails.
Result<CsvReading> loadCsvFile(const QString &path);

// Writes lines as a CSV file at path, as safely as a SIMA file is saved and
// with the same failure numbers.
Result<void> saveCsvFile(const QString &path, const QStringList &lines);

} // namespace tavorin
