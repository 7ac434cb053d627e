#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include "platform/property_bag.h"
#include "platform/qt_file_dialogs.h"
#include "platform/qt_settings_store.h"
#include "platform/qt_wait.h"
#include "support/link_harness.h"

using namespace tuner;

TEST(PropertyBag, KeysIgnoreCaseAndDefaultsAreNotWritten) {
    PropertyBag bag;
    bag.write("BackColor", int64_t{0xC0C0C0}, int64_t{0xC0C0C0});
    EXPECT_FALSE(bag.contains("backcolor"));
    bag.write("BackColor", 0xFFFF80, 0xC0C0C0);
    EXPECT_TRUE(bag.contains("BACKCOLOR"));
    EXPECT_EQ(bag.read("backColor", int64_t{0}), 0xFFFF80);
    EXPECT_EQ(bag.read("Missing", int64_t{42}), 42);
    // Writing the default again removes the entry.
    bag.write("backcolor", 0xC0C0C0, 0xC0C0C0);
    EXPECT_EQ(bag.size(), 0u);
    bag.write("Caption", std::string("MUTE"), std::string(""));
    EXPECT_EQ(bag.read("caption", int64_t{5}), 5) << "a value of another kind reads as the default";
}

TEST(PropertyBag, TextRoundTripKeepsEveryKind) {
    PropertyBag bag;
    FontSpec font;
    font.name = "Tahoma|x";
    font.size = 10.5;
    font.bold = true;
    bag.write("Font", font, FontSpec{});
    bag.write("Enabled", false, true);
    bag.write("Max", int64_t{-7}, int64_t{0});
    bag.write("Ratio", 0.125, 0.0);
    bag.write("Caption", std::string("静音 a=b\nnext\\"), std::string());
    bag.write("Picture", std::vector<uint8_t>{0, 1, 254, 255}, std::vector<uint8_t>{});
    const PropertyBag back = PropertyBag::from_text(bag.to_text());
    EXPECT_EQ(back, bag);
    const PropertyBag junk = PropertyBag::from_text("garbage\n=i:1\nX=i:notanumber\nY=x:abc\nZ=q:1\nOK=i:3\n");
    EXPECT_EQ(junk.size(), 1u);
    EXPECT_EQ(junk.read("ok", int64_t{0}), 3);
}

TEST(QtSettingsStore, RedirectedFileKeepsUnicodeValues) {
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("sub/settings.ini"));
    QtSettingsStore store(path);
    EXPECT_FALSE(store.get("Veltrana_m202301", "eeprom", "Bt_Name").has_value());
    store.set("Veltrana_m202301", "eeprom", "Bt_Name", "蓝牙 Audio");
    store.set("Veltrana_m202301", "eeprom", "Language", "1");
    QtSettingsStore again(path);
    EXPECT_EQ(again.get("Veltrana_m202301", "eeprom", "Bt_Name"), "蓝牙 Audio");
    EXPECT_EQ(again.get("Veltrana_m202301", "eeprom", "Language"), "1");
}

// A folder that cannot be made or a read-only file: the write says it failed, and the report (once, as the core
// tests pin) names the file.
TEST(QtSettingsStore, FailedWritesAreReportedOnce) {
    QTemporaryDir dir;
    const QString blocker = QDir(dir.path()).filePath(QStringLiteral("plain-file"));
    {
        QFile f(blocker);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    QtSettingsStore missing_folder(blocker + QStringLiteral("/config/settings.ini"));
    EXPECT_FALSE(missing_folder.write("Veltrana_m202301", "eeprom", "Language", "1"));

    const QString ro_path = QDir(dir.path()).filePath(QStringLiteral("ro.ini"));
    QtSettingsStore seed(ro_path);
    ASSERT_TRUE(seed.write("Veltrana_m202301", "eeprom", "Language", "0"));
    QFile::setPermissions(ro_path, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    QtSettingsStore read_only(ro_path);
    EXPECT_FALSE(read_only.write("Veltrana_m202301", "eeprom", "Language", "1"));
    EXPECT_EQ(read_only.get("Veltrana_m202301", "eeprom", "Language"), "0");

    AppState s;
    tuner::testing::RecordingWindowServices ui(s);
    s.Language = 1;
    EXPECT_FALSE(save_language_setting(s, missing_folder, ui));
    ASSERT_EQ(ui.debug_lines.size(), 1u);
    EXPECT_NE(ui.debug_lines[0].find("config/settings.ini"), std::string::npos) << ui.debug_lines[0];
    QFile::setPermissions(ro_path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

TEST(QtFileDialogs, FiltersBecomeQtNameFilters) {
    EXPECT_EQ(qt_name_filters("AudioParmFile (*.ktv)|*.ktv"), QStringLiteral("AudioParmFile (*.ktv)"));
    EXPECT_EQ(qt_name_filters("TXTFile|*.txt|All|*.*"), QStringLiteral("TXTFile (*.txt);;All (*.*)"));
    EXPECT_EQ(qt_name_filters(""), QString());
}

// The program's wait lets timers fire inside it and returns after at least
// its length; a wait of 0 returns at once without running anything.
TEST(QtWait, TimersFireInsideAndTheWaitLastsItsLength) {
    int ticks = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] { ++ticks; });
    tick.start(10);
    bool single_shot = false;
    QTimer::singleShot(30, [&] { single_shot = true; });
    QElapsedTimer clock;
    clock.start();
    qt_delay_ms(120);
    EXPECT_GE(clock.elapsed(), 120);
    EXPECT_GT(ticks, 0);
    EXPECT_TRUE(single_shot);
    const int before = ticks;
    qt_delay_ms(0);
    EXPECT_EQ(ticks, before);
}
