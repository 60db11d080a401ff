#pragma once
// Pictures for the density of the screen: art drawn for a device pixel ratio is used pixel for
// pixel; a ratio without art of its own gets the next larger art, smoothly reduced.

#include <QImage>
#include <QRect>
#include <QString>

// Picture reduced smoothly to Size. Pixels of Key are a mask, not a colour: they are left out of
// the blending, and a reduced pixel takes Key where mostly masked, else the blend of the rest.
QImage KsReduceKeyed(const QImage& Picture, QSize Size, QRgb Key);

// The device pixels of a layout coordinate at Ratio; rectangles map edge by edge, so rectangles
// that meet in layout pixels meet in device pixels too.
int KsDevicePixels(int Layout, qreal Ratio);
QRect KsDeviceRect(const QRect& Layout, qreal Ratio);

// Table picture Name (ring, waitsign, title) for a screen of Ratio, its device pixel ratio set;
// a null image when the picture cannot be read.
QImage KsDensityPicture(const QString& Name, qreal Ratio);
