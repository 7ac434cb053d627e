// The button's input, option groups, nudge, properties, store and drawing; the widget.
#include <gtest/gtest.h>
#include <QApplication>
#include <QPainter>
#include <QTest>

#include "button_test_util.h"
#include "button_widget_fixture.h"
#include "buttons/qb_buttons_h.h"

namespace tuner::testing {
namespace {

using V = std::vector<std::string>;

void click(ButtonModel& m, int button = 1) {
    m.MousePress(button, 0, 10, 10);
    m.MouseRelease(button, 0, 10, 10);
    m.ClickNotification();
}

struct ButtonTest : ::testing::Test {
    RecordingHost host;
    std::unique_ptr<ButtonModel> b = make_button(&host);
    EventLog log;
    void SetUp() override { log.attach(*b); }
};

TEST_F(ButtonTest, ClicksAccessKeysSpaceAndArrowKeys) {
    click(*b);
    click(*b, 2);  // the right button raises no Click
    EXPECT_EQ(log.events, (V{"MouseDown(1)", "MouseUp(1)", "Click", "MouseDown(2)", "MouseUp(2)"}));
    // An access key clicks; Enter and Escape do nothing outside command mode.
    b->AccessKeyPress('M');
    b->setMode(1);
    b->AccessKeyPress(13);
    b->AccessKeyPress(27);
    EXPECT_EQ(log.count("Click"), 2);

    // Space: the Click's place depends on the mode.
    log.events.clear();
    b->setMode(0);
    b->KeyDownNotification(32, 0);
    // Bit 2 pressed, bit 4 over: not hovering, the over bit goes again.
    EXPECT_EQ(b->StateFlags() & (2 | 4), 2) << "state flags after Space down";
    b->KeyUpNotification(32, 0);
    b->setMode(1);
    b->KeyDownNotification(32, 0);
    b->KeyUpNotification(32, 0, true);  // auto-repeat: no click per repeat
    b->KeyDownNotification(32, 0, true);
    b->KeyUpNotification(32, 0);
    EXPECT_TRUE(b->Value());
    EXPECT_EQ(log.events, (V{"KeyDown(32)", "Click", "KeyUp(32)", "KeyDown(32)", "KeyDown(32)", "KeyUp(32)", "Click"}));
    // Arrow keys go to the container and check nothing in check mode.
    log.events.clear();
    b->setValue(false);
    for (int k : {39, 40, 37, 38, 16}) {
        b->KeyDownNotification(k, 0);
        b->KeyUpNotification(k, 0);
    }
    EXPECT_EQ(host.posted_keys, (std::vector<int>{39, 40, 37, 38}));
    EXPECT_EQ(log.events, (V{"KeyDown(16)"}));  // Shift's key up is consumed too
    b->KeyUpNotification(65, 0);
    EXPECT_EQ(log.count("KeyUp(65)"), 1);
}

TEST_F(ButtonTest, HoverAndThePressedLook) {
    b->MouseMoveTo(0, 0, 5, 5, false);  // another window under the pointer
    EXPECT_FALSE(b->HoverActive());
    b->MouseMoveTo(0, 0, 5, 5, true);
    b->MouseMoveTo(0, 0, 6, 5, true);
    EXPECT_TRUE(b->HoverActive());
    EXPECT_TRUE(host.hover_timer);
    b->HoverTimerCheck(true);
    b->MousePress(1, 0, 5, 5);
    b->HoverTimerCheck(false);  // dragged off the button
    EXPECT_FALSE(host.hover_timer) << "dragged off";
    EXPECT_NE(b->LastDrawState(), 2) << "dragged off";
    b->MouseMoveTo(1, 0, 5, 5, true);  // and back on
    EXPECT_EQ(b->LastDrawState(), 2);
    EXPECT_EQ(log.count("MouseOnButton(1)"), 2);
    EXPECT_EQ(log.count("MouseOnButton(0)"), 1);
    b->MouseRelease(1, 0, 5, 5);
    // A release away from a check or option button drops the pressed look.
    for (int mode : {1, 2}) {
        SCOPED_TRACE(::testing::Message() << "mode " << mode);
        b->setMode(mode);
        b->MouseMoveTo(0, 0, 5, 5, true);
        b->MousePress(1, 0, 5, 5);
        ASSERT_EQ(b->LastDrawState(), 2);
        b->MouseRelease(1, 0, 500, 500);  // no click notification follows
        EXPECT_NE(b->LastDrawState(), 2);
        EXPECT_FALSE(b->Value());
    }
}

// Three option buttons registered in one container.
struct Group {
    int container = 0;
    RecordingHost h;
    std::unique_ptr<ButtonModel> a = make_button(&h, 50, 20, &container), b = make_button(&h, 50, 20, &container),
                                 c = make_button(&h, 50, 20, &container);
    Group() {
        for (auto* m : {&a, &b, &c}) (*m)->setMode(2);
    }
    int count() const { return OptionGroups::instance().Count(&container); }
};

TEST(OptionGroup, ClickFocusAndArrowKeys) {
    Group g;
    EventLog log;
    log.attach(*g.b);
    g.a->setValue(true);
    click(*g.b);
    EXPECT_EQ(g.count(), 3);
    EXPECT_TRUE(g.b->Value());
    EXPECT_FALSE(g.a->Value());
    click(*g.b);  // already checked: no event
    EXPECT_EQ(log.count("Click"), 1);

    // Focus checks a button only when the group has none checked.
    g.a->FocusReceived();
    const bool checked_over_b = g.a->Value();
    g.b->setValue(false);
    g.a->FocusReceived();
    EXPECT_FALSE(checked_over_b) << "focus checked a while b was checked";
    EXPECT_TRUE(g.a->Value()) << "focus with none checked";
    g.c->KeyUpNotification(39, 0);  // an arrow key onto an unchecked option button checks it
    EXPECT_TRUE(g.c->Value()) << "arrow key onto c";
    EXPECT_FALSE(g.a->Value()) << "arrow key onto c";

    g.c.reset();  // a destroyed button leaves the group
    EXPECT_EQ(g.count(), 2);
}

TEST_F(ButtonTest, PressNudge) {
    b->setCustomClick(7);
    b->MouseMoveTo(0, 0, 5, 5, true);
    const int refreshes = host.refreshes;
    b->MousePress(1, 0, 5, 5);  // nothing painted on the pass that moved
    EXPECT_EQ(host.moves.size(), 1u);
    EXPECT_EQ(b->LastDrawState(), 0);
    EXPECT_EQ(host.refreshes, refreshes + 1);
    b->Paint();  // the paint after the move draws the pressed face
    EXPECT_EQ(b->LastDrawState(), 2);
    b->MouseRelease(1, 0, 5, 5);
    b->MousePress(1, 0, 5, 5);
    b->HoverTimerCheck(false);  // leaving while held moves back too
    EXPECT_EQ(host.moves, (std::vector<QPoint>{{0, 1}, {0, -1}, {0, 1}, {0, -1}}));
    b->MouseMoveTo(1, 0, 5, 5, true);  // so does a change of CustomClick, by the offset it was moved with
    b->setCustomClick(2);
    EXPECT_EQ(std::vector(host.moves.begin() + 4, host.moves.end()), (std::vector<QPoint>{{0, 1}, {0, -1}}));
    const QPoint offsets[] = {{0, 0}, {0, -1}, {1, -1}, {-1, -1}, {1, 1}, {-1, 1}, {1, 0}, {0, 1}, {-1, 0}, {0, 0}};
    for (int c = 0; c <= 9; ++c) EXPECT_EQ(NudgeOffset(c), offsets[c]) << "CustomClick " << c;
}

TEST(ButtonProperties, LoadingDefaults) {
    ButtonModel b;
    const ButtonAmbient amb{.form_back_color = 0x123456};
    b.ReadProperties(PropertyBag(), amb);
    EXPECT_EQ(b.BackColor(), OleColor{0x123456});
    EXPECT_EQ(b.HoverBackColor(), OleColor{0x123456});

    // Out-of-range values, as a damaged store may hold, load as defaults.
    PropertyBag bag;
    for (const auto& [key, v] :
         {std::pair{"BackStyle", 42}, {"Shape", -3}, {"ImgSize", 17}, {"Gradient", 9}, {"Mode", 0}})
        bag.write(key, int64_t{v}, int64_t{-100});
    bag.write("Value", true, false);
    b.ReadProperties(bag, amb);
    // A command button is never checked.
    EXPECT_EQ(b.ButtonStyle(), 0);
    EXPECT_EQ(b.ButtonShape(), 0);
    EXPECT_EQ(b.GradientMode(), 0);
    EXPECT_FALSE(b.Value());
    EXPECT_EQ(b.PictureSizePixels(), 16);
    ButtonModel c;  // a new button takes the system face colour
    c.InitProperties(amb);
    EXPECT_EQ(c.HoverBackColor(), kSysButtonFace);
}

TEST_F(ButtonTest, StoreRoundTripAndAccessKeys) {
    b->setCaption("静音&M");
    b->setCaptionAlign(0);
    b->setMode(1);
    b->setValue(true);
    b->setBackColor(0xFFFF80);
    b->setGradientMode(3);
    b->setGradientColor(0x00FF00);
    b->setCustomClick(4);
    QImage img(8, 8, QImage::Format_RGB32);
    img.fill(Qt::red);
    b->setPicture({img, false});
    b->setPictureSize(4);
    PropertyBag bag;
    b->WriteProperties(bag);

    ButtonModel back;
    back.ReadProperties(bag, ButtonAmbient());
    PropertyBag again;
    back.WriteProperties(again);
    EXPECT_EQ(again.to_text(), bag.to_text());
    // What is derived from the keys comes back too.
    EXPECT_EQ(back.AccessKey(), QStringLiteral("M"));
    EXPECT_EQ(back.PictureSizePixels(), 48);

    // Defaults are left out; Mode, Value and cBack are always written.
    PropertyBag plain;
    ButtonModel().WriteProperties(plain);
    for (const char* k : {"Caption", "CapAlign", "ImgSize", "cBhover", "Focus"}) EXPECT_FALSE(plain.contains(k)) << k;
    for (const char* k : {"Mode", "Value", "cBack", "Font"}) EXPECT_TRUE(plain.contains(k)) << k;
    // "&&" is a literal ampersand; a caption without "&" clears the old key.
    const std::pair<const char*, const char*> keys[] = {{"&Save", "S"}, {"Save&", ""},  {"&Open && &Close", "C"},
                                                        {"A&&B", ""},   {"&Mute", "M"}, {"静音", ""}};
    for (const auto& [caption, key] : keys) {
        b->setCaption(QString::fromUtf8(caption));
        EXPECT_EQ(b->AccessKey(), QString::fromUtf8(key)) << caption;
    }
}

TEST_F(ButtonTest, SetterRulesAndHoverColourLocks) {
    b->setCaptionAlign(0);
    b->setButtonShape(0);
    EXPECT_EQ(b->CaptionAlign(), 2);  // any accepted shape centres the caption

    b->setPictureSize(5);
    b->setPictureSize(-1);
    EXPECT_EQ(b->PictureSizePixels(), 16) << "sizes 5 and -1 refused";
    b->setPictureSize(4);
    b->setButtonStyle(8);
    EXPECT_EQ(b->PictureSizePixels(), 48);
    EXPECT_EQ(b->ButtonStyle(), 2) << "style 8 refused";

    b->setValue(true);  // refused in command mode, silently at run time
    EXPECT_FALSE(b->Value());
    EXPECT_EQ(host.messages, std::vector<QString>{});
    b->setMode(1);
    b->setValue(true);
    b->setMode(0);
    EXPECT_FALSE(b->Value());

    b->setBackColor(0xFFFF80);
    b->setResetDefaultColors(true);  // nothing while the program runs
    EXPECT_EQ(b->BackColor(), 0xFFFF80);

    b->setBackColor(0xC0C0C0);
    EXPECT_EQ(b->HoverBackColor(), 0xC0C0C0);  // carried over while unlocked
    b->setHoverBackColor(0x00FFFF);
    b->setBackColor(0xFFFF80);
    EXPECT_EQ(b->HoverColorLocks(), 1);  // locked
    EXPECT_EQ(b->HoverBackColor(), 0x00FFFF);
    b->setHoverForeColor(0x0000FF);
    EXPECT_EQ(b->HoverColorLocks(), 3) << "both hover colours set";
    b->setHoverColorLocks(0);
    EXPECT_EQ(b->HoverBackColor(), 0xFFFF80) << "unlocked";
    EXPECT_EQ(b->HoverForeColor(), b->ForeColor()) << "unlocked";

    // With a gradient the hover colour follows the gradient colour; another colour locks it.
    b->setGradientMode(1);
    b->setGradientColor(0x00FF00);
    EXPECT_EQ(b->HoverBackColor(), 0x00FF00);
    EXPECT_EQ(b->HoverColorLocks(), 0);
    b->setHoverBackColor(0xFFFF80);  // equal to BackColor: no lock
    b->setBackColor(0x808080);
    EXPECT_EQ(b->HoverBackColor(), 0x00FF00) << "after the back colour changed";
    EXPECT_EQ(b->HoverColorLocks(), 1) << "after the back colour changed";
}

TEST_F(ButtonTest, PictureShapesAndAlignments) {
    b = make_button(&host, 60, 40);
    b->setButtonShape(7);  // no picture yet
    QImage icon(16, 16, QImage::Format_ARGB32);
    icon.fill(Qt::blue);
    b->setPicture({icon, true});
    b->setButtonShape(8);  // icons cannot shape a button
    b->setPictureAlign(5);
    b->setCaptionAlign(0);  // refused beside a bottom-centred picture
    EXPECT_EQ(b->ButtonShape(), 0);
    EXPECT_EQ(b->CaptionAlign(), 2);
    // A bitmap shapes the button and takes the fit size, which then stays.
    QImage bmp(20, 20, QImage::Format_RGB32);
    bmp.fill(Qt::white);
    QPainter(&bmp).fillRect(5, 5, 10, 10, QColor(200, 0, 0));
    b->setPicture({bmp, false});
    b->setButtonShape(7);
    b->setPictureSize(0);
    EXPECT_EQ(b->ButtonShape(), 7);
    EXPECT_EQ(b->PictureSizePixels(), 48);
    EXPECT_FALSE(host.region.contains(2, 2));  // the opaque square, scaled
    EXPECT_TRUE(host.region.contains(30, 20));
    ASSERT_TRUE(b->ClipRegion().has_value());
    ASSERT_TRUE(b->InnerRegion().has_value());
    EXPECT_EQ(b->ClipRegion()->bounds(), host.region.bounds().adjusted(1, 1, -1, -1)) << "ClipRegion";
    EXPECT_EQ(b->InnerRegion()->bounds(), host.region.bounds().adjusted(2, 2, -2, -2)) << "InnerRegion";
    b->setPicture({});  // no picture: back to a rectangle
    EXPECT_EQ(b->ButtonShape(), 0);
}

TEST_F(ButtonTest, DelayedDrawing) {
    const int before = b->RedrawCount();
    b->DelayDrawing(true);
    b->setCaption("X");
    b->setBackColor(0xFFFF80);
    b->setButtonStyle(0);
    b->MousePress(2, 0, 5, 5);  // a right press does not end the delay
    EXPECT_EQ(b->RedrawCount(), before);
    b->DelayDrawing(false);  // resuming draws, and so do a paint and a refresh while delayed
    b->DelayDrawing(true);
    b->Paint();
    b->DelayDrawing(true);
    b->Refresh();
    EXPECT_EQ(b->RedrawCount(), before + 3);
    b->setButtonStyle(5);  // its rings take the container's colour
    b->AmbientChanged("BackColor", ButtonAmbient{.back_color = 0x00FF00});
    EXPECT_EQ(b->RedrawCount(), before + 5) << "style 5 after the container's colour changed";
}

// A disabled form blocks input but does not grey the face; the pointer shapes.
TEST_F(WidgetTest, DisabledFormAndPointerShapes) {
    const uint32_t before = face();
    form.setEnabled(false);
    EXPECT_TRUE(button->model().Enabled()) << "form disabled";
    EXPECT_FALSE(button->isEnabled()) << "form disabled";
    EXPECT_EQ(face(), before) << "form disabled";
    form.setEnabled(true);
    button->model().setEnabled(false);
    EXPECT_FALSE(button->isEnabled()) << "button disabled";
    button->setEnabled(true);
    EXPECT_TRUE(button->model().Enabled());
    for (const auto& [pointer, shape] : {std::pair{2, Qt::CrossCursor}, {3, Qt::IBeamCursor}, {11, Qt::WaitCursor}}) {
        button->model().setMousePointer(pointer);
        EXPECT_EQ(button->cursor().shape(), shape) << "MousePointer " << pointer;
    }
}

// Arrow keys move the focus: right and down forward, left and up back.
TEST_F(WidgetTest, ArrowKeysMoveTheFocus) {
    auto* second = new qbButtons_H(&form);
    auto* third = new qbButtons_H(&form);
    second->show();
    third->show();
    const std::pair<Qt::Key, QWidget*> steps[] = {
        {Qt::Key_Up, third}, {Qt::Key_Down, button}, {Qt::Key_Right, second}, {Qt::Key_Left, button}};
    for (const auto& [key, expected] : steps) {
        QTest::keyClick(window(), key);
        QApplication::processEvents();  // the container moves the focus after the key
        EXPECT_EQ(QApplication::focusWidget(), expected) << "after key " << key;
    }
}

// The focus look follows the keyboard focus both ways: a button the focus left shows its face without it.
TEST_F(WidgetTest, FocusLookLeavesWithTheFocus) {
    auto* second = new qbButtons_H(&form);
    second->show();
    QApplication::processEvents();
    const QImage focused = button->model().WindowImage().image();
    QTest::keyClick(window(), Qt::Key_Right);
    QApplication::processEvents();
    ASSERT_EQ(QApplication::focusWidget(), second) << "the focus after Right";
    EXPECT_NE(button->model().WindowImage().image(), focused) << "the face of the button the focus left";
    QTest::keyClick(window(), Qt::Key_Left);
    QApplication::processEvents();
    ASSERT_EQ(QApplication::focusWidget(), button) << "the focus after Left";
    EXPECT_EQ(button->model().WindowImage().image(), focused) << "the face of the button the focus came back to";
}

// A double click raises no second Click, a release away none, a held Space one.
TEST_F(WidgetTest, ClicksDoubleClicksAndHeldSpace) {
    QTest::mouseDClick(window(), Qt::LeftButton, {}, at({20, 10}));
    EXPECT_EQ(log, (V{"D1", "U1", "Click", "Dbl1", "D1", "U1"}));
    QTest::mouseClick(window(), Qt::LeftButton, {}, at({20, 10}));  // the next click counts again
    press({20, 10});
    release({150, 10});  // released away, beside the button
    key(true);
    for (int i = 0; i < 3; ++i) key(false, true), key(true, true);
    key(false);
    EXPECT_EQ(std::ranges::count(log, "Click"), 3);
}

// A release in a cut-away corner is no click; one pixel in, it is.
TEST_F(WidgetTest, ReleaseInACutAwayCornerIsNoClick) {
    ASSERT_FALSE(button->mask().contains(QPoint(0, 0)));
    ASSERT_TRUE(button->mask().contains(QPoint(1, 1)));
    press({20, 10});
    release({0, 0});
    EXPECT_EQ(std::ranges::count(log, "Click"), 0) << "released at (0, 0), outside the region";
    press({20, 10});
    release({1, 1});
    EXPECT_EQ(std::ranges::count(log, "Click"), 1) << "released at (1, 1), inside the region";
}

// A button created without stored properties draws with a copy of its form's font; one created from stored
// properties keeps the stored font.
TEST(ButtonFont, NewButtonCopiesTheFormFont) {
    QWidget form;
    QFont f = form.font();
    f.setFamilies({QStringLiteral("DejaVu Serif")});
    f.setPointSizeF(13.5);
    f.setBold(true);
    form.setFont(f);
    auto* box = new QWidget(&form);  // a container between the form and the button
    const qbButtons_H* fresh = new qbButtons_H(box);
    EXPECT_EQ(fresh->Font().name, "DejaVu Serif") << "font face of a new button";
    EXPECT_EQ(fresh->Font().size, 13.5) << "font size of a new button";
    EXPECT_TRUE(fresh->Font().bold) << "bold of a new button";

    PropertyBag bag;
    bag.write("Font", FontSpec{"Tahoma", 9.0}, FontSpec{});
    const qbButtons_H* stored = new qbButtons_H(bag, box);
    EXPECT_EQ(stored->Font().name, "Tahoma") << "stored font face";
    EXPECT_EQ(stored->Font().size, 9.0) << "stored font size";
    EXPECT_FALSE(stored->Font().bold) << "stored bold";
}

}  // namespace
}  // namespace tuner::testing
