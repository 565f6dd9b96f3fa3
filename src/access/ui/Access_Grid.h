// The three tables of the access editor as Qt model/view over the core tables: the header row is the view's
// header, column 0 ("N", the row number) the first model column, shown like a header. Each cell's editor follows its
// column (free text, a check box holding "Y"/"N", or a drop-down list of the column's items), and a cell the core
// calls read-only cannot be edited. Every edit goes through TAccess_Model::Edit_Cell.
#pragma once

#include "access/Access_Model.h"

#include <QAbstractTableModel>
#include <QStyledItemDelegate>
#include <QTableView>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace ct::access {

class TAccess_Table_Model final : public QAbstractTableModel
{
    Q_OBJECT
public:
    TAccess_Table_Model(TAccess_Model& Model, TTable_Id Id, QObject* Parent = nullptr);

    TTable_Id Id() const { return fId; }
    const TAccess_Table& Table() const { return fModel.Table(fId); }

    /// The header hints by column (the Variables table's come from the catalogue); none for a missing entry.
    void Set_Hints(std::vector<std::string> Hints);
    /// Shows the core table as it is now: the view starts afresh when rows were added or removed, otherwise every
    /// cell and header is repainted.
    void Refresh();
    /// While frozen the view shows no rows: the core table is being rebuilt (a load that lets the window repaint).
    void Freeze(bool Frozen);

    /// Model row (0-based) of a core data row (from 1) and back.
    static int Core_Row(int Row) { return Row + 1; }

    int rowCount(const QModelIndex& Parent = {}) const override;
    int columnCount(const QModelIndex& Parent = {}) const override;
    QVariant data(const QModelIndex& Index, int Role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& Index, const QVariant& Value, int Role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& Index) const override;
    QVariant headerData(int Section, Qt::Orientation Orientation, int Role = Qt::DisplayRole) const override;

private:
    TAccess_Model& fModel;
    TTable_Id fId;
    std::vector<std::string> fHints;
    std::uint64_t fShape = 0;
    bool fFrozen = false;
};

/// The drop-down editor of list columns; other cells get the usual line edit, check boxes toggle in place.
class TAccess_Delegate final : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* Parent, const QStyleOptionViewItem& Option, const QModelIndex& Index) const override;
    void setEditorData(QWidget* Editor, const QModelIndex& Index) const override;
    void setModelData(QWidget* Editor, QAbstractItemModel* Model, const QModelIndex& Index) const override;
};

/// One editable table: column 0 selects its row when clicked, a header double-click sizes the column to its content
/// when Double_Click_Auto_Size is on, and Enter moves to the next cell when Enable_Jump_Field_Tables is on (both
/// read at the moment they act).
class TAccess_Grid final : public QTableView
{
    Q_OBJECT
public:
    TAccess_Grid(TAccess_Table_Model* Model, std::function<bool()> Double_Click_Auto_Size,
                 std::function<bool()> Enable_Jump_Field_Tables, QWidget* Parent = nullptr);

    TAccess_Table_Model* Table_Model() const { return fModel; }
    /// The core row (from 1) of the current cell; 0 when there is none.
    int Current_Row() const;
    /// Makes the cell of core row Row (from 1) and column Col current; no current cell for a row outside.
    void Set_Current_Cell(int Row, int Col);

    /// The Enter key in the table while no cell is being edited: answers true when the table must not process it.
    bool Enter_Key();
    /// A double-click on a cell of Row (0: the header row) and column Col.
    void Double_Click_Cell(int Row, int Col);

protected:
    void keyPressEvent(QKeyEvent* Event) override;
    void closeEditor(QWidget* Editor, QAbstractItemDelegate::EndEditHint Hint) override;

private:
    TAccess_Table_Model* fModel;
    std::function<bool()> fDouble_Click_Auto_Size;
    std::function<bool()> fEnable_Jump_Field_Tables;
};

} // namespace ct::access
