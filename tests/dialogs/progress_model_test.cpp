#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

#include "dialogs/progress_model.h"

using namespace tuner;

namespace {

// Each pump lets 10 ms pass and may run something once.
struct FakeClock : Clock, EventPump {
    int32_t t = 0;
    std::function<void()> once;
    int32_t now_ms() override { return t; }
    void process_events() override {
        t += 10;
        if (auto f = std::exchange(once, nullptr)) f();
    }
};

struct Rig : ProgressHost, ProgressView {
    AppState s;
    FakeClock clock;
    std::vector<bool> enabled;  // the main window's enable calls
    int refreshes = 0, refresh_mode = -1;
    bool visible = false, timer = false;
    ProgressModel m{s, *this, *this, clock, clock};

    Rig() { s.cpu_connect_state = 1, s.refresh_incremental = 1; }  // a ready unit by default
    void set_main_window_enabled(bool e) override { enabled.push_back(e); }
    void set_all_dis() override { ++refreshes, refresh_mode = s.refresh_incremental; }
    void show_dialog() override { visible = true; }
    void hide_dialog() override { visible = false; }
    void set_timer(bool on) override { timer = on; }
    void contents_changed() override {}
    bool window_enabled() const { return enabled.empty() || enabled.back(); }
    // The ticks until the dialog hides.
    int run(int limit = 1000) {
        for (int i = 1; i <= limit; ++i)
            if (m.tick(), !visible) return i;
        return -1;
    }
};

}  // namespace

TEST(ProgressModel, DataTransferTakesNineTicks) {
    Rig r;
    r.s.Language = 1;
    r.m.display_wait_1s();
    EXPECT_EQ(r.m.Text_Max(), "800ms");
    for (int i = 1; i <= 8; ++i) {
        r.m.tick();
        EXPECT_EQ(r.m.Value(), i) << "bar after tick " << i;
        EXPECT_EQ(r.m.Text_v(), std::to_string((i - 1) * 100) + "ms") << "time after tick " << i;
    }
    const int32_t before = r.clock.t;
    r.m.tick();
    EXPECT_EQ(r.m.Text_Wait(), "Operation completed");
    EXPECT_GE(r.clock.t - before, 888) << "ms of completion text";
    EXPECT_FALSE(r.visible);
    EXPECT_EQ(r.enabled, (std::vector<bool>{false, true}));
    EXPECT_EQ(r.refreshes, 1);
    EXPECT_EQ(r.refresh_mode, 0) << "a full refresh";
}

// Lengths round up to 100 ms ticks, plus one to finish; a mode change clears the miss count.
TEST(ProgressModel, LengthsRoundUpToWholeTicks) {
    for (auto [ms, steps] : {std::pair{50, 1}, {0, 1}, {-300, 1}, {150, 2}, {801, 9}, {100, 1}}) {
        Rig r;
        r.m.Wait_Time(ms, "x");
        EXPECT_EQ(r.m.Text_Max(), std::to_string(steps * 100) + "ms") << ms;
        EXPECT_EQ(r.run(), steps + 1) << ms;
        EXPECT_EQ(r.m.Value(), steps) << ms;
    }
    for (auto [x100ms, ticks] : {std::pair{16, 17}, {-4, 2}}) {
        Rig r;
        r.s.Language = 0, r.s.hid_rx_miss_cou = 3;
        r.m.display_wait_youxian_x100ms(x100ms);
        EXPECT_EQ(r.m.Text_Wait(), "正在切换模式，请稍候...");
        EXPECT_EQ(r.run(), ticks) << x100ms;
        EXPECT_EQ(r.m.Text_Wait(), "已完成");
        EXPECT_EQ(r.s.hid_rx_miss_cou, 0);
    }
}

// A busy unit holds the full bar until ready, a lost link or a failing gate.
TEST(ProgressModel, WhatEndsAHeldWait) {
    const char* const ways[] = {"busy, then ready", "busy, then link lost", "power off during the wait"};
    for (int way = 0; way < 3; ++way) {
        SCOPED_TRACE(ways[way]);
        Rig r;
        r.s.cpu_state.cpu_busy = way < 2;
        r.m.display_wait_1s();
        for (int i = 0; i < 60 && way < 2; ++i) r.m.tick();
        EXPECT_TRUE(r.visible);
        EXPECT_FALSE(r.window_enabled());
        if (way == 0) r.s.cpu_state.cpu_busy = 0;
        if (way == 1) r.s.cpu_connect_state = 2;  // busy byte unchanged
        if (way == 2) r.s.cpu_state.cpu_power_on = 0, r.m.display_wait_1s();
        EXPECT_EQ(r.m.Value(), 8);
        EXPECT_EQ(r.run(), 1);
        EXPECT_TRUE(r.window_enabled());
        EXPECT_FALSE(r.timer);
        EXPECT_EQ(r.s.wait_busy, 0);
    }
}

// A new wait during the old one's 888 ms finish is not closed by it.
TEST(ProgressModel, OverlappingWaits) {
    Rig r;
    r.m.display_wait_1s();
    for (int i = 0; i < 8; ++i) r.m.tick();
    r.clock.once = [&] { r.m.display_wait_youxian_x100ms(5); };
    r.m.tick();
    EXPECT_TRUE(r.visible);
    EXPECT_FALSE(r.window_enabled());
    EXPECT_EQ(r.refreshes, 0);
    EXPECT_EQ(r.run(), 6);
    EXPECT_TRUE(r.window_enabled()) << "after the new wait";
    EXPECT_EQ(r.refreshes, 1) << "after the new wait";

    // A data transfer leaves a mode change alone and restarts a data transfer.
    Rig q;
    q.m.display_wait_youxian_x100ms(23);
    for (int i = 0; i < 5; ++i) q.m.tick();
    q.m.display_wait_1s();
    EXPECT_EQ(q.m.Value(), 5);
    EXPECT_EQ(q.run(), 19);
    q.m.display_wait_1s();
    for (int i = 0; i < 6; ++i) q.m.tick();
    q.m.display_wait_1s();
    EXPECT_EQ(q.m.Value(), 0);
    EXPECT_EQ(q.run(), 9);
}

TEST(ProgressModel, CountedWaitHidesAtItsEnd) {
    Rig r;
    r.m.Wait_Value_Init(3, "x");
    for (int i = 0; i < 2; ++i) r.m.Wait_Value_Inc();
    EXPECT_TRUE(r.visible) << "after 2 of 3";
    r.m.Wait_Value_Inc();
    EXPECT_FALSE(r.visible) << "after 3 of 3";
    EXPECT_EQ(r.m.Text_v(), "3");
}

TEST(ProgressModel, UnitNotReadyShowsNothing) {
    for (auto [input, power] : {std::pair<uint8_t, uint8_t>{0, 1}, {2, 1}, {6, 0}}) {
        Rig r;
        r.s.cpu_state.cpu_music_input = input, r.s.cpu_state.cpu_power_on = power;
        r.m.display_wait_1s();
        r.m.display_wait_youxian_x100ms(16);
        SCOPED_TRACE(::testing::Message() << "input " << int(input) << ", power " << int(power));
        EXPECT_EQ(r.enabled, std::vector<bool>{}) << "main window enable calls";
        EXPECT_FALSE(r.visible);
        EXPECT_FALSE(r.m.mode_wait_shown());
    }
}
