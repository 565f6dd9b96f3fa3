#include "iec61850/Scl_Reader.h"

#include "common/Atomic_File.h"
#include "common/File_Error.h"
#include "common/Xml.h"

#include <algorithm>
#include <cstring>

namespace iec61850 {

namespace {

constexpr std::string_view Scl_Namespace = "http://www.iec.ch/61850/2003/SCL";

} // namespace

TDTT::TDTT(const pugi::xml_node& DataTypeTemplates)
{
    for (const pugi::xml_node Template : DataTypeTemplates.children()) {
        TIndex* Index = nullptr;
        if (std::strcmp(Template.name(), "LNodeType") == 0)
            Index = &fLNodeType;
        else if (std::strcmp(Template.name(), "DOType") == 0)
            Index = &fDOType;
        else if (std::strcmp(Template.name(), "DAType") == 0)
            Index = &fDAType;
        if (Index)
            (*Index)[Template.attribute("id").value()].push_back(Template);
    }
}

const std::vector<pugi::xml_node>& TDTT::Find(const TIndex& Index, std::string_view Id)
{
    static const std::vector<pugi::xml_node> None;
    const auto Found = Index.find(Id);
    return Found == Index.end() ? None : Found->second;
}

bool TDTT::Enter(TKind Kind, std::string_view Id)
{
    if (fPath.size() >= Max_Depth)
        return false;
    for (const TStep& Step : fPath)
        if (Step.Kind == Kind && Step.Id == Id)
            return false;
    fPath.push_back({Kind, Id});
    return true;
}

std::unique_ptr<TScl_Parts> Read_Scl_Parts(const std::filesystem::path& File, std::string_view IED_Name,
                                           TScl_Read_Mode Mode)
{
    (void)Mode;
    std::error_code Error;
    if (!std::filesystem::exists(File, Error))
        return nullptr;
    auto Parts = std::make_unique<TScl_Parts>();
    Parts->Text = common::Read_Whole_File(File);
    const pugi::xml_parse_result Result =
        Parts->Doc.load_buffer_inplace(Parts->Text.data(), Parts->Text.size(), pugi::parse_default);
    if (!Result)
        throw common::TFile_Error(File, common::Line_Of_Offset(Parts->Text, Result.offset),
                                  std::string("not well-formed XML: ") + Result.description());
    const pugi::xml_node SCL = Parts->Doc.child("SCL");
    for (const pugi::xml_node IED : SCL.children("IED")) {
        Parts->IED_Names.emplace_back(IED.attribute("name").value());
        if (!Parts->IED || (!IED_Name.empty() && Parts->IED_Names.back() == IED_Name &&
                            Parts->IED.attribute("name").value() != IED_Name))
            Parts->IED = IED;
    }
    Parts->DTT = SCL.child("DataTypeTemplates");
    (void)Scl_Namespace;
    return Parts;
}

std::vector<std::string> List_IED_Names(const std::filesystem::path& File)
{
    const auto Parts = Read_Scl_Parts(File);
    return Parts ? Parts->IED_Names : std::vector<std::string>{};
}

} // namespace iec61850
