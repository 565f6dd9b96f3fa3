// The open-configuration window: lists the configurations inside PROJECTS and lets the user choose one.
#pragma once

#include "app/App_State.h"

#include <QDialog>

#include <string>
#include <vector>

class QLabel;
class QListWidget;
class QPushButton;

namespace app::ui {

class TFOpenConf final : public QDialog
{
    Q_OBJECT
public:
    TFOpenConf(TApp_State& State, QWidget* Parent = nullptr);

    void Set_Lang();
    /// Reads the configurations again and preselects the active one (else the first).
    void FormShow();
    /// The selected entry becomes the chosen configuration.
    void ListBox1Click();
    void Load_Existing_Configuration();
    int Search_Open_Conf(const std::string& Name) const;

    /// The configuration the user has chosen: the selected entry, "" when the list is empty.
    const std::string& Name_Conf() const { return fName_Conf; }
    const std::vector<std::string>& SL() const { return fSL; }

    QLabel* L_SW_Code = nullptr;
    QLabel* L_SW_Desc = nullptr;
    QLabel* Label1 = nullptr;
    QListWidget* ListBox1 = nullptr;
    QPushButton* Btn_OK = nullptr;
    QPushButton* Btn_Cancel = nullptr;

protected:
    void showEvent(QShowEvent* Event) override;

private:
    TApp_State& fState;
    std::vector<std::string> fSL;
    std::string fName_Conf;
};

} // namespace app::ui
