// The SCL file reader: turns one SCL file (SCD, SSD, SED, ICD, IID, CID) into the device tree of Model.h.
//
// It reads the first IED element of the SCL element (or the one the caller names) and the first
// DataTypeTemplates element, and ignores everything else: other IEDs, the Communication and Substation sections,
// enumerations, instance values (DOI, DAI, SDI), report and sampled-value control blocks, descriptions.
// Element names are compared exactly; an element counts as an SCL element when it carries no prefix or a prefix
// bound to the SCL namespace (http://www.iec.ch/61850/2003/SCL), so <scl:LN> with xmlns:scl bound to it reads like
// <LN>, while <esld:FCDA> of another namespace is ignored.
//
// The decoding steps are the Decode_* operations of the model classes:
//  - TIEC_Device: the IED's name, then its first AccessPoint's first Server; pass 1 decodes every LDevice of it
//    (names, logical nodes, data objects), pass 2 the data sets, whose members may lie in any logical device.
//  - TIEC_LN: reference = LD reference + "/" + prefix + lnClass + inst; a node without lnType gets no data objects
//    and no data sets; every LNodeType whose id equals lnType is expanded, in document order.
//  - TIEC_DO: every DOType whose id equals the type: SDO children become sub data objects, DA children
//    attributes (FC from their own fc only).
//  - TIEC_DA: fc replaces the inherited FC; a type that is not "Enum" expands every DAType with that id, each BDA
//    a sub attribute inheriting this attribute's FC.
//  - TIEC_DataSet: reference = LD reference + "/" + lnClass + "." + name; each FCDA resolves through Find_LDevice
//    (ldInst), Find_LN (lnClass: the first node of that class), Find_DO (doName), then Find_DA (daName) or, without
//    daName, Find_First_DA; an FCDA that does not resolve is left out.
//  - GSEControl: names the first data set of its node whose name equals datSet.
// A type found again on the current expansion path, or an expansion deeper than TDTT::Max_Depth levels, is not
// expanded there: the object stays in the tree without children. A device whose objects would take more memory than
// Device_Memory_Limit() is refused with a common::TFile_Error naming the file.
#pragma once

#include "iec61850/Model.h"

#include <pugixml.hpp>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace iec61850 {

class TScl_Text;

/// The parsed parts of an SCL file that a device is made of. The nodes live as long as this object.
struct TScl_Parts
{
    TScl_Parts();
    ~TScl_Parts();
    TScl_Parts(const TScl_Parts&) = delete;
    TScl_Parts& operator=(const TScl_Parts&) = delete;

    /// The text the document was parsed from in place.
    std::unique_ptr<TScl_Text> Text;
    pugi::xml_document Doc;
    /// The chosen IED element; null when the SCL element has no IED (or the file no SCL element).
    pugi::xml_node IED;
    /// The first DataTypeTemplates element; null when there is none.
    pugi::xml_node DTT;
    /// The name attribute of every IED element of the SCL element, in document order ("" for an IED without one).
    std::vector<std::string> IED_Names;
};

/// The largest SCL file the reader takes; a larger one is refused with a common::TFile_Error before it is read.
/// The scan reads a file through a mapping whose pages it hands back as it goes, so memory follows the chosen IED,
/// not the file; a file the parser must read whole (UTF-16, UTF-32, or TScl_Read_Mode::Whole_Document) needs a
/// few times its size.
inline constexpr std::uintmax_t Max_Scl_File_Size = std::uintmax_t{1} << 30;

/// Reads the parts of File that a device is made of: the IED named IED_Name when there is one, else the first IED.
/// Returns null when no file exists at the path. Throws common::TFile_Error naming the file, the line and the reason
/// when the file cannot be read or is not well-formed XML.
std::unique_ptr<TScl_Parts> Read_Scl_Parts(const std::filesystem::path& File, std::string_view IED_Name = {},
                                           TScl_Read_Mode Mode = TScl_Read_Mode::Needed_Parts);

/// The names of the IEDs of File in document order (empty when the file does not exist or has no SCL element).
/// Throws like Read_Scl_Parts.
std::vector<std::string> List_IED_Names(const std::filesystem::path& File);

/// The DataTypeTemplates element with its templates indexed by id (templates that share an id stay in document
/// order), and the current expansion path, which keeps a type from being expanded inside itself.
class TDTT
{
public:
    /// A DataTypeTemplates element; a null node gives templates that match no id. The decoded objects keep their
    /// texts in Texts.
    TDTT(const pugi::xml_node& DataTypeTemplates, TModel_Texts& Texts);

    const std::vector<pugi::xml_node>& LNodeType(std::string_view Id) const { return Find(fLNodeType, Id); }
    const std::vector<pugi::xml_node>& DOType(std::string_view Id) const { return Find(fDOType, Id); }
    const std::vector<pugi::xml_node>& DAType(std::string_view Id) const { return Find(fDAType, Id); }

    /// The most type expansions one path from a logical node down to a leaf may hold.
    static constexpr std::size_t Max_Depth = 64;

    enum class TKind { DOType, DAType };
    /// Puts a type on the current expansion path. False (and nothing changes) when the same type is already on
    /// the path or the path already holds Max_Depth types: the caller then leaves the object without children.
    bool Enter(TKind Kind, std::string_view Id);
    /// Takes the last entered type off the path.
    void Leave() { fPath.pop_back(); }

    /// Counts one more object of the device that takes about Bytes of memory: its size and the length of its
    /// reference, which is put together whenever the object is shown or written. A few kilobytes of nested
    /// templates can describe billions of attributes, and a long name is repeated in every reference below it:
    /// past Device_Memory_Limit() the file is refused (TExpansion_Limit) instead of exhausting the memory.
    void Count_Object(std::size_t Bytes);
    /// The kept texts of an attribute and the kept name of a data object (counted like objects).
    const TDA_Texts* DA_Texts(std::string_view Name, std::string_view FC, std::string_view bType);
    const std::string* DO_Name(std::string_view Name);

private:
    using TIndex = std::unordered_map<std::string_view, std::vector<pugi::xml_node>>;
    static const std::vector<pugi::xml_node>& Find(const TIndex& Index, std::string_view Id);

    TIndex fLNodeType;
    TIndex fDOType;
    TIndex fDAType;
    struct TStep
    {
        TKind Kind;
        std::string_view Id;
    };
    std::vector<TStep> fPath;
    TModel_Texts& fTexts;
    std::size_t fBytes = 0;
    std::size_t fLimit;
};

/// The most memory the objects of one decoded device may take: half of the machine's physical memory (4 GB when
/// it cannot be learnt), or what Set_Device_Memory_Limit set.
std::size_t Device_Memory_Limit();
/// Sets the limit for the devices decoded from now on; 0 restores the default. For tests and fuzzing, which must
/// see the refusal without using half of the machine's memory first.
void Set_Device_Memory_Limit(std::size_t Bytes);

/// A device that would take more than Device_Memory_Limit().
class TExpansion_Limit : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

/// Finds data set members in a device exactly as Find_LDevice, Find_LN, Find_DO and then Find_DA or Find_First_DA
/// would (the first match in list order, depth-first in pre-order), through indexes built when first needed, so that
/// many FCDA over large logical devices and nodes cost time in proportion to the device, not to their product.
/// The device must not change while the resolver is used.
class TFCDA_Resolver
{
public:
    explicit TFCDA_Resolver(const TIEC_Device& Device);

    /// The member an FCDA names; null when one of the steps finds nothing or its key is empty.
    TIEC_DA* Resolve(std::string_view ldInst, std::string_view lnClass, std::string_view doName,
                     std::string_view daName);

private:
    struct THash
    {
        using is_transparent = void;
        std::size_t operator()(std::string_view Text) const { return std::hash<std::string_view>()(Text); }
    };
    // Names of logical devices and nodes are copied (the second pass takes them from the file again); names of
    // data objects and attributes are kept by the device and referred to.
    template <class T> using TBy_Name = std::unordered_map<std::string, T*, THash, std::equal_to<>>;
    // Every object below a node or data object, sorted by name and then in pre-order; made only for those that
    // hold many (small ones are searched as they are).
    template <class T> using TSorted_Names = std::vector<std::pair<std::string_view, T*>>;

    const TIEC_Device& fDevice;
    bool fHave_LDevices = false;
    TBy_Name<TIEC_LDevice> fLDevices;
    std::unordered_map<const TIEC_LDevice*, TBy_Name<TIEC_LN>> fLNs;
    std::unordered_map<const TIEC_LN*, TSorted_Names<TIEC_DO>> fDOs;
    std::unordered_map<const TIEC_DO*, TSorted_Names<TIEC_DA>> fDAs;
};

} // namespace iec61850
