#include "Large_Configuration.h"

#include "access/Access_Model.h"
#include "common/Atomic_File.h"
#include "text/Catalogue.h"

#include <cstdio>
#include <stdexcept>
#include <vector>

namespace bench_access {

namespace fs = std::filesystem;
using namespace ct::access;

namespace {

constexpr int GGIO_Nodes = 5;
constexpr int Objects_Per_Node = 100;

std::string Three_Digits(int N)
{
    char Text[16];
    std::snprintf(Text, sizeof Text, "%03d", N);
    return Text;
}

} // namespace

std::string Large_Scl(const TLarge_Sizes& Sizes)
{
    std::string Text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<SCL xmlns=\"http://www.iec.ch/61850/2003/SCL\">\n"
                       "<IED name=\"CT40510_BENCH_IED\"><AccessPoint name=\"AP1\"><Server><LDevice inst=\"LD0\">\n"
                       "<LN0 lnClass=\"LLN0\" inst=\"\" lnType=\"LLN0_T\">\n";
    for (int D = 1; D <= Sizes.DataSets; ++D) {
        Text += "<DataSet name=\"DataSet" + Three_Digits(D) + "\">";
        for (int M = 0; M < Sizes.Members; ++M)
            Text += "<FCDA ldInst=\"LD0\" lnClass=\"GGIO\" lnInst=\"1\" doName=\"Ind" +
                    Three_Digits(M % Objects_Per_Node + 1) + "\" daName=\"" + (M % 2 ? "q" : "stVal") +
                    "\" fc=\"ST\"/>";
        Text += "</DataSet>\n";
    }
    Text += "</LN0>\n";
    for (int N = 1; N <= GGIO_Nodes; ++N)
        Text += "<LN lnClass=\"GGIO\" inst=\"" + std::to_string(N) + "\" lnType=\"GGIO_T\"/>\n";
    Text += "</LDevice></Server></AccessPoint></IED>\n<DataTypeTemplates>\n"
            "<LNodeType id=\"LLN0_T\" lnClass=\"LLN0\"><DO name=\"Mod\" type=\"INC_T\"/></LNodeType>\n"
            "<LNodeType id=\"GGIO_T\" lnClass=\"GGIO\">";
    for (int O = 1; O <= Objects_Per_Node; ++O)
        Text += "<DO name=\"Ind" + Three_Digits(O) + "\" type=\"SPS_T\"/>";
    Text += "</LNodeType>\n"
            "<DOType id=\"INC_T\" cdc=\"INC\"><DA name=\"stVal\" bType=\"INT32\" fc=\"ST\"/></DOType>\n"
            "<DOType id=\"SPS_T\" cdc=\"SPS\"><DA name=\"stVal\" bType=\"BOOLEAN\" fc=\"ST\"/>"
            "<DA name=\"q\" bType=\"Quality\" fc=\"ST\"/><DA name=\"t\" bType=\"Timestamp\" fc=\"ST\"/></DOType>\n"
            "</DataTypeTemplates>\n</SCL>\n";
    return Text;
}

void Write_Large_Configuration(const fs::path& Conf_Dir, const TLarge_Sizes& Sizes)
{
    fs::create_directories(Conf_Dir / ICD_Catalog_Folder);
    const fs::path Source = Conf_Dir / ICD_Catalog_Folder / "bench.icd";
    common::Write_File_Atomic(Source, Large_Scl(Sizes));
    const fs::path File = Conf_Dir / Client_File_Name;
    fs::remove(File);

    TAccess_Model Model;
    Model.Load(Conf_Dir, File);
    if (Model.Import_Device(Source, TOverwrite::No) != 0)
        throw std::runtime_error("the benchmark device was not imported");
    const iec61850::TIEC_Device& Device = *Model.Device(0);

    // Every leaf in tree order, as many times round as the variables need.
    std::vector<const iec61850::TIEC_DA*> Leaves;
    for (const auto& LD : Device.List_LDevice)
        for (const auto& LN : LD->List_LN)
            for (const auto& DO : LN->List_DO)
                for (const auto& DA : DO->List_DA)
                    if (DA->Is_Leaf())
                        Leaves.push_back(DA.get());
    if (Leaves.empty())
        throw std::runtime_error("the benchmark device has no attributes");
    for (int V = 0; V < Sizes.Variables; ++V) {
        Model.Add_Variable(0, *Leaves[static_cast<std::size_t>(V) % Leaves.size()]);
        const int Row = V + 1;
        Model.Edit_Cell(TTable_Id::Variables, Row, Var_Col::IPAddress, "192.168.100." + std::to_string(V % 250 + 1));
        Model.Edit_Cell(TTable_Id::Variables, Row, Var_Col::Port, "102");
        Model.Edit_Cell(TTable_Id::Variables, Row, Var_Col::OnTimer, V % 3 ? "N" : "Y");
        Model.Edit_Cell(TTable_Id::Variables, Row, Var_Col::Time, "1000");
        Model.Edit_Cell(TTable_Id::Variables, Row, Var_Col::Position, std::to_string(V % 1400));
        Model.Edit_Cell(TTable_Id::Variables, Row, Var_Col::StartBit, "0");
        Model.Edit_Cell(TTable_Id::Variables, Row, Var_Col::ReadWrite, "Read");
        Model.Edit_Cell(TTable_Id::Variables, Row, Var_Col::Convertion, "None");
        Model.Edit_Cell(TTable_Id::Variables, Row, Var_Col::MoltFact, V % 2 ? "None" : "1.5");
        Model.Edit_Cell(TTable_Id::Variables, Row, Var_Col::Mnemonic, "Variable " + std::to_string(Row));
    }

    int Added = 0;
    for (const auto& LD : Device.List_LDevice)
        for (const auto& LN : LD->List_LN)
            for (const auto& DataSet : LN->List_DataSet) {
                Model.Add_DataSet(0, *DataSet);
                const int Row = ++Added;
                Model.Edit_Cell(TTable_Id::DataSets, Row, DS_Col::IPAddress, "192.168.100.1");
                Model.Edit_Cell(TTable_Id::DataSets, Row, DS_Col::Port, "102");
                Model.Edit_Cell(TTable_Id::DataSets, Row, DS_Col::Time, "500");
                Model.Edit_Cell(TTable_Id::DataSets, Row, DS_Col::Mnemonic, "Data set " + std::to_string(Row));
                Model.Show_DataSet_DAs(Row);
                for (int M = 1; M <= Model.Members().Row_Count(); ++M) {
                    Model.Edit_Cell(TTable_Id::Members, M, Member_Col::Position,
                                    std::to_string((Row * 100 + M) % 1400));
                    Model.Edit_Cell(TTable_Id::Members, M, Member_Col::StartBit, "0");
                    Model.Edit_Cell(TTable_Id::Members, M, Member_Col::Convertion, "None");
                    Model.Edit_Cell(TTable_Id::Members, M, Member_Col::MultFact, "None");
                    Model.Edit_Cell(TTable_Id::Members, M, Member_Col::Mnemonic, "Member " + std::to_string(M));
                }
            }

    text::TCatalogue Lang;
    text::Load_Default_Strings(Lang);
    if (const auto Refusal = Model.Save(File, Lang, '.'))
        throw std::runtime_error("the benchmark configuration fails its check: " + Refusal->Text);
}

} // namespace bench_access
