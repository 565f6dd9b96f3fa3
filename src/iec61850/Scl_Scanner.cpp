#include "iec61850/Scl_Scanner.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <unordered_set>

namespace iec61850 {

namespace {

constexpr std::string_view Scl_Namespace = "http://www.iec.ch/61850/2003/SCL";

// Character classes of the scan.
enum : std::uint8_t {
    C_Space = 1,      // blank, tab, CR, LF
    C_Name_Start = 2, // letters, '_', ':', every byte of a multi-byte character
    C_Name = 4,       // C_Name_Start and digits, '-', '.'
    C_Text_Stop = 8,  // '<', '&', ']' or a forbidden control character in text
    C_Quot_Stop = 16, // '"', '<', '&' or a forbidden control character in an attribute value
    C_Apos_Stop = 32, // the same with '\''
    C_Forbidden = 64, // control characters that XML does not allow anywhere
};

constexpr std::array<std::uint8_t, 256> Make_Classes()
{
    std::array<std::uint8_t, 256> Classes{};
    for (int C = 0; C < 32; ++C)
        if (C != '\t' && C != '\n' && C != '\r')
            Classes[C] = C_Forbidden | C_Text_Stop | C_Quot_Stop | C_Apos_Stop;
    for (const char C : {' ', '\t', '\r', '\n'})
        Classes[static_cast<unsigned char>(C)] |= C_Space;
    for (int C = 0; C < 256; ++C) {
        const bool Letter = (C >= 'a' && C <= 'z') || (C >= 'A' && C <= 'Z');
        if (Letter || C == '_' || C == ':' || C >= 0x80)
            Classes[C] |= C_Name_Start | C_Name;
        if ((C >= '0' && C <= '9') || C == '-' || C == '.')
            Classes[C] |= C_Name;
    }
    Classes['<'] |= C_Text_Stop | C_Quot_Stop | C_Apos_Stop;
    Classes['&'] |= C_Text_Stop | C_Quot_Stop | C_Apos_Stop;
    Classes[']'] |= C_Text_Stop;
    Classes['"'] |= C_Quot_Stop;
    Classes['\''] |= C_Apos_Stop;
    return Classes;
}

constexpr std::array<std::uint8_t, 256> Classes = Make_Classes();

inline bool Is(char C, std::uint8_t Class)
{
    return (Classes[static_cast<unsigned char>(C)] & Class) != 0;
}

// Where an element stands in the document, which decides what is kept of it and of its children.
enum class TPlace : std::uint8_t {
    Skipped, // dropped with everything inside it
    Leaf,    // kept, its children dropped
    Scl,     // the document element
    IED,
    AccessPoint,
    Server,
    LDevice,
    LN,
    DataSet,
    DTT,
    LNodeType,
    DOType,
    DAType,
};

struct TAttribute
{
    std::string_view Name;
    std::string_view Value; // between the quotes, as written
    char Quote;
};

// The text already read may be overwritten by the copy: what an open element needs later is kept apart.
struct TFrame
{
    std::uint32_t Name_Offset; // the name as written, in TScanner::fNames, for the end tag
    std::uint32_t Name_Size;
    const char* Kept_Name; // the name the copy carries, or null when the element is not copied
    TPlace Place;
    bool Took_First;        // an AccessPoint (under an IED) or a Server (under an AccessPoint) was taken
    std::uint32_t Bindings; // the namespace bindings in force outside this element
};

struct TBinding
{
    std::string Prefix; // "" for the default namespace
    std::string Uri;
};

// The attributes the decoder reads, per kept element.
constexpr const char* Ied_Attributes[] = {"name", nullptr};
constexpr const char* LDevice_Attributes[] = {"inst", nullptr};
constexpr const char* LN_Attributes[] = {"lnClass", "lnType", "prefix", "inst", nullptr};
constexpr const char* Name_Attributes[] = {"name", nullptr};
constexpr const char* FCDA_Attributes[] = {"ldInst", "lnClass", "doName", "daName", nullptr};
constexpr const char* GSEControl_Attributes[] = {"name", "datSet", nullptr};
constexpr const char* Id_Attributes[] = {"id", nullptr};
constexpr const char* DO_Attributes[] = {"name", "type", nullptr};
constexpr const char* DA_Attributes[] = {"name", "bType", "fc", "type", nullptr};
constexpr const char* No_Attributes[] = {nullptr};

// What becomes of a child element in the SCL namespace with local name Name under a parent at Parent.
struct TChild_Rule
{
    TPlace Parent;
    const char* Name;
    TPlace Place;
    const char* const* Attributes;
};

constexpr TChild_Rule Child_Rules[] = {
    {TPlace::IED, "AccessPoint", TPlace::AccessPoint, No_Attributes},
    {TPlace::AccessPoint, "Server", TPlace::Server, No_Attributes},
    {TPlace::Server, "LDevice", TPlace::LDevice, LDevice_Attributes},
    {TPlace::LDevice, "LN0", TPlace::LN, LN_Attributes},
    {TPlace::LDevice, "LN", TPlace::LN, LN_Attributes},
    {TPlace::LN, "DataSet", TPlace::DataSet, Name_Attributes},
    {TPlace::LN, "GSEControl", TPlace::Leaf, GSEControl_Attributes},
    {TPlace::DataSet, "FCDA", TPlace::Leaf, FCDA_Attributes},
    {TPlace::DTT, "LNodeType", TPlace::LNodeType, Id_Attributes},
    {TPlace::DTT, "DOType", TPlace::DOType, Id_Attributes},
    {TPlace::DTT, "DAType", TPlace::DAType, Id_Attributes},
    {TPlace::LNodeType, "DO", TPlace::Leaf, DO_Attributes},
    {TPlace::DOType, "SDO", TPlace::Leaf, DO_Attributes},
    {TPlace::DOType, "DA", TPlace::Leaf, DA_Attributes},
    {TPlace::DAType, "BDA", TPlace::Leaf, DA_Attributes},
};

/// Releases what lies behind the scan every this many bytes.
constexpr std::size_t Release_Step = std::size_t{1} << 20;

class TScanner
{
public:
    TScanner(char* Buffer, std::size_t Size, bool Keep, std::string_view IED_Name, TScan_Release* Release)
        : fBegin(Buffer), fEnd(Buffer + Size), fP(Buffer), fOut(Buffer), fKeep(Keep), fIED_Name(IED_Name),
          fRelease(Release)
    {}

    TScl_Scan_Result Run()
    {
        Prolog();
        Content();
        Epilog();
        TScl_Scan_Result Result;
        Result.Kept_Size = static_cast<std::size_t>(fOut - fBegin);
        Result.IED_Names = std::move(fIED_Names);
        return Result;
    }

private:
    [[noreturn]] void Fault(const char* At, const char* Reason) const
    {
        throw TXml_Fault{static_cast<std::size_t>(At - fBegin), Reason};
    }

    bool Starts_With(std::string_view Text) const
    {
        return static_cast<std::size_t>(fEnd - fP) >= Text.size() && std::memcmp(fP, Text.data(), Text.size()) == 0;
    }

    /// Skips blanks; true when there was at least one.
    bool Skip_Spaces()
    {
        const char* Start = fP;
        while (fP < fEnd && Is(*fP, C_Space))
            ++fP;
        return fP != Start;
    }

    std::string_view Name()
    {
        const char* Start = fP;
        if (fP >= fEnd || !Is(*fP, C_Name_Start))
            return {};
        ++fP;
        while (fP < fEnd && Is(*fP, C_Name))
            ++fP;
        return {Start, static_cast<std::size_t>(fP - Start)};
    }

    // ---- document level

    void Prolog()
    {
        if (Starts_With("\xEF\xBB\xBF"))
            fP += 3;
        if (Starts_With("<?xml") && fEnd - fP > 5 && (Is(fP[5], C_Space) || fP[5] == '?'))
            Processing_Instruction(true);
        bool Had_Doctype = false;
        for (;;) {
            Skip_Spaces();
            if (fP >= fEnd)
                Fault(fP, "No document element found");
            if (*fP != '<')
                Fault(fP, "Text outside the document element");
            if (Starts_With("<?"))
                Processing_Instruction(false);
            else if (Starts_With("<!--"))
                Comment();
            else if (Starts_With("<!DOCTYPE")) {
                if (Had_Doctype)
                    Fault(fP, "Second document type declaration");
                Doctype();
                Had_Doctype = true;
            } else if (fEnd - fP > 1 && Is(fP[1], C_Name_Start))
                return;
            else
                Fault(fP, "Unrecognized tag");
        }
    }

    void Epilog()
    {
        for (;;) {
            Skip_Spaces();
            if (fP >= fEnd)
                return;
            if (Starts_With("<?"))
                Processing_Instruction(false);
            else if (Starts_With("<!--"))
                Comment();
            else if (*fP == '<' && fEnd - fP > 1 && Is(fP[1], C_Name_Start))
                Fault(fP, "Second document element");
            else
                Fault(fP, "Text outside the document element");
        }
    }

    void Processing_Instruction(bool Declaration)
    {
        const char* Start = fP;
        fP += 2;
        const std::string_view Target = Name();
        if (Target.empty())
            Fault(Start, "Error parsing document declaration/processing instruction");
        const bool Xml =
            Target.size() == 3 && (Target[0] | 0x20) == 'x' && (Target[1] | 0x20) == 'm' && (Target[2] | 0x20) == 'l';
        if (Xml && !Declaration)
            Fault(Start, "XML declaration not at the start of the document");
        const std::string_view Rest(fP, static_cast<std::size_t>(fEnd - fP));
        const std::size_t Close = Rest.find("?>");
        if (Close == std::string_view::npos || (Close > 0 && !Is(fP[0], C_Space)))
            Fault(Start, "Error parsing document declaration/processing instruction");
        No_Forbidden_Characters(fP, fP + Close);
        fP += Close + 2;
    }

    void Comment()
    {
        const char* Start = fP;
        fP += 4;
        const std::string_view Rest(fP, static_cast<std::size_t>(fEnd - fP));
        const std::size_t Dashes = Rest.find("--");
        if (Dashes == std::string_view::npos)
            Fault(Start, "Error parsing comment");
        if (Dashes + 2 >= Rest.size() || Rest[Dashes + 2] != '>')
            Fault(fP + Dashes, "'--' inside a comment");
        No_Forbidden_Characters(fP, fP + Dashes);
        fP += Dashes + 3;
    }

    void Cdata()
    {
        const char* Start = fP;
        fP += 9;
        const std::string_view Rest(fP, static_cast<std::size_t>(fEnd - fP));
        const std::size_t Close = Rest.find("]]>");
        if (Close == std::string_view::npos)
            Fault(Start, "Error parsing CDATA section");
        No_Forbidden_Characters(fP, fP + Close);
        fP += Close + 3;
    }

    /// Comments, CDATA sections, processing instructions and the document type declaration may not hold the
    /// control characters XML forbids either (a NUL ends the text for the parser of the whole document).
    void No_Forbidden_Characters(const char* From, const char* To)
    {
        for (const char* C = From; C < To; ++C)
            if (Is(*C, C_Forbidden))
                Fault(C, "Invalid character");
    }

    /// <!DOCTYPE ... >, checked as strictly as the parser of the whole document checks it: markup declarations
    /// (<!...>, which may nest), quoted texts, comments, processing instructions and ignored sections (<![ ... ]]>,
    /// which may nest) are stepped over; any other '<' is an error, and every declaration must be closed.
    void Doctype()
    {
        const char* Start = fP;
        fP += 9;
        fHas_Doctype = true;
        std::size_t Depth = 0;
        while (fP < fEnd) {
            const char C = *fP;
            if (Is(C, C_Forbidden))
                Fault(fP, "Invalid character");
            if (C == '"' || C == '\'') {
                const char* Close =
                    static_cast<const char*>(std::memchr(fP + 1, C, static_cast<std::size_t>(fEnd - fP - 1)));
                if (!Close)
                    break;
                No_Forbidden_Characters(fP + 1, Close);
                fP = Close + 1;
            } else if (Starts_With("<!--")) {
                Comment();
            } else if (Starts_With("<!-")) {
                Fault(fP, "Error parsing document type declaration");
            } else if (Starts_With("<![")) {
                Ignored_Section(Start);
            } else if (Starts_With("<!")) {
                fP += 2;
                ++Depth;
            } else if (Starts_With("<?")) {
                Processing_Instruction(false);
            } else if (C == '<') {
                Fault(fP, "Error parsing document type declaration");
            } else if (C == '>') {
                ++fP;
                if (Depth == 0)
                    return;
                --Depth;
            } else {
                ++fP;
            }
        }
        Fault(Start, "Error parsing document type declaration");
    }

    /// <![ ... ]]> inside a document type declaration, with the sections nested in it.
    void Ignored_Section(const char* Doctype_Start)
    {
        fP += 3;
        std::size_t Depth = 0;
        while (fP < fEnd) {
            if (Is(*fP, C_Forbidden))
                Fault(fP, "Invalid character");
            if (Starts_With("<![")) {
                fP += 3;
                ++Depth;
            } else if (Starts_With("]]>")) {
                fP += 3;
                if (Depth == 0)
                    return;
                --Depth;
            } else {
                ++fP;
            }
        }
        Fault(Doctype_Start, "Error parsing document type declaration");
    }

    // ---- references

    static bool Is_Xml_Char(std::uint32_t Code)
    {
        return Code == 0x9 || Code == 0xA || Code == 0xD || (Code >= 0x20 && Code <= 0xD7FF) ||
               (Code >= 0xE000 && Code <= 0xFFFD) || (Code >= 0x10000 && Code <= 0x10FFFF);
    }

    /// A reference at fP ('&'): &name; (one of the five predefined ones unless the document declares a type),
    /// &#digits; or &#xhex; naming a character XML allows.
    void Reference()
    {
        const char* Start = fP++;
        if (fP < fEnd && *fP == '#') {
            ++fP;
            const bool Hex = fP < fEnd && *fP == 'x';
            if (Hex)
                ++fP;
            std::uint32_t Code = 0;
            const char* Digits = fP;
            while (fP < fEnd) {
                const char C = *fP;
                int Digit = -1;
                if (C >= '0' && C <= '9')
                    Digit = C - '0';
                else if (Hex && (C | 0x20) >= 'a' && (C | 0x20) <= 'f')
                    Digit = (C | 0x20) - 'a' + 10;
                if (Digit < 0)
                    break;
                Code = Code * (Hex ? 16u : 10u) + static_cast<std::uint32_t>(Digit);
                if (Code > 0x10FFFF)
                    Code = 0x110000;
                ++fP;
            }
            if (fP == Digits || fP >= fEnd || *fP != ';' || !Is_Xml_Char(Code))
                Fault(Start, "Invalid character reference");
            ++fP;
            return;
        }
        const std::string_view Entity = Name();
        if (Entity.empty() || fP >= fEnd || *fP != ';')
            Fault(Start, "Invalid entity reference");
        ++fP;
        if (!fHas_Doctype && Entity != "lt" && Entity != "gt" && Entity != "amp" && Entity != "apos" &&
            Entity != "quot")
            Fault(Start, "Undefined entity reference");
    }

    // ---- element content

    void Content()
    {
        const char* Next_Release = fBegin + Release_Step;
        Start_Tag();
        while (!fStack.empty()) {
            Text();
            if (fP >= fEnd)
                Fault(fP, "Start-end tags mismatch: element not closed at the end of the file");
            // fP is at '<'
            if (fEnd - fP < 2)
                Fault(fP, "Unrecognized tag");
            const char C = fP[1];
            if (C == '/')
                End_Tag();
            else if (Is(C, C_Name_Start))
                Start_Tag();
            else if (Starts_With("<!--"))
                Comment();
            else if (Starts_With("<![CDATA["))
                Cdata();
            else if (C == '?')
                Processing_Instruction(false);
            else
                Fault(fP, "Unrecognized tag");
            if (fP >= Next_Release && fRelease) {
                fRelease->Release(static_cast<std::size_t>(fOut - fBegin), static_cast<std::size_t>(fP - fBegin));
                Next_Release = fP + Release_Step;
            }
        }
    }

    /// Character data up to the next '<'.
    void Text()
    {
        for (;;) {
            while (fP < fEnd && !Is(*fP, C_Text_Stop))
                ++fP;
            if (fP >= fEnd || *fP == '<')
                return;
            if (*fP == '&')
                Reference();
            else if (*fP == ']') {
                if (Starts_With("]]>"))
                    Fault(fP, "']]>' in text");
                ++fP;
            } else
                Fault(fP, "Character not allowed in XML");
        }
    }

    /// Reads a start tag at fP ('<' followed by a name start character).
    void Start_Tag()
    {
        const char* Tag_Start = fP;
        ++fP;
        const std::string_view Tag_Name = Name();
        fAttributes.clear();
        if (!fSeen.empty())
            fSeen.clear();
        bool Empty = false;
        for (;;) {
            const bool Spaced = Skip_Spaces();
            if (fP >= fEnd)
                Fault(Tag_Start, "Error parsing start element tag");
            if (*fP == '>') {
                ++fP;
                break;
            }
            if (*fP == '/') {
                if (fEnd - fP < 2 || fP[1] != '>')
                    Fault(fP, "Error parsing start element tag");
                fP += 2;
                Empty = true;
                break;
            }
            if (!Spaced || !Is(*fP, C_Name_Start))
                Fault(fP, "Error parsing element attribute");
            fAttributes.push_back(Attribute());
        }
        Open(Tag_Name, Empty);
    }

    TAttribute Attribute()
    {
        const char* Start = fP;
        const std::string_view Attribute_Name = Name();
        // A set only for tags with many attributes: a tag of any length costs time in proportion to it.
        if (fAttributes.size() < 16) {
            for (const TAttribute& Earlier : fAttributes)
                if (Earlier.Name == Attribute_Name)
                    Fault(Start, "Duplicate attribute");
        } else {
            if (fSeen.empty())
                for (const TAttribute& Earlier : fAttributes)
                    fSeen.insert(Earlier.Name);
            if (!fSeen.insert(Attribute_Name).second)
                Fault(Start, "Duplicate attribute");
        }
        Skip_Spaces();
        if (fP >= fEnd || *fP != '=')
            Fault(fP, "Error parsing element attribute");
        ++fP;
        Skip_Spaces();
        if (fP >= fEnd || (*fP != '"' && *fP != '\''))
            Fault(fP, "Error parsing element attribute");
        const char Quote = *fP++;
        const std::uint8_t Stop = Quote == '"' ? C_Quot_Stop : C_Apos_Stop;
        const char* Value = fP;
        for (;;) {
            while (fP < fEnd && !Is(*fP, Stop))
                ++fP;
            if (fP >= fEnd)
                Fault(Start, "Error parsing element attribute");
            if (*fP == Quote)
                break;
            if (*fP == '&')
                Reference();
            else if (*fP == '<')
                Fault(fP, "'<' in an attribute value");
            else
                Fault(fP, "Character not allowed in XML");
        }
        const std::string_view Value_Text(Value, static_cast<std::size_t>(fP - Value));
        ++fP;
        return {Attribute_Name, Value_Text, Quote};
    }

    void End_Tag()
    {
        const char* Start = fP;
        fP += 2;
        const std::string_view Tag_Name = Name();
        Skip_Spaces();
        if (fP >= fEnd || *fP != '>')
            Fault(Start, "Error parsing end element tag");
        ++fP;
        const TFrame& Frame = fStack.back();
        if (Tag_Name != std::string_view(fNames).substr(Frame.Name_Offset, Frame.Name_Size))
            Fault(Start, "Start-end tags mismatch");
        if (Frame.Kept_Name)
            Write_End(Frame.Kept_Name);
        fBindings.resize(Frame.Bindings);
        fNames.resize(Frame.Name_Offset);
        fStack.pop_back();
    }

    // ---- namespaces

    /// Takes the xmlns attributes of the current tag into the bindings.
    void Bind_Namespaces()
    {
        for (const TAttribute& Attribute : fAttributes) {
            const std::string_view Name = Attribute.Name;
            if (Name == "xmlns")
                fBindings.push_back({std::string(), std::string(Attribute.Value)});
            else if (Name.size() > 6 && Name.substr(0, 6) == "xmlns:")
                fBindings.push_back({std::string(Name.substr(6)), std::string(Attribute.Value)});
        }
    }

    /// The namespace of a prefix ("" for none), or false when the prefix is not bound.
    bool Namespace_Of(std::string_view Prefix, std::string_view& Uri) const
    {
        for (std::size_t I = fBindings.size(); I-- > 0;)
            if (fBindings[I].Prefix == Prefix) {
                Uri = fBindings[I].Uri;
                return true;
            }
        Uri = {};
        return Prefix.empty();
    }

    /// The local name of a tag name in the SCL namespace; empty when the element belongs to another namespace.
    std::string_view Scl_Local_Name(std::string_view Tag_Name) const
    {
        const std::size_t Colon = Tag_Name.find(':');
        const std::string_view Prefix =
            Colon == std::string_view::npos ? std::string_view() : Tag_Name.substr(0, Colon);
        const std::string_view Local = Colon == std::string_view::npos ? Tag_Name : Tag_Name.substr(Colon + 1);
        std::string_view Uri;
        if (!Namespace_Of(Prefix, Uri))
            return {};
        if (Uri == Scl_Namespace || Uri == fRoot_Namespace)
            return Local;
        return {};
    }

    // ---- what is kept

    void Open(std::string_view Tag_Name, bool Empty)
    {
        TFrame Frame{0, 0, nullptr, TPlace::Skipped, false, static_cast<std::uint32_t>(fBindings.size())};
        const char* const* Attributes = No_Attributes;
        if (fStack.empty())
            Open_Root(Tag_Name, Frame);
        else if (const TPlace Parent = fStack.back().Place; Parent != TPlace::Skipped && Parent != TPlace::Leaf) {
            Bind_Namespaces();
            const std::string_view Local = Scl_Local_Name(Tag_Name);
            if (!Local.empty())
                Attributes = Choose(Parent, Local, Frame);
        }
        if (!Empty) {
            // Before the copy overwrites the tag.
            Frame.Name_Offset = static_cast<std::uint32_t>(fNames.size());
            Frame.Name_Size = static_cast<std::uint32_t>(Tag_Name.size());
            fNames.append(Tag_Name);
        }
        if (Frame.Kept_Name)
            Write_Start(Frame.Kept_Name, Attributes, Empty);
        if (Empty)
            fBindings.resize(Frame.Bindings);
        else
            fStack.push_back(Frame);
    }

    void Open_Root(std::string_view Tag_Name, TFrame& Frame)
    {
        Bind_Namespaces();
        const std::size_t Colon = Tag_Name.find(':');
        const std::string_view Prefix =
            Colon == std::string_view::npos ? std::string_view() : Tag_Name.substr(0, Colon);
        const std::string_view Local = Colon == std::string_view::npos ? Tag_Name : Tag_Name.substr(Colon + 1);
        std::string_view Uri;
        const bool Bound = Namespace_Of(Prefix, Uri);
        // Without a prefix the document element is SCL whatever its default namespace; with one, the prefix must
        // be bound to the SCL namespace.
        if (Local != "SCL" || !Bound || (!Prefix.empty() && Uri != Scl_Namespace))
            return;
        fRoot_Namespace = Uri;
        Frame.Place = TPlace::Scl;
        if (fKeep)
            Frame.Kept_Name = "SCL";
    }

    /// The place of a child in the SCL namespace; sets the frame and returns the attributes to copy.
    const char* const* Choose(TPlace Parent, std::string_view Local, TFrame& Frame)
    {
        TFrame& Parent_Frame = fStack.back();
        if (Parent == TPlace::Scl) {
            if (Local == "IED")
                return Choose_IED(Frame);
            if (Local == "DataTypeTemplates" && !fTook_DTT) {
                fTook_DTT = true;
                if (fKeep) {
                    Frame.Place = TPlace::DTT;
                    Frame.Kept_Name = "DataTypeTemplates";
                }
            }
            return No_Attributes;
        }
        for (const TChild_Rule& Rule : Child_Rules) {
            if (Rule.Parent != Parent || Local != Rule.Name)
                continue;
            if (Rule.Place == TPlace::AccessPoint || Rule.Place == TPlace::Server) {
                if (Parent_Frame.Took_First)
                    return No_Attributes;
                Parent_Frame.Took_First = true;
            }
            Frame.Place = Rule.Place;
            Frame.Kept_Name = Rule.Name;
            return Rule.Attributes;
        }
        return No_Attributes;
    }

    const char* const* Choose_IED(TFrame& Frame)
    {
        std::string Name;
        for (const TAttribute& Attribute : fAttributes)
            if (Attribute.Name == "name")
                Name = Attribute_Value(Attribute.Value);
        bool Take = false;
        if (fIED_Names.empty()) {
            Take = true;
            fTook_Named = !fIED_Name.empty() && Name == fIED_Name;
        } else if (!fTook_Named && !fIED_Name.empty() && Name == fIED_Name) {
            Take = true;
            fTook_Named = true;
        }
        fIED_Names.push_back(std::move(Name));
        if (!Take || !fKeep)
            return No_Attributes;
        Frame.Place = TPlace::IED;
        Frame.Kept_Name = "IED";
        return Ied_Attributes;
    }

    // ---- the copy

    void Put(std::string_view Text)
    {
        std::memmove(fOut, Text.data(), Text.size());
        fOut += Text.size();
    }

    void Put(char C) { *fOut++ = C; }

    /// Writes <Name attributes...> or <Name attributes.../> over the buffer, right after the tag it is made of was
    /// read: the name is the tag's local name, each attribute is one that was read, with one blank before it, so
    /// the copy is never longer than the tag and never reaches past what has been read.
    void Write_Start(const char* Kept_Name, const char* const* Wanted, bool Empty)
    {
        Put('<');
        Put(std::string_view(Kept_Name));
        for (const TAttribute& Attribute : fAttributes) {
            bool Wanted_Here = false;
            for (const char* const* Name = Wanted; *Name; ++Name)
                if (Attribute.Name == *Name) {
                    Wanted_Here = true;
                    break;
                }
            if (!Wanted_Here)
                continue;
            Put(' ');
            Put(Attribute.Name);
            Put('=');
            Put(Attribute.Quote);
            Put(Attribute.Value);
            Put(Attribute.Quote);
        }
        if (Empty)
            Put('/');
        Put('>');
    }

    void Write_End(const char* Kept_Name)
    {
        Put('<');
        Put('/');
        Put(std::string_view(Kept_Name));
        Put('>');
    }

    char* fBegin;
    const char* fEnd;
    const char* fP;
    char* fOut;
    bool fKeep;
    std::string_view fIED_Name;
    TScan_Release* fRelease;

    bool fHas_Doctype = false;
    bool fTook_DTT = false;
    bool fTook_Named = false;
    std::string fRoot_Namespace;
    std::string fNames;
    std::vector<TFrame> fStack;
    std::vector<TAttribute> fAttributes;
    std::unordered_set<std::string_view> fSeen;
    std::vector<TBinding> fBindings;
    std::vector<std::string> fIED_Names;
};

void Append_Utf8(std::string& Out, std::uint32_t Code)
{
    if (Code < 0x80) {
        Out += static_cast<char>(Code);
    } else if (Code < 0x800) {
        Out += static_cast<char>(0xC0 | (Code >> 6));
        Out += static_cast<char>(0x80 | (Code & 0x3F));
    } else if (Code < 0x10000) {
        Out += static_cast<char>(0xE0 | (Code >> 12));
        Out += static_cast<char>(0x80 | ((Code >> 6) & 0x3F));
        Out += static_cast<char>(0x80 | (Code & 0x3F));
    } else {
        Out += static_cast<char>(0xF0 | (Code >> 18));
        Out += static_cast<char>(0x80 | ((Code >> 12) & 0x3F));
        Out += static_cast<char>(0x80 | ((Code >> 6) & 0x3F));
        Out += static_cast<char>(0x80 | (Code & 0x3F));
    }
}

} // namespace

TScl_Scan_Result Scan_Scl(char* Buffer, std::size_t Size, bool Keep, std::string_view IED_Name, TScan_Release* Release)
{
    return TScanner(Buffer, Size, Keep, IED_Name, Release).Run();
}

std::string Attribute_Value(std::string_view Raw)
{
    std::string Value;
    Value.reserve(Raw.size());
    for (std::size_t I = 0; I < Raw.size(); ++I) {
        const char C = Raw[I];
        if (C == '\r' && I + 1 < Raw.size() && Raw[I + 1] == '\n') {
            Value += ' ';
            ++I;
        } else if (C == '\t' || C == '\r' || C == '\n') {
            Value += ' ';
        } else if (C == '&') {
            const std::size_t Semicolon = Raw.find(';', I);
            if (Semicolon == std::string_view::npos) {
                Value += C;
                continue;
            }
            const std::string_view Entity = Raw.substr(I + 1, Semicolon - I - 1);
            if (Entity == "lt")
                Value += '<';
            else if (Entity == "gt")
                Value += '>';
            else if (Entity == "amp")
                Value += '&';
            else if (Entity == "apos")
                Value += '\'';
            else if (Entity == "quot")
                Value += '"';
            else if (Entity.size() > 1 && Entity[0] == '#') {
                const bool Hex = Entity[1] == 'x';
                std::uint32_t Code = 0;
                for (const char D : Entity.substr(Hex ? 2 : 1))
                    Code = Code * (Hex ? 16u : 10u) +
                           static_cast<std::uint32_t>(D <= '9' ? D - '0' : (D | 0x20) - 'a' + 10);
                Append_Utf8(Value, Code);
            } else {
                Value.append(Raw.substr(I, Semicolon - I + 1));
            }
            I = Semicolon;
        } else {
            Value += C;
        }
    }
    return Value;
}

} // namespace iec61850
