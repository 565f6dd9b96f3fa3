// The editable tables of the access configuration: a header row and data rows of text cells.
//
// Rows are numbered as the user sees them: data rows from 1 to Row_Count(), so that a message "Error row 3" names
// the third data row. Column 0 holds the row number. A table always has at least one data row.
#pragma once

#include "text/Catalogue.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ct::access {

/// How a column's cells are edited.
enum class TCell_Editor {
    Text,      ///< free text
    Check_Box, ///< exactly "Y" (checked) or "N" (unchecked)
    List,      ///< one of the column's Items
};

/// One column: its header, its editor, and whether every cell of it is read-only.
struct TColumn
{
    std::string Header;
    TCell_Editor Editor = TCell_Editor::Text;
    std::vector<std::string> Items; ///< the choices of a List column
    bool Read_Only = false;
};

class TAccess_Table
{
public:
    explicit TAccess_Table(std::vector<TColumn> Columns);

    int Col_Count() const { return static_cast<int>(fColumns.size()); }
    /// The number of data rows (at least 1); rows are numbered 1..Row_Count().
    int Row_Count() const { return static_cast<int>(fCells.size()); }
    bool Has_Row(int Row) const { return Row >= 1 && Row <= Row_Count(); }

    const TColumn& Column(int Col) const { return fColumns.at(static_cast<std::size_t>(Col)); }
    const std::string& Header(int Col) const { return Column(Col).Header; }
    void Set_Header(int Col, std::string Header);

    /// The text of a cell; an empty text for a cell outside the table.
    const std::string& Cell(int Row, int Col) const;
    /// Sets a cell's text whether or not the user may edit it; a cell outside the table is ignored.
    void Set_Cell(int Row, int Col, std::string Text);

    /// Whether the user may not edit the cell: its column is read-only, or the row has made it so.
    bool Read_Only(int Row, int Col) const;
    /// Makes one cell of a row read-only or editable (for cells whose state depends on the row).
    void Set_Read_Only(int Row, int Col, bool Read_Only);

    /// One data row with every cell empty.
    void Reset();
    /// Appends a row with every cell empty and answers its number.
    int Append_Row();
    /// Deletes a row, moving every later row up by one; the only row is never deleted (its cells are emptied).
    void Delete_Row(int Row);
    /// Empties the cells of a row from column From_Col on.
    void Clear_Row(int Row, int From_Col = 1);
    /// Writes 1..Row_Count() into column 0.
    void Renumber();
    /// Makes the table hold Rows data rows (at least 1); new rows are empty.
    void Resize(int Rows);

    /// True when the table holds only its one data row and that row's Index cell (column 1) is empty.
    bool Is_Empty() const { return Row_Count() == 1 && Cell(1, 1).empty(); }

    /// Incremented on every change of the table's shape (rows added, deleted, reset), so that a view can tell
    /// whether its row count is still right.
    std::uint64_t Shape_Generation() const { return fShape_Generation; }

private:
    std::vector<TColumn> fColumns;
    std::vector<std::vector<std::string>> fCells;
    /// Per-row overrides of the read-only state: 0 = as the column says, 1 = read-only, 2 = editable.
    std::vector<std::vector<std::uint8_t>> fRead_Only;
    std::uint64_t fShape_Generation = 0;
};

/// Columns of the Variables table.
namespace Var_Col {
inline constexpr int N = 0, Index = 1, bType = 2, fc = 3, Reference = 4, StartByte = 5, NumByte = 6, IPAddress = 7,
                     Port = 8, OnChange = 9, OnCMD = 10, OnTimer = 11, Time = 12, Position = 13, StartBit = 14,
                     ReadWrite = 15, Convertion = 16, MoltFact = 17, Mnemonic = 18;
inline constexpr int Count = 19;
} // namespace Var_Col

/// Columns of the Data sets table.
namespace DS_Col {
inline constexpr int N = 0, Index = 1, Reference = 2, GooseName = 3, EnGoose = 4, IPAddress = 5, Port = 6, Time = 7,
                     Mnemonic = 8;
inline constexpr int Count = 9;
} // namespace DS_Col

/// Columns of the Members table.
namespace Member_Col {
inline constexpr int N = 0, bType = 1, Reference = 2, Position = 3, StartBit = 4, Convertion = 5, MultFact = 6,
                     Mnemonic = 7;
inline constexpr int Count = 8;
} // namespace Member_Col

/// The catalogue entries of the Variables table's headers, by column.
inline constexpr int Variables_Header_Entries[Var_Col::Count] = {
    1218, 1219, 1220, 1221, 1222, 1258, 1259, 1223, 1224, 1225, 1226, 1227, 1228, 1229, 1230, 1231, 1232, 1233, 1234};
/// The catalogue entries of the Variables table's header hints, by column.
inline constexpr int Variables_Hint_Entries[Var_Col::Count] = {
    1235, 1236, 1237, 1238, 1239, 1260, 1261, 1240, 1241, 1242, 1243, 1244, 1245, 1246, 1247, 1248, 1249, 1250, 1251};

/// The file attributes of Variables columns 1..18, in the order they are written.
inline constexpr const char* Variables_Attributes[Var_Col::Count - 1] = {
    "Index", "bType",   "fc",   "Reference", "StartByte", "NumByte",   "IPAddress",  "Port",     "OnChange",
    "OnCMD", "OnTimer", "Time", "Position",  "StartBit",  "ReadWrite", "Convertion", "MoltFact", "Mnemonic"};
/// The file attributes of Data sets columns 1..8, in the order they are written.
inline constexpr const char* DataSets_Attributes[DS_Col::Count - 1] = {
    "Index", "Reference", "GooseName", "EnGoose", "IPAddress", "Port", "Time", "Mnemonic"};

/// The Variables table's columns with their headers from the catalogue.
std::vector<TColumn> Variables_Columns(const text::TCatalogue& Lang);
/// The Data sets table's columns (fixed headers).
std::vector<TColumn> DataSets_Columns();
/// The Members table's columns (fixed headers).
std::vector<TColumn> Members_Columns();
/// The header hints of the Variables table, by column, from the catalogue.
std::vector<std::string> Variables_Hints(const text::TCatalogue& Lang);

} // namespace ct::access
