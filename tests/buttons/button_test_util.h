// Helpers of the button tests: a host that records what the button asks of
// its window, a fixed-width text measurer, and a button of a given size.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "buttons/button_model.h"

namespace tuner::test {

struct RecordingHost : ButtonHost {
    std::vector<std::string> changed;
    std::vector<QString> messages;
    std::vector<QPoint> moves;
    std::vector<std::pair<int, uint32_t>> posted_keys;
    int refreshes = 0;
    bool capture = false;
    bool hover_timer = false;
    Region region;

    void PropertyChanged(const std::string& key) override { changed.push_back(key); }
    void ShowMessage(const QString& text, const QString&) override { messages.push_back(text); }
    void SetWindowRegion(const Region& r) override { region = r; }
    void RefreshWindow() override { ++refreshes; }
    void MoveWindowBy(int dx, int dy) override { moves.emplace_back(dx, dy); }
    void SetCapture(bool on) override { capture = on; }
    void SetHoverTimer(bool on) override { hover_timer = on; }
    void PostContainerKey(int key, uint32_t lparam) override { posted_keys.emplace_back(key, lparam); }
    bool marked(const std::string& key) const {
        for (const auto& k : changed) {
            if (k == key) return true;
        }
        return false;
    }
};

// 6 pixels per character, 13 per line; wraps nothing.
inline QSize fixed_measure(const QString& text, int, int) {
    const QStringList lines = text.split(QStringLiteral("\r\n"));
    int w = 0;
    for (const QString& l : lines) w = std::max(w, static_cast<int>(l.size()) * 6);
    return QSize(w, 13 * static_cast<int>(lines.size()));
}

// Records the events a button raises, in order.
struct EventLog {
    std::vector<std::string> events;
    void attach(ButtonModel& b) {
        b.events.Click = [this] { events.push_back("Click"); };
        b.events.DoubleClick = [this](int btn) { events.push_back("DoubleClick(" + std::to_string(btn) + ")"); };
        b.events.MouseDown = [this](int btn, int, float, float) { events.push_back("MouseDown(" + std::to_string(btn) + ")"); };
        b.events.MouseUp = [this](int btn, int, float, float) { events.push_back("MouseUp(" + std::to_string(btn) + ")"); };
        b.events.KeyDown = [this](int k, int) { events.push_back("KeyDown(" + std::to_string(k) + ")"); };
        b.events.KeyUp = [this](int k, int) { events.push_back("KeyUp(" + std::to_string(k) + ")"); };
        b.events.MouseOnButton = [this](bool on) { events.push_back(on ? "MouseOnButton(1)" : "MouseOnButton(0)"); };
    }
    int count(const std::string& e) const {
        int n = 0;
        for (const auto& x : events) n += x == e;
        return n;
    }
};

// A loaded button as the windows have it: style 2, shape 0, command mode.
inline std::unique_ptr<ButtonModel> make_button(RecordingHost* host, int w = 105, int h = 29, const void* container = nullptr,
                                                int style = 2) {
    auto b = std::make_unique<ButtonModel>(host);
    b->SetTextMeasurer(fixed_measure);
    PropertyBag bag;
    bag.write("BackStyle", static_cast<int64_t>(style), int64_t{-1});
    bag.write("Caption", std::string("MUTE"), std::string());
    ButtonAmbient amb;
    amb.container = container;
    b->Resize(w, h);
    b->ReadProperties(bag, amb);
    return b;
}

}  // namespace tuner::test
