#include "dialogs/progress_dialog.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QPalette>
#include <QProgressBar>
#include <QTimer>

#include "dialogs/dialog_window.h"
#include "platform/keyboard_handover.h"
#include "platform/ole_color.h"

namespace tuner {

namespace {

constexpr OleColor kWaitBack = 0x00C0C0C0;

QLineEdit* make_text_box(QWidget* parent, const char* name, QRect geometry) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(geometry);
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::NoFocus);
    return box;
}

}  // namespace

struct Wait::Impl : ProgressView {
    Wait* self;
    QLineEdit* Text_Wait;
    QProgressBar* ProgressBar1;
    QLineEdit* Text_v;
    QLineEdit* Text_Max;
    QTimer wait_timer;
    ProgressModel model;

    Impl(Wait* w, AppState& s, ProgressHost& host, Clock& clock, EventPump& pump)
        : self(w),
          Text_Wait(make_text_box(w, "Text_Wait", QRect(28, 4, 271, 17))),
          ProgressBar1(new QProgressBar(w)),
          Text_v(make_text_box(w, "Text_v", QRect(152, 134, 61, 23))),
          Text_Max(make_text_box(w, "Text_Max", QRect(224, 134, 61, 23))),
          model(s, host, *this, clock, pump) {
        QPalette pal = Text_Wait->palette();
        pal.setColor(QPalette::Base, to_qcolor(kWaitBack));
        Text_Wait->setPalette(pal);
        Text_Wait->setFrame(false);
        ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
        ProgressBar1->setGeometry(24, 24, 305, 25);
        ProgressBar1->setMinimum(0);
        ProgressBar1->setTextVisible(false);
        Text_v->hide();
        Text_Max->hide();
        wait_timer.setObjectName(QStringLiteral("wait_timer"));
        QObject::connect(&wait_timer, &QTimer::timeout, w, [this] { model.tick(); });
        contents_changed();
    }

    void show_dialog() override { self->show(); }
    void hide_dialog() override { self->hide(); }
    void set_timer(bool on) override {
        wait_timer.stop();
        if (on) wait_timer.start(ProgressModel::kTickMs);
    }
    void contents_changed() override {
        Text_Wait->setText(QString::fromStdString(model.Text_Wait()));
        Text_v->setText(QString::fromStdString(model.Text_v()));
        Text_Max->setText(QString::fromStdString(model.Text_Max()));
        ProgressBar1->setMaximum(model.Max());
        ProgressBar1->setValue(model.Value());
    }
};

Wait::Wait(AppState& s, ProgressHost& host, Clock& clock, EventPump& pump, QWidget* parent)
    : QWidget(nullptr, Qt::Dialog | Qt::CustomizeWindowHint) {
    setObjectName(QStringLiteral("Wait"));
    // A notice without input: showing it must not take the activation (and
    // with it the keyboard focus) from the window the user works in.
    setAttribute(Qt::WA_ShowWithoutActivating);
    // Should the user give it the keyboard all the same, the window he worked
    // in when the wait began gets it back when the wait hides.
    hand_over_keyboard(this, parent);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, to_qcolor(kWaitBack));
    setPalette(pal);
    setFixedSize(352, 65);
    d_ = new Impl(this, s, host, clock, pump);
    delete_with_owner(this, parent);
}

Wait::~Wait() { delete d_; }

void Wait::display_wait_1s() { d_->model.display_wait_1s(); }
void Wait::display_wait_youxian_x100ms(int32_t n) { d_->model.display_wait_youxian_x100ms(n); }
void Wait::Wait_End() { d_->model.Wait_End(); }
ProgressModel& Wait::model() { return d_->model; }

void Wait::closeEvent(QCloseEvent* e) {
    // The user cannot close the dialog; it hides itself when the wait ends.
    if (d_->model.shown())
        e->ignore();
    else
        e->accept();
}

void Wait::showEvent(QShowEvent* e) {
    centre_dialog(this, nullptr);  // centred on the screen
    QWidget::showEvent(e);
}

}  // namespace tuner
