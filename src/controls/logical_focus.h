// Whether a text box holds the focus as the user sees it. The toolkit takes
// the keyboard focus away for things that do not leave the box: another
// window becoming active, a popup or context menu, the menu bar entered with
// Alt (or kept after Escape closed a menu opened from it), a disabled
// window. Through these the box keeps its focus, and the edit goes on where
// it stopped when the focus comes back. It loses the focus when the focus
// lands on another control of its window, straight away or after one of them.
#pragma once

#include <QObject>

class QFocusEvent;
class QWidget;

namespace tuner {

class LogicalFocus : public QObject {
    Q_OBJECT
public:
    explicit LogicalFocus(QWidget* box);
    ~LogicalFocus() override;

    bool held() const { return held_; }
    // Fed with the box's own focus events: true when the box gained / lost the focus.
    bool focus_in();
    bool focus_out(const QFocusEvent& e);

signals:
    // The focus went on to another control while it was away from the box.
    void LostWhileAway();

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void set_away(bool away);

    QWidget* box_;
    bool held_ = false;
    bool away_ = false;  // held, while the keyboard focus is somewhere that is not leaving the box
};

}  // namespace tuner
