// IPv4 addresses typed as text.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace common {

/// Checks and splits an IPv4 address typed as text. The text is trimmed of blanks and control characters, then
/// cut at its first three dots; each part is trimmed and stored in Parts as it stands (the fourth takes the rest,
/// further dots included). Parts not reached keep what they held. The address is valid when all four parts read
/// as integers in 0..255 (a part that is not an integer counts as 1000).
bool Check_IP_Address(std::string_view Text, std::array<std::string, 4>& Parts);

/// Check_IP_Address without the parts.
bool Check_IP_Address(std::string_view Text);

} // namespace common
