// Placeholder until the dialog is written.
#include "dialogs/audio_mode_dialog.h"

namespace tuner {

AudioModeDialog::AudioModeDialog(AppState& s, AudioModeHost& host, QWidget* owner)
    : QWidget(owner, Qt::Window), s_(s), host_(host) {}
AudioModeDialog::~AudioModeDialog() = default;
void AudioModeDialog::set_dis_audio_mode_config() {}
void AudioModeDialog::set_language_dis_____audio_mode_config() {}

}  // namespace tuner
