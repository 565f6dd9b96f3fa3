// bank1: the parameter block of a configuration folder, as the compile run builds it.
#include "Cli_Registry.h"

#include "comm/ParGen.h"
#include "common/Atomic_File.h"
#include "image/Param_Block.h"

#include <cstdio>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

namespace {

void Run_Bank1(const std::string& Conf_Dir, const std::string& Out_File)
{
    try {
        image::TParam_Block Param_Block;
        image::TIEC61850_Client IEC_Client; // vLan and appID belong to bank2.bin
        image::Set_Block_Defaults(Param_Block);
        image::Read_ParGen_File(std::filesystem::path(Conf_Dir) / comm::ParGen_File_Name, Param_Block, IEC_Client);
        Param_Block.Set_U32(image::Param_Offset::Client_Image_Add,
                            static_cast<std::uint32_t>(image::Client_Image_Base));
        std::vector<std::uint8_t> Buffer(image::Param_Block_Size);
        const std::size_t Length = image::Write_Block_Image(Param_Block, 0, Buffer);
        common::Write_File_Atomic(Out_File, std::string_view(reinterpret_cast<const char*>(Buffer.data()), Length));
        const std::uint32_t Checksum = Param_Block.Get_U32(image::Param_Offset::Block_Checksum);
        char Hex[16];
        std::snprintf(Hex, sizeof Hex, "0x%08X", static_cast<unsigned>(Checksum));
        std::cout << Out_File << ": " << Length << " bytes, checksum " << Checksum << " (" << Hex << ")\n";
    } catch (const std::exception& Error) {
        std::cerr << "Error: " << Error.what() << '\n';
        cli::Set_Exit_Code(1);
    }
}

void Add_Comm_Commands(CLI::App& App)
{
    auto* Cmd = App.add_subcommand(
        "bank1", "Write the 2048-byte parameter block (bank1.bin) of a configuration folder, from its ParGen.xml");
    static std::string Conf_Dir;
    static std::string Out_File;
    Cmd->add_option("CONF_DIR", Conf_Dir, "Configuration folder (its ParGen.xml is read when present)")
        ->required()
        ->check(CLI::ExistingDirectory);
    Cmd->add_option("OUT_FILE", Out_File, "File to write; nothing is written on an error")->required();
    Cmd->callback([] { Run_Bank1(Conf_Dir, Out_File); });
}

} // namespace

CT_CLI_COMMAND(Add_Comm_Commands);
