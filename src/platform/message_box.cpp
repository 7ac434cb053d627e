#include "platform/message_box.h"

#include <QMessageBox>

#include "platform/keyboard_handover.h"

namespace tuner {

namespace {

// Shows the box until it is answered, with the keyboard its own meanwhile.
int answer_of(QMessageBox& box, QWidget* parent) {
    hand_over_keyboard(&box, parent);
    return box.exec();
}

}  // namespace

void show_message_box(QWidget* parent, const std::string& text, const std::string& title, MessageIcon icon) {
    QMessageBox::Icon qicon = QMessageBox::NoIcon;
    switch (icon) {
        case MessageIcon::None: qicon = QMessageBox::NoIcon; break;
        case MessageIcon::Information: qicon = QMessageBox::Information; break;
        case MessageIcon::Exclamation: qicon = QMessageBox::Warning; break;
        case MessageIcon::Critical: qicon = QMessageBox::Critical; break;
    }
    const QString t = QString::fromStdString(title.empty() ? std::string(kProgramTitle) : title);
    QMessageBox box(qicon, t, QString::fromStdString(text), QMessageBox::Ok, parent);
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);  // a path or a command can be copied
    answer_of(box, parent);
}

bool ask_yes_no_box(QWidget* parent, const std::string& text, const std::string& title) {
    QMessageBox box(QMessageBox::Question, QString::fromStdString(title), QString::fromStdString(text),
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::Yes);  // Enter answers Yes, Escape No
    return answer_of(box, parent) == QMessageBox::Yes;
}

}  // namespace tuner
