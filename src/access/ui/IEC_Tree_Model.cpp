#include "access/ui/IEC_Tree_Model.h"

#include <QBrush>
#include <QColor>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

#include <algorithm>
#include <string_view>

// The pictures are compiled into this static library; their registration must be referenced to be linked in.
static void Init_Access_Images()
{
    Q_INIT_RESOURCE(access_images);
}

namespace ct::access {

using iec61850::TIEC_DA;
using iec61850::TIEC_DataSet;
using iec61850::TIEC_Device;
using iec61850::TIEC_DO;
using iec61850::TIEC_LDevice;
using iec61850::TIEC_LN;

namespace {

QIcon Image(const char* Name)
{
    QSvgRenderer Renderer(QStringLiteral(":/access/images/%1.svg").arg(QLatin1String(Name)));
    QIcon Icon;
    for (int Size : {16, 32}) {
        QPixmap Pixmap(Size, Size);
        Pixmap.fill(Qt::transparent);
        QPainter Painter(&Pixmap);
        Renderer.render(&Painter);
        Painter.end();
        Icon.addPixmap(Pixmap);
    }
    return Icon;
}

char Fold(char C)
{
    return C >= 'A' && C <= 'Z' ? static_cast<char>(C - 'A' + 'a') : C;
}

std::string Folded(std::string_view Text)
{
    std::string Result(Text);
    std::transform(Result.begin(), Result.end(), Result.begin(), Fold);
    return Result;
}

// Whether Text contains Needle (already folded), ASCII letters compared without case.
bool Contains(std::string_view Text, std::string_view Needle)
{
    if (Needle.size() > Text.size())
        return false;
    return std::search(Text.begin(), Text.end(), Needle.begin(), Needle.end(),
                       [](char A, char B) { return Fold(A) == B; }) != Text.end();
}

std::string_view Trimmed(std::string_view Text)
{
    const auto First = Text.find_first_not_of(" \t\r\n");
    if (First == std::string_view::npos)
        return {};
    return Text.substr(First, Text.find_last_not_of(" \t\r\n") - First + 1);
}

} // namespace

TIEC_Tree_Model::TIEC_Tree_Model(QObject* Parent) : QAbstractItemModel(Parent)
{
    static const bool Registered = (Init_Access_Images(), true);
    (void)Registered;
    const char* Names[] = {"device", "ldevice", "lnode", "dobject", "dattribute", "dataset"};
    for (std::size_t I = 0; I < fIcons.size(); ++I)
        fIcons[I] = Image(Names[I]);
}

TIEC_Tree_Model::TNode& TIEC_Tree_Model::Add(TTree_Kind Kind, void* Object, TNode* Parent)
{
    TNode& Node = fNodes.emplace_back();
    Node.Kind = Kind;
    Node.Object = Object;
    Node.Parent = Parent;
    Node.Row = static_cast<int>(Parent->Children.size());
    Parent->Children.push_back(&Node);
    return Node;
}

void TIEC_Tree_Model::Build_DA(TIEC_DA& DA, TNode& Parent)
{
    TNode& Node = Add(TTree_Kind::DA, &DA, &Parent);
    DA.TreeNode = &Node;
    for (const auto& Sub : DA.List_DA)
        Build_DA(*Sub, Node);
}

void TIEC_Tree_Model::Build_DO(TIEC_DO& DO, TNode& Parent)
{
    TNode& Node = Add(TTree_Kind::DO, &DO, &Parent);
    DO.TreeNode = &Node;
    for (const auto& Sub : DO.List_DO)
        Build_DO(*Sub, Node);
    for (const auto& DA : DO.List_DA)
        Build_DA(*DA, Node);
}

void TIEC_Tree_Model::Show_Device(TIEC_Device* Device)
{
    beginResetModel();
    fNodes.clear();
    fTop.Children.clear();
    fTop.Shown.clear();
    fDevice = Device;
    if (Device) {
        TNode& Root = Add(TTree_Kind::Device, Device, &fTop);
        Device->TreeNode = &Root;
        for (const auto& LD : Device->List_LDevice) {
            TNode& LD_Node = Add(TTree_Kind::LDevice, LD.get(), &Root);
            LD->TreeNode = &LD_Node;
            for (const auto& LN : LD->List_LN) {
                TNode& LN_Node = Add(TTree_Kind::LN, LN.get(), &LD_Node);
                LN->TreeNode = &LN_Node;
                // Under a node first its data objects, then its data sets.
                for (const auto& DO : LN->List_DO)
                    Build_DO(*DO, LN_Node);
                for (const auto& DataSet : LN->List_DataSet) {
                    TNode& DS_Node = Add(TTree_Kind::DataSet, DataSet.get(), &LN_Node);
                    DataSet->TreeNode = &DS_Node;
                }
            }
        }
    }
    Apply_Filter();
    endResetModel();
}

void TIEC_Tree_Model::Clear()
{
    Show_Device(nullptr);
}

void TIEC_Tree_Model::Set_Filter(const std::string& Text)
{
    const std::string Wanted(Trimmed(Text));
    if (Wanted == fFilter)
        return;
    beginResetModel();
    fFilter = Wanted;
    fFilter_Folded = Folded(Wanted);
    Apply_Filter();
    endResetModel();
}

void TIEC_Tree_Model::Apply_Filter()
{
    fShown_Count = 0;
    fTop.Shown.clear();
    if (fNodes.empty())
        return;
    TNode& Root = fNodes.front();
    if (fFilter_Folded.empty()) {
        // Every node shows all its children (Rows() answers Children): only the rows are put back.
        for (TNode& Node : fNodes) {
            std::vector<TNode*>().swap(Node.Shown);
            for (std::size_t Row = 0; Row < Node.Children.size(); ++Row)
                Node.Children[Row]->Row = static_cast<int>(Row);
        }
        fShown_Count = Node_Count();
    } else {
        Filter_Node(Root, Node_Text(Root));
        ++fShown_Count; // the device's node stays, whether or not anything below it matches
    }
    Root.Row = 0;
    fTop.Shown.push_back(&Root);
}

bool TIEC_Tree_Model::Filter_Node(TNode& Node, const std::string& Reference)
{
    Node.Shown.clear();
    for (TNode* Child : Node.Children) {
        std::string Child_Reference;
        switch (Child->Kind) {
        case TTree_Kind::LDevice:
            Child_Reference = Reference + Node_Text(*Child);
            break;
        case TTree_Kind::LN:
            Child_Reference = Reference + "/" + Node_Text(*Child);
            break;
        case TTree_Kind::DO:
        case TTree_Kind::DA: // an attribute's reference is its parent's, ".", its name
            Child_Reference = Reference + "." + Node_Text(*Child);
            break;
        case TTree_Kind::DataSet:
            Child_Reference = static_cast<const TIEC_DataSet*>(Child->Object)->Reference();
            break;
        case TTree_Kind::Device:
            break;
        }
        if (Filter_Node(*Child, Child_Reference)) {
            Child->Row = static_cast<int>(Node.Shown.size());
            Node.Shown.push_back(Child);
            ++fShown_Count;
        }
    }
    return !Node.Shown.empty() || Contains(Node_Text(Node), fFilter_Folded) || Contains(Reference, fFilter_Folded);
}

std::string TIEC_Tree_Model::Node_Text(const TNode& Node)
{
    switch (Node.Kind) {
    case TTree_Kind::Device:
        return static_cast<const TIEC_Device*>(Node.Object)->Name();
    case TTree_Kind::LDevice:
        return static_cast<const TIEC_LDevice*>(Node.Object)->Name();
    case TTree_Kind::LN: {
        const auto* LN = static_cast<const TIEC_LN*>(Node.Object);
        return LN->Prefix() + LN->lnClass() + LN->Inst();
    }
    case TTree_Kind::DO:
        return static_cast<const TIEC_DO*>(Node.Object)->Name();
    case TTree_Kind::DA:
        return static_cast<const TIEC_DA*>(Node.Object)->Name();
    case TTree_Kind::DataSet:
        return static_cast<const TIEC_DataSet*>(Node.Object)->Name();
    }
    return {};
}

std::string TIEC_Tree_Model::Node_Reference(const TNode& Node)
{
    switch (Node.Kind) {
    case TTree_Kind::Device:
        return Node_Text(Node);
    case TTree_Kind::LDevice:
        return Node_Reference(*Node.Parent) + Node_Text(Node);
    case TTree_Kind::LN:
        return Node_Reference(*Node.Parent) + "/" + Node_Text(Node);
    case TTree_Kind::DO:
        return Node_Reference(*Node.Parent) + "." + Node_Text(Node);
    case TTree_Kind::DA:
        return static_cast<const TIEC_DA*>(Node.Object)->Reference();
    case TTree_Kind::DataSet:
        return static_cast<const TIEC_DataSet*>(Node.Object)->Reference();
    }
    return {};
}

TIEC_Tree_Model::TNode* TIEC_Tree_Model::Node(const QModelIndex& Index)
{
    return Index.isValid() ? static_cast<TNode*>(Index.internalPointer()) : nullptr;
}

QModelIndex TIEC_Tree_Model::Index_Of(iec61850::TTree_Node Tree_Node) const
{
    const auto* Wanted = static_cast<const TNode*>(Tree_Node);
    if (!Wanted)
        return {};
    // Shown only when every node on the way up is shown where its row says.
    for (const TNode* Step = Wanted; Step != &fTop; Step = Step->Parent) {
        if (!Step->Parent)
            return {};
        const auto& Siblings = Rows(*Step->Parent);
        if (Step->Row < 0 || static_cast<std::size_t>(Step->Row) >= Siblings.size() ||
            Siblings[static_cast<std::size_t>(Step->Row)] != Step)
            return {};
    }
    return createIndex(Wanted->Row, 0, const_cast<TNode*>(Wanted));
}

const TIEC_Tree_Model::TNode* TIEC_Tree_Model::Parent_Node(const QModelIndex& Parent) const
{
    return Parent.isValid() ? Node(Parent) : &fTop;
}

QModelIndex TIEC_Tree_Model::index(int Row, int Column, const QModelIndex& Parent) const
{
    const TNode* Above = Parent_Node(Parent);
    const auto& Shown = Rows(*Above);
    if (Column != 0 || Row < 0 || static_cast<std::size_t>(Row) >= Shown.size())
        return {};
    return createIndex(Row, 0, Shown[static_cast<std::size_t>(Row)]);
}

QModelIndex TIEC_Tree_Model::parent(const QModelIndex& Index) const
{
    const TNode* Child = Node(Index);
    if (!Child || Child->Parent == &fTop || !Child->Parent)
        return {};
    return createIndex(Child->Parent->Row, 0, Child->Parent);
}

int TIEC_Tree_Model::rowCount(const QModelIndex& Parent) const
{
    if (Parent.column() > 0)
        return 0;
    return static_cast<int>(Rows(*Parent_Node(Parent)).size());
}

int TIEC_Tree_Model::columnCount(const QModelIndex&) const
{
    return 1;
}

bool TIEC_Tree_Model::hasChildren(const QModelIndex& Parent) const
{
    return rowCount(Parent) > 0;
}

QVariant TIEC_Tree_Model::data(const QModelIndex& Index, int Role) const
{
    const TNode* Shown = Node(Index);
    if (!Shown)
        return {};
    switch (Role) {
    case Qt::DisplayRole:
        return QString::fromStdString(Node_Text(*Shown));
    case Qt::DecorationRole:
        return fIcons[static_cast<std::size_t>(Shown->Kind)];
    case Qt::ForegroundRole:
        // Data objects blue, data sets green, everything else black.
        if (Shown->Kind == TTree_Kind::DO)
            return QBrush(QColor(0x00, 0x00, 0xFF));
        if (Shown->Kind == TTree_Kind::DataSet)
            return QBrush(QColor(0x00, 0x80, 0x00));
        return QBrush(QColor(0x00, 0x00, 0x00));
    case Qt::ToolTipRole: {
        std::string Tip = Node_Reference(*Shown);
        if (Shown->Kind == TTree_Kind::DA) {
            const auto* DA = static_cast<const TIEC_DA*>(Shown->Object);
            Tip += "  [" + DA->FC() + "]  " + DA->bType();
        } else if (Shown->Kind == TTree_Kind::DataSet) {
            const auto* DataSet = static_cast<const TIEC_DataSet*>(Shown->Object);
            Tip += "  (" + std::to_string(DataSet->List_DA.size()) + " members" +
                   (DataSet->GooseName().empty() ? std::string() : ", GOOSE " + DataSet->GooseName()) + ")";
        }
        return QString::fromStdString(Tip);
    }
    default:
        return {};
    }
}

Qt::ItemFlags TIEC_Tree_Model::flags(const QModelIndex& Index) const
{
    if (!Index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

} // namespace ct::access
