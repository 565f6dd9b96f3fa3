// The error of a file that cannot be read, parsed or written: it names the file and, for XML, the line.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

namespace common {

class TFile_Error : public std::runtime_error
{
public:
    /// Line 0 means the error has no line (a file that cannot be opened or written).
    TFile_Error(std::filesystem::path File, int Line, std::string Reason);

    const std::filesystem::path& File() const { return fFile; }
    int Line() const { return fLine; }
    const std::string& Reason() const { return fReason; }

private:
    std::filesystem::path fFile;
    int fLine;
    std::string fReason;
};

} // namespace common
