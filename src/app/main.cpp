// Program entry: shows the tuning window.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Veltrana Tuner"));
    window.resize(1024, 700);
    window.show();
    return app.exec();
}
