#pragma once

#include "commondialog.h"
#include "commport.h"

#include <QMainWindow>
#include <QPointer>

#include <array>

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace tavorin {

class ListBox;
class PlanWindow;
class PointTable;
class PortResolver;
class UserDialogs;

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

    // Window-level values.
    QString CurrentFilePath; // the path last chosen in the file dialog
    qint16 PortNumber = 0; // 1..3, the port the next transfer uses
    QString TransferMode; // "in" or "out"; empty until the first transfer
    qint16 SendIndex = 0; // position in List2 of the line last sent

    // Where Form_Load places the window: centred on a screen of screenTwips,
    // with fractions of a twip and negative values kept.
    static QPointF centredOrigin(QSizeF screenTwips, QSizeF windowTwips);

    // Event handlers.
    void Form_Load();
    void Com1_Click();
    void Com2_Click();
    void Com3_Click();
    void PG_End_Click();
    void SimFileLoad_Click();
    void SimFileSave_Click();
    void Command1_Click();
    void Command4_Click();
    void Option1_Click(qint16 Index);
    void Option2_Click(qint16 Index);
    void Text1_KeyPress(qint16 Index, int &KeyAscii);
    void Command2_Click();
    void Command3_Click();
    void MSComm1_OnComm();

private:
    // The failure message: "エラーコード " and the number with a leading
    // space in place of a sign, title "エラーメッセージ", question icon, OK.
    void showFailureMessage(int failureNumber);

    // Selection: the one step that puts the point at position p of List1
    // into List2, and the Enter key of the Text1 entries.
    void addPoint(int p);
    void connectSelection();

    void createControls();
    void createMenus();
    // Opens the plan window, or brings it to the front when it is open.
    void showPlan();
    QRect twipsRect(int left, int top, int width, int height) const;

    // Transfers with the pocket computer (form1_transfer.cpp).
    void connectTransfer();
    bool setUpPort(const QString &settings, bool forReceiving);
    void yieldToWindowEvents();
    void advanceProgress();
    void sendStep(const QString &message);
    void receiveStep(const QString &message);
    void portFailed(int failureNumber);

    UserDialogs &m_dialogs;
    const PortResolver &m_ports;
    PointTable &m_table;

    // Controls, named as the window has always named them.
    ListBox *List1 = nullptr;
    ListBox *List2 = nullptr;
    std::array<QLabel *, 2> Label1 {};
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
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label4 = nullptr;
    CommonDialog CommonDialog1;
    CommPort MSComm1 { m_ports };

    // Menus.
    QMenu *SimFile = nullptr;
    QAction *SimFileSave = nullptr;
    QAction *SimFileLoad = nullptr;
    QMenu *ComPort = nullptr;
    QAction *Com1 = nullptr;
    QAction *Com2 = nullptr;
    QAction *Com3 = nullptr;
    QAction *PG_End = nullptr;

    QPointer<PlanWindow> m_planWindow;
};

} // namespace tavorin
