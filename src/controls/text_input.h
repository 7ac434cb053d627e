// Rules every numeric parameter box follows (Text_input): filtering as
// typed, the remembered text around focus, the first key replacing the
// text, and the Enter commit (clamp, normalise, snap to a value table).
// Pure C++ over a box's text and caret; the line-edit adapter applies them.
#pragma once

#include <optional>
#include <span>
#include <string>

namespace tuner {

// What the rules see of a text box: its text (ASCII digits and signs; any
// other character counts as one position) and caret position.
struct TextBox {
    std::string Text;
    int SelStart = 0;
};

constexpr int kKeyEnter = 13;
constexpr int kKeyBackspace = 8;

// The value of a number text ("12", "-1.5", ".5", "5."), or nothing for a
// text that is not one ("", "-", ".", "-.", "1e5", "abc").
std::optional<double> parse_number_text(const std::string& text);

// Shortest decimal text of a single-precision value (12, 1.5, -0.2), never
// "-0" and never in exponent form.
std::string single_to_text(float v);
// Shortest decimal text of a double (the normalised form of a typed value).
std::string double_to_text(double v);

// Formats a number text with "0", "0.0" or "0.00" style formats (digits
// after the point = zeros after "."), halves away from zero; never "-0.0".
// A text that is not a number comes back unchanged.
std::string format_number_text(const std::string& text, const std::string& format);

// How one box filters and commits: its limits, snapping table, decimals and
// whether it takes a minus sign.
struct NumericBoxConfig {
    float min = 0;
    float max = 0;
    bool snap = false;
    std::span<const double> table;
    int decimals = 0;
    bool allow_minus = false;
};

class TextInput {
public:
    // One remembered text and one first-key flag serve all boxes.
    std::string text_input_saved;
    bool text_input_first_key_clears = true;

    static void text_input_format(TextBox& box, const std::string& format);
    void text_input_got_focus(TextBox& box);
    void text_input_lost_focus(TextBox& box);
    // Key filter and, for Enter (13), the commit. The key is not altered.
    void text_input_key_press(TextBox& box, int key, float min, float max, bool snap, std::span<const double> table);
    // Change filter; run until the text is stable.
    static void text_input_change(TextBox& box, int decimals, bool pad_zeros, bool allow_minus);
    // Nearest entry of an ascending table (midpoint goes up); an empty table
    // gives x back.
    static float text_input_nearest(float x, std::span<const double> table);
};

}  // namespace tuner
