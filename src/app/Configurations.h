// Configurations: one folder per configuration inside PROJECTS, created and opened by name.
#pragma once

#include "app/App_State.h"

#include <string>
#include <string_view>
#include <vector>

namespace app {

/// Catalogue entries of the refusals of a new configuration name.
inline constexpr int Entry_Name_Refused = 105; ///< "Error! Name project is not valid"
inline constexpr int Entry_Name_Exists = 106;  ///< "Error! Name project is not valid because directory already exists"
inline constexpr int Entry_Name_Empty = 107;   ///< "Error! Name Project is not valid"

/// True when Name can only ever mean a folder directly inside PROJECTS: not empty, not "." or "..", and holding
/// no "/", no "\" and no control character.
bool Is_Valid_Conf_Name(std::string_view Name);

/// Makes Conf_Name active at start-up when it names an existing folder inside PROJECTS; otherwise no
/// configuration is active and Conf_Name keeps the stored text, so that it is written back unchanged.
void Activate_Stored_Configuration(TApp_State& State);

/// Creates the configuration Name (its folder and the "bin" folder inside it) and makes it active.
/// Returns 0, or the catalogue entry of the refusal: 107 for an empty name, 105 for a name that is not a plain
/// folder name or a folder the file system refuses, 106 when a configuration of that name exists already
/// (letter case ignored). A "bin" folder that cannot
/// be created is no refusal.
int Create_Configuration(TApp_State& State, const std::string& Name);

/// The names of the folders inside Projects_Path ("." and ".." excluded), sorted ignoring letter case as the
/// directory listings of the original file system returned them; empty when the folder cannot be read.
std::vector<std::string> Load_Existing_Configuration(const std::filesystem::path& Projects_Path);

/// The first position in SL whose name equals Name ignoring ASCII letter case, or -1.
int Search_Open_Conf(const std::vector<std::string>& SL, std::string_view Name);

/// The name of the active configuration as its folder tells it ("" when none is active).
std::string Active_Conf_Folder_Name(const TApp_State& State);

/// The entry to select when the open window is shown: the active configuration, else the first entry; -1 for an
/// empty list.
int Preselected_Conf(const std::vector<std::string>& SL, const TApp_State& State);

/// Makes the chosen configuration active (no configuration when Name_Conf is empty) and recomputes the files.
void Open_Configuration(TApp_State& State, const std::string& Name_Conf);

} // namespace app
