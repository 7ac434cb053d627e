// A legal image whose every edited field differs from its neighbours' (EQ channels in every band's gain, frequency
// and Q, pre-gain and enables; compressor records; each general and effect field), so a value read from the wrong
// field, band, channel or record shows. Limits come from the parameter table: the range check leaves it as it is.
#pragma once

#include "core/param_image.h"

namespace tuner::testing {

// variant 0: the unit's image; variant 1 differs from it in every edited field.
ParamImage distinct_param_image(int variant = 0);

// The start-up file's image: unlike the unit's, unmuted, with an input and no unconfirmed microphone-2 EQ mode.
inline ParamImage distinct_startup_image() {
    ParamImage img = distinct_param_image(1);
    img.gen[gen_frame::master_mute] = 0;
    img.gen[gen_frame::mic1_mic2_eq_adj_mode] = 0;
    return img;
}

}  // namespace tuner::testing
