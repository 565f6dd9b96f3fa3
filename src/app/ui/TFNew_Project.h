// The new-configuration window: asks for a name and creates the configuration inside PROJECTS.
#pragma once

#include "app/App_State.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace app::ui {

class TFNew_Project final : public QDialog
{
    Q_OBJECT
public:
    TFNew_Project(TApp_State& State, QWidget* Parent = nullptr);

    void Set_Lang();
    /// Empties the name field and gives it the keyboard focus.
    void FormShow();
    /// Creates the configuration of the typed name and closes with OK, or shows the refusal and stays open.
    void Btn_OKClick();
    /// Enter (key code 13) in the name field confirms like Btn_OK.
    void E_New_ProjKeyPress(int Key);

    QLabel* L_SW_Code = nullptr;
    QLabel* L_SW_Desc = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* E_New_Proj = nullptr;
    QPushButton* Btn_OK = nullptr;
    QPushButton* Btn_Cancel = nullptr;

protected:
    void showEvent(QShowEvent* Event) override;
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    TApp_State& fState;
};

} // namespace app::ui
