// The subcommands of ct40510-cli: every Cmd_<Module>.cpp registers its own, so modules never share a file.
#pragma once

#include <CLI/CLI.hpp>

#include <functional>
#include <vector>

namespace cli {

using TAdd_Commands = void (*)(CLI::App&);

/// The functions that add each module's subcommands, in registration order.
std::vector<TAdd_Commands>& Command_Adders();

struct TCommand_Registrar
{
    explicit TCommand_Registrar(TAdd_Commands Add) { Command_Adders().push_back(Add); }
};

/// The exit code the program ends with once the chosen subcommand has run (0 unless a command sets it).
void Set_Exit_Code(int Code);
int Exit_Code();

} // namespace cli

#define CT_CLI_CONCAT2(A, B) A##B
#define CT_CLI_CONCAT(A, B) CT_CLI_CONCAT2(A, B)
/// Registers a function `void Fn(CLI::App&)` that adds subcommands.
#define CT_CLI_COMMAND(Fn)                                                                                             \
    static const ::cli::TCommand_Registrar CT_CLI_CONCAT(Registrar_, __LINE__)                                         \
    {                                                                                                                  \
        &Fn                                                                                                            \
    }
