#include "mainwindow/bt_name_rules.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "core/app_paths.h"
#include "core/utf8.h"
#include "mainwindow/rules.h"

namespace tuner {
namespace {

constexpr Ctl kEditBox{"Text_bt_file_name_change", 1};
constexpr Ctl kAutoRename{"Check_updata_bt_name"};
constexpr uint32_t kEditFocusColor = 0x404040;  // dark grey while edited
constexpr uint32_t kEditIdleColor = 0xC0C0C0;   // light grey otherwise

bool continuation(uint8_t b) { return (b & 0xC0) == 0x80; }

// Takes the name as the wanted one: stored in the settings and rebuilt into the
// send buffer. False when the buffer refused it.
bool take_name(RuleEnv& env, const std::string& name) {
    env.s.Bt_Name = name;
    save_bt_name_setting(env.s, env.settings, env.svc);
    return clr_bt_name_display_and_read_bt_name_file2(env.s, env.view, env.settings, env.svc);
}

// Writes the name to a text file (created when missing); a file this
// created is removed again when the write fails, so no empty or partial file stays.
bool export_name(const std::string& path, const std::string& name) {
    namespace fs = std::filesystem;
    std::error_code ec;
    bool created = false;
    if (!fs::exists(path, ec)) {
        std::ofstream f(path, std::ios::binary);
        if (!f) return false;
        created = true;
    }
    if (utf8_file_write(path, name) == TextFileError::None) return true;
    if (created) fs::remove(path, ec);
    return false;
}

class BtNameRules : public RuleModule {
public:
    bool click(RuleEnv& env, Ctl c) override {
        if (c.name != "key_bt_neme") return false;
        switch (c.index) {
            case 0: update_from_edit_box(env); break;
            case 1: import_file(env); break;
            case 2: export_file(env); break;
            default: break;
        }
        return true;
    }

    // Reached for the user's toggle by mouse and by keyboard alike.
    bool check_mouse_up(RuleEnv& env, Ctl c) override {
        if (c.name != kAutoRename.name) return false;
        MainView& v = env.view;
        if (v.value(kAutoRename) != 1) {
            v.set_enabled(kEditBox, true);
            return true;
        }
        v.set_enabled(kEditBox, false);
        const std::string text = v.text(kEditBox);
        if (text.empty()) {
            v.set_enabled(kEditBox, true);
            return true;
        }
        if (take_name(env, text)) {
            env.s.send_bt_name_req = kPending;  // also offline: it goes out after the next connection
        } else {
            // A refused name would be refused again at every connection: the
            // automatic rename is switched off so the name can be corrected.
            v.set_value(kAutoRename, 0);
            v.set_enabled(kEditBox, true);
        }
        return true;
    }

    bool box_got_focus(RuleEnv& env, Ctl c) override {
        if (c != kEditBox) return false;
        env.view.set_fore_color(c, kEditFocusColor);
        return true;
    }
    bool box_lost_focus(RuleEnv& env, Ctl c) override {
        if (c != kEditBox) return false;
        env.view.set_fore_color(c, kEditIdleColor);
        return true;
    }

private:
    static void update_from_edit_box(RuleEnv& env) {
        const std::string text = env.view.text(kEditBox);
        if (text.empty()) return;
        if (take_name(env, text) && cpu_connected(env.s)) env.s.send_bt_name_req = kPending;
    }

    // Nothing is sent; a cancelled dialog, a missing file or an empty first
    // line keep the name as it was.
    static void import_file(RuleEnv& env) {
        const std::optional<std::string> name = clr_bt_name_display_and_read_bt_name_file3(env.s, env.svc, env.dialogs);
        if (!name || name->empty()) return;
        take_name(env, *name);
    }

    static void export_file(RuleEnv& env) {
        const std::string path = save_txt_file_dialog(env.dialogs);
        const std::string text = env.view.text(kEditBox);
        if (path.empty() || text.empty()) return;
        if (!export_name(path, text)) {
            env.svc.message_box((english(env.s) ? "The file cannot be written: " : "无法写入文件：") + path, " Error",
                                MessageIcon::Exclamation);
            return;
        }
        take_name(env, text);
    }
};

}  // namespace

std::unique_ptr<RuleModule> make_bt_name_rules() { return std::make_unique<BtNameRules>(); }

std::optional<std::array<uint8_t, kBtNameBytes>> bt_name_buffer(const std::string& name) {
    std::array<uint8_t, kBtNameBytes> buf{};
    const std::vector<uint8_t> bytes = utf8_encode(utf8_first_chars(name, kBtNameBytes));
    std::size_t n = std::min(bytes.size(), kBtNameBytes);
    if (std::any_of(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(n),
                    [](uint8_t b) { return b >= 1 && b <= 31; }))
        return std::nullopt;
    // A character that does not fit whole is left out: the unit would show
    // its first bytes as a broken character.
    if (n < bytes.size())
        while (n > 0 && continuation(bytes[n])) --n;
    std::copy_n(bytes.begin(), n, buf.begin());
    return buf;
}

bool clr_bt_name_display_and_read_bt_name_file2(AppState& s, MainView& view, SettingsStore& settings,
                                                WindowServices& svc) {
    s.bt_name_tx.fill(0);
    s.bt_name_ready = true;
    for (Ctl c : {Ctl{"Check_updata_bt_name"}, Ctl{"Text_read_cpu_bt_name"}, Ctl{"Frame_all_1", 2},
                  Ctl{"Label_name", 0}, Ctl{"Label_name", 1}, Ctl{"Label_name", 3}, kEditBox, Ctl{"key_bt_neme", 0},
                  Ctl{"key_bt_neme", 1}, Ctl{"key_bt_neme", 2}})
        view.set_visible(c, true);
    read_bt_name_setting(s, settings);
    if (s.Bt_Name.empty()) return true;  // the buffer stays zero, the edit box as it is
    const auto buf = bt_name_buffer(s.Bt_Name);
    if (!buf) {
        s.bt_name_ready = false;
        svc.message_box(kBtNameRefusedText, "", MessageIcon::None);
        return false;
    }
    s.bt_name_tx = *buf;
    view.set_text(kEditBox, utf8_decode(std::span<const uint8_t>(s.bt_name_tx)));
    return true;
}

std::optional<std::string> clr_bt_name_display_and_read_bt_name_file3(const AppState& s, WindowServices& svc,
                                                                      FileDialogs& dialogs) {
    FileDialogRequest r;
    r.filter = kTextFileFilter;
    r.filter_index = 0;
    r.init_dir = app_file(kParamFolderName);
    const std::optional<std::string> path = dialogs.run_open(r);
    if (!path || path->empty()) return std::nullopt;
    TextFileError err = TextFileError::None;
    const std::string line = utf8_file_read_line(*path, 1, &err);
    if (err == TextFileError::NotFound) {
        svc.message_box(" File not found. Try again.", " Error", MessageIcon::Exclamation);
        return std::nullopt;
    }
    if (err != TextFileError::None) {
        // A file that was chosen but cannot be read is said so, not passed over in silence.
        svc.message_box((english(s) ? "The file cannot be read: " : "无法读取文件：") + *path, " Error",
                        MessageIcon::Exclamation);
        return std::nullopt;
    }
    return utf8_first_chars(line, kBtNameBytes);
}

bool bt_name_auto_update(const MainView& view) { return view.value(kAutoRename) == 1 && !view.text(kEditBox).empty(); }

}  // namespace tuner
