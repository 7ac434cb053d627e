// One row per parameter that the tuning window edits: where it lives in the
// image, how wide it is, how it is edited (its kind), its limits and value
// table, its controls and the send word it raises. The editors, the steppers
// ("<name>_inc" / "<name>_dec") and the value groups of the display all read
// these rows, so a parameter is described once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "core/app_state.h"

namespace tuner {

// Which frame image holds the parameter.
enum class ParamFrame : uint8_t {
    Gen,  // gen_frame
    Eff,  // eff_frame
    Drc,  // record drc_channel_sel of gen_frame; offset inside the record
    Eq,   // EQ channel eq_channel_sel; per-band rows add the band to the offset
};

// How the parameter is edited and stepped.
enum class ParamKind : uint8_t {
    Plain,         // slider min..max; commit stores, sets slider and text; slider steppers
    Volume,        // as Plain; the limit is max_limit while vol_max_function_en = 1
    EchoDelay,     // index into echo_delay_tab, shown as ms; raw step while cpu_echo_delay_mode != 0 (right delay)
    Level,         // constant limits; guarded slider; own steppers; refresh after commit and step
    ExciterFreq,   // index into exciter_freq_tab, shown as Hz; guarded slider; own steppers 0..100
    Gate16,        // 16-bit, constant limits, no slider, no minus; refresh after every key and step
    AdjustMax,     // limits from the group's volume slider min..max; refresh after commit and step
    PowerOn,       // as AdjustMax; refresh after steps only
    DrcThreshold,  // stored magnitude 0..35 shown negative; slider and limiter curve in step
    Drc16,         // compressor ratio / attack / release, 16-bit, one decimal typed, whole stored
    EqDb,          // band gain index (eq_gain_tab), slider steppers
    EqFreq,        // band frequency index, 16-bit high/low rows (eq_freq_tab), slider steppers
    EqQ,           // band Q index in the row the band type selects (eq_q_tab), own steppers
    EqPreGain,     // channel pre-gain index (eq_gain_tab), slider steppers, no focus move
};

enum class ValueTable : uint8_t { None, EchoDelay, ExciterFreq, EqFreq, EqGain, EqQ };

struct ParamRow {
    std::string_view name;  // the parameter's name; steppers are name + "_inc" / "_dec"
    ParamFrame frame;
    std::size_t offset;  // frame offset (Drc: inside the record; Eq band rows: row of band 0)
    uint8_t width;       // 1 byte, or 2 = 16-bit stored high byte first
    ParamKind kind;
    int32_t min;  // constant limits in stored units (kinds whose limits are constant)
    int32_t max;
    ValueTable table;
    std::string_view text_box;      // "Text_<name>" (array for band rows)
    std::string_view slider;        // "" when the parameter has none
    std::string_view limit_slider;  // AdjustMax / PowerOn: the group's volume slider
    bool per_band;                  // EQ band arrays: controls indexed by band 0..9
};

// Every row, in the order of the window's steppers.
std::span<const ParamRow> param_table();
// The row of a parameter, by name, by its text box or by its slider; null when none.
const ParamRow* find_param(std::string_view name);
const ParamRow* find_param_by_text_box(std::string_view text_box);
const ParamRow* find_param_by_slider(std::string_view slider);

// Offset of the row's first byte in the frame image it lives in, for band
// `band` (ignored by rows that are not per band) and the current record.
std::size_t param_offset(const AppState& s, const ParamRow& row, int band = 0);
// The frame image that holds the row now (EQ: eq_channel_sel; Drc: gen).
FrameImage& param_frame(AppState& s, const ParamRow& row);
const FrameImage& param_frame(const AppState& s, const ParamRow& row);
// Same frame in the display cache.
FrameImage& param_cache_frame(AppState& s, const ParamRow& row);

// Stored value (a 16-bit row as high * 256 + low; EqQ reads the row its band type selects).
int32_t param_get(const AppState& s, const ParamRow& row, int band = 0);
// Stores v (16-bit rows high byte first); v is taken as stored, not clamped.
void param_set(AppState& s, const ParamRow& row, int32_t v, int band = 0);
// The pending-send word of the row's frame: send_gen_req, send_effect_req or
// send_eq_req(eq_channel_sel).
int16_t& param_send_word(AppState& s, const ParamRow& row);
// Raises that word, only while connected.
void param_raise(AppState& s, const ParamRow& row);

// Whether the row shows its stored byte itself rather than a table entry:
// the right echo delay while the unit reports cpu_echo_delay_mode not 0.
bool param_shows_raw(const AppState& s, const ParamRow& row);
// The value shown for a stored index: the entry of the row's value table
// (an index outside the table reads its nearest end), or the index itself
// for rows without a table and rows shown raw.
double param_shown_value(const AppState& s, const ParamRow& row, int32_t stored);

}  // namespace tuner
