// Writing the caption table in the current language.
#include "mainwindow/captions.h"

namespace tuner {

namespace {

const CaptionRow* find_row(std::string_view name, int index) {
    for (const CaptionRow& r : caption_rows())
        if (r.name == name && r.index == index) return &r;
    return nullptr;
}

std::string pick(const AppState& s, std::string_view chinese, std::string_view english_text) {
    return std::string(english(s) ? english_text : chinese);
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
    for (const CaptionRow& row : caption_rows()) view.set_text(row.target(), caption_text(row, s, titles));
}

std::vector<Ctl> caption_targets() {
    std::vector<Ctl> out;
    out.reserve(caption_rows().size());
    for (const CaptionRow& row : caption_rows()) out.push_back(row.target());
    return out;
}

}  // namespace tuner
