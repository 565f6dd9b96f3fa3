#include "iec61850/Model.h"

namespace iec61850 {

namespace {

/// Frees the owned children from the last to the first.
template <class T> void Free_Last_To_First(std::vector<std::unique_ptr<T>>& List)
{
    while (!List.empty())
        List.pop_back();
}

TIEC_DA* Find_DA_In(const std::vector<std::unique_ptr<TIEC_DA>>& List, std::string_view DA_Name)
{
    for (const auto& DA : List) {
        if (DA->Name() == DA_Name)
            return DA.get();
        if (TIEC_DA* Found = DA->Find_DA(DA_Name))
            return Found;
    }
    return nullptr;
}

TIEC_DO* Find_DO_In(const std::vector<std::unique_ptr<TIEC_DO>>& List, std::string_view DO_Name)
{
    for (const auto& DO : List) {
        if (DO->Name() == DO_Name)
            return DO.get();
        if (TIEC_DO* Found = DO->Find_DO(DO_Name))
            return Found;
    }
    return nullptr;
}

TIEC_DA* First_Leaf_In(const std::vector<std::unique_ptr<TIEC_DA>>& List)
{
    if (List.empty())
        return nullptr;
    TIEC_DA* DA = List.front().get();
    while (!DA->List_DA.empty())
        DA = DA->List_DA.front().get();
    return DA;
}

} // namespace

TIEC_DA::TIEC_DA(std::string Name, std::string Reference, std::string FC, std::string bType)
    : fReference(std::move(Reference)), fFC(std::move(FC)), fbType(std::move(bType)), fName(std::move(Name))
{}

TIEC_DA::~TIEC_DA()
{
    Free_Last_To_First(List_DA);
}

TIEC_DA* TIEC_DA::Find_DA(std::string_view DA_Name) const
{
    return Find_DA_In(List_DA, DA_Name);
}

TIEC_DA* TIEC_DA::Find_First_DA() const
{
    return First_Leaf_In(List_DA);
}

TIEC_DO::TIEC_DO(std::string Name) : fName(std::move(Name)) {}

TIEC_DO::~TIEC_DO()
{
    Free_Last_To_First(List_DA);
    Free_Last_To_First(List_DO);
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
    Free_Last_To_First(List_DataSet);
    Free_Last_To_First(List_DO);
}

TIEC_DO* TIEC_LN::Find_DO(std::string_view DO_Name) const
{
    return Find_DO_In(List_DO, DO_Name);
}

TIEC_LDevice::TIEC_LDevice(std::string Name) : fName(std::move(Name)) {}

TIEC_LDevice::~TIEC_LDevice()
{
    Free_Last_To_First(List_LN);
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

TIEC_Device::~TIEC_Device()
{
    Free_Last_To_First(List_LDevice);
}

TIEC_LDevice* TIEC_Device::Find_LDevice(std::string_view LD_Name) const
{
    for (const auto& LDevice : List_LDevice)
        if (LDevice->Name() == LD_Name)
            return LDevice.get();
    return nullptr;
}

} // namespace iec61850
