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
    write(app, section, key, value);
}

bool QtSettingsStore::write(const std::string& app, const std::string& section, const std::string& key,
                            const std::string& value) {
    const QString file = file_for(app);
    if (!QDir().mkpath(QFileInfo(file).absolutePath())) return false;
    // A read-only settings file is left alone, whoever runs the program.
    const QFileInfo before(file);
    // (the mode bits: WriteUser says what the running user may, and root may all)
    constexpr auto any_write = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    if (before.exists() && !(before.permissions() & any_write)) return false;
    QSettings ini(file, QSettings::IniFormat);
    ini.setValue(QString::fromStdString(section) + QLatin1Char('/') + QString::fromStdString(key),
                 QString::fromStdString(value));
    ini.sync();
    // QSettings keeps a value it could not write in memory only; a file that
    // exists but cannot be written is no store either.
    if (ini.status() != QSettings::NoError) return false;
    const QFileInfo info(file);
    return info.exists() && info.isWritable();
}

}  // namespace tuner
