#include "tabs/xtab.h"

#include <QCursor>
#include <QEvent>
#include <QMoveEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QShortcut>

namespace tuner {
XTab::XTab(QWidget* parent, const FontSpec& ambient_font, OleColor ambient_back)
    : ControlWidget(parent), model_(ambient_font, ambient_back) {
    // Tab and Shift+Tab reach the strip; a click gives it the focus only on
    // its own surface (on_pointer_down), never through a contained control
    // that takes no focus itself (a label, a picture, a frame).
    setFocusPolicy(Qt::TabFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    hover_timer_.setObjectName(QStringLiteral("hover"));
    size_move_timer_.setSingleShot(true);
    size_move_timer_.setInterval(300);
    connect(&size_move_timer_, &QTimer::timeout, &model_, &XTabModel::HostSizeMoveFinished);
    connect(&hover_timer_, &QTimer::timeout, this, [this] { model_.TimerEvent(mapFromGlobal(QCursor::pos())); });
    connect(&model_, &XTabModel::hoverTimer, this, [this](int ms) {
        if (ms > 0) {
            hover_timer_.start(ms);
        } else {
            hover_timer_.stop();
        }
    });
    connect(&model_, &XTabModel::surfaceChanged, this, qOverload<>(&QWidget::update));
    connect(&model_, &XTabModel::pagesChanged, this, &XTab::sync_pages);
    connect(&model_, &XTabModel::accessKeysChanged, this, &XTab::rebuild_access_keys);
    connect(&model_, &XTabModel::enabledChanged, this, &QWidget::setEnabled);
    // The surface is sized, and first painted, by the first resize or show,
    // so that the host sees AfterCompleteInit.
    rebuild_access_keys();
}

XTab::~XTab() {
    if (host_) host_->removeEventFilter(this);
}

QWidget* XTab::page(int tab) {
    if (tab < 0 || tab >= model_.TabCount()) throw XTabError(kXTabSubscriptOutOfRange, "page");
    const int id = model_.TabPage(tab);
    auto it = pages_.find(id);
    if (it != pages_.end()) return it->second;
    auto* w = new QWidget(this);
    w->setObjectName(QStringLiteral("page%1").arg(id));
    // The page covers the strip too; with tracking on, moves over it go on
    // to the strip (hover, close boxes) instead of being dropped.
    w->setMouseTracking(true);
    w->setGeometry(rect());
    w->setVisible(id == model_.ActivePage());
    pages_.emplace(id, w);
    return w;
}

void XTab::AddControl(QWidget* control, int left, int top, int width, int height, int tab) {
    // A tab outside the tabs means tab 0, as for ActiveTab.
    if (tab != -1 && (tab < 0 || tab >= model_.TabCount())) tab = 0;
    if (tab != -1 && tab != model_.ActiveTab()) model_.setActiveTab(tab);
    if (!control) return;
    QWidget* target = page(tab == -1 ? model_.ActiveTab() : tab);
    control->setParent(target);
    const QRect g = control->geometry();
    control->setGeometry(left == -1 ? g.x() : left, top == -1 ? g.y() : top, width == -1 ? g.width() : width,
                         height == -1 ? g.height() : height);
    control->setVisible(true);
}

int XTab::TabOfControl(const QWidget* control) const {
    for (const QWidget* w = control; w && w != this; w = w->parentWidget()) {
        if (w->parentWidget() != this) continue;
        for (const auto& [id, container] : pages_) {
            if (container == w) return model_.TabOfPage(id);
        }
    }
    return -1;
}

void XTab::sync_pages() {
    // Exactly the active tab's page is shown; pages of removed tabs never again.
    const int shown = model_.ActivePage();
    for (const auto& [id, container] : pages_) container->setVisible(id == shown);
}

void XTab::rebuild_access_keys() {
    for (QShortcut* s : shortcuts_) delete s;
    shortcuts_.clear();
    QString seen;
    for (QChar ch : model_.AccessKeys()) {
        // One shortcut per letter; the model picks the first tab with it.
        if (seen.contains(ch)) continue;
        seen += ch;
        auto* s = new QShortcut(QKeySequence(QStringLiteral("Alt+") + ch), this);
        s->setContext(Qt::WindowShortcut);
        const int code = ch.unicode();
        connect(s, &QShortcut::activated, this, [this, code] { model_.AccessKeyPress(code); });
        connect(s, &QShortcut::activatedAmbiguously, this, [this, code] { model_.AccessKeyPress(code); });
        shortcuts_.push_back(s);
    }
}

void XTab::watch_host() {
    QWidget* w = window();
    if (w == host_ || w == this) return;
    if (host_) host_->removeEventFilter(this);
    host_ = w;
    host_->installEventFilter(this);
}

bool XTab::user_moved(const QEvent* e) const {
    // The program's own moves and resizes come as events Qt sends itself; the
    // user's come from the window system, to the active window, and change
    // something (the window system's confirmation of the program's own move
    // changes nothing any more).
    if (!e->spontaneous() || !host_ || !host_->isActiveWindow()) return false;
    if (e->type() == QEvent::Move) {
        const auto* m = static_cast<const QMoveEvent*>(e);
        return m->pos() != m->oldPos();
    }
    const auto* r = static_cast<const QResizeEvent*>(e);
    return r->size() != r->oldSize();
}

bool XTab::eventFilter(QObject* watched, QEvent* e) {
    if (watched == host_) {
        switch (e->type()) {
            case QEvent::Move:
                if (user_moved(e)) {
                    model_.HostMoving();
                    size_move_timer_.start();
                }
                break;
            case QEvent::Resize:
                if (user_moved(e)) {
                    model_.HostSizing();
                    size_move_timer_.start();
                }
                break;
            case QEvent::WindowActivate:
            case QEvent::WindowDeactivate: model_.HostActivated(); break;
            case QEvent::PaletteChange:
            case QEvent::StyleChange:
            case QEvent::ThemeChange: model_.Refresh(); break;
            default: break;
        }
    }
    return QWidget::eventFilter(watched, e);
}

void XTab::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, model_.surface().image());
}

void XTab::resizeEvent(QResizeEvent*) {
    for (const auto& [id, container] : pages_) container->setGeometry(rect());
    model_.Resize(width(), height());
}

void XTab::showEvent(QShowEvent*) {
    watch_host();
    model_.Refresh();
}

bool XTab::on_own_surface(QPoint pos) const {
    const QWidget* hit = childAt(pos);
    if (!hit) return true;
    for (const auto& [id, container] : pages_) {
        if (container == hit) return true;
    }
    return false;
}

void XTab::on_pointer_down(const Pointer& p) {
    // As the toolkit does for a control that takes clicks: the focus comes
    // before the press is handled.
    if (!hasFocus() && on_own_surface(p.pos.toPoint())) setFocus(Qt::MouseFocusReason);
    const bool left = p.button == 1;
    if (left) {
        model_.PointerPressed(p.pos.toPoint());
        pressed_ = true;
    }
    int button = p.button;
    int shift = p.shift;
    float x = p.x();
    float y = p.y();
    // The host's handler may change the press: the tab hit test takes the
    // button and position it left.
    if (!model_.IsBusy()) emit MouseDown(button, shift, x, y);
    if (button == 1) model_.MouseDownLeft(x, y);
}

void XTab::on_pointer_move(const Pointer& p) {
    model_.PointerMoved(p.pos.toPoint());
    emit MouseMove(p.buttons, p.shift, p.x(), p.y());
    model_.pHandleMouseMove(p.pos.x(), p.pos.y());
}

void XTab::on_pointer_up(const Pointer& p) {
    const bool left = p.button == 1;
    if (left) model_.PointerReleased(p.pos.toPoint());
    if (!model_.IsBusy()) emit MouseUp(p.button, p.shift, p.x(), p.y());
    if (left && pressed_ && rect().contains(p.pos.toPoint())) emit Click();
    if (left) pressed_ = false;
}

void XTab::on_double_click(const Pointer&) {
    // The second press of a double click: no MouseDown, no tab hit test and
    // no Click at its release.
    emit DblClick();
}

bool XTab::on_key_down(const Key& k) {
    // A key that a contained control had and did not use comes up here: it
    // does nothing, and goes no further.
    if (!hasFocus()) return true;
    int code = k.code;
    int shift = k.shift;
    if (code != 0) {
        model_.KeyDown(code, shift);
        emit KeyDown(code, shift);
    }
    for (int ascii : typed_chars(k)) emit KeyPress(ascii);
    // The navigation keys stay here; the others go on to the host.
    return code == 33 || code == 34 || code == 37 || code == 39;
}

void XTab::on_key_up(const Key& k) {
    if (k.code == 0 || !hasFocus()) return;
    int code = k.code;
    int shift = k.shift;
    emit KeyUp(code, shift);
}

}  // namespace tuner
