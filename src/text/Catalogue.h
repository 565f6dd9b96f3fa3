// The numbered catalogue of every text the user sees, and the language files that override it.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace text {

/// The number of entries of the catalogue; an entry's number is its position and never changes.
inline constexpr int Catalogue_Size = 2900;

struct TCatalogue
{
    std::vector<std::string> Lang_Strings; ///< UTF-8 texts, Catalogue_Size of them once the defaults are loaded
    int Lang_Count = 0;                    ///< how many entries a language file may set

    /// Entry N; a single blank for a number outside the catalogue, so a window never reads past its end.
    const std::string& operator[](int N) const;
};

/// The 2900 built-in English texts in entry order; an entry without a text of its own is a single blank.
const std::vector<std::string>& Default_Strings();

/// Empties the catalogue and fills it with the 2900 English defaults.
void Load_Default_Strings(TCatalogue& Catalogue);

/// A catalogue of the English defaults, made once: for texts that must not follow the chosen language.
const TCatalogue& Default_Catalogue();

/// Applies one language file: each line "STR<n> =<text>" sets entry n. A file that cannot be read changes nothing.
void Load_Lang_File(TCatalogue& Catalogue, const std::filesystem::path& File);

/// Applies the lines of a language file already decoded to UTF-8.
void Apply_Lang_Text(TCatalogue& Catalogue, std::string_view Utf8_Text);

/// Decodes the bytes of a language file to UTF-8: a byte order mark selects UTF-8 or UTF-16 (LE or BE); without
/// one the bytes are UTF-8 when they are valid UTF-8, otherwise Windows-1252.
std::string Decode_Lang_File(std::string_view Bytes);

/// Defaults, then Language_Path/<Language>.lng; when that file is missing Language becomes "English" and
/// English.lng is applied if present. A folder of that name, or a name that is empty or holds a path separator, counts
/// as a missing file; a file that exists but cannot be read leaves the defaults and Language as they are.
void Load_Language(TCatalogue& Catalogue, const std::filesystem::path& Language_Path, std::string& Language);

/// A language file of every entry that is not a single blank (and of every blank that replaces a default), each
/// text between two pilcrows, which loaded back over the defaults gives the same catalogue. A text holding a line
/// break, "/#/" or a pilcrow cannot stand in a language file: it gets a comment line naming its entry instead.
std::string Lang_Template(const TCatalogue& Catalogue);

} // namespace text
