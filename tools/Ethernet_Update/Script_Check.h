// The checks of the stand-in update tool: the script Ethernet_Update.xml and the files it names.
#pragma once

#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace update_tool {

/// One transfer of the plan, as the script gives it.
struct TPlanned_Operation
{
    int Number = 0;   ///< 1-based position in the script
    std::string Kind; ///< "firmware", "parameter block", "IEC 61850 client image" or "file"
    std::string File; ///< Ope_FileName
    std::string Start_Address;
    std::string Bank_Type;
    std::string Read_Back; ///< "1" or "0"
    std::string Go_To_App_After;
};

struct TScript_Check
{
    std::filesystem::path Script;
    std::string Device_Address;
    std::vector<TPlanned_Operation> Operations;
    std::vector<std::string> Problems; ///< empty when the script and its files are sound

    bool Sound() const { return Problems.empty(); }
};

inline constexpr std::size_t Param_Block_Size = 2048;
inline constexpr std::size_t Param_Checksum_Offset = 0x7FC;
inline constexpr std::size_t Param_Client_Image_Add_Offset = 0x5EC;
inline constexpr std::size_t Client_Header_Size = 24;

/// The parameter block: exactly 2048 bytes, the little-endian sum of bytes 0x000..0x7FB stored at 0x7FC.
/// Returns what is wrong, or "" when it is sound.
std::string Check_Param_Block(std::string_view Bytes);

/// The client image loaded at Base: a 24-byte header, the variable, data-set and member records, and the string
/// pool, every address inside pointing where the records and texts actually lie, and nothing after the last text.
/// Returns what is wrong, or "" when it is sound.
std::string Check_Client_Image(std::string_view Bytes, std::uint32_t Base);

/// Reads and checks a script: every element present, every operation complete, each file it names present and,
/// for bank1.bin and bank2.bin, sound.
TScript_Check Check_Update_Script(const std::filesystem::path& Script);

/// Prints the plan and the verdict; says that no device is contacted.
void Print_Report(std::ostream& Out, const TScript_Check& Check);

} // namespace update_tool
