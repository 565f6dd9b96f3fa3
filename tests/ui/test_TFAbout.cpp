#include "../app/ui/App_Ui_Test.h"

#include "app/App_State.h"
#include "app/Version.h"
#include "app/ui/TFAbout.h"

#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace app::ui;
using namespace app_ui_test;

namespace {

TEST(About_Window, ShowsItsFixedTextsAndOpensTheHomePage)
{
    app::TApp_State State;
    TFAbout Window(State);
    EXPECT_EQ(Window.windowTitle(), "About...");
    EXPECT_EQ(Window.size(), QSize(425, 148));
    EXPECT_EQ(Window.Label1->text(), "Software Velmorin ");
    EXPECT_EQ(Window.Label2->text(), "IEC61850 Client / Modbus Slave - Converter");
    EXPECT_EQ(Window.Label6->text() + Window.Label9->text(), "Software Code : CT40510");
    EXPECT_EQ(Window.Label3->text() + Window.Label10->text(), "Version :1.001");
    EXPECT_EQ(Window.Label8->text() + Window.Label12->text(), "Document Code :ZI40510");
    EXPECT_EQ(Window.LbButton1->text(), "OK");
    TLink_Recorder Links;
    Window.Label4Click();
    EXPECT_EQ(Links.Links, std::vector<std::string>{app::Home_Page_Url("CT40510")});
    ui_test::Save_Screenshot(Window, "TFAbout");
}

} // namespace
