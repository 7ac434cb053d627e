// The rules of the audio-mode dialog without widgets: the 41 check boxes as
// data (captions, colours, places), the three presets, what a user's toggle
// of a box writes and when the block is queued for the unit.
#pragma once

#include <array>
#include <cstdint>

#include "core/app_state.h"

namespace tuner {

constexpr int kAudioModeFlags = 40;  // audio_mode_config[0..39]
constexpr int kAudioModeBoxes = 41;  // Check_audio_mode_config(0..40); box 40 has no flag

struct AudioModeBox {
    const char* english;
    const char* chinese;
    int left, top, width;  // twips, in Frame_mode_set
    int32_t colour;        // caption colour (OLE); -1 keeps the default
};

extern const std::array<AudioModeBox, kAudioModeBoxes> kAudioModeBoxTable;
constexpr int kAudioModeBoxHeight = 525;  // twips

// Preset buttons key_audio_mode_all_on_off(0..2).
enum AudioModePreset { kJoinAllMode = 0, kSimpleMode = 1, kAdvancedMode = 2 };

struct AudioModeButton {
    const char* english;
    const char* chinese;
    int left;  // twips, in Frame1
};
extern const std::array<AudioModeButton, 3> kAudioModeButtonTable;

const char* audio_mode_title(uint8_t language);
const char* audio_mode_box_caption(int index, uint8_t language);
const char* audio_mode_button_caption(int index, uint8_t language);

// The 40 flags a preset leaves; an unknown index gives all ones.
std::array<uint8_t, kAudioModeFlags> audio_mode_preset_flags(int preset);

// A box shows a tick only for flag 1.
constexpr bool audio_mode_box_ticked(uint8_t flag) { return flag == 1; }

// Queues the block for the unit while connected; otherwise the change stays local.
void audio_mode_mark_for_sending(AppState& s);

// The user toggled box `index` to `ticked`: stores its flag and queues the
// block. Returns false (nothing written) for a box without a flag.
bool audio_mode_box_toggled(AppState& s, int index, bool ticked);

// A preset button: all 40 flags from the preset, queued while connected.
void audio_mode_apply_preset(AppState& s, int preset);

}  // namespace tuner
