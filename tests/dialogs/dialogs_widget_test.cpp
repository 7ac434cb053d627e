// The three windows on screen: their names, texts and input through the
// window system, a disabled main window that leaves them usable, and PNG
// renderings in the build's test-output folder for a look.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>

#include "buttons/qb_buttons_h.h"
#include "dialogs/about_box.h"
#include "dialogs/audio_mode_dialog.h"
#include "dialogs/progress_dialog.h"
#include "platform/font_spec.h"

using namespace tuner;

namespace {

QString out_path(const QString& name) {
    QDir().mkpath(QStringLiteral(TUNER_TEST_OUTPUT_DIR));
    return QStringLiteral(TUNER_TEST_OUTPUT_DIR) + "/" + name;
}

struct FixedClock : Clock {
    int32_t t = 0;
    int32_t now_ms() override { return t; }
};
struct StepPump : EventPump {
    FixedClock& c;
    explicit StepPump(FixedClock& clock) : c(clock) {}
    void process_events() override { c.t += 100; }
};

// The main window as the dialogs see it: a real top-level widget that they disable.
struct MainHost : ProgressHost, AudioModeHost {
    QWidget window;
    int refreshes = 0;
    MainHost() {
        window.resize(400, 300);
        window.show();
    }
    void set_main_window_enabled(bool enabled) override { window.setEnabled(enabled); }
    void set_all_dis() override { ++refreshes; }
};

struct Ready {
    AppState s;
    Ready() {
        s.cpu_connect_state = 1;
        s.cpu_state.cpu_music_input = 6;
        s.cpu_state.cpu_power_on = 1;
    }
};

void click(QWidget* w, Qt::MouseButton b = Qt::LeftButton, QPoint at = QPoint(-1, -1)) {
    QWidget* top = w->window();
    if (at.x() < 0) at = w->rect().center();
    QTest::mouseClick(top->windowHandle(), b, Qt::NoModifier, w->mapTo(top, at));
}

void activate(QWidget* w) {
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
}

}  // namespace

TEST(ProgressDialog, WindowAndItsPartsAndStaysEnabledOverADisabledMainWindow) {
    Ready r;
    MainHost host;
    FixedClock clock;
    StepPump pump(clock);
    auto* wait = new Wait(r.s, host, clock, pump, &host.window);
    EXPECT_EQ(wait->parentWidget(), nullptr);
    EXPECT_FALSE(wait->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(wait->windowFlags() & Qt::WindowTitleHint);
    EXPECT_EQ(wait->size(), QSize(352, 65));
    r.s.Language = 1;
    wait->display_wait_1s();
    EXPECT_TRUE(wait->isVisible());
    EXPECT_FALSE(host.window.isEnabled());
    EXPECT_TRUE(wait->isEnabled());
    auto* text = wait->findChild<QLineEdit*>("Text_Wait");
    auto* bar = wait->findChild<QProgressBar*>("ProgressBar1");
    ASSERT_TRUE(text && bar);
    EXPECT_TRUE(bar->isEnabled());
    EXPECT_EQ(text->text(), "Data transfer,please waiting...");
    EXPECT_EQ(bar->maximum(), 8);
    EXPECT_FALSE(wait->findChild<QLineEdit*>("Text_v")->isVisible());
    EXPECT_EQ(wait->findChild<QLineEdit*>("Text_Max")->text(), "800ms");
    for (int i = 0; i < 4; ++i) wait->model().tick();
    EXPECT_EQ(bar->value(), 4);
    wait->close();  // the user cannot close it
    EXPECT_TRUE(wait->isVisible());
    ASSERT_TRUE(wait->grab().save(out_path("progress_dialog_en.png")));
    r.s.Language = 0;
    wait->display_wait_youxian_x100ms(16);
    for (int i = 0; i < 10; ++i) wait->model().tick();
    EXPECT_EQ(text->text(), "正在切换模式，请稍候...");
    ASSERT_TRUE(wait->grab().save(out_path("progress_dialog_zh.png")));
    for (int i = 0; i < 7; ++i) wait->model().tick();
    EXPECT_FALSE(wait->isVisible());
    EXPECT_TRUE(host.window.isEnabled());
    EXPECT_EQ(host.refreshes, 1);
    // The dialog goes with its owner.
    auto* owner = new QWidget;
    QPointer<Wait> owned = new Wait(r.s, host, clock, pump, owner);
    delete owner;
    EXPECT_TRUE(owned.isNull());
    delete wait;
}

TEST(AboutBox, TextsAndOkClosesAndDeletesIt) {
    QWidget owner;
    owner.show();
    QPointer<QWidget> box = show_about_box(&owner);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->windowTitle(), "About Veltrana");
    EXPECT_EQ(box->findChild<QLabel*>("lblTitle")->text(), "About Veltrana");
    EXPECT_EQ(box->findChild<QLabel*>("lblVersion")->text(), "Software Vertion:  24.6.6");
    EXPECT_EQ(box->findChild<QLabel*>("Label_Cpu_Vertion")->text(), "");
    EXPECT_EQ(box->size(), QSize(450, 226));
    auto* ok = box->findChild<QPushButton*>("cmdOK");
    EXPECT_EQ(ok->geometry(), QRect(294, 154, 72, 31));
    ASSERT_TRUE(box->grab().save(out_path("about_box.png")));
    activate(box);
    click(ok);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(box.isNull());

    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        QPointer<QWidget> again = show_about_box(&owner);
        activate(again);
        QTest::keyClick(again->windowHandle(), key);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(again.isNull()) << key;
    }
}

TEST(AudioModeDialog, NamesCaptionsAndTheMainWindowState) {
    Ready r;
    MainHost host;
    r.s.Language = 1;
    r.s.audio_mode_config = audio_mode_preset_flags(kAdvancedMode);
    r.s.audio_mode_config[21] = 2;
    AudioModeDialog d(r.s, host, &host.window);
    EXPECT_EQ(d.parentWidget(), nullptr);
    EXPECT_EQ(d.windowTitle(), "Mode Setting");
    EXPECT_EQ(d.size(), QSize(1082, 482));
    auto* box3 = d.findChild<QCheckBox*>("Check_audio_mode_config(3)");
    ASSERT_EQ(box3, d.Check_audio_mode_config(3));
    EXPECT_EQ(box3->text(), "Music Noise Suppressor");
    EXPECT_EQ(box3->geometry(), QRect(430, 60, 153, 35));
    for (int i = 0; i < 40; ++i)
        EXPECT_EQ(d.Check_audio_mode_config(i)->isChecked(), r.s.audio_mode_config[i] == 1) << i;
    EXPECT_EQ(d.findChild<qbButtons_H*>("key_audio_mode_all_on_off(1)")->Caption(), "Simple Mode");
    EXPECT_EQ(d.key_audio_mode_all_on_off(0)->BackColor(), 0x00C0C0C0);
    EXPECT_EQ(d.findChild<QGroupBox*>("Frame1")->title(), "常用设置");

    d.show();
    EXPECT_FALSE(host.window.isEnabled());
    EXPECT_TRUE(d.isEnabled());
    EXPECT_TRUE(box3->isEnabled());
    ASSERT_TRUE(d.grab().save(out_path("audio_mode_dialog_en.png")));
    r.s.Language = 0;
    d.set_language_dis_____audio_mode_config();
    EXPECT_EQ(d.windowTitle(), "模式设置");
    EXPECT_EQ(box3->text(), "音乐噪声门");
    EXPECT_EQ(d.key_audio_mode_all_on_off(2)->Caption(), "高级模式");
    ASSERT_TRUE(d.grab().save(out_path("audio_mode_dialog_zh.png")));
    d.close();
    EXPECT_TRUE(host.window.isEnabled());
}

TEST(AudioModeDialog, UserTogglesWriteAndDisplayTicksDoNot) {
    Ready r;
    MainHost host;
    AudioModeDialog d(r.s, host, &host.window);
    d.show();
    activate(&d);
    ASSERT_FALSE(host.window.isEnabled());
    r.s.cpu_connect_state = 2;

    // A mouse click over a box, with the main window disabled: stored, not queued.
    QCheckBox* b5 = d.Check_audio_mode_config(5);
    click(b5, Qt::LeftButton, QPoint(8, b5->height() / 2));
    EXPECT_TRUE(b5->isChecked());
    EXPECT_EQ(r.s.audio_mode_config[5], 1);
    EXPECT_EQ(r.s.send_audio_mode_config_req, 0);
    EXPECT_EQ(host.refreshes, 1);

    // The space bar toggles and writes too, now queued while connected.
    r.s.cpu_connect_state = 1;
    b5->setFocus();
    QTest::keyClick(d.windowHandle(), Qt::Key_Space);
    EXPECT_FALSE(b5->isChecked());
    EXPECT_EQ(r.s.audio_mode_config[5], 0);
    EXPECT_EQ(r.s.send_audio_mode_config_req, -1);

    // A right-button release changes nothing.
    r.s.send_audio_mode_config_req = 0;
    click(b5, Qt::RightButton, QPoint(8, b5->height() / 2));
    EXPECT_EQ(r.s.audio_mode_config[5], 0);
    EXPECT_EQ(r.s.send_audio_mode_config_req, 0);

    // Box 40 has no flag.
    d.resize(1400, 482);
    QCheckBox* b40 = d.Check_audio_mode_config(40);
    const auto before = r.s.audio_mode_config;
    const int refreshes = host.refreshes;
    click(b40, Qt::LeftButton, QPoint(8, b40->height() / 2));
    EXPECT_TRUE(b40->isChecked());
    EXPECT_EQ(r.s.audio_mode_config, before);
    EXPECT_EQ(r.s.send_audio_mode_config_req, 0);
    EXPECT_EQ(host.refreshes, refreshes);

    // Ticks set from the flags write nothing.
    r.s.audio_mode_config.fill(1);
    d.set_dis_audio_mode_config();
    EXPECT_TRUE(b5->isChecked());
    EXPECT_EQ(r.s.send_audio_mode_config_req, 0);
    EXPECT_EQ(host.refreshes, refreshes);
    d.close();
}

TEST(AudioModeDialog, SimpleModeButtonTicksItsBoxesAndQueuesTheBlock) {
    Ready r;
    MainHost host;
    AudioModeDialog d(r.s, host, &host.window);
    d.show();
    activate(&d);
    click(d.key_audio_mode_all_on_off(kSimpleMode));
    EXPECT_EQ(r.s.audio_mode_config, audio_mode_preset_flags(kSimpleMode));
    EXPECT_EQ(r.s.send_audio_mode_config_req, -1);
    EXPECT_EQ(host.refreshes, 1);
    std::vector<int> ticked;
    for (int i = 0; i <= 20; ++i) {
        if (d.Check_audio_mode_config(i)->isChecked()) ticked.push_back(i);
    }
    EXPECT_EQ(ticked, (std::vector<int>{2, 7, 11, 12, 13, 14, 15, 16, 17, 19, 20}));
    d.close();
}

// Every caption of the dialog fits its place in both languages: a box's text
// wraps onto at most the box's height beside its indicator, a button's
// caption stays on the face, and the 21 named boxes lie inside the opening
// size while the spare ones show once the dialog is widened.
TEST(AudioModeDialog, EveryCaptionFitsInBothLanguages) {
    Ready r;
    MainHost host;
    AudioModeDialog d(r.s, host, &host.window);
    d.show();
    for (uint8_t lang : {uint8_t{1}, uint8_t{0}}) {
        r.s.Language = lang;
        d.set_language_dis_____audio_mode_config();
        for (int i = 0; i < kAudioModeBoxes; ++i) {
            QCheckBox* box = d.Check_audio_mode_config(i);
            QStyleOptionButton opt;
            opt.initFrom(box);
            opt.text = box->text();
            const QRect indicator = box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &opt, box);
            const QRect label = box->rect().adjusted(indicator.right() + 5, 0, 0, 0);
            const QRect need = box->fontMetrics().boundingRect(
                label, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, box->text());
            EXPECT_TRUE(label.contains(need))
                << "box " << i << " language " << int(lang) << ": " << box->text().toStdString();
            const QRect on_frame = box->geometry().intersected(box->parentWidget()->rect());
            EXPECT_GE(on_frame.width(), indicator.right() + 5 + need.width()) << "box " << i;
            if (i <= 20) {
                EXPECT_TRUE(d.rect().contains(box->geometry().translated(box->parentWidget()->pos()))) << i;
            }
        }
        for (int i = 0; i < 3; ++i) {
            qbButtons_H* key = d.key_audio_mode_all_on_off(i);
            const QFontMetrics fm(to_qfont(key->Font()));
            EXPECT_LT(fm.horizontalAdvance(key->Caption()), key->width() - 8) << i;
            EXPECT_LT(fm.height(), key->height()) << i;
        }
    }
    r.s.Language = 1;
    d.set_language_dis_____audio_mode_config();
    d.resize(1300, 482);
    ASSERT_TRUE(d.grab().save(out_path("audio_mode_dialog_wide.png")));
    d.close();
}
