#include "app/ui/TFSoftOptions.h"

#include "app/Version.h"
#include "app/ui/App_Widgets.h"
#include "app/ui/Http_Client.h"
#include "common/ui/Messages.h"
#include "common/ui/Widgets.h"

#include <QCheckBox>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QTabWidget>

namespace app::ui {

using common::ui::Make;
using common::ui::Q;

namespace {

constexpr const char* Slot_Pictures[Lang_Slots] = {"I_L1", "I_L2", "I_L3", "I_L4", "I_L5", "I_L6"};
constexpr const char* Slot_Labels[Lang_Slots] = {"L_L1", "L_L2", "L_L3", "L_L4", "L_L5", "L_L6"};
constexpr int Flag_Width = 48;
constexpr int Flag_Height = 32;

} // namespace

TFSoftOptions::TFSoftOptions(TApp_State& State, THttp_Client& Http, std::function<void()> Change_Language,
                             QWidget* Parent)
    : QDialog(Parent), fState(State), fHttp(Http), fChange_Language(std::move(Change_Language))
{
    setObjectName("FSoftOptions");
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(509, 373);

    Make_Header(this, 509, 56, L_SW_Code, L_SW_Desc);
    L_SW_Code->setText(Q(fState.SW_Code));

    PC_Options = Make<QTabWidget>(this, "PC_Options");
    PC_Options->setGeometry(8, 66, 493, 254);

    // Language page: three slots in the left column, three in the right, then the paging row.
    TS_Language = Make<QWidget>(PC_Options, "TS_Language");
    L_Sel_Lang = Make<QLabel>(TS_Language, "L_Sel_Lang");
    L_Sel_Lang->setGeometry(12, 8, 460, 20);
    for (int Slot = 0; Slot < Lang_Slots; ++Slot) {
        const int X = Slot < 3 ? 20 : 250;
        const int Y = 38 + (Slot % 3) * 46;
        I_L[Slot] = Make<TClick_Label>(TS_Language, Slot_Pictures[Slot]);
        I_L[Slot]->setGeometry(X, Y, Flag_Width, Flag_Height);
        I_L[Slot]->setAlignment(Qt::AlignCenter);
        L_L[Slot] = Make<TClick_Label>(TS_Language, Slot_Labels[Slot]);
        L_L[Slot]->setGeometry(X + Flag_Width + 10, Y + 6, 160, 20);
        for (TClick_Label* Control : {I_L[Slot], L_L[Slot]}) {
            Control->setCursor(Qt::PointingHandCursor);
            connect(Control, &TClick_Label::Clicked, this, [this, Slot] { LangClick(Slot + 1); });
        }
    }
    Btn_Prev = Make<QPushButton>(TS_Language, "Btn_Prev");
    Btn_Prev->setGeometry(12, 184, 96, 28);
    Btn_Next = Make<QPushButton>(TS_Language, "Btn_Next");
    Btn_Next->setGeometry(378, 184, 96, 28);
    L_Page_Lang = Make<QLabel>(TS_Language, "L_Page_Lang");
    L_Page_Lang->setGeometry(120, 188, 246, 20);
    L_Page_Lang->setAlignment(Qt::AlignCenter);
    connect(Btn_Prev, &QPushButton::clicked, this, [this] { Btn_NextClick(Btn_Prev); });
    connect(Btn_Next, &QPushButton::clicked, this, [this] { Btn_NextClick(Btn_Next); });
    PC_Options->addTab(TS_Language, QString());

    TS_Con_Options = Make<QWidget>(PC_Options, "TS_Con_Options");
    CB_En_Con = Make<QCheckBox>(TS_Con_Options, "CB_En_Con");
    CB_En_Con->setGeometry(16, 16, 440, 22);
    CB_Update = Make<QCheckBox>(TS_Con_Options, "CB_Update");
    CB_Update->setGeometry(40, 44, 416, 22);
    Btn_Check_Update = Make<QPushButton>(TS_Con_Options, "Btn_Check_Update");
    Btn_Check_Update->setGeometry(16, 84, 220, 28);
    LL_Check_Update = Make<QLabel>(TS_Con_Options, "LL_Check_Update");
    LL_Check_Update->setGeometry(16, 124, 440, 22);
    LL_Check_Update->setTextFormat(Qt::RichText);
    LL_Check_Update->setOpenExternalLinks(false);
    connect(LL_Check_Update, &QLabel::linkActivated, this, &TFSoftOptions::LL_Check_UpdateLinkClick);
    connect(Btn_Check_Update, &QPushButton::clicked, this, &TFSoftOptions::Btn_Check_UpdateClick);
    PC_Options->addTab(TS_Con_Options, QString());

    TS_Soft_Settings = Make<QWidget>(PC_Options, "TS_Soft_Settings");
    CB_Soft_Set_Jump_Table = Make<QCheckBox>(TS_Soft_Settings, "CB_Soft_Set_Jump_Table");
    CB_Soft_Set_Jump_Table->setGeometry(16, 16, 460, 22);
    CB_DoubleClick_Auto_Size = Make<QCheckBox>(TS_Soft_Settings, "CB_DoubleClick_Auto_Size");
    CB_DoubleClick_Auto_Size->setGeometry(16, 44, 460, 22);
    PC_Options->addTab(TS_Soft_Settings, QString());

    for (QCheckBox* Box : {CB_En_Con, CB_Update, CB_Soft_Set_Jump_Table, CB_DoubleClick_Auto_Size})
        connect(Box, &QCheckBox::toggled, this, [this] { CB_En_ConClick(); });

    auto* Line = Make<QFrame>(this, "Shape_Bottom");
    Line->setFrameShape(QFrame::HLine);
    Line->setFrameShadow(QFrame::Sunken);
    Line->setGeometry(0, 326, 509, 2);
    Btn_OK = Make<QPushButton>(this, "Btn_OK");
    Btn_OK->setGeometry(317, 336, 88, 28);
    Btn_Cancel = Make<QPushButton>(this, "Btn_Cancel");
    Btn_Cancel->setGeometry(413, 336, 88, 28);
    for (QPushButton* Button : {Btn_Prev, Btn_Next, Btn_Check_Update, Btn_OK, Btn_Cancel})
        Button->setAutoDefault(false);
    connect(Btn_OK, &QPushButton::clicked, this, &TFSoftOptions::Btn_OKClick);
    connect(Btn_Cancel, &QPushButton::clicked, this, &QDialog::reject);

    PC_Options->setCurrentWidget(TS_Con_Options);
    Set_Lang();
}

void TFSoftOptions::Set_Lang()
{
    const text::TCatalogue& L = fState.Lang_Strings;
    setWindowTitle(Q(L[300]));                                                // "Software Options"
    L_SW_Desc->setText(Q(L[301]));                                            // "Software Options"
    PC_Options->setTabText(PC_Options->indexOf(TS_Language), Q(L[302]));      // "Language"
    PC_Options->setTabText(PC_Options->indexOf(TS_Con_Options), Q(L[303]));   // "Connection Options"
    PC_Options->setTabText(PC_Options->indexOf(TS_Soft_Settings), Q(L[319])); // "Software Settings"
    L_Sel_Lang->setText(Q(L[304]));                                           // "Selected Language : "
    Show_Page_Label();                                                        // "Page 1 / 1"
    Btn_Prev->setText(Q(L[307]));                                             // "Previous"
    Btn_Next->setText(Q(L[308]));                                             // "Next"
    CB_En_Con->setText(Q(L[309]));                                            // "Enable Internet Connection"
    CB_Update->setText(Q(L[310])); // "Check Software Update at Start of Program"
    CB_Soft_Set_Jump_Table->setText(Q(L[320]));
    CB_DoubleClick_Auto_Size->setText(Q(L[321]));
    Btn_Check_Update->setText(Q(L[311])); // "Check Available Update"
    Btn_OK->setText(Q(L[312]));           // "OK"
    Btn_Cancel->setText(Q(L[313]));       // "Cancel"
}

void TFSoftOptions::Show_Page_Label()
{
    // The page shown stays told in the new language: "Page <page> / <count>" ("Page 1 / 1" before the first show).
    const text::TCatalogue& L = fState.Lang_Strings;
    L_Page_Lang->setText(Q(L[305] + std::to_string(fShow_Page) + L[306] + std::to_string(fPage_Count)));
}

void TFSoftOptions::showEvent(QShowEvent* Event)
{
    QDialog::showEvent(Event);
    FormShow();
}

void TFSoftOptions::FormShow()
{
    fLanguage_In_Use = fState.Language;
    Create_Lang_List();
    Update_CheckBox();
    LL_Check_Update->hide();
    PC_Options->setCurrentWidget(TS_Language);
    CB_En_Con->setChecked(fState.Enable_Internet);
    CB_Update->setChecked(fState.Enable_Update);
    CB_Soft_Set_Jump_Table->setChecked(fState.Enable_Jump_Field_Tables);
    CB_DoubleClick_Auto_Size->setChecked(fState.Double_Click_Auto_Size);
}

void TFSoftOptions::Create_Lang_List()
{
    fSL_Languages = app::Create_Lang_List(fState.Language_Path);
    fShow_Page = 1;
    Update_Lang_Page(1);
}

void TFSoftOptions::Update_Lang_Page(int Num_Page)
{
    const text::TCatalogue& L = fState.Lang_Strings;
    const TLang_Page Page = app::Update_Lang_Page(fSL_Languages, Num_Page);
    L_Sel_Lang->setText(Q(L[304] + fLanguage_In_Use));
    fPage_Count = Page.Page_Count;
    L_Page_Lang->setText(Q(L[305] + std::to_string(Num_Page) + L[306] + std::to_string(Page.Page_Count)));
    Btn_Prev->setVisible(Page.Prev_Visible);
    Btn_Next->setVisible(Page.Next_Visible);
    for (int Slot = 0; Slot < Lang_Slots; ++Slot) {
        const bool Shown = Slot < static_cast<int>(Page.Names.size());
        L_L[Slot]->setVisible(Shown);
        I_L[Slot]->setVisible(false);
        I_L[Slot]->clear();
        if (!Shown)
            continue;
        const std::string& Name = Page.Names[static_cast<std::size_t>(Slot)];
        L_L[Slot]->setText(Q(Name));
        const std::filesystem::path Flag = Flag_Picture(fState.Language_Path, Name);
        if (Flag.empty())
            continue;
        const QPixmap Picture(QString::fromStdString(Flag.string()));
        if (Picture.isNull())
            continue;
        I_L[Slot]->setPixmap(Picture.scaled(Flag_Width, Flag_Height, Qt::KeepAspectRatio, Qt::SmoothTransformation));
        I_L[Slot]->setVisible(true);
    }
}

void TFSoftOptions::Btn_NextClick(QPushButton* Sender)
{
    const int Page_Count = app::Update_Lang_Page(fSL_Languages, fShow_Page).Page_Count;
    if (Sender == Btn_Next && Page_Count >= fShow_Page + 1)
        ++fShow_Page;
    else if (Sender == Btn_Prev && fShow_Page > 1)
        --fShow_Page;
    Update_Lang_Page(fShow_Page);
}

void TFSoftOptions::LangClick(int Slot)
{
    common::ui::Run_Guarded(this, [&] {
        const std::string Name = Lang_Of_Slot(fSL_Languages, fShow_Page, Slot - 1);
        if (Name.empty())
            return;
        const text::TCatalogue& L = fState.Lang_Strings;
        // "Do you want to change the Language from <old> to <new>?"
        const std::string Question = L[316] + fLanguage_In_Use + L[317] + Name + L[318];
        if (common::ui::Show_Message(this, common::ui::TMsg_Kind::Confirmation, Question,
                                     common::ui::TMsg_Buttons::Yes_No) != common::ui::TMsg_Answer::Yes)
            return;
        fLanguage_In_Use = Name;
        // The catalogue follows the new language at once; the stored language changes only on OK.
        const std::string Stored = fState.Language;
        fState.Language = Name;
        text::Load_Language(fState.Lang_Strings, fState.Language_Path, fState.Language);
        fState.Language = Stored;
        if (fChange_Language)
            fChange_Language();
        else
            Set_Lang();
        L_Sel_Lang->setText(Q(fState.Lang_Strings[304] + fLanguage_In_Use));
    });
}

void TFSoftOptions::CB_En_ConClick()
{
    Update_CheckBox();
}

void TFSoftOptions::Update_CheckBox()
{
    CB_Update->setEnabled(CB_En_Con->isChecked());
    Btn_Check_Update->setEnabled(CB_Update->isEnabled() && CB_Update->isChecked());
}

bool TFSoftOptions::Check_Version()
{
    const std::string Answer = fHttp.Get(Version_Request_Target(Default_SW_Code));
    return Newer_Version_Answer(Answer, Program_Version);
}

void TFSoftOptions::Btn_Check_UpdateClick()
{
    common::ui::Run_Guarded(this, [&] {
        const text::TCatalogue& L = fState.Lang_Strings;
        if (Check_Version())
            LL_Check_Update->setText(Link_Text(Download_Page_Url(), L[314])); // "New Version Available. ..."
        else
            LL_Check_Update->setText(Q(L[315]).toHtmlEscaped()); // "No Update Available"
        LL_Check_Update->show();
    });
}

void TFSoftOptions::LL_Check_UpdateLinkClick(const QString& Link)
{
    Open_Link(Link.toStdString());
}

void TFSoftOptions::Btn_OKClick()
{
    fState.Language = fLanguage_In_Use;
    fState.Enable_Internet = CB_En_Con->isChecked();
    fState.Enable_Update = CB_Update->isChecked();
    fState.Enable_Jump_Field_Tables = CB_Soft_Set_Jump_Table->isChecked();
    fState.Double_Click_Auto_Size = CB_DoubleClick_Auto_Size->isChecked();
    accept();
}

} // namespace app::ui
