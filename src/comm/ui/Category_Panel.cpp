#include "comm/ui/Category_Panel.h"

#include "common/ui/Widgets.h"

#include <QToolButton>
#include <QVBoxLayout>

namespace comm {

TCategory_Panel::TCategory_Panel(QWidget* Parent, const char* Name, int Header_Height)
    : QWidget(Parent), fHeader_Height(Header_Height), fExpanded_Height(Header_Height)
{
    setObjectName(QLatin1String(Name));
    auto* Layout = new QVBoxLayout(this);
    Layout->setContentsMargins(0, 0, 0, 0);
    Layout->setSpacing(0);

    fHeader = common::ui::Make<QToolButton>(this, "Header");
    fHeader->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    fHeader->setArrowType(Qt::DownArrow);
    fHeader->setAutoRaise(false);
    fHeader->setFixedHeight(Header_Height);
    fHeader->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    fHeader->setFocusPolicy(Qt::NoFocus);
    QFont Bold = fHeader->font();
    Bold.setBold(true);
    fHeader->setFont(Bold);
    connect(fHeader, &QToolButton::clicked, this, [this] { Set_Collapsed(!fCollapsed); });
    Layout->addWidget(fHeader);

    fContent = common::ui::Make<QWidget>(this, "Content");
    Layout->addWidget(fContent, 1);
    Apply_Height();
}

void TCategory_Panel::Set_Caption(const QString& Caption)
{
    fHeader->setText(Caption);
}

QString TCategory_Panel::Caption() const
{
    return fHeader->text();
}

void TCategory_Panel::Set_Expanded_Height(int Height)
{
    fExpanded_Height = Height;
    Apply_Height();
}

void TCategory_Panel::Set_Collapsed(bool Collapsed)
{
    fCollapsed = Collapsed;
    fHeader->setArrowType(Collapsed ? Qt::RightArrow : Qt::DownArrow);
    fContent->setVisible(!Collapsed);
    Apply_Height();
}

void TCategory_Panel::Apply_Height()
{
    setFixedHeight(fCollapsed ? fHeader_Height : fExpanded_Height);
}

} // namespace comm
