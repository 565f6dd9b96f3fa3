#include "access/ui/TFIEC_61850_Access.h"

#include "access/ui/Access_Grid.h"
#include "access/ui/IEC_Tree_Model.h"
#include "app/App_State.h"
#include "common/ui/Header_Panel.h"
#include "common/ui/Messages.h"
#include "common/ui/Widgets.h"
#include "iec61850/Scl_Reader.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QProgressDialog>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <exception>
#include <future>
#include <system_error>
#include <thread>

namespace ct::access {

namespace fs = std::filesystem;
using common::ui::Make;
using common::ui::Q;
using common::ui::TMsg_Answer;
using common::ui::TMsg_Buttons;
using common::ui::TMsg_Kind;

namespace {

/// The open dialog's filter: the SCL file kinds (either case of their extensions), then any file.
const char* const Scl_Filter = "SCL Files (*.scd *.ssd *.sed *.icd *.iid *.cid *.SCD *.SSD *.SED *.ICD *.IID *.CID);;"
                               "Any File (*)";

/// A tree with at most this many nodes let through by the filter opens completely.
constexpr int Expand_All_Nodes = 20000;

std::string Size_Text(const fs::path& File)
{
    std::error_code Error;
    const auto Bytes = fs::file_size(File, Error);
    if (Error)
        return {};
    char Text[32];
    if (Bytes >= 1000000)
        std::snprintf(Text, sizeof Text, " (%.1f MB)", static_cast<double>(Bytes) / 1e6);
    else
        std::snprintf(Text, sizeof Text, " (%.0f KB)", static_cast<double>(Bytes) / 1e3);
    return Text;
}

/// What is wrong with a placeholder device, as its line's tooltip says it.
std::string Placeholder_Text(const TDevice_Entry& Entry)
{
    const std::string Kept = " Its variables and data sets are kept and saved unchanged.";
    if (Entry.State() == TDevice_State::Unreadable)
        return "The SCL copy \"" + Entry.FileName() + "\" in ICD_Catalog cannot be read: " + Entry.Problem() + "." +
               Kept;
    if (!Is_Plain_File_Name(Entry.FileName()))
        return "The stored file name \"" + Entry.FileName() + "\" names no file of ICD_Catalog." + Kept;
    return "The SCL copy \"" + Entry.FileName() + "\" is missing from ICD_Catalog." + Kept;
}

std::optional<std::string> Ask_IED(QWidget* Parent, const std::vector<std::string>& IED_Names)
{
    QStringList Names;
    for (const std::string& Name : IED_Names)
        Names << Q(Name);
    bool Chosen = false;
    const QString Name = QInputDialog::getItem(Parent, Parent ? Parent->windowTitle() : QString(),
                                               QStringLiteral("The file holds several IEDs. Choose the one to import:"),
                                               Names, 0, false, &Chosen);
    if (!Chosen)
        return std::nullopt;
    return Name.toStdString();
}

} // namespace

TFIEC_61850_Access::TFIEC_61850_Access(app::TApp_State& State, QWidget* Parent) : QDialog(Parent), fState(State)
{
    setObjectName(QStringLiteral("FIEC_61850_Access"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::WindowMaximizeButtonHint);
    setModal(true);

    Choose_IED = Ask_IED;
    Decode_Work = [](const fs::path& File, std::string_view IED_Name) {
        return std::make_unique<iec61850::TIEC_Device>(File, IED_Name);
    };
    fModel.Decoder = [this](const fs::path& File, std::string_view IED_Name) {
        return Decode_In_Background(File, IED_Name);
    };
    fModel.On_Devices_Changed = [this] { Devices_Changed(); };

    Build_Layout();

    // Creation: code, size, texts.
    L_SW_Code->setText(Q(fState.SW_Code));
    resize(Form_Width, Form_Height);
    Set_Lang();
    PC_DA_DataSet->setCurrentWidget(TS_DataSet);
}

TFIEC_61850_Access::~TFIEC_61850_Access()
{
    fModel.On_Devices_Changed = nullptr;
    fModel.Decoder = nullptr;
    // The views and table models refer to fModel, a member that goes before the QObject children would.
    std::vector<QPointer<QObject>> Children;
    for (QObject* Child : findChildren<QObject*>(Qt::FindDirectChildrenOnly))
        Children.emplace_back(Child);
    for (const QPointer<QObject>& Child : Children)
        delete Child.data(); // null once an earlier deletion took it along
}

void TFIEC_61850_Access::Build_Layout()
{
    auto* Form_Layout = new QVBoxLayout(this);
    Form_Layout->setContentsMargins(0, 0, 0, 8);
    Form_Layout->setSpacing(0);

    // Title: the product code in large grey type, the window's description below it.
    QWidget* P_Title = common::ui::Make_Header_Panel(this, "P_Title", L_SW_Code, L_SW_Desc, 18, QMargins(12, 4, 12, 4));
    Form_Layout->addWidget(P_Title);
    auto* Title_Line = Make<QFrame>(this, "Shape_Title");
    Title_Line->setFrameShape(QFrame::HLine);
    Title_Line->setFrameShadow(QFrame::Sunken);
    Form_Layout->addWidget(Title_Line);

    // Devices and tree on the left, the tables on the right, each border a splitter.
    auto* P_Client = Make<QWidget>(this, "P_Client");
    auto* Client_Layout = new QHBoxLayout(P_Client);
    Client_Layout->setContentsMargins(8, 8, 8, 4);
    SPL_Main = Make<QSplitter>(P_Client, "SPL_Main");
    SPL_Main->setOrientation(Qt::Horizontal);
    SPL_Main->setChildrenCollapsible(false);
    Client_Layout->addWidget(SPL_Main);
    Form_Layout->addWidget(P_Client, 1);

    PDevIEC = Make<QWidget>(SPL_Main, "PDevIEC");
    auto* Dev_Layout = new QHBoxLayout(PDevIEC);
    Dev_Layout->setContentsMargins(0, 0, 0, 0);
    SPL_Dev_IEC = Make<QSplitter>(PDevIEC, "SPL_Dev_IEC");
    SPL_Dev_IEC->setOrientation(Qt::Horizontal);
    SPL_Dev_IEC->setChildrenCollapsible(false);
    Dev_Layout->addWidget(SPL_Dev_IEC);

    PDevIECList = Make<QWidget>(SPL_Dev_IEC, "PDevIECList");
    auto* List_Layout = new QVBoxLayout(PDevIECList);
    List_Layout->setContentsMargins(0, 0, 0, 0);
    List_Layout->setSpacing(4);
    Btn_Add_IEC_Device = Make<QPushButton>(PDevIECList, "Btn_Add_IEC_Device");
    Btn_Add_IEC_Device->setIcon(style()->standardIcon(QStyle::SP_FileDialogNewFolder));
    LB_IEC_Devices = Make<QListWidget>(PDevIECList, "LB_IEC_Devices");
    LB_IEC_Devices->setSelectionMode(QAbstractItemView::SingleSelection);
    Btn_Remove_IEC_Device = Make<QPushButton>(PDevIECList, "Btn_Remove_IEC_Device");
    Btn_Remove_IEC_Device->setIcon(style()->standardIcon(QStyle::SP_TrashIcon));
    List_Layout->addWidget(Btn_Add_IEC_Device);
    List_Layout->addWidget(LB_IEC_Devices, 1);
    List_Layout->addWidget(Btn_Remove_IEC_Device);

    PDevIECTree = Make<QWidget>(SPL_Dev_IEC, "PDevIECTree");
    auto* Tree_Layout = new QVBoxLayout(PDevIECTree);
    Tree_Layout->setContentsMargins(0, 0, 0, 0);
    Tree_Layout->setSpacing(4);
    E_Tree_Filter = Make<QLineEdit>(PDevIECTree, "E_Tree_Filter");
    E_Tree_Filter->setClearButtonEnabled(true);
    E_Tree_Filter->setPlaceholderText(QStringLiteral("Filter by name or reference"));
    E_Tree_Filter->setToolTip(
        QStringLiteral("Shows only the nodes whose name or reference contains this text, with the nodes above them"));
    TV_IEC_Device = Make<QTreeView>(PDevIECTree, "TV_IEC_Device");
    fTree_Model = new TIEC_Tree_Model(this);
    TV_IEC_Device->setModel(fTree_Model);
    TV_IEC_Device->setHeaderHidden(true);
    TV_IEC_Device->setUniformRowHeights(true); // rows are laid out without asking each one its height
    TV_IEC_Device->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TV_IEC_Device->setSelectionMode(QAbstractItemView::SingleSelection);
    TV_IEC_Device->setAnimated(false);
    TV_IEC_Device->setIconSize(QSize(16, 16));
    Tree_Layout->addWidget(E_Tree_Filter);
    Tree_Layout->addWidget(TV_IEC_Device, 1);

    PTable = Make<QWidget>(SPL_Main, "PTable");
    auto* Table_Layout = new QVBoxLayout(PTable);
    Table_Layout->setContentsMargins(0, 0, 0, 0);
    PC_DA_DataSet = Make<QTabWidget>(PTable, "PC_DA_DataSet");
    Table_Layout->addWidget(PC_DA_DataSet);

    const auto Auto_Size = [this] { return fState.Double_Click_Auto_Size; };
    const auto Jump = [this] { return fState.Enable_Jump_Field_Tables; };
    fVariables_Model = new TAccess_Table_Model(fModel, TTable_Id::Variables, this);
    fDataSets_Model = new TAccess_Table_Model(fModel, TTable_Id::DataSets, this);
    fMembers_Model = new TAccess_Table_Model(fModel, TTable_Id::Members, this);

    TS_DA = Make<QWidget>(PC_DA_DataSet, "TS_DA");
    auto* DA_Layout = new QVBoxLayout(TS_DA);
    DA_Layout->setContentsMargins(4, 4, 4, 4);
    ACG_DA = new TAccess_Grid(fVariables_Model, Auto_Size, Jump, TS_DA);
    ACG_DA->setObjectName(QStringLiteral("ACG_DA"));
    DA_Layout->addWidget(ACG_DA);
    PC_DA_DataSet->addTab(TS_DA, QStringLiteral("Variables"));

    TS_DataSet = Make<QWidget>(PC_DA_DataSet, "TS_DataSet");
    auto* DS_Layout = new QVBoxLayout(TS_DataSet);
    DS_Layout->setContentsMargins(4, 4, 4, 4);
    SPL_DataSet = Make<QSplitter>(TS_DataSet, "SPL_DataSet");
    SPL_DataSet->setOrientation(Qt::Vertical);
    SPL_DataSet->setChildrenCollapsible(false);
    ACG_DataSet = new TAccess_Grid(fDataSets_Model, Auto_Size, Jump, SPL_DataSet);
    ACG_DataSet->setObjectName(QStringLiteral("ACG_DataSet"));
    ACG_DS_Vars = new TAccess_Grid(fMembers_Model, Auto_Size, Jump, SPL_DataSet);
    ACG_DS_Vars->setObjectName(QStringLiteral("ACG_DS_Vars"));
    SPL_DataSet->addWidget(ACG_DataSet);
    SPL_DataSet->addWidget(ACG_DS_Vars);
    DS_Layout->addWidget(SPL_DataSet);
    PC_DA_DataSet->addTab(TS_DataSet, QStringLiteral("DataSet"));

    const auto Widths = [](TAccess_Grid* Grid, std::initializer_list<int> Column_Widths) {
        int Col = 0;
        for (int Width : Column_Widths)
            Grid->setColumnWidth(Col++, Width);
    };
    Widths(ACG_DA, {32, 44, 90, 34, 250, 66, 66, 104, 52, 72, 62, 66, 70, 60, 62, 56, 80, 66, 140});
    Widths(ACG_DataSet, {32, 44, 250, 110, 70, 104, 52, 70, 140});
    Widths(ACG_DS_Vars, {32, 90, 290, 60, 62, 80, 66, 140});

    SPL_Dev_IEC->addWidget(PDevIECList);
    SPL_Dev_IEC->addWidget(PDevIECTree);
    SPL_Dev_IEC->setSizes({170, 290});
    SPL_Main->addWidget(PDevIEC);
    SPL_Main->addWidget(PTable);
    SPL_Main->setStretchFactor(1, 1);
    SPL_Main->setSizes({466, 718});
    SPL_DataSet->setSizes({170, 230});

    // The button row: the table buttons at the left, OK and Cancel at the right.
    auto* P_Button = Make<QWidget>(this, "P_Button");
    auto* Button_Layout = new QHBoxLayout(P_Button);
    Button_Layout->setContentsMargins(8, 4, 8, 0);
    Button_Layout->setSpacing(8);
    Btn_AddVar = Make<QPushButton>(P_Button, "Btn_AddVar");
    Btn_AddVar->setIcon(style()->standardIcon(QStyle::SP_ArrowRight));
    Btn_RemoveVar = Make<QPushButton>(P_Button, "Btn_RemoveVar");
    Btn_RemoveVar->setIcon(style()->standardIcon(QStyle::SP_DialogDiscardButton));
    Btn_OK = Make<QPushButton>(P_Button, "Btn_OK");
    Btn_OK->setIcon(style()->standardIcon(QStyle::SP_DialogApplyButton));
    Btn_Cancel = Make<QPushButton>(P_Button, "Btn_Cancel");
    Btn_Cancel->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
    Button_Layout->addWidget(Btn_AddVar);
    Button_Layout->addWidget(Btn_RemoveVar);
    Button_Layout->addStretch(1);
    Button_Layout->addWidget(Btn_OK);
    Button_Layout->addWidget(Btn_Cancel);
    for (QPushButton* Button :
         {Btn_AddVar, Btn_RemoveVar, Btn_OK, Btn_Cancel, Btn_Add_IEC_Device, Btn_Remove_IEC_Device}) {
        // Enter in a table or field never presses a button: only a click does.
        Button->setAutoDefault(false);
        Button->setDefault(false);
    }
    for (QPushButton* Button : {Btn_AddVar, Btn_RemoveVar, Btn_OK, Btn_Cancel})
        Button->setMinimumWidth(110);
    Form_Layout->addWidget(P_Button);

    fFilter_Timer = new QTimer(this);
    fFilter_Timer->setSingleShot(true);
    fFilter_Timer->setInterval(250);

    connect(Btn_Add_IEC_Device, &QPushButton::clicked, this, &TFIEC_61850_Access::Btn_Add_IEC_DeviceClick);
    connect(Btn_Remove_IEC_Device, &QPushButton::clicked, this, &TFIEC_61850_Access::Btn_Remove_IEC_DeviceClick);
    connect(LB_IEC_Devices, &QListWidget::currentRowChanged, this, &TFIEC_61850_Access::LB_IEC_DevicesClick);
    connect(TV_IEC_Device->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& Current) { TV_IEC_DeviceClick(Current); });
    connect(Btn_AddVar, &QPushButton::clicked, this, &TFIEC_61850_Access::Btn_AddVarClick);
    connect(Btn_RemoveVar, &QPushButton::clicked, this, &TFIEC_61850_Access::Btn_RemoveVarClick);
    connect(Btn_OK, &QPushButton::clicked, this, &TFIEC_61850_Access::Btn_OKClick);
    connect(Btn_Cancel, &QPushButton::clicked, this, &TFIEC_61850_Access::Btn_CancelClick);
    connect(ACG_DataSet->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& Current) {
                DataSet_Current_Changed(Current.isValid() ? TAccess_Table_Model::Core_Row(Current.row()) : 0);
            });
    connect(ACG_DataSet, &QTableView::clicked, this, [this](const QModelIndex& Index) {
        if (Index.isValid())
            DataSet_Current_Changed(TAccess_Table_Model::Core_Row(Index.row()));
    });
    connect(E_Tree_Filter, &QLineEdit::textChanged, this, &TFIEC_61850_Access::Filter_Text_Changed);
    connect(E_Tree_Filter, &QLineEdit::returnPressed, this, &TFIEC_61850_Access::Apply_Filter); // without waiting
    connect(fFilter_Timer, &QTimer::timeout, this, &TFIEC_61850_Access::Apply_Filter);
}

void TFIEC_61850_Access::Set_Lang()
{
    const text::TCatalogue& T = fState.Lang_Strings;
    setWindowTitle(Q(T[1200])); // "IEC61850 Client Set Access"
    L_SW_Desc->setText(Q(T[1201]));
    Btn_OK->setText(Q(T[1202]));
    Btn_Cancel->setText(Q(T[1203]));
    Btn_AddVar->setText(Q(T[1204]));
    Btn_RemoveVar->setText(Q(T[1205]));
    Btn_Add_IEC_Device->setText(Q(T[1208]));
    Btn_Remove_IEC_Device->setText(Q(T[1209]));
    Btn_OK->setToolTip(Q(T[1210]));
    Btn_Cancel->setToolTip(Q(T[1211]));
    Btn_AddVar->setToolTip(Q(T[1212]));
    Btn_RemoveVar->setToolTip(Q(T[1213]));
    Btn_Add_IEC_Device->setToolTip(Q(T[1216]));
    Btn_Remove_IEC_Device->setToolTip(Q(T[1217]));
    fModel.Set_Lang(T);
    fVariables_Model->Set_Hints(Variables_Hints(T)); // rebuilt on every run
    fVariables_Model->Refresh();
}

bool TFIEC_61850_Access::FormShow()
{
    // Nothing may point into the devices while the load replaces them; the tables show no rows meanwhile.
    fTree_Model->Clear();
    {
        const QSignalBlocker Quiet(E_Tree_Filter);
        E_Tree_Filter->clear();
    }
    fFilter_Timer->stop();
    fTree_Model->Set_Filter({});
    Freeze_Tables(true);
    const bool Read =
        common::ui::Run_Guarded(this, [&] { fModel.Load(fState.Conf_Path, fState.File_IEC_61850_Client); });
    Freeze_Tables(false);
    Devices_Changed();
    for (TAccess_Grid* Grid : {ACG_DA, ACG_DataSet, ACG_DS_Vars}) {
        Grid->Set_Current_Cell(0, 0);
        Grid->scrollToTop();
    }
    return Read;
}

int TFIEC_61850_Access::exec()
{
    if (!FormShow())
        return QDialog::Rejected;
    return QDialog::exec();
}

void TFIEC_61850_Access::reject()
{
    if (fDecoding > 0)
        return;
    QDialog::reject();
}

void TFIEC_61850_Access::showEvent(QShowEvent* Event)
{
    QDialog::showEvent(Event);
    // Opens centred on the screen, not over the main window.
    if (QScreen* Screen = screen())
        move(Screen->availableGeometry().center() - rect().center());
}

// ----- Decoding on a worker thread ----------------------------------------------------------------------------------

void TFIEC_61850_Access::Wait_For(const std::function<void()>& Work, const std::string& What)
{
    ++fDecoding;
    struct TLeave
    {
        int& Count;
        ~TLeave() { --Count; }
    } Leave{fDecoding};

    std::packaged_task<void()> Task(Work);
    std::future<void> Done = Task.get_future();
    std::thread Worker(std::move(Task));
    struct TJoin
    {
        std::thread& Thread;
        ~TJoin()
        {
            if (Thread.joinable())
                Thread.join();
        }
    } Join{Worker};

    // A short decode ends before anything is shown; a longer one lets the GUI thread go on with its events (every
    // window keeps being painted) and shows a modal progress dialog once it has run for Progress_Delay_Ms.
    if (Done.wait_for(std::chrono::milliseconds(Quick_Wait_Ms)) != std::future_status::ready) {
        QElapsedTimer Clock;
        Clock.start();
        std::unique_ptr<QProgressDialog> Progress;
        const QString Label = Q(What);
        QEventLoop Loop;
        QTimer Poll;
        Poll.setInterval(Quick_Wait_Ms);
        connect(&Poll, &QTimer::timeout, &Loop, [&] {
            if (Done.wait_for(std::chrono::seconds(0)) == std::future_status::ready) {
                Loop.quit();
                return;
            }
            if (!Progress && Clock.elapsed() >= Progress_Delay_Ms) {
                Progress = std::make_unique<QProgressDialog>(isVisible() ? this : parentWidget());
                Progress->setObjectName(QStringLiteral("Progress_Decode"));
                Progress->setWindowTitle(windowTitle());
                Progress->setWindowModality(Qt::ApplicationModal);
                Progress->setCancelButton(nullptr);
                Progress->setRange(0, 0);
                Progress->setMinimumDuration(0);
                Progress->setMinimumWidth(420);
                Progress->setLabelText(Label);
                Progress->show();
            } else if (Progress) {
                Progress->setLabelText(Label + QStringLiteral("\n%1 s").arg(Clock.elapsed() / 1000));
            }
        });
        Poll.start();
        // User input waits until the decode has ended; the model is not touched meanwhile.
        Loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    Worker.join();
    Done.get(); // the worker's failure, if any, continues here
}

std::unique_ptr<iec61850::TIEC_Device> TFIEC_61850_Access::Decode_In_Background(const fs::path& File,
                                                                                std::string_view IED_Name)
{
    std::unique_ptr<iec61850::TIEC_Device> Device;
    const TAccess_Model::TDevice_Decoder Work = Decode_Work;
    const std::string Name(IED_Name);
    Wait_For([&] { Device = Work(File, Name); },
             "Reading \"" + File.filename().string() + "\"" + Size_Text(File) + " ...");
    return Device;
}

std::optional<std::string> TFIEC_61850_Access::IED_To_Import(const fs::path& Scl_File)
{
    std::vector<std::string> Names;
    Wait_For([&] { Names = iec61850::List_IED_Names(Scl_File); },
             "Looking for the IEDs of \"" + Scl_File.filename().string() + "\"" + Size_Text(Scl_File) + " ...");
    if (Names.size() <= 1)
        return std::string(); // its one IED (or none)
    if (!Choose_IED)
        return Names.front();
    return Choose_IED(this, Names);
}

// ----- Devices ------------------------------------------------------------------------------------------------------

void TFIEC_61850_Access::Btn_Add_IEC_DeviceClick()
{
    if (fDecoding > 0)
        return;
    common::ui::Run_Guarded(this, [&] {
        const std::string Chosen = common::ui::Get_Open_File_Name(this, {}, {}, Scl_Filter);
        if (Chosen.empty())
            return;
        const fs::path Source(Chosen);
        TOverwrite Overwrite = TOverwrite::Yes;
        if (fModel.Catalog_Has(Source)) {
            switch (common::ui::Show_Message(this, TMsg_Kind::Confirmation, Overwrite_Question_Text,
                                             TMsg_Buttons::Yes_No_Cancel)) {
            case TMsg_Answer::Yes:
                Overwrite = TOverwrite::Yes;
                break;
            case TMsg_Answer::No:
                Overwrite = TOverwrite::No;
                break;
            default:
                return;
            }
        }
        // The IEDs are those of the file that is decoded: the catalogue copy when it is kept.
        const fs::path Decoded = Overwrite == TOverwrite::No ? fModel.Catalog_Target(Source) : Source;
        std::optional<std::string> IED_Name;
        try {
            IED_Name = IED_To_Import(Decoded);
        } catch (const std::exception&) {
            // Not readable: the import below copies the file and reports the reader's error with file and line.
            IED_Name = std::string();
        }
        if (!IED_Name)
            return;
        fModel.Import_Device(Source, Overwrite, *IED_Name);
    });
}

void TFIEC_61850_Access::Btn_Remove_IEC_DeviceClick()
{
    if (fDecoding > 0)
        return;
    const int Row = LB_IEC_Devices->currentRow();
    if (Row < 0 || !LB_IEC_Devices->item(Row)->isSelected())
        return;
    if (const std::optional<std::string> Refusal = fModel.Remove_Device(Row))
        common::ui::Show_Message(this, TMsg_Kind::Error, *Refusal);
}

void TFIEC_61850_Access::Devices_Changed()
{
    fTree_Model->Clear();
    Show_IEC_Devices();
    Refresh_Tables();
}

void TFIEC_61850_Access::Show_IEC_Devices()
{
    const QSignalBlocker Quiet(LB_IEC_Devices);
    LB_IEC_Devices->clear();
    for (int Index = 0; Index < fModel.Device_Count(); ++Index) {
        const TDevice_Entry& Entry = fModel.Device_Entry(Index);
        const std::string& Name = Entry.Name().empty() ? Entry.FileName() : Entry.Name();
        auto* Line = new QListWidgetItem(Q(Name), LB_IEC_Devices);
        if (Entry.Is_Placeholder()) {
            Line->setIcon(style()->standardIcon(QStyle::SP_MessageBoxWarning));
            Line->setForeground(QColor(0x80, 0x80, 0x80));
            QFont Font = Line->font();
            Font.setItalic(true);
            Line->setFont(Font);
            Line->setToolTip(Q(Placeholder_Text(Entry)));
        } else {
            Line->setToolTip(Q(Entry.FileName()));
        }
    }
    LB_IEC_Devices->setCurrentRow(-1);
    LB_IEC_Devices->clearSelection();
}

void TFIEC_61850_Access::LB_IEC_DevicesClick(int Row)
{
    fModel.Choose_Device(Row);
    Show_Tree_IEC_Device();
}

// ----- Tree ---------------------------------------------------------------------------------------------------------

void TFIEC_61850_Access::Show_Tree_IEC_Device()
{
    fTree_Model->Show_Device(fModel.Device(fModel.Chosen_Device()));
    // Device, logical devices and logical nodes open; a filtered tree opens completely when it is small enough.
    if (!fTree_Model->Filter().empty() && fTree_Model->Shown_Count() <= Expand_All_Nodes)
        TV_IEC_Device->expandAll();
    else
        TV_IEC_Device->expandToDepth(2);
    TV_IEC_Device->scrollToTop();
}

void TFIEC_61850_Access::TV_IEC_DeviceClick(const QModelIndex& Index)
{
    fModel.Select_Tree_Node(TIEC_Tree_Model::Node(Index));
}

void TFIEC_61850_Access::Filter_Text_Changed()
{
    if (fTree_Model->Node_Count() <= Filter_At_Once_Nodes) {
        fFilter_Timer->stop();
        Apply_Filter();
    } else {
        fFilter_Timer->start();
    }
}

void TFIEC_61850_Access::Apply_Filter()
{
    fFilter_Timer->stop();
    iec61850::TTree_Node Selected = nullptr;
    if (const iec61850::TIEC_DA* DA = fModel.Selected_IEC_DA())
        Selected = DA->TreeNode;
    else if (const iec61850::TIEC_DataSet* DataSet = fModel.Selected_IEC_DS())
        Selected = DataSet->TreeNode;

    fTree_Model->Set_Filter(E_Tree_Filter->text().toStdString());
    if (!fTree_Model->Filter().empty() && fTree_Model->Shown_Count() <= Expand_All_Nodes)
        TV_IEC_Device->expandAll();
    else
        TV_IEC_Device->expandToDepth(2);

    // The selection stays while its node is shown; a hidden node cannot stay selected.
    const QModelIndex Again = fTree_Model->Index_Of(Selected);
    if (Again.isValid()) {
        TV_IEC_Device->setCurrentIndex(Again);
        TV_IEC_Device->scrollTo(Again);
    } else {
        fModel.Select_Tree_Node(nullptr);
        TV_IEC_Device->scrollToTop();
    }
}

// ----- Tables -------------------------------------------------------------------------------------------------------

void TFIEC_61850_Access::Refresh_Tables()
{
    // A rebuilt table has no current cell; the Members table changes only through its own handlers.
    fFollow_DataSet = false;
    for (TAccess_Table_Model* Table : {fVariables_Model, fDataSets_Model, fMembers_Model})
        Table->Refresh();
    fFollow_DataSet = true;
}

void TFIEC_61850_Access::Freeze_Tables(bool Frozen)
{
    fFollow_DataSet = false;
    for (TAccess_Table_Model* Table : {fVariables_Model, fDataSets_Model, fMembers_Model})
        Table->Freeze(Frozen);
    fFollow_DataSet = true;
}

void TFIEC_61850_Access::DataSet_Current_Changed(int Row)
{
    if (fFollow_DataSet && Row >= 1)
        Show_DataSet_DAs(Row);
}

void TFIEC_61850_Access::Show_DataSet_DAs(int Row)
{
    fModel.Show_DataSet_DAs(Row);
    fMembers_Model->Refresh();
}

void TFIEC_61850_Access::Btn_AddVarClick()
{
    if (fDecoding > 0)
        return;
    switch (fModel.Add_Selected()) {
    case TAdded::Variable:
        PC_DA_DataSet->setCurrentWidget(TS_DA);
        Refresh_Tables();
        ACG_DA->Set_Current_Cell(fModel.Variables().Row_Count(), Var_Col::Index);
        ACG_DA->scrollTo(ACG_DA->currentIndex());
        break;
    case TAdded::DataSet:
        PC_DA_DataSet->setCurrentWidget(TS_DataSet);
        Refresh_Tables();
        // The new data set becomes the current row, so the Members table shows its members.
        ACG_DataSet->Set_Current_Cell(fModel.DataSets().Row_Count(), DS_Col::Index);
        ACG_DataSet->scrollTo(ACG_DataSet->currentIndex());
        break;
    case TAdded::Nothing:
        break;
    }
}

void TFIEC_61850_Access::Btn_RemoveVarClick()
{
    if (fDecoding > 0)
        return;
    if (PC_DA_DataSet->currentWidget() == TS_DA) {
        const int Row = ACG_DA->Current_Row();
        const int Col = std::max(ACG_DA->currentIndex().column(), 1);
        if (!fModel.Remove_Variable(Row))
            return;
        Refresh_Tables();
        ACG_DA->Set_Current_Cell(std::min(Row, fModel.Variables().Row_Count()), Col);
        return;
    }
    if (!fModel.Remove_DataSet(ACG_DataSet->Current_Row()))
        return;
    Refresh_Tables();
    // The Members table now shows none, and no data set row is chosen.
    fFollow_DataSet = false;
    ACG_DataSet->Set_Current_Cell(0, 0);
    fFollow_DataSet = true;
}

// ----- OK and Cancel ------------------------------------------------------------------------------------------------

void TFIEC_61850_Access::Btn_OKClick()
{
    if (fDecoding > 0)
        return;
    // A cell still being edited is stored first (the editor closes when it loses the focus).
    Btn_OK->setFocus(Qt::OtherFocusReason);
    common::ui::Run_Guarded(this, [&] {
        if (const std::optional<TRow_Refusal> Refusal =
                fModel.Save(fState.File_IEC_61850_Client, fState.Lang_Strings)) {
            common::ui::Show_Message(this, TMsg_Kind::Error, Refusal->Text);
            PC_DA_DataSet->setCurrentWidget(TS_DA);
            ACG_DA->Set_Current_Cell(Refusal->Row, Var_Col::Index);
            return;
        }
        accept();
    });
}

void TFIEC_61850_Access::Btn_CancelClick()
{
    reject();
}

} // namespace ct::access
