// A legal parameter image in which every edited field holds a value different from its neighbours': the ten EQ
// channels differ in every band's gain, frequency and Q, in pre-gain and enables, the compressor records differ,
// and each general and effect field differs from the next. A value read from the wrong field, band, channel or
// record therefore shows. Limits come from the parameter table, so the range check leaves the image as it is.
#pragma once

#include "core/param_image.h"

namespace tuner::testing {

// variant 0: the unit's image; variant 1 differs from it in every edited field.
ParamImage distinct_param_image(int variant = 0);

// The image of the start-up parameter file, different from the unit's image; unmuted with an input, as a file
// loads, and without the microphone-2 EQ mode that no unit has confirmed yet.
inline ParamImage distinct_startup_image() {
    ParamImage img = distinct_param_image(1);
    img.gen[gen_frame::master_mute] = 0;
    img.gen[gen_frame::mic1_mic2_eq_adj_mode] = 0;
    img.gen[gen_frame::music_input_sel] = 6;
    return img;
}

}  // namespace tuner::testing
