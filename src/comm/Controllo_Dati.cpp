#include "comm/Controllo_Dati.h"

#include "common/Int_Conversion.h"

namespace comm {

namespace {

bool In_Range(const std::string& Text, int Low, int High)
{
    const std::optional<std::int32_t> Value = common::Text_To_Int(Text);
    return Value && *Value >= Low && *Value <= High;
}

// The first of four address bytes that is not 0..255, as First_Entry + its position.
std::optional<int> Check_Octets(const std::array<std::string, 4>& Octets, int First_Entry)
{
    for (std::size_t I = 0; I < Octets.size(); ++I)
        if (!In_Range(Octets[I], 0, 255))
            return First_Entry + static_cast<int>(I);
    return std::nullopt;
}

} // namespace

std::optional<int> Controllo_Dati(const TParGen& Values)
{
    if (auto Failure = Check_Octets(Values.IEC61850_Client_IP, 649)) // "... IP Address 1 must be between 0 and 255"
        return Failure;
    if (auto Failure = Check_Octets(Values.IEC61850_Client_SM, 653)) // "... SubNet Mask 1 must be between 0 and 255"
        return Failure;
    if (Values.IEC61850_Client_En_GAT)
        if (auto Failure = Check_Octets(Values.IEC61850_Client_GAT, 657)) // "... GATEWAY IP 1 must be between ..."
            return Failure;
    if (Values.MODBUS_SLAVE_STOPBITS > 0 && Values.MODBUS_SLAVE_PARITY > 0)
        return 661; // "Error Modbus Slave!! Two Stop Bits can be selected only with None Parity"
    if (!In_Range(Values.MODBUS_SLAVE_IDDEVICE, 1, 247))
        return 662; // "Error Modbus Slave!! ID Device must be between 1 and 247"
    return std::nullopt;
}

} // namespace comm
