#pragma once
// The off-screen bitmap of a card control. Every drawing operation and every change of size
// is followed by OnChange, the way the control learns that its picture moved on.
//
// Sizes and rectangles are in layout pixels; the bitmap holds device pixels, DevicePixelRatio
// to a layout pixel, so cards are drawn from the art for the screen's density.

#include "kstypes.h"

#include <QColor>
#include <QImage>
#include <functional>

struct TKsCardImage;

class TKsSurface {
public:
    TKsSurface();

    // In device pixels, its device pixel ratio set.
    const QImage& Image() const { return FImage; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }

    // Changing the ratio starts a blank bitmap at the new density: the owner draws again.
    qreal DevicePixelRatio() const { return FRatio; }
    void SetDevicePixelRatio(qreal Ratio);
    // The device pixels of a layout rectangle.
    QRect DeviceRect(const QRect& Layout) const;

    // Changing the size keeps the existing pixels anchored at the top-left corner; new pixels
    // take the brush colour.
    void SetSize(int Width, int Height);
    void SetWidth(int Width) { SetSize(Width, Height()); }
    void SetHeight(int Height) { SetSize(Width(), Height); }

    // The background of every fill the library makes.
    QColor BrushColor() const { return FBrushColor; }
    void SetBrushColor(const QColor& Color) { FBrushColor = Color; }

    void Fill(const TKsRect& Rect);
    // Copies part Source of Picture to Dest (same size), its transparent colour becoming the brush.
    void CopyImage(const TKsCardImage& Picture, const TKsRect& Source, const TKsRect& Dest);
    // Replaces every pixel of Rect by its bitwise inverse.
    void Invert(const TKsRect& Rect);

    std::function<void()> OnChange;

private:
    void Changed();
    void Rebuild(int Width, int Height, qreal Ratio);

    // A bitmap may be 0 pixels in one direction only; QImage cannot, so the size is kept apart.
    int FWidth = 0;
    int FHeight = 0;
    qreal FRatio = 1;
    QImage FImage;
    QColor FBrushColor;
};
