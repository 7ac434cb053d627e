// Text boxes as a user meets them: the menu bar, menus, context menus and other windows do not take a box's focus;
// typing over a selection; the caret after the leading zeros go.
#include <QLineEdit>

#include "controls/param_text_box.h"
#include "core/param_table.h"
#include "e2e_input.h"

namespace tuner::testing {
namespace {

QMenu* recall_menu(WindowUnderTest& w) {
    return qobject_cast<QMenu*>(w.frm->registry().widget("menu_key_open_cpu_all_data_mode"));
}

// Ways into the menu bar and out again that do not leave the box being edited.
struct MenuVisit {
    const char* name;
    std::function<void(WindowUnderTest&)> go;
};

std::vector<MenuVisit> menu_visits() {
    auto click_title = [](WindowUnderTest& w, bool opens = true) {
        QMenuBar* bar = w.frm->menuBar();
        QMenu* menu = recall_menu(w);
        click_at(w, bar->mapTo(w.frm.get(), bar->actionGeometry(menu->menuAction()).center()));
        if (opens) {
            ASSERT_TRUE(QTest::qWaitForWindowExposed(menu)) << "the menu opened by its title";
        } else {
            EXPECT_FALSE(menu->isVisible()) << "the menu closed by its title";
        }
    };
    return {
        {"a menu title clicked, Escape twice",
         [=](WindowUnderTest& w) {
             click_title(w);
             QTest::keyClick(recall_menu(w)->windowHandle(), Qt::Key_Escape);
             QCoreApplication::processEvents();
             EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << "the popup after Escape";
             EXPECT_EQ(QApplication::focusWidget(), w.frm->menuBar()) << "the menu bar keeps the keyboard";
             w.ticks(6);
             key(w, Qt::Key_Escape);
         }},
        {"a menu title clicked twice",
         [=](WindowUnderTest& w) {
             click_title(w);
             click_title(w, false);
         }},
        {"Alt, then Escape",
         [](WindowUnderTest& w) {
             key(w, Qt::Key_Alt);
             EXPECT_EQ(QApplication::focusWidget(), w.frm->menuBar()) << "the menu bar after Alt";
             w.ticks(6);
             key(w, Qt::Key_Escape);
         }},
        {"Alt, Right to a menu title, Down into its menu, Escape three times",
         [](WindowUnderTest& w) {
             key(w, Qt::Key_Alt);
             key(w, Qt::Key_Right);
             key(w, Qt::Key_Right);
             key(w, Qt::Key_Down);
             ASSERT_NE(QApplication::activePopupWidget(), nullptr) << "a menu opened with Down";
             QTest::keyClick(QApplication::activePopupWidget()->windowHandle(), Qt::Key_Escape);
             key(w, Qt::Key_Escape);
             key(w, Qt::Key_Escape);
         }},
        {"another window",
         [](WindowUnderTest& w) {
             QWidget other;  // with a box of its own that takes the keyboard
             auto* edit = new QLineEdit(&other);
             other.resize(200, 100);
             other.show();
             other.activateWindow();
             ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
             EXPECT_EQ(QApplication::focusWidget(), edit) << "the other window's box";
             w.ticks(6);
             w.frm->activateWindow();
             ASSERT_TRUE(QTest::qWaitForWindowActive(w.frm.get()));
         }},
    };
}

// A box being edited keeps its edit through the menu bar and menus: nothing is stored or sent, the typing goes on
// where it stopped, and Enter then stores and sends what was typed. Leaving the menu bar by a click on another box
// leaves the box: its value is committed, and the other box starts an edit of its own.
TEST(E2eTextBoxes, MenuBarAndMenusDoNotLeaveAParameterBox) {
    WindowUnderTest w("e2e_box_menus");
    show_and_connect(w);
    const AppState& s = w.frm->state();
    const uint8_t& byte = s.param_image.gen[gen_frame::mic_vol];
    auto* box = qobject_cast<ParamTextBox*>(widget_of(w, "Text_mic_vol"));
    for (const MenuVisit& visit : menu_visits()) {
        SCOPED_TRACE(visit.name);
        const uint8_t before = byte;
        const uint8_t want = before == 12 ? 21 : 12;
        const std::string typed = std::to_string(want);
        click(w, "Text_mic_vol");
        type(w, typed.substr(0, 1));
        const auto sent = writes_after(
            w, cmd::gen, [&] { visit.go(w); }, 6);
        EXPECT_TRUE(sent.empty()) << sent.size() << " general frames sent on the way through the menu";
        EXPECT_EQ(byte, before) << "mic volume byte after the menu";
        EXPECT_EQ(QApplication::focusWidget(), box) << "the keyboard back in the box";
        EXPECT_TRUE(box->has_logical_focus()) << "the box still being edited";
        EXPECT_EQ(box->fore_color(), 0x0000FFu) << "red text of the box being edited";
        type(w, typed.substr(1));
        EXPECT_EQ(box->text().toStdString(), typed) << "the typing goes on";
        const auto frame = write_after(
            w, cmd::gen, [&] { key(w, Qt::Key_Return); }, 4, true);
        EXPECT_EQ(frame[gen_frame::mic_vol], want) << "mic volume sent after Enter";
        EXPECT_EQ(byte, want) << "mic volume stored after Enter";
        EXPECT_EQ(w.unit.image.gen[gen_frame::mic_vol], want) << "the unit's mic volume";
        EXPECT_EQ(box->text().toStdString(), typed) << "the box after Enter";
    }

    // From the menu bar straight to another box: the first box commits before the second starts.
    click(w, "Text_mic_vol");
    type(w, "7");
    key(w, Qt::Key_Alt);
    const std::string music = text_of(w, "Text_music_vol");
    const auto frame = write_after(
        w, cmd::gen, [&] { click(w, "Text_music_vol"); }, 4, true);
    EXPECT_EQ(frame[gen_frame::mic_vol], 7) << "mic volume sent when the focus left the menu bar for another box";
    EXPECT_EQ(byte, 7) << "mic volume stored";
    EXPECT_EQ(text_of(w, "Text_mic_vol"), "7") << "the left box shows its own value";
    EXPECT_FALSE(box->has_logical_focus()) << "the left box";
    EXPECT_EQ(box->fore_color(), kSysWindowText) << "the left box's text colour";
    key(w, Qt::Key_Return);  // Enter on the untouched box keeps its own text
    EXPECT_EQ(text_of(w, "Text_music_vol"), music) << "the music box after Enter";
}

// The version line counts a release of any button; a menu, the menu bar, another window or its own context menu
// does not reset the count, a click elsewhere does. The Bluetooth name box stays dark grey through the same visits.
TEST(E2eTextBoxes, PlainBoxesKeepTheirFocusThroughMenus) {
    WindowUnderTest w("e2e_plain_boxes");
    show_and_connect(w);
    MainView& v = w.frm->view();
    QWidget* version = widget_of(w, "Text_software_version");
    const QPoint at = in_window(w, version, version->rect().center());
    auto release = [&](Qt::MouseButton b) {
        QTest::mouseMove(handle(w), at);
        QTest::mouseClick(handle(w), b, {}, at);
        QCoreApplication::processEvents();
        if (QWidget* popup = QApplication::activePopupWidget()) {  // the box's own context menu
            EXPECT_EQ(b, Qt::RightButton) << "a menu opened by a release of another button";
            QTest::keyClick(popup->windowHandle(), Qt::Key_Escape);
            QCoreApplication::processEvents();
        }
    };
    const Qt::MouseButton buttons[] = {Qt::RightButton, Qt::LeftButton, Qt::MiddleButton};
    for (int i = 0; i < 9; ++i) release(buttons[i % 3]);
    key(w, Qt::Key_Alt);
    click(w, "Text_music_vol");  // leaves the version line from the menu bar: the count starts again
    const auto visits = menu_visits();
    for (int i = 0; i < 9; ++i) {
        release(buttons[i % 3]);
        if (i < static_cast<int>(visits.size())) {
            SCOPED_TRACE(visits[static_cast<std::size_t>(i)].name);
            visits[static_cast<std::size_t>(i)].go(w);
            EXPECT_EQ(QApplication::focusWidget(), version) << "the keyboard back on the version line";
        }
    }
    EXPECT_FALSE(v.visible(Ctl{"Frame_cpu_test"})) << "test panel after nine releases";
    release(Qt::RightButton);
    EXPECT_TRUE(v.visible(Ctl{"Frame_cpu_test"})) << "test panel after ten releases, right button last";

    QWidget* name = widget_of(w, "Text_bt_file_name_change(1)");
    click(w, "Text_bt_file_name_change(1)");
    key(w, Qt::Key_End);
    type(w, "ab");
    for (const MenuVisit& visit : visits) {
        SCOPED_TRACE(visit.name);
        visit.go(w);
        EXPECT_EQ(name->palette().color(QPalette::Text), to_qcolor(0x404040)) << "dark grey text while edited";
        EXPECT_EQ(QApplication::focusWidget(), name) << "the keyboard back in the name box";
    }
    QTest::mouseClick(handle(w), Qt::RightButton, {}, in_window(w, name, name->rect().center()));
    QWidget* popup = QApplication::activePopupWidget();
    ASSERT_NE(popup, nullptr) << "the name box's context menu";
    QTest::keyClick(popup->windowHandle(), Qt::Key_Escape);
    EXPECT_EQ(name->palette().color(QPalette::Text), to_qcolor(0x404040)) << "after the context menu";
    type(w, "c");
    EXPECT_TRUE(text_of(w, "Text_bt_file_name_change", 1).ends_with("abc")) << "the typing goes on";
    click(w, "Text_music_vol");
    EXPECT_EQ(name->palette().color(QPalette::Text), to_qcolor(0xC0C0C0)) << "light grey once left";
}

// A key typed over a selection replaces it; when the leading zeros go, a caret that would fall before the start stays
// at the start.
TEST(E2eTextBoxes, TypingOverASelectionAndTheCaretAfterLeadingZeros) {
    WindowUnderTest w("e2e_box_selection");
    show_and_connect(w);
    auto* box = qobject_cast<ParamTextBox*>(widget_of(w, "Text_mic_vol"));
    click(w, "Text_mic_vol");
    type(w, "1005");
    key(w, Qt::Key_Home);
    QTest::keyClick(handle(w), Qt::Key_Right, Qt::ShiftModifier);
    ASSERT_EQ(box->selectedText().toStdString(), "1") << "the selection";
    type(w, "2");
    EXPECT_EQ(box->text().toStdString(), "2005") << "the 1 replaced by 2";
    EXPECT_EQ(box->cursorPosition(), 1) << "caret after the typed 2";

    key(w, Qt::Key_Home);
    for (int i = 0; i < 2; ++i) QTest::keyClick(handle(w), Qt::Key_Right, Qt::ShiftModifier);
    type(w, "0");  // "005" with the caret after the typed 0: both zeros go
    EXPECT_EQ(box->text().toStdString(), "5") << "the leading zeros removed";
    EXPECT_EQ(box->cursorPosition(), 0) << "caret at the start";
    type(w, "3");
    EXPECT_EQ(box->text().toStdString(), "35") << "typed at the start";
    const auto frame = write_after(
        w, cmd::gen, [&] { key(w, Qt::Key_Return); }, 4, true);
    EXPECT_EQ(frame[gen_frame::mic_vol], 35) << "mic volume sent";
    EXPECT_EQ(w.frm->state().param_image.gen[gen_frame::mic_vol], 35) << "mic volume stored";
    EXPECT_EQ(box->text().toStdString(), "35") << "the box after Enter";
}

}  // namespace
}  // namespace tuner::testing
