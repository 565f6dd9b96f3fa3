#include "common/ui/Header_Panel.h"

#include "common/ui/Widgets.h"

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QPalette>
#include <QVBoxLayout>

namespace common::ui {

QWidget* Make_Header_Panel(QWidget* Parent, const char* Name, QLabel*& L_SW_Code, QLabel*& L_SW_Desc,
                           int Code_Point_Size, const QMargins& Margins)
{
    auto* Panel = Make<QWidget>(Parent, Name);
    Panel->setAutoFillBackground(true);
    QPalette White = Panel->palette();
    White.setColor(QPalette::Window, Qt::white);
    Panel->setPalette(White);

    L_SW_Code = Make<QLabel>(Panel, "L_SW_Code");
    QFont Code_Font = L_SW_Code->font();
    Code_Font.setPointSize(Code_Point_Size);
    Code_Font.setBold(true);
    L_SW_Code->setFont(Code_Font);
    QPalette Grey = L_SW_Code->palette();
    Grey.setColor(QPalette::WindowText, QColor(0x80, 0x80, 0x80));
    L_SW_Code->setPalette(Grey);

    L_SW_Desc = Make<QLabel>(Panel, "L_SW_Desc");
    QFont Desc_Font = L_SW_Desc->font();
    Desc_Font.setBold(true);
    L_SW_Desc->setFont(Desc_Font);

    auto* Layout = new QVBoxLayout(Panel);
    Layout->setContentsMargins(Margins);
    Layout->setSpacing(0);
    Layout->addWidget(L_SW_Code);
    Layout->addWidget(L_SW_Desc);
    return Panel;
}

} // namespace common::ui
