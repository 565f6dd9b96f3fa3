// Devices decoded earlier, kept so that showing the editor again does not decode an SCL copy that has not changed
// since. A device is found again by its file's path, the IED asked for, and the file's size and modification time
// as they were just before it was decoded.
#pragma once

#include "iec61850/Model.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ct::access {

/// What tells a file's content apart without reading it: its size and its last modification time.
struct TFile_Stamp
{
    std::uintmax_t Size = 0;
    std::filesystem::file_time_type Modified{};

    bool operator==(const TFile_Stamp&) const = default;
};

/// The stamp of a regular file; nothing when it does not exist or cannot be examined.
std::optional<TFile_Stamp> File_Stamp(const std::filesystem::path& File);

/// Where a decoded device came from: the file, the IED name it was asked for, and the file's stamp just before
/// decoding (so a change made while decoding makes the stamp differ).
struct TDevice_Source
{
    std::filesystem::path File;
    std::string Requested_IED;
    TFile_Stamp Stamp;
};

class TDevice_Cache
{
public:
    /// Keeps Device, decoded from Source.
    void Keep(TDevice_Source Source, std::unique_ptr<iec61850::TIEC_Device> Device);
    /// Takes out the device kept for File and IED_Name when File's stamp now equals the one it had when that device
    /// was decoded; null otherwise. IED_Name matches the name the device was asked for or the name it got (the same
    /// IED is decoded either way). Source receives the kept source when a device is answered.
    std::unique_ptr<iec61850::TIEC_Device> Take(const std::filesystem::path& File, std::string_view IED_Name,
                                                TDevice_Source& Source);
    /// Destroys every kept device, the last kept first.
    void Clear();
    std::size_t Size() const { return fEntries.size(); }

private:
    struct TEntry
    {
        TDevice_Source Source;
        std::unique_ptr<iec61850::TIEC_Device> Device;
    };
    std::vector<TEntry> fEntries;
};

} // namespace ct::access
