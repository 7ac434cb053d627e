// The tab strip's model without a window: records, switching, keys, access
// keys, hit tests, layout, tab count, insertion, removal, pages, store,
// palettes and colour maths.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "tabs/xtab_model.h"
#include "xtab_event_log.h"

namespace tuner {
namespace {

// The main window's channel strip: five tabs on a 400-pixel surface.
void five_tabs(XTabModel& m) {
    m.setTabCount(5);
    m.Resize(400, 100);
}

int error_number(const std::function<void()>& f) {
    try {
        f();
    } catch (const XTabError& e) {
        return e.number();
    }
    return 0;
}

QImage solid(Qt::GlobalColor c) {
    QImage pic(4, 4, QImage::Format_RGB32);
    pic.fill(c);
    return pic;
}

TEST(XTabModel, BadIndexesAndCountsChangeNothing) {
    XTabModel m;
    m.CopyTabImagesFromImageList({solid(Qt::green), solid(Qt::green), solid(Qt::green), solid(Qt::green)});
    EXPECT_EQ(m.TabCaption(-1), QString());
    EXPECT_FALSE(m.TabEnabled(99));
    for (const auto& f : std::vector<std::function<void()>>{
             [&] { m.TabPicture(99); }, [&] { m.setTabCaption(3, "x"); }, [&] { m.setTabEnabled(-1, false); },
             [&] { m.RemoveTabImages(3, false); }, [&] { m.RemoveTabImages(-1, false); }}) {
        EXPECT_EQ(error_number(f), kXTabSubscriptOutOfRange);
    }
    for (int n : {0, -1, kMaxTabCount + 1})
        EXPECT_EQ(error_number([&] { m.setTabCount(n); }), kXTabInvalidPropertyValue);
    EXPECT_EQ(XTabError(kXTabInvalidPropertyValue, "TabCount").source(), "ucXTab.TabCount");
    EXPECT_EQ(m.TabCount(), 3);
    m.RemoveTabImages(1, false);  // no other picture was cleared, by this or by a bad index
    EXPECT_EQ((std::vector<bool>{m.TabPicture(0).isNull(), m.TabPicture(1).isNull(), m.TabPicture(2).isNull()}),
              (std::vector<bool>{false, true, false}));
    m.RemoveTabImages(-1, true);
    EXPECT_TRUE(m.TabPicture(0).isNull());
}

TEST(XTabModel, SwitchNormalisesTheIndexAndCanBeCancelled) {
    XTabModel m;
    five_tabs(m);
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

TEST(XTabModel, KeysWrapStopAtDisabledNeighboursAndNeverReenter) {
    XTabModel m;
    five_tabs(m);
    m.setActiveTab(4);
    struct Step {
        int key, shift, expected;
    };
    // Right wraps to 0, Ctrl+PageUp to the last, PageDown needs Ctrl; then a
    // disabled neighbour stops the move (no skipping).
    for (const Step& s :
         {Step{39, 0, 0}, {33, 2, 4}, {34, 0, 4}, {34, 2, 0}, {37, 0, 4}, {-1, 0, 4}, {39, 0, 4}, {37, 0, 4}}) {
        if (s.key < 0) {
            m.setTabEnabled(0, false);
            m.setTabEnabled(3, false);
            continue;
        }
        m.KeyDown(s.key, s.shift);
        EXPECT_EQ(m.ActiveTab(), s.expected) << s.key << "/" << s.shift;
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

TEST(XTabModel, AccessKeys) {
    const std::vector<std::pair<const char16_t*, int>> cases = {
        {u"A&&B &line", 'L'}, {u"Mix && EQ", 0}, {u"Trailing&", 0}, {u"&&&", 0}, {u"&音乐", u'音'}};
    for (const auto& [caption, key] : cases) EXPECT_EQ(caption_access_key(QString::fromUtf16(caption)), key);

    XTabModel m;
    five_tabs(m);
    for (int i : {1, 2, 3}) m.setTabCaption(i, QString::fromUtf16(std::array{u"&Bass", u"&Boost", u"&Mid"}[i - 1]));
    EXPECT_EQ(m.AccessKeys(), QStringLiteral("BBM"));
    m.setTabCaption(1, QStringLiteral("Bass"));  // the other "B" keeps its key
    EXPECT_EQ(m.AccessKeys(), QStringLiteral("BM"));
    m.AccessKeyPress('b');
    EXPECT_EQ(m.ActiveTab(), 2);
    m.AccessKeyPress('b');  // already active: nothing
    m.setTabEnabled(3, false);
    m.AccessKeyPress('M');  // disabled: nothing
    EXPECT_EQ(m.ActiveTab(), 2);
}

TEST(XTabModel, PressPicksTheEnabledTabUnderThePointer) {
    XTabModel m;
    five_tabs(m);
    m.setTabEnabled(2, false);
    EventLog log(m);
    struct Press {
        double x, y;
        int expected;
    };
    for (const Press& p : {Press{100, 21, 0},      // just below the strip (h = 20)
                           Press{100, 20, 1},      // its last row
                           Press{90, 5, 1},        // the active tab: nothing
                           Press{200, 10, 1},      // a disabled tab
                           Press{240, 10, 3},      // the column shared by disabled 2 and enabled 3
                           Press{5, 1, 3},         // above the shorter inactive tab 0 (top 2)
                           Press{5.4, 1.6, 0}}) {  // rounds to (5, 2)
        m.MouseDownLeft(p.x, p.y);
        EXPECT_EQ(m.ActiveTab(), p.expected) << p.x << "," << p.y;
    }
    EXPECT_EQ(log.events, (Events{"Before 1", "Switch 0", "Before 3", "Switch 1", "Before 0", "Switch 3"}));
}

TEST(XTabModel, TabbedDialogLayoutForWidthsCountsAndHeights) {
    struct Case {
        int width, count;
        std::vector<int> lefts;
    };
    for (const Case& c : {Case{400, 5, {0, 80, 160, 240, 320}}, Case{500, 7, {0, 71, 142, 213, 284, 355, 426}},
                          Case{250, 4, {0, 62, 124, 186}}}) {
        XTabModel m;
        m.setTabCount(c.count);
        m.Resize(c.width, 60);
        for (std::size_t i = 0; i < c.lefts.size(); ++i) {
            EXPECT_EQ(m.tab(static_cast<int>(i)).rect.left, c.lefts[i]) << c.width << "/" << c.count;
            EXPECT_EQ(m.tab(static_cast<int>(i)).rect.right, i + 1 < c.lefts.size() ? c.lefts[i + 1] : c.width - 1);
        }
    }
    XTabModel m;
    five_tabs(m);
    EXPECT_EQ(m.tab(0).rect, (TabRect{0, 0, 80, 20}));
    EXPECT_EQ(m.tab(1).rect, (TabRect{80, 2, 160, 20}));
    EXPECT_EQ(m.tab(1).box, (TabRect{146, 7, 156, 17}));
    m.set(&XTabProps::InActiveTabHeight, 24);  // taller inactive tabs
    EXPECT_EQ(m.tab(0).rect, (TabRect{0, 4, 80, 24}));
    EXPECT_EQ(m.tab(1).rect, (TabRect{80, 0, 160, 24}));
}

TEST(XTabModel, ExtremeHeightsAndRadiiPaintInEveryLook) {
    for (int v : {INT32_MIN, -1, 100000, INT32_MAX}) {
        for (int look = 0; look < 10; ++look) {
            XTabModel m;
            m.set(&XTabProps::TabStyle, look / 5);
            m.setTabTheme(look % 5);
            m.set(&XTabProps::UseControlBox, true);
            m.set(&XTabProps::ActiveTabHeight, v);
            m.set(&XTabProps::YRadius, v);
            m.Resize(300, 80);
            m.set(&XTabProps::InActiveTabHeight, v);
            m.MouseDownLeft(150, 5);
            EXPECT_LE(m.strip_height(), kMaxTabExtent);
        }
    }
}

TEST(XTabModel, TabCountGrowsAndShrinksWithoutSwitchEvents) {
    XTabModel m;
    five_tabs(m);
    EXPECT_EQ(m.TabCaption(3), QStringLiteral("Tab 3"));
    EXPECT_TRUE(m.TabEnabled(4));
    m.setActiveTab(4);
    const int dropped = m.ActivePage();
    EventLog log(m);
    m.setTabCount(2);
    EXPECT_EQ(m.ActiveTab(), 1);
    EXPECT_TRUE(log.events.empty());
    m.setTabCount(5);  // a grown tab gets a fresh page, not the dropped one
    EXPECT_EQ(m.TabOfPage(dropped), -1);
}

TEST(XTabModel, InsertTabMovesWholeRecordsAndKeepsTheActiveTab) {
    XTabModel m;
    five_tabs(m);
    m.setTabEnabled(2, false);
    m.setTabPicture(3, solid(Qt::red));
    m.setActiveTab(2);
    const int active_page = m.ActivePage();
    EventLog log(m);
    m.InsertTab(1, QStringLiteral("&New"));  // the active tab was index + 1
    ASSERT_EQ(m.TabCount(), 6);
    EXPECT_EQ(m.TabCaption(2), QStringLiteral("&New"));
    EXPECT_TRUE(m.TabEnabled(2));
    EXPECT_FALSE(m.TabEnabled(3));  // the disabled tab moved along, with its picture and page
    EXPECT_FALSE(m.TabPicture(4).isNull());
    EXPECT_TRUE(m.TabPicture(3).isNull());
    EXPECT_EQ(m.ActiveTab(), 3);
    EXPECT_EQ(m.ActivePage(), active_page);
    EXPECT_EQ(m.AccessKeys(), QStringLiteral("N"));
    EXPECT_EQ(log.events, Events{"Insert 1"});

    m.InsertTab(-1, QStringLiteral("First"));
    EXPECT_EQ(m.TabCaption(0), QStringLiteral("First"));
    EXPECT_EQ(m.ActiveTab(), 4);
    for (int bad : {7, -2}) EXPECT_EQ(error_number([&] { m.InsertTab(bad, "x"); }), kXTabSubscriptOutOfRange);
    EXPECT_EQ(m.TabCount(), 7);
}

TEST(XTabModel, RemoveTabKeepsOrPassesOnTheActiveTab) {
    XTabModel m;
    five_tabs(m);
    m.setActiveTab(3);
    const int active_page = m.ActivePage();
    EventLog log(m);
    m.RemoveTab(1);
    EXPECT_EQ(m.ActiveTab(), 2);  // the same tab, one index lower
    EXPECT_EQ(m.ActivePage(), active_page);
    EXPECT_EQ(log.events, Events{"Remove 1"});
    m.RemoveTab(3);  // the active last tab: the one before it takes over
    EXPECT_EQ(m.ActiveTab(), 2);
    m.setActiveTab(1);
    const int next_page = m.TabPage(2);
    m.RemoveTab(1);  // the active tab: the one after it takes over
    EXPECT_EQ(m.ActivePage(), next_page);
    EXPECT_EQ(error_number([&] { m.RemoveTab(2); }), kXTabSubscriptOutOfRange);

    XTabModel one;
    one.setTabCount(1);
    EventLog none(one);
    one.RemoveTab(0);
    one.RemoveTab(7);
    EXPECT_EQ(one.TabCount(), 1);
    EXPECT_TRUE(none.events.empty());
}

TEST(XTabModel, PropertiesSurviveTheStoreAndBadValuesAreClamped) {
    XTabModel m;
    five_tabs(m);
    m.setTabCaption(0, QStringLiteral("音乐"));
    m.setTabCaption(2, QStringLiteral("E&ffect"));
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
    EXPECT_EQ(back.TabCaption(0), QStringLiteral("音乐"));
    EXPECT_EQ(back.AccessKeys(), QStringLiteral("F"));

    struct Bad {
        int count, active, expected_count;
    };
    for (const Bad& b : {Bad{0, 9, 1}, Bad{4, -3, 4}, Bad{1 << 30, 2, kMaxTabCount}}) {
        PropertyBag bad;
        bad.write("TabCount", b.count, 3);
        bad.write("ActiveTab", b.active, 0);
        XTabModel clamped;
        clamped.ReadProperties(bad);
        EXPECT_EQ(clamped.TabCount(), b.expected_count);
        EXPECT_EQ(clamped.ActiveTab(), b.active >= 0 && b.active < b.expected_count ? b.active : 0);
        EXPECT_EQ(clamped.TabCaption(0), QStringLiteral("Tab0"));  // the store default
    }
}

TEST(XTabModel, PalettesPerTheme) {
    XTabModel m;
    m.setTabTheme(1);
    EXPECT_EQ(m.props().InActiveTabBackEndColor, 0xEAF0F0);
    EXPECT_EQ(m.props().TopLeftInnerBorderColor, kSysButtonHighlight);  // theme 1 leaves it
    m.set(&XTabProps::ActiveTabBackEndColor, 0x010203);
    m.setTabTheme(3);
    EXPECT_EQ(m.props().ActiveTabBackEndColor, 0x010203);  // theme 3 leaves the end colours
    m.setTabTheme(5);
    EXPECT_EQ(m.props().ActiveTabForeColor, 0xA76D50);  // theme 3's, kept
    m.setTabTheme(4);
    EXPECT_EQ(m.props().PictureMaskColor, 0xFF00FF);
    EXPECT_EQ(static_cast<uint32_t>(m.props().HoverColor), OffsetColor(kSysActiveCaption, 16));
    m.set(&XTabProps::UseThemeDetection, true);  // no visual style here: theme 0
    EXPECT_EQ(m.props().TabTheme, 0);
    EXPECT_EQ(m.props().DisabledTabForeColor, kSys3DDarkShadow);
    EXPECT_EQ(XTabModel::Version(true), QStringLiteral("1.0.85 (11/13/2006 8:07:02 AM )"));
}

TEST(XTabModel, FileOpenDialogOffersAllFilesByDefaultAndTrimsThePath) {
    struct FakeDialogs : FileDialogs {
        FileDialogRequest seen;
        std::optional<std::string> answer = "  /tmp/a b.bmp ";
        std::optional<std::string> show_open(const FileDialogRequest& r) override { return seen = r, answer; }
        std::optional<std::string> show_save(const FileDialogRequest&) override { return {}; }
    } fake;
    EXPECT_EQ(XTabModel::ShowFileOpenDialog(fake, QStringLiteral("/tmp"), QString()), QStringLiteral("/tmp/a b.bmp"));
    EXPECT_EQ(fake.seen.filter, "All Files (*.*)|*.*");
    EXPECT_EQ(fake.seen.init_dir, "/tmp");
    fake.answer.reset();
    EXPECT_EQ(XTabModel::ShowFileOpenDialog(fake, QString(), QStringLiteral("Pictures|*.bmp")), QString());
    EXPECT_EQ(fake.seen.filter, "Pictures|*.bmp");
}

TEST(XTabModel, ColourMaths) {
    EXPECT_EQ(pBlendColors(make_rgb(255, 0, 0), make_rgb(0, 255, 0), 128), make_rgb(128, 127, 0));
    EXPECT_EQ(pBlendColors(0x123456, 0x654321, 255), 0x123456u);
    EXPECT_EQ(pBlendColors(0x123456, 0x654321, 0), 0x654321u);
    EXPECT_EQ(OffsetColor(0x10F0FF, 512), 0xFFFFFFu);
    EXPECT_EQ(OffsetColor(0x102030, -0x18), make_rgb(0x18, 0x08, 0x00));
    EXPECT_EQ((std::vector<int>{pGetBValue(0x123456), pGetGValue(0x123456), pGetRValue(0x123456)}),
              (std::vector<int>{0x12, 0x34, 0x56}));
}

}  // namespace
}  // namespace tuner
