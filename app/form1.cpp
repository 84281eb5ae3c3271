#include "form1.h"

#include "captionlabel.h"
#include "listbox.h"
#include "planezones.h"
#include "plantext.h"
#include "planwindow.h"
#include "pointtable.h"
#include "portresolver.h"
#include "userdialogs.h"
#include "windowtext.h"

#include <QActionGroup>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyleFactory>

namespace tavorin {

namespace {

// The window's icon, compiled in and read straight from its XPM text: a file
// or resource would have Qt look through its image format plug-ins first.
#include "resources/tavorin.xpm"

constexpr double TwipsPerInch = 1440.0;
constexpr int ClientWidthTwips = 7425;
constexpr int ClientHeightTwips = 4620;

// The Japanese fixed-pitch font of the lists and the port labels, with the
// fonts that stand in for it where it is not installed. Each list ends in a
// font that every Windows PC has, whatever its language, under the name
// Windows gives it outside Japan.
QFont listFont()
{
    QFont font;
    font.setFamilies({ windowtext::ListFont, QStringLiteral("IPAGothic"),
        QStringLiteral("Noto Sans Mono CJK JP"), QStringLiteral("MS Gothic") });
    font.setPointSize(9);
    font.setWeight(QFont::Normal);
    return font;
}

// The font of every other control: a Japanese proportional font of the
// size the layout was drawn for, so that every caption fits its control.
QFont windowFont()
{
    QFont font;
    font.setFamilies({ QStringLiteral("MS UI Gothic"), QStringLiteral("IPAPGothic"),
        QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAGothic"),
        QStringLiteral("MS Gothic") });
    font.setPointSize(9);
    return font;
}

// The style of the option buttons: a narrow gap between mark and caption, so
// that the longest caption ("何から何　　A/B") fits the button's width;
// everything else as the application's style draws it.
class OptionStyle final : public QProxyStyle
{
public:
    OptionStyle()
        : QProxyStyle(QStyleFactory::create(QApplication::style()->name()))
    {
    }

    int pixelMetric(
        PixelMetric metric, const QStyleOption *option, const QWidget *widget) const override
    {
        if (metric == PM_RadioButtonLabelSpacing)
            return 1;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

void setColour(QWidget *widget, QPalette::ColorRole role, QColor colour)
{
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

// A list or entry box keeps its light background in every colour scheme, so
// its text stays black with it: under a dark scheme (Windows 11 dark mode)
// the scheme's light text would vanish on it.
void setBoxColour(QWidget *widget, QColor background)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, background);
    palette.setColor(QPalette::Text, Qt::black);
    widget->setPalette(palette);
}

} // namespace

Form1::Form1(UserDialogs &dialogs, const PortResolver &ports, PointTable &table, QWidget *parent)
    : QMainWindow(parent)
    , m_dialogs(dialogs)
    , m_ports(ports)
    , m_table(table)
    , CommonDialog1(dialogs, this)
{
    setWindowTitle(windowtext::WindowCaption);
    setFont(windowFont());
    setWindowIcon(QPixmap(tavorin_icon));
    createControls();
    createMenus();
    connectTransfer();
    m_programFolder = QCoreApplication::applicationDirPath();
    m_guideAction = new QAction(this);
    m_guideAction->setObjectName(QStringLiteral("Guide"));
    m_guideAction->setShortcut(Qt::Key_F1);
    connect(m_guideAction, &QAction::triggered, this, &Form1::showGuide);
    addAction(m_guideAction);
    showZone(); // none: no file is read yet
    setAcceptDrops(true);
    // The layout is fixed: the window takes the size of its client area
    // and menu bar and does not resize.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();
    // Create the native window now, so that the frame's size is known when
    // Form_Load centres the window.
    winId();
    Form_Load();
}

Form1::~Form1()
{
    // The plan reads the lists: it goes before them.
    delete m_planWindow;
}

QRect Form1::twipsRect(int left, int top, int width, int height) const
{
    const QScreen *s = screen();
    const double dpiX = s ? s->logicalDotsPerInchX() : 96.0;
    const double dpiY = s ? s->logicalDotsPerInchY() : 96.0;
    const auto px = [](int twips, double dpi) { return qRound(twips * dpi / TwipsPerInch); };
    return { px(left, dpiX), px(top, dpiY), px(width, dpiX), px(height, dpiY) };
}

void Form1::createControls()
{
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(twipsRect(0, 0, ClientWidthTwips, ClientHeightTwips).size());
    setCentralWidget(client);

    const auto place
        = [this](QWidget *widget, const QString &name, int left, int top, int width, int height) {
              widget->setObjectName(name);
              widget->setGeometry(twipsRect(left, top, width, height));
          };
    const auto label = [&](QWidget *container, const QString &name, const QString &caption,
                           int left, int top, int width, int height) {
        auto *l = new CaptionLabel(caption, container);
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        place(l, name, left, top, width, height);
        l->setPlace(l->geometry());
        return l;
    };
    const auto button = [&](QWidget *container, const QString &name, const QString &caption,
                            int left, int top, int width, int height) {
        auto *b = new QPushButton(caption, container);
        b->setAutoDefault(false);
        place(b, name, left, top, width, height);
        return b;
    };
    auto *optionStyle = new OptionStyle;
    optionStyle->setParent(client);
    const auto option = [&](QWidget *container, const QString &name, const QString &caption,
                            int left, int top, int width, int height) {
        auto *o = new QRadioButton(caption, container);
        o->setStyle(optionStyle);
        place(o, name, left, top, width, height);
        return o;
    };
    const auto entry
        = [&](QWidget *container, const QString &name, int left, int top, int width, int height) {
              auto *t = new QLineEdit(windowtext::Text1DesignText, container);
              setBoxColour(t, QColor(192, 255, 192));
              place(t, name, left, top, width, height);
              return t;
          };
    const auto frame = [&](const QString &name, const QString &caption, int left, int top,
                           int width, int height) {
        auto *f = new QGroupBox(caption, client);
        place(f, name, left, top, width, height);
        return f;
    };
    const QColor headingColour(192, 0, 0);

    // Created in tab order.
    List1 = new ListBox(false, QAbstractItemView::ExtendedSelection, client);
    place(List1, QStringLiteral("List1"), 240, 360, 1095, 4020);
    List1->setFont(listFont());
    setBoxColour(List1, QColor(255, 255, 192));

    List2 = new ListBox(true, QAbstractItemView::MultiSelection, client);
    place(List2, QStringLiteral("List2"), 3720, 360, 3495, 2760);
    List2->setFont(listFont());
    setBoxColour(List2, QColor(255, 224, 192));

    Label1[0] = label(
        client, QStringLiteral("Label1_0"), windowtext::Label1Caption0, 180, 120, 1245, 180);
    setColour(Label1[0], QPalette::WindowText, headingColour);

    Frame1 = frame(QStringLiteral("Frame1"), windowtext::Frame1Caption, 1560, 1440, 1935, 2895);
    Option1[0] = option(
        Frame1, QStringLiteral("Option1_0"), windowtext::Option1Caption0, 240, 360, 1455, 255);
    Option1[0]->setChecked(true);
    Command1 = button(
        Frame1, QStringLiteral("Command1"), windowtext::Command1Caption, 720, 600, 855, 255);
    Option1[1] = option(
        Frame1, QStringLiteral("Option1_1"), windowtext::Option1Caption1, 240, 1080, 735, 255);
    Option1[2] = option(
        Frame1, QStringLiteral("Option1_2"), windowtext::Option1Caption2, 240, 1440, 1095, 255);
    Option1[3] = option(
        Frame1, QStringLiteral("Option1_3"), windowtext::Option1Caption3, 240, 2160, 1575, 255);
    Text1[0] = entry(Frame1, QStringLiteral("Text1_0"), 720, 1680, 615, 270);
    Text1[1] = entry(Frame1, QStringLiteral("Text1_1"), 480, 2400, 1335, 270);

    Command2 = button(
        client, QStringLiteral("Command2"), windowtext::Command2Caption, 3720, 3720, 1335, 375);
    Command3 = button(
        client, QStringLiteral("Command3"), windowtext::Command3Caption, 5880, 3720, 1335, 375);

    Frame2 = frame(QStringLiteral("Frame2"), windowtext::Frame2Caption, 1560, 240, 1935, 1095);
    Option2[0] = option(
        Frame2, QStringLiteral("Option2_0"), windowtext::Option2Caption0, 240, 240, 1575, 375);
    Option2[0]->setChecked(true);
    Option2[1] = option(
        Frame2, QStringLiteral("Option2_1"), windowtext::Option2Caption1, 240, 600, 1575, 375);

    Command4 = button(
        client, QStringLiteral("Command4"), windowtext::Command4Caption, 3720, 3240, 1335, 375);

    Label1[1] = label(
        client, QStringLiteral("Label1_1"), windowtext::Label1Caption1, 3720, 120, 960, 180);
    setColour(Label1[1], QPalette::WindowText, headingColour);

    ProgressBar1 = new QProgressBar(client);
    place(ProgressBar1, QStringLiteral("ProgressBar1"), 3720, 4200, 3495, 135);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setVisible(false);

    Label2
        = label(client, QStringLiteral("Label2"), windowtext::Label2Caption, 6840, 3120, 345, 180);

    Label3 = label(
        client, QStringLiteral("Label3"), windowtext::Label3DesignCaption, 5160, 3720, 660, 180);
    Label3->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label3->setCaptionFont(listFont());
    setColour(Label3, QPalette::WindowText, QColor(255, 0, 0));

    Label4 = label(
        client, QStringLiteral("Label4"), windowtext::Label4DesignCaption, 5190, 3960, 555, 180);
    Label4->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label4->setCaptionFont(listFont());
    setColour(Label4, QPalette::WindowText, QColor(0, 0, 255));
    Label4->setVisible(false);
    // Every control stands at its place now: a caption wider than its label
    // takes the room its neighbours leave.
    for (CaptionLabel *l : client->findChildren<CaptionLabel *>(Qt::FindDirectChildrenOnly))
        l->fit();

    const QWidget *tabOrder[] = { List1, List2, Option1[0], Command1, Option1[1], Option1[2],
        Option1[3], Text1[0], Text1[1], Command2, Command3, Option2[0], Option2[1], Command4 };
    for (std::size_t i = 0; i + 1 < std::size(tabOrder); ++i)
        QWidget::setTabOrder(
            const_cast<QWidget *>(tabOrder[i]), const_cast<QWidget *>(tabOrder[i + 1]));

    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form1::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &Form1::Command4_Click);
    for (qint16 i = 0; i < qint16(Option1.size()); ++i)
        connect(Option1[i], &QRadioButton::clicked, this, [this, i] { Option1_Click(i); });
    for (qint16 i = 0; i < qint16(Option2.size()); ++i)
        connect(Option2[i], &QRadioButton::clicked, this, [this, i] { Option2_Click(i); });
    connectSelection();
}

void Form1::createMenus()
{
    QMenuBar *bar = menuBar();
    const auto action = [this](QAction *a, const QString &name) {
        a->setObjectName(name);
        return a;
    };

    SimFile = bar->addMenu(windowtext::SimFileCaption);
    SimFile->setObjectName(QStringLiteral("SimFile"));
    SimFileSave
        = action(SimFile->addAction(windowtext::SimFileSaveCaption), QStringLiteral("SimFileSave"));
    SimFileLoad
        = action(SimFile->addAction(windowtext::SimFileLoadCaption), QStringLiteral("SimFileLoad"));
    SimFile->addSeparator();
    connect(action(SimFile->addAction(plantext::Caption), QStringLiteral("PlanView")),
        &QAction::triggered, this, &Form1::showPlan);
    SimFile->addSeparator();
    CsvFileLoad
        = action(SimFile->addAction(windowtext::CsvFileLoadCaption), QStringLiteral("CsvFileLoad"));
    CsvFileSave
        = action(SimFile->addAction(windowtext::CsvFileSaveCaption), QStringLiteral("CsvFileSave"));
    MapFileLoad
        = action(SimFile->addAction(windowtext::MapFileLoadCaption), QStringLiteral("MapFileLoad"));
    SimFile->addSeparator();
    // The zones, each with the prefectures it serves, and 系なし; none
    // checked until the file names one or the user chooses it.
    ZoneMenu = SimFile->addMenu(plantext::ZoneCaption);
    ZoneMenu->setObjectName(QStringLiteral("ZoneMenu"));
    m_zoneActions = new QActionGroup(this);
    for (const geodesy::Zone &z : geodesy::zones()) {
        QAction *a = action(ZoneMenu->addAction(geodesy::zoneEntry(z.number)),
            QStringLiteral("Zone%1").arg(z.number));
        a->setCheckable(true);
        a->setActionGroup(m_zoneActions);
        connect(a, &QAction::triggered, this, [this, number = z.number] { chooseZone(number); });
    }
    // A local grid (任意座標), which no map can place.
    ZoneMenu->addSeparator();
    QAction *local
        = action(ZoneMenu->addAction(geodesy::LocalZoneEntry), QStringLiteral("ZoneLocal"));
    local->setCheckable(true);
    local->setActionGroup(m_zoneActions);
    connect(local, &QAction::triggered, this, [this] { chooseZone(geodesy::LocalZone); });
    GeoJsonKmlExport = action(
        SimFile->addAction(plantext::GeoJsonKmlExportCaption), QStringLiteral("GeoJsonKmlExport"));
    PdfExport = action(SimFile->addAction(plantext::PdfExportCaption), QStringLiteral("PdfExport"));
    DxfExport = action(SimFile->addAction(plantext::DxfExportCaption), QStringLiteral("DxfExport"));
    GsiMap = action(SimFile->addAction(plantext::GsiMapCaption), QStringLiteral("GsiMap"));

    ComPort = bar->addMenu(windowtext::ComPortCaption);
    ComPort->setObjectName(QStringLiteral("ComPort"));
    Com1 = action(ComPort->addAction(windowtext::Com1Caption), QStringLiteral("Com1"));
    Com2 = action(ComPort->addAction(windowtext::Com2Caption), QStringLiteral("Com2"));
    Com3 = action(ComPort->addAction(windowtext::Com3Caption), QStringLiteral("Com3"));

    PG_End = action(bar->addAction(windowtext::PgEndCaption), QStringLiteral("PG_End"));

    connect(SimFileSave, &QAction::triggered, this, &Form1::SimFileSave_Click);
    connect(SimFileLoad, &QAction::triggered, this, &Form1::SimFileLoad_Click);
    connect(CsvFileLoad, &QAction::triggered, this, &Form1::CsvFileLoad_Click);
    connect(CsvFileSave, &QAction::triggered, this, &Form1::CsvFileSave_Click);
    connect(MapFileLoad, &QAction::triggered, this, &Form1::MapFileLoad_Click);
    connect(GeoJsonKmlExport, &QAction::triggered, this, &Form1::GeoJsonKmlExport_Click);
    connect(PdfExport, &QAction::triggered, this, &Form1::PdfExport_Click);
    connect(DxfExport, &QAction::triggered, this, &Form1::DxfExport_Click);
    connect(GsiMap, &QAction::triggered, this, &Form1::GsiMap_Click);
    connect(Com1, &QAction::triggered, this, &Form1::Com1_Click);
    connect(Com2, &QAction::triggered, this, &Form1::Com2_Click);
    connect(Com3, &QAction::triggered, this, &Form1::Com3_Click);
    connect(ComPort, &QMenu::aboutToShow, this, &Form1::listFurtherPorts);
    connect(PG_End, &QAction::triggered, this, &Form1::PG_End_Click);
}

void Form1::showPlan()
{
    if (!m_planWindow) {
        m_planWindow = new PlanWindow(m_table, m_records, m_parcels, m_landClasses,
            List1->selectionModel(), List2->model(), List1->font(), this);
        m_planWindow->addAction(m_guideAction);
        m_planWindow->setZone(m_zone);
        m_planWindow->setFileText(m_fileText);
        connect(m_planWindow, &PlanWindow::zoneChosen, this, &Form1::chooseZone);
        connect(m_planWindow, &PlanWindow::geoJsonKmlExportRequested, this,
            &Form1::GeoJsonKmlExport_Click);
        connect(m_planWindow, &PlanWindow::pdfExportRequested, this, &Form1::PdfExport_Click);
        connect(m_planWindow, &PlanWindow::dxfExportRequested, this, &Form1::DxfExport_Click);
        connect(m_planWindow, &PlanWindow::gsiMapRequested, this, &Form1::GsiMap_Click);
        connectParcels();
    }
    m_planWindow->show();
    m_planWindow->raise();
    m_planWindow->activateWindow();
}

QPointF Form1::centredOrigin(QSizeF screenTwips, QSizeF windowTwips)
{
    // Single precision, as the window's position has always been worked out.
    const float left = float(screenTwips.width() - windowTwips.width()) / 2.0f;
    const float top = float(screenTwips.height() - windowTwips.height()) / 2.0f;
    return { double(left), double(top) };
}

void Form1::Form_Load()
{
    if (const QScreen *s = screen()) {
        const double dpiX = s->logicalDotsPerInchX();
        const double dpiY = s->logicalDotsPerInchY();
        const auto twips = [&](QSize pixels) {
            return QSizeF(
                pixels.width() * TwipsPerInch / dpiX, pixels.height() * TwipsPerInch / dpiY);
        };
        const QPointF origin
            = centredOrigin(twips(s->geometry().size()), twips(frameGeometry().size()));
        move(s->geometry().topLeft()
            + QPoint(qRound(origin.x() * dpiX / TwipsPerInch),
                qRound(origin.y() * dpiY / TwipsPerInch)));
    }
    Text1[0]->setText(QString());
    Text1[1]->setText(QString());
    PortNumber = 1;
    Label3->setCaption(windowtext::Port1Caption);
    m_portDevice.clear();
    Label3->setToolTip(QString());
}

void Form1::Com1_Click()
{
    PortNumber = 1;
    Label3->setCaption(windowtext::Port1Caption);
    m_portDevice.clear();
    Label3->setToolTip(QString());
}

void Form1::Com2_Click()
{
    PortNumber = 2;
    Label3->setCaption(windowtext::Port2Caption);
    m_portDevice.clear();
    Label3->setToolTip(QString());
}

void Form1::Com3_Click()
{
    PortNumber = 3;
    Label3->setCaption(windowtext::Port3Caption);
    m_portDevice.clear();
    Label3->setToolTip(QString());
}

// Below COM1..COM3 and a separator, the machine's other serial ports. The
// list is built afresh each time the menu opens, as adapters come and go;
// without further ports the menu holds only the three items.
void Form1::listFurtherPorts()
{
    const QList<QAction *> previous = ComPort->actions().mid(3);
    for (QAction *action : previous)
        delete action;
    const QStringList devices = m_ports.furtherPorts();
    if (devices.isEmpty())
        return;
    ComPort->addSeparator();
    for (const QString &device : devices) {
        connect(ComPort->addAction(device), &QAction::triggered, this,
            [this, device] { chooseFurtherPort(device); });
    }
}

// Works like Com1_Click: the port takes effect when the next transfer
// starts. The label shows a short name; its tooltip the whole device.
void Form1::chooseFurtherPort(const QString &device)
{
    PortNumber = 0;
    m_portDevice = device;
    Label3->setCaption(windowtext::PortCaptionPrefix + shortPortName(device));
    Label3->setToolTip(device);
}

void Form1::showError(const QString &prompt)
{
    m_dialogs.messageBox(
        this, prompt, windowtext::ErrorTitle, MessageIcon::Question, MessageButtons::Ok);
}

void Form1::showFailureMessage(int failureNumber)
{
    showError(failureText(failureNumber));
}

void Form1::PG_End_Click()
{
    // Ends the program at once: no question, nothing saved, a transfer in
    // progress simply stops with the program.
    QCoreApplication::exit(0);
}

} // namespace tavorin
