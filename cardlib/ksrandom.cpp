#include "ksrandom.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QTime>
#include <array>
#include <optional>

namespace {

uint32_t gSeed = 0;

// The keyed stream a deal of a key draws from.
struct TKeyStream {
    uint64_t Key = 0;
    uint32_t Reseed = 0;
    uint32_t Block = 0;
    std::array<uint32_t, 8> Words{};
    size_t Used = 8;

    uint32_t Next() {
        if (Used == Words.size()) {
            QByteArray input;
            for (int shift = 56; shift >= 0; shift -= 8)
                input.append(static_cast<char>(Key >> shift));
            for (const uint32_t v : {Reseed, Block})
                for (int shift = 24; shift >= 0; shift -= 8)
                    input.append(static_cast<char>(v >> shift));
            const QByteArray hash = QCryptographicHash::hash(input, QCryptographicHash::Sha256);
            const auto* h = reinterpret_cast<const uint8_t*>(hash.constData());
            for (size_t i = 0; i < Words.size(); ++i)
                Words[i] = uint32_t(h[4 * i]) << 24 | uint32_t(h[4 * i + 1]) << 16 |
                           uint32_t(h[4 * i + 2]) << 8 | h[4 * i + 3];
            ++Block;
            Used = 0;
        }
        return Words[Used++];
    }
};

std::optional<TKeyStream> gKeyed;

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
    const uint32_t value = gKeyed ? gKeyed->Next() : (gSeed = Step(gSeed));
    if (Range <= 0)
        return 0;
    return static_cast<int32_t>((static_cast<uint64_t>(value) * static_cast<uint32_t>(Range)) >>
                                32);
}

uint32_t KsClockMilliseconds() {
    return gClock();
}

void KsRandomize() {
    gSeed = KsClockMilliseconds();
    // The clock of a keyed deal counts its reseeds: each starts a stream of its own.
    if (gKeyed) {
        gKeyed->Reseed = gSeed;
        gKeyed->Block = 0;
        gKeyed->Used = gKeyed->Words.size();
    }
}

TKsSeedClockOverride::TKsSeedClockOverride(TKsSeedClock Clock) : FPrevious(std::move(gClock)) {
    gClock = std::move(Clock);
}

TKsSeedClockOverride::~TKsSeedClockOverride() {
    gClock = std::move(FPrevious);
}

TKsDealNumber::TKsDealNumber(uint64_t Number)
    : FNumber(Number), FNext(uint32_t(Number)), FClock([this] {
          const uint32_t seed = FNext;
          FNext = FNumber < KsFirstDealKey ? Step(FNext) : FNext + 1;
          return seed;
      }) {
    if (Number >= KsFirstDealKey) {
        gKeyed.emplace();
        gKeyed->Key = Number;
        FNext = 0;
    }
}

TKsDealNumber::~TKsDealNumber() {
    if (FNumber >= KsFirstDealKey)
        gKeyed.reset();
}
