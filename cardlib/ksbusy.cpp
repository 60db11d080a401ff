#include "ksbusy.h"

std::function<void()> OnBusyEnd;

namespace {
uint32_t gBusyDepth = 0;
bool gBusy = false;
} // namespace

void BeginBusy() {
    ++gBusyDepth;
    if (gBusyDepth == 1)
        gBusy = true;
}

void EndBusy() {
    if (gBusyDepth > 0)
        --gBusyDepth;
    if (gBusyDepth == 0) {
        gBusy = false;
        if (OnBusyEnd)
            OnBusyEnd();
    }
}

bool Busy() {
    return gBusy;
}

uint32_t BusyDepth() {
    return gBusyDepth;
}
