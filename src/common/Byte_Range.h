// Which bytes of an attribute's value are used, by basic type: shared by the access editor and the image compiler.
#pragma once

#include <optional>
#include <string_view>

namespace common {

struct TByte_Range
{
    int Start_Byte;
    int Num_Byte;
};

/// The fixed byte range of a basic type compared upper-cased (FLOAT32, INT32U, INT32, QUALITY: 4 bytes;
/// FLOAT64, INT64: 8; INT8U, INT8, BOOLEAN, TIMESTAMP, ENUM: 1; INT16U, INT16: 2), always from byte 0.
/// Any other type has no fixed range: the user chooses it.
std::optional<TByte_Range> Fixed_Byte_Range(std::string_view bType);

} // namespace common
