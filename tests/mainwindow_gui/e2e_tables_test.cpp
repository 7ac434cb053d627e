// Every control that a table elsewhere names exists in the window's control
// table: caption targets, wheel routes, parameter boxes and sliders, and
// every control a full refresh of the display writes.
#include <set>

#include <gtest/gtest.h>

#include "core/default_image.h"
#include "core/param_table.h"
#include "dialogs/wheel_binding.h"
#include "display/display.h"
#include "mainwindow/captions.h"
#include "mainwindow/control_table.h"
#include "support/fake_main_view.h"

namespace tuner::testing {
namespace {

// A control of the table, or a tab of a tab strip ("ucXTab1(2)": the strip's tab 2).
bool in_table(const std::string& object_name) {
    if (find_control_row(object_name)) return true;
    const auto open = object_name.find('(');
    const ControlRow* strip = open == std::string::npos ? nullptr : find_control_row(object_name.substr(0, open));
    return strip && strip->kind == ControlKind::TabStrip;
}

TEST(E2eTables, CaptionTargetsAreControls) {
    for (Ctl c : caption_targets())
        if (c.name != "FrmMain") {
            EXPECT_TRUE(in_table(c.str())) << c.str();
        }
}

TEST(E2eTables, WheelRoutesBindControls) {
    for (const WheelRoute& r : kWheelRoutes)
        for (int i = 0; i < (r.array ? 10 : 1); ++i)
            EXPECT_TRUE(in_table(wheel_target_name(r, i))) << r.control << " -> " << wheel_target_name(r, i);
}

TEST(E2eTables, ParameterBoxesAndSlidersAreControls) {
    for (const ParamRow& row : param_table()) {
        for (int i = 0; i < (row.per_band ? 10 : 1); ++i) {
            const int index = row.per_band ? i : -1;
            EXPECT_TRUE(in_table(Ctl{row.text_box, index}.str())) << row.name;
            if (!row.slider.empty()) {
                EXPECT_TRUE(in_table(Ctl{row.slider, index}.str())) << row.name;
            }
            if (!row.limit_slider.empty()) {
                EXPECT_TRUE(in_table(std::string(row.limit_slider))) << row.name;
            }
        }
    }
}

TEST(E2eTables, EveryControlTheDisplayWritesIsAControl) {
    AppState s;
    s.param_image = neutral_param_image();
    FakeMainView view;
    Display display(s, view, DisplayHooks{});
    for (uint8_t language : {0, 1}) {
        s.Language = language;
        s.cpu_connect_state = language;  // linked and not
        s.refresh_incremental = 0;
        display.display_model_layout();
        display.model_r27_layout();
        for (int band = 0; band < 10; ++band) display.display_eq_band_limits(band);
        display.set_all_dis();
        display.display_version_line();
    }
    ASSERT_GT(view.props.size(), 100u);
    for (const auto& [name, props] : view.props)
        if (name != "FrmMain") {
            EXPECT_TRUE(in_table(name)) << name;
        }
}

}  // namespace
}  // namespace tuner::testing
