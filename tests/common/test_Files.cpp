// XML files and atomic replacement.
#include "common/Atomic_File.h"
#include "common/File_Error.h"
#include "common/Xml.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>

using namespace common;
namespace fs = std::filesystem;

namespace {

struct TTemp_Dir
{
    fs::path Path = fs::temp_directory_path() / ("ct40510-common-" + std::to_string(std::random_device{}()));
    TTemp_Dir() { fs::create_directories(Path); }
    ~TTemp_Dir() { fs::remove_all(Path); }
};

void Write(const fs::path& File, const std::string& Text)
{
    std::ofstream(File, std::ios::binary) << Text;
}

} // namespace

TEST(Xml, AMalformedFileNamesTheFileAndTheLine)
{
    TTemp_Dir Dir;
    const fs::path File = Dir.Path / "ParGen.xml";
    Write(File, "<Par_Gen>\n  <a>1</a>\n  <b>2</c>\n</Par_Gen>");
    try {
        Load_Xml_File(File);
        FAIL() << "no error";
    } catch (const TFile_Error& Error) {
        EXPECT_EQ(Error.File(), File);
        EXPECT_EQ(Error.Line(), 3);
        EXPECT_NE(std::string(Error.what()).find("ParGen.xml"), std::string::npos);
        EXPECT_NE(std::string(Error.what()).find("line 3"), std::string::npos);
    }
    EXPECT_THROW(Load_Xml_File(Dir.Path / "missing.xml"), TFile_Error);
    EXPECT_THROW(Load_Xml_File(Dir.Path), TFile_Error);
}

TEST(Xml, TheFirstTopLevelNodeMayBeAComment)
{
    auto Xml = Parse_Xml_Text("<?xml version=\"1.0\"?><!--note--><Par_Gen/>", "x.xml");
    EXPECT_EQ(First_Top_Level_Node(Xml->Doc).type(), pugi::node_comment);
    auto Plain = Parse_Xml_Text("<?xml version=\"1.0\"?>\n<Root><v>$FF</v></Root>", "y.xml");
    const pugi::xml_node Root = First_Top_Level_Node(Plain->Doc);
    EXPECT_STREQ(Root.name(), "Root");
    EXPECT_EQ(Child_Text(Root, "v"), "$FF");
    EXPECT_EQ(Child_Text(Root, "missing"), "");
    EXPECT_EQ(Plain->Line_Of(Root), 2);
}

TEST(Xml, SavedExactlyAsTheProjectFilesAre)
{
    pugi::xml_document Doc;
    pugi::xml_node Root = Doc.append_child("Conf_Settings");
    Root.append_child("projectname").text().set("D\xc3\xa9mo");
    Doc.append_child(pugi::node_comment).set_value(Sw_Version_Comment);
    EXPECT_EQ(Xml_To_Text(Doc),
              "<Conf_Settings><projectname>D\xc3\xa9mo</projectname></Conf_Settings><!--SW_VERSION = 1.001-->");
}

TEST(Xml, ACarriageReturnInATextReadsBackAsItself)
{
    pugi::xml_document Doc;
    pugi::xml_node Root = Doc.append_child("Par_Gen");
    Root.append_child("a").text().set("0x10\r00");
    Root.append_child("b").text().set("x\r\ny\nz");
    Root.append_attribute("c").set_value("p\rq");
    const std::string Text = Xml_To_Text(Doc);
    EXPECT_EQ(Text.find('\r'), std::string::npos) << Text;
    auto Again = Parse_Xml_Text(Text, "p.xml");
    const pugi::xml_node Read = First_Top_Level_Node(Again->Doc);
    EXPECT_EQ(Child_Text(Read, "a"), "0x10\r00");
    EXPECT_EQ(Child_Text(Read, "b"), "x\r\ny\nz");
    EXPECT_EQ(Attribute_Text(Read, "c"), "p\rq");
}

TEST(Atomic_File, ReplacesWholeOrLeavesTheOldFile)
{
    TTemp_Dir Dir;
    const fs::path File = Dir.Path / "bank1.bin";
    Write_File_Atomic(File, "old");
    Write_File_Atomic(File, std::string("new\0data", 8));
    EXPECT_EQ(Read_Whole_File(File), std::string("new\0data", 8));

    EXPECT_THROW(Write_File_Atomic(Dir.Path / "no-such-folder" / "x.xml", "x"), TFile_Error);

    // A target that cannot be replaced (a folder stands in its place): error, nothing left behind.
    fs::create_directories(Dir.Path / "taken");
    Write(Dir.Path / "taken" / "inside", "keep");
    EXPECT_THROW(Write_File_Atomic(Dir.Path / "taken", "x"), TFile_Error);
    EXPECT_EQ(Read_Whole_File(Dir.Path / "taken" / "inside"), "keep");
    std::size_t Entries = 0;
    for ([[maybe_unused]] const auto& Entry : fs::directory_iterator(Dir.Path))
        ++Entries;
    EXPECT_EQ(Entries, 2u) << "a temporary file was left behind";
}

TEST(Atomic_File, SeveralFilesAllOrNone)
{
    TTemp_Dir Dir;
    Write_File_Atomic(Dir.Path / "bank1.bin", "old1");
    Write_File_Atomic(Dir.Path / "bank2.bin", "old2");
    EXPECT_THROW(Write_Files_Atomic({{Dir.Path / "bank1.bin", "new1"}, {Dir.Path / "gone" / "bank2.bin", "new2"}}),
                 TFile_Error);
    EXPECT_EQ(Read_Whole_File(Dir.Path / "bank1.bin"), "old1");
    Write_Files_Atomic({{Dir.Path / "bank1.bin", "new1"}, {Dir.Path / "bank2.bin", "new2"}});
    EXPECT_EQ(Read_Whole_File(Dir.Path / "bank1.bin"), "new1");
    EXPECT_EQ(Read_Whole_File(Dir.Path / "bank2.bin"), "new2");
}
