// Base of the controls that paint their whole surface into a Canvas: the
// paint event blits what paint_surface draws, and render_surface gives the
// same picture without a screen (tests, previews).
#pragma once

#include <QImage>
#include <QPainter>
#include <QWidget>

#include "platform/canvas.h"

namespace tuner {

class CanvasWidget : public QWidget {
public:
    using QWidget::QWidget;

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
