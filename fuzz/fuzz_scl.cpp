// The SCL reader on arbitrary bytes: both read modes must give the same device, or both refuse the file with a
// TFile_Error naming it. Any other exception, a crash or a sanitizer report is a fault.
#include "Fuzz_Support.h"

#include "common/File_Error.h"
#include "iec61850/Device_Dump.h"
#include "iec61850/Model.h"
#include "iec61850/Scl_Reader.h"

#include <cstddef>
#include <cstdint>
#include <optional>

namespace {

using namespace iec61850;

// The dump of the device, or nothing when the reader refused the file.
std::optional<std::string> Decode(const std::filesystem::path& File, std::string_view IED_Name, TScl_Read_Mode Mode)
{
    try {
        const TIEC_Device Device(File, IED_Name, Mode);
        return Dump_Device(Device);
    } catch (const common::TFile_Error& Error) {
        if (Error.File() != File)
            fuzz::Fail(std::string("error names another file: ") + Error.what());
        return std::nullopt;
    }
}

void Compare(const std::filesystem::path& File, std::string_view IED_Name)
{
    const std::optional<std::string> Parts = Decode(File, IED_Name, TScl_Read_Mode::Needed_Parts);
    const std::optional<std::string> Whole = Decode(File, IED_Name, TScl_Read_Mode::Whole_Document);
    if (Parts.has_value() != Whole.has_value())
        fuzz::Fail(Parts ? "only the whole-document read refuses the file" : "only the scan refuses the file");
    if (Parts && *Parts != *Whole)
        fuzz::Fail("the two read modes give different devices:\n" + *Parts + "\n---\n" + *Whole);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // A device past 512 KB is refused: far below libFuzzer's memory limit and quickly reached, so that templates
    // which expand without end show as the refusal they are, not as the fuzzer running out of memory or time.
    iec61850::Set_Device_Memory_Limit(std::size_t{512} << 10);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    const std::filesystem::path File = fuzz::Work_Folder() / "input.icd";
    fuzz::Put_File(File, std::string_view(reinterpret_cast<const char*>(Data), Size));
    Compare(File, {});
    std::vector<std::string> Names;
    try {
        Names = List_IED_Names(File);
    } catch (const common::TFile_Error&) {
        return 0;
    }
    // The IED asked for by name: the last one, which the default choice does not take.
    if (Names.size() > 1)
        Compare(File, Names.back());
    return 0;
}
