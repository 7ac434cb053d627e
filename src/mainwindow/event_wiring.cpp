#include "mainwindow/event_wiring.h"

#include <QAction>
#include <QCheckBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>

#include "buttons/qb_buttons_h.h"
#include "controls/limiter.h"
#include "controls/param_text_box.h"
#include "controls/peq_graph.h"
#include "controls/slider.h"
#include "mainwindow/plain_box_events.h"
#include "tabs/xtab.h"

namespace tuner {

namespace {

// Alt with a character key is a menu or access key, never typing: when no
// access key of the window takes it, a text box types nothing either.
class NoAltTyping : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() != QEvent::KeyPress) return false;
        const auto* k = static_cast<QKeyEvent*>(e);
        return (k->modifiers() & Qt::AltModifier) && !k->text().isEmpty() && k->text().at(0).isPrint();
    }
};

}  // namespace

void wire_window_events(ControlRegistry& reg, WindowRules& rules, RuleEnv& env) {
    for (const ControlRow& row : control_table()) {
        const Ctl ctl{row.name, row.index};  // names live in the static table
        QObject* o = reg.object(row.object_name());
        if (!o) continue;
        switch (row.kind) {
            case ControlKind::Button:
                QObject::connect(static_cast<qbButtons_H*>(o), &qbButtons_H::Click, o,
                                 [&rules, &env, ctl] { rules.click(env, ctl); });
                break;
            case ControlKind::CheckBox: {
                // A box that a rule disables for a moment keeps the keyboard focus, as a
                // disabled window does: the toolkit would hand it to the next control (a
                // numeric box would start editing), so the focus is parked and given back.
                auto* b = static_cast<QAbstractButton*>(o);
                QObject::connect(b, &QAbstractButton::clicked, b, [&rules, &env, ctl, b] {
                    const bool had_focus = b->hasFocus();
                    if (had_focus) b->clearFocus();
                    rules.check_mouse_up(env, ctl);
                    if (had_focus && b->isEnabled() && b->isVisible()) b->setFocus(Qt::OtherFocusReason);
                });
                break;
            }
            case ControlKind::OptionButton:
                QObject::connect(static_cast<QAbstractButton*>(o), &QAbstractButton::clicked, o,
                                 [&rules, &env, ctl] { rules.check_mouse_up(env, ctl); });
                break;
            case ControlKind::MenuItem:
                QObject::connect(static_cast<QAction*>(o), &QAction::triggered, o,
                                 [&rules, &env, ctl] { rules.menu(env, ctl); });
                break;
            case ControlKind::NumericBox: {
                auto* box = static_cast<ParamTextBox*>(o);
                box->installEventFilter(new NoAltTyping(box));
                wire_numeric_box(box, env.input,
                                 {[&rules, &env, ctl] { return rules.box_limits(env, ctl); },
                                  [&rules, &env, ctl] { rules.box_commit(env, ctl); },
                                  [&rules, &env, ctl](int key) { rules.box_key(env, ctl, key); },
                                  [&rules, &env, ctl] { rules.box_got_focus(env, ctl); },
                                  [&rules, &env, ctl] { rules.box_lost_focus(env, ctl); }});
                // Only the user's own changes of the text: typing, pasting, cutting.
                QObject::connect(box, &QLineEdit::textEdited, box, [&rules, &env, ctl] { rules.box_edited(env, ctl); });
                break;
            }
            case ControlKind::TextBox:
                watch_plain_box(static_cast<QWidget*>(o), rules, env, ctl);
                o->installEventFilter(new NoAltTyping(o));
                break;
            case ControlKind::Slider: {
                auto* s = static_cast<xiSlider*>(o);
                QObject::connect(s, &xiSlider::ValueChanged, s,
                                 [&rules, &env, ctl] { rules.slider_changed(env, ctl); });
                QObject::connect(s, &xiSlider::MouseIn, s, [&rules, &env, ctl] { rules.slider_mouse(env, ctl, true); });
                QObject::connect(s, &xiSlider::MouseOut, s,
                                 [&rules, &env, ctl] { rules.slider_mouse(env, ctl, false); });
                // The slider's out-of-range report goes to the window's error box.
                QObject::connect(s, &xiSlider::ValueError, s, [&env](const QString& text) {
                    env.view.set_text(Ctl{"Text_vr_error_cou"}, text.toStdString());
                    env.view.set_visible(Ctl{"Text_vr_error_cou"}, true);
                });
                break;
            }
            case ControlKind::Peq: {
                auto* p = static_cast<PEQ*>(o);
                QObject::connect(p, &PEQ::EqOut, p,
                                 [&env](int band, int type, int fi, float f, int qi, float q, float gi, float gdb) {
                                     eq_on_peq_eq_out(env, band, type, fi, f, qi, q, gi, gdb);
                                 });
                QObject::connect(p, &PEQ::Message, p, [&env](const QString& text) {
                    env.svc.message_box(text.toStdString(), "", MessageIcon::None);
                });
                break;
            }
            case ControlKind::Limiter:
                QObject::connect(static_cast<Limiter*>(o), &Limiter::output, o,
                                 [&env](int db) { drc_on_limiter_output(env, db); });
                break;
            case ControlKind::TabStrip:
                if (row.name == "ucXTab1")
                    QObject::connect(&static_cast<XTab*>(o)->model(), &XTabModel::BeforeTabSwitch, o,
                                     [&env](int new_tab, bool&) { eq_on_tab_before_switch(env, new_tab); });
                break;
            default: break;
        }
    }
}

}  // namespace tuner
