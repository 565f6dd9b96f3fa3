// Text helpers: ASCII case folding, trimming, and UTF-8 <-> UTF-16 for the rules that count UTF-16 code units.
#pragma once

#include <string>
#include <string_view>

namespace common {

/// Upper-cases the ASCII letters only; every other byte stays as it is.
std::string Ascii_Upper(std::string_view Text);

/// Compares two texts, folding ASCII letters only.
bool Ascii_Equal_No_Case(std::string_view A, std::string_view B);

/// Removes leading and trailing blanks and control characters (every byte up to and including ' ').
std::string_view Trim(std::string_view Text);

/// Removes leading and trailing blanks (' ') only.
std::string_view Trim_Blanks(std::string_view Text);

/// UTF-8 to UTF-16; a byte sequence that is not valid UTF-8 becomes U+FFFD for each offending byte.
std::u16string Utf8_To_Utf16(std::string_view Text);

/// UTF-16 to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string Utf16_To_Utf8(std::u16string_view Text);

/// True when the bytes are valid UTF-8 (no overlong forms, no surrogates, nothing above U+10FFFF).
bool Is_Valid_Utf8(std::string_view Text);

/// The number of UTF-16 code units of a UTF-8 text (what the system counts as its length).
std::size_t Utf16_Length(std::string_view Text);

/// The low 8 bits of each UTF-16 code unit: how texts are stored in the device images.
std::string Low_Bytes_Of_Utf16(std::string_view Text);

} // namespace common
