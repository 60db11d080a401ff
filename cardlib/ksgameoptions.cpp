#include "ksgameoptions.h"

void TKsGameOptions::Assign(const TKsPersistent* Source) {
    const auto* other = dynamic_cast<const TKsGameOptions*>(Source);
    if (!other)
        AssignError(Source);
    *this = *other;
}
