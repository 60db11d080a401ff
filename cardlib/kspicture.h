#pragma once
// The format the program's pictures are packed in: the pixels as they are drawn, packed by
// Zstandard, which unpacks several times faster than deflate and packs them smaller. Reading
// one costs an unpacking straight into the picture, with none of an image codec's set-up (Qt's
// image reader scans its plugins on first use, which cost more than the rest of the card deck).
//
//   bytes 0-3  "KSPC"
//   bytes 4-7  width and height, 16-bit little-endian each, 1 to KsPictureMaxSide
//   byte  8    0: opaque (QImage::Format_RGB32), 1: with alpha (Format_ARGB32_Premultiplied)
//   bytes 9-12 the unpacked size, 32-bit big-endian: width x height x 4
//   bytes 13-  one Zstandard frame with its checksum: the width x height pixels, rows top to
//              bottom, each a 32-bit word in the byte order of the machine that built the
//              program

#include <QImage>
#include <QString>
#include <cstdint>

inline constexpr int KsPictureMaxSide = 4096;

// The picture in file Path, or a null image when the file is missing or not such a picture.
QImage KsReadPicture(const QString& Path);
QImage KsDecodePicture(const QByteArray& Data);
// Pictures decoded since the program started: the soak counts the decodes of pictures seen for
// the first time, the tests that a picture once decoded is not decoded again.
uint64_t KsDecodedPictures();

// Packs Picture: opaque pictures as RGB32, others with their alpha.
QByteArray KsEncodePicture(const QImage& Picture);
// Writes Picture to Path through a temporary file; false when it cannot be written.
bool KsWritePicture(const QImage& Picture, const QString& Path);
