// IEC_61850_Client.xml: loading it into the access model and writing the model back.
#include "access/Access_Model.h"

#include "common/File_Error.h"
#include "common/Int_Conversion.h"
#include "common/Number.h"
#include "common/Xml.h"

#include <pugixml.hpp>

#include <cstring>
#include <system_error>

namespace ct::access {

namespace fs = std::filesystem;
using iec61850::TIEC_DataSet;
using iec61850::TIEC_Device;

namespace {

// The element children of a node, whatever their name (comments and texts between them carry no meaning).
template <class TVisit> void For_Each_Element(const pugi::xml_node& Node, TVisit&& Visit)
{
    for (pugi::xml_node Child = Node.first_child(); Child; Child = Child.next_sibling())
        if (Child.type() == pugi::node_element)
            Visit(Child);
}

std::size_t Element_Count(const pugi::xml_node& Node)
{
    std::size_t Count = 0;
    For_Each_Element(Node, [&](const pugi::xml_node&) { ++Count; });
    return Count;
}

// A present attribute replaces the field; an absent one leaves it as it is.
void Take(const pugi::xml_node& Node, const char* Name, std::string& Field)
{
    if (const pugi::xml_attribute Attribute = Node.attribute(Name))
        Field = Attribute.value();
}

void Read_Member_Options(const pugi::xml_node& Item, TDataSet_DA& Member)
{
    Take(Item, "Position", Member.Position);
    Take(Item, "StartBit", Member.bitAddress);
    Take(Item, "Convertion", Member.conversion);
    Take(Item, "MoltFact", Member.multFactor);
    Take(Item, "Mnemonic", Member.Mnemonic);
}

} // namespace

void TAccess_Model::Load(const fs::path& Conf_Path, const fs::path& File)
{
    Reset();
    fConf_Path = Conf_Path;
    try {
        Load_File(File);
    } catch (...) {
        Reset();
        fCache.Clear();
        Devices_Changed();
        throw;
    }
    // Devices of the last load whose copy is no longer listed, or has changed, go now.
    fCache.Clear();
    Devices_Changed();
}

std::unique_ptr<TDevice_Entry> TAccess_Model::Read_Device_Entry(const std::string& Name, const std::string& FileName)
{
    if (!Is_Plain_File_Name(FileName))
        return std::make_unique<TDevice_Entry>(TDevice_State::Missing, Name, FileName);
    const fs::path Copy = fConf_Path / ICD_Catalog_Folder / FileName;
    std::error_code Error;
    if (!fs::is_regular_file(Copy, Error))
        return std::make_unique<TDevice_Entry>(TDevice_State::Missing, Name, FileName);
    TDevice_Source Source;
    if (auto Kept = fCache.Take(Copy, Name, Source))
        return std::make_unique<TDevice_Entry>(std::move(Kept), std::move(Source));
    try {
        return Decode_Entry(Copy, Name);
    } catch (const std::exception& Failure) {
        return std::make_unique<TDevice_Entry>(TDevice_State::Unreadable, Name, FileName, Failure.what());
    }
}

void TAccess_Model::Load_File(const fs::path& File)
{
    std::error_code Error;
    if (!fs::exists(File, Error))
        return;
    const auto Xml = common::Load_Xml_File(File);
    pugi::xml_node Root;
    for (pugi::xml_node Node = Xml->Doc.first_child(); Node && !Root; Node = Node.next_sibling())
        if (Node.type() == pugi::node_element && std::strcmp(Node.name(), Client_Root) == 0)
            Root = Node;
    if (!Root)
        throw common::TFile_Error(File, 0, std::string("the element \"") + Client_Root + "\" is missing");

    For_Each_Element(Root.child("List_ICD_Files"), [&](const pugi::xml_node& Item) {
        List_IEC_Dev.push_back(
            Read_Device_Entry(common::Attribute_Text(Item, "Name"), common::Attribute_Text(Item, "FileName")));
    });

    const pugi::xml_node Variables = Root.child("List_DA_Selected");
    if (const std::size_t Count = Element_Count(Variables)) {
        fVariables.Resize(static_cast<int>(Count));
        int Row = 0;
        For_Each_Element(Variables, [&](const pugi::xml_node& Item) {
            ++Row;
            for (int Col = 1; Col < Var_Col::Count; ++Col)
                fVariables.Set_Cell(Row, Col, common::Attribute_Text(Item, Variables_Attributes[Col - 1]));
        });
        fVariables.Renumber();
    }
    Set_Start_Num_Byte();

    const pugi::xml_node DataSets = Root.child("List_DataSet_Selected");
    if (const std::size_t Count = Element_Count(DataSets)) {
        fDataSets.Resize(static_cast<int>(Count));
        int Row = 0;
        For_Each_Element(DataSets, [&](const pugi::xml_node& Item) {
            ++Row;
            for (int Col = 1; Col < DS_Col::Count; ++Col)
                fDataSets.Set_Cell(Row, Col, common::Attribute_Text(Item, DataSets_Attributes[Col - 1]));
            auto Chosen = std::make_unique<TDataSet>();
            const pugi::xml_node Stored = Item.child("DataSet_List_DAs");
            const auto Index = common::Text_To_Int(fDataSets.Cell(Row, DS_Col::Index));
            const bool Known_Device = Index && *Index >= 0 && *Index < Device_Count();
            if (Known_Device && Device_Entry(*Index).Is_Placeholder()) {
                // The device's copy could not be read: its members are kept exactly as stored.
                For_Each_Element(Stored, [&](const pugi::xml_node& Member_Item) {
                    auto Member = std::make_unique<TDataSet_DA>(common::Attribute_Text(Member_Item, "bType"),
                                                                common::Attribute_Text(Member_Item, "Reference"));
                    Read_Member_Options(Member_Item, *Member);
                    Chosen->List_DAs.push_back(std::move(Member));
                });
            } else if (Known_Device) {
                const TIEC_DataSet* Found = Get_DataSet(*Index, fDataSets.Cell(Row, DS_Col::Reference));
                Chosen->Select_DataSet = Found;
                if (Found) {
                    Chosen->Link_Device = Device(*Index);
                    std::size_t J = 0;
                    For_Each_Element(Stored, [&](const pugi::xml_node& Member_Item) {
                        const std::size_t Position = J++;
                        if (Position >= Found->List_DA.size())
                            return;
                        const iec61850::TIEC_DA* Member = Found->List_DA[Position];
                        if (Member->bType() != common::Attribute_Text(Member_Item, "bType") ||
                            Member->Reference() != common::Attribute_Text(Member_Item, "Reference"))
                            return;
                        auto Linked = std::make_unique<TDataSet_DA>(Member);
                        Read_Member_Options(Member_Item, *Linked);
                        Chosen->List_DAs.push_back(std::move(Linked));
                    });
                }
            }
            fList_DataSet.push_back(std::move(Chosen));
        });
        fDataSets.Renumber();
    }
}

void TAccess_Model::Build_Document(pugi::xml_document& Doc) const
{
    pugi::xml_node Root = Doc.append_child(Client_Root);
    Doc.append_child(pugi::node_comment).set_value(common::Sw_Version_Comment);

    pugi::xml_node Files = Root.append_child("List_ICD_Files");
    for (const auto& Entry : List_IEC_Dev) {
        pugi::xml_node Item = Files.append_child("ICD_File");
        Item.append_attribute("Name").set_value(Entry->Name().c_str());
        Item.append_attribute("FileName").set_value(Entry->FileName().c_str());
    }

    pugi::xml_node Variables = Root.append_child("List_DA_Selected");
    if (!fVariables.Is_Empty())
        for (int Row = 1; Row <= fVariables.Row_Count(); ++Row) {
            pugi::xml_node Item = Variables.append_child("DA_Item");
            for (int Col = 1; Col < Var_Col::Count; ++Col)
                Item.append_attribute(Variables_Attributes[Col - 1]).set_value(fVariables.Cell(Row, Col).c_str());
        }

    pugi::xml_node DataSets = Root.append_child("List_DataSet_Selected");
    for (std::size_t I = 0; I < fList_DataSet.size(); ++I) {
        const int Row = static_cast<int>(I) + 1;
        pugi::xml_node Item = DataSets.append_child("DataSet_Item");
        for (int Col = 1; Col < DS_Col::Count; ++Col)
            Item.append_attribute(DataSets_Attributes[Col - 1]).set_value(fDataSets.Cell(Row, Col).c_str());
        pugi::xml_node Members = Item.append_child("DataSet_List_DAs");
        for (const auto& Member : fList_DataSet[I]->List_DAs) {
            pugi::xml_node Member_Item = Members.append_child("DataSet_DA_Item");
            Member_Item.append_attribute("bType").set_value(Member->bType().c_str());
            Member_Item.append_attribute("Reference").set_value(Member->Reference().c_str());
            Member_Item.append_attribute("Position").set_value(Member->Position.c_str());
            Member_Item.append_attribute("StartBit").set_value(Member->bitAddress.c_str());
            Member_Item.append_attribute("Convertion").set_value(Member->conversion.c_str());
            Member_Item.append_attribute("MoltFact").set_value(Member->multFactor.c_str());
            Member_Item.append_attribute("Mnemonic").set_value(Member->Mnemonic.c_str());
        }
    }
}

std::string TAccess_Model::Xml_Text() const
{
    pugi::xml_document Doc;
    Build_Document(Doc);
    return common::Xml_To_Text(Doc);
}

std::optional<TRow_Refusal> TAccess_Model::Save(const fs::path& File, const text::TCatalogue& Lang,
                                                char Decimal_Separator)
{
    if (auto Refusal = Controllo_dati(Lang, Decimal_Separator))
        return Refusal;
    pugi::xml_document Doc;
    Build_Document(Doc);
    common::Save_Xml_Document(Doc, File);
    return std::nullopt;
}

std::optional<TRow_Refusal> TAccess_Model::Save(const fs::path& File, const text::TCatalogue& Lang)
{
    return Save(File, Lang, common::Get_Decimal_Separator());
}

} // namespace ct::access
