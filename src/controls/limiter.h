// The limiter curve widget (Limiter): grid, transfer curve, the threshold
// knob and the OFF caption, painted from its LimiterModel; the knob is
// dragged vertically. Colours persist in a property bag.
#pragma once

#include <QImage>

#include "controls/canvas_widget.h"
#include "controls/limiter_model.h"
#include "platform/canvas.h"
#include "platform/property_bag.h"

namespace tuner {

class Limiter : public CanvasWidget {
    Q_OBJECT
public:
    explicit Limiter(QWidget* parent = nullptr);

    LimiterModel& model() { return model_; }

    void set_dis_off_bit(uint8_t flag) { model_.set_dis_off_bit(flag); }
    void display() { model_.display(); }
    static int16_t db_to_ui_buchang_db(float db) { return LimiterModel::db_to_ui_buchang_db(db); }
    float a__ui_db_adj() const { return model_.a__ui_db_adj(); }
    void set_a__ui_db_adj(float db) { model_.set_a__ui_db_adj(db); }

    OleColor a__ui_biaoge_back_color() const { return back_; }
    void set_a__ui_biaoge_back_color(OleColor c) {
        back_ = c;
        model_.layout();
    }
    OleColor a__ui_biaoge_line_color() const { return line_; }
    void set_a__ui_biaoge_line_color(OleColor c) {
        line_ = c;
        model_.layout();
    }
    OleColor a__ui_Limiter_line_total_color() const { return curve_; }
    void set_a__ui_Limiter_line_total_color(OleColor c) {
        curve_ = c;
        model_.layout();
    }
    OleColor a__ui_text_off_color() const { return off_text_; }
    void set_a__ui_text_off_color(OleColor c) {
        off_text_ = c;
        model_.layout();
    }

    void read_properties(const PropertyBag& bag);
    void write_properties(PropertyBag& bag) const;

    void paint_surface(Canvas& c) override;

signals:
    void output(int db);

protected:
    void resizeEvent(QResizeEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;

private:
    LimiterModel model_;
    OleColor back_ = 0;
    OleColor line_ = 0x404040;
    OleColor curve_ = 0xFFFF00;
    OleColor off_text_ = 0x404040;
};

}  // namespace tuner
