#pragma once
// Where the drawn card art lives and how every card is framed. Shared by the build's picture
// generator, which writes the sets, and the card library, which reads them.
//
// The art comes in densities (card pixels per layout pixel: 1, 2 or 3) and, for the faces, in
// face styles. The plain 1x set is the one the layout is built on; every other set draws the
// same designs more finely or with larger corner indices and four suit colours.

#include <QImage>
#include <QString>

inline constexpr int KsArtMaxScale = 3;

// Face styles, as bits: corner indices about twice as high, and clubs green, diamonds blue.
enum TKsFaceStyle : int { fsPlain = 0, fsLargeIndices = 1, fsFourColours = 2 };
inline constexpr int KsFaceStyleCount = 4;

// Members 1 to 52 are faces and come in every face style; jokers and backs only plain.
inline constexpr int KsFaceMembers = 52;

// The folder of a set: "cards", "cards-2x", "cards-large", "cards-four-3x", ...
QString KsArtSetName(int Scale, int FaceStyle);
// The resource of member M (1 to 69) at Scale in FaceStyle; members without styles give the
// plain set's.
QString KsArtResource(int Member, int Scale, int FaceStyle);
// A table picture ("ring", "waitsign", "title") at Scale: "ring", "ring-2x", ...
QString KsPictureName(const QString& Name, int Scale);
QString KsPictureResource(const QString& Name, int Scale);

// The art density to draw from at a device pixel ratio: the ratio itself when it is a whole
// number up to the largest, else the next larger one, which is then reduced.
int KsArtScaleFor(qreal DevicePixelRatio);

// Frames a card picture drawn at Scale: a black frame Scale pixels wide whose corners are cut
// by diagonals, the pixels outside the diagonals taking Transparent. At Scale 1 this is the
// one-pixel polyline (2,0) (68,0) (70,2) ... with three transparent pixels in each corner.
void KsDrawCardOutline(QImage& Picture, QRgb Transparent, int Scale);
