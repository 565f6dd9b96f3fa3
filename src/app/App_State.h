// The application-wide state: folders, the active configuration and its project files, the product texts, the
// last device address, the language, the option flags, and the text catalogue. The main window owns one and hands
// it by reference to every other window.
#pragma once

#include "text/Catalogue.h"

#include <filesystem>
#include <string>

namespace app {

/// The program's own version, shown in the about window and compared by the version check.
inline constexpr const char* Program_Version = "1.001";

inline constexpr const char* Default_SW_Code = "CT40510";
inline constexpr const char* Default_SW_Desc = "IEC61850 Client / Modbus Slave - Converter";
inline constexpr const char* Default_SW_Caption = "Brisol - Configurator CT40510 - IEC61850 Client / Modbus Slave ";
inline constexpr const char* Default_IP_Address = "192.168.2.205";
inline constexpr const char* Default_Language = "English";

struct TApp_State
{
    // Folders beside the executable.
    std::filesystem::path Program_Path;  ///< the folder of the running executable
    std::filesystem::path Master_Path;   ///< Program_Path/MASTER: firmware files
    std::filesystem::path Projects_Path; ///< Program_Path/PROJECTS: one folder per configuration
    std::filesystem::path Language_Path; ///< Program_Path/LANGUAGE: language files and flag pictures

    // The active configuration: active exactly when Conf_Path is not empty.
    std::string Conf_Name;
    std::filesystem::path Conf_Path; ///< Projects_Path/Conf_Name, or empty

    // Project files of the active configuration (empty while none is active).
    std::filesystem::path File_ParGen;
    std::filesystem::path File_IEC_61850_Client;

    std::string SW_Code = Default_SW_Code;
    std::string SW_Desc = Default_SW_Desc;
    std::string SW_Caption = Default_SW_Caption;

    std::string Last_IP_Address = Default_IP_Address;
    std::string Language = Default_Language;
    bool Enable_Internet = false;
    bool Enable_Update = false;
    bool Enable_Jump_Field_Tables = false;
    bool Double_Click_Auto_Size = false;

    // Kept for one run only, never saved.
    int Update_Option = 0;
    bool Update_Read_Back = true;

    text::TCatalogue Lang_Strings;

    /// A configuration is active exactly when its folder is known.
    bool Conf_Active() const { return !Conf_Path.empty(); }
};

/// The folder of the running executable (Linux: the target of /proc/self/exe); the current folder when unknown.
std::filesystem::path Executable_Folder();

/// Sets Program_Path and the three folders beside it, and creates those folders when missing (one level each;
/// a folder that cannot be created is left to fail where it is used).
void Set_Folders(TApp_State& State, const std::filesystem::path& Program_Path);

/// Recomputes File_ParGen and File_IEC_61850_Client from Conf_Path (both empty while no configuration is active).
void Set_Files(TApp_State& State);

/// The update check timer runs only while both internet access and the update check are allowed.
inline bool Timer_Update_Wanted(const TApp_State& State)
{
    return State.Enable_Internet && State.Enable_Update;
}

/// The start-up that needs no window, in this order: the folders, the settings file (defaults when it is missing
/// or not well-formed), the product texts, the catalogue for the stored language (falling back to English), the
/// stored configuration when its folder still exists, and the project file paths.
void Start_Up(TApp_State& State, const std::filesystem::path& Program_Path);

} // namespace app
