#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/eq_filter.h"

using namespace tuner;

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
