// Velmorin.xml on arbitrary bytes through the whole start-up: the settings either read or give the defaults, the
// stored configuration becomes active only when it is a folder directly inside PROJECTS, and the settings written
// back read back unchanged.
#include "Fuzz_Support.h"

#include "app/App_State.h"
#include "app/Settings.h"

#include <cstddef>
#include <cstdint>

namespace {

namespace fs = std::filesystem;

bool Same_Settings(const app::TApp_State& A, const app::TApp_State& B)
{
    return A.Conf_Name == B.Conf_Name && A.Last_IP_Address == B.Last_IP_Address && A.Language == B.Language &&
           A.Enable_Internet == B.Enable_Internet && A.Enable_Update == B.Enable_Update &&
           A.Enable_Jump_Field_Tables == B.Enable_Jump_Field_Tables &&
           A.Double_Click_Auto_Size == B.Double_Click_Auto_Size;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    static const fs::path Program = [] {
        const fs::path Folder = fuzz::Work_Folder() / "Program";
        fs::create_directories(Folder / "PROJECTS" / "Demo");
        return Folder;
    }();
    app::TApp_State State;
    State.Program_Path = Program;
    fuzz::Put_File(app::Settings_File(State), std::string_view(reinterpret_cast<const char*>(Data), Size));

    app::Start_Up(State, Program);
    if (State.Conf_Active() && (State.Conf_Path.parent_path() != State.Projects_Path ||
                                !fs::is_directory(State.Conf_Path) || State.Conf_Path.filename() == ".."))
        fuzz::Fail("a configuration outside PROJECTS became active: " + State.Conf_Path.string());
    if (State.Lang_Strings.Lang_Strings.size() != 2900)
        fuzz::Fail("the catalogue does not hold its 2900 entries");

    // Written back plainly (the atomic writer's flush would make every run slow) and read again.
    fuzz::Put_File(app::Settings_File(State), app::Setting_Text(State));
    app::TApp_State Again;
    Again.Program_Path = Program;
    app::Load_Setting(Again);
    if (!Same_Settings(State, Again))
        fuzz::Fail("the written settings read back differently:\n" + app::Setting_Text(State));
    return 0;
}
