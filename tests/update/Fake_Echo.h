// A fake echo facility and a fake clock for the reachability check: no packet is sent and no time passes.
#pragma once

#include "update/Send_Ping.h"

#include <functional>
#include <string>
#include <vector>

namespace update_test {

using namespace update;
using namespace std::chrono_literals;

class TFake_Clock final : public TClock
{
public:
    std::chrono::milliseconds Now() override { return fNow; }
    void Sleep(std::chrono::milliseconds Duration) override { fNow += Duration; }
    std::chrono::milliseconds fNow{123456};
};

// How the fake device handles one echo request.
struct TAttempt
{
    enum TKind { Reply, Silent, Throw } Kind = Reply;
    std::size_t Bytes = 0;              ///< for Reply: 0 is a time-out
    std::chrono::milliseconds Takes{0}; ///< how long the request blocks
    TEcho_Error::TKind Error = TEcho_Error::TKind::Failed;
};

inline TAttempt Answer()
{
    return {TAttempt::Reply, 64, 1ms};
}
inline TAttempt Time_Out()
{
    return {TAttempt::Reply, 0, 400ms};
}

class TFake_Echo final : public TEcho
{
public:
    TFake_Echo(TFake_Clock& Clock, std::function<TAttempt(int Attempt, std::chrono::milliseconds Elapsed)> Plan)
        : fClock(Clock), fPlan(std::move(Plan)), fStart(Clock.Now())
    {}
    void Set_Host(const std::string& Host) override { fHost = Host; }
    void Ping(const std::string& Data, const TReply& Reply) override
    {
        fData.push_back(Data);
        const TAttempt Attempt = fPlan(static_cast<int>(fData.size()), fClock.Now() - fStart);
        fClock.Sleep(Attempt.Takes);
        if (Attempt.Kind == TAttempt::Throw)
            throw TEcho_Error(Attempt.Error, "fake failure");
        if (Attempt.Kind == TAttempt::Reply)
            Reply(Attempt.Bytes);
    }
    TFake_Clock& fClock;
    std::function<TAttempt(int, std::chrono::milliseconds)> fPlan;
    std::chrono::milliseconds fStart;
    std::string fHost;
    std::vector<std::string> fData;
};

} // namespace update_test
