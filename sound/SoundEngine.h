#pragma once
// The sounds, their mixer and the device they play on. Without a device the engine is silent:
// it says so in one line of the log and goes on.

#include "SoundDevice.h"
#include "SoundMixer.h"
#include "SoundSynth.h"

#include <memory>

class TSoundEngine {
public:
    explicit TSoundEngine(std::unique_ptr<TSoundDevice> Device, int32_t Volume = 100);
    ~TSoundEngine();
    TSoundEngine(const TSoundEngine&) = delete;
    TSoundEngine& operator=(const TSoundEngine&) = delete;

    void Play(TSound Sound);
    int32_t Volume() const { return FMixer.Volume(); }
    void SetVolume(int32_t Value) { FMixer.SetVolume(Value); }
    // A device took the stream.
    bool Audible() const { return FDevice != nullptr; }

private:
    TSoundBank FBank;
    TSoundMixer FMixer;
    // Last, so that its thread stops before the mixer goes.
    std::unique_ptr<TSoundDevice> FDevice;
};
