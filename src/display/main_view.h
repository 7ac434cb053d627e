// What the display and editing rules see of the tuning window: its controls
// by name (arrays with their index), and the handful of properties the rules
// read and write. The program implements it over the real widgets; tests use
// a fake that keeps the properties and records the calls. Standard C++ only,
// so the rules run and are tested without any widget.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tuner {

// One control of the main window: its name ("Text_music_vol", "key_input")
// and, for a member of a control array, its index ("key_input(6)").
struct Ctl {
    std::string_view name;
    int index = -1;

    bool operator==(const Ctl&) const = default;
    // "name" or "name(index)", the control's object name.
    std::string str() const {
        return index < 0 ? std::string(name) : std::string(name) + "(" + std::to_string(index) + ")";
    }
};

class MainView {
public:
    virtual ~MainView() = default;

    // Any control (frames, labels, pictures, boxes, buttons, sliders, menu
    // items). Positions are twips in the control's container.
    virtual void set_visible(Ctl c, bool visible) = 0;
    virtual bool visible(Ctl c) const = 0;
    virtual void set_enabled(Ctl c, bool enabled) = 0;
    virtual bool enabled(Ctl c) const = 0;
    virtual void move(Ctl c, int left_twips, int top_twips) = 0;
    virtual int left(Ctl c) const = 0;
    virtual int top(Ctl c) const = 0;
    // Z-order: brings the control in front of its siblings or sends it behind.
    virtual void to_front(Ctl c) = 0;
    virtual void to_back(Ctl c) = 0;

    // Text of a text box; caption of a label, frame, button, check box,
    // option button, menu item or tab ("ucXTab1" with the tab's index); the
    // window title is the control "FrmMain". UTF-8.
    virtual void set_text(Ctl c, const std::string& text) = 0;
    virtual std::string text(Ctl c) const = 0;
    // The character set of a control's font (1 the system's default set).
    // Only the buttons' fonts keep one; the other controls draw Unicode text
    // and have none to set.
    virtual void set_font_charset(Ctl c, int charset) = 0;
    // OLE colours (&H00BBGGRR; high bit = system colour).
    virtual void set_back_color(Ctl c, uint32_t ole) = 0;
    virtual uint32_t back_color(Ctl c) const = 0;
    virtual void set_fore_color(Ctl c, uint32_t ole) = 0;
    // Check box 0/1, option button 1 = selected (its group clears the
    // others), menu item 1 = check mark. Setting it starts no edit.
    virtual void set_value(Ctl c, int value) = 0;
    virtual int value(Ctl c) const = 0;

    // Keyboard focus (a stepper gives its box the focus first).
    virtual void set_focus(Ctl c) = 0;
    virtual bool has_focus(Ctl c) const = 0;

    // Sliders (xiSlider). Setting a Value outside min..max is refused and
    // shows the slider's error text; a Value set here raises no ValueChanged.
    // Lowering max_limit below the value lowers the value and raises
    // ValueChanged, as the slider does for a user's move.
    virtual void set_slider_value(Ctl c, int32_t v) = 0;
    virtual int32_t slider_value(Ctl c) const = 0;
    virtual void set_slider_min(Ctl c, int32_t v) = 0;
    virtual int32_t slider_min(Ctl c) const = 0;
    virtual void set_slider_max(Ctl c, int32_t v) = 0;
    virtual int32_t slider_max(Ctl c) const = 0;
    virtual void set_slider_max_limit(Ctl c, int32_t v) = 0;
    virtual int32_t slider_max_limit(Ctl c) const = 0;
    // One step up / down within the limits, raising ValueChanged when it moved.
    virtual void slider_ui_inc(Ctl c) = 0;
    virtual void slider_ui_dec(Ctl c) = 0;
    // The user is dragging the slider's thumb.
    virtual bool slider_dragging(Ctl c) const = 0;

    // The EQ graph "PEQ".
    virtual void peq_EQ_init(int band, int fmin, int fmax, int qmin, int qmax, int gmin, int gmax, bool q_handle) = 0;
    virtual void peq_input_pre_gain(int gain_index) = 0;
    virtual void peq_EqIn(int band, int type, int freq_index, int q_index, int gain_index) = 0;
    virtual void peq_Set_eq_index_enable(int band, int enable) = 0;
    virtual void peq_Dis_Bypass_on(int x, int y, int font_size, const std::string& text, uint32_t ole) = 0;
    virtual void peq_Dis_Bypass_off() = 0;
    virtual void peq_dis_peq_x(int band) = 0;
    virtual int peq_select_eq_index() const = 0;

    // The limiter curve "Limiter_drc".
    virtual void limiter_set_dis_off_bit(int flag) = 0;
    virtual void limiter_set_db(int db) = 0;
    virtual int limiter_db() const = 0;

    // Repaints the main window at once (slider drags of EQ and volumes).
    virtual void repaint() = 0;
    // Modal Yes/No question; true for Yes.
    virtual bool ask_yes_no(const std::string& text, const std::string& title) = 0;
};

}  // namespace tuner
