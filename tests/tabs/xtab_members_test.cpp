// The tab strip's members as a host program meets them: LastActiveTab, BoxHot across a removal, a host that switches
// during a removal, the public painters, DrawImage, and property pages captions with pictures and access keys.
#include <gtest/gtest.h>

#include <QPainter>
#include <QSignalSpy>

#include "support/golden.h"
#include "tabs/xtab_model.h"
#include "xtab_event_log.h"

namespace tuner {
namespace {

QImage shot(const XTabModel& m) { return m.surface().image().copy(); }

// LastActiveTab is the tab active before the last completed switch: a lower TabCount that moves the active tab, and
// reading the store, are no switches.
TEST(XTabMembers, LastActiveTabFollowsOnlySwitches) {
    XTabModel m;
    m.setTabCount(5);
    m.Resize(400, 100);
    m.setActiveTab(4);
    m.setTabCount(3);
    EXPECT_EQ(m.ActiveTab(), 2) << "active tab after TabCount 5 -> 3";
    EXPECT_EQ(m.LastActiveTab(), 0) << "LastActiveTab after TabCount 5 -> 3";
    m.setActiveTab(1);
    m.setTabCount(2);
    EXPECT_EQ(m.LastActiveTab(), 2) << "LastActiveTab after TabCount 3 -> 2";
    PropertyBag bag;
    bag.write("TabCount", 4, 3);
    bag.write("ActiveTab", 3, 0);
    m.ReadProperties(bag);
    EXPECT_EQ(m.ActiveTab(), 3) << "active tab read from the store";
    EXPECT_EQ(m.LastActiveTab(), 2) << "LastActiveTab after reading the store";
}

// The release on a close box removes the tab with BoxHot still set: the next move onto the tracked box hovers it.
TEST(XTabMembers, RemovalLeavesTheCloseBoxHot) {
    XTabModel m;
    m.set(&XTabProps::TabStyle, 1);  // PropertyPages
    m.setTabTheme(2);
    m.set(&XTabProps::UseControlBox, true);
    m.Resize(400, 100);
    m.setActiveTab(1);
    EventLog log(m);
    const TabRect box = m.tab(1).box;
    const QPoint in(box.left + 4, box.top + 4);
    m.PointerMoved(in);
    m.PointerPressed(in);
    m.PointerReleased(in);
    EXPECT_TRUE(m.BoxHot()) << "BoxHot after the removal";
    ASSERT_EQ(m.BoxTabIndex(), 1) << "tab tracked after the removal";
    const TabRect now = m.tab(1).box;
    m.PointerMoved(QPoint(now.left + 3, now.top + 3));
    EXPECT_EQ(log.events,
              (Events{"Enter", "BoxEnter", "BoxDown", "BoxUp", "Before 1", "Switch 1", "Remove 1", "BoxHover"}));
}

// A host that answers the removal's BeforeTabSwitch by switching elsewhere itself keeps its own switch: no second
// TabSwitch, and LastActiveTab stays the one its switch left.
TEST(XTabMembers, HostSwitchDuringRemovalHasTheLastWord) {
    XTabModel m;
    m.setTabCount(5);
    m.Resize(400, 100);
    const int page0 = m.TabPage(0);
    m.setActiveTab(3);
    EventLog log(m);
    QObject::connect(&m, &XTabModel::BeforeTabSwitch, [&](int n, bool&) {
        if (n == 2) m.setActiveTab(0);
    });
    m.RemoveTab(1);
    EXPECT_EQ(log.events, (Events{"Before 2", "Before 0", "Switch 2", "Remove 1"})) << "events";
    EXPECT_EQ(m.ActiveTab(), 0) << "active tab";
    EXPECT_EQ(m.ActivePage(), page0) << "page shown";
    EXPECT_EQ(m.LastActiveTab(), 2) << "LastActiveTab";
    EXPECT_FALSE(m.IsBusy()) << "busy after the removal";
}

// A host painting with the public painters gets what the repaint paints, in every style and theme (the panel
// painters hand the themes they do not draw to each other), and the widget is told the surface changed.
TEST(XTabMembers, PublicPaintersPaintWhatTheRepaintPaints) {
    for (int style : {0, 1}) {
        for (int theme = 0; theme <= 4; ++theme) {
            SCOPED_TRACE(::testing::Message() << "style " << style << ", theme " << theme);
            XTabModel m;
            m.set(&XTabProps::TabStyle, style);
            m.setTabTheme(theme);
            m.Resize(300, 80);
            m.setActiveTab(1);
            const QImage full = shot(m);
            QSignalSpy changed(&m, &XTabModel::surfaceChanged);
            m.Cls();
            const bool dialog = style == 0;
            dialog ? m.DrawBackgroundTabbedDialog() : m.DrawBackgroundPropertyPages();
            dialog ? m.DrawTabsTabbedDialog() : m.DrawTabsPropertyPages();
            if (theme == 3) dialog ? m.DrawBackgroundTabbedDialog() : m.DrawBackgroundPropertyPages();
            EXPECT_TRUE(shot(m) == full) << "surface";
            EXPECT_GE(changed.count(), 2) << "surfaceChanged signals";
        }
    }
    XTabModel m;  // under theme 0 the two panels differ: a double frame and a single one
    m.Resize(300, 80);
    const int inner = m.ScaleHeight() - 3;
    m.DrawBackgroundTabbedDialog();
    const uint32_t dialog = m.surface().pixel(2, inner);
    m.DrawBackgroundPropertyPages();
    EXPECT_NE(m.surface().pixel(2, inner), dialog) << "third frame line from the bottom";
}

TEST(XTabMembers, DrawImageStretchesKeepsTheMaskAndClips) {
    constexpr uint32_t kMask = 0xFF00FF;
    QImage bmp(2, 2, QImage::Format_RGB32);
    bmp.setPixel(0, 0, qRgb(255, 0, 0));
    bmp.setPixel(1, 0, qRgb(255, 0, 255));
    bmp.setPixel(0, 1, qRgb(0, 0, 255));
    bmp.setPixel(1, 1, qRgb(0, 255, 0));
    Canvas c(20, 20);
    c.clear(0xFFFFFF);
    XTabModel::DrawImage(c, bmp, kMask, 4, 4, 8, 8);
    const std::pair<QPoint, uint32_t> expected[] = {{{4, 4}, make_rgb(255, 0, 0)},
                                                    {{7, 7}, make_rgb(255, 0, 0)},
                                                    {{8, 4}, 0xFFFFFF} /* mask */,
                                                    {{4, 8}, make_rgb(0, 0, 255)},
                                                    {{11, 11}, make_rgb(0, 255, 0)},
                                                    {{3, 4}, 0xFFFFFF},
                                                    {{12, 11}, 0xFFFFFF},
                                                    {{11, 12}, 0xFFFFFF}};
    for (const auto& [p, rgb] : expected) EXPECT_EQ(c.pixel(p.x(), p.y()), rgb) << "pixel " << p.x() << "," << p.y();
    // Partly off the surface, and far larger than it: only what shows is drawn; nothing for no size.
    XTabModel::DrawImage(c, bmp, kMask, -10, -10, 20, 20);
    EXPECT_EQ(c.pixel(0, 0), make_rgb(0, 255, 0)) << "corner under a picture half off the surface";
    XTabModel::DrawImage(c, bmp, kMask, -100, -100, 32767, 32767);
    EXPECT_EQ(c.pixel(19, 19), make_rgb(255, 0, 0)) << "corner under a huge picture";
    const QImage before = c.image().copy();
    XTabModel::DrawImage(c, bmp, kMask, 0, 0, 0, 10);
    XTabModel::DrawImage(c, bmp, kMask, 0, 0, -5, 10);
    XTabModel::DrawImage(c, QImage(), kMask, 0, 0, 10, 10);
    XTabModel::DrawImage(c, bmp, kMask, 20, 0, 10, 10);
    EXPECT_TRUE(c.image() == before) << "no size, no bitmap or off the surface";
}

// Our own tab picture: a dark square with a yellow diagonal, framed in the default mask colour (left transparent).
QImage tab_picture() {
    QImage pic(16, 16, QImage::Format_RGB32);
    pic.fill(QColor(0xC0, 0xC0, 0xC0));
    for (int y = 2; y < 14; ++y)
        for (int x = 2; x < 14; ++x) pic.setPixel(x, y, x == y ? qRgb(255, 220, 0) : qRgb(20, 40, 120));
    return pic;
}

// Property pages under every theme, pictures on the left and on the right: the caption moves off the picture, the
// access key is underlined (no "&" shows) and "&&" shows one ampersand.
TEST(XTabMembers, PropertyPagesCaptionsBesidePicturesWithAccessKeys) {
    constexpr int kW = 320;
    constexpr int kH = 40;
    QImage sheet(kW, 10 * kH, QImage::Format_ARGB32);
    int row = 0;
    for (int theme = 0; theme <= 4; ++theme) {
        for (int align : {0, 1}) {
            XTabModel m;
            for (int i = 0; i < 3; ++i) m.setTabCaption(i, QStringList{"&Music", "Mi&c", "Fx && &EQ"}[i]);
            m.setTabPicture(0, tab_picture());
            m.setTabPicture(1, tab_picture());
            m.set(&XTabProps::TabStyle, 1);  // PropertyPages
            m.setTabTheme(theme);
            m.set(&XTabProps::PictureAlign, align);
            m.Resize(kW, kH);
            m.setActiveTab(1);
            QPainter(&sheet).drawImage(0, kH * row++, shot(m));
        }
    }
    EXPECT_GOLDEN(sheet, "ctl_tabs_pages_pictures_access_keys");
}

}  // namespace
}  // namespace tuner
