// ParGen.xml: what the window reads from it and the exact document it writes.
#include "comm/ParGen.h"

#include "common/File_Error.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <random>

using namespace comm;
namespace fs = std::filesystem;

namespace {

// The document the window writes for its defaults.
const std::string Defaults_Document =
    "<Par_Gen>"
    "<IEC61850_Client_IP1>192</IEC61850_Client_IP1><IEC61850_Client_IP2>168</IEC61850_Client_IP2>"
    "<IEC61850_Client_IP3>0</IEC61850_Client_IP3><IEC61850_Client_IP4>10</IEC61850_Client_IP4>"
    "<IEC61850_Client_SM1>255</IEC61850_Client_SM1><IEC61850_Client_SM2>255</IEC61850_Client_SM2>"
    "<IEC61850_Client_SM3>255</IEC61850_Client_SM3><IEC61850_Client_SM4>0</IEC61850_Client_SM4>"
    "<IEC61850_Client_GAT1>192</IEC61850_Client_GAT1><IEC61850_Client_GAT2>168</IEC61850_Client_GAT2>"
    "<IEC61850_Client_GAT3>0</IEC61850_Client_GAT3><IEC61850_Client_GAT4>1</IEC61850_Client_GAT4>"
    "<IEC61850_Client_En_GAT>0</IEC61850_Client_En_GAT>"
    "<IEC61850_Client_VLAN>0</IEC61850_Client_VLAN>"
    "<IEC61850_Client_Application_ID>0</IEC61850_Client_Application_ID>"
    "<MODBUS_SLAVE_SERIAL>0</MODBUS_SLAVE_SERIAL><MODBUS_SLAVE_BAUDRATE>7</MODBUS_SLAVE_BAUDRATE>"
    "<MODBUS_SLAVE_PARITY>0</MODBUS_SLAVE_PARITY><MODBUS_SLAVE_STOPBITS>0</MODBUS_SLAVE_STOPBITS>"
    "<MODBUS_SLAVE_IDDEVICE>10</MODBUS_SLAVE_IDDEVICE>"
    "<MODBUS_SLAVE_READ_INPUT_REGISTER>1</MODBUS_SLAVE_READ_INPUT_REGISTER>"
    "<NTP_Server_URL/><NTP_Poll_Time/>"
    "</Par_Gen><!--SW_VERSION = 1.001-->";

struct TTemp_Dir
{
    fs::path Path = fs::temp_directory_path() / ("ct40510-comm-" + std::to_string(std::random_device{}()));
    TTemp_Dir() { fs::create_directories(Path); }
    ~TTemp_Dir() { fs::remove_all(Path); }
};

void Write(const fs::path& File, const std::string& Text)
{
    std::ofstream(File, std::ios::binary) << Text;
}

std::string Read(const fs::path& File)
{
    std::ifstream In(File, std::ios::binary);
    return {std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>()};
}

TParGen Parse(const std::string& Text)
{
    return ParGen_From_Texts(Parse_ParGen_Texts(Text, "ParGen.xml"));
}

// Doc (the defaults document unless given) with the element Name holding Text instead, or left out when Text is
// null.
std::string With(const std::string& Name, const char* Text, std::string Doc = Defaults_Document)
{
    const std::size_t Begin = Doc.find("<" + Name + ">");
    const std::string Close = "</" + Name + ">";
    const std::size_t End = Doc.find(Close, Begin) + Close.size();
    Doc.replace(Begin, End - Begin, Text == nullptr ? "" : "<" + Name + ">" + Text + Close);
    return Doc;
}

} // namespace

TEST(ParGen_File, WithoutAFileTheDefaultsAreShownAndOkWritesTheDefaultsDocument)
{
    TTemp_Dir Dir;
    const fs::path File = Dir.Path / ParGen_File_Name;
    const TParGen Values = Read_ParGen(File);
    EXPECT_EQ(Values, TParGen{});
    EXPECT_FALSE(fs::exists(File)); // reading never creates the file

    Write_ParGen(File, Values);
    EXPECT_EQ(Read(File), Defaults_Document);
    EXPECT_EQ(Read_ParGen(File), TParGen{});
}

struct TRead_Case
{
    const char* Name;
    std::string Document;
    std::function<void(TParGen&)> Expect; // turns the defaults into what must be read
};

class ParGen_Reading : public ::testing::TestWithParam<TRead_Case>
{};

TEST_P(ParGen_Reading, GivesEachValueItsOwnRule)
{
    TParGen Want;
    GetParam().Expect(Want);
    EXPECT_EQ(Parse(GetParam().Document), Want);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, ParGen_Reading, ::testing::Values(
    TRead_Case{"GatewayFlagTrueIsOff", With("IEC61850_Client_En_GAT", "true"), [](TParGen&) {}},
    TRead_Case{"GatewayFlagOneIsOn", With("IEC61850_Client_En_GAT", "1"), [](TParGen& V) { V.IEC61850_Client_En_GAT = true; }},
    TRead_Case{"GatewayFlagBlankOneIsOff", With("IEC61850_Client_En_GAT", " 1"), [](TParGen&) {}},
    TRead_Case{"ReadInputMissingIsOn", With("MODBUS_SLAVE_READ_INPUT_REGISTER", nullptr), [](TParGen&) {}},
    TRead_Case{"ReadInputEmptyIsOff", With("MODBUS_SLAVE_READ_INPUT_REGISTER", ""), [](TParGen& V) { V.MODBUS_SLAVE_READ_INPUT_REGISTER = false; }},
    TRead_Case{"BaudrateLettersGive115200", With("MODBUS_SLAVE_BAUDRATE", "fast"), [](TParGen&) {}},
    TRead_Case{"BaudrateBeyondTheListGives115200", With("MODBUS_SLAVE_BAUDRATE", "9"), [](TParGen&) {}},
    TRead_Case{"BaudrateNegativeGives115200", With("MODBUS_SLAVE_BAUDRATE", "-1"), [](TParGen&) {}},
    TRead_Case{"BaudrateLenientInteger", With("MODBUS_SLAVE_BAUDRATE", " $3"), [](TParGen& V) { V.MODBUS_SLAVE_BAUDRATE = 3; }},
    TRead_Case{"SerialBeyondTheListGivesRS232", With("MODBUS_SLAVE_SERIAL", "2"), [](TParGen&) {}},
    TRead_Case{"ParityEven", With("MODBUS_SLAVE_PARITY", "2"), [](TParGen& V) { V.MODBUS_SLAVE_PARITY = 2; }},
    TRead_Case{"StopBitsTwo", With("MODBUS_SLAVE_STOPBITS", "1"), [](TParGen& V) { V.MODBUS_SLAVE_STOPBITS = 1; }},
    TRead_Case{"OctetKeptAsTyped", With("IEC61850_Client_IP4", "010"), [](TParGen& V) { V.IEC61850_Client_IP[3] = "010"; }},
    TRead_Case{"BadOctetLoadedAsItStands", With("IEC61850_Client_SM2", "999x"), [](TParGen& V) { V.IEC61850_Client_SM[1] = "999x"; }},
    TRead_Case{"EmptyOctet", With("IEC61850_Client_GAT3", ""), [](TParGen& V) { V.IEC61850_Client_GAT[2] = ""; }},
    TRead_Case{"BlanksOnlyKept", With("IEC61850_Client_Application_ID", "  "), [](TParGen& V) { V.IEC61850_Client_Application_ID = "  "; }},
    TRead_Case{"MissingIdDeviceIsTen", With("MODBUS_SLAVE_IDDEVICE", nullptr), [](TParGen&) {}},
    TRead_Case{"MissingOctetIsItsDefaultOnly",
               With("IEC61850_Client_IP2", nullptr, With("IEC61850_Client_IP1", "7")),
               [](TParGen& V) { V.IEC61850_Client_IP[0] = "7"; }},
    TRead_Case{"TheFirstOfTwoElementsCounts",
               "<Par_Gen><MODBUS_SLAVE_IDDEVICE>5</MODBUS_SLAVE_IDDEVICE><MODBUS_SLAVE_IDDEVICE>6</MODBUS_SLAVE_IDDEVICE></Par_Gen>",
               [](TParGen& V) { V.MODBUS_SLAVE_IDDEVICE = "5"; }},
    TRead_Case{"AnyRootNameAnyOrderIndented",
               "<?xml version=\"1.0\"?>\n<Other>\n  <MODBUS_SLAVE_PARITY>1</MODBUS_SLAVE_PARITY>\n"
               "  <IEC61850_Client_VLAN>12</IEC61850_Client_VLAN>\n  <IEC61850_Client_IP1>10</IEC61850_Client_IP1>\n</Other>\n",
               [](TParGen& V) { V.MODBUS_SLAVE_PARITY = 1; V.IEC61850_Client_VLAN = "12"; V.IEC61850_Client_IP[0] = "10"; }},
    TRead_Case{"ExtraContentInsideIsIgnored",
               "<Par_Gen><Unknown>3</Unknown><!-- note --><IEC61850_Client_VLAN>4</IEC61850_Client_VLAN></Par_Gen>",
               [](TParGen& V) { V.IEC61850_Client_VLAN = "4"; }},
    TRead_Case{"ACommentBeforeTheRootGivesAllDefaults", "<!-- saved by hand -->" + With("MODBUS_SLAVE_IDDEVICE", "99"), [](TParGen&) {}},
    TRead_Case{"ByteOrderMarkAccepted", "\xEF\xBB\xBF" + With("IEC61850_Client_Application_ID", "\xC3\xA9t\xC3\xA9"),
               [](TParGen& V) { V.IEC61850_Client_Application_ID = "\xC3\xA9t\xC3\xA9"; }}),
    [](const ::testing::TestParamInfo<TRead_Case>& Info) { return std::string(Info.param.Name); });
// clang-format on

TEST(ParGen_File, OkRewritesAHandEditedFileWholeInTheFixedOrderWithValuesAsTyped)
{
    TTemp_Dir Dir;
    const fs::path File = Dir.Path / ParGen_File_Name;
    Write(File, "<?xml version=\"1.0\"?><Par_Gen><MODBUS_SLAVE_IDDEVICE>$F7</MODBUS_SLAVE_IDDEVICE>"
                "<IEC61850_Client_IP4>010</IEC61850_Client_IP4><Extra>x</Extra><!--c-->"
                "<IEC61850_Client_En_GAT>true</IEC61850_Client_En_GAT><MODBUS_SLAVE_BAUDRATE>12</MODBUS_SLAVE_BAUDRATE>"
                "<NTP_Server_URL>pool.example</NTP_Server_URL></Par_Gen>");
    Write_ParGen(File, Read_ParGen(File));
    const std::string Want = With("MODBUS_SLAVE_IDDEVICE", "$F7", With("IEC61850_Client_IP4", "010"));
    EXPECT_EQ(Read(File), Want); // no declaration, no extra element, no inner comment, flag "0", NTP empty
}

TEST(ParGen_File, AllValuesSurviveARoundTrip)
{
    TTemp_Dir Dir;
    const fs::path File = Dir.Path / ParGen_File_Name;
    TParGen Values;
    Values.IEC61850_Client_IP = {" 5", "$FF", "0x1", "007"};
    Values.IEC61850_Client_SM = {"255", "255", "252", "0"};
    Values.IEC61850_Client_GAT = {"999", "", "a<b&c", "1"};
    Values.IEC61850_Client_En_GAT = true;
    Values.IEC61850_Client_VLAN = "12345678";
    Values.IEC61850_Client_Application_ID = " app id ";
    Values.MODBUS_SLAVE_SERIAL = 1;
    Values.MODBUS_SLAVE_BAUDRATE = 0;
    Values.MODBUS_SLAVE_PARITY = 2;
    Values.MODBUS_SLAVE_STOPBITS = 1;
    Values.MODBUS_SLAVE_IDDEVICE = "247";
    Values.MODBUS_SLAVE_READ_INPUT_REGISTER = false;
    Write_ParGen(File, Values);
    EXPECT_EQ(Read_ParGen(File), Values);
}

TEST(ParGen_File, AMalformedFileIsAnErrorNamingTheFileAndLine)
{
    TTemp_Dir Dir;
    const fs::path File = Dir.Path / ParGen_File_Name;
    Write(File, "<Par_Gen>\n<IEC61850_Client_IP1>192</IEC61850_Client_IP1>\n<IEC61850_Client_IP2>168</Wrong>\n");
    try {
        Read_ParGen(File);
        FAIL() << "no error";
    } catch (const common::TFile_Error& Error) {
        EXPECT_EQ(Error.File(), File);
        EXPECT_EQ(Error.Line(), 3);
    }
    Write(File, "");
    EXPECT_THROW(Read_ParGen(File), common::TFile_Error) << "an empty file is not a document";
}

TEST(ParGen_File, AFailedWriteThrowsAndLeavesTheOldFile)
{
    TTemp_Dir Dir;
    EXPECT_THROW(Write_ParGen(Dir.Path / "missing" / ParGen_File_Name, TParGen{}), common::TFile_Error);

    // A folder in the way of the file: the rename fails and the folder with its content stays.
    const fs::path Blocked = Dir.Path / ParGen_File_Name;
    fs::create_directories(Blocked / "keep");
    EXPECT_THROW(Write_ParGen(Blocked, TParGen{}), common::TFile_Error);
    EXPECT_TRUE(fs::is_directory(Blocked / "keep"));
    EXPECT_EQ(std::distance(fs::directory_iterator(Dir.Path), fs::directory_iterator()), 1) << "no temporary left";
}
