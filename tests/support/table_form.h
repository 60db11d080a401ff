#pragma once
// A form in a known background colour, for card controls whose drawing a test compares.

#include <QPalette>
#include <QWidget>

inline void PrepareForm(QWidget& Form, const QColor& Background, int Width, int Height) {
    QPalette pal = Form.palette();
    pal.setColor(QPalette::Window, Background);
    Form.setPalette(pal);
    Form.resize(Width, Height);
}
