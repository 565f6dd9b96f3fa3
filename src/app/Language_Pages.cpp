#include "app/Language_Pages.h"

#include "common/Text.h"

#include <algorithm>
#include <system_error>

namespace app {

std::vector<std::string> Create_Lang_List(const std::filesystem::path& Language_Path)
{
    std::vector<std::string> SL_Languages;
    std::error_code Error;
    for (std::filesystem::directory_iterator It(Language_Path, Error), End; !Error && It != End; It.increment(Error)) {
        std::error_code Type_Error;
        if (!It->is_regular_file(Type_Error) || It->is_symlink(Type_Error))
            continue;
        const std::string Name = It->path().filename().string();
        if (Name.size() > 4 && Name.ends_with(".lng"))
            SL_Languages.push_back(Name);
    }
    std::sort(SL_Languages.begin(), SL_Languages.end(), [](const std::string& A, const std::string& B) {
        const std::string Upper_A = common::Ascii_Upper(A);
        const std::string Upper_B = common::Ascii_Upper(B);
        return Upper_A != Upper_B ? Upper_A < Upper_B : A < B;
    });
    return SL_Languages;
}

std::string Lang_Of_Slot(const std::vector<std::string>& SL_Languages, int Num_Page, int Slot)
{
    const long Index = static_cast<long>(Lang_Slots) * (Num_Page - 1) + Slot;
    if (Slot < 0 || Slot >= Lang_Slots || Index < 0 || Index >= static_cast<long>(SL_Languages.size()))
        return {};
    const std::string& File = SL_Languages[static_cast<std::size_t>(Index)];
    return File.substr(0, File.size() - 4);
}

TLang_Page Update_Lang_Page(const std::vector<std::string>& SL_Languages, int Num_Page)
{
    TLang_Page Page;
    const int Count = static_cast<int>(SL_Languages.size());
    Page.Page_Count = (Count + Lang_Slots - 1) / Lang_Slots;
    Page.Prev_Visible = Num_Page != 1;
    Page.Next_Visible = Num_Page < Page.Page_Count; // also hidden when there is no language at all
    const int On_Page = std::min(Lang_Slots, Count - Lang_Slots * (Num_Page - 1));
    for (int Slot = 0; Slot < On_Page; ++Slot)
        Page.Names.push_back(Lang_Of_Slot(SL_Languages, Num_Page, Slot));
    return Page;
}

std::filesystem::path Flag_Picture(const std::filesystem::path& Language_Path, const std::string& Name)
{
    std::error_code Error;
    const std::filesystem::path Own = Language_Path / (Name + ".bmp");
    if (std::filesystem::is_regular_file(Own, Error))
        return Own;
    const std::filesystem::path Default = Language_Path / "DefaultFlag.bmp";
    if (std::filesystem::is_regular_file(Default, Error))
        return Default;
    return {};
}

} // namespace app
