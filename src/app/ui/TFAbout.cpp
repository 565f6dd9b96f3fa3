#include "app/ui/TFAbout.h"

#include "app/Version.h"
#include "app/ui/App_Widgets.h"
#include "common/ui/Widgets.h"

#include <QFont>
#include <QLabel>
#include <QPalette>
#include <QPushButton>

namespace app::ui {

using common::ui::Make;
using common::ui::Q;

TFAbout::TFAbout(const TApp_State& State, QWidget* Parent) : QDialog(Parent), fState(State)
{
    setObjectName("FAbout");
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(425, 148);
    setWindowTitle("About...");

    Image2 = Make<TClick_Label>(this, "Image2");
    Image2->setGeometry(12, 12, 96, 96);
    Image2->setPixmap(Svg_Pixmap("logo", 96, 96));
    Image2->setCursor(Qt::PointingHandCursor);

    auto Make_Text = [this](const char* Name, const char* Text, int X, int Y, int Width) {
        auto* Label = Make<QLabel>(this, Name);
        Label->setText(QString::fromUtf8(Text));
        Label->setGeometry(X, Y, Width, 18);
        return Label;
    };
    Label1 = Make_Text("Label1", "Software Velmorin ", 124, 10, 290);
    QFont Title = Label1->font();
    Title.setBold(true);
    Title.setPointSize(Title.pointSize() + 3);
    Label1->setFont(Title);
    Label1->setFixedHeight(22);
    Label2 = Make_Text("Label2", Default_SW_Desc, 124, 34, 290);
    Label6 = Make_Text("Label6", "Software Code : ", 124, 58, 120);
    Label9 = Make_Text("Label9", "CT40510", 248, 58, 160);
    Label3 = Make_Text("Label3", "Version :", 124, 76, 120);
    Label10 = Make_Text("Label10", Program_Version, 248, 76, 160);
    Label8 = Make_Text("Label8", "Document Code :", 124, 94, 120);
    Label12 = Make_Text("Label12", "ZI40510", 248, 94, 160);
    for (QLabel* Value : {Label9, Label10, Label12}) {
        QFont Bold = Value->font();
        Bold.setBold(true);
        Value->setFont(Bold);
    }

    Label4 = Make<TClick_Label>(this, "Label4");
    Label4->setText(Q(Maker_Web_Address()));
    Label4->setGeometry(12, 118, 220, 20);
    Label4->setCursor(Qt::PointingHandCursor);
    QPalette Link_Colour = Label4->palette();
    Link_Colour.setColor(QPalette::WindowText, QColor(0x1F, 0x4E, 0x79));
    Label4->setPalette(Link_Colour);
    QFont Underlined = Label4->font();
    Underlined.setUnderline(true);
    Label4->setFont(Underlined);

    LbButton1 = Make<QPushButton>(this, "LbButton1");
    LbButton1->setText("OK");
    LbButton1->setGeometry(329, 112, 84, 28);
    connect(LbButton1, &QPushButton::clicked, this, &QDialog::accept);
    connect(Label4, &TClick_Label::Clicked, this, &TFAbout::Label4Click);
    connect(Image2, &TClick_Label::Clicked, this, &TFAbout::Label4Click);
}

void TFAbout::Label4Click()
{
    Open_Link(Home_Page_Url(fState.SW_Code));
}

} // namespace app::ui
