#include "access/Access_Rules.h"

#include "common/Byte_Range.h"
#include "common/Int_Conversion.h"
#include "common/Ip_Address.h"
#include "common/Number.h"
#include "common/Text.h"

namespace ct::access {

namespace {

struct TString_Limits
{
    const char* bType;
    int Max_Start;
    int Max_Num; ///< also the largest start + count
    int Start_Entry;
    int Num_Entry;
    int Sum_Entry;
};

constexpr TString_Limits String_Limits[] = {
    {"VISSTRING255", 254, 255, 1262, 1263, 1264},
    {"OCTET64", 63, 64, 1265, 1266, 1267},
};

bool In_Range(const std::string& Text, std::int32_t Low, std::int32_t High)
{
    const auto Value = common::Text_To_Int(Text);
    return Value && *Value >= Low && *Value <= High;
}

// The first failing check of one row, as its catalogue entry; 0 when the row passes.
int Check_Row(const TAccess_Table& Variables, int Row, char Decimal_Separator)
{
    const auto Cell = [&](int Col) -> const std::string& { return Variables.Cell(Row, Col); };
    const std::string bType = common::Ascii_Upper(Cell(Var_Col::bType));
    for (const TString_Limits& Limits : String_Limits) {
        if (bType != Limits.bType)
            continue;
        const std::int32_t Start = common::Text_To_Int_Or(Cell(Var_Col::StartByte), -1);
        const std::int32_t Num = common::Text_To_Int_Or(Cell(Var_Col::NumByte), -1);
        if (Start < 0 || Start > Limits.Max_Start)
            return Limits.Start_Entry;
        if (Num < 1 || Num > Limits.Max_Num)
            return Limits.Num_Entry;
        if (Start + Num > Limits.Max_Num)
            return Limits.Sum_Entry;
    }
    if (!common::Check_IP_Address(Cell(Var_Col::IPAddress)))
        return 1253;
    if (!In_Range(Cell(Var_Col::Port), 0, 65535))
        return 1254;
    if (common::Trim(Cell(Var_Col::OnTimer)) == "Y" && !In_Range(Cell(Var_Col::Time), 1, 100000000))
        return 1255;
    if (!In_Range(Cell(Var_Col::Position), 0, Max_Position))
        return 1256;
    if (common::Ascii_Upper(common::Trim(Cell(Var_Col::MoltFact))) != "NONE") {
        float Factor = 1.0f;
        if (!common::Text_To_Single(Cell(Var_Col::MoltFact), Decimal_Separator, Factor))
            return 1257;
    }
    return 0;
}

} // namespace

std::string Row_Message(const text::TCatalogue& Lang, int Row, int Entry)
{
    std::string Text = Lang[1252] + std::to_string(Row) + Lang[Entry];
    if (Entry == 1256)
        Text += std::to_string(Max_Position);
    return Text;
}

void Set_Start_Num_Byte(TAccess_Table& Variables)
{
    for (int Row = 1; Row <= Variables.Row_Count(); ++Row) {
        const auto Range = common::Fixed_Byte_Range(Variables.Cell(Row, Var_Col::bType));
        if (Range) {
            Variables.Set_Cell(Row, Var_Col::StartByte, std::to_string(Range->Start_Byte));
            Variables.Set_Cell(Row, Var_Col::NumByte, std::to_string(Range->Num_Byte));
        }
        Variables.Set_Read_Only(Row, Var_Col::StartByte, Range.has_value());
        Variables.Set_Read_Only(Row, Var_Col::NumByte, Range.has_value());
    }
}

std::optional<TRow_Refusal> Controllo_dati(const TAccess_Table& Variables, const text::TCatalogue& Lang,
                                           char Decimal_Separator)
{
    for (int Row = 1; Row <= Variables.Row_Count(); ++Row) {
        if (Variables.Cell(Row, Var_Col::bType).empty())
            continue;
        if (const int Entry = Check_Row(Variables, Row, Decimal_Separator))
            return TRow_Refusal{Row, Entry, Row_Message(Lang, Row, Entry)};
    }
    return std::nullopt;
}

} // namespace ct::access
