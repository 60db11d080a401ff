#include "ksrandom.h"

#include <QDateTime>
#include <QTime>

namespace {

uint32_t gSeed = 0;

uint32_t SystemClock() {
    return static_cast<uint32_t>(QDateTime::currentDateTimeUtc().time().msecsSinceStartOfDay());
}

TKsSeedClock gClock = SystemClock;

uint32_t Step(uint32_t Seed) {
    return Seed * 134775813u + 1u;
}

} // namespace

uint32_t KsRandSeed() {
    return gSeed;
}

void KsSetRandSeed(uint32_t Seed) {
    gSeed = Seed;
}

int32_t KsRandom(int32_t Range) {
    gSeed = Step(gSeed);
    if (Range <= 0)
        return 0;
    return static_cast<int32_t>((static_cast<uint64_t>(gSeed) * static_cast<uint32_t>(Range)) >>
                                32);
}

uint32_t KsClockMilliseconds() {
    return gClock();
}

void KsRandomize() {
    gSeed = KsClockMilliseconds();
}

TKsSeedClockOverride::TKsSeedClockOverride(TKsSeedClock Clock) : FPrevious(std::move(gClock)) {
    gClock = std::move(Clock);
}

TKsSeedClockOverride::~TKsSeedClockOverride() {
    gClock = std::move(FPrevious);
}

TKsDealNumber::TKsDealNumber(uint32_t Number)
    : FNumber(Number), FNext(Number), FClock([this] {
          const uint32_t seed = FNext;
          FNext = Step(FNext);
          return seed;
      }) {}
