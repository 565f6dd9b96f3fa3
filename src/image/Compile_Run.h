// The compile run: the two project files of a configuration into bank1.bin and bank2.bin.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace image {

inline constexpr const char* Bank1_File_Name = "bank1.bin";
inline constexpr const char* Bank2_File_Name = "bank2.bin";

/// The images of one run; every run builds them from nothing, so two runs over the same files give the same bytes.
struct TImages
{
    std::vector<std::uint8_t> Bank1; ///< the parameter block, 2048 bytes
    std::vector<std::uint8_t> Bank2; ///< the client image, at least 24 bytes
    std::uint32_t Block_Checksum = 0;
};

/// One compile run in memory: block defaults, client record emptied, ParGen.xml into both (vLan and appID),
/// Client_Image_Add = 0x80000, IEC_61850_Client.xml with every address, then the client image and last the block
/// with its checksum. A missing project file is no error; a malformed one throws common::TFile_Error before
/// anything is written.
TImages Build_Images(const std::filesystem::path& File_ParGen, const std::filesystem::path& File_IEC_61850_Client,
                     char Decimal_Separator);

/// Writes bin/bank1.bin and bin/bank2.bin of the configuration folder: both files or, when writing fails, neither
/// (the files of the earlier run stay). A missing bin folder is created. Throws common::TFile_Error on failure.
void Save_Images(const TImages& Images, const std::filesystem::path& Conf_Path);

} // namespace image
