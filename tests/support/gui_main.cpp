// Entry point for widget suites: one QApplication, offscreen unless the caller chose another platform.
#include <gtest/gtest.h>
#include <QApplication>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // Glyphs rendered anew each time: the font engine's glyph cache makes text edges depend on what earlier tests
    // drew, and golden pictures must not.
    qputenv("QT_NO_FT_CACHE", "1");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
