// The tab strip's model without a window: records, properties, palettes,
// switching, keys, access keys, hit tests, tab count, insertion, removal,
// pages and persistence.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tabs/xtab_model.h"
#include "tabs/xtab_paint.h"

namespace tuner {
namespace {

// Records the model's host events as text, in order.
struct EventLog {
    std::vector<std::string> events;
    bool cancel_next = false;

    explicit EventLog(XTabModel& m) {
        QObject::connect(&m, &XTabModel::BeforeTabSwitch, [this](int n, bool& cancel) {
            events.push_back("Before " + std::to_string(n));
            if (cancel_next) cancel = true;
        });
        QObject::connect(&m, &XTabModel::TabSwitch, [this](int last) { events.push_back("Switch " + std::to_string(last)); });
        QObject::connect(&m, &XTabModel::TabInsert, [this](int i) { events.push_back("Insert " + std::to_string(i)); });
        QObject::connect(&m, &XTabModel::TabRemove, [this](int i) { events.push_back("Remove " + std::to_string(i)); });
    }
};

// The main window's channel strip on a 400-pixel surface.
void five_tabs(XTabModel& m, int width = 400) {
    m.setTabCount(5);
    m.Resize(width, 100);
}

int error_number(const std::function<void()>& f) {
    try {
        f();
    } catch (const XTabError& e) {
        return e.number();
    }
    return 0;
}

TEST(XTabModel, NewInstanceHasThreeNumberedTabsAndTheme0Palette) {
    XTabModel m;
    ASSERT_EQ(m.TabCount(), 3);
    EXPECT_EQ(m.TabCaption(0), QStringLiteral("Tab 0"));
    EXPECT_EQ(m.TabCaption(2), QStringLiteral("Tab 2"));
    EXPECT_TRUE(m.props().ActiveTabFont.bold);
    EXPECT_FALSE(m.props().InActiveTabFont.bold);
    EXPECT_EQ(m.props().DisabledTabBackColor, kSysButtonFace);
    EXPECT_EQ(m.props().DisabledTabForeColor, kSys3DDarkShadow);
    EXPECT_EQ(XTabModel::Version(true), QStringLiteral("1.0.85 (11/13/2006 8:07:02 AM )"));
}

TEST(XTabModel, OutOfRangeReadsAndWritesOfTabRecords) {
    XTabModel m;
    EXPECT_EQ(m.TabCaption(-1), QString());
    EXPECT_FALSE(m.TabEnabled(99));
    EXPECT_EQ(error_number([&] { m.TabPicture(99); }), kXTabSubscriptOutOfRange);
    EXPECT_EQ(error_number([&] { m.setTabCaption(3, "x"); }), kXTabSubscriptOutOfRange);
    EXPECT_EQ(error_number([&] { m.setTabEnabled(-1, false); }), kXTabSubscriptOutOfRange);
    try {
        m.setTabCount(0);
        FAIL();
    } catch (const XTabError& e) {
        EXPECT_EQ(e.number(), kXTabInvalidPropertyValue);
        EXPECT_EQ(e.source(), "ucXTab.TabCount");
    }
    EXPECT_EQ(m.TabCount(), 3);
}

TEST(XTabModel, PictureHelpersNeverTouchAnotherTab) {
    XTabModel m;
    QImage pic(4, 4, QImage::Format_RGB32);
    pic.fill(Qt::green);
    m.CopyTabImagesFromImageList({pic, pic, pic, pic});
    EXPECT_EQ(error_number([&] { m.RemoveTabImages(3, false); }), kXTabSubscriptOutOfRange);
    EXPECT_EQ(error_number([&] { m.RemoveTabImages(-1, false); }), kXTabSubscriptOutOfRange);
    EXPECT_FALSE(m.TabPicture(0).isNull());
    EXPECT_FALSE(m.TabPicture(2).isNull());
    m.RemoveTabImages(1, false);
    EXPECT_TRUE(m.TabPicture(1).isNull());
    EXPECT_FALSE(m.TabPicture(2).isNull());
    m.CopyTabImagesFromImageList({pic});
    EXPECT_TRUE(m.TabPicture(2).isNull());
    m.RemoveTabImages(-1, true);
    EXPECT_TRUE(m.TabPicture(0).isNull());
}

TEST(XTabModel, ActiveTabOutsideTheTabsSelectsTab0AndTheSameTabDoesNothing) {
    XTabModel m;
    five_tabs(m);
    EventLog log(m);
    m.setActiveTab(3);
    m.setActiveTab(-1);
    EXPECT_EQ(m.ActiveTab(), 0);
    m.setActiveTab(2);
    m.setActiveTab(5);
    EXPECT_EQ(m.ActiveTab(), 0);
    m.setActiveTab(0);
    EXPECT_EQ(log.events, (std::vector<std::string>{"Before 3", "Switch 0", "Before 0", "Switch 3", "Before 2",
                                                    "Switch 0", "Before 0", "Switch 2"}));
}

TEST(XTabModel, CancelledSwitchKeepsTabPageAndLastActiveTab) {
    XTabModel m;
    five_tabs(m);
    m.setActiveTab(1);
    EventLog log(m);
    log.cancel_next = true;
    const int page = m.ActivePage();
    m.setActiveTab(3);
    EXPECT_EQ(m.ActiveTab(), 1);
    EXPECT_EQ(m.LastActiveTab(), 0);
    EXPECT_EQ(m.ActivePage(), page);
    EXPECT_EQ(log.events, std::vector<std::string>{"Before 3"});
}

TEST(XTabModel, KeysWrapAndStopAtDisabledNeighbours) {
    XTabModel m;
    five_tabs(m);
    m.setActiveTab(4);
    m.KeyDown(39, 0);  // Right from the last tab wraps to 0
    EXPECT_EQ(m.ActiveTab(), 0);
    m.KeyDown(33, 2);  // Ctrl+PageUp from tab 0 wraps to the last
    EXPECT_EQ(m.ActiveTab(), 4);
    m.KeyDown(34, 0);  // PageDown without Ctrl does nothing
    EXPECT_EQ(m.ActiveTab(), 4);
    m.setTabEnabled(0, false);
    m.KeyDown(39, 0);
    EXPECT_EQ(m.ActiveTab(), 4);
    m.setTabEnabled(3, false);
    m.KeyDown(37, 0);  // a disabled neighbour stops the move, no skipping
    EXPECT_EQ(m.ActiveTab(), 4);
    m.setTabEnabled(3, true);
    m.KeyDown(37, 0);
    m.KeyDown(34, 2);
    EXPECT_EQ(m.ActiveTab(), 4);
}

TEST(XTabModel, KeyWhileBusyDoesNotReenterTheSwitch) {
    XTabModel m;
    five_tabs(m);
    int nested = 0;
    QObject::connect(&m, &XTabModel::BeforeTabSwitch, [&](int, bool&) {
        // A host handler that lets input through while it waits.
        ++nested;
        m.KeyDown(39, 0);
        m.MouseDownLeft(350, 10);
    });
    m.KeyDown(39, 0);
    EXPECT_EQ(nested, 1);
    EXPECT_EQ(m.ActiveTab(), 1);
    EXPECT_FALSE(m.IsBusy());
}

TEST(XTabModel, AccessKeysFromCaptions) {
    EXPECT_EQ(caption_access_key(QStringLiteral("A&&B &line")), 'L');
    EXPECT_EQ(caption_access_key(QStringLiteral("Mix && EQ")), 0);
    EXPECT_EQ(caption_access_key(QStringLiteral("Trailing&")), 0);
    EXPECT_EQ(caption_access_key(QStringLiteral("&&&")), 0);
    EXPECT_EQ(caption_access_key(QStringLiteral("&音乐")), u'音');

    XTabModel m;
    five_tabs(m);
    m.setTabCaption(1, QStringLiteral("&Bass"));
    m.setTabCaption(2, QStringLiteral("&Boost"));
    m.setTabCaption(3, QStringLiteral("&Mid"));
    EXPECT_EQ(m.AccessKeys(), QStringLiteral("BBM"));
    m.setTabCaption(1, QStringLiteral("Bass"));  // the other "B" keeps its key
    EXPECT_EQ(m.AccessKeys(), QStringLiteral("BM"));
    m.AccessKeyPress('b');
    EXPECT_EQ(m.ActiveTab(), 2);
    m.AccessKeyPress('b');  // already active: nothing
    EXPECT_EQ(m.ActiveTab(), 2);
    m.setTabEnabled(3, false);
    m.AccessKeyPress('M');
    EXPECT_EQ(m.ActiveTab(), 2);
}

TEST(XTabModel, PressPicksTheEnabledTabUnderThePointer) {
    XTabModel m;
    five_tabs(m);
    EventLog log(m);
    m.MouseDownLeft(100, 21);  // just below the strip (h = 20)
    EXPECT_EQ(m.ActiveTab(), 0);
    m.MouseDownLeft(100, 20);
    EXPECT_EQ(m.ActiveTab(), 1);
    m.MouseDownLeft(90, 5);  // the active tab: nothing
    EXPECT_EQ(log.events.size(), 2u);
    m.setTabEnabled(2, false);
    m.MouseDownLeft(200, 10);  // disabled tab
    EXPECT_EQ(m.ActiveTab(), 1);
    m.MouseDownLeft(240, 10);  // column shared by disabled 2 and enabled 3
    EXPECT_EQ(m.ActiveTab(), 3);
    m.MouseDownLeft(5, 1);  // above the shorter inactive tab 0 (top 2)
    EXPECT_EQ(m.ActiveTab(), 3);
    m.MouseDownLeft(5.4, 1.6);  // rounds to (5, 2)
    EXPECT_EQ(m.ActiveTab(), 0);
}

TEST(XTabModel, TabbedDialogLayoutForWidthsAndCounts) {
    struct Case {
        int width, count;
        std::vector<int> lefts;
        int last_right;
    };
    for (const Case& c : {Case{400, 5, {0, 80, 160, 240, 320}, 399}, Case{500, 7, {0, 71, 142, 213, 284, 355, 426}, 499},
                          Case{250, 4, {0, 62, 124, 186}, 249}, Case{100, 1, {0}, 99}}) {
        XTabModel m;
        m.setTabCount(c.count);
        m.Resize(c.width, 60);
        for (int i = 0; i < c.count; ++i) {
            EXPECT_EQ(m.tab(i).rect.left, c.lefts[static_cast<std::size_t>(i)]) << c.width << "/" << c.count;
            if (i + 1 < c.count) {
                EXPECT_EQ(m.tab(i).rect.right, c.lefts[static_cast<std::size_t>(i) + 1]);
            }
        }
        EXPECT_EQ(m.tab(c.count - 1).rect.right, c.last_right);
    }
    XTabModel m;
    five_tabs(m);
    EXPECT_EQ(m.tab(0).rect, (TabRect{0, 0, 80, 20}));
    EXPECT_EQ(m.tab(1).rect, (TabRect{80, 2, 160, 20}));
    EXPECT_EQ(m.tab(1).box, (TabRect{146, 7, 156, 17}));
    m.set(&XTabProps::InActiveTabHeight, 20);
    EXPECT_EQ(m.tab(1).rect.top, 0);
    m.set(&XTabProps::InActiveTabHeight, 24);  // taller inactive tabs
    EXPECT_EQ(m.tab(0).rect, (TabRect{0, 4, 80, 24}));
    EXPECT_EQ(m.tab(1).rect, (TabRect{80, 0, 160, 24}));
}

TEST(XTabModel, TabCountGrowsAndShrinksWithoutSwitchEvents) {
    XTabModel m;
    m.Resize(300, 60);
    m.setTabCount(5);
    EXPECT_EQ(m.TabCaption(3), QStringLiteral("Tab 3"));
    EXPECT_TRUE(m.TabEnabled(4));
    m.setActiveTab(4);
    const int dropped = m.ActivePage();
    EventLog log(m);
    m.setTabCount(2);
    EXPECT_EQ(m.ActiveTab(), 1);
    EXPECT_EQ(m.ActivePage(), m.TabPage(1));  // the new active tab's page is the one shown
    EXPECT_EQ(m.TabOfPage(dropped), -1);
    EXPECT_TRUE(log.events.empty());
    m.setTabCount(5);  // a grown tab gets a fresh page, not the dropped one
    EXPECT_NE(m.TabPage(4), dropped);
}

TEST(XTabModel, InsertTabMovesWholeRecordsAndKeepsTheActiveTab) {
    XTabModel m;
    five_tabs(m);
    m.setTabEnabled(2, false);
    QImage pic(8, 8, QImage::Format_RGB32);
    pic.fill(Qt::red);
    m.setTabPicture(3, pic);
    m.setActiveTab(2);
    const int active_page = m.ActivePage();
    const std::vector<int> pages = {m.TabPage(0), m.TabPage(1), m.TabPage(2), m.TabPage(3), m.TabPage(4)};
    EventLog log(m);
    m.InsertTab(1, QStringLiteral("&New"));  // active tab was index + 1
    ASSERT_EQ(m.TabCount(), 6);
    EXPECT_EQ(m.TabCaption(2), QStringLiteral("&New"));
    EXPECT_TRUE(m.TabEnabled(2));
    EXPECT_FALSE(m.TabEnabled(3));  // the disabled tab moved along
    EXPECT_FALSE(m.TabPicture(4).isNull());
    EXPECT_TRUE(m.TabPicture(3).isNull());
    EXPECT_EQ(m.ActiveTab(), 3);
    EXPECT_EQ(m.ActivePage(), active_page);
    EXPECT_EQ(m.TabPage(0), pages[0]);
    EXPECT_EQ(m.TabPage(3), pages[2]);
    EXPECT_EQ(m.TabPage(5), pages[4]);
    EXPECT_EQ(m.AccessKeys(), QStringLiteral("N"));
    EXPECT_EQ(log.events, std::vector<std::string>{"Insert 1"});

    m.InsertTab(-1, QStringLiteral("First"));
    EXPECT_EQ(m.TabCaption(0), QStringLiteral("First"));
    EXPECT_EQ(m.ActiveTab(), 4);
    EXPECT_EQ(error_number([&] { m.InsertTab(7, "x"); }), kXTabSubscriptOutOfRange);
    EXPECT_EQ(error_number([&] { m.InsertTab(-2, "x"); }), kXTabSubscriptOutOfRange);
    EXPECT_EQ(m.TabCount(), 7);
}

TEST(XTabModel, RemoveTabDropsItsPageForGood) {
    XTabModel m;
    five_tabs(m);
    m.setActiveTab(3);
    const int removed_page = m.TabPage(1);
    const int active_page = m.ActivePage();
    EventLog log(m);
    m.RemoveTab(1);
    EXPECT_EQ(m.TabCount(), 4);
    EXPECT_EQ(m.ActiveTab(), 2);  // the same tab, one index lower
    EXPECT_EQ(m.ActivePage(), active_page);
    EXPECT_EQ(m.TabOfPage(removed_page), -1);
    m.InsertTab(0, QStringLiteral("again"));
    EXPECT_NE(m.TabPage(1), removed_page);
    EXPECT_EQ(log.events, (std::vector<std::string>{"Remove 1", "Insert 0"}));

    m.setActiveTab(4);
    m.RemoveTab(4);  // the active last tab: the one before it takes over
    EXPECT_EQ(m.ActiveTab(), 3);
    m.setActiveTab(1);
    const int next_page = m.TabPage(2);
    m.RemoveTab(1);  // the active tab: the one after it takes over
    EXPECT_EQ(m.ActiveTab(), 1);
    EXPECT_EQ(m.ActivePage(), next_page);
    EXPECT_EQ(error_number([&] { m.RemoveTab(3); }), kXTabSubscriptOutOfRange);

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
    QImage pic(4, 4, QImage::Format_RGB32);
    pic.fill(Qt::blue);
    m.setTabPicture(1, pic);
    m.set(&XTabProps::HoverColor, 0x123456);
    m.set(&XTabProps::ShowFocusRect, false);
    m.set(&XTabProps::ActiveTabHeight, 24);
    m.setActiveTab(4);
    PropertyBag bag;
    m.WriteProperties(bag);
    EXPECT_EQ(bag.read("TabCaption(1)", std::string()), "Tab 1");  // differs from the store default "Tab1"
    EXPECT_FALSE(bag.contains("XRadius"));
    EXPECT_FALSE(bag.contains("TabContCtrlCnt(0)"));

    XTabModel back;
    back.ReadProperties(PropertyBag::from_text(bag.to_text()));
    EXPECT_EQ(back.TabCount(), 5);
    EXPECT_EQ(back.ActiveTab(), 4);
    EXPECT_EQ(back.TabCaption(0), QStringLiteral("音乐"));
    EXPECT_FALSE(back.TabEnabled(3));
    EXPECT_EQ(back.TabPicture(1).pixel(0, 0), pic.pixel(0, 0));
    EXPECT_EQ(back.AccessKeys(), QStringLiteral("F"));
    EXPECT_EQ(back.props().HoverColor, 0x123456);
    EXPECT_FALSE(back.props().ShowFocusRect);
    EXPECT_EQ(back.props().ActiveTabHeight, 24);
    EXPECT_TRUE(back.props().ActiveTabFont.bold);

    PropertyBag bad;
    bad.write("TabCount", 0, 3);
    bad.write("ActiveTab", 9, 0);
    XTabModel clamped;
    clamped.ReadProperties(bad);
    EXPECT_EQ(clamped.TabCount(), 1);
    EXPECT_EQ(clamped.ActiveTab(), 0);
    bad.write("TabCount", 4, 3);
    bad.write("ActiveTab", -3, 0);
    clamped.ReadProperties(bad);
    EXPECT_EQ(clamped.ActiveTab(), 0);
    EXPECT_EQ(clamped.TabCaption(3), QStringLiteral("Tab3"));  // the store default
}

TEST(XTabModel, PalettesPerTheme) {
    XTabModel m;
    m.setTabTheme(1);
    EXPECT_EQ(m.props().InActiveTabBackEndColor, 0xEAF0F0);
    EXPECT_EQ(m.props().OuterBorderColor, 0x9B9C91);
    EXPECT_EQ(m.props().TopLeftInnerBorderColor, kSysButtonHighlight);  // theme 1 leaves it
    m.set(&XTabProps::ActiveTabBackEndColor, 0x010203);
    m.setTabTheme(3);
    EXPECT_EQ(m.props().ActiveTabBackEndColor, 0x010203);  // theme 3 leaves the end colours
    EXPECT_EQ(m.props().ActiveTabForeColor, 0xA76D50);
    EXPECT_EQ(m.props().TabStripBackColor, kSysButtonFace);
    const XTabProps before = m.props();
    m.setTabTheme(5);
    EXPECT_EQ(m.props().ActiveTabForeColor, before.ActiveTabForeColor);
    m.setTabTheme(4);
    EXPECT_EQ(m.props().PictureMaskColor, 0xFF00FF);
    EXPECT_EQ(static_cast<uint32_t>(m.props().HoverColor), OffsetColor(kSysActiveCaption, 16));
    m.set(&XTabProps::UseThemeDetection, true);  // no visual style here: theme 0
    EXPECT_EQ(m.props().TabTheme, 0);
    EXPECT_EQ(m.props().OuterBorderColor, kSys3DDarkShadow);
}

TEST(XTabModel, ColourMaths) {
    EXPECT_EQ(pBlendColors(make_rgb(255, 0, 0), make_rgb(0, 255, 0), 128), make_rgb(128, 127, 0));
    EXPECT_EQ(pBlendColors(0x123456, 0x654321, 255), 0x123456u);
    EXPECT_EQ(pBlendColors(0x123456, 0x654321, 0), 0x654321u);
    EXPECT_EQ(OffsetColor(0x10F0FF, 512), 0xFFFFFFu);
    EXPECT_EQ(OffsetColor(0x102030, -0x18), make_rgb(0x18, 0x08, 0x00));
    EXPECT_EQ(OffsetColor(kSysButtonFace, 0), translate_color(kSysButtonFace));
    EXPECT_EQ(pGetBValue(0x123456), 0x12);
    EXPECT_EQ(pGetGValue(0x123456), 0x34);
    EXPECT_EQ(pGetRValue(0x123456), 0x56);
}

}  // namespace
}  // namespace tuner
