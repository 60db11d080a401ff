// The card image set: what each member shows and the drawing of every member, plus the two
// table pictures and the contact sheet used to look the set over.
#pragma once

#include "shapes.h"

#include <QImage>
#include <vector>

namespace cardgen {

constexpr int MemberCount = 69;

// The back designs in the order of the card library's back types, cbDefault to cbDots.
enum class TBack {
    Default,
    Labyrinth,
    IvyBlack,
    IvyBlue,
    FishCyan,
    FishBlue,
    Hawai,
    IceCream,
    Robot,
    Tricky,
    Flower,
    Castle,
    X,
    O,
    Dots
};
constexpr int BackCount = 15;

enum class TMemberKind { Face, Joker, Back };

struct TMember {
    TMemberKind Kind = TMemberKind::Face;
    TSuit Suit = TSuit::Club; // faces
    int Rank = 1;             // faces: 1 (Ace) to 13 (King)
    bool RedJoker = false;    // jokers
    TBack Back = TBack::Default;
};

// Every picture below is drawn at the scale and in the face style of DrawSettings (raster.h).
// Members run: each suit Ace first, clubs, diamonds, hearts, spades; the red and the blue joker;
// then the fifteen backs.
TMember MemberContent(int Member);
QImage DrawMember(int Member);
// The colour drawn where the table shows through.
QRgb TransparentColourOf(int Member);

// Faces (faces.cpp, courts.cpp).
QImage DrawPipCard(TSuit Suit, int Rank); // Ace to Ten
QImage DrawCourt(TSuit Suit, int Rank);   // Jack, Queen, King
void DrawCornerIndices(QImage& Card, TSuit Suit, int Rank);
// The top-left corner index's place, in card pixels.
QRect CornerIndexArea();
QRgb InkOf(TSuit Suit);

QImage DrawJoker(bool Red);
QImage DrawBack(TBack Back);

// The table pictures, with an alpha channel.
QImage DrawRing();     // 80 x 80, under each central pile
QImage DrawWaitSign(); // 32 x 32

// The panel along the main window's left edge: felt, a gilt edge, the title set like a book's
// spine and the four suits; opaque, 90 x 453. The program writes its version below the suits.
QImage DrawTitle();

// All members in a grid with their numbers, the way the table shows them (frame and cut
// corners added, the transparent colour showing the table), the pictures in a row below; at
// the scale the members and pictures were drawn at.
QImage DrawContactSheet(const std::vector<QImage>& Members, const std::vector<QImage>& Pictures);
// Where a member's card lies on the contact sheet, in card pixels.
QRect ContactSheetCard(int Member);

} // namespace cardgen
