#include "app/App_State.h"

#include "app/Configurations.h"
#include "app/Settings.h"

#include <system_error>

namespace app {

std::filesystem::path Executable_Folder()
{
    std::error_code Error;
    const std::filesystem::path Executable = std::filesystem::read_symlink("/proc/self/exe", Error);
    if (Error || Executable.empty())
        return std::filesystem::current_path(Error);
    return Executable.parent_path();
}

void Set_Folders(TApp_State& State, const std::filesystem::path& Program_Path)
{
    State.Program_Path = Program_Path;
    State.Master_Path = Program_Path / "MASTER";
    State.Projects_Path = Program_Path / "PROJECTS";
    State.Language_Path = Program_Path / "LANGUAGE";
    for (const auto* Folder : {&State.Master_Path, &State.Projects_Path, &State.Language_Path}) {
        std::error_code Ignored;
        std::filesystem::create_directory(*Folder, Ignored);
    }
}

void Set_Files(TApp_State& State)
{
    if (State.Conf_Path.empty()) {
        State.File_ParGen.clear();
        State.File_IEC_61850_Client.clear();
        return;
    }
    State.File_ParGen = State.Conf_Path / "ParGen.xml";
    State.File_IEC_61850_Client = State.Conf_Path / "IEC_61850_Client.xml";
}

void Start_Up(TApp_State& State, const std::filesystem::path& Program_Path)
{
    Set_Folders(State, Program_Path);
    State.Conf_Name.clear();
    State.Update_Read_Back = true;
    Load_Setting(State);
    State.SW_Caption = Default_SW_Caption;
    State.SW_Code = Default_SW_Code;
    State.SW_Desc = Default_SW_Desc;
    text::Load_Language(State.Lang_Strings, State.Language_Path, State.Language);
    Activate_Stored_Configuration(State);
    Set_Files(State);
}

} // namespace app
