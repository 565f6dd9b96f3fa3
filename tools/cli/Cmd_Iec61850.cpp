// scl-dump and scl-ieds: the data model the SCL reader builds from a file, and the IEDs a file holds.
#include "Cli_Registry.h"

#include "iec61850/Device_Dump.h"
#include "iec61850/Model.h"
#include "iec61850/Scl_Reader.h"

#include <exception>
#include <filesystem>
#include <iostream>
#include <string>

namespace {

struct TScl_Options
{
    std::string File;
    std::string IED_Name;
};

void Run_Guarded_Command(void (*Command)(const TScl_Options&), const TScl_Options& Options)
{
    // The reader takes a missing file for an empty device; here it is a mistake on the command line.
    std::error_code Missing;
    if (!std::filesystem::is_regular_file(Options.File, Missing)) {
        std::cerr << "Error: File \"" << Options.File << "\": no such file\n";
        cli::Set_Exit_Code(1);
        return;
    }
    try {
        Command(Options);
    } catch (const std::exception& Error) {
        std::cerr << "Error: " << Error.what() << '\n';
        cli::Set_Exit_Code(1);
    }
}

void Scl_Dump(const TScl_Options& Options)
{
    const iec61850::TIEC_Device Device(Options.File, Options.IED_Name);
    iec61850::Dump_Device(Device, std::cout);
}

void Scl_Ieds(const TScl_Options& Options)
{
    for (const std::string& Name : iec61850::List_IED_Names(Options.File))
        std::cout << iec61850::Escape_Dump_Text(Name) << '\n';
}

void Add_Iec61850_Commands(CLI::App& App)
{
    static TScl_Options Dump_Options;
    auto* Dump = App.add_subcommand("scl-dump", "Print the data model the SCL reader builds from an SCL file");
    Dump->add_option("FILE", Dump_Options.File, "SCL file")->required();
    Dump->add_option("--ied", Dump_Options.IED_Name, "Decode the IED of this name instead of the first one");
    Dump->callback([] { Run_Guarded_Command(&Scl_Dump, Dump_Options); });

    static TScl_Options Ieds_Options;
    auto* Ieds = App.add_subcommand("scl-ieds", "Print the names of the IEDs of an SCL file, one a line");
    Ieds->add_option("FILE", Ieds_Options.File, "SCL file")->required();
    Ieds->callback([] { Run_Guarded_Command(&Scl_Ieds, Ieds_Options); });
}

} // namespace

CT_CLI_COMMAND(Add_Iec61850_Commands);
