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

/// A folder used by this process only, created on first use and removed at exit.
inline const std::filesystem::path& Work_Folder()
{
    static const std::filesystem::path Folder = [] {
        std::filesystem::path Path = std::filesystem::temp_directory_path() / ("ct_fuzz_" + std::to_string(::getpid()));
        std::filesystem::create_directories(Path);
        std::atexit([] {
            std::error_code Ignored;
            std::filesystem::remove_all(
                std::filesystem::temp_directory_path() / ("ct_fuzz_" + std::to_string(::getpid())), Ignored);
        });
        return Path;
    }();
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
