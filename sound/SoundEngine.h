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
    // The device is opened and the sounds are made (by MakeBank when given) on a thread of
    // their own, so that the window answers meanwhile. That starts with Prepare, the first
    // sound asked for or WaitForSounds, whichever comes first: the sound system's configuration
    // and buffers cost memory and time that a window nobody plays in need not spend.
    explicit TSoundEngine(std::unique_ptr<TSoundDevice> Device, int32_t Volume = 100,
                          TBankMaker MakeBank = {});
    ~TSoundEngine();
    TSoundEngine(const TSoundEngine&) = delete;
    TSoundEngine& operator=(const TSoundEngine&) = delete;

    // Opens the device and makes the sounds, once; on the thread that made the engine.
    void Prepare();
    bool Prepared() const { return FStarter.joinable(); }
    // A sound asked for before the sounds are made starts as soon as they are.
    void Play(TSound Sound);
    int32_t Volume() const { return FMixer.Volume(); }
    void SetVolume(int32_t Value) { FMixer.SetVolume(Value); }
    // A device took the stream and has not gone away since; false until the sounds are made.
    bool Audible() const;
    // Returns once the device is open and the sounds are made, or it is known there is none.
    void WaitForSounds();

private:
    void Start();                        // on FStarter
    void DeviceLost(const QString& Why); // on the device's thread

    TSoundMixer FMixer;
    mutable std::mutex FLock;
    std::condition_variable FMade;
    bool FReady = false; // under FLock, as the three below until it is set
    bool FLost = false;  // under FLock
    std::optional<TSoundBank> FBank;
    std::vector<TSound> FWaiting;            // asked for before the bank was made
    std::unique_ptr<TSoundDevice> FDevice;   // its thread stops before the mixer goes
    std::unique_ptr<TSoundDevice> FUnopened; // until the starter takes it
    TBankMaker FMakeBank;
    // Last, so that it is joined before anything it uses goes.
    std::jthread FStarter;
};
