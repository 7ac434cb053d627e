#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <tuple>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QSet>
#include <QTest>

#include "buttons/qb_buttons_h.h"
#include "dialogs/about_box.h"
#include "dialogs/audio_mode_dialog.h"
#include "dialogs/progress_dialog.h"
#include "platform/canvas.h"
#include "platform/font_spec.h"
#include "support/golden.h"

using namespace tuner;

// Sizes in failure messages as width x height.
inline void PrintTo(const QSize& s, std::ostream* os) { *os << s.width() << "x" << s.height(); }

namespace {

struct StepClock : Clock, EventPump {
    int32_t t = 0;
    int32_t now_ms() override { return t; }
    void process_events() override { t += 100; }
};

// The main window as the dialogs see it, over a ready unit.
struct MainHost : ProgressHost, AudioModeHost {
    AppState s;
    QWidget window;
    int refreshes = 0;
    MainHost() {
        s.cpu_connect_state = 1, s.cpu_state.cpu_music_input = 6, s.cpu_state.cpu_power_on = 1;
        window.resize(400, 300), window.show();
    }
    void set_main_window_enabled(bool enabled) override { window.setEnabled(enabled); }
    void set_all_dis() override { ++refreshes; }
};

// A left click on `w` (at the indicator's side for a check box).
void click(QWidget* w) {
    const QPoint at = qobject_cast<QCheckBox*>(w) ? QPoint(8, w->height() / 2) : w->rect().center();
    QTest::mouseClick(w->window()->windowHandle(), Qt::LeftButton, Qt::NoModifier, w->mapTo(w->window(), at));
}

}  // namespace

// The dialogs as a user meets them: the audio modes in both languages, the About box, a wait under way.
TEST(Dialogs, GoldenLooks) {
    auto audio_modes = [](uint8_t language) {
        return [language](MainHost& host) {
            host.s.Language = language;
            for (std::size_t i = 0; i < host.s.audio_mode_config.size(); ++i) host.s.audio_mode_config[i] = i % 3 == 0;
            AudioModeDialog d(host.s, host, &host.window);
            d.show();
            return d.grab().toImage();
        };
    };
    const std::pair<const char*, std::function<QImage(MainHost&)>> looks[] = {
        {"ctl_dialog_audio_mode_en", audio_modes(1)},
        {"ctl_dialog_audio_mode_zh", audio_modes(0)},
        {"ctl_dialog_about",
         [](MainHost& host) {
             const std::unique_ptr<QWidget> box(show_about_box(&host.window));
             return box->grab().toImage();
         }},
        {"ctl_dialog_wait", [](MainHost& host) {
             StepClock clock;
             Wait wait(host.s, host, clock, clock);
             wait.display_wait_1s();
             for (int i = 0; i < 3; ++i) wait.model().tick();
             return wait.grab().toImage();
         }}};
    for (const auto& [name, render] : looks) {
        MainHost host;
        EXPECT_GOLDEN(render(host), name);
    }
}

// Its own top-level window (a child is disabled with the main window); not closable.
TEST(ProgressDialog, UsableOverTheDisabledWindow) {
    MainHost host;
    StepClock clock;
    auto* owner = new QWidget;
    QPointer<Wait> wait = new Wait(host.s, host, clock, clock, owner);
    EXPECT_FALSE(wait->windowFlags() & Qt::WindowCloseButtonHint);
    wait->display_wait_1s();
    EXPECT_FALSE(host.window.isEnabled());
    const QProgressBar* bar = wait->findChild<QProgressBar*>("ProgressBar1");
    EXPECT_TRUE(bar->isEnabled());
    wait->close();
    EXPECT_TRUE(wait->isVisible());
    delete owner;
    EXPECT_TRUE(wait.isNull());
}

TEST(AboutBox, TextsCentreAndClosing) {
    QWidget owner;
    owner.show();
    for (int way = 0; way < 3; ++way) {
        QPointer<QWidget> box = show_about_box(&owner);
        ASSERT_TRUE(box);
        EXPECT_EQ(box->windowTitle().toStdString(), "About Veltrana");
        const QPoint off_centre = box->frameGeometry().center() - owner.frameGeometry().center();
        EXPECT_LE(off_centre.manhattanLength(), 2) << "centred on its owner";
        box->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(box));
        way == 0 ? click(box->findChild<QPushButton*>("cmdOK"))
                 : QTest::keyClick(box->windowHandle(), way == 1 ? Qt::Key_Return : Qt::Key_Escape);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(box.isNull()) << way;
    }
}

// The icon is the box's own 32 x 32 picture in at most 16 colours, whatever icon the window or program has.
TEST(AboutBox, ShowsItsOwnIcon) {
    QPixmap red(32, 32);
    red.fill(Qt::red);
    QWidget owner;
    owner.setWindowIcon(QIcon(red));
    owner.show();
    const std::unique_ptr<QWidget> box(show_about_box(&owner));
    const QImage icon = about_icon();
    ASSERT_EQ(icon.size(), QSize(32, 32)) << "the icon's size";
    QSet<QRgb> colours;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            if (qAlpha(icon.pixel(x, y)) != 0) colours.insert(icon.pixel(x, y));
    EXPECT_LE(colours.size(), 16) << "colours in the icon";
    EXPECT_GE(colours.size(), 4) << "colours in the icon: a picture, not a blank";

    // What the user sees: picIcon's place in the box holds the icon, centred, over the box's background.
    const QLabel* pic = box->findChild<QLabel*>("picIcon");
    ASSERT_NE(pic, nullptr);
    const QImage seen = box->grab().toImage().copy(pic->geometry()).convertToFormat(QImage::Format_ARGB32);
    const QPoint at((seen.width() - 32) / 2, (seen.height() - 32) / 2);
    int differing = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            if (qAlpha(icon.pixel(x, y)) == 255 && seen.pixel(at + QPoint(x, y)) != icon.pixel(x, y)) ++differing;
    EXPECT_EQ(differing, 0) << "icon pixels not shown as stored in picIcon";
}

// Flags set ticks without writing; the title in both languages (the pictures show the captions in both).
TEST(AudioModeDialog, ClicksWriteAndCaptions) {
    MainHost host;
    AudioModeDialog d(host.s, host, &host.window);
    d.show();
    d.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
    QCheckBox* b5 = d.Check_audio_mode_config(5);
    click(b5);
    EXPECT_EQ(host.refreshes, 1) << "after a click";

    for (auto [lang, title] : {std::pair<uint8_t, const char*>{1, "Mode Setting"}, {0, "模式设置"}}) {
        host.s.Language = lang;
        d.set_language_dis_____audio_mode_config();
        EXPECT_EQ(d.windowTitle(), title) << "language " << int(lang);
    }

    host.s.send_audio_mode_config_req = 0;
    host.s.audio_mode_config.fill(1);
    d.set_dis_audio_mode_config();
    EXPECT_TRUE(b5->isChecked());
    EXPECT_EQ(host.s.send_audio_mode_config_req, 0);
    EXPECT_EQ(host.refreshes, 1);
}

// Each opening shows the dialog at its design size (16230 x 7230 twips), even after the user resized it, with the
// keyboard on its first box, even after the user left it on a spare box only the wider dialog showed.
TEST(AudioModeDialog, ReopensAtItsDesignSize) {
    MainHost host;
    AudioModeDialog d(host.s, host, &host.window);
    const QSize design(16230 / 15, 7230 / 15);
    d.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
    // Shown, it takes the keyboard itself: a real X server with no window manager activates nothing unasked.
    ASSERT_TRUE(QTest::qWaitForWindowActive(&d)) << "first opening takes the keyboard";
    EXPECT_EQ(d.size(), design) << "first opening";
    d.windowHandle()->resize(1250, 540);  // the user drags the border to see the spare boxes
    // A real X server answers the resize later than the offscreen platform does.
    ASSERT_TRUE(QTest::qWaitFor([&] { return d.size() == QSize(1250, 540); })) << "resized by the user: " << d.width()
                                                                                 << " x " << d.height();
    click(d.Check_audio_mode_config(30));
    ASSERT_TRUE(d.Check_audio_mode_config(30)->hasFocus()) << "spare box 30 after a click";
    d.close();
    EXPECT_TRUE(host.window.isEnabled()) << "main window after closing";
    d.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
    EXPECT_EQ(d.size(), design) << "second opening";
    EXPECT_TRUE(QTest::qWaitFor([&] { return d.windowHandle()->size() == design; }))
        << "second opening, the window system's window: " << d.windowHandle()->width() << " x "
        << d.windowHandle()->height();
    EXPECT_FALSE(host.window.isEnabled()) << "main window while open again";
    ASSERT_TRUE(QTest::qWaitForWindowActive(&d)) << "second opening takes the keyboard";
    EXPECT_EQ(QApplication::focusWidget(), d.Check_audio_mode_config(0)) << "focus at the second opening";
}

// The preset buttons draw with a copy of the dialog's font; their captions fit on one line in both languages.
TEST(AudioModeDialog, PresetButtonsTakeTheFormFontAndFit) {
    MainHost host;
    AudioModeDialog d(host.s, host, &host.window);
    d.show();
    const FontSpec form = font_spec_of(d.font());
    for (uint8_t lang : {uint8_t{0}, uint8_t{1}}) {
        host.s.Language = lang;
        d.set_language_dis_____audio_mode_config();
        for (int i = 0; i < 3; ++i) {
            const qbButtons_H* b = d.key_audio_mode_all_on_off(i);
            const std::string what = "button " + std::to_string(i) + ", language " + std::to_string(lang);
            EXPECT_EQ(b->Font().name, form.name) << what;
            EXPECT_EQ(b->Font().size, form.size) << what;
            const QSize need = Canvas::text_extent(b->Caption(), b->Font());
            EXPECT_LE(need.width() + 8, b->width()) << what << ": " << b->Caption().toStdString();
            EXPECT_LE(need.height() + 4, b->height()) << what << ": " << b->Caption().toStdString();
        }
    }
}
