// The switch rules: toggles, selectors, check boxes and option buttons.
#include <array>
#include <string_view>

#include "mainwindow/switch_rules.h"

namespace tuner {
namespace {

namespace g = gen_frame;

void raise_gen(AppState& s) {
    if (cpu_connected(s)) s.send_gen_req = kPending;
}
uint8_t& gen(AppState& s, std::size_t off) { return s.param_image.gen[off]; }
void toggle(uint8_t& b) { b = b == 0 ? 1 : 0; }
// The box the user just toggled shows its byte again at the next refresh,
// also when the handler stored nothing: its cached byte is made to differ.
void redraw_box(AppState& s, std::size_t off) {
    s.param_display_cache.gen[off] = static_cast<uint8_t>(~s.param_image.gen[off]);
}

struct ByteControl {
    std::string_view name;
    std::size_t byte;
};

// Toggle buttons without an index.
constexpr std::array kToggles{
    ByteControl{"key_main_out_lch_mute", g::main_out_lch_mute},
    ByteControl{"key_main_out_rch_mute", g::main_out_rch_mute},
    ByteControl{"key_sub_out_mute", g::sub_out_mute},
    ByteControl{"key_sub_out_phase", g::sub_out_phase},
};
// key_mute(0..3): master, music, mic, effect.
constexpr std::array kMuteBytes{g::master_mute, g::music_mute, g::mic_mute, g::effect_mute};

// Enable boxes: written only when they change, raising only then.
constexpr std::array kEnableBoxes{
    ByteControl{"Check_music_noise_suppressor_en", g::music_noise_suppressor_en},
    ByteControl{"Check_mic1_noise_suppressor_en", g::mic1_noise_suppressor_en},
    ByteControl{"Check_mic1_exciter_en", g::mic1_exciter_en},
};

// Lists that the debug panel's Command1(0..2) clear.
constexpr std::array<std::string_view, 3> kClearedLists{"lstResults", "List_cpu_debug_out_display",
                                                        "List_pc_out_data_display"};

constexpr int kMusicInputs = 20;
constexpr int kMicFbxLevels = 7;
constexpr int kPowerRequests = 3;  // 0 off, 1 on, 2 set power

template <std::size_t N>
const ByteControl* find(const std::array<ByteControl, N>& list, std::string_view name) {
    for (const ByteControl& c : list)
        if (c.name == name) return &c;
    return nullptr;
}

// Adjust-mode selectors of the EQ pairs mic 1 / mic 2 (channels 1, 2) and
// echo / reverb (3, 4): when the edited channel is in the pair it follows the
// mode (2 picks the second member), then the whole window is redrawn.
void adjust_mode(RuleEnv& env, int index, std::size_t byte, uint8_t first_channel) {
    AppState& s = env.s;
    uint8_t& mode = gen(s, byte);
    if (index == mode) return;
    if (index >= 0 && index <= 2) mode = static_cast<uint8_t>(index);
    if (byte == g::mic1_mic2_eq_adj_mode && s.eq_band_count[2] == 0) mode = 0;  // no mic 2 on this unit
    raise_gen(s);
    if (s.eq_channel_sel == first_channel || s.eq_channel_sel == first_channel + 1)
        s.eq_channel_sel = mode == 2 ? first_channel + 1 : first_channel;
    s.refresh_incremental = 0;
    env.svc.set_all_dis();
}

void key_input(RuleEnv& env, int index) {
    AppState& s = env.s;
    if (index < 0 || index >= kMusicInputs || index == s.cpu_state.cpu_music_input) return;
    if (!cpu_connected(s)) {
        // Offline the lit button follows at once; a saved file records it.
        s.cpu_state.cpu_music_input = static_cast<uint8_t>(index);
        env.svc.set_all_dis();
        return;
    }
    // Online the unit reports its new input when it has switched.
    s.send_gen_req = kPending;
    s.send_input_req = kPending;
    gen(s, g::music_input_sel) = static_cast<uint8_t>(index);
    env.svc.display_wait_youxian_x100ms(index == 6 || index == 10 ? 23 : 16);
}

// The two volume-function boxes: disabled for a short wait that lets pending
// events run, then redraw and raise.
void held_box(RuleEnv& env, Ctl c, uint8_t value) {
    const std::size_t off =
        c.name == "Check_vol_max_function_en" ? g::vol_max_function_en : g::vol_power_on_read_eeprom_function_en;
    gen(env.s, off) = value;
    redraw_box(env.s, off);
    env.view.set_enabled(c, false);
    delay_ms(10, env.clock, env.pump);
    env.svc.set_all_dis();
    raise_gen(env.s);
    env.view.set_enabled(c, true);
}

void option_vc_mode(RuleEnv& env) {
    struct Mode {
        int button;
        uint8_t vocal_cut, mic_priority;
    };
    // Looked at in this order; the first selected button wins.
    constexpr Mode kModes[] = {{1, 1, 0}, {2, 2, 0}, {3, 0, 1}, {0, 0, 0}};
    for (const Mode& m : kModes) {
        if (env.view.value(Ctl{"Option_VC_Mode", m.button}) == 0) continue;
        gen(env.s, g::vocal_cut_mode) = m.vocal_cut;
        gen(env.s, g::mic_priority) = m.mic_priority;
        break;
    }
    raise_gen(env.s);
    env.svc.set_all_dis();
}

class SwitchRules : public RuleModule {
public:
    bool click(RuleEnv& env, Ctl c) override {
        AppState& s = env.s;
        if (const ByteControl* t = find(kToggles, c.name)) {
            toggle(gen(s, t->byte));
            env.svc.set_all_dis();
            raise_gen(s);
        } else if (c.name == "key_mute") {
            // Another index toggles nothing but still redraws and raises.
            if (c.index >= 0 && c.index < static_cast<int>(kMuteBytes.size())) toggle(gen(s, kMuteBytes[c.index]));
            env.svc.set_all_dis();
            raise_gen(s);
        } else if (c.name == "key_mic_fbx") {
            uint8_t& fbx = gen(s, g::mic_fbx);
            if (c.index == fbx) return true;  // the lit level: nothing at all
            if (c.index >= 0 && c.index < kMicFbxLevels) fbx = static_cast<uint8_t>(c.index);
            raise_gen(s);
            env.svc.set_all_dis();
        } else if (c.name == "key_echo_reverb_eq_adj_mode") {
            adjust_mode(env, c.index, g::echo_reverb_eq_adj_mode, 3);
        } else if (c.name == "key_mic1_mic2_eq_adj_mode") {
            adjust_mode(env, c.index, g::mic1_mic2_eq_adj_mode, 1);
        } else if (c.name == "key_input") {
            key_input(env, c.index);
        } else if (c.name == "key_power_bit") {
            // The request byte itself is the pending request; offline nothing is asked.
            if (cpu_connected(s) && c.index >= 0 && c.index < kPowerRequests)
                s.power_req = static_cast<uint8_t>(c.index);
            env.svc.set_all_dis();
        } else if (c.name == "Command1") {
            if (c.index >= 0 && c.index < static_cast<int>(kClearedLists.size()))
                env.actions.clear_list(Ctl{kClearedLists[c.index]});
        } else {
            return false;
        }
        return true;
    }

    bool check_mouse_up(RuleEnv& env, Ctl c) override {
        AppState& s = env.s;
        if (c.name == "Option_VC_Mode") {
            option_vc_mode(env);
            return true;
        }
        if (c.name == "Check_vol_max_function_en") {
            held_box(env, c, env.view.value(c) != 0 ? 1 : 0);
            return true;
        }
        if (c.name == "Check_vol_power_on_read_eeprom_function_en") {
            held_box(env, c, 1);  // the unit always reads its power-on volumes from EEPROM
            return true;
        }
        const bool ticked = env.view.value(c) != 0;
        bool written = false;
        if (c.name == "Check_lock") {
            // Only 0 <-> 1; any other byte is left as it is.
            uint8_t& lock = gen(s, g::lock);
            if ((!ticked && lock == 1) || (ticked && lock == 0)) lock = ticked ? 1 : 0, written = true;
            redraw_box(s, g::lock);
        } else if (const ByteControl* e = find(kEnableBoxes, c.name)) {
            uint8_t& en = gen(s, e->byte);
            if ((!ticked && en != 0) || (ticked && en != 1)) en = ticked ? 1 : 0, written = true;
            redraw_box(s, e->byte);
        } else {
            return false;
        }
        if (written) raise_gen(s);
        env.svc.set_all_dis();
        return true;
    }
};

}  // namespace

std::unique_ptr<RuleModule> make_switch_rules() { return std::make_unique<SwitchRules>(); }

}  // namespace tuner
