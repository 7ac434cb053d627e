// Entry point for widget suites: one QApplication, offscreen unless the caller chose another platform.
//
// The pictures the suites compare depend on the locale (fontconfig ranks the CJK font first for a Chinese
// one), on the fonts installed and on the machine's and the user's font settings. Before Qt starts, the run
// takes a fixed locale and a font configuration of its own (the fonts scripts/install-deps brings, nothing
// else), and drops the settings that change Qt's look, so every machine draws the same pictures.
#include <gtest/gtest.h>
#include <QApplication>

namespace {

void fix_the_environment() {
    qputenv("LC_ALL", "C.UTF-8");
    qputenv("LANG", "C.UTF-8");
    for (const char* name : {"LANGUAGE", "FC_LANG", "FONTCONFIG_PATH", "FONTCONFIG_SYSROOT", "QT_QPA_PLATFORMTHEME",
                             "QT_STYLE_OVERRIDE", "QT_FONT_DPI", "QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS",
                             "QT_ENABLE_HIGHDPI_SCALING", "QT_SCALE_FACTOR_ROUNDING_POLICY"}) {
        qunsetenv(name);
    }
    qputenv("FONTCONFIG_FILE", TUNER_TEST_FONTS_CONF);
}

}  // namespace

int main(int argc, char** argv) {
    fix_the_environment();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // Glyphs rendered anew each time: with the glyph cache, text edges in pictures depend on earlier tests.
    qputenv("QT_NO_FT_CACHE", "1");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
