#include "common/Grid_Input.h"

#include <gtest/gtest.h>

using namespace common;

TEST(Grid_Header_Auto_Size, OnlyTheHeaderRowWithTheOptionOn)
{
    EXPECT_TRUE(Grid_Header_Auto_Size(true, 0));
    EXPECT_FALSE(Grid_Header_Auto_Size(true, 1));
    EXPECT_FALSE(Grid_Header_Auto_Size(false, 0));
}

struct TEnter_Case
{
    bool Enabled;
    int Key, Row, Col;
    bool Consumed, Move;
    int To_Row, To_Col;
};
class Grid_Enter_Next_Cell_Rule : public ::testing::TestWithParam<TEnter_Case>
{};
TEST_P(Grid_Enter_Next_Cell_Rule, MovesAlongTheTable)
{
    const TEnter_Case& C = GetParam();
    // 3 data rows under the header, 4 columns after the fixed one.
    const TGrid_Enter_Result R = Grid_Enter_Next_Cell(C.Enabled, C.Key, C.Row, C.Col, 4, 5);
    EXPECT_EQ(R.Consumed, C.Consumed);
    EXPECT_EQ(R.Move, C.Move);
    if (C.Move) {
        EXPECT_EQ(R.Row, C.To_Row);
        EXPECT_EQ(R.Col, C.To_Col);
    }
}
// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, Grid_Enter_Next_Cell_Rule, ::testing::Values(
    TEnter_Case{true, 13, 1, 1, true, true, 1, 2},    // next column
    TEnter_Case{true, 13, 2, 4, true, true, 3, 1},    // last column: next row, column 1
    TEnter_Case{true, 13, 3, 4, true, true, 1, 1},    // last cell of the last row: back to row 1
    TEnter_Case{true, 13, 0, 2, true, false, 0, 0},   // header row: key eaten, no move
    TEnter_Case{true, 13, 2, 0, true, false, 0, 0},   // fixed column: key eaten, no move
    TEnter_Case{false, 13, 1, 1, false, false, 0, 0}, // option off
    TEnter_Case{true, 9, 1, 1, false, false, 0, 0})); // another key
// clang-format on
