// The parameter block: defaults, what each ParGen.xml key puts into it, and the checksum.
#include "image/Param_Block.h"

#include "comm/ParGen.h"
#include "common/File_Error.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <map>
#include <random>
#include <vector>

using namespace image;
namespace fs = std::filesystem;

namespace {

struct TTemp_Dir
{
    fs::path Path = fs::temp_directory_path() / ("ct40510-image-" + std::to_string(std::random_device{}()));
    TTemp_Dir() { fs::create_directories(Path); }
    ~TTemp_Dir() { fs::remove_all(Path); }
};

void Write(const fs::path& File, const std::string& Text)
{
    std::ofstream(File, std::ios::binary) << Text;
}

struct TBuilt
{
    std::vector<std::uint8_t> Image;
    TIEC61850_Client Client;
};

// The block the compile run builds for a configuration folder: defaults, ParGen.xml, the client image address,
// the checksum.
TBuilt Build(const fs::path& Conf_Path)
{
    TParam_Block Block;
    TBuilt Built;
    Set_Block_Defaults(Block);
    Read_ParGen_File(Conf_Path / comm::ParGen_File_Name, Block, Built.Client);
    Block.Set_U32(Param_Offset::Client_Image_Add, static_cast<std::uint32_t>(Client_Image_Base));
    Built.Image.resize(Param_Block_Size);
    EXPECT_EQ(Write_Block_Image(Block, 0, Built.Image), Param_Block_Size);
    return Built;
}

std::uint32_t U32(const std::vector<std::uint8_t>& Image, std::size_t Offset)
{
    return Image[Offset] | Image[Offset + 1] << 8 | Image[Offset + 2] << 16 |
           static_cast<std::uint32_t>(Image[Offset + 3]) << 24;
}

std::vector<std::uint8_t> Bytes(const std::vector<std::uint8_t>& Image, std::size_t Offset, std::size_t Count)
{
    return {Image.begin() + static_cast<std::ptrdiff_t>(Offset),
            Image.begin() + static_cast<std::ptrdiff_t>(Offset + Count)};
}

// Every non-zero byte of an image, by offset.
std::map<std::size_t, int> Non_Zero(const std::vector<std::uint8_t>& Image)
{
    std::map<std::size_t, int> Found;
    for (std::size_t I = 0; I < Image.size(); ++I)
        if (Image[I] != 0)
            Found[I] = Image[I];
    return Found;
}

// The window's own defaults document with the element Name holding Text, or left out when Text is null.
std::string With(const std::string& Name, const char* Text, std::string Doc = comm::ParGen_To_Text({}))
{
    const std::size_t Begin = Doc.find("<" + Name + ">");
    const std::string Close = "</" + Name + ">";
    const std::size_t End = Doc.find(Close, Begin) + Close.size();
    Doc.replace(Begin, End - Begin, Text == nullptr ? "" : "<" + Name + ">" + Text + Close);
    return Doc;
}

} // namespace

TEST(Param_Block, WithoutParGenTheBlockHoldsTheFixedDefaults)
{
    TTemp_Dir Dir;
    const TBuilt Built = Build(Dir.Path);
    // clang-format off
    std::map<std::size_t, int> Want{
        {0x000, 0x90}, {0x001, 0xD0}, {0x002, 0x03}, {0x004, 0x90}, {0x005, 0xD0}, {0x006, 0x03},
        {0x00C, 0x80}, {0x00D, 0x25},
        {0x028, 0xC0}, {0x029, 0xA8}, {0x02A, 0x02}, {0x02B, 0xCD},
        {0x02C, 0xFF}, {0x02D, 0xFF}, {0x02E, 0xFF},
        {0x030, 0xFF}, {0x031, 0xFF}, {0x032, 0xFF}, {0x033, 0xFF},
        {0x034, 0x10}, {0x035, 0x27}, {0x036, 0x11}, {0x037, 0x27}, {0x038, 0x11}, {0x039, 0x27},
        {0x1B4, 8}, {0x1B5, 8}, {0x1B6, 8}, {0x1B7, 8}, {0x1B8, 8}, {0x1B9, 8}, {0x1BA, 8}, {0x1BB, 8},
        {0x5EE, 0x08},
        {0x7FC, 0x8A}, {0x7FD, 0x0D}};
    // clang-format on
    EXPECT_EQ(Non_Zero(Built.Image), Want);
    EXPECT_EQ(U32(Built.Image, Param_Offset::Block_Checksum), 3466u);
    EXPECT_EQ(Built.Client.vLan, 0);
    EXPECT_EQ(Built.Client.appID, 0);
}

TEST(Param_Block, TheWindowsDefaultsGiveChecksum3475)
{
    TTemp_Dir Dir;
    comm::Write_ParGen(Dir.Path / comm::ParGen_File_Name, comm::TParGen{});
    const TBuilt Built = Build(Dir.Path);
    EXPECT_EQ(U32(Built.Image, Param_Offset::Block_Checksum), 3475u);
    EXPECT_EQ(Bytes(Built.Image, Param_Offset::Client_IP, 4), (std::vector<std::uint8_t>{192, 168, 0, 10}));
    EXPECT_EQ(Bytes(Built.Image, Param_Offset::Client_Gateway, 4), (std::vector<std::uint8_t>{255, 255, 255, 255}));
    EXPECT_EQ(U32(Built.Image, Param_Offset::Slave_RS232), 1u);
    EXPECT_EQ(Bytes(Built.Image, Param_Offset::Slave_Baudrate, 4), (std::vector<std::uint8_t>{0x00, 0xC2, 0x01, 0x00}));
    EXPECT_EQ(U32(Built.Image, Param_Offset::Slave_ID), 10u);
    EXPECT_EQ(Built.Image[Param_Offset::Slave_Options], 0);
}

struct TKey_Case
{
    const char* Name;
    std::string Document;
    std::function<void(const TBuilt&)> Check;
};

class Param_Block_Keys : public ::testing::TestWithParam<TKey_Case>
{};

TEST_P(Param_Block_Keys, EachKeyHasItsOwnConversion)
{
    TTemp_Dir Dir;
    Write(Dir.Path / comm::ParGen_File_Name, GetParam().Document);
    GetParam().Check(Build(Dir.Path));
}

namespace {

std::function<void(const TBuilt&)> Expect_Bytes(std::size_t Offset, std::vector<std::uint8_t> Want)
{
    return [=](const TBuilt& Built) { EXPECT_EQ(Bytes(Built.Image, Offset, Want.size()), Want); };
}

std::function<void(const TBuilt&)> Expect_U32(std::size_t Offset, std::uint32_t Want)
{
    return [=](const TBuilt& Built) { EXPECT_EQ(U32(Built.Image, Offset), Want); };
}

std::string Gateway_10_0_0_1(const char* En_GAT)
{
    std::string Doc = With("IEC61850_Client_GAT1", "10");
    Doc = With("IEC61850_Client_GAT2", "0", Doc);
    Doc = With("IEC61850_Client_GAT3", "0", Doc);
    return With("IEC61850_Client_En_GAT", En_GAT, Doc);
}

using namespace Param_Offset;

} // namespace

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, Param_Block_Keys, ::testing::Values(
    TKey_Case{"GatewayOff", Gateway_10_0_0_1("0"), Expect_Bytes(Client_Gateway, {255, 255, 255, 255})},
    TKey_Case{"GatewayFlagMissing", Gateway_10_0_0_1(nullptr), Expect_Bytes(Client_Gateway, {255, 255, 255, 255})},
    TKey_Case{"GatewayFlagNotExactlyOne", Gateway_10_0_0_1(" 1"), Expect_Bytes(Client_Gateway, {255, 255, 255, 255})},
    TKey_Case{"GatewayOn", Gateway_10_0_0_1("1"), Expect_Bytes(Client_Gateway, {10, 0, 0, 1})},
    TKey_Case{"GatewayOnBytesMissing", "<Par_Gen><IEC61850_Client_En_GAT>1</IEC61850_Client_En_GAT></Par_Gen>",
              Expect_Bytes(Client_Gateway, {192, 168, 0, 1})},
    TKey_Case{"Baudrate9", With("MODBUS_SLAVE_BAUDRATE", "9"), Expect_U32(Slave_Baudrate, 9600)},
    TKey_Case{"BaudrateMinus1", With("MODBUS_SLAVE_BAUDRATE", "-1"), Expect_U32(Slave_Baudrate, 9600)},
    TKey_Case{"BaudrateLetters", With("MODBUS_SLAVE_BAUDRATE", "fast"), Expect_U32(Slave_Baudrate, 115200)},
    TKey_Case{"BaudrateMissing", With("MODBUS_SLAVE_BAUDRATE", nullptr), Expect_U32(Slave_Baudrate, 115200)},
    TKey_Case{"Baudrate0", With("MODBUS_SLAVE_BAUDRATE", "0"), Expect_U32(Slave_Baudrate, 1200)},
    TKey_Case{"BaudrateHex6", With("MODBUS_SLAVE_BAUDRATE", "$6"), Expect_U32(Slave_Baudrate, 57600)},
    TKey_Case{"StopBits1Gives2", With("MODBUS_SLAVE_STOPBITS", "1"), Expect_Bytes(Slave_StopBits, {2})},
    TKey_Case{"StopBits0", With("MODBUS_SLAVE_STOPBITS", "0"), Expect_Bytes(Slave_StopBits, {0})},
    TKey_Case{"StopBits257LowByteIs1Gives2", With("MODBUS_SLAVE_STOPBITS", "257"), Expect_Bytes(Slave_StopBits, {2})},
    TKey_Case{"Parity258LowByte", With("MODBUS_SLAVE_PARITY", "258"), Expect_Bytes(Slave_Parity, {2})},
    TKey_Case{"ParityLetters", With("MODBUS_SLAVE_PARITY", "odd"), Expect_Bytes(Slave_Parity, {0})},
    TKey_Case{"SerialRS485", With("MODBUS_SLAVE_SERIAL", "1"), Expect_U32(Slave_RS232, 0)},
    TKey_Case{"SerialMissing", With("MODBUS_SLAVE_SERIAL", nullptr), Expect_U32(Slave_RS232, 0)},
    TKey_Case{"SerialBlankZeroIsNotExact", With("MODBUS_SLAVE_SERIAL", " 0"), Expect_U32(Slave_RS232, 0)},
    TKey_Case{"ReadInputOffSetsBit40", With("MODBUS_SLAVE_READ_INPUT_REGISTER", "0"), Expect_Bytes(Slave_Options, {0x40})},
    TKey_Case{"ReadInputOn", With("MODBUS_SLAVE_READ_INPUT_REGISTER", "1"), Expect_Bytes(Slave_Options, {0})},
    TKey_Case{"ReadInputMissing", With("MODBUS_SLAVE_READ_INPUT_REGISTER", nullptr), Expect_Bytes(Slave_Options, {0})},
    TKey_Case{"Ip300Gives44", With("IEC61850_Client_IP1", "300"), Expect_Bytes(Client_IP, {44, 168, 0, 10})},
    TKey_Case{"IpLenientForms", With("IEC61850_Client_IP2", "$FF", With("IEC61850_Client_IP3", " 5")), Expect_Bytes(Client_IP, {192, 255, 5, 10})},
    TKey_Case{"IpNotAnIntegerOrMissing", With("IEC61850_Client_IP1", "a", With("IEC61850_Client_IP4", nullptr)), Expect_Bytes(Client_IP, {192, 168, 0, 10})},
    TKey_Case{"IpMinus1", With("IEC61850_Client_IP4", "-1"), Expect_Bytes(Client_IP, {192, 168, 0, 255})},
    TKey_Case{"MaskNotAnInteger", With("IEC61850_Client_SM3", ""), Expect_Bytes(Client_Mask, {255, 255, 255, 0})},
    TKey_Case{"IdDeviceHex", With("MODBUS_SLAVE_IDDEVICE", "$F7"), Expect_U32(Slave_ID, 247)},
    TKey_Case{"IdDeviceLetters", With("MODBUS_SLAVE_IDDEVICE", "ten"), Expect_U32(Slave_ID, 10)},
    TKey_Case{"IdDeviceNegative", With("MODBUS_SLAVE_IDDEVICE", "-1"), Expect_U32(Slave_ID, 0xFFFFFFFFu)},
    TKey_Case{"VlanAndAppId", With("IEC61850_Client_VLAN", "12", With("IEC61850_Client_Application_ID", "$1000")),
              [](const TBuilt& B) { EXPECT_EQ(B.Client.vLan, 12); EXPECT_EQ(B.Client.appID, 4096); }},
    TKey_Case{"VlanAndAppIdNotIntegers", With("IEC61850_Client_VLAN", "", With("IEC61850_Client_Application_ID", "x")),
              [](const TBuilt& B) { EXPECT_EQ(B.Client.vLan, 0); EXPECT_EQ(B.Client.appID, 0); }},
    TKey_Case{"CommentBeforeTheRootGivesEveryMissingValue", "<!--x-->" + With("IEC61850_Client_IP1", "1", With("MODBUS_SLAVE_SERIAL", "0")),
              [](const TBuilt& B) {
                  EXPECT_EQ(Bytes(B.Image, Client_IP, 4), (std::vector<std::uint8_t>{192, 168, 0, 10}));
                  EXPECT_EQ(U32(B.Image, Slave_RS232), 0u);
                  EXPECT_EQ(U32(B.Image, Slave_Baudrate), 115200u);
                  EXPECT_EQ(U32(B.Image, Slave_ID), 10u);
                  EXPECT_EQ(Bytes(B.Image, Client_Gateway, 4), (std::vector<std::uint8_t>{255, 255, 255, 255}));
              }}),
    [](const ::testing::TestParamInfo<TKey_Case>& Info) { return std::string(Info.param.Name); });
// clang-format on

TEST(Param_Block, AMalformedParGenIsAnErrorWithFileAndLine)
{
    TTemp_Dir Dir;
    const fs::path File = Dir.Path / comm::ParGen_File_Name;
    Write(File, "<Par_Gen>\n<IEC61850_Client_IP1>1</IEC61850_Client_IP1>\n<x>\n</Par_Gen>\n");
    TParam_Block Block;
    TIEC61850_Client Client;
    Set_Block_Defaults(Block);
    try {
        Read_ParGen_File(File, Block, Client);
        FAIL() << "no error";
    } catch (const common::TFile_Error& Error) {
        EXPECT_EQ(Error.File(), File);
        EXPECT_GT(Error.Line(), 0);
    }
}

TEST(Param_Block, DefaultsReplaceEveryByteOfAnEarlierRun)
{
    TParam_Block Dirty;
    Dirty.Bytes.fill(0xAB);
    TParam_Block Clean;
    Set_Block_Defaults(Dirty);
    Set_Block_Defaults(Clean);
    EXPECT_EQ(Dirty.Bytes, Clean.Bytes);
    EXPECT_EQ(Clean.Get_U32(Param_Offset::Block_Checksum), 0u);
}

TEST(Param_Block, TheChecksumCoversAllButItsOwnBytesAndTheBlockLandsAtItsPosition)
{
    TParam_Block Block;
    Block.Bytes.fill(0xFF);
    std::vector<std::uint8_t> Buffer(3 + Param_Block_Size + 2, 0x11);
    EXPECT_EQ(Write_Block_Image(Block, 3, Buffer), 3 + Param_Block_Size);
    EXPECT_EQ(Block.Get_U32(Param_Offset::Block_Checksum), 521220u); // 2044 bytes of 255
    EXPECT_EQ(U32(Buffer, 3 + Param_Offset::Block_Checksum), 521220u);
    EXPECT_EQ(Buffer[2], 0x11);
    EXPECT_EQ(Buffer[3], 0xFF);
    EXPECT_EQ(Buffer[3 + Param_Block_Size], 0x11);

    std::vector<std::uint8_t> Small(Param_Block_Size + 1, 0x22);
    EXPECT_THROW(Write_Block_Image(Block, 2, Small), std::out_of_range);
    EXPECT_EQ(Small, std::vector<std::uint8_t>(Param_Block_Size + 1, 0x22));
}
