// The five value tables: parameters that the frames store as an index into a
// fixed table (EQ frequency, gain and Q, pre-gain, echo delay, exciter
// frequency). Displays show the entry at the stored index; editors store the
// index found by the reverse look-ups.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace tuner {

constexpr std::size_t kEchoDelayEntries = 31;
constexpr std::size_t kExciterFreqEntries = 101;
constexpr std::size_t kEqFreqEntries = 403;
constexpr std::size_t kEqGainEntries = 241;
constexpr std::size_t kEqQEntries = 251;

struct ValueTables {
    std::array<double, kEchoDelayEntries> echo_delay_tab{};
    std::array<double, kExciterFreqEntries> exciter_freq_tab{};
    std::array<double, kEqFreqEntries> eq_freq_tab{};
    std::array<double, kEqGainEntries> eq_gain_tab{};
    std::array<double, kEqQEntries> eq_q_tab{};

    bool operator==(const ValueTables&) const = default;
};

// (Re)builds the tables; every build yields the same content.
void peq_h_build_tables();

// The process-wide tables (built on first use).
const ValueTables& value_tables();

// Reverse look-ups: the first index whose entry, rounded to single
// precision, equals the argument exactly; otherwise the table's fallback.
int16_t peq_h_echo_delay_index(float value);    // absent: 30
int16_t peq_h_exciter_freq_index(float value);  // absent: 100
int16_t peq_h_freq_index(float value);          // absent: 402
uint8_t peq_h_gain_index(float value);          // absent: 0
uint8_t peq_h_q_index(float value);             // absent: 250

// Bounds-safe reads by index: an index outside the table reads the nearest
// end, so a byte from the unit or a file never reads outside a table.
double echo_delay_at(int index);
double exciter_freq_at(int index);
double eq_freq_at(int index);
double eq_gain_at(int index);
double eq_q_at(int index);

// Clamps an index into a table of `entries` entries.
constexpr int clamp_table_index(int index, std::size_t entries) {
    if (index < 0) return 0;
    if (index >= static_cast<int>(entries)) return static_cast<int>(entries) - 1;
    return index;
}

}  // namespace tuner
