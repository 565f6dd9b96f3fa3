#include "../app/ui/App_Ui_Test.h"

#include "app/App_State.h"
#include "app/ui/TFNew_Project.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace app::ui;
using namespace app_ui_test;

namespace {

class New_Project_Window : public TApp_Window_Test
{
protected:
    void SetUp() override
    {
        TApp_Window_Test::SetUp();
        app::Start_Up(State, Program());
        std::filesystem::create_directories(State.Projects_Path / "Existing");
    }
    static void Press_Enter(QWidget* Control)
    {
        QKeyEvent Press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
        QApplication::sendEvent(Control, &Press);
    }
    app::TApp_State State;
};

struct TRefusal_Case
{
    const char* Name;
    const char* Message;
};

class New_Project_Refusal : public New_Project_Window, public ::testing::WithParamInterface<TRefusal_Case>
{};

TEST_P(New_Project_Refusal, KeepsTheWindowOpenAndCreatesNothing)
{
    TFNew_Project Window(State);
    Window.show();
    Window.E_New_Proj->setText(QString::fromUtf8(GetParam().Name));
    ui_test::TMessage_Recorder Recorder;
    for (bool By_Enter : {false, true}) {
        if (By_Enter)
            Press_Enter(Window.E_New_Proj);
        else
            Window.Btn_OK->click();
        ASSERT_EQ(Recorder.Messages().size(), By_Enter ? 2u : 1u);
        EXPECT_EQ(Recorder.Last_Text(), GetParam().Message);
        EXPECT_EQ(Recorder.Messages().back().Kind, common::ui::TMsg_Kind::Error);
        EXPECT_TRUE(Window.isVisible());
        EXPECT_NE(Window.result(), QDialog::Accepted);
    }
    EXPECT_FALSE(State.Conf_Active());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(State.Projects_Path), {}), 1);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Program()), {}), 3);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, New_Project_Refusal, ::testing::Values(
    TRefusal_Case{"", "Error! Name Project is not valid"},
    TRefusal_Case{"Existing", "Error! Name project is not valid because directory already exists"},
    TRefusal_Case{"EXISTING", "Error! Name project is not valid because directory already exists"},
    TRefusal_Case{"../MASTER", "Error! Name project is not valid"},
    TRefusal_Case{"..", "Error! Name project is not valid"},
    TRefusal_Case{"a\\b", "Error! Name project is not valid"}));
// clang-format on

TEST_F(New_Project_Window, EnterConfirmsANewNameAndTheNextShowStartsEmpty)
{
    TFNew_Project Window(State);
    EXPECT_EQ(Window.size(), QSize(331, 162));
    Window.show();
    Window.E_New_Proj->setText("Line 4");
    ui_test::TMessage_Recorder Recorder;
    Press_Enter(Window.E_New_Proj);
    EXPECT_TRUE(Recorder.Messages().empty());
    EXPECT_EQ(Window.result(), QDialog::Accepted);
    EXPECT_FALSE(Window.isVisible());
    EXPECT_EQ(State.Conf_Name, "Line 4");
    EXPECT_TRUE(std::filesystem::is_directory(State.Projects_Path / "Line 4" / "bin"));
    Window.show();
    EXPECT_TRUE(Window.E_New_Proj->text().isEmpty());
}

TEST_F(New_Project_Window, Screenshots)
{
    {
        TFNew_Project Window(State);
        EXPECT_EQ(Window.windowTitle(), "Create New Configuration");
        Window.show();
        Window.E_New_Proj->setText("Substation 7");
        ui_test::Save_Screenshot(Window, "TFNew_Project_en");
    }
    Write_File(State.Language_Path / "Deutsch.lng", Deutsch_Lng());
    State.Language = "Deutsch";
    text::Load_Language(State.Lang_Strings, State.Language_Path, State.Language);
    TFNew_Project Window(State);
    EXPECT_EQ(Window.Label1->text(), "Name der neuen Konfiguration");
    EXPECT_EQ(Window.Btn_OK->toolTip(), "Den Namen bestätigen");
    Window.show();
    Window.E_New_Proj->setText("Umspannwerk 7");
    ui_test::Save_Screenshot(Window, "TFNew_Project_de");
}

} // namespace
