// The per-user settings store: one INI file in the user's config folder
// ($XDG_CONFIG_HOME, usually ~/.config), one group per section.
#pragma once

#include <QString>

#include "core/settings.h"

namespace tuner {

class QtSettingsStore : public SettingsStore {
public:
    // Default file: <config folder>/<application key>.ini. Tests pass their own path.
    QtSettingsStore();
    explicit QtSettingsStore(const QString& ini_path) : path_(ini_path) {}

    std::optional<std::string> get(const std::string& app, const std::string& section, const std::string& key) override;
    void set(const std::string& app, const std::string& section, const std::string& key,
             const std::string& value) override;
    // False when the folder cannot be made or the file cannot be written.
    bool write(const std::string& app, const std::string& section, const std::string& key,
               const std::string& value) override;
    std::string location() const override { return path_.toStdString(); }

    const QString& path() const { return path_; }

private:
    QString file_for(const std::string& app) const;
    QString path_;
};

}  // namespace tuner
