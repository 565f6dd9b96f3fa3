// The compile run and reading its images back.
#include "image/Client_Image.h"
#include "image/Compile_Run.h"
#include "image/Image_Reader.h"

#include "common/Atomic_File.h"
#include "common/File_Error.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>

using namespace image;
namespace fs = std::filesystem;

namespace {

class Compile_Run : public ::testing::Test
{
protected:
    fs::path Conf = fs::temp_directory_path() / ("ct40510-compile-" + std::to_string(std::random_device{}()));
    fs::path ParGen = Conf / "ParGen.xml";
    fs::path Client = Conf / "IEC_61850_Client.xml";
    void SetUp() override { fs::create_directories(Conf / "bin"); }
    void TearDown() override { fs::remove_all(Conf); }

    TImages Build() { return Build_Images(ParGen, Client, '.'); }
    std::string Bank(const char* Name) { return common::Read_Whole_File(Conf / "bin" / Name); }
    static void Write(const fs::path& File, const std::string& Text) { std::ofstream(File) << Text; }
};

const char* One_Variable =
    "<IEC_68850_Client><List_ICD_Files/><List_DA_Selected><DA_Item Index=\"0\" bType=\"FLOAT32\" fc=\"MX\" "
    "Reference=\"IED1LD0/MMXU1.TotW.mag.f\" StartByte=\"0\" NumByte=\"4\" IPAddress=\"192.168.0.20\" Port=\"102\" "
    "OnChange=\"N\" OnCMD=\"N\" OnTimer=\"Y\" Time=\"1000\" Position=\"0\" StartBit=\"0\" ReadWrite=\"Read\" "
    "Convertion=\"None\" MoltFact=\"None\" Mnemonic=\"\"/></List_DA_Selected><List_DataSet_Selected><DataSet_Item "
    "Index=\"0\" Reference=\"IED1LD0/LLN0.DS1\" GooseName=\"GO1\" EnGoose=\"Y\" IPAddress=\"192.168.0.20\" "
    "Port=\"102\" Time=\"500\" Mnemonic=\"\"><DataSet_List_DAs><DataSet_DA_Item bType=\"BOOLEAN\" "
    "Reference=\"IED1LD0/GGIO1.Ind1.stVal\" Position=\"5\" StartBit=\"2\" Convertion=\"None\" MoltFact=\"None\" "
    "Mnemonic=\"\"/></DataSet_List_DAs></DataSet_Item></List_DataSet_Selected></IEC_68850_Client>";

} // namespace

TEST_F(Compile_Run, NeitherProjectFileGivesTheDefaultImages)
{
    const TImages Images = Build();
    ASSERT_EQ(Images.Bank1.size(), 2048u);
    EXPECT_EQ(Images.Block_Checksum, 3466u);
    EXPECT_EQ(std::vector<std::uint8_t>(Images.Bank1.begin() + 0x5EC, Images.Bank1.begin() + 0x5F0),
              (std::vector<std::uint8_t>{0, 0, 8, 0}));
    std::vector<std::uint8_t> Header(24, 0);
    for (std::size_t At : {16u, 20u})
        Header[At] = 0x18, Header[At + 2] = 0x08;
    EXPECT_EQ(Images.Bank2, Header);
}

TEST_F(Compile_Run, TwoRunsWriteIdenticalFilesAndTheHeaderTakesVlanAndAppId)
{
    Write(ParGen, "<Par_Gen><IEC61850_Client_VLAN>7</IEC61850_Client_VLAN>"
                  "<IEC61850_Client_Application_ID>$10</IEC61850_Client_Application_ID></Par_Gen>");
    Write(Client, One_Variable);
    Save_Images(Build(), Conf);
    const std::string Bank1 = Bank("bank1.bin"), Bank2 = Bank("bank2.bin");
    Save_Images(Build(), Conf);
    EXPECT_EQ(Bank("bank1.bin"), Bank1);
    EXPECT_EQ(Bank("bank2.bin"), Bank2);
    EXPECT_EQ(Bank2[8], 7);
    EXPECT_EQ(Bank2[12], 16);
}

TEST_F(Compile_Run, AMalformedProjectFileEndsTheRunBeforeAnythingIsWritten)
{
    Save_Images(Build(), Conf);
    const std::string Bank1 = Bank("bank1.bin"), Bank2 = Bank("bank2.bin");
    Write(Client, "<IEC_68850_Client><List_ICD_Files/></IEC_68850_Client>");
    EXPECT_THROW(Build(), common::TFile_Error);
    Write(Client, One_Variable);
    Write(ParGen, "<Par_Gen><IEC61850_Client_IP1>1</Par_Gen>");
    EXPECT_THROW(Build(), common::TFile_Error);
    EXPECT_EQ(Bank("bank1.bin"), Bank1);
    EXPECT_EQ(Bank("bank2.bin"), Bank2);
}

TEST_F(Compile_Run, AMissingBinFolderIsCreatedAndAFailedWriteChangesNeitherFile)
{
    fs::remove_all(Conf / "bin");
    Save_Images(Build(), Conf);
    EXPECT_EQ(Bank("bank1.bin").size(), 2048u);

    const std::string Bank1 = Bank("bank1.bin");
    fs::remove(Conf / "bin" / "bank2.bin");
    fs::create_directories(Conf / "bin" / "bank2.bin" / "taken"); // bank2.bin cannot be replaced
    Write(Client, One_Variable);
    EXPECT_THROW(Save_Images(Build(), Conf), common::TFile_Error);
    EXPECT_EQ(Bank("bank1.bin"), Bank1);
}

TEST_F(Compile_Run, TheImagesReadBackAsTheProjectFilesSay)
{
    Write(Client, One_Variable);
    const TImages Images = Build();
    const TImage_Report Block = Read_Param_Block(Images.Bank1);
    EXPECT_TRUE(Block.Sound) << Block.Problem;
    EXPECT_NE(Block.Text.find("Client_Image_Add 0x80000"), std::string::npos) << Block.Text;

    const TImage_Report Report = Read_Client_Image(Images.Bank2, Client_Image_Base);
    ASSERT_TRUE(Report.Sound) << Report.Problem;
    for (const char* Expected :
         {"fc MX", "bType \"FLOAT32\"", "hostname \"192.168.0.20\"", "reference \"IED1LD0/MMXU1.TotW.mag.f\"",
          "goose_name \"GO1\"", "reference \"IED1LD0/LLN0.DS1\"", "position 5, bitAddress 2",
          "reference \"IED1LD0/GGIO1.Ind1.stVal\""})
        EXPECT_NE(Report.Text.find(Expected), std::string::npos) << Expected << "\n" << Report.Text;
}

TEST_F(Compile_Run, InconsistentImagesAreReportedAsSuch)
{
    Write(Client, One_Variable);
    TImages Images = Build();

    std::vector<std::uint8_t> Bad_Block = Images.Bank1;
    Bad_Block[0x028] ^= 1;
    EXPECT_NE(Read_Param_Block(Bad_Block).Problem.find("checksum"), std::string::npos);

    std::vector<std::uint8_t> Bad_Address = Images.Bank2;
    Bad_Address[24 + 28 + 2] = 0x10; // the reference address of the variable leaves the file
    EXPECT_FALSE(Read_Client_Image(Bad_Address, Client_Image_Base).Sound);

    std::vector<std::uint8_t> Truncated(Images.Bank2.begin(), Images.Bank2.end() - 3);
    EXPECT_FALSE(Read_Client_Image(Truncated, Client_Image_Base).Sound);
    std::vector<std::uint8_t> Longer = Images.Bank2;
    Longer.push_back(0);
    EXPECT_FALSE(Read_Client_Image(Longer, Client_Image_Base).Sound);
}
