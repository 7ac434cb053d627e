// The tab strip `ucXTab` without its window: tab records, every design-time
// property with its stored key and default, the colour palettes per theme,
// the tab switch with its cancellable before-event, keys, access keys, mouse
// hit tests, hover highlight and close boxes, insertion and removal of tabs,
// page membership, and the off-screen surface the painters draw into.
//
// Pages are held explicitly: every tab record names its page, and the page
// moves with the record. Exactly the active tab's page is shown; the widget
// (XTab) keeps one container per page and follows pagesChanged().
#pragma once

#include <algorithm>
#include <vector>

#include <QObject>
#include <QPoint>
#include <QString>

#include "core/file_dialogs.h"
#include "platform/canvas.h"
#include "platform/property_bag.h"
#include "tabs/xtab_types.h"

namespace tuner {

// Design-time properties; a default-constructed set holds the store
// defaults (the ambient font and back colour of the host filled in by
// store_defaults()).
struct XTabProps {
    OleColor ActiveTabBackEndColor = kSysButtonFace;
    OleColor ActiveTabBackStartColor = kSysButtonFace;
    FontSpec ActiveTabFont;
    OleColor ActiveTabForeColor = kSysButtonText;
    int ActiveTabHeight = 20;
    OleColor BackColor = kSysButtonFace;
    OleColor BottomRightInnerBorderColor = kSysButtonShadow;
    OleColor DisabledTabBackColor = kSysButtonShadow;
    OleColor DisabledTabForeColor = kSysButtonHighlight;
    bool Enabled = true;
    OleColor FocusedColor = 0xEE8269;
    OleColor ForeColor = 0;
    OleColor HoverColor = 0x3BC7FF;
    OleColor InActiveTabBackEndColor = kSysButtonFace;
    OleColor InActiveTabBackStartColor = kSysButtonFace;
    FontSpec InActiveTabFont;
    OleColor InActiveTabForeColor = kSysButtonText;
    int InActiveTabHeight = 18;
    OleColor OuterBorderColor = kSys3DDarkShadow;
    int PictureAlign = 0;
    OleColor PictureMaskColor = 0xC0C0C0;
    int PictureSize = 0;
    bool ShowFocusRect = true;
    OleColor TabStripBackColor = kSysButtonFace;
    int TabStyle = 0;  // 0 TabbedDialog, 1 PropertyPages
    int TabTheme = 0;  // 0..4
    OleColor TopLeftInnerBorderColor = kSysButtonHighlight;
    bool UseControlBox = false;
    bool UseFocusedColor = true;
    bool UseMaskColor = true;
    bool UseMouseWheelScroll = true;
    bool UseThemeDetection = false;
    int XRadius = 10;
    int YRadius = 10;

    // Store defaults for a host with this font and back colour.
    static XTabProps store_defaults(const FontSpec& ambient_font, OleColor ambient_back);
};

constexpr int kTabStyleTabbedDialog = 0;
constexpr int kMaxTabExtent = 4096;
// The most tabs a strip holds (the store and the setters keep to it).
constexpr int kMaxTabCount = 4096;
constexpr int kTabStylePropertyPages = 1;

// The palette a theme gives (members a theme leaves alone are untouched).
// A theme outside 0..4 changes nothing.
void apply_theme_palette(XTabProps& p, int theme);

class XTabModel : public QObject {
    Q_OBJECT

public:
    // A new instance: three tabs "Tab 0".."Tab 2", bold active font, theme 0.
    explicit XTabModel(const FontSpec& ambient_font = FontSpec(), OleColor ambient_back = kSysButtonFace,
                       QObject* parent = nullptr);

    const XTabProps& props() const { return p_; }

    // Generic write accessor for the plain properties: store, repaint, mark
    // changed. Members with their own rules have their own setters below.
    void set(OleColor XTabProps::*member, OleColor value);  // colours and whole numbers
    void set(bool XTabProps::*member, bool value);
    void set(FontSpec XTabProps::*member, const FontSpec& value);

    // --- the tab switch and the tab list -----------------------------------
    int ActiveTab() const { return active_; }
    // Selects tab n (outside 0..TabCount-1 selects 0): BeforeTabSwitch, which
    // may cancel, then the page switch, the repaint and TabSwitch.
    void setActiveTab(int n);
    // The tab active before the last completed switch, by the index it had
    // then (after a removal, its index before the removal).
    int LastActiveTab() const { return last_active_; }

    int TabCount() const { return static_cast<int>(tabs_.size()); }
    // Below 1 or above kMaxTabCount raises 380. Growing adds "Tab n" records with empty pages;
    // shrinking drops the last records and their pages (never shown again)
    // and, when the active tab went with them, shows the new last tab without
    // a switch event.
    void setTabCount(int n);

    QString TabCaption(int i) const;                    // "" out of range
    void setTabCaption(int i, const QString& caption);  // 9 out of range
    bool TabEnabled(int i) const;                       // false out of range
    void setTabEnabled(int i, bool enabled);
    const QImage& TabPicture(int i) const;  // 9 out of range
    void setTabPicture(int i, const QImage& picture);
    const TabInfo& tab(int i) const;  // 9 out of range

    // Inserts a tab after tab `index` (-1: in front) with an empty page; a
    // bad index raises 9 before anything changes. The active tab stays the
    // same tab. Raises TabInsert(index).
    void InsertTab(int index, const QString& caption);
    // Removes tab `index` with its page (its controls are never shown again);
    // nothing when only one tab is left; a bad index raises 9. When the active
    // tab's index changes (a tab before it went) or the active tab itself
    // went, the removal ends with a full switch to the same tab at its new
    // index, or to the tab that followed the removed one (the one before it
    // when it was the last): BeforeTabSwitch(new index), then TabSwitch(the
    // old index), which LastActiveTab keeps. A cancel keeps a tab that stayed
    // (no TabSwitch) and cannot keep one that went. Then TabRemove(index).
    void RemoveTab(int index);

    // Page identity of a tab, the pages currently shown/held, and pages that
    // belong to no tab any more.
    int TabPage(int i) const { return tab(i).page; }
    int TabOfPage(int page) const;  // -1 when the page belongs to no tab
    int ActivePage() const { return tabs_[static_cast<std::size_t>(active_)].page; }

    // --- other property write accessors with their own rules ---------------
    void setTabTheme(int theme);
    void setFocusedColor(OleColor c);
    void setUseThemeDetection(bool v);
    void ResetColorsToDefault();
    void ResetAllColors();
    // Clears one tab's picture, or every picture with index -1 and `all`;
    // any other index raises 9 and changes nothing.
    void RemoveTabImages(int index, bool all);
    // Tab i takes image i of the list (none when the list is shorter).
    void CopyTabImagesFromImageList(const std::vector<QImage>& images);

    // The surface's access-key list: the keys of all tabs, in index order.
    const QString& AccessKeys() const { return access_keys_; }

    // --- persistence --------------------------------------------------------
    void WriteProperties(PropertyBag& bag) const;
    // Reads every key (missing keys give their defaults); a TabCount below 1
    // becomes 1 and an ActiveTab outside the tabs is brought into range.
    void ReadProperties(const PropertyBag& bag);

    // --- input, as the widget reports it -------------------------------------
    // Keyboard navigation (arrows, Ctrl+PageUp/PageDown); shift bit 2 = Ctrl.
    // Ignored while the strip is busy.
    void KeyDown(int key_code, int shift);
    // An Alt+letter access key.
    void AccessKeyPress(int code);
    // Left-button press at pixel (x, y): picks the enabled tab under it.
    void MouseDownLeft(double x, double y);
    void pHandleMouseMove(double x, double y);
    // Enter/leave and the pointer over the surface (close boxes, hover events).
    void PointerMoved(QPoint pos);
    void PointerLeft();
    void PointerPressed(QPoint pos);
    void PointerReleased(QPoint pos);
    void FocusChanged(bool focused);
    // Hover timer tick with the pointer at `pos` (client pixels).
    void TimerEvent(QPoint pos);
    // The host window: activated, moved, resized, colours or theme changed,
    // and the end of a move or resize.
    void HostActivated();
    void HostMoving();
    void HostSizing();
    void HostSizeMoveFinished();

    bool IsBusy() const { return busy_ > 0; }
    bool IsFocused() const { return focused_; }
    bool HoverShown() const { return hover_shown_; }
    bool MouseInside() const { return mouse_inside_; }
    bool BoxHot() const { return box_hot_; }
    int BoxTabIndex() const { return box_tab_; }
    const TabRect& HotRect() const { return hot_rect_; }

    // --- the surface ----------------------------------------------------------
    Canvas& surface() { return surface_; }
    const Canvas& surface() const { return surface_; }
    int ScaleWidth() const { return surface_.width(); }
    int ScaleHeight() const { return surface_.height(); }
    // Clears the surface to the back colour.
    void Cls() { surface_.clear(p_.BackColor); }
    // Resizes the surface and repaints.
    void Resize(int width, int height);
    // Full repaint (skipped while busy and done when the busy work ends).
    void Refresh();
    // Redraws the focus mark from the state (a full repaint).
    void ShowHideFocus() { Refresh(); }
    void DrawBackground();
    void DrawTabs();
    void DrawControlBox(int state, int index);
    void pDrawOverXOred();
    // The painters of the two styles, public so that a host can paint with
    // them: the page panel (PropertyPages: a single 3D frame under theme 0,
    // a flat outline under theme 2, the TabbedDialog panel otherwise;
    // TabbedDialog: a double 3D frame under theme 0, a flat outline under
    // themes 1 and 4, the filled panel under theme 3, the PropertyPages
    // panel under theme 2) and the tab strip (TabbedDialog hands theme 2 to
    // PropertyPages). A theme outside 0..4 paints nothing.
    void DrawBackgroundPropertyPages();
    void DrawBackgroundTabbedDialog();
    void DrawTabsPropertyPages();
    void DrawTabsTabbedDialog();
    // Draws `bitmap` stretched into x, y, width, height of `target`, every
    // pixel of the RGB colour `mask_rgb` left transparent. Only the part that
    // lands on the target is drawn.
    static void DrawImage(Canvas& target, const QImage& bitmap, uint32_t mask_rgb, int16_t x, int16_t y, int16_t width,
                          int16_t height);

    // The painters lay tabs out and store the rectangles here.
    void store_rects(int i, const TabRect& rect, const TabRect& box);
    bool background_armed() const { return background_armed_; }
    void arm_background() { background_armed_ = true; }
    // Picture size in pixels: small icon (16) or icon (32) by PictureSize.
    int picture_px() const { return p_.PictureSize == 0 ? 16 : 32; }
    // Tab heights and corner radii as the painters use them: within
    // 0..kMaxTabExtent, so that stored extremes cannot overflow the layout.
    int active_height() const { return std::clamp(p_.ActiveTabHeight, 0, kMaxTabExtent); }
    int inactive_height() const { return std::clamp(p_.InActiveTabHeight, 0, kMaxTabExtent); }
    int strip_height() const { return std::max(active_height(), inactive_height()); }
    int x_radius() const { return std::clamp(p_.XRadius, 0, kMaxTabExtent); }
    int y_radius() const { return std::clamp(p_.YRadius, 0, kMaxTabExtent); }

    static QString Version(bool with_date);
    // The dialog titled "Open File", starting in `init_dir` with `filter`
    // ("desc|pattern", empty: all files); the chosen path trimmed of blanks,
    // "" on cancel.
    static QString ShowFileOpenDialog(FileDialogs& dialogs, const QString& init_dir, const QString& filter);
    // No platform visual styles here: never the old platform version that
    // had them, and no style name.
    static bool IsWinXP() { return false; }
    static QString GetThemeInfo() { return QStringLiteral("None"); }

signals:
    void BeforeTabSwitch(int new_tab, bool& cancel);
    void TabSwitch(int last_tab);
    void TabInsert(int index);
    void TabRemove(int index);
    void AfterCompleteInit();
    void ControlBoxEnter();
    void ControlBoxExit();
    void ControlBoxHover(float x, float y);
    void ControlBoxMouseDown(float x, float y);
    void ControlBoxMouseUp(float x, float y);
    void MouseHover(int tab, float x, float y);
    void MouseEnter();
    void MouseLeave();
    void Status(const QString& text);

    // For the widget: the surface changed, the shown page changed, the hover
    // timer is to run at this interval (0 stops it), the access keys changed,
    // a stored property changed, the surface was enabled or disabled.
    void surfaceChanged();
    void pagesChanged();
    void hoverTimer(int interval_ms);
    void accessKeysChanged();
    void propertyChanged(const QString& key);
    void enabledChanged(bool enabled);

private:
    class Busy;
    friend class Busy;

    void check_index(int i, const char* member) const;
    void repaint_and_mark(const char* key);
    void mark(const char* key) { emit propertyChanged(QString::fromLatin1(key)); }
    void pAssignAccessKeys();
    void switch_after_removal(int old_index, int n, bool tab_gone);
    void pDrawMe();
    // True when DrawBackground starts by clearing the whole surface.
    bool background_clears() const;
    void stop_hover();
    // The highlight over HotRect in the look it has over tab `tab`; drawn twice it is gone.
    void draw_highlight(int tab);
    // The public tab painters' common frame: the theme check, the hover reset and the notice.
    void redraw_tabs(void (*draw)(XTabModel&, Canvas&));
    void new_record(int i);
    int find_box(QPoint pos) const;
    void close_box_move(QPoint pos);
    void hover_theme_move(QPoint pos);
    void box_over(int t, QPoint pos);
    void box_left(int t);
    bool hover_theme() const { return p_.TabTheme == 1 || p_.TabTheme == 4; }

    XTabProps p_;
    FontSpec ambient_font_;
    OleColor ambient_back_;
    std::vector<TabInfo> tabs_;
    int active_ = 0;
    int last_active_ = 0;
    int next_page_ = 0;
    QString access_keys_;
    Canvas surface_;

    int busy_ = 0;
    bool refresh_pending_ = false;
    bool first_refresh_done_ = false;
    bool focused_ = false;
    bool background_armed_ = false;
    int box_tab_ = 0;
    TabRect hot_rect_;
    bool hover_shown_ = false;
    bool mouse_inside_ = false;
    bool box_hot_ = false;
    bool was_moving_ = false;
};

}  // namespace tuner
