#pragma once
// The silent abort: an exception that ends the current user action without any message.
// It must never unwind through Qt's frames, so every event-handler entry point of the library
// and of the game runs its body through KsHandleEvent.

#include <exception>
#include <functional>

class EKsAbort : public std::exception {
public:
    const char* what() const noexcept override { return "Operation aborted"; }
};

[[noreturn]] void KsAbort();

// Runs Body and swallows a silent abort raised inside it. Returns false when it aborted.
bool KsHandleEvent(const std::function<void()>& Body);
