#include "common/Int_Conversion.h"

namespace common {

namespace {

int Hex_Digit(char C)
{
    if (C >= '0' && C <= '9')
        return C - '0';
    if (C >= 'a' && C <= 'f')
        return C - 'a' + 10;
    if (C >= 'A' && C <= 'F')
        return C - 'A' + 10;
    return -1;
}

} // namespace

std::optional<std::int32_t> Text_To_Int(std::string_view Text)
{
    std::size_t I = 0;
    while (I < Text.size() && Text[I] == ' ')
        ++I;
    bool Negative = false;
    if (I < Text.size() && (Text[I] == '+' || Text[I] == '-')) {
        Negative = Text[I] == '-';
        ++I;
    }
    const std::string_view Rest = Text.substr(I);
    std::size_t Prefix = 0;
    if (!Rest.empty() && (Rest[0] == '$' || Rest[0] == 'x' || Rest[0] == 'X'))
        Prefix = 1;
    else if (Rest.size() >= 2 && Rest[0] == '0' && (Rest[1] == 'x' || Rest[1] == 'X'))
        Prefix = 2;

    if (Prefix > 0) {
        const std::string_view Digits = Rest.substr(Prefix);
        if (Digits.empty() || Digits.size() > 8)
            return std::nullopt;
        std::uint32_t Pattern = 0;
        for (char C : Digits) {
            const int D = Hex_Digit(C);
            if (D < 0)
                return std::nullopt;
            Pattern = (Pattern << 4) | static_cast<std::uint32_t>(D);
        }
        if (Negative)
            Pattern = 0u - Pattern;
        return static_cast<std::int32_t>(Pattern);
    }

    if (Rest.empty())
        return std::nullopt;
    std::int64_t Value = 0;
    for (char C : Rest) {
        if (C < '0' || C > '9')
            return std::nullopt;
        Value = Value * 10 + (C - '0');
        if (Value > 2147483648LL)
            return std::nullopt;
    }
    if (Negative)
        Value = -Value;
    if (Value > 2147483647LL)
        return std::nullopt;
    return static_cast<std::int32_t>(Value);
}

std::int32_t Text_To_Int_Or(std::string_view Text, std::int32_t Default)
{
    return Text_To_Int(Text).value_or(Default);
}

} // namespace common
