#include "access/Access_Table.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace ct::access {

namespace {

std::size_t At(int N)
{
    return static_cast<std::size_t>(N);
}

enum : std::uint8_t { As_Column = 0, Forced_Read_Only = 1, Forced_Editable = 2 };

const std::vector<std::string> Start_Bits{"0", "1", "2", "3", "4", "5", "6", "7"};
const std::vector<std::string> Conversions{"None", "ItoF/FtoI"};

} // namespace

TAccess_Table::TAccess_Table(std::vector<TColumn> Columns) : fColumns(std::move(Columns))
{
    if (fColumns.empty())
        throw std::invalid_argument("a table needs at least one column");
    Reset();
}

void TAccess_Table::Set_Header(int Col, std::string Header)
{
    if (Col >= 0 && Col < Col_Count())
        fColumns[At(Col)].Header = std::move(Header);
}

const std::string& TAccess_Table::Cell(int Row, int Col) const
{
    static const std::string None;
    if (!Has_Row(Row) || Col < 0 || Col >= Col_Count())
        return None;
    return fCells[At(Row - 1)][At(Col)];
}

void TAccess_Table::Set_Cell(int Row, int Col, std::string Text)
{
    if (Has_Row(Row) && Col >= 0 && Col < Col_Count())
        fCells[At(Row - 1)][At(Col)] = std::move(Text);
}

bool TAccess_Table::Read_Only(int Row, int Col) const
{
    if (!Has_Row(Row) || Col < 0 || Col >= Col_Count())
        return true;
    switch (fRead_Only[At(Row - 1)][At(Col)]) {
    case Forced_Read_Only:
        return true;
    case Forced_Editable:
        return false;
    default:
        return fColumns[At(Col)].Read_Only;
    }
}

void TAccess_Table::Set_Read_Only(int Row, int Col, bool Read_Only)
{
    if (Has_Row(Row) && Col >= 0 && Col < Col_Count())
        fRead_Only[At(Row - 1)][At(Col)] = Read_Only ? Forced_Read_Only : Forced_Editable;
}

void TAccess_Table::Reset()
{
    fCells.assign(1, std::vector<std::string>(fColumns.size()));
    fRead_Only.assign(1, std::vector<std::uint8_t>(fColumns.size(), As_Column));
    ++fShape_Generation;
}

int TAccess_Table::Append_Row()
{
    fCells.emplace_back(fColumns.size());
    fRead_Only.emplace_back(fColumns.size(), As_Column);
    ++fShape_Generation;
    return Row_Count();
}

void TAccess_Table::Delete_Row(int Row)
{
    if (!Has_Row(Row))
        return;
    if (Row_Count() == 1) {
        Clear_Row(Row, 0);
        return;
    }
    fCells.erase(fCells.begin() + (Row - 1));
    fRead_Only.erase(fRead_Only.begin() + (Row - 1));
    ++fShape_Generation;
}

void TAccess_Table::Clear_Row(int Row, int From_Col)
{
    if (!Has_Row(Row))
        return;
    for (int Col = std::max(From_Col, 0); Col < Col_Count(); ++Col)
        fCells[At(Row - 1)][At(Col)].clear();
}

void TAccess_Table::Renumber()
{
    for (int Row = 1; Row <= Row_Count(); ++Row)
        fCells[At(Row - 1)][0] = std::to_string(Row);
}

void TAccess_Table::Resize(int Rows)
{
    const std::size_t Size = At(std::max(Rows, 1));
    if (Size == fCells.size())
        return;
    fCells.resize(Size, std::vector<std::string>(fColumns.size()));
    fRead_Only.resize(Size, std::vector<std::uint8_t>(fColumns.size(), As_Column));
    ++fShape_Generation;
}

std::vector<TColumn> Variables_Columns(const text::TCatalogue& Lang)
{
    std::vector<TColumn> Columns(At(Var_Col::Count));
    for (int Col = 0; Col < Var_Col::Count; ++Col)
        Columns[At(Col)].Header = Lang[Variables_Header_Entries[Col]];
    for (int Col : {Var_Col::N, Var_Col::bType, Var_Col::fc, Var_Col::Reference})
        Columns[At(Col)].Read_Only = true;
    for (int Col : {Var_Col::OnChange, Var_Col::OnCMD, Var_Col::OnTimer})
        Columns[At(Col)].Editor = TCell_Editor::Check_Box;
    Columns[At(Var_Col::StartBit)].Editor = TCell_Editor::List;
    Columns[At(Var_Col::StartBit)].Items = Start_Bits;
    Columns[At(Var_Col::ReadWrite)].Editor = TCell_Editor::List;
    Columns[At(Var_Col::ReadWrite)].Items = {"Read", "Write"};
    Columns[At(Var_Col::Convertion)].Editor = TCell_Editor::List;
    Columns[At(Var_Col::Convertion)].Items = Conversions;
    return Columns;
}

std::vector<TColumn> DataSets_Columns()
{
    std::vector<TColumn> Columns;
    for (const char* Header :
         {"N", "Index", "Reference", "Goose Name", "En. Goose", "IP Address", "Port", "Time (ms)", "Mnemonic"})
        Columns.push_back(TColumn{Header, TCell_Editor::Text, {}, false});
    for (int Col : {DS_Col::N, DS_Col::Reference, DS_Col::GooseName})
        Columns[At(Col)].Read_Only = true;
    Columns[At(DS_Col::EnGoose)].Editor = TCell_Editor::Check_Box;
    return Columns;
}

std::vector<TColumn> Members_Columns()
{
    std::vector<TColumn> Columns;
    for (const char* Header :
         {"N", "bType", "Reference", "Position", "Start Bit", "Convertion", "Mult Fact", "Mnemonic"})
        Columns.push_back(TColumn{Header, TCell_Editor::Text, {}, false});
    for (int Col : {Member_Col::N, Member_Col::bType, Member_Col::Reference})
        Columns[At(Col)].Read_Only = true;
    Columns[At(Member_Col::StartBit)].Editor = TCell_Editor::List;
    Columns[At(Member_Col::StartBit)].Items = Start_Bits;
    Columns[At(Member_Col::Convertion)].Editor = TCell_Editor::List;
    Columns[At(Member_Col::Convertion)].Items = Conversions;
    return Columns;
}

std::vector<std::string> Variables_Hints(const text::TCatalogue& Lang)
{
    std::vector<std::string> Hint;
    Hint.reserve(At(Var_Col::Count));
    for (int Entry : Variables_Hint_Entries)
        Hint.push_back(Lang[Entry]);
    return Hint;
}

} // namespace ct::access
