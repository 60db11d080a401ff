#pragma once
// Mixes the sounds that play at once into one mono stream of 16-bit samples. Play may be called
// from the window while the device's thread pulls the stream with Mix.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

using TSamples = std::vector<int16_t>;

inline constexpr int32_t SoundRate = 44100; // samples a second, mono

class TSoundMixer {
public:
    // Starts Samples from its beginning, over whatever already plays. The samples are shared,
    // not copied.
    void Play(std::shared_ptr<const TSamples> Samples);
    // Fills Out with the next Frames samples of all playing sounds, summed, scaled by the
    // volume and clipped; silence when nothing plays. False when nothing played.
    bool Mix(int16_t* Out, size_t Frames);

    // 0 (silent) .. 100 (as synthesised). A change while something sounds glides to the new
    // volume, a step of the waveform being a click: from silence to full volume, or back, in
    // RampFrames samples, a smaller change in its share of them.
    int32_t Volume() const;
    void SetVolume(int32_t Value);
    size_t Playing() const;

    static constexpr int32_t RampFrames = SoundRate * 5 / 1000;

private:
    struct TVoice {
        std::shared_ptr<const TSamples> Samples;
        size_t Next = 0;
    };
    mutable std::mutex FLock;
    std::vector<TVoice> FVoices;
    std::vector<int32_t> FSum;
    int32_t FVolume = 100;
    // The gain applied now, in 1/RampFrames of a volume point, so that a glide moves by whole
    // steps and ends at FVolume * RampFrames exactly: the output is then as with no glide.
    int32_t FGain = 100 * RampFrames;
};
