#include "common/Ip_Address.h"

#include "common/Int_Conversion.h"
#include "common/Text.h"

namespace common {

bool Check_IP_Address(std::string_view Text, std::array<std::string, 4>& Parts)
{
    std::string_view Rest = Trim(Text);
    for (int I = 0; I < 3; ++I) {
        const std::size_t Dot = Rest.find('.');
        if (Dot == std::string_view::npos)
            return false;
        Parts[static_cast<std::size_t>(I)] = std::string(Trim(Rest.substr(0, Dot)));
        Rest = Trim(Rest.substr(Dot + 1));
    }
    Parts[3] = std::string(Rest);
    bool Valid = true;
    for (const std::string& Part : Parts) {
        const std::int32_t Value = Text_To_Int_Or(Part, 1000);
        if (Value < 0 || Value > 255)
            Valid = false;
    }
    return Valid;
}

bool Check_IP_Address(std::string_view Text)
{
    std::array<std::string, 4> Parts;
    return Check_IP_Address(Text, Parts);
}

} // namespace common
