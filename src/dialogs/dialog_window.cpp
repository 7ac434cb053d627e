#include "dialogs/dialog_window.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace tuner {

void delete_with_owner(QWidget* dialog, QWidget* owner) {
    if (!owner) return;
    QObject::connect(owner, &QObject::destroyed, dialog, [dialog] { delete dialog; });
}

void centre_dialog(QWidget* dialog, const QWidget* owner) {
    QRect area;
    if (owner && owner->isVisible()) {
        area = owner->frameGeometry();
    } else if (QScreen* screen = QGuiApplication::primaryScreen()) {
        area = screen->availableGeometry();
    } else {
        return;
    }
    const QSize size = dialog->frameGeometry().size().expandedTo(dialog->size());
    dialog->move(area.center() - QPoint(size.width() / 2, size.height() / 2));
}

}  // namespace tuner
