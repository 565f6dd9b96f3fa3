#include "../app/ui/App_Ui_Test.h"

#include "app/App_State.h"
#include "app/ui/TFOpenConf.h"

#include <QLabel>
#include <QListWidget>

#include <gtest/gtest.h>

using namespace app::ui;
using namespace app_ui_test;

namespace {

class Open_Conf_Window : public TApp_Window_Test
{
protected:
    void SetUp() override
    {
        TApp_Window_Test::SetUp();
        app::Start_Up(State, Program());
    }
    void Make_Configurations(std::initializer_list<const char*> Names)
    {
        for (const char* Name : Names)
            std::filesystem::create_directories(State.Projects_Path / Name);
    }
    static std::string Selected(const TFOpenConf& Window)
    {
        const QListWidgetItem* Item = Window.ListBox1->currentItem();
        return Item ? Item->text().toStdString() : std::string("<none>");
    }
    app::TApp_State State;
};

TEST_F(Open_Conf_Window, PreselectsTheActiveConfigurationWhateverItsLetterCase)
{
    Make_Configurations({"Alpha", "Plant", "Zeta"});
    State.Conf_Name = "PLANT";
    State.Conf_Path = State.Projects_Path / "pLANT";
    TFOpenConf Window(State);
    Window.show();
    EXPECT_EQ(Window.SL(), (std::vector<std::string>{"Alpha", "Plant", "Zeta"}));
    EXPECT_EQ(Window.ListBox1->count(), 3);
    EXPECT_EQ(Selected(Window), "Plant");
    EXPECT_EQ(Window.Name_Conf(), "Plant");
    Window.ListBox1->setCurrentRow(2);
    EXPECT_EQ(Window.Name_Conf(), "Zeta");
}

TEST_F(Open_Conf_Window, PreselectsTheFirstWhenTheActiveOneWasDeletedOrNoneIsActive)
{
    Make_Configurations({"Beta", "Alpha", "Deleted"});
    State.Conf_Name = "Deleted";
    State.Conf_Path = State.Projects_Path / "Deleted";
    TFOpenConf Window(State);
    Window.show();
    EXPECT_EQ(Selected(Window), "Deleted");
    Window.hide();
    std::filesystem::remove(State.Projects_Path / "Deleted");
    Write_File(State.Projects_Path / "file.txt", "a file is no configuration");
    Window.show(); // the list is read again on every show
    EXPECT_EQ(Window.SL(), (std::vector<std::string>{"Alpha", "Beta"}));
    EXPECT_EQ(Selected(Window), "Alpha");
    EXPECT_EQ(Window.Name_Conf(), "Alpha");
    Window.hide();
    State.Conf_Path.clear();
    Window.show();
    EXPECT_EQ(Selected(Window), "Alpha");
}

TEST_F(Open_Conf_Window, EmptyProjectsFolderGivesNoChoice)
{
    Make_Configurations({"Old"});
    State.Conf_Path = State.Projects_Path / "Old";
    TFOpenConf Window(State);
    Window.show();
    EXPECT_EQ(Window.Name_Conf(), "Old");
    Window.hide();
    std::filesystem::remove(State.Projects_Path / "Old");
    Window.show();
    EXPECT_EQ(Window.ListBox1->count(), 0);
    EXPECT_EQ(Window.Name_Conf(), "");
    EXPECT_EQ(Window.Search_Open_Conf("Old"), -1);
}

TEST_F(Open_Conf_Window, Screenshots)
{
    Make_Configurations({"Demo", "Substation 7", "Test bench"});
    State.Conf_Path = State.Projects_Path / "Demo";
    {
        TFOpenConf Window(State);
        EXPECT_EQ(Window.windowTitle(), "Open Configuration");
        ui_test::Save_Screenshot(Window, "TFOpenConf_en");
    }
    Write_File(State.Language_Path / "Deutsch.lng", Deutsch_Lng());
    State.Language = "Deutsch";
    text::Load_Language(State.Lang_Strings, State.Language_Path, State.Language);
    TFOpenConf Window(State);
    EXPECT_EQ(Window.Label1->text(), "Vorhandene Konfigurationen");
    ui_test::Save_Screenshot(Window, "TFOpenConf_de");
}

} // namespace
