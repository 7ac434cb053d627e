// `ucXTab`, the owner-drawn tab strip with pages, as a Qt widget. The model
// (XTabModel) holds the tabs, properties and behaviour and paints into its
// surface; this widget blits the surface, turns Qt input into the model's
// input, keeps one page container per tab and shows exactly the active
// tab's page, and watches its host window (moves, sizing, activation,
// colour and theme changes) through an event filter.
//
// Controls go on a page with AddControl or by creating them as children of
// page(tab). A control the host hides stays hidden when its page is shown.
//
// The keyboard of the strip is its own: it switches tabs only while it has
// the focus itself; a key that a contained control did not use stops here
// and does nothing. A click gives it the focus on its own surface only, not
// through a contained control that takes no focus (a label, a frame).
#pragma once

#include <map>
#include <vector>

#include <QPointer>
#include <QTimer>
#include <QWidget>

#include "platform/control_widget.h"
#include "tabs/xtab_model.h"

class QShortcut;

namespace tuner {

class XTab : public ControlWidget {
    Q_OBJECT

public:
    explicit XTab(QWidget* parent = nullptr, const FontSpec& ambient_font = FontSpec(),
                  OleColor ambient_back = kSysButtonFace);
    ~XTab() override;

    XTabModel& model() { return model_; }
    const XTabModel& model() const { return model_; }

    // The members the host uses most, forwarded to the model.
    int ActiveTab() const { return model_.ActiveTab(); }
    void setActiveTab(int n) { model_.setActiveTab(n); }
    int TabCount() const { return model_.TabCount(); }
    void setTabCount(int n) { model_.setTabCount(n); }
    QString TabCaption(int i) const { return model_.TabCaption(i); }
    void setTabCaption(int i, const QString& caption) { model_.setTabCaption(i, caption); }
    void InsertTab(int index, const QString& caption) { model_.InsertTab(index, caption); }
    void RemoveTab(int index) { model_.RemoveTab(index); }

    // The container of tab `tab`'s controls (9 for a bad index).
    QWidget* page(int tab);
    // Puts `control` on tab `tab`'s page (-1: the active tab; outside the
    // tabs: tab 0), first switching to that tab; left, top, width and height
    // in pixels, -1 keeps the control's own value. The control is shown.
    void AddControl(QWidget* control, int left, int top, int width, int height, int tab);
    // The tab whose page holds `control`, or -1.
    int TabOfControl(const QWidget* control) const;

    QSize sizeHint() const override { return {300, 200}; }

signals:
    void Click();
    void DblClick();
    void KeyDown(int& key_code, int& shift);
    void KeyUp(int& key_code, int& shift);
    void KeyPress(int& key_ascii);
    void MouseDown(int& button, int& shift, float& x, float& y);
    void MouseMove(int button, int shift, float x, float y);
    void MouseUp(int button, int shift, float x, float y);

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void on_pointer_down(const Pointer& p) override;
    void on_pointer_move(const Pointer& p) override;
    void on_pointer_up(const Pointer& p) override;
    void on_double_click(const Pointer& p) override;
    bool on_key_down(const Key& k) override;
    void on_key_up(const Key& k) override;
    void on_focus_changed(bool focused) override { model_.FocusChanged(focused); }
    void on_pointer_entered(QPointF pos) override { model_.PointerMoved(pos.toPoint()); }
    void on_pointer_left() override { model_.PointerLeft(); }
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void sync_pages();
    // True when a press at `pos` meets the strip itself or a bare page, not
    // a control placed on it.
    bool on_own_surface(QPoint pos) const;
    void rebuild_access_keys();
    void watch_host();
    // A move or resize of the host window that the user made.
    bool user_moved(const QEvent* e) const;

    XTabModel model_;
    std::map<int, QWidget*> pages_;  // page id -> container
    std::vector<QShortcut*> shortcuts_;
    QTimer hover_timer_;
    QTimer size_move_timer_;  // the end of a host move or resize
    QPointer<QWidget> host_;
    bool pressed_ = false;
};

// The control's name in the system.
using ucXTab = XTab;

}  // namespace tuner
