// The built-in English texts of the catalogue. Only entries that a window of this system shows carry a text; every
// other number keeps its place with a single blank, so language files written for the whole product line stay valid.
#include "text/Catalogue.h"

namespace text {

namespace {

struct TDefault_Text
{
    int Number;
    const char* Text;
};

// Texts that end or begin with a blank are joined with a value when shown (entry 11 + the configuration name,
// entry 305 + page + entry 306 + page count, entry 1252 + row number + a row message): keep those blanks.
// clang-format off
constexpr TDefault_Text Default_Texts[] = {
    // Main window (0-99): step labels, configuration lines, button captions and hints, messages.
    {0, "Begin"},
    {1, "Step 1"},
    {2, "Step 2"},
    {3, "Step 3"},
    {4, "Step 4"},
    {9, "None Configuration Opened "},
    {10, "Use Step1 to open or create new configuration"},
    {11, "Opened Configuration of the Converter : "},
    {12, "Information"},
    {13, "Options"},
    {14, "Close Configurator"},
    {15, "New Configuration"},
    {16, "Open Configuration"},
    {17, "Update Device UDP"},
    {18, "Error! Project not Valid"},
    {19, "New Version Available. Click Here for more Details"},
    {20, "Set Communication"},
    {21, "IEC61850 Access"},
    {22, "Create a new configuration for the device"},
    {23, "Open an exists configuration"},
    {24, "Set the main parameters of Protocols"},
    {25, "Set the Roles for IEC 61850 Client"},
    {26, "Update the actual Firmware and/or Configuration in the device"},
    // New-configuration window (100-199).
    {100, "Create New Configuration"},
    {101, "Create New Configuration"},
    {102, "Name of the new Configuration"},
    {103, "OK"},
    {104, "Cancel"},
    {105, "Error! Name project is not valid"},
    {106, "Error! Name project is not valid because directory already exists"},
    {107, "Error! Name Project is not valid"},
    {108, "Insert here the name of new configuration"},
    {109, "Confirm the Name of new Configuration"},
    {110, "Cancel the New Configuration"},
    // Open-configuration window (200-299).
    {200, "Open Configuration"},
    {201, "Open an Existing Configuration"},
    {202, "List of Avaliable Configurations"},
    {203, "OK"},
    {204, "Cancel"},
    {205, "Select from this list the configuration to open"},
    {206, "Open the Selected Configuration"},
    {207, "Cancel open of Configuration"},
    // Software options window (300-399).
    {300, "Software Options"},
    {301, "Software Options"},
    {302, "Language"},
    {303, "Connection Options"},
    {304, "Selected Language : "},
    {305, "Page "},
    {306, " / "},
    {307, "Previous"},
    {308, "Next"},
    {309, "Enable Internet Connection"},
    {310, "Check Software Update at Start of Program"},
    {311, "Check Available Update"},
    {312, "OK"},
    {313, "Cancel"},
    {314, "New Version Available. Click Here for more Details"},
    {315, "No Update Available"},
    {316, "Do you want to change the Language from "},
    {317, " to "},
    {318, "?"},
    {319, "Software Settings"},
    {320, "Jump into next field in the tables by pressing the Enter Key"},
    {321, "Enable Auto Size of Table Columns by Double Click"},
    // Communication parameters window (400-999), with its validation messages.
    {400, "Set Communication"},
    {401, "Set Communication Setting"},
    {402, "OK"},
    {403, "Cancel"},
    {404, "Confirm and Save the current configuration"},
    {405, "Exit and Discard the current configuration"},
    {406, "IEC61850 Client"},
    {407, "IP Address"},
    {408, "Insert First byte of IP Address"},
    {409, "Insert Second byte of IP Address"},
    {410, "Insert Third byte of IP Address"},
    {411, "Insert Fourth byte of IP Address"},
    {412, "SubNet Mask"},
    {413, "Insert First byte of SubNet Mask"},
    {414, "Insert Second byte of SubNet Mask"},
    {415, "Insert Third byte of SubNet Mask"},
    {416, "Insert Fourth byte of SubNet Mask"},
    {417, "Gateway"},
    {418, "Enable/disable the Default Gateway"},
    {419, "Insert First byte of Default Gateway"},
    {420, "Insert Second byte of Default Gateway"},
    {421, "Insert Third byte of Default Gateway"},
    {422, "Insert Fourth byte of Default Gateway"},
    {423, "VLAN"},
    {424, "Insert the VLAN index"},
    {425, "Application ID"},
    {426, "Insert the Application ID of IEC61850 Client"},
    {427, "Modbus Slave"},
    {428, "Serial"},
    {429, "Select the Serial to use with Modbus Protocol (RS232 or RS485)"},
    {430, "Baudrate"},
    {431, "Select Baudrate to use in serial"},
    {432, "Parity"},
    {433, "Select Parity to use in serial"},
    {434, "Stop Bits"},
    {435, "Select Stop Bits to use in serial, the two stop bits can used only with None Parity"},
    {436, "ID Device"},
    {437, "Insert the ID Device of Modbus Slave, between 1 and 247"},
    {438, "Read with Input Register / Status Function"},
    {439, "Enable/disable the Input Register / Status for Read Data, the Holding Register and Coil Status for Write Data"},
    {649, "Error IEC61850 Client!! IP Address 1 must be between 0 and 255"},
    {650, "Error IEC61850 Client!! IP Address 2 must be between 0 and 255"},
    {651, "Error IEC61850 Client!! IP Address 3 must be between 0 and 255"},
    {652, "Error IEC61850 Client!! IP Address 4 must be between 0 and 255"},
    {653, "Error IEC61850 Client!! SubNet Mask 1 must be between 0 and 255"},
    {654, "Error IEC61850 Client!! SubNet Mask 2 must be between 0 and 255"},
    {655, "Error IEC61850 Client!! SubNet Mask 3 must be between 0 and 255"},
    {656, "Error IEC61850 Client!! SubNet Mask 4 must be between 0 and 255"},
    {657, "Error IEC61850 Client!! GATEWAY IP 1 must be between 0 and 255"},
    {658, "Error IEC61850 Client!! GATEWAY IP 2 must be between 0 and 255"},
    {659, "Error IEC61850 Client!! GATEWAY IP 3 must be between 0 and 255"},
    {660, "Error IEC61850 Client!! GATEWAY IP 4 must be between 0 and 255"},
    {661, "Error Modbus Slave!! Two Stop Bits can be selected only with None Parity"},
    {662, "Error Modbus Slave!! ID Device must be between 1 and 247"},
    // Update window (1000-1099).
    {1002, "Update Device by Ethernet (UDP)"},
    {1003, "Update Device Using the Ethernet Port"},
    {1006, "Insert the IP Address of Device"},
    {1014, "Select Update Options"},
    {1015, "Firmware + Configuration"},
    {1016, "Firmware"},
    {1017, "Configuration"},
    {1018, "Read Back"},
    {1019, "Cancel"},
    {1020, "Execute Update Firmware"},
    {1021, "Insert first byte of IP Address"},
    {1022, "Insert second byte of IP Address"},
    {1023, "Insert third byte of IP Address"},
    {1024, "Insert fourth byte of IP Address"},
    {1032, "Select the operation to do in update"},
    {1033, "Enable or disable the possibility to read back the Firmware/Configuration"},
    {1034, "Exit without to do the Update"},
    {1035, "Start the update of Device"},
    {1036, "Device Not Found!"},
    {1037, "Error!!! Check the Ip Address"},
    {1038, "Update tool not found: "},
    {1039, "ICMP echo requests are not permitted for this user: the device cannot be checked"},
    // Access editor window (1200-1299): captions, table headers, header hints, row messages.
    {1200, "IEC61850 Client Set Access"},
    {1201, "IEC61850 Client Set Access"},
    {1202, "OK"},
    {1203, "Cancel"},
    {1204, "Add Var"},
    {1205, "Remove Var"},
    {1208, "Add IEC Device"},
    {1209, "Remove IEC Device"},
    {1210, "Confirm and save the KNX Set Access List"},
    {1211, "Exit without save the KNX Set Access List"},
    {1212, "Add the Selected DA from Tree"},
    {1213, "Remove the Selected DA from Table"},
    {1216, "Add a ICD file to the List"},
    {1217, "Remove the Selected ICD file to the List"},
    {1218, "N"},
    {1219, "Index"},
    {1220, "bType"},
    {1221, "fc"},
    {1222, "Reference"},
    {1223, "IP Address"},
    {1224, "Port"},
    {1225, "On Change"},
    {1226, "On CMD"},
    {1227, "On Timer"},
    {1228, "Time (ms)"},
    {1229, "Position"},
    {1230, "Start Bit"},
    {1231, "R/W"},
    {1232, "Convertion"},
    {1233, "Molt Fact"},
    {1234, "Mnemonic"},
    {1235, "N"},
    {1236, "Index"},
    {1237, "bType of DA"},
    {1238, "fc of DA"},
    {1239, "Reference of DA"},
    {1240, "Insert the IP Address of IEC61850 Server"},
    {1241, "Insert the Communication Port of IEC61850 Server"},
    {1242, "Enable or Disable the Possibility to Send the IEC61850 Request when Data Change"},
    {1243, "Enable or Disable the Possibility to Send the IEC61850 Request On Command"},
    {1244, "Enable or Disable the Possibility to Send the IEC61850 Request On Timer"},
    {1245, "Insert the Time in milliseconds between the sending of IEC61850 Requests, only if checked the OnTimer Option"},
    {1246, "Insert the Index of Internal Data Array"},
    {1247, "Select the index of bit to start in the Internal Data Array"},
    {1248, "Select if IEC61850 Request is in Read or Write"},
    {1249, "Select the Convertion of Data"},
    {1250, "Insert the Multiplication Factor for Data"},
    {1251, "Description of the IEC61850 Request"},
    {1252, "Error row "},
    {1253, "!! IP Address must be a valid TCP IP Address (Ex. 192.168.1.125)"},
    {1254, "!! Port must be between 0 and 65535"},
    {1255, "!! Time must be between 1 and 100000000 ms"},
    {1256, "!! Position must be between 0 and "},
    {1257, "!! Mult. Factor must be a valid Float"},
    {1258, "Start Byte"},
    {1259, "Num Byte"},
    {1260, "Insert the Start Byte, only for VisString255 (0-254) or Octet64 (0-63)"},
    {1261, "Insert the Number of Bytes, only for VisString255 (1-255) or Octet64 (1-64)"},
    {1262, "!! Start Byte must be between 0 and 254"},
    {1263, "!! Num Byte must be between 1 and 255"},
    {1264, "!! Start Byte plus Num Byte must be minor of 255"},
    {1265, "!! Start Byte must be between 0 and 63"},
    {1266, "!! Num Byte must be between 1 and 64"},
    {1267, "!! Start Byte plus Num Byte must be minor of 64"},
};
// clang-format on

// Each number once, rising, inside the catalogue.
constexpr bool Numbers_Rise_Inside_Catalogue()
{
    int Previous = -1;
    for (const TDefault_Text& Default : Default_Texts) {
        if (Default.Number <= Previous || Default.Number >= Catalogue_Size)
            return false;
        Previous = Default.Number;
    }
    return true;
}
static_assert(Numbers_Rise_Inside_Catalogue());

std::vector<std::string> Build_Default_Strings()
{
    std::vector<std::string> Strings(Catalogue_Size, " ");
    for (const TDefault_Text& Default : Default_Texts)
        Strings[static_cast<std::size_t>(Default.Number)] = Default.Text;
    return Strings;
}

} // namespace

const std::vector<std::string>& Default_Strings()
{
    static const std::vector<std::string> Strings = Build_Default_Strings();
    return Strings;
}

void Load_Default_Strings(TCatalogue& Catalogue)
{
    Catalogue.Lang_Strings = Default_Strings();
    Catalogue.Lang_Count = Catalogue_Size;
}

const TCatalogue& Default_Catalogue()
{
    static const TCatalogue Defaults = [] {
        TCatalogue Catalogue;
        Load_Default_Strings(Catalogue);
        return Catalogue;
    }();
    return Defaults;
}

} // namespace text
