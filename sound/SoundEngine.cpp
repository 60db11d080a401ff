#include "SoundEngine.h"

#include <QDebug>
#include <utility>

TSoundEngine::TSoundEngine(std::unique_ptr<TSoundDevice> Device, int32_t Volume,
                           TBankMaker MakeBank) {
    FMixer.SetVolume(Volume);
    QString why;
    if (Device && Device->Start(
                      SoundRate,
                      [this](int16_t* Out, size_t Frames) { return FMixer.Mix(Out, Frames); }, why))
        FDevice = std::move(Device);
    else
        qInfo().noquote() << QStringLiteral("Sound: no device (%1), playing silent").arg(why);
    if (!FDevice)
        return; // nothing to play them on: no sounds are made
    if (!MakeBank)
        MakeBank = [] { return TSoundBank(); };
    FMaker = std::jthread([this, Make = std::move(MakeBank)] { TakeBank(Make()); });
}

TSoundEngine::~TSoundEngine() = default;

void TSoundEngine::TakeBank(TSoundBank Bank) {
    {
        const std::scoped_lock hold(FLock);
        for (const TSound s : FWaiting)
            FMixer.Play(Bank.Get(s));
        FWaiting.clear();
        FBank = std::move(Bank);
    }
    FMade.notify_all();
    FDevice->Wake();
}

void TSoundEngine::Play(TSound Sound) {
    if (!FDevice)
        return;
    {
        const std::scoped_lock hold(FLock);
        if (!FBank) {
            FWaiting.push_back(Sound);
            return;
        }
        FMixer.Play(FBank->Get(Sound));
    }
    FDevice->Wake();
}

void TSoundEngine::WaitForSounds() {
    if (!FDevice)
        return;
    std::unique_lock hold(FLock);
    FMade.wait(hold, [this] { return FBank.has_value(); });
}
