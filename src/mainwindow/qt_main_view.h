// MainView over the real widgets, found by object name in the registry.
#pragma once

#include <functional>

#include "display/main_view.h"
#include "mainwindow/control_registry.h"

class QWidget;

namespace tuner {

class PEQ;
class Limiter;

class QtMainView : public MainView {
public:
    // `window` is FrmMain (title, enabled, repaint). `ask` answers Yes/No
    // questions (the program shows a message box; tests answer themselves).
    using AskYesNo = std::function<bool(const std::string& text, const std::string& title)>;
    QtMainView(ControlRegistry& registry, QWidget* window, AskYesNo ask = {});

    void set_visible(Ctl c, bool visible) override;
    bool visible(Ctl c) const override;
    void set_enabled(Ctl c, bool enabled) override;
    bool enabled(Ctl c) const override;
    void move(Ctl c, int left_twips, int top_twips) override;
    int left(Ctl c) const override;
    int top(Ctl c) const override;
    void to_front(Ctl c) override;
    void to_back(Ctl c) override;
    void set_text(Ctl c, const std::string& text) override;
    std::string text(Ctl c) const override;
    void set_font_charset(Ctl c, int charset) override;
    void set_back_color(Ctl c, uint32_t ole) override;
    uint32_t back_color(Ctl c) const override;
    void set_fore_color(Ctl c, uint32_t ole) override;
    void set_value(Ctl c, int value) override;
    int value(Ctl c) const override;
    void set_focus(Ctl c) override;
    bool has_focus(Ctl c) const override;
    void set_slider_value(Ctl c, int32_t v) override;
    int32_t slider_value(Ctl c) const override;
    void set_slider_min(Ctl c, int32_t v) override;
    int32_t slider_min(Ctl c) const override;
    void set_slider_max(Ctl c, int32_t v) override;
    int32_t slider_max(Ctl c) const override;
    void set_slider_max_limit(Ctl c, int32_t v) override;
    int32_t slider_max_limit(Ctl c) const override;
    void slider_ui_inc(Ctl c) override;
    void slider_ui_dec(Ctl c) override;
    bool slider_dragging(Ctl c) const override;
    void peq_EQ_init(int band, int fmin, int fmax, int qmin, int qmax, int gmin, int gmax, bool q_handle) override;
    void peq_input_pre_gain(int gain_index) override;
    void peq_EqIn(int band, int type, int freq_index, int q_index, int gain_index) override;
    void peq_Set_eq_index_enable(int band, int enable) override;
    void peq_Dis_Bypass_on(int x, int y, int font_size, const std::string& text, uint32_t ole) override;
    void peq_Dis_Bypass_off() override;
    void peq_dis_peq_x(int band) override;
    int peq_select_eq_index() const override;
    void limiter_set_dis_off_bit(int flag) override;
    void limiter_set_db(int db) override;
    int limiter_db() const override;
    void repaint() override;
    bool ask_yes_no(const std::string& text, const std::string& title) override;

    PEQ* peq() const;
    Limiter* limiter() const;

private:
    const ControlRegistry::Entry* entry(Ctl c) const { return reg_.find(c.str()); }
    QWidget* widget(Ctl c) const;
    class xiSlider* slider(Ctl c) const;
    bool is_window(Ctl c) const { return c.name == "FrmMain"; }

    ControlRegistry& reg_;
    QWidget* window_;
    AskYesNo ask_;
};

}  // namespace tuner
