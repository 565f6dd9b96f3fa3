#include "App_Test_Folder.h"

#include "app/App_State.h"
#include "app/Configurations.h"

#include <gtest/gtest.h>

using namespace app;

namespace {

class Configurations : public app_test::TProgram_Folder
{
protected:
    void SetUp() override
    {
        TProgram_Folder::SetUp();
        Set_Folders(State, Program);
    }
    TApp_State State;
};

struct TName_Case
{
    const char* Name;
    int Entry;
};

void PrintTo(const TName_Case& Case, std::ostream* Out)
{
    *Out << '"' << Case.Name << '"';
}

class New_Configuration_Name : public Configurations, public ::testing::WithParamInterface<TName_Case>
{};

TEST_P(New_Configuration_Name, IsRefusedWithItsEntryAndNothingIsCreatedOutsidePROJECTS)
{
    std::filesystem::create_directory(State.Projects_Path / "Demo");
    State.Conf_Name = "Demo";
    State.Conf_Path = State.Projects_Path / "Demo";
    Set_Files(State);
    const auto Before = std::distance(std::filesystem::recursive_directory_iterator(Root), {});

    EXPECT_EQ(Create_Configuration(State, GetParam().Name), GetParam().Entry);

    EXPECT_EQ(std::distance(std::filesystem::recursive_directory_iterator(Root), {}), Before);
    EXPECT_EQ(State.Conf_Name, "Demo");
    EXPECT_EQ(State.File_ParGen, State.Projects_Path / "Demo" / "ParGen.xml");
}

const std::string Too_Long_Text(300, 'n'); // longer than any folder name the file system takes
const char* const Too_Long_Name = Too_Long_Text.c_str();

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, New_Configuration_Name, ::testing::Values(
    TName_Case{"", 107},
    TName_Case{"Demo", 106},
    TName_Case{"dEMO", 106},                 // differs only in letter case
    TName_Case{".", 105},
    TName_Case{"..", 105},
    TName_Case{"../Outside", 105},
    TName_Case{"a/b", 105},
    TName_Case{"..\\Outside", 105},
    TName_Case{"Tab\there", 105},
    TName_Case{"Line\nbreak", 105},
    TName_Case{"Del\x7f", 105},
    TName_Case{Too_Long_Name, 105}));
// clang-format on

TEST_F(Configurations, NewConfigurationIsCreatedAsTypedAndBecomesActive)
{
    for (const std::string Name : {" Plant A ", "Über-Anlage", "v1.2"}) {
        ASSERT_EQ(Create_Configuration(State, Name), 0) << Name;
        EXPECT_TRUE(std::filesystem::is_directory(State.Projects_Path / Name / "bin")) << Name;
        EXPECT_EQ(State.Conf_Name, Name);
        EXPECT_EQ(State.Conf_Path, State.Projects_Path / Name);
        EXPECT_EQ(State.File_ParGen, State.Projects_Path / Name / "ParGen.xml");
        EXPECT_EQ(State.File_IEC_61850_Client, State.Projects_Path / Name / "IEC_61850_Client.xml");
    }
}

TEST_F(Configurations, ListingHoldsEveryFolderSortedIgnoringCase)
{
    for (const char* Folder : {"beta", "Alpha", "gamma", "Delta"})
        std::filesystem::create_directory(State.Projects_Path / Folder);
    Write(State.Projects_Path / "notes.txt", "not a configuration");
    const std::vector<std::string> SL = Load_Existing_Configuration(State.Projects_Path);
    EXPECT_EQ(SL, (std::vector<std::string>{"Alpha", "beta", "Delta", "gamma"}));
    EXPECT_TRUE(Load_Existing_Configuration(Program / "no-such-folder").empty());
}

TEST_F(Configurations, PreselectionFollowsTheActiveConfiguration)
{
    const std::vector<std::string> SL{"Alpha", "Plant", "Zeta"};
    // the active configuration's folder is listed with other letter case
    State.Conf_Name = "PLANT";
    State.Conf_Path = State.Projects_Path / "PLANT";
    EXPECT_EQ(Search_Open_Conf(SL, "pLaNt"), 1);
    EXPECT_EQ(Preselected_Conf(SL, State), 1);
    // the active configuration was deleted: the first entry
    State.Conf_Path = State.Projects_Path / "Deleted";
    EXPECT_EQ(Preselected_Conf(SL, State), 0);
    // no configuration active
    State.Conf_Path.clear();
    EXPECT_EQ(Search_Open_Conf(SL, ""), -1);
    EXPECT_EQ(Preselected_Conf(SL, State), 0);
    EXPECT_EQ(Preselected_Conf({}, State), -1);
}

TEST_F(Configurations, OpeningNothingLeavesNoConfigurationActive)
{
    std::filesystem::create_directory(State.Projects_Path / "Hand Made");
    Open_Configuration(State, "Hand Made");
    EXPECT_EQ(State.Conf_Path, State.Projects_Path / "Hand Made");
    EXPECT_EQ(State.File_ParGen, State.Projects_Path / "Hand Made" / "ParGen.xml");
    Open_Configuration(State, "");
    EXPECT_FALSE(State.Conf_Active());
    EXPECT_TRUE(State.Conf_Name.empty());
    EXPECT_TRUE(State.File_ParGen.empty());
    EXPECT_TRUE(State.File_IEC_61850_Client.empty());
}

} // namespace
