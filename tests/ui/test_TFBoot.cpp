// The update window on the offscreen platform, with a fake echo facility and a fake clock: no echo request
// leaves the machine and no check waits for real time.
#include "Ui_Test_Support.h"

#include "../update/Fake_Echo.h"

#include "app/App_State.h"
#include "text/Catalogue.h"
#include "update/ui/TFBoot.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <memory>

namespace fs = std::filesystem;
using common::ui::TMsg_Kind;
using update::TFBoot;
using namespace update_test;

namespace {

std::string Read(const fs::path& File)
{
    std::ifstream In(File, std::ios::binary);
    return {std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>()};
}

using TPlan = std::function<TAttempt(int Attempt, std::chrono::milliseconds Elapsed)>;

struct TStarted
{
    fs::path NomeSW;
    std::string Parameter;
    int tipo = -1;
};

class Boot_Window : public ::testing::Test
{
protected:
    Boot_Window()
    {
        text::Load_Default_Strings(State.Lang_Strings);
        State.Program_Path = Folder.Path();
        State.Master_Path = Folder.Path() / "MASTER";
        State.Conf_Path = Folder.Path() / "PROJECTS" / "Plant";
        fs::create_directories(State.Master_Path);
        fs::create_directories(State.Conf_Path / "bin");
        Window = std::make_unique<TFBoot>(State);
        Window->Set_Clock(Clock);
        Window->Set_Program_Starter([this](const fs::path& NomeSW, const std::string& Parameter, int tipo) {
            Started.push_back({NomeSW, Parameter, tipo});
            update::TStart_Result Result;
            Result.Kind = update::TStart_Result::TKind::Ended;
            return Result;
        });
        Plan([](int, auto) { return Answer(); });
    }

    void Plan(TPlan Attempts)
    {
        auto Fake = std::make_shared<TFake_Echo>(*Clock, std::move(Attempts));
        Echo = Fake.get();
        Window->Set_Echo(std::move(Fake));
    }

    void Show()
    {
        Window->show();
        Window->activateWindow();
        QApplication::processEvents();
    }

    void Type_Address(const std::array<const char*, 4>& Texts)
    {
        Window->E_IP1->setText(Texts[0]);
        Window->E_IP2->setText(Texts[1]);
        Window->E_IP3->setText(Texts[2]);
        Window->E_IP4->setText(Texts[3]);
    }

    std::array<std::string, 4> Edits() const { return Window->Address_Texts(); }

    static void Type_Key(QWidget* Target, const QString& Text)
    {
        QKeyEvent Press(QEvent::KeyPress, Text == "." ? Qt::Key_Period : Qt::Key_unknown, Qt::NoModifier, Text);
        QApplication::sendEvent(Target, &Press);
    }

    fs::path Script() const { return Folder.Path() / "Ethernet_Update.xml"; }

    ui_test::TTemp_Folder Folder;
    app::TApp_State State;
    std::shared_ptr<TFake_Clock> Clock = std::make_shared<TFake_Clock>();
    TFake_Echo* Echo = nullptr;
    std::vector<TStarted> Started;
    ui_test::TMessage_Recorder Messages;
    std::unique_ptr<TFBoot> Window;
};

// ---- Showing the window: the stored address fills the edits only when it checks. ----

struct TStored_Address
{
    const char* Name;
    const char* Last_IP_Address;
    std::array<std::string, 4> Shown; ///< the edits after the first showing; {} when they keep their texts
};

class Boot_Stored_Address : public Boot_Window, public ::testing::WithParamInterface<TStored_Address>
{};

// clang-format off
const TStored_Address Stored_Addresses[] = {
    {"Default",        "192.168.2.205",       {"192", "168", "2", "205"}},
    {"LeadingZeros",   "010.1.002.3",         {"010", "1", "002", "3"}},
    {"Blanks",         " 10 . 0 . 0 . 7 ",    {"10", "0", "0", "7"}},
    {"Hexadecimal",    "$7F.0.0.x1",          {"$7F", "0", "0", "x1"}},
    {"ByteTooLarge",   "192.168.2.256",       {}},
    {"ThreeParts",     "192.168.2",           {}},
    {"FiveParts",      "192.168.2.205.1",     {}},
    {"Words",          "a.b.c.d",             {}},
    {"Empty",          "",                    {}},
};
// clang-format on

TEST_P(Boot_Stored_Address, FillsTheEditsOnlyWhenItChecks)
{
    const TStored_Address& Case = GetParam();
    State.Last_IP_Address = Case.Last_IP_Address;
    const bool Valid = !Case.Shown[0].empty();
    using TTexts = std::array<std::string, 4>;

    Window->FormShow();
    EXPECT_EQ(Edits(), (Valid ? Case.Shown : TTexts{"0", "0", "0", "0"}));

    // The next showing: a valid address comes back over what was typed; otherwise the typed texts stay.
    Type_Address({"1", "2", "3", "four"});
    Window->FormShow();
    EXPECT_EQ(Edits(), (Valid ? Case.Shown : TTexts{"1", "2", "3", "four"}));
}

INSTANTIATE_TEST_SUITE_P(Cases, Boot_Stored_Address, ::testing::ValuesIn(Stored_Addresses),
                         [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(Boot_Window, ShowingAppliesTextsLayoutStoredChoicesAndFocus)
{
    State.SW_Code = "CT40510";
    State.Update_Option = 2;
    State.Update_Read_Back = false;
    Show();
    EXPECT_EQ(Window->windowTitle(), "Update Device by Ethernet (UDP)");
    EXPECT_EQ(Window->L_SW_Code->text(), "CT40510");
    EXPECT_EQ(Window->L_SW_Desc->text(), "Update Device Using the Ethernet Port");
    EXPECT_EQ(Window->L_IP_Address->text(), "Insert the IP Address of Device");
    EXPECT_EQ(Window->E_IP3->toolTip(), "Insert third byte of IP Address");
    EXPECT_EQ(Window->Btn_Update->text(), "Execute Update Firmware");
    EXPECT_EQ(Window->Btn_Cancel->toolTip(), "Exit without to do the Update");
    ASSERT_EQ(Window->CB_Update_Options->count(), 3);
    EXPECT_EQ(Window->CB_Update_Options->itemText(0), "Firmware + Configuration");
    EXPECT_EQ(Window->CB_Update_Options->itemText(1), "Firmware");
    EXPECT_EQ(Window->CB_Update_Options->itemText(2), "Configuration");
    EXPECT_EQ(Window->CB_Update_Options->currentIndex(), 2);
    EXPECT_FALSE(Window->CB_Update_Options->isEditable());
    EXPECT_FALSE(Window->CB_Update_Option_Read_Back->isChecked());
    EXPECT_EQ(Window->CB_Update_Option_Read_Back->text(), "Read Back");
    EXPECT_EQ(QApplication::focusWidget(), Window->E_IP1);

    // Stacked at their heights in a fixed client area 449 x 230.
    EXPECT_EQ(Window->size(), QSize(449, 230));
    EXPECT_EQ(Window->minimumSize(), Window->maximumSize());
    int Top = 0;
    for (auto [Part, Height] : {std::pair<QWidget*, int>{Window->P_Header, 69},
                                {Window->P_IP_Address, 49},
                                {Window->P_Options, 72},
                                {Window->P_Buttons, 40}}) {
        EXPECT_EQ(Part->geometry(), QRect(0, Top, 449, Height)) << Part->objectName().toStdString();
        Top += Height;
    }
    // Every control lies inside its panel.
    for (QWidget* Control : std::initializer_list<QWidget*>{
             Window->L_IP_Address, Window->E_IP4, Window->CB_Update_Options, Window->CB_Update_Option_Read_Back,
             Window->Btn_Cancel, Window->Btn_Update, Window->L_SW_Code, Window->L_SW_Desc})
        EXPECT_TRUE(Control->parentWidget()->rect().contains(Control->geometry()))
            << Control->objectName().toStdString();

    // The tab order runs through the address, the options and the buttons.
    std::vector<QWidget*> Order{Window->E_IP1};
    for (QWidget* Next = Window->E_IP1->nextInFocusChain(); Next != Window->E_IP1 && Order.size() < 20;
         Next = Next->nextInFocusChain())
        if ((Next->focusPolicy() & Qt::TabFocus) != 0)
            Order.push_back(Next);
    EXPECT_EQ(Order, (std::vector<QWidget*>{Window->E_IP1, Window->E_IP2, Window->E_IP3, Window->E_IP4,
                                            Window->CB_Update_Options, Window->CB_Update_Option_Read_Back,
                                            Window->Btn_Cancel, Window->Btn_Update}));
}

TEST_F(Boot_Window, SetLangRefillsTheOptionsAndAStoredPositionOutsideTheListKeepsTheFirst)
{
    State.Lang_Strings.Lang_Strings[1002] = "Gerät über Ethernet aktualisieren";
    State.Lang_Strings.Lang_Strings[1016] = "Nur Firmware";
    State.Update_Option = 7;
    Window->FormShow();
    EXPECT_EQ(Window->windowTitle(), "Gerät über Ethernet aktualisieren");
    EXPECT_EQ(Window->CB_Update_Options->count(), 3);
    EXPECT_EQ(Window->CB_Update_Options->itemText(1), "Nur Firmware");
    EXPECT_EQ(Window->CB_Update_Options->currentIndex(), 0);

    // From the main window's change of language: the texts change, the list starts again at its first entry.
    Window->CB_Update_Options->setCurrentIndex(2);
    State.Lang_Strings.Lang_Strings[1020] = "Aktualisieren";
    Window->Set_Lang();
    EXPECT_EQ(Window->Btn_Update->text(), "Aktualisieren");
    EXPECT_EQ(Window->CB_Update_Options->currentIndex(), 0);
}

TEST_F(Boot_Window, TheDotMovesToTheNextAddressEditAndIsNeverTyped)
{
    State.Last_IP_Address = "127.0.0.1";
    Show();
    const std::array<QLineEdit*, 4> Ip{Window->E_IP1, Window->E_IP2, Window->E_IP3, Window->E_IP4};
    for (std::size_t I = 0; I < 3; ++I) {
        Ip[I]->setFocus();
        Type_Key(Ip[I], ".");
        EXPECT_EQ(Ip[I]->text(), I == 0 ? "127" : "0");
        EXPECT_TRUE(Ip[I + 1]->hasFocus()) << "after E_IP" << I + 1;
    }
    Type_Key(Window->E_IP4, ".");
    EXPECT_EQ(Window->E_IP4->text(), "1");
    EXPECT_TRUE(Window->E_IP4->hasFocus());

    // Other keys type as usual, letters included.
    Window->E_IP4->end(false);
    Type_Key(Window->E_IP4, "7");
    Type_Key(Window->E_IP4, "x");
    EXPECT_EQ(Window->E_IP4->text(), "17x");

    // A next edit that cannot take the focus: the dot is still not typed, the focus stays.
    Window->E_IP4->setEnabled(false);
    Window->E_IP3->setFocus();
    Type_Key(Window->E_IP3, ".");
    EXPECT_EQ(Window->E_IP3->text(), "0");
    EXPECT_TRUE(Window->E_IP3->hasFocus());
}

// ---- The update button. ----

TEST_F(Boot_Window, ChoicesAreKeptAfterAnUpdateAndComeBackAfterAFailedCheck)
{
    Show();
    Type_Address({"127", "0", "0", "09"});
    Window->CB_Update_Options->setCurrentIndex(1); // "Firmware"
    Window->CB_Update_Option_Read_Back->setChecked(false);
    Window->Btn_Update->click();

    EXPECT_TRUE(Messages.Messages().empty()) << Messages.Last_Text();
    EXPECT_EQ(Echo->fHost, "127.0.0.09");
    EXPECT_EQ(Echo->fData, (std::vector<std::string>{"127.0.0.09", "127.0.0.09"}));
    EXPECT_EQ(State.Last_IP_Address, "127.0.0.09"); // as typed
    EXPECT_EQ(State.Update_Option, 1);
    EXPECT_FALSE(State.Update_Read_Back);
    const std::string Written = Read(Script());
    EXPECT_NE(Written.find("<IP_Address_Dev>127.0.0.09</IP_Address_Dev>"), std::string::npos) << Written;
    EXPECT_NE(Written.find("<Ope_Read_Back>0</Ope_Read_Back>"), std::string::npos);
    EXPECT_EQ(Written.find("bank1.bin"), std::string::npos) << "firmware only";
    ASSERT_EQ(Started.size(), 1u);
    EXPECT_EQ(Started[0].NomeSW, Folder.Path() / update::Update_Tool_Name);
    EXPECT_EQ(Started[0].Parameter, "");
    EXPECT_EQ(Started[0].tipo, 0);
    EXPECT_TRUE(Window->isVisible()) << "the window stays open";
    EXPECT_TRUE(Window->Btn_Update->isEnabled());

    // Reopened: the choices of the update.
    Window->hide();
    Show();
    EXPECT_EQ(Edits(), (std::array<std::string, 4>{"127", "0", "0", "09"}));
    EXPECT_EQ(Window->CB_Update_Options->currentIndex(), 1);
    EXPECT_FALSE(Window->CB_Update_Option_Read_Back->isChecked());

    // A device that does not answer: a warning, nothing written, started or kept.
    Plan([](int, auto) { return Time_Out(); });
    Type_Address({"127", "0", "0", "10"});
    Window->CB_Update_Options->setCurrentIndex(2);
    Window->CB_Update_Option_Read_Back->setChecked(true);
    Window->Btn_Update->click();
    ASSERT_EQ(Messages.Messages().size(), 1u);
    EXPECT_EQ(Messages.Messages()[0].Kind, TMsg_Kind::Warning);
    EXPECT_EQ(Messages.Last_Text(), "Device Not Found!");
    EXPECT_GT(Clock->fNow.count() - 123456, 5000) << "the check ran its 5 seconds";
    EXPECT_EQ(Read(Script()), Written);
    EXPECT_EQ(Started.size(), 1u);
    EXPECT_EQ(State.Last_IP_Address, "127.0.0.09");
    EXPECT_EQ(State.Update_Option, 1);
    EXPECT_FALSE(State.Update_Read_Back);

    Window->hide();
    Show();
    EXPECT_EQ(Edits(), (std::array<std::string, 4>{"127", "0", "0", "09"}));
    EXPECT_EQ(Window->CB_Update_Options->currentIndex(), 1);
    EXPECT_FALSE(Window->CB_Update_Option_Read_Back->isChecked());
}

struct TFailure
{
    const char* Name;
    TPlan Attempts;
    TMsg_Kind Kind;
    const char* Text;
};

class Boot_Failure : public Boot_Window, public ::testing::WithParamInterface<TFailure>
{};

const TFailure Failures[] = {
    {"NeverAnswers", [](int, auto) { return Time_Out(); }, TMsg_Kind::Warning, "Device Not Found!"},
    {"AnsweredOnceThenSilent", [](int N, auto) { return N == 1 ? Answer() : Time_Out(); }, TMsg_Kind::Warning,
     "Device Not Found!"},
    {"CannotResolve",
     [](int, auto) {
         return TAttempt{TAttempt::Throw, 0, 0ms, update::TEcho_Error::TKind::Cannot_Resolve};
     },
     TMsg_Kind::Error, "Error!!! Check the Ip Address"},
    {"EchoNotPermitted",
     [](int, auto) {
         return TAttempt{TAttempt::Throw, 0, 0ms, update::TEcho_Error::TKind::Not_Permitted};
     },
     TMsg_Kind::Error, "ICMP echo requests are not permitted for this user: the device cannot be checked"},
};

TEST_P(Boot_Failure, ShowsItsMessageAndWritesStartsAndKeepsNothing)
{
    State.Last_IP_Address = "127.0.0.1";
    Show();
    Plan(GetParam().Attempts);
    Type_Address({"127", "0", "0", "2"});
    Window->CB_Update_Options->setCurrentIndex(2);
    Window->Btn_Update->click();
    ASSERT_EQ(Messages.Messages().size(), 1u);
    EXPECT_EQ(Messages.Messages()[0].Kind, GetParam().Kind);
    EXPECT_EQ(Messages.Messages()[0].Buttons, common::ui::TMsg_Buttons::Ok);
    EXPECT_EQ(Messages.Last_Text(), GetParam().Text);
    EXPECT_FALSE(fs::exists(Script()));
    EXPECT_TRUE(Started.empty());
    EXPECT_EQ(State.Last_IP_Address, "127.0.0.1");
    EXPECT_EQ(State.Update_Option, 0);
    EXPECT_TRUE(Window->Btn_Update->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(Cases, Boot_Failure, ::testing::ValuesIn(Failures),
                         [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(Boot_Window, AScriptThatCannotBeWrittenIsReportedAndNoToolStarts)
{
    State.Program_Path = Folder.Path() / "gone";
    Show();
    Type_Address({"127", "0", "0", "1"});
    Window->Btn_Update->click();
    ASSERT_EQ(Messages.Messages().size(), 1u);
    EXPECT_EQ(Messages.Messages()[0].Kind, TMsg_Kind::Error);
    EXPECT_NE(Messages.Last_Text().find("Ethernet_Update.xml"), std::string::npos) << Messages.Last_Text();
    EXPECT_TRUE(Started.empty());
    // The device answered: the choices are those of this attempt.
    EXPECT_EQ(State.Last_IP_Address, "127.0.0.1");
}

TEST_F(Boot_Window, AMissingUpdateToolIsReportedWithItsPath)
{
    Window->Set_Program_Starter(update::System_Program_Starter());
    Show();
    Type_Address({"127", "0", "0", "1"});
    Window->Btn_Update->click();
    EXPECT_TRUE(fs::exists(Script()));
    ASSERT_EQ(Messages.Messages().size(), 1u);
    EXPECT_EQ(Messages.Messages()[0].Kind, TMsg_Kind::Error);
    const std::string Expected = "Update tool not found: " + (Folder.Path() / update::Update_Tool_Name).string();
    EXPECT_EQ(Messages.Last_Text().substr(0, Expected.size()), Expected) << Messages.Last_Text();
}

TEST_F(Boot_Window, TheButtonIsDisabledDuringTheCheckAndASecondPressStartsNothing)
{
    Show();
    Type_Address({"127", "0", "0", "1"});
    std::vector<bool> Enabled;
    Plan([&](int, auto) {
        Enabled.push_back(Window->Btn_Update->isEnabled());
        EXPECT_TRUE(Window->Running());
        // A press reaching the window while it processes events during the check, and a direct call.
        QMetaObject::invokeMethod(Window->Btn_Update, &QPushButton::click, Qt::QueuedConnection);
        Window->Btn_UpdateClick();
        return Answer();
    });
    Window->Btn_Update->click();
    EXPECT_EQ(Enabled, (std::vector<bool>{false, false}));
    EXPECT_EQ(Echo->fData.size(), 2u) << "one check of two attempts";
    EXPECT_EQ(Started.size(), 1u);
    EXPECT_TRUE(Messages.Messages().empty());
    EXPECT_TRUE(Window->Btn_Update->isEnabled());
    EXPECT_FALSE(Window->Running());
}

TEST_F(Boot_Window, ClosingTheWindowDuringTheCheckUpdatesNothing)
{
    State.Last_IP_Address = "127.0.0.1";
    Show();
    Type_Address({"127", "0", "0", "3"});

    // Closed while the device was answering its second request: the update does not go ahead.
    Plan([&](int N, auto) {
        if (N == 2)
            Window->Btn_Cancel->click();
        return Answer();
    });
    Window->Btn_Update->click();
    EXPECT_FALSE(Window->isVisible());
    EXPECT_FALSE(fs::exists(Script()));
    EXPECT_TRUE(Started.empty());
    EXPECT_TRUE(Messages.Messages().empty());
    EXPECT_EQ(State.Last_IP_Address, "127.0.0.1");

    // Closed while waiting for a silent device: the check stops at its next request, without a message.
    Show();
    Type_Address({"127", "0", "0", "3"});
    Plan([&](int, auto) {
        Window->reject();
        return Time_Out();
    });
    Window->Btn_Update->click();
    EXPECT_EQ(Echo->fData.size(), 1u);
    EXPECT_TRUE(Messages.Messages().empty());
    EXPECT_FALSE(fs::exists(Script()));
    EXPECT_TRUE(Window->Btn_Update->isEnabled());
}

TEST_F(Boot_Window, AnUpdateStartsTheToolBesideTheScript)
{
    // A stand-in for the update tool: it keeps a copy of the script it finds beside itself and its arguments.
    const fs::path Tool = Folder.Path() / update::Update_Tool_Name;
    std::ofstream(Tool) << "#!/bin/sh\n"
                           "here=$(dirname \"$0\")\n"
                           "cp \"$here/Ethernet_Update.xml\" \"$here/seen.xml\"\n"
                           "echo \"$# $(pwd)\" > \"$here/run.txt\"\n";
    fs::permissions(Tool, fs::perms::owner_all);
    Window->Set_Program_Starter(update::System_Program_Starter());
    Show();
    Type_Address({"127", "0", "0", "1"});
    Window->Btn_Update->click();

    EXPECT_TRUE(Messages.Messages().empty()) << Messages.Last_Text();
    const std::string Seen = Read(Folder.Path() / "seen.xml");
    EXPECT_EQ(Seen, Read(Script()));
    EXPECT_NE(Seen.find("<IP_Address_Dev>127.0.0.1</IP_Address_Dev>"), std::string::npos) << Seen;
    EXPECT_NE(Seen.find((State.Master_Path / "Sim40510.sim").string()), std::string::npos);
    EXPECT_NE(Seen.find((State.Conf_Path / "bin" / "bank2.bin").string()), std::string::npos);
    EXPECT_EQ(Read(Folder.Path() / "run.txt"), "0 " + fs::current_path().string() + "\n")
        << "no arguments, the configurator's current folder";
}

TEST_F(Boot_Window, Screenshot)
{
    State.Update_Option = 2;
    const fs::path Png = ui_test::Save_Screenshot(*Window, "TFBoot");
    EXPECT_TRUE(fs::exists(Png));
}

} // namespace
