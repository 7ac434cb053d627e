// What reaches the screen of the tuning window connected to the simulated
// unit: a key button lit by the user's click and by a refresh from the unit,
// a value from the unit on its slider, a band from the unit on the EQ graph,
// a channel tab chosen with the pointer.
#include "buttons/qb_buttons_h.h"
#include "controls/peq_graph.h"
#include "e2e_input.h"
#include "support/screen_capture.h"

namespace tuner::testing {
namespace {

namespace g = gen_frame;
namespace q = eq_frame;

struct E2eScreen : ::testing::Test {
    WindowUnderTest w{"e2e_screen"};

    void SetUp() override {
        show_and_connect(w);
        park_pointer();
    }
    // The pointer on the window's lower right corner, over no control.
    void park_pointer() {
        pointer_to(w.frm.get(), QPoint(w.frm->width() - 1, w.frm->height() - 1));
        settle_screen();
    }
    template <class T>
    T* get(const char* name) {
        T* c = w.frm->registry().get<T>(name);
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
};

// key_mute(0) lights and goes out with the user's clicks and with the unit's
// master mute byte that the next poll brings.
TEST_F(E2eScreen, KeyButtonLitByClickAndByTheUnit) {
    auto* mute = get<qbButtons_H>("key_mute(0)");
    ASSERT_NE(mute, nullptr);
    const uint8_t& shown = w.frm->state().param_image.gen[g::master_mute];
    const uint8_t first = shown;
    expect_screen_follows(mute, "a click on key_mute(0)", [&] {
        click(w, "key_mute(0)");
        park_pointer();
        w.ticks(6);
    });
    ASSERT_NE(shown, first) << "the master mute byte after the click";
    expect_screen_follows(mute, "the unit's master mute byte back", [&] {
        w.unit.image.gen[g::master_mute] = first;
        w.ticks(20);
    });
    ASSERT_EQ(shown, first) << "the master mute byte from the unit";
}

// The unit's new music volume moves the slider on the screen; the unit's new
// gain of band 4 bends the curve on the screen.
TEST_F(E2eScreen, ValuesFromTheUnitReachSliderAndGraph) {
    auto* slider = get<xiSlider>("vr_music_vol");
    auto* peq = get<PEQ>("PEQ");
    ASSERT_NE(slider, nullptr);
    ASSERT_NE(peq, nullptr);
    const AppState& s = w.frm->state();
    const uint8_t vol = s.param_image.gen[g::music_vol];
    expect_screen_follows(slider, "the unit's music volume", [&] {
        w.unit.image.gen[g::music_vol] = static_cast<uint8_t>(vol > 10 ? vol - 10 : vol + 10);
        w.ticks(20);
    });
    ASSERT_EQ(s.param_image.gen[g::music_vol], w.unit.image.gen[g::music_vol]) << "the window's music volume";

    const uint8_t gain = s.param_image.eq[0][q::eq_db + 4];
    expect_screen_follows(peq, "the unit's gain of band 4", [&] {
        for (FrameImage& eq : w.unit.image.eq) {
            eq[q::eq_x_enable + 4] = 1;
            eq[q::eq_db + 4] = static_cast<uint8_t>(gain > 150 ? gain - 40 : gain + 40);
        }
        w.ticks(40);
    });
}

// A channel tab chosen with the pointer shows on the screen at once, and the
// graph of the new channel with it.
TEST_F(E2eScreen, ChannelTabChosenWithThePointer) {
    auto* strip = get<XTab>("ucXTab1");
    ASSERT_NE(strip, nullptr);
    expect_screen_follows(strip, "a click on the MIC tab", [&] {
        click_tab(w, 1);
        park_pointer();
    });
}

}  // namespace
}  // namespace tuner::testing
