#include "Script_Check.h"

#include "common/Atomic_File.h"
#include "common/File_Error.h"
#include "common/Int_Conversion.h"
#include "common/Xml.h"
#include "update/Icmp_Echo.h"

#include <cstring>
#include <ostream>
#include <system_error>

namespace update_tool {

namespace fs = std::filesystem;

namespace {

std::uint32_t Read_U32(std::string_view Bytes, std::uint64_t Offset)
{
    std::uint32_t Value = 0;
    for (int I = 3; I >= 0; --I)
        Value = Value << 8 |
                static_cast<std::uint8_t>(Bytes[static_cast<std::size_t>(Offset) + static_cast<std::size_t>(I)]);
    return Value;
}

std::string Hex(std::uint64_t Value)
{
    static const char Digits[] = "0123456789ABCDEF";
    std::string Text;
    do {
        Text.insert(Text.begin(), Digits[Value % 16]);
        Value /= 16;
    } while (Value != 0);
    return "0x" + Text;
}

} // namespace

std::string Check_Param_Block(std::string_view Bytes)
{
    if (Bytes.size() != Param_Block_Size)
        return "holds " + std::to_string(Bytes.size()) + " bytes instead of " + std::to_string(Param_Block_Size);
    std::uint32_t Sum = 0;
    for (std::size_t I = 0; I < Param_Checksum_Offset; ++I)
        Sum += static_cast<std::uint8_t>(Bytes[I]);
    const std::uint32_t Stored = Read_U32(Bytes, Param_Checksum_Offset);
    if (Stored != Sum)
        return "checksum " + std::to_string(Stored) + " stored, the bytes sum to " + std::to_string(Sum);
    return "";
}

namespace {

// Walks the client image the way its addresses were assigned; the first inconsistency is kept.
class TClient_Image_Walk
{
public:
    TClient_Image_Walk(std::string_view Bytes, std::uint32_t Base) : fBytes(Bytes), fBase(Base) {}

    std::string Run()
    {
        if (fBytes.size() < Client_Header_Size)
            return "holds " + std::to_string(fBytes.size()) + " bytes, less than its 24-byte header";
        const auto nVariable = static_cast<std::int32_t>(Read_U32(fBytes, 0));
        const auto nDataSet = static_cast<std::int32_t>(Read_U32(fBytes, 4));
        if (nVariable < 0 || nDataSet < 0)
            return "header: negative counts (" + std::to_string(nVariable) + " variables, " + std::to_string(nDataSet) +
                   " data sets)";
        const std::uint64_t Variables = Client_Header_Size;
        const std::uint64_t DataSets = Variables + 32ull * static_cast<std::uint64_t>(nVariable);
        const std::uint64_t Members = DataSets + 28ull * static_cast<std::uint64_t>(nDataSet);
        if (Members > fBytes.size())
            return "header: " + std::to_string(nVariable) + " variables and " + std::to_string(nDataSet) +
                   " data sets do not fit in " + std::to_string(fBytes.size()) + " bytes";
        if (!Expect_Address(16, Variables, "header: Variable_Add") ||
            !Expect_Address(20, DataSets, "header: DataSet_Add"))
            return fProblem;

        // Data-set records: their member lists follow one another.
        std::uint64_t At = Members;
        for (std::int32_t D = 0; D < nDataSet; ++D) {
            const std::uint64_t Record = DataSets + 28ull * static_cast<std::uint64_t>(D);
            if (!Expect_Address(Record + 24, At, "data set " + std::to_string(D + 1) + ": VariableList_Add"))
                return fProblem;
            At += 16ull * static_cast<std::uint8_t>(fBytes[static_cast<std::size_t>(Record)]);
            if (At > fBytes.size())
                return "data set " + std::to_string(D + 1) + ": its members lie beyond the end of the file";
        }
        const std::uint64_t Members_End = At;

        // The string pool, in the order the texts were placed.
        fAt = Members_End;
        for (std::int32_t V = 0; V < nVariable; ++V) {
            const std::uint64_t Record = Variables + 32ull * static_cast<std::uint64_t>(V);
            const std::string Name = "variable " + std::to_string(V + 1);
            if (!Text_At(Record + 20, Name + ": bType") || !Text_At(Record + 24, Name + ": hostname") ||
                !Text_At(Record + 28, Name + ": reference"))
                return fProblem;
        }
        for (std::int32_t D = 0; D < nDataSet; ++D) {
            const std::uint64_t Record = DataSets + 28ull * static_cast<std::uint64_t>(D);
            const std::string Name = "data set " + std::to_string(D + 1);
            if (!Text_At(Record + 12, Name + ": goose_name") || !Text_At(Record + 16, Name + ": reference") ||
                !Text_At(Record + 20, Name + ": hostname"))
                return fProblem;
        }
        std::uint64_t Member = Members;
        for (std::int32_t D = 0; D < nDataSet; ++D) {
            const std::uint64_t Record = DataSets + 28ull * static_cast<std::uint64_t>(D);
            const int Count = static_cast<std::uint8_t>(fBytes[static_cast<std::size_t>(Record)]);
            for (int M = 0; M < Count; ++M, Member += 16) {
                const std::string Name = "data set " + std::to_string(D + 1) + " member " + std::to_string(M + 1);
                if (!Text_At(Member + 8, Name + ": bType") || !Text_At(Member + 12, Name + ": reference"))
                    return fProblem;
            }
        }
        if (fAt != fBytes.size())
            return std::to_string(fBytes.size() - fAt) + " bytes follow the last text at offset " + std::to_string(fAt);
        return "";
    }

private:
    bool Expect_Address(std::uint64_t Offset, std::uint64_t Want_Offset, const std::string& What)
    {
        const std::uint32_t Address = Read_U32(fBytes, Offset);
        if (Address == fBase + Want_Offset)
            return true;
        fProblem = What + " at offset " + std::to_string(Offset) + " is " + Hex(Address) + ", expected " +
                   Hex(fBase + Want_Offset);
        return false;
    }
    bool Text_At(std::uint64_t Offset, const std::string& What)
    {
        if (!Expect_Address(Offset, fAt, What))
            return false;
        const void* End = std::memchr(fBytes.data() + fAt, 0, fBytes.size() - static_cast<std::size_t>(fAt));
        if (End == nullptr) {
            fProblem = What + ": the text at offset " + std::to_string(fAt) + " has no terminating 0";
            return false;
        }
        fAt = static_cast<std::uint64_t>(static_cast<const char*>(End) - fBytes.data()) + 1;
        return true;
    }

    std::string_view fBytes;
    std::uint64_t fBase;
    std::uint64_t fAt = 0;
    std::string fProblem;
};

const char* const Root_Children[] = {"Version",   "Title",         "IP_Address_Dev",     "Application_Port",
                                     "Boot_Port", "Boot_Port_Sec", "Address_Protection", "Protections",
                                     "Operations"};
const char* const Operation_Children[] = {"Ope_Protection_Enabled",
                                          "Ope_GoToBoot_Before",
                                          "Ope_GoToApp_Before",
                                          "Ope_IP_Address",
                                          "Ope_Port",
                                          "Ope_Port_Sec",
                                          "Ope_Erase_Memory",
                                          "Ope_FileName",
                                          "Ope_Start_Address",
                                          "Ope_Memory_Type",
                                          "Ope_Bank_Type",
                                          "Ope_Read_Back",
                                          "Ope_Write_CSS",
                                          "Ope_Address_CSS",
                                          "Ope_Command_CSS",
                                          "Ope_Write_Internal_Data",
                                          "Ope_WID_Address",
                                          "Ope_WID_Command",
                                          "Ope_WID_Data",
                                          "Ope_GoToApp_After"};

std::string Kind_Of(const fs::path& File)
{
    const std::string Name = File.filename().string();
    if (Name == "bank1.bin")
        return "parameter block";
    if (Name == "bank2.bin")
        return "IEC 61850 client image";
    if (File.extension() == ".sim")
        return "firmware";
    return "file";
}

} // namespace

std::string Check_Client_Image(std::string_view Bytes, std::uint32_t Base)
{
    return TClient_Image_Walk(Bytes, Base).Run();
}

TScript_Check Check_Update_Script(const fs::path& Script)
{
    TScript_Check Check;
    Check.Script = Script;
    auto Problem = [&Check](const std::string& Text) { Check.Problems.push_back(Text); };

    std::unique_ptr<common::TXml_File> Xml;
    try {
        Xml = common::Load_Xml_File(Script);
    } catch (const common::TFile_Error& Error) {
        Problem(Error.what());
        return Check;
    }
    const pugi::xml_node Root = common::First_Top_Level_Node(Xml->Doc);
    if (Root.type() != pugi::node_element || std::strcmp(Root.name(), "Ethernet_Update") != 0) {
        Problem("the script does not begin with the element Ethernet_Update");
        return Check;
    }
    for (const char* Name : Root_Children)
        if (!Root.child(Name))
            Problem("Ethernet_Update has no element " + std::string(Name));
    if (Root.child("Protections") && !Root.child("Protections").child("Protection"))
        Problem("Protections has no element Protection");

    Check.Device_Address = common::Child_Text(Root, "IP_Address_Dev");
    if (Root.child("IP_Address_Dev") && !update::Parse_IPv4(Check.Device_Address))
        Problem("IP_Address_Dev \"" + Check.Device_Address + "\" is not an IPv4 address");

    const pugi::xml_node Operations = Root.child("Operations");
    if (Operations && !Operations.child("Operation"))
        Problem("Operations holds no Operation");

    std::uint32_t Bank2_Start = 0;
    std::uint32_t Bank1_Client_Image_Add = 0;
    bool Have_Bank1 = false;
    bool Have_Bank2 = false;
    int Number = 0;
    for (pugi::xml_node Op = Operations.child("Operation"); Op; Op = Op.next_sibling("Operation")) {
        TPlanned_Operation Plan;
        Plan.Number = ++Number;
        const std::string Where = "operation " + std::to_string(Number);
        for (const char* Name : Operation_Children)
            if (!Op.child(Name))
                Problem(Where + " has no element " + std::string(Name));
        Plan.File = common::Child_Text(Op, "Ope_FileName");
        Plan.Kind = Kind_Of(Plan.File);
        Plan.Start_Address = common::Child_Text(Op, "Ope_Start_Address");
        Plan.Bank_Type = common::Child_Text(Op, "Ope_Bank_Type");
        Plan.Read_Back = common::Child_Text(Op, "Ope_Read_Back");
        Plan.Go_To_App_After = common::Child_Text(Op, "Ope_GoToApp_After");
        Check.Operations.push_back(Plan);

        const std::optional<std::int32_t> Start = common::Text_To_Int(Plan.Start_Address);
        if (!Start)
            Problem(Where + ": start address \"" + Plan.Start_Address + "\" is not a number");
        if (Plan.Read_Back != "0" && Plan.Read_Back != "1")
            Problem(Where + ": Ope_Read_Back \"" + Plan.Read_Back + "\" is neither 0 nor 1");
        const bool Last = !Op.next_sibling("Operation");
        if (Plan.Go_To_App_After != (Last ? "1" : "0"))
            Problem(Where + ": Ope_GoToApp_After is \"" + Plan.Go_To_App_After + "\"; only the last operation " +
                    "starts the application (1), every earlier one leaves the device in its boot loader (0)");

        if (Plan.File.empty()) {
            Problem(Where + " names no file");
            continue;
        }
        std::error_code Error;
        if (!fs::is_regular_file(Plan.File, Error)) {
            Problem(Where + ": file " + Plan.File + " does not exist");
            continue;
        }
        std::string Bytes;
        try {
            Bytes = common::Read_Whole_File(Plan.File);
        } catch (const common::TFile_Error& Read_Error) {
            Problem(Where + ": " + Read_Error.what());
            continue;
        }
        std::string Wrong;
        if (Bytes.empty())
            Wrong = "is empty";
        else if (Plan.Kind == "parameter block") {
            Wrong = Check_Param_Block(Bytes);
            if (Wrong.empty()) {
                Have_Bank1 = true;
                Bank1_Client_Image_Add = Read_U32(Bytes, Param_Client_Image_Add_Offset);
            }
        } else if (Plan.Kind == "IEC 61850 client image" && Start) {
            Wrong = Check_Client_Image(Bytes, static_cast<std::uint32_t>(*Start));
            Have_Bank2 = true;
            Bank2_Start = static_cast<std::uint32_t>(*Start);
        }
        if (!Wrong.empty())
            Problem(Where + ": " + Plan.File + ": " + Wrong);
    }
    if (Have_Bank1 && Have_Bank2 && Bank1_Client_Image_Add != Bank2_Start)
        Problem("bank1.bin places the client image at " + Hex(Bank1_Client_Image_Add) +
                ", but the script loads bank2.bin at " + Hex(Bank2_Start));
    return Check;
}

void Print_Report(std::ostream& Out, const TScript_Check& Check)
{
    Out << "Ethernet_Update check tool: it reads the update script and checks it; it does not contact any device.\n";
    Out << "Script: " << Check.Script.string() << '\n';
    Out << "Device address: " << Check.Device_Address << '\n';
    for (const TPlanned_Operation& Op : Check.Operations) {
        Out << "Operation " << Op.Number << ": load " << Op.Kind << '\n';
        Out << "  file:          " << Op.File << '\n';
        Out << "  start address: " << Op.Start_Address << '\n';
        Out << "  bank:          " << Op.Bank_Type << '\n';
        Out << "  read-back:     " << (Op.Read_Back == "1" ? "on" : Op.Read_Back == "0" ? "off" : Op.Read_Back) << '\n';
        if (Op.Go_To_App_After == "1")
            Out << "  then the device starts its application\n";
    }
    if (Check.Sound()) {
        Out << "The script is sound: " << Check.Operations.size() << " operation"
            << (Check.Operations.size() == 1 ? "" : "s") << " planned. Nothing was sent to the device.\n";
        return;
    }
    Out << "The script is not sound:\n";
    for (const std::string& Problem : Check.Problems)
        Out << "  - " << Problem << '\n';
    Out << "Nothing was sent to the device.\n";
}

} // namespace update_tool
