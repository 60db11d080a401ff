#pragma once
// What a shown window has on screen: the offscreen platform keeps its backing store, which a
// screen grab reads (unlike QWidget::grab, which paints the widget afresh).

#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QWidget>

inline QImage ScreenImage(QWidget& Window) {
    return Window.screen()->grabWindow(Window.winId()).toImage();
}

inline QColor ScreenPixel(QWidget& Window, int X, int Y) {
    return QColor(ScreenImage(Window).pixel(X, Y));
}
