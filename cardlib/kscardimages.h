#pragma once
// The shared card image store: entries 1 to 70 (faces by card ID, backs from 56), loaded from
// the program's image set when the first card is created and freed when the last one goes.

#include "ksartset.h"
#include "kstypes.h"

#include <QImage>
#include <QString>
#include <cstdint>

// One entry of the store. Its picture is decoded the first time it is drawn, and only at the
// density and in the face style in use: start-up shows a back or two of the 70, and decoding
// them all cost more than building the rest of the window.
class TKsCardImage {
public:
    TKsCardImage() = default;
    TKsCardImage(int Number, QRgb TransparentColor)
        : FNumber(Number), FTransparentColor(TransparentColor) {}

    // 71 x 96, RGB32, outline drawn.
    const QImage& Image() const { return Image(1); }
    // The picture for a device pixel ratio: 71 x 96 times the ratio (rounded), from the art of
    // that density or smoothly reduced from larger art, outline drawn in device pixels.
    const QImage& Image(qreal DevicePixelRatio) const;
    // Pixels of this colour show the background.
    QRgb TransparentColor() const { return FTransparentColor; }

private:
    int FNumber = 0;
    QRgb FTransparentColor = 0;
    mutable QImage FImage;
    mutable qreal FRatio = 0;       // what FImage was made for; 0 before the first decode
    mutable uint32_t FStyleAge = 0; // the face style generation FImage was made in
};

inline constexpr int KsCardImageCount = 70;

void AcquireCardImages();
void ReleaseCardImages();
uint32_t CardImageUsers();

// The face style of the store's faces (TKsFaceStyle bits: large indices, four colours), plain
// at start. Changing it makes every face decode again when next drawn; the card controls must
// then redraw.
int CardFaceStyle();
void SetCardFaceStyle(int Style);

// Entry N (1 to 70) of the store, or nullptr when N is outside the store or it is not loaded.
const TKsCardImage* CardImage(int N);

// 56 + B for a back design; -1 for any other value.
int BackImageNumber(int B);

// The image-set member (1 to 69) that image number N is loaded from.
int ImageSetMember(int N);

// The resource path of image-set member M, in the plain 1x set or at Scale in Style.
QString ImageSetResource(int M);
QString ImageSetResource(int M, int Scale, int Style);

// Frames Picture with the cut-corner outline; the cut corners take Transparent.
void DrawCardOutline(QImage& Picture, QRgb Transparent);

// Raised when an image-set member cannot be loaded.
class EKsResNotFound : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
