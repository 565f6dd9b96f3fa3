// The converter's communication parameters and their project file ParGen.xml.
#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace comm {

/// The fixed lists of the Modbus slave line; a list's stored value is the zero-based position of its entry.
inline constexpr std::array<std::string_view, 2> Serial_List{"RS232", "RS485"};
inline constexpr std::array<std::string_view, 8> Baudrate_List{"1200",  "2400",  "4800",  "9600",
                                                               "19200", "38400", "57600", "115200"};
inline constexpr std::array<std::string_view, 3> Parity_List{"NONE", "ODD", "EVEN"};
inline constexpr std::array<std::string_view, 2> StopBits_List{"1 Stop Bits", "2 Stop Bits"};

inline constexpr int Serial_Default = 0;
inline constexpr int Baudrate_Default = 7;
inline constexpr int Parity_Default = 0;
inline constexpr int StopBits_Default = 0;

/// The parameters the communication parameters window edits. Address bytes and the free texts hold exactly what the
/// user typed (they are checked only by Controllo_Dati); lists hold the position of the chosen entry.
/// The two time-server values of the file are not part of it: this converter never uses them and they are always
/// written empty.
struct TParGen
{
    std::array<std::string, 4> IEC61850_Client_IP{"192", "168", "0", "10"};
    std::array<std::string, 4> IEC61850_Client_SM{"255", "255", "255", "0"};
    std::array<std::string, 4> IEC61850_Client_GAT{"192", "168", "0", "1"};
    bool IEC61850_Client_En_GAT = false;
    std::string IEC61850_Client_VLAN = "0";
    std::string IEC61850_Client_Application_ID = "0";
    int MODBUS_SLAVE_SERIAL = Serial_Default;
    int MODBUS_SLAVE_BAUDRATE = Baudrate_Default;
    int MODBUS_SLAVE_PARITY = Parity_Default;
    int MODBUS_SLAVE_STOPBITS = StopBits_Default;
    std::string MODBUS_SLAVE_IDDEVICE = "10";
    bool MODBUS_SLAVE_READ_INPUT_REGISTER = true;

    bool operator==(const TParGen&) const = default;
};

/// The name of the file in a configuration folder.
inline constexpr const char* ParGen_File_Name = "ParGen.xml";

/// The root element the writer creates (readers take the first top-level node, whatever its name).
inline constexpr const char* ParGen_Root = "Par_Gen";

/// The 23 child elements of the root, in the order they are written.
inline constexpr std::array<const char*, 23> ParGen_Elements{
    "IEC61850_Client_IP1",    "IEC61850_Client_IP2",   "IEC61850_Client_IP3",
    "IEC61850_Client_IP4",    "IEC61850_Client_SM1",   "IEC61850_Client_SM2",
    "IEC61850_Client_SM3",    "IEC61850_Client_SM4",   "IEC61850_Client_GAT1",
    "IEC61850_Client_GAT2",   "IEC61850_Client_GAT3",  "IEC61850_Client_GAT4",
    "IEC61850_Client_En_GAT", "IEC61850_Client_VLAN",  "IEC61850_Client_Application_ID",
    "MODBUS_SLAVE_SERIAL",    "MODBUS_SLAVE_BAUDRATE", "MODBUS_SLAVE_PARITY",
    "MODBUS_SLAVE_STOPBITS",  "MODBUS_SLAVE_IDDEVICE", "MODBUS_SLAVE_READ_INPUT_REGISTER",
    "NTP_Server_URL",         "NTP_Poll_Time",
};

/// The stored texts of a ParGen.xml, each found by its element name among the children of the document's first
/// top-level node (the first element of that name counts). A name is absent when its element, or an element root,
/// is missing.
class TParGen_Texts
{
public:
    TParGen_Texts() = default;
    explicit TParGen_Texts(std::map<std::string, std::string, std::less<>> Texts) : fTexts(std::move(Texts)) {}
    /// The element's text, or nullptr when there is no such element.
    const std::string* Find(std::string_view Name) const;

private:
    std::map<std::string, std::string, std::less<>> fTexts;
};

/// Parses a ParGen.xml held in memory (File only names it in errors); throws common::TFile_Error naming the file
/// and the line when it is not well-formed XML. A value that is nothing but blanks keeps its blanks.
TParGen_Texts Parse_ParGen_Texts(std::string Text, const std::filesystem::path& File);

/// Reads and parses File; throws common::TFile_Error when it cannot be read or is not well-formed XML.
TParGen_Texts Load_ParGen_Texts(const std::filesystem::path& File);

/// The parameters the window shows, from the stored texts: each missing value takes its default. A flag is on only
/// for the text "1"; a list position that is not a number, or lies outside its list, selects the list's default.
TParGen ParGen_From_Texts(const TParGen_Texts& Texts);

/// Reads ParGen.xml. A missing file gives the defaults; in a present file each value is looked up on its own
/// among the children of the first top-level node, and a missing one takes its default. A flag is on only for the
/// text "1"; a list position that is not a number, or lies outside its list, selects the list's default entry.
/// Throws common::TFile_Error (file and line) when the file cannot be read or is not well-formed XML.
TParGen Read_ParGen(const std::filesystem::path& File);

/// The whole new document: Par_Gen with the 23 elements in their order, then the version comment.
std::string ParGen_To_Text(const TParGen& Values);

/// Replaces File atomically with ParGen_To_Text(Values); on failure the old file is intact and
/// common::TFile_Error is thrown.
void Write_ParGen(const std::filesystem::path& File, const TParGen& Values);

} // namespace comm
