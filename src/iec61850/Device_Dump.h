// A device tree as text, one line per object in the order the editor's tree shows them (the CLI's scl-dump).
#pragma once

#include "iec61850/Model.h"

#include <ostream>
#include <string>
#include <string_view>

namespace iec61850 {

/// Writes the device, indented two blanks per level:
///   DEV <Name>|<FileName>
///     LD <Name>
///       LN <Prefix>|<lnClass>|<Inst>|<lnType>
///         DO <Name>                        (its sub data objects as DO lines, then its attributes)
///           DA <Reference>|<FC>|<bType>    (its sub attributes as DA lines)
///         DS <Reference>|<GooseName>       (after the data objects of the node)
///           M <Reference>|<FC>|<bType>     (the members of the data set)
/// Texts are written as stored, with backslash, tab, CR and LF as \\, \t, \r and \n.
void Dump_Device(const TIEC_Device& Device, std::ostream& Out);

/// The same as one text.
std::string Dump_Device(const TIEC_Device& Device);

/// A text with backslash, tab, CR and LF written as \\, \t, \r and \n.
std::string Escape_Dump_Text(std::string_view Text);

} // namespace iec61850
