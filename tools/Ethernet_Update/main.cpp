// Ethernet_Update: stands in for the external update tool in tests and demos. Started without arguments, it
// reads Ethernet_Update.xml beside itself, checks it and the files it names, and prints the transfer plan.
// It never contacts a device. Exit code 0 when the script is sound, 1 otherwise.
#include "Script_Check.h"

#include "update/Update_Script.h"

#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>

namespace {

std::filesystem::path Own_Folder()
{
    std::error_code Error;
    const std::filesystem::path Self = std::filesystem::read_symlink("/proc/self/exe", Error);
    return Error || Self.empty() ? std::filesystem::current_path() : Self.parent_path();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1) {
        const std::string First = argv[1];
        std::cout << "Usage: Ethernet_Update\n"
                     "Reads Ethernet_Update.xml beside this program, checks it and the files it names, and prints "
                     "the transfer plan. It does not contact any device.\n";
        return First == "--help" || First == "-h" ? 0 : 1;
    }
    const update_tool::TScript_Check Check = update_tool::Check_Update_Script(update::Update_Script_File(Own_Folder()));
    update_tool::Print_Report(std::cout, Check);
    return Check.Sound() ? 0 : 1;
}
