#include "common/Number.h"

#include <charconv>
#include <clocale>
#include <cmath>
#include <langinfo.h>
#include <locale.h>
#include <string>

namespace common {

char Decimal_Separator_From(std::string_view Raw)
{
    if (!Raw.empty() && (Raw[0] == ',' || Raw[0] == '.'))
        return Raw[0];
    return ',';
}

char Get_Decimal_Separator()
{
    locale_t Locale = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(nullptr));
    if (Locale == static_cast<locale_t>(nullptr))
        return Decimal_Separator_From("");
    const std::string Point = nl_langinfo_l(RADIXCHAR, Locale);
    freelocale(Locale);
    return Decimal_Separator_From(Point);
}

bool Text_To_Single(std::string_view Text, char Separator, float& Value)
{
    // Once every mark is turned into the separator, the separator is the one decimal mark; so either mark reads
    // as the decimal mark whatever Separator is, and a second mark makes the text no number.
    (void)Separator;
    Value = 1.0f;
    std::string Plain;
    Plain.reserve(Text.size());
    std::size_t I = 0;
    while (I < Text.size() && Text[I] == ' ')
        ++I;
    std::size_t End = Text.size();
    while (End > I && Text[End - 1] == ' ')
        --End;
    const std::string_view Core = Text.substr(I, End - I);

    std::size_t K = 0;
    if (K < Core.size() && (Core[K] == '+' || Core[K] == '-'))
        Plain += Core[K++];
    int Digits = 0;
    while (K < Core.size() && Core[K] >= '0' && Core[K] <= '9')
        Plain += Core[K++], ++Digits;
    // Both marks stand for the separator: a "1.5" typed where the mark is "," still means 1.5.
    if (K < Core.size() && (Core[K] == ',' || Core[K] == '.')) {
        Plain += '.';
        ++K;
        while (K < Core.size() && Core[K] >= '0' && Core[K] <= '9')
            Plain += Core[K++], ++Digits;
    }
    if (Digits == 0)
        return false;
    if (K < Core.size() && (Core[K] == 'e' || Core[K] == 'E')) {
        Plain += 'e';
        ++K;
        if (K < Core.size() && (Core[K] == '+' || Core[K] == '-'))
            Plain += Core[K++];
        int Exponent_Digits = 0;
        while (K < Core.size() && Core[K] >= '0' && Core[K] <= '9')
            Plain += Core[K++], ++Exponent_Digits;
        if (Exponent_Digits == 0)
            return false;
    }
    if (K != Core.size())
        return false;

    double Parsed = 0.0;
    const char* First = Plain.data();
    if (*First == '+')
        ++First;
    const auto Result = std::from_chars(First, Plain.data() + Plain.size(), Parsed);
    if (Result.ec == std::errc::result_out_of_range) {
        // Underflow reads as zero; overflow is no number.
        if (std::fabs(Parsed) > 1.0)
            return false;
        Parsed = 0.0;
    } else if (Result.ec != std::errc() || Result.ptr != Plain.data() + Plain.size()) {
        return false;
    }
    if (std::fabs(Parsed) > 3.4028234663852886e38)
        return false;
    Value = static_cast<float>(Parsed);
    return true;
}

} // namespace common
