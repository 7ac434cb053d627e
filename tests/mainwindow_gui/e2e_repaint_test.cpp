// What the connected window repaints: the link polls the unit five times a
// second and every refresh sets the texts again, yet while the unit changes
// nothing no widget repaints; a value the unit changed repaints its own
// widgets; a long text the program sets shows its start; a box given the text
// it already shows keeps its cursor and its pixels.
#include <QLineEdit>
#include <QTest>

#include <map>
#include <sstream>

#include "controls/param_text_box.h"
#include "core/send_service.h"
#include "e2e_input.h"
#include "platform/qt_wait.h"

namespace tuner::testing {
namespace {

// Counts the paint events every widget gets, by object name.
class PaintCounter : public QObject {
public:
    PaintCounter() { qApp->installEventFilter(this); }
    ~PaintCounter() override { qApp->removeEventFilter(this); }
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Paint) {
            const QString name = o->objectName();
            ++paints[(name.isEmpty() ? QString::fromLatin1(o->metaObject()->className()) : name).toStdString()];
        }
        return false;
    }
    int of(const std::string& name) const {
        const auto it = paints.find(name);
        return it == paints.end() ? 0 : it->second;
    }
    std::string list() const {
        std::ostringstream out;
        for (const auto& [name, n] : paints) out << name << " x" << n << "; ";
        return out.str();
    }
    std::map<std::string, int> paints;
};

// The window as the program runs it, counting the polls the unit answered.
struct LiveWindow : WindowUnderTest {
    explicit LiveWindow(const std::string& name) : WindowUnderTest(name, {}, true) {
        // A poll is answered when the reply to a read request has been read.
        unit.on_write = [this](const FrameImage& f) { asked = f[hid_frame::RWS] == rws::R; };
        unit.on_read = [this] {
            if (asked) ++polls;
            asked = false;
        };
    }

    // Sleeps in the event loop until the unit answered `n` more polls. The
    // limit only ends the wait on a link that stopped; the count is the verdict.
    bool polls_go_by(int n) {
        const int until = polls + n;
        return QTest::qWaitFor([&] { return polls >= until; }, 60000);
    }

    bool connect_and_settle() {
        frm->show();
        if (!QTest::qWaitFor([&] { return link_connected(frm->state()); }, 30000)) return false;
        const QWidget& wait = frm->services().wait_dialog();
        if (!QTest::qWaitFor([&] { return !wait.isVisible() && frm->isEnabled(); }, 30000)) return false;
        return polls_go_by(kPollSteps);
    }

    bool asked = false;
    int polls = 0;
};

// Idle polls repaint nothing; the unit's new volume repaints the volume's box
// and slider, not the boxes beside them; a long name from the unit shows its
// start and then stays still through the polls.
TEST(E2eRepaint, PollsThatChangeNothingRepaintNothing) {
    LiveWindow w("e2e_repaint_idle");
    ASSERT_TRUE(w.connect_and_settle()) << "the simulated unit connected, its whole state read and a poll round";
    const AppState& s = w.frm->state();
    auto* bt_box = w.frm->registry().get<QLineEdit>("Text_read_cpu_bt_name");
    ASSERT_NE(bt_box, nullptr) << "Text_read_cpu_bt_name";
    ASSERT_EQ(bt_box->text().toStdString(), "Unit Name") << "the unit's Bluetooth name in its box";

    {
        PaintCounter counter;
        ASSERT_TRUE(w.polls_go_by(2 * kPollSteps)) << "polls answered while nothing changes";
        EXPECT_TRUE(counter.paints.empty()) << "widgets repainted while nothing changed: " << counter.list();
    }

    uint8_t& vol = w.unit.image.gen[gen_frame::music_vol];
    const uint8_t shown = s.param_image.gen[gen_frame::music_vol];
    vol = static_cast<uint8_t>(shown == 0 ? 1 : shown - 1);
    {
        PaintCounter counter;
        ASSERT_TRUE(w.polls_go_by(kPollSteps + 2)) << "polls answered after the unit's volume changed";
        ASSERT_EQ(s.param_image.gen[gen_frame::music_vol], vol) << "music volume in the window's image";
        EXPECT_EQ(w.frm->view().text(Ctl{"Text_music_vol"}), std::to_string(vol)) << "Text_music_vol";
        EXPECT_GT(counter.of("Text_music_vol"), 0) << "paints of the changed volume's box; all: " << counter.list();
        EXPECT_GT(counter.of("vr_music_vol"), 0) << "paints of the changed volume's slider; all: " << counter.list();
        EXPECT_EQ(counter.of("Text_read_cpu_bt_name"), 0) << "paints of the unchanged name box";
        EXPECT_EQ(counter.of("Text_music_vol_power_on"), 0) << "paints of an unchanged box beside it";
    }

    const std::string name = "Karaoke Hall Two, Left Stage Mixer 01";
    w.unit.bt_name.fill(0);
    std::copy(name.begin(), name.end(), w.unit.bt_name.begin());
    ASSERT_TRUE(w.polls_go_by(kPollSteps + 2)) << "polls answered after the unit's name changed";
    ASSERT_EQ(bt_box->text().toStdString(), name) << "the long name in Text_read_cpu_bt_name";
    const int box_width = bt_box->contentsRect().width();
    ASSERT_GT(bt_box->fontMetrics().horizontalAdvance(bt_box->text()), box_width) << "the name is wider than its box";
    {
        PaintCounter counter;
        ASSERT_TRUE(w.polls_go_by(kPollSteps)) << "polls answered with the long name unchanged";
        EXPECT_EQ(counter.of("Text_read_cpu_bt_name"), 0) << "paints of the box with the unchanged long name";
        EXPECT_TRUE(counter.paints.empty()) << "widgets repainted while nothing changed: " << counter.list();
    }
    // The box shows the name's first words: its left third looks as it does
    // with only the words that fit in half the box.
    const QImage whole = bt_box->grab().toImage();
    QString head = QString::fromStdString(name);
    while (bt_box->fontMetrics().horizontalAdvance(head) > box_width / 2) head.chop(1);
    w.frm->view().set_text(Ctl{"Text_read_cpu_bt_name"}, head.toStdString());
    const QImage start = bt_box->grab().toImage();
    w.frm->view().set_text(Ctl{"Text_read_cpu_bt_name"}, name);
    ASSERT_EQ(whole.size(), start.size()) << "picture sizes of the name box";
    int differing = 0;
    for (int y = 0; y < whole.height(); ++y)
        for (int x = 0; x < whole.width() / 3; ++x) differing += whole.pixel(x, y) != start.pixel(x, y);
    EXPECT_EQ(differing, 0) << "pixels of the name box's left third that differ from its first words \""
                            << head.toStdString() << "\"";
}

// Object name "name(3)" as the view's control.
struct NamedCtl {
    std::string name;
    int index = -1;
    Ctl ctl() const { return Ctl{name, index}; }
};
NamedCtl parse_ctl(const std::string& object_name) {
    const auto open = object_name.find('(');
    if (open == std::string::npos || object_name.back() != ')') return {object_name, -1};
    return {object_name.substr(0, open), std::stoi(object_name.substr(open + 1))};
}

// Every control of the window, each tab caption and the window's caption,
// given the text it shows, repaint nothing and keep every box's cursor.
TEST(E2eRepaint, EveryControlGivenItsOwnTextStaysAsItIs) {
    WindowUnderTest w("e2e_repaint_kinds");
    show_and_connect(w);
    MainView& v = w.frm->view();
    std::vector<NamedCtl> controls{{"FrmMain", -1}};
    for (const auto& [object_name, entry] : w.frm->registry().all()) {
        controls.push_back(parse_ctl(object_name));
        if (auto* strip = qobject_cast<XTab*>(entry.object.data()))
            for (int i = 0; i < strip->TabCount(); ++i) controls.push_back({object_name, i});
    }
    const auto set_all_again = [&] {
        for (const NamedCtl& c : controls) v.set_text(c.ctl(), v.text(c.ctl()));
        QCoreApplication::processEvents();
    };
    set_all_again();  // texts set by the program show from their start from now on

    std::map<std::string, int> cursors;
    for (const auto& [object_name, entry] : w.frm->registry().all())
        if (auto* le = qobject_cast<QLineEdit*>(entry.object.data())) cursors[object_name] = le->cursorPosition();
    PaintCounter counter;
    set_all_again();
    EXPECT_TRUE(counter.paints.empty()) << "widgets repainted by texts they already showed: " << counter.list();
    for (const auto& [object_name, pos] : cursors) {
        auto* le = w.frm->registry().get<QLineEdit>(object_name);
        EXPECT_EQ(le->cursorPosition(), pos) << "cursor of " << object_name;
        if (!le->hasFocus()) {
            EXPECT_EQ(le->cursorPosition(), 0) << "cursor of " << object_name << ", set by the program";
        }
    }
}

// The box the user types in keeps the cursor where the user put it when the
// program gives it the text it shows; a new text puts the cursor at its end.
// A parameter box keeps that while the progress wait holds the keyboard.
TEST(E2eRepaint, TheBoxTheUserTypesInKeepsItsCursor) {
    WindowUnderTest w("e2e_repaint_typing");
    show_and_connect(w);
    MainView& v = w.frm->view();
    for (const char* name : {"Text_bt_file_name_change(1)", "Text_music_vol"}) {
        SCOPED_TRACE(name);
        auto* le = w.frm->registry().get<QLineEdit>(name);
        ASSERT_NE(le, nullptr) << name;
        const NamedCtl c = parse_ctl(name);
        click(w, name);
        ASSERT_TRUE(le->hasFocus()) << "focus after the click";
        key(w, Qt::Key_End);
        type(w, "12");
        key(w, Qt::Key_Left);
        const std::string typed = le->text().toStdString();
        const int put = le->cursorPosition();
        ASSERT_EQ(put, static_cast<int>(typed.size()) - 1) << "cursor after typing, text " << typed;

        v.set_text(c.ctl(), typed);
        EXPECT_EQ(le->cursorPosition(), put) << "cursor after the same text was set";
        v.set_text(c.ctl(), "345");
        EXPECT_EQ(le->cursorPosition(), 3) << "cursor after a new text was set";

        if (qobject_cast<ParamTextBox*>(le)) {
            w.frm->setEnabled(false);  // as the progress wait does
            QCoreApplication::processEvents();
            v.set_text(c.ctl(), "67");
            EXPECT_EQ(le->cursorPosition(), 2) << "cursor of the box with the keyboard away, new text 67";
            w.frm->setEnabled(true);
            QCoreApplication::processEvents();
        }
        click(w, "Text_read_cpu_bt_name");  // the focus leaves the box
        EXPECT_FALSE(le->hasFocus()) << "focus after clicking elsewhere";
        v.set_text(c.ctl(), le->text().toStdString());
        EXPECT_EQ(le->cursorPosition(), 0) << "cursor of the left box given its text again";
    }
}

}  // namespace
}  // namespace tuner::testing
