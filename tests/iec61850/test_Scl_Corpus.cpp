// Every public sample file: well-formed ones decode with sane counts (first IED, its first access point's server),
// give the same device in both read modes, and only link data set members into their own device; the malformed
// ones raise the parse error with the line of the fault.
#include "Scl_Fixture.h"

#include "iec61850/Scl_Reader.h"

#include "common/File_Error.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace iec61850 {
namespace {

struct TCorpus_Counts
{
    int IEDs;
    const char* Name;
    std::size_t LDevices, LNs, DataSets, FCDAs; // FCDAs: every FCDA of the decoded server, resolvable or not
};

// clang-format off
const std::map<std::string, TCorpus_Counts> Counts = {
    {"411L.CID", {1, "SEL_411L_1", 5, 187, 15, 340}},
    {"61850TestCID.xml", {1, "P145_CLT", 5, 71, 81, 1240}},
    {"9-2LE_rev2p1r5_24 channels.icd", {1, "TEMPLATE", 1, 10, 3, 48}},
    {"AA1D1Q01KF1.iid", {1, "AA1D1Q01KF1", 3, 20, 2, 6}},
    {"autogen-substation-demo.scd", {11, "AA2__E01Q01A1", 36, 184, 9, 86}},
    {"BCU_402T.scd", {4, "BCU401", 5, 91, 22, 567}},
    {"BLG065J1M102Q25A1.cid", {6, "Client2", 0, 0, 0, 0}},
    {"bugfix_1700_connected_ap_wizard.scd", {1, "IED1", 5, 126, 8, 117}},
    {"Ch1Line1.CID", {1, "Ch1Line1", 5, 78, 15, 397}},
    {"CigreFinal_Ed2_v2_only EFACEC.xml", {1, "SV_EFACEC", 6, 74, 3, 35}},
    {"complexModel.icd", {1, "ied1", 3, 10, 1, 4}},
    {"Controller1_Outbound_SCL_NoProdIP.IID", {1, "Controller1", 2, 64, 2, 82}},
    {"datatypetemplateerrors.scd", {0, "", 0, 0, 0, 0}},
    {"DOTypeReferingIndirectlyToItself.scl", {0, "", 0, 0, 0, 0}},
    {"Example61850TestSCD.xml", {12, "E1Q1SB1", 1, 6, 3, 5}},
    {"GenericIEDExample.cid", {1, "IED1", 1, 7, 0, 0}},
    {"gsecontrol.scd", {4, "IED1", 2, 14, 1, 5}},
    {"ICD_test.icd", {1, "TEMPLATE", 5, 25, 1, 16}},
    {"iec61850bean-sample01.icd", {1, "ied1", 1, 5, 2, 4}},
    {"ied.scd", {7, "IED1", 2, 14, 1, 5}},
    {"iedEditorWithIEDs.scd", {5, "IED1", 3, 14, 1, 5}},
    {"IOP 2017 SLD R2.ssd", {0, "", 0, 0, 0, 0}},
    {"IOP_2019-09-26_LV_ED2_1_V12_XF.sed", {2, "INCB_PU", 3, 23, 7, 194}},
    {"LaterBindingSMV-LSVS.scd", {12, "SMV_Subscriber", 3, 7, 0, 0}},
    {"LCMTN_VMU_MMS.scd", {3, "SIP_Client", 5, 16, 3, 6}},
    {"mhai_array.cid", {1, "test", 1, 4, 1, 5}},
    {"move-gse-testfile.scd", {1, "", 0, 0, 0, 0}}, // no DataTypeTemplates: nothing, not even the name
    {"NSR-3641A-DA-G_V2.001_C8AB7999_190624.icd", {1, "TEMPLATE", 3, 103, 18, 920}},
    {"open_substation.scd", {4, "IED1_XCBR", 1, 7, 1, 1}},
    {"performance.scd", {2, "LE_IED", 1, 9, 1, 16}},
    {"REL670.ssd", {2, "AA1J1Q01A2", 11, 104, 7, 218}},
    {"SCD_Test.scl", {1, "LD_All", 1, 158, 157, 1697}},
    {"SCD_WRONG.scd", {1, "LD_All", 1, 158, 157, 1697}},
    {"scl.icd", {1, "OpenPLC61850", 1, 75, 7, 74}},
    {"sclbasics.scd", {1, "testIED", 1, 2, 0, 0}},
    {"sg_demo.cid", {1, "DEMO", 1, 3, 0, 0}},
    {"simpleIO_control_tests.scd", {1, "simpleIO", 1, 4, 4, 16}},
    {"simpleIO_direct_control_goose.cid", {1, "simpleIO", 1, 3, 4, 20}},
    {"simpleIO_ltrk_tests.icd", {1, "simpleIO", 1, 5, 4, 25}},
    {"sisco_sample_ed2.scd", {4, "Client1", 0, 0, 0, 0}},
    {"Sitipe.scd", {15, "Vienna_north_Prot", 25, 127, 1, 8}},
    {"sss.SCD", {1, "ZLB1F650", 1, 89, 4, 80}},
    {"sv.icd", {1, "TEMPLATE", 1, 9, 1, 8}},
    {"Template_3620.icd", {1, "TEMPLATE", 6, 87, 33, 863}},
    {"testModel2.icd", {1, "IEDBiogas", 1, 8, 2, 33}},
    {"TR3000.icd", {1, "TR3000", 7, 410, 106, 2037}},
    {"valid.iid", {1, "TestImportIED", 1, 5, 0, 0}},
    {"valid2003.scd", {3, "IED1", 2, 14, 0, 0}},
    {"valid2007B.scd", {3, "IED1", 2, 14, 0, 0}},
    {"valid2007B4.scd", {3, "IED1", 2, 14, 1, 5}},
    {"wtur.cid", {1, "WIND", 1, 3, 0, 0}},
    {"ZS1DIG640A1.cid", {4, "ZS1DIG640A1", 3, 315, 11, 497}},
    {"ZX2REX640A1.cid", {6, "ZX2REX640A1", 3, 290, 15, 584}},
};
const std::map<std::string, int> Fault_Lines = {
    {"$I3JWORX.icd", 1}, {"parsererror.iid", 1}, {"Zx0REF630A1.cid", 1354}};
// clang-format on

void Collect(const TIEC_DA& DA, std::set<const TIEC_DA*>& All)
{
    All.insert(&DA);
    for (const auto& BDA : DA.List_DA)
        Collect(*BDA, All);
}

void Collect(const TIEC_DO& DO, std::set<const TIEC_DA*>& All)
{
    for (const auto& SDO : DO.List_DO)
        Collect(*SDO, All);
    for (const auto& DA : DO.List_DA)
        Collect(*DA, All);
}

void Check_Device(const std::string& File, const TIEC_Device& Device, const TCorpus_Counts& Want)
{
    EXPECT_EQ(Device.Name(), Want.Name) << File;
    EXPECT_EQ(Device.List_LDevice.size(), Want.LDevices) << File;
    std::size_t LNs = 0, DataSets = 0, Members = 0;
    std::set<const TIEC_DA*> All;
    for (const auto& LDevice : Device.List_LDevice)
        for (const auto& LN : LDevice->List_LN) {
            ++LNs;
            for (const auto& DO : LN->List_DO)
                Collect(*DO, All);
        }
    for (const auto& LDevice : Device.List_LDevice)
        for (const auto& LN : LDevice->List_LN)
            for (const auto& DataSet : LN->List_DataSet) {
                ++DataSets;
                EXPECT_EQ(DataSet->Reference().rfind(Device.Name() + LDevice->Name() + "/" + LN->lnClass() + ".", 0),
                          0u)
                    << File << ": " << DataSet->Reference();
                for (const TIEC_DA* Member : DataSet->List_DA) {
                    ++Members;
                    EXPECT_TRUE(All.count(Member)) << File << ": a member outside the device";
                }
            }
    for (const TIEC_DA* DA : All)
        EXPECT_EQ(DA->Reference().rfind(Device.Name(), 0), 0u) << File << ": " << DA->Reference();
    EXPECT_EQ(LNs, Want.LNs) << File;
    EXPECT_EQ(DataSets, Want.DataSets) << File;
    EXPECT_LE(Members, Want.FCDAs) << File;
}

TEST(Scl_Corpus, EverySampleDecodesOrRaisesTheParseError)
{
    const std::filesystem::path Folder = CT_SHARED_SCL_DIR;
    std::error_code Error;
    if (!std::filesystem::is_directory(Folder, Error))
        GTEST_SKIP() << "no sample folder " << Folder;
    int Decoded = 0, Refused = 0;
    for (const auto& Entry : std::filesystem::directory_iterator(Folder)) {
        const std::string File = Entry.path().filename().string();
        if (!Entry.is_regular_file() || Entry.path().extension() == ".md")
            continue;
        if (const auto Fault = Fault_Lines.find(File); Fault != Fault_Lines.end()) {
            ++Refused;
            for (const TScl_Read_Mode Mode : {TScl_Read_Mode::Needed_Parts, TScl_Read_Mode::Whole_Document}) {
                try {
                    const TIEC_Device Device(Entry.path(), {}, Mode);
                    ADD_FAILURE() << File << ": no error";
                } catch (const common::TFile_Error& Failure) {
                    EXPECT_EQ(Failure.Line(), Fault->second) << Failure.what();
                    EXPECT_EQ(Failure.Reason().rfind("not well-formed XML: ", 0), 0u) << Failure.what();
                }
            }
            continue;
        }
        ++Decoded;
        const std::string Dump = test::Dump_File(Entry.path());
        EXPECT_EQ(Dump.rfind("DEV ", 0), 0u) << File;
        const TIEC_Device Device(Entry.path());
        const std::vector<std::string> Names = List_IED_Names(Entry.path());
        if (const auto Want = Counts.find(File); Want != Counts.end()) {
            Check_Device(File, Device, Want->second);
            EXPECT_EQ(Names.size(), static_cast<std::size_t>(Want->second.IEDs)) << File;
        }
        if (Names.size() > 1) {
            const TIEC_Device Last(Entry.path(), Names.back());
            EXPECT_EQ(Last.Name(), Names.back()) << File;
        }
    }
    EXPECT_EQ(Refused, 3);
    EXPECT_GE(Decoded, 53);
}

} // namespace
} // namespace iec61850
