// The scan that lets the SCL reader parse only what a device is made of.
//
// One pass over the whole file checks that it is well-formed XML 1.0 (one document element; start tags with
// quoted, unique attributes without '<'; matching end tags; comments, CDATA sections, processing instructions and
// a document type declaration where they may stand; valid character and entity references; no control
// characters in text or attribute values), lists the IEDs of the SCL document element, and copies only the elements
// the decoder reads, with only the attributes it reads, under their names without prefix:
//   SCL / IED (the first, and the one asked for by name) / AccessPoint (first) / Server (first) / LDevice /
//   LN0|LN / DataSet / FCDA, and LN0|LN / GSEControl;
//   SCL / DataTypeTemplates (first) / LNodeType / DO, DOType / SDO|DA, DAType / BDA.
// An element is taken only when it belongs to the SCL namespace: no prefix and the namespace of the document
// element, or a prefix bound to http://www.iec.ch/61850/2003/SCL. Everything else (other IEDs, Communication,
// Substation, enumerations, instance values, private content, descriptions) is checked and dropped.
//
// The copy is written over the start of the same buffer: every copied tag is never longer than the tag it was made
// of and is written after that tag was read, so the copy never overtakes the text still to be read.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace iec61850 {

/// Where the text stops being well-formed XML, and why.
struct TXml_Fault
{
    std::size_t Offset;
    const char* Reason;
};

struct TScl_Scan_Result
{
    /// The copy fills Buffer[0, Kept_Size): an SCL element holding the kept elements (0 when nothing was asked
    /// for or the document element is not SCL).
    std::size_t Kept_Size = 0;
    /// The name attribute of each IED of the SCL element, references resolved, in document order.
    std::vector<std::string> IED_Names;
};

/// Told, now and then, that Buffer[From, To) will not be read or written again.
class TScan_Release
{
public:
    virtual void Release(std::size_t From, std::size_t To) = 0;

protected:
    ~TScan_Release() = default;
};

/// Scans Buffer[0, Size). With Keep, the copy of the kept elements (the first IED, and the first IED named IED_Name
/// when that is another one) is written over the buffer; without it the buffer is only read. Throws TXml_Fault.
TScl_Scan_Result Scan_Scl(char* Buffer, std::size_t Size, bool Keep, std::string_view IED_Name,
                          TScan_Release* Release = nullptr);

/// The value of an attribute as it was written between its quotes, with references resolved and tab, CR and LF
/// turned into blanks (the value a parser hands over).
std::string Attribute_Value(std::string_view Raw);

} // namespace iec61850
