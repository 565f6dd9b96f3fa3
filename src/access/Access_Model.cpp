#include "access/Access_Model.h"

#include "common/File_Error.h"
#include "common/Int_Conversion.h"
#include "common/Number.h"
#include "iec61850/Scl_Reader.h"

#include <stdexcept>
#include <system_error>

namespace ct::access {

namespace fs = std::filesystem;
using iec61850::TIEC_DA;
using iec61850::TIEC_DataSet;
using iec61850::TIEC_Device;
using iec61850::TIEC_DO;
using iec61850::TTree_Node;

namespace {

std::size_t At(int N)
{
    return static_cast<std::size_t>(N);
}

template <class T> void Free_Last_To_First(std::vector<std::unique_ptr<T>>& List)
{
    while (!List.empty())
        List.pop_back();
}

// The tree walk of a device in the order its tree shows it; Visit answers true to stop.
template <class TVisit_DA> bool Walk_DA(const TIEC_DA& DA, TVisit_DA& Visit)
{
    if (Visit(DA))
        return true;
    for (const auto& Sub : DA.List_DA)
        if (Walk_DA(*Sub, Visit))
            return true;
    return false;
}

template <class TVisit_DO, class TVisit_DA> bool Walk_DO(const TIEC_DO& DO, TVisit_DO& On_DO, TVisit_DA& On_DA)
{
    if (On_DO(DO))
        return true;
    for (const auto& Sub : DO.List_DO)
        if (Walk_DO(*Sub, On_DO, On_DA))
            return true;
    for (const auto& DA : DO.List_DA)
        if (Walk_DA(*DA, On_DA))
            return true;
    return false;
}

template <class TVisit_DO, class TVisit_DA>
bool Walk_Objects(const TIEC_Device& Device, TTree_Node Stop_Node, TVisit_DO& On_DO, TVisit_DA& On_DA)
{
    for (const auto& LD : Device.List_LDevice) {
        if (Stop_Node && LD->TreeNode == Stop_Node)
            return true;
        for (const auto& LN : LD->List_LN) {
            if (Stop_Node && LN->TreeNode == Stop_Node)
                return true;
            for (const auto& DO : LN->List_DO)
                if (Walk_DO(*DO, On_DO, On_DA))
                    return true;
        }
    }
    return false;
}

bool Device_Holds_DA(const TIEC_Device& Device, const TIEC_DA* Wanted)
{
    bool Found = false;
    auto On_DO = [](const TIEC_DO&) { return false; };
    auto On_DA = [&](const TIEC_DA& DA) { return Found = (&DA == Wanted); };
    Walk_Objects(Device, nullptr, On_DO, On_DA);
    return Found;
}

bool Device_Holds_DataSet(const TIEC_Device& Device, const TIEC_DataSet* Wanted)
{
    for (const auto& LD : Device.List_LDevice)
        for (const auto& LN : LD->List_LN)
            for (const auto& DataSet : LN->List_DataSet)
                if (DataSet.get() == Wanted)
                    return true;
    return false;
}

} // namespace

bool Is_Plain_File_Name(std::string_view Name)
{
    return !Name.empty() && Name != "." && Name != ".." && Name.find_first_of("/\\") == std::string_view::npos;
}

// ----- TDevice_Entry ------------------------------------------------------------------------------------------------

TDevice_Entry::TDevice_Entry(std::unique_ptr<TIEC_Device> Device, std::optional<TDevice_Source> Source)
    : fDevice(std::move(Device)), fSource(std::move(Source)), fState(TDevice_State::Decoded)
{
    if (!fDevice)
        throw std::invalid_argument("a decoded device entry needs a device");
}

TDevice_Entry::TDevice_Entry(TDevice_State State, std::string Name, std::string FileName, std::string Problem)
    : fState(State), fName(std::move(Name)), fFileName(std::move(FileName)), fProblem(std::move(Problem))
{
    if (State == TDevice_State::Decoded)
        throw std::invalid_argument("a placeholder entry cannot be decoded");
}

const std::string& TDevice_Entry::Name() const
{
    return fDevice ? fDevice->Name() : fName;
}

const std::string& TDevice_Entry::FileName() const
{
    return fDevice ? fDevice->FileName() : fFileName;
}

// ----- Tree search --------------------------------------------------------------------------------------------------

const TIEC_DA* Search_Node_Selected(const TIEC_Device& Device, TTree_Node Node)
{
    if (!Node || Node == Device.TreeNode)
        return nullptr;
    const TIEC_DA* Result = nullptr;
    auto On_DO = [&](const TIEC_DO& DO) { return DO.TreeNode == Node; };
    auto On_DA = [&](const TIEC_DA& DA) {
        if (DA.TreeNode != Node)
            return false;
        Result = DA.Is_Leaf() ? &DA : nullptr;
        return true;
    };
    Walk_Objects(Device, Node, On_DO, On_DA);
    return Result;
}

const TIEC_DataSet* Search_Node_Selected_DataSet(const TIEC_Device& Device, TTree_Node Node)
{
    if (!Node || Node == Device.TreeNode)
        return nullptr;
    for (const auto& LD : Device.List_LDevice)
        for (const auto& LN : LD->List_LN)
            for (const auto& DataSet : LN->List_DataSet)
                if (DataSet->TreeNode == Node)
                    return DataSet.get();
    return nullptr;
}

// ----- TAccess_Model ------------------------------------------------------------------------------------------------

TAccess_Model::TAccess_Model()
    : fVariables(Variables_Columns(text::Default_Catalogue())), fDataSets(DataSets_Columns()),
      fMembers(Members_Columns())
{}

TAccess_Model::~TAccess_Model()
{
    Free_Last_To_First(fList_DataSet);
    Free_Last_To_First(List_IEC_Dev);
}

void TAccess_Model::Set_Lang(const text::TCatalogue& Lang)
{
    for (int Col = 0; Col < Var_Col::Count; ++Col)
        fVariables.Set_Header(Col, Lang[Variables_Header_Entries[Col]]);
}

const TDevice_Entry& TAccess_Model::Device_Entry(int Index) const
{
    if (Index < 0 || Index >= Device_Count())
        throw std::out_of_range("no device " + std::to_string(Index));
    return *List_IEC_Dev[At(Index)];
}

TIEC_Device* TAccess_Model::Device(int Index) const
{
    if (Index < 0 || Index >= Device_Count())
        return nullptr;
    return List_IEC_Dev[At(Index)]->Device();
}

const TAccess_Table& TAccess_Model::Table(TTable_Id Id) const
{
    switch (Id) {
    case TTable_Id::Variables:
        return fVariables;
    case TTable_Id::DataSets:
        return fDataSets;
    case TTable_Id::Members:
        break;
    }
    return fMembers;
}

TAccess_Table& TAccess_Model::Mutable_Table(TTable_Id Id)
{
    return const_cast<TAccess_Table&>(Table(Id));
}

void TAccess_Model::Store_Member_Cell(int Row, int Col, const std::string& Text)
{
    if (fDataSet_Row_Select < 1 || At(fDataSet_Row_Select) > fList_DataSet.size())
        return;
    auto& Members = fList_DataSet[At(fDataSet_Row_Select - 1)]->List_DAs;
    if (Row < 1 || At(Row) > Members.size())
        return;
    TDataSet_DA& Member = *Members[At(Row - 1)];
    switch (Col) {
    case Member_Col::Position:
        Member.Position = Text;
        break;
    case Member_Col::StartBit:
        Member.bitAddress = Text;
        break;
    case Member_Col::Convertion:
        Member.conversion = Text;
        break;
    case Member_Col::MultFact:
        Member.multFactor = Text;
        break;
    case Member_Col::Mnemonic:
        Member.Mnemonic = Text;
        break;
    default:
        return;
    }
    fMembers.Set_Cell(Row, Col, Text);
}

bool TAccess_Model::Edit_Cell(TTable_Id Id, int Row, int Col, std::string Text)
{
    TAccess_Table& Grid = Mutable_Table(Id);
    if (Grid.Read_Only(Row, Col))
        return false;
    if (Id == TTable_Id::Members) {
        Store_Member_Cell(Row, Col, Text);
        return true;
    }
    Grid.Set_Cell(Row, Col, std::move(Text));
    return true;
}

void TAccess_Model::Set_Cell(TTable_Id Id, int Row, int Col, std::string Text)
{
    if (Id == TTable_Id::Members)
        Store_Member_Cell(Row, Col, Text);
    else
        Mutable_Table(Id).Set_Cell(Row, Col, std::move(Text));
}

void TAccess_Model::Set_Start_Num_Byte()
{
    access::Set_Start_Num_Byte(fVariables);
}

std::optional<TRow_Refusal> TAccess_Model::Controllo_dati(const text::TCatalogue& Lang, char Decimal_Separator) const
{
    return access::Controllo_dati(fVariables, Lang, Decimal_Separator);
}

void TAccess_Model::Reset()
{
    // Links first, then the devices they point into.
    Drop_Tree_Selection();
    fChosen_Device = -1;
    Free_Last_To_First(fList_DataSet);
    // Decoded devices wait in the cache: the load that follows takes back those whose copy has not changed.
    for (auto It = List_IEC_Dev.rbegin(); It != List_IEC_Dev.rend(); ++It)
        if ((*It)->Device() && (*It)->Source())
            fCache.Keep(*(*It)->Source(), (*It)->Release_Device());
    Free_Last_To_First(List_IEC_Dev);
    fVariables.Reset();
    Set_Start_Num_Byte();
    fDataSets.Reset();
    Show_No_Members();
}

void TAccess_Model::Show_No_Members()
{
    fMembers.Reset();
    for (int Col = 0; Col < fMembers.Col_Count(); ++Col)
        fMembers.Set_Read_Only(1, Col, true);
    fDataSet_Row_Select = 0;
}

void TAccess_Model::Devices_Changed()
{
    ++fDevices_Generation;
    if (On_Devices_Changed)
        On_Devices_Changed();
}

void TAccess_Model::Drop_Tree_Selection()
{
    fSelected_IEC_DA = nullptr;
    fSelected_IEC_DS = nullptr;
}

fs::path TAccess_Model::Catalog_Target(const fs::path& Source) const
{
    return fConf_Path / ICD_Catalog_Folder / Source.filename();
}

bool TAccess_Model::Catalog_Has(const fs::path& Source) const
{
    std::error_code Error;
    return Is_Plain_File_Name(Source.filename().string()) && fs::exists(Catalog_Target(Source), Error);
}

std::optional<int> TAccess_Model::Import_Device(const fs::path& Source, TOverwrite Overwrite, std::string_view IED_Name)
{
    if (fConf_Path.empty())
        throw std::logic_error("no configuration is loaded");
    if (!Is_Plain_File_Name(Source.filename().string()))
        throw common::TFile_Error(Source, 0, "does not name a file");
    const fs::path Catalog = fConf_Path / ICD_Catalog_Folder;
    std::error_code Error;
    fs::create_directories(Catalog, Error);
    if (Error)
        throw common::TFile_Error(Catalog, 0, "cannot be created: " + Error.message());
    const fs::path Target = Catalog_Target(Source);
    bool Copy = true;
    if (fs::exists(Target, Error)) {
        if (Overwrite == TOverwrite::Cancel)
            return std::nullopt;
        if (!fs::is_regular_file(Target, Error))
            throw common::TFile_Error(Target, 0, "is not a file");
        // Choosing the catalogue copy itself leaves it as it is.
        Copy = Overwrite == TOverwrite::Yes && !fs::equivalent(Source, Target, Error);
    }
    if (Copy) {
        // A file too large for the reader is refused before a copy of it fills the catalogue.
        if (const std::uintmax_t Size = fs::file_size(Source, Error); !Error && Size > iec61850::Max_Scl_File_Size)
            throw common::TFile_Error(Source, 0,
                                      "is " + std::to_string(Size >> 20) + " MB; SCL files larger than " +
                                          std::to_string(iec61850::Max_Scl_File_Size >> 20) + " MB are not read");
        fs::copy_file(Source, Target, fs::copy_options::overwrite_existing, Error);
        if (Error)
            throw common::TFile_Error(Target, 0,
                                      "cannot be copied from \"" + Source.string() + "\": " + Error.message());
    }
    List_IEC_Dev.push_back(Decode_Entry(Target, IED_Name));
    fChosen_Device = -1;
    Drop_Tree_Selection();
    Devices_Changed();
    return Device_Count() - 1;
}

std::unique_ptr<TDevice_Entry> TAccess_Model::Decode_Entry(const fs::path& File, std::string_view IED_Name)
{
    const std::optional<TFile_Stamp> Stamp = File_Stamp(File);
    ++fDecode_Count;
    auto Device = Decoder ? Decoder(File, IED_Name) : std::make_unique<TIEC_Device>(File, IED_Name);
    if (!Device)
        throw common::TFile_Error(File, 0, "was not decoded");
    std::optional<TDevice_Source> Source;
    if (Stamp)
        Source = TDevice_Source{File, std::string(IED_Name), *Stamp};
    return std::make_unique<TDevice_Entry>(std::move(Device), std::move(Source));
}

std::optional<std::string> TAccess_Model::Remove_Device(int Index)
{
    if (Index < 0 || Index >= Device_Count())
        return std::nullopt;
    for (const TAccess_Table* Grid : {&fVariables, &fDataSets})
        for (int Row = 1; Row <= Grid->Row_Count(); ++Row)
            if (common::Text_To_Int_Or(Grid->Cell(Row, 1), -1) == Index)
                return std::string(Device_In_Use_Text);
    // A data set whose Index cell was edited still links into the device it was taken from.
    if (const TIEC_Device* Removed = Device(Index))
        for (const auto& DataSet : fList_DataSet)
            if (DataSet->Link_Device == Removed)
                return std::string(Device_In_Use_Text);

    Drop_Tree_Selection();
    fChosen_Device = -1;
    List_IEC_Dev.erase(List_IEC_Dev.begin() + Index);
    for (TAccess_Table* Grid : {&fVariables, &fDataSets})
        for (int Row = 1; Row <= Grid->Row_Count(); ++Row) {
            const auto Value = common::Text_To_Int(Grid->Cell(Row, 1));
            if (Value && *Value > Index)
                Grid->Set_Cell(Row, 1, std::to_string(*Value - 1));
        }
    Devices_Changed();
    return std::nullopt;
}

void TAccess_Model::Choose_Device(int Index)
{
    fChosen_Device = Index >= 0 && Index < Device_Count() ? Index : -1;
    Drop_Tree_Selection();
}

void TAccess_Model::Select_Tree_Node(TTree_Node Node)
{
    Drop_Tree_Selection();
    const TIEC_Device* Shown = Device(fChosen_Device);
    if (!Shown)
        return;
    fSelected_IEC_DA = Search_Node_Selected(*Shown, Node);
    if (!fSelected_IEC_DA)
        fSelected_IEC_DS = Search_Node_Selected_DataSet(*Shown, Node);
}

TAdded TAccess_Model::Add_Selected()
{
    if (fSelected_IEC_DA)
        return Add_Variable(fChosen_Device, *fSelected_IEC_DA) ? TAdded::Variable : TAdded::Nothing;
    if (fSelected_IEC_DS)
        return Add_DataSet(fChosen_Device, *fSelected_IEC_DS) ? TAdded::DataSet : TAdded::Nothing;
    return TAdded::Nothing;
}

bool TAccess_Model::Add_Variable(int Device_Index, const TIEC_DA& DA)
{
    const TIEC_Device* Holder = Device(Device_Index);
    if (!DA.Is_Leaf() || !Holder || !Device_Holds_DA(*Holder, &DA))
        return false;
    const int Row = fVariables.Is_Empty() ? 1 : fVariables.Append_Row();
    fVariables.Clear_Row(Row, 0);
    fVariables.Set_Cell(Row, Var_Col::N, std::to_string(Row));
    fVariables.Set_Cell(Row, Var_Col::Index, std::to_string(Device_Index));
    fVariables.Set_Cell(Row, Var_Col::bType, DA.bType());
    fVariables.Set_Cell(Row, Var_Col::fc, DA.FC());
    fVariables.Set_Cell(Row, Var_Col::Reference, DA.Reference());
    for (int Col : {Var_Col::OnChange, Var_Col::OnCMD, Var_Col::OnTimer})
        fVariables.Set_Cell(Row, Col, "N");
    Set_Start_Num_Byte();
    return true;
}

bool TAccess_Model::Add_DataSet(int Device_Index, const TIEC_DataSet& DataSet)
{
    const TIEC_Device* Holder = Device(Device_Index);
    if (!Holder || !Device_Holds_DataSet(*Holder, &DataSet))
        return false;
    const int Row = fList_DataSet.empty() ? 1 : fDataSets.Append_Row();
    fDataSets.Clear_Row(Row, 0);
    fDataSets.Set_Cell(Row, DS_Col::N, std::to_string(Row));
    fDataSets.Set_Cell(Row, DS_Col::Index, std::to_string(Device_Index));
    fDataSets.Set_Cell(Row, DS_Col::Reference, DataSet.Reference());
    fDataSets.Set_Cell(Row, DS_Col::GooseName, DataSet.GooseName());
    fDataSets.Set_Cell(Row, DS_Col::EnGoose, DataSet.GooseName().empty() ? "N" : "Y");
    auto Chosen = std::make_unique<TDataSet>();
    Chosen->Select_DataSet = &DataSet;
    Chosen->Link_Device = Holder;
    for (const TIEC_DA* Member : DataSet.List_DA)
        Chosen->List_DAs.push_back(std::make_unique<TDataSet_DA>(Member));
    fList_DataSet.push_back(std::move(Chosen));
    return true;
}

bool TAccess_Model::Remove_Variable(int Row)
{
    if (!fVariables.Has_Row(Row))
        return false;
    if (fVariables.Row_Count() == 1) {
        fVariables.Clear_Row(Row, 1);
    } else {
        fVariables.Delete_Row(Row);
        fVariables.Renumber();
    }
    Set_Start_Num_Byte();
    return true;
}

bool TAccess_Model::Remove_DataSet(int Row)
{
    if (!fDataSets.Has_Row(Row))
        return false;
    if (At(Row) <= fList_DataSet.size())
        fList_DataSet.erase(fList_DataSet.begin() + (Row - 1));
    if (!fList_DataSet.empty()) {
        fDataSets.Delete_Row(Row);
        fDataSets.Renumber();
    } else {
        fDataSets.Resize(1);
        fDataSets.Clear_Row(1, 1);
    }
    Show_No_Members();
    return true;
}

void TAccess_Model::Show_DataSet_DAs(int Row)
{
    Show_No_Members();
    if (Row < 1 || At(Row) > fList_DataSet.size() || fList_DataSet[At(Row - 1)]->List_DAs.empty())
        return;
    const auto& Members = fList_DataSet[At(Row - 1)]->List_DAs;
    fMembers.Reset();
    fMembers.Resize(static_cast<int>(Members.size()));
    for (std::size_t K = 0; K < Members.size(); ++K) {
        const TDataSet_DA& Member = *Members[K];
        const int Member_Row = static_cast<int>(K) + 1;
        fMembers.Set_Cell(Member_Row, Member_Col::N, std::to_string(Member_Row));
        fMembers.Set_Cell(Member_Row, Member_Col::bType, Member.bType());
        fMembers.Set_Cell(Member_Row, Member_Col::Reference, Member.Reference());
        fMembers.Set_Cell(Member_Row, Member_Col::Position, Member.Position);
        fMembers.Set_Cell(Member_Row, Member_Col::StartBit, Member.bitAddress);
        fMembers.Set_Cell(Member_Row, Member_Col::Convertion, Member.conversion);
        fMembers.Set_Cell(Member_Row, Member_Col::MultFact, Member.multFactor);
        fMembers.Set_Cell(Member_Row, Member_Col::Mnemonic, Member.Mnemonic);
    }
    fDataSet_Row_Select = Row;
}

const TIEC_DataSet* TAccess_Model::Get_DataSet(int Index, std::string_view Reference) const
{
    const TIEC_Device* Holder = Device(Index);
    if (!Holder)
        return nullptr;
    for (const auto& LD : Holder->List_LDevice)
        for (const auto& LN : LD->List_LN)
            for (const auto& DataSet : LN->List_DataSet)
                if (DataSet->Reference() == Reference)
                    return DataSet.get();
    return nullptr;
}

} // namespace ct::access
