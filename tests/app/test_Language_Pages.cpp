#include "App_Test_Folder.h"

#include "app/Language_Pages.h"

#include <gtest/gtest.h>

using namespace app;

namespace {

std::vector<std::string> Languages(int Count)
{
    std::vector<std::string> SL;
    for (int I = 0; I < Count; ++I)
        SL.push_back("L" + std::to_string(I) + ".lng");
    return SL;
}

struct TPage_Case
{
    int Count;
    int Page;
    int Page_Count;
    bool Prev, Next;
    std::vector<std::string> Names;
};

class Language_Page : public ::testing::TestWithParam<TPage_Case>
{};

TEST_P(Language_Page, ShowsSixSlotsAPage)
{
    const TPage_Case& Case = GetParam();
    const TLang_Page Page = Update_Lang_Page(Languages(Case.Count), Case.Page);
    EXPECT_EQ(Page.Page_Count, Case.Page_Count);
    EXPECT_EQ(Page.Prev_Visible, Case.Prev);
    EXPECT_EQ(Page.Next_Visible, Case.Next);
    EXPECT_EQ(Page.Names, Case.Names);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, Language_Page, ::testing::Values(
    TPage_Case{7, 1, 2, false, true, {"L0", "L1", "L2", "L3", "L4", "L5"}},
    TPage_Case{7, 2, 2, true, false, {"L6"}},
    TPage_Case{6, 1, 1, false, false, {"L0", "L1", "L2", "L3", "L4", "L5"}},
    TPage_Case{13, 3, 3, true, false, {"L12"}},
    TPage_Case{0, 1, 0, false, false, {}}));
// clang-format on

TEST(Language_Slot, NamesTheLanguageOfASlotOnThePage)
{
    EXPECT_EQ(Lang_Of_Slot(Languages(7), 2, 0), "L6");
    EXPECT_EQ(Lang_Of_Slot(Languages(7), 2, 1), "");
    EXPECT_EQ(Lang_Of_Slot(Languages(7), 1, 6), "");
}

class Language_Folder : public app_test::TProgram_Folder
{};

TEST_F(Language_Folder, ListsOnlyOrdinaryLanguageFilesSortedIgnoringCase)
{
    const std::filesystem::path Folder = Program / "LANGUAGE";
    for (const char* File : {"italiano.lng", "English.lng", "Deutsch.lng", "English.bmp", "notes.txt", ".lng"})
        Write(Folder / File, "STR0 = x\n");
    std::filesystem::create_directory(Folder / "Folder.lng");
    std::filesystem::create_symlink(Folder / "English.lng", Folder / "Link.lng");
    EXPECT_EQ(Create_Lang_List(Folder), (std::vector<std::string>{"Deutsch.lng", "English.lng", "italiano.lng"}));
    EXPECT_TRUE(Create_Lang_List(Program / "none").empty());
}

TEST_F(Language_Folder, FlagFallsBackToTheDefaultFlagThenToNone)
{
    const std::filesystem::path Folder = Program / "LANGUAGE";
    Write(Folder / "English.bmp", "BM");
    EXPECT_EQ(Flag_Picture(Folder, "English"), Folder / "English.bmp");
    EXPECT_EQ(Flag_Picture(Folder, "Deutsch"), std::filesystem::path());
    Write(Folder / "DefaultFlag.bmp", "BM");
    EXPECT_EQ(Flag_Picture(Folder, "Deutsch"), Folder / "DefaultFlag.bmp");
}

} // namespace
