#pragma once

#include <QString>

// What a reading of a point file says when it fails, in the window and on
// the command line alike. Users know these texts; change none of them.
namespace tavorin::readingtext {

using namespace Qt::StringLiterals;

// Before a failure number: "エラーコード 62".
inline const QString ErrorPromptPrefix = u"エラーコード "_s;
// Why a row of a CSV file cannot be read; %1 is the row's number as the
// spreadsheet shows it.
inline const QString CsvQuoteNotClosed = u"%1行目の「\"」が閉じていません。"_s;
inline const QString CsvTooFewFields = u"%1行目の項目が足りません。"_s;
inline const QString CsvNameMissing = u"%1行目に点名がありません。"_s;
inline const QString CsvXNotANumber = u"%1行目のXが数値ではありません。"_s;
inline const QString CsvYNotANumber = u"%1行目のYが数値ではありません。"_s;
inline const QString CsvXTooLong = u"%1行目のXの桁数が多すぎます。"_s;
inline const QString CsvYTooLong = u"%1行目のYの桁数が多すぎます。"_s;
// A CSV file whose header names latitude and longitude, not X and Y.
inline const QString CsvLatitudeLongitude
    = u"このファイルは緯度・経度です。平面直角座標（X、Y）のファイルを選んで下さい。"_s;
// A CSV file whose first rows are neither a header nor a point.
inline const QString CsvHeaderNotFound
    = u"見出しの行が見つかりません。点名・X・Y の見出しの行か、点名,X,Y の順の数値の行が必要です。"_s;

} // namespace tavorin::readingtext
