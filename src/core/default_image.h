// A neutral parameter image: flat EQ with the bands spread over the range,
// moderate volumes, every effect at a middle setting, frame headers valid.
// The build writes it as the start-up file beside the program.
#pragma once

#include "core/param_image.h"

namespace tuner {

ParamImage neutral_param_image();

// Stamps start code, counter pair, command and end byte into a frame image.
void stamp_frame_header(FrameImage& f, uint8_t command, uint8_t counter);

}  // namespace tuner
