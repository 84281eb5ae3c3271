#include "codepage932.h"
#include "csvreader.h"
#include "csvwriter.h"
#include "listline.h"
#include "testsupport.h"
#include "textinput.h"

#include <QBuffer>

#include <gtest/gtest.h>

using namespace tavorin;
using namespace Qt::StringLiterals;

namespace {

// A reading as one text: its points as [name|x|y] and the zone the rows
// name, if any, or "row N: fault F", or "failure N".
std::string outcome(const Result<CsvReading> &reading)
{
    if (!reading)
        return "failure " + std::to_string(reading.failure());
    if (reading->fault != CsvFault::None)
        return "row " + std::to_string(reading->faultRow) + ": fault "
            + std::to_string(int(reading->fault));
    std::string text;
    for (const PointRecord &p : reading->points)
        text
            += '[' + p.name.toStdString() + '|' + p.x.toStdString() + '|' + p.y.toStdString() + ']';
    if (reading->zone != 0)
        text += " zone " + std::to_string(reading->zone);
    return text;
}

// The records of a reading as one text, [number|name|x|y|elevation|row]
// each, after the points as outcome() gives them; a reading that fails
// must have no records.
std::string withRecords(const Result<CsvReading> &reading)
{
    std::string text = outcome(reading);
    if (!reading)
        return text;
    text += " /";
    for (const FilePoint &r : reading->records)
        text += " [" + r.number().toStdString() + '|' + r.name().toStdString() + '|'
            + r.x().toStdString() + '|' + r.y().toStdString() + '|' + r.elevation().toStdString()
            + '|' + std::to_string(r.line()) + ']';
    return text;
}

// The reading of bytes, whole and through a device, which must agree, as
// outcome() or withRecords() gives it.
std::string readBoth(
    const QByteArray &bytes, std::string (*text)(const Result<CsvReading> &) = outcome)
{
    QBuffer device;
    device.setData(bytes);
    device.open(QIODevice::ReadOnly);
    const std::string whole = text(readCsv(bytes));
    const std::string fed = text(readCsv(device));
    return whole == fed ? whole : whole + " (device: " + fed + ")";
}

QByteArray sjis(const QString &text)
{
    return cp932::encode(text);
}

QByteArray testFile(const QString &name)
{
    return test::fileBytes(QStringLiteral(TAVORIN_TEST_DATA_DIR "/csv/") + name);
}

TEST(CsvReader, LayoutsNumbersQuotesEncodingsAndTheRowAtFault)
{
    const QByteArray bom = "\xEF\xBB\xBF";
    const std::pair<QByteArray, const char *> cases[] = {
        // Layouts: a header in any order, width and case; else the first row's width.
        { sjis(u"Ｙ,ｎａｍｅ, No. ,x,標高\r\n1,A,9,2,5\r\n"_s), "[A|2|1]" },
        { sjis(u"点番号,測点名,X座標,Y座標\r\n1,A,2,3\r\n"_s), "[A|2|3]" },
        { "A,1,2\nB,3,4,\n", "[A|1|2][B|3|4]" },
        { "A,1,2,9\rB,3,4\r", "[A|1|2][B|3|4]" },
        { "7,A,1,2,9,x\r\n8,B,3,4\r\n", "[A|1|2][B|3|4]" },
        { "\r\n,,\r\n  A , 1 ,2\r\n , \r\nB,3,4", "[A|1|2][B|3|4]" },
        // Quotes: commas, doubled quotes, line breaks, text after the closing quote.
        { "\"A,\"\"B\",1,2\r\n\"C\r\nD\"x,3,4\r\n\" E \",5,6", "[A,\"B|1|2][C Dx|3|4][ E |5|6]" },
        // Excel's numbers become plain decimals; a name keeps 8 characters, a number 13.
        { "A,\"12,345.678\",-1.5E-3\r\nB,+1.5e+3,\"-1,234,567\"\r\nC,1E0,0.0012E3",
            "[A|12345.678|-0.0015][B|1500|-1234567][C|1|1.2]" },
        { sjis(u"ABCDEFGHIJ,１２．５,１２３４５．６７８９０１２３４\r\nＸ座標,−1,1"_s),
            "[ABCDEFGH|12.5|12345.6789012][Ｘ座標|-1|1]" },
        // Encodings: code page 932 (half-width katakana too), UTF-8 with or without a mark.
        { sjis(u"基準点1,1,2\r\nﾄｳ,3,4"_s), "[基準点1|1|2][ﾄｳ|3|4]" },
        { bom + u"ﾄｳ,1,2"_s.toUtf8(), "[ﾄｳ|1|2]" },
        { u"点名,X,Y\r\n基準点,1,2"_s.toUtf8(), "[基準点|1|2]" },
        { "", "" },
        // Faults name the row as a sheet numbers it; the first fault wins.
        { "Name,X,Y\r\n\r\nA,1,2\r\nB,1.2.3,4\r\nC,x,y", "row 4: fault 4" },
        { "A,1,2\r\nB,1,\"1,23\"", "row 2: fault 5" },
        { "A,1,2\r\n,3,4", "row 2: fault 3" },
        { "A,1,2\r\nB,3", "row 2: fault 2" },
        { "A,1,2\r\nB,1,2\r\n\"C,1,2\r\nD,3,4", "row 3: fault 1" },
        { "A,12345678901234,1\r\nB,1,2", "row 1: fault 6" },
        { "A,1,1E13\r\nB,1,2", "row 1: fault 7" },
        { "A,1,2\r\n" + QByteArray(20'000'000, 'x'), "row 2: fault 2" },
        // Headers as other software writes them (csvheader_test.cpp has their
        // layouts): a name heading right of X.
        { sjis(u"X 座標 (m),y [m],名前\r\n1,2,甲\r\n"_s), "[甲|1|2]" },
        // Rows longer than the header; names that repeat are points of their own.
        { "Name,X,Y\r\nA,1,2,x,y,z\r\nA,3,4\r\n", "[A|1|2][A|3|4]" },
        // Latitude and longitude are no X and Y, quoted or not.
        { bom
                + "\"marker\",\"latitude\",\"longitude\"\r\n"
                  "\"A\",\"35.1\",\"139.2\"\r\n",
            "row 1: fault 8" },
        // The zone when every row names the same one.
        { sjis(u"点名,X,Y,系\r\nA,1,2,９\r\nB,3,4,９\r\n"_s), "[A|1|2][B|3|4] zone 9" },
        { "Name,X,Y,系\r\nA,1,2,9\r\nB,3,4,10\r\n", "[A|1|2][B|3|4]" },
        { "Name,X,Y,系\r\nA,1,2,9\r\nB,3,4\r\n", "[A|1|2][B|3|4]" },
        // Numbers from Word and other editors: the minus sign U+2212.
        { u"A,\u221212.5,\u22123\r\n"_s.toUtf8(), "[A|-12.5|-3]" },
        // Thousands separators only in groups of three after a first group
        // of one to three digits, never first.
        { "P,1,2\r\nA,\"1234,567\",2\r\n", "row 2: fault 4" },
        { "P,1,2\r\nA,\",123\",2\r\n", "row 2: fault 4" },
        // A line break or tab in a name is a space: it would break the line
        // sent and the SIMA record.
        { "\"A\nB\",1,2\r\n\"C\tD\",3,4\r\n\"E\rF\",5,6", "[A B|1|2][C D|3|4][E F|5|6]" },
        // A name of ideographic spaces is no name.
        { sjis(u"　　,1,2\r\n"_s), "row 1: fault 3" },
        { "B,1,2\r\n" + u"\u3000,1,2"_s.toUtf8(), "row 2: fault 3" },
    };
    for (const auto &[bytes, read] : cases)
        EXPECT_EQ(readBoth(bytes), read) << bytes.left(60).toStdString();
}

// The GSI's control-point list as it is downloaded, in UTF-8 with LF and in
// code page 932 with CR LF: the name and X and Y far to the right, latitude
// and longitude in packed degrees before them, full-width cells, empty
// cells, and a name that occurs twice.
TEST(CsvReader, ReadsTheGsiControlPointListAsItComes)
{
    const char *const points = "[香椎|73427.557|-51405.430][名島|70759.160|-54013.898]"
                               "[城山|68544.032|-46001.150][立花山|74171.609|-48427.844]"
                               "[城山|58960.395|-54944.609][油山|55690.502|-58819.081] zone 2";
    for (const char *file : { "gsi/kijunten.utf8.csv", "gsi/kijunten.cp932.csv" })
        EXPECT_EQ(readBoth(testFile(file)), points) << file;
}

// What each point's record holds beside the cut point: the number, the
// whole name, X and Y before the cut, the elevation, the row; in both
// encodings. Title rows, and the faults of a file without a header.
TEST(CsvReader, RecordsHoldWhatTheRowSays)
{
    const QString header = u"Name,X,Y\r\nA,1,2\r\n"_s;
    const std::pair<QString, const char *> cases[] = {
        { u"点No,測点,X,Y,H\r\n101,ABCDEFGHIJKLMNOPQRST,\"12,345.678\",-1.5,10.250\r\n"
          u"102,境界杭北側道路端No1,1.5E3,2,\r\n"_s,
            "[ABCDEFGH|12345.678|-1.5][境界杭北側道路端|1500|2] /"
            " [101|ABCDEFGHIJKLMNOPQRST|12345.678|-1.5|10.250|2]"
            " [102|境界杭北側道路端No1|1500|2||3]" },
        // Remarks are no names: the point numbers are.
        { u"No.,X,Y,H,備考\r\n1,10,20,3,境界杭\r\n2,11,21,4,境界杭\r\n"_s,
            "[1|10|20][2|11|21] / [1|1|10|20|3|2] [2|2|11|21|4|3]" },
        // The trailing comma Excel pads a row with.
        { u"点番,X,Y,標高,\r\n1,10,20,5.5,\r\n2,11,21,,\r\n"_s,
            "[1|10|20][2|11|21] / [1|1|10|20|5.5|2] [2|2|11|21||3]" },
        // Title rows and blank rows above the header: rows as the sheet numbers them.
        { u"基準点成果表\r\n,,\r\n作成日,2024/4/1\r\n\r\n点名,X,Y\r\n\r\nA,1,2\r\nB,3,4\r\n"_s,
            "[A|1|2][B|3|4] / [|A|1|2||7] [|B|3|4||8]" },
        { u"\r\n,,,\r\n点名,X,Y\r\nA,1,2\r\n"_s, "[A|1|2] / [|A|1|2||4]" },
        // Without a header: the number and elevation where the width has them.
        { u"7,A,1,2,9.5\r\n8,B,3,4\r\n"_s, "[A|1|2][B|3|4] / [7|A|1|2|9.5|1] [8|B|3|4||2]" },
        { u"A,1,2,9\r\n"_s, "[A|1|2] / [|A|1|2|9|1]" },
        { u"A,1,2,,\r\nB,3,4,,\r\n"_s, "[A|1|2][B|3|4] / [|A|1|2||1] [|B|3|4||2]" },
        // Blanks round a name go from the record only; no name column, no names.
        { u"\" E \",5,6\r\n"_s, "[ E |5|6] / [|E|5|6||1]" },
        { u"\" 測 点\",5,6\r\n"_s, "[ 測 点|5|6] / [|測 点|5|6||1]" },
        { u"X,Y\r\n1,2\r\n"_s, "[|1|2] / [||1|2||2]" },
        { u"点名,X,Y,系\r\nA,1,2,ⅩⅠ系\r\nB,3,4,ⅩⅠ系\r\n"_s,
            "[A|1|2][B|3|4] zone 11 / [|A|1|2||2] [|B|3|4||3]" },
        // A first row that is neither a header nor a point is a title, and the
        // header must follow within the first 10 rows.
        { u"Title\r\n"_s + u"x\r\n"_s.repeated(8) + header, "[A|1|2] / [|A|1|2||11]" },
        { u"Title\r\n"_s + u"x\r\n"_s.repeated(7) + header, "[A|1|2] / [|A|1|2||10]" },
        { u"Title\r\n"_s + u"x\r\n"_s.repeated(9) + header, "row 0: fault 9 /" },
        { u"基準点成果表\r\nA,1,2\r\n"_s, "row 0: fault 9 /" },
        { u"A,x,2\r\nB,1,2\r\n"_s, "row 0: fault 9 /" },
        { u"A,1\r\nB,2"_s, "row 0: fault 9 /" },
        { u"Name,lat,X\r\nA,1,2\r\n"_s, "row 0: fault 9 /" },
        // A first row that is a point keeps the message of the row at fault.
        { u"A,1,2\r\nB,x,2\r\n"_s, "row 2: fault 4 /" },
        { u"成果表\r\n点名,北緯,東経\r\n"_s, "row 2: fault 8 /" },
    };
    for (const auto &[text, read] : cases) {
        EXPECT_EQ(readBoth(text.toUtf8(), withRecords), read) << text.toStdString();
        EXPECT_EQ(readBoth(sjis(text), withRecords), read) << text.toStdString();
    }
}

// A record keeps 255 bytes of a name: whole characters only, in either
// encoding, while the point keeps its 8.
TEST(CsvReader, RecordsKeepLongNamesToAFixedLength)
{
    const QString name = QString(130, u'測');
    const std::pair<QByteArray, qsizetype> cases[] = {
        { (name + u",1,2\r\n"_s).toUtf8(), 85 }, // 3 bytes a character
        { sjis(name + u",1,2\r\n"_s), 127 }, // 2 bytes a character
        { QByteArray(300, 'N') + ",1,2\r\n", 255 },
        // Blanks before it go from the record, not from the point's 64 bytes.
        { "\"" + QByteArray(10, ' ') + QByteArray(70, 'N') + "\",1,2\r\n", 70 },
    };
    for (const auto &[bytes, kept] : cases) {
        const Result<CsvReading> reading = readCsv(bytes);
        ASSERT_TRUE(reading && reading->records.size() == 1) << outcome(reading);
        const QString whole = reading->records[0].name();
        EXPECT_EQ(whole, QString(kept, whole.front())) << whole.toStdString();
        EXPECT_EQ(reading->points[0].name, QString(8, kept == 70 ? u' ' : whole.front()));
    }
}

TEST(CsvReader, TakesTheTenThousandAndFirstPointButNotOneMore)
{
    QByteArray bytes = "Name,X,Y\r\n";
    for (int i = 0; i < 10001; ++i)
        bytes += "P" + QByteArray::number(i) + ",1,2\r\n";
    EXPECT_EQ(readCsv(bytes)->points.size(), 10001);
    EXPECT_EQ(outcome(readCsv(bytes + "Q,1,2\r\nR,x,2\r\n")), "failure 9");
    EXPECT_EQ(outcome(readCsv(bytes.first(10) + "A,x,2\r\n" + bytes.sliced(10))), "row 2: fault 4");
}

TEST(CsvWriter, WritesCodePage932WithCrLfAndQuotesOnlyWhereNeeded)
{
    const QStringList lines = { ListLine::form({ u"基準点1"_s, "12345.000", "-67890.500" }),
        ListLine::form({ "A,\"B\"", "1", "2" }), ListLine::form({ " C", "-0.5", "3" }),
        ListLine::form({ u"ﾄｳ€"_s, "", "" }) };
    const QByteArray bytes = csvFileBytes(lines);
    EXPECT_EQ(bytes,
        sjis(u"点名,X,Y\r\n基準点1,12345.000,-67890.500\r\n\"A,\"\"B\"\"\",1,2\r\n\" C\",-0.5,3\r\n"
             u"ﾄｳ?,,\r\n"_s));
    EXPECT_EQ(outcome(readCsv(csvFileBytes(lines.mid(0, 3)))),
        "[基準点1|12345.000|-67890.500][A,\"B\"|1|2][ C|-0.5|3]");
}

// Files that LibreOffice Calc saved (tools/libreoffice-csv) read in every
// layout and encoding; what the writer writes is what Calc was shown to open.
TEST(CsvFiles, SavedBySpreadsheetsReadAndWrittenForThem)
{
    const std::pair<const char *, const char *> sheets[] = {
        { "header",
            "[基準点1|12345.678|-67890.500][ﾄｳｷｮｳ1|-2.500|1234567.125]"
            "[T-1,2|-98765.432109|0.12345678901]" },
        { "three", "[基準点1|12345.678|-67890.500][ﾄｳｷｮｳ1|0.12345678901|-2.5]" },
        { "four", "[T-1,2|12345.678|-67890.500][基準点1|-98765.432109|3]" },
        { "five", "[基準点1|12345.678|-67890.500][T-1,2|0.12345678901|-2.5]" },
    };
    for (const auto &[sheet, read] : sheets) {
        for (const char *encoding : { "cp932", "utf8", "utf8-bom" }) {
            const QString name = QStringLiteral("libreoffice/sheet-%1.%2.csv").arg(sheet, encoding);
            EXPECT_EQ(outcome(readCsv(testFile(name))), read) << name.toStdString();
        }
    }
    const QList<PointRecord> written
        = { { "A,B", "0.125", "-98765.432" }, { u"ﾄｳｷｮｳ1"_s, "-2.500", "1234567.125" },
              { u"基準点1"_s, "12345.678", "-67890.500" }, { u"測点\"5\""_s, "1", "2" } };
    QStringList lines;
    for (const PointRecord &point : written)
        lines << ListLine::form(point);
    EXPECT_EQ(csvFileBytes(lines), testFile("written.csv"));
}

} // namespace
