// qbButtons_H: the owner-drawn push button as a Qt widget. The button itself
// (properties, drawing, input rules) is the ButtonModel inside; this widget
// shows its surface, gives it the window's shape, feeds it mouse, keyboard,
// focus and access-key input, runs its hover timer and raises its events as
// signals. The windows set Caption, BackColor, Font and Visible and handle Click.
#pragma once

#include <QPoint>
#include <QTimer>
#include <QWidget>

#include "buttons/button_model.h"
#include "platform/control_widget.h"

namespace tuner {

class qbButtons_H : public ControlWidget, public ButtonHost {
    Q_OBJECT

public:
    // A button created without stored properties.
    explicit qbButtons_H(QWidget* parent = nullptr);
    // A button created from its stored properties.
    qbButtons_H(const PropertyBag& properties, QWidget* parent);
    ~qbButtons_H() override;

    ButtonModel& model() { return model_; }
    const ButtonModel& model() const { return model_; }

    // The members the windows use.
    const QString& Caption() const { return model_.Caption(); }
    void setCaption(const QString& caption) { model_.setCaption(caption); }
    OleColor BackColor() const { return model_.BackColor(); }
    void setBackColor(OleColor colour) { model_.setBackColor(colour); }
    const FontSpec& Font() const { return model_.Font(); }
    void setFont(const FontSpec& font) { model_.setFont(font); }
    using QWidget::setFont;

    void ReadProperties(const PropertyBag& properties);
    void WriteProperties(PropertyBag& properties) const { model_.WriteProperties(properties); }

    // The values the button takes from its container, as they stand now.
    ButtonAmbient CurrentAmbient() const;

    // ButtonHost.
    void PropertyChanged(const std::string& key) override;
    void ShowMessage(const QString& text, const QString& title) override;
    void SetWindowRegion(const Region& region) override;
    void RefreshWindow() override;
    void MoveWindowBy(int dx, int dy) override;
    void SetCapture(bool on) override;
    void SetHoverTimer(bool on) override;
    void PostContainerKey(int key_code, uint32_t lparam) override;
    void WindowStateChanged() override;

signals:
    void Click();
    void DoubleClick(int button);
    void MouseDown(int button, int shift, float x, float y);
    void MouseUp(int button, int shift, float x, float y);
    void MouseMove(int button, int shift, float x, float y);
    void KeyDown(int key_code, int shift);
    void KeyPress(int key_ascii);
    void KeyUp(int key_code, int shift);
    void MouseOnButton(bool on_button);
    // A stored property changed (the host may store the properties again).
    void PropertiesChanged(const QString& key);

protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void on_pointer_down(const Pointer& p) override;
    void on_pointer_move(const Pointer& p) override;
    void on_pointer_up(const Pointer& p) override;
    void on_double_click(const Pointer& p) override;
    // A double click of any button (Qt's base passes only the left one on).
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    bool on_key_down(const Key& k) override;
    void on_key_up(const Key& k) override;
    void on_focus_changed(bool focused) override;
    void on_pointer_entered(QPointF pos) override;
    void on_pointer_left() override;
    void changeEvent(QEvent* e) override;

private:
    void Setup();
    void ConnectEvents();
    bool OverSelf(const QPoint& pos) const;
    void UpdateAccessKey();
    void UpdateCursor();

    QTimer hover_timer_;
    bool pointer_inside_ = false;
    bool syncing_enabled_ = false;
    bool painting_ = false;
    int shortcut_id_ = 0;
    QString shortcut_key_;
    ButtonModel model_;
};

}  // namespace tuner
