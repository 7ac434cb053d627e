// The window's buttons in both languages, a config.ini with stray bytes in a
// title, and the compressor curve under buttons other than the left one.
#include <cmath>
#include <fstream>

#include "buttons/qb_buttons_h.h"
#include "controls/limiter.h"
#include "e2e_input.h"
#include "mainwindow/captions.h"
#include "platform/canvas.h"
#include "platform/font_spec.h"

namespace tuner::testing {
namespace {

// The user's choice with the language menu (first line "0"; nothing stored reads as Chinese); the Chinese title
// carries GBK bytes, which are not UTF-8.
void write_gbk_title_config(const std::string& dir) {
    std::ofstream(dir + "/config.ini", std::ios::binary) << "0\r\n\xB5\xF7\xD2\xF4 Desk\r\nTuning Desk\r\n"
                                                         << kConfigCheckText << "\r\n";
}

// The buttons that the window shows, with the test panel open (input buttons that no unit shows stay out).
std::vector<qbButtons_H*> shown_buttons(WindowUnderTest& w) {
    w.frm->services().show_test_panel(true);
    std::vector<qbButtons_H*> out;
    for (auto* b : w.frm->findChildren<qbButtons_H*>())
        if (b->isVisibleTo(w.frm.get())) out.push_back(b);
    return out;
}

// Every caption on one line inside the two-pixel edges of its button, in the button's own font.
void expect_captions_fit(const std::vector<qbButtons_H*>& buttons, const char* language) {
    for (qbButtons_H* b : buttons) {
        const QString text = b->Caption().trimmed();
        if (text.isEmpty()) continue;
        const QSize need = Canvas::text_extent(text, b->Font());
        EXPECT_LE(need.width() + 4, b->width())
            << language << " caption \"" << text.toStdString() << "\" of " << b->objectName().toStdString();
        EXPECT_LE(need.height() + 4, b->height())
            << language << " caption \"" << text.toStdString() << "\" of " << b->objectName().toStdString();
    }
}

// The window's buttons take the window's font (face and size; the language sets only the character set).
TEST(WindowButtons, FormFontAndCaptionsInBothLanguages) {
    WindowUnderTest w("buttons_font", write_gbk_title_config);
    show_window(w);
    ASSERT_EQ(w.frm->state().Language, 0) << "no stored choice: Chinese";
    const FontSpec form = font_spec_of(w.frm->font());
    const std::vector<qbButtons_H*> buttons = shown_buttons(w);
    ASSERT_GT(buttons.size(), 10u) << "buttons shown";
    for (qbButtons_H* b : buttons) {
        EXPECT_EQ(b->Font().name, form.name) << "font face of " << b->objectName().toStdString();
        EXPECT_EQ(b->Font().size, form.size) << "font size of " << b->objectName().toStdString();
    }
    expect_captions_fit(buttons, "Chinese");
    // The captions with the least room, and the master mute, as pictures in both languages.
    const char* pictured[] = {"key_eq_chx_bypass", "key_input(10)", "key_mute(1)", "key_mute(0)"};
    auto grab_all = [&](const char* language) {
        for (const char* name : pictured) {
            auto* b = w.frm->registry().get<qbButtons_H>(name);
            ASSERT_NE(b, nullptr) << name;
            QString file = QStringLiteral("ctl_button_window_%1_%2").arg(QString::fromLatin1(language), name);
            file.remove(QLatin1Char('(')).remove(QLatin1Char(')'));
            EXPECT_GOLDEN(b->grab().toImage(), file.toStdString());
        }
    };
    grab_all("zh");
    choose(w, "menu_key_language");
    ASSERT_EQ(w.frm->state().Language, 1) << "after the language entry";
    expect_captions_fit(buttons, "English");
    grab_all("en");
}

// The Chinese captions give the fonts of the buttons they write character set 1, which a switch back to English
// keeps; buttons without a caption row, and every button of a window that starts in English, keep set 0.
TEST(WindowButtons, ChineseCaptionsGiveTheButtonFontsCharacterSetOne) {
    auto charsets = [](WindowUnderTest& w, const char* when, int expected) {
        int buttons = 0;
        for (const Ctl& c : caption_targets()) {
            if (const auto* b = w.frm->registry().get<qbButtons_H>(c.str())) {
                ++buttons;
                EXPECT_EQ(b->Font().charset, expected) << "character set of " << c.str() << " " << when;
            }
        }
        EXPECT_GE(buttons, 20) << "buttons with a caption row";
        const auto* peq = w.frm->registry().get<qbButtons_H>("key_eq_type_peq(0)");
        ASSERT_NE(peq, nullptr);
        EXPECT_EQ(peq->Font().charset, 0) << "key_eq_type_peq(0) (no caption row) " << when;
    };
    {
        WindowUnderTest english("buttons_charset_en");
        show_window(english);
        ASSERT_EQ(english.frm->state().Language, 1) << "no config.ini: English";
        charsets(english, "in a window started in English", 0);
    }
    WindowUnderTest w("buttons_charset", write_gbk_title_config);
    show_window(w);
    ASSERT_EQ(w.frm->state().Language, 0) << "no stored choice: Chinese";
    charsets(w, "in Chinese", 1);
    choose(w, "menu_key_language");
    ASSERT_EQ(w.frm->state().Language, 1) << "after the language entry";
    charsets(w, "after the switch to English", 1);
}

// A title line with bytes that are not UTF-8 shows them as replacement characters; the file still counts.
TEST(WindowConfig, StrayBytesInTheTitleShowAsReplacementCharacters) {
    WindowUnderTest w("config_gbk", write_gbk_title_config);
    show_window(w);
    EXPECT_EQ(w.frm->state().Language, 0) << "language line";
    EXPECT_EQ(w.frm->windowTitle(), QStringLiteral("\uFFFD\uFFFD\uFFFD\uFFFD Desk")) << "window title in Chinese";
}

// A right or middle drag of the knob leaves the compressor's threshold; the left one moves it.
TEST(WindowCompressor, CurveFollowsTheLeftButtonAlone) {
    WindowUnderTest w("compressor_buttons");
    show_and_connect(w);
    Limiter* lim = w.frm->view().limiter();
    ASSERT_NE(lim, nullptr);
    const int before = w.frm->view().limiter_db();
    const LimiterModel& m = lim->model();
    const auto k = m.knob_rect();
    const QPoint knob(std::lround((k.left + k.right) / 2.0), std::lround((k.top + k.bottom) / 2.0));
    const QPoint to(std::lround(m.px_x(before)), std::lround(m.px_y(before - 12)));
    click_at(w, in_window(w, lim, knob));  // a left click grabs the knob; other buttons must not drag it then
    const ParamImage image_before_image = w.frm->state().param_image;
    for (Qt::MouseButton b : {Qt::RightButton, Qt::MiddleButton}) {
        const QPoint a = in_window(w, lim, knob), c = in_window(w, lim, to);
        QTest::mouseMove(handle(w), a);
        QTest::mousePress(handle(w), b, {}, a);
        for (int i = 1; i <= 4; ++i) QTest::mouseMove(handle(w), a + (c - a) * i / 4);
        QTest::mouseRelease(handle(w), b, {}, c);
        QCoreApplication::processEvents();
        EXPECT_EQ(w.frm->view().limiter_db(), before) << (b == Qt::RightButton ? "right" : "middle") << " drag";
        EXPECT_TRUE(w.frm->state().param_image == image_before_image)
            << (b == Qt::RightButton ? "right" : "middle") << " drag changed the parameter image";
    }
    drag(w, lim, knob, to, 4);
    EXPECT_EQ(w.frm->view().limiter_db(), before - 12) << "left drag";
}

}  // namespace
}  // namespace tuner::testing
