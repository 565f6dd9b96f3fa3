#include "app/Version.h"

#include <gtest/gtest.h>

using namespace app;

namespace {

struct TConv_Case
{
    const char* Text;
    int Value;
};

class Conv_Version_Rule : public ::testing::TestWithParam<TConv_Case>
{};

TEST_P(Conv_Version_Rule, ReadsTheVersionAfterTheFirstBlank)
{
    EXPECT_EQ(Conv_Version(GetParam().Text), GetParam().Value) << GetParam().Text;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, Conv_Version_Rule, ::testing::Values(
    TConv_Case{"VER. 1.002", 1002}, TConv_Case{"1.001", 1001}, TConv_Case{"VER. 2.010", 2010},
    TConv_Case{"VER. 1.0x2", -1}, TConv_Case{"VER. 1.2", -1}, TConv_Case{"", -1},
    TConv_Case{"VER.   1.003  ", 1003},   // blanks around the version
    TConv_Case{"1-004", 1004},            // the point is skipped unchecked
    TConv_Case{"V 1.00", -1}, TConv_Case{"VER. 1.0021", 1002} /* only five characters are read */, TConv_Case{"VER. x.yz1", -1}));
// clang-format on

struct TAnswer_Case
{
    const char* Body;
    bool Newer;
};

class Check_Version_Answer : public ::testing::TestWithParam<TAnswer_Case>
{};

TEST_P(Check_Version_Answer, IsNewerOnlyForAVersionAboveOurs)
{
    EXPECT_EQ(Newer_Version_Answer(GetParam().Body, "1.001"), GetParam().Newer) << GetParam().Body;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, Check_Version_Answer, ::testing::Values(
    TAnswer_Case{"", false}, TAnswer_Case{"   ", false},
    TAnswer_Case{"VER. 0.000", false}, TAnswer_Case{"ver. 0.000", false},
    TAnswer_Case{"VER. 1.001", false}, TAnswer_Case{"VER. 1.000", false},
    TAnswer_Case{"VER. 1.002", true}, TAnswer_Case{"1.002", true}, TAnswer_Case{"  VER. 2.000\r\n", true},
    TAnswer_Case{"VER. 1.2", false}, TAnswer_Case{"VER. 1.0x2", false},
    TAnswer_Case{"<html>Not Found</html>", false}));
// clang-format on

TEST(Maker_Addresses, CarryTheFixedPathsOnTheOneHost)
{
    EXPECT_EQ(Version_Request_Target("CT40510"), "/home/download/GetversionSW.asp?nomesw=CT40510");
    EXPECT_EQ(Home_Page_Url("CT40510"), std::string("http://") + Maker_Host + "/HOME/default.asp?frompg=CT40510");
    EXPECT_EQ(Download_Page_Url(), std::string("http://") + Maker_Host + "/Home/download/download.asp#GW40510");
}

} // namespace
