// The button's lifecycle, its properties with their rules and their store,
// layout and shape; the input rules are in button_input.cpp.
#include "buttons/button_model.h"

#include <algorithm>

#include <QBuffer>

#include "platform/canvas_text_measure.h"

namespace tuner {
namespace {

using namespace button_codes;
using namespace button_state;

const QString kMsgCaptionAlign =
    QStringLiteral("When button images are aligned top/bottom center, \r\nbutton captions can only be center aligned");
const QString kMsgCustomClick =
    QStringLiteral("This property has no effect unless the Button Shape is a custom shape.");
const QString kMsgShapeRefused =
    QStringLiteral("The Picture Property must be assigned first and must be a bitmap or JPEG.");
const QString kMsgIconShape = QStringLiteral(
    "Icons cannot be used for custom buttons. Only use bitmaps or JPEGs.\r\nButton was changed to Rectangular shaped.");
const QString kMsgFocusRect = QStringLiteral(
    "The focus rectangle may appear on default buttons ONLY while in design mode, \r\nbut will not appear when the "
    "form "
    "is running.");
const QString kMsgValueCommand = QStringLiteral("This property is not applicable for command button modes.");
const QString kMsgPictureSize = QStringLiteral("The picture size cannot be changed for Shaped buttons");
const QString kMsgPointerTitle = QStringLiteral("Select .ico Or .cur Files Only");
const QString kMsgPointerText = QStringLiteral("Invalid picture");

constexpr OleColor kDefaultFore = kSysButtonText;  // &H80000012
constexpr OleColor kDefaultBack = kSysButtonFace;  // &H8000000F

bool in_range(int64_t v, int lo, int hi) { return v >= lo && v <= hi; }

// Pictures are stored as a kind byte ('B' bitmap, 'I' icon) and PNG data.
std::vector<uint8_t> picture_bytes(const ButtonPicture& p) {
    if (p.none()) return {};
    QByteArray data;
    QBuffer buf(&data);
    buf.open(QIODevice::WriteOnly);
    p.image.save(&buf, "PNG");
    std::vector<uint8_t> out;
    out.push_back(p.is_icon ? 'I' : 'B');
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

ButtonPicture picture_from_bytes(const std::vector<uint8_t>& bytes) {
    ButtonPicture p;
    if (bytes.size() < 2 || (bytes[0] != 'I' && bytes[0] != 'B')) return p;
    p.is_icon = bytes[0] == 'I';
    p.image.loadFromData(bytes.data() + 1, static_cast<int>(bytes.size() - 1), "PNG");
    if (p.image.isNull()) p.is_icon = false;
    return p;
}

// A default that differs from the value, so that the entry is always written.
template <typename T>
void write_always(PropertyBag& bag, const std::string& key, const T& v) {
    if constexpr (std::is_same_v<T, bool>) {
        bag.write(key, v, !v);
    } else if constexpr (std::is_same_v<T, FontSpec>) {
        FontSpec other = v;
        other.size += 1;
        bag.write(key, v, other);
    } else {
        bag.write(key, static_cast<int64_t>(v), static_cast<int64_t>(v) + 1);
    }
}

bool valid_pointer(int v) { return (v >= 0 && v <= 15) || v == 99; }

}  // namespace

// ---------------------------------------------------------------- lifecycle

ButtonModel::ButtonModel(ButtonHost* host) : host_(host) {
    measurer_ = [this](const QString& text, int box_w, int /*box_h*/) {
        return measure_text(text, font_, box_w, text_flags::word_break | text_flags::mnemonic);
    };
    derived_ = RefreshDerivedColors(button_style_, back_color_, hover_back_color_);
}

ButtonModel::~ButtonModel() {
    // A destroyed button must not stay in its option group.
    OptionGroups::instance().Remove(ambient_.container, this);
}

void ButtonModel::Terminate() {
    if (hover_active_ && host_) host_->SetHoverTimer(false);
    hover_active_ = false;
    if (state_flags_ & kNudged) {
        state_flags_ &= ~kNudged;
        if (host_) host_->MoveWindowBy(-nudge_offset_.x(), -nudge_offset_.y());
    }
    OptionGroups::instance().Remove(ambient_.container, this);
}

void ButtonModel::Mark(const char* key) {
    if (host_) host_->PropertyChanged(key);
}

void ButtonModel::Message(const QString& text, const QString& title) {
    if (host_) host_->ShowMessage(text, title);
}

void ButtonModel::InitProperties(const ButtonAmbient& ambient) {
    OptionGroups::instance().Remove(ambient_.container, this);
    ambient_ = ambient;
    caption_align_ = 2;
    show_focus_rect_ = true;
    hover_fore_color_ = kDefaultFore;
    hover_back_color_ = kDefaultBack;
    if (!ambient.form_is_mdi) font_ = ambient.form_font;
    container_back_rgb_ = translate_color(ambient.back_color);
    back_color_ = kDefaultBack;
    RefreshProperty("BackColor");
    for (const char* k : {"Caption", "CapAlign", "Focus", "cFHover", "cBHover", "Font"}) Mark(k);
    if (host_) host_->WindowStateChanged();
}

void ButtonModel::ReadProperties(const PropertyBag& bag, const ButtonAmbient& ambient) {
    // Loading again (perhaps in another container) starts outside any option group.
    OptionGroups::instance().Remove(ambient_.container, this);
    ambient_ = ambient;
    container_back_rgb_ = translate_color(ambient.back_color);
    drawing_delayed_ = true;

    // Values outside their range, as a damaged store may hold, load as the default.
    auto ranged = [&](const char* key, int def, int lo, int hi) {
        const int64_t v = bag.read(key, static_cast<int64_t>(def));
        return in_range(v, lo, hi) ? static_cast<int>(v) : def;
    };
    caption_ = QString::fromStdString(bag.read("Caption", std::string()));
    caption_align_ = ranged("CapAlign", 2, 0, 2);
    button_style_ = ranged("BackStyle", 0, 0, 7);
    button_shape_ = ranged("Shape", 0, 0, 8);
    gradient_mode_ = ranged("Gradient", 0, 0, 4);
    gradient_color_ = bag.read("cGradient", kDefaultBack);
    fore_color_ = bag.read("cFore", kDefaultFore);
    font_ = bag.read("Font", ambient.form_font);
    show_focus_rect_ = bag.read("Focus", true);
    mode_ = ranged("Mode", 0, 0, 2);
    value_ = bag.read("Value", false) && mode_ != 0;
    custom_click_ = ranged("CustomClick", 0, 0, 8);
    picture_ = picture_from_bytes(bag.read("Image", std::vector<uint8_t>()));
    picture_size_pixels_ = ranged("ImgSize", 16, 16, 48);
    if (picture_size_pixels_ % 8 != 0) picture_size_pixels_ = 16;
    picture_align_ = ranged("ImgAlign", 0, 0, 5);
    hover_fore_color_ = bag.read("cFHover", kDefaultFore);
    enabled_ = bag.read("Enabled", true);
    back_color_ = bag.read("cBack", ambient.form_back_color);
    hover_back_color_ = bag.read("cBHover", back_color_);
    hover_color_locks_ = bag.read("LockHover", static_cast<int32_t>(0));
    caption_style_ = ranged("CapStyle", 0, 0, 2);
    setMouseIcon(picture_from_bytes(bag.read("mIcon", std::vector<uint8_t>())));
    setMousePointer(bag.read("mPointer", static_cast<int32_t>(0)));
    // A picture shape without a usable picture is a rectangle.
    if (button_shape_ >= 7 && (picture_.none() || picture_.is_icon)) button_shape_ = 0;

    RefreshProperty("Picture");
    RefreshProperty("BackColor");
    setCaption(caption_);
    if (mode_ == 2) {
        bool any = false;
        OptionGroupUpdate(1, any);
    }
    drawing_delayed_ = false;
    if (host_) host_->WindowStateChanged();
    ResizeHandling();
}

void ButtonModel::WriteProperties(PropertyBag& bag) const {
    bag.write("Caption", caption_.toStdString(), std::string());
    bag.write("CapAlign", caption_align_, 2);
    bag.write("BackStyle", button_style_, 0);
    bag.write("Shape", button_shape_, 0);
    write_always(bag, "Font", font_);
    bag.write("cFore", fore_color_, kDefaultFore);
    bag.write("cFHover", hover_fore_color_, kDefaultFore);
    bag.write("cBhover", hover_back_color_, back_color_);
    bag.write("Focus", show_focus_rect_, true);
    bag.write("LockHover", hover_color_locks_, 0);
    bag.write("cGradient", gradient_color_, kDefaultBack);
    bag.write("Gradient", gradient_mode_, 0);
    bag.write("CapStyle", caption_style_, 0);
    write_always(bag, "Mode", mode_);
    write_always(bag, "Value", value_);
    bag.write("CustomClick", custom_click_, 0);
    bag.write("ImgAlign", picture_align_, 0);
    bag.write("Image", picture_bytes(picture_), std::vector<uint8_t>());
    bag.write("ImgSize", picture_size_pixels_, 16);
    bag.write("Enabled", enabled_, true);
    write_always(bag, "cBack", back_color_);
    bag.write("mPointer", mouse_pointer_, 0);
    bag.write("mIcon", picture_bytes(mouse_icon_), std::vector<uint8_t>());
}

void ButtonModel::Resize(int width, int height) {
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    ResizeHandling();
}

void ButtonModel::ResizeHandling() {
    if (surface_.width() != width_ || surface_.height() != height_) {
        surface_.resize(width_, height_);
        window_.resize(width_, height_);
    }
    if (drawing_delayed_) {
        // Shaped and laid out at the first redraw after the delay, so the face fits the new size.
        resized_while_delayed_ = true;
        return;
    }
    resized_while_delayed_ = false;
    RebuildShape();
    Layout(false);
    RedrawButton();
}

void ButtonModel::Show() {
    if (!ambient_.user_mode && ambient_.display_as_default && show_focus_rect_) {
        state_flags_ |= kDefault;
        RedrawButton();
    }
}

void ButtonModel::Paint() {
    drawing_delayed_ = false;
    RedrawButton();
}

void ButtonModel::AmbientChanged(const std::string& name, const ButtonAmbient& ambient) {
    ambient_.user_mode = ambient.user_mode;
    ambient_.display_as_default = ambient.display_as_default;
    ambient_.back_color = ambient.back_color;
    ambient_.screen = ambient.screen;
    const QString n = QString::fromStdString(name);
    if (n.compare(QStringLiteral("DisplayAsDefault"), Qt::CaseInsensitive) == 0) {
        const bool def = ambient.display_as_default && (show_focus_rect_ || !ambient.user_mode);
        state_flags_ = def ? (state_flags_ | kDefault) : (state_flags_ & ~kDefault);
        if (button_shape_ >= 7 && !ambient.user_mode) {
            hover_active_ = def;
            RedrawButton();
            hover_active_ = false;
        } else {
            RedrawButton();
        }
    } else if (n.compare(QStringLiteral("BackColor"), Qt::CaseInsensitive) == 0) {
        container_back_rgb_ = translate_color(ambient.back_color);
        if (button_shape_ >= 4 || button_style_ == 5) RedrawButton();
    }
}

// ---------------------------------------------------------------- helpers

void ButtonModel::RefreshProperty(const char* name) {
    const std::string n = name;
    if (n == "BackColor") {
        derived_ = RefreshDerivedColors(button_style_, back_color_, hover_back_color_);
    } else if (n == "Picture") {
        picture_width_ = picture_.none() ? 0 : picture_.image.width();
        picture_height_ = picture_.none() ? 0 : picture_.image.height();
        picture_is_icon_ = !picture_.none() && picture_.is_icon;
    }
    // "Font": the surface draws with font_ directly.
}

void ButtonModel::Layout(bool with_picture) {
    LayoutInput in;
    in.caption = caption_;
    in.caption_align = caption_align_;
    in.caption_style = caption_style_;
    in.shape = button_shape_;
    in.picture_align = picture_align_;
    in.picture_cell = picture_size_pixels_;
    in.picture_width = picture_width_;
    in.picture_height = picture_height_;
    in.face_left = face_left_;
    in.face_right = face_right_;
    in.width = width_;
    in.height = height_;
    layout_ = LayoutCaption(in, with_picture, measurer_);
}

void ButtonModel::RebuildShape() {
    ShapeInput in;
    in.shape = button_shape_;
    in.style = button_style_;
    in.width = width_;
    in.height = height_;
    in.enabled = enabled_;
    in.picture = picture_.none() ? nullptr : &picture_.image;
    ShapeResult r = BuildButtonShape(in);
    face_left_ = r.face_left;
    face_right_ = r.face_right;
    clip_region_ = r.clip;
    inner_region_ = r.inner;
    window_region_ = r.window;
    surface_.set_clip(std::nullopt);
    if ((button_shape_ >= 4 && button_shape_ <= 5 && button_style_ != 5) || (button_shape_ == 8 && r.built)) {
        const int saved = gradient_mode_;
        gradient_mode_ = 3;
        GradientFill(0xFFFFFF, 0x808080);
        gradient_mode_ = saved;
    } else if (button_shape_ == 6) {
        surface_.frame_region(window_region_, static_cast<OleColor>(translate_color(back_color_)));
    } else if (button_shape_ == 7 && r.built) {
        surface_.frame_region(window_region_, static_cast<OleColor>(translate_color(back_color_)));
    }
    if (button_shape_ >= 7) surface_.set_clip(clip_region_);
    if (host_) host_->SetWindowRegion(window_region_);
}

void ButtonModel::SetAccessKeyFrom(const QString& caption) {
    // The character after the last single "&"; "&&" is a literal ampersand.
    QString key;
    for (int i = 0; i < caption.size(); ++i) {
        if (caption[i] != QLatin1Char('&')) continue;
        if (i + 1 < caption.size() && caption[i + 1] == QLatin1Char('&')) {
            ++i;
            continue;
        }
        key = i + 1 < caption.size() ? QString(caption[i + 1]) : QString();
    }
    if (key != access_key_) {
        access_key_ = key;
        if (host_) host_->WindowStateChanged();
    }
}

void ButtonModel::SetHoverBackField(OleColor v) {
    hover_back_color_ = v;
    Mark("cBHover");
}

// ---------------------------------------------------------------- properties

void ButtonModel::setButtonStyle(int v) {
    if (!in_range(v, 0, 7)) return;
    const int old = button_style_;
    button_style_ = v;
    if (button_shape_ < 4 || ((old == 5 || v == 5) && button_shape_ < 7)) RebuildShape();
    Layout();
    RefreshProperty("BackColor");
    RedrawButton();
    Mark("BackStyle");
}

void ButtonModel::setMode(int v) {
    if (!in_range(v, 0, 2)) return;
    const int old = mode_;
    bool any = false;
    if (v == 2 && old != 2) OptionGroupUpdate(1, any);
    if (v != 2 && old == 2) OptionGroupUpdate(-1, any);
    mode_ = v;
    if (v == 0 && old != 0) value_ = false;
    SettleNudge();
    RedrawButton();
    Mark("Mode");
}

void ButtonModel::setCaption(const QString& v) {
    caption_ = v;
    SetAccessKeyFrom(v);
    Layout();
    RedrawButton();
    Mark("Caption");
}

void ButtonModel::setCaptionAlign(int v) {
    if (!in_range(v, 0, 2)) return;
    if (!picture_.none() && (picture_align_ == 4 || picture_align_ == 5) && v != 2) {
        if (!ambient_.user_mode) Message(kMsgCaptionAlign);
        return;
    }
    caption_align_ = v;
    Layout();
    RedrawButton();
    Mark("CapAlign");
}

void ButtonModel::setCaptionStyle(int v) {
    if (!in_range(v, 0, 2)) return;
    caption_style_ = v;
    if (!caption_.isEmpty()) {
        Layout();
        RedrawButton();
    }
    Mark("CapStyle");
}

void ButtonModel::setCustomClick(int v) {
    if (!in_range(v, 0, 8)) return;
    custom_click_ = v;
    if (v >= 1 && button_shape_ < 7 && !ambient_.user_mode) Message(kMsgCustomClick);
    SettleNudge();
    Mark("CustomClick");
}

void ButtonModel::setButtonShape(int v) {
    if (!in_range(v, 0, 8)) return;
    if (v >= 7) {
        if (picture_.none() || picture_is_icon_) {
            if (!ambient_.user_mode) Message(kMsgShapeRefused);
            return;
        }
        if (picture_size_pixels_ != 48) {
            DelayDrawing(true);
            setPictureSize(4);
            drawing_delayed_ = false;
        }
    }
    button_shape_ = v;
    caption_align_ = 2;
    ResizeHandling();
    DelayDrawing(false);
    Mark("Shape");
}

void ButtonModel::setPicture(const ButtonPicture& v) {
    picture_ = v;
    if (picture_size_pixels_ == 0) picture_size_pixels_ = 16;
    RefreshProperty("Picture");
    if (button_shape_ < 7) {
        Layout(true);
        RedrawButton();
    } else {
        if (picture_.none()) {
            setButtonShape(0);
        } else if (picture_.is_icon) {
            button_shape_ = 0;
            Mark("Shape");
            if (!ambient_.user_mode) Message(kMsgIconShape);
        }
        ResizeHandling();
    }
    Mark("Image");
}

void ButtonModel::setPictureAlign(int v) {
    if (!in_range(v, 0, 5)) return;
    if (v == 4 || v == 5) setCaptionAlign(2);
    picture_align_ = v;
    Layout();
    RedrawButton();
    Mark("ImgAlign");
}

void ButtonModel::setEnabled(bool v) {
    if (v == enabled_) return;
    enabled_ = v;
    if (host_) host_->WindowStateChanged();
    if (button_style_ == 3 && mode_ == 0 && button_shape_ < 4) {
        drawing_delayed_ = true;
        RebuildShape();
        Layout();
        DelayDrawing(false);
    } else {
        RedrawButton();
    }
    Mark("Enabled");
}

void ButtonModel::setShowFocusRect(bool v) {
    show_focus_rect_ = v;
    if (state_flags_ & kDefault) {
        if (ambient_.user_mode) {
            state_flags_ &= ~kDefault;
            RedrawButton();
        } else {
            Message(kMsgFocusRect);
        }
    } else {
        RedrawButton();
    }
    Mark("Focus");
}

void ButtonModel::setValue(bool v) {
    if (v && mode_ == 0) {
        if (!ambient_.user_mode) Message(kMsgValueCommand);
        return;
    }
    value_ = v;
    if (v && mode_ == 2) {
        bool any = false;
        OptionGroupUpdate(0, any);
    }
    RedrawButton();
    Mark("Value");
}

void ButtonModel::setPictureSize(int code) {
    if (!in_range(code, 0, 4)) return;
    if (button_shape_ >= 7) {
        if (!ambient_.user_mode) Message(kMsgPictureSize);
        return;
    }
    picture_size_pixels_ = (code + 2) * 8;
    Layout(true);
    RedrawButton();
    Mark("ImgSize");
}

void ButtonModel::setMousePointer(int v) {
    if (!valid_pointer(v)) return;
    mouse_pointer_ = v;
    if (host_) host_->WindowStateChanged();
    Mark("mPointer");
}

void ButtonModel::setMouseIcon(const ButtonPicture& v) {
    if (!v.none() && !v.is_icon) {
        // The window takes only icons and cursors as pointer icons.
        Message(kMsgPointerText, kMsgPointerTitle);
        return;
    }
    mouse_icon_ = v;
    if (!v.none()) setMousePointer(99);
    if (host_) host_->WindowStateChanged();
    Mark("mIcon");
}

void ButtonModel::setFont(const FontSpec& v) {
    font_ = v;
    if (host_) host_->WindowStateChanged();
    RefreshProperty("Font");
    Layout();
    RedrawButton();
    Mark("Font");
}

int ButtonModel::FontStyle() const { return (font_.bold ? 2 : 0) | (font_.italic ? 4 : 0) | (font_.underline ? 8 : 0); }

void ButtonModel::setFontStyle(int v) {
    FontSpec f = font_;
    f.bold = (v & 2) > 1;
    f.italic = (v & 4) > 3;
    f.underline = (v & 8) == 8;
    setFont(f);
}

void ButtonModel::setForeColor(OleColor v) {
    if (v == fore_color_) return;
    fore_color_ = v;
    if (host_) host_->WindowStateChanged();
    if (hover_color_locks_ == 0 || hover_color_locks_ == 1) setHoverForeColor(v);
    drawing_delayed_ = false;
    RedrawButton();
    Mark("cFore");
}

void ButtonModel::setBackColor(OleColor v) {
    back_color_ = v;
    if (hover_color_locks_ == 0 || hover_color_locks_ == 2)
        setHoverBackColor(gradient_mode_ != 0 ? gradient_color_ : v);
    RefreshProperty("BackColor");
    RedrawButton();
    Mark("cBack");
}

void ButtonModel::setGradientColor(OleColor v) {
    gradient_color_ = v;
    if ((hover_color_locks_ == 0 || hover_color_locks_ == 2) && gradient_mode_ > 0) SetHoverBackField(v);
    RefreshProperty("BackColor");
    if (gradient_mode_ != 0) RedrawButton();
    Mark("cGradient");
}

void ButtonModel::setGradientMode(int v) {
    if (!in_range(v, 0, 4)) return;
    gradient_mode_ = v;
    if (hover_color_locks_ == 0 || hover_color_locks_ == 2) {
        SetHoverBackField(v == 0 ? back_color_ : gradient_color_);
        RefreshProperty("BackColor");
    }
    RedrawButton();
    Mark("Gradient");
}

void ButtonModel::setResetDefaultColors(bool v) {
    if (!v || ambient_.user_mode) return;
    DelayDrawing(true);
    back_color_ = kDefaultBack;
    setForeColor(kDefaultFore);
    drawing_delayed_ = true;
    setGradientColor(kDefaultBack);
    setGradientMode(0);
    setHoverColorLocks(0);
    RefreshProperty("BackColor");
    DelayDrawing(false);
    Mark("cGradient");
    Mark("cBack");
}

void ButtonModel::setHoverColorLocks(int v) {
    hover_color_locks_ = v;
    if (v == 0 || v == 2) SetHoverBackField(gradient_mode_ != 0 ? gradient_color_ : back_color_);
    if (v == 0 || v == 1) {
        hover_fore_color_ = fore_color_;
        Mark("cFHover");
    }
    RefreshProperty("BackColor");
    Mark("LockHover");
}

void ButtonModel::setHoverForeColor(OleColor v) {
    if (v == hover_fore_color_) return;
    hover_fore_color_ = v;
    if (v != fore_color_) {
        if (hover_color_locks_ == 0)
            hover_color_locks_ = 2;
        else if (hover_color_locks_ == 1)
            hover_color_locks_ = 3;
    }
    Mark("cFHover");
}

void ButtonModel::setHoverBackColor(OleColor v) {
    if (v == hover_back_color_) return;
    hover_back_color_ = v;
    if (v != back_color_) {
        if (hover_color_locks_ == 0)
            hover_color_locks_ = 1;
        else if (hover_color_locks_ == 2)
            hover_color_locks_ = 3;
    }
    RefreshProperty("BackColor");
    Mark("cBHover");
}

void ButtonModel::Refresh() {
    drawing_delayed_ = false;
    RedrawButton();
}

void ButtonModel::DelayDrawing(bool delay) {
    drawing_delayed_ = delay;
    if (!delay) Refresh();
}

}  // namespace tuner
