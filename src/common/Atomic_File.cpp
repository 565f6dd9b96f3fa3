#include "common/Atomic_File.h"

#include "common/File_Error.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <memory>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace common {

namespace fs = std::filesystem;

std::string Read_Whole_File(const fs::path& File, std::uintmax_t Max_Size)
{
    const auto Too_Large = [&] {
        return TFile_Error(File, 0,
                           "is larger than " + std::to_string(Max_Size) + " bytes, the most this file may hold");
    };
    // An ifstream opens a folder on Linux and reads nothing from it: a folder is no file.
    std::error_code Error;
    if (fs::is_directory(File, Error))
        throw TFile_Error(File, 0, "is a folder, not a file");
    if (const std::uintmax_t Size = fs::file_size(File, Error); !Error && Size > Max_Size)
        throw Too_Large();
    std::ifstream In(File, std::ios::binary);
    if (!In)
        throw TFile_Error(File, 0, "cannot be opened for reading");
    std::string Bytes;
    char Chunk[1 << 16];
    while (In.read(Chunk, sizeof Chunk), In.gcount() > 0) {
        if (Bytes.size() + static_cast<std::uintmax_t>(In.gcount()) > Max_Size)
            throw Too_Large();
        Bytes.append(Chunk, static_cast<std::size_t>(In.gcount()));
    }
    if (In.bad())
        throw TFile_Error(File, 0, "cannot be read");
    return Bytes;
}

namespace {

std::string Errno_Text()
{
    return std::strerror(errno);
}

// A written, flushed temporary file beside its target; removed again unless committed.
class TTemp_File
{
public:
    TTemp_File(const fs::path& Target, std::string_view Bytes) : fTarget(Target)
    {
        const fs::path Folder = Target.has_parent_path() ? Target.parent_path() : fs::path(".");
        std::string Pattern = (Folder / ("." + Target.filename().string() + ".tmp-XXXXXX")).string();
        const int Fd = mkstemp(Pattern.data());
        if (Fd < 0)
            throw TFile_Error(Target, 0, "cannot be written (" + Errno_Text() + ")");
        fTemp = Pattern;
        std::size_t Done = 0;
        while (Done < Bytes.size()) {
            const ssize_t N = ::write(Fd, Bytes.data() + Done, Bytes.size() - Done);
            if (N < 0 && errno == EINTR)
                continue;
            if (N <= 0) {
                const std::string Why = Errno_Text();
                ::close(Fd);
                Discard();
                throw TFile_Error(Target, 0, "cannot be written (" + Why + ")");
            }
            Done += static_cast<std::size_t>(N);
        }
        // mkstemp creates the file readable by its owner only; project files are ordinary files.
        const mode_t Mask = ::umask(0);
        ::umask(Mask);
        ::fchmod(Fd, 0666 & ~Mask);
        if (::fsync(Fd) != 0 || ::close(Fd) != 0) {
            const std::string Why = Errno_Text();
            Discard();
            throw TFile_Error(Target, 0, "cannot be written (" + Why + ")");
        }
    }
    TTemp_File(const TTemp_File&) = delete;
    TTemp_File& operator=(const TTemp_File&) = delete;
    ~TTemp_File() { Discard(); }

    /// Throws TFile_Error when the target is a folder, which the temporary file cannot replace.
    void Check_Replaceable() const
    {
        std::error_code Ignored;
        if (fs::is_directory(fTarget, Ignored))
            throw TFile_Error(fTarget, 0, "cannot be replaced (" + std::string(std::strerror(EISDIR)) + ")");
    }

    /// Renames the temporary file over the target; with Sync the folder's entry is flushed too.
    void Commit(bool Sync = true)
    {
        if (::rename(fTemp.c_str(), fTarget.c_str()) != 0)
            throw TFile_Error(fTarget, 0, "cannot be replaced (" + Errno_Text() + ")");
        fTemp.clear();
        if (Sync)
            Sync_Folder();
    }

    /// Flushes the folder's entries (the rename) to disk.
    void Sync_Folder() const
    {
        const fs::path Folder = fTarget.has_parent_path() ? fTarget.parent_path() : fs::path(".");
        const int Fd = ::open(Folder.c_str(), O_RDONLY | O_DIRECTORY);
        if (Fd >= 0) {
            ::fsync(Fd);
            ::close(Fd);
        }
    }

private:
    void Discard()
    {
        if (!fTemp.empty()) {
            ::unlink(fTemp.c_str());
            fTemp.clear();
        }
    }

    fs::path fTarget;
    std::string fTemp;
};

} // namespace

void Write_File_Atomic(const fs::path& File, std::string_view Bytes)
{
    TTemp_File Temp(File, Bytes);
    Temp.Commit();
}

void Write_Files_Atomic(const std::vector<std::pair<fs::path, std::string>>& Files)
{
    std::vector<std::unique_ptr<TTemp_File>> Temps;
    for (const auto& [File, Bytes] : Files)
        Temps.push_back(std::make_unique<TTemp_File>(File, Bytes));
    // What makes a rename fail is found before the first one; the renames then follow one another without a flush
    // between them, so that a crash leaves a mix of old and new files only within microseconds.
    for (const auto& Temp : Temps)
        Temp->Check_Replaceable();
    for (auto& Temp : Temps)
        Temp->Commit(false);
    for (const auto& Temp : Temps)
        Temp->Sync_Folder();
}

} // namespace common
