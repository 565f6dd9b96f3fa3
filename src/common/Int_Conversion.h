// The one integer rule of every typed or stored text.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace common {

/// Reads an integer the way every field and file of the system does:
///   leading blanks are skipped, then an optional sign ("+" or "-"), then either
///   - decimal digits, whose value must lie in the signed 32-bit range, or
///   - "$", "x" or "0x" (either case) followed by 1 to 8 hexadecimal digits, read as a 32-bit pattern
///     ("$FFFFFFFF" is -1).
///   Nothing may follow the digits. Anything else (an empty text included) is not a number.
std::optional<std::int32_t> Text_To_Int(std::string_view Text);

/// Text_To_Int, or Default when the text is not a number.
std::int32_t Text_To_Int_Or(std::string_view Text, std::int32_t Default);

} // namespace common
