// Starting the update tool: a program that ends, one that outlives the bound, one that is not there.
#include "update/Start_Program.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <thread>

using namespace update;
using namespace std::chrono_literals;
namespace fs = std::filesystem;

namespace {

struct TTemp_Dir
{
    fs::path Path = fs::temp_directory_path() / ("ct40510-start-" + std::to_string(std::random_device{}()));
    TTemp_Dir() { fs::create_directories(Path); }
    ~TTemp_Dir() { fs::remove_all(Path); }
};

// Runs the test in Folder and goes back afterwards.
struct TIn_Folder
{
    fs::path Old = fs::current_path();
    explicit TIn_Folder(const fs::path& Folder) { fs::current_path(Folder); }
    ~TIn_Folder() { fs::current_path(Old); }
};

// The process state letter from /proc ('Z' for a zombie), or 0 once the process is gone.
char Process_State(int Pid)
{
    std::ifstream Stat("/proc/" + std::to_string(Pid) + "/stat");
    std::string Text;
    if (!std::getline(Stat, Text))
        return 0;
    const std::size_t Close = Text.rfind(')');
    return Close == std::string::npos || Close + 2 >= Text.size() ? '?' : Text[Close + 2];
}

} // namespace

TEST(Start_Program, WaitsForAProgramThatEndsInTheCurrentFolder)
{
    TTemp_Dir Dir;
    TIn_Folder In(Dir.Path);
    const auto Before = std::chrono::steady_clock::now();
    const TStart_Result Result = Start_Program("/bin/sh", "-c \"pwd > where.txt; exit 3\"", 0);
    EXPECT_LT(std::chrono::steady_clock::now() - Before, 5s);
    ASSERT_EQ(Result.Kind, TStart_Result::TKind::Ended) << Result.Error;
    EXPECT_EQ(Result.Exit_Status, 3);
    std::string Where;
    std::getline(std::ifstream(Dir.Path / "where.txt"), Where);
    EXPECT_EQ(fs::path(Where), fs::canonical(Dir.Path));
    EXPECT_EQ(Process_State(Result.Pid), 0);
}

TEST(Start_Program, LeavesAProgramRunningPastTheBoundAndReapsItsEnd)
{
    const auto Before = std::chrono::steady_clock::now();
    const TStart_Result Result = Start_Program("/bin/sh", "-c \"sleep 1\"", 1, 100ms);
    const auto Waited = std::chrono::steady_clock::now() - Before;
    ASSERT_EQ(Result.Kind, TStart_Result::TKind::Timed_Out) << Result.Error;
    EXPECT_GE(Waited, 100ms);
    EXPECT_LT(Waited, 800ms);
    const char Running = Process_State(Result.Pid);
    EXPECT_TRUE(Running == 'S' || Running == 'R') << Running;

    // Once it has ended, nothing of it stays: no zombie in the process table.
    char State = Running;
    for (int I = 0; I < 300 && State != 0; ++I) {
        std::this_thread::sleep_for(10ms);
        State = Process_State(Result.Pid);
    }
    EXPECT_EQ(State, 0) << "process " << Result.Pid << " is still there in state " << State;
}

TEST(Start_Program, ReportsAProgramThatCannotBeStarted)
{
    TTemp_Dir Dir;
    const fs::path Missing = Dir.Path / "Ethernet_Update";
    TStart_Result Result = Start_Program(Missing, "", 0);
    EXPECT_EQ(Result.Kind, TStart_Result::TKind::Not_Started);
    EXPECT_NE(Result.Error.find(Missing.string()), std::string::npos) << Result.Error;

    std::ofstream(Dir.Path / "not_executable") << "#!/bin/sh\n";
    Result = Start_Program(Dir.Path / "not_executable", "", 0);
    EXPECT_EQ(Result.Kind, TStart_Result::TKind::Not_Started);
    Result = Start_Program(Dir.Path, "", 0);
    EXPECT_EQ(Result.Kind, TStart_Result::TKind::Not_Started);
}

TEST(Start_Program, SplitsTheParameterTextAtBlanksOutsideQuotes)
{
    using TArgs = std::vector<std::string>;
    EXPECT_EQ(Split_Parameter(""), TArgs{});
    EXPECT_EQ(Split_Parameter("   "), TArgs{});
    EXPECT_EQ(Split_Parameter(" -a  b "), (TArgs{"-a", "b"}));
    EXPECT_EQ(Split_Parameter("-c \"x y\" \"\""), (TArgs{"-c", "x y", ""}));
    EXPECT_EQ(Split_Parameter("a\"b c\"d"), (TArgs{"ab cd"}));
}
