#include "controls/param_text_box.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QPalette>
#include <QProxyStyle>

#include "controls/logical_focus.h"

namespace tuner {

// A style whose text cursor has no width: the caret is hidden.
class CaretStyle : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
        if (metric == PM_TextCursorWidth) return 0;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

namespace {

// The rules see one byte per UTF-16 unit, so caret positions map 1:1.
std::string to_rule_text(const QString& s) {
    std::string out;
    out.reserve(static_cast<std::size_t>(s.size()));
    for (QChar c : s) out += c.unicode() < 128 ? static_cast<char>(c.unicode()) : '?';
    return out;
}

}  // namespace

ParamTextBox::ParamTextBox(QWidget* parent) : QLineEdit(parent), focus_(new LogicalFocus(this)) {
    connect(this, &QLineEdit::textChanged, this, [this] { emit Change(); });
    connect(focus_, &LogicalFocus::LostWhileAway, this, [this] { emit LostFocus(); });
}

ParamTextBox::~ParamTextBox() {
    if (caret_style_) {
        setStyle(nullptr);
        delete caret_style_;
    }
}

TextBox ParamTextBox::box() const { return {to_rule_text(text()), cursorPosition()}; }

void ParamTextBox::set_box(const TextBox& b) {
    const QString t = QString::fromStdString(b.Text);
    if (t != text()) setText(t);
    setCursorPosition(b.SelStart);
}

void ParamTextBox::hide_caret() {
    if (caret_hidden_) return;
    caret_hidden_ = true;
    if (!caret_style_) caret_style_ = new CaretStyle;
    setStyle(caret_style_);
    update();
}

void ParamTextBox::show_caret() {
    if (!caret_hidden_) return;
    caret_hidden_ = false;
    setStyle(nullptr);
    update();
}

void ParamTextBox::set_fore_color(OleColor c) {
    fore_ = c;
    QPalette p = palette();
    // The enabled looks only: a disabled box keeps the grey text of the style.
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive}) p.setColor(g, QPalette::Text, to_qcolor(c));
    setPalette(p);
}

bool ParamTextBox::has_logical_focus() const { return focus_->held(); }

void ParamTextBox::focusInEvent(QFocusEvent* e) {
    QLineEdit::focusInEvent(e);
    if (focus_->focus_in()) emit GotFocus();
}

void ParamTextBox::focusOutEvent(QFocusEvent* e) {
    QLineEdit::focusOutEvent(e);
    if (focus_->focus_out(*e)) emit LostFocus();
}

void ParamTextBox::changeEvent(QEvent* e) {
    QLineEdit::changeEvent(e);
    // Disabling the window took the focus without a focus loss; it comes
    // back here when the window is enabled again, as the user left it.
    if (e->type() == QEvent::EnabledChange && isEnabled() && focus_->held() && !hasFocus()) {
        setFocus(Qt::OtherFocusReason);
    }
}

void ParamTextBox::keyPressEvent(QKeyEvent* e) {
    int key = 0;
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)
        key = kKeyEnter;
    else if (e->key() == Qt::Key_Backspace)
        key = kKeyBackspace;
    else if (!e->text().isEmpty() && e->text().at(0).isPrint())
        key = e->text().at(0).unicode();
    if (key != 0) emit KeyPress(key);
    QLineEdit::keyPressEvent(e);
}

void wire_numeric_box(ParamTextBox* box, TextInput& input, NumericBoxHooks hooks) {
    auto h = std::make_shared<NumericBoxHooks>(std::move(hooks));
    auto filtering = std::make_shared<bool>(false);
    auto commit = [box, &input, h] {
        if (auto l = h->limits ? h->limits() : std::nullopt) {
            TextBox b = box->box();
            input.text_input_key_press(b, kKeyEnter, l->min, l->max, l->snap, l->table);
            box->set_box(b);
        }
        if (h->commit) h->commit();
    };
    QObject::connect(box, &ParamTextBox::GotFocus, box, [box, &input, h] {
        TextBox b = box->box();
        input.text_input_got_focus(b);
        box->hide_caret();
        box->set_fore_color(0x0000FF);
        if (h->got_focus) h->got_focus();
    });
    QObject::connect(box, &ParamTextBox::Change, box, [box, h, filtering] {
        if (*filtering) return;
        auto l = h->limits ? h->limits() : std::nullopt;
        if (!l) return;
        *filtering = true;
        TextBox b = box->box();
        TextInput::text_input_change(b, l->decimals, false, l->allow_minus);
        box->set_box(b);
        *filtering = false;
    });
    QObject::connect(box, &ParamTextBox::KeyPress, box, [box, &input, h, commit](int key) {
        if (key == kKeyEnter) {
            commit();
        } else if (auto l = h->limits ? h->limits() : std::nullopt) {
            // Only the first key changes the box (it empties it); any later key lands as in any text
            // box, over the selection if there is one, so the box is written back only when changed.
            const TextBox before = box->box();
            TextBox b = before;
            input.text_input_key_press(b, key, l->min, l->max, l->snap, l->table);
            if (b.Text != before.Text || b.SelStart != before.SelStart) box->set_box(b);
        }
        if (h->key) h->key(key);
    });
    QObject::connect(box, &ParamTextBox::LostFocus, box, [box, &input, h, commit] {
        // Leaving the box is the box's own Enter key: the commit and what every key does after it.
        commit();
        if (h->key) h->key(kKeyEnter);
        TextBox b = box->box();
        input.text_input_lost_focus(b);
        box->set_box(b);
        box->show_caret();
        box->set_fore_color(kSysWindowText);
        if (h->lost_focus) h->lost_focus();
    });
}

}  // namespace tuner
