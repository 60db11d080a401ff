#pragma once
// The library's one random generator: seed := seed * 134775813 + 1 (mod 2^32); a random integer
// below n is the high 32 bits of seed * n. Only deck preparation reseeds it: from the clock, or
// from a deal's number.

#include <cstdint>
#include <functional>

uint32_t KsRandSeed();
void KsSetRandSeed(uint32_t Seed);

// Advances the generator and returns an integer in 0 .. Range - 1 (0 when Range <= 0).
int32_t KsRandom(int32_t Range);

// The seed clock: the time of day in UTC, in milliseconds since midnight.
using TKsSeedClock = std::function<uint32_t()>;
uint32_t KsClockMilliseconds();

// Reseeds the generator from the seed clock.
void KsRandomize();

// Replaces the seed clock for this object's lifetime, so a test can fix a deal.
class TKsSeedClockOverride {
public:
    explicit TKsSeedClockOverride(TKsSeedClock Clock);
    ~TKsSeedClockOverride();
    TKsSeedClockOverride(const TKsSeedClockOverride&) = delete;
    TKsSeedClockOverride& operator=(const TKsSeedClockOverride&) = delete;

private:
    TKsSeedClock FPrevious;
};

// For this object's lifetime every reseed takes a deal's number in place of the clock: the first
// reseed takes Number itself and each later one the generator's next step from the one before,
// so that two shuffles of one deal still differ. The same number then always deals the same
// cards.
//
// A number of 2^32 or more is a key instead: the generator's 32 bits of state could be found
// from a few cards of the deal, so each reseed starts a stream of SHA-256 blocks of the key,
// the reseed's count and the block's, which nobody can run back to the key.
class TKsDealNumber {
public:
    explicit TKsDealNumber(uint64_t Number);
    ~TKsDealNumber();
    TKsDealNumber(const TKsDealNumber&) = delete;
    TKsDealNumber& operator=(const TKsDealNumber&) = delete;

    uint64_t Number() const { return FNumber; }

private:
    uint64_t FNumber;
    uint32_t FNext;
    TKsSeedClockOverride FClock;
};

// The first deal number that is a key.
inline constexpr uint64_t KsFirstDealKey = uint64_t(1) << 32;
