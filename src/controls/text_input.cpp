#include "controls/text_input.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace tuner {
namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// One pass of the change filter; returns true when it changed something.
bool change_pass(TextBox& box, int decimals, bool pad_zeros, bool allow_minus) {
    const std::string& text = box.Text;
    if (text.empty()) return false;
    int caret = box.SelStart;

    std::string kept;
    for (char c : text) {
        if (is_digit(c) || (c == '.' && decimals >= 1)) kept += c;
    }
    if (allow_minus && text[0] == '-') kept.insert(kept.begin(), '-');

    const auto first_dot = kept.find('.');
    const auto last_dot = kept.rfind('.');
    if (first_dot != std::string::npos && first_dot != last_dot) kept.erase(last_dot, 1);

    const auto dot = kept.find('.');
    std::string int_part = dot == std::string::npos ? kept : kept.substr(0, dot);
    std::string fraction;
    if (dot != std::string::npos) {
        fraction = kept.substr(dot, 1 + static_cast<std::size_t>(decimals));
        if (pad_zeros) fraction.append(static_cast<std::size_t>(decimals) + 1 - fraction.size(), '0');
    }

    // A positive integer part loses its leading zeros, textually, so a long
    // pasted digit string keeps every digit.
    if (!int_part.empty() && int_part[0] != '-') {
        const auto nz = int_part.find_first_not_of('0');
        if (nz != std::string::npos && nz > 0) {
            int_part.erase(0, nz);
            caret -= static_cast<int>(nz);
        }
    }

    const std::string result = int_part + fraction;
    if (result == box.Text) return false;
    // A new text puts the caret at its start; the remembered caret is put
    // back unless the removed zeros took it below the start.
    box.Text = result;
    box.SelStart = caret < 0 ? 0 : std::min(caret, static_cast<int>(result.size()));
    return true;
}

}  // namespace

std::optional<double> parse_number_text(const std::string& text) {
    std::size_t i = 0;
    if (i < text.size() && text[i] == '-') ++i;
    std::size_t digits = 0;
    bool dot = false;
    for (; i < text.size(); ++i) {
        if (is_digit(text[i]))
            ++digits;
        else if (text[i] == '.' && !dot)
            dot = true;
        else
            return std::nullopt;
    }
    if (digits == 0) return std::nullopt;
    return std::strtod(text.c_str(), nullptr);
}

std::string single_to_text(float v) {
    if (v == 0.0f || !std::isfinite(v)) return "0";
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed);
    return std::string(buf, r.ptr);
}

std::string double_to_text(double v) {
    if (v == 0.0 || !std::isfinite(v)) return "0";
    char buf[400];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed);
    return std::string(buf, r.ptr);
}

std::string format_number_text(const std::string& text, const std::string& format) {
    const auto value = parse_number_text(text);
    if (!value || !std::isfinite(*value)) return text;
    const auto dot = format.find('.');
    const int decimals = dot == std::string::npos ? 0 : static_cast<int>(format.size() - dot - 1);
    const double scale = std::pow(10.0, decimals);
    // Round the shortest decimal form, so 0.05 goes to 0.1 as written.
    const double product = *value * scale;
    const double rounded =
        std::isfinite(product) ? std::round(std::strtod(double_to_text(product).c_str(), nullptr)) / scale : *value;
    if (rounded == 0.0) return decimals > 0 ? "0." + std::string(static_cast<std::size_t>(decimals), '0') : "0";
    char buf[400];
    const auto r = std::to_chars(buf, buf + sizeof buf, rounded, std::chars_format::fixed, decimals);
    return std::string(buf, r.ptr);
}

void TextInput::text_input_format(TextBox& box, const std::string& format) {
    box.Text = format_number_text(box.Text, format);
}

void TextInput::text_input_got_focus(TextBox& box) {
    text_input_saved = box.Text;
    text_input_first_key_clears = true;
}

void TextInput::text_input_lost_focus(TextBox& box) {
    box.Text = text_input_saved;
    text_input_first_key_clears = true;
}

void TextInput::text_input_key_press(TextBox& box, int key, float min, float max, bool snap,
                                     std::span<const double> table) {
    if (key != kKeyEnter) {
        const bool number_key = (key >= '0' && key <= '9') || key == '.' || key == '-';
        if (number_key && text_input_first_key_clears) {
            text_input_first_key_clears = false;
            box.Text.clear();
            box.SelStart = 0;
        }
        return;
    }
    // Anything that is not a number (empty, "-", ".", "-.") brings the
    // remembered text back.
    if (!parse_number_text(box.Text)) {
        box.Text = text_input_saved;
        text_input_first_key_clears = true;
    }
    const auto value = parse_number_text(box.Text);
    if (!value) {
        // The remembered text is no number either: leave it as it is.
        text_input_first_key_clears = true;
        return;
    }
    // The maximum is tested first, then the minimum on what the box holds.
    if (static_cast<float>(*value) > max) box.Text = single_to_text(max);
    if (static_cast<float>(parse_number_text(box.Text).value_or(0.0)) < min) box.Text = single_to_text(min);
    text_input_saved = box.Text;
    box.Text = double_to_text(*parse_number_text(box.Text));
    text_input_first_key_clears = true;
    if (snap) {
        box.Text = single_to_text(text_input_nearest(static_cast<float>(*parse_number_text(box.Text)), table));
        text_input_saved = box.Text;
    }
    box.SelStart = static_cast<int>(box.Text.size());
}

void TextInput::text_input_change(TextBox& box, int decimals, bool pad_zeros, bool allow_minus) {
    // Each pass removes at most one surplus "."; a pasted text settles in
    // as many passes as it has.
    for (int pass = 0; pass < 1000 && change_pass(box, decimals, pad_zeros, allow_minus); ++pass) {}
}

float TextInput::text_input_nearest(float x, std::span<const double> table) {
    if (table.empty()) return x;
    std::size_t i = 0;
    while (i < table.size() && !(x < static_cast<float>(table[i]))) ++i;
    if (i == table.size()) return static_cast<float>(table.back());
    if (i == 0) return static_cast<float>(table.front());
    const double lo = table[i - 1];
    const double hi = table[i];
    const float mid = static_cast<float>(hi - (hi - lo) / 2.0);
    return x >= mid ? static_cast<float>(hi) : static_cast<float>(lo);
}

}  // namespace tuner
