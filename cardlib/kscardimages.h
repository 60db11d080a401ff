#pragma once
// The shared card image store: entries 1 to 70 (faces by card ID, backs from 56), loaded from
// the program's image set when the first card is created and freed when the last one goes.

#include "kstypes.h"

#include <QImage>
#include <QString>
#include <cstdint>

struct TKsCardImage {
    QImage Image;              // 71 x 96, RGB32, outline drawn
    QRgb TransparentColor = 0; // pixels of this colour show the background
};

inline constexpr int KsCardImageCount = 70;

void AcquireCardImages();
void ReleaseCardImages();
uint32_t CardImageUsers();

// Entry N (1 to 70) of the store, or nullptr when N is outside the store or it is not loaded.
const TKsCardImage* CardImage(int N);

// 56 + B for a back design; -1 for any other value.
int BackImageNumber(int B);

// The image-set member (1 to 69) that image number N is loaded from.
int ImageSetMember(int N);

// The resource path of image-set member M.
QString ImageSetResource(int M);

// Frames Picture with the cut-corner outline; the cut corners take Transparent.
void DrawCardOutline(QImage& Picture, QRgb Transparent);

// Raised when an image-set member cannot be loaded.
class EKsResNotFound : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
