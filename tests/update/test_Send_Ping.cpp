// The reachability check: its counting rules with a fake echo facility and a fake clock, and one real echo to
// the loopback address. Nothing here is ever sent outside 127.0.0.0/8.
#include "update/Icmp_Echo.h"
#include "update/Send_Ping.h"

#include "Fake_Echo.h"

#include <gtest/gtest.h>

#include <vector>

using namespace update;
using namespace update_test;
using namespace std::chrono_literals;

namespace {

struct TPing_Case
{
    const char* Name;
    std::function<TAttempt(int, std::chrono::milliseconds)> Plan;
    bool Reachable;
    TPing_State State;
    int Answers;
    TPing_Verdict Verdict;
    int Min_Attempts;
    int Max_Attempts;
    std::chrono::milliseconds Min_Time;
    std::chrono::milliseconds Max_Time;
};

class Send_Ping_Rules : public ::testing::TestWithParam<TPing_Case>
{};

} // namespace

TEST_P(Send_Ping_Rules, CountAnswersAndTime)
{
    const TPing_Case& Case = GetParam();
    TFake_Clock Clock;
    TFake_Echo Echo(Clock, Case.Plan);
    int Events = 0;
    const auto Start = Clock.Now();
    const TPing_Result Result = Send_Ping({"10", "0", "0", "7"}, Echo, Clock, [&] { ++Events; });
    const auto Took = Clock.Now() - Start;

    EXPECT_EQ(Result.Reachable, Case.Reachable);
    EXPECT_EQ(Result.State, Case.State);
    EXPECT_EQ(Result.Answers, Case.Answers);
    EXPECT_EQ(Ping_Verdict(Result), Case.Verdict);
    EXPECT_GE(Result.Attempts, Case.Min_Attempts);
    EXPECT_LE(Result.Attempts, Case.Max_Attempts);
    EXPECT_EQ(Result.Attempts, static_cast<int>(Echo.fData.size()));
    EXPECT_GE(Took, Case.Min_Time);
    EXPECT_LE(Took, Case.Max_Time);
    // Every request goes to the address text and carries it as its data.
    EXPECT_EQ(Echo.fHost, "10.0.0.7");
    for (const std::string& Data : Echo.fData)
        EXPECT_EQ(Data, "10.0.0.7");
    // The window is let process its events at every 10 ms step after a request.
    if (!Result.Error) {
        EXPECT_GE(Events, Result.Attempts);
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, Send_Ping_Rules, ::testing::Values(
    TPing_Case{"AnswersEveryTime", [](int, auto) { return Answer(); },
               true, TPing_State::Answered, 2, TPing_Verdict::Update, 2, 2, 0ms, 100ms},
    TPing_Case{"NeverAnswers", [](int, auto) { return Time_Out(); },
               false, TPing_State::Not_Answered, 0, TPing_Verdict::Device_Not_Found, 12, 14, 5001ms, 5500ms},
    // An answer that comes late in the last attempt of the 5 s window is enough.
    TPing_Case{"OnlyTheLastAttemptAnswers",
               [](int, std::chrono::milliseconds Elapsed) {
                   return Elapsed > 4600ms ? TAttempt{TAttempt::Reply, 64, 390ms} : Time_Out(); },
               true, TPing_State::Answered, 1, TPing_Verdict::Update, 12, 14, 5001ms, 5500ms},
    // An answer early on does not help when the attempts after it are not answered.
    TPing_Case{"AnsweredOnceThenSilent", [](int N, auto) { return N == 1 ? Answer() : Time_Out(); },
               false, TPing_State::Not_Answered, 1, TPing_Verdict::Device_Not_Found, 12, 14, 5001ms, 5500ms},
    // Two answers need not be consecutive.
    TPing_Case{"TwoAnswersApart", [](int N, auto) { return N == 1 || N == 4 ? Answer() : Time_Out(); },
               true, TPing_State::Answered, 2, TPing_Verdict::Update, 4, 4, 800ms, 900ms},
    TPing_Case{"CannotBeResolved",
               [](int, auto) { return TAttempt{TAttempt::Throw, 0, 0ms, TEcho_Error::TKind::Cannot_Resolve}; },
               false, TPing_State::None, 0, TPing_Verdict::Check_Address, 1, 1, 0ms, 0ms},
    TPing_Case{"NotPermitted",
               [](int, auto) { return TAttempt{TAttempt::Throw, 0, 0ms, TEcho_Error::TKind::Not_Permitted}; },
               false, TPing_State::None, 0, TPing_Verdict::Not_Permitted, 1, 1, 0ms, 0ms},
    // A failure after an answer still ends as not reachable, and the user is told the device was not found.
    TPing_Case{"FailsAfterAnAnswer",
               [](int N, auto) { return N == 1 ? Answer() : TAttempt{TAttempt::Throw, 0, 0ms}; },
               false, TPing_State::Answered, 1, TPing_Verdict::Device_Not_Found, 2, 2, 0ms, 100ms},
    // A facility that reports nothing: each attempt waits its 400 ms in 10 ms steps, then the next one starts.
    TPing_Case{"NoReplyReported", [](int, auto) { return TAttempt{TAttempt::Silent}; },
               false, TPing_State::None, 0, TPing_Verdict::Check_Address, 12, 13, 5001ms, 5500ms}),
    [](const ::testing::TestParamInfo<TPing_Case>& Info) { return std::string(Info.param.Name); });
// clang-format on

TEST(Send_Ping, EachSilentAttemptWaitsJustOver400MsInSteps)
{
    TFake_Clock Clock;
    TFake_Echo Echo(Clock, [](int, auto) { return TAttempt{TAttempt::Silent}; });
    int Events = 0;
    const TPing_Result Result = Send_Ping({"1", "2", "3", "4"}, Echo, Clock, [&] { ++Events; });
    EXPECT_EQ(Events, Result.Attempts * 41);
}

TEST(Parse_IPv4, AcceptsOnlyNumericDottedAddresses)
{
    using TBytes = std::array<std::uint8_t, 4>;
    EXPECT_EQ(Parse_IPv4("127.0.0.1"), (TBytes{127, 0, 0, 1}));
    EXPECT_EQ(Parse_IPv4("192.168.002.205"), (TBytes{192, 168, 2, 205}));
    EXPECT_EQ(Parse_IPv4("255.255.255.255"), (TBytes{255, 255, 255, 255}));
    for (const char* Bad : {"", "localhost", "256.1.1.1", "1.2.3", "1.2.3.4.5", "1..3.4", " 1.2.3.4", "1.2.3.4 ",
                            "0x7f.0.0.1", "1.2.3.0004", "-1.2.3.4", "1.2.3.4.", "a.b.c.d"})
        EXPECT_EQ(Parse_IPv4(Bad), std::nullopt) << Bad;
}

TEST(Icmp_Echo, AHostThatIsNotNumericIsNotResolvedAndNothingIsSent)
{
    TIcmp_Echo Echo;
    Echo.Set_Host("device.example");
    bool Replied = false;
    try {
        Echo.Ping("device.example", [&](std::size_t) { Replied = true; });
        FAIL() << "no error";
    } catch (const TEcho_Error& Error) {
        EXPECT_EQ(Error.Kind(), TEcho_Error::TKind::Cannot_Resolve);
        EXPECT_NE(std::string(Error.what()).find("cannot be resolved"), std::string::npos);
    }
    EXPECT_FALSE(Replied);
    EXPECT_EQ(Echo.Socket_Kind(), TIcmp_Echo::TSocket_Kind::None);
}

TEST(Icmp_Echo, TheLoopbackAddressAnswers)
{
    TIcmp_Echo Echo;
    try {
        Echo.Open();
    } catch (const TEcho_Error& Error) {
        GTEST_SKIP() << "no ICMP echo on this system: " << Error.what();
    }
    TSystem_Clock Clock;
    const auto Start = Clock.Now();
    const TPing_Result Result = Send_Ping({"127", "0", "0", "1"}, Echo, Clock, nullptr);
    EXPECT_TRUE(Result.Reachable) << Result.Error_Text;
    EXPECT_EQ(Result.Answers, 2);
    EXPECT_EQ(Result.Attempts, 2);
    EXPECT_LT(Clock.Now() - Start, 1000ms);
    std::size_t Bytes = 0;
    Echo.Set_Host("127.0.0.1");
    Echo.Ping("127.0.0.1", [&](std::size_t Received) { Bytes = Received; });
    EXPECT_EQ(Bytes, 8u + 9u); // ICMP header and the address text it carried back
}
