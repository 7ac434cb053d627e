#include <gtest/gtest.h>

#include "core/value_tables.h"

using namespace tuner;

// A reverse lookup gives the first exact match (float values of decimal entries included), else its fallback index.
TEST(ValueTables, ReverseLookupsFindFirstExactMatchOrFallback) {
    EXPECT_EQ((std::vector<int>{peq_h_echo_delay_index(80), peq_h_echo_delay_index(85)}), (std::vector<int>{0, 30}));
    EXPECT_EQ((std::vector<int>{peq_h_freq_index(1000), peq_h_freq_index(5240), peq_h_freq_index(10.2f),
                                peq_h_freq_index(10.3f)}),
              (std::vector<int>{239, 402, 1, 402}));
    EXPECT_EQ((std::vector<int>{peq_h_gain_index(24), peq_h_gain_index(-23.8f), peq_h_gain_index(0.1f)}),
              (std::vector<int>{240, 1, 0}));
    EXPECT_EQ((std::vector<int>{peq_h_q_index(2.5f), peq_h_q_index(30)}), (std::vector<int>{25, 250}));
    EXPECT_EQ((std::vector<int>{peq_h_exciter_freq_index(1000), peq_h_exciter_freq_index(1005)}),
              (std::vector<int>{0, 100}));
}

// Entries are the decimal literals, not sums that drift; the frequency table rises strictly (it has no 100 Hz entry).
TEST(ValueTables, EntriesAreTheDecimalLiterals) {
    const auto& t = value_tables();
    EXPECT_EQ(t.eq_freq_tab[31], 18.1);
    EXPECT_EQ(t.eq_freq_tab[119], 99.0);
    EXPECT_EQ(t.eq_freq_tab[120], 101.0);
    EXPECT_EQ(t.eq_gain_tab[1], -23.8);
    EXPECT_EQ(t.eq_gain_tab[119], -0.2);
    EXPECT_EQ(t.eq_q_tab[7], 0.7);
    EXPECT_EQ(t.exciter_freq_tab[93], 5340.0);
    for (std::size_t i = 1; i < t.eq_freq_tab.size(); ++i) EXPECT_LT(t.eq_freq_tab[i - 1], t.eq_freq_tab[i]) << i;
    const ValueTables before = t;
    peq_h_build_tables();
    EXPECT_EQ(before, value_tables()) << "a rebuild gives identical tables";
}

TEST(ValueTables, IndexReadsStayInside) {
    EXPECT_EQ((std::vector<double>{eq_gain_at(255), eq_gain_at(-3), echo_delay_at(200), eq_freq_at(1000), eq_q_at(251),
                                   exciter_freq_at(101)}),
              (std::vector<double>{24.0, -24.0, 380.0, 23600.0, 25.0, 6000.0}));
}
