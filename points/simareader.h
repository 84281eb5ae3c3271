#pragma once

#include "failure.h"
#include "filepoint.h"
#include "pointtable.h"

#include <QByteArrayView>
#include <QList>

class QIODevice;

namespace tavorin {

// What reading a SIMA coordinate file gives once its point records have
// begun (the "A00" line was read to its end): the points of its "A01"
// records in file order (name cut to 8 characters, X and Y to 13), and how
// the reading ended: ok at "A99", or the failure that cut it short. The
// points read before such a failure are kept.
//
// A failure before the point records began is the failure of the whole
// reading: there are no points, and the lists must stay as they were.
//
// jobName is the job name (the third field) of the first "G00" record before
// "A00", cut to JobNameWidth characters; empty where there is none.
inline constexpr qsizetype JobNameWidth = 40;

struct SimaReading
{
    QList<PointRecord> points;
    Result<void> ending;
    QString jobName;
    // What the file says of each point, whole, in step with points.
    FilePoints records;
};

// Reads SIMA coordinate text. The file is read line by line: everything up
// to a field "A00" is passed over, then every line up to a tag "A99" is one
// point record (tag, point number, name, X, Y, elevation; fields missing at
// the end of a line are empty, extra ones ignored; lines of nothing but
// blanks are skipped). CR LF, LF and CR end a line, a byte 0x1A ends the
// file. Text is code page 932 unless the file starts with a UTF-8 byte order
// mark or is valid UTF-8 with at least one character of three or more bytes
// (Japanese text). A character cut off by the end of the file is left out of
// that test. UTF-8 whose only non-ASCII characters take two bytes reads as
// code page 932, because half-width katakana pairs look the same.
//
// Failures: 62 when the file ends before "A00" or "A99" (a record line that
// the end cuts off before its Y field is not kept), 9 on a record past the
// 10001 the point table holds, 57 when the device fails to read.
Result<SimaReading> readSima(QByteArrayView bytes);
Result<SimaReading> readSima(QIODevice &device);

} // namespace tavorin
