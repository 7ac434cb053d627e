// The open and save dialogs on Qt.
#pragma once

#include <QString>

#include "core/file_dialogs.h"

class QWidget;

namespace tuner {

class QtFileDialogs : public FileDialogs {
public:
    explicit QtFileDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    void set_parent(QWidget* parent) { parent_ = parent; }

    std::optional<std::string> show_open(const FileDialogRequest& request) override;
    std::optional<std::string> show_save(const FileDialogRequest& request) override;

private:
    QWidget* parent_;
};

// "desc|pattern|desc|pattern" as Qt's ";;"-separated name filters; the
// description keeps its own text and the pattern goes in brackets unless the
// description already shows it.
QString qt_name_filters(const std::string& filter);

}  // namespace tuner
