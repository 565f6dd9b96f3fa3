// build: the compile run of a configuration folder; inspect: an image file back into readable text.
#include "Cli_Registry.h"

#include "common/Atomic_File.h"
#include "common/Number.h"
#include "image/Client_Image.h"
#include "image/Compile_Run.h"
#include "image/Image_Reader.h"
#include "image/Param_Block.h"

#include <exception>
#include <filesystem>
#include <iostream>
#include <memory>

namespace {

namespace fs = std::filesystem;

struct TBuild_Options
{
    std::string Conf_Dir;
    std::string Out_Dir;
};

int Build(const TBuild_Options& Options)
{
    const fs::path Conf = Options.Conf_Dir;
    if (!fs::is_directory(Conf)) {
        std::cerr << "Error: \"" << Conf.string() << "\" is not a configuration folder\n";
        return 1;
    }
    const image::TImages Images =
        image::Build_Images(Conf / "ParGen.xml", Conf / "IEC_61850_Client.xml", common::Get_Decimal_Separator());
    fs::path Out = Options.Out_Dir.empty() ? Conf / "bin" : fs::path(Options.Out_Dir);
    // Save_Images writes into <folder>/bin; an explicit output folder takes the files itself.
    if (Options.Out_Dir.empty()) {
        image::Save_Images(Images, Conf);
    } else {
        fs::create_directories(Out);
        common::Write_Files_Atomic(
            {{Out / image::Bank1_File_Name, std::string(Images.Bank1.begin(), Images.Bank1.end())},
             {Out / image::Bank2_File_Name, std::string(Images.Bank2.begin(), Images.Bank2.end())}});
    }
    std::cout << (Out / image::Bank1_File_Name).string() << ": " << Images.Bank1.size() << " bytes, checksum "
              << Images.Block_Checksum << '\n'
              << (Out / image::Bank2_File_Name).string() << ": " << Images.Bank2.size() << " bytes\n";
    return 0;
}

int Inspect(const std::string& File)
{
    const std::string Bytes = common::Read_Whole_File(File);
    const std::vector<std::uint8_t> Image(Bytes.begin(), Bytes.end());
    // A sound client image of exactly 2048 bytes is possible; the block's checksum tells them apart first.
    const image::TImage_Report Block = image::Read_Param_Block(Image);
    if (Block.Sound) {
        std::cout << "bank1.bin " << Block.Text;
        return 0;
    }
    const image::TImage_Report Client = image::Read_Client_Image(Image, image::Client_Image_Base);
    if (Client.Sound) {
        std::cout << "bank2.bin " << Client.Text;
        return 0;
    }
    if (Image.size() == image::Param_Block_Size) {
        std::cout << "bank1.bin " << Block.Text;
        std::cerr << "Error: " << File << ": inconsistent parameter block: " << Block.Problem << '\n';
    } else {
        std::cout << Client.Text;
        std::cerr << "Error: " << File
                  << ": neither a parameter block nor a consistent client image: " << Client.Problem << '\n';
    }
    return 1;
}

void Add_Image_Commands(CLI::App& App)
{
    auto Options = std::make_shared<TBuild_Options>();
    CLI::App* Build_Cmd = App.add_subcommand("build", "Compile a configuration folder into bank1.bin and bank2.bin");
    Build_Cmd->add_option("CONF_DIR", Options->Conf_Dir, "the configuration folder")->required();
    Build_Cmd->add_option("--out", Options->Out_Dir, "where to write the images (default CONF_DIR/bin)");
    Build_Cmd->callback([Options] {
        try {
            cli::Set_Exit_Code(Build(*Options));
        } catch (const std::exception& Error) {
            std::cerr << "Error: " << Error.what() << '\n';
            cli::Set_Exit_Code(1);
        }
    });

    auto File = std::make_shared<std::string>();
    CLI::App* Inspect_Cmd = App.add_subcommand("inspect", "Decode a bank1.bin or bank2.bin into readable text");
    Inspect_Cmd->add_option("FILE", *File, "the image file")->required();
    Inspect_Cmd->callback([File] {
        try {
            cli::Set_Exit_Code(Inspect(*File));
        } catch (const std::exception& Error) {
            std::cerr << "Error: " << Error.what() << '\n';
            cli::Set_Exit_Code(1);
        }
    });
}

} // namespace

CT_CLI_COMMAND(Add_Image_Commands);
