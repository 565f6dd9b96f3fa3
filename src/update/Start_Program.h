// Starting an external program and waiting for its end, with a bound.
#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

namespace update {

/// How long Start_Program waits for the program at most, and how often it looks.
inline constexpr std::chrono::milliseconds Start_Program_Bound{150000};
inline constexpr std::chrono::milliseconds Start_Program_Poll{10};

struct TStart_Result
{
    enum class TKind {
        Ended,       ///< the program ended within the bound
        Timed_Out,   ///< still running after the bound; left running, its end is reaped in the background
        Not_Started, ///< the program could not be started (Error says why)
    };
    TKind Kind = TKind::Not_Started;
    int Pid = 0;         ///< process id, when started
    int Exit_Status = 0; ///< exit code, or 128 + signal number, when it ended
    std::string Error;   ///< why it could not be started
};

/// Splits a command-line text into arguments: blanks separate them, double quotes group blanks into one
/// argument (the quotes themselves are dropped). An empty text gives no argument.
std::vector<std::string> Split_Parameter(const std::string& Parameter);

/// Starts the program file NomeSW with the arguments of Parameter, in the current folder and environment, and
/// waits for its end, looking every 10 ms, for at most Bound. A program still running then is left running; a
/// background thread waits for its end so that it leaves no zombie process behind. tipo 0 asks for the program's
/// window to be shown normally, any other value for it to be hidden; programs started here have no window of
/// ours to show or hide, so tipo changes nothing on this platform.
TStart_Result Start_Program(const std::filesystem::path& NomeSW, const std::string& Parameter, int tipo,
                            std::chrono::milliseconds Bound = Start_Program_Bound);

} // namespace update
