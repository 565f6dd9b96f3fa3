// The reachability check of the update window: ICMP echo requests to the device address.
#pragma once

#include "update/Update_Script.h"

#include <chrono>
#include <cstddef>
#include <functional>
#include <stdexcept>
#include <string>

namespace update {

/// A failure of the echo facility; it ends a reachability check.
class TEcho_Error : public std::runtime_error
{
public:
    enum class TKind {
        Cannot_Resolve, ///< the host is not a numeric IPv4 address
        Not_Permitted,  ///< this user may open neither an ICMP datagram socket nor a raw socket
        Failed,         ///< any other failure while sending or receiving
    };
    TEcho_Error(TKind Kind, const std::string& Message) : std::runtime_error(Message), fKind(Kind) {}
    TKind Kind() const { return fKind; }

private:
    TKind fKind;
};

/// The ICMP echo facility: one request at a time, each answered (or timed out) before Ping returns.
class TEcho
{
public:
    /// Reports the outcome of one request: the number of bytes received, 0 when nothing came back in time.
    using TReply = std::function<void(std::size_t Bytes_Received)>;

    virtual ~TEcho() = default;
    /// Sets the host that the following requests go to; it is resolved at each request.
    virtual void Set_Host(const std::string& Host) = 0;
    /// Sends one echo request carrying Data and waits for its answer up to the facility's time-out; Reply is
    /// called before Ping returns. Throws TEcho_Error on failure.
    virtual void Ping(const std::string& Data, const TReply& Reply) = 0;
};

/// The time source of the check; tests replace it so that the 5-second paths take no time.
class TClock
{
public:
    virtual ~TClock() = default;
    virtual std::chrono::milliseconds Now() = 0;
    virtual void Sleep(std::chrono::milliseconds Duration) = 0;
};

/// The steady clock and a real sleep.
class TSystem_Clock final : public TClock
{
public:
    std::chrono::milliseconds Now() override;
    void Sleep(std::chrono::milliseconds Duration) override;
};

/// The reachability state of one check (ping_res).
enum class TPing_State : int {
    None = 0,         ///< no reply seen yet
    Answered = 1,     ///< the last reply carried bytes
    Not_Answered = 2, ///< the last request timed out
};

inline constexpr std::chrono::milliseconds Ping_Attempt_Time{400};
inline constexpr std::chrono::milliseconds Ping_Step{10};
inline constexpr std::chrono::milliseconds Ping_Total_Time{5000};
inline constexpr int Ping_Answers_Needed = 2;

struct TPing_Result
{
    bool Reachable = false;
    TPing_State State = TPing_State::None; ///< the state after the last attempt (or when an error ended the check)
    int Attempts = 0;
    int Answers = 0;
    bool Error = false; ///< an error ended the check
    TEcho_Error::TKind Error_Kind = TEcho_Error::TKind::Failed;
    std::string Error_Text;
};

/// The reachability check: echo requests carrying the address text, until two are answered or more than 5 s
/// have passed; each attempt waits for its reply in 10 ms steps (calling Process_Events at each) for up to
/// 400 ms. The device is reachable when the state after the last attempt is answered. An error ends the check
/// as not reachable, the state staying as it was.
TPing_Result Send_Ping(const TAddress_Texts& Address, TEcho& Echo, TClock& Clock,
                       const std::function<void()>& Process_Events);

/// What the update button does after a check.
enum class TPing_Verdict {
    Update,           ///< reachable: write the script and start the tool
    Device_Not_Found, ///< warning, entry 1036 "Device Not Found!"
    Check_Address,    ///< error, entry 1037 "Error!!! Check the Ip Address"
    Not_Permitted,    ///< error: this user may not send ICMP echo requests
};
TPing_Verdict Ping_Verdict(const TPing_Result& Result);

/// Catalogue entries of the update window's messages.
inline constexpr int Entry_Device_Not_Found = 1036;
inline constexpr int Entry_Check_Ip_Address = 1037;
/// Entries of our own in the free part of the update window's block.
inline constexpr int Entry_Update_Tool_Missing = 1038; ///< followed by the tool's path
inline constexpr int Entry_Echo_Not_Permitted = 1039;

} // namespace update
