// Every member of the tab strip that changes its face, set by a host, and the
// focus look: the window shows the strip as it is painted now. One row per
// member, each from a starting state in which its new value shows (pictures
// for the picture members, a hover theme for the hover and focus colours,
// the strip focused for the focus rectangle, theme 3 for the corner radii).
//
// No row for the members whose set leaves the face as it is: Font (the
// surface's font only), ForeColor and BackColor (the painters set the
// surface's colours themselves before they draw), Enabled (the surface's: it
// takes input away, the tabs keep their look), UseMouseWheelScroll (stored
// only), ResetColorsToDefault (applies the palette; the next repaint shows it),
// the read-only members and the painters, which a host calls to paint itself.
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <QLineEdit>
#include <QPainter>
#include <QTest>

#include "support/screen_capture.h"
#include "tabs/xtab.h"

namespace tuner {
namespace {

using namespace tuner::testing;

// A picture on the mask colour 0xC0C0C0 with a red and a blue block.
QImage tab_picture(int size) {
    QImage img(size, size, QImage::Format_RGB32);
    img.fill(QColor(0xC0, 0xC0, 0xC0));
    QPainter p(&img);
    p.fillRect(QRect(1, 1, size / 2, size - 2), QColor(255, 0, 0));
    p.fillRect(QRect(size / 2, size / 2, size / 2 - 1, size / 2 - 1), QColor(0, 0, 255));
    return img;
}

// Four tabs on a 400-pixel strip, tab 1 active, and a box before the strip
// that holds the keyboard; the strip is read back from its stored properties
// before every row.
struct XTabScreenProps : ::testing::Test {
    QWidget host;
    QLineEdit* before = new QLineEdit(&host);
    XTab* tab = new XTab(&host);
    PropertyBag stored;

    void SetUp() override {
        host.resize(440, 250);
        before->setGeometry(10, 215, 100, 24);
        tab->setGeometry(10, 10, 400, 200);
        tab->setTabCount(4);
        for (int i = 0; i < 4; ++i) tab->setTabCaption(i, QStringLiteral("Channel %1").arg(i));
        tab->setActiveTab(1);
        tab->model().WriteProperties(stored);
        host.show();
        host.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&host));
        pointer_to(&host, QPoint(430, 245));
        settle_screen();
    }

    void run(const std::vector<ScreenRow<XTabModel>>& rows) {
        expect_rows_reach_screen<XTabModel>(
            tab, tab->model(),
            [&] {
                before->setFocus();
                tab->model().ReadProperties(stored);
            },
            rows);
    }
};

using P = XTabProps;

TEST_F(XTabScreenProps, EveryMemberSetReachesTheScreen) {
    const QImage pic = tab_picture(32);
    auto pictures = [&](XTabModel& m) {
        for (int i = 0; i < 4; ++i) m.setTabPicture(i, pic);
    };
    auto tall_pictures = [&](XTabModel& m) {
        m.set(&P::ActiveTabHeight, 40);
        m.set(&P::InActiveTabHeight, 40);
        pictures(m);
    };
    auto theme = [](int t) { return [t](XTabModel& m) { m.setTabTheme(t); }; };
    auto focused = [&](XTabModel&) { tab->setFocus(Qt::TabFocusReason); };
    FontSpec big;
    big.size = 14;
    big.italic = true;
    run({
        {"ActiveTabBackEndColor", nullptr, [](XTabModel& m) { m.set(&P::ActiveTabBackEndColor, 0x00FF00); }},
        {"ActiveTabBackStartColor", nullptr, [](XTabModel& m) { m.set(&P::ActiveTabBackStartColor, 0x00FF00); }},
        {"ActiveTabFont", nullptr, [&](XTabModel& m) { m.set(&P::ActiveTabFont, big); }},
        {"ActiveTabForeColor", nullptr, [](XTabModel& m) { m.set(&P::ActiveTabForeColor, 0x0000FF); }},
        {"ActiveTabHeight", nullptr, [](XTabModel& m) { m.set(&P::ActiveTabHeight, 30); }},
        {"ActiveTab", nullptr, [](XTabModel& m) { m.setActiveTab(3); }},
        {"BottomRightInnerBorderColor", nullptr,
         [](XTabModel& m) { m.set(&P::BottomRightInnerBorderColor, 0xFF00FF); }},
        {"DisabledTabBackColor", [](XTabModel& m) { m.setTabEnabled(2, false); },
         [](XTabModel& m) { m.set(&P::DisabledTabBackColor, 0x00FFFF); }},
        {"DisabledTabForeColor", [](XTabModel& m) { m.setTabEnabled(2, false); },
         [](XTabModel& m) { m.set(&P::DisabledTabForeColor, 0x0000FF); }},
        {"FocusedColor", theme(1), [](XTabModel& m) { m.set(&P::FocusedColor, 0x00FF00); }},
        {"FocusedColor, strip focused",
         [&](XTabModel& m) {
             m.setTabTheme(4);
             focused(m);
         },
         [](XTabModel& m) { m.setFocusedColor(0x0000FF); }},
        {"HoverColor",
         [](XTabModel& m) {
             m.setTabTheme(1);
             m.set(&P::UseFocusedColor, false);
         },
         [](XTabModel& m) { m.set(&P::HoverColor, 0xFF0000); }},
        {"InActiveTabBackEndColor", nullptr, [](XTabModel& m) { m.set(&P::InActiveTabBackEndColor, 0x00FF00); }},
        {"InActiveTabBackStartColor", nullptr, [](XTabModel& m) { m.set(&P::InActiveTabBackStartColor, 0x00FF00); }},
        {"InActiveTabFont", nullptr, [&](XTabModel& m) { m.set(&P::InActiveTabFont, big); }},
        {"InActiveTabForeColor", nullptr, [](XTabModel& m) { m.set(&P::InActiveTabForeColor, 0x0000FF); }},
        {"InActiveTabHeight", nullptr, [](XTabModel& m) { m.set(&P::InActiveTabHeight, 12); }},
        {"OuterBorderColor", nullptr, [](XTabModel& m) { m.set(&P::OuterBorderColor, 0x0000FF); }},
        {"PictureAlign", pictures, [](XTabModel& m) { m.set(&P::PictureAlign, 1); }},
        {"PictureMaskColor", pictures, [](XTabModel& m) { m.set(&P::PictureMaskColor, 0x0000FF); }},
        {"PictureSize", tall_pictures, [](XTabModel& m) { m.set(&P::PictureSize, 1); }},
        {"ShowFocusRect", focused, [](XTabModel& m) { m.set(&P::ShowFocusRect, false); }},
        {"TabStripBackColor", nullptr, [](XTabModel& m) { m.set(&P::TabStripBackColor, 0x00FFFF); }},
        {"TabStyle", nullptr, [](XTabModel& m) { m.set(&P::TabStyle, 1); }},
        {"TabTheme", nullptr, [](XTabModel& m) { m.setTabTheme(3); }},
        {"TopLeftInnerBorderColor", nullptr, [](XTabModel& m) { m.set(&P::TopLeftInnerBorderColor, 0x0000FF); }},
        {"UseControlBox", nullptr, [](XTabModel& m) { m.set(&P::UseControlBox, true); }},
        {"UseFocusedColor", theme(1), [](XTabModel& m) { m.set(&P::UseFocusedColor, false); }},
        {"UseMaskColor", pictures, [](XTabModel& m) { m.set(&P::UseMaskColor, false); }},
        {"UseThemeDetection", theme(2), [](XTabModel& m) { m.set(&P::UseThemeDetection, true); }},
        {"XRadius", theme(3), [](XTabModel& m) { m.set(&P::XRadius, 30); }},
        {"YRadius", theme(3), [](XTabModel& m) { m.set(&P::YRadius, 30); }},
        {"TabCount", nullptr, [](XTabModel& m) { m.setTabCount(5); }},
        {"TabCaption", nullptr, [](XTabModel& m) { m.setTabCaption(2, QStringLiteral("&Sub")); }},
        {"TabEnabled", nullptr, [](XTabModel& m) { m.setTabEnabled(2, false); }},
        {"TabPicture", nullptr, [&](XTabModel& m) { m.setTabPicture(2, pic); }},
        {"TabPicture of the active tab", nullptr, [&](XTabModel& m) { m.setTabPicture(1, pic); }},
        {"InsertTab", nullptr, [](XTabModel& m) { m.InsertTab(0, QStringLiteral("New")); }},
        {"RemoveTab", nullptr, [](XTabModel& m) { m.RemoveTab(3); }},
        {"RemoveTabImages", pictures, [](XTabModel& m) { m.RemoveTabImages(-1, true); }},
        {"CopyTabImagesFromImageList", nullptr,
         [&](XTabModel& m) {
             m.CopyTabImagesFromImageList({pic, pic});
         }},
        {"ResetAllColors", [](XTabModel& m) { m.set(&P::ActiveTabBackStartColor, 0x00FF00); },
         [](XTabModel& m) { m.ResetAllColors(); }},
        // The focus look: the keyboard comes to the strip by Tab and leaves it by Shift+Tab.
        {"the focus to the strip", nullptr, [&](XTabModel&) { QTest::keyClick(host.windowHandle(), Qt::Key_Tab); }},
        {"the focus away from the strip", focused,
         [&](XTabModel&) { QTest::keyClick(host.windowHandle(), Qt::Key_Backtab); }},
    });
    EXPECT_FALSE(tab->hasFocus()) << "the strip's focus after Shift+Tab";
}

}  // namespace
}  // namespace tuner
