// What the GUI tests of the application windows share: a program folder, a test language, the driving of modal
// windows, a recorder of opened links and a local HTTP server that stands in for the maker's version service.
#pragma once

#include "Ui_Test_Support.h"

#include "app/ui/App_Widgets.h"

#include <QApplication>
#include <QDialog>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace app_ui_test {

inline void Write_File(const std::filesystem::path& File, const std::string& Text)
{
    std::filesystem::create_directories(File.parent_path());
    std::ofstream(File, std::ios::binary) << Text;
}

inline std::string Read_File(const std::filesystem::path& File)
{
    std::ifstream In(File, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(In), {});
}

/// A settings file with the given configuration, language and the four flags.
inline std::string Settings_Text(const std::string& Project, const std::string& Language, bool Internet, bool Update)
{
    return "<Conf_Settings><lastproj><projectname>" + Project +
           "</projectname></lastproj><lastipadd><ipaddress>192.168.2.205</ipaddress></lastipadd><lastlang><language>" +
           Language + "</language></lastlang><lastinternet><enable_internet>" + (Internet ? "1" : "0") +
           "</enable_internet><enable_update>" + (Update ? "1" : "0") +
           "</enable_update><enable_jump_field_tables>0</enable_jump_field_tables><Double_Click_Auto_Size>0"
           "</Double_Click_Auto_Size></lastinternet></Conf_Settings>";
}

/// A German test language for the entries of the application windows (UTF-8, texts with outer blanks between
/// pilcrows).
inline std::string Deutsch_Lng()
{
    return "Test language of the GUI tests\n"
           "STR0 = Beginn\nSTR1 = Schritt 1\nSTR2 = Schritt 2\nSTR3 = Schritt 3\nSTR4 = Schritt 4\n"
           "STR9 = ¶Keine Konfiguration geöffnet ¶\n"
           "STR10 = Mit Schritt 1 eine Konfiguration öffnen oder neu anlegen\n"
           "STR11 = ¶Geöffnete Konfiguration des Umsetzers : ¶\n"
           "STR12 = Information\nSTR13 = Optionen\nSTR14 = Konfigurator schließen\n"
           "STR15 = Neue Konfiguration\nSTR16 = Konfiguration öffnen\nSTR17 = Gerät über UDP aktualisieren\n"
           "STR18 = Fehler! Projekt nicht gültig\nSTR19 = Neue Version verfügbar. Hier klicken für Details\n"
           "STR20 = Kommunikation einstellen\nSTR21 = IEC61850-Zugriff\n"
           "STR22 = Eine neue Konfiguration für das Gerät anlegen\nSTR23 = Eine vorhandene Konfiguration öffnen\n"
           "STR24 = Die Hauptparameter der Protokolle einstellen\nSTR25 = Die Regeln des IEC-61850-Clients festlegen\n"
           "STR26 = Firmware und/oder Konfiguration im Gerät aktualisieren\n"
           "STR100 = Neue Konfiguration anlegen\nSTR101 = Neue Konfiguration anlegen\n"
           "STR102 = Name der neuen Konfiguration\nSTR103 = OK\nSTR104 = Abbrechen\n"
           "STR105 = Fehler! Der Projektname ist nicht gültig\n"
           "STR106 = Fehler! Der Projektname ist nicht gültig, der Ordner existiert bereits\n"
           "STR107 = Fehler! Projektname fehlt\n"
           "STR108 = Hier den Namen der neuen Konfiguration eingeben\nSTR109 = Den Namen bestätigen\n"
           "STR110 = Neue Konfiguration abbrechen\n"
           "STR200 = Konfiguration öffnen\nSTR201 = Eine vorhandene Konfiguration öffnen\n"
           "STR202 = Vorhandene Konfigurationen\nSTR203 = OK\nSTR204 = Abbrechen\n"
           "STR205 = Die zu öffnende Konfiguration wählen\nSTR206 = Die gewählte Konfiguration öffnen\n"
           "STR207 = Öffnen abbrechen\n"
           "STR300 = Software-Optionen\nSTR301 = Software-Optionen\nSTR302 = Sprache\nSTR303 = Verbindung\n"
           "STR304 = ¶Gewählte Sprache : ¶\nSTR305 = ¶Seite ¶\nSTR306 = ¶ von ¶\nSTR307 = Zurück\n"
           "STR308 = Weiter\nSTR309 = Internetverbindung erlauben\n"
           "STR310 = Beim Programmstart nach Updates suchen\nSTR311 = Nach Updates suchen\nSTR312 = OK\n"
           "STR313 = Abbrechen\nSTR314 = Neue Version verfügbar. Hier klicken für Details\n"
           "STR315 = Kein Update verfügbar\nSTR316 = ¶Soll die Sprache von ¶\nSTR317 = ¶ auf ¶\n"
           "STR318 = ¶ umgestellt werden?¶\nSTR319 = Software-Einstellungen\n"
           "STR320 = Mit der Eingabetaste ins nächste Tabellenfeld springen\n"
           "STR321 = Spaltenbreite per Doppelklick anpassen\n"
           "STR400 = Kommunikation einstellen\n";
}

/// Runs Action once the modal window about to be shown runs its own loop; a window Action leaves open is
/// cancelled, so that no test ever hangs on a modal window.
inline void When_Modal(std::function<void()> Action)
{
    QTimer::singleShot(0, [Action = std::move(Action)] {
        Action();
        if (auto* Dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            Dialog->reject();
    });
}

/// Records the links the windows open instead of starting a browser.
class TLink_Recorder
{
public:
    TLink_Recorder()
    {
        app::ui::Set_Open_Link_Hook([this](const std::string& Url) { Links.push_back(Url); });
    }
    ~TLink_Recorder() { app::ui::Set_Open_Link_Hook({}); }
    TLink_Recorder(const TLink_Recorder&) = delete;
    TLink_Recorder& operator=(const TLink_Recorder&) = delete;
    std::vector<std::string> Links;
};

/// An HTTP server on 127.0.0.1 that answers every request with the raw answer set, or never answers.
class TLocal_Http_Server
{
public:
    TLocal_Http_Server()
    {
        EXPECT_TRUE(fServer.listen(QHostAddress::LocalHost, 0));
        QObject::connect(&fServer, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* Socket = fServer.nextPendingConnection()) {
                auto Received = std::make_shared<std::string>();
                QObject::connect(Socket, &QTcpSocket::readyRead, Socket, [this, Socket, Received] {
                    *Received += Socket->readAll().toStdString();
                    if (Received->find("\r\n\r\n") == std::string::npos)
                        return;
                    Requests.push_back(*Received);
                    if (Silent)
                        return;
                    Socket->write(Raw_Answer.data(), static_cast<qint64>(Raw_Answer.size()));
                    Socket->disconnectFromHost();
                });
            }
        });
    }
    std::uint16_t Port() const { return fServer.serverPort(); }

    /// Answers with status 200 and Body.
    void Answer_Body(const std::string& Body)
    {
        Raw_Answer = "HTTP/1.0 200 OK\r\nContent-Type: text/html\r\nContent-Length: " + std::to_string(Body.size()) +
                     "\r\n\r\n" + Body;
    }

    std::string Raw_Answer;
    bool Silent = false; ///< never answer
    std::vector<std::string> Requests;

private:
    QTcpServer fServer;
};

/// A program folder for one test; modal windows are driven with When_Modal.
class TApp_Window_Test : public ::testing::Test
{
protected:
    void SetUp() override { QApplication::setQuitOnLastWindowClosed(false); }
    std::filesystem::path Program() const { return fFolder.Path(); }
    std::filesystem::path Settings_File() const { return fFolder.Path() / "Velmorin.xml"; }

private:
    ui_test::TTemp_Folder fFolder;
};

} // namespace app_ui_test
