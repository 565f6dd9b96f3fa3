// The decoding steps of the model classes over the parsed parts of an SCL file.
#include "iec61850/Model.h"
#include "iec61850/Scl_Reader.h"

#include "common/File_Error.h"

#include <cstring>

namespace iec61850 {

namespace {

/// Taking an attribute: when the element has it (even empty) its value replaces the field, else the field stays.
void Take(const pugi::xml_node& Node, const char* Attribute, std::string& Field)
{
    if (const pugi::xml_attribute Value = Node.attribute(Attribute))
        Field = Value.value();
}

bool Is(const pugi::xml_node& Node, const char* Name)
{
    return std::strcmp(Node.name(), Name) == 0;
}

/// Parent + Separator + Name in one allocation.
std::string Join(const std::string& Parent, std::string_view Separator, std::string_view Name)
{
    std::string Reference;
    Reference.reserve(Parent.size() + Separator.size() + Name.size());
    Reference.append(Parent).append(Separator).append(Name);
    return Reference;
}

/// The number of children named Name of every template in Templates (to size a list once).
std::size_t Count_Children(const std::vector<pugi::xml_node>& Templates, const char* Name)
{
    std::size_t Count = 0;
    for (const pugi::xml_node& Template : Templates)
        for (const pugi::xml_node Child : Template.children())
            if (Is(Child, Name))
                ++Count;
    return Count;
}

const std::string No_FC;

/// Keeps a type on the expansion path for as long as it is being expanded.
class TType_Scope
{
public:
    TType_Scope(TDTT& DTT, TDTT::TKind Kind, std::string_view Id) : fDTT(DTT), fEntered(DTT.Enter(Kind, Id)) {}
    ~TType_Scope()
    {
        if (fEntered)
            fDTT.Leave();
    }
    TType_Scope(const TType_Scope&) = delete;
    TType_Scope& operator=(const TType_Scope&) = delete;
    explicit operator bool() const { return fEntered; }

private:
    TDTT& fDTT;
    bool fEntered;
};

} // namespace

void TIEC_Device::Decode_Device(const std::filesystem::path& FileName_icd, std::string_view IED_Name,
                                TScl_Read_Mode Mode)
{
    const std::unique_ptr<TScl_Parts> Parts = Read_Scl_Parts(FileName_icd, IED_Name, Mode);
    if (!Parts || !Parts->IED || !Parts->DTT)
        return;
    TDTT DTT(Parts->DTT);
    try {
        Take(Parts->IED, "name", fName);
        const pugi::xml_node Server = Parts->IED.child("AccessPoint").child("Server");
        if (!Server)
            return;
        for (const pugi::xml_node LDevice : Server.children("LDevice")) {
            auto Decoded = std::make_unique<TIEC_LDevice>();
            Decoded->Decode_LDevice(LDevice, DTT, fName, false, nullptr);
            List_LDevice.push_back(std::move(Decoded));
        }
        TFCDA_Resolver Members(*this);
        std::size_t k = 0;
        for (const pugi::xml_node LDevice : Server.children("LDevice")) {
            if (k < List_LDevice.size())
                List_LDevice[k]->Decode_LDevice(LDevice, DTT, fName, true, &Members);
            ++k;
        }
    } catch (const TExpansion_Limit& Limit) {
        throw common::TFile_Error(FileName_icd, 0, std::string("the device is too large: ") + Limit.what());
    }
}

void TIEC_LDevice::Decode_LDevice(const pugi::xml_node& LDevice, TDTT& DTT, const std::string& str_Reference,
                                  bool DataSetSearch, TFCDA_Resolver* IEC_Device)
{
    Take(LDevice, "inst", fName);
    const std::string LD_Reference = str_Reference + fName;
    std::size_t j = 0;
    for (const pugi::xml_node LN : LDevice.children()) {
        if (!Is(LN, "LN0") && !Is(LN, "LN"))
            continue;
        if (!DataSetSearch) {
            auto Decoded = std::make_unique<TIEC_LN>();
            Decoded->Decode_LN(LN, DTT, LD_Reference);
            List_LN.push_back(std::move(Decoded));
        } else if (j < List_LN.size() && IEC_Device) {
            // Counted before they are made: each data set's reference repeats the names of its device and node.
            const std::size_t Class_Size = std::strlen(LN.attribute("lnClass").value());
            for (const pugi::xml_node DataSet : LN.children("DataSet"))
                DTT.Count_Object(sizeof(TIEC_DataSet) + LD_Reference.size() + Class_Size + 2 +
                                 2 * std::strlen(DataSet.attribute("name").value()));
            List_LN[j]->Decode_LN_DataSet(LN, LD_Reference, *IEC_Device);
        }
        ++j;
    }
}

void TIEC_LN::Decode_LN(const pugi::xml_node& LN, TDTT& DTT, const std::string& str_Reference)
{
    Take(LN, "lnClass", flnClass);
    Take(LN, "lnType", flnType);
    Take(LN, "prefix", fPrefix);
    Take(LN, "inst", fInst);
    const std::size_t Fields = flnClass.size() + flnType.size() + fPrefix.size() + fInst.size();
    DTT.Count_Object(sizeof(TIEC_LN) + (flnType.empty() ? Fields : Fields + str_Reference.size() + 1 + Fields));
    if (flnType.empty())
        return;
    const std::string LN_Reference = Join(str_Reference, "/", fPrefix + flnClass + fInst);
    const std::vector<pugi::xml_node>& LNodeTypes = DTT.LNodeType(flnType);
    List_DO.reserve(Count_Children(LNodeTypes, "DO"));
    for (const pugi::xml_node& LNodeType : LNodeTypes)
        for (const pugi::xml_node DO : LNodeType.children("DO")) {
            auto Decoded = std::make_unique<TIEC_DO>();
            Decoded->Decode_DO(DO, DTT, LN_Reference);
            List_DO.push_back(std::move(Decoded));
        }
}

void TIEC_DO::Decode_DO(const pugi::xml_node& NDO, TDTT& DTT, const std::string& str_Reference)
{
    Take(NDO, "name", fName);
    // The name, and the reference made of it while the object's children are decoded.
    DTT.Count_Object(sizeof(TIEC_DO) + str_Reference.size() + 1 + 2 * fName.size());
    const char* Type = NDO.attribute("type").value();
    if (*Type == '\0')
        return;
    const TType_Scope Scope(DTT, TDTT::TKind::DOType, Type);
    if (!Scope)
        return;
    const std::string DO_Reference = Join(str_Reference, ".", fName);
    const std::vector<pugi::xml_node>& DOTypes = DTT.DOType(Type);
    List_DO.reserve(Count_Children(DOTypes, "SDO"));
    List_DA.reserve(Count_Children(DOTypes, "DA"));
    for (const pugi::xml_node& DOType : DOTypes)
        for (const pugi::xml_node Child : DOType.children()) {
            if (Is(Child, "SDO")) {
                auto Decoded = std::make_unique<TIEC_DO>();
                Decoded->Decode_DO(Child, DTT, DO_Reference);
                List_DO.push_back(std::move(Decoded));
            } else if (Is(Child, "DA")) {
                auto Decoded = std::make_unique<TIEC_DA>();
                Decoded->Decode_DA(Child, DTT, DO_Reference, No_FC);
                List_DA.push_back(std::move(Decoded));
            }
        }
}

void TIEC_DA::Decode_DA(const pugi::xml_node& DA, TDTT& DTT, const std::string& str_Reference,
                        const std::string& FC_Father)
{
    Take(DA, "name", fName);
    fReference = Join(str_Reference, ".", fName);
    Take(DA, "bType", fbType);
    fFC = FC_Father;
    Take(DA, "fc", fFC);
    DTT.Count_Object(sizeof(TIEC_DA) + fName.size() + fReference.size() + fbType.size() + fFC.size());
    const pugi::xml_attribute Type = DA.attribute("type");
    if (!Type || fbType == "Enum")
        return;
    const TType_Scope Scope(DTT, TDTT::TKind::DAType, Type.value());
    if (!Scope)
        return;
    const std::vector<pugi::xml_node>& DATypes = DTT.DAType(Type.value());
    List_DA.reserve(Count_Children(DATypes, "BDA"));
    for (const pugi::xml_node& DAType : DATypes)
        for (const pugi::xml_node BDA : DAType.children("BDA")) {
            auto Decoded = std::make_unique<TIEC_DA>();
            Decoded->Decode_DA(BDA, DTT, fReference, fFC);
            List_DA.push_back(std::move(Decoded));
        }
}

void TIEC_LN::Decode_LN_DataSet(const pugi::xml_node& LN, const std::string& str_Reference, TFCDA_Resolver& IEC_Device)
{
    Take(LN, "lnClass", flnClass);
    if (*LN.attribute("lnType").value() == '\0')
        return;
    const std::string Base_Reference = Join(str_Reference, "/", flnClass);
    for (const pugi::xml_node DataSet : LN.children("DataSet")) {
        auto Decoded = std::make_unique<TIEC_DataSet>();
        Decoded->Decode_DataSet(DataSet, Base_Reference, IEC_Device);
        List_DataSet.push_back(std::move(Decoded));
    }
    if (!LN.child("GSEControl"))
        return;
    TDataSet_Names DataSets;
    for (const auto& DataSet : List_DataSet)
        DataSets.emplace(DataSet->Name(), DataSet.get());
    for (const pugi::xml_node GSEControl : LN.children("GSEControl"))
        Decode_LN_Goose(GSEControl, DataSets);
}

void TIEC_LN::Decode_LN_Goose(const pugi::xml_node& GSEControl, const TDataSet_Names& DataSets)
{
    const std::string_view Name = GSEControl.attribute("name").value();
    const std::string_view DatSet = GSEControl.attribute("datSet").value();
    if (Name.empty() || DatSet.empty())
        return;
    if (const auto Found = DataSets.find(DatSet); Found != DataSets.end())
        Found->second->Set_GooseName(std::string(Name));
}

void TIEC_DataSet::Decode_DataSet(const pugi::xml_node& DataSet, const std::string& str_Reference,
                                  TFCDA_Resolver& IEC_Device)
{
    Take(DataSet, "name", fName);
    fReference = Join(str_Reference, ".", fName);
    for (const pugi::xml_node FCDA : DataSet.children("FCDA")) {
        const std::string_view ldInst = FCDA.attribute("ldInst").value();
        const std::string_view lnClass = FCDA.attribute("lnClass").value();
        const std::string_view doName = FCDA.attribute("doName").value();
        const std::string_view daName = FCDA.attribute("daName").value();
        if (TIEC_DA* Member = IEC_Device.Resolve(ldInst, lnClass, doName, daName))
            List_DA.push_back(Member);
    }
}

namespace {

/// Adds every data object below List, in depth-first pre-order, under its name unless an earlier one has it.
template <class TMap> void Index_DOs(const std::vector<std::unique_ptr<TIEC_DO>>& List, TMap& Index)
{
    for (const auto& DO : List) {
        Index.try_emplace(DO->Name(), DO.get());
        Index_DOs(DO->List_DO, Index);
    }
}

template <class TMap> void Index_DAs(const std::vector<std::unique_ptr<TIEC_DA>>& List, TMap& Index)
{
    for (const auto& DA : List) {
        Index.try_emplace(DA->Name(), DA.get());
        Index_DAs(DA->List_DA, Index);
    }
}

template <class TMap> auto Find_In(const TMap& Index, std::string_view Name) -> typename TMap::mapped_type
{
    const auto Found = Index.find(Name);
    return Found == Index.end() ? nullptr : Found->second;
}

} // namespace

TFCDA_Resolver::TFCDA_Resolver(const TIEC_Device& Device) : fDevice(Device) {}

TIEC_DA* TFCDA_Resolver::Resolve(std::string_view ldInst, std::string_view lnClass, std::string_view doName,
                                 std::string_view daName)
{
    if (ldInst.empty() || lnClass.empty() || doName.empty())
        return nullptr;
    if (!fHave_LDevices) {
        for (const auto& LDevice : fDevice.List_LDevice)
            fLDevices.try_emplace(LDevice->Name(), LDevice.get());
        fHave_LDevices = true;
    }
    const TIEC_LDevice* LDevice = Find_In(fLDevices, ldInst);
    if (!LDevice)
        return nullptr;
    auto [LNs, New_LNs] = fLNs.try_emplace(LDevice);
    if (New_LNs)
        for (const auto& LN : LDevice->List_LN)
            LNs->second.try_emplace(LN->lnClass(), LN.get());
    const TIEC_LN* LN = Find_In(LNs->second, lnClass);
    if (!LN)
        return nullptr;
    auto [DOs, New_DOs] = fDOs.try_emplace(LN);
    if (New_DOs)
        Index_DOs(LN->List_DO, DOs->second);
    const TIEC_DO* DO = Find_In(DOs->second, doName);
    if (!DO)
        return nullptr;
    if (daName.empty())
        return DO->Find_First_DA();
    auto [DAs, New_DAs] = fDAs.try_emplace(DO);
    if (New_DAs)
        Index_DAs(DO->List_DA, DAs->second);
    return Find_In(DAs->second, daName);
}

} // namespace iec61850
