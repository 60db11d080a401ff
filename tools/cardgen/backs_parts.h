// The back designs, one function each, shared between the back drawing files.
#pragma once

#include "raster.h"

#include <QImage>
#include <cstdint>

namespace cardgen::backs {

QImage WovenDiagonal(); // cbDefault
QImage WovenSquare();   // cbLabyrinth
QImage Ivy(QRgb Ground);
QImage Fish(bool Seaweed);
QImage Beach();
QImage IceCream();
QImage Robot();
QImage Tricky();
QImage Roses();
QImage Castle();
QImage BigX();
QImage BigO();
QImage Dots();

// A small fixed pseudo-random sequence, so scattered details land in the same places on every
// machine (the standard distributions may differ between libraries).
class TScatter {
public:
    explicit TScatter(uint32_t Seed) : state(Seed) {}
    // Uniform in [Low, High).
    double Next(double Low, double High);

private:
    uint32_t state;
};

} // namespace cardgen::backs
