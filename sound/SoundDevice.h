#pragma once
// Where the mixed stream goes: a device pulls it through a fill function, from its own thread
// if it has one, from Start until it is destroyed or, telling so, goes away.

#include <QString>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

// False: nothing sounds now, and the device may rest until woken.
using TSoundFill = std::function<bool(int16_t* Out, size_t Frames)>;
// The device went away after it started, for the reason in Why: told once, from the device's
// thread, which pulls the stream no more.
using TSoundLost = std::function<void(const QString& Why)>;

class TSoundDevice {
public:
    virtual ~TSoundDevice() = default;
    // Starts the stream of mono 16-bit samples at Rate; false, with the reason in Why, when
    // there is no device to play on.
    virtual bool Start(int32_t Rate, TSoundFill Fill, TSoundLost Lost, QString& Why) = 0;
    // A sound was started: a resting device pulls the stream again.
    virtual void Wake() {}
};

// The system's device (ALSA's default), or, in a build without sound, one that never starts.
std::unique_ptr<TSoundDevice> OpenSystemSoundDevice();

using TSoundDeviceFactory = std::function<std::unique_ptr<TSoundDevice>()>;
// The system's device unless a TSoundDeviceOverride lives.
std::unique_ptr<TSoundDevice> MakeSoundDevice();

// Replaces the system's device for this object's lifetime, so a test can hear the game.
class TSoundDeviceOverride {
public:
    explicit TSoundDeviceOverride(TSoundDeviceFactory Factory);
    ~TSoundDeviceOverride();
    TSoundDeviceOverride(const TSoundDeviceOverride&) = delete;
    TSoundDeviceOverride& operator=(const TSoundDeviceOverride&) = delete;

private:
    TSoundDeviceFactory FPrevious;
};

// A device that plays nothing and keeps what it is handed, pulled by its owner; or, Missing,
// one that fails to start as a machine without a sound card does.
class TRecordingDevice : public TSoundDevice {
public:
    struct TTape {
        std::vector<int16_t> Samples;
        bool Started = false;
        TSoundFill Fill;
        TSoundLost Lost;
        // Hands the next Frames samples of the stream to the tape, as a device's period would.
        void Pull(size_t Frames);
        // The device goes away, as one whose write fails beyond recovery: nothing is pulled
        // from here on.
        void Lose(const QString& Why);
    };
    explicit TRecordingDevice(std::shared_ptr<TTape> Tape, bool Missing = false)
        : FTape(std::move(Tape)), FMissing(Missing) {}
    ~TRecordingDevice() override;
    bool Start(int32_t Rate, TSoundFill Fill, TSoundLost Lost, QString& Why) override;

private:
    std::shared_ptr<TTape> FTape;
    bool FMissing;
};
