#include "app/ui/TFVelmorineFirmWare.h"

#include "access/ui/TFIEC_61850_Access.h"
#include "app/Configurations.h"
#include "app/Settings.h"
#include "app/Version.h"
#include "app/ui/App_Widgets.h"
#include "app/ui/TFAbout.h"
#include "app/ui/TFNew_Project.h"
#include "app/ui/TFOpenConf.h"
#include "app/ui/TFSoftOptions.h"
#include "comm/ui/TFParGen.h"
#include "common/Number.h"
#include "common/ui/Messages.h"
#include "common/ui/Widgets.h"
#include "image/Compile_Run.h"
#include "update/ui/TFBoot.h"

#include <QCloseEvent>
#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace app::ui {

using common::ui::Make;
using common::ui::Q;

namespace {

constexpr int First_Check_Interval = 60000;   // one minute after start
constexpr int Later_Check_Interval = 7200000; // then every two hours

QLabel* Make_Step_Label(QWidget* Parent, const char* Name, int Y)
{
    auto* Label = Make<QLabel>(Parent, Name);
    QFont Bold = Label->font();
    Bold.setBold(true);
    Bold.setPointSize(Bold.pointSize() + 2);
    Label->setFont(Bold);
    Label->setGeometry(16, Y, 90, 22);
    return Label;
}

} // namespace

TFVelmorineFirmWare::TFVelmorineFirmWare(const std::filesystem::path& Program_Path, QWidget* Parent) : QWidget(Parent)
{
    FormCreate(Program_Path);
    Create_Windows();
}

TFVelmorineFirmWare::~TFVelmorineFirmWare() = default;

void TFVelmorineFirmWare::FormCreate(const std::filesystem::path& Program_Path)
{
    // Layout: a fixed window with the header, the configuration box and the four step rows, 44 pixels apart.
    setObjectName("FVelmorineFirmWare");
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(694, 396);

    Make_Header(this, 694, 70, L_SW_Code, L_SW_Desc);
    LL_Update = Make<QLabel>(this, "LL_Update");
    LL_Update->setGeometry(250, 12, 284, 44);
    LL_Update->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    LL_Update->setWordWrap(true);
    LL_Update->setTextFormat(Qt::RichText);
    LL_Update->setOpenExternalLinks(false);
    LL_Update->hide();
    connect(LL_Update, &QLabel::linkActivated, this, &TFVelmorineFirmWare::LL_UpdateLinkClick);

    const struct
    {
        QPushButton*& Button;
        const char* Name;
        const char* Icon;
        int X;
    } Header_Buttons[] = {{Btn_Info, "Btn_Info", "info", 546},
                          {Btn_Opz, "Btn_Opz", "options", 594},
                          {Btn_Close, "Btn_Close", "close", 642}};
    for (const auto& Entry : Header_Buttons) {
        Entry.Button = Make<QPushButton>(this, Entry.Name);
        Entry.Button->setGeometry(Entry.X, 14, 40, 40);
        Entry.Button->setIcon(Svg_Icon(Entry.Icon, 28));
        Entry.Button->setIconSize(QSize(28, 28));
        Entry.Button->setFlat(true);
    }

    L_Begin = Make<QLabel>(this, "L_Begin");
    QFont Begin_Font = L_Begin->font();
    Begin_Font.setBold(true);
    Begin_Font.setPointSize(Begin_Font.pointSize() + 2);
    L_Begin->setFont(Begin_Font);
    L_Begin->setGeometry(16, 77, 90, 22);
    P_Name_Conf = Make<QFrame>(this, "P_Name_Conf");
    P_Name_Conf->setFrameShape(QFrame::StyledPanel);
    P_Name_Conf->setFrameShadow(QFrame::Sunken);
    P_Name_Conf->setGeometry(110, 68, 568, 40); // ends above the step 1 buttons (y 112)
    L_Name_Conf = Make<QLabel>(P_Name_Conf, "L_Name_Conf");
    L_Name_Conf->setGeometry(8, 2, 552, 18);
    L_Name_Conf_L2 = Make<QLabel>(P_Name_Conf, "L_Name_Conf_L2");
    L_Name_Conf_L2->setGeometry(8, 20, 552, 18);
    QFont Conf_Font = L_Name_Conf_L2->font();
    Conf_Font.setBold(true);
    L_Name_Conf_L2->setFont(Conf_Font);

    L_Step_1 = Make_Step_Label(this, "L_Step_1", 128);
    L_Step_2 = Make_Step_Label(this, "L_Step_2", 172);
    L_Step_3 = Make_Step_Label(this, "L_Step_3", 216);
    L_Step_4 = Make_Step_Label(this, "L_Step_4", 260);
    const struct
    {
        QPushButton*& Button;
        const char* Name;
        const char* Icon;
        int X, Y;
    } Step_Buttons[] = {{Btn_New, "Btn_New", "new", 110, 112},
                        {Btn_Open, "Btn_Open", "open", 350, 112},
                        {Btn_Prm_Gen, "Btn_Prm_Gen", "comm", 110, 156},
                        {Btn_IEC61850_Client, "Btn_IEC61850_Client", "access", 110, 200},
                        {Btn_CreateBin, "Btn_CreateBin", "update", 110, 244}};
    for (const auto& Entry : Step_Buttons) {
        Entry.Button = Make<QPushButton>(this, Entry.Name);
        Entry.Button->setGeometry(Entry.X, Entry.Y, 230, 40);
        Entry.Button->setIcon(Svg_Icon(Entry.Icon, 26));
        Entry.Button->setIconSize(QSize(26, 26));
        Entry.Button->setStyleSheet("text-align: left; padding-left: 10px;");
    }
    for (QPushButton* Button :
         {Btn_Info, Btn_Opz, Btn_Close, Btn_New, Btn_Open, Btn_Prm_Gen, Btn_IEC61850_Client, Btn_CreateBin})
        connect(Button, &QPushButton::clicked, this, [this, Button] { Btn_Click(Button); });

    Shape1 = Make<QFrame>(this, "Shape1");
    Shape1->setFrameShape(QFrame::HLine);
    Shape1->setFrameShadow(QFrame::Plain);
    Shape1->setLineWidth(1);
    Shape1->setGeometry(16, 296, 662, 1);
    L_Brisol = Make<TClick_Label>(this, "L_Brisol");
    L_Brisol->setGeometry(440, 262, 238, 20);
    L_Brisol->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    L_Brisol->setCursor(Qt::PointingHandCursor);
    L_Brisol->setText(Q(Maker_Web_Address()));
    connect(L_Brisol, &TClick_Label::Clicked, this, &TFVelmorineFirmWare::L_BrisolClick);

    Timer_Update = Make<QTimer>(nullptr, "Timer_Update");
    Timer_Update->setParent(this);
    Timer_Update->setInterval(First_Check_Interval);
    connect(Timer_Update, &QTimer::timeout, this, &TFVelmorineFirmWare::Timer_UpdateTimer);

    // Folders, settings, product texts, catalogue, the stored configuration and its files.
    app::Start_Up(fState, Program_Path);
    Apply_Timer_Update();
    setWindowTitle(Q(fState.SW_Caption));
    L_SW_Code->setText(Q(fState.SW_Code));
    L_SW_Desc->setText(Q(fState.SW_Desc));
    Set_Lang();
    Set_Files();
}

void TFVelmorineFirmWare::Create_Windows()
{
    // Every window is created once, in this order; each reads the catalogue the start-up has filled.
    FNew_Project = new TFNew_Project(fState, this);
    FOpenConf = new TFOpenConf(fState, this);
    FAbout = new TFAbout(fState, this);
    FSoftOptions = new TFSoftOptions(
        fState, fHttp, [this] { Change_Language(); }, this);
    // The windows of the later steps join through Join_Window: the step button runs them, Change_Language
    // re-applies their texts.
    FParGen = new comm::TFParGen(
        fState.Lang_Strings, fState.SW_Code, [this] { return fState.File_ParGen; }, this);
    Join_Window(TStep_Window::Prm_Gen, {[this] { FParGen->exec(); }, [this] { FParGen->Set_Lang(); }});
    FIEC_61850_Access = new ct::access::TFIEC_61850_Access(fState, this);
    Join_Window(TStep_Window::IEC61850_Client,
                {[this] { FIEC_61850_Access->exec(); }, [this] { FIEC_61850_Access->Set_Lang(); }});
    FBoot = new update::TFBoot(fState, this);
    Join_Window(TStep_Window::Update_Device, {[this] { Update_Device(); }, [this] { FBoot->Set_Lang(); }});
}

void TFVelmorineFirmWare::Update_Device()
{
    // A failed compile throws here: the general handler shows it and the update window does not open.
    const image::TImages Images =
        image::Build_Images(fState.File_ParGen, fState.File_IEC_61850_Client, common::Get_Decimal_Separator());
    image::Save_Images(Images, fState.Conf_Path);
    FBoot->Form_Type = 1;
    FBoot->exec();
}

void TFVelmorineFirmWare::Join_Window(TStep_Window Step, TJoined_Window Window)
{
    fJoined[static_cast<std::size_t>(Step)] = std::move(Window);
}

void TFVelmorineFirmWare::Set_Conf_Lines()
{
    const text::TCatalogue& L = fState.Lang_Strings;
    if (fState.Conf_Active()) {
        L_Name_Conf->setText(Q(L[11])); // "Opened Configuration of the Converter : "
        L_Name_Conf_L2->setText(Q(fState.Conf_Name));
    } else {
        L_Name_Conf->setText(Q(L[9]));     // "None Configuration Opened "
        L_Name_Conf_L2->setText(Q(L[10])); // "Use Step1 to open or create new configuration"
    }
}

void TFVelmorineFirmWare::Set_Lang()
{
    const text::TCatalogue& L = fState.Lang_Strings;
    L_Begin->setText(Q(L[0]));  // "Begin"
    L_Step_1->setText(Q(L[1])); // "Step 1"
    L_Step_2->setText(Q(L[2]));
    L_Step_3->setText(Q(L[3]));
    L_Step_4->setText(Q(L[4]));
    Set_Conf_Lines();
    Btn_Info->setToolTip(Q(L[12]));         // "Information"
    Btn_Opz->setToolTip(Q(L[13]));          // "Options"
    Btn_Close->setToolTip(Q(L[14]));        // "Close Configurator"
    Btn_New->setText(Q(L[15]));             // "New Configuration"
    Btn_Open->setText(Q(L[16]));            // "Open Configuration"
    Btn_CreateBin->setText(Q(L[17]));       // "Update Device UDP"
    Btn_Prm_Gen->setText(Q(L[20]));         // "Set Communication"
    Btn_IEC61850_Client->setText(Q(L[21])); // "IEC61850 Access"
    Btn_New->setToolTip(Q(L[22]));
    Btn_Open->setToolTip(Q(L[23]));
    Btn_Prm_Gen->setToolTip(Q(L[24]));
    Btn_IEC61850_Client->setToolTip(Q(L[25]));
    Btn_CreateBin->setToolTip(Q(L[26]));
    LL_Update->setText(Link_Text(Download_Page_Url(), L[19])); // "New Version Available. Click Here ..."
}

void TFVelmorineFirmWare::Set_Files()
{
    app::Set_Files(fState);
}

void TFVelmorineFirmWare::Save_Setting()
{
    common::ui::Run_Guarded(this, [&] { app::Save_Setting(fState); });
}

void TFVelmorineFirmWare::Create_New_Project()
{
    if (FNew_Project->exec() == QDialog::Accepted)
        Set_Conf_Lines();
}

void TFVelmorineFirmWare::Open_Project()
{
    if (FOpenConf->exec() != QDialog::Accepted)
        return;
    Open_Configuration(fState, FOpenConf->Name_Conf());
    Set_Conf_Lines();
}

void TFVelmorineFirmWare::Change_Language()
{
    Set_Lang();
    FNew_Project->Set_Lang();
    FOpenConf->Set_Lang();
    FSoftOptions->Set_Lang();
    for (TStep_Window Step : {TStep_Window::Update_Device, TStep_Window::Prm_Gen, TStep_Window::IEC61850_Client})
        if (const auto& Set = fJoined[static_cast<std::size_t>(Step)].Set_Lang)
            Set();
}

void TFVelmorineFirmWare::Run_Step(TStep_Window Step)
{
    if (const auto& Run = fJoined[static_cast<std::size_t>(Step)].Run)
        Run();
}

void TFVelmorineFirmWare::Btn_Click(QPushButton* Sender)
{
    common::ui::Run_Guarded(this, [&] {
        if (Sender == Btn_New) {
            Create_New_Project();
        } else if (Sender == Btn_Open) {
            Open_Project();
        } else if (Sender == Btn_Close) {
            close();
        } else if (Sender == Btn_Info) {
            FAbout->exec();
        } else if (Sender == Btn_Opz) {
            if (FSoftOptions->exec() == QDialog::Accepted) {
                Save_Setting();
                Apply_Timer_Update();
            }
        } else if (!fState.Conf_Active()) {
            common::ui::Show_Message(this, common::ui::TMsg_Kind::Error, fState.Lang_Strings[18]);
        } else if (Sender == Btn_Prm_Gen) {
            Run_Step(TStep_Window::Prm_Gen);
        } else if (Sender == Btn_IEC61850_Client) {
            Run_Step(TStep_Window::IEC61850_Client);
        } else if (Sender == Btn_CreateBin) {
            Run_Step(TStep_Window::Update_Device);
        }
    });
}

void TFVelmorineFirmWare::Apply_Timer_Update()
{
    if (!Timer_Update_Wanted(fState))
        Timer_Update->stop();
    else if (!Timer_Update->isActive())
        Timer_Update->start();
}

void TFVelmorineFirmWare::Timer_UpdateTimer()
{
    if (fHttp.Busy())
        return; // a check asked for from the options window is on its way; the timer keeps its rhythm
    common::ui::Run_Guarded(this, [&] {
        Timer_Update->stop();
        if (FSoftOptions->Check_Version()) {
            LL_Update->setText(Link_Text(Download_Page_Url(), fState.Lang_Strings[19]));
            LL_Update->show();
        } else {
            LL_Update->hide();
        }
        Timer_Update->setInterval(Later_Check_Interval);
        Timer_Update->start();
    });
}

void TFVelmorineFirmWare::L_BrisolClick()
{
    Open_Link(Home_Page_Url(fState.SW_Code));
}

void TFVelmorineFirmWare::LL_UpdateLinkClick(const QString& Link)
{
    Open_Link(Link.toStdString());
}

void TFVelmorineFirmWare::FormClose()
{
    Save_Setting();
}

void TFVelmorineFirmWare::closeEvent(QCloseEvent* Event)
{
    FormClose();
    Event->accept();
}

} // namespace app::ui
