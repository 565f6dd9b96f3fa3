#include "common/Text.h"

#include <gtest/gtest.h>

using namespace common;

TEST(Ascii_Case, FoldsAsciiLettersOnly)
{
    EXPECT_EQ(Ascii_Upper("visString255 \xc3\xa9"), "VISSTRING255 \xc3\xa9");
    EXPECT_TRUE(Ascii_Equal_No_Case("Demo", "dEMO"));
    EXPECT_FALSE(Ascii_Equal_No_Case("\xc3\xa9", "\xc3\x89"));
}

TEST(Utf16, CountsAndLowBytes)
{
    // "A", e-acute (one unit), G clef (a surrogate pair: two units).
    const std::string Text = "A\xc3\xa9\xf0\x9d\x84\x9e";
    EXPECT_EQ(Utf16_Length(Text), 4u);
    EXPECT_EQ(Utf16_To_Utf8(Utf8_To_Utf16(Text)), Text);
    EXPECT_EQ(Low_Bytes_Of_Utf16(Text), std::string("A\xe9\x34\x1e", 4));
}

TEST(Utf8, InvalidBytesBecomeReplacementCharacters)
{
    EXPECT_TRUE(Is_Valid_Utf8("plain \xc2\xb6"));
    for (const char* Bad : {"\xff", "\xc0\xaf", "\xed\xa0\x80", "\xe2\x82", "\xf4\x90\x80\x80"}) {
        EXPECT_FALSE(Is_Valid_Utf8(Bad)) << Bad;
        EXPECT_EQ(Utf8_To_Utf16(Bad)[0], u'\xFFFD');
    }
}

TEST(Trim, BlanksAndControlCharacters)
{
    EXPECT_EQ(Trim(" \t\r\n x y \x01"), "x y");
    EXPECT_EQ(Trim_Blanks(" \tx "), "\tx");
}
