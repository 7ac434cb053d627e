// The view over the real widgets leaves owner-drawn buttons and tab strips
// alone when asked to show what they already show (each set re-renders
// their whole face, and the refresh sets every caption and colour again on
// each full pass), and still draws every real change.
#include <QSignalSpy>

#include <gtest/gtest.h>

#include "buttons/qb_buttons_h.h"
#include "tabs/xtab.h"
#include "window_fixture.h"

namespace tuner::testing {
namespace {

TEST(QtMainViewSetters, UnchangedButtonCaptionOrColourIsNotRedrawn) {
    WindowUnderTest w("view_button");
    MainView& v = w.frm->view();
    auto* button = w.frm->registry().get<qbButtons_H>("key_mute(0)");
    ASSERT_NE(button, nullptr);
    const Ctl c{"key_mute", 0};

    v.set_text(c, "Mute");
    v.set_back_color(c, 0xFFFF80);
    const int redraws = button->model().RedrawCount();
    v.set_text(c, "Mute");
    v.set_back_color(c, 0xFFFF80);
    EXPECT_EQ(button->model().RedrawCount(), redraws);

    v.set_text(c, "MUTE");
    v.set_back_color(c, 0xC0C0C0);
    EXPECT_EQ(button->model().RedrawCount(), redraws + 2);
    EXPECT_EQ(v.text(c), "MUTE");
    EXPECT_EQ(v.back_color(c), 0xC0C0C0u);
}

TEST(QtMainViewSetters, UnchangedTabCaptionIsNotRedrawn) {
    WindowUnderTest w("view_tab");
    MainView& v = w.frm->view();
    auto* strip = w.frm->registry().get<XTab>("ucXTab1");
    ASSERT_NE(strip, nullptr);
    const Ctl tab{"ucXTab1", 2};

    v.set_text(tab, "EFFECT");
    QSignalSpy changes(&strip->model(), &XTabModel::propertyChanged);
    v.set_text(tab, "EFFECT");
    EXPECT_EQ(changes.count(), 0);

    v.set_text(tab, "Effect");
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(v.text(tab), "Effect");
}

}  // namespace
}  // namespace tuner::testing
