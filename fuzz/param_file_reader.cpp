// Any file text ends in a clean reject or a valid, clamped image, and a
// reject never touches the live image.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/default_image.h"
#include "core/param_file.h"

using namespace tuner;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    static const ParamImage live = neutral_param_image();
    AppState s;
    s.param_image = live;
    s.cpu_connect_state = (size & 1) ? 1 : 0;
    NullWindowServices ui;
    const LoadResult r = load_param_text(s, ui, text, LoadKind::User);
    if (r != LoadResult::Loaded) {
        if (!(s.param_image == live)) std::abort();
        return 0;
    }
    if (!param_image_valid(s.param_image)) std::abort();
    if (s.param_image.gen[gen_frame::master_mute] != 0) std::abort();
    ParamImage twice = s.param_image;
    param_range_check(twice);
    if (!(twice == s.param_image)) std::abort();
    return 0;
}
