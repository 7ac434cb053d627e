#include <QMenuBar>
#include <QPalette>

#include "mainwindow/area_panels.h"
#include "platform/ole_color.h"

namespace tuner {

void AreaPanel::build() {
    for (const ControlRow& row : control_table()) {
        if (row.area != area_) continue;
        QWidget* parent = reg_.container_of(row);
        if (QWidget* w = create_control_widget(row, parent)) reg_.add(row.object_name(), w, row.kind);
    }
    finish();
}

void set_panel_background(QWidget* w, uint32_t ole) {
    if (!w) return;
    QPalette p = w->palette();
    p.setColor(QPalette::Window, to_qcolor(ole));
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

std::vector<std::unique_ptr<AreaPanel>> make_area_panels(ControlRegistry& registry, QMenuBar* bar) {
    std::vector<std::unique_ptr<AreaPanel>> panels;
    panels.push_back(std::make_unique<WindowPanel>(registry));
    panels.push_back(std::make_unique<MenusPanel>(registry, bar));
    panels.push_back(std::make_unique<VolumesPanel>(registry));
    panels.push_back(std::make_unique<InputsPanel>(registry));
    panels.push_back(std::make_unique<EffectsPanel>(registry));
    panels.push_back(std::make_unique<CompressorPanel>(registry));
    panels.push_back(std::make_unique<EqPanel>(registry));
    panels.push_back(std::make_unique<BluetoothPanel>(registry));
    panels.push_back(std::make_unique<StatusPanel>(registry));
    panels.push_back(std::make_unique<TestPanel>(registry));
    return panels;
}

}  // namespace tuner
