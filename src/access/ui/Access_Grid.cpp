#include "access/ui/Access_Grid.h"

#include "common/Grid_Input.h"

#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>

namespace ct::access {

namespace {

const QColor Fixed_Background(0xEC, 0xEC, 0xEC);     // column 0, like the header
const QColor Read_Only_Background(0xF6, 0xF6, 0xF6); // cells the user cannot edit

} // namespace

// ----- TAccess_Table_Model ------------------------------------------------------------------------------------------

TAccess_Table_Model::TAccess_Table_Model(TAccess_Model& Model, TTable_Id Id, QObject* Parent)
    : QAbstractTableModel(Parent), fModel(Model), fId(Id), fShape(Model.Table(Id).Shape_Generation())
{}

void TAccess_Table_Model::Set_Hints(std::vector<std::string> Hints)
{
    fHints = std::move(Hints);
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

void TAccess_Table_Model::Refresh()
{
    if (fFrozen)
        return;
    if (Table().Shape_Generation() != fShape) {
        beginResetModel();
        fShape = Table().Shape_Generation();
        endResetModel();
        return;
    }
    emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

void TAccess_Table_Model::Freeze(bool Frozen)
{
    if (Frozen == fFrozen)
        return;
    beginResetModel();
    fFrozen = Frozen;
    fShape = Table().Shape_Generation();
    endResetModel();
}

int TAccess_Table_Model::rowCount(const QModelIndex& Parent) const
{
    return Parent.isValid() || fFrozen ? 0 : Table().Row_Count();
}

int TAccess_Table_Model::columnCount(const QModelIndex& Parent) const
{
    return Parent.isValid() ? 0 : Table().Col_Count();
}

QVariant TAccess_Table_Model::data(const QModelIndex& Index, int Role) const
{
    if (!Index.isValid() || fFrozen)
        return {};
    const TAccess_Table& Grid = Table();
    const int Row = Core_Row(Index.row());
    const int Col = Index.column();
    const std::string& Text = Grid.Cell(Row, Col);
    const bool Check_Box = Grid.Column(Col).Editor == TCell_Editor::Check_Box;
    switch (Role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return QString::fromStdString(Text);
    case Qt::CheckStateRole:
        // The one row of an empty table shows no check boxes; every row of a filled table does.
        if (!Check_Box || (Text.empty() && Grid.Is_Empty()))
            return {};
        return Text == "Y" ? Qt::Checked : Qt::Unchecked;
    case Qt::TextAlignmentRole:
        if (Col == 0)
            return int(Qt::AlignCenter);
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    case Qt::BackgroundRole:
        if (Col == 0)
            return Fixed_Background;
        if (Grid.Read_Only(Row, Col))
            return Read_Only_Background;
        return {};
    default:
        return {};
    }
}

bool TAccess_Table_Model::setData(const QModelIndex& Index, const QVariant& Value, int Role)
{
    if (!Index.isValid() || fFrozen)
        return false;
    const int Row = Core_Row(Index.row());
    const int Col = Index.column();
    if (Role != Qt::CheckStateRole && Role != Qt::EditRole)
        return false;
    std::string Text = Role == Qt::CheckStateRole ? std::string(Value.toInt() == Qt::Checked ? "Y" : "N")
                                                  : Value.toString().toStdString();
    if (Role == Qt::EditRole && Table().Cell(Row, Col) == Text)
        return true;
    if (!fModel.Edit_Cell(fId, Row, Col, std::move(Text)))
        return false;
    emit dataChanged(index(Index.row(), 0), index(Index.row(), columnCount() - 1));
    return true;
}

Qt::ItemFlags TAccess_Table_Model::flags(const QModelIndex& Index) const
{
    if (!Index.isValid() || fFrozen)
        return Qt::NoItemFlags;
    const Qt::ItemFlags Base = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    const int Row = Core_Row(Index.row());
    const int Col = Index.column();
    if (Col == 0 || Table().Read_Only(Row, Col))
        return Base;
    if (Table().Column(Col).Editor == TCell_Editor::Check_Box)
        return Base | Qt::ItemIsUserCheckable;
    return Base | Qt::ItemIsEditable;
}

QVariant TAccess_Table_Model::headerData(int Section, Qt::Orientation Orientation, int Role) const
{
    if (Orientation == Qt::Vertical) {
        if (Role == Qt::DisplayRole)
            return Section + 1;
        return {};
    }
    if (Section < 0 || Section >= columnCount())
        return {};
    if (Role == Qt::DisplayRole)
        return QString::fromStdString(Table().Header(Section));
    // The hint over a header cell of column c > 0 is entry c of the hints.
    if (Role == Qt::ToolTipRole && Section > 0 && static_cast<std::size_t>(Section) < fHints.size() &&
        !fHints[static_cast<std::size_t>(Section)].empty())
        return QString::fromStdString(fHints[static_cast<std::size_t>(Section)]);
    return {};
}

// ----- TAccess_Delegate ---------------------------------------------------------------------------------------------

namespace {

const TColumn* Column_Of(const QModelIndex& Index)
{
    const auto* Model = qobject_cast<const TAccess_Table_Model*>(Index.model());
    if (!Model || Index.column() < 0 || Index.column() >= Model->columnCount())
        return nullptr;
    return &Model->Table().Column(Index.column());
}

} // namespace

QWidget* TAccess_Delegate::createEditor(QWidget* Parent, const QStyleOptionViewItem& Option,
                                        const QModelIndex& Index) const
{
    const TColumn* Column = Column_Of(Index);
    if (Column && Column->Editor == TCell_Editor::Check_Box)
        return nullptr; // toggled in place
    if (!Column || Column->Editor != TCell_Editor::List)
        return QStyledItemDelegate::createEditor(Parent, Option, Index);
    auto* List = new QComboBox(Parent);
    List->setObjectName(QStringLiteral("Cell_List"));
    List->setEditable(false); // only the column's items
    for (const std::string& Item : Column->Items)
        List->addItem(QString::fromStdString(Item));
    auto* Self = const_cast<TAccess_Delegate*>(this);
    connect(List, &QComboBox::activated, Self, [Self, List] {
        emit Self->commitData(List);
        emit Self->closeEditor(List, QAbstractItemDelegate::NoHint);
    });
    return List;
}

void TAccess_Delegate::setEditorData(QWidget* Editor, const QModelIndex& Index) const
{
    if (auto* List = qobject_cast<QComboBox*>(Editor)) {
        // A stored text that is none of the items shows no choice.
        List->setCurrentIndex(List->findText(Index.data(Qt::EditRole).toString()));
        return;
    }
    QStyledItemDelegate::setEditorData(Editor, Index);
}

void TAccess_Delegate::setModelData(QWidget* Editor, QAbstractItemModel* Model, const QModelIndex& Index) const
{
    if (auto* List = qobject_cast<QComboBox*>(Editor)) {
        if (List->currentIndex() >= 0)
            Model->setData(Index, List->currentText(), Qt::EditRole);
        return;
    }
    QStyledItemDelegate::setModelData(Editor, Model, Index);
}

// ----- TAccess_Grid -------------------------------------------------------------------------------------------------

TAccess_Grid::TAccess_Grid(TAccess_Table_Model* Model, std::function<bool()> Double_Click_Auto_Size,
                           std::function<bool()> Enable_Jump_Field_Tables, QWidget* Parent)
    : QTableView(Parent), fModel(Model), fDouble_Click_Auto_Size(std::move(Double_Click_Auto_Size)),
      fEnable_Jump_Field_Tables(std::move(Enable_Jump_Field_Tables))
{
    setModel(Model);
    setItemDelegate(new TAccess_Delegate(this));
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(22);
    verticalHeader()->setMinimumSectionSize(18);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setMinimumSectionSize(24);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setWordWrap(false);
    setAlternatingRowColors(false);

    // The fixed first column selects its whole row.
    connect(this, &QTableView::clicked, this, [this](const QModelIndex& Index) {
        if (Index.isValid() && Index.column() == 0)
            selectRow(Index.row());
    });
    connect(horizontalHeader(), &QHeaderView::sectionDoubleClicked, this,
            [this](int Col) { Double_Click_Cell(0, Col); });
    connect(this, &QTableView::doubleClicked, this, [this](const QModelIndex& Index) {
        if (Index.isValid())
            Double_Click_Cell(TAccess_Table_Model::Core_Row(Index.row()), Index.column());
    });
}

int TAccess_Grid::Current_Row() const
{
    const QModelIndex Current = currentIndex();
    return Current.isValid() ? TAccess_Table_Model::Core_Row(Current.row()) : 0;
}

void TAccess_Grid::Set_Current_Cell(int Row, int Col)
{
    if (Row < 1 || Row > fModel->rowCount() || Col < 0 || Col >= fModel->columnCount()) {
        selectionModel()->clear();
        return;
    }
    setCurrentIndex(fModel->index(Row - 1, Col));
}

bool TAccess_Grid::Enter_Key()
{
    const QModelIndex Current = currentIndex();
    const int Row = Current.isValid() ? TAccess_Table_Model::Core_Row(Current.row()) : 0;
    const int Col = Current.isValid() ? Current.column() : 0;
    // The decision counts the header row and the fixed column among the rows and columns.
    const common::TGrid_Enter_Result Result =
        common::Grid_Enter_Next_Cell(fEnable_Jump_Field_Tables && fEnable_Jump_Field_Tables(), common::Key_Enter, Row,
                                     Col, fModel->rowCount() + 1, fModel->columnCount());
    if (Result.Move) {
        setCurrentIndex(fModel->index(Result.Row - 1, Result.Col));
        scrollTo(currentIndex());
    }
    return Result.Consumed;
}

void TAccess_Grid::Double_Click_Cell(int Row, int Col)
{
    if (common::Grid_Header_Auto_Size(fDouble_Click_Auto_Size && fDouble_Click_Auto_Size(), Row))
        resizeColumnToContents(Col);
}

void TAccess_Grid::keyPressEvent(QKeyEvent* Event)
{
    const bool Enter = Event->key() == Qt::Key_Return || Event->key() == Qt::Key_Enter;
    if (Enter && state() != QAbstractItemView::EditingState && Enter_Key()) {
        Event->accept();
        return;
    }
    QTableView::keyPressEvent(Event);
}

void TAccess_Grid::closeEditor(QWidget* Editor, QAbstractItemDelegate::EndEditHint Hint)
{
    // Enter ends an edit with SubmitModelCache; with the option on it then moves on like Enter outside an edit.
    const bool Move_On =
        Hint == QAbstractItemDelegate::SubmitModelCache && fEnable_Jump_Field_Tables && fEnable_Jump_Field_Tables();
    QTableView::closeEditor(Editor, Move_On ? QAbstractItemDelegate::NoHint : Hint);
    if (Move_On)
        Enter_Key();
}

} // namespace ct::access
