#include "dialogs/audio_mode_dialog.h"

#include <functional>
#include <utility>

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionButton>

#include "buttons/qb_buttons_h.h"
#include "dialogs/dialog_window.h"
#include "platform/font_spec.h"
#include "platform/keyboard_handover.h"
#include "platform/ole_color.h"
#include "platform/twips.h"

namespace tuner {

namespace {

constexpr OleColor kDialogBack = 0x00E0E0E0;
constexpr OleColor kButtonFace = 0x00C0C0C0;
constexpr int kClientWidth = 16230;  // twips
constexpr int kClientHeight = 7230;
constexpr int kChineseCharset = 134;  // GB2312

QRect twips_rect(int left, int top, int width, int height) {
    return QRect(twips_to_px(left), twips_to_px(top), twips_to_px(width), twips_to_px(height));
}

void set_colours(QWidget* w, OleColor back, OleColor text) {
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, to_qcolor(back));
    pal.setColor(QPalette::Button, to_qcolor(back));
    if (text != kNoColor) pal.setColor(QPalette::WindowText, to_qcolor(text));
    w->setPalette(pal);
    w->setAutoFillBackground(true);
}

// A check box whose caption wraps onto a second line within its box, so
// that the long captions fit the narrow columns; the whole box takes clicks.
class WrapCheckBox : public QCheckBox {
public:
    explicit WrapCheckBox(QWidget* parent) : QCheckBox(parent) {
        connect(this, &QCheckBox::clicked, this, [this](bool ticked) {
            if (!in_release_ && on_user_set) on_user_set(ticked);  // the keyboard; a release reports itself
        });
    }

    // Called with the box's state after the user set it: a release of any
    // mouse button over the box (also one that toggled nothing), or a
    // keyboard toggle.
    std::function<void(bool)> on_user_set;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        QStyleOptionButton opt;
        initStyleOption(&opt);
        const QRect indicator = style()->subElementRect(QStyle::SE_CheckBoxIndicator, &opt, this);
        opt.rect = indicator;
        style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &opt, &p, this);
        const QRect label = rect().adjusted(indicator.right() + 5, 0, 0, 0);
        p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
        p.drawText(label, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, text());
        if (hasFocus()) {
            QStyleOptionFocusRect focus;
            focus.initFrom(this);
            focus.rect = p.boundingRect(label, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, text());
            style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &p, this);
        }
    }
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }

    void mouseReleaseEvent(QMouseEvent* e) override {
        in_release_ = true;
        QCheckBox::mouseReleaseEvent(e);
        in_release_ = false;
        if (on_user_set && rect().contains(e->position().toPoint())) on_user_set(isChecked());
    }

private:
    bool in_release_ = false;
};

template <typename Frame>
Frame* make_frame(QWidget* parent, const char* name, QRect geometry) {
    auto* frame = new Frame(parent);
    frame->setObjectName(QString::fromLatin1(name));
    frame->setGeometry(geometry);
    set_colours(frame, kDialogBack, kNoColor);
    return frame;
}

}  // namespace

AudioModeDialog::AudioModeDialog(AppState& s, AudioModeHost& host, QWidget* owner)
    : QWidget(nullptr, Qt::Window), s_(s), host_(host), owner_(owner) {
    setObjectName(QStringLiteral("Form_system_set_audio_mode_config"));
    set_colours(this, kDialogBack, kNoColor);
    // The form's design font, whatever the desktop's: its controls take it,
    // the preset buttons a copy of it, and their captions fit at that size.
    setFont(to_qfont(FontSpec{}));
    resize(twips_to_px(kClientWidth), twips_to_px(kClientHeight));
    delete_with_owner(this, owner);
    // Shown, it takes the keyboard; closed, the window it kept disabled takes it back.
    hand_over_keyboard(this, owner);

    Frame_mode_set_ = make_frame<QFrame>(this, "Frame_mode_set", twips_rect(0, -90, 18975, 7785));
    for (int i = 0; i < kAudioModeBoxes; ++i) {
        const AudioModeBox& b = kAudioModeBoxTable[i];
        auto* box = new WrapCheckBox(Frame_mode_set_);
        box->setFont(to_qfont(FontSpec{}));
        box->setObjectName(QStringLiteral("Check_audio_mode_config(%1)").arg(i));
        box->setGeometry(twips_rect(b.left, b.top, b.width, kAudioModeBoxHeight));
        set_colours(box, kDialogBack, b.colour);
        // Only the user writes a flag; ticks set by the display report nothing.
        box->on_user_set = [this, i](bool ticked) { box_clicked(i, ticked); };
        boxes_[i] = box;
    }

    Frame1_ = make_frame<QGroupBox>(Frame_mode_set_, "Frame1", twips_rect(1230, 4680, 12945, 1305));
    Frame1_->setTitle(QStringLiteral("常用设置"));
    QPalette pal = Frame1_->palette();
    pal.setColor(QPalette::WindowText, to_qcolor(kSysGrayText));
    Frame1_->setPalette(pal);
    for (int i = 0; i < 3; ++i) {
        auto* key = new qbButtons_H(Frame1_);
        key->setObjectName(QStringLiteral("key_audio_mode_all_on_off(%1)").arg(i));
        key->setGeometry(twips_rect(kAudioModeButtonTable[i].left, 480, 1575, 435));
        key->setBackColor(kButtonFace);
        connect(key, &qbButtons_H::Click, this, [this, i] { preset_clicked(i); });
        buttons_[i] = key;
    }

    // The load: boxes from the flags, then the captions.
    set_dis_audio_mode_config();
    set_language_dis_____audio_mode_config();
}

AudioModeDialog::~AudioModeDialog() {
    if (std::exchange(disabled_owner_, false)) host_.set_main_window_enabled(true);
}

void AudioModeDialog::set_dis_audio_mode_config() {
    for (int i = 0; i < kAudioModeFlags; ++i) {
        boxes_[i]->setChecked(audio_mode_box_ticked(s_.audio_mode_config[i]));
    }
    update();
}

void AudioModeDialog::set_language_dis_____audio_mode_config() {
    const uint8_t lang = s_.Language;
    setWindowTitle(QString::fromUtf8(audio_mode_title(lang)));
    for (int i = 0; i < kAudioModeBoxes; ++i) boxes_[i]->setText(QString::fromUtf8(audio_mode_box_caption(i, lang)));
    for (int i = 0; i < 3; ++i) {
        FontSpec font = buttons_[i]->Font();
        font.charset = is_english(lang) ? 0 : kChineseCharset;
        buttons_[i]->setFont(font);
        buttons_[i]->setCaption(QString::fromUtf8(audio_mode_button_caption(i, lang)));
    }
}

void AudioModeDialog::box_clicked(int index, bool ticked) {
    if (!audio_mode_box_toggled(s_, index, ticked)) return;  // box 40: no flag behind it
    host_.set_all_dis();
}

void AudioModeDialog::preset_clicked(int index) {
    audio_mode_apply_preset(s_, index);
    set_dis_audio_mode_config();
    set_language_dis_____audio_mode_config();
    host_.set_all_dis();
}

void AudioModeDialog::showEvent(QShowEvent* e) {
    if (!e->spontaneous()) {
        // Each opening shows the design size again, whatever size the user gave it last time.
        resize(twips_to_px(kClientWidth), twips_to_px(kClientHeight));
        centre_dialog(this, owner_);
        // ... and starts with the keyboard on its first control, not where it was left.
        boxes_[0]->setFocus(Qt::ActiveWindowFocusReason);
        host_.set_main_window_enabled(false);
        disabled_owner_ = true;
    }
    QWidget::showEvent(e);
}

void AudioModeDialog::closeEvent(QCloseEvent* e) {
    if (disabled_owner_) {
        disabled_owner_ = false;
        host_.set_main_window_enabled(true);
    }
    QWidget::closeEvent(e);
}

}  // namespace tuner
