#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include "platform/control_widget.h"
#include "platform/hidapi_transport.h"
#include "platform/property_bag.h"
#include "platform/qt_file_dialogs.h"
#include "platform/qt_settings_store.h"
#include "platform/qt_wait.h"
#include "platform/window_helpers.h"
#include "support/link_harness.h"

using namespace tuner;

TEST(PropertyBag, KeysDefaultsKindsAndText) {
    PropertyBag bag;
    bag.write("BackColor", int64_t{0xC0C0C0}, int64_t{0xC0C0C0});
    EXPECT_FALSE(bag.contains("backcolor"));
    bag.write("BackColor", 0xFFFF80, 0xC0C0C0);
    EXPECT_EQ(bag.read("backColor", int64_t{0}), 0xFFFF80);
    EXPECT_EQ(bag.read("Missing", int64_t{42}), 42);
    bag.write("backcolor", 0xC0C0C0, 0xC0C0C0);  // the default again: removed
    EXPECT_EQ(bag.size(), 0u);
    bag.write("Caption", std::string("MUTE"), std::string(""));
    EXPECT_EQ(bag.read("caption", int64_t{5}), 5) << "another kind: the default";
    bag.write("Enabled", true, false);
    EXPECT_EQ(bag.read("Enabled", int64_t{0}), -1) << "true read as a number";
    bag.write("Font", FontSpec{"Tahoma|x", 10.5, true}, FontSpec{});
    bag.write("Max", int64_t{-7}, int64_t{0});
    bag.write("Ratio", 0.125, 0.0);
    bag.write("Caption", std::string("静音 a=b|c\nnext\\"), std::string());
    bag.write("Picture", std::vector<uint8_t>{0, 1, 254, 255}, std::vector<uint8_t>{});
    EXPECT_EQ(PropertyBag::from_text(bag.to_text()), bag);
    const PropertyBag junk = PropertyBag::from_text("garbage\n=i:1\nX=i:notanumber\nY=x:abc\nZ=q:1\nOK=i:3\n");
    EXPECT_EQ(junk.size(), 1u);
    EXPECT_EQ(junk.read("ok", int64_t{0}), 3);
}

// An unmakeable folder or a read-only file fails the write; the report names the file.
TEST(QtSettingsStore, ValuesAndFailedWrites) {
    QTemporaryDir dir;
    const QString path = dir.path() + "/sub/settings.ini";
    QtSettingsStore store(path);
    EXPECT_FALSE(store.get("Veltrana_m202301", "eeprom", "Bt_Name").has_value());
    store.set("Veltrana_m202301", "eeprom", "Bt_Name", "蓝牙 Audio");
    EXPECT_EQ(QtSettingsStore(path).get("Veltrana_m202301", "eeprom", "Bt_Name"), "蓝牙 Audio");

    const QString ro_path = dir.path() + "/ro.ini";
    ASSERT_TRUE(QtSettingsStore(ro_path).write("Veltrana_m202301", "eeprom", "Language", "0"));
    QtSettingsStore missing_folder(ro_path + "/config/settings.ini");  // under a file
    EXPECT_FALSE(missing_folder.write("Veltrana_m202301", "eeprom", "Language", "1"));
    QFile::setPermissions(ro_path, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    QtSettingsStore read_only(ro_path);
    EXPECT_FALSE(read_only.write("Veltrana_m202301", "eeprom", "Language", "1"));
    EXPECT_EQ(read_only.get("Veltrana_m202301", "eeprom", "Language"), "0");

    AppState s;
    tuner::testing::RecordingWindowServices ui(s);
    EXPECT_FALSE(save_language_setting(s, missing_folder, ui));
    ASSERT_EQ(ui.debug_lines.size(), 1u);
    EXPECT_NE(ui.debug_lines[0].find("config/settings.ini"), std::string::npos) << ui.debug_lines[0];
}

TEST(QtFileDialogs, FiltersBecomeQtNameFilters) {
    EXPECT_EQ(qt_name_filters("AudioParmFile (*.ktv)|*.ktv"), QStringLiteral("AudioParmFile (*.ktv)"));
    EXPECT_EQ(qt_name_filters("TXTFile|*.txt|All|*.*"), QStringLiteral("TXTFile (*.txt);;All (*.*)"));
    EXPECT_EQ(qt_name_filters(""), QString());
}

// Timers run inside the wait; a wait of 0 runs nothing.
TEST(QtWait, TimersFireInsideTheWait) {
    int fired = 0;
    QTimer::singleShot(0, [&] { ++fired; });
    qt_delay_ms(0);
    EXPECT_EQ(fired, 0) << "after a wait of 0";
    QElapsedTimer clock;
    clock.start();
    qt_delay_ms(120);
    EXPECT_GE(clock.elapsed(), 120);
    EXPECT_EQ(fired, 1) << "after a wait of 120 ms";
}

// Buttons 1/2/4, Shift/Ctrl/Alt 1/2/4, keys as virtual-key codes.
TEST(ControlWidget, ButtonShiftAndKeyCodes) {
    EXPECT_EQ(ControlWidget::button_code(Qt::RightButton), 2);
    EXPECT_EQ(ControlWidget::buttons_code(Qt::LeftButton | Qt::MiddleButton), 5);
    EXPECT_EQ(ControlWidget::shift_code(Qt::ShiftModifier | Qt::ControlModifier), 3);
    EXPECT_EQ(ControlWidget::shift_code(Qt::AltModifier), 4);
    const std::pair<Qt::Key, int> keys[] = {{Qt::Key_Left, 37}, {Qt::Key_Up, 38},     {Qt::Key_Right, 39},
                                            {Qt::Key_Down, 40}, {Qt::Key_Return, 13}, {Qt::Key_F2, 113},
                                            {Qt::Key_A, 65}};
    for (const auto& [key, code] : keys) EXPECT_EQ(ControlWidget::key_code(key), code) << "Qt key " << key;
}

// Without the unit: listing works, unknown handles are refused.
TEST(HidapiTransport, SafeWithoutADevice) {
    HidapiTransport hid;
    for (const auto& info : hid.enumerate()) EXPECT_FALSE(info.path.empty());
    HidReport report{};
    report[5] = 42;
    EXPECT_FALSE(hid.write_report(kNoHidHandle, report));
    EXPECT_FALSE(hid.read_report(12345, report));
    EXPECT_EQ(report[5], 42) << "report after a failed read";
    HidOpenError error = HidOpenError::None;
    EXPECT_EQ(hid.open("/dev/no-such-hidraw-node", &error), kNoHidHandle);
    EXPECT_NE(error, HidOpenError::None);
}

TEST(WindowHelpers, IconAndTitle) {
    QWidget w;
    QTemporaryDir dir;
    const QString png = dir.path() + "/logo.png";
    QImage img(32, 32, QImage::Format_RGB32);
    img.fill(Qt::red);
    ASSERT_TRUE(img.save(png));
    EXPECT_TRUE(set_window_icon(&w, png.toStdString()));
    EXPECT_EQ(w.windowIcon().availableSizes(), QList<QSize>{QSize(64, 64)}) << "scaled up for the title bar";
    EXPECT_FALSE(set_window_icon(&w, (dir.path() + "/none.ico").toStdString())) << "missing file";
    EXPECT_FALSE(set_window_icon(&w, dir.path().toStdString())) << "a folder, not a picture";
    EXPECT_FALSE(set_window_icon(nullptr, png.toStdString()));
    set_unicode_caption(&w, "卡拉OK 调音");
    EXPECT_EQ(w.windowTitle(), QStringLiteral("卡拉OK 调音"));

    // Pictures beside the program are read only when they are small: a pipe,
    // a header announcing a huge picture or a huge file are passed over at once.
    const QString fifo = dir.path() + "/pipe.jpg", wide = dir.path() + "/wide.bmp", big = dir.path() + "/big.png";
    ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0644), 0);
    QImage(kPictureMaxSide + 1, 1, QImage::Format_Mono).save(wide);
    QFile::copy(png, big);
    QFile(big).resize(kPictureMaxBytes + 1);  // a picture followed by junk
    EXPECT_EQ(read_picture(png.toStdString()).size(), QSize(32, 32));
    for (const QString& path : {fifo, wide, big})
        EXPECT_TRUE(read_picture(path.toStdString()).isNull()) << path.toStdString();
}
