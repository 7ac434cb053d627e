// The version line: the program's version, the fixed K version, and while
// the unit is connected the version fields it reports.
#include <string>

#include "core/program_version.h"
#include "display/display.h"

namespace tuner {

void Display::display_version_line() {
    std::string line = "PC:" + kProgramVersion.str() + "  K:0.2.0";
    if (cpu_connected(s_)) {
        const auto& v = s_.cpu_version;
        const CpuState& st = s_.cpu_state;
        line += "  CPU:" + std::to_string(v[0]) + "." + std::to_string(v[1]) + "." + std::to_string(v[2]);
        line += "  M:" + std::to_string(s_.cpu_version_m);
        line += "  S:" + std::to_string(st.cpu_version_s * 8);
        line += "  R:" + std::to_string(st.cpu_version_r);
        line += "  P:" + std::to_string(st.cpu_version_p);
    }
    v_.set_text({"Text_software_version"}, line);
}

}  // namespace tuner
