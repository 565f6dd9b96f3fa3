// The update button's run without the window: nothing is written or started unless the device answered.
#include "update/Execute_Update.h"

#include "Fake_Echo.h"

#include <gtest/gtest.h>

#include <random>

using namespace update;
using namespace update_test;
namespace fs = std::filesystem;

namespace {

struct TStarted
{
    fs::path NomeSW;
    std::string Parameter;
    int tipo = -1;
};

struct Execute_Update_Run : ::testing::Test
{
    fs::path Program = fs::temp_directory_path() / ("ct40510-run-" + std::to_string(std::random_device{}()));
    TFake_Clock Clock;
    std::vector<TStarted> Started;
    TProgram_Starter Starter = [this](const fs::path& NomeSW, const std::string& Parameter, int tipo) {
        Started.push_back({NomeSW, Parameter, tipo});
        TStart_Result Result;
        Result.Kind = TStart_Result::TKind::Ended;
        return Result;
    };
    TUpdate_Request Request{{"127", "0", "0", "1"}, 1, false, {Program, Program / "MASTER", Program / "P"}};

    Execute_Update_Run() { fs::create_directories(Program); }
    ~Execute_Update_Run() override { fs::remove_all(Program); }
};

} // namespace

TEST_F(Execute_Update_Run, AReachableDeviceGetsTheScriptAndTheToolBesideTheExecutable)
{
    TFake_Echo Echo(Clock, [](int, auto) { return Answer(); });
    const TUpdate_Outcome Outcome = Execute_Update(Request, Echo, Clock, nullptr, Starter);
    EXPECT_EQ(Outcome.Verdict, TPing_Verdict::Update);
    EXPECT_TRUE(Outcome.Script_Written);
    EXPECT_EQ(Outcome.Script, Program / "Ethernet_Update.xml");
    EXPECT_TRUE(fs::exists(Program / "Ethernet_Update.xml"));
    ASSERT_EQ(Started.size(), 1u);
    EXPECT_EQ(Started[0].NomeSW, Program / "Ethernet_Update");
    EXPECT_EQ(Started[0].Parameter, "");
    EXPECT_EQ(Started[0].tipo, 0);
    EXPECT_TRUE(Outcome.Tool_Run);
}

TEST_F(Execute_Update_Run, AFailedCheckWritesAndStartsNothing)
{
    TFake_Echo Echo(Clock, [](int, auto) { return Time_Out(); });
    const TUpdate_Outcome Outcome = Execute_Update(Request, Echo, Clock, nullptr, Starter);
    EXPECT_EQ(Outcome.Verdict, TPing_Verdict::Device_Not_Found);
    EXPECT_FALSE(Outcome.Script_Written);
    EXPECT_FALSE(fs::exists(Program / "Ethernet_Update.xml"));
    EXPECT_TRUE(Started.empty());
    EXPECT_FALSE(Outcome.Tool_Run);
}

TEST_F(Execute_Update_Run, AScriptThatCannotBeWrittenStartsNoTool)
{
    Request.Folders.Program_Path = Program / "gone";
    TFake_Echo Echo(Clock, [](int, auto) { return Answer(); });
    const TUpdate_Outcome Outcome = Execute_Update(Request, Echo, Clock, nullptr, Starter);
    EXPECT_FALSE(Outcome.Script_Written);
    EXPECT_NE(Outcome.Script_Error.find("Ethernet_Update.xml"), std::string::npos) << Outcome.Script_Error;
    EXPECT_TRUE(Started.empty());
}

TEST_F(Execute_Update_Run, AMissingToolIsReportedWithItsPath)
{
    TFake_Echo Echo(Clock, [](int, auto) { return Answer(); });
    const TUpdate_Outcome Outcome = Execute_Update(Request, Echo, Clock, nullptr, System_Program_Starter());
    EXPECT_TRUE(Outcome.Script_Written);
    ASSERT_TRUE(Outcome.Tool_Run);
    EXPECT_EQ(Outcome.Tool.Kind, TStart_Result::TKind::Not_Started);
    EXPECT_NE(Outcome.Tool.Error.find((Program / "Ethernet_Update").string()), std::string::npos) << Outcome.Tool.Error;
}
