// Helpers of the button tests.
#pragma once

#include <algorithm>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "buttons/button_model.h"

inline void PrintTo(const QPoint& p, std::ostream* os) { *os << "(" << p.x() << ", " << p.y() << ")"; }
inline void PrintTo(const QSize& s, std::ostream* os) { *os << s.width() << "x" << s.height(); }
inline void PrintTo(const QRect& r, std::ostream* os) {
    *os << "(" << r.left() << ", " << r.top() << ") " << r.width() << "x" << r.height();
}
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
namespace tuner {
inline void PrintTo(const BoxRect& r, std::ostream* os) {
    *os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}
}  // namespace tuner

namespace tuner::testing {

struct RecordingHost : ButtonHost {
    std::vector<QString> messages;
    std::vector<QPoint> moves;
    std::vector<int> posted_keys;
    int refreshes = 0;
    bool hover_timer = false;
    Region region;

    void ShowMessage(const QString& text, const QString&) override { messages.push_back(text); }
    void SetWindowRegion(const Region& r) override { region = r; }
    void RefreshWindow() override { ++refreshes; }
    void MoveWindowBy(int dx, int dy) override { moves.emplace_back(dx, dy); }
    void SetHoverTimer(bool on) override { hover_timer = on; }
    void PostContainerKey(int key, uint32_t) override { posted_keys.push_back(key); }
};

// 6 pixels per character, 13 per line; wraps nothing.
inline QSize fixed_measure(const QString& text, int, int) {
    const QStringList lines = text.split(QStringLiteral("\r\n"));
    int w = 0;
    for (const QString& l : lines) w = std::max(w, static_cast<int>(l.size()) * 6);
    return QSize(w, 13 * static_cast<int>(lines.size()));
}

struct EventLog {
    std::vector<std::string> events;
    void attach(ButtonModel& b) {
        auto add = [this](std::string e) { events.push_back(std::move(e)); };
        auto n = [](int v) { return "(" + std::to_string(v) + ")"; };
        b.events.Click = [=] { add("Click"); };
        b.events.DoubleClick = [=](int btn) { add("DoubleClick" + n(btn)); };
        b.events.MouseDown = [=](int btn, int, float, float) { add("MouseDown" + n(btn)); };
        b.events.MouseUp = [=](int btn, int, float, float) { add("MouseUp" + n(btn)); };
        b.events.KeyDown = [=](int k, int) { add("KeyDown" + n(k)); };
        b.events.KeyUp = [=](int k, int) { add("KeyUp" + n(k)); };
        b.events.MouseOnButton = [=](bool on) { add("MouseOnButton" + n(on)); };
    }
    int count(const std::string& e) const { return static_cast<int>(std::count(events.begin(), events.end(), e)); }
};

// A loaded button as the windows have it: style 2, shape 0, command mode.
inline std::unique_ptr<ButtonModel> make_button(RecordingHost* host, int w = 105, int h = 29,
                                                const void* container = nullptr, int style = 2) {
    auto b = std::make_unique<ButtonModel>(host);
    b->SetTextMeasurer(fixed_measure);
    PropertyBag bag;
    bag.write("BackStyle", static_cast<int64_t>(style), int64_t{-1});
    bag.write("Caption", std::string("MUTE"), std::string());
    b->Resize(w, h);
    b->ReadProperties(bag, ButtonAmbient{.container = container});
    return b;
}

}  // namespace tuner::testing
