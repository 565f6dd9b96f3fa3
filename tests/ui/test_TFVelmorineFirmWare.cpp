#include "../app/ui/App_Ui_Test.h"

#include "app/Version.h"
#include "app/ui/TFNew_Project.h"
#include "app/ui/TFOpenConf.h"
#include "app/ui/TFSoftOptions.h"
#include "app/ui/TFVelmorineFirmWare.h"
#include "comm/ui/TFParGen.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

using namespace app::ui;
using namespace app_ui_test;
using common::ui::TMsg_Kind;

namespace {

class Main_Window : public TApp_Window_Test
{
protected:
    static std::string Lines(const TFVelmorineFirmWare& Main)
    {
        return Main.L_Name_Conf->text().toStdString() + "|" + Main.L_Name_Conf_L2->text().toStdString();
    }
    static constexpr const char* No_Configuration =
        "None Configuration Opened |Use Step1 to open or create new configuration";
};

TEST_F(Main_Window, FirstStartInAnEmptyFolder)
{
    {
        TFVelmorineFirmWare Main(Program());
        for (const char* Folder : {"MASTER", "PROJECTS", "LANGUAGE"})
            EXPECT_TRUE(std::filesystem::is_directory(Program() / Folder)) << Folder;
        EXPECT_EQ(Lines(Main), No_Configuration);
        EXPECT_FALSE(Main.Timer_Update->isActive());
        EXPECT_EQ(Main.Timer_Update->interval(), 60000);
        EXPECT_EQ(Main.windowTitle().toStdString(), "Brisol - Configurator CT40510 - IEC61850 Client / Modbus Slave ");
        EXPECT_EQ(Main.L_SW_Code->text(), "CT40510");
        EXPECT_EQ(Main.size(), QSize(694, 396));
        EXPECT_TRUE(Main.LL_Update->isHidden());
        EXPECT_FALSE(std::filesystem::exists(Settings_File()));
        ui_test::TMessage_Recorder Recorder;
        Main.Btn_Click(Main.Btn_Close);
        EXPECT_TRUE(Recorder.Messages().empty());
    }
    EXPECT_EQ(Read_File(Settings_File()), Settings_Text("", "English", false, false));
}

TEST_F(Main_Window, StepsWithoutConfigurationAnswerWithEntry18AndTheStoredNameIsKept)
{
    Write_File(Settings_File(), Settings_Text("Gone", "English", false, false));
    TFVelmorineFirmWare Main(Program());
    int Runs = 0;
    for (auto Step : {TStep_Window::Prm_Gen, TStep_Window::IEC61850_Client, TStep_Window::Update_Device})
        Main.Join_Window(Step, {[&Runs] { ++Runs; }, {}});
    EXPECT_EQ(Lines(Main), No_Configuration);

    ui_test::TMessage_Recorder Recorder;
    for (QPushButton* Button : {Main.Btn_Prm_Gen, Main.Btn_IEC61850_Client, Main.Btn_CreateBin})
        Button->click();
    ASSERT_EQ(Recorder.Messages().size(), 3u);
    for (const auto& Message : Recorder.Messages()) {
        EXPECT_EQ(Message.Text, "Error! Project not Valid");
        EXPECT_EQ(Message.Kind, TMsg_Kind::Error);
        EXPECT_EQ(Message.Buttons, common::ui::TMsg_Buttons::Ok);
    }
    EXPECT_EQ(Runs, 0);
    Main.FormClose();
    EXPECT_EQ(Read_File(Settings_File()), Settings_Text("Gone", "English", false, false));
}

TEST_F(Main_Window, StepsOfAnActiveConfigurationRunTheirJoinedWindows)
{
    std::filesystem::create_directories(Program() / "PROJECTS" / "Plant");
    Write_File(Settings_File(), Settings_Text("Plant", "English", false, false));
    TFVelmorineFirmWare Main(Program());
    EXPECT_EQ(Lines(Main), "Opened Configuration of the Converter : |Plant");
    std::vector<std::string> Calls;
    Main.Join_Window(TStep_Window::Prm_Gen, {[&] { Calls.push_back("run 2"); }, [&] { Calls.push_back("lang 2"); }});
    Main.Join_Window(TStep_Window::IEC61850_Client,
                     {[&] { Calls.push_back("run 3"); }, [&] { Calls.push_back("lang 3"); }});
    Main.Join_Window(TStep_Window::Update_Device,
                     {[&] { Calls.push_back("run 4"); }, [&] { Calls.push_back("lang 4"); }});

    ui_test::TMessage_Recorder Recorder;
    Main.Btn_CreateBin->click();
    Main.Btn_Prm_Gen->click();
    Main.Btn_IEC61850_Client->click();
    Main.Change_Language();
    EXPECT_TRUE(Recorder.Messages().empty());
    // the update window's texts come before the communication parameters' and the access editor's
    EXPECT_EQ(Calls, (std::vector<std::string>{"run 4", "run 2", "run 3", "lang 4", "lang 2", "lang 3"}));
    EXPECT_EQ(Main.State().File_ParGen, Program() / "PROJECTS" / "Plant" / "ParGen.xml");
}

TEST_F(Main_Window, Step2ShowsTheCommunicationParametersOfTheActiveConfiguration)
{
    std::filesystem::create_directories(Program() / "PROJECTS" / "Plant");
    Write_File(Settings_File(), Settings_Text("Plant", "English", false, false));
    TFVelmorineFirmWare Main(Program());
    ASSERT_NE(Main.FParGen, nullptr);
    bool Shown = false;
    When_Modal([&] {
        Shown = QApplication::activeModalWidget() == Main.FParGen;
        Main.FParGen->reject();
    });
    ui_test::TMessage_Recorder Recorder;
    Main.Btn_Prm_Gen->click();
    EXPECT_TRUE(Shown);
    EXPECT_TRUE(Recorder.Messages().empty());
    EXPECT_FALSE(std::filesystem::exists(Main.State().File_ParGen)); // Cancel writes nothing
}

TEST_F(Main_Window, NewConfigurationBecomesActiveAndCancelChangesNothing)
{
    TFVelmorineFirmWare Main(Program());
    When_Modal([&] { Main.FNew_Project->Btn_Cancel->click(); });
    Main.Btn_New->click();
    EXPECT_EQ(Lines(Main), No_Configuration);

    When_Modal([&] {
        Main.FNew_Project->E_New_Proj->setText("Substation 7");
        Main.FNew_Project->Btn_OK->click();
    });
    Main.Btn_New->click();
    EXPECT_EQ(Lines(Main), "Opened Configuration of the Converter : |Substation 7");
    EXPECT_TRUE(std::filesystem::is_directory(Program() / "PROJECTS" / "Substation 7" / "bin"));
    EXPECT_EQ(Main.State().File_IEC_61850_Client, Program() / "PROJECTS" / "Substation 7" / "IEC_61850_Client.xml");
}

TEST_F(Main_Window, OpeningAnEmptyProjectsFolderLeavesNoConfigurationActive)
{
    std::filesystem::create_directories(Program() / "PROJECTS" / "Plant");
    Write_File(Settings_File(), Settings_Text("Plant", "English", false, false));
    TFVelmorineFirmWare Main(Program());
    std::filesystem::remove_all(Program() / "PROJECTS" / "Plant");

    When_Modal([&] { Main.FOpenConf->Btn_OK->click(); });
    Main.Btn_Open->click();
    EXPECT_FALSE(Main.State().Conf_Active());
    EXPECT_EQ(Lines(Main), No_Configuration);
    ui_test::TMessage_Recorder Recorder;
    Main.Btn_Prm_Gen->click();
    EXPECT_EQ(Recorder.Last_Text(), "Error! Project not Valid");
}

TEST_F(Main_Window, OpeningAnotherConfiguration)
{
    for (const char* Folder : {"Alpha", "Beta"})
        std::filesystem::create_directories(Program() / "PROJECTS" / Folder);
    TFVelmorineFirmWare Main(Program());
    When_Modal([&] {
        EXPECT_EQ(Main.FOpenConf->Name_Conf(), "Alpha");
        Main.FOpenConf->ListBox1->setCurrentRow(1);
        Main.FOpenConf->Btn_OK->click();
    });
    Main.Btn_Open->click();
    EXPECT_EQ(Lines(Main), "Opened Configuration of the Converter : |Beta");
    EXPECT_EQ(Main.State().File_ParGen, Program() / "PROJECTS" / "Beta" / "ParGen.xml");
    // Cancel keeps it
    When_Modal([&] {
        Main.FOpenConf->ListBox1->setCurrentRow(0);
        Main.FOpenConf->Btn_Cancel->click();
    });
    Main.Btn_Open->click();
    EXPECT_EQ(Main.State().Conf_Name, "Beta");
}

TEST_F(Main_Window, TimerRunsOnlyWithBothOptions)
{
    struct TCase
    {
        bool Internet, Update, Active;
    };
    for (const TCase Case : {TCase{true, true, true}, TCase{true, false, false}, TCase{false, true, false}}) {
        Write_File(Settings_File(), Settings_Text("", "English", Case.Internet, Case.Update));
        TFVelmorineFirmWare Main(Program());
        EXPECT_EQ(Main.Timer_Update->isActive(), Case.Active) << Case.Internet << Case.Update;
        EXPECT_EQ(Main.Timer_Update->interval(), 60000);
    }
}

TEST_F(Main_Window, TimerTickChecksThenWaitsTwoHours)
{
    Write_File(Settings_File(), Settings_Text("", "English", true, true));
    TFVelmorineFirmWare Main(Program());
    TLocal_Http_Server Server;
    Main.Http().Set_Server("127.0.0.1", Server.Port());
    TLink_Recorder Links;

    Server.Answer_Body("VER. 1.002");
    Main.Timer_UpdateTimer();
    EXPECT_FALSE(Main.LL_Update->isHidden());
    EXPECT_TRUE(Main.LL_Update->text().contains("New Version Available. Click Here for more Details"));
    EXPECT_TRUE(Main.Timer_Update->isActive());
    EXPECT_EQ(Main.Timer_Update->interval(), 7200000);
    Main.LL_UpdateLinkClick(QString::fromStdString(app::Download_Page_Url()));
    EXPECT_EQ(Links.Links, std::vector<std::string>{app::Download_Page_Url()});

    Server.Answer_Body("VER. 1.001");
    Main.Timer_UpdateTimer();
    EXPECT_TRUE(Main.LL_Update->isHidden());
    EXPECT_TRUE(Main.Timer_Update->isActive());
    EXPECT_EQ(Main.Timer_Update->interval(), 7200000);
    ASSERT_EQ(Server.Requests.size(), 2u);
}

TEST_F(Main_Window, OptionsConfirmedWithBothOptionsStartTheFirstCheckAMinuteLater)
{
    TFVelmorineFirmWare Main(Program());
    ASSERT_FALSE(Main.Timer_Update->isActive());
    When_Modal([&] {
        Main.FSoftOptions->CB_En_Con->setChecked(true);
        Main.FSoftOptions->CB_Update->setChecked(true);
        Main.FSoftOptions->Btn_OK->click();
    });
    Main.Btn_Opz->click();
    EXPECT_TRUE(Main.Timer_Update->isActive());
    EXPECT_EQ(Main.Timer_Update->interval(), 60000);
    EXPECT_EQ(Read_File(Settings_File()), Settings_Text("", "English", true, true));

    // Cancel changes nothing; switching one off stops the timer
    When_Modal([&] {
        Main.FSoftOptions->CB_En_Con->setChecked(false);
        Main.FSoftOptions->Btn_Cancel->click();
    });
    Main.Btn_Opz->click();
    EXPECT_TRUE(Main.Timer_Update->isActive());
    When_Modal([&] {
        Main.FSoftOptions->CB_En_Con->setChecked(false);
        Main.FSoftOptions->Btn_OK->click();
    });
    Main.Btn_Opz->click();
    EXPECT_FALSE(Main.Timer_Update->isActive());
    // the update check keeps its mark while internet access is off
    EXPECT_EQ(Read_File(Settings_File()), Settings_Text("", "English", false, true));
}

TEST_F(Main_Window, MakerLinksOpenWithTheDefaultHandler)
{
    TFVelmorineFirmWare Main(Program());
    TLink_Recorder Links;
    Main.L_BrisolClick();
    EXPECT_EQ(Links.Links, std::vector<std::string>{app::Home_Page_Url("CT40510")});
}

TEST_F(Main_Window, Screenshots)
{
    std::filesystem::create_directories(Program() / "PROJECTS" / "Demo");
    Write_File(Program() / "LANGUAGE" / "Deutsch.lng", Deutsch_Lng());
    {
        TFVelmorineFirmWare Main(Program());
        ui_test::Save_Screenshot(Main, "TFVelmorineFirmWare_none_en");
        Main.hide();
    }
    Write_File(Settings_File(), Settings_Text("Demo", "English", false, false));
    {
        TFVelmorineFirmWare Main(Program());
        ui_test::Save_Screenshot(Main, "TFVelmorineFirmWare_en");
        Main.hide();
    }
    Write_File(Settings_File(), Settings_Text("Demo", "Deutsch", false, false));
    {
        TFVelmorineFirmWare Main(Program());
        EXPECT_EQ(Main.L_Begin->text(), "Beginn");
        Main.LL_Update->show();
        ui_test::Save_Screenshot(Main, "TFVelmorineFirmWare_de");
        Main.hide();
    }
}

} // namespace
