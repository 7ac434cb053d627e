#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "core/bytes.h"
#include "core/eq_filter.h"
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

// Entries are the decimal literals, not sums that drift in the last bits; the frequency table rises strictly (it has no
// 100 Hz entry); a rebuild changes nothing.
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
    EXPECT_TRUE(value_tables() == before) << "a rebuild changed the tables";
}

// Out-of-range indexes (table and bit) read the nearest entry or 0, never past the end.
TEST(ValueTables, IndexReadsStayInside) {
    EXPECT_EQ(bit_read(128, 7), 1);
    EXPECT_EQ(bit_read(127, 7), 0);
    EXPECT_EQ(bit_read(255, 8), 0);
    EXPECT_EQ(eq_gain_at(255), 24.0);
    EXPECT_EQ(eq_gain_at(-3), -24.0);
    EXPECT_EQ(echo_delay_at(200), 380.0);
    EXPECT_EQ(eq_freq_at(1000), 23600.0);
    EXPECT_EQ(eq_q_at(251), 25.0);
    EXPECT_EQ(exciter_freq_at(101), 6000.0);
}

// Each row of the committed responses: type, frequency, Q and gain index, then the band's level in dB at every curve
// point.
TEST(EqFilter, FastCurveAndReferenceMatchTheCommittedResponses) {
    std::ifstream in(std::string(TUNER_TEST_DATA_DIR) + "/eq-band-response.csv");
    std::array<double, kCurvePoints> curve{};
    int rows = 0;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::stringstream ss(line);
        std::vector<double> v;
        for (std::string cell; std::getline(ss, cell, ',');) v.push_back(std::stod(cell));
        ASSERT_EQ(v.size(), 4 + kCurvePoints) << line;
        ++rows;
        const int type = static_cast<int>(v[0]);
        const Biquad bq = design_biquad(type, eq_freq_at(static_cast<int>(v[1])), eq_q_at(static_cast<int>(v[2])),
                                        eq_gain_at(static_cast<int>(v[3])));
        eq_response_grid().band_curve(bq, curve);
        for (std::size_t i = 0; i < kCurvePoints; ++i) {
            ASSERT_NEAR(curve[i], v[4 + i], 1e-6) << "type " << type << " point " << i;
            ASSERT_NEAR(reference_response_db(bq, eq_freq_at(static_cast<int>(i))), v[4 + i], 1e-6) << "type " << type;
        }
    }
    EXPECT_GE(rows, 36);
}
