#include "access/Device_Cache.h"

#include <system_error>

namespace ct::access {

namespace fs = std::filesystem;

std::optional<TFile_Stamp> File_Stamp(const fs::path& File)
{
    std::error_code Error;
    if (!fs::is_regular_file(File, Error))
        return std::nullopt;
    TFile_Stamp Stamp;
    Stamp.Size = fs::file_size(File, Error);
    if (Error)
        return std::nullopt;
    Stamp.Modified = fs::last_write_time(File, Error);
    if (Error)
        return std::nullopt;
    return Stamp;
}

void TDevice_Cache::Keep(TDevice_Source Source, std::unique_ptr<iec61850::TIEC_Device> Device)
{
    if (Device)
        fEntries.push_back({std::move(Source), std::move(Device)});
}

std::unique_ptr<iec61850::TIEC_Device> TDevice_Cache::Take(const fs::path& File, std::string_view IED_Name,
                                                           TDevice_Source& Source)
{
    const fs::path Wanted = File.lexically_normal();
    std::optional<TFile_Stamp> Now;
    for (auto It = fEntries.begin(); It != fEntries.end(); ++It) {
        if (It->Source.File.lexically_normal() != Wanted)
            continue;
        if (It->Source.Requested_IED != IED_Name && It->Device->Name() != IED_Name)
            continue;
        if (!Now)
            Now = File_Stamp(File);
        if (!Now || !(*Now == It->Source.Stamp))
            return nullptr;
        auto Device = std::move(It->Device);
        Source = std::move(It->Source);
        fEntries.erase(It);
        return Device;
    }
    return nullptr;
}

void TDevice_Cache::Clear()
{
    while (!fEntries.empty())
        fEntries.pop_back();
}

} // namespace ct::access
