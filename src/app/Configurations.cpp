#include "app/Configurations.h"

#include "common/Text.h"

#include <algorithm>
#include <system_error>

namespace app {

bool Is_Valid_Conf_Name(std::string_view Name)
{
    if (Name.empty() || Name == "." || Name == "..")
        return false;
    return std::none_of(Name.begin(), Name.end(), [](char C) {
        const auto Byte = static_cast<unsigned char>(C);
        return C == '/' || C == '\\' || Byte < 0x20 || Byte == 0x7F;
    });
}

void Activate_Stored_Configuration(TApp_State& State)
{
    State.Conf_Path.clear();
    if (!Is_Valid_Conf_Name(State.Conf_Name))
        return;
    std::error_code Error;
    const std::filesystem::path Folder = State.Projects_Path / State.Conf_Name;
    if (std::filesystem::is_directory(Folder, Error))
        State.Conf_Path = Folder;
}

int Create_Configuration(TApp_State& State, const std::string& Name)
{
    if (Name.empty())
        return Entry_Name_Empty;
    if (!Is_Valid_Conf_Name(Name))
        return Entry_Name_Refused;
    const std::filesystem::path Folder = State.Projects_Path / Name;
    std::error_code Error;
    // A name that differs from an existing configuration only in letter case counts as taken, as it does on the
    // case-insensitive file systems the configurations are also used on.
    if (std::filesystem::is_directory(Folder, Error) ||
        Search_Open_Conf(Load_Existing_Configuration(State.Projects_Path), Name) >= 0)
        return Entry_Name_Exists;
    if (!std::filesystem::create_directory(Folder, Error) || Error)
        return Entry_Name_Refused;
    std::filesystem::create_directories(Folder / "bin", Error); // a missing "bin" is no refusal
    State.Conf_Name = Name;
    State.Conf_Path = Folder;
    Set_Files(State);
    return 0;
}

std::vector<std::string> Load_Existing_Configuration(const std::filesystem::path& Projects_Path)
{
    std::vector<std::string> SL;
    std::error_code Error;
    for (std::filesystem::directory_iterator It(Projects_Path, Error), End; !Error && It != End; It.increment(Error)) {
        std::error_code Type_Error;
        if (It->is_directory(Type_Error))
            SL.push_back(It->path().filename().string());
    }
    std::sort(SL.begin(), SL.end(), [](const std::string& A, const std::string& B) {
        const std::string Upper_A = common::Ascii_Upper(A);
        const std::string Upper_B = common::Ascii_Upper(B);
        return Upper_A != Upper_B ? Upper_A < Upper_B : A < B;
    });
    return SL;
}

int Search_Open_Conf(const std::vector<std::string>& SL, std::string_view Name)
{
    for (std::size_t I = 0; I < SL.size(); ++I)
        if (common::Ascii_Equal_No_Case(SL[I], Name))
            return static_cast<int>(I);
    return -1;
}

std::string Active_Conf_Folder_Name(const TApp_State& State)
{
    if (State.Conf_Path.empty())
        return {};
    return State.Conf_Path.lexically_relative(State.Projects_Path).string();
}

int Preselected_Conf(const std::vector<std::string>& SL, const TApp_State& State)
{
    const int Found = Search_Open_Conf(SL, Active_Conf_Folder_Name(State));
    if (Found >= 0)
        return Found;
    return SL.empty() ? -1 : 0;
}

void Open_Configuration(TApp_State& State, const std::string& Name_Conf)
{
    State.Conf_Name = Name_Conf;
    if (Name_Conf.empty())
        State.Conf_Path.clear();
    else
        State.Conf_Path = State.Projects_Path / Name_Conf;
    Set_Files(State);
}

} // namespace app
