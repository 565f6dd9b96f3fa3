// Decimal numbers typed by the user, with the user's decimal separator.
#pragma once

#include <string_view>

namespace common {

/// The user's decimal separator: "," or ".". On Linux the decimal point of the LC_NUMERIC locale.
char Get_Decimal_Separator();

/// What a platform's raw decimal-point text means: its first character when that is "," or ".", else ",".
char Decimal_Separator_From(std::string_view Raw);

/// Converts a typed number. Every "," and "." of the text is first turned into Separator; then the text must be
///   optional blanks, an optional sign, digits with an optional fraction after Separator (at least one digit in
///   all), an optional exponent ("e" or "E", optional sign, digits), optional blanks
/// and nothing else ("inf", "nan" and thousands separators are not numbers; neither is a value beyond the
/// single-precision range). On success Value is the number rounded to single precision; otherwise Value is 1.0.
bool Text_To_Single(std::string_view Text, char Separator, float& Value);

} // namespace common
