#include "Ui_Test_Support.h"

#include "common/ui/Messages.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace common::ui;

TEST(General_Error_Handler, ShowsTheErrorAndCarriesOn)
{
    ui_test::TMessage_Recorder Recorder;
    const bool Completed = Run_Guarded(nullptr, [] { throw std::runtime_error("File \"x.xml\", line 3: broken"); });
    EXPECT_FALSE(Completed);
    ASSERT_EQ(Recorder.Messages().size(), 1u);
    EXPECT_EQ(Recorder.Messages()[0].Kind, TMsg_Kind::Error);
    EXPECT_EQ(Recorder.Last_Text(), "File \"x.xml\", line 3: broken");
    EXPECT_TRUE(Run_Guarded(nullptr, [] {}));
    EXPECT_EQ(Recorder.Messages().size(), 1u);
}

TEST(Message_Function, QuestionsTakeTheQueuedAnswers)
{
    ui_test::TMessage_Recorder Recorder;
    Recorder.Answer_Next(TMsg_Answer::Cancel);
    EXPECT_EQ(Show_Message(nullptr, TMsg_Kind::Confirmation, "Overwrite?", TMsg_Buttons::Yes_No_Cancel),
              TMsg_Answer::Cancel);
    EXPECT_EQ(Show_Message(nullptr, TMsg_Kind::Confirmation, "Again?", TMsg_Buttons::Yes_No), TMsg_Answer::No);
}
