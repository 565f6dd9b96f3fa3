// What the GUI tests share: recording messages and answering questions, the open dialog, screenshots.
#pragma once

#include "common/ui/Messages.h"

#include <QWidget>

#include <deque>
#include <filesystem>
#include <string>
#include <vector>

namespace ui_test {

struct TRecorded_Message
{
    common::ui::TMsg_Kind Kind;
    std::string Text;
    common::ui::TMsg_Buttons Buttons;
};

/// Replaces the message boxes while it lives: records every message and answers from a queue
/// (Ok for a plain message, No for a question when the queue is empty).
class TMessage_Recorder
{
public:
    TMessage_Recorder();
    ~TMessage_Recorder();
    TMessage_Recorder(const TMessage_Recorder&) = delete;
    TMessage_Recorder& operator=(const TMessage_Recorder&) = delete;

    void Answer_Next(common::ui::TMsg_Answer Answer) { fAnswers.push_back(Answer); }
    const std::vector<TRecorded_Message>& Messages() const { return fMessages; }
    std::string Last_Text() const { return fMessages.empty() ? std::string() : fMessages.back().Text; }
    void Clear() { fMessages.clear(); }

private:
    std::vector<TRecorded_Message> fMessages;
    std::deque<common::ui::TMsg_Answer> fAnswers;
};

/// Replaces the open-file dialog while it lives: returns the queued names, then "" (cancelled).
class TOpen_File_Answers
{
public:
    TOpen_File_Answers();
    ~TOpen_File_Answers();
    TOpen_File_Answers(const TOpen_File_Answers&) = delete;
    TOpen_File_Answers& operator=(const TOpen_File_Answers&) = delete;

    void Answer_Next(std::string File) { fFiles.push_back(std::move(File)); }
    const std::vector<std::string>& Filters_Asked() const { return fFilters; }

private:
    std::deque<std::string> fFiles;
    std::vector<std::string> fFilters;
};

/// Renders a window to <build>/screenshots/<Name>.png and returns the path.
std::filesystem::path Save_Screenshot(QWidget& Window, const std::string& Name);

/// A fresh empty folder under the system's temporary folder, removed when the object dies.
class TTemp_Folder
{
public:
    TTemp_Folder();
    ~TTemp_Folder();
    TTemp_Folder(const TTemp_Folder&) = delete;
    TTemp_Folder& operator=(const TTemp_Folder&) = delete;
    const std::filesystem::path& Path() const { return fPath; }

private:
    std::filesystem::path fPath;
};

} // namespace ui_test
