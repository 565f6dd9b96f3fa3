// The tree of one device as the access editor shows it: the device, its logical devices, logical nodes, data
// objects with their sub data objects, attributes with their sub attributes, and the data sets of each node.
//
// The whole tree is made of small nodes built in one pass when a device is shown; the view asks only for the rows it
// paints. Every object's TreeNode is set to its node, so the editor's selection rules find the clicked object by the
// node (the internal pointer of the clicked index). The nodes point into the device: Clear() must run before the
// device is destroyed or reloaded, and nothing here dereferences a device after Clear().
#pragma once

#include "iec61850/Model.h"

#include <QAbstractItemModel>
#include <QIcon>

#include <array>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace ct::access {

/// What a tree node shows; the number is the node's image in the tree's image list.
enum class TTree_Kind : std::uint8_t { Device = 0, LDevice = 1, LN = 2, DO = 3, DA = 4, DataSet = 5 };

class TIEC_Tree_Model final : public QAbstractItemModel
{
    Q_OBJECT
public:
    struct TNode
    {
        TTree_Kind Kind = TTree_Kind::Device;
        void* Object = nullptr; ///< the TIEC_Device, TIEC_LDevice, TIEC_LN, TIEC_DO, TIEC_DA or TIEC_DataSet
        TNode* Parent = nullptr;
        std::vector<TNode*> Children; ///< in the order the tree shows them
        std::vector<TNode*> Shown;    ///< the children the filter lets through (unused without a filter)
        int Row = 0;                  ///< the position among the parent's rows
    };

    explicit TIEC_Tree_Model(QObject* Parent = nullptr);

    /// Shows Device's tree (null: nothing) with the current filter, and makes every object's TreeNode its node.
    void Show_Device(iec61850::TIEC_Device* Device);
    /// Shows nothing and forgets every pointer into the device shown so far.
    void Clear();
    iec61850::TIEC_Device* Device() const { return fDevice; }

    /// Lets through only the nodes whose name or reference contains Text (letters compared without case), with
    /// their ancestors; the device's node always stays. Blanks around Text are ignored; an empty text shows all.
    void Set_Filter(const std::string& Text);
    const std::string& Filter() const { return fFilter; }
    /// How many nodes the device's tree has, and how many of them the filter lets through.
    int Node_Count() const { return static_cast<int>(fNodes.size()); }
    int Shown_Count() const { return fShown_Count; }

    /// The node of an index of this model; null for the invisible root.
    static TNode* Node(const QModelIndex& Index);
    /// The index of a node of the shown tree (an object's TreeNode); invalid for null or when the filter hides it.
    QModelIndex Index_Of(iec61850::TTree_Node Node) const;

    /// The text a node shows: the object's name; for a logical node prefix + lnClass + inst.
    static std::string Node_Text(const TNode& Node);
    /// The reference of the node's object: the attribute's or data set's own; built from the names above it for
    /// logical devices, nodes and data objects.
    static std::string Node_Reference(const TNode& Node);

    QModelIndex index(int Row, int Column, const QModelIndex& Parent = {}) const override;
    QModelIndex parent(const QModelIndex& Index) const override;
    int rowCount(const QModelIndex& Parent = {}) const override;
    int columnCount(const QModelIndex& Parent = {}) const override;
    bool hasChildren(const QModelIndex& Parent = {}) const override;
    QVariant data(const QModelIndex& Index, int Role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& Index) const override;

private:
    TNode& Add(TTree_Kind Kind, void* Object, TNode* Parent);
    void Build_DO(iec61850::TIEC_DO& DO, TNode& Parent);
    void Build_DA(iec61850::TIEC_DA& DA, TNode& Parent);
    void Apply_Filter();
    bool Filter_Node(TNode& Node, const std::string& Reference);
    const TNode* Parent_Node(const QModelIndex& Parent) const;
    /// The children a node shows: those the filter lets through, or all of them without a filter.
    const std::vector<TNode*>& Rows(const TNode& Node) const
    {
        return fFilter_Folded.empty() ? Node.Children : Node.Shown;
    }

    iec61850::TIEC_Device* fDevice = nullptr;
    std::deque<TNode> fNodes; // stable addresses; fNodes.front() is the device's node
    TNode fTop;               // the invisible root: its one child is the device's node
    std::string fFilter;
    std::string fFilter_Folded;
    int fShown_Count = 0;
    std::array<QIcon, 6> fIcons;
};

} // namespace ct::access
