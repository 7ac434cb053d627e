// The window with no unit: mode commands chosen then reach no unit plugged in
// later, and a start-up file that is missing or refused leaves a usable image.
#include "core/param_table.h"
#include "e2e_input.h"

namespace tuner::testing {
namespace {

// Recall, save and both resets chosen with no unit, and one chosen while
// connected but lost before its frame went out: the units connected later
// get no EEPROM-mode write and keep their stored modes.
TEST(E2eOffline, ModeCommandsChosenWithNoUnitReachNoLaterUnit) {
    WindowUnderTest w("e2e_offline_modes");
    w.unit.eeprom_modes[0].gen[gen_frame::music_vol] = 9;
    const auto modes = w.unit.eeprom_modes;
    const AppState& s = w.frm->state();
    w.unit.unplug();
    show_window(w);
    w.ticks(4);
    for (const char* entry : {"menu_key_read_all_data_from_cpu_group(2)", "menu_key_save_all_data_to_cpu_group(1)",
                              "menu_reset_cpu_audio_mode_0", "menu_reset_cpu_audio_mode_all"}) {
        SCOPED_TRACE(entry);
        choose(w, entry);
        EXPECT_EQ(s.mode_recall_req, kNoRequest) << "recall request";
        EXPECT_EQ(s.mode_save_req[0], 0) << "save flag";
        EXPECT_EQ(s.mode_reset_req[0], 0) << "reset-current byte";
        EXPECT_EQ(s.mode_reset_req[2], 0) << "reset-all byte";
        w.ticks(2);
    }
    w.unit.replug("/dev/hidraw4");
    ASSERT_TRUE(w.connect());
    w.ticks(40);
    choose(w, "menu_reset_cpu_audio_mode_all");
    ASSERT_EQ(s.mode_reset_req[2], 1) << "reset-all byte while connected";
    w.unit.unplug();
    w.ticks(12);  // the write fails and the link is lost
    ASSERT_FALSE(link_connected(s));
    w.unit.replug("/dev/hidraw5");
    ASSERT_TRUE(w.connect());
    w.ticks(40);

    EXPECT_EQ(writes_of(w.unit, cmd::eeprom_mode, 0).size(), 0u) << "EEPROM-mode writes the units received";
    for (std::size_t m = 0; m < modes.size(); ++m)
        EXPECT_TRUE(same_payloads(w.unit.eeprom_modes[m], modes[m])) << "stored mode " << m + 1;
}

// Without a usable start-up file the window says so once and starts from the
// neutral image: every slider shows its stored value, no slider error, and a
// file saved then loads back.
TEST(E2eOffline, AStartUpFileMissingOrRefusedStartsFromTheNeutralImage) {
    struct Case {
        const char* name;
        const char* file_text;  // null: no file
        std::string message;
    };
    for (const Case& c :
         {Case{"missing", nullptr, kMsgFileNotFound}, Case{"refused", "not a parameter file",
                                                           "The file is not a valid parameter file; nothing was "
                                                           "loaded."}}) {
        SCOPED_TRACE(c.name);
        WindowUnderTest w(std::string("e2e_startup_") + c.name, [&](const std::string& dir) {
            std::filesystem::remove(path_join(dir, kStartupFileName));
            if (c.file_text) std::ofstream(path_join(dir, kStartupFileName)) << c.file_text;
        });
        w.unit.unplug();
        show_window(w);
        w.ticks(4);
        const AppState& s = w.frm->state();
        MainView& v = w.frm->view();
        ASSERT_EQ(w.messages.size(), 1u) << "messages at start-up";
        EXPECT_EQ(w.messages[0], c.message);

        ParamImage neutral = neutral_param_image();
        EXPECT_TRUE(same_payloads(s.param_image_default, neutral)) << "the copy EQ reset restores";
        neutral.gen[gen_frame::master_mute] = 0;
        param_range_check(neutral);
        EXPECT_TRUE(same_payloads(s.param_image, neutral)) << "live image";
        EXPECT_FALSE(v.visible(Ctl{"Text_vr_error_cou"})) << "slider error box";
        for (const ParamRow& row : param_table()) {
            if (row.slider.empty()) continue;
            // The compressor threshold's slider runs from -35 to 0 dB.
            const int sign = row.slider == "vr_drc_threshold_db" ? -1 : 1;
            for (int band = 0; band < (row.per_band ? 10 : 1); ++band)
                EXPECT_EQ(v.slider_value(Ctl{row.slider, row.per_band ? band : -1}), sign * param_get(s, row, band))
                    << row.name << " band " << band;
        }

        const std::string path = app_file("neutral.ktv");
        w.dialogs.save_answer = path;
        choose(w, "menu_key_save_all_data_to_file");
        w.dialogs.open_answer = path;
        choose(w, "menu_key_open_file_to_all_data");
        w.ticks(4);
        EXPECT_EQ(w.messages.size(), 1u) << "messages after saving and loading " << path;
        EXPECT_TRUE(same_payloads(s.param_image, neutral)) << "image after loading the saved file";
    }
}

}  // namespace
}  // namespace tuner::testing
