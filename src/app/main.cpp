// Program entry: note the program's folder (the start-up parameter file,
// "config.ini" and the logo files live beside it), give the tuning window
// the platform's transport, settings, file dialogs, clock and event pump,
// and show it. The window's own start-up does the rest.
#include <QApplication>

#include "core/app_paths.h"
#include "mainwindow/frm_main.h"
#include "platform/hidapi_transport.h"
#include "platform/qt_file_dialogs.h"
#include "platform/qt_settings_store.h"
#include "platform/qt_wait.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    tuner::set_app_dir(QCoreApplication::applicationDirPath().toStdString());

    tuner::HidapiTransport hid;
    tuner::QtSettingsStore settings;
    tuner::QtFileDialogs dialogs;
    tuner::QtClock clock;
    tuner::QtEventPump pump;
    tuner::FrmMain window(tuner::FrmMainServices{hid, settings, dialogs, clock, pump, true, {}});
    dialogs.set_parent(&window);
    window.show();
    return app.exec();
}
