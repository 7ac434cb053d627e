// The control table: unique names, containers first and holding their controls,
// and every control another table names present in it.
#include <map>

#include <gtest/gtest.h>

#include "core/default_image.h"
#include "dialogs/wheel_binding.h"
#include "display/display.h"
#include "mainwindow/captions.h"
#include "mainwindow/control_table.h"
#include "support/fake_main_view.h"

namespace tuner::testing {
namespace {

bool is_menu(ControlKind k) {
    return k == ControlKind::MenuItem || k == ControlKind::MenuSeparator || k == ControlKind::MenuGroup;
}

TEST(ControlTable, NamesAreUniqueAndControlsFitTheirContainers) {
    std::map<std::string, const ControlRow*> seen;
    for (const ControlRow& row : control_table()) {
        const std::string name = row.object_name();
        EXPECT_TRUE(seen.emplace(name, &row).second) << "twice: " << name;
        if (is_menu(row.kind)) {
            if (!row.container.empty()) {
                EXPECT_EQ(seen.at(row.container)->kind, ControlKind::MenuGroup) << name << " in " << row.container;
            }
            continue;
        }
        int w = kClientWidthTwips, h = kClientHeightTwips;
        if (!row.container.empty()) {
            auto it = seen.find(row.container_object_name());
            if (it == seen.end() && row.container_index >= 0) it = seen.find(row.container);  // a tab page
            ASSERT_NE(it, seen.end()) << name << " in missing container " << row.container_object_name();
            w = it->second->width, h = it->second->height;
        }
        EXPECT_GE(row.left, 0) << name;
        EXPECT_GE(row.top, 0) << name;
        EXPECT_GT(row.width, 0) << name;
        EXPECT_GT(row.height, 0) << name;
        if (row.kind == ControlKind::Slider) {
            EXPECT_EQ((row.flags & kVertical) != 0, row.height > row.width) << name << " runs across its shape";
        }
        EXPECT_LE(row.left + row.width, w) << name << " sticks out right of " << row.container_object_name();
        EXPECT_LE(row.top + row.height, h) << name << " sticks out below " << row.container_object_name();
    }
}

// The window, a control of the table, or a tab of a tab strip ("ucXTab1(2)": the strip's tab 2).
bool in_table(const std::string& name) {
    const ControlRow* strip = find_control_row(name.substr(0, name.find('(')));
    return name == "FrmMain" || find_control_row(name) || (strip && strip->kind == ControlKind::TabStrip);
}

TEST(ControlTable, EveryControlAnotherTableNamesExists) {
    for (Ctl c : caption_targets()) EXPECT_TRUE(in_table(c.str())) << "caption target " << c.str();
    for (const WheelRoute& r : kWheelRoutes)
        for (int i = 0; i < (r.array ? 10 : 1); ++i)
            EXPECT_TRUE(in_table(wheel_target_name(r, i))) << "wheel target " << wheel_target_name(r, i);
    // Every control a full refresh of the display writes (the parameters' boxes and sliders among them), linked and
    // not, in both languages.
    AppState s;
    s.param_image = neutral_param_image();
    FakeMainView view;
    Display display(s, view, DisplayHooks{});
    for (uint8_t language : {0, 1}) {
        s.Language = language;
        s.cpu_connect_state = language;
        s.refresh_incremental = 0;
        display.display_model_layout();
        display.model_r27_layout();
        for (int band = 0; band < 10; ++band) display.display_eq_band_limits(band);
        display.set_all_dis();
        display.display_version_line();
    }
    ASSERT_GT(view.props.size(), 100u);
    for (const auto& [name, props] : view.props) EXPECT_TRUE(in_table(name)) << "written by the display: " << name;
}

}  // namespace
}  // namespace tuner::testing
