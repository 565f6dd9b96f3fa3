// Replacing files so that a failure or a crash never leaves a half-written one.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace common {

/// The largest file Read_Whole_File reads unless told otherwise. Project, settings and language files are far
/// smaller (the largest access configuration the converter takes is about 1 MB).
inline constexpr std::uintmax_t Max_Read_Size = std::uintmax_t{64} << 20;

/// Reads a whole file; throws TFile_Error when it cannot be opened or read, or holds more than Max_Size bytes
/// (refused before it is read; a file that grows while it is read is refused once it passes the limit).
std::string Read_Whole_File(const std::filesystem::path& File, std::uintmax_t Max_Size = Max_Read_Size);

/// Writes Bytes to File through a temporary file in the same folder, flushed to disk and renamed over File.
/// On any failure the old file is intact, the temporary file is removed and TFile_Error is thrown.
void Write_File_Atomic(const std::filesystem::path& File, std::string_view Bytes);

/// Writes several files so that either all of them are replaced or, when writing any of them fails, none is:
/// every temporary file is written and flushed before the first rename.
void Write_Files_Atomic(const std::vector<std::pair<std::filesystem::path, std::string>>& Files);

} // namespace common
