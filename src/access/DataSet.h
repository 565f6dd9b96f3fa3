// The data sets chosen in the access editor: one TDataSet per row of the Data sets table, holding the options of
// each member.
#pragma once

#include "iec61850/Model.h"

#include <memory>
#include <string>
#include <vector>

namespace ct::access {

/// One member of a chosen data set with its options. Member fields are free text and never checked.
class TDataSet_DA
{
public:
    /// A member linked to an attribute of a device tree (not owned).
    explicit TDataSet_DA(const iec61850::TIEC_DA* Member = nullptr) : Select_DA(Member) {}
    /// A member kept only as stored: its device's copy could not be read, so it has no link.
    TDataSet_DA(std::string Stored_bType, std::string Stored_Reference)
        : fStored_bType(std::move(Stored_bType)), fStored_Reference(std::move(Stored_Reference))
    {}

    /// The basic type and reference shown and written: those of the linked attribute, else the stored texts.
    const std::string& bType() const { return Select_DA ? Select_DA->bType() : fStored_bType; }
    std::string Reference() const { return Select_DA ? Select_DA->Reference() : fStored_Reference; }

    /// The member attribute in the device tree; valid while its device exists.
    const iec61850::TIEC_DA* Select_DA = nullptr;
    std::string Position;
    std::string bitAddress;
    std::string conversion;
    std::string multFactor;
    std::string Mnemonic;

private:
    std::string fStored_bType;
    std::string fStored_Reference;
};

/// One chosen data set: the link to it and its members in the data set's member order.
class TDataSet
{
public:
    TDataSet() = default;
    /// Frees the members from the last to the first.
    ~TDataSet();
    TDataSet(const TDataSet&) = delete;
    TDataSet& operator=(const TDataSet&) = delete;

    /// The data set in the device tree; null when it could not be found on loading.
    const iec61850::TIEC_DataSet* Select_DataSet = nullptr;
    /// The device that holds every link of this data set (null when it has none): a device is never removed
    /// while a data set links into it.
    const iec61850::TIEC_Device* Link_Device = nullptr;
    /// The members, owned.
    std::vector<std::unique_ptr<TDataSet_DA>> List_DAs;
};

} // namespace ct::access
