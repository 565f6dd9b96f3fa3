// The software options window: the user-interface language, internet access and the update check, and the two
// table-editing options. It also owns the version check that the main window's timer runs.
#pragma once

#include "app/App_State.h"
#include "app/Language_Pages.h"

#include <QDialog>

#include <array>
#include <functional>
#include <string>
#include <vector>

class QCheckBox;
class QLabel;
class QPushButton;
class QTabWidget;
class QWidget;

namespace app::ui {

class TClick_Label;
class THttp_Client;

class TFSoftOptions final : public QDialog
{
    Q_OBJECT
public:
    /// Change_Language re-applies the texts of every window (the main window's); Http is the main window's client.
    TFSoftOptions(TApp_State& State, THttp_Client& Http, std::function<void()> Change_Language,
                  QWidget* Parent = nullptr);

    void Set_Lang();
    void FormShow();
    /// Stores the choices in the state and closes with OK (the main window then saves the settings).
    void Btn_OKClick();
    /// A click on the picture or name of slot Slot (1..6) of the current page: asks, then applies that language.
    void LangClick(int Slot);
    /// Btn_Prev or Btn_Next.
    void Btn_NextClick(QPushButton* Sender);
    void CB_En_ConClick();
    void Btn_Check_UpdateClick();
    void LL_Check_UpdateLinkClick(const QString& Link);

    void Create_Lang_List();
    void Update_Lang_Page(int Num_Page);
    /// Enables CB_Update exactly when CB_En_Con is checked, Btn_Check_Update exactly when CB_Update is enabled and
    /// checked; the check marks stay as they are.
    void Update_CheckBox();
    /// True when the version service names a newer version than ours; false in every other case.
    bool Check_Version();

    const std::vector<std::string>& SL_Languages() const { return fSL_Languages; }
    int Show_Page() const { return fShow_Page; }
    const std::string& Language_In_Use() const { return fLanguage_In_Use; }

    QLabel* L_SW_Code = nullptr;
    QLabel* L_SW_Desc = nullptr;
    QTabWidget* PC_Options = nullptr;
    QWidget* TS_Language = nullptr;
    QWidget* TS_Con_Options = nullptr;
    QWidget* TS_Soft_Settings = nullptr;
    QLabel* L_Sel_Lang = nullptr;
    std::array<TClick_Label*, Lang_Slots> I_L{};
    std::array<TClick_Label*, Lang_Slots> L_L{};
    QPushButton* Btn_Prev = nullptr;
    QPushButton* Btn_Next = nullptr;
    QLabel* L_Page_Lang = nullptr;
    QCheckBox* CB_En_Con = nullptr;
    QCheckBox* CB_Update = nullptr;
    QPushButton* Btn_Check_Update = nullptr;
    QLabel* LL_Check_Update = nullptr;
    QCheckBox* CB_Soft_Set_Jump_Table = nullptr;
    QCheckBox* CB_DoubleClick_Auto_Size = nullptr;
    QPushButton* Btn_OK = nullptr;
    QPushButton* Btn_Cancel = nullptr;

protected:
    void showEvent(QShowEvent* Event) override;

private:
    void Show_Page_Label();

    TApp_State& fState;
    THttp_Client& fHttp;
    std::function<void()> fChange_Language;
    std::vector<std::string> fSL_Languages;
    int fShow_Page = 1;
    int fPage_Count = 1; ///< of the page last shown ("Page 1 / 1" until the first show)
    std::string fLanguage_In_Use;
};

} // namespace app::ui
