// A collapsible panel of a vertical panel stack: a clickable header over a content area.
#pragma once

#include <QWidget>

class QToolButton;

namespace comm {

class TCategory_Panel final : public QWidget
{
public:
    /// Header_Height is the header height the whole stack shares.
    TCategory_Panel(QWidget* Parent, const char* Name, int Header_Height);

    void Set_Caption(const QString& Caption);
    QString Caption() const;

    /// The area the panel's controls live in; it starts right below the header.
    QWidget* Content() const { return fContent; }
    QToolButton* Header() const { return fHeader; }
    int Header_Height() const { return fHeader_Height; }

    /// The panel's height when expanded (header included); the panel takes it unless collapsed.
    void Set_Expanded_Height(int Height);
    int Expanded_Height() const { return fExpanded_Height; }

    bool Collapsed() const { return fCollapsed; }
    void Set_Collapsed(bool Collapsed);

private:
    void Apply_Height();

    QToolButton* fHeader = nullptr;
    QWidget* fContent = nullptr;
    int fHeader_Height;
    int fExpanded_Height;
    bool fCollapsed = false;
};

} // namespace comm
