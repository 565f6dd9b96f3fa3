// The access editor, driven through its handlers and controls on the offscreen platform, with the message boxes,
// the open dialog and the IED choice replaced.
#include "../access/Access_Test_Support.h"
#include "../app/ui/App_Ui_Test.h"
#include "Ui_Test_Support.h"

#include "access/Access_Rules.h"
#include "access/ui/Access_Grid.h"
#include "access/ui/IEC_Tree_Model.h"
#include "access/ui/TFIEC_61850_Access.h"
#include "app/App_State.h"
#include "app/ui/TFVelmorineFirmWare.h"
#include "image/Compile_Run.h"
#include "text/Catalogue.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QStyleOptionViewItem>
#include <QTabWidget>
#include <QTimer>
#include <QTreeView>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;
using common::ui::TMsg_Answer;
using common::ui::TMsg_Buttons;
using common::ui::TMsg_Kind;
using ct::access::TAccess_Grid;
using ct::access::TFIEC_61850_Access;
using ct::access::TIEC_Tree_Model;
using ct::access::TTable_Id;
namespace Var_Col = ct::access::Var_Col;
namespace DS_Col = ct::access::DS_Col;
namespace Member_Col = ct::access::Member_Col;

namespace {

std::string Tiny(std::vector<std::string> IEDs)
{
    access_test::TScl_Options Options;
    Options.IEDs = std::move(IEDs);
    return access_test::Tiny_Scl(Options);
}

class Access_Window : public ::testing::Test
{
protected:
    Access_Window()
    {
        text::Load_Default_Strings(State.Lang_Strings);
        State.Conf_Path = Folder.Path() / "PROJECTS" / "Conf1";
        fs::create_directories(State.Conf_Path);
        State.File_IEC_61850_Client = State.Conf_Path / "IEC_61850_Client.xml";
        Window = std::make_unique<TFIEC_61850_Access>(State);
        Window->Choose_IED = [this](QWidget*, const std::vector<std::string>& Names) {
            Offered = Names;
            return IED_Answer;
        };
    }

    fs::path Catalog() const { return State.Conf_Path / "ICD_Catalog"; }
    fs::path Source(const std::string& Name, const std::string& Text) const
    {
        const fs::path File = Folder.Path() / "import" / Name;
        access_test::Write(File, Text);
        return File;
    }
    void Import(const fs::path& File)
    {
        Files.Answer_Next(File.string());
        Window->Btn_Add_IEC_DeviceClick();
    }
    /// Imports a small device <IED>.icd with the one IED named IED.
    void Import_Tiny(const std::string& IED) { Import(Source(IED + ".icd", Tiny({IED}))); }
    void Choose(int Row) { Window->LB_IEC_Devices->setCurrentRow(Row); }

    ct::access::TAccess_Model& Model() { return Window->Model(); }
    iec61850::TIEC_Device& Shown() const
    {
        iec61850::TIEC_Device* Device = Window->Model().Device(Window->Model().Chosen_Device());
        EXPECT_NE(Device, nullptr);
        return *Device;
    }
    QModelIndex Tree_Index(iec61850::TTree_Node Node) const { return Window->Tree_Model().Index_Of(Node); }
    /// Clicks a node of the shown tree, as the user does.
    void Click(iec61850::TTree_Node Node)
    {
        const QModelIndex Index = Tree_Index(Node);
        ASSERT_TRUE(Index.isValid());
        Window->TV_IEC_Device->setCurrentIndex(Index);
    }
    const iec61850::TIEC_DA& DA(const std::string& Reference) const
    {
        const iec61850::TIEC_DA* Found = access_test::Find_Attribute(Shown(), Reference);
        EXPECT_NE(Found, nullptr) << Reference;
        return *Found;
    }
    const iec61850::TIEC_DataSet& DS(const std::string& Reference) const
    {
        const iec61850::TIEC_DataSet* Found = access_test::Find_Data_Set(Shown(), Reference);
        EXPECT_NE(Found, nullptr) << Reference;
        return *Found;
    }
    void Click_DA(const std::string& Reference) { Click(DA(Reference).TreeNode); }
    void Click_DS(const std::string& Reference) { Click(DS(Reference).TreeNode); }

    static QAbstractItemModel& Grid_Model(TAccess_Grid* Grid) { return *Grid->model(); }
    static std::string Cell(TAccess_Grid* Grid, int Row, int Col, int Role = Qt::DisplayRole)
    {
        return Grid_Model(Grid).index(Row - 1, Col).data(Role).toString().toStdString();
    }
    static bool Editable(TAccess_Grid* Grid, int Row, int Col)
    {
        return Grid_Model(Grid).flags(Grid_Model(Grid).index(Row - 1, Col)) &
               (Qt::ItemIsEditable | Qt::ItemIsUserCheckable);
    }
    /// Types Text into a cell, as the editor of the cell stores it.
    static bool Edit(TAccess_Grid* Grid, int Row, int Col, const QString& Text)
    {
        return Grid_Model(Grid).setData(Grid_Model(Grid).index(Row - 1, Col), Text, Qt::EditRole);
    }
    static void Check(TAccess_Grid* Grid, int Row, int Col, bool Checked)
    {
        EXPECT_TRUE(Grid_Model(Grid).setData(Grid_Model(Grid).index(Row - 1, Col),
                                             Checked ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole));
    }
    /// Fills every cell the check reads with a valid value.
    static void Fill_Valid(TAccess_Grid* Grid, int Row)
    {
        EXPECT_TRUE(Edit(Grid, Row, Var_Col::IPAddress, "192.168.1.10"));
        EXPECT_TRUE(Edit(Grid, Row, Var_Col::Port, "102"));
        EXPECT_TRUE(Edit(Grid, Row, Var_Col::Position, "5"));
        EXPECT_TRUE(Edit(Grid, Row, Var_Col::MoltFact, "None"));
    }
    std::string Refusal(int Row, int Entry) const { return ct::access::Row_Message(State.Lang_Strings, Row, Entry); }
    std::vector<std::string> Device_Lines() const
    {
        std::vector<std::string> Lines;
        for (int Row = 0; Row < Window->LB_IEC_Devices->count(); ++Row)
            Lines.push_back(Window->LB_IEC_Devices->item(Row)->text().toStdString());
        return Lines;
    }
    void Press(QWidget* Target, int Key)
    {
        QKeyEvent Event(QEvent::KeyPress, Key, Qt::NoModifier);
        QApplication::sendEvent(Target, &Event);
    }

    ui_test::TTemp_Folder Folder;
    app::TApp_State State;
    ui_test::TMessage_Recorder Messages;
    ui_test::TOpen_File_Answers Files;
    std::unique_ptr<TFIEC_61850_Access> Window;
    std::optional<std::string> IED_Answer;
    std::vector<std::string> Offered;
};

} // namespace

TEST_F(Access_Window, CreationLayoutAndANewFileImportedIntoTheCatalog)
{
    EXPECT_EQ(Window->size(), QSize(1200, 550));
    EXPECT_EQ(Window->windowTitle(), "IEC61850 Client Set Access");
    EXPECT_EQ(Window->L_SW_Code->text(), "CT40510");
    EXPECT_EQ(Window->PC_DA_DataSet->currentWidget(), Window->TS_DataSet);
    EXPECT_EQ(Window->PC_DA_DataSet->tabText(0), "Variables");
    EXPECT_EQ(Window->PC_DA_DataSet->tabText(1), "DataSet");
    EXPECT_EQ(Window->Btn_Add_IEC_Device->text(), "Add IEC Device");
    EXPECT_EQ(Window->Btn_Add_IEC_Device->toolTip(), "Add a ICD file to the List");

    ASSERT_TRUE(Window->FormShow()); // no IEC_61850_Client.xml yet: an empty configuration
    Import_Tiny("IED1");
    EXPECT_TRUE(Messages.Messages().empty()) << Messages.Last_Text();
    ASSERT_EQ(Files.Filters_Asked().size(), 1U);
    EXPECT_NE(Files.Filters_Asked()[0].find("*.icd"), std::string::npos);
    EXPECT_NE(Files.Filters_Asked()[0].find("*.scd"), std::string::npos);
    EXPECT_EQ(access_test::Read(Catalog() / "IED1.icd"), Tiny({"IED1"}));
    EXPECT_EQ(Device_Lines(), std::vector<std::string>{"IED1"});
    EXPECT_EQ(Window->LB_IEC_Devices->currentRow(), -1);
    EXPECT_EQ(Window->Tree_Model().rowCount(), 0); // no device chosen yet
    EXPECT_TRUE(Offered.empty());                  // one IED: imported at once

    // The tree of the chosen device: device, logical devices and nodes open, data objects closed; under a node
    // its data objects, then its data sets; data objects blue, data sets green.
    Choose(0);
    const QModelIndex Root = Window->Tree_Model().index(0, 0);
    EXPECT_EQ(Root.data().toString(), "IED1");
    const QModelIndex LD = Tree_Index(Shown().List_LDevice[0]->TreeNode);
    EXPECT_EQ(LD.data().toString(), "LD0");
    const auto& LLN0 = *Shown().List_LDevice[0]->List_LN[0];
    const QModelIndex LN = Tree_Index(LLN0.TreeNode);
    EXPECT_EQ(LN.data().toString(), "LLN0");
    std::vector<std::string> Under_LLN0;
    for (int Row = 0; Row < Window->Tree_Model().rowCount(LN); ++Row)
        Under_LLN0.push_back(Window->Tree_Model().index(Row, 0, LN).data().toString().toStdString());
    EXPECT_EQ(Under_LLN0, (std::vector<std::string>{"Mod", "DS1", "DS2"}));
    const QModelIndex DO = Tree_Index(LLN0.List_DO[0]->TreeNode);
    for (const QModelIndex& Open : {Root, LD, LN})
        EXPECT_TRUE(Window->TV_IEC_Device->isExpanded(Open)) << Open.data().toString().toStdString();
    EXPECT_FALSE(Window->TV_IEC_Device->isExpanded(DO));
    EXPECT_EQ(DO.data(Qt::ForegroundRole).value<QBrush>().color(), QColor(0, 0, 255));
    EXPECT_EQ(Tree_Index(LLN0.List_DataSet[0]->TreeNode).data(Qt::ForegroundRole).value<QBrush>().color(),
              QColor(0, 128, 0));
    EXPECT_EQ(LN.data(Qt::ForegroundRole).value<QBrush>().color(), QColor(0, 0, 0));
    for (const QModelIndex& Node : {Root, LD, LN, DO})
        EXPECT_FALSE(Node.data(Qt::DecorationRole).value<QIcon>().isNull());
    EXPECT_EQ(Tree_Index(Shown().List_LDevice[0]->List_LN[1]->TreeNode).data().toString(), "MMXU1");
}

struct TOverwrite_Case
{
    TMsg_Answer Answer;
    std::vector<std::string> Devices; // the device list afterwards
    bool Copied;                      // the catalogue copy is the chosen file afterwards
};

class Access_Overwrite : public Access_Window, public ::testing::WithParamInterface<TOverwrite_Case>
{};

TEST_P(Access_Overwrite, AFileOfTheSameNameInTheCatalogAsksFirst)
{
    ASSERT_TRUE(Window->FormShow());
    access_test::Write(Catalog() / "Dev.icd", Tiny({"OLD"}));
    const fs::path Chosen = Source("Dev.icd", Tiny({"NEW"}));
    Messages.Answer_Next(GetParam().Answer);
    Import(Chosen);
    ASSERT_EQ(Messages.Messages().size(), 1U);
    EXPECT_EQ(Messages.Messages()[0].Kind, TMsg_Kind::Confirmation);
    EXPECT_EQ(Messages.Messages()[0].Buttons, TMsg_Buttons::Yes_No_Cancel);
    EXPECT_EQ(Messages.Messages()[0].Text, "File already exists in catalog directory. Do you want to overwrite file?");
    EXPECT_EQ(Device_Lines(), GetParam().Devices);
    EXPECT_EQ(access_test::Read(Catalog() / "Dev.icd"), Tiny({GetParam().Copied ? "NEW" : "OLD"}));
}

INSTANTIATE_TEST_SUITE_P(Answers, Access_Overwrite,
                         ::testing::Values(TOverwrite_Case{TMsg_Answer::Yes, {"NEW"}, true},
                                           TOverwrite_Case{TMsg_Answer::No, {"OLD"}, false},
                                           TOverwrite_Case{TMsg_Answer::Cancel, {}, false}));

TEST_F(Access_Window, AnImportThatFailsToParseNamesFileAndLineAndAddsNoDevice)
{
    ASSERT_TRUE(Window->FormShow());
    Import(Source("Broken.icd", "<SCL>\n<IED name=\"X\">\n<LDevice inst=\"LD0\">\n</IED>\n</SCL>\n"));
    ASSERT_EQ(Messages.Messages().size(), 1U);
    EXPECT_EQ(Messages.Messages()[0].Kind, TMsg_Kind::Error);
    const std::string Text = Messages.Last_Text();
    EXPECT_NE(Text.find("Broken.icd"), std::string::npos) << Text;
    EXPECT_NE(Text.find("line 4"), std::string::npos) << Text;
    EXPECT_EQ(Model().Device_Count(), 0);
    EXPECT_EQ(Window->LB_IEC_Devices->count(), 0);
    EXPECT_TRUE(fs::exists(Catalog() / "Broken.icd")); // the copy stays in the catalogue
}

TEST_F(Access_Window, AFileWithSeveralIedsImportsTheChosenOne)
{
    ASSERT_TRUE(Window->FormShow());
    IED_Answer = "IED2";
    Import(Source("Station.scd", Tiny({"IED1", "IED2", "IED3"})));
    EXPECT_EQ(Offered, (std::vector<std::string>{"IED1", "IED2", "IED3"}));
    EXPECT_EQ(Device_Lines(), std::vector<std::string>{"IED2"});
    Choose(0);
    Click_DA("IED2LD0/GGIO1.Ind1.stVal");
    Window->Btn_AddVarClick();
    EXPECT_EQ(Model().Variables().Cell(1, Var_Col::Reference), "IED2LD0/GGIO1.Ind1.stVal");

    // Cancelling the choice imports nothing and copies nothing.
    IED_Answer.reset();
    Import(Source("Other.scd", Tiny({"A", "B"})));
    EXPECT_EQ(Device_Lines(), std::vector<std::string>{"IED2"});
    EXPECT_FALSE(fs::exists(Catalog() / "Other.scd"));
    EXPECT_TRUE(Messages.Messages().empty()) << Messages.Last_Text();

    // The chosen IED is the one loaded again.
    Fill_Valid(Window->ACG_DA, 1);
    Window->Btn_OKClick();
    ASSERT_TRUE(Messages.Messages().empty()) << Messages.Last_Text();
    ASSERT_TRUE(Window->FormShow());
    EXPECT_EQ(Device_Lines(), std::vector<std::string>{"IED2"});
}

TEST_F(Access_Window, AddVarOnANodeThatIsNoLeafAttributeDoesNothing)
{
    ASSERT_TRUE(Window->FormShow());
    Import_Tiny("IED1");
    Choose(0);
    const auto& LD = *Shown().List_LDevice[0];
    const auto& MMXU = *LD.Find_LN("MMXU");
    struct TCase
    {
        const char* What;
        iec61850::TTree_Node Node;
    };
    const std::vector<TCase> Cases{{"nothing", nullptr},
                                   {"the device", Shown().TreeNode},
                                   {"a logical device", LD.TreeNode},
                                   {"a logical node", MMXU.TreeNode},
                                   {"a data object", MMXU.Find_DO("TotW")->TreeNode},
                                   {"a structured attribute", DA("IED1LD0/MMXU1.TotW.mag").TreeNode}};
    for (const TCase& Case : Cases) {
        SCOPED_TRACE(Case.What);
        if (Case.Node)
            Click(Case.Node);
        Window->Btn_AddVarClick();
        EXPECT_TRUE(Model().Variables().Is_Empty());
        EXPECT_TRUE(Model().List_DataSet().empty());
        EXPECT_EQ(Window->PC_DA_DataSet->currentWidget(), Window->TS_DataSet);
    }
}

TEST_F(Access_Window, AddVarOnALeafFillsTheEmptyRowThenAppendsWithTheTypeRule)
{
    ASSERT_TRUE(Window->FormShow());
    Import_Tiny("IED1");
    Choose(0);
    Click_DA("IED1LD0/MMXU1.TotW.q");
    Window->Btn_AddVarClick();
    EXPECT_EQ(Window->PC_DA_DataSet->currentWidget(), Window->TS_DA);
    TAccess_Grid* Grid = Window->ACG_DA;
    ASSERT_EQ(Grid_Model(Grid).rowCount(), 1); // the empty table's row is used
    const std::vector<std::string> Row1{
        "1", "0", "Quality", "MX", "IED1LD0/MMXU1.TotW.q", "0", "4", "", "", "N", "N", "N", "", "", "", "", "", "", ""};
    for (int Col = 0; Col < Var_Col::Count; ++Col)
        EXPECT_EQ(Cell(Grid, 1, Col), Row1[static_cast<std::size_t>(Col)]) << "column " << Col;
    for (int Col : {Var_Col::N, Var_Col::bType, Var_Col::fc, Var_Col::Reference, Var_Col::StartByte, Var_Col::NumByte})
        EXPECT_FALSE(Editable(Grid, 1, Col)) << "column " << Col;
    EXPECT_TRUE(Editable(Grid, 1, Var_Col::IPAddress));
    EXPECT_EQ(Grid_Model(Grid).index(0, Var_Col::OnTimer).data(Qt::CheckStateRole).toInt(), Qt::Unchecked);
    EXPECT_EQ(Grid->Current_Row(), 1);

    Click_DA("IED1LD0/GGIO1.Str.d"); // VisString255: the user chooses the byte range
    Window->Btn_AddVarClick();
    ASSERT_EQ(Grid_Model(Grid).rowCount(), 2);
    EXPECT_EQ(Cell(Grid, 2, Var_Col::N), "2");
    EXPECT_EQ(Cell(Grid, 2, Var_Col::bType), "VisString255");
    EXPECT_EQ(Cell(Grid, 2, Var_Col::StartByte), "");
    EXPECT_TRUE(Editable(Grid, 2, Var_Col::StartByte));
    EXPECT_TRUE(Editable(Grid, 2, Var_Col::NumByte));
    EXPECT_FALSE(Editable(Grid, 1, Var_Col::StartByte));
    EXPECT_EQ(Grid->Current_Row(), 2);
}

TEST_F(Access_Window, RemovingTheOnlyVariableLeavesAnEmptyRowAndSavesNoItem)
{
    ASSERT_TRUE(Window->FormShow());
    Import_Tiny("IED1");
    Choose(0);
    Click_DA("IED1LD0/GGIO1.Ind1.stVal");
    Window->Btn_AddVarClick();
    Window->Btn_RemoveVarClick();
    ASSERT_EQ(Grid_Model(Window->ACG_DA).rowCount(), 1);
    for (int Col = 1; Col < Var_Col::Count; ++Col)
        EXPECT_EQ(Cell(Window->ACG_DA, 1, Col), "") << "column " << Col;
    EXPECT_EQ(Grid_Model(Window->ACG_DA).index(0, Var_Col::OnChange).data(Qt::CheckStateRole), QVariant());

    Window->Btn_OKClick();
    EXPECT_TRUE(Messages.Messages().empty()) << Messages.Last_Text();
    EXPECT_EQ(Window->result(), QDialog::Accepted);
    const std::string Saved = access_test::Read(State.File_IEC_61850_Client);
    EXPECT_NE(Saved.find("List_DA_Selected"), std::string::npos);
    EXPECT_EQ(Saved.find("DA_Item"), std::string::npos);
}

TEST_F(Access_Window, RemovingDevice0OfThreeRenumbersTheUsedDeviceAndAUsedDeviceIsRefused)
{
    ASSERT_TRUE(Window->FormShow());
    for (const char* IED : {"IED1", "IED2", "IED3"})
        Import_Tiny(IED);
    Choose(2);
    Click_DA("IED3LD0/GGIO1.Ind1.stVal");
    Window->Btn_AddVarClick();
    Click_DS("IED3LD0/LLN0.DS1");
    Window->Btn_AddVarClick();
    ASSERT_EQ(Model().Variables().Cell(1, Var_Col::Index), "2");

    Choose(0);
    Window->Btn_Remove_IEC_DeviceClick();
    EXPECT_TRUE(Messages.Messages().empty()) << Messages.Last_Text();
    EXPECT_EQ(Device_Lines(), (std::vector<std::string>{"IED2", "IED3"}));
    EXPECT_EQ(Cell(Window->ACG_DA, 1, Var_Col::Index), "1");
    EXPECT_EQ(Cell(Window->ACG_DataSet, 1, DS_Col::Index), "1");
    EXPECT_EQ(Window->Tree_Model().rowCount(), 0); // nothing shown of any device
    EXPECT_EQ(Window->Tree_Model().Device(), nullptr);

    Choose(1);
    Window->Btn_Remove_IEC_DeviceClick();
    ASSERT_EQ(Messages.Messages().size(), 1U);
    EXPECT_EQ(Messages.Messages()[0].Kind, TMsg_Kind::Error);
    EXPECT_EQ(Messages.Last_Text(), "Error!!! Device is in use. Cancel Variables and/or Datasets");
    EXPECT_EQ(Device_Lines(), (std::vector<std::string>{"IED2", "IED3"}));
    EXPECT_EQ(Window->Tree_Model().Device(), Model().Device(1)); // the refusal changes nothing
}

TEST_F(Access_Window, ChoosingAnotherDeviceDropsTheTreeSelection)
{
    ASSERT_TRUE(Window->FormShow());
    Import_Tiny("IED1");
    Import_Tiny("IED2");
    Choose(0);
    Click_DS("IED1LD0/LLN0.DS1");
    Choose(1);
    Window->Btn_AddVarClick();
    EXPECT_TRUE(Model().List_DataSet().empty());
    EXPECT_TRUE(Model().DataSets().Is_Empty());
}

TEST_F(Access_Window, DataSetsWithAndWithoutGooseAndMemberEditsGoToTheShownDataSet)
{
    ASSERT_TRUE(Window->FormShow());
    Import_Tiny("IED1");
    Choose(0);
    Click_DS("IED1LD0/LLN0.DS1");
    Window->Btn_AddVarClick();
    EXPECT_EQ(Window->PC_DA_DataSet->currentWidget(), Window->TS_DataSet);
    Click_DS("IED1LD0/LLN0.DS2");
    Window->Btn_AddVarClick();

    TAccess_Grid* Sets = Window->ACG_DataSet;
    TAccess_Grid* Members = Window->ACG_DS_Vars;
    EXPECT_EQ(Cell(Sets, 1, DS_Col::Reference), "IED1LD0/LLN0.DS1");
    EXPECT_EQ(Cell(Sets, 1, DS_Col::GooseName), "GC1");
    EXPECT_EQ(Cell(Sets, 1, DS_Col::EnGoose), "Y");
    EXPECT_EQ(Cell(Sets, 2, DS_Col::GooseName), ""); // no GOOSE control block sends DS2
    EXPECT_EQ(Cell(Sets, 2, DS_Col::EnGoose), "N");
    EXPECT_FALSE(Editable(Sets, 2, DS_Col::GooseName));
    EXPECT_TRUE(Editable(Sets, 2, DS_Col::EnGoose));

    // The Members table follows the chosen data-set row, and its edits go to that data set.
    Sets->Set_Current_Cell(1, DS_Col::Port);
    ASSERT_EQ(Grid_Model(Members).rowCount(), 3);
    EXPECT_EQ(Cell(Members, 2, Member_Col::Reference), "IED1LD0/MMXU1.TotW.q");
    EXPECT_TRUE(Edit(Members, 1, Member_Col::Position, "10"));
    Sets->Set_Current_Cell(2, DS_Col::Port);
    ASSERT_EQ(Grid_Model(Members).rowCount(), 1);
    EXPECT_EQ(Cell(Members, 1, Member_Col::Reference), "IED1LD0/GGIO1.Ind1.stVal");
    EXPECT_EQ(Cell(Members, 1, Member_Col::Position), "");
    EXPECT_TRUE(Edit(Members, 1, Member_Col::Position, "20"));
    EXPECT_FALSE(Editable(Members, 1, Member_Col::Reference));
    const auto& List = Model().List_DataSet();
    EXPECT_EQ(List[0]->List_DAs[0]->Position, "10");
    EXPECT_EQ(List[1]->List_DAs[0]->Position, "20");

    // Removing a data set leaves the Members table showing none.
    Sets->Set_Current_Cell(1, DS_Col::Port);
    Window->Btn_RemoveVarClick();
    EXPECT_EQ(Cell(Sets, 1, DS_Col::Reference), "IED1LD0/LLN0.DS2");
    EXPECT_EQ(Model().DataSet_Row_Select(), 0);
    ASSERT_EQ(Grid_Model(Members).rowCount(), 1);
    EXPECT_EQ(Cell(Members, 1, Member_Col::Reference), "");
    EXPECT_FALSE(Editable(Members, 1, Member_Col::Position));
    EXPECT_EQ(Sets->Current_Row(), 0);
}

TEST_F(Access_Window, OkShowsTheFirstRefusalAndWritesOnlyValidRows)
{
    ASSERT_TRUE(Window->FormShow());
    Import_Tiny("IED1");
    Choose(0);
    Click_DA("IED1LD0/GGIO1.Ind1.stVal");
    Window->Btn_AddVarClick();
    Click_DS("IED1LD0/LLN0.DS2"); // data sets are not checked
    Window->Btn_AddVarClick();
    TAccess_Grid* Grid = Window->ACG_DA;

    Window->Btn_OKClick();
    ASSERT_EQ(Messages.Messages().size(), 1U);
    EXPECT_EQ(Messages.Messages()[0].Kind, TMsg_Kind::Error);
    EXPECT_EQ(Messages.Last_Text(), Refusal(1, 1253)); // "Error row 1!! IP Address must be ..."
    EXPECT_FALSE(fs::exists(State.File_IEC_61850_Client));
    EXPECT_NE(Window->result(), QDialog::Accepted);
    EXPECT_EQ(Window->PC_DA_DataSet->currentWidget(), Window->TS_DA); // the failing row is shown

    Fill_Valid(Grid, 1);
    Check(Grid, 1, Var_Col::OnTimer, true); // now "Time (ms)" is checked too
    EXPECT_EQ(Cell(Grid, 1, Var_Col::OnTimer), "Y");
    Window->Btn_OKClick();
    EXPECT_EQ(Messages.Last_Text(), Refusal(1, 1255));
    EXPECT_FALSE(fs::exists(State.File_IEC_61850_Client));

    EXPECT_TRUE(Edit(Grid, 1, Var_Col::Time, "1000"));
    EXPECT_TRUE(Edit(Grid, 1, Var_Col::ReadWrite, "Write"));
    Messages.Clear();
    Window->Btn_OKClick();
    EXPECT_TRUE(Messages.Messages().empty()) << Messages.Last_Text();
    EXPECT_EQ(Window->result(), QDialog::Accepted);
    const std::string Saved = access_test::Read(State.File_IEC_61850_Client);
    for (const char* Expected : {R"(IPAddress="192.168.1.10")", R"(OnTimer="Y")", R"(Time="1000")",
                                 R"(ReadWrite="Write")", R"(Reference="IED1LD0/LLN0.DS2")"})
        EXPECT_NE(Saved.find(Expected), std::string::npos) << Expected;
    // The saved configuration compiles as step 4 compiles it.
    EXPECT_NO_THROW(image::Build_Images(State.Conf_Path / "ParGen.xml", State.File_IEC_61850_Client, '.'));
}

TEST_F(Access_Window, CancelThenReopenShowsTheStoredFileWithoutDecodingAgain)
{
    ASSERT_TRUE(Window->FormShow());
    Import_Tiny("IED1");
    Choose(0);
    Click_DA("IED1LD0/GGIO1.Ind1.stVal");
    Window->Btn_AddVarClick();
    Fill_Valid(Window->ACG_DA, 1);
    EXPECT_TRUE(Edit(Window->ACG_DA, 1, Var_Col::Mnemonic, "stored"));
    Window->Btn_OKClick();
    ASSERT_TRUE(Messages.Messages().empty()) << Messages.Last_Text();
    const std::string Stored = access_test::Read(State.File_IEC_61850_Client);

    ASSERT_TRUE(Window->FormShow());
    const auto Decodes = Model().Decode_Count();
    EXPECT_EQ(Cell(Window->ACG_DA, 1, Var_Col::Mnemonic), "stored");
    EXPECT_TRUE(Edit(Window->ACG_DA, 1, Var_Col::Mnemonic, "changed"));
    Choose(0);
    Click_DA("IED1LD0/GGIO1.Ind1.q");
    Window->Btn_AddVarClick();
    Window->Btn_CancelClick();
    EXPECT_EQ(Window->result(), QDialog::Rejected);
    EXPECT_EQ(access_test::Read(State.File_IEC_61850_Client), Stored);

    ASSERT_TRUE(Window->FormShow());
    EXPECT_EQ(Grid_Model(Window->ACG_DA).rowCount(), 1);
    EXPECT_EQ(Cell(Window->ACG_DA, 1, Var_Col::Mnemonic), "stored");
    EXPECT_EQ(Model().Decode_Count(), Decodes); // the SCL copy has not changed: its device is kept
    EXPECT_EQ(Window->Tree_Model().rowCount(), 0);

    // A copy changed since (another modification time) is decoded again.
    const fs::path Copy = Catalog() / "IED1.icd";
    fs::last_write_time(Copy, fs::last_write_time(Copy) + std::chrono::seconds(5));
    ASSERT_TRUE(Window->FormShow());
    EXPECT_EQ(Model().Decode_Count(), Decodes + 1);
    EXPECT_EQ(Device_Lines(), std::vector<std::string>{"IED1"});
}

TEST_F(Access_Window, TheFilterShowsMatchingNodesWithTheirAncestorsAndKeepsOnlyAVisibleSelection)
{
    ASSERT_TRUE(Window->FormShow());
    Import_Tiny("IED1");
    Choose(0);
    TIEC_Tree_Model& Tree = Window->Tree_Model();
    const int All = Tree.Node_Count();
    const auto& LD = *Shown().List_LDevice[0];
    Click_DA("IED1LD0/GGIO1.Ind1.stVal");

    Window->E_Tree_Filter->setText("STVAL"); // letters without case
    EXPECT_LT(Tree.Shown_Count(), All);
    EXPECT_TRUE(Tree_Index(DA("IED1LD0/GGIO1.Ind1.stVal").TreeNode).isValid());
    EXPECT_TRUE(Tree_Index(DA("IED1LD0/LLN0.Mod.stVal").TreeNode).isValid());
    EXPECT_FALSE(Tree_Index(DA("IED1LD0/GGIO1.Ind1.q").TreeNode).isValid());
    EXPECT_FALSE(Tree_Index(LD.Find_LN("MMXU")->TreeNode).isValid());
    EXPECT_FALSE(Tree_Index(DS("IED1LD0/LLN0.DS1").TreeNode).isValid());
    const QModelIndex Ind1 = Tree_Index(LD.List_LN[2]->Find_DO("Ind1")->TreeNode);
    ASSERT_TRUE(Ind1.isValid()); // an ancestor of a match
    EXPECT_TRUE(Window->TV_IEC_Device->isExpanded(Ind1));
    EXPECT_NE(Model().Selected_IEC_DA(), nullptr); // still shown, still selected

    // A reference part: only GGIO2's data object and what is below it.
    Window->E_Tree_Filter->setText("ggio2.ind1");
    EXPECT_FALSE(Tree_Index(DA("IED1LD0/GGIO1.Ind1.stVal").TreeNode).isValid());
    EXPECT_EQ(Model().Selected_IEC_DA(), nullptr); // its node is hidden: nothing stays selected
    Window->Btn_AddVarClick();
    EXPECT_TRUE(Model().Variables().Is_Empty());
    const auto& GGIO2 = *LD.List_LN[3];
    EXPECT_TRUE(Tree_Index(GGIO2.Find_DO("Ind1")->TreeNode).isValid());
    EXPECT_FALSE(Tree_Index(GGIO2.Find_DO("Str")->TreeNode).isValid());
    Click(GGIO2.Find_DO("Ind1")->List_DA[1]->TreeNode); // selection works as without a filter
    Window->Btn_AddVarClick();
    EXPECT_EQ(Model().Variables().Cell(1, Var_Col::Reference), "IED1LD0/GGIO2.Ind1.q");

    Window->E_Tree_Filter->clear();
    EXPECT_EQ(Tree.Shown_Count(), All);
    EXPECT_TRUE(Tree_Index(LD.Find_LN("MMXU")->TreeNode).isValid());
    EXPECT_FALSE(Window->TV_IEC_Device->isExpanded(Tree_Index(LD.List_LN[2]->Find_DO("Ind1")->TreeNode)));

    // Nothing matches: only the device stays.
    Window->E_Tree_Filter->setText("no such node");
    EXPECT_EQ(Tree.Shown_Count(), 1);
    EXPECT_EQ(Tree.rowCount(Tree.index(0, 0)), 0);
}

TEST_F(Access_Window, PlaceholderDevicesAreMarkedShowNoTreeAndAreSavedUnchanged)
{
    access_test::Write(Catalog() / "Bad.icd", "<SCL><IED name=\"BAD\">\n</SCL>");
    access_test::Write(Catalog() / "IED1.icd", Tiny({"IED1"}));
    const std::string Item = R"(bType="BOOLEAN" fc="ST" StartByte="0" NumByte="1" IPAddress="10.0.0.1" Port="102" )"
                             R"(OnChange="N" OnCMD="N" OnTimer="N" Time="" Position="1" StartBit="" ReadWrite="" )"
                             R"(Convertion="" MoltFact="None" Mnemonic="")";
    access_test::Write(State.File_IEC_61850_Client,
                       R"(<IEC_68850_Client><List_ICD_Files><ICD_File Name="GONE" FileName="Gone.icd"/>)"
                       R"(<ICD_File Name="BAD" FileName="Bad.icd"/><ICD_File Name="IED1" FileName="IED1.icd"/>)"
                       R"(</List_ICD_Files><List_DA_Selected><DA_Item Index="0" Reference="GONELD0/X.Y.z" )" +
                           Item + R"(/><DA_Item Index="1" Reference="BADLD0/X.Y.z" )" + Item +
                           R"(/></List_DA_Selected><List_DataSet_Selected/></IEC_68850_Client>)");
    ASSERT_TRUE(Window->FormShow());
    EXPECT_TRUE(Messages.Messages().empty()) << Messages.Last_Text();
    EXPECT_EQ(Device_Lines(), (std::vector<std::string>{"GONE", "BAD", "IED1"}));
    const QString Missing = Window->LB_IEC_Devices->item(0)->toolTip();
    const QString Unreadable = Window->LB_IEC_Devices->item(1)->toolTip();
    EXPECT_TRUE(Missing.contains("Gone.icd") && Missing.contains("missing")) << Missing.toStdString();
    EXPECT_TRUE(Unreadable.contains("Bad.icd") && Unreadable.contains("cannot be read") && Unreadable.contains("line"))
        << Unreadable.toStdString();
    for (int Row : {0, 1}) {
        EXPECT_FALSE(Window->LB_IEC_Devices->item(Row)->icon().isNull());
        EXPECT_TRUE(Window->LB_IEC_Devices->item(Row)->font().italic());
    }
    EXPECT_TRUE(Window->LB_IEC_Devices->item(2)->icon().isNull());

    Choose(0);
    EXPECT_EQ(Window->Tree_Model().rowCount(), 0);
    Choose(2);
    EXPECT_EQ(Window->Tree_Model().rowCount(), 1);

    Window->Btn_OKClick();
    EXPECT_TRUE(Messages.Messages().empty()) << Messages.Last_Text();
    const std::string Saved = access_test::Read(State.File_IEC_61850_Client);
    for (const char* Expected :
         {R"(<ICD_File Name="GONE" FileName="Gone.icd")", R"(<ICD_File Name="BAD" FileName="Bad.icd")",
          R"(Index="0" bType="BOOLEAN" fc="ST" Reference="GONELD0/X.Y.z")",
          R"(Index="1" bType="BOOLEAN" fc="ST" Reference="BADLD0/X.Y.z")"})
        EXPECT_NE(Saved.find(Expected), std::string::npos) << Expected << "\n" << Saved;
}

TEST_F(Access_Window, AProjectFileThatCannotBeReadKeepsTheWindowClosed)
{
    access_test::Write(State.File_IEC_61850_Client, "<IEC_68850_Client><List_ICD_Files>\n</IEC_68850_Client>");
    EXPECT_EQ(Window->exec(), QDialog::Rejected);
    ASSERT_EQ(Messages.Messages().size(), 1U);
    EXPECT_NE(Messages.Last_Text().find("IEC_61850_Client.xml"), std::string::npos) << Messages.Last_Text();
    EXPECT_NE(Messages.Last_Text().find("line 2"), std::string::npos) << Messages.Last_Text();
    EXPECT_FALSE(Window->isVisible());
}

TEST_F(Access_Window, ALongDecodeShowsProgressAndHandsTheDeviceOverWhenComplete)
{
    ASSERT_TRUE(Window->FormShow());
    const auto Decode = Window->Decode_Work;
    Window->Decode_Work = [Decode](const fs::path& File, std::string_view IED_Name) {
        std::this_thread::sleep_for(std::chrono::milliseconds(4 * TFIEC_61850_Access::Progress_Delay_Ms));
        return Decode(File, IED_Name);
    };
    bool Progress_Shown = false;
    QString Label;
    int Devices_Meanwhile = -1;
    QTimer::singleShot(2 * TFIEC_61850_Access::Progress_Delay_Ms, [&] {
        auto* Progress = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
        Progress_Shown = Progress && Progress->objectName() == "Progress_Decode";
        if (Progress)
            Label = Progress->labelText();
        Devices_Meanwhile = Window->LB_IEC_Devices->count();
        Window->Btn_Add_IEC_DeviceClick(); // no second import while one runs
        Window->reject();                  // nor closing
    });
    Import_Tiny("IED1");
    EXPECT_TRUE(Progress_Shown);
    EXPECT_TRUE(Label.contains("IED1.icd")) << Label.toStdString();
    EXPECT_EQ(Devices_Meanwhile, 0);
    EXPECT_EQ(Files.Filters_Asked().size(), 1U);
    EXPECT_EQ(Device_Lines(), std::vector<std::string>{"IED1"});
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    // Loading again decodes nothing (the copy is unchanged); a changed copy is decoded behind the dialog too,
    // while the tables and the tree show nothing of the configuration being replaced.
    Choose(0);
    Window->Btn_OKClick();
    const fs::path Copy = Catalog() / "IED1.icd";
    fs::last_write_time(Copy, fs::last_write_time(Copy) + std::chrono::seconds(5));
    int Rows_Meanwhile = -1;
    int Tree_Meanwhile = -1;
    QTimer::singleShot(2 * TFIEC_61850_Access::Progress_Delay_Ms, [&] {
        Rows_Meanwhile = Window->ACG_DA->model()->rowCount();
        Tree_Meanwhile = Window->Tree_Model().rowCount();
    });
    ASSERT_TRUE(Window->FormShow());
    EXPECT_EQ(Rows_Meanwhile, 0);
    EXPECT_EQ(Tree_Meanwhile, 0);
    EXPECT_EQ(Device_Lines(), std::vector<std::string>{"IED1"});
}

TEST_F(Access_Window, TableInputFixedColumnEnterKeyAutoSizeHintsAndEditors)
{
    ASSERT_TRUE(Window->FormShow());
    Import_Tiny("IED1");
    Choose(0);
    Click_DA("IED1LD0/GGIO1.Ind1.stVal");
    Window->Btn_AddVarClick();
    Click_DA("IED1LD0/GGIO1.Ind1.q");
    Window->Btn_AddVarClick();
    TAccess_Grid* Grid = Window->ACG_DA;
    QAbstractItemModel& Table = Grid_Model(Grid);

    // Headers from the catalogue, hints for columns above 0; the other tables' fixed headers.
    EXPECT_EQ(Table.headerData(5, Qt::Horizontal).toString(), "Start Byte");
    EXPECT_EQ(Table.headerData(5, Qt::Horizontal, Qt::ToolTipRole).toString(),
              "Insert the Start Byte, only for VisString255 (0-254) or Octet64 (0-63)");
    EXPECT_FALSE(Table.headerData(0, Qt::Horizontal, Qt::ToolTipRole).isValid());
    EXPECT_EQ(Grid_Model(Window->ACG_DataSet).headerData(4, Qt::Horizontal).toString(), "En. Goose");
    EXPECT_EQ(Grid_Model(Window->ACG_DS_Vars).headerData(6, Qt::Horizontal).toString(), "Mult Fact");

    // A click in column 0 selects the whole row.
    emit Grid->clicked(Table.index(1, 0));
    EXPECT_TRUE(Grid->selectionModel()->isRowSelected(1, {}));
    EXPECT_EQ(Grid->Current_Row(), 2);

    // Enter: with the option on, the next column, after the last the first of the next row, then row 1.
    State.Enable_Jump_Field_Tables = true;
    Grid->Set_Current_Cell(1, Var_Col::Count - 1);
    Press(Grid, Qt::Key_Return);
    EXPECT_EQ(Grid->currentIndex(), Table.index(1, 1));
    Press(Grid, Qt::Key_Enter);
    EXPECT_EQ(Grid->currentIndex(), Table.index(1, 2));
    Grid->Set_Current_Cell(2, Var_Col::Count - 1);
    Press(Grid, Qt::Key_Return);
    EXPECT_EQ(Grid->currentIndex(), Table.index(0, 1));
    State.Enable_Jump_Field_Tables = false;
    Press(Grid, Qt::Key_Return);
    EXPECT_EQ(Grid->currentIndex(), Table.index(0, 1));

    // A header double-click sizes the column only with its option on; a data cell never does.
    Grid->setColumnWidth(Var_Col::Reference, 30);
    emit Grid->horizontalHeader()->sectionDoubleClicked(Var_Col::Reference);
    EXPECT_EQ(Grid->columnWidth(Var_Col::Reference), 30);
    State.Double_Click_Auto_Size = true;
    emit Grid->doubleClicked(Table.index(0, Var_Col::Reference));
    EXPECT_EQ(Grid->columnWidth(Var_Col::Reference), 30);
    emit Grid->horizontalHeader()->sectionDoubleClicked(Var_Col::Reference);
    EXPECT_GT(Grid->columnWidth(Var_Col::Reference), 100);

    // Check boxes hold "Y"/"N"; the lists offer their fixed items.
    Check(Grid, 1, Var_Col::OnChange, true);
    EXPECT_EQ(Model().Variables().Cell(1, Var_Col::OnChange), "Y");
    EXPECT_EQ(Cell(Grid, 1, Var_Col::OnChange), "Y");
    Check(Grid, 1, Var_Col::OnChange, false);
    EXPECT_EQ(Model().Variables().Cell(1, Var_Col::OnChange), "N");
    const auto Items = [&](TAccess_Grid* On, int Col) {
        std::vector<std::string> Texts;
        QWidget* Editor =
            On->itemDelegate()->createEditor(On->viewport(), QStyleOptionViewItem(), On->model()->index(0, Col));
        if (auto* List = qobject_cast<QComboBox*>(Editor))
            for (int I = 0; I < List->count(); ++I)
                Texts.push_back(List->itemText(I).toStdString());
        delete Editor;
        return Texts;
    };
    EXPECT_EQ(Items(Grid, Var_Col::StartBit), (std::vector<std::string>{"0", "1", "2", "3", "4", "5", "6", "7"}));
    EXPECT_EQ(Items(Grid, Var_Col::ReadWrite), (std::vector<std::string>{"Read", "Write"}));
    EXPECT_EQ(Items(Grid, Var_Col::Convertion), (std::vector<std::string>{"None", "ItoF/FtoI"}));
    EXPECT_TRUE(Items(Grid, Var_Col::Port).empty());
    Click_DS("IED1LD0/LLN0.DS1");
    Window->Btn_AddVarClick();
    EXPECT_EQ(Items(Window->ACG_DS_Vars, Member_Col::StartBit).size(), 8U);
    EXPECT_EQ(Items(Window->ACG_DS_Vars, Member_Col::Convertion), (std::vector<std::string>{"None", "ItoF/FtoI"}));

    // A read-only cell refuses an edit.
    EXPECT_FALSE(Edit(Grid, 1, Var_Col::Reference, "x"));
    EXPECT_EQ(Model().Variables().Cell(1, Var_Col::Reference), "IED1LD0/GGIO1.Ind1.stVal");
}

TEST_F(Access_Window, SetLangAppliesTheCatalogue)
{
    State.Lang_Strings.Lang_Strings[1204] = "Variable hinzufügen";
    State.Lang_Strings.Lang_Strings[1219] = "Gerät";
    State.Lang_Strings.Lang_Strings[1236] = "Nummer des Geräts";
    Window->Set_Lang();
    EXPECT_EQ(Window->Btn_AddVar->text(), "Variable hinzufügen");
    QAbstractItemModel& Table = Grid_Model(Window->ACG_DA);
    EXPECT_EQ(Table.headerData(Var_Col::Index, Qt::Horizontal).toString(), "Gerät");
    EXPECT_EQ(Table.headerData(Var_Col::Index, Qt::Horizontal, Qt::ToolTipRole).toString(), "Nummer des Geräts");
}

class Access_Main_Window : public app_ui_test::TApp_Window_Test
{};

TEST_F(Access_Main_Window, Step3OpensTheAccessEditorOfTheActiveConfiguration)
{
    fs::create_directories(Program() / "PROJECTS" / "Plant");
    app_ui_test::Write_File(Settings_File(), app_ui_test::Settings_Text("Plant", "English", false, false));
    app::ui::TFVelmorineFirmWare Main(Program());
    ASSERT_NE(Main.FIEC_61850_Access, nullptr);
    bool Shown = false;
    app_ui_test::When_Modal([&] {
        Shown = QApplication::activeModalWidget() == Main.FIEC_61850_Access;
        Main.FIEC_61850_Access->Btn_CancelClick();
    });
    ui_test::TMessage_Recorder Recorder;
    Main.Btn_IEC61850_Client->click();
    EXPECT_TRUE(Shown);
    EXPECT_TRUE(Recorder.Messages().empty()) << Recorder.Last_Text();
    EXPECT_FALSE(fs::exists(Main.State().File_IEC_61850_Client)); // Cancel writes nothing
}

TEST_F(Access_Window, ScreenshotWithARealSclFile)
{
    // A public sample when the shared folder is there, else the demo configuration's own feeder.
    fs::path Scl = fs::path(CT_SHARED_SCL_DIR) / "sisco_sample_ed2.scd";
    if (!fs::exists(Scl))
        Scl = fs::path(CT_TEST_DATA) / ".." / ".." / "demo" / "Demo" / "ICD_Catalog" / "Demo_Feeder.icd";
    ASSERT_TRUE(fs::exists(Scl)) << Scl;
    ASSERT_TRUE(Window->FormShow());
    IED_Answer.reset();
    Window->Choose_IED = [](QWidget*, const std::vector<std::string>& Names) {
        // The sample's first IED is an empty client; its second one is a bay controller.
        const bool Has_Bay = std::find(Names.begin(), Names.end(), "E1Q1SB1") != Names.end();
        return std::optional<std::string>(Has_Bay ? "E1Q1SB1" : Names.front());
    };
    Import(Scl);
    ASSERT_TRUE(Messages.Messages().empty()) << Messages.Last_Text();
    ASSERT_EQ(Window->LB_IEC_Devices->count(), 1);
    Choose(0);

    // A variable from each of the first logical nodes and a data set, as a user picks them.
    const auto& Device = Shown();
    int Added = 0;
    const iec61850::TIEC_DataSet* First_DataSet = nullptr;
    for (const auto& LD : Device.List_LDevice)
        for (const auto& LN : LD->List_LN) {
            if (!First_DataSet && !LN->List_DataSet.empty())
                First_DataSet = LN->List_DataSet.front().get();
            if (Added >= 6 || LN->List_DO.empty())
                continue;
            if (const iec61850::TIEC_DA* Leaf = LN->List_DO.front()->Find_First_DA()) {
                Click(Leaf->TreeNode);
                Window->Btn_AddVarClick();
                ++Added;
            }
        }
    ASSERT_GT(Added, 0);
    if (First_DataSet) {
        Click(First_DataSet->TreeNode);
        Window->Btn_AddVarClick();
    }
    for (int Row = 1; Row <= Added; ++Row) {
        Fill_Valid(Window->ACG_DA, Row);
        Edit(Window->ACG_DA, Row, Var_Col::Position, QString::number(Row * 4));
    }
    Click(access_test::Find_Attribute(Device, Model().Variables().Cell(2, Var_Col::Reference))->TreeNode);

    Window->PC_DA_DataSet->setCurrentWidget(Window->TS_DA);
    const fs::path Variables = ui_test::Save_Screenshot(*Window, "TFIEC_61850_Access");
    EXPECT_TRUE(fs::exists(Variables));
    if (First_DataSet) {
        Window->PC_DA_DataSet->setCurrentWidget(Window->TS_DataSet);
        Window->ACG_DataSet->Set_Current_Cell(1, DS_Col::IPAddress);
        EXPECT_TRUE(fs::exists(ui_test::Save_Screenshot(*Window, "TFIEC_61850_Access_DataSet")));
    }
    // A large tree filters once typing pauses.
    Window->E_Tree_Filter->setText("stVal");
    QElapsedTimer Waited;
    Waited.start();
    while (Window->Tree_Model().Filter() != "stVal" && Waited.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(Window->Tree_Model().Filter(), "stVal");
    EXPECT_LT(Window->Tree_Model().Shown_Count(), Window->Tree_Model().Node_Count());
    EXPECT_TRUE(fs::exists(ui_test::Save_Screenshot(*Window, "TFIEC_61850_Access_Filter")));
    Window->hide();
}
