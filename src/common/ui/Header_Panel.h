// The header of the windows: the product code in large grey type and the window's description in bold, on white.
#pragma once

#include <QMargins>

class QLabel;
class QWidget;

namespace common::ui {

/// Creates the header panel Name under Parent with its two labels L_SW_Code and L_SW_Desc, laid out one above
/// the other within Margins; the caller places the panel.
QWidget* Make_Header_Panel(QWidget* Parent, const char* Name, QLabel*& L_SW_Code, QLabel*& L_SW_Desc,
                           int Code_Point_Size, const QMargins& Margins);

} // namespace common::ui
