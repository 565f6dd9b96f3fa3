// The one message function every window calls, the general error handler, and the open-file dialog.
// Tests replace the message function and the dialog, so that no test ever blocks on a modal box.
#pragma once

#include <functional>
#include <string>

class QWidget;

namespace common::ui {

enum class TMsg_Kind { Error, Warning, Confirmation };
enum class TMsg_Buttons { Ok, Yes_No, Yes_No_Cancel };
enum class TMsg_Answer { Ok, Yes, No, Cancel };

/// Shows a modal message box (or asks the installed hook) and returns the button pressed.
TMsg_Answer Show_Message(QWidget* Parent, TMsg_Kind Kind, const std::string& Text,
                         TMsg_Buttons Buttons = TMsg_Buttons::Ok);

using TMessage_Hook = std::function<TMsg_Answer(TMsg_Kind, const std::string&, TMsg_Buttons)>;
/// Replaces the message boxes by Hook (an empty hook restores them).
void Set_Message_Hook(TMessage_Hook Hook);

/// Runs a handler body; an exception it throws is shown in an error message box and the program carries on.
/// Returns false when the body threw.
bool Run_Guarded(QWidget* Parent, const std::function<void()>& Body);

/// The open-file dialog: the chosen file's path, or "" when the user cancelled.
std::string Get_Open_File_Name(QWidget* Parent, const std::string& Caption, const std::string& Folder,
                               const std::string& Filter);

using TOpen_File_Hook =
    std::function<std::string(const std::string& Caption, const std::string& Folder, const std::string& Filter)>;
/// Replaces the open-file dialog by Hook (an empty hook restores it).
void Set_Open_File_Hook(TOpen_File_Hook Hook);

} // namespace common::ui
