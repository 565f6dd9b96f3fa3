#include "app/ui/Http_Client.h"

#include "app/App_State.h"
#include "app/Version.h"
#include "common/Int_Conversion.h"
#include "common/Text.h"

#include <QByteArray>
#include <QEventLoop>
#include <QString>
#include <QTcpSocket>
#include <QTimer>

#include <cctype>

namespace app::ui {

namespace {

constexpr qsizetype Max_Answer = 64 * 1024;

} // namespace

THttp_Client::THttp_Client() : fHost(Maker_Host), fPort(80) {}

void THttp_Client::Set_Server(std::string Host, std::uint16_t Port)
{
    fHost = std::move(Host);
    fPort = Port;
}

std::string Http_Answer_Body(const std::string& Raw)
{
    std::size_t Header_End = Raw.find("\r\n\r\n");
    std::size_t Body_Start = Header_End + 4;
    if (Header_End == std::string::npos) {
        Header_End = Raw.find("\n\n");
        if (Header_End == std::string::npos)
            return {};
        Body_Start = Header_End + 2;
    }
    const std::string Header = Raw.substr(0, Header_End);
    // Status line: HTTP/1.x <code> <reason>
    if (!Header.starts_with("HTTP/"))
        return {};
    const std::size_t Code_Start = Header.find(' ');
    if (Code_Start == std::string::npos || Code_Start + 4 > Header.size())
        return {};
    const std::string Code = Header.substr(Code_Start + 1, 3);
    if (Code.size() != 3 || Code[0] != '2' || !std::isdigit(static_cast<unsigned char>(Code[1])) ||
        !std::isdigit(static_cast<unsigned char>(Code[2])))
        return {};
    std::string Body = Raw.substr(Body_Start);
    // A Content-Length that is shorter than what arrived cuts the body.
    std::size_t Line_Start = Header.find('\n');
    while (Line_Start != std::string::npos) {
        const std::size_t Next = Header.find('\n', Line_Start + 1);
        const std::string_view Line = common::Trim(std::string_view(Header).substr(
            Line_Start + 1, Next == std::string::npos ? std::string::npos : Next - Line_Start - 1));
        const std::size_t Colon = Line.find(':');
        if (Colon != std::string_view::npos && common::Ascii_Equal_No_Case(Line.substr(0, Colon), "Content-Length")) {
            const auto Length = common::Text_To_Int(common::Trim(Line.substr(Colon + 1)));
            if (Length && *Length >= 0 && static_cast<std::size_t>(*Length) < Body.size())
                Body.resize(static_cast<std::size_t>(*Length));
        }
        Line_Start = Next;
    }
    return Body;
}

std::string THttp_Client::Get(const std::string& Target)
{
    if (fBusy)
        return {};
    fBusy = true;

    QTcpSocket Socket;
    QEventLoop Loop;
    QTimer Timer;
    Timer.setSingleShot(true);
    QByteArray Raw;
    bool Failed = false;

    QObject::connect(&Timer, &QTimer::timeout, &Loop, [&] {
        Failed = true;
        Loop.quit();
    });
    QObject::connect(&Socket, &QTcpSocket::connected, &Loop, [&] {
        // HTTP/1.0: the server closes the connection after the answer; no cookie is ever sent.
        const std::string Request = "GET " + Target + " HTTP/1.0\r\nHost: " + fHost +
                                    "\r\nAccept: text/html, */*\r\nUser-Agent: CT40510/" + Program_Version + "\r\n\r\n";
        Socket.write(Request.data(), static_cast<qint64>(Request.size()));
    });
    QObject::connect(&Socket, &QTcpSocket::readyRead, &Loop, [&] {
        Raw += Socket.readAll();
        if (Raw.size() > Max_Answer) {
            Failed = true;
            Loop.quit();
        }
    });
    QObject::connect(&Socket, &QTcpSocket::disconnected, &Loop, &QEventLoop::quit);
    QObject::connect(&Socket, &QTcpSocket::errorOccurred, &Loop, [&](QAbstractSocket::SocketError Error) {
        // The server closing the connection ends the answer; anything else is a failure.
        if (Error != QAbstractSocket::RemoteHostClosedError)
            Failed = true;
        Loop.quit();
    });

    Timer.start(fTime_Out);
    Socket.connectToHost(QString::fromStdString(fHost), fPort);
    if (!Failed && Socket.state() != QAbstractSocket::UnconnectedState)
        Loop.exec(QEventLoop::ExcludeUserInputEvents);
    else
        Failed = true;
    Timer.stop();
    if (!Failed && Socket.bytesAvailable() > 0)
        Raw += Socket.readAll();
    Socket.abort();
    fBusy = false;
    if (Failed)
        return {};
    return Http_Answer_Body(Raw.toStdString());
}

} // namespace app::ui
