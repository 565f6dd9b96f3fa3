#include "update/Execute_Update.h"

#include <exception>

namespace update {

TProgram_Starter System_Program_Starter()
{
    return [](const std::filesystem::path& NomeSW, const std::string& Parameter, int tipo) {
        return Start_Program(NomeSW, Parameter, tipo);
    };
}

TStart_Result Start_Update_Tool(const std::filesystem::path& Program_Path, const TProgram_Starter& Start)
{
    return Start(Update_Tool_File(Program_Path), "", 0);
}

TUpdate_Outcome Execute_Update(const TUpdate_Request& Request, TEcho& Echo, TClock& Clock,
                               const std::function<void()>& Process_Events, const TProgram_Starter& Start,
                               const TBefore_Update& Before_Update)
{
    TUpdate_Outcome Outcome;
    Outcome.Ping = Send_Ping(Request.Address, Echo, Clock, Process_Events);
    Outcome.Verdict = Ping_Verdict(Outcome.Ping);
    if (Outcome.Verdict != TPing_Verdict::Update)
        return Outcome;
    if (Before_Update && !Before_Update()) {
        Outcome.Stopped = true;
        return Outcome;
    }
    try {
        Outcome.Script =
            Compile_XML_Parameter_New_Boot(Request.Address, Request.Option, Request.Read_Back, Request.Folders);
        Outcome.Script_Written = true;
    } catch (const std::exception& Error) {
        Outcome.Script_Error = Error.what();
        return Outcome;
    }
    Outcome.Tool_Run = true;
    Outcome.Tool = Start_Update_Tool(Request.Folders.Program_Path, Start);
    return Outcome;
}

} // namespace update
