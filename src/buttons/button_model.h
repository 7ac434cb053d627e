// The owner-drawn push button without its window: every property with its
// stored key and default, the setter rules, storing and loading, the caption
// layout and window shape, input (mouse, keys, access keys, hover), check and
// option modes with their option groups, and the face painters that draw the
// button into its off-screen surface. The widget in qb_buttons_h.h shows the
// surface and feeds input in; tests drive this class directly.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <QImage>
#include <QPoint>
#include <QSize>
#include <QString>

#include "buttons/button_color.h"
#include "buttons/button_layout.h"
#include "buttons/button_shape.h"
#include "platform/canvas.h"
#include "platform/font_spec.h"
#include "platform/ole_color.h"
#include "platform/property_bag.h"
#include "platform/region.h"

namespace tuner {

// Mouse buttons, shift states and key codes as the button's events carry them.
namespace button_codes {
constexpr int kLeft = 1;
constexpr int kRight = 2;
constexpr int kMiddle = 4;
constexpr int kKeyEnter = 13;
constexpr int kKeyShift = 16;
constexpr int kKeyEscape = 27;
constexpr int kKeySpace = 32;
constexpr int kKeyLeft = 37;
constexpr int kKeyUp = 38;
constexpr int kKeyRight = 39;
constexpr int kKeyDown = 40;
}  // namespace button_codes

// StateFlags bits.
namespace button_state {
constexpr int kDefault = 1;
constexpr int kPressed = 2;
constexpr int kOver = 4;
constexpr int kNudged = 0x400;
}  // namespace button_state

// A picture of the button: a bitmap (its top-left pixel is the transparent
// colour) or an icon (drawn with its own transparency).
struct ButtonPicture {
    QImage image;
    bool is_icon = false;
    bool none() const { return image.isNull(); }
    bool operator==(const ButtonPicture& o) const { return is_icon == o.is_icon && image == o.image; }
};

// What the button needs of the window that shows it. Every call is optional.
class ButtonHost {
public:
    virtual ~ButtonHost() = default;
    // A stored key changed (the host writes the properties again).
    virtual void PropertyChanged(const std::string& /*key*/) {}
    // A message box with the information icon.
    virtual void ShowMessage(const QString& /*text*/, const QString& /*title*/) {}
    virtual void SetWindowRegion(const Region& /*region*/) {}
    // The window image changed and must be shown.
    virtual void RefreshWindow() {}
    // Moves the window; like any move, a paint notification (Paint) follows.
    virtual void MoveWindowBy(int /*dx*/, int /*dy*/) {}
    virtual void SetCapture(bool /*on*/) {}
    // Starts or stops the 50 ms hover timer that calls HoverTimerCheck.
    virtual void SetHoverTimer(bool /*on*/) {}
    // A key-down message handed back to the container window.
    virtual void PostContainerKey(int /*key_code*/, uint32_t /*lparam*/) {}
    // Enabled state, pointer, font or access key changed.
    virtual void WindowStateChanged() {}
};

// Values the button takes from its container and form.
struct ButtonAmbient {
    const void* container = nullptr;  // ContainerWindow: option groups are kept per container
    bool user_mode = true;            // false while a designer hosts the button
    bool display_as_default = false;
    OleColor back_color = kSysButtonFace;       // the container's back colour
    OleColor form_back_color = kSysButtonFace;  // the parent form's BackColor
    FontSpec form_font{};
    bool form_is_mdi = false;
    QSize screen{1920, 1080};  // screen size in pixels (gradient band width)
};

class ButtonModel;

// The option groups: per container, the registered option buttons in slot
// order. One registry for the whole program (one window thread).
class OptionGroups {
public:
    static OptionGroups& instance();
    // "Buttons_OptCount": 0 when the container has no group.
    int Count(const void* container) const;
    // The button in slot 1..Count.
    ButtonModel* Slot(const void* container, int slot) const;
    bool Contains(const void* container, const ButtonModel* b) const;

private:
    friend class ButtonModel;
    void Add(const void* container, ButtonModel* b);
    void Remove(const void* container, const ButtonModel* b);
    std::vector<std::pair<const void*, std::vector<ButtonModel*>>> groups_;
};

class ButtonModel {
public:
    // Events to the host window (the system's hosts handle only Click).
    struct Events {
        std::function<void(int button, int shift, float x, float y)> MouseDown;
        std::function<void(int button, int shift, float x, float y)> MouseUp;
        std::function<void(int button, int shift, float x, float y)> MouseMove;
        std::function<void(int key_code, int shift)> KeyDown;
        std::function<void(int key_ascii)> KeyPress;
        std::function<void(int key_code, int shift)> KeyUp;
        std::function<void(bool on_button)> MouseOnButton;
        std::function<void()> Click;
        std::function<void(int button)> DoubleClick;
    };
    Events events;

    explicit ButtonModel(ButtonHost* host = nullptr);
    ~ButtonModel();
    ButtonModel(const ButtonModel&) = delete;
    ButtonModel& operator=(const ButtonModel&) = delete;

    void SetHost(ButtonHost* host) { host_ = host; }
    // Replaces the text measuring of the caption layout (tests).
    void SetTextMeasurer(TextMeasurer m) { measurer_ = std::move(m); }

    // ---- lifecycle ----
    // A button created without stored properties.
    void InitProperties(const ButtonAmbient& ambient);
    void ReadProperties(const PropertyBag& bag, const ButtonAmbient& ambient);
    void WriteProperties(PropertyBag& bag) const;
    // The window's client size changed (resize handling).
    void Resize(int width, int height);
    void Show();
    // Paint notification: ends any delay and redraws.
    void Paint();
    // An ambient value changed: "DisplayAsDefault" or "BackColor".
    void AmbientChanged(const std::string& name, const ButtonAmbient& ambient);
    // Teardown: stops the hover timer and moves a nudged window back.
    void Terminate();

    // ---- properties ----
    int ButtonStyle() const { return button_style_; }
    void setButtonStyle(int v);
    int Mode() const { return mode_; }
    void setMode(int v);
    const QString& Caption() const { return caption_; }
    void setCaption(const QString& v);
    int CaptionAlign() const { return caption_align_; }
    void setCaptionAlign(int v);
    int CaptionStyle() const { return caption_style_; }
    void setCaptionStyle(int v);
    int CustomClick() const { return custom_click_; }
    void setCustomClick(int v);
    int ButtonShape() const { return button_shape_; }
    void setButtonShape(int v);
    const ButtonPicture& Picture() const { return picture_; }
    void setPicture(const ButtonPicture& v);
    int PictureAlign() const { return picture_align_; }
    void setPictureAlign(int v);
    bool Enabled() const { return enabled_; }
    void setEnabled(bool v);
    bool ShowFocusRect() const { return show_focus_rect_; }
    void setShowFocusRect(bool v);
    bool Value() const { return value_; }
    void setValue(bool v);
    int PictureSize() const { return picture_size_pixels_ / 8 - 2; }
    void setPictureSize(int code);
    int MousePointer() const { return mouse_pointer_; }
    void setMousePointer(int v);
    const ButtonPicture& MouseIcon() const { return mouse_icon_; }
    void setMouseIcon(const ButtonPicture& v);
    const FontSpec& Font() const { return font_; }
    void setFont(const FontSpec& v);
    int FontStyle() const;
    void setFontStyle(int v);
    OleColor ForeColor() const { return fore_color_; }
    void setForeColor(OleColor v);
    OleColor BackColor() const { return back_color_; }
    void setBackColor(OleColor v);
    OleColor GradientColor() const { return gradient_color_; }
    void setGradientColor(OleColor v);
    int GradientMode() const { return gradient_mode_; }
    void setGradientMode(int v);
    bool ResetDefaultColors() const { return false; }
    void setResetDefaultColors(bool v);
    int HoverColorLocks() const { return hover_color_locks_; }
    void setHoverColorLocks(int v);
    OleColor HoverForeColor() const { return hover_fore_color_; }
    void setHoverForeColor(OleColor v);
    OleColor HoverBackColor() const { return hover_back_color_; }
    void setHoverBackColor(OleColor v);

    // ---- methods ----
    void Refresh();
    void DelayDrawing(bool delay);

    // ---- window notifications (input) ----
    void MousePress(int button, int shift, float x, float y);
    // over_self: the window under the pointer is this button's.
    void MouseMoveTo(int button, int shift, float x, float y, bool over_self);
    void MouseRelease(int button, int shift, float x, float y);
    // The click notification after a press and release over the button.
    void ClickNotification();
    // Takes the place of the second press of a double click.
    void DoubleClickNotification(float x, float y);
    void HoverTimerCheck(bool over_self);
    void KeyDownNotification(int key_code, int shift, bool auto_repeat = false);
    void KeyUpNotification(int key_code, int shift, bool auto_repeat = false);
    void KeyPressNotification(int key_ascii);
    void AccessKeyPress(int key_ascii);
    void FocusReceived();
    // OptionGroupUpdate: 1 register, -1 unregister, 2 query, 0 uncheck the others.
    void OptionGroupUpdate(int action, bool& any_checked);

    // ---- state for the widget and tests ----
    const QString& AccessKey() const { return access_key_; }
    int StateFlags() const { return state_flags_; }
    bool HeldDown() const { return held_down_; }
    bool HoverActive() const { return hover_active_; }
    int LastButton() const { return last_button_; }
    bool DrawingDelayed() const { return drawing_delayed_; }
    int PictureSizePixels() const { return picture_size_pixels_; }
    int FaceLeft() const { return face_left_; }
    int FaceRight() const { return face_right_; }
    const BoxRect& CaptionRect() const { return layout_.caption; }
    const BoxRect& PictureRect() const { return layout_.picture; }
    const DerivedColors& Colors() const { return derived_; }
    const Region& WindowRegion() const { return window_region_; }
    const std::optional<Region>& ClipRegion() const { return clip_region_; }
    const std::optional<Region>& InnerRegion() const { return inner_region_; }
    const Canvas& Surface() const { return surface_; }
    // What the window shows: the surface plus the outline of shaped buttons.
    const Canvas& WindowImage() const { return window_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    int RedrawCount() const { return redraw_count_; }
    int LastDrawState() const { return last_draw_state_; }
    const void* ContainerWindow() const { return ambient_.container; }
    const ButtonAmbient& Ambient() const { return ambient_; }

    // The redraw procedure (RedrawButton).
    void RedrawButton();

private:
    using EdgePoints = std::array<QPoint, 16>;
    using EdgeColors = std::array<OleColor, 13>;  // entries 1..12

    void Mark(const char* key);
    void Message(const QString& text, const QString& title = QString());
    bool PressedHovered() const { return (state_flags_ & 6) == 6; }
    bool IsDefault() const { return (state_flags_ & button_state::kDefault) != 0; }
    bool HasPicture() const { return picture_width_ + picture_height_ >= 1; }
    void RefreshProperty(const char* name);
    void Layout(bool with_picture = false);
    void RebuildShape();
    void ResizeHandling();
    void SetAccessKeyFrom(const QString& caption);
    void SettleNudge();
    void SetHoverBackField(OleColor v);

    // Painting (button_paint.cpp).
    void PaintFace(EdgePoints& pts, EdgeColors& cols, int& draw_state, int& frame_mode);
    bool PressNudge();
    void ClipAndFrame(int& frame_mode);
    void PaintFaceBackground(OleColor fill, int& draw_state, int& frame_mode, OleColor gradient_end,
                             OleColor alternate);
    void GradientFill(uint32_t start, OleColor end);
    void DrawCaption(OleColor fill, OleColor disabled_text, bool checked, bool single_pass);
    void DrawEdges(EdgePoints& pts, const EdgeColors& cols, int pen_style);
    void DrawFocusMark(OleColor colour, bool value, bool around_caption, EdgePoints& pts);
    void DrawPicture(BoxRect rect);
    void PaintFaceStyle2(EdgePoints& pts, EdgeColors& cols, int& draw_state, int& frame_mode);
    void PaintFaceStyle3(EdgePoints& pts, EdgeColors& cols, int& draw_state, int& frame_mode);
    void PaintFaceStyle7(EdgePoints& pts, EdgeColors& cols, int& draw_state, int& frame_mode);
    void PaintFaceFamily(EdgePoints& pts, EdgeColors& cols, int& draw_state, int& frame_mode);
    void DrawText(BoxRect r, OleColor colour);
    void OutlineShape(int frame_mode, OleColor outline);

    ButtonHost* host_ = nullptr;
    TextMeasurer measurer_;
    ButtonAmbient ambient_;

    QString caption_;
    QString access_key_;
    int caption_align_ = 2;
    int caption_style_ = 0;
    int button_style_ = 0;
    int state_flags_ = 0;
    bool held_down_ = false;
    int button_shape_ = 0;
    bool show_focus_rect_ = true;
    OleColor hover_back_color_ = kSysButtonFace;
    OleColor hover_fore_color_ = kSysButtonText;
    int hover_color_locks_ = 0;
    int gradient_mode_ = 0;
    OleColor gradient_color_ = kSysButtonFace;
    int mode_ = 0;
    bool value_ = false;
    int custom_click_ = 0;
    ButtonPicture picture_;
    int picture_align_ = 0;
    int picture_size_pixels_ = 16;
    int picture_width_ = 0;
    int picture_height_ = 0;
    bool picture_is_icon_ = false;
    OleColor back_color_ = kSysButtonFace;
    OleColor fore_color_ = kSysButtonText;
    bool enabled_ = true;
    FontSpec font_;
    int mouse_pointer_ = 0;
    ButtonPicture mouse_icon_;
    bool drawing_delayed_ = false;
    bool resized_while_delayed_ = false;
    int last_button_ = 0;
    bool hover_active_ = false;
    bool after_double_click_ = false;
    uint32_t container_back_rgb_ = 0;

    DerivedColors derived_;
    LayoutResult layout_;
    int face_left_ = 0;
    int face_right_ = 0;
    Region window_region_;
    std::optional<Region> clip_region_;
    std::optional<Region> inner_region_;
    QPoint nudge_offset_;
    int width_ = 0;
    int height_ = 0;
    Canvas surface_;
    Canvas window_;
    int redraw_count_ = 0;
    int last_draw_state_ = 0;
};

}  // namespace tuner
