#include "image/Param_Block.h"

#include "comm/ParGen.h"
#include "common/Int_Conversion.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace image {

namespace {

// An integer key: its text through the integer rule; Missing when the element is absent, Not_Integer when the text
// is not an integer.
std::int32_t Int_Key(const comm::TParGen_Texts& Texts, const char* Name, std::int32_t Not_Integer, std::int32_t Missing)
{
    const std::string* Text = Texts.Find(Name);
    if (Text == nullptr)
        return Missing;
    return common::Text_To_Int_Or(*Text, Not_Integer);
}

std::uint8_t Low_Byte(std::int32_t Value)
{
    return static_cast<std::uint8_t>(static_cast<std::uint32_t>(Value) & 0xFFu);
}

// Four address bytes from the keys Prefix1..Prefix4, each with the same value when missing or not an integer.
std::array<std::uint8_t, 4> Address_Keys(const comm::TParGen_Texts& Texts, const char* Prefix,
                                         const std::array<std::int32_t, 4>& Defaults)
{
    std::array<std::uint8_t, 4> Bytes{};
    for (std::size_t I = 0; I < 4; ++I) {
        const std::string Name = std::string(Prefix) + std::to_string(I + 1);
        Bytes[I] = Low_Byte(Int_Key(Texts, Name.c_str(), Defaults[I], Defaults[I]));
    }
    return Bytes;
}

void Set_Bytes(TParam_Block& Block, std::size_t Offset, const std::array<std::uint8_t, 4>& Bytes)
{
    std::copy(Bytes.begin(), Bytes.end(), Block.Bytes.begin() + static_cast<std::ptrdiff_t>(Offset));
}

bool Text_Is(const comm::TParGen_Texts& Texts, const char* Name, const char* Value)
{
    const std::string* Text = Texts.Find(Name);
    return Text != nullptr && *Text == Value;
}

} // namespace

std::uint32_t TParam_Block::Get_U32(std::size_t Offset) const
{
    return static_cast<std::uint32_t>(Bytes.at(Offset)) | static_cast<std::uint32_t>(Bytes.at(Offset + 1)) << 8 |
           static_cast<std::uint32_t>(Bytes.at(Offset + 2)) << 16 |
           static_cast<std::uint32_t>(Bytes.at(Offset + 3)) << 24;
}

void TParam_Block::Set_U32(std::size_t Offset, std::uint32_t Value)
{
    for (std::size_t I = 0; I < 4; ++I)
        Bytes.at(Offset + I) = static_cast<std::uint8_t>(Value >> (8 * I));
}

void Set_Block_Defaults(TParam_Block& Param_Block)
{
    Param_Block.Bytes.fill(0);
    // Reserved fields of the converter family: only their bytes matter here.
    Param_Block.Set_U32(0x000, 250000);
    Param_Block.Set_U32(0x004, 250000);
    Param_Block.Set_U32(0x00C, 9600);
    Set_Bytes(Param_Block, Param_Offset::Client_IP, {192, 168, 2, 205});
    Set_Bytes(Param_Block, Param_Offset::Client_Mask, {255, 255, 255, 0});
    Set_Bytes(Param_Block, Param_Offset::Client_Gateway, {255, 255, 255, 255});
    const auto Set_U16 = [&](std::size_t Offset, std::uint16_t Value) {
        Param_Block.Bytes[Offset] = static_cast<std::uint8_t>(Value);
        Param_Block.Bytes[Offset + 1] = static_cast<std::uint8_t>(Value >> 8);
    };
    Set_U16(0x034, 10000);
    Set_U16(0x036, 10001);
    Set_U16(0x038, 10001);
    // Slave_DataBits and the seven data-bit bytes of the other lines of the family.
    std::fill_n(Param_Block.Bytes.begin() + Param_Offset::Slave_DataBits, 8, std::uint8_t{8});
}

std::uint32_t Baudrate_Of_Index(std::int32_t Index)
{
    static constexpr std::array<std::uint32_t, 8> Rates{1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};
    if (Index < 0 || Index >= static_cast<std::int32_t>(Rates.size()))
        return 9600;
    return Rates[static_cast<std::size_t>(Index)];
}

void Read_ParGen_File(const std::filesystem::path& File_ParGen, TParam_Block& Param_Block, TIEC61850_Client& IEC_Client)
{
    std::error_code Error;
    if (!std::filesystem::exists(File_ParGen, Error))
        return;
    const comm::TParGen_Texts Texts = comm::Load_ParGen_Texts(File_ParGen);

    Set_Bytes(Param_Block, Param_Offset::Client_IP, Address_Keys(Texts, "IEC61850_Client_IP", {192, 168, 0, 10}));
    Set_Bytes(Param_Block, Param_Offset::Client_Mask, Address_Keys(Texts, "IEC61850_Client_SM", {255, 255, 255, 0}));
    const std::array<std::uint8_t, 4> Gateway = Address_Keys(Texts, "IEC61850_Client_GAT", {192, 168, 0, 1});
    Set_Bytes(Param_Block, Param_Offset::Client_Gateway,
              Text_Is(Texts, "IEC61850_Client_En_GAT", "1") ? Gateway
                                                            : std::array<std::uint8_t, 4>{255, 255, 255, 255});

    IEC_Client.vLan = Int_Key(Texts, "IEC61850_Client_VLAN", 0, 0);
    IEC_Client.appID = Int_Key(Texts, "IEC61850_Client_Application_ID", 0, 0);

    Param_Block.Set_U32(Param_Offset::Slave_RS232, Text_Is(Texts, "MODBUS_SLAVE_SERIAL", "0") ? 1 : 0);
    Param_Block.Set_U32(
        Param_Offset::Slave_Baudrate,
        Baudrate_Of_Index(Int_Key(Texts, "MODBUS_SLAVE_BAUDRATE", comm::Baudrate_Default, comm::Baudrate_Default)));
    Param_Block.Bytes[Param_Offset::Slave_Parity] = Low_Byte(Int_Key(Texts, "MODBUS_SLAVE_PARITY", 0, 0));
    std::uint8_t Stop_Bits = Low_Byte(Int_Key(Texts, "MODBUS_SLAVE_STOPBITS", 0, 0));
    if (Stop_Bits == 1)
        Stop_Bits = 2; // the list's "2 Stop Bits" is stored as the number of stop bits
    Param_Block.Bytes[Param_Offset::Slave_StopBits] = Stop_Bits;
    Param_Block.Bytes[Param_Offset::Slave_DataBits] = 8;
    Param_Block.Set_U32(Param_Offset::Slave_ID,
                        static_cast<std::uint32_t>(Int_Key(Texts, "MODBUS_SLAVE_IDDEVICE", 10, 10)));
    if (Text_Is(Texts, "MODBUS_SLAVE_READ_INPUT_REGISTER", "0"))
        Param_Block.Bytes[Param_Offset::Slave_Options] |= Slave_Options_No_Read_Input;
}

std::size_t Write_Block_Image(TParam_Block& Param_Block, std::size_t Start, std::span<std::uint8_t> Buffer)
{
    if (Start > Buffer.size() || Buffer.size() - Start < Param_Block_Size)
        throw std::out_of_range("the parameter block does not fit into the image buffer at position " +
                                std::to_string(Start));
    std::uint32_t Sum = 0;
    for (std::size_t I = 0; I < Param_Offset::Block_Checksum; ++I)
        Sum += Param_Block.Bytes[I];
    Param_Block.Set_U32(Param_Offset::Block_Checksum, Sum);
    std::copy(Param_Block.Bytes.begin(), Param_Block.Bytes.end(), Buffer.begin() + static_cast<std::ptrdiff_t>(Start));
    return Start + Param_Block_Size;
}

} // namespace image
