// A configuration folder for one test, and the small SCL devices the access tests import.
#pragma once

#include "access/Access_Model.h"
#include "text/Catalogue.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace access_test {

namespace fs = std::filesystem;

inline const text::TCatalogue& English()
{
    return text::Default_Catalogue();
}

inline void Write(const fs::path& File, const std::string& Text)
{
    fs::create_directories(File.parent_path());
    std::ofstream(File, std::ios::binary) << Text;
}

inline std::string Read(const fs::path& File)
{
    std::ifstream In(File, std::ios::binary);
    return {std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>()};
}

/// What the small SCL file holds. Every IED has the same tree under its own name:
///   LD0/LLN0 with the data sets DS1 (MMXU1.TotW.mag.f, MMXU1.TotW.q, GGIO1.Ind1.stVal; sent by GOOSE "GC1") and
///   DS2 (GGIO1.Ind1.stVal, no GOOSE); LD0/MMXU1 with TotW (mag.f FLOAT32, q Quality, t Timestamp);
///   LD0/GGIO1 and LD0/GGIO2 with Ind1 (stVal BOOLEAN, q Quality) and Str (d VisString255), each with a data set
///   DSX (GGIO1: Ind1.stVal; GGIO2: Ind1.q), whose references are the same.
struct TScl_Options
{
    std::vector<std::string> IEDs{"IED1"};
    bool Reverse_DS1 = false; ///< DS1's members in the opposite order
};

inline std::string Tiny_Scl(const TScl_Options& Options = {})
{
    std::vector<std::string> DS1{
        R"(<FCDA ldInst="LD0" lnClass="MMXU" lnInst="1" doName="TotW" daName="f" fc="MX"/>)",
        R"(<FCDA ldInst="LD0" lnClass="MMXU" lnInst="1" doName="TotW" daName="q" fc="MX"/>)",
        R"(<FCDA ldInst="LD0" lnClass="GGIO" lnInst="1" doName="Ind1" daName="stVal" fc="ST"/>)"};
    if (Options.Reverse_DS1)
        std::swap(DS1.front(), DS1.back());
    std::string Text = R"(<?xml version="1.0" encoding="UTF-8"?>)"
                       "\n<SCL xmlns=\"http://www.iec.ch/61850/2003/SCL\">\n";
    for (const std::string& IED : Options.IEDs) {
        Text += "<IED name=\"" + IED + "\"><AccessPoint name=\"AP1\"><Server><LDevice inst=\"LD0\">\n";
        Text += R"(<LN0 lnClass="LLN0" inst="" lnType="LLN0_T"><DataSet name="DS1">)" + DS1[0] + DS1[1] + DS1[2] +
                R"(</DataSet><DataSet name="DS2"><FCDA ldInst="LD0" lnClass="GGIO" doName="Ind1" daName="stVal"/>)"
                R"(</DataSet><GSEControl name="GC1" datSet="DS1"/></LN0>)"
                "\n";
        Text += R"(<LN lnClass="MMXU" inst="1" lnType="MMXU_T"/>)"
                "\n";
        for (const char* Inst : {"1", "2"})
            Text +=
                std::string(R"(<LN lnClass="GGIO" inst=")") + Inst +
                R"(" lnType="GGIO_T"><DataSet name="DSX"><FCDA ldInst="LD0" lnClass="GGIO" doName="Ind1" daName=")" +
                (std::string(Inst) == "1" ? "stVal" : "q") + R"("/></DataSet></LN>)" + "\n";
        Text += "</LDevice></Server></AccessPoint></IED>\n";
    }
    Text += R"(<DataTypeTemplates>
<LNodeType id="LLN0_T" lnClass="LLN0"><DO name="Mod" type="INC_T"/></LNodeType>
<LNodeType id="MMXU_T" lnClass="MMXU"><DO name="TotW" type="MV_T"/></LNodeType>
<LNodeType id="GGIO_T" lnClass="GGIO"><DO name="Ind1" type="SPS_T"/><DO name="Str" type="VSS_T"/></LNodeType>
<DOType id="INC_T" cdc="INC"><DA name="stVal" bType="INT32" fc="ST"/></DOType>
<DOType id="MV_T" cdc="MV"><DA name="mag" bType="Struct" type="AV_T" fc="MX"/><DA name="q" bType="Quality" fc="MX"/><DA name="t" bType="Timestamp" fc="MX"/></DOType>
<DOType id="SPS_T" cdc="SPS"><DA name="stVal" bType="BOOLEAN" fc="ST"/><DA name="q" bType="Quality" fc="ST"/></DOType>
<DOType id="VSS_T" cdc="VSS"><DA name="d" bType="VisString255" fc="DC"/></DOType>
<DAType id="AV_T"><BDA name="f" bType="FLOAT32"/></DAType>
</DataTypeTemplates>
</SCL>
)";
    return Text;
}

/// A fresh configuration folder (with its ICD_Catalog) for one test, removed afterwards.
class TConf_Folder : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Root = fs::temp_directory_path() / ("ct40510-access-" + std::to_string(std::random_device{}()));
        Conf = Root / "PROJECTS" / "Conf1";
        Catalog = Conf / ct::access::ICD_Catalog_Folder;
        File = Conf / ct::access::Client_File_Name;
        fs::create_directories(Catalog);
    }
    void TearDown() override
    {
        std::error_code Ignored;
        fs::remove_all(Root, Ignored);
    }

    /// Writes an SCL copy into ICD_Catalog.
    void Catalog_File(const std::string& Name, const std::string& Text) const { Write(Catalog / Name, Text); }

    /// Loads File into Model.
    void Load() { Model.Load(Conf, File); }

    /// Writes Text as the project file and loads it.
    void Load_Text(const std::string& Text)
    {
        Write(File, Text);
        Load();
    }

    fs::path Root;
    fs::path Conf;
    fs::path Catalog;
    fs::path File;
    ct::access::TAccess_Model Model;
};

/// The attribute of a device's tree found by its reference; null when none.
inline const iec61850::TIEC_DA* Find_Attribute(const iec61850::TIEC_Device& Device, const std::string& Reference)
{
    const iec61850::TIEC_DA* Found = nullptr;
    auto Walk_DA = [&](auto&& Self, const iec61850::TIEC_DA& DA) -> void {
        if (!Found && DA.Reference() == Reference)
            Found = &DA;
        for (const auto& Sub : DA.List_DA)
            Self(Self, *Sub);
    };
    auto Walk_DO = [&](auto&& Self, const iec61850::TIEC_DO& DO) -> void {
        for (const auto& Sub : DO.List_DO)
            Self(Self, *Sub);
        for (const auto& DA : DO.List_DA)
            Walk_DA(Walk_DA, *DA);
    };
    for (const auto& LD : Device.List_LDevice)
        for (const auto& LN : LD->List_LN)
            for (const auto& DO : LN->List_DO)
                Walk_DO(Walk_DO, *DO);
    return Found;
}

/// The data set of a device's tree found by its reference; null when none.
inline const iec61850::TIEC_DataSet* Find_Data_Set(const iec61850::TIEC_Device& Device, const std::string& Reference)
{
    for (const auto& LD : Device.List_LDevice)
        for (const auto& LN : LD->List_LN)
            for (const auto& DataSet : LN->List_DataSet)
                if (DataSet->Reference() == Reference)
                    return DataSet.get();
    return nullptr;
}

} // namespace access_test
