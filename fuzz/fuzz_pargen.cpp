// ParGen.xml on arbitrary bytes: the window's reader and the parameter block's reader. A file that is read gives
// values that are written and read back unchanged, and a parameter block whose checksum holds.
#include "Fuzz_Support.h"

#include "comm/ParGen.h"
#include "common/File_Error.h"
#include "image/Compile_Run.h"
#include "image/Image_Reader.h"
#include "image/Param_Block.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    const std::string Bytes(reinterpret_cast<const char*>(Data), Size);
    const std::filesystem::path File = fuzz::Work_Folder() / "ParGen.xml";

    comm::TParGen Values;
    try {
        Values = comm::ParGen_From_Texts(comm::Parse_ParGen_Texts(Bytes, File));
    } catch (const common::TFile_Error&) {
        return 0;
    }
    const std::string Written = comm::ParGen_To_Text(Values);
    comm::TParGen Again;
    try {
        Again = comm::ParGen_From_Texts(comm::Parse_ParGen_Texts(Written, File));
    } catch (const common::TFile_Error& Error) {
        fuzz::Fail(std::string("the written ParGen.xml does not read back: ") + Error.what());
    }
    if (!(Again == Values))
        fuzz::Fail("the written ParGen.xml reads back other values:\n" + Written);

    fuzz::Put_File(File, Bytes);
    try {
        const image::TImages Images = image::Build_Images(File, fuzz::Work_Folder() / "none.xml", '.');
        const image::TImage_Report Block = image::Read_Param_Block(Images.Bank1);
        if (!Block.Sound)
            fuzz::Fail("unsound parameter block: " + Block.Problem);
        const image::TImage_Report Client = image::Read_Client_Image(Images.Bank2, image::Client_Image_Base);
        if (!Client.Sound)
            fuzz::Fail("unsound client image: " + Client.Problem);
    } catch (const common::TFile_Error& Error) {
        fuzz::Fail(std::string("the compile run refuses what the window reads: ") + Error.what());
    }
    return 0;
}
