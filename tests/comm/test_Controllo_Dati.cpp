// The check before saving: which catalogue entry the first failing value gives.
#include "comm/Controllo_Dati.h"

#include <gtest/gtest.h>

#include <functional>

using namespace comm;

namespace {

struct TCheck_Case
{
    const char* Name;
    std::function<void(TParGen&)> Edit; // applied to the defaults
    std::optional<int> Want;            // the failing entry, or nothing when the values pass
};

class Controllo_Dati_Order : public ::testing::TestWithParam<TCheck_Case>
{};

} // namespace

TEST_P(Controllo_Dati_Order, ReportsTheFirstFailure)
{
    TParGen Values;
    GetParam().Edit(Values);
    EXPECT_EQ(Controllo_Dati(Values), GetParam().Want);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, Controllo_Dati_Order, ::testing::Values(
    TCheck_Case{"Defaults", [](TParGen&) {}, std::nullopt},
    TCheck_Case{"Ip1Empty", [](TParGen& V) { V.IEC61850_Client_IP[0] = ""; }, 649},
    TCheck_Case{"Ip2Over255BeforeIp4", [](TParGen& V) { V.IEC61850_Client_IP[1] = "256"; V.IEC61850_Client_IP[3] = "x"; }, 650},
    TCheck_Case{"Ip3Negative", [](TParGen& V) { V.IEC61850_Client_IP[2] = "-1"; }, 651},
    TCheck_Case{"Ip4TrailingBlank", [](TParGen& V) { V.IEC61850_Client_IP[3] = "5 "; }, 652},
    TCheck_Case{"IpBeforeMask", [](TParGen& V) { V.IEC61850_Client_SM[0] = "300"; V.IEC61850_Client_IP[3] = "300"; }, 652},
    TCheck_Case{"Mask1", [](TParGen& V) { V.IEC61850_Client_SM[0] = "256"; }, 653},
    TCheck_Case{"Mask4Letters", [](TParGen& V) { V.IEC61850_Client_SM[3] = "abc"; }, 656},
    TCheck_Case{"LenientForms", [](TParGen& V) { V.IEC61850_Client_IP = {" 5", "$FF", "0x10", "+7"}; V.IEC61850_Client_SM[3] = "X0"; }, std::nullopt},
    TCheck_Case{"GatewayOffIsNotChecked", [](TParGen& V) { V.IEC61850_Client_GAT = {"999", "", "x", "-4"}; }, std::nullopt},
    TCheck_Case{"GatewayOnGat1", [](TParGen& V) { V.IEC61850_Client_En_GAT = true; V.IEC61850_Client_GAT[0] = "999"; }, 657},
    TCheck_Case{"GatewayOnGat3Empty", [](TParGen& V) { V.IEC61850_Client_En_GAT = true; V.IEC61850_Client_GAT[2] = ""; }, 659},
    TCheck_Case{"GatewayOnGat4", [](TParGen& V) { V.IEC61850_Client_En_GAT = true; V.IEC61850_Client_GAT[3] = "$100"; }, 660},
    TCheck_Case{"MaskBeforeGateway", [](TParGen& V) { V.IEC61850_Client_En_GAT = true; V.IEC61850_Client_GAT[0] = ""; V.IEC61850_Client_SM[1] = ""; }, 654},
    TCheck_Case{"TwoStopBitsNoParity", [](TParGen& V) { V.MODBUS_SLAVE_STOPBITS = 1; }, std::nullopt},
    TCheck_Case{"TwoStopBitsOdd", [](TParGen& V) { V.MODBUS_SLAVE_STOPBITS = 1; V.MODBUS_SLAVE_PARITY = 1; }, 661},
    TCheck_Case{"TwoStopBitsEven", [](TParGen& V) { V.MODBUS_SLAVE_STOPBITS = 1; V.MODBUS_SLAVE_PARITY = 2; }, 661},
    TCheck_Case{"OneStopBitEven", [](TParGen& V) { V.MODBUS_SLAVE_PARITY = 2; }, std::nullopt},
    TCheck_Case{"GatewayBeforeStopBits", [](TParGen& V) { V.IEC61850_Client_En_GAT = true; V.IEC61850_Client_GAT[3] = ""; V.MODBUS_SLAVE_STOPBITS = 1; V.MODBUS_SLAVE_PARITY = 1; }, 660},
    TCheck_Case{"StopBitsBeforeIdDevice", [](TParGen& V) { V.MODBUS_SLAVE_STOPBITS = 1; V.MODBUS_SLAVE_PARITY = 2; V.MODBUS_SLAVE_IDDEVICE = "0"; }, 661},
    TCheck_Case{"IdDevice0", [](TParGen& V) { V.MODBUS_SLAVE_IDDEVICE = "0"; }, 662},
    TCheck_Case{"IdDevice248", [](TParGen& V) { V.MODBUS_SLAVE_IDDEVICE = "248"; }, 662},
    TCheck_Case{"IdDeviceLetters", [](TParGen& V) { V.MODBUS_SLAVE_IDDEVICE = "ten"; }, 662},
    TCheck_Case{"IdDeviceEmpty", [](TParGen& V) { V.MODBUS_SLAVE_IDDEVICE = ""; }, 662},
    TCheck_Case{"IdDevice1", [](TParGen& V) { V.MODBUS_SLAVE_IDDEVICE = "1"; }, std::nullopt},
    TCheck_Case{"IdDevice247Hex", [](TParGen& V) { V.MODBUS_SLAVE_IDDEVICE = " $F7"; }, std::nullopt},
    TCheck_Case{"IdDevice248Hex", [](TParGen& V) { V.MODBUS_SLAVE_IDDEVICE = "0xF8"; }, 662},
    TCheck_Case{"VlanAndAppIdAreNeverChecked", [](TParGen& V) { V.IEC61850_Client_VLAN = ""; V.IEC61850_Client_Application_ID = "any text"; }, std::nullopt}),
    [](const ::testing::TestParamInfo<TCheck_Case>& Info) { return std::string(Info.param.Name); });
// clang-format on
