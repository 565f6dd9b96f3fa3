// Language files: decoding their bytes, applying their lines, choosing the file for a language, and writing the
// template a translator starts from.
#include "common/Atomic_File.h"
#include "common/File_Error.h"
#include "common/Int_Conversion.h"
#include "common/Text.h"
#include "text/Catalogue.h"

#include <algorithm>
#include <optional>
#include <system_error>

namespace text {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view Pilcrow = "\xC2\xB6"; // U+00B6 in UTF-8
constexpr std::string_view Comment_Mark = "/#/";

// Windows-1252 bytes 0x80..0x9F. The five bytes the code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map
// to the C1 control of the same value, as the system's own conversion does; every other byte is its own code point.
constexpr char16_t Cp1252_80_9F[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

std::string Decode_Cp1252(std::string_view Bytes)
{
    std::u16string Units;
    Units.reserve(Bytes.size());
    for (char C : Bytes) {
        const auto B = static_cast<unsigned char>(C);
        Units += (B >= 0x80 && B <= 0x9F) ? Cp1252_80_9F[B - 0x80] : static_cast<char16_t>(B);
    }
    return common::Utf16_To_Utf8(Units);
}

// A dangling last byte cannot be half of a character and is dropped; unpaired surrogates become U+FFFD.
std::string Decode_Utf16(std::string_view Bytes, bool Big_Endian)
{
    std::u16string Units;
    Units.reserve(Bytes.size() / 2);
    for (std::size_t I = 0; I + 1 < Bytes.size(); I += 2) {
        const auto First = static_cast<unsigned char>(Bytes[I]);
        const auto Second = static_cast<unsigned char>(Bytes[I + 1]);
        Units +=
            Big_Endian ? static_cast<char16_t>((First << 8) | Second) : static_cast<char16_t>((Second << 8) | First);
    }
    return common::Utf16_To_Utf8(Units);
}

// Invalid sequences in a file marked as UTF-8 become U+FFFD, so the catalogue only ever holds valid UTF-8.
std::string Valid_Utf8(std::string_view Bytes)
{
    if (common::Is_Valid_Utf8(Bytes))
        return std::string(Bytes);
    return common::Utf16_To_Utf8(common::Utf8_To_Utf16(Bytes));
}

// The start of the character that ends just before Position (UTF-8 continuation bytes are 10xxxxxx).
std::size_t Start_Of_Previous_Character(std::string_view Text, std::size_t Position)
{
    std::size_t I = Position - 1;
    while (I > 0 && (static_cast<unsigned char>(Text[I]) & 0xC0) == 0x80)
        --I;
    return I;
}

// One line "STR<number><separator>=<text>": the separator is the one character right before the first "=".
void Apply_Lang_Line(TCatalogue& Catalogue, std::string_view Raw_Line)
{
    const std::string_view Line = common::Trim(Raw_Line);
    if (!Line.starts_with("STR"))
        return;
    const std::size_t Equals = Line.find('=');
    if (Equals == std::string_view::npos)
        return;

    std::string_view Number_Text;
    if (Equals > 3) {
        const std::size_t Separator = std::max<std::size_t>(3, Start_Of_Previous_Character(Line, Equals));
        Number_Text = common::Trim_Blanks(Line.substr(3, Separator - 3));
    }
    const std::optional<std::int32_t> Number = common::Text_To_Int(Number_Text);
    if (!Number || *Number < 0 || *Number >= Catalogue.Lang_Count ||
        static_cast<std::size_t>(*Number) >= Catalogue.Lang_Strings.size())
        return;

    std::string_view Text = common::Trim_Blanks(Line.substr(Equals + 1));
    if (Text.empty())
        return;
    if (const std::size_t Comment = Text.find(Comment_Mark); Comment != std::string_view::npos) {
        Text = common::Trim_Blanks(Text.substr(0, Comment));
        if (Text.empty())
            return;
    }
    if (Text.starts_with(Pilcrow))
        Text.remove_prefix(Pilcrow.size());
    if (const std::size_t End = Text.find(Pilcrow); End != std::string_view::npos)
        Text = Text.substr(0, End);

    Catalogue.Lang_Strings[static_cast<std::size_t>(*Number)] = std::string(Text);
}

// What a line of a language file cannot carry: a line break ends the line, "/#/" starts a comment, and a pilcrow
// inside the text would end it early.
bool Representable_In_Lang_File(std::string_view Text)
{
    return Text.find_first_of("\r\n") == std::string_view::npos && Text.find(Comment_Mark) == std::string_view::npos &&
           Text.find(Pilcrow) == std::string_view::npos;
}

// A folder, or a name that would leave the language folder, is not a language file.
bool Lang_File_Exists(const fs::path& File)
{
    std::error_code Error;
    const fs::file_type Type = fs::status(File, Error).type();
    // A file whose state cannot be learnt (no permission on the way to it) counts as existing: reading it then
    // fails and the texts already loaded stay.
    return Type != fs::file_type::not_found && Type != fs::file_type::directory;
}

bool Usable_Language_Name(std::string_view Name)
{
    return !Name.empty() && Name.find_first_of(std::string_view("/\\\0", 3)) == std::string_view::npos;
}

} // namespace

std::string Decode_Lang_File(std::string_view Bytes)
{
    if (Bytes.starts_with("\xEF\xBB\xBF"))
        return Valid_Utf8(Bytes.substr(3));
    if (Bytes.starts_with("\xFF\xFE"))
        return Decode_Utf16(Bytes.substr(2), false);
    if (Bytes.starts_with("\xFE\xFF"))
        return Decode_Utf16(Bytes.substr(2), true);
    if (common::Is_Valid_Utf8(Bytes))
        return std::string(Bytes);
    return Decode_Cp1252(Bytes);
}

void Apply_Lang_Text(TCatalogue& Catalogue, std::string_view Utf8_Text)
{
    while (!Utf8_Text.empty()) {
        const std::size_t End = Utf8_Text.find_first_of("\r\n");
        Apply_Lang_Line(Catalogue, Utf8_Text.substr(0, End));
        if (End == std::string_view::npos)
            break;
        Utf8_Text.remove_prefix(End + 1);
    }
}

void Load_Lang_File(TCatalogue& Catalogue, const fs::path& File)
{
    std::string Bytes;
    try {
        Bytes = common::Read_Whole_File(File);
    } catch (const common::TFile_Error&) {
        return; // the texts already loaded stay in effect
    }
    Apply_Lang_Text(Catalogue, Decode_Lang_File(Bytes));
}

void Load_Language(TCatalogue& Catalogue, const fs::path& Language_Path, std::string& Language)
{
    Load_Default_Strings(Catalogue);
    if (Usable_Language_Name(Language)) {
        const fs::path File = Language_Path / (Language + ".lng");
        if (Lang_File_Exists(File)) {
            Load_Lang_File(Catalogue, File);
            return;
        }
    }
    Language = "English";
    const fs::path English = Language_Path / "English.lng";
    if (Lang_File_Exists(English))
        Load_Lang_File(Catalogue, English);
}

std::string Lang_Template(const TCatalogue& Catalogue)
{
    const std::vector<std::string>& Defaults = Default_Strings();
    std::string Out = "/#/ One line per entry: STR<number> =<text>. The text stands between two pilcrows so that "
                      "its leading and trailing blanks are kept.\n";
    const std::size_t Count = std::min(Catalogue.Lang_Strings.size(), Defaults.size());
    for (std::size_t N = 0; N < Count; ++N) {
        const std::string& Text = Catalogue.Lang_Strings[N];
        // A single blank is the filler of an unused entry; it is written only where it replaces a real default,
        // so that the template loaded over the defaults gives this very catalogue.
        if (Text == " " && Defaults[N] == " ")
            continue;
        const std::string Head = "STR" + std::to_string(N);
        if (!Representable_In_Lang_File(Text)) {
            Out += "/#/ " + Head +
                   " is left out: its text holds a line break, \"/#/\" or a pilcrow, which a line "
                   "of a language file cannot carry.\n";
            continue;
        }
        Out += Head;
        Out += " =";
        Out += Pilcrow;
        Out += Text;
        Out += Pilcrow;
        Out += '\n';
    }
    return Out;
}

} // namespace text
