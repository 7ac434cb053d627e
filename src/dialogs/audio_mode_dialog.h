// The audio-mode configuration dialog "Form_system_set_audio_mode_config":
// the 40 flags of audio_mode_config as check boxes, three presets, sent to
// the unit on change while connected.
#pragma once

#include <QWidget>

#include "core/app_state.h"

namespace tuner {

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

private:
    AppState& s_;
    AudioModeHost& host_;
};

}  // namespace tuner
