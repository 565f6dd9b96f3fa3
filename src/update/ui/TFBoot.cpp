#include "update/ui/TFBoot.h"

#include "app/App_State.h"
#include "common/Ip_Address.h"
#include "common/ui/Header_Panel.h"
#include "common/ui/Messages.h"
#include "common/ui/Widgets.h"
#include "text/Catalogue.h"
#include "update/Icmp_Echo.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QVBoxLayout>

#include <algorithm>

namespace update {

using common::ui::Make;
using common::ui::Q;
using common::ui::TMsg_Kind;

namespace {

constexpr int Octet_Width = 44;
constexpr int Field_Column = 236; // where the address edits and the option list begin

// The echo facility of one update button run: once the window has been closed, the next request fails, so the
// check ends at once instead of running on behind a closed window.
class TStoppable_Echo final : public TEcho
{
public:
    TStoppable_Echo(TEcho& Echo, const bool& Stop) : fEcho(Echo), fStop(Stop) {}
    void Set_Host(const std::string& Host) override { fEcho.Set_Host(Host); }
    void Ping(const std::string& Data, const TReply& Reply) override
    {
        if (fStop)
            throw TEcho_Error(TEcho_Error::TKind::Failed, "the update window was closed");
        fEcho.Ping(Data, Reply);
    }

private:
    TEcho& fEcho;
    const bool& fStop;
};

bool Can_Focus(const QWidget* Widget)
{
    return Widget->isEnabled() && Widget->focusPolicy() != Qt::NoFocus && !Widget->isHidden();
}

} // namespace

TFBoot::TFBoot(app::TApp_State& State, QWidget* Parent)
    : QDialog(Parent), fState(State), fEcho(std::make_shared<TIcmp_Echo>()), fClock(std::make_shared<TSystem_Clock>()),
      fStart(System_Program_Starter())
{
    setObjectName(QStringLiteral("FBoot"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setModal(true);

    // Header: the product code in large grey type and the window's description, on white.
    P_Header = common::ui::Make_Header_Panel(this, "P_Header", L_SW_Code, L_SW_Desc, 22, QMargins(12, 4, 12, 6));

    // The device's address: four narrow edits separated by dots.
    P_IP_Address = Make<QWidget>(this, "P_IP_Address");
    auto* Address_Layout = new QHBoxLayout(P_IP_Address);
    Address_Layout->setContentsMargins(12, 0, 12, 0);
    Address_Layout->setSpacing(4);
    L_IP_Address = Make<QLabel>(P_IP_Address, "L_IP_Address");
    L_IP_Address->setFixedWidth(Field_Column - 12 - 4);
    Address_Layout->addWidget(L_IP_Address);
    for (std::size_t I = 0; I < fEdits.size(); ++I) {
        const std::string Name = "E_IP" + std::to_string(I + 1);
        QLineEdit* Edit = Make<QLineEdit>(P_IP_Address, Name.c_str());
        Edit->setFixedWidth(Octet_Width);
        Edit->setAlignment(Qt::AlignCenter);
        Edit->setText(QStringLiteral("0"));
        Edit->installEventFilter(this);
        Address_Layout->addWidget(Edit);
        fEdits[I] = Edit;
        if (I + 1 < fEdits.size()) {
            auto* Dot = Make<QLabel>(P_IP_Address, ("L_IP_Dot" + std::to_string(I + 1)).c_str());
            Dot->setText(QStringLiteral("."));
            Address_Layout->addWidget(Dot);
        }
    }
    Address_Layout->addStretch(1);
    E_IP1 = fEdits[0];
    E_IP2 = fEdits[1];
    E_IP3 = fEdits[2];
    E_IP4 = fEdits[3];

    // What to load, and whether the tool reads it back.
    P_Options = Make<QWidget>(this, "P_Options");
    auto* Options_Layout = new QGridLayout(P_Options);
    Options_Layout->setContentsMargins(12, 6, 12, 6);
    Options_Layout->setHorizontalSpacing(4);
    Options_Layout->setVerticalSpacing(8);
    Options_Layout->setColumnMinimumWidth(0, Field_Column - 12 - 4);
    L_Update_Option = Make<QLabel>(P_Options, "L_Update_Option");
    Options_Layout->addWidget(L_Update_Option, 0, 0);
    CB_Update_Options = Make<QComboBox>(P_Options, "CB_Update_Options");
    CB_Update_Options->setEditable(false);
    Options_Layout->addWidget(CB_Update_Options, 0, 1);
    CB_Update_Option_Read_Back = Make<QCheckBox>(P_Options, "CB_Update_Option_Read_Back");
    Options_Layout->addWidget(CB_Update_Option_Read_Back, 1, 1);
    Options_Layout->setColumnStretch(1, 1);

    // The button row, under a line.
    P_Buttons = Make<QWidget>(this, "P_Buttons");
    auto* Buttons_Layout = new QVBoxLayout(P_Buttons);
    Buttons_Layout->setContentsMargins(0, 0, 0, 0);
    Buttons_Layout->setSpacing(0);
    auto* Line = Make<QFrame>(P_Buttons, "Shape_Buttons");
    Line->setFrameShape(QFrame::HLine);
    Line->setFrameShadow(QFrame::Sunken);
    Buttons_Layout->addWidget(Line);
    auto* Button_Row = new QHBoxLayout;
    Button_Row->setContentsMargins(12, 0, 12, 0);
    Button_Row->setSpacing(8);
    Button_Row->addStretch(1);
    Btn_Cancel = Make<QPushButton>(P_Buttons, "Btn_Cancel");
    Btn_Update = Make<QPushButton>(P_Buttons, "Btn_Update");
    for (QPushButton* Button : {Btn_Cancel, Btn_Update}) {
        // Enter in an address edit starts nothing: only a press of the button does.
        Button->setAutoDefault(false);
        Button->setDefault(false);
        Button->setMinimumWidth(100);
        Button_Row->addWidget(Button);
    }
    Buttons_Layout->addLayout(Button_Row, 1);
    connect(Btn_Cancel, &QPushButton::clicked, this, &TFBoot::Btn_CancelClick);
    connect(Btn_Update, &QPushButton::clicked, this, &TFBoot::Btn_UpdateClick);

    auto* Form_Layout = new QVBoxLayout(this);
    Form_Layout->setContentsMargins(0, 0, 0, 0);
    Form_Layout->setSpacing(0);
    for (QWidget* Part : {P_Header, P_IP_Address, P_Options, P_Buttons})
        Form_Layout->addWidget(Part);

    Lay_Out();
    Set_Lang();
    L_SW_Code->setText(Q(fState.SW_Code));
}

TFBoot::~TFBoot() = default;

void TFBoot::Set_Echo(std::shared_ptr<TEcho> Echo)
{
    fEcho = std::move(Echo);
}

void TFBoot::Set_Clock(std::shared_ptr<TClock> Clock)
{
    fClock = std::move(Clock);
}

void TFBoot::Set_Program_Starter(TProgram_Starter Start)
{
    fStart = std::move(Start);
}

void TFBoot::Set_Lang()
{
    const text::TCatalogue& T = fState.Lang_Strings;
    setWindowTitle(Q(T[1002]));     // "Update Device by Ethernet (UDP)"
    L_SW_Desc->setText(Q(T[1003])); // "Update Device Using the Ethernet Port"
    L_IP_Address->setText(Q(T[1006]));
    for (std::size_t I = 0; I < fEdits.size(); ++I)
        fEdits[I]->setToolTip(Q(T[1021 + static_cast<int>(I)])); // "Insert first byte of IP Address" ...
    L_Update_Option->setText(Q(T[1014]));
    CB_Update_Options->clear();
    for (int Entry : {1015, 1016, 1017}) // "Firmware + Configuration", "Firmware", "Configuration"
        CB_Update_Options->addItem(Q(T[Entry]));
    CB_Update_Options->setCurrentIndex(0);
    CB_Update_Options->setToolTip(Q(T[1032]));
    CB_Update_Option_Read_Back->setText(Q(T[1018]));
    CB_Update_Option_Read_Back->setToolTip(Q(T[1033]));
    Btn_Cancel->setText(Q(T[1019]));
    Btn_Cancel->setToolTip(Q(T[1034]));
    Btn_Update->setText(Q(T[1020])); // "Execute Update Firmware"
    Btn_Update->setToolTip(Q(T[1035]));
}

void TFBoot::Lay_Out()
{
    // Header, address panel, options panel and button row stacked in that order, at their fixed heights.
    P_Header->setFixedHeight(Header_Height);
    P_IP_Address->setFixedHeight(Address_Height);
    P_Options->setFixedHeight(Options_Height);
    P_Buttons->setFixedHeight(Buttons_Height);
    setFixedSize(Form_Width, Header_Height + Address_Height + Options_Height + Buttons_Height);
    setTabOrder(E_IP1, E_IP2);
    setTabOrder(E_IP2, E_IP3);
    setTabOrder(E_IP3, E_IP4);
    setTabOrder(E_IP4, CB_Update_Options);
    setTabOrder(CB_Update_Options, CB_Update_Option_Read_Back);
    setTabOrder(CB_Update_Option_Read_Back, Btn_Cancel);
    setTabOrder(Btn_Cancel, Btn_Update);
}

void TFBoot::FormShow()
{
    Set_Lang();
    L_SW_Code->setText(Q(fState.SW_Code));
    Lay_Out();

    // A stored address that does not check leaves the edits as they were.
    std::array<std::string, 4> Parts;
    if (!fState.Last_IP_Address.empty() && common::Check_IP_Address(fState.Last_IP_Address, Parts))
        for (std::size_t I = 0; I < fEdits.size(); ++I)
            fEdits[I]->setText(Q(Parts[I]));

    // A position outside the list keeps the first entry rather than leaving the list without a choice.
    if (Is_Update_Option(fState.Update_Option))
        CB_Update_Options->setCurrentIndex(fState.Update_Option);
    CB_Update_Option_Read_Back->setChecked(fState.Update_Read_Back);

    if (Can_Focus(E_IP1))
        E_IP1->setFocus(Qt::OtherFocusReason);
}

TAddress_Texts TFBoot::Address_Texts() const
{
    TAddress_Texts Address;
    for (std::size_t I = 0; I < fEdits.size(); ++I)
        Address[I] = fEdits[I]->text().toStdString();
    return Address;
}

void TFBoot::Btn_UpdateClick()
{
    if (fRunning)
        return; // the check lets events through: a second press must not start a second check
    fRunning = true;
    fClosed_While_Running = false;
    Btn_Update->setEnabled(false);

    common::ui::Run_Guarded(this, [&] {
        // The values of the moment of the press are checked, written and kept, whatever is typed meanwhile.
        const TUpdate_Request Request{Address_Texts(),
                                      CB_Update_Options->currentIndex(),
                                      CB_Update_Option_Read_Back->isChecked(),
                                      {fState.Program_Path, fState.Master_Path, fState.Conf_Path}};
        TStoppable_Echo Echo(*fEcho, fClosed_While_Running);
        const auto Process_Events = [] { QCoreApplication::processEvents(); };
        const auto Keep_Choices = [&] {
            if (fClosed_While_Running)
                return false; // the user closed the window during the check: no update
            fState.Last_IP_Address = Join_Address(Request.Address);
            fState.Update_Option = Request.Option;
            fState.Update_Read_Back = Request.Read_Back;
            return true;
        };
        const TUpdate_Outcome Outcome = Execute_Update(Request, Echo, *fClock, Process_Events, fStart, Keep_Choices);
        if (!fClosed_While_Running)
            Show_Outcome(Outcome);
    });

    // Presses that arrived while the update tool ran (no events are processed then) reach a disabled button.
    QCoreApplication::processEvents();
    fRunning = false;
    Btn_Update->setEnabled(true);
}

void TFBoot::Show_Outcome(const TUpdate_Outcome& Outcome)
{
    const text::TCatalogue& T = fState.Lang_Strings;
    switch (Outcome.Verdict) {
    case TPing_Verdict::Update:
        if (!Outcome.Script_Written)
            common::ui::Show_Message(this, TMsg_Kind::Error, Outcome.Script_Error);
        else if (Outcome.Tool_Run && Outcome.Tool.Kind == TStart_Result::TKind::Not_Started)
            common::ui::Show_Message(this, TMsg_Kind::Error, T[Entry_Update_Tool_Missing] + Outcome.Tool.Error);
        break;
    case TPing_Verdict::Device_Not_Found:
        common::ui::Show_Message(this, TMsg_Kind::Warning, T[Entry_Device_Not_Found]);
        break;
    case TPing_Verdict::Check_Address:
        common::ui::Show_Message(this, TMsg_Kind::Error, T[Entry_Check_Ip_Address]);
        break;
    case TPing_Verdict::Not_Permitted:
        common::ui::Show_Message(this, TMsg_Kind::Error, T[Entry_Echo_Not_Permitted]);
        break;
    }
}

void TFBoot::Btn_CancelClick()
{
    reject();
}

void TFBoot::reject()
{
    if (fRunning)
        fClosed_While_Running = true;
    QDialog::reject();
}

bool TFBoot::Address_KeyPress(QLineEdit* Edit, QKeyEvent* Event)
{
    if (Event->text() != QStringLiteral("."))
        return false;
    const auto It = std::find(fEdits.begin(), fEdits.end(), Edit);
    if (It != fEdits.end() && It + 1 != fEdits.end() && Can_Focus(*(It + 1)))
        (*(It + 1))->setFocus(Qt::TabFocusReason); // selects its text, so the next byte replaces it
    return true;
}

bool TFBoot::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Event->type() == QEvent::KeyPress)
        if (auto* Edit = qobject_cast<QLineEdit*>(Watched))
            if (std::find(fEdits.begin(), fEdits.end(), Edit) != fEdits.end())
                return Address_KeyPress(Edit, static_cast<QKeyEvent*>(Event));
    return QDialog::eventFilter(Watched, Event);
}

void TFBoot::showEvent(QShowEvent* Event)
{
    if (Event->spontaneous()) { // shown again after being minimised: nothing to refresh
        QDialog::showEvent(Event);
        return;
    }
    FormShow();
    QDialog::showEvent(Event);
    // Opens centred on the screen, not over the main window.
    if (QScreen* Screen = screen())
        move(Screen->availableGeometry().center() - rect().center());
}

} // namespace update
