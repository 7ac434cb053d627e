#include "core/value_tables.h"

namespace tuner {
namespace {

// Entries in tenths, so that each entry becomes the double nearest to its
// decimal literal (tenths / 10.0 is correctly rounded).
constexpr int kExciterFreqHz[kExciterFreqEntries] = {
    1000, 1020, 1040, 1060, 1080, 1100, 1120, 1140, 1170, 1190, 1210, 1240, 1260, 1280, 1310, 1330, 1350,
    1370, 1390, 1410, 1430, 1450, 1470, 1490, 1510, 1530, 1550, 1580, 1610, 1640, 1670, 1700, 1730, 1760,
    1790, 1820, 1850, 1880, 1910, 1940, 1970, 2000, 2030, 2060, 2090, 2120, 2150, 2180, 2200, 2240, 2290,
    2330, 2380, 2420, 2470, 2520, 2570, 2620, 2670, 2720, 2770, 2830, 2880, 2940, 3000, 3050, 3110, 3170,
    3240, 3300, 3360, 3430, 3500, 3560, 3630, 3700, 3780, 3850, 3920, 4000, 4080, 4160, 4240, 4320, 4400,
    4490, 4580, 4670, 4760, 4850, 4940, 5040, 5140, 5340, 5440, 5550, 5660, 5770, 5880, 5990, 6000};

// Entries 0..119 in tenths of a hertz.
constexpr int kEqFreqLowTenths[120] = {
    100, 102, 104, 106, 108, 110, 112, 114, 116, 118, 120, 122, 124, 126, 129, 132, 135, 138, 141, 144,
    147, 150, 153, 156, 159, 162, 165, 168, 171, 174, 177, 181, 185, 189, 193, 197, 201, 205, 209, 213,
    217, 221, 225, 230, 234, 239, 243, 248, 253, 258, 263, 268, 273, 278, 284, 289, 295, 301, 307, 313,
    319, 325, 331, 338, 344, 351, 358, 365, 372, 379, 386, 394, 401, 409, 417, 425, 434, 442, 451, 459,
    468, 477, 487, 496, 506, 516, 526, 536, 546, 557, 568, 579, 590, 601, 613, 625, 637, 650, 662, 675,
    688, 702, 715, 729, 743, 758, 772, 787, 803, 818, 834, 850, 867, 884, 901, 919, 940, 950, 970, 990};

// Entries 120..402 in whole hertz.
constexpr int kEqFreqHighHz[283] = {
    101,   103,   105,   107,   109,   111,   114,   116,   118,   120,   123,   125,   127,   130,   132,   135,
    138,   140,   143,   146,   149,   152,   154,   157,   161,   164,   167,   170,   173,   177,   180,   184,
    187,   191,   195,   198,   202,   206,   210,   214,   218,   223,   227,   231,   236,   241,   245,   250,
    255,   260,   265,   270,   275,   281,   286,   292,   297,   303,   309,   315,   321,   327,   334,   340,
    347,   354,   360,   367,   375,   382,   389,   397,   405,   412,   420,   429,   437,   445,   454,   463,
    472,   481,   490,   500,   510,   520,   530,   540,   551,   561,   572,   583,   595,   606,   618,   630,
    642,   655,   667,   680,   694,   707,   721,   735,   749,   764,   779,   794,   809,   825,   841,   857,
    874,   891,   908,   926,   944,   962,   981,   1000,  1020,  1040,  1060,  1080,  1100,  1120,  1140,  1170,
    1190,  1210,  1240,  1260,  1280,  1310,  1330,  1360,  1390,  1410,  1440,  1470,  1500,  1530,  1560,  1590,
    1620,  1650,  1680,  1710,  1750,  1780,  1820,  1850,  1890,  1920,  1960,  2000,  2040,  2080,  2120,  2160,
    2200,  2240,  2290,  2330,  2380,  2420,  2470,  2520,  2570,  2620,  2670,  2720,  2770,  2830,  2880,  2940,
    3000,  3050,  3110,  3170,  3240,  3300,  3360,  3430,  3500,  3560,  3630,  3700,  3780,  3850,  3920,  4000,
    4080,  4160,  4240,  4320,  4400,  4490,  4580,  4670,  4760,  4850,  4940,  5040,  5140,  5340,  5440,  5550,
    5660,  5770,  5880,  5990,  6110,  6230,  6350,  6470,  6600,  6730,  6860,  6990,  7130,  7270,  7410,  7550,
    7700,  7850,  8000,  8160,  8310,  8480,  8640,  8810,  8980,  9150,  9330,  9510,  9700,  9890,  10100, 10300,
    10500, 10700, 10900, 11100, 11300, 11500, 11800, 12000, 12200, 12500, 12700, 12900, 13200, 13500, 13700, 14000,
    14300, 14500, 14800, 15100, 15400, 15700, 16000, 16300, 16600, 17000, 17300, 17600, 18000, 18300, 18700, 19000,
    19400, 19800, 20200, 20600, 21000, 21400, 21800, 22200, 22600, 23100, 23600};

ValueTables g_tables;
bool g_built = false;

template <std::size_t N>
int find_index(const std::array<double, N>& tab, float value, int absent) {
    for (std::size_t i = 0; i < N; ++i) {
        if (static_cast<float>(tab[i]) == value) return static_cast<int>(i);
    }
    return absent;
}

template <std::size_t N>
double at(const std::array<double, N>& tab, int index) {
    return tab[static_cast<std::size_t>(clamp_table_index(index, N))];
}

}  // namespace

void peq_h_build_tables() {
    ValueTables t;
    for (std::size_t i = 0; i < kEchoDelayEntries; ++i) t.echo_delay_tab[i] = 80.0 + 10.0 * static_cast<double>(i);
    for (std::size_t i = 0; i < kExciterFreqEntries; ++i) t.exciter_freq_tab[i] = kExciterFreqHz[i];
    for (std::size_t i = 0; i < 120; ++i) t.eq_freq_tab[i] = kEqFreqLowTenths[i] / 10.0;
    for (std::size_t i = 0; i < 283; ++i) t.eq_freq_tab[120 + i] = kEqFreqHighHz[i];
    for (std::size_t i = 0; i < kEqGainEntries; ++i) t.eq_gain_tab[i] = (-240 + 2 * static_cast<int>(i)) / 10.0;
    for (std::size_t i = 0; i < kEqQEntries; ++i) t.eq_q_tab[i] = static_cast<int>(i) / 10.0;
    g_tables = t;
    g_built = true;
}

const ValueTables& value_tables() {
    if (!g_built) peq_h_build_tables();
    return g_tables;
}

int16_t peq_h_echo_delay_index(float v) {
    return static_cast<int16_t>(find_index(value_tables().echo_delay_tab, v, 30));
}
int16_t peq_h_exciter_freq_index(float v) {
    return static_cast<int16_t>(find_index(value_tables().exciter_freq_tab, v, 100));
}
int16_t peq_h_freq_index(float v) { return static_cast<int16_t>(find_index(value_tables().eq_freq_tab, v, 402)); }
uint8_t peq_h_gain_index(float v) { return static_cast<uint8_t>(find_index(value_tables().eq_gain_tab, v, 0)); }
uint8_t peq_h_q_index(float v) { return static_cast<uint8_t>(find_index(value_tables().eq_q_tab, v, 250)); }

double echo_delay_at(int i) { return at(value_tables().echo_delay_tab, i); }
double exciter_freq_at(int i) { return at(value_tables().exciter_freq_tab, i); }
double eq_freq_at(int i) { return at(value_tables().eq_freq_tab, i); }
double eq_gain_at(int i) { return at(value_tables().eq_gain_tab, i); }
double eq_q_at(int i) { return at(value_tables().eq_q_tab, i); }

}  // namespace tuner
