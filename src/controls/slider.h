// The slider widget (xiSlider): paints the rail, ticks, rail lines and the
// thumb from its SliderModel, feeds it the mouse, captures the wheel while
// the pointer is inside, shows the value tip, and keeps its design-time
// settings in a property bag.
#pragma once

#include <span>

#include <QImage>

#include "controls/canvas_widget.h"
#include "controls/slider_model.h"
#include "controls/wheel_capture.h"
#include "platform/canvas.h"
#include "platform/property_bag.h"

namespace tuner {

// Thumb picture drawn by the program: a fader cap of w x h pixels with its
// grip line across the direction of travel; transparent corners.
QImage make_slider_thumb(int w, int h, SliderOrientation travel, bool hovered);

class xiSlider : public CanvasWidget {
    Q_OBJECT
public:
    explicit xiSlider(QWidget* parent = nullptr);
    ~xiSlider() override;

    SliderModel& model() { return model_; }
    const SliderModel& model() const { return model_; }

    // Value model.
    int32_t Value() const { return model_.Value(); }
    void setValue(int32_t v) { model_.setValue(v); }
    int32_t min() const { return model_.min(); }
    void setMin(int32_t v) { model_.setMin(v); }
    int32_t max() const { return model_.max(); }
    void setMax(int32_t v) { model_.setMax(v); }
    int32_t max_limit() const { return model_.max_limit(); }
    void setMax_limit(int32_t v) { model_.setMax_limit(v); }
    void ui_inc() { model_.ui_inc(); }
    void ui_dec() { model_.ui_dec(); }
    void ui_Dis_Mouse_in() { model_.ui_Dis_Mouse_in(); }
    void ui_Dis_Mouse_out() { model_.ui_Dis_Mouse_out(); }

    // Appearance.
    bool Enabled() const { return model_.Enabled(); }
    void setEnabledProperty(bool e);
    OleColor BackColor() const { return back_color_; }
    void setBackColor(OleColor c) {
        back_color_ = c;
        update();
    }
    int32_t Slder_XY_ADJ() const { return xy_adj_; }
    void setSlder_XY_ADJ(int32_t v) {
        xy_adj_ = v;
        update();
    }
    int32_t Width_ADJ() const { return width_adj_; }
    void setWidth_ADJ(int32_t twips) {
        width_adj_ = twips;
        relayout();
    }
    int32_t Orientation() const { return model_.Orientation(); }
    void setOrientation(int32_t o);
    int32_t RailStyle() const { return rail_style_; }
    void setRailStyle(int32_t s) {
        rail_style_ = s;
        relayout();
    }
    QImage MouseOutSliderIcon() const { return out_icon_; }
    void setMouseOutSliderIcon(const QImage& img);
    QImage MouseInSliderIcon() const { return in_icon_; }
    void setMouseInSliderIcon(const QImage& img);
    QImage RailPicture() const { return rail_picture_; }
    void setRailPicture(const QImage& img) {
        rail_picture_ = img;
        relayout();
    }
    // Program-drawn thumbs of the given size (both states).
    void set_thumb_size(int w, int h);
    bool ShowValueTip() const { return show_tip_; }
    void setShowValueTip(bool v) { show_tip_ = v; }

    OleColor hua_slider_main_Color() const { return hua_main_color_; }
    void setHua_slider_main_Color(OleColor c) {
        hua_main_color_ = c;
        update();
    }
    OleColor hua_slider_sub_Color() const { return hua_sub_color_; }
    void setHua_slider_sub_Color(OleColor c) {
        hua_sub_color_ = c;
        update();
    }
    int32_t hua_slider_main_line_width() const { return hua_main_width_; }
    void setHua_slider_main_line_width(int32_t w) {
        hua_main_width_ = w;
        update();
    }
    int32_t hua_slider_sub_line_width() const { return hua_sub_width_; }
    void setHua_slider_sub_line_width(int32_t w) {
        hua_sub_width_ = w;
        update();
    }
    bool hua_slider_enable() const { return hua_enable_; }
    void setHua_slider_enable(bool e) {
        hua_enable_ = e;
        update();
    }

    int32_t Line_Mode() const { return line_mode_; }
    void setLine_Mode(int32_t m) {
        line_mode_ = m;
        update();
    }
    int32_t Line_Sub_Div() const { return line_sub_div_; }
    void setLine_Sub_Div(int32_t d) {
        line_sub_div_ = d;
        update();
    }
    int32_t Line_Main_Div() const { return line_main_div_; }
    void setLine_Main_Div(int32_t d) {
        line_main_div_ = d;
        update();
    }
    OleColor Line_Main_Color() const { return line_main_color_; }
    void setLine_Main_Color(OleColor c) {
        line_main_color_ = c;
        update();
    }
    OleColor Line_Sub_Color() const { return line_sub_color_; }
    void setLine_Sub_Color(OleColor c) {
        line_sub_color_ = c;
        update();
    }
    int32_t Line_Sta() const { return line_sta_; }
    void setLine_Sta(int32_t v) {
        line_sta_ = v;
        update();
    }
    int32_t Line_Main_Len() const { return line_main_len_; }
    void setLine_Main_Len(int32_t v) {
        line_main_len_ = v;
        update();
    }
    int32_t Line_Sub_Len() const { return line_sub_len_; }
    void setLine_Sub_Len(int32_t v) {
        line_sub_len_ = v;
        update();
    }

    void read_properties(const PropertyBag& bag);
    void write_properties(PropertyBag& bag) const;

    void paint_surface(Canvas& canvas) override;
    // The groove rectangle (left, top, right, bottom).
    QRect rail_rect() const { return rail_rect_; }
    // Shows the shared value tip beside the thumb; closes it.
    void show_value_tip();
    static void close_value_tip();
    // The shared tip window (null until first shown).
    static QWidget* value_tip_window();
    WheelCapture& wheel_capture() { return wheel_; }

signals:
    void Click();
    void ArrivedFirst();
    void ArrivedLast();
    void ValueChanged();
    void MouseDown(int shift);
    void MouseUp(int shift);
    void MouseIn();
    void MouseOut();
    // The out-of-range report: the host shows the text in its error box.
    void ValueError(const QString& text);

protected:
    void resizeEvent(QResizeEvent*) override;
    void showEvent(QShowEvent*) override;
    void on_pointer_down(const Pointer& p) override;
    // The second press of a double click is a press like any other.
    void on_double_click(const Pointer& p) override { on_pointer_down(p); }
    void on_pointer_move(const Pointer& p) override;
    void on_pointer_up(const Pointer& p) override;
    bool on_key_down(const Key& k) override;
    void on_pointer_entered(QPointF) override { model_.pointer_entered(); }
    void on_pointer_left() override { model_.pointer_left(); }

private:
    struct IntSetting {
        const char* key;
        int32_t xiSlider::*member;
        int32_t def;
    };
    static std::span<const IntSetting> int_settings();
    void relayout();
    void refresh_default_icons();
    bool picture_rail() const { return rail_style_ == 99 || rail_style_ == 88 || rail_style_ == 1; }
    void draw_ticks(Canvas& c, double centre) const;
    void draw_rail_lines(Canvas& c, double centre) const;

    SliderModel model_;
    WheelCapture wheel_;
    OleColor back_color_ = kSysButtonFace;
    int32_t xy_adj_ = 0;
    int32_t width_adj_ = 100;
    int32_t rail_style_ = 99;
    QImage out_icon_, in_icon_, rail_picture_;
    bool custom_icons_ = false;
    QSize thumb_size_{18, 31};
    bool show_tip_ = false;
    OleColor hua_main_color_ = 0;
    OleColor hua_sub_color_ = 0xC0C0C0;
    int32_t hua_main_width_ = 3;
    int32_t hua_sub_width_ = 6;
    bool hua_enable_ = true;
    int32_t line_mode_ = 2;
    int32_t line_sub_div_ = 5;
    int32_t line_main_div_ = 30;
    OleColor line_main_color_ = 0;
    OleColor line_sub_color_ = 0x808080;
    int32_t line_sta_ = 10;
    int32_t line_main_len_ = 6;
    int32_t line_sub_len_ = 5;
    QRect rail_rect_;
    bool in_relayout_ = false;
};

}  // namespace tuner
