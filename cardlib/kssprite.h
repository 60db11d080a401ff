#pragma once
// The sprite: flies one image across the client area of its form, step by step, keeping the
// form pixels it covers and putting them back as it moves. The card library shows a card
// travelling with it; it can also follow the mouse cursor.

#include "kscomponent.h"
#include "ksdrawoptions.h"

#include <QImage>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QRegion>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>

class TKsSprite;
class TKsSpriteLayer;

using TKsSpriteNotifyEvent = std::function<void(TKsSprite* Sender)>;

class TKsSprite : public QObject, public TKsComponent {
    Q_OBJECT
public:
    // Owner must be a widget, the form the sprite draws on (std::bad_cast otherwise); it owns
    // the sprite.
    explicit TKsSprite(QObject* Owner);
    ~TKsSprite() override;

    // Shows Image (the current Bitmap when null) at the start point, moves it to the
    // destination and hides it again unless KeepVisible.
    void MoveBitmap(int32_t StartX, int32_t StartY, int32_t DestX, int32_t DestY,
                    const QImage* Image, bool KeepVisible);
    // Moves the image from (X, Y) to (DestX, DestY).
    void MoveTo();
    // Moves the image back to where the last MoveBitmap started, and hides it.
    void MoveBack();
    // Draws the image again at its place if it is shown.
    void Redraw();

    // End of loading: from here on the sprite watches the form's Escape key, resizing and
    // painting.
    void Loaded() override;

    QWidget* Form() const { return FForm; }
    // The device pixel ratio it draws at: the form's when whole, else 1. Positions and sizes
    // stay in form pixels; an image of another ratio is enlarged or reduced to this one.
    qreal DevicePixelRatio() const;

    // Always opaque: every pixel of the image is drawn. Held at the sprite's ratio.
    const QImage& Bitmap() const { return FBitmap; }
    void SetBitmap(const QImage& Value);
    // The form pixels under the shown image, at the sprite's ratio; empty once it has been
    // hidden.
    const QImage& Background() const { return FBackground; }

    int32_t X() const { return FX; }
    void SetX(int32_t Value);
    int32_t Y() const { return FY; }
    void SetY(int32_t Value);

    // Step sizes in pixels; values below 1 are ignored.
    int32_t IncrementX() const { return FIncrementX; }
    void SetIncrementX(int32_t Value);
    int32_t IncrementY() const { return FIncrementY; }
    void SetIncrementY(int32_t Value);

    int32_t DestX() const { return FDestX; }
    void SetDestX(int32_t Value) { FDestX = Value; }
    int32_t DestY() const { return FDestY; }
    void SetDestY(int32_t Value) { FDestY = Value; }

    int32_t HomeX() const { return FHomeX; }
    int32_t HomeY() const { return FHomeY; }

    // While false no move is animated.
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value) { FEnabled = Value; }

    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);

    bool SnapToCursor() const { return FSnapToCursor; }
    void SetSnapToCursor(bool Value);

    int32_t CursorDeltaX() const { return FCursorDeltaX; }
    void SetCursorDeltaX(int32_t Value);
    int32_t CursorDeltaY() const { return FCursorDeltaY; }
    void SetCursorDeltaY(int32_t Value);
    bool CursorCenter() const { return FCursorCenter; }
    void SetCursorCenter(bool Value);

    TKsDrawOptions DrawOptions() const { return FDrawOptions; }
    void SetDrawOptions(TKsDrawOptions Value) { FDrawOptions = Value; }

    // True from an Escape key-down on the form until its key-up; moves are refused meanwhile.
    bool EscapeDown() const { return FEscapeDown; }

    // While one lives, what the sprite draws reaches the screen in one repaint when the last
    // one ends rather than at every write: a caller that sets X and then Y for one frame of its
    // own shows that frame once.
    class TDrawBatch {
    public:
        explicit TDrawBatch(TKsSprite& Sprite);
        ~TDrawBatch();
        TDrawBatch(const TDrawBatch&) = delete;
        TDrawBatch& operator=(const TDrawBatch&) = delete;

    private:
        QPointer<TKsSprite> FSprite;
    };

    // Raised at the end of every animation, also when it ends by an exception.
    TKsSpriteNotifyEvent AfterMove;
    // Raised on each cursor-following tick that finds the cursor outside the form.
    TKsSpriteNotifyEvent OnOutClient;

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    // True when a move must be refused: disabled, or Escape held.
    bool Refused();
    void Animate();
    // Puts back what the image uncovers when it moves by (DX, DY); true when the background
    // must be saved anew at the new place.
    bool EraseStep(int64_t DX, int64_t DY);
    void DrawSprite(bool SaveBackground);
    bool MayDraw() const;
    void FollowCursor();
    void SendSynchronize();

    // The image's size in form pixels.
    QSize ImageSize() const;
    QImage AtDensity(const QImage& Value) const;
    // The form canvas: what the form's widgets show, with what the sprite drew on top. Area,
    // and At and From below, are in device pixels.
    QImage ReadCanvas(const QRect& Area);
    // Image tells a drawn image from pixels put back.
    void WriteCanvas(const QPoint& At, const QImage& Source, const QRect& From, bool Image);
    void SaveStrip(const QPoint& At, const QRect& FormArea);
    void ShiftBackground(const QRect& From, const QPoint& To);
    void ReleaseCanvas();
    // Clears what ReleaseCanvas gives way to the live form and returns where, showing nothing.
    QRegion ClearReleased();
    void FitLayer();
    void KeepLayerOnTop();

    QPointer<QWidget> FForm;
    std::unique_ptr<TKsSpriteLayer> FLayer;
    QTimer FSnapTimer;
    // Runs when the event loop next comes round: pixels put back, and drawn pixels the form has
    // repainted since, give way to the live form.
    QTimer FReleaseTimer;

    bool FFirstSnap = false;
    bool FEnabled = true;
    bool FVisible = false;
    int FDensity = 1;
    int32_t FHomeX = 0;
    int32_t FHomeY = 0;
    int32_t FY = 0;
    int32_t FX = 0;
    QImage FBitmap;
    QImage FBackground;
    int32_t FIncrementY = 4;
    int32_t FIncrementX = 4;
    int32_t FDestY = 0;
    int32_t FDestX = 0;
    bool FSnapToCursor = false;
    int32_t FCursorDeltaY = 0;
    int32_t FCursorDeltaX = 0;
    bool FCursorCenter = true;
    int32_t FSavedIncrementX = 0;
    int32_t FSavedIncrementY = 0;
    bool FEscapeDown = false;
    TKsDrawOptions FDrawOptions = KsDefaultDrawOptions;

    bool FHooked = false;
    bool FReadingCanvas = false;
    bool FRestoringSize = false;
    bool FInFormPaint = false;
    // Where the image was last drawn, and whether it is still whole there.
    QRect FShown;
    bool FImageOnCanvas = false;
    // The parts of the layer that hold pixels, those of them that hold a drawn image, and the
    // parts of the form that repainted since the layer last gave way.
    QRegion FPainted;
    QRegion FImagePixels;
    QRegion FRepainted;
    // Inside a draw batch: its depth, and the layer area written but not yet shown.
    int FBatchDepth = 0;
    QRegion FUnshown;
};
