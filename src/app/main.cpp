// Program entry. Everything the windows need is linked in, so start-up is:
// note the program's folder (the start-up parameter file, "config.ini" and
// the logo files live beside it) and show the tuning window.
#include <QApplication>
#include <QMainWindow>

#include "core/app_paths.h"
#include "platform/message_box.h"
#include "platform/window_helpers.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    tuner::set_app_dir(QCoreApplication::applicationDirPath().toStdString());

    QMainWindow window;
    tuner::set_unicode_caption(&window, tuner::kProgramTitle);
    tuner::set_window_icon(&window, tuner::app_file("logo.ico"));
    window.resize(1024, 700);
    window.show();
    return app.exec();
}
