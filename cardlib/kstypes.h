#pragma once
// Enumerations and small value types shared across the card library.

#include <QRect>
#include <cstdint>

enum TKsCardSuitType : uint8_t { stClub, stDiamond, stHeart, stSpade, stJoker };

enum TKsCardBackType : uint8_t {
    cbDefault,
    cbLabyrinth,
    cbIvyBlack,
    cbIvyBlue,
    cbFishCyan,
    cbFishBlue,
    cbHawai,
    cbIceCream,
    cbRobot,
    cbTricky,
    cbFlower,
    cbCastle,
    cbX,
    cbO,
    cbDots
};

enum TKsCascadeStyle : uint8_t { csNormal, csTight, csLoose };
enum TKsCascadeSide : uint8_t { csRight, csDown };
enum TKsSortStyle : uint8_t { soNone, soSuit, soValue };
enum TKsController : uint8_t { ctComputer, ctNetwork, ctHuman };
enum TKsTablePos : uint8_t { tpAuto, tpBottom, tpLeft, tpTop, tpRight };
enum TKsTableDir : uint8_t { tdClockWise, tdCounterClockWise };
enum TKsVisualDeckType : uint8_t { dcSingle, dcDouble };

// Every card picture is this size; the whole layout is built on these two numbers.
inline constexpr int KsCardWidth = 71;
inline constexpr int KsCardHeight = 96;

// A rectangle given by its edges; Right and Bottom lie just outside it.
struct TKsRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;

    constexpr int32_t Width() const { return Right - Left; }
    constexpr int32_t Height() const { return Bottom - Top; }
    QRect ToQRect() const { return QRect(Left, Top, Right - Left, Bottom - Top); }
    constexpr bool operator==(const TKsRect&) const = default;
};

class TKsSingleCard;
class TKsCustomCardControl;
class TKsCardGroup;
class TKsCardTable;
class TKsCardDeck;
class TKsSprite;
class TKsVirtualDeck;
