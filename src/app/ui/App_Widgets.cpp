#include "app/ui/App_Widgets.h"

#include "common/ui/Widgets.h"

#include <QDesktopServices>
#include <QFont>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QSvgRenderer>
#include <QUrl>

// The pictures are compiled into this static library; their registration must be referenced to be linked in.
static void Init_Icons()
{
    Q_INIT_RESOURCE(icons);
}

namespace app::ui {

using common::ui::Make;

namespace {

TOpen_Link_Hook& Link_Hook()
{
    static TOpen_Link_Hook Hook;
    return Hook;
}

} // namespace

void TClick_Label::mouseReleaseEvent(QMouseEvent* Event)
{
    QLabel::mouseReleaseEvent(Event);
    if (Event->button() == Qt::LeftButton && rect().contains(Event->position().toPoint()))
        emit Clicked();
}

QPixmap Svg_Pixmap(const char* Name, int Width, int Height)
{
    static const bool Registered = (Init_Icons(), true);
    (void)Registered;
    QSvgRenderer Renderer(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(Name)));
    QPixmap Pixmap(Width, Height);
    Pixmap.fill(Qt::transparent);
    QPainter Painter(&Pixmap);
    Renderer.render(&Painter);
    return Pixmap;
}

QIcon Svg_Icon(const char* Name, int Size)
{
    QIcon Icon;
    Icon.addPixmap(Svg_Pixmap(Name, Size, Size));
    Icon.addPixmap(Svg_Pixmap(Name, 2 * Size, 2 * Size));
    return Icon;
}

QWidget* Make_Header(QWidget* Parent, int Width, int Height, QLabel*& L_SW_Code, QLabel*& L_SW_Desc)
{
    auto* Panel = Make<QWidget>(Parent, "P_Header");
    Panel->setGeometry(0, 0, Width, Height);
    Panel->setAutoFillBackground(true);
    QPalette Colours = Panel->palette();
    Colours.setColor(QPalette::Window, QColor(0xFF, 0xFF, 0xFF));
    Panel->setPalette(Colours);

    L_SW_Code = Make<QLabel>(Panel, "L_SW_Code");
    QFont Code_Font = L_SW_Code->font();
    Code_Font.setPointSize(Height >= 64 ? 22 : 16);
    Code_Font.setBold(true);
    L_SW_Code->setFont(Code_Font);
    QPalette Grey = L_SW_Code->palette();
    Grey.setColor(QPalette::WindowText, QColor(0x80, 0x80, 0x80));
    L_SW_Code->setPalette(Grey);
    L_SW_Code->setGeometry(12, 4, Width - 24, Height / 2 + 4);

    L_SW_Desc = Make<QLabel>(Panel, "L_SW_Desc");
    QFont Desc_Font = L_SW_Desc->font();
    Desc_Font.setBold(true);
    L_SW_Desc->setFont(Desc_Font);
    L_SW_Desc->setGeometry(12, Height / 2 + 6, Width - 24, Height / 2 - 8);

    auto* Line = Make<QFrame>(Parent, "Shape_Header");
    Line->setFrameShape(QFrame::HLine);
    Line->setFrameShadow(QFrame::Sunken);
    Line->setGeometry(0, Height, Width, 2);
    return Panel;
}

void Open_Link(const std::string& Url)
{
    if (Link_Hook()) {
        Link_Hook()(Url);
        return;
    }
    QDesktopServices::openUrl(QUrl(QString::fromStdString(Url)));
}

void Set_Open_Link_Hook(TOpen_Link_Hook Hook)
{
    Link_Hook() = std::move(Hook);
}

QString Link_Text(const std::string& Url, const std::string& Caption)
{
    return QStringLiteral("<a href=\"%1\">%2</a>")
        .arg(QString::fromStdString(Url).toHtmlEscaped(), QString::fromStdString(Caption).toHtmlEscaped());
}

} // namespace app::ui
