// Creating controls under their system names, so that code and tests find every control by its name.
#pragma once

#include <QLatin1String>
#include <QWidget>

namespace common::ui {

/// Creates a child control owned by Parent whose objectName is Name (tests: findChild<W*>(Name)).
template <class W> W* Make(QWidget* Parent, const char* Name)
{
    auto* Widget = new W(Parent);
    Widget->setObjectName(QLatin1String(Name));
    return Widget;
}

/// A catalogue text as a Qt string.
inline QString Q(const std::string& Text)
{
    return QString::fromStdString(Text);
}

} // namespace common::ui
