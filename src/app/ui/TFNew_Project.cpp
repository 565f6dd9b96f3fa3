#include "app/ui/TFNew_Project.h"

#include "app/Configurations.h"
#include "app/ui/App_Widgets.h"
#include "common/ui/Messages.h"
#include "common/ui/Widgets.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace app::ui {

using common::ui::Make;
using common::ui::Q;

TFNew_Project::TFNew_Project(TApp_State& State, QWidget* Parent) : QDialog(Parent), fState(State)
{
    setObjectName("FNew_Project");
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(331, 162);

    Make_Header(this, 331, 56, L_SW_Code, L_SW_Desc);
    L_SW_Code->setText(Q(fState.SW_Code));

    Label1 = Make<QLabel>(this, "Label1");
    Label1->setGeometry(12, 68, 307, 18);
    E_New_Proj = Make<QLineEdit>(this, "E_New_Proj");
    E_New_Proj->setGeometry(12, 88, 307, 24);
    E_New_Proj->installEventFilter(this);

    Btn_OK = Make<QPushButton>(this, "Btn_OK");
    Btn_OK->setGeometry(148, 124, 84, 28);
    Btn_Cancel = Make<QPushButton>(this, "Btn_Cancel");
    Btn_Cancel->setGeometry(238, 124, 84, 28);
    // Enter is handled by the name field itself, never by a default button.
    for (QPushButton* Button : {Btn_OK, Btn_Cancel}) {
        Button->setAutoDefault(false);
        Button->setDefault(false);
    }
    connect(Btn_OK, &QPushButton::clicked, this, &TFNew_Project::Btn_OKClick);
    connect(Btn_Cancel, &QPushButton::clicked, this, &QDialog::reject);

    Set_Lang();
}

void TFNew_Project::Set_Lang()
{
    const text::TCatalogue& L = fState.Lang_Strings;
    setWindowTitle(Q(L[100]));      // "Create New Configuration"
    L_SW_Desc->setText(Q(L[101]));  // "Create New Configuration"
    Label1->setText(Q(L[102]));     // "Name of the new Configuration"
    Btn_OK->setText(Q(L[103]));     // "OK"
    Btn_Cancel->setText(Q(L[104])); // "Cancel"
    E_New_Proj->setToolTip(Q(L[108]));
    Btn_OK->setToolTip(Q(L[109]));
    Btn_Cancel->setToolTip(Q(L[110]));
}

void TFNew_Project::showEvent(QShowEvent* Event)
{
    QDialog::showEvent(Event);
    FormShow();
}

void TFNew_Project::FormShow()
{
    E_New_Proj->clear();
    E_New_Proj->setFocus();
}

void TFNew_Project::Btn_OKClick()
{
    common::ui::Run_Guarded(this, [&] {
        const int Refusal = Create_Configuration(fState, E_New_Proj->text().toStdString());
        if (Refusal != 0) {
            common::ui::Show_Message(this, common::ui::TMsg_Kind::Error, fState.Lang_Strings[Refusal]);
            return;
        }
        accept();
    });
}

void TFNew_Project::E_New_ProjKeyPress(int Key)
{
    if (Key == 13)
        Btn_OKClick();
}

bool TFNew_Project::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Watched == E_New_Proj && Event->type() == QEvent::KeyPress) {
        const int Key = static_cast<QKeyEvent*>(Event)->key();
        if (Key == Qt::Key_Return || Key == Qt::Key_Enter) {
            E_New_ProjKeyPress(13);
            return true;
        }
    }
    return QDialog::eventFilter(Watched, Event);
}

} // namespace app::ui
