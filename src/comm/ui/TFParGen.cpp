#include "comm/ui/TFParGen.h"

#include "comm/Controllo_Dati.h"
#include "comm/ui/Category_Panel.h"
#include "common/ui/Header_Panel.h"
#include "common/ui/Messages.h"
#include "common/ui/Widgets.h"
#include "text/Catalogue.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>
#include <cstdlib>

namespace comm {

using common::ui::Make;
using common::ui::Q;

namespace {

constexpr int Octet_Width = 44;
constexpr int Panel_Bottom_Gap = 12; // between a panel's last control and its bottom edge
constexpr int Wheel_Notch = 120;     // angle delta of one wheel notch

template <std::size_t N> void Fill_List(QComboBox* List, const std::array<std::string_view, N>& Entries)
{
    for (std::string_view Entry : Entries)
        List->addItem(QString::fromUtf8(Entry.data(), static_cast<qsizetype>(Entry.size())));
}

int Selected(const QComboBox* List, int Default)
{
    return List->currentIndex() < 0 ? Default : List->currentIndex();
}

} // namespace

TFParGen::TFParGen(const text::TCatalogue& Lang_Strings, const std::string& SW_Code,
                   std::function<std::filesystem::path()> File_ParGen, QWidget* Parent)
    : QDialog(Parent), fLang_Strings(Lang_Strings), fFile_ParGen(std::move(File_ParGen))
{
    setObjectName(QStringLiteral("FParGen"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setModal(true);

    auto* Form_Layout = new QVBoxLayout(this);
    Form_Layout->setContentsMargins(0, 0, 0, 8);
    Form_Layout->setSpacing(0);

    // Header: the product code in large grey type, the window's description below it.
    QWidget* P_Header =
        common::ui::Make_Header_Panel(this, "P_Header", L_SW_Code, L_SW_Desc, 22, QMargins(12, 6, 12, 6));
    Form_Layout->addWidget(P_Header);
    auto* Header_Line = Make<QFrame>(this, "Shape_Header");
    Header_Line->setFrameShape(QFrame::HLine);
    Header_Line->setFrameShadow(QFrame::Sunken);
    Form_Layout->addWidget(Header_Line);

    // The stack of collapsible panels, scrolling vertically.
    CPG_Panels = Make<QScrollArea>(this, "CPG_Panels");
    CPG_Panels->setWidgetResizable(true);
    CPG_Panels->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    CPG_Panels->setFrameShape(QFrame::NoFrame);
    auto* Stack = Make<QWidget>(CPG_Panels, "Stack");
    auto* Stack_Layout = new QVBoxLayout(Stack);
    Stack_Layout->setContentsMargins(0, 0, 0, 0);
    Stack_Layout->setSpacing(0);
    CP_IEC61850_Client = new TCategory_Panel(Stack, "CP_IEC61850_Client", Header_Height);
    CP_Modbus_Slave = new TCategory_Panel(Stack, "CP_Modbus_Slave", Header_Height);
    Stack_Layout->addWidget(CP_IEC61850_Client);
    Stack_Layout->addWidget(CP_Modbus_Slave);
    Stack_Layout->addStretch(1);
    CPG_Panels->setWidget(Stack);
    Form_Layout->addWidget(CPG_Panels, 1);

    Build_IEC61850_Client_Panel();
    Build_Modbus_Slave_Panel();

    // The button row at the right.
    auto* Button_Row = new QHBoxLayout;
    Button_Row->setContentsMargins(12, 8, 12, 0);
    Button_Row->setSpacing(8);
    Button_Row->addStretch(1);
    Btn_OK = Make<QPushButton>(this, "Btn_OK");
    Btn_OK->setIcon(style()->standardIcon(QStyle::SP_DialogApplyButton));
    Btn_Cancel = Make<QPushButton>(this, "Btn_Cancel");
    Btn_Cancel->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
    for (QPushButton* Button : {Btn_OK, Btn_Cancel}) {
        // Enter in a field never confirms the window: only the button does.
        Button->setAutoDefault(false);
        Button->setDefault(false);
        Button->setMinimumWidth(100);
        Button_Row->addWidget(Button);
    }
    Form_Layout->addLayout(Button_Row);
    connect(Btn_OK, &QPushButton::clicked, this, &TFParGen::Btn_OKClick);
    connect(Btn_Cancel, &QPushButton::clicked, this, &TFParGen::Btn_CancelClick);

    // The wheel anywhere over the stack scrolls it, also over a drop-down list or a check box.
    CPG_Panels->installEventFilter(this);
    for (QWidget* Child : CPG_Panels->findChildren<QWidget*>())
        Child->installEventFilter(this);

    // Creation: code, size, panel order and captions, heights, texts.
    L_SW_Code->setText(Q(SW_Code));
    setMinimumWidth(Form_Width);
    setMaximumWidth(Form_Width); // the user can change only the height
    resize(Form_Width, 700);
    Order_TAB_Panels();
    Set_Lang();
    Move_GroupBoxs();
    Write_Controls(TParGen{});
}

void TFParGen::Build_IEC61850_Client_Panel()
{
    QWidget* Content = CP_IEC61850_Client->Content();
    auto* Grid = new QGridLayout(Content);
    Grid->setContentsMargins(12, 10, 12, 0);
    Grid->setHorizontalSpacing(4);
    Grid->setVerticalSpacing(8);
    Grid->setColumnMinimumWidth(0, 130);

    const auto Address_Row = [&](int Row, std::array<QLineEdit*, 4>& Edits, const char* Prefix) {
        for (std::size_t I = 0; I < Edits.size(); ++I) {
            const std::string Name = std::string(Prefix) + std::to_string(I + 1);
            Edits[I] = Make<QLineEdit>(Content, Name.c_str());
            Edits[I]->setFixedWidth(Octet_Width);
            Edits[I]->setAlignment(Qt::AlignCenter);
            Grid->addWidget(Edits[I], Row, 1 + 2 * static_cast<int>(I));
            if (I < 3) {
                auto* Dot =
                    Make<QLabel>(Content, (std::string("L_") + Prefix + "_Dot" + std::to_string(I + 1)).c_str());
                Dot->setText(QStringLiteral("."));
                Grid->addWidget(Dot, Row, 2 + 2 * static_cast<int>(I));
            }
        }
    };

    L_IEC61850_Client_IP = Make<QLabel>(Content, "L_IEC61850_Client_IP");
    Grid->addWidget(L_IEC61850_Client_IP, 0, 0);
    Address_Row(0, E_IEC61850_Client_IP, "E_IEC61850_Client_IP");
    L_IEC61850_Client_SM = Make<QLabel>(Content, "L_IEC61850_Client_SM");
    Grid->addWidget(L_IEC61850_Client_SM, 1, 0);
    Address_Row(1, E_IEC61850_Client_SM, "E_IEC61850_Client_SM");
    CB_IEC61850_Client_En_GAT = Make<QCheckBox>(Content, "CB_IEC61850_Client_En_GAT");
    Grid->addWidget(CB_IEC61850_Client_En_GAT, 2, 0);
    Address_Row(2, E_IEC61850_Client_GAT, "E_IEC61850_Client_GAT");

    L_IEC61850_Client_VLAN = Make<QLabel>(Content, "L_IEC61850_Client_VLAN");
    Grid->addWidget(L_IEC61850_Client_VLAN, 3, 0);
    E_IEC61850_Client_VLAN = Make<QLineEdit>(Content, "E_IEC61850_Client_VLAN");
    // Digits only and at most 8 of them while typing; a stored text is shown as it stands.
    E_IEC61850_Client_VLAN->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,8}")), E_IEC61850_Client_VLAN));
    Grid->addWidget(E_IEC61850_Client_VLAN, 3, 1, 1, 7);

    L_IEC61850_Client_AppID = Make<QLabel>(Content, "L_IEC61850_Client_AppID");
    Grid->addWidget(L_IEC61850_Client_AppID, 4, 0);
    E_IEC61850_Client_AppID = Make<QLineEdit>(Content, "E_IEC61850_Client_AppID");
    Grid->addWidget(E_IEC61850_Client_AppID, 4, 1, 1, 7);

    Grid->setColumnStretch(8, 1);
    Grid->setRowStretch(5, 1);

    std::size_t Next = 0;
    for (const auto* Row : {&E_IEC61850_Client_IP, &E_IEC61850_Client_SM, &E_IEC61850_Client_GAT})
        for (QLineEdit* Edit : *Row) {
            Address_Edits[Next++] = Edit;
            Edit->installEventFilter(this);
        }
}

void TFParGen::Build_Modbus_Slave_Panel()
{
    QWidget* Content = CP_Modbus_Slave->Content();
    auto* Grid = new QGridLayout(Content);
    Grid->setContentsMargins(12, 10, 12, 0);
    Grid->setHorizontalSpacing(8);
    Grid->setVerticalSpacing(8);
    Grid->setColumnMinimumWidth(0, 126);

    const auto List_Row = [&](int Row, QLabel*& Label, const char* Label_Name, QComboBox*& List,
                              const char* List_Name) {
        Label = Make<QLabel>(Content, Label_Name);
        Grid->addWidget(Label, Row, 0);
        List = Make<QComboBox>(Content, List_Name);
        List->setEditable(false); // only the entries of the list
        List->setMinimumWidth(150);
        Grid->addWidget(List, Row, 1);
    };
    List_Row(0, L_ModbusSlave_Serial, "L_ModbusSlave_Serial", CB_ModbusSlave_Serial, "CB_ModbusSlave_Serial");
    Fill_List(CB_ModbusSlave_Serial, Serial_List);
    List_Row(1, L_ModbusSlave_Baudrate, "L_ModbusSlave_Baudrate", CB_ModbusSlave_Baudrate, "CB_ModbusSlave_Baudrate");
    Fill_List(CB_ModbusSlave_Baudrate, Baudrate_List);
    List_Row(2, L_ModbusSlave_Parity, "L_ModbusSlave_Parity", CB_ModbusSlave_Parity, "CB_ModbusSlave_Parity");
    Fill_List(CB_ModbusSlave_Parity, Parity_List);
    List_Row(3, L_ModbusSlave_StopBits, "L_ModbusSlave_StopBits", CB_ModbusSlave_StopBits, "CB_ModbusSlave_StopBits");
    Fill_List(CB_ModbusSlave_StopBits, StopBits_List);

    L_ModbusSlave_IDDevice = Make<QLabel>(Content, "L_ModbusSlave_IDDevice");
    Grid->addWidget(L_ModbusSlave_IDDevice, 4, 0);
    E_ModbusSlave_IDDevice = Make<QLineEdit>(Content, "E_ModbusSlave_IDDevice");
    E_ModbusSlave_IDDevice->setFixedWidth(150);
    Grid->addWidget(E_ModbusSlave_IDDevice, 4, 1);

    CB_ModbusSlave_ReadInput = Make<QCheckBox>(Content, "CB_ModbusSlave_ReadInput");
    Grid->addWidget(CB_ModbusSlave_ReadInput, 5, 0, 1, 3);

    Grid->setColumnStretch(2, 1);
    Grid->setRowStretch(6, 1);
}

void TFParGen::Order_TAB_Panels()
{
    // The two panels of this converter, top to bottom; their captions are set here only.
    CP_IEC61850_Client->Set_Caption(Q("1. " + fLang_Strings[406])); // "IEC61850 Client"
    CP_Modbus_Slave->Set_Caption(Q("2. " + fLang_Strings[427]));    // "Modbus Slave"
    CP_IEC61850_Client->show();
    CP_Modbus_Slave->show();
    setTabOrder(CP_IEC61850_Client, CP_Modbus_Slave);
}

void TFParGen::Set_Lang()
{
    const text::TCatalogue& T = fLang_Strings;
    setWindowTitle(Q(T[400]));     // "Set Communication"
    L_SW_Desc->setText(Q(T[401])); // "Set Communication Setting"
    Btn_OK->setText(Q(T[402]));
    Btn_OK->setToolTip(Q(T[404]));
    Btn_Cancel->setText(Q(T[403]));
    Btn_Cancel->setToolTip(Q(T[405]));

    L_IEC61850_Client_IP->setText(Q(T[407]));
    L_IEC61850_Client_SM->setText(Q(T[412]));
    for (int I = 0; I < 4; ++I) {
        E_IEC61850_Client_IP[static_cast<std::size_t>(I)]->setToolTip(Q(T[408 + I])); // "Insert First byte of ..."
        E_IEC61850_Client_SM[static_cast<std::size_t>(I)]->setToolTip(Q(T[413 + I]));
        E_IEC61850_Client_GAT[static_cast<std::size_t>(I)]->setToolTip(Q(T[419 + I]));
    }
    CB_IEC61850_Client_En_GAT->setText(Q(T[417])); // "Gateway"
    CB_IEC61850_Client_En_GAT->setToolTip(Q(T[418]));
    L_IEC61850_Client_VLAN->setText(Q(T[423]));
    E_IEC61850_Client_VLAN->setToolTip(Q(T[424]));
    L_IEC61850_Client_AppID->setText(Q(T[425]));
    E_IEC61850_Client_AppID->setToolTip(Q(T[426]));

    L_ModbusSlave_Serial->setText(Q(T[428]));
    CB_ModbusSlave_Serial->setToolTip(Q(T[429]));
    L_ModbusSlave_Baudrate->setText(Q(T[430]));
    CB_ModbusSlave_Baudrate->setToolTip(Q(T[431]));
    L_ModbusSlave_Parity->setText(Q(T[432]));
    CB_ModbusSlave_Parity->setToolTip(Q(T[433]));
    L_ModbusSlave_StopBits->setText(Q(T[434]));
    CB_ModbusSlave_StopBits->setToolTip(Q(T[435]));
    L_ModbusSlave_IDDevice->setText(Q(T[436]));
    E_ModbusSlave_IDDevice->setToolTip(Q(T[437]));
    CB_ModbusSlave_ReadInput->setText(Q(T[438])); // "Read with Input Register / Status Function"
    CB_ModbusSlave_ReadInput->setToolTip(Q(T[439]));
}

void TFParGen::RePosition_Object_IEC61850_Client()
{
    CP_IEC61850_Client->Content()->layout()->activate();
    CP_IEC61850_Client->Set_Expanded_Height(Header_Height + E_IEC61850_Client_AppID->geometry().bottom() + 1 +
                                            Panel_Bottom_Gap);
}

void TFParGen::RePosition_Object_Modbus_Slave()
{
    CP_Modbus_Slave->Content()->layout()->activate();
    CP_Modbus_Slave->Set_Expanded_Height(Header_Height + CB_ModbusSlave_ReadInput->geometry().bottom() + 1 +
                                         Panel_Bottom_Gap);
}

void TFParGen::Move_GroupBoxs()
{
    // The rows sit at the top of each content area, so their places do not depend on the panel's height.
    for (TCategory_Panel* Panel : {CP_IEC61850_Client, CP_Modbus_Slave}) {
        QWidget* Content = Panel->Content();
        Content->resize(std::max(Content->width(), Content->layout()->minimumSize().width()),
                        std::max(Content->height(), Content->layout()->minimumSize().height()));
    }
    RePosition_Object_IEC61850_Client();
    RePosition_Object_Modbus_Slave();
}

TParGen TFParGen::Read_Controls() const
{
    TParGen Values;
    for (std::size_t I = 0; I < 4; ++I) {
        Values.IEC61850_Client_IP[I] = E_IEC61850_Client_IP[I]->text().toStdString();
        Values.IEC61850_Client_SM[I] = E_IEC61850_Client_SM[I]->text().toStdString();
        Values.IEC61850_Client_GAT[I] = E_IEC61850_Client_GAT[I]->text().toStdString();
    }
    Values.IEC61850_Client_En_GAT = CB_IEC61850_Client_En_GAT->isChecked();
    Values.IEC61850_Client_VLAN = E_IEC61850_Client_VLAN->text().toStdString();
    Values.IEC61850_Client_Application_ID = E_IEC61850_Client_AppID->text().toStdString();
    Values.MODBUS_SLAVE_SERIAL = Selected(CB_ModbusSlave_Serial, Serial_Default);
    Values.MODBUS_SLAVE_BAUDRATE = Selected(CB_ModbusSlave_Baudrate, Baudrate_Default);
    Values.MODBUS_SLAVE_PARITY = Selected(CB_ModbusSlave_Parity, Parity_Default);
    Values.MODBUS_SLAVE_STOPBITS = Selected(CB_ModbusSlave_StopBits, StopBits_Default);
    Values.MODBUS_SLAVE_IDDEVICE = E_ModbusSlave_IDDevice->text().toStdString();
    Values.MODBUS_SLAVE_READ_INPUT_REGISTER = CB_ModbusSlave_ReadInput->isChecked();
    return Values;
}

void TFParGen::Write_Controls(const TParGen& Values)
{
    for (std::size_t I = 0; I < 4; ++I) {
        E_IEC61850_Client_IP[I]->setText(Q(Values.IEC61850_Client_IP[I]));
        E_IEC61850_Client_SM[I]->setText(Q(Values.IEC61850_Client_SM[I]));
        E_IEC61850_Client_GAT[I]->setText(Q(Values.IEC61850_Client_GAT[I]));
    }
    CB_IEC61850_Client_En_GAT->setChecked(Values.IEC61850_Client_En_GAT);
    E_IEC61850_Client_VLAN->setText(Q(Values.IEC61850_Client_VLAN));
    E_IEC61850_Client_AppID->setText(Q(Values.IEC61850_Client_Application_ID));
    CB_ModbusSlave_Serial->setCurrentIndex(Values.MODBUS_SLAVE_SERIAL);
    CB_ModbusSlave_Baudrate->setCurrentIndex(Values.MODBUS_SLAVE_BAUDRATE);
    CB_ModbusSlave_Parity->setCurrentIndex(Values.MODBUS_SLAVE_PARITY);
    CB_ModbusSlave_StopBits->setCurrentIndex(Values.MODBUS_SLAVE_STOPBITS);
    E_ModbusSlave_IDDevice->setText(Q(Values.MODBUS_SLAVE_IDDEVICE));
    CB_ModbusSlave_ReadInput->setChecked(Values.MODBUS_SLAVE_READ_INPUT_REGISTER);
    for (QLineEdit* Edit : findChildren<QLineEdit*>())
        Edit->setCursorPosition(0);
}

bool TFParGen::FormShow()
{
    const bool Read = common::ui::Run_Guarded(this, [&] { Write_Controls(Read_ParGen(fFile_ParGen())); });
    Move_GroupBoxs();
    CPG_Panels->verticalScrollBar()->setValue(0);
    E_IEC61850_Client_IP[0]->setFocus(Qt::OtherFocusReason);
    return Read;
}

int TFParGen::exec()
{
    if (!FormShow())
        return QDialog::Rejected;
    return QDialog::exec();
}

bool TFParGen::Controllo_Dati()
{
    if (const std::optional<int> Entry = comm::Controllo_Dati(Read_Controls())) {
        common::ui::Show_Message(this, common::ui::TMsg_Kind::Error, fLang_Strings[*Entry]);
        return false;
    }
    return true;
}

void TFParGen::Btn_OKClick()
{
    common::ui::Run_Guarded(this, [&] {
        if (!Controllo_Dati())
            return;
        Write_ParGen(fFile_ParGen(), Read_Controls()); // a failure is shown and the window stays open
        accept();
    });
}

void TFParGen::Btn_CancelClick()
{
    reject();
}

bool TFParGen::Address_KeyPress(QLineEdit* Edit, QKeyEvent* Event)
{
    if (Event->text() != QStringLiteral("."))
        return false;
    const auto It = std::find(Address_Edits.begin(), Address_Edits.end(), Edit);
    if (It != Address_Edits.end() && It + 1 != Address_Edits.end()) {
        QLineEdit* Next = *(It + 1);
        if (Next->isEnabled() && Next->isVisibleTo(this) && Next->focusPolicy() != Qt::NoFocus)
            Next->setFocus(Qt::TabFocusReason); // selects its text, so the next byte replaces it
    }
    return true; // the "." itself is never typed into an address byte
}

bool TFParGen::FormMouseWheel(QWheelEvent* Event)
{
    QWidget* Client_Area = CPG_Panels->viewport();
    const QPoint Where = Client_Area->mapFromGlobal(Event->globalPosition().toPoint());
    if (!Client_Area->rect().contains(Where))
        return false;
    fWheel_Rest += Event->angleDelta().y();
    const int Notches = fWheel_Rest / Wheel_Notch;
    fWheel_Rest %= Wheel_Notch;
    const int Lines = QApplication::wheelScrollLines();
    QScrollBar* Bar = CPG_Panels->verticalScrollBar();
    for (int Step = 0; Lines >= 1 && Step < std::abs(Notches) * Lines; ++Step)
        Bar->triggerAction(Notches > 0 ? QAbstractSlider::SliderSingleStepSub : QAbstractSlider::SliderSingleStepAdd);
    Event->accept();
    return true;
}

bool TFParGen::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Event->type() == QEvent::KeyPress)
        if (auto* Edit = qobject_cast<QLineEdit*>(Watched))
            if (std::find(Address_Edits.begin(), Address_Edits.end(), Edit) != Address_Edits.end())
                return Address_KeyPress(Edit, static_cast<QKeyEvent*>(Event));
    if (Event->type() == QEvent::Wheel)
        return FormMouseWheel(static_cast<QWheelEvent*>(Event));
    return QDialog::eventFilter(Watched, Event);
}

void TFParGen::showEvent(QShowEvent* Event)
{
    QDialog::showEvent(Event);
    // Opens centred on the screen, not over the main window.
    if (QScreen* Screen = screen())
        move(Screen->availableGeometry().center() - rect().center());
}

} // namespace comm
