// IEC_61850_Client.xml on arbitrary bytes, in a configuration folder whose ICD_Catalog holds the demo device: the
// client image compiler must give a sound image or a TFile_Error, and the access model's Load must give a
// configuration that it writes and reads back unchanged.
#include "Fuzz_Support.h"
#include "Same_Configuration.h"

#include "access/Access_Model.h"
#include "common/File_Error.h"
#include "image/Client_Image.h"
#include "image/Compile_Run.h"
#include "image/Image_Reader.h"
#include "text/Catalogue.h"

#include <cstddef>
#include <cstdint>

#ifndef CT_DEMO_DIR
#error "CT_DEMO_DIR names the demo folder"
#endif

namespace {

namespace fs = std::filesystem;

const fs::path& Conf_Folder()
{
    static const fs::path Folder = [] {
        const fs::path Conf = fuzz::Work_Folder() / "Conf";
        fs::create_directories(Conf / "ICD_Catalog");
        fs::copy_file(fs::path(CT_DEMO_DIR) / "Demo" / "ICD_Catalog" / "Demo_Feeder.icd",
                      Conf / "ICD_Catalog" / "Demo_Feeder.icd", fs::copy_options::overwrite_existing);
        return Conf;
    }();
    return Folder;
}

void Compile(const fs::path& File)
{
    try {
        const image::TImages Images = image::Build_Images(Conf_Folder() / "none.xml", File, '.');
        if (Images.Bank2.size() > image::Bank2_Buffer_Size)
            fuzz::Fail("the client image is larger than its buffer");
        const image::TImage_Report Client = image::Read_Client_Image(Images.Bank2, image::Client_Image_Base);
        if (!Client.Sound)
            fuzz::Fail("unsound client image: " + Client.Problem);
    } catch (const common::TFile_Error& Error) {
        if (Error.File() != File)
            fuzz::Fail(std::string("error names another file: ") + Error.what());
    }
}

// The model's document after loading File; nothing when Load refused it.
std::optional<std::string> Load_And_Write(const fs::path& File)
{
    ct::access::TAccess_Model Model;
    try {
        Model.Load(Conf_Folder(), File);
    } catch (const common::TFile_Error& Error) {
        if (Error.File() != File)
            fuzz::Fail(std::string("error names another file: ") + Error.what());
        return std::nullopt;
    }
    (void)Model.Controllo_dati(text::Default_Catalogue(), '.');
    return Model.Xml_Text();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    const fs::path File = Conf_Folder() / ct::access::Client_File_Name;
    fuzz::Put_File(File, std::string_view(reinterpret_cast<const char*>(Data), Size));
    Compile(File);

    const std::optional<std::string> First = Load_And_Write(File);
    if (!First)
        return 0;
    fuzz::Put_File(File, *First);
    const std::optional<std::string> Second = Load_And_Write(File);
    if (!Second)
        fuzz::Fail("the model's own document is refused:\n" + *First);
    if (const std::string Difference = hostile::Compare_Configurations(*First, *Second); !Difference.empty())
        fuzz::Fail("the model's own document reads back differently (" + Difference + "):\n" + *First + "\n---\n" +
                   *Second);
    Compile(File);
    return 0;
}
