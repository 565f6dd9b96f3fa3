#include "comm/ParGen.h"

#include "common/Atomic_File.h"
#include "common/File_Error.h"
#include "common/Int_Conversion.h"
#include "common/Xml.h"

#include <pugixml.hpp>

namespace comm {

namespace {

template <std::size_t N>
int List_Index(const TParGen_Texts& Texts, const char* Name, const std::array<std::string_view, N>& List, int Default)
{
    const std::string* Text = Texts.Find(Name);
    if (Text == nullptr)
        return Default;
    const std::optional<std::int32_t> Index = common::Text_To_Int(*Text);
    if (!Index || *Index < 0 || *Index >= static_cast<int>(List.size()))
        return Default;
    return *Index;
}

void Read_Text(const TParGen_Texts& Texts, const char* Name, std::string& Value)
{
    if (const std::string* Text = Texts.Find(Name))
        Value = *Text;
}

void Read_Flag(const TParGen_Texts& Texts, const char* Name, bool& Value)
{
    if (const std::string* Text = Texts.Find(Name))
        Value = *Text == "1";
}

void Read_Octets(const TParGen_Texts& Texts, const char* Prefix, std::array<std::string, 4>& Octets)
{
    for (std::size_t I = 0; I < Octets.size(); ++I)
        Read_Text(Texts, (std::string(Prefix) + std::to_string(I + 1)).c_str(), Octets[I]);
}

void Add_Element(pugi::xml_node& Root, const char* Name, const std::string& Text)
{
    pugi::xml_node Element = Root.append_child(Name);
    if (!Text.empty())
        Element.text().set(Text.c_str());
}

} // namespace

const std::string* TParGen_Texts::Find(std::string_view Name) const
{
    const auto It = fTexts.find(Name);
    return It == fTexts.end() ? nullptr : &It->second;
}

TParGen_Texts Parse_ParGen_Texts(std::string Text, const std::filesystem::path& File)
{
    // Blanks between elements are not values, but a value made only of blanks is kept as it was typed.
    pugi::xml_document Doc;
    const pugi::xml_parse_result Result = Doc.load_buffer(
        Text.data(), Text.size(), common::Xml_Parse_Options | pugi::parse_ws_pcdata_single, pugi::encoding_auto);
    if (!Result)
        throw common::TFile_Error(File, common::Line_Of_Offset(Text, Result.offset),
                                  std::string("not well-formed XML: ") + Result.description());

    std::map<std::string, std::string, std::less<>> Texts;
    const pugi::xml_node Root = common::First_Top_Level_Node(Doc);
    if (Root.type() == pugi::node_element)
        for (pugi::xml_node Child = Root.first_child(); Child; Child = Child.next_sibling())
            if (Child.type() == pugi::node_element)
                Texts.emplace(Child.name(), Child.text().get()); // emplace keeps the first of a name
    return TParGen_Texts(std::move(Texts));
}

TParGen_Texts Load_ParGen_Texts(const std::filesystem::path& File)
{
    return Parse_ParGen_Texts(common::Read_Whole_File(File), File);
}

TParGen ParGen_From_Texts(const TParGen_Texts& Texts)
{
    TParGen Values;
    Read_Octets(Texts, "IEC61850_Client_IP", Values.IEC61850_Client_IP);
    Read_Octets(Texts, "IEC61850_Client_SM", Values.IEC61850_Client_SM);
    Read_Octets(Texts, "IEC61850_Client_GAT", Values.IEC61850_Client_GAT);
    Read_Flag(Texts, "IEC61850_Client_En_GAT", Values.IEC61850_Client_En_GAT);
    Read_Text(Texts, "IEC61850_Client_VLAN", Values.IEC61850_Client_VLAN);
    Read_Text(Texts, "IEC61850_Client_Application_ID", Values.IEC61850_Client_Application_ID);
    Values.MODBUS_SLAVE_SERIAL = List_Index(Texts, "MODBUS_SLAVE_SERIAL", Serial_List, Serial_Default);
    Values.MODBUS_SLAVE_BAUDRATE = List_Index(Texts, "MODBUS_SLAVE_BAUDRATE", Baudrate_List, Baudrate_Default);
    Values.MODBUS_SLAVE_PARITY = List_Index(Texts, "MODBUS_SLAVE_PARITY", Parity_List, Parity_Default);
    Values.MODBUS_SLAVE_STOPBITS = List_Index(Texts, "MODBUS_SLAVE_STOPBITS", StopBits_List, StopBits_Default);
    Read_Text(Texts, "MODBUS_SLAVE_IDDEVICE", Values.MODBUS_SLAVE_IDDEVICE);
    Read_Flag(Texts, "MODBUS_SLAVE_READ_INPUT_REGISTER", Values.MODBUS_SLAVE_READ_INPUT_REGISTER);
    return Values;
}

TParGen Read_ParGen(const std::filesystem::path& File)
{
    std::error_code Error;
    if (!std::filesystem::exists(File, Error))
        return TParGen{};
    return ParGen_From_Texts(Load_ParGen_Texts(File));
}

std::string ParGen_To_Text(const TParGen& Values)
{
    pugi::xml_document Doc;
    pugi::xml_node Root = Doc.append_child(ParGen_Root);
    Doc.append_child(pugi::node_comment).set_value(common::Sw_Version_Comment);

    std::size_t Next = 0;
    const auto Add = [&](const std::string& Text) { Add_Element(Root, ParGen_Elements.at(Next++), Text); };
    const auto Flag = [](bool On) { return std::string(On ? "1" : "0"); };
    for (const std::string& Octet : Values.IEC61850_Client_IP)
        Add(Octet);
    for (const std::string& Octet : Values.IEC61850_Client_SM)
        Add(Octet);
    for (const std::string& Octet : Values.IEC61850_Client_GAT)
        Add(Octet);
    Add(Flag(Values.IEC61850_Client_En_GAT));
    Add(Values.IEC61850_Client_VLAN);
    Add(Values.IEC61850_Client_Application_ID);
    Add(std::to_string(Values.MODBUS_SLAVE_SERIAL));
    Add(std::to_string(Values.MODBUS_SLAVE_BAUDRATE));
    Add(std::to_string(Values.MODBUS_SLAVE_PARITY));
    Add(std::to_string(Values.MODBUS_SLAVE_STOPBITS));
    Add(Values.MODBUS_SLAVE_IDDEVICE);
    Add(Flag(Values.MODBUS_SLAVE_READ_INPUT_REGISTER));
    Add(""); // NTP_Server_URL
    Add(""); // NTP_Poll_Time
    return common::Xml_To_Text(Doc);
}

void Write_ParGen(const std::filesystem::path& File, const TParGen& Values)
{
    common::Write_File_Atomic(File, ParGen_To_Text(Values));
}

} // namespace comm
