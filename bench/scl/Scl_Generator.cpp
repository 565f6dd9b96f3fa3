#include "Scl_Generator.h"

#include <algorithm>
#include <streambuf>

namespace scl_bench {

namespace {

const char* const LN_Classes[] = {"MMXU", "XCBR", "CSWI", "GGIO", "PTOC", "PDIS", "MMTR", "XSWI", "PTRC", "RREC"};
constexpr int LN_Class_Count = 10;
constexpr int Data_DOs = 5; // data objects of each logical node type besides Mod, Beh, Health and NamPlt

std::string Ied_Name(int I)
{
    return "IED" + std::to_string(I + 1);
}
std::string LD_Name(int L)
{
    return "LD" + std::to_string(L);
}
const char* LN_Class(int N)
{
    return LN_Classes[N % LN_Class_Count];
}
int LN_Inst(int N)
{
    return N / LN_Class_Count + 1;
}
int LN_Type(int N, const TScl_Shape& Shape)
{
    return N % std::max(1, Shape.Types);
}
std::string Data_DO(int D)
{
    return "Val" + std::to_string(D + 1);
}

void Header(std::ostream& Out)
{
    Out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<SCL xmlns=\"http://www.iec.ch/61850/2003/SCL\" xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
           "xmlns:ven=\"http://vendor.example/SCL\" version=\"2007\" revision=\"B\" release=\"4\">\n"
           "  <Header id=\"benchmark\" version=\"1\" revision=\"0\" toolID=\"scl-generate\" "
           "nameStructure=\"IEDName\"/>\n";
}

void Substation(std::ostream& Out, const TScl_Shape& Shape)
{
    Out << "  <Substation name=\"S1\" desc=\"generated substation\">\n"
           "    <VoltageLevel name=\"V1\"><Voltage unit=\"V\" multiplier=\"k\">110</Voltage>\n";
    for (int I = 0; I < Shape.IEDs; ++I) {
        Out << "      <Bay name=\"B" << I << "\">\n"
            << "        <ConductingEquipment name=\"QA1\" type=\"CBR\"><Terminal name=\"T1\" connectivityNode=\"S1/V1/B"
            << I << "/N1\" substationName=\"S1\" voltageLevelName=\"V1\" bayName=\"B" << I
            << "\" cNodeName=\"N1\"/></ConductingEquipment>\n"
            << "        <LNode iedName=\"" << Ied_Name(I) << "\" ldInst=\"LD0\" lnClass=\"XCBR\" lnInst=\"1\"/>\n"
            << "        <ConnectivityNode name=\"N1\" pathName=\"S1/V1/B" << I << "/N1\"/>\n"
            << "      </Bay>\n";
    }
    Out << "    </VoltageLevel>\n  </Substation>\n";
}

void Communication(std::ostream& Out, const TScl_Shape& Shape)
{
    Out << "  <Communication>\n    <SubNetwork name=\"W1\" type=\"8-MMS\">\n";
    for (int I = 0; I < Shape.IEDs; ++I) {
        Out << "      <ConnectedAP iedName=\"" << Ied_Name(I) << "\" apName=\"S1\">\n"
            << "        <Address><P type=\"IP\">10.0." << I / 250 << "." << I % 250 + 1
            << "</P><P type=\"IP-SUBNET\">255.255.0.0</P><P type=\"IP-GATEWAY\">10.0.0.254</P>"
               "<P type=\"OSI-TSEL\">0001</P><P type=\"OSI-PSEL\">00000001</P><P "
               "type=\"OSI-SSEL\">0001</P></Address>\n";
        for (int L = 0; L < Shape.LDevices; ++L)
            Out << "        <GSE ldInst=\"" << LD_Name(L) << "\" cbName=\"GC1\"><Address><P type=\"MAC-Address\">"
                << "01-0C-CD-01-00-" << (L % 100) << "</P><P type=\"APPID\">" << (1000 + L)
                << "</P><P type=\"VLAN-ID\">000</P><P type=\"VLAN-PRIORITY\">4</P></Address>"
                   "<MinTime unit=\"s\" multiplier=\"m\">4</MinTime><MaxTime unit=\"s\" "
                   "multiplier=\"m\">1000</MaxTime></GSE>\n";
        Out << "      </ConnectedAP>\n";
    }
    Out << "    </SubNetwork>\n  </Communication>\n";
}

void Instance_Values(std::ostream& Out, const TScl_Shape& Shape, int N)
{
    for (int D = 0; D < Shape.DOIs; ++D) {
        const int DO = D % (Data_DOs + 1);
        if (DO == Data_DOs) {
            Out << "          <DOI name=\"Mod\" desc=\"Mode of " << LN_Class(N)
                << "\"><DAI name=\"stVal\" valKind=\"RO\">"
                << "<Val>on</Val></DAI><DAI name=\"ctlModel\" valKind=\"RO\"><Val>status-only</Val></DAI></DOI>\n";
            continue;
        }
        Out << "          <DOI name=\"" << Data_DO(DO) << "\" desc=\"Measured value " << D << " of node " << N
            << "\"><SDI name=\"sub\"><DAI name=\"d\" sAddr=\"R" << N << "." << D
            << "\"><Val>Value of the sub data object</Val></DAI></SDI><DAI name=\"d\" valKind=\"Set\">"
            << "<Val>Description text " << D << "</Val></DAI></DOI>\n";
    }
}

void LN(std::ostream& Out, const TScl_Shape& Shape, int N)
{
    Out << "        <LN lnClass=\"" << LN_Class(N) << "\" inst=\"" << LN_Inst(N) << "\" lnType=\"LNT"
        << LN_Type(N, Shape) << "\" prefix=\"\" desc=\"node " << N << "\">\n";
    Instance_Values(Out, Shape, N);
    if (N % 5 == 0)
        Out << "          <Private type=\"ven:Mapping\"><ven:Map address=\"" << N * 16
            << "\" length=\"16\" scale=\"1.0\"/></Private>\n";
    Out << "        </LN>\n";
}

void LLN0(std::ostream& Out, const TScl_Shape& Shape, int L)
{
    Out << "        <LN0 lnClass=\"LLN0\" inst=\"\" lnType=\"LLN0T\">\n";
    for (int S = 0; S < Shape.DataSets; ++S) {
        Out << "          <DataSet name=\"DS" << S << "\" desc=\"data set " << S << "\">\n";
        for (int F = 0; F < Shape.FCDAs; ++F) {
            const int N = (S * Shape.FCDAs + F) % std::max(1, Shape.LNs);
            const int DO = F % Data_DOs;
            Out << "            <FCDA ldInst=\"" << LD_Name(L) << "\" prefix=\"\" lnClass=\"" << LN_Class(N)
                << "\" lnInst=\"" << LN_Inst(N) << "\" doName=\"" << Data_DO(DO) << "\"";
            if (F % 2 == 0)
                Out << " daName=\"mag.v.f\""; // a dotted path: never resolved
            if (F % 4 == 1)
                Out << " daName=\"q\"";
            Out << " fc=\"MX\"/>\n";
        }
        Out << "          </DataSet>\n";
        Out << "          <ReportControl name=\"RC" << S << "\" datSet=\"DS" << S << "\" intgPd=\"1000\" rptID=\"R" << S
            << "\" confRev=\"1\" buffered=\"true\" bufTime=\"50\">"
               "<TrgOps dchg=\"true\" qchg=\"true\" period=\"true\"/><OptFields seqNum=\"true\" timeStamp=\"true\" "
               "dataSet=\"true\" reasonCode=\"true\"/><RptEnabled max=\"5\"/></ReportControl>\n";
    }
    if (Shape.DataSets > 0)
        Out << "          <GSEControl name=\"GC1\" datSet=\"DS0\" appID=\"G" << L << "\" confRev=\"1\"/>\n";
    Out << "          <DOI name=\"Mod\"><DAI name=\"stVal\"><Val>on</Val></DAI></DOI>\n"
           "          <DOI name=\"NamPlt\"><DAI name=\"vendor\"><Val>Benchmark</Val></DAI><DAI "
           "name=\"swRev\"><Val>1.0</Val></DAI></DOI>\n"
           "        </LN0>\n";
}

void IED(std::ostream& Out, const TScl_Shape& Shape, int I)
{
    Out << "  <IED name=\"" << Ied_Name(I) << "\" type=\"Relay\" manufacturer=\"Benchmark\" configVersion=\"1.0\">\n"
        << "    "
           "<Services><DynAssociation/><GetDirectory/><GetDataObjectDefinition/><GetDataSetValue/><DataSetDirectory/>"
           "<ReadWrite/><ConfReportControl max=\"20\"/><GetCBValues/><ReportSettings cbName=\"Conf\" datSet=\"Conf\"/>"
           "<GOOSE max=\"8\"/></Services>\n"
        << "    <AccessPoint name=\"S1\">\n      <Server>\n        <Authentication/>\n";
    for (int L = 0; L < Shape.LDevices; ++L) {
        Out << "      <LDevice inst=\"" << LD_Name(L) << "\" desc=\"logical device " << L << "\">\n";
        LLN0(Out, Shape, L);
        for (int N = 0; N < Shape.LNs; ++N)
            LN(Out, Shape, N);
        Out << "      </LDevice>\n";
    }
    Out << "      </Server>\n    </AccessPoint>\n  </IED>\n";
}

void Templates(std::ostream& Out, const TScl_Shape& Shape)
{
    const int Types = std::max(1, Shape.Types);
    const int Depth = std::max(1, Shape.Depth);
    Out << "  <DataTypeTemplates>\n"
           "    <LNodeType id=\"LLN0T\" lnClass=\"LLN0\"><DO name=\"Mod\" type=\"ENC\"/><DO name=\"Beh\" type=\"ENS\"/>"
           "<DO name=\"Health\" type=\"ENS\"/><DO name=\"NamPlt\" type=\"LPL\"/></LNodeType>\n";
    for (int T = 0; T < Types; ++T) {
        Out << "    <LNodeType id=\"LNT" << T << "\" lnClass=\"" << LN_Class(T) << "\"><DO name=\"Mod\" type=\"ENC\"/>"
            << "<DO name=\"Beh\" type=\"ENS\"/><DO name=\"Health\" type=\"ENS\"/><DO name=\"NamPlt\" type=\"LPL\"/>";
        for (int D = 0; D < Data_DOs; ++D)
            Out << "<DO name=\"" << Data_DO(D) << "\" type=\"DOT" << (T + D) % Types << "_" << Depth << "\"/>";
        Out << "</LNodeType>\n";
    }
    Out << "    <DOType id=\"ENC\" cdc=\"ENC\"><DA name=\"stVal\" bType=\"Enum\" type=\"Beh\" fc=\"ST\" dchg=\"true\"/>"
           "<DA name=\"q\" bType=\"Quality\" fc=\"ST\" qchg=\"true\"/><DA name=\"t\" bType=\"Timestamp\" fc=\"ST\"/>"
           "<DA name=\"ctlModel\" bType=\"Enum\" type=\"CtlModel\" fc=\"CF\"/></DOType>\n"
           "    <DOType id=\"ENS\" cdc=\"ENS\"><DA name=\"stVal\" bType=\"Enum\" type=\"Beh\" fc=\"ST\" dchg=\"true\"/>"
           "<DA name=\"q\" bType=\"Quality\" fc=\"ST\" qchg=\"true\"/><DA name=\"t\" bType=\"Timestamp\" "
           "fc=\"ST\"/></DOType>\n"
           "    <DOType id=\"LPL\" cdc=\"LPL\"><DA name=\"vendor\" bType=\"VisString255\" fc=\"DC\"/>"
           "<DA name=\"swRev\" bType=\"VisString255\" fc=\"DC\"/><DA name=\"d\" bType=\"VisString255\" "
           "fc=\"DC\"/></DOType>\n";
    for (int T = 0; T < Types; ++T)
        for (int L = 1; L <= Depth; ++L) {
            Out << "    <DOType id=\"DOT" << T << "_" << L << "\" cdc=\"MV\">";
            if (L > 1)
                Out << "<SDO name=\"sub\" type=\"DOT" << T << "_" << L - 1 << "\"/>";
            Out << "<DA name=\"mag\" bType=\"Struct\" type=\"DAT" << T << "_" << Depth << "\" fc=\"MX\" dchg=\"true\"/>"
                << "<DA name=\"q\" bType=\"Quality\" fc=\"MX\" qchg=\"true\"/><DA name=\"t\" bType=\"Timestamp\" "
                   "fc=\"MX\"/>"
                << "<DA name=\"d\" bType=\"VisString255\" fc=\"DC\"/></DOType>\n";
        }
    for (int T = 0; T < Types; ++T)
        for (int L = 1; L <= Depth; ++L) {
            Out << "    <DAType id=\"DAT" << T << "_" << L << "\">";
            if (L > 1)
                Out << "<BDA name=\"v\" bType=\"Struct\" type=\"DAT" << T << "_" << L - 1 << "\"/>"
                    << "<BDA name=\"x\" bType=\"FLOAT32\"/>";
            else
                Out << "<BDA name=\"f\" bType=\"FLOAT32\"/><BDA name=\"i\" bType=\"INT32\"/>";
            Out << "</DAType>\n";
        }
    Out << "    <EnumType id=\"Beh\"><EnumVal ord=\"1\">on</EnumVal><EnumVal ord=\"2\">blocked</EnumVal>"
           "<EnumVal ord=\"3\">test</EnumVal><EnumVal ord=\"4\">test/blocked</EnumVal><EnumVal "
           "ord=\"5\">off</EnumVal></EnumType>\n"
           "    <EnumType id=\"CtlModel\"><EnumVal ord=\"0\">status-only</EnumVal><EnumVal "
           "ord=\"1\">direct-with-normal-security</EnumVal></EnumType>\n"
           "  </DataTypeTemplates>\n";
}

class TCounting_Buffer final : public std::streambuf
{
public:
    std::uint64_t Count = 0;

protected:
    int_type overflow(int_type C) override
    {
        ++Count;
        return traits_type::not_eof(C);
    }
    std::streamsize xsputn(const char*, std::streamsize Size) override
    {
        Count += static_cast<std::uint64_t>(Size);
        return Size;
    }
};

} // namespace

void Generate_Scl(std::ostream& Out, const TScl_Shape& Shape)
{
    Header(Out);
    Substation(Out, Shape);
    Communication(Out, Shape);
    for (int I = 0; I < Shape.IEDs; ++I)
        IED(Out, Shape, I);
    Templates(Out, Shape);
    Out << "</SCL>\n";
}

std::uint64_t Generated_Size(const TScl_Shape& Shape)
{
    TCounting_Buffer Buffer;
    std::ostream Out(&Buffer);
    Generate_Scl(Out, Shape);
    return Buffer.Count;
}

TScl_Shape Scaled_Shape(TScl_Shape Shape, std::uint64_t Bytes, bool Multi_IED)
{
    int& Count = Multi_IED ? Shape.IEDs : Shape.LDevices;
    if (!Multi_IED)
        Shape.IEDs = 1;
    Count = 1;
    const std::uint64_t One = Generated_Size(Shape);
    Count = 2;
    const std::uint64_t Step = std::max<std::uint64_t>(1, Generated_Size(Shape) - One);
    Count = Bytes > One ? static_cast<int>(1 + (Bytes - One + Step / 2) / Step) : 1;
    return Shape;
}

} // namespace scl_bench
