#include "SoundSynth.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace {

constexpr double TwoPi = 2 * std::numbers::pi;

// The same noise on every run, so a sound is always the same.
class TNoise {
public:
    double Next() {
        FSeed = FSeed * 1664525u + 1013904223u;
        return double(int32_t(FSeed)) / 2147483648.0;
    }

private:
    uint32_t FSeed = 12345u;
};

// A layer of a sound: a tone or noise from Start for Length seconds, with a short rise and an
// exponential fall, added into Out.
struct TLayer {
    double Start = 0;
    double Length = 0.1;
    double Frequency = 0; // 0: noise
    double Level = 0.2;   // of full scale
    double Decay = 30;    // per second
    double Glide = 1;     // frequency factor at the end
    double Smooth = 0;    // noise: 0 raw .. 0.95 dull
};

void Add(std::vector<double>& Out, const TLayer& L, int32_t Rate, TNoise& Noise) {
    const auto first = size_t(L.Start * Rate);
    const auto count = size_t(L.Length * Rate);
    if (Out.size() < first + count)
        Out.resize(first + count, 0.0);
    const double rise = 0.003 * Rate;
    double phase = 0;
    double held = 0;
    for (size_t i = 0; i < count; ++i) {
        const double t = double(i) / Rate;
        const double edge = std::min({1.0, i / rise, (count - i) / rise});
        const double envelope = edge * std::exp(-L.Decay * t) * L.Level;
        double v = 0;
        if (L.Frequency > 0) {
            const double f = L.Frequency * std::pow(L.Glide, double(i) / count);
            phase += TwoPi * f / Rate;
            v = std::sin(phase) + 0.25 * std::sin(2 * phase);
        } else {
            held = L.Smooth * held + (1 - L.Smooth) * Noise.Next();
            v = held;
        }
        Out[first + i] += v * envelope;
    }
}

std::vector<TLayer> Layers(TSound Sound) {
    switch (Sound) {
    case TSound::HumanCard: // a bright snap
        return {{0, 0.05, 0, 0.35, 70, 1, 0.3}, {0, 0.06, 1400, 0.12, 60, 0.8, 0}};
    case TSound::ComputerCard: // a hollow, lower knock
        return {{0, 0.04, 0, 0.2, 90, 1, 0.8}, {0, 0.09, 520, 0.22, 40, 0.9, 0}};
    case TSound::Refused: // two low notes, falling
        return {{0, 0.08, 196, 0.2, 15, 1, 0}, {0.09, 0.1, 165, 0.2, 15, 1, 0}};
    case TSound::TurnOver: // a swish
        return {{0, 0.22, 0, 0.22, 8, 1, 0.9}, {0.05, 0.14, 0, 0.12, 20, 1, 0.6}};
    case TSound::Win: // a rising arpeggio
        return {{0, 0.14, 523.25, 0.16, 12, 1, 0},
                {0.09, 0.14, 659.25, 0.16, 12, 1, 0},
                {0.18, 0.14, 783.99, 0.16, 12, 1, 0},
                {0.27, 0.3, 1046.5, 0.18, 7, 1, 0}};
    case TSound::Loss: // a falling one, slower
        return {{0, 0.18, 392.0, 0.16, 8, 1, 0},
                {0.15, 0.18, 311.13, 0.16, 8, 1, 0},
                {0.3, 0.35, 261.63, 0.16, 6, 0.97, 0}};
    }
    return {};
}

} // namespace

TSamples SynthesiseSound(TSound Sound, int32_t Rate) {
    std::vector<double> mix;
    TNoise noise;
    for (const TLayer& layer : Layers(Sound))
        Add(mix, layer, Rate, noise);
    TSamples out(mix.size());
    std::transform(mix.begin(), mix.end(), out.begin(),
                   [](double v) { return int16_t(std::lround(std::clamp(v, -1.0, 1.0) * 32767)); });
    return out;
}

TSoundBank::TSoundBank() {
    for (const TSound s : AllSounds)
        FSounds[size_t(s)] = std::make_shared<const TSamples>(SynthesiseSound(s));
}
