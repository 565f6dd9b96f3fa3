// bank2.bin from IEC_61850_Client.xml.
#include "image/Client_Image.h"

#include "common/File_Error.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>

using namespace image;
namespace fs = std::filesystem;

namespace {

class Client_Image : public ::testing::Test
{
protected:
    fs::path Dir = fs::temp_directory_path() / ("ct40510-bank2-" + std::to_string(std::random_device{}()));
    fs::path File = Dir / "IEC_61850_Client.xml";
    void SetUp() override { fs::create_directories(Dir); }
    void TearDown() override { fs::remove_all(Dir); }

    std::vector<std::uint8_t> Build(const std::string& Xml, char Separator = '.')
    {
        std::ofstream(File, std::ios::binary) << Xml;
        TIEC61850_Client Client;
        Reset_Client_Record(Client);
        Read_Client_File(Client, File, Client_Image_Base, Separator);
        std::vector<std::uint8_t> Buffer;
        const std::size_t Length = Write_Client_Image(Client, 0, Buffer);
        EXPECT_EQ(Length, Buffer.size());
        return Buffer;
    }
};

std::string Variable(const std::string& Attributes, const std::string& Fc = "MX",
                     const std::string& Reference = "IED1LD0/MMXU1.TotW.mag.f")
{
    return "<DA_Item Index=\"0\" fc=\"" + Fc + "\" Reference=\"" + Reference +
           "\" IPAddress=\"192.168.0.20\" "
           "Port=\"102\" OnChange=\"N\" OnCMD=\"N\" OnTimer=\"Y\" Time=\"1000\" Position=\"0\" StartBit=\"0\" "
           "ReadWrite=\"Read\" Convertion=\"None\" Mnemonic=\"\" " +
           Attributes + "/>";
}

std::string Client_File(const std::string& Variables, const std::string& DataSets = "")
{
    return "<IEC_68850_Client><List_ICD_Files/><List_DA_Selected>" + Variables +
           "</List_DA_Selected><List_DataSet_Selected>" + DataSets +
           "</List_DataSet_Selected></IEC_68850_Client><!--SW_VERSION = 1.001-->";
}

std::uint32_t U32_At(const std::vector<std::uint8_t>& B, std::size_t At)
{
    return B[At] | (B[At + 1] << 8) | (B[At + 2] << 16) | (static_cast<std::uint32_t>(B[At + 3]) << 24);
}

} // namespace

TEST_F(Client_Image, OneFloatVariableGivesTheKnown102Bytes)
{
    const auto Image = Build(Client_File(Variable("bType=\"FLOAT32\" MoltFact=\"None\"")));
    const std::vector<std::uint8_t> Head{
        1, 0, 0, 0, 0, 0, 0,    0, 0,    0, 0, 0, 0, 0, 0,    0,    0x18, 0, 8, 0, 0x38, 0, 8, 0, 0x4D, 0x58, 0, 0,
        4, 0, 0, 4, 0, 0, 0x66, 0, 0xE8, 3, 0, 0, 0, 0, 0x80, 0x3F, 0x38, 0, 8, 0, 0x40, 0, 8, 0, 0x4D, 0,    8, 0};
    ASSERT_EQ(Image.size(), 102u);
    EXPECT_EQ(std::vector<std::uint8_t>(Image.begin(), Image.begin() + 56), Head);
    const std::string Pool(Image.begin() + 56, Image.end());
    EXPECT_EQ(Pool, std::string("FLOAT32\0"
                                "192.168.0.20\0"
                                "IED1LD0/MMXU1.TotW.mag.f\0",
                                46));
}

TEST_F(Client_Image, NoFileGivesTheEmptyHeader)
{
    TIEC61850_Client Client;
    Read_Client_File(Client, Dir / "missing.xml", Client_Image_Base, '.');
    std::vector<std::uint8_t> Buffer;
    EXPECT_EQ(Write_Client_Image(Client, 0, Buffer), 24u);
    EXPECT_EQ(U32_At(Buffer, 0), 0u);
    EXPECT_EQ(U32_At(Buffer, 16), 0x80018u);
    EXPECT_EQ(U32_At(Buffer, 20), 0x80018u);
}

struct TRange_Case
{
    const char* Attributes;
    std::uint8_t Start, Num;
};
class Client_Image_Range : public Client_Image, public ::testing::WithParamInterface<TRange_Case>
{};
TEST_P(Client_Image_Range, ByteRangeFollowsTheType)
{
    const auto Image = Build(Client_File(Variable(std::string(GetParam().Attributes) + " MoltFact=\"None\"")));
    EXPECT_EQ(Image[24 + 6], GetParam().Start) << GetParam().Attributes;
    EXPECT_EQ(Image[24 + 7], GetParam().Num) << GetParam().Attributes;
}
// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, Client_Image_Range, ::testing::Values(
    TRange_Case{"bType=\"Float32\" StartByte=\"3\" NumByte=\"9\"", 0, 4},  // case-folded, attributes ignored
    TRange_Case{"bType=\"Timestamp\"", 0, 1},
    TRange_Case{"bType=\"Quality\"", 0, 4},
    TRange_Case{"bType=\"INT64\"", 0, 8},
    TRange_Case{"bType=\"VisString255\" StartByte=\"10\" NumByte=\"20\"", 10, 20},
    TRange_Case{"bType=\"VisString255\"", 0, 1},
    TRange_Case{"bType=\"Octet64\" StartByte=\"x\" NumByte=\"\"", 0, 1},
    TRange_Case{"bType=\"Dbpos\" StartByte=\"300\" NumByte=\"2\"", 44, 2}));
// clang-format on

TEST_F(Client_Image, FactorsAndFlags)
{
    const auto Image =
        Build(Client_File(Variable("bType=\"Float32\" MoltFact=\"2,5\"") + Variable("bType=\"Float32\" MoltFact=\"\"") +
                          Variable("bType=\"Float32\" MoltFact=\"abc\"")),
              '.');
    EXPECT_EQ(U32_At(Image, 24 + 16), 0x40200000u); // 2.5 typed with the other mark still reads as 2.5
    EXPECT_EQ(U32_At(Image, 24 + 32 + 16), 0x3F800000u);
    EXPECT_EQ(U32_At(Image, 24 + 64 + 16), 0x3F800000u);
}

TEST_F(Client_Image, DataSetsMembersAndPool)
{
    const std::string DataSets =
        "<DataSet_Item Index=\"0\" Reference=\"IED1LD0/LLN0.DS1\" GooseName=\"\" EnGoose=\"Y\" IPAddress=\"1.2.3.4\" "
        "Port=\"102\" Time=\"500\" Mnemonic=\"\"><DataSet_List_DAs/></DataSet_Item>"
        "<DataSet_Item Index=\"0\" Reference=\"R\" GooseName=\"G\" EnGoose=\"N\" IPAddress=\"1.2.3.4\" Port=\"\" "
        "Time=\"\" Mnemonic=\"\"><DataSet_List_DAs><DataSet_DA_Item bType=\"BOOLEAN\" Reference=\"A\" "
        "Position=\"7\" StartBit=\"3\" Convertion=\"ItoF/FtoI\" MoltFact=\"None\" Mnemonic=\"\"/>"
        "</DataSet_List_DAs></DataSet_Item>";
    const auto Image = Build(Client_File("", DataSets));
    // header, two data-set records of 28 bytes, one member of 16 bytes, then the pool.
    const std::size_t Members = 24 + 2 * 28;
    EXPECT_EQ(U32_At(Image, 20), 0x80018u);
    EXPECT_EQ(U32_At(Image, 24 + 24), 0x80000u + Members); // no members: where they would begin
    EXPECT_EQ(U32_At(Image, 24 + 28 + 24), 0x80000u + Members);
    EXPECT_EQ(Image[24], 0);
    EXPECT_EQ(Image[24 + 1], 4);
    EXPECT_EQ(Image[24 + 4], 1);
    EXPECT_EQ(Image[24 + 28], 1);
    EXPECT_EQ(U32_At(Image, 24 + 28 + 8), 1000u); // empty Time: its default
    EXPECT_EQ(Image[Members + 2], 3);
    EXPECT_EQ(Image[Members + 3], 1);
    const std::size_t Pool = Members + 16;
    EXPECT_EQ(U32_At(Image, 24 + 12), 0x80000u + Pool); // empty goose name: a single 0 byte
    EXPECT_EQ(Image[Pool], 0);
    EXPECT_EQ(Image.size(), Pool + 1 + 17 + 8 + 2 + 2 + 8 + 8 + 2);
}

struct TMissing_Case
{
    const char* Xml;
    const char* Names;
};
class Client_Image_Missing : public Client_Image, public ::testing::WithParamInterface<TMissing_Case>
{};
TEST_P(Client_Image_Missing, EndsTheRunNamingWhatIsMissing)
{
    try {
        Build(GetParam().Xml);
        FAIL() << "no error for " << GetParam().Xml;
    } catch (const common::TFile_Error& Error) {
        EXPECT_NE(std::string(Error.what()).find(GetParam().Names), std::string::npos) << Error.what();
        EXPECT_NE(std::string(Error.what()).find("IEC_61850_Client.xml"), std::string::npos);
    }
}
// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, Client_Image_Missing, ::testing::Values(
    TMissing_Case{"<Other/>", "IEC_68850_Client"},
    TMissing_Case{"<IEC_68850_Client/>", "List_DA_Selected"},
    TMissing_Case{"<IEC_68850_Client><List_DA_Selected><DA_Item fc=\"MX\"/></List_DA_Selected></IEC_68850_Client>",
                  "bType"},
    TMissing_Case{"<IEC_68850_Client><List_DA_Selected/><List_DataSet_Selected><DataSet_Item Port=\"1\" Time=\"1\" "
                  "GooseName=\"\" Reference=\"\" IPAddress=\"\"/></List_DataSet_Selected></IEC_68850_Client>",
                  "DataSet_List_DAs"},
    TMissing_Case{"<IEC_68850_Client><List_DA_Selected/><List_DataSet_Selected><DataSet_Item Port=\"1\" Time=\"1\" "
                  "GooseName=\"\" Reference=\"\"><DataSet_List_DAs/></DataSet_Item></List_DataSet_Selected>"
                  "</IEC_68850_Client>",
                  "IPAddress"},
    TMissing_Case{"<IEC_68850_Client><List_DA_Selected>", "line 1"}));
// clang-format on

TEST_F(Client_Image, MoreThan255MembersOrAnOversizedImageIsRefused)
{
    std::string Members;
    for (int I = 0; I < 256; ++I)
        Members += "<DataSet_DA_Item bType=\"BOOLEAN\" Reference=\"A\" Position=\"0\" StartBit=\"0\" MoltFact=\"1\"/>";
    const std::string DataSet = "<DataSet_Item Port=\"1\" Time=\"1\" GooseName=\"\" Reference=\"R\" IPAddress=\"\">"
                                "<DataSet_List_DAs>" +
                                Members + "</DataSet_List_DAs></DataSet_Item>";
    EXPECT_THROW(Build(Client_File("", DataSet)), common::TFile_Error);

    std::string Variables;
    const std::string Long_Reference(2000, 'R');
    for (int I = 0; I < 300; ++I)
        Variables += Variable("bType=\"BOOLEAN\" MoltFact=\"1\"", "ST", Long_Reference);
    EXPECT_THROW(Build(Client_File(Variables)), common::TFile_Error);
}

TEST_F(Client_Image, EmptyFcGivesTwoZeroBytesAndTextsKeepTheirLowBytes)
{
    // "Zähler" with a-umlaut (U+00E4): one byte 0xE4 in the pool, as counted by the address walk.
    const auto Image = Build(Client_File(Variable("bType=\"Float32\" MoltFact=\"1\"", "", "Z\xc3\xa4hler")));
    EXPECT_EQ(Image[24], 0);
    EXPECT_EQ(Image[25], 0);
    ASSERT_EQ(Image.size(), 24u + 32 + 8 + 13 + 7);
    EXPECT_EQ(std::string(Image.end() - 7, Image.end()), std::string("Z\xe4hler\0", 7));
}
