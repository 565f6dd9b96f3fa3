// The parameter block bank1.bin: 2048 bytes of the converter's general parameters with a checksum.
#pragma once

#include "image/Client_Image.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>

namespace image {

inline constexpr std::size_t Param_Block_Size = 2048;

/// Offsets of the fields this converter fills; every multi-byte field is little-endian.
namespace Param_Offset {
inline constexpr std::size_t Slave_ID = 0x018;         // 4 bytes
inline constexpr std::size_t Client_IP = 0x028;        // 4 bytes, dotted order
inline constexpr std::size_t Client_Mask = 0x02C;      // 4 bytes
inline constexpr std::size_t Client_Gateway = 0x030;   // 4 bytes
inline constexpr std::size_t Slave_Options = 0x061;    // 1 byte, only bit 0x40 used
inline constexpr std::size_t Slave_Baudrate = 0x190;   // 4 bytes, bit/s
inline constexpr std::size_t Slave_Parity = 0x1A8;     // 1 byte: 0 none, 1 odd, 2 even
inline constexpr std::size_t Slave_StopBits = 0x1AE;   // 1 byte: 0 one stop bit, 2 two
inline constexpr std::size_t Slave_DataBits = 0x1B4;   // 1 byte
inline constexpr std::size_t Client_Image_Add = 0x5EC; // 4 bytes
inline constexpr std::size_t Slave_RS232 = 0x5F0;      // 4 bytes: 1 RS232, 0 RS485
inline constexpr std::size_t Block_Checksum = 0x7FC;   // 4 bytes
} // namespace Param_Offset

/// Bit of Slave_Options set when the Modbus master's reads are served by the holding register and coil functions.
inline constexpr std::uint8_t Slave_Options_No_Read_Input = 0x40;

/// The block as it is built; every compile run starts it again with Set_Block_Defaults.
struct TParam_Block
{
    std::array<std::uint8_t, Param_Block_Size> Bytes{};

    std::uint32_t Get_U32(std::size_t Offset) const;
    void Set_U32(std::size_t Offset, std::uint32_t Value);
};

/// Writes all 2048 bytes with their defaults (the checksum becomes 0).
void Set_Block_Defaults(TParam_Block& Param_Block);

/// When File_ParGen exists, stores its values into the block and vLan and appID into the client record (which
/// Reset_Client_Record has cleared before); a missing file leaves both as they are. Each key is read on its own with
/// its own value for a missing element and for a text that is not an integer (common::Text_To_Int); one-byte fields
/// keep the low 8 bits. Throws common::TFile_Error (file and line) when the file cannot be read or is not well-formed
/// XML.
void Read_ParGen_File(const std::filesystem::path& File_ParGen, TParam_Block& Param_Block,
                      TIEC61850_Client& IEC_Client);

/// Computes Block_Checksum (the sum of the bytes 0x000..0x7FB), copies the 2048 bytes into Buffer from Start on and
/// returns Start + 2048. Throws std::out_of_range when the block does not fit, leaving Buffer untouched.
std::size_t Write_Block_Image(TParam_Block& Param_Block, std::size_t Start, std::span<std::uint8_t> Buffer);

/// The bit rate of a position of the window's bit-rate list; 9600 for any other value.
std::uint32_t Baudrate_Of_Index(std::int32_t Index);

} // namespace image
