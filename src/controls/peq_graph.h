// The parametric-EQ graph widget (PEQ): paints grid, labels, curves, band
// markers, Q handles, the info text and the bypass caption from its
// PeqModel; the grid and labels are cached and rebuilt only when layout or
// colours change. Feeds the mouse to the model and keeps the design-time
// settings in a property bag.
#pragma once

#include <QImage>

#include "controls/canvas_widget.h"
#include "controls/peq_model.h"
#include "platform/canvas.h"
#include "platform/property_bag.h"

namespace tuner {

class PEQ : public CanvasWidget {
    Q_OBJECT
public:
    explicit PEQ(QWidget* parent = nullptr);

    PeqModel& model() { return model_; }
    const PeqModel& model() const { return model_; }

    // Host methods.
    void EQ_init(int16_t band, int16_t fmin, int16_t fmax, int16_t qmin, int16_t qmax, int16_t gmin, int16_t gmax,
                 bool q_handle) {
        model_.EQ_init(band, fmin, fmax, qmin, qmax, gmin, gmax, q_handle);
    }
    void peq_input_pre_gain(int gain_index) { model_.peq_input_pre_gain(gain_index); }
    void EqIn(int16_t band, int type, int freq_index, int q_index, int gain_index) {
        model_.EqIn(band, type, freq_index, q_index, gain_index);
    }
    void dis_peq_x(int16_t band) { model_.dis_peq_x(band); }
    void Set_eq_index_enable(int16_t band, uint8_t enable) { model_.Set_eq_index_enable(band, enable); }
    void Dis_Bypass_on(int16_t x, int16_t y, int16_t font_size, const QString& text, OleColor colour) {
        model_.Dis_Bypass_on(x, y, font_size, text.toStdString(), colour);
    }
    void Dis_Bypass_off() { model_.Dis_Bypass_off(); }
    void dis_text_enable(int16_t flag) { model_.dis_text_enable(flag); }
    int16_t select_eq_index() const { return model_.select_eq_index; }
    // The frequency tool's text (what TEXT_SEND_FREQ_TAB receives).
    QString send_new_freq_tab() const { return QString::fromStdString(PeqModel::send_new_freq_tab()); }

    // Colour properties (each re-lays the graph out).
    OleColor a__grid_back_color() const { return back_; }
    void set_a__grid_back_color(OleColor c) {
        back_ = c;
        model_.peq_layout();
    }
    OleColor a__grid_line_color() const { return line_; }
    void set_a__grid_line_color(OleColor c) {
        line_ = c;
        model_.peq_layout();
    }
    OleColor a__grid_text_color() const { return text_; }
    void set_a__grid_text_color(OleColor c) {
        text_ = c;
        model_.peq_layout();
    }
    OleColor a__grid_f_q_g_text_color() const { return info_; }
    void set_a__grid_f_q_g_text_color(OleColor c) {
        info_ = c;
        model_.peq_layout();
    }
    OleColor a__peq_line_total_color() const { return total_; }
    void set_a__peq_line_total_color(OleColor c) {
        total_ = c;
        model_.peq_layout();
    }
    OleColor a__peq_line_one_color() const { return one_; }
    void set_a__peq_line_one_color(OleColor c) {
        one_ = c;
        model_.peq_layout();
    }

    void read_properties(const PropertyBag& bag);
    void write_properties(PropertyBag& bag) const;

    void paint_surface(Canvas& canvas) override;
    // How many times the static background was built (for tests).
    int background_builds() const { return background_builds_; }

signals:
    void MouseMoveToPEQ(int band);
    void MouseClickEQx(int band);
    void EqOut(int band, int type, int freq_index, float freq, int q_index, float Q, float gain_index, float gain_db);
    // A message for the user ("超出设置范围"); the host shows it.
    void Message(const QString& text);

protected:
    void resizeEvent(QResizeEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;

private:
    void build_background();
    void build_labels();
    void draw_curve(Canvas& c, const EqCurveSet::Curve& curve, int width, OleColor colour) const;
    QPoint to_px(double x, double db) const;

    PeqModel model_;
    OleColor back_ = 0;
    OleColor line_ = 0x404040;
    OleColor text_ = 0xC0C0C0;
    OleColor info_ = 0xFFFF;
    OleColor total_ = 0xFFFF00;
    OleColor one_ = 0x404040;
    QImage background_;
    QImage labels_;
    bool background_stale_ = true;
    int background_builds_ = 0;
};

}  // namespace tuner
