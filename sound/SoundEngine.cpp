#include "SoundEngine.h"

#include <QDebug>
#include <utility>

TSoundEngine::TSoundEngine(std::unique_ptr<TSoundDevice> Device, int32_t Volume) {
    FMixer.SetVolume(Volume);
    QString why;
    if (Device && Device->Start(
                      SoundRate,
                      [this](int16_t* Out, size_t Frames) { return FMixer.Mix(Out, Frames); }, why))
        FDevice = std::move(Device);
    else
        qInfo().noquote() << QStringLiteral("Sound: no device (%1), playing silent").arg(why);
}

TSoundEngine::~TSoundEngine() = default;

void TSoundEngine::Play(TSound Sound) {
    if (FDevice) {
        FMixer.Play(FBank.Get(Sound));
        FDevice->Wake();
    }
}
