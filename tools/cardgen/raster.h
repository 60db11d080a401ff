// Raster helpers shared by every picture: a finely sampled drawing surface that is reduced to
// card pixels by majority vote, so each output pixel keeps one of the colours actually drawn
// (no blended edge colours), and one-colour masks that can be stamped upright or upside down.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <functional>
#include <initializer_list>
#include <optional>

namespace cardgen {

constexpr int CardWidth = 71;
constexpr int CardHeight = 96;

// Samples per output pixel along each axis.
constexpr int FineSamples = 8;

// What the pictures are drawn for. Every design is laid out in card pixels of the 71 x 96 card;
// Scale output pixels stand for one of them, so a larger scale draws the same shapes finer.
// The face style asks for the large corner indices and the four suit colours.
struct TDrawSettings {
    int Scale = 1;
    bool LargeIndices = false;
    bool FourColours = false;
};
const TDrawSettings& DrawSettings();
inline int OutputScale() {
    return DrawSettings().Scale;
}

// Draws with Settings while it lives.
class TDrawScope {
public:
    explicit TDrawScope(const TDrawSettings& Settings);
    ~TDrawScope();
    TDrawScope(const TDrawScope&) = delete;
    TDrawScope& operator=(const TDrawScope&) = delete;

private:
    TDrawSettings FPrevious;
};

// Colours with a fixed meaning for the card library.
constexpr QRgb Transparent = 0xFFFF00FFu; // magenta: "background here"
constexpr QRgb White = 0xFFFFFFFFu;
constexpr QRgb Black = 0xFF000000u;
constexpr QRgb SuitRed = 0xFFE00000u;

// The colours of court cards and jokers: at most sixteen, never the transparent magenta.
namespace palette {
constexpr QRgb Red = SuitRed;
constexpr QRgb DarkRed = 0xFF900000u;
constexpr QRgb Gold = 0xFFFFCC00u;
constexpr QRgb Ochre = 0xFFC08000u;
constexpr QRgb Blue = 0xFF0040D0u;
constexpr QRgb Navy = 0xFF000080u;
constexpr QRgb Skin = 0xFFFFD8B0u;
constexpr QRgb SkinShade = 0xFFE0A078u;
constexpr QRgb Grey = 0xFF808080u;
constexpr QRgb Silver = 0xFFC0C0C0u;
constexpr QRgb Green = 0xFF008000u;
constexpr QRgb Brown = 0xFF804000u;
constexpr QRgb Sky = 0xFF60C0FFu;
} // namespace palette

// Flat-colour shapes in output pixel units, for building pictures piece by piece.
class TArtist {
public:
    explicit TArtist(QPainter& Painter) : p(Painter) {}
    void Rect(qreal X, qreal Y, qreal W, qreal H, QRgb Colour);
    void Polygon(std::initializer_list<QPointF> Points, QRgb Colour);
    void Ellipse(QPointF Centre, qreal Rx, qreal Ry, QRgb Colour);
    void Fill(const QPainterPath& Path, QRgb Colour);
    // A stroke of the given width with flat ends.
    void Line(const QPainterPath& Path, qreal Width, QRgb Colour);
    void Line(QPointF From, QPointF To, qreal Width, QRgb Colour);
    QPainter& Painter() { return p; }

private:
    QPainter& p;
};

// A drawing surface sampled FineSamples times finer than its output, which is Width x Height
// card pixels at the output scale. The painter works in card pixel units with antialiasing off,
// so every sample holds exactly a colour that was painted.
class TFineCanvas {
public:
    TFineCanvas(int Width, int Height, QRgb Background);
    TFineCanvas(const TFineCanvas&) = delete;
    TFineCanvas& operator=(const TFineCanvas&) = delete;

    QPainter& Painter() { return *painter; }
    // Ends painting and returns the output-sized picture.
    QImage Result();

private:
    QImage fine;
    std::optional<QPainter> painter;
};

// Reduces each Factor x Factor block to its most frequent colour; ties go to the darker colour
// so that thin dark lines survive.
QImage MajorityDownsample(const QImage& Fine, int Factor);

// A one-colour shape of the given size in card pixels (the mask itself is that times the output
// scale): Grayscale8, 255 where the shape covers at least half of the pixel, 0 elsewhere. Draw
// paints in card pixel units with any brush or pen.
QImage RenderMask(QSize Size, const std::function<void(QPainter&)>& Draw);

// Paints Colour into Target wherever Mask is set, with the mask's top-left corner at card pixel
// At; UpsideDown turns the mask by 180 degrees first.
void Stamp(QImage& Target, const QImage& Mask, QPoint At, QRgb Colour, bool UpsideDown = false);

// Puts At and its counterpart turned about the card centre, as the corners of a card show it.
void StampBothWays(QImage& Card, const QImage& Mask, QPoint At, QRgb Colour);

// Copies the top half of a card, turned by 180 degrees, over its bottom half.
void MirrorTopHalf(QImage& Card);

// Replaces every pixel of colour From by To.
void ReplaceColour(QImage& Picture, QRgb From, QRgb To);

} // namespace cardgen
