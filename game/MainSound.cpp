// The game's sounds follow its events; the engine exists only while sound is on.

#include "GameSounds.h"
#include "Main.h"
#include "SoundEngine.h"

void TMainForm::CreateSound() {
    Events().Subscribe([this](const TGameEvent& e) {
        // The sounds are made while the player looks at the new deal, before its first card.
        if (FSound && e.Kind == TGameEventKind::Dealt)
            FSound->Prepare();
        if (FSound)
            if (const std::optional<TSound> sound = SoundOf(e))
                FSound->Play(*sound);
    });
}

void TMainForm::SetSound(bool On, int32_t Volume) {
    if (!On) {
        FSound.reset();
        return;
    }
    if (!FSound)
        FSound = std::make_unique<TSoundEngine>(MakeSoundDevice(), Volume);
    else
        FSound->SetVolume(Volume);
    if (GameRunning()) // switched on during a game: its next card is heard without a wait
        FSound->Prepare();
}
