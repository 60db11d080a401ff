#include "SoundDevice.h"

#include <QCoreApplication>
#include <utility>
#include <vector>

namespace {

TSoundDeviceFactory& Factory() {
    static TSoundDeviceFactory factory;
    return factory;
}

} // namespace

#ifndef TOLVI_HAVE_ALSA
namespace {
class TNoDevice : public TSoundDevice {
public:
    bool Start(int32_t, TSoundFill, TSoundLost, QString& Why) override {
        Why = QStringLiteral("built without sound");
        return false;
    }
};
} // namespace

std::unique_ptr<TSoundDevice> OpenSystemSoundDevice() {
    return std::make_unique<TNoDevice>();
}
#endif

std::unique_ptr<TSoundDevice> MakeSoundDevice() {
    return Factory() ? Factory()() : OpenSystemSoundDevice();
}

TSoundDeviceOverride::TSoundDeviceOverride(TSoundDeviceFactory NewFactory)
    : FPrevious(std::exchange(Factory(), std::move(NewFactory))) {}

TSoundDeviceOverride::~TSoundDeviceOverride() {
    Factory() = std::move(FPrevious);
}

void TRecordingDevice::TTape::Pull(size_t Frames) {
    if (!Fill)
        return;
    const size_t at = Samples.size();
    Samples.resize(at + Frames);
    Fill(Samples.data() + at, Frames);
}

void TRecordingDevice::TTape::Lose(const QString& Why) {
    Fill = nullptr;
    if (const TSoundLost lost = std::exchange(Lost, nullptr))
        lost(Why);
}

TRecordingDevice::~TRecordingDevice() {
    // The engine goes with the device.
    FTape->Fill = nullptr;
    FTape->Lost = nullptr;
}

bool TRecordingDevice::Start(int32_t, TSoundFill Fill, TSoundLost Lost, QString& Why) {
    if (FMissing) {
        Why = QStringLiteral("no sound card");
        return false;
    }
    FTape->Started = true;
    FTape->Fill = std::move(Fill);
    FTape->Lost = std::move(Lost);
    return true;
}
