#include "ksabort.h"

void KsAbort() {
    throw EKsAbort();
}

bool KsHandleEvent(const std::function<void()>& Body) {
    try {
        Body();
        return true;
    } catch (const EKsAbort&) {
        return false;
    }
}
