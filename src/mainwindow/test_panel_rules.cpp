// Test panel rules: the ten-release opener, the test switch and the ten
// test bytes with their steppers.
#include "mainwindow/test_panel_rules.h"

#include <algorithm>
#include <cmath>

#include "core/system_colors.h"

namespace tuner {

namespace {

constexpr std::string_view kVersionLine = "Text_software_version";
constexpr std::string_view kTestSwitch = "Check_cpu_test_sw";
constexpr std::string_view kTestBox = "Text_cpu_test_data";

bool is_test_box(Ctl c) { return c.name == kTestBox && c.index >= 0 && c.index < kTestBoxes; }

uint8_t& test_byte(AppState& s, int box) { return s.cpu_test_data[kTestDataFirstByte + static_cast<std::size_t>(box)]; }

void raise_test_send(AppState& s) {
    if (cpu_connected(s)) s.send_cpu_test_req = kPending;
}

class TestPanelRules : public RuleModule {
public:
    // A mouse release (any button) on the version line counts towards opening the panel.
    bool check_mouse_up(RuleEnv& env, Ctl c) override {
        if (c.name == kVersionLine) {
            if (clicks_ < 255) ++clicks_;
            if (clicks_ >= kTestPanelOpenClicks) env.actions.show_test_panel(true);
            return true;
        }
        if (c.name != kTestSwitch) return false;
        // A greyed box (2) counts as off.
        env.s.cpu_test_data[kTestSwitchByte] = env.view.value(c) == 1 ? 1 : 0;
        raise_test_send(env.s);
        return true;
    }

    std::optional<BoxLimits> box_limits(RuleEnv&, Ctl c) override {
        if (!is_test_box(c)) return std::nullopt;
        BoxLimits l;
        l.min = 0;
        l.max = 255;
        l.decimals = 0;
        l.allow_minus = true;
        return l;
    }

    bool box_commit(RuleEnv& env, Ctl c) override {
        if (!is_test_box(c)) return false;
        uint8_t& b = test_byte(env.s, c.index);
        // The input rules have clamped the text to 0..255; a text that is
        // still no number keeps the byte as it was.
        if (const auto v = parse_number_text(env.view.text(c)))
            b = static_cast<uint8_t>(std::lround(std::clamp(*v, 0.0, 255.0)));
        env.view.set_text(c, std::to_string(b));
        raise_test_send(env.s);
        return true;
    }

    bool box_got_focus(RuleEnv& env, Ctl c) override {
        if (!is_test_box(c)) return false;
        env.view.set_fore_color(c, kTestBoxFocusColor);
        return true;
    }

    bool box_lost_focus(RuleEnv& env, Ctl c) override {
        if (c.name == kVersionLine) {
            clicks_ = 0;
            return true;
        }
        if (!is_test_box(c)) return false;
        env.view.set_fore_color(c, kSysWindowText);
        return true;
    }

    bool step(RuleEnv& env, std::string_view stepper, int index) override {
        const bool inc = stepper == "cpu_test_data_inc";
        if (!inc && stepper != "cpu_test_data_dec") return false;
        const Ctl box{kTestBox, index};
        if (!is_test_box(box)) return false;
        env.view.set_focus(box);
        uint8_t& b = test_byte(env.s, index);
        if (inc && b < 255) ++b;
        if (!inc && b > 0) --b;
        env.view.set_text(box, std::to_string(b));
        raise_test_send(env.s);
        return true;
    }

private:
    int clicks_ = 0;  // releases on the version line since it last lost the focus
};

}  // namespace

std::unique_ptr<RuleModule> make_test_panel_rules() { return std::make_unique<TestPanelRules>(); }

}  // namespace tuner
