#include "SoundMixer.h"

#include <algorithm>
#include <utility>

void TSoundMixer::Play(std::shared_ptr<const TSamples> Samples) {
    if (!Samples || Samples->empty())
        return;
    const std::lock_guard hold(FLock);
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
    for (size_t i = 0; i < Frames; ++i)
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
