// The language pages of the software options window, decided without widgets: which language files exist, how
// they fall into pages of six slots, and which flag picture each shows.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace app {

inline constexpr int Lang_Slots = 6;

/// The names of the ordinary files "*.lng" in Language_Path (with their extension), sorted ignoring letter case.
/// Folders, links and other special files are skipped; an unreadable folder gives an empty list.
std::vector<std::string> Create_Lang_List(const std::filesystem::path& Language_Path);

struct TLang_Page
{
    int Page_Count = 0;
    bool Prev_Visible = false;
    bool Next_Visible = false;
    std::vector<std::string> Names; ///< the languages of the shown slots, in slot order (at most six)
};

/// Page Num_Page (from 1) of SL_Languages: (count + 5) / 6 pages; each name without its ".lng".
TLang_Page Update_Lang_Page(const std::vector<std::string>& SL_Languages, int Num_Page);

/// The language of slot Slot (0..5) on page Num_Page, or "" when the slot is empty.
std::string Lang_Of_Slot(const std::vector<std::string>& SL_Languages, int Num_Page, int Slot);

/// The flag of a language: Language_Path/<Name>.bmp, else Language_Path/DefaultFlag.bmp, else "" (no picture).
std::filesystem::path Flag_Picture(const std::filesystem::path& Language_Path, const std::string& Name);

} // namespace app
