// The wheel and Up/Down bindings: every bound box steps the parameter it shows, not a neighbour's.
#include <cstdlib>

#include "core/param_table.h"
#include "dialogs/wheel_binding.h"
#include "e2e_input.h"

namespace tuner::testing {
namespace {

bool reachable(WindowUnderTest& w, QWidget* c) {
    return c->isVisible() && c->isEnabled() && lands_on(w, c, in_window(w, c, c->rect().center()));
}

// Brings a control within the pointer's reach: its channel tab, or the test panel (ten releases on the version).
bool bring_up(WindowUnderTest& w, QWidget* c, const std::string& name) {
    if (name.starts_with("Text_cpu_test_data") && !w.frm->view().visible(Ctl{"Frame_cpu_test"}))
        for (int i = 0; i < 10; ++i) click(w, "Text_software_version");
    for (int tab = 0; tab < 5 && !reachable(w, c); ++tab) click_tab(w, tab);
    return reachable(w, c);
}

// Up (or Down where Up cannot move) on each bound box moves its own value one step; a wheel notch brings it back.
TEST(E2eWheel, EveryBoundBoxStepsItsOwnParameter) {
    WindowUnderTest w("e2e_wheel_routes");
    pictured_unit(w.unit, false);  // every value inside its range
    w.unit.info[cpu_info_byte::cpu_cap_echo_vr] = w.unit.info[cpu_info_byte::cpu_cap_reverb_vr] = 1;
    show_and_connect(w);
    const AppState& st = w.frm->state();
    for (const WheelRoute& route : kWheelRoutes) {
        if (route.selected_band) continue;
        const int index = route.array ? 7 : -1;
        const std::string name = wheel_target_name(route, index);
        SCOPED_TRACE(name);
        const ParamRow* row = find_param_by_text_box(route.target);
        const bool test_box = std::string_view(route.target) == "Text_cpu_test_data";
        ASSERT_TRUE(row || test_box) << "no parameter shows in " << route.target;
        const auto value = [&]() -> int32_t {
            return row ? param_get(st, *row, row->per_band ? index : 0)
                       : st.cpu_test_data[kTestDataFirstByte + static_cast<std::size_t>(index)];
        };
        QWidget* box = widget_of(w, name);
        ASSERT_NE(box, nullptr);
        ASSERT_TRUE(bring_up(w, box, name)) << "no tab shows the box";

        const int32_t start = value();
        click(w, name);
        bool up = true;
        key(w, Qt::Key_Up);
        if (value() == start) up = false, key(w, Qt::Key_Down);
        EXPECT_EQ(std::abs(value() - start), 1) << "key " << (up ? "Up" : "Down") << " from " << start;
        wheel(w, name, up ? -1 : 1);
        EXPECT_EQ(value(), start) << "wheel notch back";
    }
}

}  // namespace
}  // namespace tuner::testing
