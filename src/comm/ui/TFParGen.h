// The communication parameters window: the converter's Ethernet and Modbus slave settings, kept in ParGen.xml.
#pragma once

#include "comm/ParGen.h"

#include <QDialog>

#include <array>
#include <filesystem>
#include <functional>
#include <string>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QWheelEvent;

namespace text {
struct TCatalogue;
}

namespace comm {

class TCategory_Panel;

class TFParGen final : public QDialog
{
    Q_OBJECT
public:
    /// Lang_Strings is read at creation and by every Set_Lang; File_ParGen gives the active configuration's
    /// ParGen.xml each time the window is shown or saves.
    TFParGen(const text::TCatalogue& Lang_Strings, const std::string& SW_Code,
             std::function<std::filesystem::path()> File_ParGen, QWidget* Parent = nullptr);

    /// Applies the catalogue's texts to captions and hints.
    void Set_Lang();

    /// Reads ParGen.xml into the fields (the defaults when there is none) and recomputes the panel heights.
    /// A file that cannot be read or is not well-formed XML is reported (file and line) and false is answered.
    bool FormShow();

    /// Shows the window modally after FormShow; when the file could not be read the window does not open and the
    /// answer is Rejected, so the user's file is never replaced by defaults.
    int exec() override;

    /// Validates, writes ParGen.xml and closes with the OK result; a refusal or a write failure keeps the window
    /// open with the user's values.
    void Btn_OKClick();
    /// Closes without writing.
    void Btn_CancelClick();

    /// Runs the check before saving; shows the first failure's message and answers false.
    bool Controllo_Dati();

    /// Sets each visible panel's height so that its last control ends 12 pixels above the panel's bottom.
    void Move_GroupBoxs();

    /// The values as the fields hold them.
    TParGen Read_Controls() const;
    void Write_Controls(const TParGen& Values);

    /// Height of the header of every panel of the stack.
    static constexpr int Header_Height = 26;
    /// The client width the window keeps.
    static constexpr int Form_Width = 460;

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;
    void showEvent(QShowEvent* Event) override;

private:
    void Order_TAB_Panels();
    void RePosition_Object_IEC61850_Client();
    void RePosition_Object_Modbus_Slave();
    /// The "." of the twelve address edits moves to the next one; answers true when the key is consumed.
    bool Address_KeyPress(QLineEdit* Edit, QKeyEvent* Event);
    /// The wheel over the panel stack scrolls it; answers true when the event is consumed.
    bool FormMouseWheel(QWheelEvent* Event);

    void Build_IEC61850_Client_Panel();
    void Build_Modbus_Slave_Panel();

    const text::TCatalogue& fLang_Strings;
    std::function<std::filesystem::path()> fFile_ParGen;
    int fWheel_Rest = 0; // wheel rotation not yet a whole notch (high-resolution wheels and touch pads)

public:
    QLabel* L_SW_Code = nullptr;
    QLabel* L_SW_Desc = nullptr;
    QScrollArea* CPG_Panels = nullptr;
    TCategory_Panel* CP_IEC61850_Client = nullptr;
    TCategory_Panel* CP_Modbus_Slave = nullptr;

    QLabel* L_IEC61850_Client_IP = nullptr;
    std::array<QLineEdit*, 4> E_IEC61850_Client_IP{};
    QLabel* L_IEC61850_Client_SM = nullptr;
    std::array<QLineEdit*, 4> E_IEC61850_Client_SM{};
    QCheckBox* CB_IEC61850_Client_En_GAT = nullptr;
    std::array<QLineEdit*, 4> E_IEC61850_Client_GAT{};
    QLabel* L_IEC61850_Client_VLAN = nullptr;
    QLineEdit* E_IEC61850_Client_VLAN = nullptr;
    QLabel* L_IEC61850_Client_AppID = nullptr;
    QLineEdit* E_IEC61850_Client_AppID = nullptr;

    QLabel* L_ModbusSlave_Serial = nullptr;
    QComboBox* CB_ModbusSlave_Serial = nullptr;
    QLabel* L_ModbusSlave_Baudrate = nullptr;
    QComboBox* CB_ModbusSlave_Baudrate = nullptr;
    QLabel* L_ModbusSlave_Parity = nullptr;
    QComboBox* CB_ModbusSlave_Parity = nullptr;
    QLabel* L_ModbusSlave_StopBits = nullptr;
    QComboBox* CB_ModbusSlave_StopBits = nullptr;
    QLabel* L_ModbusSlave_IDDevice = nullptr;
    QLineEdit* E_ModbusSlave_IDDevice = nullptr;
    QCheckBox* CB_ModbusSlave_ReadInput = nullptr;

    QPushButton* Btn_OK = nullptr;
    QPushButton* Btn_Cancel = nullptr;

    /// The twelve address edits in the order "." moves along: IP1..IP4, SM1..SM4, GAT1..GAT4.
    std::array<QLineEdit*, 12> Address_Edits{};
};

} // namespace comm
