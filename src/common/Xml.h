// XML files over pugixml, the way every project file is read and written.
#pragma once

#include <pugixml.hpp>

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace common {

/// A parsed XML file. The text is kept so that any node's line can be told in an error message.
struct TXml_File
{
    std::filesystem::path Path;
    std::string Text;
    pugi::xml_document Doc;

    /// The 1-based line of a node of Doc (0 when unknown).
    int Line_Of(const pugi::xml_node& Node) const;
};

/// The options every project file is parsed with: comments are nodes (so a comment before the root element is
/// the first top-level node), the XML declaration is not.
constexpr unsigned Xml_Parse_Options = pugi::parse_default | pugi::parse_comments;

/// Reads and parses a file; throws TFile_Error naming the file, the line and what is wrong when it cannot be
/// read or is not well-formed XML.
std::unique_ptr<TXml_File> Load_Xml_File(const std::filesystem::path& File);

/// Parses XML held in memory; a parse error throws TFile_Error naming File.
std::unique_ptr<TXml_File> Parse_Xml_Text(std::string Text, const std::filesystem::path& File);

/// The 1-based line of a byte offset into Text.
int Line_Of_Offset(std::string_view Text, std::ptrdiff_t Offset);

/// The first top-level node of a document, whatever it is (element, comment, ...); null when the document is empty.
pugi::xml_node First_Top_Level_Node(const pugi::xml_document& Doc);

/// The text of the first child element Name of Node ("" when there is none): never converted by pugixml.
std::string Child_Text(const pugi::xml_node& Node, const char* Name);

/// The value of attribute Name of Node ("" when absent).
std::string Attribute_Text(const pugi::xml_node& Node, const char* Name);

/// The serialised form of every file the system writes: no declaration, no indentation, UTF-8 without BOM.
std::string Xml_To_Text(const pugi::xml_document& Doc);

/// Writes a whole document to File atomically (see Write_File_Atomic); throws TFile_Error on failure.
void Save_Xml_Document(const pugi::xml_document& Doc, const std::filesystem::path& File);

/// The comment that follows the root element of every project file.
inline constexpr const char* Sw_Version_Comment = "SW_VERSION = 1.001";

} // namespace common
