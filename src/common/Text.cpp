#include "common/Text.h"

#include <cstdint>

namespace common {

std::string Ascii_Upper(std::string_view Text)
{
    std::string Out(Text);
    for (char& C : Out)
        if (C >= 'a' && C <= 'z')
            C = static_cast<char>(C - 'a' + 'A');
    return Out;
}

bool Ascii_Equal_No_Case(std::string_view A, std::string_view B)
{
    if (A.size() != B.size())
        return false;
    for (std::size_t I = 0; I < A.size(); ++I) {
        char X = A[I], Y = B[I];
        if (X >= 'a' && X <= 'z')
            X = static_cast<char>(X - 'a' + 'A');
        if (Y >= 'a' && Y <= 'z')
            Y = static_cast<char>(Y - 'a' + 'A');
        if (X != Y)
            return false;
    }
    return true;
}

std::string_view Trim(std::string_view Text)
{
    auto Is_Blank = [](char C) { return static_cast<unsigned char>(C) <= ' '; };
    while (!Text.empty() && Is_Blank(Text.front()))
        Text.remove_prefix(1);
    while (!Text.empty() && Is_Blank(Text.back()))
        Text.remove_suffix(1);
    return Text;
}

std::string_view Trim_Blanks(std::string_view Text)
{
    while (!Text.empty() && Text.front() == ' ')
        Text.remove_prefix(1);
    while (!Text.empty() && Text.back() == ' ')
        Text.remove_suffix(1);
    return Text;
}

namespace {

constexpr char32_t Replacement = 0xFFFD;

// Decodes one code point at Text[I], advancing I; invalid input yields U+FFFD and consumes one byte.
char32_t Next_Code_Point(std::string_view Text, std::size_t& I, bool& Valid)
{
    const auto Byte = [&](std::size_t K) { return static_cast<unsigned char>(Text[K]); };
    const unsigned char B0 = Byte(I);
    if (B0 < 0x80) {
        ++I;
        return B0;
    }
    int Length = 0;
    char32_t Cp = 0;
    char32_t Min = 0;
    if ((B0 & 0xE0) == 0xC0) {
        Length = 2, Cp = B0 & 0x1F, Min = 0x80;
    } else if ((B0 & 0xF0) == 0xE0) {
        Length = 3, Cp = B0 & 0x0F, Min = 0x800;
    } else if ((B0 & 0xF8) == 0xF0) {
        Length = 4, Cp = B0 & 0x07, Min = 0x10000;
    } else {
        Valid = false;
        ++I;
        return Replacement;
    }
    if (I + static_cast<std::size_t>(Length) > Text.size()) {
        Valid = false;
        ++I;
        return Replacement;
    }
    for (int K = 1; K < Length; ++K) {
        const unsigned char B = Byte(I + static_cast<std::size_t>(K));
        if ((B & 0xC0) != 0x80) {
            Valid = false;
            ++I;
            return Replacement;
        }
        Cp = (Cp << 6) | (B & 0x3F);
    }
    if (Cp < Min || Cp > 0x10FFFF || (Cp >= 0xD800 && Cp <= 0xDFFF)) {
        Valid = false;
        ++I;
        return Replacement;
    }
    I += static_cast<std::size_t>(Length);
    return Cp;
}

void Append_Utf8(std::string& Out, char32_t Cp)
{
    if (Cp < 0x80) {
        Out += static_cast<char>(Cp);
    } else if (Cp < 0x800) {
        Out += static_cast<char>(0xC0 | (Cp >> 6));
        Out += static_cast<char>(0x80 | (Cp & 0x3F));
    } else if (Cp < 0x10000) {
        Out += static_cast<char>(0xE0 | (Cp >> 12));
        Out += static_cast<char>(0x80 | ((Cp >> 6) & 0x3F));
        Out += static_cast<char>(0x80 | (Cp & 0x3F));
    } else {
        Out += static_cast<char>(0xF0 | (Cp >> 18));
        Out += static_cast<char>(0x80 | ((Cp >> 12) & 0x3F));
        Out += static_cast<char>(0x80 | ((Cp >> 6) & 0x3F));
        Out += static_cast<char>(0x80 | (Cp & 0x3F));
    }
}

} // namespace

std::u16string Utf8_To_Utf16(std::string_view Text)
{
    std::u16string Out;
    Out.reserve(Text.size());
    bool Valid = true;
    for (std::size_t I = 0; I < Text.size();) {
        const char32_t Cp = Next_Code_Point(Text, I, Valid);
        if (Cp >= 0x10000) {
            const char32_t V = Cp - 0x10000;
            Out += static_cast<char16_t>(0xD800 + (V >> 10));
            Out += static_cast<char16_t>(0xDC00 + (V & 0x3FF));
        } else {
            Out += static_cast<char16_t>(Cp);
        }
    }
    return Out;
}

std::string Utf16_To_Utf8(std::u16string_view Text)
{
    std::string Out;
    Out.reserve(Text.size());
    for (std::size_t I = 0; I < Text.size(); ++I) {
        const char16_t U = Text[I];
        if (U >= 0xD800 && U <= 0xDBFF && I + 1 < Text.size() && Text[I + 1] >= 0xDC00 && Text[I + 1] <= 0xDFFF) {
            const char32_t Cp = 0x10000 + ((static_cast<char32_t>(U) - 0xD800) << 10) + (Text[I + 1] - 0xDC00);
            Append_Utf8(Out, Cp);
            ++I;
        } else if (U >= 0xD800 && U <= 0xDFFF) {
            Append_Utf8(Out, Replacement);
        } else {
            Append_Utf8(Out, U);
        }
    }
    return Out;
}

bool Is_Valid_Utf8(std::string_view Text)
{
    bool Valid = true;
    for (std::size_t I = 0; I < Text.size() && Valid;)
        Next_Code_Point(Text, I, Valid);
    return Valid;
}

std::size_t Utf16_Length(std::string_view Text)
{
    std::size_t Units = 0;
    bool Valid = true;
    for (std::size_t I = 0; I < Text.size();)
        Units += Next_Code_Point(Text, I, Valid) >= 0x10000 ? 2 : 1;
    return Units;
}

std::string Low_Bytes_Of_Utf16(std::string_view Text)
{
    const std::u16string Units = Utf8_To_Utf16(Text);
    std::string Out;
    Out.reserve(Units.size());
    for (char16_t U : Units)
        Out += static_cast<char>(static_cast<std::uint8_t>(U & 0xFF));
    return Out;
}

} // namespace common
