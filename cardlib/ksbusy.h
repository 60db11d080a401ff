#pragma once
// The library-wide busy depth: every multi-step card operation brackets itself with it,
// and card controls drop mouse releases while it is above 0.

#include <cstdint>
#include <functional>

void BeginBusy();
void EndBusy();
bool Busy();
uint32_t BusyDepth();

// Called whenever EndBusy brings the depth back to 0; unassigned at start.
extern std::function<void()> OnBusyEnd;

// Holds one level of the busy depth for its lifetime.
class TKsBusyGuard {
public:
    TKsBusyGuard() { BeginBusy(); }
    ~TKsBusyGuard() { EndBusy(); }
    TKsBusyGuard(const TKsBusyGuard&) = delete;
    TKsBusyGuard& operator=(const TKsBusyGuard&) = delete;
};
