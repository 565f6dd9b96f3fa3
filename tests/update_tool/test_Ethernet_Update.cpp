// The check tool Ethernet_Update: a sound script passes with its plan, every kind of fault is named, and the
// chain from ct40510-cli update-script to the tool works end to end. The images come from the image compiler.
#include "Script_Check.h"

#include "common/Atomic_File.h"
#include "image/Client_Image.h"
#include "image/Param_Block.h"
#include "update/Execute_Update.h"
#include "update/Update_Script.h"

#include "Fake_Echo.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <random>
#include <sys/wait.h>

namespace fs = std::filesystem;
using update_tool::Check_Update_Script;
using update_tool::TScript_Check;

namespace {

std::string Bank1_Bytes()
{
    image::TParam_Block Block;
    image::Set_Block_Defaults(Block);
    Block.Set_U32(image::Param_Offset::Client_Image_Add, image::Client_Image_Base);
    std::vector<std::uint8_t> Buffer(image::Param_Block_Size);
    image::Write_Block_Image(Block, 0, Buffer);
    return {Buffer.begin(), Buffer.end()};
}

// One variable, a data set without members and one with two.
std::string Bank2_Bytes()
{
    image::TIEC61850_Client Client;
    image::TIEC61850_Variable Variable;
    Variable.bType = "FLOAT32";
    Variable.hostname = "192.168.0.20";
    Variable.reference = "IED1LD0/MMXU1.TotW.mag.f";
    Client.VariableList.push_back(Variable);
    image::TDataSet Empty;
    Empty.goose_name = "";
    Empty.reference = "IED1LD0/LLN0.Empty";
    Empty.hostname = "192.168.0.21";
    image::TDataSet Two = Empty;
    Two.reference = "IED1LD0/LLN0.Two";
    for (const char* Reference : {"IED1LD0/GGIO1.Ind1.stVal", "IED1LD0/GGIO1.Ind2.stVal"}) {
        image::TIEC61850_Variable_DS Member;
        Member.bType = "BOOLEAN";
        Member.reference = Reference;
        Two.VariableList.push_back(Member);
    }
    Two.nVariable = 2;
    Client.DataSetList = {Empty, Two};
    Client.nVariable = 1;
    Client.nDataSet = 2;
    image::Assign_Addresses(Client, image::Client_Image_Base);
    std::vector<std::uint8_t> Buffer;
    const std::size_t Length = image::Write_Client_Image(Client, 0, Buffer);
    return {Buffer.begin(), Buffer.begin() + static_cast<std::ptrdiff_t>(Length)};
}

void Write(const fs::path& File, const std::string& Bytes)
{
    std::ofstream(File, std::ios::binary | std::ios::trunc) << Bytes;
}

std::string Read(const fs::path& File)
{
    std::ifstream In(File, std::ios::binary);
    return {std::istreambuf_iterator<char>(In), {}};
}

void Put_U32(std::string& Bytes, std::size_t Offset, std::uint32_t Value)
{
    for (int I = 0; I < 4; ++I)
        Bytes[Offset + static_cast<std::size_t>(I)] = static_cast<char>(Value >> (8 * I) & 0xFF);
}

// A program folder as the configurator leaves it after a compile run and an update script.
struct TProgram_Folder
{
    fs::path Path = fs::temp_directory_path() / ("ct40510-tool-" + std::to_string(std::random_device{}()));
    fs::path Conf = Path / "PROJECTS" / "Plant 1";
    fs::path Bank1 = Conf / "bin" / "bank1.bin";
    fs::path Bank2 = Conf / "bin" / "bank2.bin";
    fs::path Script = Path / "Ethernet_Update.xml";

    explicit TProgram_Folder(int Option = 0)
    {
        fs::create_directories(Conf / "bin");
        fs::create_directories(Path / "MASTER");
        Write(Path / "MASTER" / "Sim40510.sim", "firmware");
        Write(Bank1, Bank1_Bytes());
        Write(Bank2, Bank2_Bytes());
        update::Compile_XML_Parameter_New_Boot({"192", "168", "2", "205"}, Option, true, {Path, Path / "MASTER", Conf});
    }
    ~TProgram_Folder() { fs::remove_all(Path); }

    void Edit_Script(const std::string& From, const std::string& To)
    {
        std::string Text = Read(Script);
        const std::size_t At = Text.find(From);
        ASSERT_NE(At, std::string::npos) << From;
        Text.replace(At, From.size(), To);
        Write(Script, Text);
    }
};

struct TRun
{
    int Exit_Code = -1;
    std::string Output;
};

TRun Run_Command(const std::string& Command)
{
    TRun Result;
    FILE* Pipe = ::popen((Command + " 2>&1").c_str(), "r");
    if (Pipe == nullptr)
        return Result;
    char Buffer[4096];
    std::size_t N = 0;
    while ((N = std::fread(Buffer, 1, sizeof Buffer, Pipe)) > 0)
        Result.Output.append(Buffer, N);
    const int Status = ::pclose(Pipe);
    Result.Exit_Code = WIFEXITED(Status) ? WEXITSTATUS(Status) : -1;
    return Result;
}

std::string Quoted(const fs::path& Path)
{
    return "'" + Path.string() + "'";
}

} // namespace

TEST(Ethernet_Update_Check, ASoundScriptGivesThePlanOfEveryOption)
{
    for (int Option : {0, 1, 2}) {
        TProgram_Folder Folder(Option);
        const TScript_Check Check = Check_Update_Script(Folder.Script);
        EXPECT_TRUE(Check.Sound()) << Option << ": " << (Check.Problems.empty() ? "" : Check.Problems.front());
        EXPECT_EQ(Check.Device_Address, "192.168.2.205");
        const std::size_t Want = Option == 0 ? 3 : Option == 1 ? 1 : 2;
        ASSERT_EQ(Check.Operations.size(), Want);
        EXPECT_EQ(Check.Operations.back().Go_To_App_After, "1");
        if (Option != 1) {
            EXPECT_EQ(Check.Operations.back().Kind, "IEC 61850 client image");
            EXPECT_EQ(Check.Operations.back().Start_Address, "0x80000");
            EXPECT_EQ(Check.Operations.back().File, Folder.Bank2.string());
        }
    }
}

struct TFault_Case
{
    const char* Name;
    std::function<void(TProgram_Folder&)> Break;
    const char* Problem; ///< a part of the problem the check must name
};

class Ethernet_Update_Fault : public ::testing::TestWithParam<TFault_Case>
{};

TEST_P(Ethernet_Update_Fault, IsNamed)
{
    TProgram_Folder Folder;
    GetParam().Break(Folder);
    const TScript_Check Check = Check_Update_Script(Folder.Script);
    ASSERT_FALSE(Check.Sound());
    std::string All;
    for (const std::string& Problem : Check.Problems)
        All += Problem + "\n";
    EXPECT_NE(All.find(GetParam().Problem), std::string::npos) << All;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Faults, Ethernet_Update_Fault, ::testing::Values(
    TFault_Case{"Bank1Short", [](TProgram_Folder& F) { Write(F.Bank1, Bank1_Bytes().substr(0, 2047)); },
                "holds 2047 bytes instead of 2048"},
    TFault_Case{"Bank1ByteChanged", [](TProgram_Folder& F) {
                    std::string B = Bank1_Bytes(); B[0x28] = 10; Write(F.Bank1, B); },
                "checksum 3466 stored, the bytes sum to 3284"},
    TFault_Case{"Bank1ChecksumOnly", [](TProgram_Folder& F) {
                    std::string B = Bank1_Bytes(); Put_U32(B, 0x7FC, 3467); Write(F.Bank1, B); },
                "checksum 3467 stored"},
    TFault_Case{"Bank1OtherImageAddress", [](TProgram_Folder& F) {
                    std::string B = Bank1_Bytes(); B[0x5EE] = 9; Put_U32(B, 0x7FC, 3466 + 1); Write(F.Bank1, B); },
                "bank1.bin places the client image at 0x90000"},
    TFault_Case{"Bank2ShorterThanItsHeader", [](TProgram_Folder& F) { Write(F.Bank2, Bank2_Bytes().substr(0, 23)); },
                "holds 23 bytes, less than its 24-byte header"},
    TFault_Case{"Bank2BytesAfterTheLastText", [](TProgram_Folder& F) { Write(F.Bank2, Bank2_Bytes() + "x"); },
                "1 bytes follow the last text"},
    TFault_Case{"Bank2LastTextCut", [](TProgram_Folder& F) {
                    const std::string B = Bank2_Bytes(); Write(F.Bank2, B.substr(0, B.size() - 1)); },
                "data set 2 member 2: reference: the text at offset"},
    TFault_Case{"Bank2TextAddressOff", [](TProgram_Folder& F) {
                    std::string B = Bank2_Bytes(); B[24 + 28] = static_cast<char>(B[24 + 28] + 1); Write(F.Bank2, B); },
                "variable 1: reference at offset 52"},
    TFault_Case{"Bank2MemberListElsewhere", [](TProgram_Folder& F) {
                    std::string B = Bank2_Bytes(); B[24 + 32 + 28 + 24] = 0; Write(F.Bank2, B); },
                "data set 2: VariableList_Add"},
    TFault_Case{"Bank2CountsTooLarge", [](TProgram_Folder& F) {
                    std::string B = Bank2_Bytes(); Put_U32(B, 0, 0x7FFFFFFF); Write(F.Bank2, B); },
                "do not fit"},
    TFault_Case{"Bank2LoadedElsewhere", [](TProgram_Folder& F) {
                    F.Edit_Script("<Ope_Start_Address>0x80000<", "<Ope_Start_Address>0x90000<"); },
                "header: Variable_Add at offset 16 is 0x80018, expected 0x90018"},
    TFault_Case{"FirmwareMissing", [](TProgram_Folder& F) { fs::remove(F.Path / "MASTER" / "Sim40510.sim"); },
                "Sim40510.sim does not exist"},
    TFault_Case{"FirmwareEmpty", [](TProgram_Folder& F) { Write(F.Path / "MASTER" / "Sim40510.sim", ""); },
                "Sim40510.sim: is empty"},
    TFault_Case{"Bank1Missing", [](TProgram_Folder& F) { fs::remove(F.Bank1); }, "bank1.bin does not exist"},
    TFault_Case{"ElementMissing", [](TProgram_Folder& F) { F.Edit_Script("<Boot_Port>2008</Boot_Port>", ""); },
                "Ethernet_Update has no element Boot_Port"},
    TFault_Case{"OperationIncomplete", [](TProgram_Folder& F) {
                    F.Edit_Script("<Ope_Bank_Type>1</Ope_Bank_Type>", ""); },
                "operation 1 has no element Ope_Bank_Type"},
    TFault_Case{"NoOperation", [](TProgram_Folder& F) {
                    const std::string T = Read(F.Script); const std::size_t A = T.find("<Operations>") + 12;
                    Write(F.Script, T.substr(0, A) + T.substr(T.find("</Operations>"))); },
                "Operations holds no Operation"},
    TFault_Case{"ApplicationStartedTooEarly", [](TProgram_Folder& F) {
                    F.Edit_Script("<Ope_GoToApp_After>0<", "<Ope_GoToApp_After>1<"); },
                "operation 1: Ope_GoToApp_After is \"1\""},
    TFault_Case{"AddressNotNumeric", [](TProgram_Folder& F) {
                    F.Edit_Script("192.168.2.205", "device.local"); },
                "IP_Address_Dev \"device.local\" is not an IPv4 address"},
    TFault_Case{"NotWellFormed", [](TProgram_Folder& F) { F.Edit_Script("</Title>", "</Titel>"); }, "line 1"},
    TFault_Case{"OtherRoot", [](TProgram_Folder& F) { Write(F.Script, "<Update/>"); },
                "does not begin with the element Ethernet_Update"},
    TFault_Case{"NoScript", [](TProgram_Folder& F) { fs::remove(F.Script); }, "cannot be opened"}),
    [](const ::testing::TestParamInfo<TFault_Case>& Info) { return std::string(Info.param.Name); });
// clang-format on

TEST(Ethernet_Update_Tool, ReadsTheScriptBesideItselfAndReportsThePlan)
{
    TProgram_Folder Folder;
    fs::copy_file(CT_ETHERNET_UPDATE_EXE, Folder.Path / "Ethernet_Update");
    // Started from another folder, as the configurator starts it: the script beside the tool is read.
    const TRun Sound = Run_Command("cd / && " + Quoted(Folder.Path / "Ethernet_Update"));
    EXPECT_EQ(Sound.Exit_Code, 0) << Sound.Output;
    for (const std::string& Want :
         {std::string("does not contact any device"), std::string("Device address: 192.168.2.205"),
          Folder.Bank1.string(), std::string("start address: 0x07000"), std::string("read-back:     on"),
          std::string("The script is sound: 3 operations")})
        EXPECT_NE(Sound.Output.find(Want), std::string::npos) << Want << "\n" << Sound.Output;

    Write(Folder.Bank1, "short");
    const TRun Broken = Run_Command(Quoted(Folder.Path / "Ethernet_Update"));
    EXPECT_EQ(Broken.Exit_Code, 1) << Broken.Output;
    EXPECT_NE(Broken.Output.find("holds 5 bytes instead of 2048"), std::string::npos) << Broken.Output;
    EXPECT_NE(Broken.Output.find("Nothing was sent to the device."), std::string::npos) << Broken.Output;
}

TEST(Ethernet_Update_Tool, TakesTheScriptThatTheCliWrites)
{
    TProgram_Folder Folder;
    fs::remove(Folder.Script);
    fs::copy_file(CT_ETHERNET_UPDATE_EXE, Folder.Path / "Ethernet_Update");
    const TRun Written =
        Run_Command(std::string(CT_CLI_EXE) + " update-script " + Quoted(Folder.Conf) +
                    " --address 192.168.002.205 --option 2 --read-back 0 --out " + Quoted(Folder.Script));
    ASSERT_EQ(Written.Exit_Code, 0) << Written.Output;
    const TRun Checked = Run_Command(Quoted(Folder.Path / "Ethernet_Update"));
    EXPECT_EQ(Checked.Exit_Code, 0) << Checked.Output;
    EXPECT_NE(Checked.Output.find("Device address: 192.168.002.205"), std::string::npos) << Checked.Output;
    EXPECT_NE(Checked.Output.find("read-back:     off"), std::string::npos) << Checked.Output;

    const TRun Refused = Run_Command(std::string(CT_CLI_EXE) + " update-script " + Quoted(Folder.Conf) +
                                     " --address 192.168.2 --option 2 --out " + Quoted(Folder.Path / "other.xml"));
    EXPECT_EQ(Refused.Exit_Code, 1) << Refused.Output;
    EXPECT_FALSE(fs::exists(Folder.Path / "other.xml"));
}

TEST(Ethernet_Update_Tool, IsStartedByTheUpdateRunOnceTheDeviceAnswers)
{
    TProgram_Folder Folder;
    fs::remove(Folder.Script);
    fs::copy_file(CT_ETHERNET_UPDATE_EXE, Folder.Path / "Ethernet_Update");
    update_test::TFake_Clock Clock;
    update_test::TFake_Echo Echo(Clock, [](int, auto) { return update_test::Answer(); });
    const update::TUpdate_Request Request{
        {"192", "168", "2", "205"}, 0, true, {Folder.Path, Folder.Path / "MASTER", Folder.Conf}};
    const update::TUpdate_Outcome Outcome =
        update::Execute_Update(Request, Echo, Clock, nullptr, update::System_Program_Starter());
    EXPECT_EQ(Echo.fHost, "192.168.2.205"); // the fake: nothing left this process
    ASSERT_TRUE(Outcome.Script_Written) << Outcome.Script_Error;
    ASSERT_TRUE(Outcome.Tool_Run);
    EXPECT_EQ(Outcome.Tool.Kind, update::TStart_Result::TKind::Ended) << Outcome.Tool.Error;
    EXPECT_EQ(Outcome.Tool.Exit_Status, 0);
}
