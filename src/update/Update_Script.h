// The update script Ethernet_Update.xml: which files the update tool loads into the device, and where.
#pragma once

#include <pugixml.hpp>

#include <array>
#include <filesystem>
#include <string>

namespace update {

/// Positions of the update window's option list.
enum class TUpdate_Option : int {
    Firmware_And_Configuration = 0,
    Firmware = 1,
    Configuration = 2,
};

/// True for the three positions of the option list.
bool Is_Update_Option(int Option);

/// The folders the script names: the firmware lives in Master_Path, the images in Conf_Path/bin.
struct TUpdate_Folders
{
    std::filesystem::path Program_Path; ///< where the script and the update tool lie
    std::filesystem::path Master_Path;  ///< the MASTER folder beside the executable
    std::filesystem::path Conf_Path;    ///< the active configuration's folder
};

/// The four texts of the address fields, exactly as typed.
using TAddress_Texts = std::array<std::string, 4>;

/// The four texts joined with ".", as the script and the reachability check use them.
std::string Join_Address(const TAddress_Texts& Address);

/// Splits a dotted text at every "." into four texts; false unless there are exactly four.
bool Split_Address(const std::string& Text, TAddress_Texts& Address);

inline constexpr const char* Update_Script_Name = "Ethernet_Update.xml";
#ifdef _WIN32
inline constexpr const char* Update_Tool_Name = "Ethernet_Update.exe";
#else
inline constexpr const char* Update_Tool_Name = "Ethernet_Update";
#endif
inline constexpr const char* Firmware_File_Name = "Sim40510.sim";

/// Program_Path/Ethernet_Update.xml.
std::filesystem::path Update_Script_File(const std::filesystem::path& Program_Path);
/// Program_Path/Ethernet_Update (Ethernet_Update.exe on Windows).
std::filesystem::path Update_Tool_File(const std::filesystem::path& Program_Path);

/// Builds the script into Doc (emptied first). Option must be one of the three positions (std::invalid_argument
/// otherwise). The file names are full paths: relative folders are made absolute against the current folder.
void Build_Update_Script(pugi::xml_document& Doc, const TAddress_Texts& Address, int Option, bool Read_Back,
                         const std::filesystem::path& Master_Path, const std::filesystem::path& Conf_Path);

/// Builds the script and writes it to File atomically, replacing any earlier one; throws common::TFile_Error
/// when it cannot be written (the old file is then intact).
void Write_Update_Script(const std::filesystem::path& File, const TAddress_Texts& Address, int Option, bool Read_Back,
                         const std::filesystem::path& Master_Path, const std::filesystem::path& Conf_Path);

/// The update window's script writer: the script for the chosen address, option and read-back choice, written
/// to Program_Path/Ethernet_Update.xml. Returns the file written.
std::filesystem::path Compile_XML_Parameter_New_Boot(const TAddress_Texts& Address, int Option, bool Read_Back,
                                                     const TUpdate_Folders& Folders);

} // namespace update
