// ct40510-cli: the configurator's core without a window, for scripts and for checking the core against real files.
#include "Cli_Registry.h"

#include <exception>
#include <iostream>

namespace cli {

std::vector<TAdd_Commands>& Command_Adders()
{
    static std::vector<TAdd_Commands> Adders;
    return Adders;
}

static int Exit_Code_Value = 0;
void Set_Exit_Code(int Code)
{
    Exit_Code_Value = Code;
}
int Exit_Code()
{
    return Exit_Code_Value;
}

} // namespace cli

int main(int argc, char** argv)
{
    CLI::App App{"CT40510 configurator without a window", "ct40510-cli"};
    App.set_version_flag("--version", "1.001");
    App.require_subcommand(0, 1);
    for (auto Add : cli::Command_Adders())
        Add(App);
    try {
        App.parse(argc, argv);
    } catch (const CLI::ParseError& Error) {
        // --help and --version end with 0; every refused command line with 1.
        return App.exit(Error) == 0 ? 0 : 1;
    } catch (const std::exception& Error) {
        std::cerr << "Error: " << Error.what() << '\n';
        return 1;
    }
    if (App.get_subcommands().empty()) {
        std::cout << App.help();
        return 0;
    }
    return cli::Exit_Code();
}
