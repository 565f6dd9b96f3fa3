// The decoding steps of the model classes over the parsed parts of an SCL file.
#include "iec61850/Model.h"
#include "iec61850/Scl_Reader.h"

#include "common/File_Error.h"

#include <algorithm>
#include <cstring>
#include <utility>

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
    TDTT DTT(Parts->DTT, fTexts);
    try {
        Take(Parts->IED, "name", fName);
        const pugi::xml_node Server = Parts->IED.child("AccessPoint").child("Server");
        if (!Server)
            return;
        for (const pugi::xml_node LDevice : Server.children("LDevice"))
            Add_LDevice(std::make_unique<TIEC_LDevice>())->Decode_LDevice(LDevice, DTT, false, nullptr);
        // Pass 2 walks the elements and the logical devices made of them side by side (the k-th element made the
        // k-th device).
        TFCDA_Resolver Members(*this);
        auto Decoded = List_LDevice.begin();
        for (const pugi::xml_node LDevice : Server.children("LDevice")) {
            if (Decoded == List_LDevice.end())
                break;
            (*Decoded++)->Decode_LDevice(LDevice, DTT, true, &Members);
        }
    } catch (const TExpansion_Limit& Limit) {
        throw common::TFile_Error(FileName_icd, 0, std::string("the device is too large: ") + Limit.what());
    }
}

void TIEC_LDevice::Decode_LDevice(const pugi::xml_node& LDevice, TDTT& DTT, bool DataSetSearch,
                                  TFCDA_Resolver* IEC_Device)
{
    Take(LDevice, "inst", fName);
    const std::string LD_Reference = Reference();
    const std::size_t Reference_Size = LD_Reference.size();
    auto Decoded = List_LN.begin(); // pass 2: the node made of the element in pass 1
    for (const pugi::xml_node LN : LDevice.children()) {
        if (!Is(LN, "LN0") && !Is(LN, "LN"))
            continue;
        if (!DataSetSearch) {
            Add_LN(std::make_unique<TIEC_LN>())->Decode_LN(LN, DTT, Reference_Size);
        } else if (Decoded != List_LN.end() && IEC_Device) {
            // Counted before they are made: each data set's reference repeats the names of its device and node.
            const std::size_t Class_Size = std::strlen(LN.attribute("lnClass").value());
            for (const pugi::xml_node DataSet : LN.children("DataSet"))
                DTT.Count_Object(sizeof(TIEC_DataSet) + LD_Reference.size() + Class_Size + 2 +
                                 2 * std::strlen(DataSet.attribute("name").value()));
            (*Decoded++)->Decode_LN_DataSet(LN, LD_Reference, *IEC_Device);
        }
    }
}

void TIEC_LN::Decode_LN(const pugi::xml_node& LN, TDTT& DTT, std::size_t Reference_Size)
{
    Take(LN, "lnClass", flnClass);
    Take(LN, "lnType", flnType);
    Take(LN, "prefix", fPrefix);
    Take(LN, "inst", fInst);
    DTT.Count_Object(sizeof(TIEC_LN) + flnClass.size() + flnType.size() + fPrefix.size() + fInst.size());
    if (flnType.empty())
        return;
    const std::size_t LN_Reference_Size = Reference_Size + 1 + fPrefix.size() + flnClass.size() + fInst.size();
    const std::vector<pugi::xml_node>& LNodeTypes = DTT.LNodeType(flnType);
    for (const pugi::xml_node& LNodeType : LNodeTypes)
        for (const pugi::xml_node DO : LNodeType.children("DO"))
            Add_DO(std::make_unique<TIEC_DO>())->Decode_DO(DO, DTT, LN_Reference_Size);
}

void TIEC_DO::Decode_DO(const pugi::xml_node& NDO, TDTT& DTT, std::size_t Reference_Size)
{
    fName = DTT.DO_Name(NDO.attribute("name").value());
    const std::size_t DO_Reference_Size = Reference_Size + 1 + fName->size();
    DTT.Count_Object(sizeof(TIEC_DO) + DO_Reference_Size);
    const char* Type = NDO.attribute("type").value();
    if (*Type == '\0')
        return;
    const TType_Scope Scope(DTT, TDTT::TKind::DOType, Type);
    if (!Scope)
        return;
    const std::vector<pugi::xml_node>& DOTypes = DTT.DOType(Type);
    for (const pugi::xml_node& DOType : DOTypes)
        for (const pugi::xml_node Child : DOType.children()) {
            if (Is(Child, "SDO"))
                Add_DO(std::make_unique<TIEC_DO>())->Decode_DO(Child, DTT, DO_Reference_Size);
            else if (Is(Child, "DA"))
                Add_DA(std::make_unique<TIEC_DA>())->Decode_DA(Child, DTT, {}, DO_Reference_Size);
        }
}

void TIEC_DA::Decode_DA(const pugi::xml_node& DA, TDTT& DTT, std::string_view FC_Father, std::size_t Reference_Size)
{
    const pugi::xml_attribute Own_FC = DA.attribute("fc");
    fTexts = DTT.DA_Texts(DA.attribute("name").value(), Own_FC ? std::string_view(Own_FC.value()) : FC_Father,
                          DA.attribute("bType").value());
    const std::size_t DA_Reference_Size = Reference_Size + 1 + Name().size();
    DTT.Count_Object(sizeof(TIEC_DA) + DA_Reference_Size);
    const pugi::xml_attribute Type = DA.attribute("type");
    if (!Type || bType() == "Enum")
        return;
    const TType_Scope Scope(DTT, TDTT::TKind::DAType, Type.value());
    if (!Scope)
        return;
    const std::vector<pugi::xml_node>& DATypes = DTT.DAType(Type.value());
    for (const pugi::xml_node& DAType : DATypes)
        for (const pugi::xml_node BDA : DAType.children("BDA"))
            Add_DA(std::make_unique<TIEC_DA>())->Decode_DA(BDA, DTT, FC(), DA_Reference_Size);
}

void TIEC_LN::Decode_LN_DataSet(const pugi::xml_node& LN, const std::string& str_Reference, TFCDA_Resolver& IEC_Device)
{
    Take(LN, "lnClass", flnClass);
    if (*LN.attribute("lnType").value() == '\0')
        return;
    const std::string Base_Reference = Join(str_Reference, "/", flnClass);
    for (const pugi::xml_node DataSet : LN.children("DataSet")) {
        Add_DataSet(std::make_unique<TIEC_DataSet>())->Decode_DataSet(DataSet, Base_Reference, IEC_Device);
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

/// Attributes and data objects are looked up by scanning below an object while it holds at most this many; only
/// larger ones get an index. Most data objects hold a handful of attributes, and an index for each would take
/// more memory than the objects themselves.
constexpr std::size_t Small_Subtree = 16;

/// Calls Visit for every object below List in depth-first pre-order (Children gives an object's own list) until
/// it returns false; false when it did.
template <class T, class TChildren, class TVisit>
bool Visit_Pre_Order(const TOwned_List<T>& List, const TChildren& Children, const TVisit& Visit)
{
    for (const auto& Item : List)
        if (!Visit(Item.get()) || !Visit_Pre_Order(Children(*Item), Children, Visit))
            return false;
    return true;
}

/// True when more than Small_Subtree objects lie below List.
template <class T, class TChildren> bool Is_Large(const TOwned_List<T>& List, const TChildren& Children)
{
    std::size_t Count = 0;
    return !Visit_Pre_Order(List, Children, [&Count](const T*) { return ++Count <= Small_Subtree; });
}

/// Every object below List under its name, sorted by name and, for equal names, in pre-order: the first entry of
/// a name is what a depth-first search finds.
template <class T, class TChildren>
std::vector<std::pair<std::string_view, T*>> Sorted_Names(const TOwned_List<T>& List, const TChildren& Children)
{
    std::vector<std::pair<std::string_view, T*>> Names;
    Visit_Pre_Order(List, Children, [&Names](T* Item) {
        Names.emplace_back(Item->Name(), Item);
        return true;
    });
    std::stable_sort(Names.begin(), Names.end(),
                     [](const auto& Left, const auto& Right) { return Left.first < Right.first; });
    Names.shrink_to_fit();
    return Names;
}

template <class T> T* Find_Sorted(const std::vector<std::pair<std::string_view, T*>>& Names, std::string_view Name)
{
    const auto Found = std::lower_bound(Names.begin(), Names.end(), Name,
                                        [](const auto& Entry, std::string_view Key) { return Entry.first < Key; });
    return Found != Names.end() && Found->first == Name ? Found->second : nullptr;
}

template <class TMap> auto Find_In(const TMap& Index, std::string_view Name) -> typename TMap::mapped_type
{
    const auto Found = Index.find(Name);
    return Found == Index.end() ? nullptr : Found->second;
}

const auto Sub_DOs = [](const TIEC_DO& DO) -> const TOwned_List<TIEC_DO>& { return DO.List_DO; };
const auto Sub_DAs = [](const TIEC_DA& DA) -> const TOwned_List<TIEC_DA>& { return DA.List_DA; };

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
    const TIEC_DO* DO = nullptr;
    if (const auto Indexed = fDOs.find(LN); Indexed != fDOs.end())
        DO = Find_Sorted(Indexed->second, doName);
    else if (!Is_Large(LN->List_DO, Sub_DOs))
        DO = LN->Find_DO(doName);
    else
        DO = Find_Sorted(fDOs.emplace(LN, Sorted_Names(LN->List_DO, Sub_DOs)).first->second, doName);
    if (!DO)
        return nullptr;
    if (daName.empty())
        return DO->Find_First_DA();
    if (const auto Indexed = fDAs.find(DO); Indexed != fDAs.end())
        return Find_Sorted(Indexed->second, daName);
    if (!Is_Large(DO->List_DA, Sub_DAs))
        return DO->Find_DA(daName);
    return Find_Sorted(fDAs.emplace(DO, Sorted_Names(DO->List_DA, Sub_DAs)).first->second, daName);
}

} // namespace iec61850
