// Settings kept in a map; keys are "app/section/key".
#pragma once

#include <map>
#include <optional>
#include <string>

#include "core/settings.h"

namespace tuner::testing {

class MemorySettings : public SettingsStore {
public:
    std::optional<std::string> get(const std::string& app, const std::string& section,
                                   const std::string& key) override {
        const auto it = values.find(app + "/" + section + "/" + key);
        return it == values.end() ? std::nullopt : std::optional<std::string>(it->second);
    }
    void set(const std::string& app, const std::string& section, const std::string& key,
             const std::string& value) override {
        values[app + "/" + section + "/" + key] = value;
    }
    std::map<std::string, std::string> values;
};

}  // namespace tuner::testing
