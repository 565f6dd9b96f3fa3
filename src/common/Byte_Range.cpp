#include "common/Byte_Range.h"

#include "common/Text.h"

#include <array>
#include <string>

namespace common {

std::optional<TByte_Range> Fixed_Byte_Range(std::string_view bType)
{
    struct TEntry
    {
        std::string_view Type;
        int Size;
    };
    // TIMESTAMP counts one byte and QUALITY four: that is what the converter expects of them.
    static constexpr std::array<TEntry, 13> Table{{{"FLOAT32", 4},
                                                   {"INT32U", 4},
                                                   {"INT32", 4},
                                                   {"QUALITY", 4},
                                                   {"FLOAT64", 8},
                                                   {"INT64", 8},
                                                   {"INT8U", 1},
                                                   {"INT8", 1},
                                                   {"BOOLEAN", 1},
                                                   {"TIMESTAMP", 1},
                                                   {"ENUM", 1},
                                                   {"INT16U", 2},
                                                   {"INT16", 2}}};
    const std::string Upper = Ascii_Upper(bType);
    for (const TEntry& Entry : Table)
        if (Entry.Type == Upper)
            return TByte_Range{0, Entry.Size};
    return std::nullopt;
}

} // namespace common
