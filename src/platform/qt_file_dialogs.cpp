#include "platform/qt_file_dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
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

// The start folder is made when it is missing. When it cannot be made (a
// read-only program folder), the dialog starts in the nearest folder above it
// that exists: given a path that is no folder, the dialog would start in its
// parent and offer the folder's own name as the file name.
QString start_folder(const std::string& wanted) {
    if (wanted.empty()) return QString();
    QString dir = QDir::cleanPath(QDir().absoluteFilePath(QString::fromStdString(wanted)));
    QDir().mkpath(dir);
    while (!QFileInfo(dir).isDir()) {
        const QString up = QFileInfo(dir).path();
        if (up == dir) return QString();
        dir = up;
    }
    return dir;
}

QString start_path(const FileDialogRequest& r) {
    const QString dir = start_folder(r.init_dir);
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
    return result(
        QFileDialog::getOpenFileName(parent_, QString::fromStdString(r.title), start_path(r), filters, &chosen));
}

std::optional<std::string> QtFileDialogs::show_save(const FileDialogRequest& r) {
    const QString filters = qt_name_filters(r.filter);
    QString chosen = selected_filter(r, filters);
    QFileDialog::Options options;
    if (!r.confirm_overwrite) options |= QFileDialog::DontConfirmOverwrite;
    return result(QFileDialog::getSaveFileName(parent_, QString::fromStdString(r.title), start_path(r), filters,
                                               &chosen, options));
}

}  // namespace tuner
