#include "common/ui/Messages.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QString>

#include <exception>

namespace common::ui {

namespace {

TMessage_Hook& Message_Hook()
{
    static TMessage_Hook Hook;
    return Hook;
}

TOpen_File_Hook& Open_File_Hook()
{
    static TOpen_File_Hook Hook;
    return Hook;
}

} // namespace

void Set_Message_Hook(TMessage_Hook Hook)
{
    Message_Hook() = std::move(Hook);
}
void Set_Open_File_Hook(TOpen_File_Hook Hook)
{
    Open_File_Hook() = std::move(Hook);
}

TMsg_Answer Show_Message(QWidget* Parent, TMsg_Kind Kind, const std::string& Text, TMsg_Buttons Buttons)
{
    if (Message_Hook())
        return Message_Hook()(Kind, Text, Buttons);

    QMessageBox Box(Parent);
    Box.setText(QString::fromStdString(Text));
    Box.setWindowTitle(QApplication::applicationDisplayName());
    switch (Kind) {
    case TMsg_Kind::Error:
        Box.setIcon(QMessageBox::Critical);
        break;
    case TMsg_Kind::Warning:
        Box.setIcon(QMessageBox::Warning);
        break;
    case TMsg_Kind::Confirmation:
        Box.setIcon(QMessageBox::Question);
        break;
    }
    switch (Buttons) {
    case TMsg_Buttons::Ok:
        Box.setStandardButtons(QMessageBox::Ok);
        break;
    case TMsg_Buttons::Yes_No:
        Box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case TMsg_Buttons::Yes_No_Cancel:
        Box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    switch (Box.exec()) {
    case QMessageBox::Yes:
        return TMsg_Answer::Yes;
    case QMessageBox::No:
        return TMsg_Answer::No;
    case QMessageBox::Cancel:
        return TMsg_Answer::Cancel;
    default:
        return Buttons == TMsg_Buttons::Ok ? TMsg_Answer::Ok : TMsg_Answer::Cancel;
    }
}

bool Run_Guarded(QWidget* Parent, const std::function<void()>& Body)
{
    try {
        Body();
        return true;
    } catch (const std::exception& Error) {
        Show_Message(Parent, TMsg_Kind::Error, Error.what());
    } catch (...) {
        Show_Message(Parent, TMsg_Kind::Error, "Unexpected error");
    }
    return false;
}

std::string Get_Open_File_Name(QWidget* Parent, const std::string& Caption, const std::string& Folder,
                               const std::string& Filter)
{
    if (Open_File_Hook())
        return Open_File_Hook()(Caption, Folder, Filter);
    return QFileDialog::getOpenFileName(Parent, QString::fromStdString(Caption), QString::fromStdString(Folder),
                                        QString::fromStdString(Filter))
        .toStdString();
}

} // namespace common::ui
