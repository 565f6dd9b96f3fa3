// The check the communication parameters window makes before it saves.
#pragma once

#include "comm/ParGen.h"

#include <optional>

namespace comm {

/// Checks the values in this order and stops at the first failure, answering its catalogue entry:
///   the four IP address bytes (649..652), the four subnet mask bytes (653..656), the four gateway bytes only when
///   the gateway is enabled (657..660), each an integer 0..255; two stop bits together with a parity (661); the
///   Modbus slave address, an integer 1..247 (662). Integers follow common::Text_To_Int.
/// Answers nothing when every check passes. VLAN and Application ID are never checked.
std::optional<int> Controllo_Dati(const TParGen& Values);

} // namespace comm
