// Base of the controls that paint their whole surface into a Canvas: the
// paint event blits what paint_surface draws, and render_surface gives the
// same picture without a screen (tests, previews). Input arrives through
// ControlWidget's hooks.
#pragma once

#include <QImage>
#include <QPainter>

#include "platform/canvas.h"
#include "platform/control_widget.h"

namespace tuner {

class CanvasWidget : public ControlWidget {
public:
    using ControlWidget::ControlWidget;

    virtual void paint_surface(Canvas& canvas) = 0;
    QImage render_surface() {
        Canvas c(width(), height());
        paint_surface(c);
        return c.image();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.drawImage(0, 0, render_surface());
    }
};

}  // namespace tuner
