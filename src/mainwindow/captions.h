// The window's captions in both languages, as tables, and the operation that
// sets them all in the current language.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/app_state.h"
#include "display/main_view.h"

namespace tuner {

// The window title of each language (from "config.ini", else "Veltrana").
struct WindowTitles {
    std::string chinese = "Veltrana";
    std::string english = "Veltrana";
};

// How a caption row finds its text.
enum class CaptionRule : uint8_t {
    Text,           // the row's text in the current language
    CopyWithBlank,  // a blank, then the caption just given to `source`
    Copy,           // the caption just given to `source`, unchanged
    AuxInput,       // the AUX input button: by cpu_input_caps[6] (and the link in Chinese)
    EchoDelay,      // the echo delay labels: by cpu_echo_delay_mode
    Title,          // the window title
};

// One assignment of the caption table. Conditional rows hold their first
// text in chinese/english and the other one in chinese_alt/english_alt.
struct CaptionRow {
    std::string_view name;
    int index = -1;
    std::string_view chinese;
    std::string_view english;
    CaptionRule rule = CaptionRule::Text;
    std::string_view chinese_alt = {};
    std::string_view english_alt = {};
    std::string_view source = {};
    int source_index = -1;

    Ctl target() const { return Ctl{name, index}; }
};

// The caption table in the order it is written: menus, the window title,
// the tabs, then the page groups. One row per target, the same rows for
// both languages.
std::span<const CaptionRow> caption_rows();

// The text a row gives in the current state (copy rows: the text of their
// source in the same language).
std::string caption_text(const CaptionRow& row, const AppState& s, const WindowTitles& titles);

// Every caption of the main window (and the window title, control "FrmMain")
// in the language of s.Language (0 Chinese, anything else English). Tabs are
// written as "ucXTab1" / "ucXTab_main_vol" with the tab's index. The Chinese
// set also sets the font character set of the targets to 1 (the buttons keep
// it in their Font), and the English set leaves it as it is.
void set_Language_display(const AppState& s, MainView& view, const WindowTitles& titles = {});

// Every control the caption tables write (the tabs and "FrmMain" included),
// in table order, for checks against the window.
std::vector<Ctl> caption_targets();

}  // namespace tuner
