// What every fuzz target shares: a folder of its own for the files the readers take, and a stop that libFuzzer
// reports as a crash with the input that caused it.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <unistd.h>

namespace fuzz {

/// A folder used by this process only, created on first use and removed at exit: in memory (/dev/shm) where
/// there is one, since every input is written to a file and a disk would make each run wait for it.
inline const std::filesystem::path& Work_Folder()
{
    static const std::filesystem::path Folder = [] {
        std::error_code Error;
        const std::filesystem::path Base = std::filesystem::is_directory("/dev/shm", Error)
                                               ? std::filesystem::path("/dev/shm")
                                               : std::filesystem::temp_directory_path();
        std::filesystem::path Path = Base / ("ct_fuzz_" + std::to_string(::getpid()));
        std::filesystem::create_directories(Path);
        return Path;
    }();
    static const bool Removed_At_Exit = [] {
        std::atexit([] {
            std::error_code Ignored;
            std::filesystem::remove_all(Folder, Ignored);
        });
        return true;
    }();
    (void)Removed_At_Exit;
    return Folder;
}

/// Replaces File with exactly Bytes (plainly: the readers are under test here, not the atomic writer).
inline void Put_File(const std::filesystem::path& File, std::string_view Bytes)
{
    std::ofstream Out(File, std::ios::binary | std::ios::trunc);
    Out.write(Bytes.data(), static_cast<std::streamsize>(Bytes.size()));
}

/// A property of the readers that does not hold: told on stderr, then abort() so that libFuzzer keeps the input.
[[noreturn]] inline void Fail(const std::string& What)
{
    std::fprintf(stderr, "property broken: %s\n", What.c_str());
    std::abort();
}

} // namespace fuzz
