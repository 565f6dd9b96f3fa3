// update-script: the update script the update window would write for a configuration folder.
#include "Cli_Registry.h"

#include "app/App_State.h"
#include "update/Icmp_Echo.h"
#include "update/Update_Script.h"

#include <exception>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct TUpdate_Script_Args
{
    std::string Conf_Dir;
    std::string Address;
    int Option = 0;
    std::string Read_Back = "1";
    std::string Out_File;
};

void Run_Update_Script(const TUpdate_Script_Args& Args)
{
    update::TAddress_Texts Address;
    if (!update::Split_Address(Args.Address, Address) || !update::Parse_IPv4(Args.Address)) {
        std::cerr << "Error: \"" << Args.Address
                  << "\" is not an IPv4 address (four numbers from 0 to 255 joined by \".\")\n";
        cli::Set_Exit_Code(1);
        return;
    }
    try {
        const fs::path Program_Path = app::Executable_Folder();
        const fs::path Conf_Path = fs::absolute(Args.Conf_Dir).lexically_normal();
        const fs::path Master_Path = Program_Path / "MASTER";
        const fs::path File =
            Args.Out_File.empty() ? update::Update_Script_File(Program_Path) : fs::path(Args.Out_File);
        update::Write_Update_Script(File, Address, Args.Option, Args.Read_Back == "1", Master_Path, Conf_Path);
        std::cout << File.string() << '\n';
        // The script is written as the window writes it, whether or not its files exist yet; say what is missing.
        const bool Firmware = Args.Option != static_cast<int>(update::TUpdate_Option::Configuration);
        const bool Configuration = Args.Option != static_cast<int>(update::TUpdate_Option::Firmware);
        std::vector<fs::path> Named;
        if (Firmware)
            Named.push_back(Master_Path / update::Firmware_File_Name);
        if (Configuration) {
            Named.push_back(Conf_Path / "bin" / "bank1.bin");
            Named.push_back(Conf_Path / "bin" / "bank2.bin");
        }
        for (const fs::path& Each : Named)
            if (!fs::exists(Each))
                std::cerr << "Note: " << Each.string() << " does not exist yet\n";
    } catch (const std::exception& Error) {
        std::cerr << "Error: " << Error.what() << '\n';
        cli::Set_Exit_Code(1);
    }
}

void Add_Update_Commands(CLI::App& App)
{
    auto* Cmd = App.add_subcommand("update-script",
                                   "Write the update script Ethernet_Update.xml for a configuration folder, as the "
                                   "update window writes it; the device is not contacted and no tool is started");
    static TUpdate_Script_Args Args;
    Cmd->add_option("CONF_DIR", Args.Conf_Dir, "Configuration folder (its bin folder holds bank1.bin and bank2.bin)")
        ->required()
        ->check(CLI::ExistingDirectory);
    Cmd->add_option("--address", Args.Address, "Device address A.B.C.D, each field kept as typed")->required();
    Cmd->add_option("--option", Args.Option, "0 Firmware + Configuration, 1 Firmware, 2 Configuration")
        ->required()
        ->check(CLI::Range(0, 2));
    Cmd->add_option("--read-back", Args.Read_Back, "1 (default): the tool reads the data back; 0: it does not")
        ->check(CLI::IsMember({"0", "1"}));
    Cmd->add_option("--out", Args.Out_File, "File to write (default: Ethernet_Update.xml beside this program)");
    Cmd->callback([] { Run_Update_Script(Args); });
}

} // namespace

CT_CLI_COMMAND(Add_Update_Commands);
