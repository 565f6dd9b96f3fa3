// The editor operations: importing devices, choosing tree nodes, adding and removing variables, data sets and
// devices, and the Members table.
#include "access/Access_Model.h"

#include "Access_Test_Support.h"
#include "common/File_Error.h"

#include <gtest/gtest.h>

using namespace ct::access;
using namespace access_test;

namespace {

const std::string F = "IED1LD0/MMXU1.TotW.mag.f";
const std::string StVal = "IED1LD0/GGIO1.Ind1.stVal";
const std::string Str_D = "IED1LD0/GGIO1.Str.d";

class Access_Editor : public TConf_Folder
{
protected:
    void SetUp() override
    {
        TConf_Folder::SetUp();
        Load();
        Write(Root / "in" / "dev.icd", Tiny_Scl());
    }

    // Imports Root/in/<Name> (written first when Text is given) and answers the new device.
    const iec61850::TIEC_Device& Import(const std::string& Name = "dev.icd", const std::string& Text = {},
                                        std::string_view IED = {})
    {
        if (!Text.empty())
            Write(Root / "in" / Name, Text);
        const auto Index = Model.Import_Device(Root / "in" / Name, TOverwrite::Yes, IED);
        EXPECT_TRUE(Index);
        return *Model.Device(*Index);
    }

    const iec61850::TIEC_DA& Attribute(int Device, const std::string& Reference)
    {
        const iec61850::TIEC_DA* DA = Find_Attribute(*Model.Device(Device), Reference);
        EXPECT_NE(DA, nullptr) << Reference;
        return *DA;
    }

    const iec61850::TIEC_DataSet& Data_Set(int Device, const std::string& Reference)
    {
        const iec61850::TIEC_DataSet* DataSet = Find_Data_Set(*Model.Device(Device), Reference);
        EXPECT_NE(DataSet, nullptr) << Reference;
        return *DataSet;
    }

    // Makes every variable valid for saving.
    void Complete_Variables()
    {
        for (int Row = 1; Row <= Model.Variables().Row_Count(); ++Row) {
            Model.Set_Cell(TTable_Id::Variables, Row, Var_Col::IPAddress, "10.0.0.1");
            Model.Set_Cell(TTable_Id::Variables, Row, Var_Col::Port, "102");
            Model.Set_Cell(TTable_Id::Variables, Row, Var_Col::Position, std::to_string(Row));
            Model.Set_Cell(TTable_Id::Variables, Row, Var_Col::MoltFact, "None");
            Model.Edit_Cell(TTable_Id::Variables, Row, Var_Col::StartByte, "0"); // only where the type lets the user
            Model.Edit_Cell(TTable_Id::Variables, Row, Var_Col::NumByte, "8");
        }
    }

    std::vector<std::string> Column(TTable_Id Id, int Col) const
    {
        std::vector<std::string> Cells;
        for (int Row = 1; Row <= Model.Table(Id).Row_Count(); ++Row)
            Cells.push_back(Model.Table(Id).Cell(Row, Col));
        return Cells;
    }
};

using Cells = std::vector<std::string>;

TEST_F(Access_Editor, AddOnAnEmptyTableFillsItsRowThenAppends)
{
    Import();
    ASSERT_TRUE(Model.Add_Variable(0, Attribute(0, F)));
    const TAccess_Table& Vars = Model.Variables();
    ASSERT_EQ(Vars.Row_Count(), 1);
    const Cells Want{"1", "0", "FLOAT32", "MX", F, "0", "4", "", "", "N", "N", "N", "", "", "", "", "", "", ""};
    for (int Col = 0; Col < Var_Col::Count; ++Col)
        EXPECT_EQ(Vars.Cell(1, Col), Want[static_cast<std::size_t>(Col)]) << Col;
    EXPECT_TRUE(Vars.Read_Only(1, Var_Col::StartByte));

    ASSERT_TRUE(Model.Add_Variable(0, Attribute(0, Str_D)));
    ASSERT_TRUE(Model.Add_Variable(0, Attribute(0, F))); // the same attribute twice is allowed
    EXPECT_EQ(Column(TTable_Id::Variables, Var_Col::N), (Cells{"1", "2", "3"}));
    EXPECT_EQ(Column(TTable_Id::Variables, Var_Col::StartByte), (Cells{"0", "", "0"}));
    EXPECT_FALSE(Vars.Read_Only(2, Var_Col::StartByte));
    EXPECT_TRUE(Vars.Read_Only(3, Var_Col::NumByte));
}

TEST_F(Access_Editor, OnlyLeafAttributesOfTheNamedDeviceAreAdded)
{
    Import();
    Import("other.icd", Tiny_Scl({.IEDs = {"IED7"}}));
    EXPECT_FALSE(Model.Add_Variable(0, Attribute(0, "IED1LD0/MMXU1.TotW.mag"))); // structured
    EXPECT_FALSE(Model.Add_Variable(0, Attribute(1, "IED7LD0/MMXU1.TotW.q")));   // another device's
    EXPECT_FALSE(Model.Add_Variable(5, Attribute(0, F)));
    EXPECT_FALSE(Model.Add_DataSet(1, Data_Set(0, "IED1LD0/LLN0.DS1")));
    EXPECT_TRUE(Model.Variables().Is_Empty());
    EXPECT_TRUE(Model.List_DataSet().empty());
}

TEST_F(Access_Editor, TreeSelectionAddsOnlyLeavesAndDataSets)
{
    Import();
    iec61850::TIEC_Device& Device = *Model.Device(0);
    // The view's tree nodes: any distinct addresses.
    int Nodes[8];
    iec61850::TIEC_LN& MMXU = *Device.List_LDevice[0]->List_LN[1];
    Device.TreeNode = &Nodes[0];
    Device.List_LDevice[0]->TreeNode = &Nodes[1];
    MMXU.TreeNode = &Nodes[2];
    MMXU.List_DO[0]->TreeNode = &Nodes[3];
    MMXU.List_DO[0]->List_DA[0]->TreeNode = &Nodes[4];                         // mag: structured
    MMXU.List_DO[0]->List_DA[0]->List_DA[0]->TreeNode = &Nodes[5];             // mag.f
    Device.List_LDevice[0]->List_LN[0]->List_DataSet[1]->TreeNode = &Nodes[6]; // DS2

    Model.Choose_Device(0);
    for (int Node : {0, 1, 2, 3, 4, 7}) {
        Model.Select_Tree_Node(&Nodes[Node]);
        EXPECT_EQ(Model.Selected_IEC_DA(), nullptr) << Node;
        EXPECT_EQ(Model.Selected_IEC_DS(), nullptr) << Node;
        EXPECT_EQ(Model.Add_Selected(), TAdded::Nothing) << Node;
    }
    Model.Select_Tree_Node(&Nodes[5]);
    EXPECT_EQ(Model.Add_Selected(), TAdded::Variable);
    EXPECT_EQ(Model.Variables().Cell(1, Var_Col::Reference), F);

    Model.Select_Tree_Node(&Nodes[6]);
    EXPECT_EQ(Model.Selected_IEC_DA(), nullptr);
    ASSERT_NE(Model.Selected_IEC_DS(), nullptr);
    // Choosing a device drops the selection: nothing is added until a node is clicked again.
    Model.Choose_Device(0);
    EXPECT_EQ(Model.Add_Selected(), TAdded::Nothing);
    Model.Select_Tree_Node(&Nodes[6]);
    EXPECT_EQ(Model.Add_Selected(), TAdded::DataSet);
    EXPECT_EQ(Model.List_DataSet().size(), 1u);
}

TEST_F(Access_Editor, AddedDataSetsGetTheirMembersAndGooseDefault)
{
    Import();
    ASSERT_TRUE(Model.Add_DataSet(0, Data_Set(0, "IED1LD0/LLN0.DS2"))); // no GOOSE control block
    ASSERT_TRUE(Model.Add_DataSet(0, Data_Set(0, "IED1LD0/LLN0.DS1")));
    const TAccess_Table& Sets = Model.DataSets();
    ASSERT_EQ(Sets.Row_Count(), 2);
    EXPECT_EQ(Column(TTable_Id::DataSets, DS_Col::GooseName), (Cells{"", "GC1"}));
    EXPECT_EQ(Column(TTable_Id::DataSets, DS_Col::EnGoose), (Cells{"N", "Y"}));
    EXPECT_EQ(Column(TTable_Id::DataSets, DS_Col::N), (Cells{"1", "2"}));
    const TDataSet& DS1 = *Model.List_DataSet()[1];
    ASSERT_EQ(DS1.List_DAs.size(), 3u);
    EXPECT_EQ(DS1.List_DAs[0]->Reference(), F);
    EXPECT_EQ(DS1.List_DAs[2]->bType(), "BOOLEAN");
    EXPECT_EQ(DS1.List_DAs[0]->Position, "");
    EXPECT_TRUE(Sets.Read_Only(1, DS_Col::Reference));
    EXPECT_FALSE(Sets.Read_Only(1, DS_Col::EnGoose));
}

TEST_F(Access_Editor, RemovingVariablesRenumbersAndTheLastOneLeavesAnEmptyRow)
{
    Import();
    for (const std::string& Ref : {F, Str_D, StVal})
        Model.Add_Variable(0, Attribute(0, Ref));
    EXPECT_FALSE(Model.Remove_Variable(4));
    ASSERT_TRUE(Model.Remove_Variable(1));
    EXPECT_EQ(Column(TTable_Id::Variables, Var_Col::N), (Cells{"1", "2"}));
    EXPECT_EQ(Column(TTable_Id::Variables, Var_Col::Reference), (Cells{Str_D, StVal}));
    EXPECT_FALSE(Model.Variables().Read_Only(1, Var_Col::StartByte)); // VisString255 moved up: still editable
    EXPECT_TRUE(Model.Variables().Read_Only(2, Var_Col::StartByte));
    ASSERT_TRUE(Model.Remove_Variable(2));
    ASSERT_TRUE(Model.Remove_Variable(1));
    EXPECT_EQ(Model.Variables().Row_Count(), 1);
    EXPECT_EQ(Model.Variables().Cell(1, Var_Col::N), "1");
    EXPECT_EQ(Model.Variables().Cell(1, Var_Col::bType), "");
    EXPECT_TRUE(Model.Variables().Is_Empty());
    EXPECT_FALSE(Model.Save(File, English(), ','));
    EXPECT_EQ(Read(File).find("DA_Item"), std::string::npos);
}

TEST_F(Access_Editor, RemovingDataSetsDestroysThemAndClearsTheMembersTable)
{
    Import();
    for (const char* Ref : {"IED1LD0/LLN0.DS1", "IED1LD0/LLN0.DS2", "IED1LD0/GGIO.DSX"})
        Model.Add_DataSet(0, Data_Set(0, Ref));
    Model.Show_DataSet_DAs(3);
    EXPECT_EQ(Model.DataSet_Row_Select(), 3);
    ASSERT_TRUE(Model.Remove_DataSet(2));
    EXPECT_EQ(Model.List_DataSet().size(), 2u);
    EXPECT_EQ(Column(TTable_Id::DataSets, DS_Col::Reference), (Cells{"IED1LD0/LLN0.DS1", "IED1LD0/GGIO.DSX"}));
    EXPECT_EQ(Column(TTable_Id::DataSets, DS_Col::N), (Cells{"1", "2"}));
    EXPECT_EQ(Model.List_DataSet()[1]->List_DAs[0]->Reference(), StVal);
    EXPECT_EQ(Model.DataSet_Row_Select(), 0);
    EXPECT_EQ(Model.Members().Row_Count(), 1);
    EXPECT_EQ(Model.Members().Cell(1, Member_Col::Reference), "");

    ASSERT_TRUE(Model.Remove_DataSet(1));
    ASSERT_TRUE(Model.Remove_DataSet(1));
    EXPECT_TRUE(Model.List_DataSet().empty());
    EXPECT_EQ(Model.DataSets().Row_Count(), 1);
    EXPECT_EQ(Model.DataSets().Cell(1, DS_Col::Reference), "");
    // The emptied row is used by the next data set, which gets the first list entry.
    ASSERT_TRUE(Model.Add_DataSet(0, Data_Set(0, "IED1LD0/LLN0.DS2")));
    EXPECT_EQ(Model.DataSets().Row_Count(), 1);
    EXPECT_EQ(Model.List_DataSet().size(), 1u);
}

TEST_F(Access_Editor, RemovingADeviceRenumbersLaterIndices)
{
    Import();
    Import("b.icd", Tiny_Scl({.IEDs = {"IEDB"}}));
    Import("c.icd", Tiny_Scl({.IEDs = {"IEDC"}}));
    Model.Add_Variable(2, Attribute(2, "IEDCLD0/MMXU1.TotW.q"));
    Model.Add_Variable(2, Attribute(2, "IEDCLD0/MMXU1.TotW.t"));
    Model.Add_DataSet(2, Data_Set(2, "IEDCLD0/LLN0.DS1"));
    const auto Generation = Model.Devices_Generation();
    int Changes = 0;
    Model.On_Devices_Changed = [&] { ++Changes; };

    EXPECT_EQ(Model.Remove_Device(2), std::string("Error!!! Device is in use. Cancel Variables and/or Datasets"));
    EXPECT_EQ(Model.Device_Count(), 3);
    EXPECT_EQ(Changes, 0);

    Model.Choose_Device(0);
    EXPECT_FALSE(Model.Remove_Device(0));
    EXPECT_EQ(Model.Device_Count(), 2);
    EXPECT_EQ(Model.Device(1)->Name(), "IEDC");
    EXPECT_EQ(Column(TTable_Id::Variables, Var_Col::Index), (Cells{"1", "1"}));
    EXPECT_EQ(Column(TTable_Id::DataSets, DS_Col::Index), (Cells{"1"}));
    EXPECT_EQ(Model.Chosen_Device(), -1);
    EXPECT_GT(Model.Devices_Generation(), Generation);
    EXPECT_EQ(Changes, 1);
    // The data set's links still lead into the device now at index 1.
    EXPECT_EQ(Model.List_DataSet()[0]->Link_Device, Model.Device(1));
}

TEST_F(Access_Editor, ADeviceADataSetLinksIntoIsNeverRemoved)
{
    Import();
    Import("b.icd", Tiny_Scl({.IEDs = {"IEDB"}}));
    Model.Add_DataSet(0, Data_Set(0, "IED1LD0/LLN0.DS1"));
    // The user types another device into the Index cell; the members still lead into device 0.
    ASSERT_TRUE(Model.Edit_Cell(TTable_Id::DataSets, 1, DS_Col::Index, "1"));
    EXPECT_EQ(Model.Remove_Device(0), std::string(Device_In_Use_Text));
    EXPECT_EQ(Model.Device_Count(), 2);
    // A non-number in an Index cell names no device.
    Model.Add_Variable(1, Attribute(1, "IEDBLD0/MMXU1.TotW.q"));
    Model.Edit_Cell(TTable_Id::Variables, 1, Var_Col::Index, "one");
    Model.Remove_DataSet(1);
    EXPECT_FALSE(Model.Remove_Device(1));
    EXPECT_EQ(Model.Variables().Cell(1, Var_Col::Index), "one");
}

TEST_F(Access_Editor, ImportCopiesIntoTheCatalogAndAsksBeforeReplacing)
{
    fs::remove_all(Catalog);
    Write(Root / "in" / "dev.icd", Tiny_Scl({.IEDs = {"NEW"}}));
    EXPECT_FALSE(Model.Catalog_Has(Root / "in" / "dev.icd"));
    ASSERT_EQ(Model.Import_Device(Root / "in" / "dev.icd", TOverwrite::Cancel), 0); // nothing to replace
    EXPECT_EQ(Read(Catalog / "dev.icd"), Read(Root / "in" / "dev.icd"));

    Catalog_File("dev.icd", Tiny_Scl({.IEDs = {"OLD"}}));
    EXPECT_TRUE(Model.Catalog_Has(Root / "in" / "dev.icd"));
    EXPECT_EQ(Model.Import_Device(Root / "in" / "dev.icd", TOverwrite::Cancel), std::nullopt);
    EXPECT_EQ(Model.Device_Count(), 1);

    ASSERT_EQ(Model.Import_Device(Root / "in" / "dev.icd", TOverwrite::No), 1);
    EXPECT_EQ(Model.Device(1)->Name(), "OLD"); // decoded from the copy already there
    EXPECT_NE(Read(Catalog / "dev.icd").find("OLD"), std::string::npos);

    ASSERT_EQ(Model.Import_Device(Root / "in" / "dev.icd", TOverwrite::Yes), 2);
    EXPECT_EQ(Model.Device(2)->Name(), "NEW");
    EXPECT_EQ(Model.Device(2)->FileName(), "dev.icd");
    // Choosing the catalogue copy itself leaves it in place.
    ASSERT_EQ(Model.Import_Device(Catalog / "dev.icd", TOverwrite::Yes), 3);
    EXPECT_EQ(Model.Device(3)->Name(), "NEW");
}

TEST_F(Access_Editor, ImportTakesTheNamedIedAndTellsTheViewOfNewDevices)
{
    Model.Choose_Device(-1);
    const auto Generation = Model.Devices_Generation();
    int Changes = 0;
    Model.On_Devices_Changed = [&] { ++Changes; };
    const iec61850::TIEC_Device& Device = Import("two.icd", Tiny_Scl({.IEDs = {"IED1", "IED2"}}), "IED2");
    EXPECT_EQ(Device.Name(), "IED2");
    EXPECT_EQ(Changes, 1);
    EXPECT_EQ(Model.Devices_Generation(), Generation + 1);
    EXPECT_EQ(Model.Chosen_Device(), -1);
    EXPECT_FALSE(Model.Save(File, English(), ','));
    Load();
    EXPECT_EQ(Model.Device(0)->Name(), "IED2"); // the stored Name picks the same IED again
}

TEST_F(Access_Editor, FailedImportsAddNoDevice)
{
    Write(Root / "in" / "bad.icd", "<SCL><IED name=\"X\">");
    EXPECT_THROW(Model.Import_Device(Root / "in" / "bad.icd", TOverwrite::Yes), common::TFile_Error);
    EXPECT_TRUE(fs::exists(Catalog / "bad.icd")); // the copy stays
    EXPECT_THROW(Model.Import_Device(Root / "in" / "absent.icd", TOverwrite::Yes), common::TFile_Error);
    EXPECT_FALSE(fs::exists(Catalog / "absent.icd"));
    EXPECT_EQ(Model.Device_Count(), 0);
}

TEST_F(Access_Editor, MemberEditsLandInTheDataSetTheMembersTableShows)
{
    Import();
    Model.Add_DataSet(0, Data_Set(0, "IED1LD0/LLN0.DS1"));
    Model.Add_DataSet(0, Data_Set(0, "IED1LD0/LLN0.DS2"));
    // Nothing shown: the Members table takes no edit.
    EXPECT_FALSE(Model.Edit_Cell(TTable_Id::Members, 1, Member_Col::Position, "9"));
    EXPECT_TRUE(Model.Members().Read_Only(1, Member_Col::Position));

    Model.Show_DataSet_DAs(1);
    ASSERT_EQ(Model.Members().Row_Count(), 3);
    EXPECT_EQ(Model.Members().Cell(2, Member_Col::bType), "Quality");
    EXPECT_FALSE(Model.Edit_Cell(TTable_Id::Members, 2, Member_Col::Reference, "x"));
    const char* Texts[] = {"", "", "", "12", "3", "ItoF/FtoI", "0,1", "mn"};
    for (int Col = Member_Col::Position; Col < Member_Col::Count; ++Col)
        EXPECT_TRUE(Model.Edit_Cell(TTable_Id::Members, 2, Col, Texts[Col]));
    const TDataSet_DA& Edited = *Model.List_DataSet()[0]->List_DAs[1];
    EXPECT_EQ(Edited.Position, "12");
    EXPECT_EQ(Edited.bitAddress, "3");
    EXPECT_EQ(Edited.conversion, "ItoF/FtoI");
    EXPECT_EQ(Edited.multFactor, "0,1");
    EXPECT_EQ(Edited.Mnemonic, "mn");
    EXPECT_EQ(Model.Members().Cell(2, Member_Col::Position), "12");

    Model.Show_DataSet_DAs(2);
    EXPECT_EQ(Model.DataSet_Row_Select(), 2);
    EXPECT_TRUE(Model.Edit_Cell(TTable_Id::Members, 1, Member_Col::Position, "40"));
    EXPECT_EQ(Model.List_DataSet()[1]->List_DAs[0]->Position, "40");
    EXPECT_EQ(Model.List_DataSet()[0]->List_DAs[0]->Position, "");

    Model.Show_DataSet_DAs(1);
    EXPECT_EQ(Model.Members().Cell(2, Member_Col::Mnemonic), "mn");
    Model.Show_DataSet_DAs(3);
    EXPECT_EQ(Model.DataSet_Row_Select(), 0);

    EXPECT_FALSE(Model.Save(File, English(), ','));
    Load();
    EXPECT_EQ(Model.List_DataSet()[0]->List_DAs[1]->Position, "12");
    EXPECT_EQ(Model.List_DataSet()[1]->List_DAs[0]->Position, "40");
}

TEST_F(Access_Editor, ReadOnlyCellsRefuseEdits)
{
    Import();
    Model.Add_Variable(0, Attribute(0, F));
    Model.Add_Variable(0, Attribute(0, Str_D));
    EXPECT_FALSE(Model.Edit_Cell(TTable_Id::Variables, 1, Var_Col::bType, "VisString255"));
    EXPECT_FALSE(Model.Edit_Cell(TTable_Id::Variables, 1, Var_Col::NumByte, "2"));
    EXPECT_FALSE(Model.Edit_Cell(TTable_Id::Variables, 1, Var_Col::N, "7"));
    EXPECT_FALSE(Model.Edit_Cell(TTable_Id::Variables, 3, Var_Col::Port, "1"));
    EXPECT_TRUE(Model.Edit_Cell(TTable_Id::Variables, 2, Var_Col::NumByte, "2"));
    EXPECT_TRUE(Model.Edit_Cell(TTable_Id::Variables, 1, Var_Col::Port, "102"));
    EXPECT_EQ(Model.Variables().Cell(1, Var_Col::NumByte), "4");
    EXPECT_EQ(Model.Variables().Cell(2, Var_Col::NumByte), "2");
}

TEST_F(Access_Editor, AConfigurationMadeWithTheOperationsSurvivesAReload)
{
    Import();
    Import("b.icd", Tiny_Scl({.IEDs = {"IEDB"}}));
    Model.Add_Variable(1, Attribute(1, "IEDBLD0/MMXU1.TotW.mag.f"));
    Model.Add_Variable(0, Attribute(0, Str_D));
    Complete_Variables();
    Model.Add_DataSet(1, Data_Set(1, "IEDBLD0/LLN0.DS1"));
    Model.Show_DataSet_DAs(1);
    Model.Edit_Cell(TTable_Id::Members, 3, Member_Col::Position, "77");
    ASSERT_FALSE(Model.Save(File, English(), ','));
    const std::string Saved = Read(File);

    Load();
    EXPECT_EQ(Model.Device_Count(), 2);
    EXPECT_EQ(Model.Variables().Row_Count(), 2);
    EXPECT_EQ(Model.List_DataSet()[0]->List_DAs.size(), 3u);
    EXPECT_EQ(Model.Xml_Text(), Saved);
}

// A real SCL file: import it, add its first leaf attribute and its first data set, save and reload.
TEST(Access_Real_File, ImportAddSaveReload)
{
    const fs::path Sample = fs::path(CT_SHARED_SCL_DIR) / "ICD_test.icd";
    if (!fs::exists(Sample))
        GTEST_SKIP() << "no shared SCL sample at " << Sample;
    const fs::path Conf = fs::temp_directory_path() / ("ct40510-access-real-" + std::to_string(std::random_device{}()));
    fs::create_directories(Conf);
    const fs::path File = Conf / Client_File_Name;
    {
        TAccess_Model Model;
        Model.Load(Conf, File);
        ASSERT_EQ(Model.Import_Device(Sample, TOverwrite::Yes), 0);
        const iec61850::TIEC_Device& Device = *Model.Device(0);
        const iec61850::TIEC_DataSet* First_Set = nullptr;
        const iec61850::TIEC_DA* First_Leaf = nullptr;
        for (const auto& LD : Device.List_LDevice)
            for (const auto& LN : LD->List_LN) {
                if (!First_Set && !LN->List_DataSet.empty())
                    First_Set = LN->List_DataSet[0].get();
                for (const auto& DO : LN->List_DO)
                    if (!First_Leaf && DO->Find_First_DA())
                        First_Leaf = DO->Find_First_DA();
            }
        ASSERT_NE(First_Leaf, nullptr);
        ASSERT_TRUE(Model.Add_Variable(0, *First_Leaf));
        for (auto [Col, Text] : std::initializer_list<std::pair<int, const char*>>{{Var_Col::IPAddress, "10.0.0.1"},
                                                                                   {Var_Col::Port, "102"},
                                                                                   {Var_Col::Position, "0"},
                                                                                   {Var_Col::MoltFact, "None"},
                                                                                   {Var_Col::StartByte, "0"},
                                                                                   {Var_Col::NumByte, "1"}})
            Model.Edit_Cell(TTable_Id::Variables, 1, Col, Text);
        const std::size_t Members = First_Set ? First_Set->List_DA.size() : 0;
        if (First_Set) {
            ASSERT_TRUE(Model.Add_DataSet(0, *First_Set));
        }
        ASSERT_FALSE(Model.Save(File, English(), ','));
        const std::string Saved = Read(File);

        Model.Load(Conf, File);
        EXPECT_EQ(Model.Device_Entry(0).State(), TDevice_State::Decoded);
        if (First_Set) {
            ASSERT_EQ(Model.List_DataSet().size(), 1u);
            EXPECT_EQ(Model.List_DataSet()[0]->List_DAs.size(), Members);
        }
        EXPECT_EQ(Model.Xml_Text(), Saved);
    }
    fs::remove_all(Conf);
}

} // namespace
