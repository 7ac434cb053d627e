#include "buttons/qb_buttons_h.h"

#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <QScreen>

#include "platform/message_box.h"

namespace tuner {
namespace {

Qt::CursorShape cursor_of(int pointer) {
    switch (pointer) {
        case 2: return Qt::CrossCursor;
        case 3: return Qt::IBeamCursor;
        case 5:
        case 15: return Qt::SizeAllCursor;
        case 6: return Qt::SizeBDiagCursor;
        case 7: return Qt::SizeVerCursor;
        case 8: return Qt::SizeFDiagCursor;
        case 9: return Qt::SizeHorCursor;
        case 10: return Qt::UpArrowCursor;
        case 11: return Qt::WaitCursor;
        case 12: return Qt::ForbiddenCursor;
        case 13: return Qt::BusyCursor;
        case 14: return Qt::WhatsThisCursor;
        default: return Qt::ArrowCursor;
    }
}

}  // namespace

qbButtons_H::qbButtons_H(QWidget* parent) : ControlWidget(parent) {
    Setup();
    model_.InitProperties(CurrentAmbient());
    model_.Resize(width(), height());
}

qbButtons_H::qbButtons_H(const PropertyBag& properties, QWidget* parent) : ControlWidget(parent) {
    Setup();
    model_.Resize(width(), height());
    ReadProperties(properties);
}

qbButtons_H::~qbButtons_H() {
    hover_timer_.stop();
    model_.Terminate();
    model_.SetHost(nullptr);
}

void qbButtons_H::Setup() {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    hover_timer_.setInterval(50);
    connect(&hover_timer_, &QTimer::timeout, this, [this] { model_.HoverTimerCheck(pointer_inside_); });
    model_.SetHost(this);
    ConnectEvents();
}

void qbButtons_H::ConnectEvents() {
    auto& ev = model_.events;
    ev.Click = [this] { emit Click(); };
    ev.DoubleClick = [this](int b) { emit DoubleClick(b); };
    ev.MouseDown = [this](int b, int s, float x, float y) { emit MouseDown(b, s, x, y); };
    ev.MouseUp = [this](int b, int s, float x, float y) { emit MouseUp(b, s, x, y); };
    ev.MouseMove = [this](int b, int s, float x, float y) { emit MouseMove(b, s, x, y); };
    ev.KeyDown = [this](int k, int s) { emit KeyDown(k, s); };
    ev.KeyPress = [this](int k) { emit KeyPress(k); };
    ev.KeyUp = [this](int k, int s) { emit KeyUp(k, s); };
    ev.MouseOnButton = [this](bool on) { emit MouseOnButton(on); };
}

void qbButtons_H::ReadProperties(const PropertyBag& properties) { model_.ReadProperties(properties, CurrentAmbient()); }

ButtonAmbient qbButtons_H::CurrentAmbient() const {
    ButtonAmbient a;
    a.container = parentWidget();
    a.user_mode = true;
    a.display_as_default = hasFocus();
    if (const QWidget* p = parentWidget()) {
        const auto back = static_cast<OleColor>(rgb_of(p->palette().color(QPalette::Window)));
        a.back_color = back;
        a.form_back_color = static_cast<OleColor>(rgb_of(window()->palette().color(QPalette::Window)));
        // The form's font: a button created without stored properties draws with a copy of it.
        a.form_font = font_spec_of(window()->font());
    }
    if (const QScreen* s = screen()) a.screen = s->size();
    return a;
}

// ---------------------------------------------------------------- host services

void qbButtons_H::PropertyChanged(const std::string& key) { emit PropertiesChanged(QString::fromStdString(key)); }

void qbButtons_H::ShowMessage(const QString& text, const QString& title) {
    show_message_box(this, text.toStdString(), (title.isEmpty() ? QApplication::applicationName() : title).toStdString(),
                     MessageIcon::Information);
}

void qbButtons_H::SetWindowRegion(const Region& region) {
    if (region.empty())
        clearMask();
    else
        setMask(region.qregion());
}

void qbButtons_H::MoveWindowBy(int dx, int dy) {
    move(pos() + QPoint(dx, dy));
    // As after any move, the button paints again.
    QMetaObject::invokeMethod(
        this, [this] { model_.Paint(); }, Qt::QueuedConnection);
}

void qbButtons_H::SetCapture(bool on) {
    // The widget base holds the mouse from a press to its release; here
    // only an early end of the capture matters.
    if (!on && QWidget::mouseGrabber() == this) releaseMouse();
}

void qbButtons_H::SetHoverTimer(bool on) {
    if (on)
        hover_timer_.start();
    else
        hover_timer_.stop();
}

void qbButtons_H::PostContainerKey(int key_code, uint32_t /*lparam*/) {
    // The container moves the focus on arrow keys: right and down forward, left and up back.
    const bool forward = key_code == button_codes::kKeyRight || key_code == button_codes::kKeyDown;
    QMetaObject::invokeMethod(
        this, [this, forward] { focusNextPrevChild(forward); }, Qt::QueuedConnection);
}

void qbButtons_H::WindowStateChanged() {
    if (!syncing_enabled_ && testAttribute(Qt::WA_ForceDisabled) == model_.Enabled()) {
        syncing_enabled_ = true;
        QWidget::setEnabled(model_.Enabled());
        syncing_enabled_ = false;
    }
    UpdateCursor();
    UpdateAccessKey();
}

void qbButtons_H::UpdateCursor() {
    if (model_.MousePointer() == 0) {
        unsetCursor();
    } else if (model_.MousePointer() == 99 && !model_.MouseIcon().none()) {
        setCursor(QCursor(QPixmap::fromImage(model_.MouseIcon().image)));
    } else {
        setCursor(cursor_of(model_.MousePointer()));
    }
}

void qbButtons_H::UpdateAccessKey() {
    const QString key = model_.AccessKey();
    if (key == shortcut_key_) return;
    if (shortcut_id_ != 0) releaseShortcut(shortcut_id_);
    shortcut_id_ = 0;
    shortcut_key_ = key;
    if (!key.isEmpty() && key != QStringLiteral("&")) {
        shortcut_id_ = grabShortcut(QKeySequence::mnemonic(QStringLiteral("&") + key));
    }
}

bool qbButtons_H::OverSelf(const QPoint& pos) const {
    if (!rect().contains(pos)) return false;
    return model_.WindowRegion().empty() || model_.WindowRegion().contains(pos.x(), pos.y());
}

// ---------------------------------------------------------------- Qt events

bool qbButtons_H::event(QEvent* e) {
    if (e->type() == QEvent::Shortcut) {
        auto* se = static_cast<QShortcutEvent*>(e);
        if (se->shortcutId() == shortcut_id_ && shortcut_id_ != 0) {
            model_.AccessKeyPress(shortcut_key_.toUpper().at(0).unicode());
            return true;
        }
    }
    return ControlWidget::event(e);
}

void qbButtons_H::RefreshWindow() {
    // While a paint is under way the face just drawn is shown by that paint.
    if (!painting_) update();
}

void qbButtons_H::paintEvent(QPaintEvent* e) {
    // A paint notification ends a delay of drawing: the face is drawn anew,
    // with the size and caption it has now. A paint of part of the button
    // shows only that part, so the rest is asked for too.
    if (model_.DrawingDelayed()) {
        painting_ = true;
        model_.Paint();
        painting_ = false;
        if (!QRegion(rect()).subtracted(e->region()).isEmpty()) update();
    }
    QPainter p(this);
    p.drawImage(0, 0, model_.WindowImage().image());
}

void qbButtons_H::resizeEvent(QResizeEvent*) { model_.Resize(width(), height()); }

void qbButtons_H::showEvent(QShowEvent*) {
    model_.Show();
    model_.Paint();
}

void qbButtons_H::on_pointer_down(const Pointer& p) { model_.MousePress(p.button, p.shift, p.x(), p.y()); }

void qbButtons_H::on_pointer_move(const Pointer& p) {
    pointer_inside_ = OverSelf(p.pos.toPoint());
    model_.MouseMoveTo(p.buttons, p.shift, p.x(), p.y(), pointer_inside_);
}

void qbButtons_H::on_pointer_up(const Pointer& p) {
    model_.MouseRelease(p.button, p.shift, p.x(), p.y());
    if (OverSelf(p.pos.toPoint())) model_.ClickNotification();
}

void qbButtons_H::on_double_click(const Pointer& p) { model_.DoubleClickNotification(p.x(), p.y()); }

void qbButtons_H::mouseDoubleClickEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) return ControlWidget::mouseDoubleClickEvent(e);
    // The right or middle button: DoubleClick and a MouseDown of the left button, no pressed look.
    model_.DoubleClickNotification(static_cast<float>(e->position().x()), static_cast<float>(e->position().y()));
}

bool qbButtons_H::on_key_down(const Key& k) {
    if (k.code != 0) model_.KeyDownNotification(k.code, k.shift, k.repeat);
    for (const int c : typed_chars(k)) model_.KeyPressNotification(c);
    return true;
}

void qbButtons_H::on_key_up(const Key& k) {
    if (k.code != 0) model_.KeyUpNotification(k.code, k.shift, k.repeat);
}

void qbButtons_H::on_focus_changed(bool focused) {
    // The focused button shows the default look, as a default-capable button does.
    ButtonAmbient a = CurrentAmbient();
    a.display_as_default = focused;
    model_.AmbientChanged("DisplayAsDefault", a);
    if (focused) model_.FocusReceived();
}

void qbButtons_H::on_pointer_entered(QPointF pos) { pointer_inside_ = OverSelf(pos.toPoint()); }

void qbButtons_H::on_pointer_left() {
    pointer_inside_ = false;
    // The pointer left the window: the hover ends now rather than at the next tick.
    model_.HoverTimerCheck(false);
}

void qbButtons_H::changeEvent(QEvent* e) {
    if (e->type() == QEvent::EnabledChange && !syncing_enabled_) {
        // Only the button's own state counts: a disabled container blocks input but does not grey the face.
        const bool own = !testAttribute(Qt::WA_ForceDisabled);
        if (own != model_.Enabled()) {
            syncing_enabled_ = true;
            model_.setEnabled(own);
            syncing_enabled_ = false;
        }
    } else if (e->type() == QEvent::PaletteChange || e->type() == QEvent::ParentChange) {
        model_.AmbientChanged("BackColor", CurrentAmbient());
    }
    ControlWidget::changeEvent(e);
}

}  // namespace tuner
