#include "update/Send_Ping.h"

#include <thread>

namespace update {

std::chrono::milliseconds TSystem_Clock::Now()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch());
}

void TSystem_Clock::Sleep(std::chrono::milliseconds Duration)
{
    std::this_thread::sleep_for(Duration);
}

TPing_Result Send_Ping(const TAddress_Texts& Address, TEcho& Echo, TClock& Clock,
                       const std::function<void()>& Process_Events)
{
    TPing_Result Result;
    TPing_State ping_res = TPing_State::None;
    try {
        const std::chrono::milliseconds Start = Clock.Now();
        const std::string Host = Join_Address(Address);
        Echo.Set_Host(Host);
        const TEcho::TReply PingReply = [&ping_res](std::size_t Bytes_Received) {
            ping_res = Bytes_Received > 0 ? TPing_State::Answered : TPing_State::Not_Answered;
        };
        for (;;) {
            const std::chrono::milliseconds Attempt = Clock.Now();
            ++Result.Attempts;
            Echo.Ping(Host, PingReply);
            do {
                Clock.Sleep(Ping_Step);
                if (Process_Events)
                    Process_Events();
            } while (ping_res == TPing_State::None && Clock.Now() - Attempt <= Ping_Attempt_Time);
            if (ping_res == TPing_State::Answered && ++Result.Answers >= Ping_Answers_Needed)
                break;
            if (Clock.Now() - Start > Ping_Total_Time)
                break;
        }
        Result.Reachable = ping_res == TPing_State::Answered;
    } catch (const TEcho_Error& Error) {
        Result.Error = true;
        Result.Error_Kind = Error.Kind();
        Result.Error_Text = Error.what();
    } catch (const std::exception& Error) {
        Result.Error = true;
        Result.Error_Kind = TEcho_Error::TKind::Failed;
        Result.Error_Text = Error.what();
    }
    Result.State = ping_res;
    return Result;
}

TPing_Verdict Ping_Verdict(const TPing_Result& Result)
{
    if (Result.Reachable)
        return TPing_Verdict::Update;
    if (Result.Error && Result.Error_Kind == TEcho_Error::TKind::Not_Permitted)
        return TPing_Verdict::Not_Permitted;
    if (Result.State == TPing_State::None)
        return TPing_Verdict::Check_Address;
    // Not answered; or answered once and then the check failed: either way the device did not prove reachable,
    // and the user is told so rather than left without a word.
    return TPing_Verdict::Device_Not_Found;
}

} // namespace update
