#include "image/Image_Reader.h"

#include "image/Client_Image.h"
#include "image/Param_Block.h"

#include <iomanip>

#include <algorithm>
#include <cstring>
#include <sstream>
#include <stdexcept>

namespace image {

namespace {

struct TInconsistent : std::runtime_error
{
    using std::runtime_error::runtime_error;
};

class TImage_View
{
public:
    TImage_View(const std::vector<std::uint8_t>& Image, std::int32_t Base) : fImage(Image), fBase(Base) {}

    std::uint32_t U(std::size_t At, int Bytes) const
    {
        if (At + static_cast<std::size_t>(Bytes) > fImage.size())
            throw TInconsistent("field at offset " + std::to_string(At) + " lies beyond the end of the file");
        std::uint32_t V = 0;
        for (int I = Bytes - 1; I >= 0; --I)
            V = (V << 8) | fImage[At + static_cast<std::size_t>(I)];
        return V;
    }
    std::int32_t I32(std::size_t At) const { return static_cast<std::int32_t>(U(At, 4)); }
    float F32(std::size_t At) const
    {
        const std::uint32_t Bits = U(At, 4);
        float V = 0;
        std::memcpy(&V, &Bits, sizeof(V));
        return V;
    }
    /// The file offset of a device address that must point inside the file.
    std::size_t Offset(std::int64_t Address, const char* What) const
    {
        const std::int64_t Off = Address - fBase;
        if (Off < 0 || Off > static_cast<std::int64_t>(fImage.size()))
            throw TInconsistent(std::string(What) + " address 0x" + Hex(Address) + " lies outside the file");
        return static_cast<std::size_t>(Off);
    }
    std::string Text(std::int32_t Address, const char* What)
    {
        const std::size_t Start = Offset(Address, What);
        std::size_t End = Start;
        while (End < fImage.size() && fImage[End] != 0)
            ++End;
        if (End >= fImage.size())
            throw TInconsistent(std::string(What) + " text at 0x" + Hex(Address) + " has no terminating 0");
        fEnd = std::max(fEnd, End + 1);
        std::string Out;
        // Pool bytes are Latin-1: show them as UTF-8.
        for (std::size_t I = Start; I < End; ++I) {
            const std::uint8_t B = fImage[I];
            if (B < 0x80) {
                Out += static_cast<char>(B);
            } else {
                Out += static_cast<char>(0xC0 | (B >> 6));
                Out += static_cast<char>(0x80 | (B & 0x3F));
            }
        }
        return Out;
    }
    /// Marks the bytes up to End as part of the image.
    void Covers(std::size_t End) { fEnd = std::max(fEnd, End); }
    std::size_t End() const { return fEnd; }

    static std::string Hex(std::int64_t V)
    {
        std::ostringstream Out;
        Out << std::hex << std::uppercase << V;
        return Out.str();
    }

private:
    const std::vector<std::uint8_t>& fImage;
    std::int32_t fBase;
    std::size_t fEnd = 0;
};

std::string Fc_Text(std::uint32_t A, std::uint32_t B)
{
    std::string Fc;
    for (std::uint32_t C : {A, B})
        if (C != 0)
            Fc += C >= 0x20 && C < 0x7F ? static_cast<char>(C) : '?';
    return Fc;
}

} // namespace

TImage_Report Read_Client_Image(const std::vector<std::uint8_t>& Image, std::int32_t Base)
{
    TImage_Report Report;
    std::ostringstream Out;
    TImage_View V(Image, Base);
    try {
        if (Image.size() < Header_Size)
            throw TInconsistent("the file has " + std::to_string(Image.size()) +
                                " bytes; a client image has at least 24");
        const std::int32_t nVariable = V.I32(0), nDataSet = V.I32(4);
        const std::int32_t Variable_Add = V.I32(16), DataSet_Add = V.I32(20);
        Out << "client image, " << Image.size() << " bytes, loaded at 0x" << TImage_View::Hex(Base) << '\n';
        Out << "nVariable " << nVariable << "\nnDataSet " << nDataSet << "\nvLan " << V.I32(8) << "\nappID "
            << V.I32(12) << "\nVariable_Add 0x" << TImage_View::Hex(Variable_Add) << "\nDataSet_Add 0x"
            << TImage_View::Hex(DataSet_Add) << '\n';
        if (nVariable < 0 || nDataSet < 0)
            throw TInconsistent("negative count in the header");
        if (Variable_Add != Base + static_cast<std::int32_t>(Header_Size))
            throw TInconsistent("Variable_Add does not follow the header");
        if (static_cast<std::int64_t>(DataSet_Add) !=
            static_cast<std::int64_t>(Variable_Add) + static_cast<std::int64_t>(Variable_Record_Size) * nVariable)
            throw TInconsistent("DataSet_Add does not follow the variable records");
        const std::size_t Variables = V.Offset(Variable_Add, "Variable_Add");
        for (std::int32_t I = 0; I < nVariable; ++I) {
            const std::size_t R = Variables + Variable_Record_Size * static_cast<std::size_t>(I);
            V.U(R + Variable_Record_Size - 1, 1);
            V.Covers(R + Variable_Record_Size);
            Out << "variable " << I << ": fc " << Fc_Text(V.U(R, 1), V.U(R + 1, 1)) << ", rw " << V.U(R + 2, 1)
                << ", bit_address " << V.U(R + 3, 1) << ", options " << V.U(R + 4, 1) << ", conversion "
                << V.U(R + 5, 1) << ", startbyte " << V.U(R + 6, 1) << ", numbyte " << V.U(R + 7, 1) << ", position "
                << V.U(R + 8, 2) << ", tcpPort " << V.U(R + 10, 2) << ", time " << V.U(R + 12, 4) << ", moltFactor "
                << V.F32(R + 16) << ", bType \"" << V.Text(V.I32(R + 20), "bType") << "\", hostname \""
                << V.Text(V.I32(R + 24), "hostname") << "\", reference \"" << V.Text(V.I32(R + 28), "reference")
                << "\"\n";
        }
        const std::size_t DataSets = V.Offset(DataSet_Add, "DataSet_Add");
        for (std::int32_t I = 0; I < nDataSet; ++I) {
            const std::size_t R = DataSets + DataSet_Record_Size * static_cast<std::size_t>(I);
            V.U(R + DataSet_Record_Size - 1, 1);
            V.Covers(R + DataSet_Record_Size);
            const std::uint32_t Members = V.U(R, 1);
            const std::int32_t Members_Add = V.I32(R + 24);
            Out << "data set " << I << ": nVariable " << Members << ", options " << V.U(R + 1, 1) << ", tcpPort "
                << V.U(R + 2, 2) << ", enGoose " << V.U(R + 4, 1) << ", time " << V.U(R + 8, 4) << ", goose_name \""
                << V.Text(V.I32(R + 12), "goose_name") << "\", reference \"" << V.Text(V.I32(R + 16), "reference")
                << "\", hostname \"" << V.Text(V.I32(R + 20), "hostname") << "\", VariableList_Add 0x"
                << TImage_View::Hex(Members_Add) << '\n';
            const std::size_t First = V.Offset(Members_Add, "VariableList_Add");
            for (std::uint32_t J = 0; J < Members; ++J) {
                const std::size_t M = First + Member_Record_Size * J;
                V.U(M + Member_Record_Size - 1, 1);
                V.Covers(M + Member_Record_Size);
                Out << "  member " << J << ": position " << V.U(M, 2) << ", bitAddress " << V.U(M + 2, 1)
                    << ", conversion " << V.U(M + 3, 1) << ", moltFactor " << V.F32(M + 4) << ", bType \""
                    << V.Text(V.I32(M + 8), "bType") << "\", reference \"" << V.Text(V.I32(M + 12), "reference")
                    << "\"\n";
            }
        }
        V.Covers(Header_Size);
        if (V.End() != Image.size())
            throw TInconsistent("the image ends at byte " + std::to_string(V.End()) + " but the file has " +
                                std::to_string(Image.size()) + " bytes");
        Report.Sound = true;
    } catch (const TInconsistent& Error) {
        Report.Problem = Error.what();
    }
    Report.Text = Out.str();
    return Report;
}

TImage_Report Read_Param_Block(const std::vector<std::uint8_t>& Block)
{
    TImage_Report Report;
    if (Block.size() != Param_Block_Size) {
        Report.Problem = "the file has " + std::to_string(Block.size()) + " bytes; a parameter block has 2048";
        return Report;
    }
    TParam_Block Param_Block;
    std::copy(Block.begin(), Block.end(), Param_Block.Bytes.begin());
    const auto Byte = [&](std::size_t At) { return static_cast<unsigned>(Block[At]); };
    const auto Address = [&](std::size_t At) {
        return std::to_string(Byte(At)) + "." + std::to_string(Byte(At + 1)) + "." + std::to_string(Byte(At + 2)) +
               "." + std::to_string(Byte(At + 3));
    };
    std::ostringstream Out;
    const auto Field = [&](std::size_t At, const char* Name, const std::string& Value) {
        Out << "0x" << std::hex << std::uppercase << std::setw(3) << std::setfill('0') << At << std::dec << ' ' << Name
            << ' ' << Value << '\n';
    };
    Out << "parameter block, 2048 bytes\n";
    Field(Param_Offset::Slave_ID, "Slave_ID",
          std::to_string(static_cast<std::int32_t>(Param_Block.Get_U32(Param_Offset::Slave_ID))));
    Field(Param_Offset::Client_IP, "Client_IP", Address(Param_Offset::Client_IP));
    Field(Param_Offset::Client_Mask, "Client_Mask", Address(Param_Offset::Client_Mask));
    Field(Param_Offset::Client_Gateway, "Client_Gateway", Address(Param_Offset::Client_Gateway));
    Field(Param_Offset::Slave_Options, "Slave_Options", TImage_View::Hex(Byte(Param_Offset::Slave_Options)));
    Field(Param_Offset::Slave_Baudrate, "Slave_Baudrate",
          std::to_string(Param_Block.Get_U32(Param_Offset::Slave_Baudrate)));
    Field(Param_Offset::Slave_Parity, "Slave_Parity", std::to_string(Byte(Param_Offset::Slave_Parity)));
    Field(Param_Offset::Slave_StopBits, "Slave_StopBits", std::to_string(Byte(Param_Offset::Slave_StopBits)));
    Field(Param_Offset::Slave_DataBits, "Slave_DataBits", std::to_string(Byte(Param_Offset::Slave_DataBits)));
    Field(Param_Offset::Client_Image_Add, "Client_Image_Add",
          "0x" + TImage_View::Hex(Param_Block.Get_U32(Param_Offset::Client_Image_Add)));
    Field(Param_Offset::Slave_RS232, "Slave_RS232", std::to_string(Param_Block.Get_U32(Param_Offset::Slave_RS232)));
    std::uint32_t Sum = 0;
    for (std::size_t I = 0; I < Param_Offset::Block_Checksum; ++I)
        Sum += Block[I];
    const std::uint32_t Stored = Param_Block.Get_U32(Param_Offset::Block_Checksum);
    Field(Param_Offset::Block_Checksum, "Block_Checksum", std::to_string(Stored));
    Report.Text = Out.str();
    if (Stored != Sum)
        Report.Problem =
            "bad checksum: stored " + std::to_string(Stored) + ", the bytes add up to " + std::to_string(Sum);
    Report.Sound = Stored == Sum;
    return Report;
}

} // namespace image
