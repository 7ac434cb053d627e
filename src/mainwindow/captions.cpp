// Writing the caption table in the current language.
#include "mainwindow/captions.h"

namespace tuner {

namespace {

constexpr int kDefaultCharset = 1;  // the system's default character set

const CaptionRow* find_row(std::string_view name, int index) {
    for (const CaptionRow& r : caption_rows())
        if (r.name == name && r.index == index) return &r;
    return nullptr;
}

std::string pick(const AppState& s, std::string_view chinese, std::string_view english_text) {
    return std::string(english(s) ? english_text : chinese);
}

// The Chinese set gives each target's font character set 1, except the menus,
// the tabs, the window title and the five labels below.
bool takes_charset(const CaptionRow& row) {
    const std::string_view n = row.name;
    if (n.size() >= 4 && (n.substr(0, 4) == "menu" || n.substr(0, 4) == "Menu")) return false;
    if (n.substr(0, 6) == "ucXTab" || row.rule == CaptionRule::Title) return false;
    if (n == "Label_system_setup") return row.index != 5;
    return n != "Label_echo_a_vol" && n != "Label_reverb_vol" && n != "Label_mic1_exciter_vol" &&
           n != "Label_mic1_exciter_freq_index_100";
}

}  // namespace

std::string caption_text(const CaptionRow& row, const AppState& s, const WindowTitles& titles) {
    switch (row.rule) {
        case CaptionRule::Text: return pick(s, row.chinese, row.english);
        case CaptionRule::CopyWithBlank:
        case CaptionRule::Copy: {
            const CaptionRow* src = find_row(row.source, row.source_index);
            // A copy row always names a frame with a text row of its own.
            const std::string text = src && src->rule == CaptionRule::Text ? caption_text(*src, s, titles) : "";
            return row.rule == CaptionRule::CopyWithBlank ? " " + text : text;
        }
        case CaptionRule::AuxInput: {
            const bool aux_two = s.cpu_info[cpu_info_byte::cpu_input_caps + 6] != 0;
            // In Chinese the numbered caption also stands while no unit is connected.
            const bool numbered = english(s) ? aux_two : (aux_two || !cpu_connected(s));
            return numbered ? pick(s, row.chinese, row.english) : pick(s, row.chinese_alt, row.english_alt);
        }
        case CaptionRule::EchoDelay:
            return echo_delay_r_raw(s) ? pick(s, row.chinese_alt, row.english_alt) : pick(s, row.chinese, row.english);
        case CaptionRule::Title: return english(s) ? titles.english : titles.chinese;
    }
    return {};
}

void set_Language_display(const AppState& s, MainView& view, const WindowTitles& titles) {
    for (const CaptionRow& row : caption_rows()) {
        view.set_text(row.target(), caption_text(row, s, titles));
        // The English set changes no font: a switch back keeps set 1.
        if (!english(s) && takes_charset(row)) view.set_font_charset(row.target(), kDefaultCharset);
    }
}

std::vector<Ctl> caption_targets() {
    std::vector<Ctl> out;
    out.reserve(caption_rows().size());
    for (const CaptionRow& row : caption_rows()) out.push_back(row.target());
    return out;
}

}  // namespace tuner
