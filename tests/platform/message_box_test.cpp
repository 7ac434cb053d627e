// Message boxes take the keyboard from the window that shows them and give it back when answered.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include "platform/message_box.h"

using namespace tuner;

namespace {

// Answers the next message box with a key, sent where the window system sends keys: to the window holding the
// keyboard. Records whether the box held it.
void answer_next_box(Qt::Key key, bool& box_held_keyboard) {
    QTimer::singleShot(0, [key, &box_held_keyboard] {
        QWidget* box = nullptr;
        const bool shown = QTest::qWaitFor([&] {
            box = QApplication::activeModalWidget();
            return box != nullptr;
        });
        ASSERT_TRUE(shown) << "a message box shown";
        ASSERT_NE(box, nullptr) << "a message box shown";
        // (A box counts as active while its owner is; the keyboard is the box's own once it is the active window.)
        box_held_keyboard = QTest::qWaitFor([&] { return QApplication::activeWindow() == box; });
        QWindow* target = QGuiApplication::focusWindow();
        ASSERT_NE(target, nullptr) << "a window holding the keyboard";
        QTest::keyClick(target, key);
        if (box->isVisible()) box->close();  // never leave the test waiting on the box
    });
}

}  // namespace

// The box holds the keyboard while shown, so the key answers it; afterwards the window behind holds it again, with
// the focus where it was. Both the OK box and the Yes/No question.
TEST(MessageBox, TakesTheKeyboardAndGivesItBack) {
    QWidget owner;
    auto* edit = new QLineEdit(&owner);
    owner.resize(300, 200);
    owner.show();
    owner.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&owner));
    edit->setFocus();

    bool held = false;
    answer_next_box(Qt::Key_Return, held);
    show_message_box(&owner, "text", "title", MessageIcon::Information);
    EXPECT_TRUE(held) << "the OK box held the keyboard";
    EXPECT_TRUE(QTest::qWaitForWindowActive(&owner)) << "the window after the OK box";
    EXPECT_EQ(QApplication::focusWidget(), edit) << "the focus after the OK box";
    EXPECT_TRUE(edit->text().isEmpty()) << "the window's box got the key";

    for (const auto& [key, answer] : {std::pair{Qt::Key_Return, true}, std::pair{Qt::Key_Escape, false}}) {
        SCOPED_TRACE(answer ? "Yes" : "No");
        held = false;
        answer_next_box(key, held);
        EXPECT_EQ(ask_yes_no_box(&owner, "question", "title"), answer) << "the answer";
        EXPECT_TRUE(held) << "the question held the keyboard";
        EXPECT_TRUE(QTest::qWaitForWindowActive(&owner)) << "the window after the question";
        EXPECT_EQ(QApplication::focusWidget(), edit) << "the focus after the question";
    }
}
