#include "update/Icmp_Echo.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <poll.h>
#include <random>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace update {

std::optional<std::array<std::uint8_t, 4>> Parse_IPv4(std::string_view Text)
{
    std::array<std::uint8_t, 4> Bytes{};
    std::size_t I = 0;
    for (std::size_t Part = 0; Part < 4; ++Part) {
        if (Part > 0) {
            if (I >= Text.size() || Text[I] != '.')
                return std::nullopt;
            ++I;
        }
        unsigned Value = 0;
        std::size_t Digits = 0;
        while (I < Text.size() && Text[I] >= '0' && Text[I] <= '9' && Digits < 4) {
            Value = Value * 10 + static_cast<unsigned>(Text[I] - '0');
            ++I;
            ++Digits;
        }
        if (Digits == 0 || Digits > 3 || Value > 255)
            return std::nullopt;
        Bytes[Part] = static_cast<std::uint8_t>(Value);
    }
    if (I != Text.size())
        return std::nullopt;
    return Bytes;
}

namespace {

constexpr std::uint8_t Icmp_Echo_Request = 8;
constexpr std::uint8_t Icmp_Echo_Reply = 0;
constexpr std::size_t Icmp_Header_Size = 8;

std::uint16_t Internet_Checksum(const std::vector<std::uint8_t>& Bytes)
{
    std::uint32_t Sum = 0;
    for (std::size_t I = 0; I + 1 < Bytes.size(); I += 2)
        Sum += static_cast<std::uint32_t>(Bytes[I] << 8 | Bytes[I + 1]);
    if (Bytes.size() % 2 != 0)
        Sum += static_cast<std::uint32_t>(Bytes.back() << 8);
    while (Sum >> 16)
        Sum = (Sum & 0xFFFF) + (Sum >> 16);
    return static_cast<std::uint16_t>(~Sum & 0xFFFF);
}

std::uint16_t Read_Be16(const std::uint8_t* P)
{
    return static_cast<std::uint16_t>(P[0] << 8 | P[1]);
}

std::string Errno_Text(int Error)
{
    return std::strerror(Error);
}

} // namespace

TIcmp_Echo::TIcmp_Echo(std::chrono::milliseconds Timeout, std::size_t Packet_Size)
    : fTimeout(Timeout), fPacket_Size(Packet_Size < Icmp_Header_Size + 1 ? Icmp_Header_Size + 1 : Packet_Size)
{
    fIdentifier = static_cast<std::uint16_t>(std::random_device{}());
}

TIcmp_Echo::~TIcmp_Echo()
{
    if (fSocket >= 0)
        ::close(fSocket);
}

void TIcmp_Echo::Set_Host(const std::string& Host)
{
    fHost = Host;
}

void TIcmp_Echo::Open()
{
    if (fSocket >= 0)
        return;
    int Socket = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_ICMP);
    if (Socket >= 0) {
        fSocket = Socket;
        fKind = TSocket_Kind::Datagram;
        return;
    }
    const int Datagram_Error = errno;
    Socket = ::socket(AF_INET, SOCK_RAW | SOCK_CLOEXEC, IPPROTO_ICMP);
    if (Socket >= 0) {
        fSocket = Socket;
        fKind = TSocket_Kind::Raw;
        return;
    }
    const int Raw_Error = errno;
    if (Raw_Error == EPERM || Raw_Error == EACCES)
        throw TEcho_Error(TEcho_Error::TKind::Not_Permitted,
                          "ICMP echo requests are not permitted for this user (datagram socket: " +
                              Errno_Text(Datagram_Error) + "; raw socket: " + Errno_Text(Raw_Error) + ")");
    throw TEcho_Error(TEcho_Error::TKind::Failed, "no ICMP socket can be opened: " + Errno_Text(Raw_Error));
}

void TIcmp_Echo::Ping(const std::string& Data, const TReply& Reply)
{
    const std::optional<std::array<std::uint8_t, 4>> Target = Parse_IPv4(fHost);
    if (!Target)
        throw TEcho_Error(TEcho_Error::TKind::Cannot_Resolve, "\"" + fHost + "\" cannot be resolved");
    Open();

    sockaddr_in To{};
    To.sin_family = AF_INET;
    std::memcpy(&To.sin_addr, Target->data(), 4);

    const std::size_t Data_Size = std::min(Data.size(), fPacket_Size - Icmp_Header_Size);
    std::vector<std::uint8_t> Packet(Icmp_Header_Size + Data_Size, 0);
    ++fSequence;
    Packet[0] = Icmp_Echo_Request;
    Packet[4] = static_cast<std::uint8_t>(fIdentifier >> 8);
    Packet[5] = static_cast<std::uint8_t>(fIdentifier & 0xFF);
    Packet[6] = static_cast<std::uint8_t>(fSequence >> 8);
    Packet[7] = static_cast<std::uint8_t>(fSequence & 0xFF);
    std::memcpy(Packet.data() + Icmp_Header_Size, Data.data(), Data_Size);
    const std::uint16_t Checksum = Internet_Checksum(Packet);
    Packet[2] = static_cast<std::uint8_t>(Checksum >> 8);
    Packet[3] = static_cast<std::uint8_t>(Checksum & 0xFF);

    for (;;) {
        const ssize_t Sent =
            ::sendto(fSocket, Packet.data(), Packet.size(), 0, reinterpret_cast<sockaddr*>(&To), sizeof To);
        if (Sent >= 0)
            break;
        if (errno != EINTR)
            throw TEcho_Error(TEcho_Error::TKind::Failed, "echo request to " + fHost + " failed: " + Errno_Text(errno));
    }
    // A datagram socket chooses the identifier itself (its local port) and filters the replies by it.
    std::uint16_t Identifier = fIdentifier;
    if (fKind == TSocket_Kind::Datagram) {
        sockaddr_in Local{};
        socklen_t Length = sizeof Local;
        if (::getsockname(fSocket, reinterpret_cast<sockaddr*>(&Local), &Length) == 0)
            Identifier = ntohs(Local.sin_port);
    }

    std::vector<std::uint8_t> Buffer(fPacket_Size + 60);
    const auto Deadline = std::chrono::steady_clock::now() + fTimeout;
    for (;;) {
        const auto Left =
            std::chrono::duration_cast<std::chrono::milliseconds>(Deadline - std::chrono::steady_clock::now());
        if (Left.count() <= 0) {
            Reply(0);
            return;
        }
        pollfd Wait{fSocket, POLLIN, 0};
        const int Ready = ::poll(&Wait, 1, static_cast<int>(Left.count()));
        if (Ready < 0 && errno == EINTR)
            continue;
        if (Ready < 0)
            throw TEcho_Error(TEcho_Error::TKind::Failed, "waiting for the echo reply failed: " + Errno_Text(errno));
        if (Ready == 0)
            continue;

        sockaddr_in From{};
        socklen_t From_Length = sizeof From;
        const ssize_t Received = ::recvfrom(fSocket, Buffer.data(), Buffer.size(), MSG_DONTWAIT,
                                            reinterpret_cast<sockaddr*>(&From), &From_Length);
        if (Received < 0) {
            if (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK)
                continue;
            throw TEcho_Error(TEcho_Error::TKind::Failed, "receiving the echo reply failed: " + Errno_Text(errno));
        }
        if (std::memcmp(&From.sin_addr, Target->data(), 4) != 0)
            continue;
        std::size_t Offset = 0;
        if (fKind == TSocket_Kind::Raw) {
            if (Received < 20)
                continue;
            Offset = static_cast<std::size_t>(Buffer[0] & 0x0F) * 4;
        }
        const std::size_t Size = static_cast<std::size_t>(Received);
        if (Size < Offset + Icmp_Header_Size)
            continue;
        const std::uint8_t* Icmp = Buffer.data() + Offset;
        const std::size_t Icmp_Size = Size - Offset;
        if (Icmp[0] != Icmp_Echo_Reply || Icmp[1] != 0)
            continue;
        if (Read_Be16(Icmp + 4) != Identifier || Read_Be16(Icmp + 6) != fSequence)
            continue;
        if (Icmp_Size - Icmp_Header_Size != Data_Size ||
            std::memcmp(Icmp + Icmp_Header_Size, Data.data(), Data_Size) != 0)
            continue;
        Reply(Icmp_Size);
        return;
    }
}

} // namespace update
