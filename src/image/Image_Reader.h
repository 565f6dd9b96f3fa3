// Reading bank1.bin and bank2.bin back into readable text, with every checksum and address checked: the
// instrument for checking images.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace image {

struct TImage_Report
{
    bool Sound = false;  ///< the image is consistent: every count and address fits the file
    std::string Text;    ///< the decoded contents, one field a line
    std::string Problem; ///< the first inconsistency found, when not Sound
};

/// Decodes a client image loaded at Base: the header, every variable, data set and member with their texts
/// resolved through their addresses. Stops at the first count or address that does not fit the file.
TImage_Report Read_Client_Image(const std::vector<std::uint8_t>& Image, std::int32_t Base);

/// Decodes a parameter block: its named fields with their offsets; sound when it has 2048 bytes and its checksum
/// is the sum of the bytes before it.
TImage_Report Read_Param_Block(const std::vector<std::uint8_t>& Block);

} // namespace image
