// Language files: one line and its effect, decoding of the file's bytes, and the choice of file for a language.
#include "text/Catalogue.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <ostream>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

text::TCatalogue Defaults()
{
    text::TCatalogue Catalogue;
    text::Load_Default_Strings(Catalogue);
    return Catalogue;
}

// The catalogue expected after the defaults and one change (none when Entry is negative).
std::vector<std::string> Defaults_With(int Entry, const std::string& Text)
{
    std::vector<std::string> Expected = text::Default_Strings();
    if (Entry >= 0)
        Expected[static_cast<std::size_t>(Entry)] = Text;
    return Expected;
}

const std::string P = "\xC2\xB6"; // the pilcrow in UTF-8

struct TLine_Case
{
    const char* Name;
    std::string Line;
    int Entry; ///< -1: nothing changes
    std::string Text;
};

void PrintTo(const TLine_Case& Case, std::ostream* Out)
{
    *Out << Case.Name;
}

class Lang_Line : public testing::TestWithParam<TLine_Case>
{};

TEST_P(Lang_Line, SetsOnlyItsEntry)
{
    text::TCatalogue Catalogue = Defaults();
    text::Apply_Lang_Text(Catalogue, GetParam().Line);
    EXPECT_EQ(Catalogue.Lang_Strings, Defaults_With(GetParam().Entry, GetParam().Text));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Lines, Lang_Line, testing::Values(
    TLine_Case{"Plain",                   "STR12 = Hello",                        12,   "Hello"},
    TLine_Case{"NoBlankAfterEquals",      "STR12 =Hello",                         12,   "Hello"},
    TLine_Case{"NoSeparatorReadsShorter", "STR12=Hello",                          1,    "Hello"},
    TLine_Case{"AnySeparatorCharacter",   "STR12x=Hello",                         12,   "Hello"},
    TLine_Case{"TabSeparator",            "STR12\t= Hello",                       12,   "Hello"},
    TLine_Case{"MultiByteSeparator",      "STR12\xC2\xA0= Hello",                 12,   "Hello"},
    TLine_Case{"LeadingBlanks",           "   STR12 = Hello",                     12,   "Hello"},
    TLine_Case{"LeadingTab",              "\tSTR12 = Hello",                      12,   "Hello"},
    TLine_Case{"TrailingBlanksDropped",   "STR12 = Hello   ",                     12,   "Hello"},
    TLine_Case{"BlanksAroundNumber",      "STR 12  = Hello",                      12,   "Hello"},
    TLine_Case{"HexNumber",               "STR$C = Hello",                        12,   "Hello"},
    TLine_Case{"OnlyFirstEqualsCounts",   "STR12 = a = b",                        12,   "a = b"},
    TLine_Case{"NonAsciiText",            "STR12 = Gr\xC3\xB6\xC3\x9F" "e",       12,   "Gr\xC3\xB6\xC3\x9F" "e"},
    TLine_Case{"LastEntry",               "STR2899 = x",                          2899, "x"},
    TLine_Case{"PastTheEnd",              "STR2900 = x",                          -1,   ""},
    TLine_Case{"Negative",                "STR-1 = x",                            -1,   ""},
    TLine_Case{"LowerCase",               "str5 = x",                             -1,   ""},
    TLine_Case{"NotAtStart",              "X STR5 = x",                           -1,   ""},
    TLine_Case{"NoEquals",                "STR5 x",                               -1,   ""},
    TLine_Case{"NoNumber",                "STR = x",                              -1,   ""},
    TLine_Case{"NumberIsOnlySeparator",   "STR5=x",                               -1,   ""},
    TLine_Case{"NotAnInteger",            "STR5a5 = x",                           -1,   ""},
    TLine_Case{"EmptyText",               "STR5 =   ",                            -1,   ""},
    TLine_Case{"Comment",                 "STR5 = Next /#/ button caption",       5,    "Next"},
    TLine_Case{"OnlyComment",             "STR5 = /#/ note",                      -1,   ""},
    TLine_Case{"PilcrowsKeepBlanks",      "STR9 = " + P + " Keine Konfig " + P,   9,    " Keine Konfig "},
    TLine_Case{"TwoPilcrowsEmpty",        "STR9 = " + P + P,                      9,    ""},
    TLine_Case{"OnePilcrowEmpty",         "STR9 = " + P,                          9,    ""},
    TLine_Case{"PilcrowEndsText",         "STR9 = A" + P + "B",                   9,    "A"},
    TLine_Case{"OpeningPilcrowOnly",      "STR9 = " + P + "  Hi",                 9,    "  Hi"},
    TLine_Case{"CommentBeforePilcrows",   "STR9 = " + P + "A /#/ B" + P,          9,    "A"}),
    [](const testing::TestParamInfo<TLine_Case>& Info) { return std::string(Info.param.Name); });
// clang-format on

TEST(Lang_Text, LaterLineWinsAndBadLinesAreSkippedOneByOne)
{
    text::TCatalogue Catalogue = Defaults();
    text::Apply_Lang_Text(Catalogue, "STR12 = First\r\nnot a line\rSTR99999 = x\nSTR12 = Second\r\n\r\nSTR13 = Third");
    EXPECT_EQ(Catalogue[12], "Second");
    EXPECT_EQ(Catalogue[13], "Third");
    EXPECT_EQ(Catalogue[14], "Close Configurator");
}

TEST(Lang_Text, EmptyCatalogueTakesNoLine)
{
    text::TCatalogue Catalogue; // before the defaults: Lang_Count is 0
    text::Apply_Lang_Text(Catalogue, "STR0 = x");
    EXPECT_TRUE(Catalogue.Lang_Strings.empty());
}

struct TDecode_Case
{
    const char* Name;
    std::string Bytes;
    std::string Utf8;
};

void PrintTo(const TDecode_Case& Case, std::ostream* Out)
{
    *Out << Case.Name;
}

class Decode : public testing::TestWithParam<TDecode_Case>
{};

TEST_P(Decode, GivesUtf8)
{
    EXPECT_EQ(text::Decode_Lang_File(GetParam().Bytes), GetParam().Utf8);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Encodings, Decode, testing::Values(
    TDecode_Case{"Utf8Bom",            "\xEF\xBB\xBFSTR1 = \xC2\xB6",           "STR1 = \xC2\xB6"},
    TDecode_Case{"Utf8BomInvalidByte", "\xEF\xBB\xBF" "a\xB6",                  "a\xEF\xBF\xBD"},
    TDecode_Case{"Utf16Le",            std::string("\xFF\xFE" "A\0\xB6\0\xAC\x20", 8), "A\xC2\xB6\xE2\x82\xAC"},
    TDecode_Case{"Utf16Be",            std::string("\xFE\xFF\0A\0\xB6\x20\xAC", 8), "A\xC2\xB6\xE2\x82\xAC"},
    TDecode_Case{"Utf16LeOddByteLast", std::string("\xFF\xFE" "A\0B", 5),       "A"},
    TDecode_Case{"Utf16LeLoneSurrogate", std::string("\xFF\xFE\x00\xD8" "A\0", 6), "\xEF\xBF\xBD" "A"},
    TDecode_Case{"ValidUtf8NoBom",     "caf\xC3\xA9 \xC2\xB6",                  "caf\xC3\xA9 \xC2\xB6"},
    TDecode_Case{"Cp1252Pilcrow",      "\xB6x\xB6",                             "\xC2\xB6x\xC2\xB6"},
    TDecode_Case{"Cp1252HighTable",    "\x80\x96\x9F\x8A",                      "\xE2\x82\xAC\xE2\x80\x93\xC5\xB8\xC5\xA0"},
    TDecode_Case{"Cp1252Undefined",    "\x81\x8D\xE9",                          "\xC2\x81\xC2\x8D\xC3\xA9"},
    TDecode_Case{"Empty",              "",                                      ""}),
    [](const testing::TestParamInfo<TDecode_Case>& Info) { return std::string(Info.param.Name); });
// clang-format on

TEST(Lang_File, Utf16LeFileWithPilcrows)
{
    text::TCatalogue Catalogue = Defaults();
    text::Load_Lang_File(Catalogue, fs::path(CT_TEST_DATA) / "text" / "German_Utf16le.lng");
    EXPECT_EQ(Catalogue[9], "Keine Konfiguration ge\xC3\xB6"
                            "ffnet ");
    EXPECT_EQ(Catalogue[12], "Information \xE2\x80\x93 Hilfe");
    EXPECT_EQ(Catalogue[300], "Software-Optionen");
    EXPECT_EQ(Catalogue[13], "Options");
}

TEST(Lang_File, Windows1252FileWithPilcrows)
{
    text::TCatalogue Catalogue = Defaults();
    text::Load_Lang_File(Catalogue, fs::path(CT_TEST_DATA) / "text" / "French_Cp1252.lng");
    EXPECT_EQ(Catalogue[9], "Aucune configuration ouverte ");
    EXPECT_EQ(Catalogue[12], "Information g\xC3\xA9n\xC3\xA9rale \xE2\x80\x93 aide");
    EXPECT_EQ(Catalogue[13], "Options \xE2\x82\xAC");
}

// A fresh folder per test, removed afterwards.
class Language_Folder : public testing::Test
{
protected:
    void SetUp() override
    {
        const auto* Info = testing::UnitTest::GetInstance()->current_test_info();
        std::string Name = "ct_text_" + std::to_string(::getpid()) + "_" + Info->test_suite_name() + "_" + Info->name();
        for (char& C : Name)
            if (C == '/')
                C = '_';
        fFolder = fs::temp_directory_path() / Name;
        fs::remove_all(fFolder);
        fs::create_directories(fFolder);
    }
    void TearDown() override { fs::remove_all(fFolder); }

    void Write(const std::string& Name, const std::string& Bytes) const
    {
        std::ofstream(fFolder / Name, std::ios::binary) << Bytes;
    }

    fs::path fFolder;
};

struct TFallback_Case
{
    const char* Name;
    const char* Language;
    bool German_File;   ///< German.lng sets entry 12 to "Hilfe"
    bool English_File;  ///< English.lng sets entry 12 to "Help me"
    const char* Oddity; ///< "loop": German.lng exists but cannot be read; "folder": German.lng is a folder;
                        ///< "sub": sub/German.lng sets entry 12 to "Hilfe"
    const char* Language_After;
    const char* Entry_12;
};

void PrintTo(const TFallback_Case& Case, std::ostream* Out)
{
    *Out << Case.Name;
}

class Load_Language : public Language_Folder, public testing::WithParamInterface<TFallback_Case>
{};

TEST_P(Load_Language, ChoosesFileAndLanguage)
{
    const TFallback_Case& Case = GetParam();
    if (Case.German_File)
        Write("German.lng", "STR12 = Hilfe\n");
    if (Case.English_File)
        Write("English.lng", "STR12 = Help me\n");
    const std::string Oddity = Case.Oddity;
    if (Oddity == "loop")
        fs::create_symlink(fFolder / "German.lng", fFolder / "German.lng");
    if (Oddity == "folder")
        fs::create_directory(fFolder / "German.lng");
    if (Oddity == "sub") {
        fs::create_directory(fFolder / "sub");
        std::ofstream(fFolder / "sub" / "German.lng") << "STR12 = Hilfe\n";
    }

    text::TCatalogue Catalogue;
    text::Load_Default_Strings(Catalogue);
    Catalogue.Lang_Strings[13] = "left from an earlier language";
    std::string Language = Case.Language;
    text::Load_Language(Catalogue, fFolder, Language);

    EXPECT_EQ(Language, Case.Language_After);
    EXPECT_EQ(Catalogue[12], Case.Entry_12);
    EXPECT_EQ(Catalogue[13], "Options") << "every load starts again from the defaults";
    EXPECT_EQ(Catalogue.Lang_Count, text::Catalogue_Size);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Fallbacks, Load_Language, testing::Values(
    TFallback_Case{"OwnFile",               "German",    true,  true,  "",       "German",  "Hilfe"},
    TFallback_Case{"MissingUsesEnglishFile", "German",   false, true,  "",       "English", "Help me"},
    TFallback_Case{"MissingNoEnglishFile",  "German",    false, false, "",       "English", "Information"},
    TFallback_Case{"EnglishWithoutFile",    "English",   false, false, "",       "English", "Information"},
    TFallback_Case{"UnreadableKeepsDefaults", "German",  false, true,  "loop",   "German",  "Information"},
    TFallback_Case{"FolderIsNoFile",        "German",    false, true,  "folder", "English", "Help me"},
    TFallback_Case{"NameWithSeparator", "sub/German", false, true, "sub", "English", "Help me"},
    TFallback_Case{"EmptyName",             "",          false, true,  "",       "English", "Help me"}),
    [](const testing::TestParamInfo<TFallback_Case>& Info) { return std::string(Info.param.Name); });
// clang-format on

TEST_F(Language_Folder, MissingFileChangesNothing)
{
    text::TCatalogue Catalogue = Defaults();
    Catalogue.Lang_Strings[12] = "kept";
    text::Load_Lang_File(Catalogue, fFolder / "Nowhere.lng");
    EXPECT_EQ(Catalogue[12], "kept");
}

} // namespace
