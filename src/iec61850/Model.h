// The in-memory tree of one IEC 61850 server (IED) read from an SCL file: logical devices, logical nodes, data
// objects with their sub data objects, data attributes with their sub attributes, and the data sets of each node.
//
// Parents own their children (std::unique_ptr lists, freed from the last to the first); the members of a data set
// are plain links into the data-object trees of the same device and own nothing. Objects are neither copied nor
// moved, so links into a tree stay valid for as long as its device lives.
#pragma once

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

/// One data attribute (from a DA element) or sub attribute (from a BDA element of a structured type).
class TIEC_DA
{
public:
    TIEC_DA() = default;
    /// An attribute put together without a file (the decoder fills default-constructed ones).
    TIEC_DA(std::string Name, std::string Reference, std::string FC, std::string bType);
    ~TIEC_DA();
    TIEC_DA(const TIEC_DA&) = delete;
    TIEC_DA& operator=(const TIEC_DA&) = delete;

    /// The name attribute of the DA or BDA element.
    const std::string& Name() const { return fName; }
    /// The full reference text, for example IED1LD0/MMXU1.TotW.mag.f (never holds the functional constraint).
    const std::string& Reference() const { return fReference; }
    /// The functional constraint: the element's own fc, else the one of the enclosing attribute.
    const std::string& FC() const { return fFC; }
    /// The basic type exactly as written in the file (FLOAT32, Struct, Enum, Quality, ...).
    const std::string& bType() const { return fbType; }
    /// Only leaves (no sub attributes) can be selected as variables.
    bool Is_Leaf() const { return List_DA.empty(); }

    /// The first sub attribute named DA_Name, depth-first in pre-order over the sub attributes; null when none.
    TIEC_DA* Find_DA(std::string_view DA_Name) const;
    /// Follows the first sub attribute down to a leaf; null when this attribute has no sub attributes.
    TIEC_DA* Find_First_DA() const;

    /// Fills this attribute from a DA or BDA element (see Scl_Reader.h).
    void Decode_DA(const pugi::xml_node& DA, TDTT& DTT, const std::string& str_Reference, const std::string& FC_Father);

    /// Sub attributes, owned, in the order of the BDA elements of the type.
    std::vector<std::unique_ptr<TIEC_DA>> List_DA;
    TTree_Node TreeNode = nullptr;

private:
    std::string fReference;
    std::string fFC;
    std::string fbType;
    std::string fName;
};

/// One data object (from a DO element of a node type) or sub data object (from an SDO element).
/// Its reference text exists only while decoding.
class TIEC_DO
{
public:
    TIEC_DO() = default;
    explicit TIEC_DO(std::string Name);
    ~TIEC_DO();
    TIEC_DO(const TIEC_DO&) = delete;
    TIEC_DO& operator=(const TIEC_DO&) = delete;

    const std::string& Name() const { return fName; }

    /// The first sub data object named DO_Name, depth-first in pre-order; null when none.
    TIEC_DO* Find_DO(std::string_view DO_Name) const;
    /// The first attribute named DA_Name among this object's own attributes and their sub attributes (not those
    /// of its sub data objects), depth-first in pre-order; null when none.
    TIEC_DA* Find_DA(std::string_view DA_Name) const;
    /// Follows the first attribute down to a leaf; null when the object has no attributes.
    TIEC_DA* Find_First_DA() const;

    /// Fills this object from a DO or SDO element (see Scl_Reader.h).
    void Decode_DO(const pugi::xml_node& NDO, TDTT& DTT, const std::string& str_Reference);

    /// Sub data objects, owned, in the order of the SDO elements of the type.
    std::vector<std::unique_ptr<TIEC_DO>> List_DO;
    /// Data attributes, owned, in the order of the DA elements of the type.
    std::vector<std::unique_ptr<TIEC_DA>> List_DA;
    TTree_Node TreeNode = nullptr;

private:
    std::string fName;
};

/// One data set of a logical node. Its members are links to attributes of the same device, never owned.
class TIEC_DataSet
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
class TIEC_LN
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

    /// The first data object named DO_Name, depth-first in pre-order over the data objects and their sub data
    /// objects; null when none.
    TIEC_DO* Find_DO(std::string_view DO_Name) const;

    /// Pass 1: class, type, prefix, inst and the data objects of the node type (see Scl_Reader.h).
    void Decode_LN(const pugi::xml_node& LN, TDTT& DTT, const std::string& str_Reference);
    /// Pass 2: the data sets of the node and their GOOSE names.
    void Decode_LN_DataSet(const pugi::xml_node& LN, const std::string& str_Reference, TFCDA_Resolver& IEC_Device);
    /// The first data set of each name among List_DataSet.
    using TDataSet_Names = std::unordered_map<std::string_view, TIEC_DataSet*>;
    /// Names the first data set of the node that the GSEControl element sends.
    void Decode_LN_Goose(const pugi::xml_node& GSEControl, const TDataSet_Names& DataSets);

    /// Data objects, owned, in template order.
    std::vector<std::unique_ptr<TIEC_DO>> List_DO;
    /// Data sets, owned, in document order.
    std::vector<std::unique_ptr<TIEC_DataSet>> List_DataSet;
    TTree_Node TreeNode = nullptr;

private:
    std::string flnClass;
    std::string flnType;
    std::string fPrefix;
    std::string fInst;
};

/// One logical device (from an LDevice element).
class TIEC_LDevice
{
public:
    TIEC_LDevice() = default;
    explicit TIEC_LDevice(std::string Name);
    ~TIEC_LDevice();
    TIEC_LDevice(const TIEC_LDevice&) = delete;
    TIEC_LDevice& operator=(const TIEC_LDevice&) = delete;

    /// The inst attribute of the LDevice element.
    const std::string& Name() const { return fName; }

    /// The first logical node of class LN_Class in list order (prefix and inst are not compared); null when none.
    TIEC_LN* Find_LN(std::string_view LN_Class) const;

    /// Pass 1 (DataSetSearch false): name and logical nodes; pass 2 (true): the data sets of those nodes, whose
    /// members IEC_Device, which must then be given, finds in the device (see Scl_Reader.h).
    void Decode_LDevice(const pugi::xml_node& LDevice, TDTT& DTT, const std::string& str_Reference, bool DataSetSearch,
                        TFCDA_Resolver* IEC_Device);

    /// Logical nodes, owned, one per LN0 or LN element in document order.
    std::vector<std::unique_ptr<TIEC_LN>> List_LN;
    TTree_Node TreeNode = nullptr;

private:
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

    /// Logical devices, owned, in the order of the LDevice elements.
    std::vector<std::unique_ptr<TIEC_LDevice>> List_LDevice;
    TTree_Node TreeNode = nullptr;

private:
    TIEC_Device() = default;
    /// Decodes the chosen IED of the file into this empty device.
    void Decode_Device(const std::filesystem::path& FileName_icd, std::string_view IED_Name, TScl_Read_Mode Mode);

    std::string fName;
    std::string fFileName;
};

} // namespace iec61850
