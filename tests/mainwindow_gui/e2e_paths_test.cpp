// Every value the window edits against every input path the window offers for it, end to end: typed and committed
// by Return, by the keypad's Enter and by leaving the box; the arrow keys and the wheel (the steppers); the slider;
// the EQ graph. Each edit is checked in the frame the unit receives and in the box, the slider and the graph.
#include <cmath>
#include <functional>

#include "controls/limiter.h"
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
int band_of(const ParamRow& r) { return r.per_band ? kBand : -1; }  // rows not per band ignore the band

// The value a box shows and a slider holds for a stored value (the threshold's magnitude is shown negative).
double shown(const AppState& s, const ParamRow& r, int32_t v) {
    return r.kind == ParamKind::DrcThreshold ? -v : param_shown_value(s, r, v);
}
int32_t on_slider(const ParamRow& r, int32_t v) { return r.kind == ParamKind::DrcThreshold ? -v : v; }

class E2ePaths : public ::testing::Test {
protected:
    void SetUp() override {
        w.unit.info[cpu_info_byte::cpu_cap_echo_vr] = w.unit.info[cpu_info_byte::cpu_cap_reverb_vr] = 1;
        for (FrameImage& eq : w.unit.image.eq) {    // on every channel a tab may show
            eq[eq_frame::eq_x_enable + kBand] = 1;  // the graph shows a marker to grab, amid the graph
            eq[eq_frame::eq_type + kBand] = eq_type::peaking;
            eq[eq_frame::eq_q_peq + kBand] = 40;
            set_eq_freq(eq, kBand, 200);
        }
        show_and_connect(w);
    }
    const AppState& s() { return w.frm->state(); }
    int32_t stored(const ParamRow& r) { return param_get(s(), r, kBand); }
    std::string box(const ParamRow& r) { return Ctl{r.text_box, band_of(r)}.str(); }

    // Stored limits: the volume slider's for the volumes and their limits, else the row's (the threshold's magnitude).
    std::pair<int32_t, int32_t> limits(const ParamRow& r) {
        const Ctl slider{r.limit_slider.empty() ? r.slider : r.limit_slider};
        if (r.kind == ParamKind::DrcThreshold) return {-r.max, -r.min};
        if (r.kind != ParamKind::Volume && r.limit_slider.empty()) return {r.min, r.max};
        return {w.frm->view().slider_min(slider), w.frm->view().slider_max(slider)};
    }

    // Runs the edit; the unit's frame and the window then hold `want` (any new value when none), shown everywhere.
    void expect_edit(const ParamRow& r, const std::string& path, const std::function<void()>& act,
                     std::optional<int32_t> want = {}) {
        SCOPED_TRACE(std::string(r.name) + " by " + path);
        const int32_t before = stored(r);
        AppState only_this = s();  // the window with this edit alone; an input goes out once, then stays with the unit
        only_this.param_image.gen[gen_frame::music_input_sel] = 255;
        const FrameImage sent = write_after(w, command_of(r), act, 4, true);
        const int32_t now = stored(r);
        param_set(only_this, r, now, kBand);
        EXPECT_TRUE(same_payload(param_frame(only_this, r), param_frame(s(), r))) << "the window's frame besides it";
        if (want) {
            EXPECT_EQ(now, *want) << "stored, from " << before;
        } else {
            EXPECT_NE(now, before) << "stored";
        }
        AppState probe = s();
        param_frame(probe, r) = sent;
        EXPECT_EQ(param_get(probe, r, kBand), now) << "sent at offset " << param_offset(s(), r, kBand);
        FrameImage window = param_frame(s(), r);
        if (command_of(r) == cmd::gen)
            window[gen_frame::music_input_sel] = sent[gen_frame::music_input_sel];  // sent once
        EXPECT_TRUE(same_payload(sent, window)) << "the frame sent and the window's";
        if (r.frame == ParamFrame::Eq) {
            EXPECT_EQ(sent[eq_frame::EQ_CH], s().eq_channel_sel) << "channel byte";
        }
        expect_shown(r);
    }

    // The box, the slider, the graph and the compressor's curve all show the stored value (a graph being dragged
    // follows the pointer between the stored steps).
    void expect_shown(const ParamRow& r, bool graph_dragged = false) {
        const int32_t now = stored(r);
        const std::string text = w.frm->view().text(Ctl{r.text_box, band_of(r)});
        EXPECT_NEAR(parse_number_text(text).value_or(-1e9), shown(s(), r, now), 0.051) << "box " << text;
        if (!r.slider.empty()) {
            EXPECT_EQ(w.frm->view().slider_value(Ctl{r.slider, band_of(r)}), on_slider(r, now)) << "slider";
        }
        // The graph and the compressor's curve, as far off the stored value as they show it.
        const PeqModel& graph = w.frm->view().peq()->model();
        const std::map<ParamKind, double> off{
            {ParamKind::EqFreq, graph.band(kBand).band_freq_index - now},
            {ParamKind::EqQ, graph.band(kBand).band_q_index - now},
            {ParamKind::EqDb, graph.band(kBand).band_gain_db - shown(s(), r, now)},
            {ParamKind::EqPreGain, graph.pre_gain_db() - shown(s(), r, now)},
            {ParamKind::DrcThreshold, w.frm->view().limiter_db() - shown(s(), r, now)}};
        if (!graph_dragged) {
            EXPECT_NEAR(off.contains(r.kind) ? off.at(r.kind) : 0, 0, 0.01) << "graph or curve";
        }
    }

    std::function<void()> held(const ParamRow& r, bool graph_dragged = false) {
        return [this, &r, graph_dragged] {
            SCOPED_TRACE("while the button is held");
            expect_shown(r, graph_dragged);
        };
    }

    bool reachable(QWidget* c) {
        return c->isVisible() && c->isEnabled() && lands_on(w, c, in_window(w, c, c->rect().center()));
    }
    QPoint centre(GraphRect r) {
        const PeqModel& m = w.frm->view().peq()->model();
        return QPoint(std::lround(m.px_x((r.left + r.right) / 2)), std::lround(m.px_y((r.top + r.bottom) / 2)));
    }

    WindowUnderTest w{"e2e_paths"};
};

TEST_F(E2ePaths, EveryValueByEveryPath) {
    PEQ* graph = w.frm->view().peq();
    // The graph's drags, each of one value and away from the top: the marker left, the marker down, a Q handle out.
    const std::map<ParamKind, QPoint> graph_drags{
        {ParamKind::EqFreq, {-40, 0}}, {ParamKind::EqDb, {0, 30}}, {ParamKind::EqQ, {25, 0}}};
    for (const ParamRow& r : param_table()) {
        QWidget* shown_box = widget_of(w, box(r));
        for (int tab = 0; tab < 5 && !reachable(shown_box); ++tab) click_tab(w, tab);
        ASSERT_TRUE(reachable(shown_box)) << "no tab shows " << box(r);
        const auto [lo, hi] = limits(r);
        const int32_t top = shown(s(), r, hi) > shown(s(), r, lo) ? hi : lo;  // the end shown highest
        // Typed values at the bottom, amid the range and at the top, committed three ways.
        const std::vector<std::pair<std::string, std::function<void()>>> commits{
            {"Return", [&] { key(w, Qt::Key_Return); }},
            {"keypad Enter", [&] { QTest::keyClick(handle(w), Qt::Key_Enter, Qt::KeypadModifier); }},
            {"leaving the box", [&] { key(w, Qt::Key_Tab); }}};
        for (std::size_t i = 0; i < commits.size(); ++i) {
            int32_t want = std::array{lo + hi - top, (lo + hi) / 2, top}[i];
            if (want == stored(r)) want += top > want ? 1 : -1;  // a write each time
            const std::string text = QString::number(shown(s(), r, want), 'g', 7).toStdString();
            const auto typing = [&] {
                click(w, box(r));
                type(w, text);
                commits[i].second();
            };
            expect_edit(r, "typing " + text + " then " + commits[i].first, typing, want);
        }
        // One step down from the top and one back up to it, by the keys and by each wheel route.
        auto down_by_one = [&](const std::string& path, const std::function<void()>& act) {
            expect_edit(r, path, act);
            EXPECT_EQ(std::abs(stored(r) - top), 1) << r.name << " by " << path;
            EXPECT_LT(shown(s(), r, stored(r)), shown(s(), r, top)) << r.name << " by " << path << ": not down";
        };
        down_by_one("Down", [&] {
            click(w, box(r));
            key(w, Qt::Key_Down);
        });
        expect_edit(
            r, "Up", [&] { key(w, Qt::Key_Up); }, top);
        for (const WheelRoute& route : kWheelRoutes) {
            if (route.stepper != r.name) continue;
            const std::string target = wheel_target_name(route, kBand);
            if (route.selected_band) click(w, target, centre(graph->model().marker_rect(kBand)));
            down_by_one("wheel on " + target, [&] { wheel(w, target, -1); });
            expect_edit(
                r, "wheel back on " + target, [&] { wheel(w, target, 1); }, top);
        }
        if (!r.slider.empty()) {  // the slider's own wheel, the pointer over it, and a drag of its thumb
            const std::string target = Ctl{r.slider, band_of(r)}.str();
            down_by_one("wheel on " + target, [&] { wheel(w, target, -1); });
            expect_edit(
                r, "wheel back on " + target, [&] { wheel(w, target, 1); }, top);
            auto* slider = w.frm->registry().get<xiSlider>(Ctl{r.slider, band_of(r)}.str());
            const int32_t to =
                (slider->Value() + (slider->Value() == slider->min() ? slider->max() : slider->min())) / 2;
            expect_edit(r, "its slider", [&] {
                drag(w, slider, thumb_centre(slider, slider->Value()), thumb_centre(slider, to), 6, held(r));
            });
        }
        if (r.kind == ParamKind::DrcThreshold) {  // the knob on the compressor's curve, to -20 dB
            const LimiterModel& m = w.frm->view().limiter()->model();
            const auto k = m.knob_rect();
            const QPoint knob(std::lround((k.left + k.right) / 2.0), std::lround((k.top + k.bottom) / 2.0));
            const QPoint to(std::lround(m.px_x(-20)), std::lround(m.px_y(-20)));
            expect_edit(
                r, "the curve", [&] { drag(w, w.frm->view().limiter(), knob, to, 1, held(r)); }, 20);
        }
        if (!graph_drags.contains(r.kind)) continue;
        QPoint from = centre(graph->model().marker_rect(kBand));
        if (r.kind == ParamKind::EqQ) {  // the band chosen first shows its Q handles
            // The click takes the keyboard from the box last edited, whose leaving goes out first: the frame
            // then looked for is the drag's own.
            click_at(w, in_window(w, graph, from));
            w.ticks(4);
            from = centre(graph->model().q_right().rect);
        }
        expect_edit(r, "the graph", [&] { drag(w, graph, from, from + graph_drags.at(r.kind), 8, held(r, true)); });
    }
}

}  // namespace
}  // namespace tuner::testing
