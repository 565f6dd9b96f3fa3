// The version check against the maker's web server, decided without any network code, and the maker's addresses.
#pragma once

#include <string>
#include <string_view>

namespace app {

/// The maker's web server: the version service, the home page and the download page all live on it.
inline constexpr const char* Maker_Host = "www.brisol.example";

/// The version service: GET Version_Service_Path?nomesw=<software code>.
inline constexpr const char* Version_Service_Path = "/home/download/GetversionSW.asp";
inline constexpr const char* Version_Service_Key = "nomesw";

/// Path and query of the version request for a software code ("/home/download/GetversionSW.asp?nomesw=CT40510").
std::string Version_Request_Target(std::string_view SW_Code);

/// http://<Maker_Host>/HOME/default.asp?frompg=<SW_Code>
std::string Home_Page_Url(std::string_view SW_Code);

/// http://<Maker_Host>/Home/download/download.asp#GW40510
std::string Download_Page_Url();

/// The maker's web address as the windows show it.
std::string Maker_Web_Address();

/// A version text as an integer: the part after the first blank (the whole text without a blank), trimmed; its
/// characters 1, 3, 4 and 5 read as an integer ("VER. 1.002" gives 1002). -1 when that part has fewer than five
/// characters or the four characters are not a number.
int Conv_Version(std::string_view Ver_str);

/// The decision of the version check on the body of the service's answer ("" when there was no answer): true
/// exactly when it names a version newer than Local_Version. "VER. 0.000" (any case) means no version.
bool Newer_Version_Answer(std::string_view Answer, std::string_view Local_Version);

} // namespace app
