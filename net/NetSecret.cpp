#include "NetSecret.h"

#include <QRandomGenerator>
#include <utility>

namespace {

std::function<uint64_t()> gSource;

} // namespace

uint64_t NetSecretDeal() {
    if (gSource)
        return gSource();
    uint64_t secret = 0;
    while (secret < MinNetSecretDeal)
        secret = QRandomGenerator::system()->generate64();
    return secret;
}

TNetSecretOverride::TNetSecretOverride(std::function<uint64_t()> Source)
    : FPrevious(std::exchange(gSource, std::move(Source))) {}

TNetSecretOverride::~TNetSecretOverride() {
    gSource = std::move(FPrevious);
}
