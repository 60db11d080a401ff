#include "SoundEngine.h"

#include <QDebug>
#include <utility>

TSoundEngine::TSoundEngine(std::unique_ptr<TSoundDevice> Device, int32_t Volume,
                           TBankMaker MakeBank)
    : FUnopened(std::move(Device)), FMakeBank(std::move(MakeBank)) {
    FMixer.SetVolume(Volume);
    if (!FMakeBank)
        FMakeBank = [] { return TSoundBank(); };
}

TSoundEngine::~TSoundEngine() = default;

void TSoundEngine::Start() {
    std::unique_ptr<TSoundDevice> Device = std::move(FUnopened);
    QString why;
    const bool started =
        Device &&
        Device->Start(
            SoundRate, [this](int16_t* Out, size_t Frames) { return FMixer.Mix(Out, Frames); },
            [this](const QString& Why) { DeviceLost(Why); }, why);
    if (!started)
        qInfo().noquote() << QStringLiteral("Sound: no device (%1), playing silent").arg(why);
    // Nothing to play them on: no sounds are made.
    std::optional<TSoundBank> bank;
    if (started)
        bank = FMakeBank();
    {
        const std::scoped_lock hold(FLock);
        if (started) {
            FDevice = std::move(Device);
            for (const TSound s : FWaiting)
                FMixer.Play(bank->Get(s));
            FBank = std::move(bank);
        }
        FWaiting.clear();
        FReady = true;
    }
    FMade.notify_all();
    if (FDevice)
        FDevice->Wake();
}

void TSoundEngine::DeviceLost(const QString& Why) {
    {
        const std::scoped_lock hold(FLock);
        FLost = true;
    }
    qInfo().noquote() << QStringLiteral("Sound: device lost (%1), playing silent").arg(Why);
}

void TSoundEngine::Prepare() {
    if (FStarter.joinable())
        return;
    FStarter = std::jthread([this] { Start(); });
}

void TSoundEngine::Play(TSound Sound) {
    Prepare();
    {
        const std::scoped_lock hold(FLock);
        if (!FReady) {
            FWaiting.push_back(Sound);
            return;
        }
        // Lost: nobody pulls the mixer, where the sounds would pile up.
        if (!FBank || FLost)
            return;
        FMixer.Play(FBank->Get(Sound));
    }
    FDevice->Wake();
}

bool TSoundEngine::Audible() const {
    const std::scoped_lock hold(FLock);
    return FDevice != nullptr && !FLost;
}

void TSoundEngine::WaitForSounds() {
    Prepare();
    std::unique_lock hold(FLock);
    FMade.wait(hold, [this] { return FReady; });
}
