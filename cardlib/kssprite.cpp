#include "kssprite.h"

#include "ksabort.h"
#include "ksbusy.h"
#include "kscustomgraphiccontrol.h"
#include "ksterminating.h"

#include <QCoreApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QScopedValueRollback>
#include <QScreen>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <typeinfo>
#include <utility>

// Qt lets no one paint on a widget outside its paint event, so what the sprite draws "on the
// form" goes to this layer: a transparent child that covers the form and stays above its other
// widgets. Its canvas holds exactly the pixels the sprite has drawn; everywhere else the form's
// own widgets show through, and mouse events pass straight to them. The canvas is held at the
// sprite's density, so a picture drawn for a dense screen reaches it pixel for pixel.
class TKsSpriteLayer : public QWidget {
public:
    explicit TKsSpriteLayer(QWidget* Form) : QWidget(Form) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
    }

    QImage& Canvas() { return FCanvas; }

    // While set the layer paints nothing, so that rendering the form shows only its widgets.
    bool Suppressed = false;

    // True while the layer repaints at once: the form paints beneath it then, which is no
    // repaint of the form's own.
    bool Showing = false;

    void Show(const QRegion& Area, bool Now) {
        if (!Now) {
            update(Area);
            return;
        }
        const QScopedValueRollback showing(Showing, true);
        repaint(Area);
    }

protected:
    void paintEvent(QPaintEvent* Event) override {
        if (Suppressed || FCanvas.isNull())
            return;
        QPainter painter(this);
        const int density = int(FCanvas.devicePixelRatio());
        for (const QRect& rect : Event->region())
            painter.drawImage(rect.topLeft(), FCanvas,
                              QRect(rect.topLeft() * density, rect.size() * density));
    }

private:
    QImage FCanvas;
};

namespace {

QWidget* RequireForm(QObject* Owner) {
    auto* form = qobject_cast<QWidget*>(Owner);
    if (!form)
        throw std::bad_cast();
    return form;
}

// One pass on one axis: a full step towards Dest, or Dest itself when the step would pass it.
// A step below 1 (the cursor-following increments may be 0) arrives at once instead of stalling.
int32_t StepToward(int32_t Position, int32_t Dest, int32_t Step) {
    const int64_t position = Position;
    if (Dest < Position)
        return (Step < 1 || Dest > position - Step) ? Dest : static_cast<int32_t>(position - Step);
    if (Dest > Position)
        return (Step < 1 || Dest < position + Step) ? Dest : static_cast<int32_t>(position + Step);
    return Position;
}

// Copies pixels as they are, whatever the two images' densities; both hold 32-bit pixels, opaque
// where the source is RGB32, which is what drawing in the mode Source would give.
void CopyInto(QImage& Target, const QPoint& At, const QImage& Source, const QRect& From) {
    const QRect from = From & Source.rect();
    const QPoint at = At + (from.topLeft() - From.topLeft());
    const QRect dest = QRect(at, from.size()) & Target.rect();
    if (dest.isEmpty())
        return;
    Q_ASSERT(Target.depth() == 32 && Source.depth() == 32);
    const QPoint src = from.topLeft() + (dest.topLeft() - at);
    const auto bytes = size_t(dest.width()) * 4;
    for (int y = 0; y < dest.height(); ++y)
        std::memcpy(Target.scanLine(dest.y() + y) + size_t(dest.x()) * 4,
                    Source.constScanLine(src.y() + y) + size_t(src.x()) * 4, bytes);
}

// The density the sprite draws at: the form's device pixel ratio when it is whole; a fractional
// one has no whole device pixel per form pixel, and keeps the form-sized canvas.
int DensityOf(const QWidget& Form) {
    const qreal ratio = Form.devicePixelRatioF();
    const qreal whole = std::round(ratio);
    return whole >= 1 && qFuzzyCompare(ratio, whole) ? int(whole) : 1;
}

// The form pixels a rectangle of device pixels touches.
QRect LogicalCover(const QRect& Device, int Density) {
    if (Density == 1 || Device.isEmpty())
        return Device;
    const auto down = [Density](int V) {
        return V >= 0 ? V / Density : -((-V + Density - 1) / Density);
    };
    return QRect(QPoint(down(Device.left()), down(Device.top())),
                 QPoint(down(Device.right()), down(Device.bottom())));
}

} // namespace

TKsSprite::TKsSprite(QObject* Owner)
    : QObject(Owner), FForm(RequireForm(Owner)),
      FLayer(std::make_unique<TKsSpriteLayer>(FForm.data())) {
    FSnapTimer.setInterval(100);
    connect(&FSnapTimer, &QTimer::timeout, this,
            [this] { KsHandleEvent([this] { FollowCursor(); }); });
    FReleaseTimer.setSingleShot(true);
    FReleaseTimer.setInterval(0);
    connect(&FReleaseTimer, &QTimer::timeout, this,
            [this] { KsHandleEvent([this] { ReleaseCanvas(); }); });
    FitLayer();
    FLayer->show();
    KeepLayerOnTop();
    // Sizes the layer with the form and keeps it on top; the Escape, resize and paint hooks
    // join in once the sprite is loaded.
    FForm->installEventFilter(this);
}

TKsSprite::~TKsSprite() {
    // The layer goes with the members below; the form must not report that to a half-gone
    // sprite.
    if (FForm)
        FForm->removeEventFilter(this);
}

TKsSprite::TDrawBatch::TDrawBatch(TKsSprite& Sprite) : FSprite(&Sprite) {
    ++Sprite.FBatchDepth;
}

TKsSprite::TDrawBatch::~TDrawBatch() {
    if (!FSprite || --FSprite->FBatchDepth > 0)
        return;
    // What the batch put back gives way to the live form in the same repaint, not in one more
    // when the event loop next comes round.
    FSprite->FReleaseTimer.stop();
    const QRegion area = std::exchange(FSprite->FUnshown, QRegion()) | FSprite->ClearReleased();
    if (!area.isEmpty())
        FSprite->FLayer->Show(area, !FSprite->FInFormPaint);
}

void TKsSprite::Loaded() {
    TKsComponent::Loaded();
    FHooked = true;
}

qreal TKsSprite::DevicePixelRatio() const {
    return FForm ? DensityOf(*FForm) : FDensity;
}

QSize TKsSprite::ImageSize() const {
    return QSize((FBitmap.width() + FDensity - 1) / FDensity,
                 (FBitmap.height() + FDensity - 1) / FDensity);
}

QImage TKsSprite::AtDensity(const QImage& Value) const {
    QImage result = Value.convertToFormat(QImage::Format_RGB32);
    if (!result.isNull() && !qFuzzyCompare(result.devicePixelRatio(), qreal(FDensity))) {
        // Enlarged pixel for pixel, as the screen showed such an image before.
        const QSize size = (QSizeF(result.size()) / result.devicePixelRatio()).toSize();
        result = result.scaled(size * FDensity);
    }
    result.setDevicePixelRatio(FDensity);
    return result;
}

void TKsSprite::SetBitmap(const QImage& Value) {
    FBitmap = AtDensity(Value);
}

void TKsSprite::SetIncrementX(int32_t Value) {
    if (Value >= 1)
        FIncrementX = Value;
}

void TKsSprite::SetIncrementY(int32_t Value) {
    if (Value >= 1)
        FIncrementY = Value;
}

void TKsSprite::SetCursorDeltaX(int32_t Value) {
    FCursorDeltaX = Value;
    FCursorCenter = false;
}

void TKsSprite::SetCursorDeltaY(int32_t Value) {
    FCursorDeltaY = Value;
    FCursorCenter = false;
}

void TKsSprite::SetCursorCenter(bool Value) {
    FCursorCenter = Value;
    if (Value) {
        FCursorDeltaX = ImageSize().width() / 2;
        FCursorDeltaY = ImageSize().height() / 2;
    }
}

// Setting a coordinate to the value it has would save the shown image as its own background.
void TKsSprite::SetX(int32_t Value) {
    if (Value == FX)
        return;
    const bool save = FVisible && FDrawOptions.Contains(doAutoErase)
                          ? EraseStep(static_cast<int64_t>(Value) - FX, 0)
                          : true;
    FX = Value;
    if (FVisible)
        DrawSprite(save);
}

void TKsSprite::SetY(int32_t Value) {
    if (Value == FY)
        return;
    const bool save = FVisible && FDrawOptions.Contains(doAutoErase)
                          ? EraseStep(0, static_cast<int64_t>(Value) - FY)
                          : true;
    FY = Value;
    if (FVisible)
        DrawSprite(save);
}

void TKsSprite::SetVisible(bool Value) {
    FVisible = Value;
    if (Value) {
        DrawSprite(true);
        return;
    }
    // A step wider than the background puts all of it back.
    EraseStep(static_cast<int64_t>(FBackground.width()) + 100, 0);
    FBackground = QImage();
    FImageOnCanvas = false;
}

bool TKsSprite::Refused() {
    if (FEnabled && !FEscapeDown)
        return false;
    QCoreApplication::processEvents();
    return true;
}

void TKsSprite::MoveBitmap(int32_t StartX, int32_t StartY, int32_t DestX, int32_t DestY,
                           const QImage* Image, bool KeepVisible) {
    if (Refused())
        return;
    if (Image)
        SetBitmap(*Image);
    FX = StartX;
    FY = StartY;
    FHomeX = StartX;
    FHomeY = StartY;
    FDestX = DestX;
    FDestY = DestY;
    SetVisible(true);
    Animate();
    if (!KeepVisible)
        SetVisible(false);
}

void TKsSprite::MoveTo() {
    if (Refused())
        return;
    Animate();
}

void TKsSprite::MoveBack() {
    if (Refused())
        return;
    if (!FVisible)
        SetVisible(true);
    FDestX = FHomeX;
    FDestY = FHomeY;
    MoveTo();
    SetVisible(false);
}

void TKsSprite::Redraw() {
    if (FVisible)
        DrawSprite(false);
}

void TKsSprite::Animate() {
    std::exception_ptr failure;
    {
        const TKsBusyGuard busy;
        try {
            const int32_t stepX = FIncrementX;
            const int32_t stepY = FIncrementY;
            do {
                if (FDrawOptions.Contains(doProcessMessages))
                    QCoreApplication::processEvents();
                if (KsTerminating())
                    KsAbort();
                const int32_t x = StepToward(FX, FDestX, stepX);
                if (x != FX)
                    SetX(x);
                const int32_t y = StepToward(FY, FDestY, stepY);
                if (y != FY)
                    SetY(y);
            } while (FX != FDestX || FY != FDestY);
        } catch (...) {
            failure = std::current_exception();
        }
    }
    // The move is over however it ended: the busy depth is back before anyone hears of it.
    if (AfterMove)
        AfterMove(this);
    if (failure)
        std::rethrow_exception(failure);
}

bool TKsSprite::EraseStep(int64_t DX, int64_t DY) {
    // In device pixels: the background is held at the sprite's density.
    const int w = FBackground.width();
    const int h = FBackground.height();
    const int x0 = FX * FDensity;
    const int y0 = FY * FDensity;
    DX *= FDensity;
    DY *= FDensity;
    if (std::llabs(DX) >= w || std::llabs(DY) >= h) {
        WriteCanvas(QPoint(x0, y0), FBackground, FBackground.rect(), false);
        return true;
    }
    if (DX == 0 && DY == 0)
        return true;
    // Only the strips the image leaves are put back and only those it is about to cover are
    // read, while the rest of the saved pixels shift inside the background.
    const int dx = static_cast<int>(DX);
    const int dy = static_cast<int>(DY);
    if (dx > 0) {
        WriteCanvas(QPoint(x0, y0), FBackground, QRect(0, 0, dx, h), false);
        ShiftBackground(QRect(dx, 0, w - dx, h), QPoint(0, 0));
        SaveStrip(QPoint(w - dx, 0), QRect(x0 + w, y0, dx, h));
    } else if (dx < 0) {
        const int m = -dx;
        WriteCanvas(QPoint(x0 + w - m, y0), FBackground, QRect(w - m, 0, m, h), false);
        ShiftBackground(QRect(0, 0, w - m, h), QPoint(m, 0));
        SaveStrip(QPoint(0, 0), QRect(x0 - m, y0, m, h));
    }
    if (dy > 0) {
        WriteCanvas(QPoint(x0, y0), FBackground, QRect(0, 0, w, dy), false);
        ShiftBackground(QRect(0, dy, w, h - dy), QPoint(0, 0));
        SaveStrip(QPoint(0, h - dy), QRect(x0, y0 + h, w, dy));
    } else if (dy < 0) {
        const int n = -dy;
        WriteCanvas(QPoint(x0, y0 + h - n), FBackground, QRect(0, h - n, w, n), false);
        ShiftBackground(QRect(0, 0, w, h - n), QPoint(0, n));
        SaveStrip(QPoint(0, 0), QRect(x0, y0 - n, w, n));
    }
    return false;
}

void TKsSprite::DrawSprite(bool SaveBackground) {
    if (FDrawOptions.Contains(doSynchronize))
        SendSynchronize();
    if (!MayDraw())
        return;
    if (DensityOf(*FForm) != FDensity)
        FitLayer();
    const QRect device(QPoint(FX, FY) * FDensity, FBitmap.size());
    if (SaveBackground)
        FBackground = ReadCanvas(device);
    KeepLayerOnTop();
    WriteCanvas(device.topLeft(), FBitmap, FBitmap.rect(), true);
    FShown = QRect(QPoint(FX, FY), ImageSize());
    FImageOnCanvas = true;
}

bool TKsSprite::MayDraw() const {
    const bool wantVisible = FDrawOptions.Contains(doWindowVisible);
    const bool wantInScreen = FDrawOptions.Contains(doWindowInScreen);
    if (wantVisible || wantInScreen) {
        // The clip box: the part of the form that can show anything, cut to its screen.
        QRegion clip;
        if (FForm->isVisible() && !FForm->window()->isMinimized())
            clip = FForm->visibleRegion();
        if (const QScreen* screen = FForm->screen()) {
            const QRect screenArea = screen->geometry();
            clip &= QRect(FForm->mapFromGlobal(screenArea.topLeft()), screenArea.size());
        }
        if (wantVisible && clip.rectCount() != 1)
            return false;
        if (wantInScreen && clip.boundingRect() != FForm->rect())
            return false;
    }
    if (FDrawOptions.Contains(doWindowActive) && !FForm->isActiveWindow())
        return false;
    return true;
}

void TKsSprite::SendSynchronize() {
    if (auto* target = dynamic_cast<TKsSynchronizeTarget*>(FForm->window()))
        target->KmSynchronize();
}

void TKsSprite::FollowCursor() {
    QPoint p = FForm->mapFromGlobal(QCursor::pos());
    if (p.x() <= 0 || p.x() >= FForm->width() || p.y() <= 0 || p.y() >= FForm->height()) {
        SetVisible(false);
        if (OnOutClient)
            OnOutClient(this);
        return;
    }
    p -= QPoint(FCursorDeltaX, FCursorDeltaY);
    if (FFirstSnap) {
        // The centring offsets count from the next tick; this one keeps its point.
        if (FCursorCenter) {
            FCursorDeltaX = ImageSize().width() / 2;
            FCursorDeltaY = ImageSize().height() / 2;
        }
        FHomeX = p.x();
        FHomeY = p.y();
        FFirstSnap = false;
    }
    if (p.x() != FX || p.y() != FY) {
        // Increments as large as the distance: the image arrives in one pass.
        FIncrementX = std::abs(p.x() - FX);
        FIncrementY = std::abs(p.y() - FY);
        FDestX = p.x();
        FDestY = p.y();
        MoveTo();
    }
    if (!FVisible)
        SetVisible(true);
}

void TKsSprite::SetSnapToCursor(bool Value) {
    FSnapToCursor = Value;
    if (Value) {
        FSavedIncrementX = FIncrementX;
        FSavedIncrementY = FIncrementY;
        FBackground = QImage();
        FFirstSnap = true;
        FollowCursor();
        FSnapTimer.start();
        return;
    }
    FSnapTimer.stop();
    QCoreApplication::processEvents();
    SetVisible(false);
    FIncrementX = FSavedIncrementX;
    FIncrementY = FSavedIncrementY;
}

QImage TKsSprite::ReadCanvas(const QRect& Area) {
    QImage result(Area.size(), QImage::Format_RGB32);
    if (result.isNull())
        return result;
    result.fill(Qt::black);
    result.setDevicePixelRatio(FDensity);
    const QRect inside = Area & QRect(QPoint(0, 0), FForm->size() * FDensity);
    if (inside.isEmpty())
        return result;
    // The form pixels the area touches; where it starts or ends inside one (an image of an odd
    // size on a dense screen), they are drawn aside and the area's part copied.
    const QRect logical = LogicalCover(inside, FDensity);
    const QRect whole(logical.topLeft() * FDensity, logical.size() * FDensity);
    const bool aligned =
        whole == inside && (inside.topLeft() - Area.topLeft()) / FDensity * FDensity ==
                               inside.topLeft() - Area.topLeft();
    QImage aside;
    if (!aligned) {
        aside = QImage(whole.size(), QImage::Format_RGB32);
        aside.fill(Qt::black);
        aside.setDevicePixelRatio(FDensity);
    }
    QImage& target = aligned ? result : aside;
    const QPoint at = aligned ? (inside.topLeft() - Area.topLeft()) / FDensity : QPoint(0, 0);
    {
        const QScopedValueRollback reading(FReadingCanvas, true);
        const QScopedValueRollback suppressed(FLayer->Suppressed, true);
        FForm->render(&target, at, QRegion(logical),
                      QWidget::DrawWindowBackground | QWidget::DrawChildren);
    }
    {
        QPainter painter(&target);
        painter.drawImage(at, FLayer->Canvas(), whole);
    }
    if (!aligned)
        CopyInto(result, inside.topLeft() - Area.topLeft(), aside,
                 QRect(inside.topLeft() - whole.topLeft(), inside.size()));
    return result;
}

void TKsSprite::WriteCanvas(const QPoint& At, const QImage& Source, const QRect& From, bool Image) {
    QImage& canvas = FLayer->Canvas();
    const QRect pixels = QRect(At, From.size()) & canvas.rect();
    if (pixels.isEmpty())
        return;
    CopyInto(canvas, pixels.topLeft(), Source,
             QRect(From.topLeft() + (pixels.topLeft() - At), pixels.size()));
    const QRect dest = LogicalCover(pixels, FDensity);
    FPainted += dest;
    if (Image) {
        FImagePixels += dest;
    } else {
        FImagePixels -= dest;
        if (dest.intersects(FShown))
            FImageOnCanvas = false;
        FReleaseTimer.start();
    }
    if (FBatchDepth > 0)
        FUnshown += dest;
    else
        FLayer->Show(dest, !FInFormPaint);
}

void TKsSprite::SaveStrip(const QPoint& At, const QRect& FormArea) {
    const QImage strip = ReadCanvas(FormArea);
    CopyInto(FBackground, At, strip, strip.rect());
}

void TKsSprite::ShiftBackground(const QRect& From, const QPoint& To) {
    const QImage part = FBackground.copy(From);
    CopyInto(FBackground, To, part, part.rect());
}

void TKsSprite::ReleaseCanvas() {
    if (const QRegion gone = ClearReleased(); !gone.isEmpty())
        FLayer->Show(gone, true);
}

QRegion TKsSprite::ClearReleased() {
    // Pixels put back give way to the live form at once; drawn images stay, as on a real
    // canvas, until the form repaints under them. The shown image always stays.
    const QRegion keep = FVisible ? QRegion(FShown) : QRegion();
    const QRegion gone = ((FPainted - FImagePixels) | (FPainted & FRepainted)) - keep;
    FRepainted = QRegion();
    if (gone.isEmpty())
        return gone;
    {
        QPainter painter(&FLayer->Canvas());
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        for (const QRect& rect : gone)
            painter.fillRect(rect, Qt::transparent);
    }
    FPainted -= gone;
    FImagePixels -= gone;
    return gone;
}

void TKsSprite::FitLayer() {
    QImage& canvas = FLayer->Canvas();
    if (const int density = DensityOf(*FForm); density != FDensity) {
        // Another screen: what was drawn at the old density is gone, and redrawn at the next
        // move.
        FDensity = density;
        canvas = QImage();
        FPainted = FImagePixels = QRegion();
        FBackground = QImage();
        FImageOnCanvas = false;
        if (!FBitmap.isNull())
            FBitmap = AtDensity(FBitmap);
        FLayer->update();
    }
    const QRect form = FForm->rect();
    if (canvas.size() != form.size() * FDensity) {
        QImage resized(form.size() * FDensity, QImage::Format_ARGB32_Premultiplied);
        if (!resized.isNull()) {
            resized.fill(Qt::transparent);
            if (!canvas.isNull())
                CopyInto(resized, QPoint(0, 0), canvas, canvas.rect());
            resized.setDevicePixelRatio(FDensity);
        }
        canvas = resized;
        FPainted &= QRegion(form);
        FImagePixels &= QRegion(form);
    }
    FLayer->setGeometry(form);
}

void TKsSprite::KeepLayerOnTop() {
    if (!FLayer)
        return;
    const QObjectList& children = FForm->children();
    for (auto it = children.crbegin(); it != children.crend(); ++it) {
        if (!(*it)->isWidgetType())
            continue;
        if (*it != FLayer.get())
            FLayer->raise();
        return;
    }
}

bool TKsSprite::eventFilter(QObject* Watched, QEvent* Event) {
    if (Watched != FForm.data())
        return false;
    bool consumed = false;
    KsHandleEvent([&] {
        switch (Event->type()) {
        case QEvent::KeyPress: {
            const auto* key = static_cast<QKeyEvent*>(Event);
            if (FHooked && key->key() == Qt::Key_Escape && FEnabled &&
                FDrawOptions.Contains(doDetectEscKey))
                FEscapeDown = true;
            break;
        }
        case QEvent::KeyRelease: {
            // Auto-repeat sends releases while the key is still held.
            const auto* key = static_cast<QKeyEvent*>(Event);
            if (FHooked && key->key() == Qt::Key_Escape && !key->isAutoRepeat() && FEscapeDown)
                FEscapeDown = false;
            break;
        }
        case QEvent::Resize: {
            const auto* resize = static_cast<QResizeEvent*>(Event);
            if (FHooked && !FRestoringSize && FDrawOptions.Contains(doWindowPreventResize) &&
                Busy() && resize->oldSize().isValid() && resize->oldSize() != resize->size()) {
                // Qt has no veto on a resize: take it back before the form hears of it.
                const QScopedValueRollback restoring(FRestoringSize, true);
                FForm->resize(resize->oldSize());
                consumed = true;
                break;
            }
            FitLayer();
            break;
        }
        case QEvent::Paint: {
            if (FReadingCanvas || FLayer->Showing)
                break;
            FRepainted += static_cast<QPaintEvent*>(Event)->region();
            if (!FPainted.isEmpty())
                FReleaseTimer.start();
            // The layer keeps the image through the form's repaints; only an image that our
            // own put-back pixels have cut into needs drawing again.
            const QRect image(QPoint(FX, FY), ImageSize());
            if (FHooked && FDrawOptions.Contains(doAutoRefresh) && FVisible &&
                !(FImageOnCanvas && FShown == image)) {
                const QScopedValueRollback inPaint(FInFormPaint, true);
                Redraw();
            }
            break;
        }
        case QEvent::ChildAdded:
        case QEvent::ChildPolished:
            KeepLayerOnTop();
            break;
        default:
            break;
        }
    });
    return consumed;
}
