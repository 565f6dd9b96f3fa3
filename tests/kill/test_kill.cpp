// Crash-safe saving, proven with the real writers: a child process writes a file (or the two images) and is killed
// with SIGKILL after a random delay somewhere within the write; afterwards each file must be the old one or the new
// one, whole. Then the writers meet a full disk (a file size limit in the child) and a folder that cannot hold the
// file: each gives a TFile_Error naming the file and leaves the old file as it was.
#include "access/Access_Model.h"
#include "app/App_State.h"
#include "app/Settings.h"
#include "comm/ParGen.h"
#include "common/Atomic_File.h"
#include "common/File_Error.h"
#include "image/Compile_Run.h"
#include "text/Catalogue.h"
#include "update/Update_Script.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fstream>
#include <functional>
#include <random>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using TClock = std::chrono::steady_clock;

std::string Read(const fs::path& File)
{
    std::ifstream In(File, std::ios::binary);
    return {std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>()};
}

// ----- The kinds of file ----------------------------------------------------------------------------------------

/// One kind of file and its real writer: Write(Folder, New) writes the old (false) or the new (true) version of
/// the files Files(Folder) into Folder; the bytes must not depend on the folder.
struct TKind
{
    const char* Name;
    std::function<void(const fs::path& Folder, bool New)> Write;
    std::function<std::vector<fs::path>(const fs::path& Folder)> Files;
};

app::TApp_State Settings_State(const fs::path& Folder, bool New)
{
    app::TApp_State State;
    State.Program_Path = Folder;
    State.Conf_Name = New ? "Substation_North" : "Demo";
    State.Last_IP_Address = New ? "10.0.0.21" : "192.168.2.205";
    State.Language = New ? "Deutsch" : "English";
    State.Enable_Internet = New;
    State.Double_Click_Auto_Size = !New;
    return State;
}

comm::TParGen ParGen_Values(bool New)
{
    comm::TParGen Values;
    if (New) {
        Values.IEC61850_Client_IP = {"10", "0", "0", "50"};
        Values.MODBUS_SLAVE_BAUDRATE = 3;
        Values.MODBUS_SLAVE_IDDEVICE = "17";
    }
    return Values;
}

/// The demo configuration loaded into an access model, with one text changed in the old version; its devices are
/// read from the demo folder, the file is written wherever the test says.
ct::access::TAccess_Model& Access_Model(bool New)
{
    static ct::access::TAccess_Model Models[2];
    static bool Loaded = false;
    if (!Loaded) {
        const fs::path Demo = fs::path(CT_DEMO_DIR) / "Demo";
        for (auto& Model : Models)
            Model.Load(Demo, Demo / ct::access::Client_File_Name);
        Models[0].Set_Cell(ct::access::TTable_Id::Variables, 1, ct::access::Var_Col::Mnemonic, "old text");
        Loaded = true;
    }
    return Models[New ? 1 : 0];
}

const image::TImages& Images(bool New)
{
    static const image::TImages Built[2] = {
        [] {
            const fs::path Demo = fs::path(CT_DEMO_DIR) / "Demo";
            image::TImages Old = image::Build_Images(Demo / "ParGen.xml", Demo / ct::access::Client_File_Name, '.');
            Old.Bank1[0] ^= 0xFF;
            Old.Bank2.resize(Old.Bank2.size() / 2);
            return Old;
        }(),
        [] {
            const fs::path Demo = fs::path(CT_DEMO_DIR) / "Demo";
            return image::Build_Images(Demo / "ParGen.xml", Demo / ct::access::Client_File_Name, '.');
        }(),
    };
    return Built[New ? 1 : 0];
}

/// A large file through the atomic writer itself: its write takes long enough to be cut in the middle.
std::string Large_Bytes(bool New)
{
    std::string Bytes(std::size_t{1} << 20, New ? 'n' : 'o');
    Bytes += New ? "new end" : "old end";
    return Bytes;
}

std::vector<TKind> Kinds()
{
    const auto One = [](const char* Name) {
        return [Name](const fs::path& Folder) { return std::vector<fs::path>{Folder / Name}; };
    };
    return {
        {"Settings", [](const fs::path& Folder, bool New) { app::Save_Setting(Settings_State(Folder, New)); },
         One("Velmorin.xml")},
        {"ParGen",
         [](const fs::path& Folder, bool New) {
             comm::Write_ParGen(Folder / comm::ParGen_File_Name, ParGen_Values(New));
         },
         One(comm::ParGen_File_Name)},
        {"Access_Configuration",
         [](const fs::path& Folder, bool New) {
             const auto Refusal =
                 Access_Model(New).Save(Folder / ct::access::Client_File_Name, text::Default_Catalogue(), '.');
             if (Refusal)
                 throw std::runtime_error("the demo configuration is refused: " + Refusal->Text);
         },
         One(ct::access::Client_File_Name)},
        {"Images", [](const fs::path& Folder, bool New) { image::Save_Images(Images(New), Folder); },
         [](const fs::path& Folder) {
             return std::vector<fs::path>{Folder / "bin" / image::Bank1_File_Name,
                                          Folder / "bin" / image::Bank2_File_Name};
         }},
        {"Update_Script",
         [](const fs::path& Folder, bool New) {
             update::Write_Update_Script(Folder / update::Update_Script_Name,
                                         New ? update::TAddress_Texts{"10", "0", "0", "21"}
                                             : update::TAddress_Texts{"192", "168", "2", "205"},
                                         New ? 2 : 0, New, "/opt/ct40510/MASTER", "/opt/ct40510/PROJECTS/Demo");
         },
         One(update::Update_Script_Name)},
        {"Large_File",
         [](const fs::path& Folder, bool New) { common::Write_File_Atomic(Folder / "Large.bin", Large_Bytes(New)); },
         One("Large.bin")},
    };
}

// ----- The test -------------------------------------------------------------------------------------------------

class TKill : public ::testing::TestWithParam<int>
{
protected:
    void SetUp() override
    {
        Kind = Kinds()[static_cast<std::size_t>(GetParam())];
        Root = fs::path(::testing::TempDir()) / ("ct_kill_" + std::to_string(::getpid()) + "_" + Kind.Name);
        fs::remove_all(Root);
        // The two versions' bytes, from the writer itself.
        for (const bool New : {false, true}) {
            const fs::path Version = Root / (New ? "new" : "old");
            fs::create_directories(Version);
            Kind.Write(Version, New);
            for (const fs::path& File : Kind.Files(Version))
                (New ? New_Bytes : Old_Bytes).push_back(Read(File));
        }
        for (std::size_t I = 0; I < Old_Bytes.size(); ++I)
            ASSERT_NE(Old_Bytes[I], New_Bytes[I]) << "the two versions of " << Kind.Name << " must differ";
        Folder = Root / "work";
        fs::create_directories(Folder);
    }
    void TearDown() override
    {
        std::error_code Ignored;
        fs::remove_all(Root, Ignored);
    }

    /// The old version in place, and no temporary file left from a killed writer.
    void Reset_To_Old()
    {
        for (const auto& Entry : fs::recursive_directory_iterator(Folder))
            if (Entry.path().filename().string().find(".tmp-") != std::string::npos)
                fs::remove(Entry.path());
        Kind.Write(Folder, false);
    }

    /// Runs Body in a child process and answers its exit status (-1 when it was killed by a signal).
    template <class TBody> static int In_Child(TBody&& Body, int Kill_After_Us = -1)
    {
        const pid_t Child = ::fork();
        if (Child == 0) {
            int Code = 0;
            try {
                Code = Body();
            } catch (...) {
                Code = 100;
            }
            ::_exit(Code);
        }
        if (Kill_After_Us >= 0) {
            std::this_thread::sleep_for(std::chrono::microseconds(Kill_After_Us));
            ::kill(Child, SIGKILL);
        }
        int Status = 0;
        ::waitpid(Child, &Status, 0);
        return WIFEXITED(Status) ? WEXITSTATUS(Status) : -1;
    }

    TKind Kind;
    fs::path Root, Folder;
    std::vector<std::string> Old_Bytes, New_Bytes;
};

TEST_P(TKill, Killed_While_Writing_Leaves_The_Old_File_Or_The_New_One_Whole)
{
    // How long one write takes in a child, start of the process included, sets the range of the delays.
    Reset_To_Old();
    const auto Start = TClock::now();
    ASSERT_EQ(In_Child([&] {
                  Kind.Write(Folder, true);
                  return 0;
              }),
              0);
    const auto Write_Us = std::chrono::duration_cast<std::chrono::microseconds>(TClock::now() - Start).count();

    std::mt19937 Random(20240611u + static_cast<unsigned>(GetParam()));
    std::uniform_int_distribution<int> Delay(0, static_cast<int>(Write_Us + Write_Us / 4));
    int Trials = 0, Old_Seen = 0, New_Seen = 0, Killed = 0;
    const auto Deadline = TClock::now() + std::chrono::seconds(3);
    // At least 10 trials however slow the machine; more, up to 100, while the 3 s last.
    while (Trials < 100 && (Trials < 10 || TClock::now() < Deadline)) {
        Reset_To_Old();
        const int Status = In_Child(
            [&] {
                Kind.Write(Folder, true);
                return 0;
            },
            Delay(Random));
        ++Trials;
        Killed += Status == -1;
        const std::vector<fs::path> Files = Kind.Files(Folder);
        bool All_New = true, All_Old = true;
        for (std::size_t I = 0; I < Files.size(); ++I) {
            const std::string Now = Read(Files[I]);
            ASSERT_TRUE(Now == Old_Bytes[I] || Now == New_Bytes[I])
                << Files[I] << " is neither the old nor the new file after trial " << Trials << " (" << Now.size()
                << " bytes; old " << Old_Bytes[I].size() << ", new " << New_Bytes[I].size() << ")";
            All_New = All_New && Now == New_Bytes[I];
            All_Old = All_Old && Now == Old_Bytes[I];
        }
        Old_Seen += All_Old;
        New_Seen += All_New;
    }
    std::printf("%s: %d trials in %lld us per write, %d killed, %d left the old file(s), %d the new, %d a mix\n",
                Kind.Name, Trials, static_cast<long long>(Write_Us), Killed, Old_Seen, New_Seen,
                Trials - Old_Seen - New_Seen);
}

TEST_P(TKill, A_Full_Disk_Gives_A_Clear_Error_And_Leaves_The_Old_File)
{
    Reset_To_Old();
    // The child may write files of at most 1000 bytes: every longer write fails with EFBIG, as on a full disk.
    const int Status = In_Child([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit Limit{1000, 1000};
        if (::setrlimit(RLIMIT_FSIZE, &Limit) != 0)
            return 10;
        try {
            Kind.Write(Folder, true);
        } catch (const common::TFile_Error& Error) {
            for (const fs::path& File : Kind.Files(Folder))
                if (std::string(Error.what()).find(File.filename().string()) != std::string::npos)
                    return 0;
            return 11;
        }
        return 12;
    });
    const bool Fits = [&] {
        for (const std::string& Bytes : New_Bytes)
            if (Bytes.size() > 1000)
                return false;
        return true;
    }();
    if (Fits) {
        EXPECT_EQ(Status, 12) << "the new version fits the limit and is written";
        return;
    }
    EXPECT_EQ(Status, 0) << "10: no limit could be set, 11: the error does not name the file, 12: no error";
    const std::vector<fs::path> Files = Kind.Files(Folder);
    for (std::size_t I = 0; I < Files.size(); ++I)
        EXPECT_TRUE(Read(Files[I]) == Old_Bytes[I]) << Files[I] << " is not the old file";
    for (const auto& Entry : fs::recursive_directory_iterator(Folder))
        EXPECT_EQ(Entry.path().filename().string().find(".tmp-"), std::string::npos)
            << "temporary file left behind: " << Entry.path();
}

TEST_P(TKill, A_Folder_That_Cannot_Hold_The_File_Gives_A_Clear_Error)
{
    // Root ignores permissions, so the folder is made unusable in another way: it is a file.
    const fs::path Blocked = Folder / "not_a_folder";
    std::ofstream(Blocked) << "a file";
    try {
        Kind.Write(Blocked, true);
        ADD_FAILURE() << Kind.Name << " was written into a file";
    } catch (const common::TFile_Error& Error) {
        EXPECT_NE(std::string(Error.what()).find("not_a_folder"), std::string::npos) << Error.what();
    }
    EXPECT_EQ(Read(Blocked), "a file");
}

TEST_P(TKill, A_Folder_In_The_Place_Of_The_File_Stays_And_Nothing_Is_Left_Behind)
{
    // The temporary file is written, but it cannot replace a folder: the error names the file, the folder and
    // what it holds stay, the other files of the same save stay old, and the temporary files are removed.
    Reset_To_Old();
    const std::vector<fs::path> Files = Kind.Files(Folder);
    fs::remove(Files.back());
    fs::create_directories(Files.back() / "inside");
    try {
        Kind.Write(Folder, true);
        ADD_FAILURE() << Kind.Name << " replaced a folder";
    } catch (const common::TFile_Error& Error) {
        EXPECT_NE(std::string(Error.what()).find(Files.back().filename().string()), std::string::npos) << Error.what();
    }
    EXPECT_TRUE(fs::is_directory(Files.back() / "inside"));
    // Files written together are all replaced or none is.
    for (std::size_t I = 0; I + 1 < Files.size(); ++I)
        EXPECT_TRUE(Read(Files[I]) == Old_Bytes[I]) << Files[I] << " was replaced without the others";
    for (const auto& Entry : fs::recursive_directory_iterator(Folder))
        EXPECT_EQ(Entry.path().filename().string().find(".tmp-"), std::string::npos)
            << "temporary file left behind: " << Entry.path();
}

INSTANTIATE_TEST_SUITE_P(Writers, TKill, ::testing::Range(0, static_cast<int>(Kinds().size())),
                         [](const ::testing::TestParamInfo<int>& Info) {
                             return std::string(Kinds()[static_cast<std::size_t>(Info.param)].Name);
                         });

} // namespace
