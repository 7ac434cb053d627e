// The plain text boxes (the version line, the Bluetooth name box) as a user drives them through the window system:
// their context menu opens where the pointer is, both releases of a double click count toward the ten that open
// the test panel, and Alt with Shift or with Ctrl held types nothing, as Alt alone does.
#include <QLineEdit>

#include "e2e_input.h"

namespace tuner::testing {
namespace {

// Closes the box's context menu, if one is open, and says where it opened (its top-left on the screen).
std::optional<QPoint> close_menu() {
    QCoreApplication::processEvents();
    QWidget* popup = QApplication::activePopupWidget();
    if (!popup) return std::nullopt;
    const QPoint where = popup->pos();
    QTest::keyClick(popup->windowHandle(), Qt::Key_Escape);
    QCoreApplication::processEvents();
    return where;
}

// Moves the window so that the box stands near the screen's top-left corner: a menu opened there fits on the
// screen and stays where it was asked to open.
void bring_to_screen_corner(WindowUnderTest& w, QWidget* box) {
    w.frm->move(w.frm->pos() + (QPoint(100, 100) - box->mapToGlobal(QPoint(0, 0))));
    QCoreApplication::processEvents();
}

TEST(E2ePlainBoxes, ContextMenuOpensAtThePointer) {
    WindowUnderTest w("e2e_plain_box_menu");
    show_and_connect(w);
    for (const char* name : {"Text_software_version", "Text_bt_file_name_change(1)"}) {
        QWidget* box = widget_of(w, name);
        ASSERT_NE(box, nullptr) << name;
        bring_to_screen_corner(w, box);
        const QPoint corner = box->mapToGlobal(QPoint(0, 0));
        ASSERT_TRUE(QRect(90, 90, 20, 20).contains(corner))
            << name << " moved to the screen's corner, at " << corner.x() << "," << corner.y();
        // Two places in the box, its left end and further right: the menu follows the pointer.
        for (const QPoint local : {QPoint(3, 4), QPoint(box->width() - 20, box->height() / 2)}) {
            const QPoint at = in_window(w, box, local);
            QTest::mouseMove(handle(w), at);
            QTest::mouseClick(handle(w), Qt::RightButton, {}, at);
            const std::optional<QPoint> where = close_menu();
            ASSERT_TRUE(where.has_value()) << name << ": no context menu after a right click at " << local.x() << ","
                                           << local.y();
            const QPoint pointer = handle(w)->mapToGlobal(at);
            EXPECT_EQ(where->x(), pointer.x()) << name << ": menu left edge, right click at " << local.x();
            EXPECT_EQ(where->y(), pointer.y()) << name << ": menu top edge, right click at " << local.x();
        }
    }
    // The menu opens at the release, where the pointer is then, not where the button went down.
    QWidget* name_box = widget_of(w, "Text_bt_file_name_change(1)");
    const QPoint down = in_window(w, name_box, QPoint(5, 5));
    const QPoint up = in_window(w, name_box, QPoint(60, 8));
    QTest::mouseMove(handle(w), down);
    QTest::mousePress(handle(w), Qt::RightButton, {}, down);
    QTest::mouseMove(handle(w), up);
    QTest::mouseRelease(handle(w), Qt::RightButton, {}, up);
    const std::optional<QPoint> where = close_menu();
    ASSERT_TRUE(where.has_value()) << "no context menu after a right press moved along the name box";
    EXPECT_EQ(*where, handle(w)->mapToGlobal(up)) << "menu of a right press released 55 pixels on";
}

// Ten releases open the panel; a double click gives two of them, so the fifth double click opens it.
TEST(E2ePlainBoxes, FiveDoubleClicksOnTheVersionLineOpenTheTestPanel) {
    WindowUnderTest w("e2e_plain_box_double");
    show_and_connect(w);
    MainView& v = w.frm->view();
    QWidget* version = widget_of(w, "Text_software_version");
    const QPoint at = in_window(w, version, version->rect().center());
    QTest::mouseMove(handle(w), at);
    for (int i = 1; i <= 5; ++i) {
        ASSERT_FALSE(v.visible(Ctl{"Frame_cpu_test"})) << "test panel after " << i - 1 << " double clicks";
        QTest::mouseDClick(handle(w), Qt::LeftButton, {}, at);
        QCoreApplication::processEvents();
    }
    EXPECT_TRUE(v.visible(Ctl{"Frame_cpu_test"})) << "Frame_cpu_test after five double clicks";
    EXPECT_TRUE(v.visible(Ctl{"Frame_Run_Test_Mode"})) << "Frame_Run_Test_Mode after five double clicks";
}

// Four double clicks and one click are nine releases: the panel stays hidden until the next double click.
TEST(E2ePlainBoxes, NineReleasesLeaveTheTestPanelHidden) {
    WindowUnderTest again("e2e_plain_box_nine");
    show_and_connect(again);
    QWidget* line = widget_of(again, "Text_software_version");
    const QPoint mid = in_window(again, line, line->rect().center());
    QTest::mouseMove(handle(again), mid);
    for (int i = 0; i < 4; ++i) QTest::mouseDClick(handle(again), Qt::LeftButton, {}, mid);
    QTest::mouseClick(handle(again), Qt::LeftButton, {}, mid);
    QCoreApplication::processEvents();
    EXPECT_FALSE(again.frm->view().visible(Ctl{"Frame_cpu_test"})) << "test panel after nine releases";
    QTest::mouseDClick(handle(again), Qt::LeftButton, {}, mid);
    QCoreApplication::processEvents();
    EXPECT_TRUE(again.frm->view().visible(Ctl{"Frame_cpu_test"})) << "test panel after eleven releases";
}

// Alt held with Shift, with Ctrl, or with both, and a character key: nothing typed, whether the window system gives
// the key its character or a control character.
TEST(E2ePlainBoxes, AltWithShiftOrCtrlTypesNothing) {
    WindowUnderTest w("e2e_plain_box_alt");
    show_and_connect(w);
    auto* box = qobject_cast<QLineEdit*>(widget_of(w, "Text_bt_file_name_change(1)"));
    ASSERT_NE(box, nullptr);
    click(w, "Text_bt_file_name_change(1)");
    key(w, Qt::Key_End);
    type(w, "1");
    const std::string before = box->text().toStdString();
    struct Chord {
        Qt::Key key;
        Qt::KeyboardModifiers held;
        const char* text;
    };
    const Chord chords[] = {
        {Qt::Key_Q, Qt::AltModifier | Qt::ShiftModifier, "Q"},
        {Qt::Key_Z, Qt::AltModifier | Qt::ShiftModifier, "Z"},
        {Qt::Key_Percent, Qt::AltModifier | Qt::ShiftModifier, "%"},
        {Qt::Key_Q, Qt::AltModifier | Qt::ControlModifier, "q"},
        {Qt::Key_Q, Qt::AltModifier | Qt::ControlModifier, "\x11"},
        {Qt::Key_5, Qt::AltModifier | Qt::ControlModifier, "5"},
        {Qt::Key_Z, Qt::AltModifier | Qt::ControlModifier | Qt::ShiftModifier, "Z"},
    };
    for (const Chord& c : chords) {
        QTest::simulateEvent(handle(w), true, c.key, c.held, QString::fromUtf8(c.text), false);
        QTest::simulateEvent(handle(w), false, c.key, c.held, QString::fromUtf8(c.text), false);
        QCoreApplication::processEvents();
        close_menu();
        EXPECT_EQ(box->text().toStdString(), before)
            << "name box after Qt key 0x" << std::hex << c.key << " with modifiers 0x" << c.held.toInt();
        EXPECT_EQ(QApplication::focusWidget(), box) << "the keyboard after Qt key 0x" << std::hex << c.key;
    }
    type(w, "2");
    EXPECT_EQ(box->text().toStdString(), before + "2") << "plain typing goes on";
}

}  // namespace
}  // namespace tuner::testing
