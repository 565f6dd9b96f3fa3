// Language files on arbitrary bytes: the catalogue keeps its 2900 entries, every one valid UTF-8, and the template
// written from it, loaded over the defaults, gives the same catalogue.
#include "Fuzz_Support.h"

#include "common/Text.h"
#include "text/Catalogue.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    const std::string_view Bytes(reinterpret_cast<const char*>(Data), Size);
    const std::string Text = text::Decode_Lang_File(Bytes);
    if (!common::Is_Valid_Utf8(Text))
        fuzz::Fail("a decoded language file is not valid UTF-8");

    text::TCatalogue Catalogue;
    text::Load_Default_Strings(Catalogue);
    text::Apply_Lang_Text(Catalogue, Text);
    if (Catalogue.Lang_Strings.size() != static_cast<std::size_t>(text::Catalogue_Size))
        fuzz::Fail("the catalogue lost or gained entries");
    for (const std::string& Entry : Catalogue.Lang_Strings)
        if (!common::Is_Valid_Utf8(Entry))
            fuzz::Fail("an entry is not valid UTF-8");

    const std::string Template = text::Lang_Template(Catalogue);
    text::TCatalogue Again;
    text::Load_Default_Strings(Again);
    text::Apply_Lang_Text(Again, text::Decode_Lang_File(Template));
    for (std::size_t N = 0; N < Catalogue.Lang_Strings.size(); ++N) {
        const std::string& Entry = Catalogue.Lang_Strings[N];
        const bool Representable = Entry.find_first_of("\r\n") == std::string::npos &&
                                   Entry.find("/#/") == std::string::npos &&
                                   Entry.find("\xC2\xB6") == std::string::npos;
        if (Representable && Again.Lang_Strings[N] != Entry)
            fuzz::Fail("entry " + std::to_string(N) + " does not survive its template: \"" + Entry + "\" became \"" +
                       Again.Lang_Strings[N] + "\"");
    }

    // The same bytes as a file, through the reader the program uses.
    const std::filesystem::path File = fuzz::Work_Folder() / "Fuzz.lng";
    fuzz::Put_File(File, Bytes);
    text::TCatalogue From_File;
    text::Load_Default_Strings(From_File);
    text::Load_Lang_File(From_File, File);
    if (From_File.Lang_Strings != Catalogue.Lang_Strings)
        fuzz::Fail("the file reader and the text reader differ");
    return 0;
}
