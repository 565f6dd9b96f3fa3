#include "iec61850/Scl_Reader.h"

#include "iec61850/Scl_Scanner.h"

#include "common/Atomic_File.h"
#include "common/File_Error.h"
#include "common/Text.h"
#include "common/Xml.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fstream>

#if defined(__unix__) || defined(__APPLE__)
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#define CT_SCL_MAPPED_FILES 1
#endif

namespace iec61850 {

/// The text of an SCL file, writable: a private mapping of the file where the system has one (pages that will not
/// be needed again are handed back while the scan goes on), else a copy in memory.
class TScl_Text final : public TScan_Release
{
public:
    /// Throws common::TFile_Error when the file cannot be read.
    TScl_Text(const std::filesystem::path& File, bool Map)
    {
#ifdef CT_SCL_MAPPED_FILES
        if (Map && Try_Map(File))
            return;
#else
        (void)Map;
#endif
        fCopy = common::Read_Whole_File(File, Max_Scl_File_Size);
        fData = fCopy.data();
        fSize = fCopy.size();
    }

    ~TScl_Text()
    {
#ifdef CT_SCL_MAPPED_FILES
        if (fMapped_Size > 0)
            ::munmap(fData, fMapped_Size);
#endif
    }

    TScl_Text(const TScl_Text&) = delete;
    TScl_Text& operator=(const TScl_Text&) = delete;

    char* Data() const
    {
        return fData;
    }
    std::size_t Size() const
    {
        return fSize;
    }

    void Release(std::size_t From, std::size_t To) override
    {
#ifdef CT_SCL_MAPPED_FILES
        if (fMapped_Size == 0)
            return;
        const std::size_t Page = Page_Size();
        const std::size_t First = (From + Page - 1) / Page * Page;
        const std::size_t Last = To / Page * Page;
        if (Last > First)
            ::madvise(fData + First, Last - First, MADV_DONTNEED);
#else
        (void)From;
        (void)To;
#endif
    }

    /// Only Data()[0, Size) is needed from now on.
    void Shrink(std::size_t Size)
    {
        fSize = std::min(Size, fSize);
#ifdef CT_SCL_MAPPED_FILES
        if (fMapped_Size > 0) {
            const std::size_t Page = Page_Size();
            const std::size_t Keep = std::max<std::size_t>(Page, (fSize + Page - 1) / Page * Page);
            if (Keep < fMapped_Size) {
                ::munmap(fData + Keep, fMapped_Size - Keep);
                fMapped_Size = Keep;
            }
            return;
        }
#endif
        fCopy.resize(fSize);
        fCopy.shrink_to_fit();
        fData = fCopy.data();
    }

private:
#ifdef CT_SCL_MAPPED_FILES
    static std::size_t Page_Size()
    {
        return static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    }

    bool Try_Map(const std::filesystem::path& File)
    {
        const int Descriptor = ::open(File.c_str(), O_RDONLY | O_CLOEXEC);
        if (Descriptor < 0)
            return false;
        struct stat Status
        {};
        void* Mapping = MAP_FAILED;
        if (::fstat(Descriptor, &Status) == 0 && S_ISREG(Status.st_mode) && Status.st_size > 0)
            Mapping = ::mmap(nullptr, static_cast<std::size_t>(Status.st_size), PROT_READ | PROT_WRITE, MAP_PRIVATE,
                             Descriptor, 0);
        ::close(Descriptor);
        if (Mapping == MAP_FAILED)
            return false;
        fData = static_cast<char*>(Mapping);
        fSize = static_cast<std::size_t>(Status.st_size);
        fMapped_Size = fSize;
        ::madvise(fData, fSize, MADV_SEQUENTIAL);
        return true;
    }

    std::size_t fMapped_Size = 0;
#endif
    std::string fCopy;
    char* fData = nullptr;
    std::size_t fSize = 0;
};

TScl_Parts::TScl_Parts() = default;
TScl_Parts::~TScl_Parts() = default;

namespace {

constexpr std::string_view Scl_Namespace = "http://www.iec.ch/61850/2003/SCL";

enum class TEncoding { Utf8, Latin1, Other };

/// The encoding of an SCL file from its first bytes: UTF-8 (the scan reads it as it is), ISO-8859-1 (the scan reads
/// it too, the parser converts it), or another one (UTF-16, UTF-32), which only the parser reads.
TEncoding Encoding_Of(std::string_view Head)
{
    const auto Starts = [&](std::string_view Bytes) { return Head.substr(0, Bytes.size()) == Bytes; };
    using namespace std::string_view_literals;
    if (Starts("\xEF\xBB\xBF"sv))
        return TEncoding::Utf8;
    if (Starts("\xFE\xFF"sv) || Starts("\xFF\xFE"sv) || Starts("\x00\x00\xFE\xFF"sv) || Starts("\x00<"sv) ||
        Starts("<\x00"sv) || Starts("\x00\x00\x00<"sv))
        return TEncoding::Other;
    if (!Starts("<?xml"))
        return TEncoding::Utf8;
    const std::string_view Declaration = Head.substr(0, Head.find("?>"));
    const std::size_t Key = Declaration.find("encoding");
    if (Key == std::string_view::npos)
        return TEncoding::Utf8;
    const std::size_t Open = Declaration.find_first_of("\"'", Key);
    if (Open == std::string_view::npos)
        return TEncoding::Utf8;
    const std::size_t Close = Declaration.find(Declaration[Open], Open + 1);
    const std::string Name = common::Ascii_Upper(Declaration.substr(Open + 1, Close - Open - 1));
    if (Name == "ISO-8859-1" || Name == "ISO8859-1" || Name == "LATIN1" || Name == "LATIN-1")
        return TEncoding::Latin1;
    return TEncoding::Utf8;
}

std::string Latin1_To_Utf8(std::string_view Text)
{
    std::string Out;
    Out.reserve(Text.size());
    for (const char C : Text) {
        const auto Code = static_cast<unsigned char>(C);
        if (Code < 0x80) {
            Out += C;
        } else {
            Out += static_cast<char>(0xC0 | (Code >> 6));
            Out += static_cast<char>(0x80 | (Code & 0x3F));
        }
    }
    return Out;
}

/// The ISO-8859-1 form of a UTF-8 text, so that the scan compares it with names as written in such a file; a
/// character beyond U+00FF, which no such name holds, becomes a byte no UTF-8 name decodes to.
std::string Utf8_To_Latin1(std::string_view Text)
{
    std::string Out;
    for (std::size_t I = 0; I < Text.size(); ++I) {
        const auto Code = static_cast<unsigned char>(Text[I]);
        if (Code < 0x80) {
            Out += Text[I];
        } else if ((Code == 0xC2 || Code == 0xC3) && I + 1 < Text.size()) {
            Out += static_cast<char>(((Code & 0x03) << 6) | (static_cast<unsigned char>(Text[++I]) & 0x3F));
        } else {
            Out += '\0';
        }
    }
    return Out;
}

/// The line of a byte offset of a file, read again from the file (the scan may have overwritten its text).
int Line_In_File(const std::filesystem::path& File, std::size_t Offset)
{
    std::ifstream In(File, std::ios::binary);
    std::vector<char> Chunk(std::size_t{1} << 20);
    int Line = 1;
    std::size_t Done = 0;
    while (In && Done < Offset) {
        In.read(Chunk.data(), static_cast<std::streamsize>(std::min(Chunk.size(), Offset - Done)));
        const auto Got = static_cast<std::size_t>(In.gcount());
        if (Got == 0)
            break;
        Line += static_cast<int>(std::count(Chunk.data(), Chunk.data() + Got, '\n'));
        Done += Got;
    }
    return Line;
}

[[noreturn]] void Throw_Not_Well_Formed(const std::filesystem::path& File, int Line, const char* Reason)
{
    throw common::TFile_Error(File, Line, std::string("not well-formed XML: ") + Reason);
}

/// Picks the IED and the templates out of the SCL element of a parsed document whose SCL elements carry their
/// names without prefix.
void Take_Parts(TScl_Parts& Parts, std::string_view IED_Name, bool Take_Names)
{
    const pugi::xml_node SCL = Parts.Doc.child("SCL");
    for (const pugi::xml_node IED : SCL.children("IED")) {
        const std::string_view Name = IED.attribute("name").value();
        if (Take_Names)
            Parts.IED_Names.emplace_back(Name);
        if (!Parts.IED)
            Parts.IED = IED;
        else if (!IED_Name.empty() && Name == IED_Name && Parts.IED.attribute("name").value() != IED_Name)
            Parts.IED = IED;
    }
    Parts.DTT = SCL.child("DataTypeTemplates");
}

/// Gives every element of the SCL namespace of a whole document its name without prefix, and every element
/// without prefix that belongs to another namespace an empty name, so that element names alone tell them apart.
class TNamespace_Names
{
public:
    void Run(pugi::xml_document& Doc)
    {
        pugi::xml_node Root = Doc.document_element();
        if (!Root)
            return;
        Bind(Root);
        std::string_view Prefix, Local;
        Split(Root.name(), Prefix, Local);
        std::string_view Uri;
        if (Local != "SCL" || !Namespace_Of(Prefix, Uri) || (!Prefix.empty() && Uri != Scl_Namespace))
            return;
        fRoot_Namespace = std::string(Uri);
        Root.set_name("SCL");
        struct TStep
        {
            pugi::xml_node Node;
            std::size_t Bindings;
        };
        std::vector<TStep> Stack;
        for (pugi::xml_node Child = Root.last_child(); Child; Child = Child.previous_sibling())
            Stack.push_back({Child, fBindings.size()});
        while (!Stack.empty()) {
            TStep Step = Stack.back();
            Stack.pop_back();
            fBindings.resize(Step.Bindings);
            if (Step.Node.type() != pugi::node_element)
                continue;
            Bind(Step.Node);
            Rename(Step.Node);
            for (pugi::xml_node Child = Step.Node.last_child(); Child; Child = Child.previous_sibling())
                Stack.push_back({Child, fBindings.size()});
        }
    }

private:
    static void Split(std::string_view Name, std::string_view& Prefix, std::string_view& Local)
    {
        const std::size_t Colon = Name.find(':');
        Prefix = Colon == std::string_view::npos ? std::string_view() : Name.substr(0, Colon);
        Local = Colon == std::string_view::npos ? Name : Name.substr(Colon + 1);
    }

    void Bind(const pugi::xml_node& Node)
    {
        for (const pugi::xml_attribute Attribute : Node.attributes()) {
            const std::string_view Name = Attribute.name();
            if (Name == "xmlns")
                fBindings.push_back({std::string(), Attribute.value()});
            else if (Name.size() > 6 && Name.substr(0, 6) == "xmlns:")
                fBindings.push_back({std::string(Name.substr(6)), Attribute.value()});
        }
    }

    bool Namespace_Of(std::string_view Prefix, std::string_view& Uri) const
    {
        for (std::size_t I = fBindings.size(); I-- > 0;)
            if (fBindings[I].first == Prefix) {
                Uri = fBindings[I].second;
                return true;
            }
        Uri = {};
        return Prefix.empty();
    }

    void Rename(pugi::xml_node Node)
    {
        std::string_view Prefix, Local;
        Split(Node.name(), Prefix, Local);
        std::string_view Uri;
        const bool Scl = Namespace_Of(Prefix, Uri) && (Uri == Scl_Namespace || Uri == fRoot_Namespace);
        if (Scl && !Prefix.empty())
            Node.set_name(std::string(Local).c_str());
        else if (!Scl && Prefix.empty())
            Node.set_name("");
    }

    std::string fRoot_Namespace;
    std::vector<std::pair<std::string, std::string>> fBindings;
};

/// Refuses a file above Max_Scl_File_Size before anything of it is read.
void Check_Scl_Size(const std::filesystem::path& File)
{
    std::error_code Error;
    const std::uintmax_t Size = std::filesystem::file_size(File, Error);
    if (!Error && Size > Max_Scl_File_Size)
        throw common::TFile_Error(File, 0,
                                  "is " + std::to_string(Size >> 20) + " MB; SCL files larger than " +
                                      std::to_string(Max_Scl_File_Size >> 20) + " MB are not read");
}

std::unique_ptr<TScl_Parts> Read_Whole_Document(const std::filesystem::path& File, std::string_view IED_Name)
{
    Check_Scl_Size(File);
    auto Parts = std::make_unique<TScl_Parts>();
    Parts->Text = std::make_unique<TScl_Text>(File, false);
    std::string_view Text(Parts->Text->Data(), Parts->Text->Size());
    const TEncoding Encoding = Encoding_Of(Text.substr(0, 1024));
    if (Encoding != TEncoding::Other) {
        try {
            Scan_Scl(Parts->Text->Data(), Parts->Text->Size(), false, {});
        } catch (const TXml_Fault& Fault) {
            Throw_Not_Well_Formed(File, common::Line_Of_Offset(Text, static_cast<std::ptrdiff_t>(Fault.Offset)),
                                  Fault.Reason);
        }
    }
    const pugi::xml_encoding Parse_Encoding = Encoding == TEncoding::Latin1 ? pugi::encoding_latin1
                                              : Encoding == TEncoding::Utf8 ? pugi::encoding_utf8
                                                                            : pugi::encoding_auto;
    const pugi::xml_parse_result Result =
        Parts->Doc.load_buffer(Text.data(), Text.size(), pugi::parse_default, Parse_Encoding);
    if (!Result)
        Throw_Not_Well_Formed(File, common::Line_Of_Offset(Text, Result.offset), Result.description());
    Parts->Text->Shrink(0);
    TNamespace_Names().Run(Parts->Doc);
    Take_Parts(*Parts, IED_Name, true);
    return Parts;
}

std::unique_ptr<TScl_Parts> Read_Needed_Parts(const std::filesystem::path& File, std::string_view IED_Name, bool Keep)
{
    Check_Scl_Size(File);
    auto Parts = std::make_unique<TScl_Parts>();
    Parts->Text = std::make_unique<TScl_Text>(File, true);
    TScl_Text& Text = *Parts->Text;
    const TEncoding Encoding = Encoding_Of(std::string_view(Text.Data(), std::min<std::size_t>(Text.Size(), 1024)));
    if (Encoding == TEncoding::Other) {
        Parts->Text.reset();
        return Read_Whole_Document(File, IED_Name);
    }
    TScl_Scan_Result Scan;
    try {
        const std::string Asked = Encoding == TEncoding::Latin1 ? Utf8_To_Latin1(IED_Name) : std::string(IED_Name);
        Scan = Scan_Scl(Text.Data(), Text.Size(), Keep, Asked, &Text);
    } catch (const TXml_Fault& Fault) {
        Parts->Text.reset();
        Throw_Not_Well_Formed(File, Line_In_File(File, Fault.Offset), Fault.Reason);
    }
    Text.Shrink(Scan.Kept_Size);
    Parts->IED_Names = std::move(Scan.IED_Names);
    if (Encoding == TEncoding::Latin1)
        for (std::string& Name : Parts->IED_Names)
            Name = Latin1_To_Utf8(Name);
    if (Scan.Kept_Size == 0)
        return Parts;
    const pugi::xml_parse_result Result =
        Parts->Doc.load_buffer_inplace(Text.Data(), Scan.Kept_Size, pugi::parse_default,
                                       Encoding == TEncoding::Latin1 ? pugi::encoding_latin1 : pugi::encoding_utf8);
    if (!Result)
        throw common::TFile_Error(File, 0,
                                  std::string("the parts read from the file do not parse: ") + Result.description());
    Take_Parts(*Parts, IED_Name, false);
    return Parts;
}

} // namespace

TDTT::TDTT(const pugi::xml_node& DataTypeTemplates, TModel_Texts& Texts) : fTexts(Texts), fLimit(Device_Memory_Limit())
{
    for (const pugi::xml_node Template : DataTypeTemplates.children()) {
        TIndex* Index = nullptr;
        if (std::strcmp(Template.name(), "LNodeType") == 0)
            Index = &fLNodeType;
        else if (std::strcmp(Template.name(), "DOType") == 0)
            Index = &fDOType;
        else if (std::strcmp(Template.name(), "DAType") == 0)
            Index = &fDAType;
        if (Index)
            (*Index)[Template.attribute("id").value()].push_back(Template);
    }
}

const std::vector<pugi::xml_node>& TDTT::Find(const TIndex& Index, std::string_view Id)
{
    static const std::vector<pugi::xml_node> None;
    const auto Found = Index.find(Id);
    return Found == Index.end() ? None : Found->second;
}

bool TDTT::Enter(TKind Kind, std::string_view Id)
{
    if (fPath.size() >= Max_Depth)
        return false;
    for (const TStep& Step : fPath)
        if (Step.Kind == Kind && Step.Id == Id)
            return false;
    fPath.push_back({Kind, Id});
    return true;
}

namespace {

std::atomic<std::size_t> Memory_Limit_Set{0};

} // namespace

std::size_t Device_Memory_Limit()
{
    if (const std::size_t Set = Memory_Limit_Set.load())
        return Set;
    std::uint64_t Physical = std::uint64_t{4} << 30;
#ifdef CT_SCL_MAPPED_FILES
    const long Pages = ::sysconf(_SC_PHYS_PAGES);
    const long Page = ::sysconf(_SC_PAGESIZE);
    if (Pages > 0 && Page > 0)
        Physical = static_cast<std::uint64_t>(Pages) * static_cast<std::uint64_t>(Page);
#endif
    return static_cast<std::size_t>(std::min<std::uint64_t>(Physical / 2, SIZE_MAX));
}

void Set_Device_Memory_Limit(std::size_t Bytes)
{
    Memory_Limit_Set.store(Bytes);
}

void TDTT::Count_Object(std::size_t Bytes)
{
    // Every object also costs its owner's pointer and the allocator's own bookkeeping.
    fBytes += Bytes + 16;
    if (fBytes + fTexts.Bytes() > fLimit)
        throw TExpansion_Limit("it would take more than " + std::to_string(fLimit >> 20) +
                               " MB of memory (its templates expand too far or its names are too long)");
}

const TDA_Texts* TDTT::DA_Texts(std::string_view Name, std::string_view FC, std::string_view bType)
{
    return fTexts.DA(Name, FC, bType);
}

const std::string* TDTT::DO_Name(std::string_view Name)
{
    return fTexts.Name(Name);
}

std::unique_ptr<TScl_Parts> Read_Scl_Parts(const std::filesystem::path& File, std::string_view IED_Name,
                                           TScl_Read_Mode Mode)
{
    std::error_code Error;
    if (!std::filesystem::exists(File, Error))
        return nullptr;
    if (Mode == TScl_Read_Mode::Whole_Document)
        return Read_Whole_Document(File, IED_Name);
    return Read_Needed_Parts(File, IED_Name, true);
}

std::vector<std::string> List_IED_Names(const std::filesystem::path& File)
{
    std::error_code Error;
    if (!std::filesystem::exists(File, Error))
        return {};
    return Read_Needed_Parts(File, {}, false)->IED_Names;
}

} // namespace iec61850
