// Replacing files so that a failure or a crash never leaves a half-written one.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace common {

/// Reads a whole file; throws TFile_Error when it cannot be opened or read.
std::string Read_Whole_File(const std::filesystem::path& File);

/// Writes Bytes to File through a temporary file in the same folder, flushed to disk and renamed over File.
/// On any failure the old file is intact, the temporary file is removed and TFile_Error is thrown.
void Write_File_Atomic(const std::filesystem::path& File, std::string_view Bytes);

/// Writes several files so that either all of them are replaced or, when writing any of them fails, none is:
/// every temporary file is written and flushed before the first rename.
void Write_Files_Atomic(const std::vector<std::pair<std::filesystem::path, std::string>>& Files);

} // namespace common
