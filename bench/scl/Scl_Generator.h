// Synthetic SCL files for the reader's benchmark: IEDs with logical devices, logical nodes with instance values,
// data sets, GOOSE and report control blocks, a Communication and a Substation section, and data type templates
// with nested sub data objects and structured attributes.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>

namespace scl_bench {

struct TScl_Shape
{
    int IEDs = 8;
    int LDevices = 4; // per IED
    int LNs = 30;     // per logical device, besides LLN0
    int Depth = 2;    // levels of SDO nesting in the data object types and of BDA nesting in the attribute types
    int Types = 20;   // logical node types (with as many data object and attribute types)
    int DataSets = 4; // per logical device, in LLN0
    int FCDAs = 20;   // per data set
    int DOIs = 10;    // instance values per logical node
};

/// Writes a whole SCL file of that shape.
void Generate_Scl(std::ostream& Out, const TScl_Shape& Shape);

/// The size in bytes of the file Generate_Scl writes for the shape.
std::uint64_t Generated_Size(const TScl_Shape& Shape);

/// The shape with the given counts per IED, scaled to about Bytes: more IEDs when Multi_IED, else more logical
/// devices in the one IED.
TScl_Shape Scaled_Shape(TScl_Shape Shape, std::uint64_t Bytes, bool Multi_IED);

} // namespace scl_bench
