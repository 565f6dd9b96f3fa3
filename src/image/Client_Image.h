// The IEC 61850 client image bank2.bin: the selected variables and data sets, compiled from IEC_61850_Client.xml.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace image {

/// The device address at which bank2.bin is loaded; every address inside the image counts from it.
inline constexpr std::int32_t Client_Image_Base = 0x80000;
/// The size of the buffer the client image is built in; a larger image is refused.
inline constexpr std::size_t Bank2_Buffer_Size = 0x80000;

inline constexpr std::size_t Header_Size = 24;
inline constexpr std::size_t Variable_Record_Size = 32;
inline constexpr std::size_t DataSet_Record_Size = 28;
inline constexpr std::size_t Member_Record_Size = 16;

/// One selected data attribute.
struct TIEC61850_Variable
{
    std::uint8_t fc[2] = {0, 0};
    std::uint8_t rw = 0;
    std::uint8_t bit_address = 0;
    std::uint8_t options = 0; ///< bit 0 on change, bit 1 on command, bit 2 on timer
    std::uint8_t conversion = 0;
    std::uint8_t startbyte = 0;
    std::uint8_t numbyte = 0;
    std::uint16_t position = 0;
    std::uint16_t tcpPort = 0;
    std::uint32_t time = 0;
    float moltFactor = 1.0f;
    std::string bType;
    std::int32_t bType_Add = 0;
    std::string hostname;
    std::int32_t hostname_Add = 0;
    std::string reference;
    std::int32_t reference_Add = 0;
};

/// One member of a selected data set.
struct TIEC61850_Variable_DS
{
    std::uint16_t position = 0;
    std::uint8_t bitAddress = 0;
    std::uint8_t conversion = 0;
    float moltFactor = 1.0f;
    std::string bType;
    std::int32_t bType_Add = 0;
    std::string reference;
    std::int32_t reference_Add = 0;
};

/// One selected data set (the compiler's record; the access editor's TDataSet is another type).
struct TDataSet
{
    std::uint8_t nVariable = 0;
    std::uint8_t options = 4; ///< always the on-timer bit
    std::uint16_t tcpPort = 0;
    std::uint8_t enGoose = 0;
    std::uint32_t time = 0;
    std::string goose_name;
    std::int32_t goose_name_Add = 0;
    std::string reference;
    std::int32_t reference_Add = 0;
    std::string hostname;
    std::int32_t hostname_Add = 0;
    std::vector<TIEC61850_Variable_DS> VariableList;
    std::int32_t VariableList_Add = 0;
};

struct TIEC61850_Client
{
    std::int32_t nVariable = 0;
    std::int32_t nDataSet = 0;
    std::int32_t vLan = 0;
    std::int32_t appID = 0;
    std::vector<TIEC61850_Variable> VariableList;
    std::int32_t Variable_Add = 0;
    std::vector<TDataSet> DataSetList;
    std::int32_t DataSet_Add = 0;
};

/// Empties the record, vLan and appID included.
void Reset_Client_Record(TIEC61850_Client& IEC_Client);

/// Reads IEC_61850_Client.xml into the record when the file exists, then assigns every address for Base.
/// MoltFact texts are read with Decimal_Separator (either mark is taken as the decimal mark, as the editor does).
/// Throws common::TFile_Error when the file is not well-formed XML or lacks a required element or attribute, and
/// when the image would not fit its buffer or a data set has more than 255 members.
void Read_Client_File(TIEC61850_Client& IEC_Client, const std::filesystem::path& File, std::int32_t Base,
                      char Decimal_Separator);

/// Assigns every address field for Base, walking the image in the order it is written; returns the image length.
std::size_t Assign_Addresses(TIEC61850_Client& IEC_Client, std::int32_t Base);

/// Writes the image into Buffer from Start on (the buffer grows as needed); returns the position after it.
std::size_t Write_Client_Image(const TIEC61850_Client& IEC_Client, std::size_t Start,
                               std::vector<std::uint8_t>& Buffer);

} // namespace image
