#include "platform/qt_file_dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QStringList>

namespace tuner {

QString qt_name_filters(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString desc = parts[i].trimmed();
        const QString pattern = QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' ')).trimmed();
        // Qt reads the patterns from the last brackets of the text.
        if (!desc.endsWith(QLatin1Char(')'))) desc += QStringLiteral(" (") + pattern + QLatin1Char(')');
        out << desc;
    }
    return out.join(QStringLiteral(";;"));
}

namespace {

QString start_path(const FileDialogRequest& r) {
    QString dir = QString::fromStdString(r.init_dir);
    if (!dir.isEmpty()) QDir().mkpath(dir);
    if (r.file_name.empty()) return dir;
    return dir.isEmpty() ? QString::fromStdString(r.file_name)
                         : QDir(dir).filePath(QString::fromStdString(r.file_name));
}

QString selected_filter(const FileDialogRequest& r, const QString& filters) {
    const QStringList list = filters.split(QStringLiteral(";;"));
    const int i = r.filter_index > 0 ? r.filter_index - 1 : 0;
    return i < list.size() ? list[i] : QString();
}

std::optional<std::string> result(const QString& path) {
    if (path.isEmpty()) return std::nullopt;
    return path.toStdString();
}

}  // namespace

std::optional<std::string> QtFileDialogs::show_open(const FileDialogRequest& r) {
    const QString filters = qt_name_filters(r.filter);
    QString chosen = selected_filter(r, filters);
    return result(QFileDialog::getOpenFileName(parent_, QString(), start_path(r), filters, &chosen));
}

std::optional<std::string> QtFileDialogs::show_save(const FileDialogRequest& r) {
    const QString filters = qt_name_filters(r.filter);
    QString chosen = selected_filter(r, filters);
    QFileDialog::Options options;
    if (!r.confirm_overwrite) options |= QFileDialog::DontConfirmOverwrite;
    return result(QFileDialog::getSaveFileName(parent_, QString(), start_path(r), filters, &chosen, options));
}

}  // namespace tuner
