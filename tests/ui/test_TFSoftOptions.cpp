#include "../app/ui/App_Ui_Test.h"

#include "app/Version.h"
#include "app/ui/App_Widgets.h"
#include "app/ui/TFNew_Project.h"
#include "app/ui/TFOpenConf.h"
#include "app/ui/TFSoftOptions.h"
#include "app/ui/TFVelmorineFirmWare.h"
#include "comm/ui/TFParGen.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

#include <gtest/gtest.h>

using namespace app::ui;
using namespace app_ui_test;
using common::ui::TMsg_Answer;

namespace {

class Options_Window : public TApp_Window_Test
{
protected:
    void Languages(std::initializer_list<std::string> Names)
    {
        for (const std::string& Name : Names)
            Write_File(Program() / "LANGUAGE" / (Name + ".lng"), "STR0 = " + Name + "\n");
    }
    static void Flag(const std::filesystem::path& File, Qt::GlobalColor Colour)
    {
        QImage Picture(30, 20, QImage::Format_RGB32);
        Picture.fill(Colour);
        ASSERT_TRUE(Picture.save(QString::fromStdString(File.string()), "BMP"));
    }
    /// The names shown in the visible slots, in slot order.
    static std::vector<std::string> Shown_Slots(const TFSoftOptions& Options)
    {
        std::vector<std::string> Names;
        for (int Slot = 0; Slot < app::Lang_Slots; ++Slot)
            if (!Options.L_L[Slot]->isHidden())
                Names.push_back(Options.L_L[Slot]->text().toStdString());
        return Names;
    }
};

TEST_F(Options_Window, SevenLanguagesMakeTwoPages)
{
    Languages({"G", "B", "e", "D", "C", "F", "A"});
    TFVelmorineFirmWare Main(Program());
    TFSoftOptions& Options = *Main.FSoftOptions;
    Options.show();
    EXPECT_EQ(Options.PC_Options->currentWidget(), Options.TS_Language);
    EXPECT_EQ(Shown_Slots(Options), (std::vector<std::string>{"A", "B", "C", "D", "e", "F"}));
    EXPECT_TRUE(Options.Btn_Prev->isHidden());
    EXPECT_FALSE(Options.Btn_Next->isHidden());
    EXPECT_EQ(Options.L_Page_Lang->text(), "Page 1 / 2");
    EXPECT_EQ(Options.L_Sel_Lang->text(), "Selected Language : English");

    Options.Btn_Next->click();
    EXPECT_EQ(Shown_Slots(Options), std::vector<std::string>{"G"});
    EXPECT_FALSE(Options.L_L[0]->isHidden());
    EXPECT_FALSE(Options.Btn_Prev->isHidden());
    EXPECT_TRUE(Options.Btn_Next->isHidden());
    EXPECT_EQ(Options.L_Page_Lang->text(), "Page 2 / 2");
    Options.Btn_NextClick(Options.Btn_Next); // no page 3
    EXPECT_EQ(Options.Show_Page(), 2);

    Options.Btn_Prev->click();
    EXPECT_EQ(Options.Show_Page(), 1);
    EXPECT_EQ(Shown_Slots(Options).size(), 6u);
}

TEST_F(Options_Window, SixLanguagesMakeOnePageAndNoneShowNoSlot)
{
    Languages({"A", "B", "C", "D", "E", "F"});
    {
        TFVelmorineFirmWare Main(Program());
        TFSoftOptions& Options = *Main.FSoftOptions;
        Options.show();
        EXPECT_EQ(Shown_Slots(Options).size(), 6u);
        EXPECT_TRUE(Options.Btn_Prev->isHidden());
        EXPECT_TRUE(Options.Btn_Next->isHidden());
        EXPECT_EQ(Options.L_Page_Lang->text(), "Page 1 / 1");
    }
    std::filesystem::remove_all(Program() / "LANGUAGE");
    TFVelmorineFirmWare Main(Program());
    TFSoftOptions& Options = *Main.FSoftOptions;
    Options.show();
    EXPECT_TRUE(Shown_Slots(Options).empty());
    EXPECT_EQ(Options.L_Page_Lang->text(), "Page 1 / 0");
    ui_test::TMessage_Recorder Recorder;
    Options.LangClick(1);
    EXPECT_TRUE(Recorder.Messages().empty());
}

TEST_F(Options_Window, FlagFallsBackToTheDefaultFlagThenToTheNameAlone)
{
    Languages({"Alpha", "Beta"});
    Flag(Program() / "LANGUAGE" / "Alpha.bmp", Qt::red);
    TFVelmorineFirmWare Main(Program());
    TFSoftOptions& Options = *Main.FSoftOptions;
    Options.show();
    ASSERT_FALSE(Options.I_L[0]->isHidden());
    EXPECT_EQ(Options.I_L[0]->pixmap().toImage().pixelColor(10, 10), QColor(Qt::red));
    EXPECT_TRUE(Options.I_L[1]->isHidden());
    EXPECT_FALSE(Options.L_L[1]->isHidden());
    Options.hide();

    Flag(Program() / "LANGUAGE" / "DefaultFlag.bmp", Qt::blue);
    Options.show();
    ASSERT_FALSE(Options.I_L[1]->isHidden());
    EXPECT_EQ(Options.I_L[1]->pixmap().toImage().pixelColor(10, 10), QColor(Qt::blue));
    EXPECT_EQ(Options.I_L[0]->pixmap().toImage().pixelColor(10, 10), QColor(Qt::red));
}

TEST_F(Options_Window, LanguageChangeReachesEveryWindowAtOnceAndIsStoredOnlyOnOK)
{
    Write_File(Program() / "LANGUAGE" / "Deutsch.lng", Deutsch_Lng());
    Write_File(Program() / "LANGUAGE" / "English.lng", "");
    TFVelmorineFirmWare Main(Program());
    TFSoftOptions& Options = *Main.FSoftOptions;
    int Joined_Set_Lang = 0;
    Main.Join_Window(TStep_Window::Update_Device, {{}, [&] { ++Joined_Set_Lang; }});
    ui_test::TMessage_Recorder Recorder;

    When_Modal([&] {
        ASSERT_EQ(Options.L_L[0]->text(), "Deutsch");
        Options.LangClick(1); // answered No
        EXPECT_EQ(Recorder.Last_Text(), "Do you want to change the Language from English to Deutsch?");
        EXPECT_EQ(Recorder.Messages().back().Buttons, common::ui::TMsg_Buttons::Yes_No);
        EXPECT_EQ(Main.L_Begin->text(), "Begin");
        Recorder.Answer_Next(TMsg_Answer::Yes);
        Options.LangClick(1);
        EXPECT_EQ(Options.Language_In_Use(), "Deutsch");
        EXPECT_EQ(Options.L_Sel_Lang->text(), "Gewählte Sprache : Deutsch");
        EXPECT_EQ(Options.L_Page_Lang->text(), "Seite 1 von 1");
        EXPECT_EQ(Options.windowTitle(), "Software-Optionen");
        EXPECT_EQ(Main.L_Begin->text(), "Beginn");
        EXPECT_EQ(Main.L_Name_Conf->text(), "Keine Konfiguration geöffnet ");
        EXPECT_EQ(Main.FNew_Project->windowTitle(), "Neue Konfiguration anlegen");
        EXPECT_EQ(Main.FOpenConf->windowTitle(), "Konfiguration öffnen");
        EXPECT_EQ(Main.FParGen->windowTitle(), "Kommunikation einstellen");
        EXPECT_EQ(Joined_Set_Lang, 1);
        Options.Btn_Cancel->click();
    });
    Main.Btn_Opz->click();
    EXPECT_EQ(Main.State().Language, "English");
    EXPECT_EQ(Main.Btn_New->text(), "Neue Konfiguration");
    // messages read the catalogue when shown
    Main.Btn_Prm_Gen->click();
    EXPECT_EQ(Recorder.Last_Text(), "Fehler! Projekt nicht gültig");
    Main.FormClose();
    EXPECT_EQ(Read_File(Settings_File()), Settings_Text("", "English", false, false));

    // the next show starts from the stored language; OK stores the choice
    When_Modal([&] {
        EXPECT_EQ(Options.Language_In_Use(), "English");
        Recorder.Answer_Next(TMsg_Answer::Yes);
        Options.LangClick(1);
        Options.Btn_OK->click();
    });
    Main.Btn_Opz->click();
    EXPECT_EQ(Main.State().Language, "Deutsch");
    EXPECT_EQ(Read_File(Settings_File()), Settings_Text("", "Deutsch", false, false));
}

TEST_F(Options_Window, ConnectionControlsFollowTheInternetOption)
{
    Write_File(Settings_File(), Settings_Text("", "English", true, true));
    TFVelmorineFirmWare Main(Program());
    TFSoftOptions& Options = *Main.FSoftOptions;
    Options.show();
    EXPECT_TRUE(Options.CB_Update->isEnabled());
    EXPECT_TRUE(Options.Btn_Check_Update->isEnabled());
    EXPECT_TRUE(Options.LL_Check_Update->isHidden());
    Options.CB_En_Con->setChecked(false);
    EXPECT_FALSE(Options.CB_Update->isEnabled());
    EXPECT_TRUE(Options.CB_Update->isChecked());
    EXPECT_FALSE(Options.Btn_Check_Update->isEnabled());
    Options.CB_En_Con->setChecked(true);
    Options.CB_Update->setChecked(false);
    EXPECT_TRUE(Options.CB_Update->isEnabled());
    EXPECT_FALSE(Options.Btn_Check_Update->isEnabled());
}

struct TAnswer_Case
{
    const char* Name;
    std::string Raw; ///< the server's whole answer; "never" for a server that never answers
    bool Newer;
};

void PrintTo(const TAnswer_Case& Case, std::ostream* Out)
{
    *Out << Case.Name;
}

std::string Answer_200(const std::string& Body)
{
    return "HTTP/1.0 200 OK\r\nContent-Type: text/html\r\n\r\n" + Body;
}

class Check_Version_Against_Local_Server : public Options_Window, public ::testing::WithParamInterface<TAnswer_Case>
{};

TEST_P(Check_Version_Against_Local_Server, ShowsTheAnswer)
{
    TFVelmorineFirmWare Main(Program());
    TFSoftOptions& Options = *Main.FSoftOptions;
    TLocal_Http_Server Server;
    Server.Raw_Answer = GetParam().Raw;
    Server.Silent = GetParam().Raw == "never";
    Main.Http().Set_Server("127.0.0.1", Server.Port());
    Main.Http().Set_Time_Out(500);
    Options.show();

    QElapsedTimer Clock;
    Clock.start();
    ui_test::TMessage_Recorder Recorder;
    Options.Btn_Check_UpdateClick();
    EXPECT_LT(Clock.elapsed(), 3000);
    EXPECT_TRUE(Recorder.Messages().empty());
    EXPECT_FALSE(Options.LL_Check_Update->isHidden());
    if (GetParam().Newer) {
        EXPECT_EQ(Options.LL_Check_Update->text(),
                  Link_Text(app::Download_Page_Url(), "New Version Available. Click Here for more Details"));
        TLink_Recorder Links;
        Options.LL_Check_UpdateLinkClick(QString::fromStdString(app::Download_Page_Url()));
        EXPECT_EQ(Links.Links, std::vector<std::string>{app::Download_Page_Url()});
    } else {
        EXPECT_EQ(Options.LL_Check_Update->text(), "No Update Available");
    }
    // one HTTP/1.0 GET of the version service, without cookies
    ASSERT_EQ(Server.Requests.size(), 1u);
    EXPECT_TRUE(Server.Requests[0].starts_with("GET /home/download/GetversionSW.asp?nomesw=CT40510 HTTP/1.0\r\n"))
        << Server.Requests[0];
    EXPECT_EQ(Server.Requests[0].find("Cookie"), std::string::npos);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, Check_Version_Against_Local_Server, ::testing::Values(
    TAnswer_Case{"empty", Answer_200(""), false},
    TAnswer_Case{"no version", Answer_200("VER. 0.000"), false},
    TAnswer_Case{"no version in lower case", Answer_200("ver. 0.000"), false},
    TAnswer_Case{"equal", Answer_200("VER. 1.001"), false},
    TAnswer_Case{"newer", Answer_200("VER. 1.002"), true},
    TAnswer_Case{"newer without the word", Answer_200("1.002\r\n"), true},
    TAnswer_Case{"too short", Answer_200("VER. 1.2"), false},
    TAnswer_Case{"not digits", Answer_200("VER. 1.0x2"), false},
    TAnswer_Case{"error status", "HTTP/1.0 404 Not Found\r\n\r\nVER. 9.999", false},
    TAnswer_Case{"cut by its length", "HTTP/1.0 200 OK\r\nContent-Length: 4\r\n\r\nVER. 1.002", false},
    TAnswer_Case{"no header", "VER. 1.002", false},
    TAnswer_Case{"never answers", "never", false}));
// clang-format on

TEST_F(Options_Window, UnreachableServerIsNoUpdate)
{
    TFVelmorineFirmWare Main(Program());
    std::uint16_t Closed_Port = 0;
    {
        TLocal_Http_Server Gone;
        Closed_Port = Gone.Port();
    }
    Main.Http().Set_Server("127.0.0.1", Closed_Port);
    EXPECT_FALSE(Main.FSoftOptions->Check_Version());
    EXPECT_FALSE(Main.Http().Busy());
}

TEST_F(Options_Window, VersionClientAsksTheMakerWithATenSecondLimit)
{
    THttp_Client Client;
    EXPECT_EQ(Client.Host(), app::Maker_Host);
    EXPECT_EQ(Client.Port(), 80);
    EXPECT_EQ(Client.Time_Out(), 10000);
}

TEST_F(Options_Window, Screenshots)
{
    Write_File(Program() / "LANGUAGE" / "Deutsch.lng", Deutsch_Lng());
    Languages({"English", "Italiano", "Español", "Français", "Nederlands", "Polski", "Svenska"});
    Flag(Program() / "LANGUAGE" / "DefaultFlag.bmp", Qt::gray);
    for (const char* Language : {"English", "Deutsch"}) {
        Write_File(Settings_File(), Settings_Text("", Language, true, true));
        TFVelmorineFirmWare Main(Program());
        TFSoftOptions& Options = *Main.FSoftOptions;
        const std::string Suffix = std::string(Language) == "English" ? "_en" : "_de";
        ui_test::Save_Screenshot(Options, "TFSoftOptions_language" + Suffix);
        Options.PC_Options->setCurrentWidget(Options.TS_Con_Options);
        ui_test::Save_Screenshot(Options, "TFSoftOptions_connection" + Suffix);
        Options.PC_Options->setCurrentWidget(Options.TS_Soft_Settings);
        ui_test::Save_Screenshot(Options, "TFSoftOptions_settings" + Suffix);
        Options.hide();
    }
}

} // namespace
