#include "update/Start_Program.h"

#include <cerrno>
#include <cstring>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <system_error>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace update {

namespace fs = std::filesystem;

std::vector<std::string> Split_Parameter(const std::string& Parameter)
{
    std::vector<std::string> Arguments;
    std::string Current;
    bool In_Argument = false;
    bool Quoted = false;
    for (const char C : Parameter) {
        if (C == '"') {
            Quoted = !Quoted;
            In_Argument = true;
        } else if ((C == ' ' || C == '\t') && !Quoted) {
            if (In_Argument)
                Arguments.push_back(std::move(Current));
            Current.clear();
            In_Argument = false;
        } else {
            Current += C;
            In_Argument = true;
        }
    }
    if (In_Argument)
        Arguments.push_back(std::move(Current));
    return Arguments;
}

namespace {

int Status_Code(int Status)
{
    if (WIFEXITED(Status))
        return WEXITSTATUS(Status);
    if (WIFSIGNALED(Status))
        return 128 + WTERMSIG(Status);
    return 0;
}

// Waits for a program that outlived the bound, so that its end is collected and no zombie stays.
void Reap_In_Background(pid_t Pid)
{
    try {
        std::thread([Pid] {
            int Status = 0;
            while (::waitpid(Pid, &Status, 0) < 0 && errno == EINTR) {
            }
        }).detach();
    } catch (const std::system_error&) {
        // No thread to spare: the end is then collected by whoever reaps this process's children.
    }
}

} // namespace

TStart_Result Start_Program(const fs::path& NomeSW, const std::string& Parameter, int tipo,
                            std::chrono::milliseconds Bound)
{
    (void)tipo;
    TStart_Result Result;

    struct stat Info
    {};
    if (::stat(NomeSW.c_str(), &Info) != 0) {
        Result.Error = NomeSW.string() + ": " + std::strerror(errno);
        return Result;
    }
    if (!S_ISREG(Info.st_mode) || ::access(NomeSW.c_str(), X_OK) != 0) {
        Result.Error = NomeSW.string() + ": not an executable file";
        return Result;
    }

    std::vector<std::string> Arguments = Split_Parameter(Parameter);
    Arguments.insert(Arguments.begin(), NomeSW.string());
    std::vector<char*> Argv;
    for (std::string& Argument : Arguments)
        Argv.push_back(Argument.data());
    Argv.push_back(nullptr);

    // The program starts with no signal blocked and default actions, whatever this process has set up.
    posix_spawnattr_t Attributes;
    posix_spawnattr_init(&Attributes);
    sigset_t Signals;
    sigemptyset(&Signals);
    posix_spawnattr_setsigmask(&Attributes, &Signals);
    sigfillset(&Signals);
    sigdelset(&Signals, SIGKILL);
    sigdelset(&Signals, SIGSTOP);
    posix_spawnattr_setsigdefault(&Attributes, &Signals);
    posix_spawnattr_setflags(&Attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    pid_t Pid = 0;
    const int Spawn_Error = ::posix_spawn(&Pid, NomeSW.c_str(), nullptr, &Attributes, Argv.data(), environ);
    posix_spawnattr_destroy(&Attributes);
    if (Spawn_Error != 0) {
        Result.Error = NomeSW.string() + ": " + std::strerror(Spawn_Error);
        return Result;
    }
    Result.Pid = static_cast<int>(Pid);

    const auto Start = std::chrono::steady_clock::now();
    for (;;) {
        int Status = 0;
        const pid_t Done = ::waitpid(Pid, &Status, WNOHANG);
        if (Done == Pid) {
            Result.Kind = TStart_Result::TKind::Ended;
            Result.Exit_Status = Status_Code(Status);
            return Result;
        }
        if (Done < 0 && errno != EINTR) {
            // Someone else collected it (for instance SIGCHLD set to be ignored): it has ended.
            Result.Kind = TStart_Result::TKind::Ended;
            return Result;
        }
        if (std::chrono::steady_clock::now() - Start >= Bound) {
            Result.Kind = TStart_Result::TKind::Timed_Out;
            Reap_In_Background(Pid);
            return Result;
        }
        std::this_thread::sleep_for(Start_Program_Poll);
    }
}

} // namespace update
