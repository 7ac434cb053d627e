#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/eq_filter.h"

using namespace tuner;

namespace {

struct RefRow {
    int type, freq_index, q_index, gain_index;
    std::vector<double> db;
};

std::vector<RefRow> read_reference() {
    std::ifstream in(std::string(TUNER_TEST_DATA_DIR) + "/eq-band-response.csv");
    std::vector<RefRow> rows;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::stringstream ss(line);
        std::string cell;
        RefRow r{};
        std::vector<double> v;
        while (std::getline(ss, cell, ',')) v.push_back(std::stod(cell));
        if (v.size() != 4 + kCurvePoints) continue;
        r.type = static_cast<int>(v[0]);
        r.freq_index = static_cast<int>(v[1]);
        r.q_index = static_cast<int>(v[2]);
        r.gain_index = static_cast<int>(v[3]);
        r.db.assign(v.begin() + 4, v.end());
        rows.push_back(std::move(r));
    }
    return rows;
}

}  // namespace

TEST(EqFilter, FastCurveAndReferenceMatchTheCommittedResponses) {
    const auto rows = read_reference();
    ASSERT_GE(rows.size(), 36u);
    std::array<double, kCurvePoints> curve{};
    for (const RefRow& r : rows) {
        const Biquad bq = design_biquad(r.type, eq_freq_at(r.freq_index), eq_q_at(r.q_index), eq_gain_at(r.gain_index));
        eq_response_grid().band_curve(bq, curve);
        for (std::size_t i = 0; i < kCurvePoints; ++i) {
            ASSERT_NEAR(curve[i], r.db[i], 1e-6) << "type " << r.type << " point " << i;
            ASSERT_NEAR(reference_response_db(bq, eq_freq_at(static_cast<int>(i))), r.db[i], 1e-6) << "type " << r.type;
        }
    }
}
