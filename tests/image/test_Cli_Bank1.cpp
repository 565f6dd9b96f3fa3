// ct40510-cli bank1, run as a script runs it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <sys/wait.h>

namespace fs = std::filesystem;

namespace {

struct TTemp_Dir
{
    fs::path Path = fs::temp_directory_path() / ("ct40510-bank1-" + std::to_string(std::random_device{}()));
    TTemp_Dir() { fs::create_directories(Path); }
    ~TTemp_Dir() { fs::remove_all(Path); }
};

std::string Read(const fs::path& File)
{
    std::ifstream In(File, std::ios::binary);
    return {std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>()};
}

struct TRun
{
    int Exit_Code = -1;
    std::string Out;
    std::string Err;
};

TRun Bank1(const TTemp_Dir& Work, const fs::path& Conf_Dir, const fs::path& Out_File)
{
    const std::string Command = std::string("\"") + CT_CLI + "\" bank1 \"" + Conf_Dir.string() + "\" \"" +
                                Out_File.string() + "\" >\"" + (Work.Path / "stdout").string() + "\" 2>\"" +
                                (Work.Path / "stderr").string() + "\"";
    const int Status = std::system(Command.c_str());
    TRun Run;
    Run.Exit_Code = WIFEXITED(Status) ? WEXITSTATUS(Status) : -1;
    Run.Out = Read(Work.Path / "stdout");
    Run.Err = Read(Work.Path / "stderr");
    return Run;
}

std::uint32_t Checksum_Of(const std::string& Image)
{
    const auto B = [&](std::size_t I) { return static_cast<std::uint32_t>(static_cast<unsigned char>(Image.at(I))); };
    return B(0x7FC) | B(0x7FD) << 8 | B(0x7FE) << 16 | B(0x7FF) << 24;
}

const fs::path Data = fs::path(CT_TEST_DATA) / "comm";

} // namespace

TEST(Cli_Bank1, WritesTheBlockOfAConfigurationFolder)
{
    TTemp_Dir Work;
    fs::create_directories(Work.Path / "Empty");
    const TRun Empty = Bank1(Work, Work.Path / "Empty", Work.Path / "empty.bin");
    EXPECT_EQ(Empty.Exit_Code, 0) << Empty.Err;
    const std::string Image = Read(Work.Path / "empty.bin");
    ASSERT_EQ(Image.size(), 2048u);
    EXPECT_EQ(Checksum_Of(Image), 3466u);
    EXPECT_EQ(Image.substr(0x5EC, 4), std::string("\x00\x00\x08\x00", 4)) << "the client image address";
    EXPECT_NE(Empty.Out.find("checksum 3466"), std::string::npos) << Empty.Out;

    const TRun Defaults = Bank1(Work, Data / "Window_Defaults", Work.Path / "defaults.bin");
    EXPECT_EQ(Defaults.Exit_Code, 0) << Defaults.Err;
    EXPECT_EQ(Checksum_Of(Read(Work.Path / "defaults.bin")), 3475u);
}

TEST(Cli_Bank1, OnAnErrorItWritesNothingAndExitsWith1)
{
    TTemp_Dir Work;
    const TRun Malformed = Bank1(Work, Data / "Malformed", Work.Path / "bank1.bin");
    EXPECT_EQ(Malformed.Exit_Code, 1);
    EXPECT_NE(Malformed.Err.find("ParGen.xml"), std::string::npos) << Malformed.Err;
    EXPECT_NE(Malformed.Err.find("line 3"), std::string::npos) << Malformed.Err;
    EXPECT_FALSE(fs::exists(Work.Path / "bank1.bin"));

    // An earlier image stays as it was.
    std::ofstream(Work.Path / "bank1.bin") << "earlier";
    EXPECT_EQ(Bank1(Work, Data / "Malformed", Work.Path / "bank1.bin").Exit_Code, 1);
    EXPECT_EQ(Read(Work.Path / "bank1.bin"), "earlier");

    const TRun No_Folder = Bank1(Work, Work.Path / "no such folder", Work.Path / "other.bin");
    EXPECT_NE(No_Folder.Exit_Code, 0);
    EXPECT_FALSE(No_Folder.Err.empty());
    EXPECT_FALSE(fs::exists(Work.Path / "other.bin"));
}
