// The access editor: the imported SCL devices, the tree of the chosen one, and the Variables, Data sets and
// Members tables of IEC_61850_Client.xml. Every rule lives in TAccess_Model; this window shows the model and calls
// one of its operations per user action.
//
// SCL files are decoded on a worker thread while the GUI thread keeps every window painted and shows progress
// behind a modal dialog; a device reaches the model only once it is complete. The window holds no pointer into a
// device beyond the tree model, which is emptied before a load and whenever the device list changes.
#pragma once

#include "access/Access_Model.h"

#include <QDialog>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSplitter;
class QTabWidget;
class QTimer;
class QTreeView;
class QWidget;

namespace app {
struct TApp_State;
}

namespace ct::access {

class TAccess_Grid;
class TAccess_Table_Model;
class TIEC_Tree_Model;

class TFIEC_61850_Access final : public QDialog
{
    Q_OBJECT
public:
    /// State gives the catalogue, the product code, the active configuration and the table options, each read when
    /// used.
    explicit TFIEC_61850_Access(app::TApp_State& State, QWidget* Parent = nullptr);
    ~TFIEC_61850_Access() override;

    /// Applies the catalogue's texts to captions, hints and the Variables table's headers.
    void Set_Lang();

    /// Loads IEC_61850_Client.xml of the active configuration. A file that cannot be read is reported (file and
    /// line) and false is answered: the window then stays closed, so the file is never replaced by an empty list.
    bool FormShow();
    /// Shows the window modally after FormShow; Rejected without showing when the file could not be read.
    int exec() override;
    /// Closing is refused while an SCL file is being decoded.
    void reject() override;

    void Btn_Add_IEC_DeviceClick();
    void Btn_Remove_IEC_DeviceClick();
    /// The chosen line of the device list (-1: none): its tree is shown and the tree selection dropped.
    void LB_IEC_DevicesClick(int Row);
    /// The tree node made current: a leaf attribute or a data set becomes the selection, anything else drops it.
    void TV_IEC_DeviceClick(const QModelIndex& Index);
    void Btn_AddVarClick();
    void Btn_RemoveVarClick();
    void Btn_OKClick();
    void Btn_CancelClick();

    /// Refills the device list: one line per device, a placeholder marked with what is wrong; no line chosen.
    void Show_IEC_Devices();
    /// Shows the tree of the chosen device (none: an empty tree) with the filter's text.
    void Show_Tree_IEC_Device();
    /// Shows the members of data-set row Row (from 1) in the Members table.
    void Show_DataSet_DAs(int Row);
    /// Applies the filter field's text to the tree now.
    void Apply_Filter();

    TAccess_Model& Model() { return fModel; }
    TIEC_Tree_Model& Tree_Model() { return *fTree_Model; }

    /// Picks one IED among the names of a file with several (the first preselected); nothing when the user
    /// cancels. Tests replace it.
    std::function<std::optional<std::string>(QWidget* Parent, const std::vector<std::string>& IED_Names)> Choose_IED;
    /// What runs on the worker thread to decode an SCL file (the TIEC_Device constructor); tests slow it down.
    TAccess_Model::TDevice_Decoder Decode_Work;
    /// How long a decode runs before the progress dialog appears.
    static constexpr int Progress_Delay_Ms = 150;
    /// How long the GUI thread waits for a decode before it goes on with its events, and how often it looks again.
    static constexpr int Quick_Wait_Ms = 20;
    /// A tree with more nodes than this filters when typing pauses, a smaller one at every key.
    static constexpr int Filter_At_Once_Nodes = 20000;

    QLabel* L_SW_Code = nullptr;
    QLabel* L_SW_Desc = nullptr;
    QSplitter* SPL_Main = nullptr;
    QWidget* PDevIEC = nullptr;
    QSplitter* SPL_Dev_IEC = nullptr;
    QWidget* PDevIECList = nullptr;
    QPushButton* Btn_Add_IEC_Device = nullptr;
    QListWidget* LB_IEC_Devices = nullptr;
    QPushButton* Btn_Remove_IEC_Device = nullptr;
    QWidget* PDevIECTree = nullptr;
    QLineEdit* E_Tree_Filter = nullptr;
    QTreeView* TV_IEC_Device = nullptr;
    QWidget* PTable = nullptr;
    QTabWidget* PC_DA_DataSet = nullptr;
    QWidget* TS_DA = nullptr;
    QWidget* TS_DataSet = nullptr;
    QSplitter* SPL_DataSet = nullptr;
    TAccess_Grid* ACG_DA = nullptr;
    TAccess_Grid* ACG_DataSet = nullptr;
    TAccess_Grid* ACG_DS_Vars = nullptr;
    QPushButton* Btn_OK = nullptr;
    QPushButton* Btn_Cancel = nullptr;
    QPushButton* Btn_AddVar = nullptr;
    QPushButton* Btn_RemoveVar = nullptr;

    /// The client size at creation.
    static constexpr int Form_Width = 1200;
    static constexpr int Form_Height = 550;

protected:
    void showEvent(QShowEvent* Event) override;

private:
    void Build_Layout();
    void Devices_Changed();
    void Refresh_Tables();
    void Freeze_Tables(bool Frozen);
    /// Decodes on a worker thread; while it runs longer than Progress_Delay_Ms a modal progress dialog shows the
    /// file and the seconds so far. Rethrows the decoder's failure.
    std::unique_ptr<iec61850::TIEC_Device> Decode_In_Background(const std::filesystem::path& File,
                                                                std::string_view IED_Name);
    /// Runs Work on a worker thread the same way (for the IED names of an imported file).
    void Wait_For(const std::function<void()>& Work, const std::string& What);
    /// The IED of Source to import: asked when the file holds several; empty for its first. Nothing: cancelled.
    std::optional<std::string> IED_To_Import(const std::filesystem::path& Scl_File);
    void DataSet_Current_Changed(int Row);
    void Filter_Text_Changed();

    app::TApp_State& fState;
    TAccess_Model fModel;
    TIEC_Tree_Model* fTree_Model = nullptr;
    TAccess_Table_Model* fVariables_Model = nullptr;
    TAccess_Table_Model* fDataSets_Model = nullptr;
    TAccess_Table_Model* fMembers_Model = nullptr;
    QTimer* fFilter_Timer = nullptr;
    int fDecoding = 0;           // nested decodes running
    bool fFollow_DataSet = true; // the Members table follows the Data sets table's current row
};

} // namespace ct::access
