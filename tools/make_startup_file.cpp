// Build step: writes the neutral start-up parameter file that is installed
// beside the program.
#include <cstdio>
#include <string>

#include "core/atomic_file.h"
#include "core/default_image.h"
#include "core/param_file.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT\n", argv[0]);
        return 2;
    }
    std::string error;
    if (!tuner::write_file_atomically(argv[1], tuner::param_file_text(tuner::neutral_param_image()), &error)) {
        std::fprintf(stderr, "cannot write %s: %s\n", argv[1], error.c_str());
        return 1;
    }
    return 0;
}
