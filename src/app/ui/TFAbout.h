// The about window: the product's identity and version, in fixed texts.
#pragma once

#include "app/App_State.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace app::ui {

class TClick_Label;

class TFAbout final : public QDialog
{
    Q_OBJECT
public:
    explicit TFAbout(const TApp_State& State, QWidget* Parent = nullptr);

    /// Opens the maker's home page (Label4 and Image2).
    void Label4Click();

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label10 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label12 = nullptr;
    TClick_Label* Label4 = nullptr;
    TClick_Label* Image2 = nullptr;
    QPushButton* LbButton1 = nullptr;

private:
    const TApp_State& fState;
};

} // namespace app::ui
