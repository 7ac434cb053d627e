// The menu bar: groups become menus, entries QActions named after the
// entry, the recall entries checkable (the display marks the current mode).
#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "mainwindow/area_panels.h"

namespace tuner {

void MenusPanel::build() {
    for (const ControlRow& row : control_table()) {
        if (row.area != ControlArea::Menus) continue;
        const QString caption = QString::fromStdString(row.caption);
        QMenu* parent = row.container.empty() ? nullptr : reg_.get<QMenu>(row.container);
        QObject* made = nullptr;
        if (row.kind == ControlKind::MenuGroup) {
            auto* menu = bar_->addMenu(caption);
            menu->menuAction()->setObjectName(QString::fromStdString(row.object_name()) + QStringLiteral("#action"));
            made = menu;
        } else if (row.kind == ControlKind::MenuSeparator) {
            made = parent ? parent->addSeparator() : bar_->addSeparator();
        } else {
            QAction* a = parent ? parent->addAction(caption) : bar_->addAction(caption);
            if (row.name == "menu_key_read_all_data_from_cpu_group") {
                a->setCheckable(true);
                // The mark shows the mode the unit reports, set by the display
                // only: choosing an entry must not move it.
                QObject::connect(a, &QAction::triggered, a, [a](bool checked) { a->setChecked(!checked); });
            }
            if (row.flags & kHidden) a->setVisible(false);
            made = a;
        }
        reg_.add(row.object_name(), made, row.kind);
    }
}

}  // namespace tuner
