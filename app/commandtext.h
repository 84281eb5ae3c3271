#pragma once

#include <QString>

// Every text the command line prints of its own: --help and the errors of
// its options and files, in Japanese as the window speaks. What the reading
// and the export say comes from their own texts (readingtext, exporttext).
// Each error is printed as "tavorin: <text>", after the file's name where it
// concerns a file.
namespace tavorin::commandtext {

using namespace Qt::StringLiterals;

// --help: the headings of Qt's parser's own layout, then each option's text.
inline const QString Usage = u"使い方:"_s;
inline const QString OptionsWord = u"[オプション]"_s;
inline const QString OptionsHeading = u"オプション:"_s;
inline const QString ArgumentsHeading = u"引数:"_s;
inline const QString Description
    = u"SIMA座標ファイル（*.sim）やCSVファイル（*.csv）の測点を、シリアルポートにつないだ"
      u"ポケコンとやりとりします。登記所備付地図データの地図XML（*.xml、*.zip）も読み込めます。"
      u"--export を付けると、ウィンドウを開かずにファイルを書き出します。"_s;
inline const QString HelpOption = u"このヘルプを表示します。"_s;
inline const QString VersionOption = u"バージョンを表示します。"_s;
inline const QString FileArgument
    = u"起動時に読み込むか、--export で書き出す、SIMA座標ファイル（*.sim）、CSVファイル（*.csv）"
      u"か、地図XMLのファイル（*.xml、またはそれを収めた *.zip）。"_s;
// %1: the extensions, ".geojson, .kml, ..."
inline const QString ExportOption
    = u"FILE の測点を全部、ファイルの順に、ウィンドウを開かずに OUT に書き出します。形式は OUT の"
      u"拡張子で決まります（%1）。.geojson と .kml は平面直角座標系で地図に置いた測点、.sim と "
      u".csv はウィンドウで書くのと同じファイル、.pdf は座標一覧表の付いた配置図（配置図PDF）、"
      u".dxf はCAD用の測点（DXF書込）です。書き出せたら 0、書き出せなければ 1 で終わり、"
      u"ウィンドウと同じメッセージを標準エラーに出します。OUT がすでにあれば、--overwrite が"
      u"ない限り何も書きません。"_s;
inline const QString OverwriteOption
    = u"--export で：OUT がすでにあれば置き換えます。読み込むファイルそのものは、これを付けても"
      u"置き換えません。"_s;
inline const QString ZoneOption
    = u"--export で：FILE のX・Yの平面直角座標系、1～19。none は系なし（任意座標）で、地図に"
      u"は置けません。付けないときは、CSVファイルの「平面直角座標系」「座標系」「系」の列の系か、"
      u"地図XMLの座標系。"_s;
inline const QString MapOption
    = u"--export で：FILE が地図XMLで、地図をいくつも収めた ZIP ファイルのとき、読む地図の"
      u"地図名。地図が1枚だけなら要りません。"_s;
inline const QString PaperOption = u"--export OUT.pdf で：用紙。A4（付けないとき）か A3。"_s;
inline const QString LandscapeOption = u"--export OUT.pdf で：用紙を横にします。"_s;
inline const QString PortraitOption
    = u"--export OUT.pdf で：用紙を縦にします（--landscape を付けないとき）。"_s;
// %1: the scales offered, "1/100、1/200、..."
inline const QString ScaleOption
    = u"--export OUT.pdf で：縮尺 1/N の N（500 など）。付けないときは、%1 のうち、全部の測点が"
      u"用紙に入る一番大きな縮尺。"_s;
inline const QString DateOption = u"--export OUT.pdf で：フッターの作成日。付けないときは今日。"_s;
inline const QString DatumOption
    = u"--export OUT.pdf で：フッターに書く測地系。2024、2011、2000 は世界測地系の測地成果2024、"
      u"2011、2000、tokyo は日本測地系。付けないときは指定なし。"_s;
inline const QString TextHeightOption
    = u"--export OUT.dxf で：点名の文字の高さ（メートル、図面の単位）。付けないときは 1。"_s;
inline const QString ElevationOption
    = u"--export OUT.dxf で：標高が数値の測点は、点と点名をその標高（Z）に置きます。付けない"
      u"ときは 0。"_s;

// Errors of the options. %1: an option as typed, "--bogus" or "-b".
inline const QString UnknownOption = u"%1 というオプションはありません。"_s;
inline const QString MissingValue = u"%1 の後に値がありません。"_s;
inline const QString UnexpectedValue = u"%1 は値を取りません。"_s;
inline const QString AtMostOneFile = u"読み込むファイルは1つだけにして下さい。"_s;
inline const QString ExportNeedsFile = u"--export には読み込むファイルが要ります。"_s;
inline const QString NeedsExport = u"--%1 は --export と一緒に使います。"_s;
inline const QString MapNeedsMapFile
    = u"--map は地図XMLのファイル（*.xml、*.zip）を読み込むときに使います。"_s;
// %1: the option, %2: the extension of the format it shapes.
inline const QString NeedsFormat = u"--%1 は .%2 ファイルへの --export と一緒に使います。"_s;
// After the file's name. %1: the extensions.
inline const QString UnknownFormat = u"書き出せない形式です。拡張子を %1 のどれかにして下さい。"_s;
// A value an option does not take. %1: the value as given.
inline const QString ZoneRefused
    = u"--zone には 1～19 の系の番号か none を指定して下さい。「%1」は使えません。"_s;
inline const QString PaperRefused
    = u"--paper には A4 か A3 を指定して下さい。「%1」は使えません。"_s;
inline const QString ScaleRefused
    = u"--scale には縮尺 1/N の N を、500 のような整数で指定して下さい。「%1」は使えません。"_s;
inline const QString DateRefused
    = u"--date には日付を YYYY-MM-DD の形で指定して下さい。「%1」は使えません。"_s;
inline const QString DatumRefused
    = u"--datum には 2024、2011、2000、tokyo のどれかを指定して下さい。「%1」は使えません。"_s;
// %1, %2: the least and the most height, %3: the value as given.
inline const QString TextHeightRefused
    = u"--text-height には %1～%2 の高さをメートルで指定して下さい。「%3」は使えません。"_s;
inline const QString BothOrientations
    = u"--landscape と --portrait は、どちらか一方にして下さい。"_s;

// Refusals of the file to write, after its name.
inline const QString SameAsInput = u"読み込むファイルと同じファイルには書き出せません。"_s;
inline const QString OutputExists
    = u"同じ名前のファイルがもうあります。置き換えるときは --overwrite を付けて下さい。"_s;

} // namespace tavorin::commandtext
