// The update window: the device's address, what to load into it and whether to read it back; the device must
// answer ICMP echo requests before the update script is written and the update tool started.
#pragma once

#include "update/Execute_Update.h"

#include <QDialog>

#include <array>
#include <memory>

class QCheckBox;
class QComboBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;

namespace app {
struct TApp_State;
}

namespace update {

class TFBoot final : public QDialog
{
    Q_OBJECT
public:
    /// State gives the catalogue, SW_Code and the folders, and receives Last_IP_Address, Update_Option and
    /// Update_Read_Back when an update goes ahead. The real echo facility, clock and program start are used until
    /// the setters replace them.
    explicit TFBoot(app::TApp_State& State, QWidget* Parent = nullptr);
    ~TFBoot() override;

    /// The facilities of the update button; tests put fakes in their place.
    void Set_Echo(std::shared_ptr<TEcho> Echo);
    void Set_Clock(std::shared_ptr<TClock> Clock);
    void Set_Program_Starter(TProgram_Starter Start);

    /// Applies the catalogue's texts; refills the option list and selects its first entry.
    void Set_Lang();

    /// Runs every time the window is shown: texts, header, layout, the stored address (when it is valid), the
    /// stored choices and the focus in the first address edit.
    void FormShow();

    /// The check, then, when the device answered, the script and the update tool; otherwise a message. Does
    /// nothing while a check or an update runs.
    void Btn_UpdateClick();
    void Btn_CancelClick();

    /// Closes the window; a check still running stops at its next request and nothing more is done.
    void reject() override;

    /// The four address texts, exactly as typed.
    TAddress_Texts Address_Texts() const;
    /// True while the update button's check or update runs.
    bool Running() const { return fRunning; }

    /// 1: update over the network, the only layout of this window.
    int Form_Type = 1;

    static constexpr int Form_Width = 449;
    static constexpr int Header_Height = 69;
    static constexpr int Address_Height = 49;
    static constexpr int Options_Height = 72;
    static constexpr int Buttons_Height = 40;

    QWidget* P_Header = nullptr;
    QLabel* L_SW_Code = nullptr;
    QLabel* L_SW_Desc = nullptr;
    QWidget* P_IP_Address = nullptr;
    QLabel* L_IP_Address = nullptr;
    QLineEdit* E_IP1 = nullptr;
    QLineEdit* E_IP2 = nullptr;
    QLineEdit* E_IP3 = nullptr;
    QLineEdit* E_IP4 = nullptr;
    QWidget* P_Options = nullptr;
    QLabel* L_Update_Option = nullptr;
    QComboBox* CB_Update_Options = nullptr;
    QCheckBox* CB_Update_Option_Read_Back = nullptr;
    QWidget* P_Buttons = nullptr;
    QPushButton* Btn_Cancel = nullptr;
    QPushButton* Btn_Update = nullptr;

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;
    void showEvent(QShowEvent* Event) override;

private:
    /// "." never enters an address edit; in the first three it moves to the next edit. True when consumed.
    bool Address_KeyPress(QLineEdit* Edit, QKeyEvent* Event);
    void Lay_Out();
    void Show_Outcome(const TUpdate_Outcome& Outcome);

    app::TApp_State& fState;
    std::array<QLineEdit*, 4> fEdits{};
    std::shared_ptr<TEcho> fEcho;
    std::shared_ptr<TClock> fClock;
    TProgram_Starter fStart;
    bool fRunning = false;
    bool fClosed_While_Running = false;
};

} // namespace update
