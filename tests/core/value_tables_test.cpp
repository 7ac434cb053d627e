#include <gtest/gtest.h>

#include "core/value_tables.h"

using namespace tuner;

// A reverse lookup gives the first exact match (float values of decimal entries included), else its fallback index.
TEST(ValueTables, ReverseLookupsFindFirstExactMatchOrFallback) {
    EXPECT_EQ(peq_h_echo_delay_index(80), 0);
    EXPECT_EQ(peq_h_echo_delay_index(85), 30);
    EXPECT_EQ(peq_h_freq_index(1000), 239);
    EXPECT_EQ(peq_h_freq_index(5240), 402);
    EXPECT_EQ(peq_h_freq_index(10.2f), 1);
    EXPECT_EQ(peq_h_freq_index(10.3f), 402);
    EXPECT_EQ(peq_h_gain_index(24), 240);
    EXPECT_EQ(peq_h_gain_index(-23.8f), 1);
    EXPECT_EQ(peq_h_gain_index(0.1f), 0);
    EXPECT_EQ(peq_h_q_index(2.5f), 25);
    EXPECT_EQ(peq_h_q_index(30), 250);
    EXPECT_EQ(peq_h_exciter_freq_index(1000), 0);
    EXPECT_EQ(peq_h_exciter_freq_index(1005), 100);
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
    EXPECT_EQ(eq_gain_at(255), 24.0);
    EXPECT_EQ(eq_gain_at(-3), -24.0);
    EXPECT_EQ(echo_delay_at(200), 380.0);
    EXPECT_EQ(eq_freq_at(1000), 23600.0);
    EXPECT_EQ(eq_q_at(251), 25.0);
    EXPECT_EQ(exciter_freq_at(101), 6000.0);
}
