#include "dialogs/wheel_binding.h"

#include <memory>

#include <QWidget>

#include "controls/wheel_capture.h"

namespace tuner {

namespace {

constexpr WheelRoute one(const char* control, const char* target, const char* stepper) {
    return WheelRoute{control, target, false, stepper, false};
}
constexpr WheelRoute ten(const char* control, const char* target, const char* stepper) {
    return WheelRoute{control, target, true, stepper, false};
}

constexpr int kArraySize = 10;
constexpr const char* kBindingWindow = "Form_Text_add_mouse_and_key_up_down_output_function";

enum class Step { None, Up, Down };

Step step_of_wheel(int delta) { return delta > 0 ? Step::Up : Step::Down; }

Step step_of_key(int key) {
    if (key == kVkUp) return Step::Up;
    if (key == kVkDown) return Step::Down;
    return Step::None;
}

// Turns one captured event into a stepper call.
void route_step(const WheelRoute& route, int index, Step step, const StepperCall& call,
                const SelectedBand& selected_band) {
    if (step == Step::None || !call) return;
    if (route.selected_band) {
        index = selected_band ? selected_band() : kNoSelectedBand;
        if (index == kNoSelectedBand) return;
    }
    const std::string name = std::string(route.stepper) + (step == Step::Up ? "_inc" : "_dec");
    call(name, index);
}

}  // namespace

const std::array<WheelRoute, kWheelRouteCount> kWheelRoutes{{
    {"MWheel_peq", "PEQ", false, "eq_db", true},
    ten("MWheel_eq_db", "Text_eq_db", "eq_db"),
    ten("MWheel_eq_q", "Text_eq_q", "eq_q"),
    ten("MWheel_eq_freq", "Text_eq_freq", "eq_freq"),
    one("MWheel_eq_pre_gain_db_index", "Text_eq_pre_gain_db_index", "eq_pre_gain_db_index"),
    one("MWheel_music_vol", "Text_music_vol", "music_vol"),
    one("MWheel_mic_vol", "Text_mic_vol", "mic_vol"),
    one("MWheel_effect_vol", "Text_effect_vol", "effect_vol"),
    one("MWheel_music_vol_adj_max", "Text_music_vol_adj_max", "music_vol_adj_max"),
    one("MWheel_mic_vol_adj_max", "Text_mic_vol_adj_max", "mic_vol_adj_max"),
    one("MWheel_effect_vol_adj_max", "Text_effect_vol_adj_max", "effect_vol_adj_max"),
    one("MWheel_music_vol_power_on", "Text_music_vol_power_on", "music_vol_power_on"),
    one("MWheel_mic_vol_power_on", "Text_mic_vol_power_on", "mic_vol_power_on"),
    one("MWheel_effect_vol_power_on", "Text_effect_vol_power_on", "effect_vol_power_on"),
    one("MWheel_music_noise_suppressor_threshold", "Text_music_noise_suppressor_threshold",
        "music_noise_suppressor_threshold"),
    one("MWheel_music_noise_suppressor_attack", "Text_music_noise_suppressor_attack", "music_noise_suppressor_attack"),
    one("MWheel_music_noise_suppressor_release", "Text_music_noise_suppressor_release",
        "music_noise_suppressor_release"),
    one("MWheel_music_noise_suppressor_ratio", "Text_music_noise_suppressor_ratio", "music_noise_suppressor_ratio"),
    one("MWheel_mic1_noise_suppressor_threshold", "Text_mic1_noise_suppressor_threshold",
        "mic1_noise_suppressor_threshold"),
    one("MWheel_mic1_noise_suppressor_attack", "Text_mic1_noise_suppressor_attack", "mic1_noise_suppressor_attack"),
    one("MWheel_mic1_noise_suppressor_release", "Text_mic1_noise_suppressor_release", "mic1_noise_suppressor_release"),
    one("MWheel_mic1_noise_suppressor_ratio", "Text_mic1_noise_suppressor_ratio", "mic1_noise_suppressor_ratio"),
    one("MWheel_mic1_exciter_vol", "Text_mic1_exciter_vol", "mic1_exciter_vol"),
    one("MWheel_mic1_exciter_freq_index_100", "Text_mic1_exciter_freq_index_100", "mic1_exciter_freq_index_100"),
    one("MWheel_drc_threshold_db", "Text_drc_threshold_db", "drc_threshold_db"),
    one("MWheel_drc_ratio", "Text_drc_ratio", "drc_ratio"),
    one("MWheel_drc_attack", "Text_drc_attack", "drc_attack"),
    one("MWheel_drc_release", "Text_drc_release", "drc_release"),
    one("MWheel_echo_a_vol", "Text_echo_a_vol", "echo_a_vol"),
    one("MWheel_echo_a_delay_l", "Text_echo_a_delay_l", "echo_a_delay_l"),
    one("MWheel_echo_a_delay_r", "Text_echo_a_delay_r", "echo_a_delay_r"),
    one("MWheel_echo_a_repeat", "Text_echo_a_repeat", "echo_a_repeat"),
    one("MWheel_echo_a_lpf", "Text_echo_a_lpf", "echo_a_lpf"),
    one("MWheel_reverb_vol", "Text_reverb_vol", "reverb_vol"),
    one("MWheel_echo_reverb_bili", "text_echo_reverb_bili", "echo_reverb_bili"),
    one("MWheel_plate_reverb_predelay", "Text_plate_reverb_predelay", "plate_reverb_predelay"),
    one("MWheel_plate_reverb_decay", "Text_plate_reverb_decay", "plate_reverb_decay"),
    one("MWheel_plate_reverb_diffusion", "Text_plate_reverb_diffusion", "plate_reverb_diffusion"),
    one("MWheel_plate_reverb_damping", "Text_plate_reverb_damping", "plate_reverb_damping"),
    one("MWheel_sub_out_vol", "Text_sub_out_vol", "sub_out_vol"),
    one("MWheel_sub_out_music_vol", "Text_sub_out_music_vol", "sub_out_music_vol"),
    one("MWheel_sub_out_mic_vol", "Text_sub_out_mic_vol", "sub_out_mic_vol"),
    ten("MWheel_cpu_test_data", "Text_cpu_test_data", "cpu_test_data"),
}};

std::string wheel_target_name(const WheelRoute& route, int index) {
    if (!route.array) return route.target;
    return std::string(route.target) + "(" + std::to_string(index) + ")";
}

void Text_add_mouse_and_key_up_down_output_function_power_on_call(QWidget* root, StepperCall step,
                                                                  SelectedBand selected_band) {
    if (!root) return;
    // The binding window: an invisible holder of the captures, kept with the root.
    QObject* holder = root->findChild<QObject*>(QString::fromLatin1(kBindingWindow), Qt::FindDirectChildrenOnly);
    if (!holder) {
        holder = new QObject(root);
        holder->setObjectName(QString::fromLatin1(kBindingWindow));
    }
    auto call = std::make_shared<StepperCall>(std::move(step));
    auto band = std::make_shared<SelectedBand>(std::move(selected_band));

    for (const WheelRoute& route : kWheelRoutes) {
        const int count = route.array ? kArraySize : 1;
        for (int i = 0; i < count; ++i) {
            const int index = route.array ? i : -1;
            const QString control = route.array ? QStringLiteral("%1(%2)").arg(QLatin1String(route.control)).arg(i)
                                                : QString::fromLatin1(route.control);
            if (holder->findChild<MWheel*>(control, Qt::FindDirectChildrenOnly)) continue;  // bound already
            auto* target = root->findChild<QWidget*>(QString::fromStdString(wheel_target_name(route, i)));
            if (!target) continue;
            auto* wheel = new MWheel(holder);
            wheel->setObjectName(control);
            QObject::connect(wheel, &MWheel::WheelScroll, wheel,
                             [&route, index, call, band](int, int delta, float, float) {
                                 route_step(route, index, step_of_wheel(delta), *call, *band);
                             });
            QObject::connect(wheel, &MWheel::KeyDown, wheel, [&route, index, call, band](int, int, int key, int) {
                route_step(route, index, step_of_key(key), *call, *band);
            });
            wheel->WheelHook(target);
        }
    }
}

}  // namespace tuner
