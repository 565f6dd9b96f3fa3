#include "Ui_Test_Support.h"

#include <QCoreApplication>
#include <QPixmap>
#include <QString>

#include <random>

namespace ui_test {

using namespace common::ui;

TMessage_Recorder::TMessage_Recorder()
{
    Set_Message_Hook([this](TMsg_Kind Kind, const std::string& Text, TMsg_Buttons Buttons) {
        fMessages.push_back({Kind, Text, Buttons});
        if (!fAnswers.empty()) {
            const TMsg_Answer Answer = fAnswers.front();
            fAnswers.pop_front();
            return Answer;
        }
        return Buttons == TMsg_Buttons::Ok ? TMsg_Answer::Ok : TMsg_Answer::No;
    });
}

TMessage_Recorder::~TMessage_Recorder()
{
    Set_Message_Hook({});
}

TOpen_File_Answers::TOpen_File_Answers()
{
    Set_Open_File_Hook([this](const std::string&, const std::string&, const std::string& Filter) {
        fFilters.push_back(Filter);
        if (fFiles.empty())
            return std::string();
        std::string File = fFiles.front();
        fFiles.pop_front();
        return File;
    });
}

TOpen_File_Answers::~TOpen_File_Answers()
{
    Set_Open_File_Hook({});
}

std::filesystem::path Save_Screenshot(QWidget& Window, const std::string& Name)
{
    const std::filesystem::path Folder = std::filesystem::path(CT_BINARY_DIR) / "screenshots";
    std::filesystem::create_directories(Folder);
    const std::filesystem::path File = Folder / (Name + ".png");
    Window.show();
    QCoreApplication::processEvents();
    Window.grab().save(QString::fromStdString(File.string()), "PNG");
    return File;
}

TTemp_Folder::TTemp_Folder()
{
    std::random_device Random;
    fPath = std::filesystem::temp_directory_path() / ("ct40510-ui-" + std::to_string(Random()));
    std::filesystem::create_directories(fPath);
}

TTemp_Folder::~TTemp_Folder()
{
    std::error_code Ignored;
    std::filesystem::remove_all(fPath, Ignored);
}

} // namespace ui_test
