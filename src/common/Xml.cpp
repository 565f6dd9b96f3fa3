#include "common/Xml.h"

#include "common/Atomic_File.h"
#include "common/File_Error.h"

#include <algorithm>
#include <sstream>

namespace common {

int Line_Of_Offset(std::string_view Text, std::ptrdiff_t Offset)
{
    if (Offset < 0)
        return 0;
    const std::size_t End = std::min(Text.size(), static_cast<std::size_t>(Offset));
    return 1 + static_cast<int>(std::count(Text.begin(), Text.begin() + static_cast<std::ptrdiff_t>(End), '\n'));
}

int TXml_File::Line_Of(const pugi::xml_node& Node) const
{
    const std::ptrdiff_t Offset = Node.offset_debug();
    return Offset < 0 ? 0 : Line_Of_Offset(Text, Offset);
}

std::unique_ptr<TXml_File> Parse_Xml_Text(std::string Text, const std::filesystem::path& File)
{
    auto Xml = std::make_unique<TXml_File>();
    Xml->Path = File;
    Xml->Text = std::move(Text);
    const pugi::xml_parse_result Result =
        Xml->Doc.load_buffer(Xml->Text.data(), Xml->Text.size(), Xml_Parse_Options, pugi::encoding_auto);
    if (!Result)
        throw TFile_Error(File, Line_Of_Offset(Xml->Text, Result.offset),
                          std::string("not well-formed XML: ") + Result.description());
    return Xml;
}

std::unique_ptr<TXml_File> Load_Xml_File(const std::filesystem::path& File)
{
    return Parse_Xml_Text(Read_Whole_File(File), File);
}

pugi::xml_node First_Top_Level_Node(const pugi::xml_document& Doc)
{
    for (pugi::xml_node Node = Doc.first_child(); Node; Node = Node.next_sibling())
        if (Node.type() != pugi::node_declaration && Node.type() != pugi::node_doctype)
            return Node;
    return {};
}

std::string Child_Text(const pugi::xml_node& Node, const char* Name)
{
    return Node.child(Name).text().get();
}

std::string Attribute_Text(const pugi::xml_node& Node, const char* Name)
{
    return Node.attribute(Name).value();
}

std::string Xml_To_Text(const pugi::xml_document& Doc)
{
    std::ostringstream Out;
    Doc.save(Out, "", pugi::format_raw | pugi::format_no_declaration, pugi::encoding_utf8);
    std::string Text = std::move(Out).str();
    // pugixml writes a CR inside element text as it is, and every XML reader turns a CR into an LF: a value holding
    // one would read back changed. As a character reference it stays a CR. (Attribute values already get one; our
    // comments hold none.)
    std::string Escaped;
    Escaped.reserve(Text.size());
    for (const char C : Text)
        if (C == '\r')
            Escaped += "&#13;";
        else
            Escaped += C;
    return Escaped;
}

void Save_Xml_Document(const pugi::xml_document& Doc, const std::filesystem::path& File)
{
    Write_File_Atomic(File, Xml_To_Text(Doc));
}

} // namespace common
