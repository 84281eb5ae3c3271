#pragma once

#include "commondialog.h"
#include "commport.h"
#include "parcelarea.h"
#include "pointreading.h"

#include <QMainWindow>
#include <QPointer>

#include <array>

class QAction;
class QActionGroup;
class QGroupBox;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace tavorin {

class CaptionLabel;
class ListBox;
class OptionNavigation;
class PlanWindow;
class PointTable;
class PortResolver;
class UserDialogs;
enum class ExportKind;

// The program's one window: the SIMA file list, the transfer list, the
// selection and direction choices, the transfer buttons, the menus, and the
// values that live as long as the program runs.
class Form1 : public QMainWindow
{
    Q_OBJECT

public:
    // The window asks the user through dialogs, opens serial ports through
    // ports, and lists the points of table (the program-wide one in the
    // program; a fresh one per test).
    Form1(UserDialogs &dialogs, const PortResolver &ports, PointTable &table,
        QWidget *parent = nullptr);
    ~Form1() override;

    // Window-level values, as the handlers left them.
    QString currentFilePath() const { return CurrentFilePath; }
    // 1..19, geodesy::LocalZone (系なし), or geodesy::UnknownZone (0).
    int zone() const { return m_zone; }
    qint16 portNumber() const { return PortNumber; }
    QString transferMode() const { return TransferMode; }
    int sendIndex() const { return SendIndex; }

    // What the file last read says of each point of List1, whole and in
    // step with it: what the plan and the exports take.
    const FilePoints &records() const { return m_records; }
    // The parcels of that file (none for CSV), and the 地目 class chosen for
    // each in the parcel window, in step with them.
    const Parcels &fileParcels() const { return m_parcels; }
    const QList<parcels::LandClass> &landClasses() const { return m_landClasses; }

    // Runs once the window is shown, with the file given on the command line
    // (an absolute filePath) already read into reading: lists and stores it
    // as 読込 (or CSV読込 for a .csv file) does, and the next dialog offers
    // filePath.
    void openAtStart(const QString &filePath, PointFileReading reading);
    // Reads filePath as the 読込 of its kind does, as if chosen in its
    // dialog: 地図XML読込 for a .xml or .zip file, CSV読込 for .csv, else 読込.
    void openFile(const QString &filePath);

    // The folder the user guide's page is looked for from (guide.h): the
    // program's own unless set.
    void setProgramFolder(const QString &folder) { m_programFolder = folder; }

    // Where Form_Load places the window: centred on a screen of screenTwips,
    // with fractions of a twip and negative values kept.
    static QPointF centredOrigin(QSizeF screenTwips, QSizeF windowTwips);

private slots:
    // Event handlers, run by the controls and menus they are named after.
    void Form_Load();
    void Com1_Click();
    void Com2_Click();
    void Com3_Click();
    void PG_End_Click();
    void SimFileLoad_Click();
    void SimFileSave_Click();
    void CsvFileLoad_Click();
    void CsvFileSave_Click();
    void MapFileLoad_Click();
    void GeoJsonKmlExport_Click();
    void PdfExport_Click();
    void DxfExport_Click();
    void GsiMap_Click();
    void Command1_Click();
    void Command4_Click();
    void Option1_Click(qint16 Index);
    void Option2_Click(qint16 Index);
    void Text1_KeyPress(qint16 Index, int &KeyAscii);
    void Command2_Click();
    void Command3_Click();
    void MSComm1_OnComm();

protected:
    // A .sim, .csv, .xml or .zip file dropped on the window is read as its
    // 読込 reads it; several files at once are not read.
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    // A message in the failure message's box: title "エラーメッセージ",
    // question icon, OK.
    void showError(const QString &prompt);
    // The failure message: "エラーコード " and the number with a leading
    // space in place of a sign, title "エラーメッセージ", question icon, OK.
    void showFailureMessage(int failureNumber);
    // 地図XML読込 of the file at path (form1_mapxml.cpp): the map it holds,
    // or the one the user chooses of several, read off the window's thread.
    void openMapFile(const QString &path);
    // Shows m_fileText in the plan window.
    void showFileText();
    // Lists and stores what reading the file at CurrentFilePath gave, or
    // says why it could not be read.
    void showReading(PointFileReading reading);
    // Lists the points in List1, stores them in the table from entry 0 and
    // keeps their records beside them.
    void listPoints(QList<PointRecord> points, FilePoints records);

    // Selection: the one step that puts the point at position p of List1
    // into List2, and the Enter key of the Text1 entries.
    void addPoint(int p);
    void connectSelection();

    void createControls();
    void createMenus();
    void listFurtherPorts();
    void chooseFurtherPort(const QString &device);
    // Opens the plan window, or brings it to the front when it is open.
    void showPlan();
    // F1, in this window and the plan's: the user guide's page in the
    // browser, or where it should be when it is not found (guide.cpp).
    void showGuide();

    // The zone of the file listed (form1_map.cpp): set afresh by every
    // reading from what the file says, chosen in the menu, the plan window
    // or when a map asks; shown in both. A zone chosen is remembered, but
    // only to be offered first the next time one is asked for.
    void chooseZone(int zone);
    void setFileZone(int zone);
    void showZone();
    bool zoneForMap();
    // The plan window's parcel choices: offered as remembered, and
    // remembered when chosen (form1_map.cpp).
    void connectParcels();
    // A message in a box titled "メッセージ", information icon, OK.
    void showMessage(const QString &prompt);
    // 配置図PDF and DXF書込: the options, remembered for the next time, then
    // the file.
    void exportWithOptions(ExportKind kind);
    QRect twipsRect(int left, int top, int width, int height) const;

    // Transfers with the pocket computer (form1_transfer.cpp).
    void connectTransfer();
    bool setUpPort(const QString &settings, bool forReceiving);
    Result<void> openPort(const QString &settings, bool forReceiving);
    void yieldToWindowEvents();
    void advanceProgress();
    void sendStep(const QString &message);
    void receiveStep(const QString &message);
    void portFailed(int failureNumber);

    UserDialogs &m_dialogs;
    const PortResolver &m_ports;
    PointTable &m_table;
    OptionNavigation *m_optionNavigation = nullptr;

    // Window-level values.
    QString CurrentFilePath; // the path last chosen in the file dialog
    qint16 PortNumber = 0; // 1..3, the port the next transfer uses; 0: a further port
    QString m_portDevice; // the further port chosen; empty for COM1..COM3
    QString TransferMode; // "in" or "out"; empty until the first transfer
    int m_zone = 0; // the file's plane rectangular zone, as zone() gives it
    // The title of the SIMA file list's points on paper: the job name of the
    // SIMA file they were read from, else its file name.
    QString m_listTitle;
    FilePoints m_records; // in step with List1
    // For a registry's map, the source line every file made from it carries
    // (ExportJob::source); empty for other files.
    QString m_source;
    // What the plan window shows of the file: its name, or the map's names
    // and source line.
    QString m_fileText;
    Parcels m_parcels; // their vertices index m_records
    QList<parcels::LandClass> m_landClasses; // in step with m_parcels
    // Position in List2 of the line last sent. Wider than the 16 bits the
    // list once had: a long reception can leave more than 32767 lines.
    int SendIndex = 0;

    // Controls, named as the window has always named them.
    ListBox *List1 = nullptr;
    ListBox *List2 = nullptr;
    std::array<CaptionLabel *, 2> Label1 {};
    QGroupBox *Frame1 = nullptr;
    QGroupBox *Frame2 = nullptr;
    std::array<QRadioButton *, 4> Option1 {};
    std::array<QRadioButton *, 2> Option2 {};
    std::array<QLineEdit *, 2> Text1 {};
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;
    QPushButton *Command3 = nullptr;
    QPushButton *Command4 = nullptr;
    QProgressBar *ProgressBar1 = nullptr;
    CaptionLabel *Label2 = nullptr;
    CaptionLabel *Label3 = nullptr;
    CaptionLabel *Label4 = nullptr;
    CommonDialog CommonDialog1;
    CommPort MSComm1 { m_ports };

    // Menus.
    QMenu *SimFile = nullptr;
    QAction *SimFileSave = nullptr;
    QAction *SimFileLoad = nullptr;
    QAction *CsvFileLoad = nullptr;
    QAction *CsvFileSave = nullptr;
    QAction *MapFileLoad = nullptr;
    QMenu *ZoneMenu = nullptr;
    QActionGroup *m_zoneActions = nullptr;
    QAction *GeoJsonKmlExport = nullptr;
    QAction *PdfExport = nullptr;
    QAction *DxfExport = nullptr;
    QAction *GsiMap = nullptr;
    QMenu *ComPort = nullptr;
    QAction *Com1 = nullptr;
    QAction *Com2 = nullptr;
    QAction *Com3 = nullptr;
    QAction *PG_End = nullptr;

    QPointer<PlanWindow> m_planWindow;
    QAction *m_guideAction = nullptr;
    QString m_programFolder;
};

} // namespace tavorin
