#include "app/Settings.h"

#include "common/File_Error.h"
#include "common/Xml.h"

#include <pugixml.hpp>

#include <system_error>

namespace app {

namespace {

void Set_Setting_Defaults(TApp_State& State)
{
    State.Conf_Name.clear();
    State.Conf_Path.clear();
    State.Last_IP_Address = Default_IP_Address;
    State.Language = Default_Language;
    State.Enable_Internet = false;
    State.Enable_Update = false;
    State.Enable_Jump_Field_Tables = false;
    State.Double_Click_Auto_Size = false;
}

/// The text of Parent/Group/Name, or Default when either element is missing.
std::string Value_Or(const pugi::xml_node& Parent, const char* Group, const char* Name, const std::string& Default)
{
    const pugi::xml_node Node = Parent.child(Group).child(Name);
    return Node ? std::string(Node.text().get()) : Default;
}

bool Flag(const pugi::xml_node& Group, const char* Name)
{
    return common::Child_Text(Group, Name) == "1";
}

void Add_Value(pugi::xml_node& Parent, const char* Group, const char* Name, const std::string& Value)
{
    Parent.append_child(Group).append_child(Name).text().set(Value.c_str());
}

void Add_Flag(pugi::xml_node& Group, const char* Name, bool Value)
{
    Group.append_child(Name).text().set(Value ? "1" : "0");
}

} // namespace

std::filesystem::path Settings_File(const TApp_State& State)
{
    return State.Program_Path / "Velmorin.xml";
}

void Load_Setting(TApp_State& State)
{
    Set_Setting_Defaults(State);
    std::error_code Error;
    if (!std::filesystem::exists(Settings_File(State), Error))
        return;
    std::unique_ptr<common::TXml_File> Xml;
    try {
        Xml = common::Load_Xml_File(Settings_File(State));
    } catch (const common::TFile_Error&) {
        return; // unreadable or not well-formed: the start-up goes on with the defaults
    }
    const pugi::xml_node Root = Xml->Doc.document_element();
    State.Conf_Name = Value_Or(Root, "lastproj", "projectname", "");
    State.Last_IP_Address = Value_Or(Root, "lastipadd", "ipaddress", Default_IP_Address);
    State.Language = Value_Or(Root, "lastlang", "language", Default_Language);
    const pugi::xml_node Internet = Root.child("lastinternet");
    State.Enable_Internet = Flag(Internet, "enable_internet");
    State.Enable_Update = Flag(Internet, "enable_update");
    State.Enable_Jump_Field_Tables = Flag(Internet, "enable_jump_field_tables");
    State.Double_Click_Auto_Size = Flag(Internet, "Double_Click_Auto_Size");
}

namespace {

void Build_Setting(const TApp_State& State, pugi::xml_document& Doc)
{
    pugi::xml_node Root = Doc.append_child("Conf_Settings");
    Add_Value(Root, "lastproj", "projectname", State.Conf_Name);
    Add_Value(Root, "lastipadd", "ipaddress", State.Last_IP_Address);
    Add_Value(Root, "lastlang", "language", State.Language);
    pugi::xml_node Internet = Root.append_child("lastinternet");
    Add_Flag(Internet, "enable_internet", State.Enable_Internet);
    Add_Flag(Internet, "enable_update", State.Enable_Update);
    Add_Flag(Internet, "enable_jump_field_tables", State.Enable_Jump_Field_Tables);
    Add_Flag(Internet, "Double_Click_Auto_Size", State.Double_Click_Auto_Size);
}

} // namespace

std::string Setting_Text(const TApp_State& State)
{
    pugi::xml_document Doc;
    Build_Setting(State, Doc);
    return common::Xml_To_Text(Doc);
}

void Save_Setting(const TApp_State& State)
{
    pugi::xml_document Doc;
    Build_Setting(State, Doc);
    common::Save_Xml_Document(Doc, Settings_File(State));
}

} // namespace app
