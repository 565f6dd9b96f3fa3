// The real ICMP echo facility over a Linux socket.
#pragma once

#include "update/Send_Ping.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <string_view>

namespace update {

/// Reads a numeric IPv4 address: four parts of 1 to 3 decimal digits, each 0..255, separated by "."; nothing
/// else is accepted (no blanks, no host names, no shorthand, hexadecimal or octal forms). A leading zero is read
/// as decimal ("192.168.002.205" is 192.168.2.205). No name service is ever asked.
std::optional<std::array<std::uint8_t, 4>> Parse_IPv4(std::string_view Text);

/// Echo requests through an ICMP datagram socket where the system allows it for this user (the group range of
/// net.ipv4.ping_group_range), else through a raw socket (CAP_NET_RAW). The socket is opened at the first request
/// and kept. Each request waits up to Timeout for the reply that matches it (echo reply from the target, same
/// identifier, sequence number and data); other packets are skipped.
class TIcmp_Echo final : public TEcho
{
public:
    enum class TSocket_Kind { None, Datagram, Raw };

    explicit TIcmp_Echo(std::chrono::milliseconds Timeout = Ping_Attempt_Time, std::size_t Packet_Size = 1024);
    ~TIcmp_Echo() override;
    TIcmp_Echo(const TIcmp_Echo&) = delete;
    TIcmp_Echo& operator=(const TIcmp_Echo&) = delete;

    void Set_Host(const std::string& Host) override;
    /// Throws TEcho_Error: Cannot_Resolve for a host that is not a numeric IPv4 address (nothing is sent),
    /// Not_Permitted when neither socket may be opened, Failed when sending or receiving fails.
    void Ping(const std::string& Data, const TReply& Reply) override;

    /// Opens the socket now (Ping does it by itself); throws TEcho_Error as Ping does.
    void Open();
    TSocket_Kind Socket_Kind() const { return fKind; }

private:
    std::chrono::milliseconds fTimeout;
    std::size_t fPacket_Size;
    std::string fHost;
    int fSocket = -1;
    TSocket_Kind fKind = TSocket_Kind::None;
    std::uint16_t fIdentifier = 0;
    std::uint16_t fSequence = 0;
};

} // namespace update
