// What the application's windows share: their header, clickable labels, the drawn icons, and the opening of web
// links with the desktop's default handler (replaceable in tests, so that no test starts a browser).
#pragma once

#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QString>

#include <functional>
#include <string>

class QWidget;

namespace app::ui {

/// A label that reports a click of the left mouse button.
class TClick_Label : public QLabel
{
    Q_OBJECT
public:
    explicit TClick_Label(QWidget* Parent = nullptr) : QLabel(Parent) {}
signals:
    void Clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* Event) override;
};

/// An icon drawn from one of the program's own pictures (":/icons/<Name>.svg").
QIcon Svg_Icon(const char* Name, int Size);
QPixmap Svg_Pixmap(const char* Name, int Width, int Height);

/// The header panel of a window: the software code in large grey letters and the description in bold below it.
/// Returns the panel; the two labels are named L_SW_Code and L_SW_Desc.
QWidget* Make_Header(QWidget* Parent, int Width, int Height, QLabel*& L_SW_Code, QLabel*& L_SW_Desc);

/// Opens a web address with the desktop's default handler (or the installed hook).
void Open_Link(const std::string& Url);
using TOpen_Link_Hook = std::function<void(const std::string& Url)>;
/// Replaces the opening of links by Hook (an empty hook restores it).
void Set_Open_Link_Hook(TOpen_Link_Hook Hook);

/// A link label's rich text: Caption underlined and pointing at Url.
QString Link_Text(const std::string& Url, const std::string& Caption);

} // namespace app::ui
