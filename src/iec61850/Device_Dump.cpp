#include "iec61850/Device_Dump.h"

#include <sstream>

namespace iec61850 {

namespace {

class TDumper
{
public:
    explicit TDumper(std::ostream& Out) : fOut(Out) {}

    void Device(const TIEC_Device& Device)
    {
        Line(0, "DEV ", {Device.Name(), Device.FileName()});
        for (const auto& LDevice : Device.List_LDevice) {
            Line(1, "LD ", {LDevice->Name()});
            for (const auto& LN : LDevice->List_LN)
                Node(*LN);
        }
    }

private:
    void Node(const TIEC_LN& LN)
    {
        Line(2, "LN ", {LN.Prefix(), LN.lnClass(), LN.Inst(), LN.lnType()});
        for (const auto& DO : LN.List_DO)
            Data_Object(*DO, 3);
        for (const auto& DataSet : LN.List_DataSet) {
            Line(3, "DS ", {DataSet->Reference(), DataSet->GooseName()});
            for (const TIEC_DA* Member : DataSet->List_DA)
                Line(4, "M ", {Member->Reference(), Member->FC(), Member->bType()});
        }
    }

    void Data_Object(const TIEC_DO& DO, int Level)
    {
        Line(Level, "DO ", {DO.Name()});
        for (const auto& SDO : DO.List_DO)
            Data_Object(*SDO, Level + 1);
        for (const auto& DA : DO.List_DA)
            Attribute(*DA, Level + 1);
    }

    void Attribute(const TIEC_DA& DA, int Level)
    {
        Line(Level, "DA ", {DA.Reference(), DA.FC(), DA.bType()});
        for (const auto& BDA : DA.List_DA)
            Attribute(*BDA, Level + 1);
    }

    void Line(int Level, const char* Kind, std::initializer_list<std::string_view> Fields)
    {
        fOut << std::string(static_cast<std::size_t>(2 * Level), ' ') << Kind;
        bool First = true;
        for (const std::string_view Field : Fields) {
            if (!First)
                fOut << '|';
            First = false;
            fOut << Escape_Dump_Text(Field);
        }
        fOut << '\n';
    }

    std::ostream& fOut;
};

} // namespace

std::string Escape_Dump_Text(std::string_view Text)
{
    std::string Escaped;
    Escaped.reserve(Text.size());
    for (const char Char : Text) {
        switch (Char) {
        case '\\':
            Escaped += "\\\\";
            break;
        case '\t':
            Escaped += "\\t";
            break;
        case '\r':
            Escaped += "\\r";
            break;
        case '\n':
            Escaped += "\\n";
            break;
        default:
            Escaped += Char;
        }
    }
    return Escaped;
}

void Dump_Device(const TIEC_Device& Device, std::ostream& Out)
{
    TDumper(Out).Device(Device);
}

std::string Dump_Device(const TIEC_Device& Device)
{
    std::ostringstream Out;
    Dump_Device(Device, Out);
    return std::move(Out).str();
}

} // namespace iec61850
