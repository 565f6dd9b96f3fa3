#include "image/Compile_Run.h"

#include "image/Client_Image.h"
#include "image/Param_Block.h"

#include "common/Atomic_File.h"
#include "common/File_Error.h"

#include <string>
#include <system_error>

namespace image {

namespace fs = std::filesystem;

TImages Build_Images(const fs::path& File_ParGen, const fs::path& File_IEC_61850_Client, char Decimal_Separator)
{
    TParam_Block Param_Block;
    TIEC61850_Client IEC_Client;
    Set_Block_Defaults(Param_Block);
    // The client record is emptied before ParGen.xml is read: that reading sets its vLan and appID.
    Reset_Client_Record(IEC_Client);
    Read_ParGen_File(File_ParGen, Param_Block, IEC_Client);
    Param_Block.Set_U32(Param_Offset::Client_Image_Add, static_cast<std::uint32_t>(Client_Image_Base));
    Read_Client_File(IEC_Client, File_IEC_61850_Client, Client_Image_Base, Decimal_Separator);

    TImages Images;
    const std::size_t Bank2_Len = Write_Client_Image(IEC_Client, 0, Images.Bank2);
    Images.Bank2.resize(Bank2_Len);
    // The block is written last, so that its checksum covers Client_Image_Add and every other field.
    Images.Bank1.resize(Param_Block_Size);
    Write_Block_Image(Param_Block, 0, Images.Bank1);
    Images.Block_Checksum = Param_Block.Get_U32(Param_Offset::Block_Checksum);
    return Images;
}

void Save_Images(const TImages& Images, const fs::path& Conf_Path)
{
    const fs::path Bin = Conf_Path / "bin";
    std::error_code Error;
    fs::create_directories(Bin, Error);
    if (Error)
        throw common::TFile_Error(Bin, 0, "the folder cannot be created (" + Error.message() + ")");
    common::Write_Files_Atomic({{Bin / Bank1_File_Name, std::string(Images.Bank1.begin(), Images.Bank1.end())},
                                {Bin / Bank2_File_Name, std::string(Images.Bank2.begin(), Images.Bank2.end())}});
}

} // namespace image
