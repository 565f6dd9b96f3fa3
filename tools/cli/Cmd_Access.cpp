// validate: the checks the configurator makes before it saves a configuration's two project files.
#include "Cli_Registry.h"

#include "access/Access_Model.h"
#include "comm/Controllo_Dati.h"
#include "comm/ParGen.h"
#include "common/Number.h"
#include "text/Catalogue.h"

#include <exception>
#include <filesystem>
#include <iostream>
#include <string>

namespace {

namespace fs = std::filesystem;

// The communication parameters' check on ParGen.xml (a missing file gives the defaults). True when it passes.
bool Validate_ParGen(const fs::path& Conf_Dir, const text::TCatalogue& Lang)
{
    const fs::path File = Conf_Dir / comm::ParGen_File_Name;
    try {
        if (!fs::exists(File))
            std::cout << comm::ParGen_File_Name << ": absent, the defaults are checked\n";
        if (const auto Entry = comm::Controllo_Dati(comm::Read_ParGen(File))) {
            std::cerr << comm::ParGen_File_Name << ": " << Lang[*Entry] << '\n';
            return false;
        }
    } catch (const std::exception& Error) {
        std::cerr << "Error: " << Error.what() << '\n';
        return false;
    }
    std::cout << comm::ParGen_File_Name << ": OK\n";
    return true;
}

const char* State_Text(ct::access::TDevice_State State)
{
    return State == ct::access::TDevice_State::Missing ? "its SCL copy is missing" : "its SCL copy cannot be read";
}

// The Variables check on IEC_61850_Client.xml. True when it passes. Devices whose SCL copy is missing or unreadable
// are named, but do not fail the check: the configuration keeps them as they are.
bool Validate_Access(const fs::path& Conf_Dir, const text::TCatalogue& Lang)
{
    const fs::path File = Conf_Dir / ct::access::Client_File_Name;
    try {
        if (!fs::exists(File))
            std::cout << ct::access::Client_File_Name << ": absent, the configuration is empty\n";
        ct::access::TAccess_Model Model;
        Model.Load(Conf_Dir, File);
        for (int Index = 0; Index < Model.Device_Count(); ++Index) {
            const ct::access::TDevice_Entry& Entry = Model.Device_Entry(Index);
            if (!Entry.Is_Placeholder())
                continue;
            std::cout << ct::access::Client_File_Name << ": device " << Index << " (\"" << Entry.Name() << "\", \""
                      << Entry.FileName() << "\"): " << State_Text(Entry.State());
            if (!Entry.Problem().empty())
                std::cout << ": " << Entry.Problem();
            std::cout << '\n';
        }
        if (const auto Refusal = Model.Controllo_dati(Lang, common::Get_Decimal_Separator())) {
            std::cerr << ct::access::Client_File_Name << ": " << Refusal->Text << '\n';
            return false;
        }
    } catch (const std::exception& Error) {
        std::cerr << "Error: " << Error.what() << '\n';
        return false;
    }
    std::cout << ct::access::Client_File_Name << ": OK\n";
    return true;
}

void Add_Access_Commands(CLI::App& App)
{
    auto* Cmd = App.add_subcommand(
        "validate", "Run the checks made before saving on ParGen.xml and on the variables of IEC_61850_Client.xml");
    static std::string Conf_Dir;
    Cmd->add_option("CONF_DIR", Conf_Dir, "Configuration folder")->required()->check(CLI::ExistingDirectory);
    Cmd->callback([] {
        text::TCatalogue Lang;
        text::Load_Default_Strings(Lang);
        const bool ParGen_Passes = Validate_ParGen(Conf_Dir, Lang);
        const bool Access_Passes = Validate_Access(Conf_Dir, Lang);
        if (!ParGen_Passes || !Access_Passes)
            cli::Set_Exit_Code(1);
    });
}

} // namespace

CT_CLI_COMMAND(Add_Access_Commands);
