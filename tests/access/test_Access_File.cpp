// IEC_61850_Client.xml: what loading makes of a file and the exact document saving writes.
#include "access/Access_Model.h"

#include "Access_Test_Support.h"
#include "common/File_Error.h"

#include <gtest/gtest.h>

using namespace ct::access;
using namespace access_test;

namespace {

const std::string Head = "<IEC_68850_Client>";
const std::string Tail = "</IEC_68850_Client><!--SW_VERSION = 1.001-->";

std::string Files(const std::vector<std::pair<std::string, std::string>>& Entries)
{
    std::string Text = "<List_ICD_Files>";
    for (const auto& [Name, FileName] : Entries)
        Text += "<ICD_File Name=\"" + Name + "\" FileName=\"" + FileName + "\"/>";
    return Text + "</List_ICD_Files>";
}

// A DA_Item with the 18 attributes in their order.
std::string DA_Item(const std::string& Index, const std::string& bType, const std::string& fc,
                    const std::string& Reference, const std::string& Start, const std::string& Num,
                    const std::string& Rest = R"(IPAddress="192.168.1.10" Port="102" OnChange="N" OnCMD="N" )"
                                              R"(OnTimer="N" Time="" Position="1" StartBit="0" ReadWrite="Read" )"
                                              R"(Convertion="None" MoltFact="None" Mnemonic="")")
{
    return "<DA_Item Index=\"" + Index + "\" bType=\"" + bType + "\" fc=\"" + fc + "\" Reference=\"" + Reference +
           "\" StartByte=\"" + Start + "\" NumByte=\"" + Num + "\" " + Rest + "/>";
}

std::string Member(const std::string& bType, const std::string& Reference, const std::string& Position = "3")
{
    return "<DataSet_DA_Item bType=\"" + bType + "\" Reference=\"" + Reference + "\" Position=\"" + Position +
           R"(" StartBit="2" Convertion="ItoF/FtoI" MoltFact="0,5" Mnemonic="m"/>)";
}

std::string DataSet_Item(const std::string& Index, const std::string& Reference, const std::string& Goose,
                         const std::string& Members)
{
    return "<DataSet_Item Index=\"" + Index + "\" Reference=\"" + Reference + "\" GooseName=\"" + Goose +
           R"(" EnGoose="N" IPAddress="10.0.0.2" Port="102" Time="500" Mnemonic="ds">)" +
           (Members.empty() ? std::string("<DataSet_List_DAs/>")
                            : "<DataSet_List_DAs>" + Members + "</DataSet_List_DAs>") +
           "</DataSet_Item>";
}

std::string Variables_List(const std::string& Items)
{
    return Items.empty() ? "<List_DA_Selected/>" : "<List_DA_Selected>" + Items + "</List_DA_Selected>";
}

std::string DataSets_List(const std::string& Items)
{
    return Items.empty() ? "<List_DataSet_Selected/>" : "<List_DataSet_Selected>" + Items + "</List_DataSet_Selected>";
}

const std::string F = "IED1LD0/MMXU1.TotW.mag.f";
const std::string Q = "IED1LD0/MMXU1.TotW.q";
const std::string StVal = "IED1LD0/GGIO1.Ind1.stVal";

// One device, two variables (a fixed-size and a string type) and one data set with its three members, with texts
// that must come back unchanged: blanks, a decimal comma, markup characters, non-ASCII letters.
const std::string Full_File =
    Head + Files({{"IED1", "dev.icd"}}) +
    Variables_List(DA_Item("0", "FLOAT32", "MX", F, "0", "4",
                           R"(IPAddress=" 192.168.1.10 " Port="102" OnChange="Y" OnCMD="N" OnTimer="Y" )"
                           R"(Time="1000" Position="5" StartBit="3" ReadWrite="Write" Convertion="ItoF/FtoI" )"
                           R"(MoltFact="1,5" Mnemonic="Leistung &amp; Wärme &lt;1>")") +
                   DA_Item("0", "VisString255", "DC", "IED1LD0/GGIO1.Str.d", "10", "20")) +
    DataSets_List(DataSet_Item("0", "IED1LD0/LLN0.DS1", "GC1",
                               Member("FLOAT32", F) + Member("Quality", Q, "") + Member("BOOLEAN", StVal, "$10"))) +
    Tail;

class Access_File : public TConf_Folder
{};

TEST_F(Access_File, EmptyConfigurationWritesThreeEmptyLists)
{
    Load(); // no file yet
    EXPECT_EQ(Model.Device_Count(), 0);
    EXPECT_TRUE(Model.Variables().Is_Empty());
    EXPECT_TRUE(Model.List_DataSet().empty());
    EXPECT_FALSE(Model.Save(File, English(), ','));
    EXPECT_EQ(Read(File), Head + "<List_ICD_Files/><List_DA_Selected/><List_DataSet_Selected/>" + Tail);
}

TEST_F(Access_File, RoundTripReproducesTheFile)
{
    Catalog_File("dev.icd", Tiny_Scl());
    Load_Text(Full_File);
    ASSERT_EQ(Model.Device_Count(), 1);
    EXPECT_EQ(Model.Device_Entry(0).State(), TDevice_State::Decoded);
    EXPECT_EQ(Model.Variables().Row_Count(), 2);
    EXPECT_EQ(Model.Variables().Cell(2, Var_Col::N), "2");
    EXPECT_EQ(Model.Variables().Cell(1, Var_Col::Mnemonic), "Leistung & Wärme <1>");
    ASSERT_EQ(Model.List_DataSet().size(), 1u);
    EXPECT_NE(Model.List_DataSet()[0]->Select_DataSet, nullptr);
    EXPECT_EQ(Model.List_DataSet()[0]->List_DAs.size(), 3u);
    EXPECT_EQ(Model.List_DataSet()[0]->List_DAs[2]->Position, "$10");

    EXPECT_FALSE(Model.Save(File, English(), ','));
    EXPECT_EQ(Read(File), Full_File);
}

TEST_F(Access_File, LayoutAndCommentsBetweenElementsCarryNoMeaning)
{
    Catalog_File("dev.icd", Tiny_Scl());
    // Line breaks, indentation and a comment before every tag after the first.
    std::string Pretty;
    for (char C : Full_File) {
        if (C == '<' && !Pretty.empty())
            Pretty += "\n  <!-- note -->\n  ";
        Pretty += C;
    }
    ASSERT_NE(Pretty, Full_File);
    Load_Text("<!-- before -->\n" + Pretty);
    EXPECT_EQ(Model.Xml_Text(), Full_File);
}

TEST_F(Access_File, AbsentAttributesLoadEmptyAndTheTypeRuleFillsFixedSizes)
{
    Load_Text(Head + "<List_DA_Selected>" +
              R"(<DA_Item Index="0" bType="Float32" fc="MX" Reference="r1" IPAddress="1.2.3.4"/>)" +
              R"(<DA_Item Index="0" bType="VisString255" fc="DC" Reference="r2"/>)" + "</List_DA_Selected>" + Tail);
    const TAccess_Table& Vars = Model.Variables();
    ASSERT_EQ(Vars.Row_Count(), 2);
    EXPECT_EQ(Vars.Cell(1, Var_Col::StartByte), "0");
    EXPECT_EQ(Vars.Cell(1, Var_Col::NumByte), "4");
    EXPECT_TRUE(Vars.Read_Only(1, Var_Col::NumByte));
    EXPECT_EQ(Vars.Cell(2, Var_Col::StartByte), "");
    EXPECT_FALSE(Vars.Read_Only(2, Var_Col::StartByte));
    EXPECT_EQ(Vars.Cell(1, Var_Col::Port), "");
    const std::string Empty_Rest = R"(IPAddress="" Port="" OnChange="" OnCMD="" OnTimer="" Time="" Position="" )"
                                   R"(StartBit="" ReadWrite="" Convertion="" MoltFact="" Mnemonic="")";
    EXPECT_EQ(Model.Xml_Text(),
              Head + "<List_ICD_Files/>" +
                  Variables_List(DA_Item("0", "Float32", "MX", "r1", "0", "4",
                                         R"(IPAddress="1.2.3.4" Port="" OnChange="" OnCMD="" OnTimer="" Time="" )"
                                         R"(Position="" StartBit="" ReadWrite="" Convertion="" MoltFact="" )"
                                         R"(Mnemonic="")") +
                                 DA_Item("0", "VisString255", "DC", "r2", "", "", Empty_Rest)) +
                  "<List_DataSet_Selected/>" + Tail);
}

TEST_F(Access_File, MembersWhosePositionChangedAreDropped)
{
    Catalog_File("dev.icd", Tiny_Scl({.Reverse_DS1 = true})); // now stVal, q, f
    Load_Text(Full_File);
    ASSERT_EQ(Model.List_DataSet().size(), 1u);
    const TDataSet& Chosen = *Model.List_DataSet()[0];
    ASSERT_EQ(Chosen.List_DAs.size(), 1u);
    EXPECT_EQ(Chosen.List_DAs[0]->Reference(), Q);
    EXPECT_EQ(Chosen.List_DAs[0]->multFactor, "0,5");
}

TEST_F(Access_File, TwoDataSetsOfOneReferenceLinkToTheFirst)
{
    Catalog_File("dev.icd", Tiny_Scl());
    const std::string Ref = "IED1LD0/GGIO.DSX";
    Load_Text(Head + Files({{"IED1", "dev.icd"}}) +
              DataSets_List(DataSet_Item("0", Ref, "", Member("BOOLEAN", StVal)) +
                            DataSet_Item("0", Ref, "", Member("Quality", "IED1LD0/GGIO1.Ind1.q"))) +
              Tail);
    const auto& Sets = Model.List_DataSet();
    ASSERT_EQ(Sets.size(), 2u);
    const iec61850::TIEC_DataSet* First = Model.Device(0)->List_LDevice[0]->List_LN[2]->List_DataSet[0].get();
    EXPECT_EQ(Sets[0]->Select_DataSet, First);
    EXPECT_EQ(Sets[1]->Select_DataSet, First);
    EXPECT_EQ(Sets[0]->List_DAs.size(), 1u);
    EXPECT_TRUE(Sets[1]->List_DAs.empty()); // its member belongs to the second DSX
}

TEST_F(Access_File, DataSetsThatCannotBeFoundKeepTheirRowsWithoutMembers)
{
    Catalog_File("dev.icd", Tiny_Scl());
    const std::string Members = Member("FLOAT32", F);
    Load_Text(Head + Files({{"IED1", "dev.icd"}}) +
              DataSets_List(DataSet_Item("0", "IED1LD0/LLN0.NoSuchSet", "", Members) +
                            DataSet_Item("7", "IED1LD0/LLN0.DS1", "", Members) +
                            DataSet_Item("zero", "IED1LD0/LLN0.DS1", "", Members)) +
              Tail);
    ASSERT_EQ(Model.List_DataSet().size(), 3u);
    for (const auto& Chosen : Model.List_DataSet()) {
        EXPECT_EQ(Chosen->Select_DataSet, nullptr);
        EXPECT_TRUE(Chosen->List_DAs.empty());
    }
    EXPECT_EQ(Model.DataSets().Cell(3, DS_Col::Index), "zero");
    EXPECT_EQ(Model.Xml_Text(), Head + Files({{"IED1", "dev.icd"}}) + Variables_List("") +
                                    DataSets_List(DataSet_Item("0", "IED1LD0/LLN0.NoSuchSet", "", "") +
                                                  DataSet_Item("7", "IED1LD0/LLN0.DS1", "", "") +
                                                  DataSet_Item("zero", "IED1LD0/LLN0.DS1", "", "")) +
                                    Tail);
}

TEST_F(Access_File, PlaceholdersKeepTheirIndexAndEverythingStored)
{
    Catalog_File("bad.icd", "<SCL><IED name=\"IEDB\">");
    Catalog_File("dev.icd", Tiny_Scl());
    const std::string Text =
        Head + Files({{"IEDX", "gone.icd"}, {"IEDB", "bad.icd"}, {"IED1", "dev.icd"}}) +
        Variables_List(DA_Item("0", "FLOAT32", "MX", "IEDXLD/A.b.c", "0", "4") +
                       DA_Item("1", "Octet64", "ST", "IEDBLD/A.b.c", "1", "2") +
                       DA_Item("2", "FLOAT32", "MX", F, "0", "4")) +
        DataSets_List(
            DataSet_Item("0", "IEDXLD/LLN0.DS", "G", Member("INT32", "IEDXLD/A.x") + Member("Odd", "anything")) +
            DataSet_Item("1", "IEDBLD/LLN0.DS", "", Member("BOOLEAN", "IEDBLD/B.y", "")) +
            DataSet_Item("2", "IED1LD0/LLN0.DS1", "GC1",
                         Member("FLOAT32", F) + Member("Quality", Q) + Member("BOOLEAN", StVal))) +
        Tail;
    Load_Text(Text);
    ASSERT_EQ(Model.Device_Count(), 3);
    EXPECT_EQ(Model.Device_Entry(0).State(), TDevice_State::Missing);
    EXPECT_EQ(Model.Device_Entry(0).Name(), "IEDX");
    EXPECT_EQ(Model.Device_Entry(1).State(), TDevice_State::Unreadable);
    EXPECT_NE(Model.Device_Entry(1).Problem(), "");
    EXPECT_EQ(Model.Device(1), nullptr);
    EXPECT_EQ(Model.Device_Entry(2).State(), TDevice_State::Decoded);
    // The device after the placeholders keeps index 2, so its data set is found there.
    const auto& Sets = Model.List_DataSet();
    ASSERT_EQ(Sets.size(), 3u);
    EXPECT_NE(Sets[2]->Select_DataSet, nullptr);
    EXPECT_EQ(Sets[2]->List_DAs.size(), 3u);
    ASSERT_EQ(Sets[0]->List_DAs.size(), 2u);
    EXPECT_EQ(Sets[0]->List_DAs[1]->bType(), "Odd");
    EXPECT_EQ(Sets[0]->Select_DataSet, nullptr);

    EXPECT_EQ(Model.Xml_Text(), Text);
}

// FileName values that are not plain file names: a file exists where each would lead, and is never read.
class Access_File_Name : public TConf_Folder, public ::testing::WithParamInterface<const char*>
{};

TEST_P(Access_File_Name, IsNeverOpened)
{
    Write(Conf / "outside.icd", Tiny_Scl());
    Write(Catalog / "sub" / "dev.icd", Tiny_Scl());
    const std::string Text = Head + Files({{"IED1", GetParam()}}) + Variables_List("") + DataSets_List("") + Tail;
    Load_Text(Text);
    ASSERT_EQ(Model.Device_Count(), 1);
    EXPECT_EQ(Model.Device_Entry(0).State(), TDevice_State::Missing);
    EXPECT_EQ(Model.Device_Entry(0).FileName(), GetParam());
    EXPECT_EQ(Model.Xml_Text(), Text);
}

INSTANTIATE_TEST_SUITE_P(Names, Access_File_Name,
                         ::testing::Values("../outside.icd", "sub/dev.icd", "sub\\dev.icd", "..\\outside.icd", ".",
                                           "..", "", "sub"));

TEST_F(Access_File, DecodesTheIedOfTheStoredName)
{
    Catalog_File("two.icd", Tiny_Scl({.IEDs = {"IED1", "IED2"}}));
    Load_Text(Head + Files({{"IED2", "two.icd"}, {"NOSUCH", "two.icd"}}) + Tail);
    ASSERT_EQ(Model.Device_Count(), 2);
    EXPECT_EQ(Model.Device(0)->Name(), "IED2");
    EXPECT_NE(Find_Attribute(*Model.Device(0), "IED2LD0/MMXU1.TotW.mag.f"), nullptr);
    EXPECT_EQ(Model.Device(1)->Name(), "IED1"); // no IED of that name: the first one, as older files expect
    EXPECT_EQ(Model.Xml_Text(),
              Head + Files({{"IED2", "two.icd"}, {"IED1", "two.icd"}}) + Variables_List("") + DataSets_List("") + Tail);
}

TEST_F(Access_File, RefusedSaveWritesNothing)
{
    Write(File, "old content");
    Model.Load(Conf, Conf / "none.xml");
    Model.Set_Cell(TTable_Id::Variables, 1, Var_Col::Index, "0");
    Model.Set_Cell(TTable_Id::Variables, 1, Var_Col::bType, "INT32");
    const auto Refusal = Model.Save(File, English(), ',');
    ASSERT_TRUE(Refusal);
    EXPECT_EQ(Refusal->Text, "Error row 1!! IP Address must be a valid TCP IP Address (Ex. 192.168.1.125)");
    EXPECT_EQ(Read(File), "old content");

    Model.Set_Cell(TTable_Id::Variables, 1, Var_Col::bType, ""); // the check skips the row
    EXPECT_THROW(Model.Save(Conf / "missing" / "IEC_61850_Client.xml", English(), ','), common::TFile_Error);
    EXPECT_EQ(Read(File), "old content");
}

TEST_F(Access_File, MalformedFilesThrowAndLeaveAnEmptyConfiguration)
{
    Catalog_File("dev.icd", Tiny_Scl());
    int Changes = 0;
    Model.On_Devices_Changed = [&] { ++Changes; };
    Load_Text(Full_File);
    ASSERT_EQ(Model.Device_Count(), 1);
    EXPECT_EQ(Changes, 1);

    Write(File, Head + "\n" + Files({{"IED1", "dev.icd"}}) + "\n<List_DA_Selected>" + Tail);
    try {
        Load();
        FAIL() << "no error";
    } catch (const common::TFile_Error& Error) {
        EXPECT_EQ(Error.File(), File);
        EXPECT_GE(Error.Line(), 2);
    }
    EXPECT_EQ(Model.Device_Count(), 0);
    EXPECT_TRUE(Model.Variables().Is_Empty());
    EXPECT_EQ(Changes, 2);

    Write(File, "<IEC_61850_Client>" + Files({{"IED1", "dev.icd"}}) + "</IEC_61850_Client>");
    EXPECT_THROW(Load(), common::TFile_Error);
    EXPECT_EQ(Model.Device_Count(), 0);
}

} // namespace
