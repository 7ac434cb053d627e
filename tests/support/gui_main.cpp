// Entry point for widget suites: one QApplication, offscreen unless the caller chose another platform.
#include <gtest/gtest.h>
#include <QApplication>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // Glyphs rendered anew each time: with the glyph cache, text edges in pictures depend on earlier tests.
    qputenv("QT_NO_FT_CACHE", "1");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
