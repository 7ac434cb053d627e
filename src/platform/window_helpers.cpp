#include "platform/window_helpers.h"

#include <QFileInfo>
#include <QIcon>
#include <QImageReader>
#include <QPixmap>
#include <QWidget>

namespace tuner {

QImage read_picture(const std::string& path) {
    const QString file = QString::fromStdString(path);
    // Only an ordinary file is opened: a pipe would wait for a writer.
    const QFileInfo info(file);
    if (!info.isFile() || info.size() > kPictureMaxBytes) return {};
    QImageReader reader(file);
    reader.setDecideFormatFromContent(true);
    const QSize size = reader.size();  // from the header, before decoding
    if (!size.isValid() || size.width() > kPictureMaxSide || size.height() > kPictureMaxSide) return {};
    return reader.read();
}

bool set_window_icon(QWidget* window, const std::string& path) {
    if (!window) return false;
    const QImage image = read_picture(path);
    if (image.isNull()) return false;
    const QPixmap pixmap = QPixmap::fromImage(image.scaled(64, 64, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    window->setWindowIcon(QIcon(pixmap));
    return true;
}

void set_unicode_caption(QWidget* window, const std::string& text) {
    if (window) window->setWindowTitle(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

}  // namespace tuner
