// The built-in English catalogue and the translator's template.
#include "text/Catalogue.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

text::TCatalogue Defaults()
{
    text::TCatalogue Catalogue;
    text::Load_Default_Strings(Catalogue);
    return Catalogue;
}

struct TDefault_Case
{
    int Number;
    const char* Text;
};

void PrintTo(const TDefault_Case& Case, std::ostream* Out)
{
    *Out << Case.Number;
}

class Default_Text : public testing::TestWithParam<TDefault_Case>
{};

TEST_P(Default_Text, StandsAtItsNumber)
{
    EXPECT_EQ(Defaults()[GetParam().Number], GetParam().Text);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Blocks, Default_Text, testing::Values(
    // main window
    TDefault_Case{0,    "Begin"},
    TDefault_Case{4,    "Step 4"},
    TDefault_Case{9,    "None Configuration Opened "},
    TDefault_Case{10,   "Use Step1 to open or create new configuration"},
    TDefault_Case{11,   "Opened Configuration of the Converter : "},
    TDefault_Case{18,   "Error! Project not Valid"},
    TDefault_Case{26,   "Update the actual Firmware and/or Configuration in the device"},
    // new and open configuration
    TDefault_Case{106,  "Error! Name project is not valid because directory already exists"},
    TDefault_Case{107,  "Error! Name Project is not valid"},
    TDefault_Case{202,  "List of Avaliable Configurations"},
    TDefault_Case{207,  "Cancel open of Configuration"},
    // software options
    TDefault_Case{304,  "Selected Language : "},
    TDefault_Case{305,  "Page "},
    TDefault_Case{306,  " / "},
    TDefault_Case{316,  "Do you want to change the Language from "},
    TDefault_Case{317,  " to "},
    TDefault_Case{321,  "Enable Auto Size of Table Columns by Double Click"},
    // communication parameters
    TDefault_Case{406,  "IEC61850 Client"},
    TDefault_Case{427,  "Modbus Slave"},
    TDefault_Case{439,  "Enable/disable the Input Register / Status for Read Data, the Holding Register and Coil Status for Write Data"},
    TDefault_Case{649,  "Error IEC61850 Client!! IP Address 1 must be between 0 and 255"},
    TDefault_Case{660,  "Error IEC61850 Client!! GATEWAY IP 4 must be between 0 and 255"},
    TDefault_Case{662,  "Error Modbus Slave!! ID Device must be between 1 and 247"},
    // update window
    TDefault_Case{1002, "Update Device by Ethernet (UDP)"},
    TDefault_Case{1015, "Firmware + Configuration"},
    TDefault_Case{1024, "Insert fourth byte of IP Address"},
    TDefault_Case{1037, "Error!!! Check the Ip Address"},
    // access editor
    TDefault_Case{1218, "N"},
    TDefault_Case{1233, "Molt Fact"},
    TDefault_Case{1245, "Insert the Time in milliseconds between the sending of IEC61850 Requests, only if checked the OnTimer Option"},
    TDefault_Case{1252, "Error row "},
    TDefault_Case{1256, "!! Position must be between 0 and "},
    TDefault_Case{1259, "Num Byte"},
    TDefault_Case{1267, "!! Start Byte plus Num Byte must be minor of 64"},
    // fillers
    TDefault_Case{5,    " "},
    TDefault_Case{27,   " "},
    TDefault_Case{58,   " "},
    TDefault_Case{1206, " "},
    TDefault_Case{2899, " "}));
// clang-format on

TEST(Default_Strings, FullSizeAndFillersOutsideThisSystem)
{
    const text::TCatalogue Catalogue = Defaults();
    ASSERT_EQ(Catalogue.Lang_Strings.size(), 2900u);
    EXPECT_EQ(Catalogue.Lang_Count, 2900);
    for (int N = 1100; N < 1200; ++N)
        EXPECT_EQ(Catalogue[N], " ") << N; // table row operations of other converter variants
    for (int N = 1300; N < 2900; ++N)
        EXPECT_EQ(Catalogue[N], " ") << N; // windows of other converter variants
    for (const std::string& Text : Catalogue.Lang_Strings)
        EXPECT_FALSE(Text.empty());
    EXPECT_EQ(Catalogue[-1], " ");
    EXPECT_EQ(Catalogue[2900], " ");
}

TEST(Default_Strings, JoinedTextsReadAsShown)
{
    const text::TCatalogue C = Defaults();
    EXPECT_EQ(C[305] + "1" + C[306] + "1", "Page 1 / 1");
    EXPECT_EQ(C[1252] + "3" + C[1254], "Error row 3!! Port must be between 0 and 65535");
    EXPECT_EQ(C[316] + "English" + C[317] + "Deutsch" + C[318],
              "Do you want to change the Language from English to Deutsch?");
}

text::TCatalogue Reloaded(const std::string& Template)
{
    text::TCatalogue Catalogue = Defaults();
    text::Apply_Lang_Text(Catalogue, Template);
    return Catalogue;
}

TEST(Lang_Template, DefaultsLoadBackUnchanged)
{
    const text::TCatalogue Catalogue = Defaults();
    const std::string Template = text::Lang_Template(Catalogue);
    EXPECT_NE(Template.find("\nSTR11 =\xC2\xB6Opened Configuration of the Converter : \xC2\xB6\n"), std::string::npos);
    EXPECT_EQ(Template.find("STR5 "), std::string::npos) << "fillers are left out";
    EXPECT_EQ(Template.find("left out"), std::string::npos) << "every default can stand in a language file";
    EXPECT_EQ(Reloaded(Template).Lang_Strings, Catalogue.Lang_Strings);
}

TEST(Lang_Template, TranslatedTextsLoadBackUnchanged)
{
    text::TCatalogue Catalogue = Defaults();
    Catalogue.Lang_Strings[9] = "  Keine Konfiguration  ";
    Catalogue.Lang_Strings[10] = "";
    Catalogue.Lang_Strings[12] = " "; // a blank that replaces a real default
    Catalogue.Lang_Strings[13] = "\tOptionen = Einstellungen\t";
    Catalogue.Lang_Strings[14] = "Schlie\xC3\x9F"
                                 "en";
    Catalogue.Lang_Strings[2899] = "STR5 = x";
    EXPECT_EQ(Reloaded(text::Lang_Template(Catalogue)).Lang_Strings, Catalogue.Lang_Strings);
}

TEST(Lang_Template, TextALanguageFileCannotCarryIsNamedInAComment)
{
    text::TCatalogue Catalogue = Defaults();
    Catalogue.Lang_Strings[12] = "two\nlines";
    Catalogue.Lang_Strings[13] = "a /#/ b";
    Catalogue.Lang_Strings[14] = "a \xC2\xB6 b";
    const std::string Template = text::Lang_Template(Catalogue);
    for (const char* Head : {"/#/ STR12 is left out", "/#/ STR13 is left out", "/#/ STR14 is left out"})
        EXPECT_NE(Template.find(Head), std::string::npos) << Head;
    const text::TCatalogue Back = Reloaded(Template);
    EXPECT_EQ(Back[12], "Information");
    EXPECT_EQ(Back[13], "Options");
    EXPECT_EQ(Back[14], "Close Configurator");
    EXPECT_EQ(Back[15], "New Configuration");
}

} // namespace
