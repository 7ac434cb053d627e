// Design-time properties of a custom control, kept as named entries. Keys
// compare without regard to case; a value equal to its default is not
// written, and a missing key reads as the default. A bag can be saved to and
// loaded from an INI-style file section.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <variant>
#include <vector>

#include "platform/font_spec.h"

namespace tuner {

using PropertyValue = std::variant<bool, int64_t, double, std::string, FontSpec, std::vector<uint8_t>>;

class PropertyBag {
public:
    // Reads `key`, or `def` when absent or of another kind (numbers convert).
    bool read(const std::string& key, bool def) const;
    int64_t read(const std::string& key, int64_t def) const;
    int32_t read(const std::string& key, int32_t def) const {
        return static_cast<int32_t>(read(key, static_cast<int64_t>(def)));
    }
    double read(const std::string& key, double def) const;
    std::string read(const std::string& key, const std::string& def) const;
    std::string read(const std::string& key, const char* def) const { return read(key, std::string(def)); }
    FontSpec read(const std::string& key, const FontSpec& def) const;
    std::vector<uint8_t> read(const std::string& key, const std::vector<uint8_t>& def) const;

    // Writes `value` under `key` unless it equals `def` (then any old entry goes).
    template <typename T, typename D>
    void write(const std::string& key, const T& value, const D& def) {
        if (value == static_cast<T>(def)) {
            erase(key);
        } else {
            set(key, normalise(value));
        }
    }

    bool contains(const std::string& key) const;
    void erase(const std::string& key);
    void clear() { entries_.clear(); }
    std::size_t size() const { return entries_.size(); }
    const PropertyValue* find(const std::string& key) const;

    // Text form, one "key=value" line per entry (fonts and bytes encoded).
    std::string to_text() const;
    // Parses text from to_text; unreadable lines are skipped.
    static PropertyBag from_text(const std::string& text);

    bool operator==(const PropertyBag& o) const { return entries_ == o.entries_; }

private:
    struct CaseInsensitiveLess {
        bool operator()(const std::string& a, const std::string& b) const;
    };

    static PropertyValue normalise(bool v) { return v; }
    static PropertyValue normalise(double v) { return v; }
    static PropertyValue normalise(float v) { return static_cast<double>(v); }
    static PropertyValue normalise(const std::string& v) { return v; }
    static PropertyValue normalise(const FontSpec& v) { return v; }
    static PropertyValue normalise(const std::vector<uint8_t>& v) { return v; }
    template <typename I>
    static PropertyValue normalise(I v) requires std::is_integral_v<I> {
        return static_cast<int64_t>(v);
    }

    void set(const std::string& key, PropertyValue v);

    std::map<std::string, PropertyValue, CaseInsensitiveLess> entries_;
};

}  // namespace tuner
