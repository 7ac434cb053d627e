// The window destroyed in the middle of anything: what the teardown itself reports (a focus loss, a released
// grab, a timer) must reach rules and services that still exist (the sanitizer build fails on any other use).
#include "controls/slider.h"
#include "dialogs/progress_dialog.h"
#include "e2e_input.h"

namespace tuner::testing {
namespace {

TEST(FrmMainTeardown, DestroyedWhileEditingDraggingOrWaiting) {
    const std::vector<std::pair<const char*, std::function<void(WindowUnderTest&)>>> cases = {
        {"a box being edited",
         [](WindowUnderTest& w) {
             click(w, "Text_music_vol");
             type(w, "2");  // not committed yet
             ASSERT_EQ(QApplication::focusWidget(), widget_of(w, "Text_music_vol"));
         }},
        {"the version line with the focus",
         [](WindowUnderTest& w) {
             click(w, "Text_software_version");
             ASSERT_EQ(QApplication::focusWidget(), widget_of(w, "Text_software_version"));
         }},
        {"the pointer resting on a slider",
         [](WindowUnderTest& w) {
             auto* s = w.frm->registry().get<xiSlider>("vr_music_vol");
             QTest::mouseMove(handle(w), in_window(w, s, thumb_centre(s, s->Value())));
             QCoreApplication::processEvents();
             ASSERT_TRUE(s->underMouse());
         }},
        {"a slider held mid-drag",
         [](WindowUnderTest& w) {
             auto* s = w.frm->registry().get<xiSlider>("vr_music_vol");
             const QPoint from = in_window(w, s, thumb_centre(s, s->Value()));
             QTest::mouseMove(handle(w), from);
             QTest::mousePress(handle(w), Qt::LeftButton, {}, from);
             QTest::mouseMove(handle(w), from + QPoint(0, -12));
             QCoreApplication::processEvents();
             ASSERT_EQ(QWidget::mouseGrabber(), s) << "the slider holds the pointer";
         }},
        {"a progress wait counting, the pointer on a button",
         [](WindowUnderTest& w) {
             click(w, "key_input(10)");
             ProgressModel& wait = w.frm->services().wait_dialog().model();
             ASSERT_TRUE(wait.timer_on()) << "the wait's timer runs";
             QTest::mouseMove(handle(w), in_window(w, widget_of(w, "key_input(6)"), {5, 5}));
             QCoreApplication::processEvents();
         }},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(cases[i].first);
        WindowUnderTest w("teardown_" + std::to_string(i));
        show_and_connect(w);
        cases[i].second(w);
        w.frm.reset();
        QCoreApplication::processEvents();  // whatever the teardown posted runs now
        EXPECT_EQ(QApplication::focusWidget(), nullptr) << "focus left behind";
        EXPECT_EQ(QWidget::mouseGrabber(), nullptr) << "pointer grab left behind";
    }
}

}  // namespace
}  // namespace tuner::testing
