// ct40510: the configurator. One GUI thread; every window is created once and shown modally from the main window.
#include "app/App_State.h"
#include "app/ui/TFVelmorineFirmWare.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication Application(argc, argv);
    QApplication::setApplicationName("CT40510");
    QApplication::setApplicationDisplayName("CT40510");
    QApplication::setApplicationVersion(app::Program_Version);
    app::ui::TFVelmorineFirmWare Main(app::Executable_Folder());
    Main.show();
    return QApplication::exec();
}
