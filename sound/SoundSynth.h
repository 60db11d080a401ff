#pragma once
// The game's sounds, made from code: short, soft-edged and quiet enough that several can
// overlap without clipping.

#include "SoundMixer.h"

#include <array>
#include <memory>

enum class TSound { HumanCard, ComputerCard, Refused, TurnOver, Win, Loss };
inline constexpr std::array AllSounds = {TSound::HumanCard, TSound::ComputerCard, TSound::Refused,
                                         TSound::TurnOver,  TSound::Win,          TSound::Loss};

TSamples SynthesiseSound(TSound Sound, int32_t Rate = SoundRate);

// Every sound, synthesised once.
class TSoundBank {
public:
    TSoundBank();
    std::shared_ptr<const TSamples> Get(TSound Sound) const { return FSounds[size_t(Sound)]; }

private:
    std::array<std::shared_ptr<const TSamples>, AllSounds.size()> FSounds;
};
