#include "common/Grid_Input.h"

namespace common {

bool Grid_Header_Auto_Size(bool Double_Click_Auto_Size, int Row)
{
    return Double_Click_Auto_Size && Row == 0;
}

TGrid_Enter_Result Grid_Enter_Next_Cell(bool Enable_Jump_Field_Tables, int Key, int Row, int Col, int Row_Count,
                                        int Col_Count)
{
    TGrid_Enter_Result Result;
    if (!Enable_Jump_Field_Tables || Key != Key_Enter)
        return Result;
    Result.Consumed = true;
    if (Row > 0 && Col > 0) {
        Result.Move = true;
        if (Col < Col_Count - 1) {
            Result.Row = Row;
            Result.Col = Col + 1;
        } else {
            Result.Col = 1;
            Result.Row = Row < Row_Count - 1 ? Row + 1 : 1;
        }
    }
    return Result;
}

} // namespace common
