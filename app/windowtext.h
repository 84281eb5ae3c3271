#pragma once

#include "exporttext.h"
#include "readingtext.h"

#include <QString>

// Every text the window shows: captions, menu items, prompts and titles.
// Users know the program by these exact texts (half-width katakana and
// ideographic spaces included); change none of them.
namespace tavorin::windowtext {

using namespace Qt::StringLiterals;

inline const QString WindowCaption = u"Tavorin Ver1.1"_s;
inline const QString ListFont = u"ＭＳ ゴシック"_s;
inline const QString Label1Caption0 = u"SIMAﾌｧｲﾙリスト"_s;
inline const QString Label1Caption1 = u"転送用リスト"_s;
inline const QString Frame1Caption = u"測点の選択"_s;
inline const QString Frame2Caption = u"条件"_s;
inline const QString Option1Caption0 = u"SIMAリストより"_s;
inline const QString Option1Caption1 = u"全部"_s;
inline const QString Option1Caption2 = u"部分ALL"_s;
inline const QString Option1Caption3 = u"何から何　　A/B"_s;
inline const QString Option2Caption0 = u"ﾊﾟｿｺﾝからﾎﾟｹｺﾝ"_s;
inline const QString Option2Caption1 = u"ﾎﾟｹｺﾝからﾊﾟｿｺﾝ"_s;
inline const QString Command1Caption = u"決定"_s;
inline const QString Command2Caption = u"ﾎﾟｹｺﾝヘ送信"_s;
inline const QString Command3Caption = u"ﾊﾟｿｺﾝに受信"_s;
inline const QString Command4Caption = u"ﾘｽﾄﾌｧｲﾙ消去"_s;
inline const QString Text1DesignText = u"Text1"_s;
inline const QString Label2Caption = u"VNR"_s;
inline const QString Label3DesignCaption = u"Label3"_s;
inline const QString Label4DesignCaption = u"Label4"_s;
inline const QString SimFileCaption = u"SIMAﾌｧｲﾙ"_s;
inline const QString SimFileSaveCaption = u"書込"_s;
inline const QString SimFileLoadCaption = u"読込"_s;
inline const QString ComPortCaption = u"COMポート"_s;
inline const QString Com1Caption = u"COM1"_s;
inline const QString Com2Caption = u"COM2"_s;
inline const QString Com3Caption = u"COM3"_s;
inline const QString PgEndCaption = u"終了"_s;
inline const QString Port1Caption = u"ﾎﾟｰﾄ1"_s;
inline const QString PortCaptionPrefix = u"ﾎﾟｰﾄ"_s; // before a further port's short name
inline const QString Port2Caption = u"ﾎﾟｰﾄ2"_s;
inline const QString Port3Caption = u"ﾎﾟｰﾄ3"_s;
inline const QString ErrorTitle = u"エラーメッセージ"_s;
inline const QString MessageTitle = u"メッセージ"_s;
inline const QString SendReadyPrompt = u"ポケコン側で、受信出来るようにセットして下さい。"_s;
inline const QString SendConfirmPrompt
    = u"転送用リストでよければＯＫボタン、そうでなければキャンセルボタンを"_s;
inline const QString ReceivePrompt = u"ポケコン側で、送信して下さい。"_s;
inline const QString LoadFilter = u"ＳＩＭファイル　Files (*.sim)|*.sim|"_s;
inline const QString SaveFilter = u"ＳＩＭファイル Files (*.sim)|*.sim|"_s;
inline const QString CsvFileLoadCaption = u"CSV読込"_s;
inline const QString CsvFileSaveCaption = u"CSV書込"_s;
inline const QString CsvFilter = u"CSVファイル (*.csv)|*.csv|すべてのファイル (*.*)|*.*|"_s;
inline const QString CsvDefaultExtension = u"csv"_s;
// 地図XML読込: the registry's maps (登記所備付地図データ), as a .xml file or
// the zip files they are distributed in.
inline const QString MapFileLoadCaption = u"地図XML読込"_s;
inline const QString MapFilter = u"地図XML (*.xml *.zip)|*.xml;*.zip|すべてのファイル (*.*)|*.*|"_s;
// A map to choose from a file of several: %1 its 地図名, %2 its 大字名s,
// %3 how many 筆界点 and 基準点 it has.
inline const QString MapEntry = u"%1　%2　%3点"_s;
inline const QString DistrictSeparator = u"、"_s;
// While a large file is read.
inline const QString ReadingMap = u"地図XMLを読み込んでいます…"_s;
// Why a CSV file cannot be read: the reading's own texts.
using namespace readingtext;
inline const QString DropOneFile = u"ファイルは１つずつドロップして下さい。"_s;
// F1 without the guide's page; %1 the places it was looked for, one a line.
inline const QString GuideMissing = u"使い方のページが見つかりませんでした。"
                                    u"次の場所にあるはずです。\n%1\n\n"
                                    u"使い方は、Tavorin のソースの docs/guide.md でも読めます。"_s;
// F1 when no browser took the page; %1 the page.
inline const QString GuideNotOpened
    = u"使い方のページをブラウザーで開けませんでした。次のファイルを開いてください。\n%1"_s;
// The GeoJSON/KML file (地図用に書き出し) and the GSI's map (地理院地図で開く): the file
// types of the dialog, and why nothing is written or opened.
inline const QString ExportFilter
    = u"GeoJSONファイル (*.geojson)|*.geojson|KMLファイル (*.kml)|*.kml|"_s;
inline const QString ExportDefaultExtension = u"geojson"_s;
// Why an export writes nothing: the export's own texts.
using namespace exporttext;
inline const QString BrowserFailed = u"ブラウザーで地図を開けませんでした。"_s;
// 配置図PDF and DXF書込: the options asked before the file dialog, with a
// note each on what users get wrong, and the file types of the dialog.
inline const QString PaperLabel = u"用紙"_s;
inline const QString OrientationLabel = u"向き"_s;
inline const QString PortraitEntry = u"縦"_s;
inline const QString LandscapeEntry = u"横"_s;
inline const QString ScaleLabel = u"縮尺"_s;
inline const QString AutoScaleEntry
    = u"自動（S=1/%1）"_s; // %1: the scale at which every point fits
// After PointsOffPlan in the plan PDF's options: the scale at which all fit.
inline const QString AllFitAt = u"S=1/%1 なら全点が入ります。"_s;
inline const QString PrintNote
    = u"印刷するときは「実際のサイズ」を選ぶと、縮尺どおりに印刷されます。"_s;
inline const QString DatumLabel = u"測地系"_s;
inline const QString TextHeightLabel = u"文字の高さ"_s;
inline const QString TextHeightSuffix = u" m"_s;
inline const QString ElevationAsZLabel = u"標高をZに入れる"_s;
inline const QString AxesNote = u"CADでは x がY（東）、y がX（北）になります。"_s;
inline const QString PdfFilter = u"PDFファイル (*.pdf)|*.pdf|"_s;
inline const QString PdfDefaultExtension = u"pdf"_s;
inline const QString DxfFilter = u"DXFファイル (*.dxf)|*.dxf|"_s;
inline const QString DxfDefaultExtension = u"dxf"_s;

} // namespace tavorin::windowtext
