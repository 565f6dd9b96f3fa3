// A file that is not well-formed XML raises an error naming the file, the line and the reason, wherever the fault
// lies (also in parts the reader does not decode) and in both read modes.
#include "Scl_Fixture.h"

#include "iec61850/Scl_Reader.h"

#include "common/File_Error.h"

#include <gtest/gtest.h>

namespace iec61850 {
namespace {

using test::TTemp_File;

struct TFault_Case
{
    const char* Label;
    const char* Text;
    int Line;
    const char* Reason;
};

std::string Many_Attributes(int Count, const char* Last)
{
    std::string Text = "<SCL>\n\n<IED";
    for (int I = 0; I < Count; ++I)
        Text += " a" + std::to_string(I) + "=\"\"";
    return Text + " " + Last + "=\"\"/></SCL>";
}

const std::string Repeated_Late = Many_Attributes(1000, "a0");
const std::string Repeated_Early = Many_Attributes(3, "a1");

class Scl_Not_Well_Formed : public ::testing::TestWithParam<TFault_Case>
{};

TEST_P(Scl_Not_Well_Formed, RaisesTheErrorWithFileLineAndReason)
{
    const TFault_Case& Case = GetParam();
    const TTemp_File File(std::string_view(Case.Text, std::char_traits<char>::length(Case.Text)), "broken.scd");
    for (const TScl_Read_Mode Mode : {TScl_Read_Mode::Needed_Parts, TScl_Read_Mode::Whole_Document}) {
        try {
            const TIEC_Device Device(File.Path(), {}, Mode);
            ADD_FAILURE() << Case.Label << ": no error";
        } catch (const common::TFile_Error& Error) {
            EXPECT_EQ(Error.File(), File.Path()) << Case.Label;
            EXPECT_EQ(Error.Line(), Case.Line) << Case.Label << ": " << Error.what();
            EXPECT_NE(Error.Reason().find(Case.Reason), std::string::npos) << Case.Label << ": " << Error.what();
            EXPECT_NE(std::string(Error.what()).find("broken.scd\", line " + std::to_string(Case.Line)),
                      std::string::npos)
                << Error.what();
        }
    }
    EXPECT_THROW(List_IED_Names(File.Path()), common::TFile_Error) << Case.Label;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, Scl_Not_Well_Formed, ::testing::Values(
    TFault_Case{"empty file", "", 1, "No document element found"},
    TFault_Case{"only blanks", " \n ", 2, "No document element found"},
    TFault_Case{"start tag without '<'", "\n\nSCL xmlns=\"http://www.iec.ch/61850/2003/SCL\"", 3, "Text outside the document element"},
    TFault_Case{"element not closed", "<SCL>\n<IED name=\"A\">\n", 3, "not closed"},
    TFault_Case{"end tag of another element", "<SCL>\n<IED>\n</LN>\n</SCL>", 3, "Start-end tags mismatch"},
    TFault_Case{"unquoted attribute", "<SCL>\n\n<IED name=A/></SCL>", 3, "Error parsing element attribute"},
    TFault_Case{"attributes without blank", "<SCL>\n\n<IED name=\"A\"desc=\"\"/></SCL>", 3, "Error parsing element attribute"},
    TFault_Case{"duplicate attribute", "<SCL>\n\n<IED name=\"A\" name=\"B\"/></SCL>", 3, "Duplicate attribute"},
    TFault_Case{"duplicate among few attributes", Repeated_Early.c_str(), 3, "Duplicate attribute"},
    TFault_Case{"duplicate among many attributes", Repeated_Late.c_str(), 3, "Duplicate attribute"},
    TFault_Case{"'<' in an attribute value", "<SCL>\n<IED name=\"A\"\n desc=\"a<b\"/></SCL>", 3, "'<' in an attribute value"},
    TFault_Case{"unterminated attribute", "<SCL>\n\n<IED name=\"A/>", 3, "Error parsing element attribute"},
    TFault_Case{"end tag with attribute", "<SCL>\n<IED>\n</IED x=\"1\"></SCL>", 3, "Error parsing end element tag"},
    TFault_Case{"second document element", "<SCL/>\n\n<SCL/>", 3, "Second document element"},
    TFault_Case{"text after the document element", "<SCL/>\n\nx", 3, "Text outside the document element"},
    TFault_Case{"undefined entity", "<SCL>\n\n&nbsp;</SCL>", 3, "Undefined entity reference"},
    TFault_Case{"bare ampersand in a value", "<SCL>\n\n<IED name=\"A & B\"/></SCL>", 3, "Invalid entity reference"},
    TFault_Case{"reference to a forbidden character", "<SCL>\n\n<IED name=\"&#1;\"/></SCL>", 3, "Invalid character reference"},
    TFault_Case{"'--' in a comment", "<SCL>\n\n<!-- a -- b --></SCL>", 3, "'--' inside a comment"},
    TFault_Case{"comment not closed", "<SCL>\n\n<!-- never closed </SCL>", 3, "Error parsing comment"},
    TFault_Case{"CDATA outside the document element", "\n\n<![CDATA[x]]><SCL/>", 3, "Unrecognized tag"},
    TFault_Case{"control character in text", "<SCL>\n\n\x01</SCL>", 3, "Character not allowed in XML"},
    TFault_Case{"']]>' in text", "<SCL>\n\n]]></SCL>", 3, "']]>' in text"},
    TFault_Case{"declaration not at the start", "\n\n<?xml version=\"1.0\"?><SCL/>", 3, "XML declaration not at the start"},
    TFault_Case{"fault inside an IED that is not read",
                "<SCL xmlns=\"http://www.iec.ch/61850/2003/SCL\"><IED name=\"A\"/>\n<IED name=\"B\">\n<DAI sAddr=\"a\"b\"/></IED>"
                "<DataTypeTemplates/></SCL>", 3, "Error parsing element attribute"},
    TFault_Case{"fault inside the Communication section",
                "<SCL><Communication>\n<SubNetwork>\n</Subnetwork></Communication><IED name=\"A\"/><DataTypeTemplates/></SCL>",
                3, "Start-end tags mismatch"}));
// clang-format on

} // namespace
} // namespace iec61850
