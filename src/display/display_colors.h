// OLE colours the refresh paints with (&H00BBGGRR; high bit = system colour).
#pragma once

#include <cstdint>

#include "core/system_colors.h"

namespace tuner {

constexpr uint32_t kLit = 0xFFFF80;   // light cyan: a selected or active switch
constexpr uint32_t kGrey = 0xC0C0C0;  // light grey: not selected, or a value not in force
constexpr uint32_t kWhite = 0xFFFFFF;

constexpr uint32_t lit_if(bool on) { return on ? kLit : kGrey; }

}  // namespace tuner
