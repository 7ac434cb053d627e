// Program entry. Everything the windows need is linked in, so start-up is:
// note the program's folder (the start-up parameter file, "config.ini" and
// the logo files live beside it) and show the tuning window.
#include <QApplication>
#include <QMainWindow>

#include "core/app_paths.h"
#include "platform/message_box.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    tuner::set_app_dir(QCoreApplication::applicationDirPath().toStdString());

    QMainWindow window;
    window.setWindowTitle(QString::fromUtf8(tuner::kProgramTitle));
    window.resize(1024, 700);
    window.show();
    return app.exec();
}
