#include "SoundMixer.h"

#include <algorithm>
#include <utility>

namespace {
// FGain's largest move in a sample: the whole range, 100 points, in RampFrames samples.
constexpr int32_t GainStep = 100;
} // namespace

void TSoundMixer::Play(std::shared_ptr<const TSamples> Samples) {
    if (!Samples || Samples->empty())
        return;
    const std::lock_guard hold(FLock);
    if (FVoices
            .empty()) // from silence: the sound starts at the volume set, unfinished glide or not
        FGain = FVolume * RampFrames;
    FVoices.push_back({std::move(Samples), 0});
}

bool TSoundMixer::Mix(int16_t* Out, size_t Frames) {
    const std::lock_guard hold(FLock);
    const bool sounding = !FVoices.empty();
    FSum.assign(Frames, 0);
    for (TVoice& v : FVoices) {
        const size_t n = std::min(Frames, v.Samples->size() - v.Next);
        for (size_t i = 0; i < n; ++i)
            FSum[i] += (*v.Samples)[v.Next + i];
        v.Next += n;
    }
    std::erase_if(FVoices, [](const TVoice& v) { return v.Next >= v.Samples->size(); });
    const int32_t target = FVolume * RampFrames;
    size_t i = 0;
    for (; i < Frames && FGain != target; ++i) {
        FGain += std::clamp(target - FGain, -GainStep, GainStep);
        Out[i] = int16_t(
            std::clamp<int64_t>(int64_t(FSum[i]) * FGain / (100 * RampFrames), -32768, 32767));
    }
    for (; i < Frames; ++i)
        Out[i] = int16_t(std::clamp(FSum[i] * FVolume / 100, -32768, 32767));
    return sounding;
}

int32_t TSoundMixer::Volume() const {
    const std::lock_guard hold(FLock);
    return FVolume;
}

void TSoundMixer::SetVolume(int32_t Value) {
    const std::lock_guard hold(FLock);
    FVolume = std::clamp(Value, 0, 100);
}

size_t TSoundMixer::Playing() const {
    const std::lock_guard hold(FLock);
    return FVoices.size();
}
