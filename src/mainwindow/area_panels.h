// The window's area panels. Each creates the widgets of its area from the
// control table, in table order, and does the set-up that only its area
// needs. FrmMain builds them in ControlArea order, so containers exist
// before their controls.
#pragma once

#include <memory>
#include <vector>

#include "mainwindow/control_registry.h"

class QMenuBar;

namespace tuner {

class AreaPanel {
public:
    AreaPanel(ControlArea area, ControlRegistry& registry) : area_(area), reg_(registry) {}
    virtual ~AreaPanel() = default;
    // Creates the area's controls and finishes the set-up.
    virtual void build();
    ControlArea area() const { return area_; }

protected:
    virtual void finish() {}
    ControlArea area_;
    ControlRegistry& reg_;
};

// The menu bar's groups and entries as QActions named after the entries.
class MenusPanel : public AreaPanel {
public:
    MenusPanel(ControlRegistry& registry, QMenuBar* bar) : AreaPanel(ControlArea::Menus, registry), bar_(bar) {}
    void build() override;

private:
    QMenuBar* bar_;
};

class WindowPanel : public AreaPanel {
public:
    explicit WindowPanel(ControlRegistry& r) : AreaPanel(ControlArea::Window, r) {}
};
class VolumesPanel : public AreaPanel {
public:
    explicit VolumesPanel(ControlRegistry& r) : AreaPanel(ControlArea::Volumes, r) {}

protected:
    void finish() override;
};
class InputsPanel : public AreaPanel {
public:
    explicit InputsPanel(ControlRegistry& r) : AreaPanel(ControlArea::Inputs, r) {}

protected:
    void finish() override;
};
class EffectsPanel : public AreaPanel {
public:
    explicit EffectsPanel(ControlRegistry& r) : AreaPanel(ControlArea::Effects, r) {}

protected:
    void finish() override;
};
class CompressorPanel : public AreaPanel {
public:
    explicit CompressorPanel(ControlRegistry& r) : AreaPanel(ControlArea::Compressor, r) {}

protected:
    void finish() override;
};
class EqPanel : public AreaPanel {
public:
    explicit EqPanel(ControlRegistry& r) : AreaPanel(ControlArea::Eq, r) {}

protected:
    void finish() override;
};
class BluetoothPanel : public AreaPanel {
public:
    explicit BluetoothPanel(ControlRegistry& r) : AreaPanel(ControlArea::Bluetooth, r) {}

protected:
    void finish() override;
};
class StatusPanel : public AreaPanel {
public:
    explicit StatusPanel(ControlRegistry& r) : AreaPanel(ControlArea::Status, r) {}

protected:
    void finish() override;
};
class TestPanel : public AreaPanel {
public:
    explicit TestPanel(ControlRegistry& r) : AreaPanel(ControlArea::Test, r) {}

protected:
    void finish() override;
};

// Every panel in build order.
std::vector<std::unique_ptr<AreaPanel>> make_area_panels(ControlRegistry& registry, QMenuBar* bar);

// Background shared by a panel's containers (OLE colour).
void set_panel_background(QWidget* w, uint32_t ole);

}  // namespace tuner
