// The strip's keyboard is its own: keys that a control on a page had and did not use neither switch tabs nor reach
// the host as the strip's key events, and a click gives the strip the focus only on its own surface.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "tabs/xtab.h"

namespace tuner {
namespace {

struct XTabFocus : ::testing::Test {
    QWidget host;
    QLineEdit* outside = new QLineEdit(&host);  // a box beside the strip
    XTab* tab = new XTab(&host);
    XTab* empty = new XTab(&host);  // a strip without controls
    QLineEdit* box = new QLineEdit;
    QCheckBox* check = new QCheckBox(QStringLiteral("check"));
    QLabel* label = new QLabel(QStringLiteral("caption"));
    std::vector<std::string> events;  // the strip's key events to the host

    void SetUp() override {
        host.resize(500, 300);
        outside->setGeometry(420, 10, 70, 20);
        tab->setGeometry(0, 0, 400, 200);
        empty->setGeometry(0, 210, 400, 80);
        tab->setTabCount(3);
        empty->setTabCount(2);
        tab->AddControl(box, 10, 40, 100, 20, 0);
        tab->AddControl(label, 10, 80, 100, 20, 0);
        tab->AddControl(check, 10, 110, 100, 20, 0);
        QObject::connect(tab, &XTab::KeyDown, [this](int& k, int&) { events.push_back("Down" + std::to_string(k)); });
        QObject::connect(tab, &XTab::KeyUp, [this](int& k, int&) { events.push_back("Up" + std::to_string(k)); });
        QObject::connect(tab, &XTab::KeyPress, [this](int& k) { events.push_back("Press" + std::to_string(k)); });
        host.show();
        host.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&host));
    }
    QWindow* window() { return host.windowHandle(); }
    void click(QWidget* w, QPoint local) { QTest::mouseClick(window(), Qt::LeftButton, {}, w->mapTo(&host, local)); }
};

TEST_F(XTabFocus, KeysAPageControlDoesNotUseStopAtTheStrip) {
    for (QWidget* control : {static_cast<QWidget*>(box), static_cast<QWidget*>(check)}) {
        const std::string name = control == box ? "box" : "check box";
        click(control, {5, 5});
        ASSERT_TRUE(control->hasFocus()) << name;
        for (auto [k, held] : {std::pair{Qt::Key_PageDown, Qt::ControlModifier},
                               {Qt::Key_PageUp, Qt::ControlModifier},
                               {Qt::Key_Escape, Qt::NoModifier},
                               {Qt::Key_F2, Qt::NoModifier}}) {
            QTest::keyClick(window(), k, held);
            EXPECT_EQ(tab->ActiveTab(), 0) << name << ", " << QKeySequence(k | held).toString().toStdString();
        }
        EXPECT_TRUE(control->hasFocus()) << name << " after the keys";
        EXPECT_EQ(events, std::vector<std::string>{}) << "strip's key events, keys in the " << name;
    }

    click(tab, {5, 150});  // the bare page: the strip's own surface
    EXPECT_TRUE(tab->hasFocus()) << "strip after a click on its page";
    QTest::keyClick(window(), Qt::Key_Right);
    EXPECT_EQ(tab->ActiveTab(), 1) << "Right on the strip";
    EXPECT_EQ(events, (std::vector<std::string>{"Down39", "Up39"})) << "strip's key events";
}

TEST_F(XTabFocus, AClickOnAControlThatTakesNoFocusLeavesIt) {
    click(outside, {5, 5});
    ASSERT_TRUE(outside->hasFocus());
    click(label, {5, 5});
    EXPECT_TRUE(outside->hasFocus()) << "box beside after a click on the caption";
    click(empty, {200, 50});
    EXPECT_TRUE(empty->hasFocus()) << "the strip without controls after a click on it";
}

}  // namespace
}  // namespace tuner
