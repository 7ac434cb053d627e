// The progress dialog's timing, driven tick by tick with a fake clock.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "dialogs/progress_model.h"

using namespace tuner;

namespace {

struct FakeClock : Clock {
    int32_t t = 0;
    int32_t now_ms() override { return t; }
};

// Each pump lets 10 ms pass and may run something once, as a timer or a
// frame from the unit would during the finish's wait.
struct FakePump : EventPump {
    FakeClock& clock;
    std::function<void()> once;
    int calls = 0;
    explicit FakePump(FakeClock& c) : clock(c) {}
    void process_events() override {
        ++calls;
        clock.t += 10;
        if (once) {
            auto f = std::move(once);
            once = nullptr;
            f();
        }
    }
};

struct FakeHost : ProgressHost {
    AppState& s;
    std::vector<bool> enabled;
    int refreshes = 0;
    int refresh_mode = -1;
    explicit FakeHost(AppState& st) : s(st) {}
    void set_main_window_enabled(bool e) override { enabled.push_back(e); }
    void set_all_dis() override {
        ++refreshes;
        refresh_mode = s.refresh_incremental;
    }
    bool window_enabled() const { return enabled.empty() || enabled.back(); }
};

struct FakeView : ProgressView {
    bool visible = false;
    bool timer = false;
    int timer_starts = 0;
    void show_dialog() override { visible = true; }
    void hide_dialog() override { visible = false; }
    void set_timer(bool on) override {
        timer = on;
        if (on) ++timer_starts;
    }
    void contents_changed() override {}
};

struct Rig {
    AppState s;
    FakeClock clock;
    FakePump pump{clock};
    FakeHost host{s};
    FakeView view;
    ProgressModel m{s, host, view, clock, pump};
    Rig() {
        s.cpu_connect_state = 1;
        s.cpu_state.cpu_music_input = 6;
        s.cpu_state.cpu_power_on = 1;
        s.refresh_incremental = 1;
    }
    // Ticks until the dialog hides (or `limit`); returns the ticks used.
    int run(int limit = 1000) {
        for (int i = 1; i <= limit; ++i) {
            m.tick();
            if (!view.visible) return i;
        }
        return -1;
    }
};

}  // namespace

TEST(ProgressModel, DataTransferFillsInEightTicksAndFinishesOnTheNinth) {
    Rig r;
    r.s.Language = 1;
    r.m.display_wait_1s();
    EXPECT_EQ(r.host.enabled, std::vector<bool>{false});
    EXPECT_EQ(r.s.wait_busy, -1);
    EXPECT_TRUE(r.view.visible);
    EXPECT_TRUE(r.view.timer);
    EXPECT_EQ(r.m.Max(), 8);
    EXPECT_EQ(r.m.Value(), 0);
    EXPECT_EQ(r.m.Text_Max(), "800ms");
    EXPECT_EQ(r.m.Text_Wait(), "Data transfer,please waiting...");
    for (int i = 1; i <= 8; ++i) {
        r.m.tick();
        EXPECT_EQ(r.m.Value(), i);
        EXPECT_EQ(r.m.Text_v(), std::to_string((i - 1) * 100) + "ms");
    }
    EXPECT_TRUE(r.view.visible);
    EXPECT_EQ(r.host.refreshes, 0);
    const int32_t before = r.clock.t;
    r.m.tick();
    EXPECT_EQ(r.m.Text_v(), "800ms");
    EXPECT_EQ(r.m.Text_Wait(), "Operation completed");
    EXPECT_GE(r.clock.t - before, 888);  // the completion text stays 888 ms
    EXPECT_FALSE(r.view.visible);
    EXPECT_FALSE(r.view.timer);
    EXPECT_EQ(r.host.enabled, (std::vector<bool>{false, true}));
    EXPECT_EQ(r.host.refreshes, 1);
    EXPECT_EQ(r.host.refresh_mode, 0);  // the refresh after a wait is a full one
    EXPECT_EQ(r.s.refresh_incremental, 0);
    EXPECT_EQ(r.s.wait_busy, 0);
}

TEST(ProgressModel, ModeChangeOfSixteenRunsSeventeenTicksInChinese) {
    Rig r;
    r.s.Language = 0;
    r.s.hid_rx_miss_cou = 3;
    r.m.display_wait_youxian_x100ms(16);
    EXPECT_TRUE(r.m.mode_wait_shown());
    EXPECT_EQ(r.m.Max(), 16);
    EXPECT_EQ(r.m.Text_Max(), "1600ms");
    EXPECT_EQ(r.m.Text_Wait(), "正在切换模式，请稍候...");
    EXPECT_EQ(r.run(), 17);
    EXPECT_EQ(r.m.Text_Wait(), "已完成");
    EXPECT_FALSE(r.m.mode_wait_shown());
    EXPECT_EQ(r.s.hid_rx_miss_cou, 0);
    EXPECT_TRUE(r.host.window_enabled());
}

TEST(ProgressModel, BusyUnitHoldsTheFullBarUntilItIsReady) {
    Rig r;
    r.s.cpu_state.cpu_busy = 1;
    r.m.display_wait_1s();
    for (int i = 0; i < 60; ++i) r.m.tick();
    EXPECT_TRUE(r.view.visible);
    EXPECT_EQ(r.m.Value(), 8);
    EXPECT_FALSE(r.host.window_enabled());
    EXPECT_EQ(r.s.wait_busy, -1);
    r.s.cpu_state.cpu_busy = 0;
    EXPECT_EQ(r.run(), 1);
    EXPECT_TRUE(r.host.window_enabled());
}

TEST(ProgressModel, LinkLostWhileBusyStillFinishes) {
    Rig r;
    r.s.cpu_state.cpu_busy = 1;
    r.m.display_wait_1s();
    for (int i = 0; i < 20; ++i) r.m.tick();
    ASSERT_TRUE(r.view.visible);
    // The link drops: the busy byte stays as the unit last sent it.
    r.s.cpu_connect_state = 2;
    EXPECT_EQ(r.run(), 1);
    EXPECT_TRUE(r.host.window_enabled());
    EXPECT_EQ(r.s.wait_busy, 0);
}

TEST(ProgressModel, UnitNotReadyShowsNothing) {
    struct Case {
        uint8_t input, power;
    };
    for (Case c : {Case{0, 1}, Case{1, 1}, Case{2, 1}, Case{6, 0}}) {
        Rig r;
        r.s.cpu_state.cpu_music_input = c.input;
        r.s.cpu_state.cpu_power_on = c.power;
        r.m.display_wait_1s();
        r.m.display_wait_youxian_x100ms(16);
        EXPECT_TRUE(r.host.enabled.empty()) << int(c.input) << "/" << int(c.power);
        EXPECT_EQ(r.s.wait_busy, 0);
        EXPECT_FALSE(r.view.visible);
        EXPECT_FALSE(r.view.timer);
        EXPECT_FALSE(r.m.mode_wait_shown());
    }
}

TEST(ProgressModel, GateFailingDuringAWaitHidesItAndTheFinishStillRuns) {
    Rig r;
    r.m.display_wait_1s();
    r.m.tick();
    r.s.cpu_state.cpu_power_on = 0;
    r.m.display_wait_1s();
    EXPECT_FALSE(r.view.visible);
    EXPECT_EQ(r.m.Value(), r.m.Max());
    EXPECT_TRUE(r.view.timer);
    r.m.tick();  // the finish, out of sight
    EXPECT_TRUE(r.host.window_enabled());
    EXPECT_EQ(r.s.wait_busy, 0);
    EXPECT_FALSE(r.view.timer);
}

TEST(ProgressModel, DataTransferLeavesARunningModeChangeAlone) {
    Rig r;
    r.m.display_wait_youxian_x100ms(23);
    for (int i = 0; i < 5; ++i) r.m.tick();
    const std::string text = r.m.Text_Wait();
    r.m.display_wait_1s();
    EXPECT_EQ(r.m.Text_Wait(), text);
    EXPECT_EQ(r.m.Max(), 23);
    EXPECT_EQ(r.m.Value(), 5);
    EXPECT_EQ(r.view.timer_starts, 1);
    EXPECT_EQ(r.run(), 19);
    // After the mode change has finished, a data transfer shows again.
    r.m.display_wait_1s();
    EXPECT_TRUE(r.view.visible);
    EXPECT_EQ(r.m.Max(), 8);
}

TEST(ProgressModel, DataTransferDuringDataTransferRestartsTheBar) {
    Rig r;
    r.m.display_wait_1s();
    for (int i = 0; i < 6; ++i) r.m.tick();
    r.m.display_wait_1s();
    EXPECT_EQ(r.m.Value(), 0);
    EXPECT_EQ(r.view.timer_starts, 2);
    EXPECT_EQ(r.run(), 9);
}

TEST(ProgressModel, NewWaitDuringTheFinishKeepsTheDialogAndTheWindowDisabled) {
    Rig r;
    r.m.display_wait_1s();
    for (int i = 0; i < 8; ++i) r.m.tick();
    // During the 888 ms of the completion text, the unit asks for a mode change.
    r.pump.once = [&] { r.m.display_wait_youxian_x100ms(5); };
    r.m.tick();
    EXPECT_TRUE(r.view.visible);
    EXPECT_TRUE(r.view.timer);
    EXPECT_FALSE(r.host.window_enabled());
    EXPECT_EQ(r.s.wait_busy, -1);
    EXPECT_EQ(r.host.refreshes, 0);
    EXPECT_EQ(r.m.Text_Wait(), "Changing mode,please waiting...");
    EXPECT_EQ(r.run(), 6);
    EXPECT_TRUE(r.host.window_enabled());
    EXPECT_EQ(r.s.wait_busy, 0);
    EXPECT_EQ(r.host.refreshes, 1);
}

TEST(ProgressModel, WaitLengthsRoundUpToWholeTicks) {
    struct Case {
        int32_t ms;
        int32_t steps;
        const char* text_max;
    };
    for (Case c : {Case{800, 8, "800ms"}, Case{50, 1, "100ms"}, Case{0, 1, "100ms"}, Case{-300, 1, "100ms"},
                   Case{150, 2, "200ms"}, Case{801, 9, "900ms"}, Case{100, 1, "100ms"}}) {
        Rig r;
        r.m.Wait_Time(c.ms, "x");
        EXPECT_EQ(r.m.Max(), c.steps) << c.ms;
        EXPECT_EQ(r.m.Text_Max(), c.text_max) << c.ms;
        EXPECT_EQ(r.run(), c.steps + 1) << c.ms;
        EXPECT_EQ(r.m.Value(), c.steps) << c.ms;  // never past the end
    }
    Rig r;
    r.m.display_wait_youxian_x100ms(-4);  // a nonsense length still ends
    EXPECT_EQ(r.run(), 2);
}

TEST(ProgressModel, CountedWaitStepsAndHidesAtItsEnd) {
    Rig r;
    r.m.Wait_Value_Init(3, "counting");
    EXPECT_TRUE(r.view.visible);
    EXPECT_EQ(r.m.Text_Max(), "3");
    r.m.Wait_Value_Inc();
    r.m.Wait_Value_Inc();
    EXPECT_EQ(r.m.Text_v(), "2");
    EXPECT_TRUE(r.view.visible);
    r.m.Wait_Value_Inc();
    EXPECT_FALSE(r.view.visible);
    r.m.Wait_Value_Inc();
    EXPECT_EQ(r.m.Value(), 3);
}
