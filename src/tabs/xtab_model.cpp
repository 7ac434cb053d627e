#include "tabs/xtab_model.h"

#include <algorithm>
#include <array>

#include <QBuffer>

namespace tuner {
namespace {

struct IntKey {
    const char* key;
    int XTabProps::*member;
};
struct BoolKey {
    const char* key;
    bool XTabProps::*member;
};

// Whole-number and colour properties with their stored keys.
constexpr std::array<IntKey, 25> kIntKeys = {{
    {"ActiveTabBackEndColor", &XTabProps::ActiveTabBackEndColor},
    {"ActiveTabBackStartColor", &XTabProps::ActiveTabBackStartColor},
    {"ActiveTabForeColor", &XTabProps::ActiveTabForeColor},
    {"ActiveTabHeight", &XTabProps::ActiveTabHeight},
    {"BackColor", &XTabProps::BackColor},
    {"BottomRightInnerBorderColor", &XTabProps::BottomRightInnerBorderColor},
    {"DisabledTabBackColor", &XTabProps::DisabledTabBackColor},
    {"DisabledTabForeColor", &XTabProps::DisabledTabForeColor},
    {"FocusedColor", &XTabProps::FocusedColor},
    {"ForeColor", &XTabProps::ForeColor},
    {"HoverColor", &XTabProps::HoverColor},
    {"InActiveTabBackEndColor", &XTabProps::InActiveTabBackEndColor},
    {"InActiveTabBackStartColor", &XTabProps::InActiveTabBackStartColor},
    {"InActiveTabForeColor", &XTabProps::InActiveTabForeColor},
    {"InActiveTabHeight", &XTabProps::InActiveTabHeight},
    {"OuterBorderColor", &XTabProps::OuterBorderColor},
    {"PictureAlign", &XTabProps::PictureAlign},
    {"PictureMaskColor", &XTabProps::PictureMaskColor},
    {"PictureSize", &XTabProps::PictureSize},
    {"TabStripBackColor", &XTabProps::TabStripBackColor},
    {"TabStyle", &XTabProps::TabStyle},
    {"TabTheme", &XTabProps::TabTheme},
    {"TopLeftInnerBorderColor", &XTabProps::TopLeftInnerBorderColor},
    {"XRadius", &XTabProps::XRadius},
    {"YRadius", &XTabProps::YRadius},
}};

constexpr std::array<BoolKey, 7> kBoolKeys = {{
    {"Enabled", &XTabProps::Enabled},
    {"ShowFocusRect", &XTabProps::ShowFocusRect},
    {"UseControlBox", &XTabProps::UseControlBox},
    {"UseFocusedColor", &XTabProps::UseFocusedColor},
    {"UseMaskColor", &XTabProps::UseMaskColor},
    {"UseMouseWheelScroll", &XTabProps::UseMouseWheelScroll},
    {"UseThemeDetection", &XTabProps::UseThemeDetection},
}};

template <typename Table, typename M>
const char* key_of(const Table& table, M member) {
    for (const auto& k : table) {
        if (k.member == member) return k.key;
    }
    return "";
}

std::string indexed(const char* prefix, int i) { return std::string(prefix) + std::to_string(i) + ")"; }

std::vector<uint8_t> png_bytes(const QImage& img) {
    if (img.isNull()) return {};
    QByteArray data;
    QBuffer buf(&data);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "PNG");
    return std::vector<uint8_t>(data.begin(), data.end());
}

QImage png_image(const std::vector<uint8_t>& bytes) {
    QImage img;
    if (!bytes.empty()) img.loadFromData(bytes.data(), static_cast<int>(bytes.size()), "PNG");
    return img;
}

}  // namespace

uint32_t OffsetColor(OleColor c, int offset) {
    const uint32_t rgb = GetRGBFromOLE(c);
    auto ch = [&](int v) { return std::clamp(v + offset, 0, 255); };
    return make_rgb(ch(pGetRValue(rgb)), ch(pGetGValue(rgb)), ch(pGetBValue(rgb)));
}

uint32_t pBlendColors(uint32_t c1, uint32_t c2, int weight) {
    const double a = std::clamp(weight, 0, 255) / 255.0;
    auto ch = [&](int v1, int v2) { return near_even((1.0 - a) * v2 + a * v1); };
    return make_rgb(ch(pGetRValue(c1), pGetRValue(c2)), ch(pGetGValue(c1), pGetGValue(c2)),
                    ch(pGetBValue(c1), pGetBValue(c2)));
}

int caption_access_key(const QString& caption) {
    int last = -1;
    for (int i = 0; i < caption.size(); ++i) {
        if (caption[i] != QLatin1Char('&')) continue;
        if (i + 1 < caption.size() && caption[i + 1] == QLatin1Char('&')) {
            ++i;  // a literal ampersand
            continue;
        }
        last = i;
    }
    if (last < 0 || last + 1 >= caption.size()) return 0;
    return caption[last + 1].toUpper().unicode();
}

XTabProps XTabProps::store_defaults(const FontSpec& ambient_font, OleColor ambient_back) {
    XTabProps p;
    p.ActiveTabFont = ambient_font;
    p.InActiveTabFont = ambient_font;
    p.TabStripBackColor = ambient_back;
    return p;
}

void apply_theme_palette(XTabProps& p, int theme) {
    if (theme < 0 || theme > 4) return;
    constexpr OleColor kKeep = kNoColor;
    struct Row {
        OleColor XTabProps::*member;
        std::array<OleColor, 5> by_theme;
    };
    const OleColor focus4 = ole(OffsetColor(kSysActiveCaption, -16));
    const OleColor hover4 = ole(OffsetColor(kSysActiveCaption, 16));
    const std::array<Row, 14> rows = {{
        {&XTabProps::ActiveTabBackStartColor, {kSysButtonFace, 0xFBFDFB, kSysButtonFace, 0xF8F8F8, 0xE7F8FB}},
        {&XTabProps::ActiveTabBackEndColor, {kSysButtonFace, 0xFBFDFB, kSysButtonFace, kKeep, 0xDCEDF0}},
        {&XTabProps::ActiveTabForeColor, {kSysButtonText, kSysButtonText, kSysButtonText, 0xA76D50, kSysButtonText}},
        {&XTabProps::InActiveTabBackStartColor, {kSysButtonFace, 0xFFFFFF, kSys3DLight, 0xE5E5E5, 0xDCEDF0}},
        {&XTabProps::InActiveTabBackEndColor, {kSysButtonFace, 0xEAF0F0, kSys3DLight, kKeep, 0xCBDCDF}},
        {&XTabProps::InActiveTabForeColor, {kSysButtonText, kSysButtonText, kSysGrayText, 0x909090, kSysButtonText}},
        {&XTabProps::TabStripBackColor, {kKeep, kKeep, kSys3DLight, kSysButtonFace, kKeep}},
        {&XTabProps::DisabledTabBackColor,
         {kSysButtonFace, kSysButtonFace, kSysButtonFace, kSysButtonFace, kSysButtonFace}},
        {&XTabProps::DisabledTabForeColor, {kSys3DDarkShadow, 0xA0A0A0, kSys3DDarkShadow, kSys3DDarkShadow, 0xA0A0A0}},
        {&XTabProps::OuterBorderColor, {kSys3DDarkShadow, 0x9B9C91, kSysButtonHighlight, 0x909090, 0xA8B9BC}},
        {&XTabProps::TopLeftInnerBorderColor, {kSysButtonHighlight, kKeep, kKeep, kKeep, kSysButtonHighlight}},
        {&XTabProps::BottomRightInnerBorderColor, {kSysButtonShadow, kKeep, kSysButtonShadow, kKeep, kSysButtonShadow}},
        {&XTabProps::FocusedColor, {kKeep, 0xEE8269, kKeep, kKeep, focus4}},
        {&XTabProps::HoverColor, {kKeep, 0x3BC7FF, kKeep, kKeep, hover4}},
    }};
    for (const Row& r : rows) {
        const OleColor v = r.by_theme[static_cast<std::size_t>(theme)];
        if (v != kKeep) p.*r.member = v;
    }
    if (theme == 4) {
        p.PictureMaskColor = 0xFF00FF;
        p.UseFocusedColor = true;
        p.UseMaskColor = true;
    }
}

// Marks the strip busy for the length of one handler; a repaint asked for
// meanwhile is done when the outermost handler ends.
class XTabModel::Busy {
public:
    explicit Busy(XTabModel& m) : m_(m) { ++m_.busy_; }
    ~Busy() {
        if (--m_.busy_ == 0 && m_.refresh_pending_) {
            m_.refresh_pending_ = false;
            m_.Refresh();
        }
    }
    Busy(const Busy&) = delete;
    Busy& operator=(const Busy&) = delete;

private:
    XTabModel& m_;
};

XTabModel::XTabModel(const FontSpec& ambient_font, OleColor ambient_back, QObject* parent)
    : QObject(parent), ambient_font_(ambient_font), ambient_back_(ambient_back) {
    p_ = XTabProps::store_defaults(ambient_font, ambient_back);
    p_.ActiveTabFont.bold = true;
    for (int i = 0; i < 3; ++i) new_record(i);
    apply_theme_palette(p_, 0);
    pAssignAccessKeys();
}

QString XTabModel::Version(bool with_date) {
    QString v = QStringLiteral("1.0.85");
    if (with_date) v += QStringLiteral(" (11/13/2006 8:07:02 AM )");
    return v;
}

QString XTabModel::ShowFileOpenDialog(FileDialogs& dialogs, const QString& init_dir, const QString& filter) {
    FileDialogRequest req;
    req.title = "Open File";
    req.filter = filter.isEmpty() ? std::string("All Files (*.*)|*.*") : filter.toStdString();
    req.init_dir = init_dir.toStdString();
    const std::optional<std::string> path = dialogs.show_open(req);
    return path ? QString::fromStdString(*path).trimmed() : QString();
}

void XTabModel::check_index(int i, const char* member) const {
    if (i < 0 || i >= TabCount()) throw XTabError(kXTabSubscriptOutOfRange, member);
}

void XTabModel::new_record(int i) {
    TabInfo t;
    t.caption = QStringLiteral("Tab %1").arg(i);
    t.page = next_page_++;
    tabs_.insert(tabs_.begin() + i, std::move(t));
}

void XTabModel::repaint_and_mark(const char* key) {
    Refresh();
    mark(key);
}

void XTabModel::set(OleColor XTabProps::*member, OleColor value) {
    if (member == &XTabProps::TabTheme) return setTabTheme(value);
    if (member == &XTabProps::FocusedColor) return setFocusedColor(value);
    p_.*member = value;
    repaint_and_mark(key_of(kIntKeys, member));
}

void XTabModel::set(bool XTabProps::*member, bool value) {
    if (member == &XTabProps::UseThemeDetection) return setUseThemeDetection(value);
    p_.*member = value;
    if (member == &XTabProps::UseMouseWheelScroll) return mark("UseMouseWheelScroll");
    if (member == &XTabProps::Enabled) emit enabledChanged(value);
    repaint_and_mark(key_of(kBoolKeys, member));
}

void XTabModel::set(FontSpec XTabProps::*member, const FontSpec& value) {
    p_.*member = value;
    repaint_and_mark(member == &XTabProps::ActiveTabFont ? "ActiveTabFont" : "InActiveTabFont");
}

void XTabModel::setTabTheme(int theme) {
    p_.TabTheme = theme;
    stop_hover();
    ResetColorsToDefault();
    Refresh();
    mark("TabTheme");
}

void XTabModel::setFocusedColor(OleColor c) {
    p_.FocusedColor = c;
    // The full repaint redraws the active tab's highlight in the new colour.
    repaint_and_mark("FocusedColor");
}

void XTabModel::setUseThemeDetection(bool v) {
    p_.UseThemeDetection = v;
    if (v) setTabTheme(IsWinXP() ? 1 : 0);
    repaint_and_mark("UseThemeDetection");
}

void XTabModel::ResetColorsToDefault() { apply_theme_palette(p_, p_.TabTheme); }

void XTabModel::ResetAllColors() {
    {
        Busy b(*this);
        ResetColorsToDefault();
    }
    Refresh();
}

// ---------------------------------------------------------------------------
// Tab records

QString XTabModel::TabCaption(int i) const { return i >= 0 && i < TabCount() ? tabs_[i].caption : QString(); }

bool XTabModel::TabEnabled(int i) const { return i >= 0 && i < TabCount() && tabs_[i].enabled; }

const TabInfo& XTabModel::tab(int i) const {
    check_index(i, "AryTabs");
    return tabs_[static_cast<std::size_t>(i)];
}

const QImage& XTabModel::TabPicture(int i) const {
    check_index(i, "TabPicture");
    return tabs_[static_cast<std::size_t>(i)].picture;
}

void XTabModel::setTabCaption(int i, const QString& caption) {
    check_index(i, "TabCaption");
    tabs_[i].caption = caption;
    tabs_[i].access_key = caption_access_key(caption);
    // Rebuilt from every record, so a second tab with the same letter keeps it.
    pAssignAccessKeys();
    repaint_and_mark("TabCaption");
}

void XTabModel::setTabEnabled(int i, bool enabled) {
    check_index(i, "TabEnabled");
    tabs_[i].enabled = enabled;
    repaint_and_mark("TabEnabled");
}

void XTabModel::setTabPicture(int i, const QImage& picture) {
    check_index(i, "TabPicture");
    tabs_[i].picture = picture;
    repaint_and_mark("TabPicture");
}

void XTabModel::RemoveTabImages(int index, bool all) {
    if (index == -1 && all) {
        for (TabInfo& t : tabs_) t.picture = QImage();
    } else {
        check_index(index, "RemoveTabImages");
        tabs_[index].picture = QImage();
    }
    Refresh();
}

void XTabModel::CopyTabImagesFromImageList(const std::vector<QImage>& images) {
    for (std::size_t i = 0; i < tabs_.size(); ++i) tabs_[i].picture = i < images.size() ? images[i] : QImage();
    Refresh();
}

void XTabModel::pAssignAccessKeys() {
    QString keys;
    for (const TabInfo& t : tabs_) {
        if (t.access_key != 0) keys += QChar(static_cast<char16_t>(t.access_key));
    }
    if (keys != access_keys_) {
        access_keys_ = keys;
        emit accessKeysChanged();
    }
}

void XTabModel::store_rects(int i, const TabRect& rect, const TabRect& box) {
    check_index(i, "AryTabs");
    tabs_[i].rect = rect;
    tabs_[i].box = box;
}

int XTabModel::TabOfPage(int page) const {
    for (int i = 0; i < TabCount(); ++i) {
        if (tabs_[i].page == page) return i;
    }
    return -1;
}

// ---------------------------------------------------------------------------
// Switching, count, insertion and removal

void XTabModel::setActiveTab(int n) {
    if (n < 0) n = TabCount();
    if (n >= TabCount()) n = 0;
    if (n == active_) return;
    bool cancel = false;
    emit BeforeTabSwitch(n, cancel);
    // The host may have cancelled, or changed the tabs in its handler.
    if (cancel || n >= TabCount() || n == active_) return;
    last_active_ = active_;
    active_ = n;
    box_tab_ = n;
    emit pagesChanged();
    // The switch repaints the surface once, by the full repaint: now, or when
    // the busy handler that switched ends (before the widget paints). The
    // panel and tabs painted first as well would only be painted over; the
    // hover highlight they would wipe is given up here.
    stop_hover();
    mark("ActiveTab");
    Refresh();
    emit surfaceChanged();
    emit TabSwitch(last_active_);
}

void XTabModel::setTabCount(int n) {
    if (n < 1 || n > kMaxTabCount) throw XTabError(kXTabInvalidPropertyValue, "TabCount");
    const int old = TabCount();
    if (n > old) {
        for (int i = old; i < n; ++i) new_record(i);
    } else if (n < old) {
        tabs_.resize(static_cast<std::size_t>(n));
        if (active_ >= n) {
            // The new active tab's page is shown; no switch event, so the
            // tab active before the last switch stays what it was.
            active_ = n - 1;
            box_tab_ = active_;
        }
        emit pagesChanged();
    }
    pAssignAccessKeys();
    Refresh();
    mark("TabCount");
}

void XTabModel::InsertTab(int index, const QString& caption) {
    if (index < -1 || index >= TabCount()) throw XTabError(kXTabSubscriptOutOfRange, "InsertTab");
    if (TabCount() >= kMaxTabCount) throw XTabError(kXTabInvalidPropertyValue, "InsertTab");
    {
        Busy b(*this);
        new_record(index + 1);
        tabs_[index + 1].caption = caption;
        tabs_[index + 1].access_key = caption_access_key(caption);
        // The active tab stays the same record, wherever it moved.
        if (active_ > index) ++active_;
        if (last_active_ > index) ++last_active_;
        box_tab_ = active_;
        pAssignAccessKeys();
        emit pagesChanged();
        mark("TabCount");
        refresh_pending_ = true;
    }
    emit TabInsert(index);
}

void XTabModel::RemoveTab(int index) {
    if (TabCount() == 1) return;
    check_index(index, "RemoveTab");
    {
        Busy b(*this);
        const int a = active_;
        tabs_.erase(tabs_.begin() + index);
        // The same tab, one index lower when a tab before it went; for the
        // active tab itself the one that followed it, or the one before it
        // when it was the last.
        const int n = index > a ? a : index < a ? a - 1 : std::min(a, TabCount() - 1);
        if (last_active_ == index)
            last_active_ = n;
        else if (last_active_ > index)
            --last_active_;
        // BoxHot stays as it was: the pointer is still where it pressed.
        stop_hover();
        pAssignAccessKeys();
        mark("TabCount");
        if (index > a) {
            // The active tab keeps its index: nothing to tell the host.
            box_tab_ = a;
            emit pagesChanged();
        } else {
            switch_after_removal(a, n, index == a);
        }
        refresh_pending_ = true;
    }
    emit TabRemove(index);
}

void XTabModel::switch_after_removal(int old_index, int n, bool tab_gone) {
    // The host sees the new numbering from here on; the active index stays
    // within the tabs while it handles BeforeTabSwitch.
    active_ = n;
    box_tab_ = n;
    bool cancel = false;
    emit BeforeTabSwitch(n, cancel);
    // A host that switched or changed the tabs itself meanwhile has the last word.
    if (active_ != n || n >= TabCount()) return;
    emit pagesChanged();
    // A cancel keeps the tab that stayed; a tab that went cannot be kept.
    if (cancel && !tab_gone) return;
    last_active_ = old_index;
    mark("ActiveTab");
    Refresh();
    emit surfaceChanged();
    emit TabSwitch(old_index);
}

// ---------------------------------------------------------------------------
// Input

void XTabModel::KeyDown(int key_code, int shift) {
    if (busy_ > 0) return;
    Busy b(*this);
    const bool ctrl = (shift & 2) != 0;
    const int n = TabCount();
    if (key_code == 39 || (key_code == 34 && ctrl)) {
        if (active_ >= n - 1) {
            if (tabs_[0].enabled) setActiveTab(0);
        } else if (tabs_[active_ + 1].enabled) {
            setActiveTab(active_ + 1);
        }
    } else if (key_code == 37 || (key_code == 33 && ctrl)) {
        if (active_ < 1) {
            if (n > 1 && tabs_[n - 1].enabled) setActiveTab(n - 1);
        } else if (tabs_[active_ - 1].enabled) {
            setActiveTab(active_ - 1);
        }
    }
}

void XTabModel::AccessKeyPress(int code) {
    if (code >= 'a' && code <= 'z')
        code -= 32;
    else
        code = QChar(static_cast<char16_t>(code)).toUpper().unicode();
    if (code == 0 || busy_ > 0) return;
    for (int i = 0; i < TabCount(); ++i) {
        if (tabs_[i].access_key == code && i != active_ && tabs_[i].enabled) {
            Busy b(*this);
            setActiveTab(i);
            return;
        }
    }
}

void XTabModel::MouseDownLeft(double x, double y) {
    if (busy_ > 0) return;
    Busy b(*this);
    if (hover_theme() && hover_shown_) {
        // Taken away now: the press may not switch, and with the timer
        // stopped nothing else would erase it.
        hover_shown_ = false;
        emit hoverTimer(0);
        pDrawOverXOred();
        emit surfaceChanged();
    }
    const int px = near_even(x);
    const int py = near_even(y);
    if (py > strip_height()) return;
    for (int i = 0; i < TabCount(); ++i) {
        if (tabs_[i].rect.contains(px, py) && tabs_[i].enabled) {
            if (i != active_) setActiveTab(i);
            return;
        }
    }
}

void XTabModel::pHandleMouseMove(double x, double y) {
    if (!hover_theme() || hover_shown_) return;
    const int px = near_even(x);
    const int py = near_even(y);
    if (py > strip_height()) return;
    for (int i = 0; i < TabCount(); ++i) {
        const TabInfo& t = tabs_[i];
        if (px >= t.rect.left && px <= t.rect.right && t.enabled) {
            if (i == active_) return;
            box_tab_ = i;
            if (p_.TabStyle != kTabStyleTabbedDialog && p_.TabStyle != kTabStylePropertyPages) return;
            hover_shown_ = true;
            hot_rect_ = t.rect;
            pDrawOverXOred();
            emit hoverTimer(10);
            emit surfaceChanged();
            return;
        }
    }
}

void XTabModel::stop_hover() {
    if (!hover_shown_) return;
    hover_shown_ = false;
    emit hoverTimer(0);
}

void XTabModel::TimerEvent(QPoint pos) {
    if (!hover_theme()) {
        // Nothing to track under the other themes.
        hover_shown_ = false;
        emit hoverTimer(0);
        return;
    }
    if (hot_rect_.contains(pos.x(), pos.y())) return;
    emit hoverTimer(0);
    if (hover_shown_) {
        hover_shown_ = false;
        pDrawOverXOred();
        emit surfaceChanged();
    }
}

void XTabModel::FocusChanged(bool focused) {
    box_tab_ = active_;
    focused_ = focused;
    Refresh();
}

int XTabModel::find_box(QPoint pos) const {
    for (int i = 0; i < TabCount(); ++i) {
        if (tabs_[i].box.contains(pos.x(), pos.y())) return i;
    }
    return -1;
}

void XTabModel::PointerMoved(QPoint pos) {
    if (!mouse_inside_) {
        mouse_inside_ = true;
        emit MouseEnter();
    }
    if (hover_theme()) {
        hover_theme_move(pos);
    } else if (p_.UseControlBox) {
        close_box_move(pos);
    }
}

void XTabModel::hover_theme_move(QPoint pos) {
    int t = -1;
    if (tabs_[active_].rect.contains(pos.x(), pos.y())) {
        t = active_;
    } else if (box_tab_ >= 0 && box_tab_ < TabCount() && tabs_[box_tab_].rect.contains(pos.x(), pos.y())) {
        t = box_tab_;
    } else {
        return;
    }
    emit MouseHover(t, static_cast<float>(pos.x()), static_cast<float>(pos.y()));
    if (!p_.UseControlBox) return;
    if (tabs_[t].box.contains(pos.x(), pos.y())) {
        box_over(t, pos);
    } else {
        box_left(t);
    }
}

void XTabModel::close_box_move(QPoint pos) {
    for (int i = 0; i < TabCount(); ++i) {
        if (tabs_[i].box.contains(pos.x(), pos.y())) {
            box_tab_ = i;
            box_over(i, pos);
            return;
        }
        if (i == box_tab_) box_left(i);
    }
}

void XTabModel::box_over(int t, QPoint pos) {
    if (box_hot_) {
        emit ControlBoxHover(static_cast<float>(pos.x()), static_cast<float>(pos.y()));
    } else {
        box_hot_ = true;
        emit ControlBoxEnter();
    }
    DrawControlBox(1, t);
}

void XTabModel::box_left(int t) {
    // Raised on every such move, whether the pointer was over the box or not.
    box_hot_ = false;
    emit ControlBoxExit();
    DrawControlBox(0, t);
}

void XTabModel::PointerLeft() {
    if (!mouse_inside_) return;
    mouse_inside_ = false;
    emit MouseLeave();
}

void XTabModel::PointerPressed(QPoint pos) {
    if (!p_.UseControlBox) return;
    const int i = find_box(pos);
    if (i < 0) return;
    box_hot_ = true;
    emit ControlBoxMouseDown(static_cast<float>(pos.x()), static_cast<float>(pos.y()));
    DrawControlBox(2, i);
}

void XTabModel::PointerReleased(QPoint pos) {
    if (!p_.UseControlBox) return;
    const int i = find_box(pos);
    if (i < 0) return;
    box_hot_ = true;
    emit ControlBoxMouseUp(static_cast<float>(pos.x()), static_cast<float>(pos.y()));
    RemoveTab(i);
}

void XTabModel::HostActivated() {
    box_tab_ = active_;
    Refresh();
}

void XTabModel::HostMoving() {
    was_moving_ = true;
    emit Status(QStringLiteral("Form is moving..."));
}

void XTabModel::HostSizing() {
    was_moving_ = false;
    emit Status(QStringLiteral("Form is sizing..."));
}

void XTabModel::HostSizeMoveFinished() {
    emit Status(QStringLiteral("Finished ") + (was_moving_ ? QStringLiteral("Moving.") : QStringLiteral("Sizing.")));
}

// ---------------------------------------------------------------------------
// Surface

void XTabModel::Resize(int width, int height) {
    surface_.resize(width, height);
    Refresh();
}

void XTabModel::Refresh() {
    if (busy_ > 0) {
        refresh_pending_ = true;
        return;
    }
    {
        Busy b(*this);
        if (!first_refresh_done_) {
            first_refresh_done_ = true;
            emit AfterCompleteInit();
        }
        if (p_.UseThemeDetection) p_.TabTheme = GetThemeInfo() != QLatin1String("None") ? 1 : 0;
        pDrawMe();
        refresh_pending_ = false;
    }
    emit surfaceChanged();
}

void XTabModel::pDrawMe() {
    // The panel painters clear the surface themselves; clearing before them
    // too would only double the work.
    if (!background_clears()) Cls();
    DrawBackground();
    DrawTabs();
}

// ---------------------------------------------------------------------------
// Persistence

void XTabModel::WriteProperties(PropertyBag& bag) const {
    const XTabProps d = XTabProps::store_defaults(ambient_font_, ambient_back_);
    bag.write("TabCount", TabCount(), 3);
    for (int i = 0; i < TabCount(); ++i) {
        const TabInfo& t = tabs_[i];
        bag.write(indexed("TabCaption(", i), t.caption.toStdString(), "Tab" + std::to_string(i));
        bag.write(indexed("TabEnabled(", i), t.enabled, true);
        bag.write(indexed("TabAccessKey(", i), t.access_key, 0);
        bag.write(indexed("TabPicture(", i), png_bytes(t.picture), std::vector<uint8_t>());
    }
    bag.write("ActiveTab", active_, 0);
    for (const IntKey& k : kIntKeys) {
        bag.write(k.key, p_.*k.member, d.*k.member);
    }
    for (const BoolKey& k : kBoolKeys) {
        bag.write(k.key, p_.*k.member, d.*k.member);
    }
    bag.write("ActiveTabFont", p_.ActiveTabFont, d.ActiveTabFont);
    bag.write("InActiveTabFont", p_.InActiveTabFont, d.InActiveTabFont);
}

void XTabModel::ReadProperties(const PropertyBag& bag) {
    const XTabProps d = XTabProps::store_defaults(ambient_font_, ambient_back_);
    stop_hover();
    for (const IntKey& k : kIntKeys) {
        p_.*k.member = bag.read(k.key, static_cast<int32_t>(d.*k.member));
    }
    for (const BoolKey& k : kBoolKeys) {
        p_.*k.member = bag.read(k.key, d.*k.member);
    }
    p_.ActiveTabFont = bag.read("ActiveTabFont", d.ActiveTabFont);
    p_.InActiveTabFont = bag.read("InActiveTabFont", d.InActiveTabFont);
    const int count = static_cast<int>(std::clamp<int64_t>(bag.read("TabCount", int64_t{3}), 1, kMaxTabCount));
    // Controls stay on the pages they are on: tab i keeps its page.
    std::vector<int> pages;
    for (const TabInfo& t : tabs_) pages.push_back(t.page);
    tabs_.clear();
    for (int i = 0; i < count; ++i) {
        new_record(i);
        TabInfo& t = tabs_.back();
        if (i < static_cast<int>(pages.size())) t.page = pages[static_cast<std::size_t>(i)];
        t.caption = QString::fromStdString(bag.read(indexed("TabCaption(", i), "Tab" + std::to_string(i)));
        t.enabled = bag.read(indexed("TabEnabled(", i), true);
        t.access_key = bag.read(indexed("TabAccessKey(", i), int32_t{0});
        t.picture = png_image(bag.read(indexed("TabPicture(", i), std::vector<uint8_t>()));
    }
    // No switch happens here: LastActiveTab keeps the last switch's tab.
    active_ = std::clamp(bag.read("ActiveTab", int32_t{0}), 0, count - 1);
    box_tab_ = active_;
    pAssignAccessKeys();
    emit pagesChanged();
    emit enabledChanged(p_.Enabled);
    Refresh();
}

}  // namespace tuner
