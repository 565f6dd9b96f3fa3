// Small SCL texts of our own, written to a temporary file and decoded in both read modes.
#pragma once

#include "iec61850/Device_Dump.h"
#include "iec61850/Model.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace iec61850::test {

/// A file in the test's temporary folder, removed again when the object goes.
class TTemp_File
{
public:
    explicit TTemp_File(std::string_view Text, std::string_view Name = "fixture.icd")
    {
        static std::atomic<int> Counter{0};
        fFolder = std::filesystem::path(::testing::TempDir()) /
                  ("ct_iec61850_" + std::to_string(::getpid()) + "_" + std::to_string(Counter++));
        std::filesystem::create_directories(fFolder);
        fPath = fFolder / std::string(Name);
        std::ofstream(fPath, std::ios::binary) << Text;
    }
    ~TTemp_File()
    {
        std::error_code Error;
        std::filesystem::remove_all(fFolder, Error);
    }
    TTemp_File(const TTemp_File&) = delete;
    TTemp_File& operator=(const TTemp_File&) = delete;

    const std::filesystem::path& Path() const { return fPath; }

private:
    std::filesystem::path fFolder;
    std::filesystem::path fPath;
};

/// The dump of the device decoded from File; both read modes must give the same device.
inline std::string Dump_File(const std::filesystem::path& File, std::string_view IED_Name = {})
{
    const TIEC_Device Parts(File, IED_Name, TScl_Read_Mode::Needed_Parts);
    const TIEC_Device Whole(File, IED_Name, TScl_Read_Mode::Whole_Document);
    const std::string Dump = Dump_Device(Parts);
    EXPECT_EQ(Dump, Dump_Device(Whole)) << "the two read modes differ for " << File;
    return Dump;
}

/// The dump of the device decoded from an SCL text.
inline std::string Dump_Text(std::string_view Text, std::string_view IED_Name = {})
{
    const TTemp_File File(Text);
    return Dump_File(File.Path(), IED_Name);
}

} // namespace iec61850::test
