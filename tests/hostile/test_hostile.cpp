// Every reader of outside input gets every file of the hostile corpus (tests/data/hostile, and the large inputs
// made at run time): each either gives a sound value or refuses the file with a TFile_Error naming it. Any other
// exception fails the case; a crash or a sanitizer report ends the program; a case that takes longer than its
// watchdog allows ends the program with the case named.
#include "Hostile_Inputs.h"
#include "Same_Configuration.h"

#include "access/Access_Model.h"
#include "app/App_State.h"
#include "app/Settings.h"
#include "comm/ParGen.h"
#include "common/Atomic_File.h"
#include "common/File_Error.h"
#include "common/Text.h"
#include "iec61850/Device_Dump.h"
#include "iec61850/Model.h"
#include "iec61850/Scl_Reader.h"
#include "image/Client_Image.h"
#include "image/Compile_Run.h"
#include "image/Image_Reader.h"
#include "image/Param_Block.h"
#include "text/Catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <fstream>
#include <optional>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// The devices of this test may take far less memory than the program's default allows, so that templates that
// expand without end are refused before they take half of the machine.
constexpr std::size_t Test_Device_Memory = std::size_t{128} << 20;

class TMemory_Limit : public ::testing::Environment
{
    void SetUp() override { iec61850::Set_Device_Memory_Limit(Test_Device_Memory); }
    void TearDown() override { iec61850::Set_Device_Memory_Limit(0); }
};
const auto* const Limit_Environment = ::testing::AddGlobalTestEnvironment(new TMemory_Limit);

void Write_Bytes(const fs::path& File, std::string_view Bytes)
{
    fs::create_directories(File.parent_path());
    std::ofstream(File, std::ios::binary | std::ios::trunc)
        .write(Bytes.data(), static_cast<std::streamsize>(Bytes.size()));
}

void Copy(const fs::path& From, const fs::path& To)
{
    fs::create_directories(To.parent_path());
    fs::copy_file(From, To, fs::copy_options::overwrite_existing);
}

/// Runs a reader; a TFile_Error must name the file (its file name at least: a copy may be named instead).
template <class TRead> bool Read_Or_Refuse(const fs::path& File, TRead&& Read)
{
    try {
        Read();
        return true;
    } catch (const common::TFile_Error& Error) {
        EXPECT_NE(std::string(Error.what()).find(File.filename().string()), std::string::npos)
            << "the error does not name " << File << ": " << Error.what();
        EXPECT_FALSE(Error.Reason().empty());
        return false;
    }
}

void Expect_Sound_Images(const image::TImages& Images)
{
    EXPECT_EQ(Images.Bank1.size(), image::Param_Block_Size);
    EXPECT_LE(Images.Bank2.size(), image::Bank2_Buffer_Size);
    const image::TImage_Report Block = image::Read_Param_Block(Images.Bank1);
    EXPECT_TRUE(Block.Sound) << Block.Problem;
    const image::TImage_Report Client = image::Read_Client_Image(Images.Bank2, image::Client_Image_Base);
    EXPECT_TRUE(Client.Sound) << Client.Problem;
}

// ----- The readers --------------------------------------------------------------------------------------------

struct TReader
{
    const char* Name;
    void (*Run)(const fs::path& Input, const fs::path& Work);
};

void Scl_Reader(const fs::path& Input, const fs::path& Work)
{
    const fs::path File = Work / "copy.icd";
    Copy(Input, File);
    std::optional<std::string> Parts, Whole;
    Read_Or_Refuse(File, [&] {
        Parts = iec61850::Dump_Device(iec61850::TIEC_Device(File, {}, iec61850::TScl_Read_Mode::Needed_Parts));
    });
    Read_Or_Refuse(File, [&] {
        Whole = iec61850::Dump_Device(iec61850::TIEC_Device(File, {}, iec61850::TScl_Read_Mode::Whole_Document));
    });
    EXPECT_EQ(Parts.has_value(), Whole.has_value()) << "one read mode refuses the file, the other does not";
    if (Parts && Whole) {
        EXPECT_TRUE(*Parts == *Whole) << "the two read modes give different devices";
    }
    Read_Or_Refuse(File, [&] { (void)iec61850::List_IED_Names(File); });
}

// Imported into an access configuration with every data set selected, then compiled: the image is sound, and a data
// set of more members than the image can count is refused.
void Scl_Import_And_Compile(const fs::path& Input, const fs::path& Work)
{
    const fs::path Conf = Work / "Conf";
    fs::create_directories(Conf);
    ct::access::TAccess_Model Model;
    Model.Load(Conf, Conf / ct::access::Client_File_Name);
    std::optional<int> Index;
    if (!Read_Or_Refuse(Input, [&] { Index = Model.Import_Device(Input, ct::access::TOverwrite::Yes); }) || !Index)
        return;
    std::size_t Largest = 0;
    if (const iec61850::TIEC_Device* Device = Model.Device(*Index))
        for (const auto& LD : Device->List_LDevice)
            for (const auto& LN : LD->List_LN)
                for (const auto& DataSet : LN->List_DataSet) {
                    Model.Add_DataSet(*Index, *DataSet);
                    Largest = std::max(Largest, DataSet->List_DA.size());
                }
    const fs::path Client = Conf / ct::access::Client_File_Name;
    Write_Bytes(Client, Model.Xml_Text());
    const bool Built = Read_Or_Refuse(Client, [&] { Expect_Sound_Images(image::Build_Images({}, Client, '.')); });
    if (Largest > 255) {
        EXPECT_FALSE(Built) << "a data set of " << Largest << " members was compiled";
    }
}

void ParGen_Window(const fs::path& Input, const fs::path& Work)
{
    const fs::path File = Work / comm::ParGen_File_Name;
    Copy(Input, File);
    Read_Or_Refuse(File, [&] {
        const comm::TParGen Values = comm::Read_ParGen(File);
        EXPECT_LT(static_cast<std::size_t>(Values.MODBUS_SLAVE_SERIAL), comm::Serial_List.size());
        EXPECT_LT(static_cast<std::size_t>(Values.MODBUS_SLAVE_BAUDRATE), comm::Baudrate_List.size());
        EXPECT_LT(static_cast<std::size_t>(Values.MODBUS_SLAVE_PARITY), comm::Parity_List.size());
        EXPECT_LT(static_cast<std::size_t>(Values.MODBUS_SLAVE_STOPBITS), comm::StopBits_List.size());
        // What the window writes back reads as the same values.
        const fs::path Again = Work / "again.xml";
        comm::Write_ParGen(Again, Values);
        EXPECT_TRUE(comm::Read_ParGen(Again) == Values) << "the written file reads back other values";
    });
}

void ParGen_Block(const fs::path& Input, const fs::path& Work)
{
    const fs::path File = Work / comm::ParGen_File_Name;
    Copy(Input, File);
    Read_Or_Refuse(File, [&] { Expect_Sound_Images(image::Build_Images(File, Work / "none.xml", '.')); });
}

void Client_Image(const fs::path& Input, const fs::path& Work)
{
    const fs::path File = Work / ct::access::Client_File_Name;
    Copy(Input, File);
    Read_Or_Refuse(File, [&] { Expect_Sound_Images(image::Build_Images(Work / "none.xml", File, '.')); });
}

// Loaded into the access model beside the demo device: what the model writes back it reads back unchanged.
void Access_Load(const fs::path& Input, const fs::path& Work)
{
    const fs::path Conf = Work / "Conf";
    Copy(fs::path(CT_DEMO_DIR) / "Demo" / ct::access::ICD_Catalog_Folder / "Demo_Feeder.icd",
         Conf / ct::access::ICD_Catalog_Folder / "Demo_Feeder.icd");
    const fs::path File = Conf / ct::access::Client_File_Name;
    Copy(Input, File);
    ct::access::TAccess_Model Model;
    if (!Read_Or_Refuse(File, [&] { Model.Load(Conf, File); }))
        return;
    (void)Model.Controllo_dati(text::Default_Catalogue(), '.');
    const std::string Written = Model.Xml_Text();
    Write_Bytes(File, Written);
    ct::access::TAccess_Model Again;
    Again.Load(Conf, File);
    EXPECT_EQ(hostile::Compare_Configurations(Written, Again.Xml_Text()), "");
}

void Language_File(const fs::path& Input, const fs::path& Work)
{
    const fs::path Folder = Work / "LANGUAGE";
    Copy(Input, Folder / "Hostile.lng");
    text::TCatalogue Catalogue;
    std::string Language = "Hostile";
    text::Load_Language(Catalogue, Folder, Language);
    EXPECT_EQ(Language, "Hostile");
    ASSERT_EQ(Catalogue.Lang_Strings.size(), static_cast<std::size_t>(text::Catalogue_Size));
    EXPECT_TRUE(std::all_of(Catalogue.Lang_Strings.begin(), Catalogue.Lang_Strings.end(), [](const std::string& Entry) {
        return common::Is_Valid_Utf8(Entry);
    })) << "an entry is not valid UTF-8";
}

// The whole start-up over the file as Velmorin.xml: only the folder PROJECTS/Demo may become active.
void Settings_Start_Up(const fs::path& Input, const fs::path& Work)
{
    const fs::path Program = Work / "Program";
    fs::create_directories(Program / "PROJECTS" / "Demo");
    Copy(Input, Program / "Velmorin.xml");
    app::TApp_State State;
    app::Start_Up(State, Program);
    if (State.Conf_Active()) {
        EXPECT_EQ(State.Conf_Path, Program / "PROJECTS" / "Demo");
    }
    EXPECT_EQ(State.Lang_Strings.Lang_Strings.size(), static_cast<std::size_t>(text::Catalogue_Size));
}

constexpr TReader Readers[] = {
    {"Scl", Scl_Reader},
    {"Scl_Import", Scl_Import_And_Compile},
    {"ParGen_Window", ParGen_Window},
    {"ParGen_Block", ParGen_Block},
    {"Client_Image", Client_Image},
    {"Access_Load", Access_Load},
    {"Language", Language_File},
    {"Settings", Settings_Start_Up},
};

// ----- The corpus ---------------------------------------------------------------------------------------------

std::vector<std::string> Corpus_Names()
{
    std::vector<std::string> Names;
    for (const auto& Entry : fs::directory_iterator(fs::path(CT_TEST_DATA) / "hostile"))
        Names.push_back(Entry.path().filename().string());
    for (const std::string& Name : hostile::Generated_Names())
        Names.push_back(Name);
    std::sort(Names.begin(), Names.end());
    return Names;
}

/// A folder of the case's own, removed afterwards; a reader that runs past its watchdog ends the program.
class THostile : public ::testing::TestWithParam<std::string>
{
protected:
    void SetUp() override
    {
        static int Counter = 0;
        Work = fs::path(::testing::TempDir()) /
               ("ct_hostile_" + std::to_string(::getpid()) + "_" + std::to_string(Counter++));
        fs::create_directories(Work);
        const std::string& Name = GetParam();
        Input = fs::path(CT_TEST_DATA) / "hostile" / Name;
        const auto& Generated = hostile::Generated_Names();
        if (std::find(Generated.begin(), Generated.end(), Name) != Generated.end()) {
            Input = Work / "input" / Name;
            Write_Bytes(Input, hostile::Generate(Name));
        }
    }
    void TearDown() override
    {
        ::alarm(0);
        std::error_code Ignored;
        fs::remove_all(Work, Ignored);
    }

    static void Watch(const std::string& Case)
    {
        static char What[512];
        std::snprintf(What, sizeof What, "hang: %s did not end within its watchdog\n", Case.c_str());
        std::signal(SIGALRM, [](int) {
            (void)!::write(STDERR_FILENO, What, std::strlen(What));
            ::_exit(3);
        });
        ::alarm(120);
    }

    fs::path Work;
    fs::path Input;
};

TEST_P(THostile, Every_Reader_Gives_A_Clear_Error_Or_A_Sound_Value)
{
    for (const TReader& Reader : Readers) {
        SCOPED_TRACE(std::string("reader ") + Reader.Name);
        Watch(std::string(Reader.Name) + " over " + GetParam());
        const fs::path Folder = Work / Reader.Name;
        fs::create_directories(Folder);
        Reader.Run(Input, Folder);
    }
}

INSTANTIATE_TEST_SUITE_P(Corpus, THostile, ::testing::ValuesIn(Corpus_Names()),
                         [](const ::testing::TestParamInfo<std::string>& Info) {
                             std::string Name = Info.param;
                             for (char& C : Name)
                                 if (!std::isalnum(static_cast<unsigned char>(C)))
                                     C = '_';
                             return Name;
                         });

// ----- Limits -------------------------------------------------------------------------------------------------

class TLimits : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Work = fs::path(::testing::TempDir()) / ("ct_limits_" + std::to_string(::getpid()));
        fs::create_directories(Work);
    }
    void TearDown() override
    {
        std::error_code Ignored;
        fs::remove_all(Work, Ignored);
    }
    /// A sparse file of Size bytes that starts like Head: it takes no room on the disk.
    fs::path Sparse(const std::string& Name, std::uintmax_t Size, std::string_view Head)
    {
        const fs::path File = Work / Name;
        Write_Bytes(File, Head);
        fs::resize_file(File, Size);
        return File;
    }
    template <class TRead> static std::string Refusal(TRead&& Read)
    {
        try {
            Read();
        } catch (const common::TFile_Error& Error) {
            return Error.what();
        }
        return "";
    }
    fs::path Work;
};

TEST_F(TLimits, Scl_File_Of_2_GB_Is_Refused_Before_It_Is_Read)
{
    const fs::path File = Sparse("Big.scd", std::uintmax_t{2} << 30, "<?xml version=\"1.0\"?><SCL>");
    for (const auto Mode : {iec61850::TScl_Read_Mode::Needed_Parts, iec61850::TScl_Read_Mode::Whole_Document}) {
        const std::string Message = Refusal([&] { iec61850::TIEC_Device Device(File, {}, Mode); });
        EXPECT_NE(Message.find(File.string()), std::string::npos) << Message;
        EXPECT_NE(Message.find("1024 MB"), std::string::npos) << Message;
    }
    EXPECT_NE(Refusal([&] { (void)iec61850::List_IED_Names(File); }), "");
    ct::access::TAccess_Model Model;
    Model.Load(Work / "Conf", Work / "Conf" / ct::access::Client_File_Name);
    EXPECT_NE(Refusal([&] { (void)Model.Import_Device(File, ct::access::TOverwrite::Yes); }), "");
    EXPECT_EQ(Model.Device_Count(), 0);
    EXPECT_FALSE(fs::exists(Work / "Conf" / ct::access::ICD_Catalog_Folder / "Big.scd")) << "the file was copied";
}

TEST_F(TLimits, Project_Files_Of_1_GB_Are_Refused_Before_They_Are_Read)
{
    const std::uintmax_t Size = std::uintmax_t{1} << 30;
    const fs::path Client = Sparse(ct::access::Client_File_Name, Size, "<IEC_68850_Client>");
    const fs::path ParGen = Sparse(comm::ParGen_File_Name, Size, "<Par_Gen>");
    EXPECT_NE(Refusal([&] { (void)image::Build_Images(Work / "none.xml", Client, '.'); }).find("larger than"),
              std::string::npos);
    EXPECT_NE(Refusal([&] { (void)image::Build_Images(ParGen, Work / "none.xml", '.'); }).find(ParGen.string()),
              std::string::npos);
    EXPECT_NE(Refusal([&] { (void)comm::Read_ParGen(ParGen); }), "");
    ct::access::TAccess_Model Model;
    EXPECT_NE(Refusal([&] { Model.Load(Work, Client); }), "");

    // The settings and the language file fall back to their defaults.
    const fs::path Program = Work / "Program";
    fs::create_directories(Program / "LANGUAGE");
    Sparse("Program/Velmorin.xml", Size, "<Conf_Settings><lastlang><language>Big</language>");
    Sparse("Program/LANGUAGE/Big.lng", Size, "STR1 =big\r\n");
    app::TApp_State State;
    app::Start_Up(State, Program);
    EXPECT_EQ(State.Language, "English");
    text::TCatalogue Catalogue;
    std::string Language = "Big";
    text::Load_Language(Catalogue, Program / "LANGUAGE", Language);
    EXPECT_EQ(Catalogue[1], text::Default_Strings()[1]);
}

TEST_F(TLimits, A_File_That_Never_Ends_Is_Refused_At_The_Limit)
{
    if (!fs::exists("/dev/zero"))
        GTEST_SKIP() << "no /dev/zero";
    const std::string Message = Refusal([] { (void)common::Read_Whole_File("/dev/zero", 1 << 20); });
    EXPECT_NE(Message.find("/dev/zero"), std::string::npos) << Message;
    EXPECT_NE(Refusal([] { (void)comm::Read_ParGen("/dev/zero"); }), "");
}

TEST_F(TLimits, Templates_That_Expand_Without_End_Are_Refused)
{
    // 10^8 attributes from a file of 3 KB.
    const fs::path File = fs::path(CT_TEST_DATA) / "hostile" / "scl_exponential_templates.icd";
    const std::string Message = Refusal([&] { iec61850::TIEC_Device Device(File); });
    EXPECT_NE(Message.find("scl_exponential_templates.icd"), std::string::npos) << Message;
    EXPECT_NE(Message.find("MB of memory"), std::string::npos) << Message;
    EXPECT_LE(fs::file_size(File), 4096u);
}

TEST_F(TLimits, The_Default_Device_Memory_Is_Half_Of_The_Machine)
{
    iec61850::Set_Device_Memory_Limit(0);
    const long Pages = ::sysconf(_SC_PHYS_PAGES);
    const long Page = ::sysconf(_SC_PAGESIZE);
    const std::size_t Expected = static_cast<std::size_t>(Pages) * static_cast<std::size_t>(Page) / 2;
    EXPECT_EQ(iec61850::Device_Memory_Limit(), Expected);
    iec61850::Set_Device_Memory_Limit(Test_Device_Memory);
    EXPECT_EQ(iec61850::Device_Memory_Limit(), Test_Device_Memory);
}

} // namespace
