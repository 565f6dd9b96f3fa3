#include "text/Catalogue.h"

namespace text {

const std::string& TCatalogue::operator[](int N) const
{
    static const std::string Blank = " ";
    if (N < 0 || static_cast<std::size_t>(N) >= Lang_Strings.size())
        return Blank;
    return Lang_Strings[static_cast<std::size_t>(N)];
}

} // namespace text
