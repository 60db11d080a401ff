#pragma once
// How a sprite draws: the set of its drawing options, one bit per option.

#include <cstdint>
#include <initializer_list>

enum TKsDrawOption : uint8_t {
    doSynchronize,         // KM_SYNCHRONIZE to the form before each drawing
    doProcessMessages,     // the event queue is processed before every animation step
    doDetectEscKey,        // Escape held on the form refuses new moves
    doWindowActive,        // draw only while the form is the active window
    doWindowVisible,       // draw only while the visible part of the form is one rectangle
    doWindowPreventResize, // the form keeps its size while the library is busy
    doWindowInScreen,      // draw only while the whole form is visible
    doAutoErase,           // a moving image puts back what it uncovers
    doAutoRefresh          // the image is drawn again when the form paints
};

class TKsDrawOptions {
public:
    constexpr TKsDrawOptions() = default;
    constexpr TKsDrawOptions(std::initializer_list<TKsDrawOption> Options) {
        for (const TKsDrawOption option : Options)
            FBits = static_cast<uint16_t>(FBits | Bit(option));
    }

    // Bit n stands for option n; bits beyond the last option are dropped.
    static constexpr TKsDrawOptions FromBits(uint16_t Bits) {
        TKsDrawOptions options;
        options.FBits = static_cast<uint16_t>(Bits & AllBits);
        return options;
    }
    constexpr uint16_t Bits() const { return FBits; }

    constexpr bool Contains(TKsDrawOption Option) const { return (FBits & Bit(Option)) != 0; }
    constexpr TKsDrawOptions& Include(TKsDrawOption Option) {
        FBits = static_cast<uint16_t>(FBits | Bit(Option));
        return *this;
    }
    constexpr TKsDrawOptions& Exclude(TKsDrawOption Option) {
        FBits = static_cast<uint16_t>(FBits & ~Bit(Option));
        return *this;
    }

    constexpr bool operator==(const TKsDrawOptions&) const = default;

private:
    static constexpr uint16_t Bit(TKsDrawOption Option) {
        return static_cast<uint16_t>(1u << Option);
    }
    static constexpr uint16_t AllBits = (1u << (doAutoRefresh + 1)) - 1;

    uint16_t FBits = 0;
};

// A new sprite's options: everything but doWindowVisible, doWindowInScreen and doAutoRefresh.
inline constexpr TKsDrawOptions KsDefaultDrawOptions{doSynchronize,         doProcessMessages,
                                                     doDetectEscKey,        doWindowActive,
                                                     doWindowPreventResize, doAutoErase};
static_assert(KsDefaultDrawOptions.Bits() == 175);
