#pragma once
// A match's deal: a secret of 64 bits from the system's secure generator, committed to at the
// deal and opened once the game is over. The clock's reading, or any number of 32 bits, could be
// searched for from the cards the guest sees.

#include <cstdint>
#include <functional>

// The smallest secret: smaller numbers are the deals a player chooses.
inline constexpr uint64_t MinNetSecretDeal = uint64_t(1) << 32;

uint64_t NetSecretDeal();

// Replaces the generator for this object's lifetime, so that a test deals what it expects.
class TNetSecretOverride {
public:
    explicit TNetSecretOverride(std::function<uint64_t()> Source);
    ~TNetSecretOverride();
    TNetSecretOverride(const TNetSecretOverride&) = delete;
    TNetSecretOverride& operator=(const TNetSecretOverride&) = delete;

private:
    std::function<uint64_t()> FPrevious;
};
