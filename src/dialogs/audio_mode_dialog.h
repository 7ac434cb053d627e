// The audio-mode configuration dialog "Form_system_set_audio_mode_config":
// the 40 flags of audio_mode_config as check boxes, three presets, sent to
// the unit on change while connected.
//
// A top-level window without a QWidget parent (the main window is disabled
// while it is open, and that must not disable the dialog); `owner` places it
// and deletes it when the owner goes. Closing it enables the main window
// again and hides it; the owner may delete it then or show it again.
#pragma once

#include <array>

#include <QWidget>

#include "core/app_state.h"
#include "dialogs/audio_mode_rules.h"

class QCheckBox;
class QFrame;
class QGroupBox;

namespace tuner {

class qbButtons_H;

// What the dialog asks of the main window.
class AudioModeHost {
public:
    virtual ~AudioModeHost() = default;
    virtual void set_main_window_enabled(bool enabled) = 0;
    virtual void set_all_dis() = 0;
};

class AudioModeDialog : public QWidget {
    Q_OBJECT
public:
    AudioModeDialog(AppState& s, AudioModeHost& host, QWidget* owner = nullptr);
    ~AudioModeDialog() override;

    // Boxes 0..39 from the flags (also while hidden).
    void set_dis_audio_mode_config();
    // Captions in the current language.
    void set_language_dis_____audio_mode_config();

    QCheckBox* Check_audio_mode_config(int index) const { return boxes_.at(index); }
    qbButtons_H* key_audio_mode_all_on_off(int index) const { return buttons_.at(index); }
    // True while the dialog is shown and keeps its owner disabled.
    bool holds_owner() const { return disabled_owner_; }

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void box_clicked(int index, bool ticked);
    void preset_clicked(int index);

    AppState& s_;
    AudioModeHost& host_;
    QWidget* owner_;
    QFrame* Frame_mode_set_;
    QGroupBox* Frame1_;
    std::array<QCheckBox*, kAudioModeBoxes> boxes_{};
    std::array<qbButtons_H*, 3> buttons_{};
    bool disabled_owner_ = false;
};

}  // namespace tuner
