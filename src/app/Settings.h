// The settings file Velmorin.xml beside the executable: last configuration, last device address, language and
// the four option flags.
#pragma once

#include "app/App_State.h"

#include <filesystem>
#include <string>

namespace app {

/// Program_Path/Velmorin.xml.
std::filesystem::path Settings_File(const TApp_State& State);

/// Reads the settings file into State. Every value takes its default when its element is missing: Conf_Name
/// empty, Last_IP_Address "192.168.2.205", Language "English", each flag false (all four when lastinternet is
/// missing). A flag is true only for the exact text "1". A file that is missing, cannot be read or is not
/// well-formed XML gives the defaults of a missing file. The root element's name is not checked.
void Load_Setting(TApp_State& State);

/// The settings document as it is written: Conf_Settings with lastproj, lastipadd, lastlang and lastinternet.
std::string Setting_Text(const TApp_State& State);

/// Writes the settings file whole, replacing the old one atomically; throws common::TFile_Error on failure.
void Save_Setting(const TApp_State& State);

} // namespace app
