// The main window: a four-step wizard from a configuration to an updated device. It owns the application-wide
// state, the settings file, the update check timer and every other window.
#pragma once

#include "app/App_State.h"
#include "app/ui/Http_Client.h"

#include <QWidget>

#include <array>
#include <filesystem>
#include <functional>

class QCloseEvent;
class QFrame;
class QLabel;
class QPushButton;
class QTimer;

namespace ct::access {
class TFIEC_61850_Access;
}
namespace comm {
class TFParGen;
}
namespace update {
class TFBoot;
}

namespace app::ui {

class TClick_Label;
class TFAbout;
class TFNew_Project;
class TFOpenConf;
class TFSoftOptions;

/// The windows of the steps 2 to 4, which join the main window through a TJoined_Window each.
enum class TStep_Window { Prm_Gen, IEC61850_Client, Update_Device };

struct TJoined_Window
{
    std::function<void()> Run;      ///< what the step button does once a configuration is active
    std::function<void()> Set_Lang; ///< re-applies the catalogue to that window
};

class TFVelmorineFirmWare final : public QWidget
{
    Q_OBJECT
public:
    /// Runs the whole start-up on Program_Path (the executable's folder; tests pass a temporary one), then
    /// creates every other window once.
    explicit TFVelmorineFirmWare(const std::filesystem::path& Program_Path, QWidget* Parent = nullptr);
    ~TFVelmorineFirmWare() override;

    TApp_State& State() { return fState; }
    THttp_Client& Http() { return fHttp; }

    void Set_Lang();
    void Set_Files();
    /// Writes Velmorin.xml; a failure is shown and the program carries on.
    void Save_Setting();
    void Create_New_Project();
    void Open_Project();
    /// Step 4: the compile run writes bin/bank1.bin and bin/bank2.bin, then the update window opens for a
    /// network update. Throws when the compile run fails (nothing written, no window).
    void Update_Device();
    /// The update window, for tests that drive step 4.
    update::TFBoot* Boot_Window() { return FBoot; }
    /// Calls Set_Lang of every window: main, new and open configuration, options, update, communication
    /// parameters, IEC 61850 access.
    void Change_Language();
    /// The handler all buttons share.
    void Btn_Click(QPushButton* Sender);
    void L_BrisolClick();
    void LL_UpdateLinkClick(const QString& Link);
    /// One tick of the update check: check, show or hide LL_Update, then wait two hours.
    void Timer_UpdateTimer();
    /// Saves the settings; runs when the window closes.
    void FormClose();

    /// Joins the window of a later step: its button runs Window.Run, Change_Language calls Window.Set_Lang.
    void Join_Window(TStep_Window Step, TJoined_Window Window);

    TFNew_Project* FNew_Project = nullptr;
    TFOpenConf* FOpenConf = nullptr;
    TFAbout* FAbout = nullptr;
    TFSoftOptions* FSoftOptions = nullptr;
    comm::TFParGen* FParGen = nullptr;
    ct::access::TFIEC_61850_Access* FIEC_61850_Access = nullptr;
    update::TFBoot* FBoot = nullptr;

    QLabel* L_SW_Code = nullptr;
    QLabel* L_SW_Desc = nullptr;
    QLabel* LL_Update = nullptr;
    QPushButton* Btn_Info = nullptr;
    QPushButton* Btn_Opz = nullptr;
    QPushButton* Btn_Close = nullptr;
    QLabel* L_Begin = nullptr;
    QFrame* P_Name_Conf = nullptr;
    QLabel* L_Name_Conf = nullptr;
    QLabel* L_Name_Conf_L2 = nullptr;
    QLabel* L_Step_1 = nullptr;
    QLabel* L_Step_2 = nullptr;
    QLabel* L_Step_3 = nullptr;
    QLabel* L_Step_4 = nullptr;
    QPushButton* Btn_New = nullptr;
    QPushButton* Btn_Open = nullptr;
    QPushButton* Btn_Prm_Gen = nullptr;
    QPushButton* Btn_IEC61850_Client = nullptr;
    QPushButton* Btn_CreateBin = nullptr;
    QFrame* Shape1 = nullptr;
    TClick_Label* L_Brisol = nullptr;
    QTimer* Timer_Update = nullptr;

protected:
    void closeEvent(QCloseEvent* Event) override;

private:
    void FormCreate(const std::filesystem::path& Program_Path);
    void Create_Windows();
    void Set_Conf_Lines();
    /// Switches the update timer on exactly when both internet options are on; a timer already running keeps
    /// counting, one switched on keeps the interval it has.
    void Apply_Timer_Update();
    void Run_Step(TStep_Window Step);

    TApp_State fState;
    THttp_Client fHttp;
    std::array<TJoined_Window, 3> fJoined;
};

} // namespace app::ui
