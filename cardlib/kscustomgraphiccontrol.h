#pragma once
// The windowless base of every card control: its whole picture lives in the off-screen
// Surface, and changed rectangles are copied to the screen at once.

#include "kscomponent.h"
#include "kssurface.h"
#include "kstypes.h"

#include <QWidget>

class QPainter;
class QTimer;
#include <cstdint>
#include <functional>

// A window that wants to bring its state up to date before a card control draws.
class TKsSynchronizeTarget {
public:
    virtual ~TKsSynchronizeTarget() = default;
    virtual void KmSynchronize() = 0;
};

class TKsCustomGraphicControl : public QWidget, public TKsComponent {
    Q_OBJECT
public:
    explicit TKsCustomGraphicControl(QWidget* Owner);
    ~TKsCustomGraphicControl() override;

    TKsSurface& Surface() { return FSurface; }
    const TKsSurface& Surface() const { return FSurface; }

    bool Empty() const { return FEmpty; }
    void SetEmpty(bool E);

    // The drawing switch of the card controls (not the widget's input state).
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool E) { FEnabled = E; }

    bool Synchronize() const { return FSynchronize; }
    int32_t UpdateCount() const { return FUpdateCount; }

    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool A);

    void BeginUpdate();
    void EndUpdate();

    // Copies the whole Surface to the screen, whatever Empty and the update lock say.
    void DrawSurface();

    // Renders every card of the control again.
    virtual void RedrawAll(bool Direct) = 0;

    // The KM_PAINTRECT handler: gets rectangle Rect of the Surface onto the screen at once.
    virtual void PaintRect(const TKsRect& Rect, TKsSingleCard* Card);

    // Takes the Surface's size when AutoSize is on (not while loading).
    virtual void AdjustSize();

    // Invalidate: the whole control is painted again from its Surface on the next paint cycle.
    void Invalidate() { update(); }

    // Qt holds back a hidden widget's resize until it is shown: these refit the control at
    // once instead, so a later show with the same size is no resize.
    void setGeometry(int X, int Y, int W, int H);
    void setGeometry(const QRect& Rect);
    void resize(int W, int H);
    void resize(const QSize& Size);

    std::function<void(TKsCustomGraphicControl*)> OnResize;

    // End of loading: the size the description gave counts as handled, and AutoSize applies.
    void Loaded() override;

    // Brings the Surface to the device pixel ratio of the screen the control is on; when that
    // changed, every card is drawn again from the art for the new density.
    void UpdateDensity();

    // The zoom of a table that scales with its window: the control shows its layout (the
    // Surface, and the sizes and mouse positions the library works in) Zoom times as large,
    // drawn from the art for the screen's density times Zoom. 1 unless set.
    qreal Zoom() const { return FZoom; }
    // SettleMs: while the zoom keeps changing (a window being resized), the cards are drawn
    // from the art only once it has rested this long; meanwhile the last drawing is scaled.
    void SetZoom(qreal Value, int SettleMs = 0);
    // The control's size and a point of it in layout pixels.
    int LayoutWidth() const;
    int LayoutHeight() const;
    QPoint LayoutPoint(const QPointF& At) const;

protected:
    bool event(QEvent* Event) override;
    void paintEvent(QPaintEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;
    virtual void Resize();

    // Sends KM_SYNCHRONIZE to the window the control lives in.
    void SendSynchronize();

private:
    enum TPaintMode : uint8_t { pmPaint, pmPaintRect, pmDrawSurface, pmFillStrips };

    void SurfaceChanged();
    void SizeChanged();
    void RepaintNow(TPaintMode Mode, const QRect& Area);
    QRect RightStrip() const;
    QRect BottomStrip() const;
    // Copies the Surface's pixels under widget rectangle Area pixel for pixel.
    void DrawSurfacePart(QPainter& Painter, const QRect& Area) const;
    // A layout rectangle in widget pixels, and the layout pixels a widget rectangle touches.
    QRect ToWidget(const QRect& Layout) const;
    QRect ToLayout(const QRect& Widget) const;
    qreal SurfaceRatio() const { return devicePixelRatioF() * FZoom; }

    TKsSurface FSurface;
    QColor FCanvasBrush; // the control's own background, for the strips beyond the Surface
    bool FEmpty = true;
    bool FSynchronize = true;
    int32_t FUpdateCount = 0;
    bool FEnabled = true;
    bool FAutoSize = false;
    TPaintMode FPaintMode = pmPaint;
    QRect FPaintArea;
    QSize FResizedTo; // the size Resize last ran for
    bool FDensityPending = false;
    qreal FZoom = 1;
    QTimer* FSettle = nullptr; // made for the first zoom that settles
};

// Holds a control's update lock; on release the lock ends and the whole Surface is shown.
class TKsUpdateGuard {
public:
    explicit TKsUpdateGuard(TKsCustomGraphicControl& Control) : FControl(Control) {
        FControl.BeginUpdate();
    }
    ~TKsUpdateGuard() {
        FControl.EndUpdate();
        FControl.DrawSurface();
    }
    TKsUpdateGuard(const TKsUpdateGuard&) = delete;
    TKsUpdateGuard& operator=(const TKsUpdateGuard&) = delete;

private:
    TKsCustomGraphicControl& FControl;
};
