#include "image/Client_Image.h"

#include "common/Byte_Range.h"
#include "common/File_Error.h"
#include "common/Int_Conversion.h"
#include "common/Number.h"
#include "common/Text.h"
#include "common/Xml.h"

#include <cstring>

namespace image {

namespace fs = std::filesystem;

void Reset_Client_Record(TIEC61850_Client& IEC_Client)
{
    IEC_Client = TIEC61850_Client{};
}

namespace {

// Reads the attributes of one element; a required attribute that is absent ends the run with a message naming
// the file, the line and the attribute.
class TAttribute_Reader
{
public:
    TAttribute_Reader(const common::TXml_File& Xml, pugi::xml_node Node, char Separator)
        : fXml(Xml), fNode(Node), fSeparator(Separator)
    {}

    std::string Required_Text(const char* Name) const { return Required(Name).value(); }

    std::int32_t Required_Int(const char* Name, std::int32_t Default) const
    {
        return common::Text_To_Int_Or(Required(Name).value(), Default);
    }

    std::int32_t Optional_Int(const char* Name, std::int32_t Default) const
    {
        return common::Text_To_Int_Or(fNode.attribute(Name).value(), Default);
    }

    bool Optional_Equals(const char* Name, const char* Text) const
    {
        return std::strcmp(fNode.attribute(Name).value(), Text) == 0;
    }

    bool Optional_Absent_Or_Not(const char* Name, const char* Text) const
    {
        const pugi::xml_attribute Attribute = fNode.attribute(Name);
        return !Attribute || std::strcmp(Attribute.value(), Text) != 0;
    }

    float Required_Factor(const char* Name) const
    {
        float Value = 1.0f;
        common::Text_To_Single(Required(Name).value(), fSeparator, Value);
        return Value;
    }

    pugi::xml_node Required_Child(const char* Name) const
    {
        const pugi::xml_node Child = fNode.child(Name);
        if (!Child)
            throw common::TFile_Error(fXml.Path, fXml.Line_Of(fNode),
                                      std::string("element \"") + fNode.name() + "\" has no \"" + Name + "\" element");
        return Child;
    }

private:
    pugi::xml_attribute Required(const char* Name) const
    {
        const pugi::xml_attribute Attribute = fNode.attribute(Name);
        if (!Attribute)
            throw common::TFile_Error(fXml.Path, fXml.Line_Of(fNode),
                                      std::string("attribute \"") + Name + "\" of element \"" + fNode.name() +
                                          "\" is missing");
        return Attribute;
    }

    const common::TXml_File& fXml;
    pugi::xml_node fNode;
    char fSeparator;
};

std::uint8_t Low8(std::int32_t V)
{
    return static_cast<std::uint8_t>(static_cast<std::uint32_t>(V) & 0xFF);
}
std::uint16_t Low16(std::int32_t V)
{
    return static_cast<std::uint16_t>(static_cast<std::uint32_t>(V) & 0xFFFF);
}

std::size_t Element_Count(pugi::xml_node Node)
{
    std::size_t Count = 0;
    for (pugi::xml_node Child = Node.first_child(); Child; Child = Child.next_sibling())
        if (Child.type() == pugi::node_element)
            ++Count;
    return Count;
}

TIEC61850_Variable Read_Variable(const TAttribute_Reader& A)
{
    TIEC61850_Variable V;
    V.bType = A.Required_Text("bType");
    // The low 8 bits of the first two characters; an fc shorter than two letters gives 0 bytes.
    const std::u16string Fc = common::Utf8_To_Utf16(A.Required_Text("fc"));
    for (std::size_t I = 0; I < 2 && I < Fc.size(); ++I)
        V.fc[I] = static_cast<std::uint8_t>(Fc[I] & 0xFF);
    V.reference = A.Required_Text("Reference");
    if (const auto Range = common::Fixed_Byte_Range(V.bType)) {
        V.startbyte = static_cast<std::uint8_t>(Range->Start_Byte);
        V.numbyte = static_cast<std::uint8_t>(Range->Num_Byte);
    } else {
        V.startbyte = Low8(A.Optional_Int("StartByte", 0));
        V.numbyte = Low8(A.Optional_Int("NumByte", 1));
    }
    V.hostname = A.Required_Text("IPAddress");
    V.tcpPort = Low16(A.Required_Int("Port", 0));
    if (A.Optional_Equals("OnChange", "Y"))
        V.options |= 1;
    if (A.Optional_Equals("OnCMD", "Y"))
        V.options |= 2;
    if (A.Optional_Equals("OnTimer", "Y"))
        V.options |= 4;
    V.time = static_cast<std::uint32_t>(A.Required_Int("Time", 1000));
    V.position = Low16(A.Required_Int("Position", 0));
    V.bit_address = Low8(A.Required_Int("StartBit", 0));
    V.rw = A.Optional_Absent_Or_Not("ReadWrite", "Read") ? 1 : 0;
    V.conversion = A.Optional_Equals("Convertion", "ItoF/FtoI") ? 1 : 0;
    V.moltFactor = A.Required_Factor("MoltFact");
    return V;
}

TIEC61850_Variable_DS Read_Member(const TAttribute_Reader& A)
{
    TIEC61850_Variable_DS M;
    M.bType = A.Required_Text("bType");
    M.reference = A.Required_Text("Reference");
    M.position = Low16(A.Required_Int("Position", 0));
    M.bitAddress = Low8(A.Required_Int("StartBit", 0));
    M.conversion = A.Optional_Equals("Convertion", "ItoF/FtoI") ? 1 : 0;
    M.moltFactor = A.Required_Factor("MoltFact");
    return M;
}

TDataSet Read_DataSet(const common::TXml_File& Xml, pugi::xml_node Node, char Separator)
{
    const TAttribute_Reader A(Xml, Node, Separator);
    TDataSet D;
    D.options = 4;
    D.tcpPort = Low16(A.Required_Int("Port", 0));
    D.enGoose = A.Optional_Equals("EnGoose", "Y") ? 1 : 0;
    D.time = static_cast<std::uint32_t>(A.Required_Int("Time", 1000));
    D.goose_name = A.Required_Text("GooseName");
    D.reference = A.Required_Text("Reference");
    D.hostname = A.Required_Text("IPAddress");
    const pugi::xml_node Members = A.Required_Child("DataSet_List_DAs");
    // The member count is one byte in the image: more members cannot be told to the converter.
    if (Element_Count(Members) > 255)
        throw common::TFile_Error(Xml.Path, Xml.Line_Of(Node),
                                  "data set \"" + D.reference + "\" has " + std::to_string(Element_Count(Members)) +
                                      " members; the converter takes at most 255");
    for (pugi::xml_node Child = Members.first_child(); Child; Child = Child.next_sibling())
        if (Child.type() == pugi::node_element)
            D.VariableList.push_back(Read_Member(TAttribute_Reader(Xml, Child, Separator)));
    D.nVariable = static_cast<std::uint8_t>(D.VariableList.size());
    return D;
}

std::int32_t Text_Size(const std::string& Text)
{
    return static_cast<std::int32_t>(common::Utf16_Length(Text)) + 1;
}

} // namespace

void Read_Client_File(TIEC61850_Client& IEC_Client, const fs::path& File, std::int32_t Base, char Decimal_Separator)
{
    if (fs::exists(File)) {
        const auto Xml = common::Load_Xml_File(File);
        pugi::xml_node Root;
        for (pugi::xml_node Node = Xml->Doc.first_child(); Node; Node = Node.next_sibling())
            if (Node.type() == pugi::node_element && std::strcmp(Node.name(), "IEC_68850_Client") == 0) {
                Root = Node;
                break;
            }
        if (!Root)
            throw common::TFile_Error(File, 0, "the element \"IEC_68850_Client\" is missing");
        const pugi::xml_node Variables = Root.child("List_DA_Selected");
        if (!Variables)
            throw common::TFile_Error(File, Xml->Line_Of(Root), "the element \"List_DA_Selected\" is missing");
        for (pugi::xml_node Child = Variables.first_child(); Child; Child = Child.next_sibling())
            if (Child.type() == pugi::node_element)
                IEC_Client.VariableList.push_back(Read_Variable(TAttribute_Reader(*Xml, Child, Decimal_Separator)));
        IEC_Client.nVariable = static_cast<std::int32_t>(IEC_Client.VariableList.size());
        if (const pugi::xml_node DataSets = Root.child("List_DataSet_Selected"))
            for (pugi::xml_node Child = DataSets.first_child(); Child; Child = Child.next_sibling())
                if (Child.type() == pugi::node_element)
                    IEC_Client.DataSetList.push_back(Read_DataSet(*Xml, Child, Decimal_Separator));
        IEC_Client.nDataSet = static_cast<std::int32_t>(IEC_Client.DataSetList.size());
    }
    const std::size_t Length = Assign_Addresses(IEC_Client, Base);
    if (Length > Bank2_Buffer_Size)
        throw common::TFile_Error(File, 0,
                                  "the client image would take " + std::to_string(Length) +
                                      " bytes; the converter takes at most " + std::to_string(Bank2_Buffer_Size));
}

namespace {

// The texts of the string pool in the order they are laid out, each with its address field. The address walk and
// the writer both go through this one order, so every address points at its own text.
template <class TClient, class TVisit> void For_Each_Pool_Text(TClient& C, TVisit&& Visit)
{
    for (auto& V : C.VariableList) {
        Visit(V.bType, V.bType_Add);
        Visit(V.hostname, V.hostname_Add);
        Visit(V.reference, V.reference_Add);
    }
    for (auto& D : C.DataSetList) {
        Visit(D.goose_name, D.goose_name_Add);
        Visit(D.reference, D.reference_Add);
        Visit(D.hostname, D.hostname_Add);
    }
    for (auto& D : C.DataSetList)
        for (auto& M : D.VariableList) {
            Visit(M.bType, M.bType_Add);
            Visit(M.reference, M.reference_Add);
        }
}

} // namespace

std::size_t Assign_Addresses(TIEC61850_Client& C, std::int32_t Base)
{
    // 64-bit while walking: an oversized configuration must be reported, not wrap around.
    std::int64_t A = Base;
    C.Variable_Add = static_cast<std::int32_t>(Base + static_cast<std::int64_t>(Header_Size));
    A = C.Variable_Add + static_cast<std::int64_t>(Variable_Record_Size * C.VariableList.size());
    C.DataSet_Add = static_cast<std::int32_t>(A);
    A += static_cast<std::int64_t>(DataSet_Record_Size * C.DataSetList.size());
    for (TDataSet& D : C.DataSetList) {
        D.VariableList_Add = static_cast<std::int32_t>(A);
        A += static_cast<std::int64_t>(Member_Record_Size * D.VariableList.size());
    }
    For_Each_Pool_Text(C, [&A](const std::string& Text, std::int32_t& Address) {
        Address = static_cast<std::int32_t>(A);
        A += Text_Size(Text);
    });
    return static_cast<std::size_t>(A - Base);
}

namespace {

class TImage_Writer
{
public:
    TImage_Writer(std::vector<std::uint8_t>& Buffer, std::size_t Start) : fBuffer(Buffer), fPos(Start) {}

    void U8(std::uint8_t V) { Put(&V, 1); }
    void U16(std::uint16_t V)
    {
        const std::uint8_t B[2] = {static_cast<std::uint8_t>(V), static_cast<std::uint8_t>(V >> 8)};
        Put(B, 2);
    }
    void U32(std::uint32_t V)
    {
        const std::uint8_t B[4] = {static_cast<std::uint8_t>(V), static_cast<std::uint8_t>(V >> 8),
                                   static_cast<std::uint8_t>(V >> 16), static_cast<std::uint8_t>(V >> 24)};
        Put(B, 4);
    }
    void I32(std::int32_t V) { U32(static_cast<std::uint32_t>(V)); }
    void F32(float V)
    {
        std::uint32_t Bits = 0;
        static_assert(sizeof(Bits) == sizeof(V));
        std::memcpy(&Bits, &V, sizeof(Bits));
        U32(Bits);
    }
    void Text(const std::string& T)
    {
        const std::string Bytes = common::Low_Bytes_Of_Utf16(T);
        Put(reinterpret_cast<const std::uint8_t*>(Bytes.data()), Bytes.size());
        U8(0);
    }
    std::size_t Position() const { return fPos; }

private:
    void Put(const std::uint8_t* Data, std::size_t N)
    {
        if (fBuffer.size() < fPos + N)
            fBuffer.resize(fPos + N);
        std::memcpy(fBuffer.data() + fPos, Data, N);
        fPos += N;
    }

    std::vector<std::uint8_t>& fBuffer;
    std::size_t fPos;
};

} // namespace

std::size_t Write_Client_Image(const TIEC61850_Client& C, std::size_t Start, std::vector<std::uint8_t>& Buffer)
{
    TImage_Writer W(Buffer, Start);
    W.I32(C.nVariable);
    W.I32(C.nDataSet);
    W.I32(C.vLan);
    W.I32(C.appID);
    W.I32(C.Variable_Add);
    W.I32(C.DataSet_Add);
    for (const TIEC61850_Variable& V : C.VariableList) {
        W.U8(V.fc[0]);
        W.U8(V.fc[1]);
        W.U8(V.rw);
        W.U8(V.bit_address);
        W.U8(V.options);
        W.U8(V.conversion);
        W.U8(V.startbyte);
        W.U8(V.numbyte);
        W.U16(V.position);
        W.U16(V.tcpPort);
        W.U32(V.time);
        W.F32(V.moltFactor);
        W.I32(V.bType_Add);
        W.I32(V.hostname_Add);
        W.I32(V.reference_Add);
    }
    for (const TDataSet& D : C.DataSetList) {
        W.U8(D.nVariable);
        W.U8(D.options);
        W.U16(D.tcpPort);
        W.U8(D.enGoose);
        W.U8(0);
        W.U8(0);
        W.U8(0);
        W.U32(D.time);
        W.I32(D.goose_name_Add);
        W.I32(D.reference_Add);
        W.I32(D.hostname_Add);
        W.I32(D.VariableList_Add);
    }
    for (const TDataSet& D : C.DataSetList)
        for (const TIEC61850_Variable_DS& M : D.VariableList) {
            W.U16(M.position);
            W.U8(M.bitAddress);
            W.U8(M.conversion);
            W.F32(M.moltFactor);
            W.I32(M.bType_Add);
            W.I32(M.reference_Add);
        }
    For_Each_Pool_Text(C, [&W](const std::string& Text, std::int32_t) { W.Text(Text); });
    return W.Position();
}

} // namespace image
