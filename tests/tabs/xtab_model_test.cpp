// The tab strip's model without a window, and its pixels where they carry behaviour.
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <memory>
#include <tuple>
#include <vector>

#include <QPainter>

#include "support/golden.h"
#include "tabs/xtab_model.h"
#include "tabs/xtab_paint.h"
#include "xtab_event_log.h"

namespace tuner {

void PrintTo(const TabRect& r, std::ostream* os) {
    *os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

namespace {

QImage solid(Qt::GlobalColor c) {
    QImage pic(4, 4, QImage::Format_RGB32);
    pic.fill(c);
    return pic;
}

int error_number(const std::function<void()>& f) try {
    f();
    return 0;
} catch (const XTabError& e) {
    return e.number();
}

// A painted strip in one style and theme.
std::unique_ptr<XTabModel> strip(int count, int style, int theme, int width = 400, int height = 60) {
    auto m = std::make_unique<XTabModel>();
    m->setTabCount(count);
    m->set(&XTabProps::TabStyle, style);
    m->setTabTheme(theme);
    m->Resize(width, height);
    return m;
}

QImage shot(const XTabModel& m) { return m.surface().image().copy(); }

TEST(XTabModel, BadIndexesAndCountsChangeNothing) {
    XTabModel m;
    EXPECT_TRUE(m.TabCaption(-1).isEmpty());
    EXPECT_FALSE(m.TabEnabled(99));
    for (const auto& [call, f] : std::vector<std::pair<const char*, std::function<void()>>>{
             {"TabPicture(99)", [&] { m.TabPicture(99); }},
             {"setTabCaption(3)", [&] { m.setTabCaption(3, "x"); }},
             {"setTabEnabled(-1)", [&] { m.setTabEnabled(-1, false); }},
             {"RemoveTabImages(3)", [&] { m.RemoveTabImages(3, false); }},
             {"RemoveTabImages(-1)", [&] { m.RemoveTabImages(-1, false); }}}) {
        EXPECT_EQ(error_number(f), 9) << call;
    }
    for (int n : {0, -1, kMaxTabCount + 1})
        EXPECT_EQ(error_number([&] { m.setTabCount(n); }), 380) << "setTabCount(" << n << ")";
    EXPECT_EQ(m.TabCount(), 3);
}

// Five tabs on a 400-pixel surface, as the main window's channel strip.
struct Five : ::testing::Test {
    XTabModel m;
    void SetUp() override {
        m.setTabCount(5);
        m.Resize(400, 100);
    }
};

TEST_F(Five, SwitchNormalisesTheIndexAndCancels) {
    EventLog log(m);
    for (int n : {3, -1, 2, 5, 0}) m.setActiveTab(n);  // outside the tabs: tab 0; the active tab: nothing
    EXPECT_EQ(log.events,
              (Events{"Before 3", "Switch 0", "Before 0", "Switch 3", "Before 2", "Switch 0", "Before 0", "Switch 2"}));
    m.setActiveTab(1);
    log.events.clear();
    log.cancel_next = true;
    const int page = m.ActivePage();
    m.setActiveTab(3);
    EXPECT_EQ(m.ActiveTab(), 1);
    EXPECT_EQ(m.LastActiveTab(), 0);
    EXPECT_EQ(m.ActivePage(), page);
    EXPECT_EQ(log.events, Events{"Before 3"});
}

TEST_F(Five, KeysWrapStopAtDisabledTabsAndNeverReenter) {
    m.setActiveTab(4);
    // Right wraps, Ctrl+PageUp goes to the last, PageDown needs Ctrl; key 0 disables 0 and 3.
    for (const auto& [key, shift, expected] : std::vector<std::array<int, 3>>{
             {39, 0, 0}, {33, 2, 4}, {34, 0, 4}, {34, 2, 0}, {37, 0, 4}, {0, 0, 4}, {39, 0, 4}, {37, 0, 4}}) {
        if (key == 0) m.setTabEnabled(0, false), m.setTabEnabled(3, false);
        m.KeyDown(key, shift);
        EXPECT_EQ(m.ActiveTab(), expected) << "key " << key << " shift " << shift;
    }
    int nested = 0;
    QObject::connect(&m, &XTabModel::BeforeTabSwitch, [&](int, bool&) {
        if (++nested > 1) return;  // a host handler that lets input through while it waits
        m.KeyDown(39, 0);
        m.MouseDownLeft(250, 10);
        m.AccessKeyPress('T');
    });
    m.setTabEnabled(3, true);
    m.KeyDown(37, 0);
    EXPECT_EQ(nested, 1);
    EXPECT_EQ(m.ActiveTab(), 3);
    EXPECT_FALSE(m.IsBusy());
}

TEST_F(Five, AccessKeys) {
    const std::vector<std::pair<const char16_t*, int>> cases = {
        {u"A&&B &line", 'L'}, {u"Mix && EQ", 0}, {u"Trailing&", 0}, {u"&&&", 0}, {u"&音乐", u'音'}};
    for (const auto& [caption, key] : cases)
        EXPECT_EQ(caption_access_key(QString::fromUtf16(caption)), key) << QString::fromUtf16(caption).toStdString();
    for (int i : {1, 2, 3}) m.setTabCaption(i, QString::fromUtf16(std::array{u"&Bass", u"&Boost", u"&Mid"}[i - 1]));
    EXPECT_EQ(m.AccessKeys().toStdString(), "BBM");
    m.setTabCaption(1, "Bass");  // the other "B" keeps its key
    EXPECT_EQ(m.AccessKeys().toStdString(), "BM");
    m.AccessKeyPress('b');
    m.AccessKeyPress('b');  // already active: nothing
    m.setTabEnabled(3, false);
    m.AccessKeyPress('M');        // disabled: nothing
    EXPECT_EQ(m.ActiveTab(), 2);  // the first "B"
}

TEST_F(Five, PressPicksTheEnabledTab) {
    m.setTabEnabled(2, false);
    EventLog log(m);
    for (const auto& [x, y, expected] :
         std::vector<std::tuple<double, double, int>>{{100, 21, 0},  // just below the strip (h = 20)
                                                      {100, 20, 1},  // its last row
                                                      {90, 5, 1},    // the active tab: nothing
                                                      {200, 10, 1},  // a disabled tab
                                                      {240, 10, 3},  // the column shared by disabled 2 and enabled 3
                                                      {5, 1, 3},     // above the shorter inactive tab 0 (top 2)
                                                      {5.4, 1.6, 0}}) {  // rounds to (5, 2)
        m.MouseDownLeft(x, y);
        EXPECT_EQ(m.ActiveTab(), expected) << x << "," << y;
    }
    EXPECT_EQ(log.events, (Events{"Before 1", "Switch 0", "Before 3", "Switch 1", "Before 0", "Switch 3"}));
}

TEST_F(Five, LayoutForWidthsCountsAndHeights) {
    // Each tab ends where the next begins; the last at the right edge.
    for (const auto& [width, lefts] : std::vector<std::pair<int, std::vector<int>>>{
             {400, {0, 80, 160, 240, 320}}, {500, {0, 71, 142, 213, 284, 355, 426}}, {250, {0, 62, 124, 186}}}) {
        const int count = static_cast<int>(lefts.size());
        const auto w = strip(count, 0, 0, width);
        for (int i = 0; i < count; ++i) {
            const int right = i + 1 < count ? lefts[i + 1] : width - 1;
            const auto where = ::testing::Message() << "tab " << i << " of " << count << " on " << width;
            EXPECT_EQ(w->tab(i).rect.left, lefts[i]) << where;
            EXPECT_EQ(w->tab(i).rect.right, right) << where;
        }
    }
    EXPECT_EQ(m.tab(1).box, (TabRect{146, 7, 156, 17})) << "close box of tab 1";
    m.set(&XTabProps::InActiveTabHeight, 24);  // taller inactive tabs
    EXPECT_EQ(m.tab(0).rect, (TabRect{0, 4, 80, 24})) << "active tab 0, inactive height 24";
    EXPECT_EQ(m.tab(1).rect, (TabRect{80, 0, 160, 24})) << "tab 1, inactive height 24";
    m.set(&XTabProps::TabStyle, 1);  // property pages: tab 0 stands 2 pixels in while another tab is active
    m.setActiveTab(2);
    EXPECT_EQ(m.tab(0).rect.left, 2);
    EXPECT_EQ(m.tab(1).rect.left, m.tab(0).rect.right);
}

TEST_F(Five, InsertMovesRecordsAndKeepsTheActiveTab) {
    m.setTabEnabled(2, false);
    m.setTabPicture(3, solid(Qt::red));
    m.setActiveTab(2);
    const int active_page = m.ActivePage();
    EventLog log(m);
    m.InsertTab(1, "&New");  // the active tab was index + 1
    ASSERT_EQ(m.TabCount(), 6);
    EXPECT_EQ(m.TabCaption(2).toStdString(), "&New");
    EXPECT_EQ(m.AccessKeys().toStdString(), "N");
    // The disabled active tab moved along, with its picture and page.
    EXPECT_FALSE(m.TabEnabled(3));
    EXPECT_TRUE(m.TabPicture(3).isNull());
    EXPECT_FALSE(m.TabPicture(4).isNull());
    EXPECT_EQ(m.ActiveTab(), 3);
    EXPECT_EQ(m.ActivePage(), active_page);
    EXPECT_EQ(log.events, Events{"Insert 1"});
    m.InsertTab(-1, "First");
    EXPECT_EQ(m.TabCaption(0).toStdString(), "First");
    EXPECT_EQ(m.ActiveTab(), 4) << "after inserting at -1";
    m.InsertTab(4, "Next");
    EXPECT_EQ(m.ActiveTab(), 4) << "after inserting after the active tab";
    for (int bad : {8, -2})
        EXPECT_EQ(error_number([&] { m.InsertTab(bad, "x"); }), 9) << "InsertTab(" << bad << ")";
    EXPECT_EQ(m.TabCount(), 8);
}

// A removal that moves the active tab's index, or takes the active tab, ends with a full switch before TabRemove,
// so the host knows which tab is active; one after the active tab changes nothing the host knows.
TEST(XTabRemove, EndsWithASwitchTheHostSees) {
    struct Case {
        int active, removed;
        bool cancel;
        Events events;
        int active_after;  // by the tab's index before the removal: which tab's page shows
        int last_after;
    };
    const Case cases[] = {
        {3, 1, false, {"Before 2", "Switch 3", "Remove 1"}, 3, 3},  // the same tab, one lower
        {3, 3, false, {"Before 3", "Switch 3", "Remove 3"}, 4, 3},  // the tab that followed
        {4, 4, false, {"Before 3", "Switch 4", "Remove 4"}, 3, 4},  // the last: the one before it
        {0, 0, false, {"Before 0", "Switch 0", "Remove 0"}, 1, 0},  // the first, index unchanged
        {1, 3, false, {"Remove 3"}, 1, 0},                          // after the active tab
        {3, 1, true, {"Before 2", "Remove 1"}, 3, 0},               // cancelled: the same tab stays
        {3, 3, true, {"Before 3", "Switch 3", "Remove 3"}, 4, 3},   // a tab that went cannot stay
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << "active " << c.active << ", removing " << c.removed << (c.cancel ? ", host cancels" : ""));
        XTabModel m;
        m.setTabCount(5);
        m.Resize(400, 100);
        std::vector<int> pages;
        for (int i = 0; i < 5; ++i) pages.push_back(m.TabPage(i));
        m.setActiveTab(c.active);
        if (c.active == 0) m.setActiveTab(1), m.setActiveTab(0);  // LastActiveTab 1
        EventLog log(m);
        log.cancel_next = c.cancel;
        int count_seen = -1;
        int active_seen = -1;
        QObject::connect(&m, &XTabModel::BeforeTabSwitch, [&](int, bool&) {
            count_seen = m.TabCount();
            active_seen = m.ActiveTab();
        });
        m.RemoveTab(c.removed);
        EXPECT_EQ(log.events, c.events) << "events";
        const int expected_index = c.active_after > c.removed ? c.active_after - 1 : c.active_after;
        EXPECT_EQ(m.ActiveTab(), expected_index) << "active tab";
        EXPECT_EQ(m.ActivePage(), pages[c.active_after]) << "page shown (of tab " << c.active_after << " before)";
        EXPECT_EQ(m.LastActiveTab(), c.last_after) << "LastActiveTab";
        if (c.events.size() > 1) {
            EXPECT_EQ(count_seen, 4) << "TabCount the host sees in BeforeTabSwitch";
            EXPECT_EQ(active_seen, expected_index) << "ActiveTab the host sees in BeforeTabSwitch";
        }
        EXPECT_FALSE(m.IsBusy()) << "busy after the removal";
    }
}

TEST_F(Five, RemoveTabRefusesBadIndexesAndTheLastTab) {
    EventLog log(m);
    EXPECT_EQ(error_number([&] { m.RemoveTab(5); }), 9) << "RemoveTab(5)";
    EXPECT_EQ(error_number([&] { m.RemoveTab(-1); }), 9) << "RemoveTab(-1)";
    m.setTabCount(1);
    m.RemoveTab(0);
    EXPECT_EQ(m.TabCount(), 1) << "the last tab stays";
    EXPECT_EQ(log.events, Events{}) << "events";
}

TEST_F(Five, StoreRoundTripAndClamping) {
    m.setTabCaption(0, "音乐");
    m.setTabCaption(2, "E&ffect");
    m.setTabEnabled(3, false);
    m.setTabPicture(1, solid(Qt::blue));
    m.set(&XTabProps::HoverColor, 0x123456);
    m.set(&XTabProps::ShowFocusRect, false);
    m.setActiveTab(4);
    PropertyBag bag;
    m.WriteProperties(bag);
    EXPECT_EQ(bag.read("TabCaption(1)", std::string()), "Tab 1");  // differs from the store default "Tab1"
    EXPECT_FALSE(bag.contains("XRadius"));
    XTabModel back;
    back.ReadProperties(PropertyBag::from_text(bag.to_text()));
    PropertyBag again;
    back.WriteProperties(again);
    EXPECT_EQ(again, bag);  // every key, the picture's bytes and the bold font among them
    EXPECT_EQ(back.AccessKeys().toStdString(), "F");
    // Stored count and active tab, and what they load as: an active tab outside the tabs loads as tab 0.
    for (const auto& [count, active, expected_count, expected_active] :
         std::vector<std::array<int, 4>>{{0, 9, 1, 0}, {4, -3, 4, 0}, {1 << 30, 2, kMaxTabCount, 2}}) {
        SCOPED_TRACE(::testing::Message() << "stored TabCount " << count << " ActiveTab " << active);
        PropertyBag bad;
        bad.write("TabCount", count, 3);
        bad.write("ActiveTab", active, 0);
        XTabModel clamped;
        clamped.ReadProperties(bad);
        EXPECT_EQ(clamped.TabCount(), expected_count);
        EXPECT_EQ(clamped.ActiveTab(), expected_active);
        EXPECT_EQ(clamped.TabCaption(0).toStdString(), "Tab0");  // the store default
    }
}

TEST(XTabModel, PaletteAndColourMaths) {
    XTabModel m;
    m.setTabTheme(3);
    m.set(&XTabProps::UseThemeDetection, true);  // no visual style here: theme 0
    EXPECT_EQ(m.props().TabTheme, 0);
    // Blends round per channel; offsets hold each channel within 0..255.
    EXPECT_EQ(pBlendColors(make_rgb(255, 0, 0), make_rgb(0, 255, 0), 128), make_rgb(128, 127, 0));
    EXPECT_EQ(OffsetColor(0x10F0FF, 512), 0xFFFFFFu);
    EXPECT_EQ(OffsetColor(0x102030, -0x18), make_rgb(0x18, 0x08, 0x00));
}

// Painted (not white) columns of row y.
std::vector<int> painted(const Canvas& c, int y) {
    std::vector<int> xs;
    for (int x = 0; x < c.width(); ++x)
        if (c.pixel(x, y) != 0xFFFFFFu) xs.push_back(x);
    return xs;
}

TEST(XTabPaint, CurvedGradientCutsCorners) {
    Canvas c(12, 6);
    pFillCurvedGradient(c, 0, 0, 9, 3, 0x000000, 0x0000F0, 4, true, true);
    const std::vector<std::vector<int>> rows = {{}, {4, 5}, {3, 4, 5, 6}, {2, 3, 4, 5, 6, 7}};
    for (int y = 0; y < 4; ++y) EXPECT_EQ(painted(c, y), rows[y]) << "row " << y;
    // A third of the way down, then the bottom row in the end colour.
    EXPECT_EQ(c.pixel(4, 1), make_rgb(0x50, 0, 0));
    EXPECT_EQ(c.pixel(4, 3), make_rgb(0xF0, 0, 0));
    Canvas left_only(12, 4);
    pFillCurvedSolid(left_only, 0, 0, 9, 2, 0, 2, true, false);
    EXPECT_EQ(painted(left_only, 0), (std::vector<int>{3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(painted(left_only, 2), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8})) << "the cut ends after two rows";
}

// The main window's channel strip as a user meets it: a disabled tab, then focus and a disabled active tab.
TEST(XTabPaint, GoldenLooks) {
    const std::pair<const char*, std::function<void(XTabModel&)>> looks[] = {
        {"ctl_tabs_active", [](XTabModel&) {}},
        {"ctl_tabs_focused", [](XTabModel& m) { m.FocusChanged(true); }},
        {"ctl_tabs_active_disabled", [](XTabModel& m) { m.setTabEnabled(2, false); }}};
    for (const auto& [name, set_up] : looks) {
        XTabModel m;
        m.setTabCount(5);
        for (int i = 0; i < 5; ++i) m.setTabCaption(i, QStringList{"MUSIC", "MIC", "EFFECT", "MAIN OUT", "SUB OUT"}[i]);
        m.Resize(400, 60);
        m.setActiveTab(2);
        m.setTabEnabled(4, false);
        set_up(m);
        EXPECT_GOLDEN(shot(m), name);
    }
}

// Property pages under themes 0, 1, 2 and 4 centre a caption wider than its tab and cut it at the tab's edges,
// without an ellipsis: the inactive captions here are set larger than the active font they were measured in.
TEST(XTabPaint, PropertyPagesCaptionsAreCutNotShortened) {
    QImage sheet(300, 4 * 40, QImage::Format_ARGB32);
    int row = 0;
    for (int theme : {0, 1, 2, 4}) {
        XTabModel m;
        for (int i = 0; i < 3; ++i) m.setTabCaption(i, QStringList{"MUSIC", "MAIN OUTPUT", "SUB OUT"}[i]);
        m.set(&XTabProps::TabStyle, 1);  // PropertyPages
        m.setTabTheme(theme);
        FontSpec large = m.props().InActiveTabFont;
        large.size = 12;
        m.set(&XTabProps::InActiveTabFont, large);
        m.Resize(300, 40);
        QPainter(&sheet).drawImage(0, 40 * row++, shot(m));
    }
    EXPECT_GOLDEN(sheet, "ctl_tabs_pages_cut_captions");
}

// The panel takes the active tab's end colour (the same as its start in the pictures' theme). The focus mark
// follows the focus state; repaints never toggle it; off on the main window's strips.
TEST_F(Five, PanelColourAndFocusMark) {
    m.set(&XTabProps::ActiveTabBackEndColor, 0x00FF00);
    EXPECT_EQ(m.surface().pixel(200, 60), make_rgb(0, 0xFF, 0)) << "panel";
    const QImage normal = shot(m);
    m.FocusChanged(true);
    const QImage focused = shot(m);
    m.Refresh();
    m.ShowHideFocus();
    EXPECT_EQ(shot(m), focused);
    m.FocusChanged(false);
    const QImage unfocused = shot(m);
    m.set(&XTabProps::ShowFocusRect, false);
    m.FocusChanged(true);
    EXPECT_EQ(unfocused, normal) << "focus lost";
    EXPECT_EQ(shot(m), normal) << "focused with ShowFocusRect off";
}

TEST(XTabPaint, HoverHighlightComesAndGoes) {
    const auto m = strip(4, 0, 1);
    std::vector<int> timer;
    QObject::connect(m.get(), &XTabModel::hoverTimer, [&](int ms) { timer.push_back(ms); });
    const QImage before = shot(*m);
    const int x2 = m->tab(2).rect.left + 5;
    m->pHandleMouseMove(x2, 5);
    EXPECT_NE(shot(*m), before) << "over tab 2";
    m->TimerEvent(QPoint(x2, 50));
    EXPECT_EQ(shot(*m), before) << "pointer left";
    EXPECT_EQ(timer, (std::vector<int>{10, 0}));
    m->pHandleMouseMove(x2, 5);  // a press that switches nothing still takes the highlight away
    m->MouseDownLeft(x2, 50);
    EXPECT_EQ(shot(*m), before) << "press below the strip";
    // Property pages keep the corner next to the active tab square: the highlight reaches left of tab 1 only.
    const auto pp = strip(4, 1, 1);
    const QImage plain = shot(*pp);
    for (const auto& [t, changed] : {std::pair{1, true}, {2, false}}) {
        pp->pHandleMouseMove(pp->tab(t).rect.left + 8, 5);
        const QPoint corner(pp->HotRect().left - 1, pp->HotRect().top + 1);
        EXPECT_EQ(shot(*pp).pixel(corner) != plain.pixel(corner), changed) << "tab " << t;
        pp->TimerEvent(QPoint(0, 50));
    }
}

// Four tabs with close boxes under `theme`, on a white active tab.
std::unique_ptr<XTabModel> close_box_strip(int theme) {
    auto s = strip(4, 0, theme);
    s->set(&XTabProps::ActiveTabBackEndColor, 0xFFFFFF);
    s->set(&XTabProps::UseControlBox, true);
    return s;
}

// Every move whose scan passes the tracked tab's close box without a hit raises ControlBoxExit and draws that box
// normal again, whether the pointer was over it or not.
TEST(XTabPointer, CloseBoxesLightPressAndRemove) {
    const auto s = close_box_strip(2);
    XTabModel& m = *s;
    EventLog log(m);
    const TabRect box = m.tab(2).box;
    const QPoint in(box.left + 4, box.top + 4);
    const QPoint low(box.left + 1, box.bottom - 2);  // the box's lowest gradient row
    const uint32_t normal = m.surface().pixel(low.x(), low.y());
    m.PointerMoved(QPoint(box.left - 30, 40));  // passes the box of tab 0, the one tracked
    m.PointerMoved(in);
    m.PointerMoved(in + QPoint(1, 0));
    EXPECT_EQ(m.surface().pixel(low.x(), low.y()), make_rgb(207, 207, 207)) << "box under the pointer";
    m.PointerMoved(QPoint(box.left - 30, 40));
    EXPECT_EQ(m.surface().pixel(low.x(), low.y()), normal) << "box after the pointer left it";
    EXPECT_FALSE(m.BoxHot()) << "BoxHot after leaving";
    m.PointerPressed(in);
    EXPECT_EQ(m.surface().pixel(box.left + 1, box.top + 2), make_rgb(207, 207, 207));  // pressed look
    m.PointerReleased(in);
    EXPECT_EQ(m.TabCount(), 3);
    EXPECT_EQ(m.BoxTabIndex(), m.ActiveTab()) << "box tracked after the removal";
    EXPECT_EQ(log.events, (Events{"Enter", "BoxExit", "BoxExit", "BoxEnter", "BoxHover", "BoxExit", "BoxDown", "BoxUp",
                                  "Remove 2"}));
}

// Under the hover themes the pointer in the active tab but off its close box raises ControlBoxExit on every move.
TEST(XTabPointer, HoverThemesLeaveTheBoxOnEveryMoveOffIt) {
    const auto s = close_box_strip(1);
    XTabModel& m = *s;
    EventLog log(m);
    const TabRect box = m.tab(0).box;
    const QPoint in(box.left + 4, box.top + 4);
    const QPoint off(box.left - 20, box.top + 4);  // in tab 0, left of its box
    const QPoint low(box.left + 1, box.bottom - 2);
    const uint32_t normal = m.surface().pixel(low.x(), low.y());
    for (const QPoint& p : {off, off + QPoint(1, 0), in, in + QPoint(1, 0), off}) m.PointerMoved(p);
    m.PointerMoved(QPoint(m.tab(2).rect.left + 5, 10));  // over another tab: not tracked
    EXPECT_EQ(log.events, (Events{"Enter", "BoxExit", "BoxExit", "BoxEnter", "BoxHover", "BoxExit"}));
    EXPECT_EQ(m.surface().pixel(low.x(), low.y()), normal) << "box after the pointer left it";
}

}  // namespace
}  // namespace tuner
