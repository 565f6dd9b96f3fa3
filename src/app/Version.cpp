#include "app/Version.h"

#include "common/Int_Conversion.h"
#include "common/Text.h"

namespace app {

std::string Version_Request_Target(std::string_view SW_Code)
{
    return std::string(Version_Service_Path) + "?" + Version_Service_Key + "=" + std::string(SW_Code);
}

std::string Home_Page_Url(std::string_view SW_Code)
{
    return std::string("http://") + Maker_Host + "/HOME/default.asp?frompg=" + std::string(SW_Code);
}

std::string Download_Page_Url()
{
    return std::string("http://") + Maker_Host + "/Home/download/download.asp#GW40510";
}

std::string Maker_Web_Address()
{
    return Maker_Host;
}

int Conv_Version(std::string_view Ver_str)
{
    const std::size_t Blank = Ver_str.find(' ');
    const std::string_view After = Blank == std::string_view::npos ? Ver_str : Ver_str.substr(Blank + 1);
    // Characters are counted as UTF-16 code units, as everywhere a rule counts characters.
    const std::u16string V = common::Utf8_To_Utf16(common::Trim(After));
    if (V.size() < 5)
        return -1;
    const std::u16string Digits{V[0], V[2], V[3], V[4]};
    const std::optional<std::int32_t> Value = common::Text_To_Int(common::Utf16_To_Utf8(Digits));
    return Value ? *Value : -1;
}

bool Newer_Version_Answer(std::string_view Answer, std::string_view Local_Version)
{
    const std::string_view Trimmed = common::Trim(Answer);
    const std::string Upper = common::Ascii_Upper(Trimmed);
    if (Upper.empty() || Upper == "VER. 0.000")
        return false;
    const int Local = Conv_Version(Local_Version);
    const int Remote = Conv_Version(Trimmed);
    if (Local == -1 || Remote == -1)
        return false;
    return Remote > Local;
}

} // namespace app
