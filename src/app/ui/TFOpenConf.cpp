#include "app/ui/TFOpenConf.h"

#include "app/Configurations.h"
#include "app/ui/App_Widgets.h"
#include "common/ui/Widgets.h"

#include <QBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace app::ui {

using common::ui::Make;
using common::ui::Q;

TFOpenConf::TFOpenConf(TApp_State& State, QWidget* Parent) : QDialog(Parent), fState(State)
{
    setObjectName("FOpenConf");
    resize(377, 351);
    setMinimumSize(260, 220);

    auto* Header_Box = Make<QWidget>(this, "P_Header_Box");
    Header_Box->setFixedHeight(58);
    Make_Header(Header_Box, 2000, 56, L_SW_Code, L_SW_Desc);
    L_SW_Code->setText(Q(fState.SW_Code));

    Label1 = Make<QLabel>(this, "Label1");
    ListBox1 = Make<QListWidget>(this, "ListBox1");
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(ListBox1, &QListWidget::currentRowChanged, this, [this](int) { ListBox1Click(); });

    Btn_OK = Make<QPushButton>(this, "Btn_OK");
    Btn_Cancel = Make<QPushButton>(this, "Btn_Cancel");
    for (QPushButton* Button : {Btn_OK, Btn_Cancel}) {
        Button->setAutoDefault(false);
        Button->setMinimumSize(84, 28);
    }
    connect(Btn_OK, &QPushButton::clicked, this, &QDialog::accept);
    connect(Btn_Cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* Layout = new QVBoxLayout(this);
    Layout->setContentsMargins(0, 0, 0, 10);
    Layout->addWidget(Header_Box);
    auto* Body = new QVBoxLayout;
    Body->setContentsMargins(12, 4, 12, 0);
    Body->addWidget(Label1);
    Body->addWidget(ListBox1, 1);
    auto* Buttons = new QHBoxLayout;
    Buttons->addStretch(1);
    Buttons->addWidget(Btn_OK);
    Buttons->addWidget(Btn_Cancel);
    Body->addLayout(Buttons);
    Layout->addLayout(Body, 1);

    Set_Lang();
}

void TFOpenConf::Set_Lang()
{
    const text::TCatalogue& L = fState.Lang_Strings;
    setWindowTitle(Q(L[200]));      // "Open Configuration"
    L_SW_Desc->setText(Q(L[201]));  // "Open an Existing Configuration"
    Label1->setText(Q(L[202]));     // "List of Avaliable Configurations"
    Btn_OK->setText(Q(L[203]));     // "OK"
    Btn_Cancel->setText(Q(L[204])); // "Cancel"
    ListBox1->setToolTip(Q(L[205]));
    Btn_OK->setToolTip(Q(L[206]));
    Btn_Cancel->setToolTip(Q(L[207]));
}

void TFOpenConf::showEvent(QShowEvent* Event)
{
    QDialog::showEvent(Event);
    FormShow();
}

void TFOpenConf::Load_Existing_Configuration()
{
    fSL = app::Load_Existing_Configuration(fState.Projects_Path);
}

int TFOpenConf::Search_Open_Conf(const std::string& Name) const
{
    return app::Search_Open_Conf(fSL, Name);
}

void TFOpenConf::FormShow()
{
    Load_Existing_Configuration();
    const QSignalBlocker Quiet(ListBox1);
    ListBox1->clear();
    for (const std::string& Name : fSL)
        ListBox1->addItem(Q(Name));
    const int Selected = Preselected_Conf(fSL, fState);
    ListBox1->setCurrentRow(Selected);
    fName_Conf = Selected >= 0 ? fSL[static_cast<std::size_t>(Selected)] : std::string();
}

void TFOpenConf::ListBox1Click()
{
    const int Row = ListBox1->currentRow();
    if (Row >= 0 && Row < static_cast<int>(fSL.size()))
        fName_Conf = fSL[static_cast<std::size_t>(Row)];
}

} // namespace app::ui
