// What the update button does once pressed, without the window: the reachability check, then the script and the
// update tool.
#pragma once

#include "update/Send_Ping.h"
#include "update/Start_Program.h"
#include "update/Update_Script.h"

#include <functional>
#include <string>

namespace update {

/// Starts a program the way Start_Program does (NomeSW, Parameter, tipo); tests pass a fake.
using TProgram_Starter = std::function<TStart_Result(const std::filesystem::path&, const std::string&, int)>;

/// Start_Program with its 150 s bound.
TProgram_Starter System_Program_Starter();

/// The update tool beside the executable, started without arguments and shown normally.
TStart_Result Start_Update_Tool(const std::filesystem::path& Program_Path, const TProgram_Starter& Start);

struct TUpdate_Request
{
    TAddress_Texts Address;
    int Option = 0;
    bool Read_Back = true;
    TUpdate_Folders Folders;
};

struct TUpdate_Outcome
{
    TPing_Result Ping;
    TPing_Verdict Verdict = TPing_Verdict::Check_Address;
    bool Script_Written = false;
    std::string Script_Error; ///< why the script could not be written (the tool is then not started)
    std::filesystem::path Script;
    bool Tool_Run = false; ///< the start of the update tool was attempted
    TStart_Result Tool;
    bool Stopped = false; ///< reachable, but Before_Update answered false: nothing was written or started
};

/// Called once the device has proved reachable, before anything is written; answering false ends the run there.
using TBefore_Update = std::function<bool()>;

/// The reachability check; when the device is reachable, the update script beside the executable and then the
/// update tool, waited for within the bound. Nothing is written or started when the check fails, nor when
/// Before_Update (if given) answers false.
TUpdate_Outcome Execute_Update(const TUpdate_Request& Request, TEcho& Echo, TClock& Clock,
                               const std::function<void()>& Process_Events, const TProgram_Starter& Start,
                               const TBefore_Update& Before_Update = {});

} // namespace update
