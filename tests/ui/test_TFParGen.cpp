// The communication parameters window, driven through its handlers on the offscreen platform.
#include "Ui_Test_Support.h"

#include "comm/ParGen.h"
#include "comm/ui/Category_Panel.h"
#include "comm/ui/TFParGen.h"
#include "text/Catalogue.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>

namespace fs = std::filesystem;
using comm::TFParGen;

namespace {

std::string Read(const fs::path& File)
{
    std::ifstream In(File, std::ios::binary);
    return {std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>()};
}

class ParGen_Window : public ::testing::Test
{
protected:
    ParGen_Window()
    {
        text::Load_Default_Strings(Catalogue);
        Window = std::make_unique<TFParGen>(Catalogue, "CT40510", [this] { return File; });
    }

    template <class W> W* Control(const char* Name) const
    {
        W* Found = Window->findChild<W*>(QLatin1String(Name));
        EXPECT_NE(Found, nullptr) << Name;
        return Found;
    }
    QLineEdit* Edit(const char* Name) const { return Control<QLineEdit>(Name); }
    QComboBox* List(const char* Name) const { return Control<QComboBox>(Name); }

    void Type_Key(QWidget* Target, const QString& Text)
    {
        QKeyEvent Press(QEvent::KeyPress, Text == "." ? Qt::Key_Period : Qt::Key_unknown, Qt::NoModifier, Text);
        QApplication::sendEvent(Target, &Press);
    }

    ui_test::TTemp_Folder Folder;
    fs::path File = Folder.Path() / "ParGen.xml";
    text::TCatalogue Catalogue;
    ui_test::TMessage_Recorder Messages;
    std::unique_ptr<TFParGen> Window;
};

} // namespace

TEST_F(ParGen_Window, ANewConfigurationShowsTheDefaultsAndOkCreatesTheFile)
{
    ASSERT_TRUE(Window->FormShow());
    EXPECT_EQ(Edit("E_IEC61850_Client_IP1")->text(), "192");
    EXPECT_EQ(Edit("E_IEC61850_Client_IP4")->text(), "10");
    EXPECT_EQ(Edit("E_IEC61850_Client_SM3")->text(), "255");
    EXPECT_EQ(Edit("E_IEC61850_Client_GAT4")->text(), "1");
    EXPECT_FALSE(Control<QCheckBox>("CB_IEC61850_Client_En_GAT")->isChecked());
    EXPECT_EQ(Edit("E_IEC61850_Client_VLAN")->text(), "0");
    EXPECT_EQ(Edit("E_IEC61850_Client_AppID")->text(), "0");
    EXPECT_EQ(List("CB_ModbusSlave_Serial")->currentText(), "RS232");
    EXPECT_EQ(List("CB_ModbusSlave_Baudrate")->currentText(), "115200");
    EXPECT_EQ(List("CB_ModbusSlave_Parity")->currentText(), "NONE");
    EXPECT_EQ(List("CB_ModbusSlave_StopBits")->currentText(), "1 Stop Bits");
    EXPECT_EQ(Edit("E_ModbusSlave_IDDevice")->text(), "10");
    EXPECT_TRUE(Control<QCheckBox>("CB_ModbusSlave_ReadInput")->isChecked());
    for (const char* Name :
         {"CB_ModbusSlave_Serial", "CB_ModbusSlave_Baudrate", "CB_ModbusSlave_Parity", "CB_ModbusSlave_StopBits"})
        EXPECT_FALSE(List(Name)->isEditable()) << Name;
    EXPECT_FALSE(fs::exists(File));

    Control<QPushButton>("Btn_OK")->click();
    EXPECT_TRUE(Messages.Messages().empty()) << Messages.Last_Text();
    EXPECT_EQ(Window->result(), QDialog::Accepted);
    EXPECT_EQ(Read(File), comm::ParGen_To_Text(comm::TParGen{}));
}

TEST_F(ParGen_Window, ValuesAreWrittenAndShownAgainExactlyAsTyped)
{
    ASSERT_TRUE(Window->FormShow());
    Edit("E_IEC61850_Client_IP1")->setText(" 5");
    Edit("E_IEC61850_Client_IP2")->setText("$FF");
    Edit("E_IEC61850_Client_IP4")->setText("010");
    Edit("E_IEC61850_Client_GAT1")->setText("999"); // not checked while the gateway is off
    Edit("E_IEC61850_Client_VLAN")->setText("");
    Edit("E_IEC61850_Client_AppID")->setText("any text");
    List("CB_ModbusSlave_Serial")->setCurrentIndex(1);
    List("CB_ModbusSlave_StopBits")->setCurrentIndex(1);
    Edit("E_ModbusSlave_IDDevice")->setText("247");
    Control<QCheckBox>("CB_ModbusSlave_ReadInput")->setChecked(false);
    Window->Btn_OKClick();
    EXPECT_TRUE(Messages.Messages().empty()) << Messages.Last_Text();
    EXPECT_EQ(Window->result(), QDialog::Accepted);

    const comm::TParGen Stored = comm::Read_ParGen(File);
    EXPECT_EQ(Stored.IEC61850_Client_IP, (std::array<std::string, 4>{" 5", "$FF", "0", "010"}));
    EXPECT_EQ(Stored.IEC61850_Client_GAT[0], "999");

    TFParGen Again(Catalogue, "CT40510", [this] { return File; });
    ASSERT_TRUE(Again.FormShow());
    EXPECT_EQ(Again.Read_Controls(), Stored);
    EXPECT_EQ(Again.findChild<QLineEdit*>("E_IEC61850_Client_IP4")->text(), "010");
    EXPECT_EQ(Again.findChild<QComboBox*>("CB_ModbusSlave_Serial")->currentText(), "RS485");
}

TEST_F(ParGen_Window, AStoredTextOutsideTheFieldsRulesIsShownAsItStands)
{
    std::ofstream(File) << "<Par_Gen><IEC61850_Client_VLAN>12345678901</IEC61850_Client_VLAN>"
                           "<MODBUS_SLAVE_BAUDRATE>12</MODBUS_SLAVE_BAUDRATE></Par_Gen>";
    ASSERT_TRUE(Window->FormShow());
    EXPECT_EQ(Edit("E_IEC61850_Client_VLAN")->text(), "12345678901"); // the field limits typing only
    EXPECT_EQ(List("CB_ModbusSlave_Baudrate")->currentText(), "115200");
}

struct TRefusal_Case
{
    const char* Name;
    std::function<void(TFParGen&)> Edit;
    int Entry;
};

class ParGen_Window_Refusal : public ParGen_Window, public ::testing::WithParamInterface<TRefusal_Case>
{};

TEST_P(ParGen_Window_Refusal, ShowsTheMessageWritesNothingAndStaysOpen)
{
    std::ofstream(File) << "<Par_Gen/>";
    ASSERT_TRUE(Window->FormShow());
    Window->show();
    GetParam().Edit(*Window);
    const comm::TParGen Typed = Window->Read_Controls();
    Control<QPushButton>("Btn_OK")->click();
    ASSERT_EQ(Messages.Messages().size(), 1u);
    EXPECT_EQ(Messages.Messages()[0].Kind, common::ui::TMsg_Kind::Error);
    EXPECT_EQ(Messages.Last_Text(), Catalogue[GetParam().Entry]);
    EXPECT_TRUE(Window->isVisible());
    EXPECT_EQ(Window->Read_Controls(), Typed);
    EXPECT_EQ(Read(File), "<Par_Gen/>");
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, ParGen_Window_Refusal, ::testing::Values(
    TRefusal_Case{"SecondIpByteBeforeTheFourth", [](TFParGen& W) { W.E_IEC61850_Client_IP[1]->setText("256"); W.E_IEC61850_Client_IP[3]->setText("x"); }, 650},
    TRefusal_Case{"GatewayOnThirdByteEmpty", [](TFParGen& W) { W.CB_IEC61850_Client_En_GAT->setChecked(true); W.E_IEC61850_Client_GAT[2]->setText(""); }, 659},
    TRefusal_Case{"TwoStopBitsWithEvenParity", [](TFParGen& W) { W.CB_ModbusSlave_StopBits->setCurrentIndex(1); W.CB_ModbusSlave_Parity->setCurrentIndex(2); }, 661},
    TRefusal_Case{"IdDevice248", [](TFParGen& W) { W.E_ModbusSlave_IDDevice->setText("248"); }, 662}),
    [](const ::testing::TestParamInfo<TRefusal_Case>& Info) { return std::string(Info.param.Name); });
// clang-format on

TEST_F(ParGen_Window, CancelDiscardsTheEditsAndTheNextShowingReadsTheFile)
{
    comm::TParGen Stored;
    Stored.MODBUS_SLAVE_IDDEVICE = "33";
    comm::Write_ParGen(File, Stored);
    const std::string Before = Read(File);
    ASSERT_TRUE(Window->FormShow());
    Edit("E_ModbusSlave_IDDevice")->setText("44");
    Control<QPushButton>("Btn_Cancel")->click();
    EXPECT_EQ(Window->result(), QDialog::Rejected);
    EXPECT_EQ(Read(File), Before);
    ASSERT_TRUE(Window->FormShow());
    EXPECT_EQ(Edit("E_ModbusSlave_IDDevice")->text(), "33");
}

TEST_F(ParGen_Window, AMalformedFileIsReportedAndTheWindowDoesNotOpen)
{
    const std::string Broken = "<Par_Gen>\n<IEC61850_Client_IP1>1</IEC61850_Client_IP1>\n<x></y>\n</Par_Gen>";
    std::ofstream(File) << Broken;
    // A safety net: should the window open after all, it closes again instead of blocking the test.
    QTimer::singleShot(2000, Window.get(), [this] { Window->done(QDialog::Accepted + 10); });
    EXPECT_EQ(Window->exec(), QDialog::Rejected);
    ASSERT_EQ(Messages.Messages().size(), 1u);
    EXPECT_NE(Messages.Last_Text().find(File.string()), std::string::npos) << Messages.Last_Text();
    EXPECT_NE(Messages.Last_Text().find("line 3"), std::string::npos) << Messages.Last_Text();
    EXPECT_FALSE(Window->isVisible());
    EXPECT_EQ(Read(File), Broken);
}

TEST_F(ParGen_Window, AWriteFailureIsReportedAndTheWindowKeepsTheValues)
{
    File = Folder.Path() / "deleted configuration" / "ParGen.xml";
    ASSERT_TRUE(Window->FormShow());
    Window->show();
    Edit("E_IEC61850_Client_IP4")->setText("77");
    Window->Btn_OKClick();
    ASSERT_EQ(Messages.Messages().size(), 1u);
    EXPECT_NE(Messages.Last_Text().find("ParGen.xml"), std::string::npos) << Messages.Last_Text();
    EXPECT_TRUE(Window->isVisible());
    EXPECT_NE(Window->result(), QDialog::Accepted);
    EXPECT_EQ(Edit("E_IEC61850_Client_IP4")->text(), "77");
}

TEST_F(ParGen_Window, TheDotMovesAlongTheTwelveAddressEdits)
{
    ASSERT_TRUE(Window->FormShow());
    Window->show();
    Window->activateWindow();
    QApplication::processEvents();

    QLineEdit* Ip4 = Edit("E_IEC61850_Client_IP4");
    Ip4->setFocus();
    Type_Key(Ip4, ".");
    EXPECT_EQ(Ip4->text(), "10");
    EXPECT_TRUE(Edit("E_IEC61850_Client_SM1")->hasFocus());

    QLineEdit* Gat4 = Edit("E_IEC61850_Client_GAT4");
    Gat4->setFocus();
    Type_Key(Gat4, ".");
    EXPECT_EQ(Gat4->text(), "1");
    EXPECT_TRUE(Gat4->hasFocus());

    // Elsewhere the dot is an ordinary character, and other keys type as usual in the address edits.
    QLineEdit* AppID = Edit("E_IEC61850_Client_AppID");
    AppID->setFocus();
    AppID->end(false);
    Type_Key(AppID, ".");
    EXPECT_EQ(AppID->text(), "0.");
    QLineEdit* Ip1 = Edit("E_IEC61850_Client_IP1");
    Ip1->setFocus();
    Ip1->end(false);
    Type_Key(Ip1, "2");
    EXPECT_EQ(Ip1->text(), "1922");
}

TEST_F(ParGen_Window, TheWidthStays460AndTheWheelScrollsThePanelStack)
{
    ASSERT_TRUE(Window->FormShow());
    Window->show();
    QApplication::processEvents();
    EXPECT_EQ(Window->width(), 460);
    EXPECT_EQ(Window->height(), 700);
    Window->resize(700, 380);
    QApplication::processEvents();
    EXPECT_EQ(Window->width(), 460);
    EXPECT_EQ(Window->height(), 380);

    // Over a drop-down list the wheel scrolls the stack and leaves the list's choice alone.
    QComboBox* Serial = List("CB_ModbusSlave_Serial");
    auto* Stack = Control<QScrollArea>("CPG_Panels");
    QScrollBar* Bar = Stack->verticalScrollBar();
    ASSERT_GT(Bar->maximum(), 0);
    ASSERT_EQ(Bar->value(), 0);
    ASSERT_TRUE(Stack->viewport()->rect().contains(Serial->mapTo(Stack->viewport(), QPoint(5, 5))));
    const auto Wheel = [&](QWidget* Target, int Delta) {
        const QPointF Local(5, 5);
        QWheelEvent Event(Local, Target->mapToGlobal(Local), QPoint(), QPoint(0, Delta), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(Target, &Event);
        return Event.isAccepted();
    };
    EXPECT_TRUE(Wheel(Serial, -120));
    EXPECT_EQ(Bar->value(), std::min(Bar->maximum(), QApplication::wheelScrollLines() * Bar->singleStep()));
    EXPECT_EQ(Serial->currentIndex(), 0);
    EXPECT_TRUE(Wheel(Edit("E_IEC61850_Client_VLAN"), 120));
    EXPECT_EQ(Bar->value(), 0);
}

TEST_F(ParGen_Window, EachPanelEnds12PixelsBelowItsLastControl)
{
    ASSERT_TRUE(Window->FormShow());
    Window->show();
    QApplication::processEvents();
    auto* Client = Control<comm::TCategory_Panel>("CP_IEC61850_Client");
    auto* Slave = Control<comm::TCategory_Panel>("CP_Modbus_Slave");
    const auto Bottom_In = [](QWidget* Control, QWidget* Panel) {
        return Control->mapTo(Panel, QPoint(0, Control->height())).y();
    };
    EXPECT_EQ(Client->height(), Bottom_In(Edit("E_IEC61850_Client_AppID"), Client) + 12);
    EXPECT_EQ(Slave->height(), Bottom_In(Control<QCheckBox>("CB_ModbusSlave_ReadInput"), Slave) + 12);
    EXPECT_EQ(Slave->y(), Client->y() + Client->height()) << "directly below the first panel";
    EXPECT_EQ(Client->Caption(), "1. IEC61850 Client");
    EXPECT_EQ(Slave->Caption(), "2. Modbus Slave");

    // A click on the header folds the panel to its header and the next panel moves up.
    Client->Header()->click();
    QApplication::processEvents();
    EXPECT_EQ(Client->height(), TFParGen::Header_Height);
    EXPECT_EQ(Slave->y(), Client->y() + TFParGen::Header_Height);
    Client->Header()->click();
    EXPECT_EQ(Client->height(), Bottom_In(Edit("E_IEC61850_Client_AppID"), Client) + 12);
}

TEST_F(ParGen_Window, SetLangAppliesTheCatalogue)
{
    EXPECT_EQ(Window->windowTitle(), "Set Communication");
    EXPECT_EQ(Control<QLabel>("L_SW_Code")->text(), "CT40510");
    EXPECT_EQ(Control<QPushButton>("Btn_OK")->toolTip(), "Confirm and Save the current configuration");
    EXPECT_EQ(Edit("E_IEC61850_Client_GAT3")->toolTip(), "Insert Third byte of Default Gateway");
    EXPECT_EQ(Control<QCheckBox>("CB_ModbusSlave_ReadInput")->text(), "Read with Input Register / Status Function");
    Catalogue.Lang_Strings[400] = "Kommunikation";
    Catalogue.Lang_Strings[438] = "Lesen mit Input-Registern";
    Window->Set_Lang();
    EXPECT_EQ(Window->windowTitle(), "Kommunikation");
    EXPECT_EQ(Control<QCheckBox>("CB_ModbusSlave_ReadInput")->text(), "Lesen mit Input-Registern");
}

TEST_F(ParGen_Window, Screenshot)
{
    ASSERT_TRUE(Window->FormShow());
    const fs::path Png = ui_test::Save_Screenshot(*Window, "TFParGen");
    EXPECT_TRUE(fs::exists(Png));
}
