// The access configuration as the editor works on it: the device list, the Variables, Data sets and Members
// tables, the data sets' members, the selection in the device tree, the project file IEC_61850_Client.xml and
// every editor operation. A window is a thin view over this class: it shows the tables, forwards the user's edits
// through Edit_Cell and calls one operation per button.
//
// Links into device trees (TDataSet::Select_DataSet, TDataSet_DA::Select_DA, the tree selection) are valid only
// while their device exists. Devices are destroyed only by Load and Remove_Device; every change of the device list
// increments Devices_Generation() and calls On_Devices_Changed, after which a view must drop every pointer into a
// device (tree nodes included) and rebuild what it shows from Device().
#pragma once

#include "access/Access_Rules.h"
#include "access/Access_Table.h"
#include "access/DataSet.h"
#include "access/Device_Cache.h"
#include "iec61850/Model.h"
#include "text/Catalogue.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pugi {
class xml_document;
} // namespace pugi

namespace ct::access {

/// The project file of a configuration folder, its root element, and the folder of the SCL copies.
inline constexpr const char* Client_File_Name = "IEC_61850_Client.xml";
inline constexpr const char* Client_Root = "IEC_68850_Client";
inline constexpr const char* ICD_Catalog_Folder = "ICD_Catalog";

/// The refusal of removing a device that a variable or data set uses.
inline constexpr const char* Device_In_Use_Text = "Error!!! Device is in use. Cancel Variables and/or Datasets";
/// The question asked before an imported file replaces a catalogue copy of the same name (Yes, No, Cancel).
inline constexpr const char* Overwrite_Question_Text =
    "File already exists in catalog directory. Do you want to overwrite file?";

/// True when Name is a plain file name: not empty, without "/" or "\", and neither "." nor "..".
/// Only such names of "ICD_File" entries are ever opened.
bool Is_Plain_File_Name(std::string_view Name);

/// The state of one entry of the device list.
enum class TDevice_State {
    Decoded,    ///< the SCL copy was read: Device() holds its tree
    Missing,    ///< no copy in ICD_Catalog (or the stored FileName is not a plain file name)
    Unreadable, ///< the copy exists but could not be read; Problem() says why
};

/// One entry of the device list: a decoded device, or a placeholder for a copy that is missing or unreadable.
/// A placeholder keeps its place (so the stored device indices stay meaningful), its stored Name and FileName,
/// and is written back unchanged.
class TDevice_Entry
{
public:
    explicit TDevice_Entry(std::unique_ptr<iec61850::TIEC_Device> Device,
                           std::optional<TDevice_Source> Source = std::nullopt);
    TDevice_Entry(TDevice_State State, std::string Name, std::string FileName, std::string Problem = {});

    /// The IED name: that of the decoded device, or the stored one of a placeholder.
    const std::string& Name() const;
    /// The file name in ICD_Catalog, without folder.
    const std::string& FileName() const;
    TDevice_State State() const { return fState; }
    bool Is_Placeholder() const { return fState != TDevice_State::Decoded; }
    /// Why an unreadable copy could not be read (the reader's message); empty otherwise.
    const std::string& Problem() const { return fProblem; }
    /// The device tree; null for a placeholder.
    iec61850::TIEC_Device* Device() const { return fDevice.get(); }
    /// Where the decoded device came from; nothing for a placeholder or a device whose file had no stamp.
    const std::optional<TDevice_Source>& Source() const { return fSource; }
    /// Gives up the device (the entry then holds none); used to keep it for the next load.
    std::unique_ptr<iec61850::TIEC_Device> Release_Device() { return std::move(fDevice); }

private:
    std::unique_ptr<iec61850::TIEC_Device> fDevice;
    std::optional<TDevice_Source> fSource;
    TDevice_State fState;
    std::string fName;
    std::string fFileName;
    std::string fProblem;
};

/// The answer to Overwrite_Question_Text.
enum class TOverwrite { Yes, No, Cancel };

enum class TTable_Id { Variables, DataSets, Members };

/// What "Add Var" added.
enum class TAdded { Nothing, Variable, DataSet };

/// The leaf attribute that shows as Node in the tree of Device; null when Node is the device's root, a logical
/// device, node or data object, a structured attribute, or no node of this device.
const iec61850::TIEC_DA* Search_Node_Selected(const iec61850::TIEC_Device& Device, iec61850::TTree_Node Node);
/// The data set that shows as Node in the tree of Device; null when Node is not a data set's node.
const iec61850::TIEC_DataSet* Search_Node_Selected_DataSet(const iec61850::TIEC_Device& Device,
                                                           iec61850::TTree_Node Node);

class TAccess_Model
{
public:
    /// An empty configuration with the English headers.
    TAccess_Model();
    ~TAccess_Model();
    TAccess_Model(const TAccess_Model&) = delete;
    TAccess_Model& operator=(const TAccess_Model&) = delete;

    /// Takes the Variables table's headers from the catalogue.
    void Set_Lang(const text::TCatalogue& Lang);

    // --- Device list -------------------------------------------------------------------------------------------

    int Device_Count() const { return static_cast<int>(List_IEC_Dev.size()); }
    /// Entry Index (0-based: the device index the tables store); throws std::out_of_range outside the list.
    const TDevice_Entry& Device_Entry(int Index) const;
    /// The device tree of entry Index; null for a placeholder or an index outside the list.
    iec61850::TIEC_Device* Device(int Index) const;
    /// Incremented whenever devices are created or destroyed (Load, Import_Device, Remove_Device).
    std::uint64_t Devices_Generation() const { return fDevices_Generation; }
    /// Called after every change of the device list, once the model is consistent again.
    std::function<void()> On_Devices_Changed;

    /// Decodes one SCL copy: the IED named IED_Name when the file has one, else its first IED; throws like the
    /// TIEC_Device constructor.
    using TDevice_Decoder = std::function<std::unique_ptr<iec61850::TIEC_Device>(const std::filesystem::path& File,
                                                                                 std::string_view IED_Name)>;
    /// How Load and Import_Device decode SCL copies (a window may decode on a worker thread while it shows
    /// progress); empty: the TIEC_Device constructor, in place.
    TDevice_Decoder Decoder;
    /// How many SCL copies were decoded so far (a copy found unchanged by Load is not decoded again).
    std::uint64_t Decode_Count() const { return fDecode_Count; }

    // --- Tables ------------------------------------------------------------------------------------------------

    const TAccess_Table& Table(TTable_Id Id) const;
    const TAccess_Table& Variables() const { return fVariables; }
    const TAccess_Table& DataSets() const { return fDataSets; }
    const TAccess_Table& Members() const { return fMembers; }
    /// The data sets, parallel to the Data sets table: row r belongs to entry r-1. Empty when the table is.
    const std::vector<std::unique_ptr<TDataSet>>& List_DataSet() const { return fList_DataSet; }
    /// The user's edit of a cell. Refused (false, nothing changes) for a read-only cell or one outside the table.
    /// An edit in the Members table is stored in the member of the data set the table shows; when it shows none
    /// its cells are read-only.
    bool Edit_Cell(TTable_Id Id, int Row, int Col, std::string Text);
    /// Sets any cell, read-only or not (for programs that fill a configuration); Members cells go to the shown
    /// data set's member as with Edit_Cell, their read-only columns excepted.
    void Set_Cell(TTable_Id Id, int Row, int Col, std::string Text);

    // --- File --------------------------------------------------------------------------------------------------

    /// Discards everything, then reads File (IEC_61850_Client.xml); the SCL copies are read from
    /// Conf_Path/ICD_Catalog. A copy whose size and modification time are those it had when the device now in the
    /// list was decoded from it is not decoded again: that device is kept. A missing file gives an empty
    /// configuration. Throws common::TFile_Error naming the file
    /// and the line when it is not well-formed XML or has no root element "IEC_68850_Client"; the model is then
    /// empty. An SCL copy that is missing or unreadable becomes a placeholder entry; it never throws.
    void Load(const std::filesystem::path& Conf_Path, const std::filesystem::path& File);
    /// The folder of the configuration last loaded.
    const std::filesystem::path& Conf_Path() const { return fConf_Path; }

    /// Runs the check; on a refusal nothing is written and the refusal is answered. Otherwise replaces File
    /// atomically with the whole configuration (throws common::TFile_Error when it cannot be written, leaving the
    /// old file intact).
    std::optional<TRow_Refusal> Save(const std::filesystem::path& File, const text::TCatalogue& Lang,
                                     char Decimal_Separator);
    /// Save with the user's decimal separator.
    std::optional<TRow_Refusal> Save(const std::filesystem::path& File, const text::TCatalogue& Lang);
    /// The document Save writes, without the check.
    std::string Xml_Text() const;

    // --- Rules -------------------------------------------------------------------------------------------------

    /// The type rule over the Variables table.
    void Set_Start_Num_Byte();
    /// The check of the Variables table.
    std::optional<TRow_Refusal> Controllo_dati(const text::TCatalogue& Lang, char Decimal_Separator) const;

    // --- Editor operations -------------------------------------------------------------------------------------

    /// The path an imported file is copied to: Conf_Path/ICD_Catalog/<its file name>.
    std::filesystem::path Catalog_Target(const std::filesystem::path& Source) const;
    /// True when importing Source would replace a file, so the overwrite question must be asked first.
    bool Catalog_Has(const std::filesystem::path& Source) const;
    /// Imports an SCL file: creates ICD_Catalog when missing and copies Source into it; when a file of that name is
    /// there already, Overwrite says what to do (Yes: copy over it, No: keep it and decode it, Cancel: stop).
    /// Decodes the catalogue copy (the IED named IED_Name, else the first IED) and appends it to the device list;
    /// then no device is chosen. Answers the new device's index, or nothing when cancelled.
    /// Throws common::TFile_Error when the copy fails or the file cannot be read; no device is added then (a copy
    /// made before a read error stays in the catalogue).
    std::optional<int> Import_Device(const std::filesystem::path& Source, TOverwrite Overwrite,
                                     std::string_view IED_Name = {});
    /// Removes a device unless a variable or data set uses it: an Index cell naming it, or a data set linked into
    /// its tree. Then every Index above it is decremented and no device is chosen. Answers the refusal text
    /// (Device_In_Use_Text) when refused; nothing otherwise (also for an index outside the list).
    std::optional<std::string> Remove_Device(int Index);

    /// Chooses the device whose tree is shown (-1: none); the tree selection is dropped.
    void Choose_Device(int Index);
    int Chosen_Device() const { return fChosen_Device; }
    /// Selects the node the user clicked in the chosen device's tree: a leaf attribute or a data set, else nothing.
    void Select_Tree_Node(iec61850::TTree_Node Node);
    const iec61850::TIEC_DA* Selected_IEC_DA() const { return fSelected_IEC_DA; }
    const iec61850::TIEC_DataSet* Selected_IEC_DS() const { return fSelected_IEC_DS; }

    /// "Add Var": adds the selected leaf attribute as a variable, or else the selected data set, of the chosen
    /// device; the window then shows the matching tab.
    TAdded Add_Selected();
    /// Adds a leaf attribute of device Device_Index as a variable: the empty table's row is filled, otherwise a row
    /// is appended; then the type rule runs. False (nothing changes) when the attribute is not a leaf of that device.
    bool Add_Variable(int Device_Index, const iec61850::TIEC_DA& DA);
    /// Adds a data set of device Device_Index with one member per data set member, in order, with empty options.
    /// False (nothing changes) when the data set is not one of that device's.
    bool Add_DataSet(int Device_Index, const iec61850::TIEC_DataSet& DataSet);
    /// Removes data row Row of the Variables table (the only row is emptied instead) and renumbers; the type rule
    /// runs again. False when there is no such row.
    bool Remove_Variable(int Row);
    /// Removes data row Row of the Data sets table with its data set (the only row is emptied instead) and
    /// renumbers; the Members table then shows nothing. False when there is no such row.
    bool Remove_DataSet(int Row);

    /// Shows the members of data-set row Row in the Members table; a row without a data set or without members
    /// shows nothing (one empty row).
    void Show_DataSet_DAs(int Row);
    /// The Data sets row whose members the Members table shows; 0 for none.
    int DataSet_Row_Select() const { return fDataSet_Row_Select; }

    /// The first data set of device Index whose reference is Reference, walking logical devices, nodes and their
    /// data sets in order; null when the index names no decoded device or nothing matches.
    const iec61850::TIEC_DataSet* Get_DataSet(int Index, std::string_view Reference) const;

private:
    void Reset();
    void Load_File(const std::filesystem::path& File);
    /// Decodes an SCL copy through Decoder, with the source it is later found again by.
    std::unique_ptr<TDevice_Entry> Decode_Entry(const std::filesystem::path& File, std::string_view IED_Name);
    /// The entry of a listed SCL copy: a device kept from the last load, a decoded one, or a placeholder.
    std::unique_ptr<TDevice_Entry> Read_Device_Entry(const std::string& Name, const std::string& FileName);
    void Devices_Changed();
    void Drop_Tree_Selection();
    void Build_Document(pugi::xml_document& Doc) const;
    TAccess_Table& Mutable_Table(TTable_Id Id);
    void Store_Member_Cell(int Row, int Col, const std::string& Text);
    void Show_No_Members();

    std::filesystem::path fConf_Path;
    std::vector<std::unique_ptr<TDevice_Entry>> List_IEC_Dev;
    TAccess_Table fVariables;
    TAccess_Table fDataSets;
    TAccess_Table fMembers;
    std::vector<std::unique_ptr<TDataSet>> fList_DataSet;
    int fDataSet_Row_Select = 0;
    int fChosen_Device = -1;
    const iec61850::TIEC_DA* fSelected_IEC_DA = nullptr;
    const iec61850::TIEC_DataSet* fSelected_IEC_DS = nullptr;
    std::uint64_t fDevices_Generation = 0;
    std::uint64_t fDecode_Count = 0;
    /// The devices of the last load while the next one runs.
    TDevice_Cache fCache;
};

} // namespace ct::access
