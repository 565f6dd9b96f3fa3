#include "common/File_Error.h"

namespace common {

namespace {

std::string Compose(const std::filesystem::path& File, int Line, const std::string& Reason)
{
    std::string Text = "File \"" + File.string() + "\"";
    if (Line > 0)
        Text += ", line " + std::to_string(Line);
    return Text + ": " + Reason;
}

} // namespace

TFile_Error::TFile_Error(std::filesystem::path File, int Line, std::string Reason)
    : std::runtime_error(Compose(File, Line, Reason)), fFile(std::move(File)), fLine(Line), fReason(std::move(Reason))
{}

} // namespace common
