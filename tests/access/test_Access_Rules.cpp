// The type rule and the check of the Variables table.
#include "access/Access_Rules.h"

#include "Access_Test_Support.h"

#include <gtest/gtest.h>

#include <map>

using namespace ct::access;
using access_test::English;

namespace {

TAccess_Table Variables_Table()
{
    return TAccess_Table(Variables_Columns(English()));
}

// ----- Type rule ------------------------------------------------------------------------------------------------

struct TType_Case
{
    const char* bType;
    const char* Start_In;
    const char* Num_In;
    const char* Start_Want;
    const char* Num_Want;
    bool Read_Only;
};

class Type_Rule : public ::testing::TestWithParam<TType_Case>
{};

TEST_P(Type_Rule, SetsTheByteRangeOfFixedSizeTypes)
{
    const TType_Case& Case = GetParam();
    TAccess_Table Table = Variables_Table();
    Table.Append_Row();
    // Row 2 starts out read-only, so an editable result is the rule's doing.
    Table.Set_Read_Only(2, Var_Col::StartByte, true);
    Table.Set_Read_Only(2, Var_Col::NumByte, true);
    Table.Set_Cell(2, Var_Col::bType, Case.bType);
    Table.Set_Cell(2, Var_Col::StartByte, Case.Start_In);
    Table.Set_Cell(2, Var_Col::NumByte, Case.Num_In);
    Set_Start_Num_Byte(Table);
    EXPECT_EQ(Table.Cell(2, Var_Col::StartByte), Case.Start_Want);
    EXPECT_EQ(Table.Cell(2, Var_Col::NumByte), Case.Num_Want);
    EXPECT_EQ(Table.Read_Only(2, Var_Col::StartByte), Case.Read_Only);
    EXPECT_EQ(Table.Read_Only(2, Var_Col::NumByte), Case.Read_Only);
    EXPECT_FALSE(Table.Read_Only(2, Var_Col::IPAddress));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Types, Type_Rule, ::testing::Values(
    TType_Case{"FLOAT32",      "7", "9", "0", "4", true},
    TType_Case{"Float32",      "",  "",  "0", "4", true},
    TType_Case{"Quality",      "",  "",  "0", "4", true},
    TType_Case{"INT32U",       "",  "",  "0", "4", true},
    TType_Case{"Int64",        "",  "",  "0", "8", true},
    TType_Case{"FLOAT64",      "",  "",  "0", "8", true},
    TType_Case{"Timestamp",    "",  "",  "0", "1", true},
    TType_Case{"Enum",         "",  "",  "0", "1", true},
    TType_Case{"BOOLEAN",      "",  "",  "0", "1", true},
    TType_Case{"INT8",         "",  "",  "0", "1", true},
    TType_Case{"INT16U",       "",  "",  "0", "2", true},
    TType_Case{"VisString255", "3", "7", "3", "7", false},
    TType_Case{"Octet64",      "",  "",  "",  "",  false},
    TType_Case{"Dbpos",        "x", "y", "x", "y", false},
    TType_Case{"",             "1", "2", "1", "2", false}));
// clang-format on

// ----- Check ----------------------------------------------------------------------------------------------------

// A row that passes every check; each case changes some of its cells.
std::map<int, std::string> Valid_Row()
{
    return {{Var_Col::Index, "0"},
            {Var_Col::bType, "FLOAT32"},
            {Var_Col::fc, "MX"},
            {Var_Col::Reference, "R"},
            {Var_Col::IPAddress, "192.168.1.10"},
            {Var_Col::Port, "102"},
            {Var_Col::OnChange, "N"},
            {Var_Col::OnCMD, "N"},
            {Var_Col::OnTimer, "N"},
            {Var_Col::Time, ""},
            {Var_Col::Position, "0"},
            {Var_Col::MoltFact, "None"}};
}

struct TCheck_Case
{
    const char* Name;
    std::map<int, std::string> Cells; ///< changed cells of the valid row
    int Entry;                        ///< 0: the row passes
    char Separator = ',';
};

class Controllo_Dati_Row : public ::testing::TestWithParam<TCheck_Case>
{};

TEST_P(Controllo_Dati_Row, ReportsTheFirstFailingCheck)
{
    const TCheck_Case& Case = GetParam();
    TAccess_Table Table = Variables_Table();
    auto Cells = Valid_Row();
    for (const auto& [Col, Text] : Case.Cells)
        Cells[Col] = Text;
    for (const auto& [Col, Text] : Cells)
        Table.Set_Cell(1, Col, Text);
    const auto Refusal = Controllo_dati(Table, English(), Case.Separator);
    if (Case.Entry == 0) {
        EXPECT_FALSE(Refusal) << Refusal->Text;
    } else {
        ASSERT_TRUE(Refusal);
        EXPECT_EQ(Refusal->Entry, Case.Entry);
        EXPECT_EQ(Refusal->Row, 1);
    }
}

using C = std::map<int, std::string>;
constexpr int bT = Var_Col::bType, SB = Var_Col::StartByte, NB = Var_Col::NumByte, IP = Var_Col::IPAddress,
              PO = Var_Col::Port, OT = Var_Col::OnTimer, TI = Var_Col::Time, PS = Var_Col::Position,
              MF = Var_Col::MoltFact;

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, Controllo_Dati_Row, ::testing::Values(
    TCheck_Case{"valid", {}, 0},
    TCheck_Case{"vis_sum_255", {{bT, "VisString255"}, {SB, "100"}, {NB, "155"}}, 0},
    TCheck_Case{"vis_sum_256", {{bT, "VisString255"}, {SB, "100"}, {NB, "156"}}, 1264},
    TCheck_Case{"vis_start_255", {{bT, "VISSTRING255"}, {SB, "255"}, {NB, "1"}}, 1262},
    TCheck_Case{"vis_start_not_int", {{bT, "visstring255"}, {SB, "1a"}, {NB, "1"}}, 1262},
    TCheck_Case{"vis_count_0", {{bT, "VisString255"}, {SB, "0"}, {NB, "0"}}, 1263},
    TCheck_Case{"vis_count_256", {{bT, "VisString255"}, {SB, "0"}, {NB, "256"}}, 1263},
    TCheck_Case{"oct_start_empty", {{bT, "Octet64"}, {SB, ""}, {NB, "1"}}, 1265},
    TCheck_Case{"oct_count_65", {{bT, "Octet64"}, {SB, "0"}, {NB, "65"}}, 1266},
    TCheck_Case{"oct_sum_65", {{bT, "Octet64"}, {SB, "10"}, {NB, "55"}}, 1267},
    TCheck_Case{"oct_sum_64_hex", {{bT, "Octet64"}, {SB, "$0A"}, {NB, "54"}}, 0},
    TCheck_Case{"dbpos_any_range", {{bT, "Dbpos"}, {SB, "abc"}, {NB, "-9"}}, 0},
    TCheck_Case{"string_before_ip", {{bT, "Octet64"}, {SB, "64"}, {IP, ""}}, 1265},
    TCheck_Case{"ip_256", {{IP, "256.1.1.1"}}, 1253},
    TCheck_Case{"ip_empty", {{IP, ""}}, 1253},
    TCheck_Case{"ip_blanks", {{IP, " 10 . 0 .0. 1 "}}, 0},
    TCheck_Case{"ip_before_port", {{IP, "1.2.3"}, {PO, ""}}, 1253},
    TCheck_Case{"port_empty", {{PO, ""}}, 1254},
    TCheck_Case{"port_65536", {{PO, "65536"}}, 1254},
    TCheck_Case{"port_negative", {{PO, "-1"}}, 1254},
    TCheck_Case{"port_hex_max", {{PO, "0xFFFF"}}, 0},
    TCheck_Case{"port_trailing_blank", {{PO, "102 "}}, 1254},
    TCheck_Case{"timer_off_time_empty", {{OT, "N"}, {TI, ""}}, 0},
    TCheck_Case{"timer_on_time_empty", {{OT, "Y"}, {TI, ""}}, 1255},
    TCheck_Case{"timer_trimmed_time_0", {{OT, " Y "}, {TI, "0"}}, 1255},
    TCheck_Case{"timer_lower_case_is_off", {{OT, "y"}, {TI, ""}}, 0},
    TCheck_Case{"timer_max", {{OT, "Y"}, {TI, "100000000"}}, 0},
    TCheck_Case{"timer_above_max", {{OT, "Y"}, {TI, "100000001"}}, 1255},
    TCheck_Case{"position_1399", {{PS, "1399"}}, 0},
    TCheck_Case{"position_1400", {{PS, "1400"}}, 1256},
    TCheck_Case{"position_empty", {{PS, ""}}, 1256},
    TCheck_Case{"factor_none_any_case", {{MF, " nOnE "}}, 0},
    TCheck_Case{"factor_empty", {{MF, ""}}, 1257},
    TCheck_Case{"factor_text", {{MF, "abc"}}, 1257},
    TCheck_Case{"factor_point_with_comma_separator", {{MF, "1.5"}}, 0, ','},
    TCheck_Case{"factor_comma_with_point_separator", {{MF, "-2,25"}}, 0, '.'},
    TCheck_Case{"position_before_factor", {{PS, "x"}, {MF, ""}}, 1256}),
    [](const ::testing::TestParamInfo<TCheck_Case>& Info) { return std::string(Info.param.Name); });
// clang-format on

TEST(Controllo_Dati, MessageNamesTheFirstFailingRow)
{
    TAccess_Table Table = Variables_Table();
    for (int Row = 1; Row <= 4; ++Row) {
        if (Row > 1)
            Table.Append_Row();
        for (const auto& [Col, Text] : Valid_Row())
            Table.Set_Cell(Row, Col, Text);
    }
    Table.Set_Cell(3, Var_Col::Port, "70000");
    Table.Set_Cell(4, Var_Col::Position, "");
    auto Refusal = Controllo_dati(Table, English(), ',');
    ASSERT_TRUE(Refusal);
    EXPECT_EQ(*Refusal, (TRow_Refusal{3, 1254, "Error row 3!! Port must be between 0 and 65535"}));

    Table.Set_Cell(3, Var_Col::Port, "502");
    Refusal = Controllo_dati(Table, English(), ',');
    ASSERT_TRUE(Refusal);
    EXPECT_EQ(Refusal->Text, "Error row 4!! Position must be between 0 and 1399");
    // The check changes no cell.
    EXPECT_EQ(Table.Cell(4, Var_Col::Position), "");
}

TEST(Controllo_Dati, RowsWithoutTypeAreNeverChecked)
{
    TAccess_Table Table = Variables_Table();
    EXPECT_FALSE(Controllo_dati(Table, English(), ','));
    // A row without bType but with invalid cells, as a cleared row leaves them.
    Table.Set_Cell(1, Var_Col::Index, "0");
    Table.Set_Cell(1, Var_Col::Port, "x");
    Table.Append_Row();
    for (const auto& [Col, Text] : Valid_Row())
        Table.Set_Cell(2, Col, Text);
    EXPECT_FALSE(Controllo_dati(Table, English(), ','));
}

TEST(Controllo_Dati, MessageFollowsTheCatalogue)
{
    text::TCatalogue Lang = English();
    Lang.Lang_Strings[1252] = "Riga ";
    Lang.Lang_Strings[1254] = ": porta errata";
    TAccess_Table Table = Variables_Table();
    for (const auto& [Col, Text] : Valid_Row())
        Table.Set_Cell(1, Col, Text);
    Table.Set_Cell(1, Var_Col::Port, "");
    EXPECT_EQ(Controllo_dati(Table, Lang, ',')->Text, "Riga 1: porta errata");
}

} // namespace
