// Frame and image comparisons whose failure names the frame, offset and values, not 3084 raw bytes.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "core/param_image.h"

namespace tuner::testing {

// Offsets [from, to) of two frames; a failure names the first difference.
inline ::testing::AssertionResult same_frame_bytes(const FrameImage& actual, const FrameImage& expected,
                                                   std::size_t from = 0, std::size_t to = kFrameSize) {
    std::size_t first = to, count = 0;
    for (std::size_t i = from; i < to; ++i)
        if (actual[i] != expected[i] && count++ == 0) first = i;
    if (count == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << count << " byte(s) differ, first at offset " << first << ": "
                                         << int(actual[first]) << " where " << int(expected[first]) << " was expected";
}

// Every frame of two images, or only their parameter bytes.
inline ::testing::AssertionResult same_image(const ParamImage& actual, const ParamImage& expected,
                                             bool payload_only = false) {
    const std::size_t from = payload_only ? hid_frame::payload : 0;
    const std::size_t to = payload_only ? hid_frame::payload_end + 1 : kFrameSize;
    for (std::size_t f = 0; f < 12; ++f) {
        ::testing::AssertionResult r = same_frame_bytes(actual.frame(f), expected.frame(f), from, to);
        if (!r) return ::testing::AssertionFailure() << "frame " << f << ": " << r.message();
    }
    return ::testing::AssertionSuccess();
}

inline ::testing::AssertionResult same_payloads(const ParamImage& actual, const ParamImage& expected) {
    return same_image(actual, expected, true);
}

}  // namespace tuner::testing
