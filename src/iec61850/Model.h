// The in-memory tree of one IEC 61850 server (IED) read from an SCL file: logical devices, logical nodes, data
// objects with their sub data objects, data attributes with their sub attributes, and the data sets of each node.
//
// Parents own their children (freed from the last to the first) and every child links back to its parent, so that
// references are put together when asked for instead of being stored with each of millions of objects. The members of a
// data set are plain links into the data-object trees of the same device and own nothing. Objects are neither copied
// nor moved, so links into a tree stay valid for as long as its device lives; children are added through their parent's
// Add_* operations, which link them.
#pragma once

#include "iec61850/Model_Texts.h"
#include "iec61850/Owned_List.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace pugi {
class xml_node;
} // namespace pugi

namespace iec61850 {

class TDTT;
class TFCDA_Resolver;
class TIEC_DataSet;
class TIEC_Device;

/// How an SCL file is read: only the parts a device is made of (the chosen IED and the data type templates, found
/// by a scan that also checks that the whole file is well-formed), or the whole file into one XML document.
/// Both give the same device; the second needs several times the memory and serves as a reference.
enum class TScl_Read_Mode { Needed_Parts, Whole_Document };

/// The editor's tree node that currently shows an object. The core only stores it and hands it back; it never
/// dereferences it (after the editor clears its tree the link is stale).
using TTree_Node = void*;

/// A link to a parent that is one of two classes, in one pointer (the objects are aligned, so the lowest bit is
/// free to tell which).
template <class TFirst, class TSecond> class TParent_Link
{
public:
    void Set(const TFirst* Parent)
    {
        static_assert(alignof(TFirst) > 1);
        fBits = reinterpret_cast<std::uintptr_t>(Parent);
    }
    void Set(const TSecond* Parent)
    {
        static_assert(alignof(TSecond) > 1);
        fBits = reinterpret_cast<std::uintptr_t>(Parent) | Second_Bit;
    }
    /// The parent when it is a TFirst; else null.
    const TFirst* First() const { return (fBits & Second_Bit) ? nullptr : reinterpret_cast<const TFirst*>(fBits); }
    /// The parent when it is a TSecond; else null.
    const TSecond* Second() const
    {
        return (fBits & Second_Bit) ? reinterpret_cast<const TSecond*>(fBits & ~Second_Bit) : nullptr;
    }

private:
    static constexpr std::uintptr_t Second_Bit = 1;
    std::uintptr_t fBits = 0;
};

/// One data attribute (from a DA element) or sub attribute (from a BDA element of a structured type).
/// A device holds millions of them, so an attribute keeps only links: to its parent, to its texts (kept once per
/// device) and to its sub attributes; its reference is put together from its parents when asked for.
class TIEC_DA : public TSibling<TIEC_DA>
{
public:
    TIEC_DA() = default;
    /// An attribute put together without a file; its texts are kept in Shared_Texts().
    TIEC_DA(std::string_view Name, std::string_view FC, std::string_view bType);
    ~TIEC_DA();
    TIEC_DA(const TIEC_DA&) = delete;
    TIEC_DA& operator=(const TIEC_DA&) = delete;

    /// The name attribute of the DA or BDA element.
    const std::string& Name() const { return fTexts->Name; }
    /// The full reference text, for example IED1LD0/MMXU1.TotW.mag.f (never holds the functional constraint):
    /// the reference of the parent, ".", the name. Without a parent, the name alone.
    std::string Reference() const;
    /// Appends the reference to Reference.
    void Append_Reference(std::string& Reference) const;
    /// The functional constraint: the element's own fc, else the one of the enclosing attribute.
    const std::string& FC() const { return fTexts->FC; }
    /// The basic type exactly as written in the file (FLOAT32, Struct, Enum, Quality, ...).
    const std::string& bType() const { return fTexts->bType; }
    /// Only leaves (no sub attributes) can be selected as variables.
    bool Is_Leaf() const { return List_DA.empty(); }

    /// The first sub attribute named DA_Name, depth-first in pre-order over the sub attributes; null when none.
    TIEC_DA* Find_DA(std::string_view DA_Name) const;
    /// Follows the first sub attribute down to a leaf; null when this attribute has no sub attributes.
    TIEC_DA* Find_First_DA() const;

    /// Adds a sub attribute at the end and makes this attribute its parent.
    TIEC_DA* Add_DA(std::unique_ptr<TIEC_DA> DA);

    /// Fills this attribute from a DA or BDA element (see Scl_Reader.h). Reference_Size is the length of the
    /// parent's reference, which the count of the device's memory includes (see TDTT::Count_Object).
    void Decode_DA(const pugi::xml_node& DA, TDTT& DTT, std::string_view FC_Father, std::size_t Reference_Size);

    /// Sub attributes, owned, in the order of the BDA elements of the type.
    TOwned_List<TIEC_DA> List_DA;
    TTree_Node TreeNode = nullptr;

private:
    friend class TIEC_DO;

    TParent_Link<TIEC_DA, TIEC_DO> fParent;
    const TDA_Texts* fTexts = &TModel_Texts::No_DA_Texts();
};

/// One data object (from a DO element of a node type) or sub data object (from an SDO element).
class TIEC_DO : public TSibling<TIEC_DO>
{
public:
    TIEC_DO() = default;
    /// A data object put together without a file; its name is kept in Shared_Texts().
    explicit TIEC_DO(std::string_view Name);
    ~TIEC_DO();
    TIEC_DO(const TIEC_DO&) = delete;
    TIEC_DO& operator=(const TIEC_DO&) = delete;

    const std::string& Name() const { return *fName; }
    /// The parent's reference, ".", the name; without a parent, the name alone.
    std::string Reference() const;
    /// Appends the reference to Reference.
    void Append_Reference(std::string& Reference) const;

    /// The first sub data object named DO_Name, depth-first in pre-order; null when none.
    TIEC_DO* Find_DO(std::string_view DO_Name) const;
    /// The first attribute named DA_Name among this object's own attributes and their sub attributes (not those
    /// of its sub data objects), depth-first in pre-order; null when none.
    TIEC_DA* Find_DA(std::string_view DA_Name) const;
    /// Follows the first attribute down to a leaf; null when the object has no attributes.
    TIEC_DA* Find_First_DA() const;

    /// Add a sub data object or an attribute at the end and make this object its parent.
    TIEC_DO* Add_DO(std::unique_ptr<TIEC_DO> DO);
    TIEC_DA* Add_DA(std::unique_ptr<TIEC_DA> DA);

    /// Fills this object from a DO or SDO element (see Scl_Reader.h).
    void Decode_DO(const pugi::xml_node& NDO, TDTT& DTT, std::size_t Reference_Size);

    /// Sub data objects, owned, in the order of the SDO elements of the type.
    TOwned_List<TIEC_DO> List_DO;
    /// Data attributes, owned, in the order of the DA elements of the type.
    TOwned_List<TIEC_DA> List_DA;
    TTree_Node TreeNode = nullptr;

private:
    friend class TIEC_LN;

    TParent_Link<TIEC_DO, TIEC_LN> fParent;
    const std::string* fName = &TModel_Texts::No_Name();
};

/// One data set of a logical node. Its members are links to attributes of the same device, never owned.
class TIEC_DataSet : public TSibling<TIEC_DataSet>
{
public:
    TIEC_DataSet() = default;
    TIEC_DataSet(std::string Name, std::string Reference, std::string GooseName = {});
    ~TIEC_DataSet();
    TIEC_DataSet(const TIEC_DataSet&) = delete;
    TIEC_DataSet& operator=(const TIEC_DataSet&) = delete;

    /// The name attribute of the DataSet element.
    const std::string& Name() const { return fName; }
    /// LD reference + "/" + lnClass + "." + name, for example IED1LD0/LLN0.DS1.
    const std::string& Reference() const { return fReference; }
    /// The name of the GOOSE control block of the same node that sends this data set; empty when none.
    const std::string& GooseName() const { return fGooseName; }
    void Set_GooseName(std::string GooseName) { fGooseName = std::move(GooseName); }

    /// Fills the data set from a DataSet element; members are resolved in the device by IEC_Device (see
    /// Scl_Reader.h).
    void Decode_DataSet(const pugi::xml_node& DataSet, const std::string& str_Reference, TFCDA_Resolver& IEC_Device);

    /// The members in FCDA order: links into the data-object trees; the same attribute may appear several times.
    std::vector<TIEC_DA*> List_DA;
    TTree_Node TreeNode = nullptr;

private:
    std::string fName;
    std::string fReference;
    std::string fGooseName;
};

/// One logical node (from an LN0 or LN element).
class TIEC_LN : public TSibling<TIEC_LN>
{
public:
    TIEC_LN() = default;
    TIEC_LN(std::string lnClass, std::string lnType, std::string Prefix = {}, std::string Inst = {});
    ~TIEC_LN();
    TIEC_LN(const TIEC_LN&) = delete;
    TIEC_LN& operator=(const TIEC_LN&) = delete;

    const std::string& lnClass() const { return flnClass; }
    /// The id of the node's LNodeType template.
    const std::string& lnType() const { return flnType; }
    const std::string& Prefix() const { return fPrefix; }
    const std::string& Inst() const { return fInst; }
    /// The reference of the logical device, "/", prefix + lnClass + inst, for example IED1LD0/MMXU1.
    std::string Reference() const;
    /// Appends the reference to Reference.
    void Append_Reference(std::string& Reference) const;

    /// The first data object named DO_Name, depth-first in pre-order over the data objects and their sub data
    /// objects; null when none.
    TIEC_DO* Find_DO(std::string_view DO_Name) const;

    /// Add a data object or a data set at the end; the node becomes the data object's parent.
    TIEC_DO* Add_DO(std::unique_ptr<TIEC_DO> DO);
    TIEC_DataSet* Add_DataSet(std::unique_ptr<TIEC_DataSet> DataSet);

    /// Pass 1: class, type, prefix, inst and the data objects of the node type (see Scl_Reader.h).
    void Decode_LN(const pugi::xml_node& LN, TDTT& DTT, std::size_t Reference_Size);
    /// Pass 2: the data sets of the node and their GOOSE names.
    void Decode_LN_DataSet(const pugi::xml_node& LN, const std::string& str_Reference, TFCDA_Resolver& IEC_Device);
    /// The first data set of each name among List_DataSet.
    using TDataSet_Names = std::unordered_map<std::string_view, TIEC_DataSet*>;
    /// Names the first data set of the node that the GSEControl element sends.
    void Decode_LN_Goose(const pugi::xml_node& GSEControl, const TDataSet_Names& DataSets);

    /// Data objects, owned, in template order.
    TOwned_List<TIEC_DO> List_DO;
    /// Data sets, owned, in document order.
    TOwned_List<TIEC_DataSet> List_DataSet;
    TTree_Node TreeNode = nullptr;

private:
    friend class TIEC_LDevice;

    const TIEC_LDevice* fParent = nullptr;
    std::string flnClass;
    std::string flnType;
    std::string fPrefix;
    std::string fInst;
};

/// One logical device (from an LDevice element).
class TIEC_LDevice : public TSibling<TIEC_LDevice>
{
public:
    TIEC_LDevice() = default;
    explicit TIEC_LDevice(std::string Name);
    ~TIEC_LDevice();
    TIEC_LDevice(const TIEC_LDevice&) = delete;
    TIEC_LDevice& operator=(const TIEC_LDevice&) = delete;

    /// The inst attribute of the LDevice element.
    const std::string& Name() const { return fName; }
    /// The device's name followed by this name, for example IED1LD0.
    std::string Reference() const;
    /// Appends the reference to Reference.
    void Append_Reference(std::string& Reference) const;

    /// The first logical node of class LN_Class in list order (prefix and inst are not compared); null when none.
    TIEC_LN* Find_LN(std::string_view LN_Class) const;

    /// Adds a logical node at the end and makes this device its parent.
    TIEC_LN* Add_LN(std::unique_ptr<TIEC_LN> LN);

    /// Pass 1 (DataSetSearch false): name and logical nodes; pass 2 (true): the data sets of those nodes, whose
    /// members IEC_Device, which must then be given, finds in the device (see Scl_Reader.h).
    void Decode_LDevice(const pugi::xml_node& LDevice, TDTT& DTT, bool DataSetSearch, TFCDA_Resolver* IEC_Device);

    /// Logical nodes, owned, one per LN0 or LN element in document order.
    TOwned_List<TIEC_LN> List_LN;
    TTree_Node TreeNode = nullptr;

private:
    friend class TIEC_Device;

    const TIEC_Device* fParent = nullptr;
    std::string fName;
};

/// One imported SCL file: one IED with its logical devices.
class TIEC_Device
{
public:
    /// Decodes the SCL file at FileName_icd: the IED named IED_Name when the file has one, else its first IED.
    /// A missing file or missing parts give a smaller tree (possibly no name and nothing under it); a file that is
    /// not well-formed XML throws common::TFile_Error naming the file, the line and the reason.
    explicit TIEC_Device(const std::filesystem::path& FileName_icd, std::string_view IED_Name = {},
                         TScl_Read_Mode Mode = TScl_Read_Mode::Needed_Parts);
    /// A device put together without a file.
    static std::unique_ptr<TIEC_Device> Make(std::string Name, std::string FileName);
    ~TIEC_Device();
    TIEC_Device(const TIEC_Device&) = delete;
    TIEC_Device& operator=(const TIEC_Device&) = delete;

    /// The IED's name attribute; empty when the file gave no IED.
    const std::string& Name() const { return fName; }
    /// The SCL file's name without its folder.
    const std::string& FileName() const { return fFileName; }

    /// The first logical device whose name is LD_Name; null when none.
    TIEC_LDevice* Find_LDevice(std::string_view LD_Name) const;

    /// Adds a logical device at the end and makes this device its parent.
    TIEC_LDevice* Add_LDevice(std::unique_ptr<TIEC_LDevice> LDevice);

    /// Logical devices, owned, in the order of the LDevice elements.
    TOwned_List<TIEC_LDevice> List_LDevice;
    TTree_Node TreeNode = nullptr;

private:
    TIEC_Device() = default;
    /// Decodes the chosen IED of the file into this empty device.
    void Decode_Device(const std::filesystem::path& FileName_icd, std::string_view IED_Name, TScl_Read_Mode Mode);

    std::string fName;
    std::string fFileName;
    /// The texts of the decoded objects; the tree is freed first (in the destructor's body).
    TModel_Texts fTexts;
};

} // namespace iec61850
