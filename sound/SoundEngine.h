#pragma once
// The sounds, their mixer and the device they play on. Without a device the engine is silent:
// it says so in one line of the log and goes on.

#include "SoundDevice.h"
#include "SoundMixer.h"
#include "SoundSynth.h"

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

class TSoundEngine {
public:
    using TBankMaker = std::function<TSoundBank()>;
    // The sounds are made on a thread of their own (by MakeBank when given), so that the window
    // answers meanwhile.
    explicit TSoundEngine(std::unique_ptr<TSoundDevice> Device, int32_t Volume = 100,
                          TBankMaker MakeBank = {});
    ~TSoundEngine();
    TSoundEngine(const TSoundEngine&) = delete;
    TSoundEngine& operator=(const TSoundEngine&) = delete;

    // A sound asked for before the sounds are made starts as soon as they are.
    void Play(TSound Sound);
    int32_t Volume() const { return FMixer.Volume(); }
    void SetVolume(int32_t Value) { FMixer.SetVolume(Value); }
    // A device took the stream.
    bool Audible() const { return FDevice != nullptr; }
    // Returns once the sounds are made (at once when silent).
    void WaitForSounds();

private:
    void TakeBank(TSoundBank Bank);

    TSoundMixer FMixer;
    std::mutex FLock;
    std::condition_variable FMade;
    std::optional<TSoundBank> FBank;       // under FLock
    std::vector<TSound> FWaiting;          // under FLock: asked for before the bank was made
    std::unique_ptr<TSoundDevice> FDevice; // its thread stops before the mixer goes
    // Last, so that it is joined before anything it uses goes.
    std::jthread FMaker;
};
