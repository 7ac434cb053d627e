// What the core (link, protocol, files) asks of the windows. The program
// implements it with the main window; tests record the calls. Every call is
// made on the one GUI thread.
#pragma once

#include <string>

namespace tuner {

enum class MessageIcon { None, Information, Exclamation, Critical };

class WindowServices {
public:
    virtual ~WindowServices() = default;

    // Redraw of the main window from the state (full when the state's
    // refresh_incremental is 0, else only what changed).
    virtual void set_all_dis() = 0;
    // Appends one line to the debug list.
    virtual void debug_line(const std::string& line) = 0;
    // Modal message box with an OK button; title empty means the program's title.
    virtual void message_box(const std::string& text, const std::string& title, MessageIcon icon) = 0;
    // Progress dialog: a short "data transfer" wait.
    virtual void display_wait_1s() = 0;
};

// Does nothing; for code paths that run without a window.
class NullWindowServices : public WindowServices {
public:
    void set_all_dis() override {}
    void debug_line(const std::string&) override {}
    void message_box(const std::string&, const std::string&, MessageIcon) override {}
    void display_wait_1s() override {}
};

}  // namespace tuner
