// Refresh of the whole tuning window over a window that does nothing: the
// cost of the refresh itself (comparisons, texts, table look-ups). Budgets:
// full refresh < 10 ms; incremental refresh after one changed byte < 1 ms.
#include <benchmark/benchmark.h>

#include "core/default_image.h"
#include "display/display.h"

namespace {

using namespace tuner;

class NullMainView : public MainView {
public:
    void set_visible(Ctl, bool) override {}
    bool visible(Ctl) const override { return true; }
    void set_enabled(Ctl, bool) override {}
    bool enabled(Ctl) const override { return true; }
    void move(Ctl, int, int) override {}
    int left(Ctl) const override { return 0; }
    int top(Ctl) const override { return 0; }
    void to_front(Ctl) override {}
    void to_back(Ctl) override {}
    void set_text(Ctl, const std::string&) override {}
    std::string text(Ctl) const override { return {}; }
    void set_back_color(Ctl, uint32_t) override {}
    uint32_t back_color(Ctl) const override { return 0; }
    void set_fore_color(Ctl, uint32_t) override {}
    void set_font_charset(Ctl, int) override {}
    void set_value(Ctl, int) override {}
    int value(Ctl) const override { return 0; }
    void set_focus(Ctl) override {}
    bool has_focus(Ctl) const override { return false; }
    void set_slider_value(Ctl, int32_t) override {}
    int32_t slider_value(Ctl) const override { return 0; }
    void set_slider_min(Ctl, int32_t) override {}
    int32_t slider_min(Ctl) const override { return 0; }
    void set_slider_max(Ctl, int32_t) override {}
    int32_t slider_max(Ctl) const override { return 255; }
    void set_slider_max_limit(Ctl, int32_t) override {}
    int32_t slider_max_limit(Ctl) const override { return 255; }
    bool slider_dragging(Ctl) const override { return false; }
    void slider_ui_inc(Ctl) override {}
    void slider_ui_dec(Ctl) override {}
    void peq_EQ_init(int, int, int, int, int, int, int, bool) override {}
    void peq_input_pre_gain(int) override {}
    void peq_EqIn(int, int, int, int, int) override {}
    void peq_Set_eq_index_enable(int, int) override {}
    void peq_Dis_Bypass_on(int, int, int, const std::string&, uint32_t) override {}
    void peq_Dis_Bypass_off() override {}
    void peq_dis_peq_x(int) override {}
    int peq_select_eq_index() const override { return 255; }
    void limiter_set_dis_off_bit(int) override {}
    void limiter_set_db(int) override {}
    int limiter_db() const override { return 0; }
    void repaint() override {}
    bool ask_yes_no(const std::string&, const std::string&) override { return false; }
};

// A connected unit with the start-up image, over the do-nothing window.
struct Window {
    AppState s;
    NullMainView view;
    Display d{s, view};
    Window() {
        s.param_image = neutral_param_image();
        s.cpu_connect_state = 1;
        d.set_all_dis();
    }
};

void BM_FullRefresh(benchmark::State& state) {
    Window w;
    for (auto _ : state) {
        w.s.refresh_incremental = 0;
        w.d.set_all_dis();
    }
}
BENCHMARK(BM_FullRefresh)->Unit(benchmark::kMicrosecond);

// One received frame that changed one byte: only its group is redrawn.
void BM_IncrementalOneByte(benchmark::State& state) {
    Window w;
    uint8_t v = 0;
    for (auto _ : state) {
        w.s.param_image.eff[eff_frame::echo_a_vol] = ++v & 31;
        w.d.set_all_dis();
    }
}
BENCHMARK(BM_IncrementalOneByte)->Unit(benchmark::kMicrosecond);

}  // namespace
