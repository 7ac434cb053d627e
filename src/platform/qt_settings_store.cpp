#include "platform/qt_settings_store.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace tuner {

QtSettingsStore::QtSettingsStore() {
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    path_ = QDir(dir).filePath(QString::fromLatin1(kSettingsApp) + QStringLiteral(".ini"));
}

QString QtSettingsStore::file_for(const std::string&) const { return path_; }

std::optional<std::string> QtSettingsStore::get(const std::string& app, const std::string& section,
                                                const std::string& key) {
    QSettings ini(file_for(app), QSettings::IniFormat);
    const QString k = QString::fromStdString(section) + QLatin1Char('/') + QString::fromStdString(key);
    if (!ini.contains(k)) return std::nullopt;
    return ini.value(k).toString().toStdString();
}

void QtSettingsStore::set(const std::string& app, const std::string& section, const std::string& key,
                          const std::string& value) {
    QDir().mkpath(QFileInfo(file_for(app)).absolutePath());
    QSettings ini(file_for(app), QSettings::IniFormat);
    ini.setValue(QString::fromStdString(section) + QLatin1Char('/') + QString::fromStdString(key),
                 QString::fromStdString(value));
    ini.sync();
}

}  // namespace tuner
