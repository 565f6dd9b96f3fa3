#include "iec61850/Model.h"

namespace iec61850 {

// A large device holds millions of attributes: each is kept to five pointers (its sibling, its sub attributes, its
// tree node, its parent, its texts), which the allocator hands out as 48 bytes.
static_assert(sizeof(void*) != 8 || sizeof(TIEC_DA) <= 40, "an attribute grew past five pointers");

namespace {

TIEC_DA* Find_DA_In(const TOwned_List<TIEC_DA>& List, std::string_view DA_Name)
{
    for (const auto& DA : List) {
        if (DA->Name() == DA_Name)
            return DA.get();
        if (TIEC_DA* Found = DA->Find_DA(DA_Name))
            return Found;
    }
    return nullptr;
}

TIEC_DO* Find_DO_In(const TOwned_List<TIEC_DO>& List, std::string_view DO_Name)
{
    for (const auto& DO : List) {
        if (DO->Name() == DO_Name)
            return DO.get();
        if (TIEC_DO* Found = DO->Find_DO(DO_Name))
            return Found;
    }
    return nullptr;
}

TIEC_DA* First_Leaf_In(const TOwned_List<TIEC_DA>& List)
{
    if (List.empty())
        return nullptr;
    TIEC_DA* DA = List.front().get();
    while (!DA->List_DA.empty())
        DA = DA->List_DA.front().get();
    return DA;
}

/// The reference of Object, with room for the usual length.
template <class T> std::string Reference_Of(const T& Object)
{
    std::string Reference;
    Reference.reserve(64);
    Object.Append_Reference(Reference);
    return Reference;
}

/// Appends the reference of the parent (either kind), ".", then Name; Name alone without a parent.
template <class TLink> void Append_Below(const TLink& Parent, std::string_view Name, std::string& Reference)
{
    if (const auto* First = Parent.First())
        First->Append_Reference(Reference);
    else if (const auto* Second = Parent.Second())
        Second->Append_Reference(Reference);
    if (Parent.First() || Parent.Second())
        Reference += '.';
    Reference += Name;
}

} // namespace

TIEC_DA::TIEC_DA(std::string_view Name, std::string_view FC, std::string_view bType)
    : fTexts(Shared_Texts().DA(Name, FC, bType))
{}

TIEC_DA::~TIEC_DA() = default;

std::string TIEC_DA::Reference() const
{
    return Reference_Of(*this);
}

void TIEC_DA::Append_Reference(std::string& Reference) const
{
    Append_Below(fParent, Name(), Reference);
}

TIEC_DA* TIEC_DA::Add_DA(std::unique_ptr<TIEC_DA> DA)
{
    DA->fParent.Set(this);
    return List_DA.push_back(std::move(DA));
}

TIEC_DA* TIEC_DA::Find_DA(std::string_view DA_Name) const
{
    return Find_DA_In(List_DA, DA_Name);
}

TIEC_DA* TIEC_DA::Find_First_DA() const
{
    return First_Leaf_In(List_DA);
}

TIEC_DO::TIEC_DO(std::string_view Name) : fName(Shared_Texts().Name(Name)) {}

// The attributes go first, then the sub data objects, each list from the last to the first.
TIEC_DO::~TIEC_DO()
{
    List_DA.clear();
    List_DO.clear();
}

std::string TIEC_DO::Reference() const
{
    return Reference_Of(*this);
}

void TIEC_DO::Append_Reference(std::string& Reference) const
{
    Append_Below(fParent, Name(), Reference);
}

TIEC_DO* TIEC_DO::Add_DO(std::unique_ptr<TIEC_DO> DO)
{
    DO->fParent.Set(this);
    return List_DO.push_back(std::move(DO));
}

TIEC_DA* TIEC_DO::Add_DA(std::unique_ptr<TIEC_DA> DA)
{
    DA->fParent.Set(this);
    return List_DA.push_back(std::move(DA));
}

TIEC_DO* TIEC_DO::Find_DO(std::string_view DO_Name) const
{
    return Find_DO_In(List_DO, DO_Name);
}

TIEC_DA* TIEC_DO::Find_DA(std::string_view DA_Name) const
{
    return Find_DA_In(List_DA, DA_Name);
}

TIEC_DA* TIEC_DO::Find_First_DA() const
{
    return First_Leaf_In(List_DA);
}

TIEC_DataSet::TIEC_DataSet(std::string Name, std::string Reference, std::string GooseName)
    : fName(std::move(Name)), fReference(std::move(Reference)), fGooseName(std::move(GooseName))
{}

// The members belong to the data-object trees: only the list of links goes.
TIEC_DataSet::~TIEC_DataSet() = default;

TIEC_LN::TIEC_LN(std::string lnClass, std::string lnType, std::string Prefix, std::string Inst)
    : flnClass(std::move(lnClass)), flnType(std::move(lnType)), fPrefix(std::move(Prefix)), fInst(std::move(Inst))
{}

// The data sets go first: their links point into the data objects.
TIEC_LN::~TIEC_LN()
{
    List_DataSet.clear();
    List_DO.clear();
}

std::string TIEC_LN::Reference() const
{
    return Reference_Of(*this);
}

void TIEC_LN::Append_Reference(std::string& Reference) const
{
    if (fParent) {
        fParent->Append_Reference(Reference);
        Reference += '/';
    }
    Reference.append(fPrefix).append(flnClass).append(fInst);
}

TIEC_DO* TIEC_LN::Add_DO(std::unique_ptr<TIEC_DO> DO)
{
    DO->fParent.Set(this);
    return List_DO.push_back(std::move(DO));
}

TIEC_DataSet* TIEC_LN::Add_DataSet(std::unique_ptr<TIEC_DataSet> DataSet)
{
    return List_DataSet.push_back(std::move(DataSet));
}

TIEC_DO* TIEC_LN::Find_DO(std::string_view DO_Name) const
{
    return Find_DO_In(List_DO, DO_Name);
}

TIEC_LDevice::TIEC_LDevice(std::string Name) : fName(std::move(Name)) {}

TIEC_LDevice::~TIEC_LDevice() = default;

std::string TIEC_LDevice::Reference() const
{
    return Reference_Of(*this);
}

void TIEC_LDevice::Append_Reference(std::string& Reference) const
{
    if (fParent)
        Reference += fParent->Name();
    Reference += fName;
}

TIEC_LN* TIEC_LDevice::Add_LN(std::unique_ptr<TIEC_LN> LN)
{
    LN->fParent = this;
    return List_LN.push_back(std::move(LN));
}

TIEC_LN* TIEC_LDevice::Find_LN(std::string_view LN_Class) const
{
    for (const auto& LN : List_LN)
        if (LN->lnClass() == LN_Class)
            return LN.get();
    return nullptr;
}

std::unique_ptr<TIEC_Device> TIEC_Device::Make(std::string Name, std::string FileName)
{
    std::unique_ptr<TIEC_Device> Device(new TIEC_Device());
    Device->fName = std::move(Name);
    Device->fFileName = std::move(FileName);
    return Device;
}

TIEC_Device::TIEC_Device(const std::filesystem::path& FileName_icd, std::string_view IED_Name, TScl_Read_Mode Mode)
    : fFileName(FileName_icd.filename().string())
{
    Decode_Device(FileName_icd, IED_Name, Mode);
}

// The tree goes before the texts it points at.
TIEC_Device::~TIEC_Device()
{
    List_LDevice.clear();
}

TIEC_LDevice* TIEC_Device::Add_LDevice(std::unique_ptr<TIEC_LDevice> LDevice)
{
    LDevice->fParent = this;
    return List_LDevice.push_back(std::move(LDevice));
}

TIEC_LDevice* TIEC_Device::Find_LDevice(std::string_view LD_Name) const
{
    for (const auto& LDevice : List_LDevice)
        if (LDevice->Name() == LD_Name)
            return LDevice.get();
    return nullptr;
}

} // namespace iec61850
