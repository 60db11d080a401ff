#pragma once
// What the game sounds like: the sound, if any, that each of its events makes.

#include "GameEvents.h"
#include "SoundSynth.h"

#include <optional>

std::optional<TSound> SoundOf(const TGameEvent& Event);
