#include "kscustomgraphiccontrol.h"

#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <QResizeEvent>
#include <QTimer>

TKsCustomGraphicControl::TKsCustomGraphicControl(QWidget* Owner) : QWidget(Owner) {
    // The background of every fill is the owner's colour now; nothing updates it later.
    FCanvasBrush = (Owner ? Owner->palette() : palette()).color(QPalette::Window);
    FSurface.SetBrushColor(FCanvasBrush);
    FSurface.SetDevicePixelRatio(SurfaceRatio());
    FSurface.OnChange = [this] { SurfaceChanged(); };
    FResizedTo = size();
}

TKsCustomGraphicControl::~TKsCustomGraphicControl() {
    FSurface.OnChange = nullptr;
}

void TKsCustomGraphicControl::SetEmpty(bool E) {
    FEmpty = E;
    if (FEnabled)
        Invalidate();
}

void TKsCustomGraphicControl::SetAutoSize(bool A) {
    FAutoSize = A;
    if (A)
        AdjustSize();
}

void TKsCustomGraphicControl::BeginUpdate() {
    ++FUpdateCount;
    // Qt fills a see-through widget's area before its paint event; an opaque one that paints
    // nothing leaves the screen as it was, which is what the lock promises.
    setAttribute(Qt::WA_OpaquePaintEvent, FUpdateCount != 0);
}

void TKsCustomGraphicControl::EndUpdate() {
    --FUpdateCount;
    setAttribute(Qt::WA_OpaquePaintEvent, FUpdateCount != 0);
}

void TKsCustomGraphicControl::setGeometry(int X, int Y, int W, int H) {
    QWidget::setGeometry(X, Y, W, H);
    SizeChanged();
}

void TKsCustomGraphicControl::setGeometry(const QRect& Rect) {
    QWidget::setGeometry(Rect);
    SizeChanged();
}

void TKsCustomGraphicControl::resize(int W, int H) {
    QWidget::resize(W, H);
    SizeChanged();
}

void TKsCustomGraphicControl::resize(const QSize& Size) {
    QWidget::resize(Size);
    SizeChanged();
}

void TKsCustomGraphicControl::SizeChanged() {
    // While loading, the described size is taken over by Loaded.
    if (Loading() || size() == FResizedTo)
        return;
    FResizedTo = size();
    Resize();
}

void TKsCustomGraphicControl::DrawSurface() {
    SendSynchronize();
    RepaintNow(pmDrawSurface, ToWidget(QRect(0, 0, FSurface.Width(), FSurface.Height())));
}

void TKsCustomGraphicControl::PaintRect(const TKsRect& Rect, TKsSingleCard*) {
    if (FUpdateCount != 0 || isHidden())
        return;
    SendSynchronize();
    FPaintArea = ToWidget(Rect.ToQRect());
    RepaintNow(pmPaintRect, FPaintArea | RightStrip() | BottomStrip());
}

void TKsCustomGraphicControl::AdjustSize() {
    if (Loading() || !FAutoSize)
        return;
    setGeometry(x(), y(), qRound(FSurface.Width() * FZoom), qRound(FSurface.Height() * FZoom));
}

void TKsCustomGraphicControl::SetZoom(qreal Value, int SettleMs) {
    if (qFuzzyCompare(Value, FZoom))
        return;
    FZoom = Value;
    if (SettleMs <= 0) {
        UpdateDensity();
        return;
    }
    if (!FSettle) {
        FSettle = new QTimer(this);
        FSettle->setSingleShot(true);
        connect(FSettle, &QTimer::timeout, this, [this] { UpdateDensity(); });
    }
    // The paint that finds the density behind does not bring it up to date meanwhile.
    FDensityPending = true;
    FSettle->start(SettleMs);
}

int TKsCustomGraphicControl::LayoutWidth() const {
    return FZoom == 1 ? width() : qRound(width() / FZoom);
}

int TKsCustomGraphicControl::LayoutHeight() const {
    return FZoom == 1 ? height() : qRound(height() / FZoom);
}

QPoint TKsCustomGraphicControl::LayoutPoint(const QPointF& At) const {
    return (At / FZoom).toPoint();
}

QRect TKsCustomGraphicControl::ToWidget(const QRect& Layout) const {
    if (FZoom == 1)
        return Layout;
    return QRectF(QPointF(Layout.topLeft()) * FZoom, QSizeF(Layout.size()) * FZoom).toAlignedRect();
}

QRect TKsCustomGraphicControl::ToLayout(const QRect& Widget) const {
    if (FZoom == 1)
        return Widget;
    return QRectF(QPointF(Widget.topLeft()) / FZoom, QSizeF(Widget.size()) / FZoom).toAlignedRect();
}

void TKsCustomGraphicControl::UpdateDensity() {
    FDensityPending = false;
    if (FSettle)
        FSettle->stop();
    const qreal ratio = SurfaceRatio();
    if (qFuzzyCompare(ratio, FSurface.DevicePixelRatio()))
        return;
    FSurface.SetDevicePixelRatio(ratio);
    RedrawAll(true);
    Invalidate();
}

bool TKsCustomGraphicControl::event(QEvent* Event) {
    // Qt tells the widgets of a window that moved to another screen with this event.
    if (Event->type() == QEvent::ScreenChangeInternal)
        UpdateDensity();
    return QWidget::event(Event);
}

void TKsCustomGraphicControl::DrawSurfacePart(QPainter& Painter, const QRect& Area) const {
    const QImage& surface = FSurface.Image();
    const QRect device = FSurface.DeviceRect(ToLayout(Area)).intersected(surface.rect());
    if (device.isEmpty())
        return;
    // Device pixels of the Surface are device pixels of the screen: the zoom is in the density.
    const qreal ratio = FSurface.DevicePixelRatio() / FZoom;
    Painter.drawImage(QRectF(QPointF(device.topLeft()) / ratio, QSizeF(device.size()) / ratio),
                      surface, device);
}

void TKsCustomGraphicControl::paintEvent(QPaintEvent* Event) {
    // A change of density no screen change announced; drawn again once this paint is over.
    if (!FDensityPending && !qFuzzyCompare(SurfaceRatio(), FSurface.DevicePixelRatio())) {
        FDensityPending = true;
        QMetaObject::invokeMethod(
            this, [this] { UpdateDensity(); }, Qt::QueuedConnection);
    }
    QPainter p(this);
    const QColor& brush = FCanvasBrush;
    // Qt joins a paint still pending for the control (an Invalidate) to an immediate copy; the
    // part of the area the copy does not cover gets what that paint would have drawn.
    QRegion pending;
    switch (FPaintMode) {
    case pmPaint:
        if (FUpdateCount == 0 && !FEmpty)
            DrawSurfacePart(p, Event->rect());
        break;
    case pmPaintRect:
        if (!FEmpty)
            DrawSurfacePart(p, FPaintArea);
        p.fillRect(RightStrip(), brush);
        p.fillRect(BottomStrip(), brush);
        pending = Event->region() - (QRegion(FPaintArea) + RightStrip() + BottomStrip());
        break;
    case pmDrawSurface:
        DrawSurfacePart(p, ToWidget(QRect(0, 0, FSurface.Width(), FSurface.Height())));
        break;
    case pmFillStrips:
        p.fillRect(BottomStrip(), brush);
        p.fillRect(RightStrip(), brush);
        pending = Event->region() - (QRegion(BottomStrip()) + RightStrip());
        break;
    }
    if (FUpdateCount == 0 && !FEmpty)
        for (const QRect& r : pending)
            DrawSurfacePart(p, r);
}

void TKsCustomGraphicControl::Loaded() {
    TKsComponent::Loaded();
    FResizedTo = size();
    AdjustSize();
}

void TKsCustomGraphicControl::resizeEvent(QResizeEvent* Event) {
    QWidget::resizeEvent(Event);
    // The resize Qt held back for the first show was handled when it was made (SizeChanged,
    // or Loaded for a described size): a show is no resize.
    if (Event->size() == FResizedTo)
        return;
    FResizedTo = Event->size();
    Resize();
}

void TKsCustomGraphicControl::Resize() {
    if (FAutoSize)
        AdjustSize();
    if (OnResize)
        OnResize(this);
}

void TKsCustomGraphicControl::SendSynchronize() {
    if (!FSynchronize)
        return;
    if (auto* target = dynamic_cast<TKsSynchronizeTarget*>(window()))
        target->KmSynchronize();
}

void TKsCustomGraphicControl::SurfaceChanged() {
    if (FAutoSize) {
        AdjustSize();
        return;
    }
    SendSynchronize();
    const QRect strips = BottomStrip() | RightStrip();
    if (!strips.isEmpty())
        RepaintNow(pmFillStrips, strips);
}

void TKsCustomGraphicControl::RepaintNow(TPaintMode Mode, const QRect& Area) {
    if (Area.isEmpty() || !isVisible())
        return;
    const TPaintMode previous = FPaintMode;
    FPaintMode = Mode;
    repaint(Area);
    FPaintMode = previous;
}

QRect TKsCustomGraphicControl::RightStrip() const {
    const int surface = ToWidget(QRect(0, 0, FSurface.Width(), 1)).width();
    if (surface >= width())
        return {};
    return QRect(surface, 0, width() - surface, height());
}

QRect TKsCustomGraphicControl::BottomStrip() const {
    const int surface = ToWidget(QRect(0, 0, 1, FSurface.Height())).height();
    if (surface >= height())
        return {};
    return QRect(0, surface, width(), height() - surface);
}
