// The button's input rules (mouse, keys, access key, focus) and the option
// groups that tie the option buttons of one container together.
#include "buttons/button_model.h"

#include <algorithm>

namespace tuner {

using namespace button_codes;
using namespace button_state;

// ---------------------------------------------------------------- groups

OptionGroups& OptionGroups::instance() {
    static OptionGroups g;
    return g;
}

int OptionGroups::Count(const void* container) const {
    for (const auto& [c, list] : groups_) {
        if (c == container) return static_cast<int>(list.size());
    }
    return 0;
}

ButtonModel* OptionGroups::Slot(const void* container, int slot) const {
    for (const auto& [c, list] : groups_) {
        if (c == container && slot >= 1 && slot <= static_cast<int>(list.size()))
            return list[static_cast<size_t>(slot - 1)];
    }
    return nullptr;
}

bool OptionGroups::Contains(const void* container, const ButtonModel* b) const {
    for (const auto& [c, list] : groups_) {
        if (c == container) return std::find(list.begin(), list.end(), b) != list.end();
    }
    return false;
}

void OptionGroups::Add(const void* container, ButtonModel* b) {
    for (auto& [c, list] : groups_) {
        if (c == container) {
            if (std::find(list.begin(), list.end(), b) == list.end()) list.push_back(b);
            return;
        }
    }
    groups_.push_back({container, {b}});
}

void OptionGroups::Remove(const void* container, const ButtonModel* b) {
    for (auto it = groups_.begin(); it != groups_.end(); ++it) {
        if (it->first != container) continue;
        auto& list = it->second;
        list.erase(std::remove(list.begin(), list.end(), b), list.end());
        if (list.empty()) groups_.erase(it);
        return;
    }
}

// ---------------------------------------------------------------- input

void ButtonModel::MousePress(int button, int shift, float x, float y) {
    last_button_ = button;
    after_double_click_ = false;
    if (button == kLeft) {
        state_flags_ |= kPressed;
        held_down_ = true;
        drawing_delayed_ = false;
        RedrawButton();
        if (host_) host_->SetCapture(true);
    }
    if (events.MouseDown) events.MouseDown(button, shift, x, y);
}

void ButtonModel::MouseMoveTo(int button, int shift, float x, float y, bool over_self) {
    if (!hover_active_ && over_self) {
        state_flags_ |= kOver;
        if (events.MouseOnButton) events.MouseOnButton(true);
        if (host_) host_->SetHoverTimer(true);
        hover_active_ = true;
        drawing_delayed_ = false;
        if (button == kLeft) held_down_ = true;
        RedrawButton();
    }
    if (events.MouseMove) events.MouseMove(button, shift, x, y);
}

void ButtonModel::MouseRelease(int button, int shift, float x, float y) {
    held_down_ = false;
    if (button == kLeft) {
        if (host_) host_->SetCapture(false);
        state_flags_ &= ~kPressed;
        drawing_delayed_ = false;
        // Every left release redraws: in check and option modes a release away
        // from the button changes no Value and would leave the pressed look.
        RedrawButton();
    }
    if (events.MouseUp) events.MouseUp(button, shift, x, y);
    last_button_ = button;
}

void ButtonModel::ClickNotification() {
    if (after_double_click_) {
        // The release that ends a double click makes no second click.
        after_double_click_ = false;
        return;
    }
    if (last_button_ != kLeft) return;
    if (mode_ == 0) {
        if (events.Click) events.Click();
    } else if (mode_ == 1) {
        setValue(!value_);
        if (events.Click) events.Click();
    } else if (!value_) {
        setValue(true);
        if (events.Click) events.Click();
    }
}

void ButtonModel::DoubleClickNotification(float x, float y) {
    if (events.DoubleClick) events.DoubleClick(last_button_);
    if (last_button_ == kLeft) {
        MousePress(kLeft, 0, x, y);
        last_button_ = -1;
    } else if (events.MouseDown) {
        events.MouseDown(kLeft, 0, x, y);
    }
    after_double_click_ = true;
}

void ButtonModel::HoverTimerCheck(bool over_self) {
    if (!hover_active_ || over_self) return;
    if (host_) host_->SetHoverTimer(false);
    state_flags_ &= ~kOver;
    hover_active_ = false;
    drawing_delayed_ = false;
    if (events.MouseOnButton) events.MouseOnButton(false);
    held_down_ = false;
    RedrawButton();
}

void ButtonModel::KeyDownNotification(int key, int shift, bool /*auto_repeat*/) {
    static const struct {
        int key;
        uint32_t lparam;
    } kArrows[] = {{kKeyRight, 0x4D0001}, {kKeyDown, 0x500001}, {kKeyLeft, 0x4B0001}, {kKeyUp, 0x480001}};
    for (const auto& a : kArrows) {
        if (key == a.key) {
            if (host_) host_->PostContainerKey(key, a.lparam);
            return;
        }
    }
    if (key == kKeySpace && !(state_flags_ & kPressed)) {
        state_flags_ |= kOver | kPressed;
        held_down_ = true;
        RedrawButton();
        if (!hover_active_) state_flags_ &= ~kOver;
    }
    if (events.KeyDown) events.KeyDown(key, shift);
}

void ButtonModel::KeyUpNotification(int key, int shift, bool auto_repeat) {
    // Auto-repeat delivers key-up/key-down pairs while Space is held: one press, one click.
    if (auto_repeat) return;
    held_down_ = false;
    if (key == kKeySpace && (state_flags_ & kPressed)) {
        state_flags_ &= ~kPressed;
        last_button_ = kLeft;
        after_double_click_ = false;
        if (mode_ == 0) {
            RedrawButton();
            ClickNotification();
            if (events.KeyUp) events.KeyUp(kKeySpace, shift);
        } else {
            if (events.KeyUp) events.KeyUp(key, shift);
            ClickNotification();
            RedrawButton();
        }
        return;
    }
    if (key == kKeyRight || key == kKeyDown || key == kKeyLeft || key == kKeyUp) {
        if (mode_ == 2 && !value_) {
            last_button_ = kLeft;
            ClickNotification();
        }
        return;
    }
    if (key == kKeyShift) return;
    if (events.KeyUp) events.KeyUp(key, shift);
}

void ButtonModel::KeyPressNotification(int key_ascii) {
    if (events.KeyPress) events.KeyPress(key_ascii);
}

void ButtonModel::AccessKeyPress(int key_ascii) {
    if ((key_ascii == kKeyEnter || key_ascii == kKeyEscape) && mode_ != 0) return;
    if (!(state_flags_ & kDefault)) RedrawButton();
    last_button_ = kLeft;
    after_double_click_ = false;
    ClickNotification();
}

void ButtonModel::FocusReceived() {
    if (mode_ != 2 || value_) return;
    bool any = false;
    OptionGroupUpdate(2, any);
    if (!any) {
        last_button_ = kLeft;
        after_double_click_ = false;
        ClickNotification();
    }
}

void ButtonModel::OptionGroupUpdate(int action, bool& any_checked) {
    OptionGroups& groups = OptionGroups::instance();
    const void* c = ambient_.container;
    const int n = groups.Count(c);
    if (value_ && (action == 1 || n >= 1)) {
        for (int i = 1; i <= n; ++i) {
            ButtonModel* other = groups.Slot(c, i);
            if (other && other != this && other->value_) other->setValue(false);
        }
    }
    switch (action) {
        case 1: groups.Add(c, this); break;
        case -1: groups.Remove(c, this); break;  // a button not in the group changes nothing
        case 2:
            for (int i = 1; i <= n; ++i) {
                const ButtonModel* b = groups.Slot(c, i);
                if (b && b->value_) {
                    any_checked = true;
                    break;
                }
            }
            break;
        default: break;
    }
}

}  // namespace tuner
