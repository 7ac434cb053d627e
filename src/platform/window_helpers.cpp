#include "platform/window_helpers.h"

#include <QIcon>
#include <QImageReader>
#include <QPixmap>
#include <QWidget>

namespace tuner {

bool set_window_icon(QWidget* window, const std::string& path) {
    if (!window) return false;
    QImageReader reader(QString::fromStdString(path));
    const QImage image = reader.read();
    if (image.isNull()) return false;
    const QPixmap pixmap = QPixmap::fromImage(image.scaled(64, 64, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    window->setWindowIcon(QIcon(pixmap));
    return true;
}

void set_unicode_caption(QWidget* window, const std::string& text) {
    if (window) window->setWindowTitle(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

}  // namespace tuner
