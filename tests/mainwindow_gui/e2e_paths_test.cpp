// Every value the window edits against every input path the window offers for it, end to end: typed and committed
// by Return, by the keypad's Enter and by leaving the box; the arrow keys and the wheel (the steppers); the slider;
// the EQ graph. Each edit is checked in the frame the unit receives and in the box, the slider and the graph.
#include <cmath>
#include <functional>

#include "controls/peq_graph.h"
#include "core/param_table.h"
#include "core/value_tables.h"
#include "dialogs/wheel_binding.h"
#include "e2e_input.h"

namespace tuner::testing {
namespace {

constexpr int kBand = 3;  // the band the EQ rows are edited on

uint8_t command_of(const ParamRow& r) {
    if (r.frame == ParamFrame::Eff) return cmd::effect;
    return r.frame == ParamFrame::Eq ? cmd::eq : cmd::gen;
}
int band_of(const ParamRow& r) { return r.per_band ? kBand : -1; }

// The value a box shows and a slider holds for a stored value (the threshold's magnitude is shown negative).
double shown(const AppState& s, const ParamRow& r, int32_t v) {
    return r.kind == ParamKind::DrcThreshold ? -v : param_shown_value(s, r, v);
}
int32_t on_slider(const ParamRow& r, int32_t v) { return r.kind == ParamKind::DrcThreshold ? -v : v; }

class E2ePaths : public ::testing::Test {
protected:
    void SetUp() override {
        pictured_unit(w.unit, false);  // every value inside its range
        w.unit.info[cpu_info_byte::cpu_cap_echo_vr] = w.unit.info[cpu_info_byte::cpu_cap_reverb_vr] = 1;
        FrameImage& eq = w.unit.image.eq[0];
        eq[eq_frame::eq_x_enable + kBand] = 1;  // the graph shows a marker to grab, amid the graph
        eq[eq_frame::eq_type + kBand] = eq_type::peaking;
        eq[eq_frame::eq_q_peq + kBand] = 40;
        set_eq_freq(eq, kBand, 200);
        show_and_connect(w);
    }
    const AppState& s() { return w.frm->state(); }
    int32_t stored(const ParamRow& r) { return param_get(s(), r, std::max(band_of(r), 0)); }
    std::string box(const ParamRow& r) { return Ctl{r.text_box, band_of(r)}.str(); }

    // Stored limits: from the slider the box is limited by, else the row's (the threshold's magnitude).
    std::pair<int32_t, int32_t> limits(const ParamRow& r) {
        if (r.kind == ParamKind::DrcThreshold) return {-r.max, -r.min};
        const std::string_view slider = r.limit_slider.empty() ? r.slider : r.limit_slider;
        if (slider.empty() || r.per_band || r.kind == ParamKind::EqPreGain) return {r.min, r.max};
        return {w.frm->view().slider_min(Ctl{slider}), w.frm->view().slider_max(Ctl{slider})};
    }

    // Runs the edit; the unit's frame and the window then hold `want` (any new value when none), shown everywhere.
    void expect_edit(const ParamRow& r, const std::string& path, const std::function<void()>& act,
                     std::optional<int32_t> want = {}) {
        SCOPED_TRACE(std::string(r.name) + " by " + path);
        const int32_t before = stored(r);
        const FrameImage sent = write_after(w, command_of(r), act);
        const int32_t now = stored(r);
        if (want) {
            EXPECT_EQ(now, *want) << "stored, from " << before;
        } else {
            EXPECT_NE(now, before) << "stored";
        }
        AppState probe = s();
        param_frame(probe, r) = sent;
        EXPECT_EQ(param_get(probe, r, std::max(band_of(r), 0)), now) << "sent at offset " << param_offset(s(), r, 3);
        FrameImage window = param_frame(s(), r);
        if (command_of(r) == cmd::gen)
            window[gen_frame::music_input_sel] = sent[gen_frame::music_input_sel];  // sent once
        EXPECT_TRUE(same_payload(sent, window)) << "the frame sent and the window's";
        if (r.frame == ParamFrame::Eq) {
            EXPECT_EQ(sent[eq_frame::EQ_CH], s().eq_channel_sel) << "channel byte";
        }
        const std::string text = w.frm->view().text(Ctl{r.text_box, band_of(r)});
        EXPECT_NEAR(parse_number_text(text).value_or(-1e9), shown(s(), r, now), 0.051) << "box " << text;
        if (!r.slider.empty()) {
            EXPECT_EQ(w.frm->view().slider_value(Ctl{r.slider, band_of(r)}), on_slider(r, now)) << "slider";
        }
        const PeqModel& graph = w.frm->view().peq()->model();
        const PeqBand& b = graph.band(kBand);
        const std::map<ParamKind, double> on_graph{{ParamKind::EqFreq, b.band_freq_index},
                                                   {ParamKind::EqQ, b.band_q_index},
                                                   {ParamKind::EqDb, b.band_gain_db},
                                                   {ParamKind::EqPreGain, graph.pre_gain_db()}};
        if (on_graph.contains(r.kind)) {
            EXPECT_NEAR(on_graph.at(r.kind),
                        r.kind == ParamKind::EqFreq || r.kind == ParamKind::EqQ ? now : shown(s(), r, now), 0.01)
                << "graph";
        }
    }

    bool reachable(QWidget* c) {
        return c->isVisible() && c->isEnabled() && lands_on(w, c, in_window(w, c, c->rect().center()));
    }
    bool bring_up(const std::string& name) {
        QWidget* c = widget_of(w, name);
        for (int tab = 0; tab < 5 && c && !reachable(c); ++tab) click_tab(w, tab);
        return c && reachable(c);
    }
    // A marker of the graph, in the graph's pixels.
    QPoint marker() {
        const PeqModel& m = w.frm->view().peq()->model();
        const GraphRect r = m.marker_rect(kBand);
        return QPoint(std::lround(m.px_x((r.left + r.right) / 2)), std::lround(m.px_y((r.top + r.bottom) / 2)));
    }

    WindowUnderTest w{"e2e_paths"};
};

TEST_F(E2ePaths, EveryValueByEveryPath) {
    for (const ParamRow& r : param_table()) {
        ASSERT_TRUE(bring_up(box(r))) << "no tab shows " << box(r);
        const auto [lo, hi] = limits(r);
        // Typed values a fifth, two and three fifths into the range, committed three ways.
        const std::vector<std::pair<std::string, std::function<void()>>> commits{
            {"Return", [&] { key(w, Qt::Key_Return); }},
            {"keypad Enter", [&] { QTest::keyClick(handle(w), Qt::Key_Enter, Qt::KeypadModifier); }},
            {"leaving the box", [&] { key(w, Qt::Key_Tab); }}};
        for (std::size_t i = 0; i < commits.size(); ++i) {
            int32_t want = lo + (hi - lo) * static_cast<int32_t>(i + 1) / 5;
            if (want == stored(r)) ++want;
            const std::string text = QString::number(shown(s(), r, want), 'g', 7).toStdString();
            expect_edit(
                r, "typing " + text + " then " + commits[i].first,
                [&] {
                    click(w, box(r));
                    type(w, text);
                    commits[i].second();
                },
                want);
        }
        const int32_t mid = stored(r);
        auto up_by_one = [&](const std::string& path, const std::function<void()>& act) {
            expect_edit(r, path, act);
            EXPECT_EQ(std::abs(stored(r) - mid), 1) << r.name << " by " << path;
            EXPECT_GT(shown(s(), r, stored(r)), shown(s(), r, mid)) << r.name << " by " << path << ": not up";
        };
        up_by_one("Up", [&] {
            click(w, box(r));
            key(w, Qt::Key_Up);
        });
        expect_edit(
            r, "Down", [&] { key(w, Qt::Key_Down); }, mid);
        for (const WheelRoute& route : kWheelRoutes) {
            if (route.stepper != r.name) continue;
            const std::string target = wheel_target_name(route, kBand);
            if (route.selected_band) click(w, target, marker());
            up_by_one("wheel on " + target, [&] { wheel(w, target, 1); });
            expect_edit(
                r, "wheel back on " + target, [&] { wheel(w, target, -1); }, mid);
        }
        if (!r.slider.empty()) {
            const std::string name = Ctl{r.slider, band_of(r)}.str();
            auto* slider = w.frm->registry().get<xiSlider>(name);
            ASSERT_NE(slider, nullptr) << name;
            const int32_t to = slider->Value() == slider->min() ? slider->max() : slider->min();
            expect_edit(r, "dragging " + name, [&] {
                drag(w, slider, thumb_centre(slider, slider->Value()),
                     thumb_centre(slider, (slider->Value() + to) / 2));
            });
        }
    }
}

// The graph's drags each move one value of the band: the marker across (frequency), up (gain), a Q handle (Q).
TEST_F(E2ePaths, GraphDragsMoveOneValueEach) {
    PEQ* graph = w.frm->view().peq();
    const std::vector<std::pair<const ParamRow*, QPoint>> drags{
        {find_param("eq_freq"), {40, 0}}, {find_param("eq_db"), {0, -30}}, {find_param("eq_q"), {-25, 0}}};
    for (const auto& [row, by] : drags) {
        std::map<const ParamRow*, int32_t> others;
        for (const auto& [other, unused] : drags) others[other] = stored(*other);
        expect_edit(*row, "the graph", [&, row = row, by = by] {
            QPoint from = marker();
            if (row->kind == ParamKind::EqQ) {
                click_at(w, in_window(w, graph, from));
                const GraphRect h = graph->model().q_right().rect;
                from = QPoint(std::lround(graph->model().px_x((h.left + h.right) / 2)),
                              std::lround(graph->model().px_y((h.top + h.bottom) / 2)));
            }
            drag(w, graph, from, from + by, 8);
        });
        for (const auto& [other, before] : others)
            if (other != row) {
                EXPECT_EQ(stored(*other), before) << other->name << " moved by the drag of " << row->name;
            }
    }
}

}  // namespace
}  // namespace tuner::testing
