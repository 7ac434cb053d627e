// A main window without widgets: keeps every property the rules set, answers what they read, and records each call
// as a line ("set_text Text_music_vol 30") so tests can check both the end state and what was touched.
#pragma once

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "display/main_view.h"

namespace tuner::testing {

class FakeMainView : public MainView {
public:
    struct Props {
        bool visible = true;
        bool enabled = true;
        int left = 0, top = 0;
        std::string text;
        uint32_t back = 0x8000000F, fore = 0x80000008;
        int value = 0;
        int charset = 0;
        int32_t s_value = 0, s_min = 0, s_max = 100, s_max_limit = 100;
        bool s_dragging = false;
    };

    // Raised by the slider as a user's move would be (ui_inc, ui_dec, a max_limit that lowers the value).
    std::function<void(Ctl)> on_slider_changed;

    Props& at(Ctl c) { return props[c.str()]; }
    const Props* find(Ctl c) const {
        auto it = props.find(c.str());
        return it == props.end() ? nullptr : &it->second;
    }
    // Recorded calls that start with the prefix.
    int count(const std::string& prefix) const {
        return static_cast<int>(
            std::count_if(calls.begin(), calls.end(), [&](const std::string& l) { return l.rfind(prefix, 0) == 0; }));
    }
    void clear_calls() { calls.clear(); }

    void set_visible(Ctl c, bool v) override { log("set_visible", c, v).visible = v; }
    bool visible(Ctl c) const override { return get(c).visible; }
    void set_enabled(Ctl c, bool v) override { log("set_enabled", c, v).enabled = v; }
    bool enabled(Ctl c) const override { return get(c).enabled; }
    void move(Ctl c, int l, int t) override {
        Props& p = log("move", c, std::to_string(l) + "," + std::to_string(t));
        p.left = l, p.top = t;
    }
    int left(Ctl c) const override { return get(c).left; }
    int top(Ctl c) const override { return get(c).top; }
    void to_front(Ctl c) override { log("to_front", c, ""); }
    void to_back(Ctl c) override { log("to_back", c, ""); }
    void set_text(Ctl c, const std::string& t) override { log("set_text", c, t).text = t; }
    std::string text(Ctl c) const override { return get(c).text; }
    void set_font_charset(Ctl c, int cs) override { log("set_font_charset", c, cs).charset = cs; }
    void set_back_color(Ctl c, uint32_t ole) override { log("set_back_color", c, hex(ole)).back = ole; }
    uint32_t back_color(Ctl c) const override { return get(c).back; }
    void set_fore_color(Ctl c, uint32_t ole) override { log("set_fore_color", c, hex(ole)).fore = ole; }
    void set_value(Ctl c, int v) override { log("set_value", c, v).value = v; }
    int value(Ctl c) const override { return get(c).value; }
    void set_focus(Ctl c) override { log("set_focus", c, ""), focused = c.str(); }
    bool has_focus(Ctl c) const override { return focused == c.str(); }

    // A value outside min..max is refused and listed in slider_errors.
    void set_slider_value(Ctl c, int32_t v) override {
        Props& p = log("set_slider_value", c, v);
        if (v < p.s_min || v > p.s_max) return slider_errors.push_back(c.str());
        p.s_value = v;
    }
    int32_t slider_value(Ctl c) const override { return get(c).s_value; }
    void set_slider_min(Ctl c, int32_t v) override { log("set_slider_min", c, v).s_min = v; }
    int32_t slider_min(Ctl c) const override { return get(c).s_min; }
    void set_slider_max(Ctl c, int32_t v) override { log("set_slider_max", c, v).s_max = v; }
    int32_t slider_max(Ctl c) const override { return get(c).s_max; }
    void set_slider_max_limit(Ctl c, int32_t v) override {
        Props& p = log("set_slider_max_limit", c, v);
        p.s_max_limit = v;
        if (p.s_value > v) {
            p.s_value = v;
            raise(c);
        }
    }
    int32_t slider_max_limit(Ctl c) const override { return get(c).s_max_limit; }
    void slider_ui_inc(Ctl c) override {
        Props& p = log("slider_ui_inc", c, "");
        if (p.s_value < p.s_max && p.s_value < p.s_max_limit) ++p.s_value, raise(c);
    }
    void slider_ui_dec(Ctl c) override {
        Props& p = log("slider_ui_dec", c, "");
        if (p.s_value > p.s_min) --p.s_value, raise(c);
    }
    bool slider_dragging(Ctl c) const override { return get(c).s_dragging; }

    void peq_EQ_init(int band, int fmin, int fmax, int qmin, int qmax, int gmin, int gmax, bool q) override {
        line("peq_EQ_init", band, fmin, fmax, qmin, qmax, gmin, gmax, q ? 1 : 0);
    }
    void peq_input_pre_gain(int g) override { line("peq_input_pre_gain", g); }
    void peq_EqIn(int band, int type, int f, int q, int g) override { line("peq_EqIn", band, type, f, q, g); }
    void peq_Set_eq_index_enable(int band, int e) override { line("peq_Set_eq_index_enable", band, e); }
    void peq_Dis_Bypass_on(int x, int y, int size, const std::string& t, uint32_t ole) override {
        line("peq_Dis_Bypass_on", x, y, size);
        calls.back() += " [" + t + "] " + hex(ole);
        bypass_text = t;
    }
    void peq_Dis_Bypass_off() override { line("peq_Dis_Bypass_off"), bypass_text.clear(); }
    void peq_dis_peq_x(int band) override { line("peq_dis_peq_x", band), peq_selected = band; }
    int peq_select_eq_index() const override { return peq_selected; }

    void limiter_set_dis_off_bit(int flag) override { line("limiter_set_dis_off_bit", flag); }
    void limiter_set_db(int db) override { line("limiter_set_db", db), limiter = db; }
    int limiter_db() const override { return limiter; }

    void repaint() override { line("repaint"); }
    bool ask_yes_no(const std::string& text, const std::string& title) override {
        calls.push_back("ask_yes_no [" + title + "] " + text);
        return answer_yes;
    }

    std::map<std::string, Props> props;
    std::vector<std::string> calls;
    std::vector<std::string> slider_errors;
    std::string focused;
    std::string bypass_text;
    int peq_selected = 255;
    int limiter = 0;
    bool answer_yes = true;

private:
    const Props& get(Ctl c) const {
        static const Props none;
        const Props* p = find(c);
        return p ? *p : none;
    }
    static std::string hex(uint32_t v) {
        char b[16];
        std::snprintf(b, sizeof b, "&H%08X", v);
        return b;
    }
    // Records "what name arg" and returns the control's properties.
    Props& log(const char* what, Ctl c, const std::string& arg) {
        calls.push_back(std::string(what) + " " + c.str() + " " + arg);
        return at(c);
    }
    Props& log(const char* what, Ctl c, long long arg) { return log(what, c, std::to_string(arg)); }
    // "name a b c": a call with its numbers.
    template <class... N>
    void line(const char* name, N... n) {
        std::string l = name;
        ((l += " " + std::to_string(n)), ...);
        calls.push_back(l);
    }
    void raise(Ctl c) {
        if (on_slider_changed) on_slider_changed(c);
    }
};

}  // namespace tuner::testing
