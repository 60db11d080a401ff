#include "SpeedRules.h"

#include <cstddef>

namespace SpeedRules {

bool NextRank(int32_t A, int32_t B) {
    return A == B + 1 || A == B - 1 || (A == 14 && B == 2) || (A == 2 && B == 14);
}

bool Takes(const TPiles& Piles, int Pile, int32_t Value) {
    if (Pile != 1 && Pile != 2)
        return false;
    const std::size_t at = std::size_t(Pile - 1);
    return !Piles.Busy[at] && NextRank(Value, Piles.Tops[at]);
}

int PileFor(const TPiles& Piles, int32_t Value, int Wanted) {
    if (Wanted != 0)
        return Takes(Piles, Wanted, Value) ? Wanted : 0;
    return Takes(Piles, 1, Value) ? 1 : Takes(Piles, 2, Value) ? 2 : 0;
}

bool CanPlay(const std::array<int32_t, 4>& Slots, const std::array<int32_t, 2>& Tops) {
    for (const int32_t value : Slots)
        if (value != 0 && (NextRank(value, Tops[0]) || NextRank(value, Tops[1])))
            return true;
    return false;
}

} // namespace SpeedRules
