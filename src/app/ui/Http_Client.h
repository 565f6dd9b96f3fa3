// The HTTP client of the version check: one HTTP/1.0 GET, no cookies, bounded by a time-out. While it waits,
// a local event loop keeps the windows painted; user input is held back, so no handler runs in between.
#pragma once

#include <cstdint>
#include <string>

namespace app::ui {

class THttp_Client
{
public:
    /// The maker's web server on port 80.
    THttp_Client();

    /// Points the client at another server (tests: a local one on 127.0.0.1).
    void Set_Server(std::string Host, std::uint16_t Port);
    const std::string& Host() const { return fHost; }
    std::uint16_t Port() const { return fPort; }

    /// The longest wait for a whole answer, in milliseconds (10 s unless changed).
    void Set_Time_Out(int Milliseconds) { fTime_Out = Milliseconds; }
    int Time_Out() const { return fTime_Out; }

    /// GET Target (path and query) and return the body of a successful (2xx) answer. Every failure (no
    /// connection, an error status, a time-out, an answer larger than 64 KiB) gives "".
    std::string Get(const std::string& Target);

    /// True while a request is on its way.
    bool Busy() const { return fBusy; }

private:
    std::string fHost;
    std::uint16_t fPort;
    int fTime_Out = 10000;
    bool fBusy = false;
};

/// The body of a raw HTTP answer when its status is 2xx, else "" (the header ends at the first empty line; a
/// Content-Length shorter than what arrived cuts the body).
std::string Http_Answer_Body(const std::string& Raw);

} // namespace app::ui
