// The integer rule, the IPv4 check and typed decimal numbers.
#include "common/Int_Conversion.h"
#include "common/Ip_Address.h"
#include "common/Number.h"

#include <gtest/gtest.h>

#include <optional>

using namespace common;

struct TInt_Case
{
    const char* Text;
    std::optional<std::int32_t> Want;
};
class Text_To_Int_Rule : public ::testing::TestWithParam<TInt_Case>
{};
TEST_P(Text_To_Int_Rule, FollowsTheConvention)
{
    EXPECT_EQ(Text_To_Int(GetParam().Text), GetParam().Want) << "\"" << GetParam().Text << "\"";
}
// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, Text_To_Int_Rule, ::testing::Values(
    TInt_Case{"42", 42},          TInt_Case{"  42", 42},        TInt_Case{" 5", 5},
    TInt_Case{"-7", -7},          TInt_Case{"+7", 7},           TInt_Case{"010", 10},
    TInt_Case{"$FF", 255},        TInt_Case{"$ff", 255},        TInt_Case{"x1f", 31},
    TInt_Case{"X1F", 31},         TInt_Case{"0x1F", 31},        TInt_Case{"0X1f", 31},
    TInt_Case{"-$10", -16},       TInt_Case{"$FFFFFFFF", -1},   TInt_Case{"$80000000", INT32_MIN},
    TInt_Case{"2147483647", INT32_MAX},                         TInt_Case{"-2147483648", INT32_MIN},
    TInt_Case{"2147483648", std::nullopt},                      TInt_Case{"-2147483649", std::nullopt},
    TInt_Case{"99999999999999999999", std::nullopt},            TInt_Case{"$123456789", std::nullopt},
    TInt_Case{"", std::nullopt},  TInt_Case{"   ", std::nullopt}, TInt_Case{"-", std::nullopt},
    TInt_Case{"$", std::nullopt}, TInt_Case{"0x", std::nullopt},  TInt_Case{"42 ", std::nullopt},
    TInt_Case{"4 2", std::nullopt}, TInt_Case{"1e3", std::nullopt}, TInt_Case{"12a", std::nullopt},
    TInt_Case{"$FG", std::nullopt}, TInt_Case{"\t5", std::nullopt}, TInt_Case{"- 5", std::nullopt}));
// clang-format on

struct TIp_Case
{
    const char* Text;
    bool Valid;
    std::array<const char*, 4> Parts;
};
class Check_IP_Address_Rule : public ::testing::TestWithParam<TIp_Case>
{};
TEST_P(Check_IP_Address_Rule, SplitsAndChecks)
{
    std::array<std::string, 4> Parts{"a", "b", "c", "d"};
    EXPECT_EQ(Check_IP_Address(GetParam().Text, Parts), GetParam().Valid) << GetParam().Text;
    for (std::size_t I = 0; I < 4; ++I)
        EXPECT_EQ(Parts[I], GetParam().Parts[I]) << GetParam().Text << " part " << I;
}
// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, Check_IP_Address_Rule, ::testing::Values(
    TIp_Case{"192.168.2.205", true, {"192", "168", "2", "205"}},
    TIp_Case{"  10 . 0 .0. 1 \t", true, {"10", "0", "0", "1"}},
    TIp_Case{"0.0.0.0", true, {"0", "0", "0", "0"}},
    TIp_Case{"256.1.1.1", false, {"256", "1", "1", "1"}},
    TIp_Case{"", false, {"a", "b", "c", "d"}},
    TIp_Case{"1.2", false, {"1", "b", "c", "d"}},
    TIp_Case{"1.2.3", false, {"1", "2", "c", "d"}},
    TIp_Case{"1.2.3.4.5", false, {"1", "2", "3", "4.5"}},
    TIp_Case{"1..3.4", false, {"1", "", "3", "4"}},
    TIp_Case{"1.2.3.-1", false, {"1", "2", "3", "-1"}},
    TIp_Case{"a.b.c.d", false, {"a", "b", "c", "d"}},
    TIp_Case{"$C0.168.2.1", true, {"$C0", "168", "2", "1"}}));
// clang-format on

struct TSingle_Case
{
    const char* Text;
    char Separator;
    bool Valid;
    float Want;
};
class Text_To_Single_Rule : public ::testing::TestWithParam<TSingle_Case>
{};
TEST_P(Text_To_Single_Rule, ReadsTypedNumbers)
{
    float Value = -99.0f;
    EXPECT_EQ(Text_To_Single(GetParam().Text, GetParam().Separator, Value), GetParam().Valid) << GetParam().Text;
    EXPECT_FLOAT_EQ(Value, GetParam().Want) << GetParam().Text;
}
// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, Text_To_Single_Rule, ::testing::Values(
    TSingle_Case{"1.5", ',', true, 1.5f},     TSingle_Case{"1,5", ',', true, 1.5f},
    TSingle_Case{"1,5", '.', true, 1.5f},     TSingle_Case{"1.5", '.', true, 1.5f},
    TSingle_Case{" -2.25 ", '.', true, -2.25f}, TSingle_Case{"+3", '.', true, 3.0f},
    TSingle_Case{".5", '.', true, 0.5f},      TSingle_Case{"5.", '.', true, 5.0f},
    TSingle_Case{"1e3", '.', true, 1000.0f},  TSingle_Case{"2.5E-1", ',', true, 0.25f},
    TSingle_Case{"0.1", '.', true, 0.1f},     TSingle_Case{"1e-50", '.', true, 0.0f},
    TSingle_Case{"abc", '.', false, 1.0f},    TSingle_Case{"", '.', false, 1.0f},
    TSingle_Case{".", '.', false, 1.0f},      TSingle_Case{"1e", '.', false, 1.0f},
    TSingle_Case{"1,000.5", '.', false, 1.0f}, TSingle_Case{"inf", '.', false, 1.0f},
    TSingle_Case{"nan", '.', false, 1.0f},    TSingle_Case{"1e39", '.', false, 1.0f},
    TSingle_Case{"1.5x", '.', false, 1.0f},   TSingle_Case{"0x10", '.', false, 1.0f}));
// clang-format on

TEST(Decimal_Separator, OnlyCommaOrPoint)
{
    EXPECT_EQ(Decimal_Separator_From("."), '.');
    EXPECT_EQ(Decimal_Separator_From(","), ',');
    EXPECT_EQ(Decimal_Separator_From(""), ',');
    EXPECT_EQ(Decimal_Separator_From("\xd9\xab"), ',');
    const char Sep = Get_Decimal_Separator();
    EXPECT_TRUE(Sep == '.' || Sep == ',');
}
