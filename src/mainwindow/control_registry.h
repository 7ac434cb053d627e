// Object name -> widget (or menu action) of every control of the window,
// with its kind, so views and event wiring reach any control by its name.
#pragma once

#include <string>
#include <unordered_map>

#include <QPointer>

#include "mainwindow/control_table.h"

class QObject;
class QWidget;

namespace tuner {

class ControlRegistry {
public:
    struct Entry {
        QPointer<QObject> object;
        ControlKind kind = ControlKind::Label;
    };

    explicit ControlRegistry(QWidget* client = nullptr) : client_(client) {}
    void set_client(QWidget* client) { client_ = client; }
    QWidget* client() const { return client_; }

    void add(const std::string& object_name, QObject* object, ControlKind kind);
    const Entry* find(const std::string& object_name) const;
    QObject* object(const std::string& object_name) const;
    QWidget* widget(const std::string& object_name) const;
    template <class T>
    T* get(const std::string& object_name) const {
        return qobject_cast<T*>(object(object_name));
    }
    // The widget that holds a row's control: the client area, a container
    // control, or a tab strip's page.
    QWidget* container_of(const ControlRow& row) const;

    const std::unordered_map<std::string, Entry>& all() const { return map_; }

private:
    QWidget* client_;
    std::unordered_map<std::string, Entry> map_;
};

// Creates the widget of one row inside `parent` (not for menu rows).
QWidget* create_control_widget(const ControlRow& row, QWidget* parent);

}  // namespace tuner
