// Step 4 from the main window: the compile run, the update window, the script and the update tool.
#include "../app/ui/App_Ui_Test.h"
#include "../update/Fake_Echo.h"

#include "app/ui/TFVelmorineFirmWare.h"
#include "update/Start_Program.h"
#include "update/ui/TFBoot.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

namespace fs = std::filesystem;
using namespace app_ui_test;

const fs::path Demo = fs::path(CT_TEST_DATA) / ".." / ".." / "demo" / "Demo";

class Update_Step : public TApp_Window_Test
{
protected:
    void SetUp() override
    {
        TApp_Window_Test::SetUp();
        Write_File(Settings_File(), Settings_Text("Plant", "English", false, false));
        fs::create_directories(Conf() / "ICD_Catalog");
        for (const char* File : {"ParGen.xml", "IEC_61850_Client.xml", "ICD_Catalog/Demo_Feeder.icd"})
            fs::copy_file(Demo / File, Conf() / File);
        // The check tool stands in for the update tool: it reads the script beside itself.
        fs::copy_file(CT_UPDATE_TOOL, Program() / update::Update_Tool_Name);
        Main = std::make_unique<app::ui::TFVelmorineFirmWare>(Program());
        update::TFBoot* Boot = Main->Boot_Window();
        Boot->Set_Clock(Clock);
        Boot->Set_Echo(std::make_shared<update_test::TFake_Echo>(
            *Clock, [](int, std::chrono::milliseconds) { return update_test::Answer(); }));
    }

    fs::path Conf() const { return Program() / "PROJECTS" / "Plant"; }

    std::shared_ptr<update_test::TFake_Clock> Clock = std::make_shared<update_test::TFake_Clock>();
    ui_test::TMessage_Recorder Messages;
    std::unique_ptr<app::ui::TFVelmorineFirmWare> Main;
};

TEST_F(Update_Step, CompilesOpensTheUpdateWindowAndStartsTheToolOnASoundScript)
{
    bool Shown = false;
    When_Modal([&] {
        update::TFBoot* Boot = Main->Boot_Window();
        Shown = Boot->isVisible();
        EXPECT_EQ(Boot->Form_Type, 1);
        Boot->E_IP1->setText("127");
        Boot->E_IP2->setText("0");
        Boot->E_IP3->setText("0");
        Boot->E_IP4->setText("1");
        Boot->CB_Update_Options->setCurrentIndex(2); // configuration only: no firmware file is needed
        Boot->Btn_Update->click();
    });
    Main->Btn_CreateBin->click();

    EXPECT_TRUE(Shown);
    EXPECT_TRUE(Messages.Messages().empty()) << Messages.Last_Text();
    EXPECT_EQ(fs::file_size(Conf() / "bin" / "bank1.bin"), 2048u);
    ASSERT_TRUE(fs::exists(Conf() / "bin" / "bank2.bin"));
    const std::string Script = Read_File(Program() / "Ethernet_Update.xml");
    EXPECT_NE(Script.find("<IP_Address_Dev>127.0.0.1</IP_Address_Dev>"), std::string::npos) << Script;
    EXPECT_EQ(Main->State().Last_IP_Address, "127.0.0.1");
    // The tool that was started accepts the script and the images it names.
    const std::string Check = "'" + (Program() / update::Update_Tool_Name).string() + "' > /dev/null";
    EXPECT_EQ(std::system(Check.c_str()), 0);
}

TEST_F(Update_Step, AFailedCompileShowsItsMessageAndOpensNothing)
{
    Write_File(Conf() / "IEC_61850_Client.xml", "<IEC_68850_Client><List_ICD_Files/></IEC_68850_Client>");
    bool Opened = false;
    When_Modal([&] { Opened = QApplication::activeModalWidget() != nullptr; });
    Main->Btn_CreateBin->click();
    QApplication::processEvents();

    EXPECT_FALSE(Opened);
    ASSERT_EQ(Messages.Messages().size(), 1u);
    EXPECT_NE(Messages.Last_Text().find("List_DA_Selected"), std::string::npos) << Messages.Last_Text();
    EXPECT_FALSE(fs::exists(Conf() / "bin" / "bank1.bin"));
    EXPECT_FALSE(fs::exists(Program() / "Ethernet_Update.xml"));
}

} // namespace
