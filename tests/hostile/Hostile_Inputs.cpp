#include "Hostile_Inputs.h"

#include <string_view>

namespace hostile {

namespace {

constexpr std::string_view Scl_Head = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                      "<SCL xmlns=\"http://www.iec.ch/61850/2003/SCL\">";

// An SCL file of one IED H1 with one logical device LD0 holding Lns, and the templates Dtt.
std::string Scl(std::string_view Lns, std::string_view Dtt, std::string_view Ied_Name = "H1")
{
    std::string Out(Scl_Head);
    Out += "<IED name=\"";
    Out += Ied_Name;
    Out += "\"><AccessPoint name=\"S1\"><Server><LDevice inst=\"LD0\">";
    Out += Lns;
    Out += "</LDevice></Server></AccessPoint></IED><DataTypeTemplates>";
    Out += Dtt;
    Out += "</DataTypeTemplates></SCL>\n";
    return Out;
}

constexpr std::string_view Small_Dtt =
    "<LNodeType id=\"T\" lnClass=\"GGIO\"><DO name=\"Ind\" type=\"D\"/></LNodeType>"
    "<DOType id=\"D\"><DA name=\"stVal\" bType=\"BOOLEAN\" fc=\"ST\"/><DA name=\"q\" bType=\"Quality\" fc=\"ST\"/>"
    "</DOType>";

std::string Scl_Many_DataSets(int Count, int Members)
{
    std::string Lns = "<LN0 lnClass=\"GGIO\" inst=\"\" lnType=\"T\">";
    for (int D = 0; D < Count; ++D) {
        Lns += "<DataSet name=\"DS" + std::to_string(D) + "\">";
        for (int M = 0; M < Members; ++M)
            Lns += "<FCDA ldInst=\"LD0\" lnClass=\"GGIO\" doName=\"Ind\" daName=\"" +
                   std::string(M % 2 ? "q" : "stVal") + "\" fc=\"ST\"/>";
        Lns += "</DataSet>";
    }
    Lns += "</LN0>";
    return Scl(Lns, Small_Dtt);
}

std::string Deep_Nesting(std::string_view Root, std::string_view Inner, int Depth)
{
    std::string Out = "<" + std::string(Root) + ">";
    for (int I = 0; I < Depth; ++I)
        Out += "<" + std::string(Inner) + ">";
    for (int I = 0; I < Depth; ++I)
        Out += "</" + std::string(Inner) + ">";
    Out += "</" + std::string(Root) + ">";
    return Out;
}

// A chain of Count data object types, each the sub data object of the one before.
std::string Scl_Long_Type_Chain(int Count)
{
    std::string Dtt = "<LNodeType id=\"T\" lnClass=\"GGIO\"><DO name=\"Ind\" type=\"C0\"/></LNodeType>";
    for (int I = 0; I < Count; ++I)
        Dtt += "<DOType id=\"C" + std::to_string(I) + "\"><SDO name=\"s\" type=\"C" + std::to_string(I + 1) +
               "\"/><DA name=\"v\" bType=\"INT32\" fc=\"ST\"/></DOType>";
    return Scl("<LN0 lnClass=\"GGIO\" inst=\"\" lnType=\"T\"/>", Dtt);
}

const std::string Client_Head = "<IEC_68850_Client><List_ICD_Files><ICD_File Name=\"FEEDER1\" "
                                "FileName=\"Demo_Feeder.icd\"/></List_ICD_Files>";

std::string Variable(const std::string& Reference, int Position)
{
    return "<DA_Item Index=\"0\" bType=\"FLOAT32\" fc=\"MX\" Reference=\"" + Reference +
           "\" StartByte=\"0\" NumByte=\"4\" IPAddress=\"10.0.0.21\" Port=\"102\" OnChange=\"N\" OnCMD=\"N\" "
           "OnTimer=\"Y\" Time=\"1000\" Position=\"" +
           std::to_string(Position) +
           "\" StartBit=\"0\" ReadWrite=\"Read\" Convertion=\"None\" MoltFact=\"None\" Mnemonic=\"\"/>";
}

std::string Client_DataSets(int Count, int Members, const std::string& Reference)
{
    std::string Out = Client_Head + "<List_DA_Selected/><List_DataSet_Selected>";
    for (int D = 0; D < Count; ++D) {
        Out += "<DataSet_Item Index=\"0\" Reference=\"" + Reference +
               "\" GooseName=\"\" EnGoose=\"N\" IPAddress=\"10.0.0.21\" Port=\"102\" Time=\"1000\" Mnemonic=\"\">"
               "<DataSet_List_DAs>";
        for (int M = 0; M < Members; ++M)
            Out += "<DataSet_DA_Item bType=\"FLOAT32\" Reference=\"FEEDER1LD0/MMXU1.TotW.mag.f\" Position=\"" +
                   std::to_string(M % 1400) + "\" StartBit=\"0\" Convertion=\"None\" MoltFact=\"None\" Mnemonic=\"\"/>";
        Out += "</DataSet_List_DAs></DataSet_Item>";
    }
    Out += "</List_DataSet_Selected></IEC_68850_Client>";
    return Out;
}

std::string Huge()
{
    return std::string(std::size_t{4} << 20, 'A');
}

// A long name repeated into the reference of every attribute below it: 2 MB times 1000 nodes.
std::string Scl_Long_Names_Repeated()
{
    std::string Lns =
        "<LN prefix=\"" + std::string(std::size_t{2} << 20, 'P') + "\" lnClass=\"GGIO\" inst=\"1\" lnType=\"T\"/>";
    for (int I = 0; I < 1000; ++I)
        Lns += "<LN prefix=\"P\" lnClass=\"GGIO\" inst=\"" + std::to_string(I + 2) + "\" lnType=\"T\"/>";
    std::string Dtt = "<LNodeType id=\"T\" lnClass=\"GGIO\">";
    for (int I = 0; I < 10; ++I)
        Dtt += "<DO name=\"" + std::string(std::size_t{1} << 20, static_cast<char>('a' + I)) + "\" type=\"D\"/>";
    Dtt += "</LNodeType><DOType id=\"D\"><DA name=\"stVal\" bType=\"BOOLEAN\" fc=\"ST\"/></DOType>";
    return Scl(Lns, Dtt);
}

std::string Client_Variables(int Count)
{
    std::string Client = Client_Head + "<List_DA_Selected>";
    for (int I = 0; I < Count; ++I)
        Client += Variable("FEEDER1LD0/MMXU1.TotW.mag.f", I % 1400);
    return Client + "</List_DA_Selected></IEC_68850_Client>";
}

std::string Lang_Lines(int Count)
{
    std::string Lines;
    for (int I = 0; I < Count; ++I)
        Lines += "STR" + std::to_string(I % 3000) + " =\xC2\xB6 line " + std::to_string(I) + " \xC2\xB6\r\n";
    return Lines;
}

using TMaker = std::string (*)();

const std::vector<std::pair<std::string, TMaker>>& Makers()
{
    static const std::vector<std::pair<std::string, TMaker>> Table = {
        {"gen_scl_10000_datasets.icd", [] { return Scl_Many_DataSets(10000, 1); }},
        {"gen_scl_dataset_300_members.icd", [] { return Scl_Many_DataSets(1, 300); }},
        {"gen_scl_huge_ied_name.icd",
         [] { return Scl("<LN0 lnClass=\"GGIO\" inst=\"\" lnType=\"T\"/>", Small_Dtt, Huge()); }},
        {"gen_scl_long_names_repeated.icd", Scl_Long_Names_Repeated},
        {"gen_scl_100000_nodes.icd", // one logical device of many nodes: each pass walks them once
         [] {
             std::string Lns;
             for (int I = 0; I < 100000; ++I)
                 Lns += "<LN lnClass=\"GGIO\" inst=\"" + std::to_string(I) + "\" lnType=\"T\"/>";
             return Scl(Lns, Small_Dtt);
         }},
        {"gen_scl_deep_nesting.icd",
         [] {
             return Scl("<LN0 lnClass=\"GGIO\" inst=\"\" lnType=\"T\">" + Deep_Nesting("Private", "Private", 100000) +
                            "</LN0>",
                        Small_Dtt);
         }},
        {"gen_scl_type_chain_1000.icd", [] { return Scl_Long_Type_Chain(1000); }},
        {"gen_client_10000_datasets.xml", [] { return Client_DataSets(10000, 1, "FEEDER1LD0/LLN0.DS_Meas"); }},
        {"gen_client_dataset_300_members.xml", [] { return Client_DataSets(1, 300, "FEEDER1LD0/LLN0.DS_Meas"); }},
        {"gen_client_20000_variables.xml", [] { return Client_Variables(20000); }},
        {"gen_client_huge_reference.xml",
         [] {
             return Client_Head + "<List_DA_Selected>" + Variable(Huge(), 0) + "</List_DA_Selected></IEC_68850_Client>";
         }},
        {"gen_client_deep_nesting.xml", [] { return Deep_Nesting("IEC_68850_Client", "List_DA_Selected", 100000); }},
        {"gen_pargen_huge_value.xml",
         [] {
             return "<Par_Gen><MODBUS_SLAVE_IDDEVICE>" + Huge() + "</MODBUS_SLAVE_IDDEVICE><IEC61850_Client_VLAN>" +
                    std::string(1 << 20, '9') + "</IEC61850_Client_VLAN></Par_Gen>";
         }},
        {"gen_pargen_deep_nesting.xml", [] { return Deep_Nesting("Par_Gen", "MODBUS_SLAVE_SERIAL", 100000); }},
        {"gen_settings_huge_value.xml",
         [] {
             return "<Conf_Settings><lastproj><projectname>" + Huge() +
                    "</projectname></lastproj><lastlang><language>" + Huge() + "</language></lastlang></Conf_Settings>";
         }},
        {"gen_settings_deep_nesting.xml", [] { return Deep_Nesting("Conf_Settings", "lastproj", 100000); }},
        {"gen_lang_huge_line.lng", [] { return "STR1 =" + Huge() + "\r\nSTR2 =" + std::string(1 << 20, '\xB6'); }},
        {"gen_lang_200000_lines.lng", [] { return Lang_Lines(200000); }},
    };
    return Table;
}

} // namespace

const std::vector<std::string>& Generated_Names()
{
    static const std::vector<std::string> Names = [] {
        std::vector<std::string> List;
        for (const auto& [Name, Maker] : Makers())
            List.push_back(Name);
        return List;
    }();
    return Names;
}

std::string Generate(const std::string& Name)
{
    for (const auto& [Known, Maker] : Makers())
        if (Known == Name)
            return Maker();
    return {};
}

} // namespace hostile
