#include "mainwindow/qt_main_view.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>

#include "buttons/qb_buttons_h.h"
#include "controls/limiter.h"
#include "controls/param_text_box.h"
#include "controls/peq_graph.h"
#include "controls/slider.h"
#include "platform/message_box.h"
#include "platform/ole_color.h"
#include "platform/twips.h"
#include "platform/window_helpers.h"
#include "tabs/xtab.h"

namespace tuner {

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }
std::string ss(const QString& s) { return s.toStdString(); }

// A menu group is kept as its QMenu; its visible / enabled / caption live on its action.
QAction* action_of(QObject* o) {
    if (auto* a = qobject_cast<QAction*>(o)) return a;
    if (auto* m = qobject_cast<QMenu*>(o)) return m->menuAction();
    return nullptr;
}

// The user types in a box that has the focus; a parameter box keeps it
// while another window (the progress wait) holds the keyboard.
bool user_types_in(const QLineEdit* le) {
    if (const auto* box = qobject_cast<const ParamTextBox*>(le)) return box->has_logical_focus();
    return le->hasFocus();
}

// A text set by the program shows from its start, as a text box does; the box
// the user types in keeps the cursor where the text put it. A box given the
// text it already shows keeps its cursor and its pixels (setting it again
// would move the cursor to the end and back, and repaint the box, its frame
// and the window behind it).
void set_box_text(QLineEdit* le, const QString& t) {
    const bool typing = user_types_in(le);
    if (le->text() != t)
        le->setText(t);
    else if (typing)
        return;
    if (!typing && le->cursorPosition() != 0) le->setCursorPosition(0);
}

}  // namespace

QtMainView::QtMainView(ControlRegistry& registry, QWidget* window, AskYesNo ask)
    : reg_(registry), window_(window), ask_(std::move(ask)) {}

QWidget* QtMainView::widget(Ctl c) const {
    if (is_window(c)) return window_;
    const auto* e = entry(c);
    return e ? qobject_cast<QWidget*>(e->object.data()) : nullptr;
}

xiSlider* QtMainView::slider(Ctl c) const { return qobject_cast<xiSlider*>(widget(c)); }
PEQ* QtMainView::peq() const { return reg_.get<PEQ>("PEQ"); }
Limiter* QtMainView::limiter() const { return reg_.get<Limiter>("Limiter_drc"); }

void QtMainView::set_visible(Ctl c, bool v) {
    if (const auto* e = entry(c); e && action_of(e->object)) return action_of(e->object)->setVisible(v);
    if (QWidget* w = widget(c)) w->setVisible(v);
}

bool QtMainView::visible(Ctl c) const {
    if (const auto* e = entry(c); e && action_of(e->object)) return action_of(e->object)->isVisible();
    const QWidget* w = widget(c);
    return w && !w->isHidden();
}

void QtMainView::set_enabled(Ctl c, bool v) {
    if (const auto* e = entry(c); e && action_of(e->object)) return action_of(e->object)->setEnabled(v);
    if (auto* s = slider(c)) s->setEnabledProperty(v);
    if (QWidget* w = widget(c)) w->setEnabled(v);
}

bool QtMainView::enabled(Ctl c) const {
    if (const auto* e = entry(c); e && action_of(e->object)) return action_of(e->object)->isEnabled();
    const QWidget* w = widget(c);
    return w && !w->testAttribute(Qt::WA_Disabled);
}

void QtMainView::move(Ctl c, int l, int t) {
    QWidget* w = widget(c);
    if (!w || is_window(c)) return;
    w->move(twips_to_px(l), twips_to_px(t));
    w->setProperty("left_twips", l);
    w->setProperty("top_twips", t);
}

int QtMainView::left(Ctl c) const {
    const QWidget* w = widget(c);
    if (!w) return 0;
    const QVariant v = w->property("left_twips");
    return v.isValid() && twips_to_px(v.toInt()) == w->x() ? v.toInt() : px_to_twips(w->x());
}

int QtMainView::top(Ctl c) const {
    const QWidget* w = widget(c);
    if (!w) return 0;
    const QVariant v = w->property("top_twips");
    return v.isValid() && twips_to_px(v.toInt()) == w->y() ? v.toInt() : px_to_twips(w->y());
}

void QtMainView::to_front(Ctl c) {
    if (QWidget* w = widget(c)) w->raise();
}
void QtMainView::to_back(Ctl c) {
    if (QWidget* w = widget(c)) w->lower();
}

void QtMainView::set_text(Ctl c, const std::string& text) {
    const QString t = qs(text);
    if (is_window(c)) {
        if (window_ && window_->windowTitle() != t) set_unicode_caption(window_, text);
        return;
    }
    const auto* e = entry(c);
    // Owner-drawn strips and buttons re-render their whole face on every
    // set, so a caption they already show is left alone.
    if (!e && c.index >= 0) {
        auto* strip = reg_.get<XTab>(std::string(c.name));
        if (strip && !(c.index < strip->TabCount() && strip->TabCaption(c.index) == t))
            strip->setTabCaption(c.index, t);
        return;
    }
    if (!e) return;
    QObject* o = e->object;
    if (QAction* a = action_of(o)) {
        if (a->text() != t) a->setText(t);
        return;
    }
    if (auto* b = qobject_cast<qbButtons_H*>(o)) {
        if (b->Caption() != t) b->setCaption(t);
        return;
    }
    // The refresh sets every text again on each poll: a text already shown
    // is left alone, so an unchanged window repaints nothing.
    if (auto* g = qobject_cast<QGroupBox*>(o)) {
        if (g->title() != t) g->setTitle(t);
        return;
    }
    if (auto* le = qobject_cast<QLineEdit*>(o)) return set_box_text(le, t);
    if (auto* ab = qobject_cast<QAbstractButton*>(o)) {
        if (ab->text() != t) ab->setText(t);
        return;
    }
    if (auto* l = qobject_cast<QLabel*>(o)) {
        if (l->text() != t) l->setText(t);
    }
}

std::string QtMainView::text(Ctl c) const {
    if (is_window(c)) return ss(window_->windowTitle());
    const auto* e = entry(c);
    if (!e && c.index >= 0) {
        if (auto* strip = reg_.get<XTab>(std::string(c.name))) return ss(strip->TabCaption(c.index));
        return {};
    }
    if (!e) return {};
    QObject* o = e->object;
    if (QAction* a = action_of(o)) return ss(a->text());
    if (auto* b = qobject_cast<qbButtons_H*>(o)) return ss(b->Caption());
    if (auto* g = qobject_cast<QGroupBox*>(o)) return ss(g->title());
    if (auto* le = qobject_cast<QLineEdit*>(o)) return ss(le->text());
    if (auto* ab = qobject_cast<QAbstractButton*>(o)) return ss(ab->text());
    if (auto* l = qobject_cast<QLabel*>(o)) return ss(l->text());
    return {};
}

void QtMainView::set_font_charset(Ctl c, int charset) {
    auto* b = qobject_cast<qbButtons_H*>(widget(c));
    if (!b || b->Font().charset == charset) return;
    FontSpec font = b->Font();
    font.charset = charset;
    b->setFont(font);
}

void QtMainView::set_back_color(Ctl c, uint32_t ole) {
    QWidget* w = widget(c);
    if (!w) return;
    w->setProperty("back_ole", ole);
    if (auto* b = qobject_cast<qbButtons_H*>(w)) {
        if (b->BackColor() != static_cast<OleColor>(ole)) b->setBackColor(ole);  // a set re-renders the face
        return;
    }
    if (auto* s = qobject_cast<xiSlider*>(w)) return s->setBackColor(ole);
    QPalette p = w->palette();
    p.setColor(qobject_cast<QLineEdit*>(w) ? QPalette::Base : QPalette::Window, to_qcolor(ole));
    w->setPalette(p);
    if (!qobject_cast<QLineEdit*>(w)) w->setAutoFillBackground(true);
}

uint32_t QtMainView::back_color(Ctl c) const {
    const QWidget* w = widget(c);
    if (!w) return 0;
    if (auto* b = qobject_cast<const qbButtons_H*>(w)) return b->BackColor();
    const QVariant v = w->property("back_ole");
    return v.isValid() ? v.toUInt() : kSysButtonFace;
}

void QtMainView::set_fore_color(Ctl c, uint32_t ole) {
    QWidget* w = widget(c);
    if (!w) return;
    if (auto* box = qobject_cast<ParamTextBox*>(w)) return box->set_fore_color(ole);
    QPalette p = w->palette();
    p.setColor(qobject_cast<QLineEdit*>(w) ? QPalette::Text : QPalette::WindowText, to_qcolor(ole));
    w->setPalette(p);
}

void QtMainView::set_value(Ctl c, int value) {
    const auto* e = entry(c);
    if (!e) return;
    QObject* o = e->object;
    if (auto* a = qobject_cast<QAction*>(o)) return a->setChecked(value != 0);
    if (auto* cb = qobject_cast<QCheckBox*>(o)) {
        if (value == 2) cb->setTristate(true);
        return cb->setCheckState(value == 0 ? Qt::Unchecked : value == 2 ? Qt::PartiallyChecked : Qt::Checked);
    }
    if (auto* rb = qobject_cast<QRadioButton*>(o)) {
        if (value != 0) return rb->setChecked(true);  // the group clears the others
        rb->setAutoExclusive(false);
        rb->setChecked(false);
        rb->setAutoExclusive(true);
    }
}

int QtMainView::value(Ctl c) const {
    const auto* e = entry(c);
    if (!e) return 0;
    QObject* o = e->object;
    if (auto* a = qobject_cast<QAction*>(o)) return a->isChecked() ? 1 : 0;
    if (auto* cb = qobject_cast<QCheckBox*>(o))
        return cb->checkState() == Qt::Checked ? 1 : cb->checkState() == Qt::PartiallyChecked ? 2 : 0;
    if (auto* rb = qobject_cast<QRadioButton*>(o)) return rb->isChecked() ? 1 : 0;
    return 0;
}

void QtMainView::set_focus(Ctl c) {
    if (QWidget* w = widget(c)) w->setFocus(Qt::OtherFocusReason);
}

bool QtMainView::has_focus(Ctl c) const {
    const QWidget* w = widget(c);
    if (auto* box = qobject_cast<const ParamTextBox*>(w)) return box->has_logical_focus();
    return w && w->hasFocus();
}

void QtMainView::set_slider_value(Ctl c, int32_t v) {
    if (auto* s = slider(c)) s->setValue(v);
}
int32_t QtMainView::slider_value(Ctl c) const {
    auto* s = slider(c);
    return s ? s->Value() : 0;
}
void QtMainView::set_slider_min(Ctl c, int32_t v) {
    if (auto* s = slider(c)) s->setMin(v);
}
int32_t QtMainView::slider_min(Ctl c) const {
    auto* s = slider(c);
    return s ? s->min() : 0;
}
void QtMainView::set_slider_max(Ctl c, int32_t v) {
    if (auto* s = slider(c)) s->setMax(v);
}
int32_t QtMainView::slider_max(Ctl c) const {
    auto* s = slider(c);
    return s ? s->max() : 0;
}
void QtMainView::set_slider_max_limit(Ctl c, int32_t v) {
    if (auto* s = slider(c)) s->setMax_limit(v);
}
int32_t QtMainView::slider_max_limit(Ctl c) const {
    auto* s = slider(c);
    return s ? s->max_limit() : 0;
}
void QtMainView::slider_ui_inc(Ctl c) {
    if (auto* s = slider(c)) s->ui_inc();
}
void QtMainView::slider_ui_dec(Ctl c) {
    if (auto* s = slider(c)) s->ui_dec();
}
bool QtMainView::slider_dragging(Ctl c) const {
    auto* s = slider(c);
    return s && s->model().dragging();
}

void QtMainView::peq_EQ_init(int band, int fmin, int fmax, int qmin, int qmax, int gmin, int gmax, bool q_handle) {
    if (auto* p = peq())
        p->EQ_init(static_cast<int16_t>(band), static_cast<int16_t>(fmin), static_cast<int16_t>(fmax),
                   static_cast<int16_t>(qmin), static_cast<int16_t>(qmax), static_cast<int16_t>(gmin),
                   static_cast<int16_t>(gmax), q_handle);
}
void QtMainView::peq_input_pre_gain(int gain_index) {
    if (auto* p = peq()) p->peq_input_pre_gain(gain_index);
}
void QtMainView::peq_EqIn(int band, int type, int freq_index, int q_index, int gain_index) {
    if (auto* p = peq()) p->EqIn(static_cast<int16_t>(band), type, freq_index, q_index, gain_index);
}
void QtMainView::peq_Set_eq_index_enable(int band, int enable) {
    if (auto* p = peq()) p->Set_eq_index_enable(static_cast<int16_t>(band), static_cast<uint8_t>(enable));
}
void QtMainView::peq_Dis_Bypass_on(int x, int y, int font_size, const std::string& text, uint32_t ole) {
    if (auto* p = peq())
        p->Dis_Bypass_on(static_cast<int16_t>(x), static_cast<int16_t>(y), static_cast<int16_t>(font_size), qs(text),
                         ole);
}
void QtMainView::peq_Dis_Bypass_off() {
    if (auto* p = peq()) p->Dis_Bypass_off();
}
void QtMainView::peq_dis_peq_x(int band) {
    if (auto* p = peq()) p->dis_peq_x(static_cast<int16_t>(band));
}
int QtMainView::peq_select_eq_index() const {
    auto* p = peq();
    return p ? p->select_eq_index() : 255;
}

void QtMainView::limiter_set_dis_off_bit(int flag) {
    if (auto* l = limiter()) l->set_dis_off_bit(static_cast<uint8_t>(flag));
}
void QtMainView::limiter_set_db(int db) {
    if (auto* l = limiter()) l->set_a__ui_db_adj(static_cast<float>(db));
}
int QtMainView::limiter_db() const {
    auto* l = limiter();
    return l ? static_cast<int>(l->a__ui_db_adj()) : 0;
}

void QtMainView::repaint() {
    if (window_) window_->repaint();
}

bool QtMainView::ask_yes_no(const std::string& text, const std::string& title) {
    if (ask_) return ask_(text, title);
    return ask_yes_no_box(window_, text, title);
}

}  // namespace tuner
