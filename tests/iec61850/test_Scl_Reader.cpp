// The SCL reader on small fixtures of our own; every fixture is decoded in both read modes, which must agree.
#include "Scl_Fixture.h"

#include "iec61850/Scl_Reader.h"

#include <gtest/gtest.h>

#include <regex>

namespace iec61850 {
namespace {

using test::Dump_File;
using test::Dump_Text;
using test::TTemp_File;

// Reference texts, the Enum rule, the inherited FC, FCDA resolution, GOOSE names, an LN without lnType, and a
// second IED that is not read. Instance values, communication and private parts are there to be ignored.
constexpr const char* Reference_Scl = R"(<?xml version="1.0" encoding="UTF-8"?>
<SCL xmlns="http://www.iec.ch/61850/2003/SCL" version="2007" revision="B">
  <Header id="fixture"/>
  <Communication><SubNetwork name="S1"><ConnectedAP iedName="IED1" apName="P1"/></SubNetwork></Communication>
  <IED name="IED1" manufacturer="us">
    <Services/>
    <AccessPoint name="P1">
      <Server>
        <Authentication/>
        <LDevice inst="LD0">
          <LN0 lnClass="LLN0" lnType="LLN0_T" inst="">
            <DataSet name="DS1">
              <FCDA ldInst="LD0" prefix="C" lnClass="MMXU" lnInst="2" doName="TotW" daName="mag" fc="MX"/>
              <FCDA ldInst="LD0" lnClass="MMXU" lnInst="1" doName="TotW" fc="MX"/>
              <FCDA ldInst="LD1" lnClass="GGIO" lnInst="1" doName="Ind" daName="stVal" fc="ST"/>
              <FCDA ldInst="LD0" lnClass="LLN0" doName="Mod" fc="CF"/>
              <FCDA ldInst="LD0" lnClass="MMXU" lnInst="1" doName="TotW.mag" fc="MX"/>
              <FCDA ldInst="LD0" lnClass="MMXU" lnInst="1" doName="TotW" daName="mag.f" fc="MX"/>
              <FCDA ldInst="LD9" lnClass="MMXU" doName="TotW"/>
              <FCDA lnClass="MMXU" doName="TotW"/>
              <FCDA ldInst="LD0" lnClass="GGIO" doName="Ind"/>
              <FCDA ldInst="LD0" lnClass="LLN0" doName="Mod" daName="nothing"/>
            </DataSet>
            <DataSet name="DS2"/>
            <DataSet name="DS2"/>
            <GSEControl name="GC_none" datSet="Nowhere"/>
            <GSEControl name="GC2" datSet="DS2"/>
            <GSEControl name="" datSet="DS1"/>
            <DOI name="Mod"><DAI name="stVal"><Val>on</Val></DAI></DOI>
          </LN0>
          <LN prefix="B" lnClass="MMXU" lnType="MMXU_T" inst="1"/>
          <LN prefix="C" lnClass="MMXU" lnType="MMXU_T" inst="2"/>
          <LN lnClass="GGIO" inst="9">
            <DataSet name="Ignored"><FCDA ldInst="LD0" lnClass="LLN0" doName="Mod"/></DataSet>
          </LN>
        </LDevice>
        <LDevice inst="LD1">
          <LN lnClass="GGIO" lnType="GGIO_T" inst="1"/>
        </LDevice>
      </Server>
    </AccessPoint>
  </IED>
  <IED name="IED2">
    <AccessPoint name="P1"><Server><LDevice inst="Other"><LN0 lnClass="LLN0" lnType="LLN0_T"/></LDevice></Server></AccessPoint>
  </IED>
  <DataTypeTemplates>
    <LNodeType id="LLN0_T" lnClass="LLN0"><DO name="Mod" type="ENC_T"/></LNodeType>
    <LNodeType id="MMXU_T" lnClass="MMXU"><DO name="TotW" type="MV_T"/></LNodeType>
    <LNodeType id="GGIO_T" lnClass="GGIO"><DO name="Ind" type="SPS_T"/></LNodeType>
    <DOType id="ENC_T" cdc="ENC">
      <DA name="stVal" bType="Enum" type="Beh_T" fc="ST"/>
      <DA name="ctlModel" bType="Enum" type="Beh_T" fc="CF"/>
    </DOType>
    <DOType id="MV_T" cdc="MV">
      <DA name="mag" bType="Struct" type="AV_T" fc="MX"/>
      <DA name="q" bType="Quality" fc="MX"/>
      <DA name="units" bType="Struct" type="Unit_T"/>
    </DOType>
    <DOType id="SPS_T" cdc="SPS"><DA name="stVal" bType="BOOLEAN" fc="ST"/><DA name="q" bType="Quality" fc="ST"/></DOType>
    <DAType id="AV_T"><BDA name="f" bType="FLOAT32"/><BDA name="i" bType="INT32"/></DAType>
    <DAType id="Unit_T"><BDA name="SIUnit" bType="Enum" type="SI_T"/><BDA name="multiplier" bType="Enum" type="Mul_T" fc="CF"/></DAType>
    <EnumType id="Beh_T"><EnumVal ord="1">on</EnumVal></EnumType>
    <DAType id="Beh_T"><BDA name="never_expanded" bType="INT8"/></DAType>
  </DataTypeTemplates>
</SCL>
)";

constexpr const char* Reference_Dump = R"(DEV IED1|fixture.icd
  LD LD0
    LN |LLN0||LLN0_T
      DO Mod
        DA IED1LD0/LLN0.Mod.stVal|ST|Enum
        DA IED1LD0/LLN0.Mod.ctlModel|CF|Enum
      DS IED1LD0/LLN0.DS1|
        M IED1LD0/BMMXU1.TotW.mag|MX|Struct
        M IED1LD0/BMMXU1.TotW.mag.f|MX|FLOAT32
        M IED1LD1/GGIO1.Ind.stVal|ST|BOOLEAN
        M IED1LD0/LLN0.Mod.stVal|ST|Enum
      DS IED1LD0/LLN0.DS2|GC2
      DS IED1LD0/LLN0.DS2|
    LN B|MMXU|1|MMXU_T
      DO TotW
        DA IED1LD0/BMMXU1.TotW.mag|MX|Struct
          DA IED1LD0/BMMXU1.TotW.mag.f|MX|FLOAT32
          DA IED1LD0/BMMXU1.TotW.mag.i|MX|INT32
        DA IED1LD0/BMMXU1.TotW.q|MX|Quality
        DA IED1LD0/BMMXU1.TotW.units||Struct
          DA IED1LD0/BMMXU1.TotW.units.SIUnit||Enum
          DA IED1LD0/BMMXU1.TotW.units.multiplier|CF|Enum
    LN C|MMXU|2|MMXU_T
      DO TotW
        DA IED1LD0/CMMXU2.TotW.mag|MX|Struct
          DA IED1LD0/CMMXU2.TotW.mag.f|MX|FLOAT32
          DA IED1LD0/CMMXU2.TotW.mag.i|MX|INT32
        DA IED1LD0/CMMXU2.TotW.q|MX|Quality
        DA IED1LD0/CMMXU2.TotW.units||Struct
          DA IED1LD0/CMMXU2.TotW.units.SIUnit||Enum
          DA IED1LD0/CMMXU2.TotW.units.multiplier|CF|Enum
    LN |GGIO|9|
  LD LD1
    LN |GGIO|1|GGIO_T
      DO Ind
        DA IED1LD1/GGIO1.Ind.stVal|ST|BOOLEAN
        DA IED1LD1/GGIO1.Ind.q|ST|Quality
)";

TEST(Scl_Reader, DecodesTheFirstIedWithReferencesTypesAndDataSets)
{
    EXPECT_EQ(Dump_Text(Reference_Scl), Reference_Dump);
}

TEST(Scl_Reader, DataSetMembersAreLinksIntoTheDataObjectTrees)
{
    const TTemp_File File(Reference_Scl);
    const TIEC_Device Device(File.Path());
    const TIEC_LN& LLN0 = *Device.List_LDevice.at(0)->List_LN.at(0);
    const TIEC_LN& MMXU = *Device.List_LDevice.at(0)->List_LN.at(1);
    const TIEC_DataSet& DS1 = *LLN0.List_DataSet.at(0);
    ASSERT_EQ(DS1.List_DA.size(), 4u);
    EXPECT_EQ(DS1.List_DA[0], MMXU.List_DO.at(0)->List_DA.at(0).get());
    EXPECT_EQ(DS1.List_DA[1], MMXU.List_DO.at(0)->List_DA.at(0)->List_DA.at(0).get());
    EXPECT_EQ(DS1.Name(), "DS1");
    EXPECT_EQ(Device.FileName(), "fixture.icd");
}

// Templates that share an id are all expanded, in document order; comments between children change nothing.
TEST(Scl_Reader, ExpandsEveryTemplateWithTheIdInDocumentOrder)
{
    const char* Scl = R"(<SCL xmlns="http://www.iec.ch/61850/2003/SCL">
  <IED name="D"><AccessPoint name="P"><Server><LDevice inst="L"><LN0 lnClass="LLN0" lnType="T"/></LDevice></Server></AccessPoint></IED>
  <DataTypeTemplates>
    <LNodeType id="T"><DO name="A" type="X"/></LNodeType>
    <DOType id="X"><DA name="a1" bType="BOOLEAN" fc="ST"/><!-- between --><SDO name="s" type="Y"/></DOType>
    <LNodeType id="T"><!-- c --><DO name="B" type="X"/></LNodeType>
    <DOType id="X"><DA name="a2" bType="Struct" type="S" fc="MX"/></DOType>
    <DOType id="Y"><DA name="y" bType="INT32" fc="ST"/></DOType>
    <DAType id="S"><BDA name="m1" bType="INT8"/></DAType>
    <DAType id="S"><BDA name="m2" bType="INT8"/></DAType>
  </DataTypeTemplates>
</SCL>)";
    EXPECT_EQ(Dump_Text(Scl), R"(DEV D|fixture.icd
  LD L
    LN |LLN0||T
      DO A
        DO s
          DA DL/LLN0.A.s.y|ST|INT32
        DA DL/LLN0.A.a1|ST|BOOLEAN
        DA DL/LLN0.A.a2|MX|Struct
          DA DL/LLN0.A.a2.m1|MX|INT8
          DA DL/LLN0.A.a2.m2|MX|INT8
      DO B
        DO s
          DA DL/LLN0.B.s.y|ST|INT32
        DA DL/LLN0.B.a1|ST|BOOLEAN
        DA DL/LLN0.B.a2|MX|Struct
          DA DL/LLN0.B.a2.m1|MX|INT8
          DA DL/LLN0.B.a2.m2|MX|INT8
)");
}

// ---- choosing the IED

constexpr const char* Three_Ieds = R"(<SCL xmlns="http://www.iec.ch/61850/2003/SCL">
  <IED name="IED1"><AccessPoint name="P"><Server><LDevice inst="a"/></Server></AccessPoint></IED>
  <IED name="IED2"><AccessPoint name="P"><Server><LDevice inst="b"/></Server></AccessPoint></IED>
  <DataTypeTemplates/>
  <IED name="IED2"><AccessPoint name="P"><Server><LDevice inst="c"/></Server></AccessPoint></IED>
  <IED><AccessPoint name="P"><Server><LDevice inst="d"/></Server></AccessPoint></IED>
</SCL>)";

struct TIed_Case
{
    const char* Asked;
    const char* Dump;
};

class Scl_Ied_Choice : public ::testing::TestWithParam<TIed_Case>
{};

TEST_P(Scl_Ied_Choice, DecodesTheNamedIedElseTheFirst)
{
    EXPECT_EQ(Dump_Text(Three_Ieds, GetParam().Asked), GetParam().Dump) << "asked for " << GetParam().Asked;
}

INSTANTIATE_TEST_SUITE_P(Cases, Scl_Ied_Choice,
                         ::testing::Values(TIed_Case{"", "DEV IED1|fixture.icd\n  LD a\n"},
                                           TIed_Case{"IED2", "DEV IED2|fixture.icd\n  LD b\n"},
                                           TIed_Case{"IED1", "DEV IED1|fixture.icd\n  LD a\n"},
                                           TIed_Case{"ied2", "DEV IED1|fixture.icd\n  LD a\n"},
                                           TIed_Case{"Nobody", "DEV IED1|fixture.icd\n  LD a\n"}));

TEST(Scl_Reader, ListsTheIedNamesInDocumentOrder)
{
    const TTemp_File File(Three_Ieds);
    EXPECT_EQ(List_IED_Names(File.Path()), (std::vector<std::string>{"IED1", "IED2", "IED2", ""}));
    const auto Whole = Read_Scl_Parts(File.Path(), {}, TScl_Read_Mode::Whole_Document);
    EXPECT_EQ(Whole->IED_Names, List_IED_Names(File.Path()));
    EXPECT_TRUE(List_IED_Names(File.Path().parent_path() / "missing.scd").empty());
}

// ---- missing parts give a smaller tree, never an error

struct TPart_Case
{
    const char* Label;
    const char* Scl;
    const char* Dump;
};

class Scl_Missing_Parts : public ::testing::TestWithParam<TPart_Case>
{};

TEST_P(Scl_Missing_Parts, GiveASmallerTree)
{
    EXPECT_EQ(Dump_Text(GetParam().Scl), GetParam().Dump) << GetParam().Label;
}

#define CT_NS " xmlns=\"http://www.iec.ch/61850/2003/SCL\""
#define CT_DTT                                                                                                         \
    "<DataTypeTemplates><LNodeType id=\"T\"><DO name=\"D\" type=\"Unknown\"/></LNodeType></DataTypeTemplates>"
// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, Scl_Missing_Parts, ::testing::Values(
    TPart_Case{"no SCL element", "<Other" CT_NS "><IED name=\"N\"/>" CT_DTT "</Other>", "DEV |fixture.icd\n"},
    TPart_Case{"no IED", "<SCL" CT_NS ">" CT_DTT "</SCL>", "DEV |fixture.icd\n"},
    TPart_Case{"no templates", "<SCL" CT_NS "><IED name=\"N\"><AccessPoint name=\"P\"><Server><LDevice inst=\"L\"/></Server></AccessPoint></IED></SCL>",
               "DEV |fixture.icd\n"},
    TPart_Case{"no access point", "<SCL" CT_NS "><IED name=\"N\"/>" CT_DTT "</SCL>", "DEV N|fixture.icd\n"},
    TPart_Case{"first access point without server",
               "<SCL" CT_NS "><IED name=\"N\"><AccessPoint name=\"C\"><LN lnClass=\"X\" lnType=\"T\"/></AccessPoint>"
               "<AccessPoint name=\"P\"><Server><LDevice inst=\"L\"/></Server></AccessPoint></IED>" CT_DTT "</SCL>",
               "DEV N|fixture.icd\n"},
    TPart_Case{"unknown type ids",
               "<SCL" CT_NS "><IED name=\"N\"><AccessPoint name=\"P\"><Server><LDevice inst=\"L\"><LN0 lnClass=\"LLN0\" lnType=\"Nope\"/>"
               "<LN lnClass=\"X\" lnType=\"T\" inst=\"1\"/></LDevice></Server></AccessPoint></IED>" CT_DTT "</SCL>",
               "DEV N|fixture.icd\n  LD L\n    LN |LLN0||Nope\n    LN |X|1|T\n      DO D\n"},
    TPart_Case{"attributes without a value", "<SCL" CT_NS "><IED><AccessPoint name=\"P\"><Server><LDevice><LN/></LDevice></Server></AccessPoint></IED>" CT_DTT "</SCL>",
               "DEV |fixture.icd\n  LD \n    LN |||\n"}));
// clang-format on

TEST(Scl_Reader, AMissingFileGivesAnEmptyDevice)
{
    const TIEC_Device Device(std::filesystem::path(::testing::TempDir()) / "no_such_file.icd");
    EXPECT_EQ(Device.Name(), "");
    EXPECT_EQ(Device.FileName(), "no_such_file.icd");
    EXPECT_TRUE(Device.List_LDevice.empty());
}

// ---- guards against types that contain themselves and against runaway depth

std::string Device_With_Templates(const std::string& Templates, const char* DO_Type = "A")
{
    return std::string("<SCL" CT_NS "><IED name=\"I\"><AccessPoint name=\"P\"><Server><LDevice inst=\"L\">"
                       "<LN0 lnClass=\"LLN0\" lnType=\"N\"/></LDevice></Server></AccessPoint></IED>"
                       "<DataTypeTemplates><LNodeType id=\"N\"><DO name=\"d\" type=\"") +
           DO_Type + "\"/></LNodeType>" + Templates + "</DataTypeTemplates></SCL>";
}

TEST(Scl_Reader, ATypeOnTheCurrentPathIsNotExpandedAgain)
{
    const std::string Scl = Device_With_Templates(R"(
      <DOType id="A"><SDO name="again" type="A"/><SDO name="b" type="B"/><DA name="x" bType="Struct" type="S" fc="ST"/></DOType>
      <DOType id="B"><SDO name="back" type="A"/></DOType>
      <DAType id="S"><BDA name="self" bType="Struct" type="S"/><BDA name="v" bType="INT8"/></DAType>)");
    EXPECT_EQ(Dump_Text(Scl), R"(DEV I|fixture.icd
  LD L
    LN |LLN0||N
      DO d
        DO again
        DO b
          DO back
        DA IL/LLN0.d.x|ST|Struct
          DA IL/LLN0.d.x.self|ST|Struct
          DA IL/LLN0.d.x.v|ST|INT8
)");
}

std::size_t Attribute_Depth(const TIEC_DA& DA)
{
    std::size_t Depth = 1;
    for (const TIEC_DA* Level = &DA; !Level->List_DA.empty(); Level = Level->List_DA.front().get())
        ++Depth;
    return Depth;
}

TEST(Scl_Reader, AnExpansionStopsAfterMaxDepthTypesOnOnePath)
{
    // A chain of 200 different structured types: the data object's type and 63 attribute types are expanded.
    std::string Templates = R"(<DOType id="A"><DA name="m" bType="Struct" type="S0" fc="MX"/></DOType>)";
    for (int I = 0; I < 200; ++I)
        Templates += "<DAType id=\"S" + std::to_string(I) + "\"><BDA name=\"m\" bType=\"Struct\" type=\"S" +
                     std::to_string(I + 1) + "\"/></DAType>";
    const TTemp_File File(Device_With_Templates(Templates));
    const TIEC_Device Device(File.Path());
    const TIEC_DO& DO = *Device.List_LDevice.at(0)->List_LN.at(0)->List_DO.at(0);
    EXPECT_EQ(Attribute_Depth(*DO.List_DA.at(0)), TDTT::Max_Depth);
    const TIEC_DA* Leaf = DO.Find_First_DA();
    ASSERT_NE(Leaf, nullptr);
    EXPECT_EQ(Leaf->FC(), "MX");
    EXPECT_EQ(Leaf->Reference().size(), std::string("IL/LLN0.d").size() + 2 * TDTT::Max_Depth);
}

TEST(Scl_Reader, ADeepChainOfSubDataObjectsStopsToo)
{
    std::string Templates;
    for (int I = 0; I < 200; ++I)
        Templates += "<DOType id=\"D" + std::to_string(I) + "\"><SDO name=\"s\" type=\"D" + std::to_string(I + 1) +
                     "\"/></DOType>";
    const TTemp_File File(Device_With_Templates(Templates, "D0"));
    const TIEC_Device Device(File.Path());
    std::size_t Depth = 0;
    for (const TIEC_DO* DO = Device.List_LDevice.at(0)->List_LN.at(0)->List_DO.at(0).get(); DO;
         DO = DO->List_DO.empty() ? nullptr : DO->List_DO.front().get())
        ++Depth;
    EXPECT_EQ(Depth, TDTT::Max_Depth + 1);
}

// ---- namespaces

std::string With_Prefix(const std::string& Scl, const std::string& Prefix)
{
    std::string Prefixed = std::regex_replace(Scl, std::regex("<(/?)([A-Za-z])"), "<$1" + Prefix + ":$2");
    return std::regex_replace(Prefixed, std::regex(" xmlns="), " xmlns:" + Prefix + "=");
}

TEST(Scl_Reader, APrefixBoundToTheSclNamespaceReadsLikeNoPrefix)
{
    const std::string Prefixed = With_Prefix(Reference_Scl, "scl");
    ASSERT_NE(Prefixed.find("<scl:SCL xmlns:scl="), std::string::npos);
    ASSERT_NE(Prefixed.find("</scl:LN0>"), std::string::npos);
    EXPECT_EQ(Dump_Text(Prefixed), Reference_Dump);
}

TEST(Scl_Reader, ElementsOfOtherNamespacesAreIgnored)
{
    const char* Scl = R"(<SCL xmlns="http://www.iec.ch/61850/2003/SCL" xmlns:v="http://vendor.example/SCL">
  <v:IED name="Vendor"/>
  <IED name="Real"><AccessPoint name="P"><Server><LDevice inst="L">
    <LN0 lnClass="LLN0" lnType="T">
      <DataSet name="DS"><v:FCDA ldInst="L" lnClass="LLN0" doName="Mod"/><FCDA ldInst="L" lnClass="GGIO" doName="Mod"/></DataSet>
      <Private><DataSet name="InPrivate"/></Private>
      <v:DataSet name="Vendor"/>
    </LN0>
    <LN xmlns="http://vendor.example/SCL" lnClass="GGIO" lnType="T" inst="1"/>
    <s:LN xmlns:s="http://www.iec.ch/61850/2003/SCL" lnClass="GGIO" lnType="T" inst="2"/>
  </LDevice></Server></AccessPoint></IED>
  <v:DataTypeTemplates><LNodeType id="T"><DO name="Wrong" type="M"/></LNodeType></v:DataTypeTemplates>
  <DataTypeTemplates>
    <LNodeType id="T"><DO name="Mod" type="M"/><v:DO name="Fake" type="M"/></LNodeType>
    <DOType id="M"><DA name="stVal" bType="BOOLEAN" fc="ST"/></DOType>
  </DataTypeTemplates>
</SCL>)";
    EXPECT_EQ(Dump_Text(Scl), R"(DEV Real|fixture.icd
  LD L
    LN |LLN0||T
      DO Mod
        DA RealL/LLN0.Mod.stVal|ST|BOOLEAN
      DS RealL/LLN0.DS|
        M RealL/GGIO2.Mod.stVal|ST|BOOLEAN
    LN |GGIO|2|T
      DO Mod
        DA RealL/GGIO2.Mod.stVal|ST|BOOLEAN
)");
    const TTemp_File File(Scl);
    EXPECT_EQ(List_IED_Names(File.Path()), std::vector<std::string>{"Real"});
}

struct TRoot_Case
{
    const char* Root_Start;
    const char* Root_End;
    bool Decodes;
};

class Scl_Root : public ::testing::TestWithParam<TRoot_Case>
{};

TEST_P(Scl_Root, IsSclWithoutPrefixOrWithThePrefixOfTheSclNamespace)
{
    const std::string Scl =
        std::string(GetParam().Root_Start) + "<IED name=\"N\"/><DataTypeTemplates/>" + GetParam().Root_End;
    EXPECT_EQ(Dump_Text(Scl), GetParam().Decodes ? "DEV N|fixture.icd\n" : "DEV |fixture.icd\n")
        << GetParam().Root_Start;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, Scl_Root, ::testing::Values(
    TRoot_Case{"<SCL>", "</SCL>", true},
    TRoot_Case{"<SCL xmlns=\"http://www.iec.ch/61850/2006/SCL\">", "</SCL>", true},
    TRoot_Case{"<x:SCL xmlns:x=\"http://www.iec.ch/61850/2003/SCL\" xmlns=\"http://www.iec.ch/61850/2003/SCL\">", "</x:SCL>", true},
    TRoot_Case{"<x:SCL xmlns:x=\"http://other.example\">", "</x:SCL>", false},
    TRoot_Case{"<x:SCL>", "</x:SCL>", false},
    TRoot_Case{"<scl>", "</scl>", false}));
// clang-format on

// ---- what the scan must not take for markup

TEST(Scl_Reader, MarkupInCommentsCdataInstructionsAndAttributeValuesIsNotTaken)
{
    const char* Scl = R"(<?xml version="1.0"?>
<!-- <IED name="InComment"> -->
<?tool <IED name="InInstruction"?>
<!DOCTYPE SCL [ <!-- <IED name="InDoctype"> --> <!ENTITY ext "<IED name='InEntity'>"> ]>
<SCL xmlns="http://www.iec.ch/61850/2003/SCL">
  <Private><![CDATA[<IED name="InCdata"></IED>]]></Private>
  <Header id='a"b>c' note="&lt;IED name=&quot;InAttribute&quot;&gt;"/>
  <!-- a comment > with <IED> inside -->
  <IED desc="x > y" name="Real &amp; One&#x21;"><AccessPoint name="P"><Server><LDevice inst="L&#233;"/></Server></AccessPoint></IED>
  <IED name='Second'/>
  <DataTypeTemplates/>
</SCL>
<!-- after -->)";
    EXPECT_EQ(Dump_Text(Scl), "DEV Real & One!|fixture.icd\n  LD L\xC3\xA9\n");
    const TTemp_File File(Scl);
    EXPECT_EQ(List_IED_Names(File.Path()), (std::vector<std::string>{"Real & One!", "Second"}));
}

// ---- encodings

TEST(Scl_Reader, ReadsIso88591AndUtf16Files)
{
    const std::string Latin1 = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<SCL" CT_NS "><IED name=\"Mot\xE9ur\">"
                               "<AccessPoint name=\"P\"><Server><LDevice inst=\"\xC4\"/></Server></AccessPoint></IED>"
                               "<DataTypeTemplates/></SCL>";
    EXPECT_EQ(Dump_Text(Latin1), "DEV Mot\xC3\xA9ur|fixture.icd\n  LD \xC3\x84\n");
    const std::string Two_Latin1 =
        "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?><SCL><IED name=\"A\"/><IED name=\"\xE9\">"
        "<AccessPoint name=\"P\"><Server><LDevice inst=\"L\"/></Server></AccessPoint></IED>"
        "<DataTypeTemplates/></SCL>";
    EXPECT_EQ(Dump_Text(Two_Latin1, "\xC3\xA9"), "DEV \xC3\xA9|fixture.icd\n  LD L\n");

    std::string Utf16 = "\xFF\xFE";
    for (const char C : std::string_view(Reference_Scl)) {
        Utf16 += C;
        Utf16 += '\0';
    }
    EXPECT_EQ(Dump_Text(Utf16), Reference_Dump);

    EXPECT_EQ(Dump_Text(std::string("\xEF\xBB\xBF") + Reference_Scl), Reference_Dump);
}

} // namespace
} // namespace iec61850
