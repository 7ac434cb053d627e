// The real window offscreen: its controls, start-up, the link, tray, debug lists, the test panel, teardown.
#include <QLabel>

#include "controls/slider.h"
#include "dialogs/progress_dialog.h"
#include "e2e_input.h"

namespace tuner::testing {
namespace {

// A readable logo whatever its name's ending, or logo and icon files that are not pictures.
void logo_files(const std::string& dir, bool readable) {
    QPixmap pm(40, 20);
    pm.fill(Qt::red);
    if (readable) pm.save(QString::fromStdString(dir + "/logo_main.ini"), "PNG");
    for (const char* bad : {"/logo_main.jpg", "/logo.ico"})
        if (!readable) std::ofstream(dir + bad) << "not a picture";
}
void expect_logo(WindowUnderTest& w, bool readable) {  // the text logo shows without a picture
    EXPECT_EQ(w.frm->view().visible(Ctl{"Label_logo_text"}), !readable);
    EXPECT_EQ(w.frm->registry().get<QLabel>("Picture_logo")->pixmap().isNull(), !readable);
}

// Start-up (every control under its name, searching, nothing sent), connect, unplug, and
// closing keeps the Bluetooth name and ends the program.
TEST(WindowLink, StartConnectUnplugAndClose) {
    WindowUnderTest w("e2e_connect", [](const std::string& dir) { logo_files(dir, false); });
    expect_logo(w, false);
    for (const ControlRow& row : control_table()) {
        const QString n = QString::fromStdString(row.object_name());
        const bool action = row.kind == ControlKind::MenuItem || row.kind == ControlKind::MenuSeparator;
        QObject* found = action ? static_cast<QObject*>(w.frm->findChild<QAction*>(n)) : w.frm->findChild<QWidget*>(n);
        EXPECT_NE(found, nullptr) << row.object_name();
        EXPECT_EQ(w.frm->registry().object(row.object_name()), found) << row.object_name();
        if (row.kind == ControlKind::PictureBox && !found->property("group").toBool()) {
            EXPECT_EQ(static_cast<QLabel*>(found)->frameShape() == QFrame::NoFrame, (row.flags & kFlat) != 0)
                << row.object_name() << " frame";
        }
    }
    AppState& s = w.frm->state();
    MainView& v = w.frm->view();
    auto linked = [&](bool on) {  // scanning while unlinked, sending and the lit LED while linked
        const char* state = on ? " while linked" : " while unlinked";
        EXPECT_EQ(w.frm->timers().scan_enabled(), !on) << "scan timer" << state;
        EXPECT_EQ(w.frm->timers().send_enabled(), on) << "send timer" << state;
        EXPECT_EQ(v.visible(Ctl{"Picture_LED_1_ON_1", 0}), on) << "LED on picture" << state;
        EXPECT_EQ(v.visible(Ctl{"Picture_LED_1_OFF_1", 0}), !on) << "LED off picture" << state;
    };
    w.frm->show();
    QCoreApplication::processEvents();
    linked(false);
    EXPECT_TRUE(same_image(s.param_image, s.param_image_default)) << "the start-up file was loaded";
    EXPECT_EQ(w.unit.received.size(), 0u);  // nothing goes to the unit before the first tick

    ASSERT_TRUE(w.connect());
    w.ticks(40);
    linked(true);
    EXPECT_TRUE(same_payloads(s.param_image, w.unit.image)) << "the whole state read";
    EXPECT_TRUE(w.messages.empty()) << "messages";
    expect_window_pictures(w);  // size, layout, captions and the unit's every distinct value, on every tab

    w.unit.unplug();
    w.ticks(12);  // five missed reads drop the link
    linked(false);

    s.Bt_Name = "Stage Left";
    w.frm->close();
    EXPECT_TRUE(w.ended) << "program ended";
    EXPECT_EQ(w.settings.get(kSettingsApp, kSettingsSection, "Bt_Name").value_or(""), "Stage Left");
}

// Only the tray icon's click restores the window; a slider value out of range shows in the error box; ten releases
// on the version line open the test panel (the link's lines in its results list), which writes the test block.
TEST(FrmMainWindow, TraySliderErrorsAndTheTestPanel) {
    WindowUnderTest w("tray", [](const std::string& dir) { logo_files(dir, true); });
    expect_logo(w, true);
    w.frm->showMinimized();
    QCoreApplication::processEvents();
    w.frm->IconResponse(QSystemTrayIcon::Context);
    EXPECT_TRUE(w.frm->windowState() & Qt::WindowMinimized);
    w.frm->IconResponse(QSystemTrayIcon::Trigger);
    EXPECT_FALSE(w.frm->windowState() & Qt::WindowMinimized) << "minimized after the tray trigger";
    EXPECT_TRUE(w.frm->isVisible()) << "visible after the tray trigger";

    MainView& v = w.frm->view();
    v.set_slider_value(Ctl{"vr_eq_db", 0}, 500);  // beyond max 180
    EXPECT_TRUE(v.visible(Ctl{"Text_vr_error_cou"})) << "slider error box";
    EXPECT_NE(v.text(Ctl{"Text_vr_error_cou"}), "") << "slider error text";
    EXPECT_EQ(v.slider_value(Ctl{"vr_eq_db", 0}), 120) << "slider value kept";

    w.frm->showNormal();
    show_and_connect(w);
    for (int i = 0; i < 9; ++i) click(w, "Text_software_version");
    click(w, "Text_music_vol");  // the focus leaves the version line
    for (int i = 0; i < 9; ++i) click(w, "Text_software_version");
    EXPECT_FALSE(v.visible(Ctl{"Frame_cpu_test"})) << "test panel after nine releases";
    click(w, "Text_software_version");
    click(w, "Text_cpu_test_data(0)");  // a test box that had the focus looks like the others again
    EXPECT_GOLDEN(still_picture(w), "window_en_test_panel");  // open after ten releases

    const auto& block = w.frm->state().cpu_test_data;
    click(w, "Check_cpu_test_sw", QPoint(6, 9));  // on the tick box
    EXPECT_EQ(block[8], 1) << "test switch byte";
    enter_value(w, "Text_cpu_test_data(0)", "300");
    EXPECT_EQ(block[9], 255) << "byte of box 0";
    EXPECT_EQ(text_of(w, "Text_cpu_test_data", 0), "255");
    const auto sent = write_after(w, cmd::cpu_test, [&] { enter_value(w, "Text_cpu_test_data(9)", "77"); });
    EXPECT_EQ(sent[kTestDataFirstByte + 9], 77) << "box 9's byte sent";
}

// The window's two tab strips never draw a focus rectangle: the picture is taken with the keyboard still on the
// channel strip after a click on "EFFECT", and either strip looks the same focused as unfocused.
TEST(FrmMainWindow, TabStripsDrawNoFocusRectangle) {
    WindowUnderTest w("strip_focus");
    show_and_connect(w);
    for (const char* name : {"ucXTab_main_vol", "ucXTab1"}) {  // the channel strip last, for the picture
        SCOPED_TRACE(name);
        auto* strip = w.frm->registry().get<XTab>(name);
        ASSERT_NE(strip, nullptr);
        click_tab(w, std::string(name) == "ucXTab1" ? 2 : 0, name);
        ASSERT_TRUE(strip->hasFocus()) << "keyboard focus after the click";
        const QImage focused = strip->model().surface().image().copy();
        if (std::string(name) == "ucXTab1") {
            const QPoint corner(w.frm->width() - 1, w.frm->height() - 1);  // no hover in the picture
            QTest::mouseMove(handle(w), corner);
            QCursor::setPos(w.frm->mapToGlobal(corner));
            ASSERT_TRUE(strip->hasFocus()) << "keyboard focus for the picture";
            EXPECT_GOLDEN(w.frm->grab().toImage(), "window_en_tab2_strip_focused");
        }
        strip->clearFocus();
        EXPECT_TRUE(focused == strip->model().surface().image()) << "the strip focused differs from unfocused";
    }
}

// The window destroyed in the middle of anything: what the teardown itself reports (a focus loss, a released
// grab, a timer) must reach rules and services that still exist (the sanitizer build fails on any other use).

TEST(FrmMainTeardown, DestroyedWhileEditingDraggingOrWaiting) {
    const std::vector<std::pair<const char*, std::function<void(WindowUnderTest&)>>> cases = {
        {"a box being edited",
         [](WindowUnderTest& w) {
             click(w, "Text_music_vol");
             type(w, "2");  // not committed yet
             ASSERT_EQ(QApplication::focusWidget(), widget_of(w, "Text_music_vol"));
         }},
        {"a box being edited, the menu bar holding the keyboard",
         [](WindowUnderTest& w) {
             click(w, "Text_music_vol");
             type(w, "2");
             key(w, Qt::Key_Alt);
             ASSERT_EQ(QApplication::focusWidget(), w.frm->menuBar());
         }},
        {"the version line with the focus",
         [](WindowUnderTest& w) {
             click(w, "Text_software_version");
             ASSERT_EQ(QApplication::focusWidget(), widget_of(w, "Text_software_version"));
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
