// The update script: its exact form, the operations of each option, and writing it beside the executable.
#include "update/Update_Script.h"

#include "common/File_Error.h"
#include "common/Xml.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>
#include <vector>

using namespace update;
namespace fs = std::filesystem;

namespace {

struct TTemp_Dir
{
    fs::path Path = fs::temp_directory_path() / ("ct40510-update-" + std::to_string(std::random_device{}()));
    TTemp_Dir() { fs::create_directories(Path); }
    ~TTemp_Dir() { fs::remove_all(Path); }
};

std::string Read(const fs::path& File)
{
    std::ifstream In(File, std::ios::binary);
    std::ostringstream Out;
    Out << In.rdbuf();
    return Out.str();
}

const TAddress_Texts Device_Address{"192", "168", "2", "205"};

std::string Operation_Text(const std::string& File, const char* Start, const char* Bank, const char* Read_Back,
                           const char* Css, const char* App_After)
{
    return std::string("<Operation><Ope_Protection_Enabled/><Ope_GoToBoot_Before>0</Ope_GoToBoot_Before>"
                       "<Ope_GoToApp_Before>0</Ope_GoToApp_Before><Ope_IP_Address/><Ope_Port>2008</Ope_Port>"
                       "<Ope_Port_Sec>2007</Ope_Port_Sec><Ope_Erase_Memory>0</Ope_Erase_Memory><Ope_FileName>") +
           File + "</Ope_FileName><Ope_Start_Address>" + Start +
           "</Ope_Start_Address><Ope_Memory_Type>0</Ope_Memory_Type><Ope_Bank_Type>" + Bank +
           "</Ope_Bank_Type><Ope_Read_Back>" + Read_Back + "</Ope_Read_Back><Ope_Write_CSS>" + Css +
           "</Ope_Write_CSS><Ope_Address_CSS>0x07A00</Ope_Address_CSS><Ope_Command_CSS>0x02</Ope_Command_CSS>"
           "<Ope_Write_Internal_Data>0</Ope_Write_Internal_Data><Ope_WID_Address>0x07810</Ope_WID_Address>"
           "<Ope_WID_Command>0x02</Ope_WID_Command><Ope_WID_Data>0x00, 0x00, 0x00, 0x01</Ope_WID_Data>"
           "<Ope_GoToApp_After>" +
           App_After + "</Ope_GoToApp_After></Operation>";
}

} // namespace

TEST(Update_Script, IsWrittenExactlyBesideTheExecutable)
{
    TTemp_Dir Dir;
    const TUpdate_Folders Folders{Dir.Path, Dir.Path / "MASTER", Dir.Path / "PROJECTS" / "Plant A"};
    const fs::path File = Compile_XML_Parameter_New_Boot(Device_Address, 0, true, Folders);
    EXPECT_EQ(File, Dir.Path / "Ethernet_Update.xml");

    const std::string Bin = (Dir.Path / "PROJECTS" / "Plant A" / "bin").string();
    const std::string Want =
        "<Ethernet_Update><Version>1000</Version><Title>Brisol - CT40510 Ethernet Update</Title>"
        "<IP_Address_Dev>192.168.2.205</IP_Address_Dev><Application_Port>10000</Application_Port>"
        "<Boot_Port>2008</Boot_Port><Boot_Port_Sec>2007</Boot_Port_Sec>"
        "<Address_Protection>0x07800</Address_Protection><Protections><Protection>0x224</Protection></Protections>"
        "<Operations>" +
        Operation_Text((Dir.Path / "MASTER" / "Sim40510.sim").string(), "0x8000", "1", "1", "1", "0") +
        Operation_Text(Bin + "/bank1.bin", "0x07000", "2", "1", "0", "0") +
        Operation_Text(Bin + "/bank2.bin", "0x80000", "2", "1", "0", "1") + "</Operations></Ethernet_Update>";
    EXPECT_EQ(Read(File), Want);

    // A later update replaces the script whole.
    Compile_XML_Parameter_New_Boot(Device_Address, 1, false, Folders);
    EXPECT_EQ(Read(File).find("bank1.bin"), std::string::npos);
}

struct TOption_Case
{
    int Option;
    bool Read_Back;
    std::vector<std::string> Files; ///< file names of the operations, in order
};

class Update_Script_Option : public ::testing::TestWithParam<TOption_Case>
{};

TEST_P(Update_Script_Option, HoldsTheOperationsOfTheOption)
{
    const TOption_Case& Case = GetParam();
    pugi::xml_document Doc;
    Build_Update_Script(Doc, Device_Address, Case.Option, Case.Read_Back, "/opt/ct/MASTER", "/opt/ct/PROJECTS/P1");
    std::vector<std::string> Files;
    std::vector<std::string> App_After;
    for (pugi::xml_node Op : Doc.child("Ethernet_Update").child("Operations").children()) {
        ASSERT_STREQ(Op.name(), "Operation");
        EXPECT_EQ(std::distance(Op.children().begin(), Op.children().end()), 20);
        Files.push_back(fs::path(common::Child_Text(Op, "Ope_FileName")).filename().string());
        App_After.push_back(common::Child_Text(Op, "Ope_GoToApp_After"));
        EXPECT_EQ(common::Child_Text(Op, "Ope_Read_Back"), Case.Read_Back ? "1" : "0");
    }
    EXPECT_EQ(Files, Case.Files);
    // Only the last operation sends the device back to its application.
    ASSERT_FALSE(App_After.empty());
    for (std::size_t I = 0; I + 1 < App_After.size(); ++I)
        EXPECT_EQ(App_After[I], "0") << I;
    EXPECT_EQ(App_After.back(), "1");
}

INSTANTIATE_TEST_SUITE_P(Options, Update_Script_Option,
                         ::testing::Values(TOption_Case{0, true, {"Sim40510.sim", "bank1.bin", "bank2.bin"}},
                                           TOption_Case{0, false, {"Sim40510.sim", "bank1.bin", "bank2.bin"}},
                                           TOption_Case{1, false, {"Sim40510.sim"}},
                                           TOption_Case{2, true, {"bank1.bin", "bank2.bin"}}));

TEST(Update_Script, KeepsTheAddressTextsAsTypedAndNamesFullPaths)
{
    pugi::xml_document Doc;
    Build_Update_Script(Doc, {"192", "168", "002", " 5"}, 2, true, "MASTER", "PROJECTS/P1");
    const pugi::xml_node Root = Doc.child("Ethernet_Update");
    EXPECT_EQ(common::Child_Text(Root, "IP_Address_Dev"), "192.168.002. 5");
    const pugi::xml_node First = Root.child("Operations").child("Operation");
    EXPECT_EQ(fs::path(common::Child_Text(First, "Ope_FileName")), fs::current_path() / "PROJECTS/P1/bin/bank1.bin");
    EXPECT_EQ(common::Child_Text(First, "Ope_Start_Address"), "0x07000");
}

TEST(Update_Script, RefusesAnOptionOutsideTheListAndReportsAFailedWrite)
{
    TTemp_Dir Dir;
    pugi::xml_document Doc;
    EXPECT_THROW(Build_Update_Script(Doc, Device_Address, 3, true, "M", "C"), std::invalid_argument);
    EXPECT_THROW(Build_Update_Script(Doc, Device_Address, -1, true, "M", "C"), std::invalid_argument);
    const TUpdate_Folders Missing{Dir.Path / "gone", Dir.Path / "gone" / "MASTER", Dir.Path / "P"};
    EXPECT_THROW(Compile_XML_Parameter_New_Boot(Device_Address, 0, true, Missing), common::TFile_Error);
}

TEST(Update_Script, SplitsADottedAddressIntoExactlyFourTexts)
{
    TAddress_Texts Parts{"a", "b", "c", "d"};
    EXPECT_TRUE(Split_Address("10.0.00.1", Parts));
    EXPECT_EQ(Parts, (TAddress_Texts{"10", "0", "00", "1"}));
    EXPECT_EQ(Join_Address(Parts), "10.0.00.1");
    EXPECT_TRUE(Split_Address("...", Parts));
    EXPECT_EQ(Parts, (TAddress_Texts{"", "", "", ""}));
    for (const char* Bad : {"10.0.0", "10.0.0.1.2", "", "10"})
        EXPECT_FALSE(Split_Address(Bad, Parts)) << Bad;
}
