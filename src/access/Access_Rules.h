// The two rules of the Variables table: the byte range of each basic type, and the check made before saving.
#pragma once

#include "access/Access_Table.h"
#include "text/Catalogue.h"

#include <optional>
#include <string>

namespace ct::access {

/// A row the user must correct: its number (data rows from 1), the catalogue entry of the failed check, and the
/// whole message: entry 1252 "Error row " + the row number + the check's entry (entry 1256 followed by 1399).
struct TRow_Refusal
{
    int Row = 0;
    int Entry = 0;
    std::string Text;

    bool operator==(const TRow_Refusal&) const = default;
};

/// The largest "Position" of the internal data array (1400 places).
inline constexpr int Max_Position = 1399;

/// The message of a failed check of a row, as the user reads it.
std::string Row_Message(const text::TCatalogue& Lang, int Row, int Entry);

/// The type rule: in every data row, a basic type of fixed size (compared upper-cased) gets "0" in "Start Byte"
/// and its size in "Num Byte", both read-only; any other type makes the two cells editable and leaves their text.
void Set_Start_Num_Byte(TAccess_Table& Variables);

/// Checks every data row of the Variables table in order and answers the first failure; nothing when all pass.
/// A row with an empty bType is skipped. Per row, in this order: for VISSTRING255 and OCTET64 the start byte,
/// the byte count and their sum; the IP address; the port 0..65535; the time 1..100000000 when "On Timer" is "Y";
/// the position 0..1399; the multiplication factor unless it reads "None" (any case, blanks around), read with
/// Decimal_Separator. Integers follow common::Text_To_Int. No cell is changed.
std::optional<TRow_Refusal> Controllo_dati(const TAccess_Table& Variables, const text::TCatalogue& Lang,
                                           char Decimal_Separator);

} // namespace ct::access
