// The program's version as the build gives it (major.minor.revision).
#pragma once

#include <string>

namespace tuner {

struct ProgramVersion {
    int major;
    int minor;
    int revision;
    std::string str() const {
        return std::to_string(major) + "." + std::to_string(minor) + "." + std::to_string(revision);
    }
};

inline constexpr ProgramVersion kProgramVersion{TUNER_VERSION_MAJOR, TUNER_VERSION_MINOR, TUNER_VERSION_PATCH};

}  // namespace tuner
