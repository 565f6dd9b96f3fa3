#include "App_Test_Folder.h"

#include "app/App_State.h"
#include "app/Settings.h"

#include <gtest/gtest.h>

#include <optional>

using namespace app;

namespace {

constexpr const char* Defaults_Text =
    "<Conf_Settings><lastproj><projectname></projectname></lastproj><lastipadd><ipaddress>"
    "192.168.2.205</ipaddress></lastipadd><lastlang><language>English</language>"
    "</lastlang><lastinternet><enable_internet>0</enable_internet><enable_update>0"
    "</enable_update><enable_jump_field_tables>0</enable_jump_field_tables>"
    "<Double_Click_Auto_Size>0</Double_Click_Auto_Size></lastinternet>"
    "</Conf_Settings>";

std::string Settings(const std::string& Project, const std::string& Language, const std::string& Internet)
{
    return "<Conf_Settings><lastproj><projectname>" + Project +
           "</projectname></lastproj><lastipadd><ipaddress>"
           "10.0.0.7</ipaddress></lastipadd><lastlang><language>" +
           Language + "</language></lastlang>" + Internet + "</Conf_Settings>";
}

std::string Flags(const char* Internet, const char* Update, const char* Jump, const char* Auto_Size)
{
    return std::string("<lastinternet><enable_internet>") + Internet + "</enable_internet><enable_update>" + Update +
           "</enable_update><enable_jump_field_tables>" + Jump + "</enable_jump_field_tables><Double_Click_Auto_Size>" +
           Auto_Size + "</Double_Click_Auto_Size></lastinternet>";
}

struct TStart_Case
{
    const char* Name;
    std::optional<std::string> File;  ///< the settings file; none for a first start
    std::vector<std::string> Folders; ///< folders made beside the program before the start
    std::string Conf_Name;
    bool Active;
    std::string Ip;
    std::string Language;
    bool Internet, Update, Jump, Auto_Size;
};

void PrintTo(const TStart_Case& Case, std::ostream* Out)
{
    *Out << Case.Name;
}

class Start_Up_Reads_Settings : public app_test::TProgram_Folder, public ::testing::WithParamInterface<TStart_Case>
{};

TEST_P(Start_Up_Reads_Settings, EveryValueTakesItsStoredTextOrItsDefault)
{
    const TStart_Case& Case = GetParam();
    if (Case.File)
        Write(Program / "Velmorin.xml", *Case.File);
    for (const auto& Folder : Case.Folders)
        std::filesystem::create_directories(Program / Folder);

    TApp_State State;
    Start_Up(State, Program);

    EXPECT_EQ(State.Conf_Name, Case.Conf_Name);
    EXPECT_EQ(State.Conf_Active(), Case.Active);
    if (Case.Active) {
        EXPECT_EQ(State.Conf_Path, Program / "PROJECTS" / Case.Conf_Name);
        EXPECT_EQ(State.File_ParGen, State.Conf_Path / "ParGen.xml");
        EXPECT_EQ(State.File_IEC_61850_Client, State.Conf_Path / "IEC_61850_Client.xml");
    } else {
        EXPECT_TRUE(State.File_ParGen.empty());
        EXPECT_TRUE(State.File_IEC_61850_Client.empty());
    }
    EXPECT_EQ(State.Last_IP_Address, Case.Ip);
    EXPECT_EQ(State.Language, Case.Language);
    EXPECT_EQ(State.Enable_Internet, Case.Internet);
    EXPECT_EQ(State.Enable_Update, Case.Update);
    EXPECT_EQ(State.Enable_Jump_Field_Tables, Case.Jump);
    EXPECT_EQ(State.Double_Click_Auto_Size, Case.Auto_Size);
    EXPECT_EQ(Timer_Update_Wanted(State), Case.Internet && Case.Update);
    EXPECT_EQ(State.Lang_Strings.Lang_Strings.size(), 2900u);
    EXPECT_EQ(State.Lang_Strings[18], "Error! Project not Valid");
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, Start_Up_Reads_Settings, ::testing::Values(
    TStart_Case{"first start", std::nullopt, {},
                "", false, "192.168.2.205", "English", false, false, false, false},
    TStart_Case{"all values", Settings("Demo", "English", Flags("1", "1", "1", "1")), {"PROJECTS/Demo"},
                "Demo", true, "10.0.0.7", "English", true, true, true, true},
    TStart_Case{"lastinternet missing", Settings("Demo", "English", ""), {"PROJECTS/Demo"},
                "Demo", true, "10.0.0.7", "English", false, false, false, false},
    TStart_Case{"internet without update", Settings("", "English", Flags("1", "0", "0", "1")), {},
                "", false, "10.0.0.7", "English", true, false, false, true},
    TStart_Case{"flags not exactly 1", Settings("", "English", Flags("true", " 1", "1 ", "01")), {},
                "", false, "10.0.0.7", "English", false, false, false, false},
    TStart_Case{"configuration folder gone", Settings("Gone", "English", Flags("0", "1", "0", "0")), {},
                "Gone", false, "10.0.0.7", "English", false, true, false, false},
    TStart_Case{"stored name leading out of PROJECTS", Settings("../MASTER", "English", ""), {},
                "../MASTER", false, "10.0.0.7", "English", false, false, false, false},
    TStart_Case{"language without its file", Settings("", "Klingon", ""), {},
                "", false, "10.0.0.7", "English", false, false, false, false},
    TStart_Case{"other root name, values missing",
                "<Settings><lastlang/><lastinternet><enable_update>1</enable_update></lastinternet></Settings>", {},
                "", false, "192.168.2.205", "English", false, true, false, false},
    TStart_Case{"not well-formed", "<Conf_Settings><lastproj><projectname>Demo</lastproj>", {"PROJECTS/Demo"},
                "", false, "192.168.2.205", "English", false, false, false, false},
    TStart_Case{"empty file", "", {},
                "", false, "192.168.2.205", "English", false, false, false, false}));
// clang-format on

class Settings_File : public app_test::TProgram_Folder
{};

TEST_F(Settings_File, FirstStartCreatesTheFoldersAndWritesTheDefaults)
{
    TApp_State State;
    Start_Up(State, Program);
    for (const char* Folder : {"MASTER", "PROJECTS", "LANGUAGE"})
        EXPECT_TRUE(std::filesystem::is_directory(Program / Folder)) << Folder;
    EXPECT_EQ(State.Master_Path, Program / "MASTER");
    EXPECT_EQ(State.Projects_Path, Program / "PROJECTS");
    EXPECT_EQ(State.Language_Path, Program / "LANGUAGE");
    EXPECT_EQ(State.SW_Code, "CT40510");
    EXPECT_EQ(State.SW_Caption, "Brisol - Configurator CT40510 - IEC61850 Client / Modbus Slave ");
    EXPECT_TRUE(State.Update_Read_Back);
    Save_Setting(State);
    EXPECT_EQ(Read(Program / "Velmorin.xml"), Defaults_Text);
}

TEST_F(Settings_File, WritesBackWhatWasReadEvenWhenNotUsable)
{
    // The stored configuration is gone and the stored language has no file: the name is kept, the language falls
    // back to English.
    Write(Program / "Velmorin.xml", Settings("Old &lt;&amp;&gt; Name", "Klingon", Flags("1", "0", "1", "0")));
    TApp_State State;
    Start_Up(State, Program);
    Save_Setting(State);
    EXPECT_EQ(Read(Program / "Velmorin.xml"), Settings("Old &lt;&amp;&gt; Name", "English", Flags("1", "0", "1", "0")));
    TApp_State Again;
    Start_Up(Again, Program);
    EXPECT_EQ(Again.Conf_Name, "Old <&> Name");
}

TEST_F(Settings_File, LanguageWithItsFileIsKept)
{
    Write(Program / "LANGUAGE" / "Italiano.lng", "STR18 = Errore! Progetto non valido\n");
    Write(Program / "Velmorin.xml", Settings("", "Italiano", ""));
    TApp_State State;
    Start_Up(State, Program);
    EXPECT_EQ(State.Language, "Italiano");
    EXPECT_EQ(State.Lang_Strings[18], "Errore! Progetto non valido");
}

TEST_F(Settings_File, FailedSaveKeepsTheOldFileAndIsReported)
{
    TApp_State State;
    Start_Up(State, Program);
    Write(Program / "Velmorin.xml", "old");
    State.Program_Path = Program / "missing-folder";
    EXPECT_ANY_THROW(Save_Setting(State));
    EXPECT_EQ(Read(Program / "Velmorin.xml"), "old");
}

} // namespace
