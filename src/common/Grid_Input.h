// The two input behaviours of the editing tables, decided without widgets; the windows only apply them.
#pragma once

namespace common {

/// Double-click on a cell: the column is sized to its content only for the header row and with the option on.
bool Grid_Header_Auto_Size(bool Double_Click_Auto_Size, int Row);

constexpr int Key_Enter = 13;

struct TGrid_Enter_Result
{
    bool Consumed = false; ///< the table must not process the key itself
    bool Move = false;     ///< the current cell changes to (Row, Col)
    int Row = 0;
    int Col = 0;
};

/// Enter in a table with the option on: moves to the next column, or to column 1 of the next row (row 1 after
/// the last row), and consumes the key; in the fixed column or header row it only consumes the key.
/// Row_Count and Col_Count include the header row and the fixed first column.
TGrid_Enter_Result Grid_Enter_Next_Cell(bool Enable_Jump_Field_Tables, int Key, int Row, int Col, int Row_Count,
                                        int Col_Count);

} // namespace common
