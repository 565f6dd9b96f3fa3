// catalogue and lang-template: the text catalogue without a window.
#include "Cli_Registry.h"

#include "common/Atomic_File.h"
#include "common/File_Error.h"
#include "text/Catalogue.h"

#include <filesystem>
#include <iostream>
#include <string>

namespace {

// Backslash, tab, CR and LF written as escapes so that every entry stays on one output line.
std::string Escaped(const std::string& Text)
{
    std::string Out;
    Out.reserve(Text.size());
    for (char C : Text) {
        switch (C) {
        case '\\':
            Out += "\\\\";
            break;
        case '\t':
            Out += "\\t";
            break;
        case '\r':
            Out += "\\r";
            break;
        case '\n':
            Out += "\\n";
            break;
        default:
            Out += C;
        }
    }
    return Out;
}

// Unlike at start-up, where an unreadable language file silently leaves the defaults, here it is an error.
bool Apply_Lang_File_Or_Report(text::TCatalogue& Catalogue, const std::filesystem::path& File)
{
    std::error_code Error;
    if (std::filesystem::is_directory(File, Error)) {
        std::cerr << "Error: language file \"" << File.string() << "\" is a folder\n";
        return false;
    }
    try {
        text::Apply_Lang_Text(Catalogue, text::Decode_Lang_File(common::Read_Whole_File(File)));
    } catch (const common::TFile_Error& Failure) {
        std::cerr << "Error: language file \"" << Failure.File().string() << "\" " << Failure.Reason() << '\n';
        return false;
    }
    return true;
}

void Add_Text_Commands(CLI::App& App)
{
    auto* Catalogue_Cmd = App.add_subcommand(
        "catalogue", "Print the 2900 catalogue entries (number, tab, text) after the defaults and a language file");
    static std::string Lang_File;
    Catalogue_Cmd->add_option("--lang", Lang_File, "Language file applied over the English defaults");
    Catalogue_Cmd->callback([] {
        text::TCatalogue Catalogue;
        text::Load_Default_Strings(Catalogue);
        if (!Lang_File.empty() && !Apply_Lang_File_Or_Report(Catalogue, Lang_File)) {
            cli::Set_Exit_Code(1);
            return;
        }
        std::string Out;
        for (std::size_t N = 0; N < Catalogue.Lang_Strings.size(); ++N)
            Out += std::to_string(N) + '\t' + Escaped(Catalogue.Lang_Strings[N]) + '\n';
        std::cout << Out;
    });

    auto* Template_Cmd =
        App.add_subcommand("lang-template", "Write a language file of every English text, the start of a translation");
    Template_Cmd->callback([] {
        text::TCatalogue Catalogue;
        text::Load_Default_Strings(Catalogue);
        std::cout << text::Lang_Template(Catalogue);
    });
}

} // namespace

CT_CLI_COMMAND(Add_Text_Commands);
