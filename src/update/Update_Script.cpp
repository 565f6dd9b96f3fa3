#include "update/Update_Script.h"

#include "common/Xml.h"

#include <stdexcept>

namespace update {

namespace fs = std::filesystem;

bool Is_Update_Option(int Option)
{
    return Option >= 0 && Option <= 2;
}

std::string Join_Address(const TAddress_Texts& Address)
{
    return Address[0] + "." + Address[1] + "." + Address[2] + "." + Address[3];
}

bool Split_Address(const std::string& Text, TAddress_Texts& Address)
{
    TAddress_Texts Parts;
    std::size_t Begin = 0;
    for (std::size_t I = 0; I < 4; ++I) {
        const std::size_t Dot = Text.find('.', Begin);
        if ((I < 3) == (Dot == std::string::npos))
            return false;
        Parts[I] = Text.substr(Begin, Dot == std::string::npos ? std::string::npos : Dot - Begin);
        Begin = Dot + 1;
    }
    Address = Parts;
    return true;
}

fs::path Update_Script_File(const fs::path& Program_Path)
{
    return Program_Path / Update_Script_Name;
}

fs::path Update_Tool_File(const fs::path& Program_Path)
{
    return Program_Path / Update_Tool_Name;
}

namespace {

void Add_Text(pugi::xml_node Parent, const char* Name, const std::string& Text)
{
    pugi::xml_node Node = Parent.append_child(Name);
    if (!Text.empty())
        Node.text().set(Text.c_str());
}

// What differs between the three kinds of operation.
struct TOperation_Kind
{
    fs::path File;
    const char* Start_Address;
    const char* Bank_Type;
    const char* Write_CSS;
};

void Add_Operation(pugi::xml_node Operations, const TOperation_Kind& Kind, bool Read_Back, bool Go_To_App_After)
{
    pugi::xml_node Op = Operations.append_child("Operation");
    Add_Text(Op, "Ope_Protection_Enabled", "");
    Add_Text(Op, "Ope_GoToBoot_Before", "0");
    Add_Text(Op, "Ope_GoToApp_Before", "0");
    Add_Text(Op, "Ope_IP_Address", "");
    Add_Text(Op, "Ope_Port", "2008");
    Add_Text(Op, "Ope_Port_Sec", "2007");
    Add_Text(Op, "Ope_Erase_Memory", "0");
    Add_Text(Op, "Ope_FileName", Kind.File.string());
    Add_Text(Op, "Ope_Start_Address", Kind.Start_Address);
    Add_Text(Op, "Ope_Memory_Type", "0");
    Add_Text(Op, "Ope_Bank_Type", Kind.Bank_Type);
    Add_Text(Op, "Ope_Read_Back", Read_Back ? "1" : "0");
    Add_Text(Op, "Ope_Write_CSS", Kind.Write_CSS);
    Add_Text(Op, "Ope_Address_CSS", "0x07A00");
    Add_Text(Op, "Ope_Command_CSS", "0x02");
    Add_Text(Op, "Ope_Write_Internal_Data", "0");
    Add_Text(Op, "Ope_WID_Address", "0x07810");
    Add_Text(Op, "Ope_WID_Command", "0x02");
    Add_Text(Op, "Ope_WID_Data", "0x00, 0x00, 0x00, 0x01");
    Add_Text(Op, "Ope_GoToApp_After", Go_To_App_After ? "1" : "0");
}

} // namespace

void Build_Update_Script(pugi::xml_document& Doc, const TAddress_Texts& Address, int Option, bool Read_Back,
                         const fs::path& Master_Path, const fs::path& Conf_Path)
{
    if (!Is_Update_Option(Option))
        throw std::invalid_argument("update option " + std::to_string(Option) + " is not 0, 1 or 2");
    const fs::path Master = fs::absolute(Master_Path);
    const fs::path Conf = fs::absolute(Conf_Path);

    Doc.reset();
    pugi::xml_node Root = Doc.append_child("Ethernet_Update");
    Add_Text(Root, "Version", "1000");
    Add_Text(Root, "Title", "Brisol - CT40510 Ethernet Update");
    Add_Text(Root, "IP_Address_Dev", Join_Address(Address));
    Add_Text(Root, "Application_Port", "10000");
    Add_Text(Root, "Boot_Port", "2008");
    Add_Text(Root, "Boot_Port_Sec", "2007");
    Add_Text(Root, "Address_Protection", "0x07800");
    Add_Text(Root.append_child("Protections"), "Protection", "0x224");

    pugi::xml_node Operations = Root.append_child("Operations");
    const auto Chosen = static_cast<TUpdate_Option>(Option);
    const bool Firmware = Chosen != TUpdate_Option::Configuration;
    const bool Configuration = Chosen != TUpdate_Option::Firmware;
    if (Firmware)
        Add_Operation(Operations, {Master / Firmware_File_Name, "0x8000", "1", "1"}, Read_Back, !Configuration);
    if (Configuration) {
        Add_Operation(Operations, {Conf / "bin" / "bank1.bin", "0x07000", "2", "0"}, Read_Back, false);
        Add_Operation(Operations, {Conf / "bin" / "bank2.bin", "0x80000", "2", "0"}, Read_Back, true);
    }
}

void Write_Update_Script(const fs::path& File, const TAddress_Texts& Address, int Option, bool Read_Back,
                         const fs::path& Master_Path, const fs::path& Conf_Path)
{
    pugi::xml_document Doc;
    Build_Update_Script(Doc, Address, Option, Read_Back, Master_Path, Conf_Path);
    common::Save_Xml_Document(Doc, File);
}

fs::path Compile_XML_Parameter_New_Boot(const TAddress_Texts& Address, int Option, bool Read_Back,
                                        const TUpdate_Folders& Folders)
{
    const fs::path File = Update_Script_File(Folders.Program_Path);
    Write_Update_Script(File, Address, Option, Read_Back, Folders.Master_Path, Folders.Conf_Path);
    return File;
}

} // namespace update
