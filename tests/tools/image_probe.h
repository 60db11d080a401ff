// Pixel measurements on the shipped card pictures, shared by the image tests.
#pragma once

#include <QImage>
#include <QRect>
#include <functional>
#include <map>

namespace imageprobe {

constexpr QRgb Magenta = 0xFFFF00FFu;
constexpr QRgb White = 0xFFFFFFFFu;
constexpr QRgb Black = 0xFF000000u;

// Member 1 to 69 as compiled into the program's resources, in 32-bit RGB.
QImage Member(int Number);
// A table picture, :/pictures/<Name>.kspc, with its alpha channel.
QImage TablePicture(const QString& Name);

// How many pixels of each colour (alpha ignored) lie in Area, or in the whole picture.
std::map<QRgb, int> ColourCounts(const QImage& Picture, QRect Area = {});

// Separate 8-connected shapes of pixels for which Inside holds, within Area.
int CountShapes(const QImage& Picture, QRect Area, const std::function<bool(QRgb)>& Inside);
// The sizes of those shapes.
std::vector<int> ShapeSizes(const QImage& Picture, QRect Area,
                            const std::function<bool(QRgb)>& Inside);

// Mean absolute difference per colour channel, 0 to 255.
double MeanDifference(const QImage& A, const QImage& B);

bool IsRedInk(QRgb C);
bool IsBlueInk(QRgb C);

} // namespace imageprobe
