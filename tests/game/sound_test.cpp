// The sounds as the player hears them: each game event through the window's engine to a tape.

#include "SoundEngine.h"
#include "game_fixture.h"

#include <QtMessageHandler>
#include <algorithm>
#include <cstdlib>
#include <future>
#include <thread>

namespace {

TSamples Scaled(const TSamples& S, int32_t Volume) {
    TSamples out(S.size());
    std::transform(S.begin(), S.end(), out.begin(),
                   [Volume](int16_t v) { return int16_t(v * Volume / 100); });
    return out;
}

TEST(SoundEngine, OverlappingSoundsMixAtTheVolumeAndNothingPlayingIsSilence) {
    auto tape = std::make_shared<TRecordingDevice::TTape>();
    TSoundEngine engine(std::make_unique<TRecordingDevice>(tape), 50);
    engine.WaitForSounds();
    ASSERT_TRUE(engine.Audible());
    const TSamples win = SynthesiseSound(TSound::Win);
    const TSamples card = SynthesiseSound(TSound::HumanCard);
    ASSERT_GT(win.size(), card.size() + 1000);

    engine.Play(TSound::Win);
    tape->Pull(1000);
    engine.Play(TSound::HumanCard);
    tape->Pull(win.size()); // past the end of both
    ASSERT_EQ(tape->Samples.size(), 1000 + win.size());
    for (size_t i = 0; i < win.size(); ++i) {
        const int32_t sum = win[i] + (i >= 1000 && i - 1000 < card.size() ? card[i - 1000] : 0);
        ASSERT_EQ(tape->Samples[i], int16_t(std::clamp(sum * 50 / 100, -32768, 32767))) << i;
    }
    EXPECT_TRUE(std::all_of(tape->Samples.begin() + ptrdiff_t(win.size()), tape->Samples.end(),
                            [](int16_t v) { return v == 0; }));
    // Loud enough to hear, and the two sides' cards sound different.
    EXPECT_GT(*std::max_element(card.begin(), card.end()), 4000);
    EXPECT_NE(SynthesiseSound(TSound::ComputerCard), card);
}

TEST(SoundEngine, ASoundAskedForBeforeTheSoundsAreMadeStartsWhenTheyAre) {
    auto tape = std::make_shared<TRecordingDevice::TTape>();
    std::promise<void> open;
    std::promise<void> making; // the device is open by then
    std::shared_future<void> gate = open.get_future().share();
    TSoundEngine engine(std::make_unique<TRecordingDevice>(tape), 100, [gate, &making] {
        making.set_value();
        gate.wait();
        return TSoundBank();
    });
    engine.Prepare();
    making.get_future().wait();
    engine.Play(TSound::Refused);
    tape->Pull(300);
    const bool silentMeanwhile =
        tape->Samples.size() == 300 &&
        std::all_of(tape->Samples.begin(), tape->Samples.end(), [](int16_t v) { return v == 0; });
    open.set_value();
    engine.WaitForSounds();
    EXPECT_TRUE(silentMeanwhile);
    const TSamples refused = SynthesiseSound(TSound::Refused);
    tape->Samples.clear();
    tape->Pull(refused.size() + 10);
    EXPECT_TRUE(std::equal(refused.begin(), refused.end(), tape->Samples.begin()))
        << "it starts from its beginning once the sounds are made";
    EXPECT_TRUE(std::all_of(tape->Samples.end() - 10, tape->Samples.end(), [](int16_t v) {
        return v == 0;
    })) << "and plays once";
}

QStringList LoggedLines;
void KeepLine(QtMsgType, const QMessageLogContext&, const QString& Line) {
    LoggedLines << Line;
}

TEST(SoundEngine, MissingDeviceIsSilentWithOneLineInTheLog) {
    auto tape = std::make_shared<TRecordingDevice::TTape>();
    LoggedLines.clear();
    const QtMessageHandler previous = qInstallMessageHandler(KeepLine);
    {
        TSoundEngine engine(std::make_unique<TRecordingDevice>(tape, true));
        engine.Play(TSound::Loss);
        engine.WaitForSounds();
        EXPECT_FALSE(engine.Audible());
    }
    qInstallMessageHandler(previous);
    EXPECT_FALSE(tape->Started);
    ASSERT_EQ(LoggedLines.size(), 1);
    EXPECT_TRUE(LoggedLines[0].contains(QStringLiteral("no sound card")));
}

TEST(SoundEngine, ALostDeviceIsLoggedOnceAndTheEngineIsSilentFromThen) {
    auto tape = std::make_shared<TRecordingDevice::TTape>();
    LoggedLines.clear();
    const QtMessageHandler previous = qInstallMessageHandler(KeepLine);
    bool audibleBefore = false;
    bool audibleAfter = true;
    {
        TSoundEngine engine(std::make_unique<TRecordingDevice>(tape));
        engine.WaitForSounds();
        audibleBefore = engine.Audible();
        engine.Play(TSound::Win);
        tape->Pull(500);
        // From the device's own thread, as a real device's failed write is.
        std::thread([&tape] { tape->Lose(QStringLiteral("device unplugged")); }).join();
        audibleAfter = engine.Audible();
        engine.Play(TSound::HumanCard); // nothing to play it on, nothing breaks
    }
    qInstallMessageHandler(previous);
    EXPECT_TRUE(audibleBefore);
    EXPECT_FALSE(audibleAfter);
    ASSERT_EQ(LoggedLines.size(), 1) << LoggedLines.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(LoggedLines[0].startsWith(QStringLiteral("Sound: ")));
    EXPECT_TRUE(LoggedLines[0].contains(QStringLiteral("device unplugged")));
}

// A steady sound, so that each step of the output is the gain's.
TEST(SoundMixer, AVolumeChangeInASoundGlidesToTheNewLevelWithoutAStep) {
    constexpr int16_t Level = 20000;
    constexpr size_t Ramp = TSoundMixer::RampFrames;
    TSoundMixer mixer;
    mixer.Play(std::make_shared<const TSamples>(10 * Ramp, Level));
    TSamples out;
    const auto pull = [&mixer, &out](size_t Frames) {
        // In odd periods, so that a glide crosses their edges.
        for (size_t done = 0; done < Frames; done += 7) {
            const size_t n = std::min<size_t>(7, Frames - done);
            out.resize(out.size() + n);
            mixer.Mix(out.data() + out.size() - n, n);
        }
    };
    const auto largestStep = [&out](size_t From) {
        int32_t step = 0;
        for (size_t i = From + 1; i < out.size(); ++i)
            step = std::max(step, std::abs(out[i] - out[i - 1]));
        return step;
    };
    // The whole range in Ramp samples, and a sample's rounding.
    const int32_t allowed = Level / int32_t(Ramp) + 1;

    pull(100);
    mixer.SetVolume(25);
    pull(2 * Ramp);
    EXPECT_LE(largestStep(0), allowed);
    EXPECT_TRUE(std::all_of(out.begin() + ptrdiff_t(100 + Ramp), out.end(),
                            [](int16_t v) { return v == Level * 25 / 100; }))
        << "reached within " << Ramp << " samples, and held";

    // Turned back in the middle of a glide, it turns from where it is.
    const size_t mark = out.size();
    mixer.SetVolume(100);
    pull(Ramp / 4);
    mixer.SetVolume(0);
    pull(2 * Ramp);
    EXPECT_GT(*std::max_element(out.begin() + ptrdiff_t(mark), out.end()), Level * 25 / 100);
    EXPECT_LE(largestStep(mark - 1), allowed);
    EXPECT_EQ(out.back(), 0);
}

using Sound = GameTest;

TEST_F(Sound, EachGameEventGivesItsSoundAndSoundOffIsSilent) {
    auto tape = std::make_shared<TRecordingDevice::TTape>();
    const TSoundDeviceOverride device([tape] { return std::make_unique<TRecordingDevice>(tape); });
    form->SetSound(false, 100);
    form->SetSound(true, 100);
    EXPECT_FALSE(form->SoundEngine()->Prepared()) << "no device is opened before a deal";
    form->Events().Announce(TGameEvent::Dealt(1));
    EXPECT_TRUE(form->SoundEngine()->Prepared()) << "the deal opens it, ahead of its first card";
    form->SoundEngine()->WaitForSounds();
    ASSERT_TRUE(tape->Started);

    TPlay human;
    TPlay computer;
    computer.Side = TSide::Computer;
    const std::pair<TGameEvent, std::optional<TSound>> heard[] = {
        {TGameEvent::Laid(human), TSound::HumanCard},
        {TGameEvent::Laid(computer), TSound::ComputerCard},
        {TGameEvent::Refused(human, TRefusal::NoFit, false), TSound::Refused},
        {TGameEvent::Refused(human, TRefusal::NotRunning, false), std::nullopt},
        {TGameEvent::Of(TGameEventKind::PilesTurnedOver), TSound::TurnOver},
        {TGameEvent::Decided(TSide::Human, 100, 1000), TSound::Win},
        {TGameEvent::Decided(TSide::Computer, 0, 1000), TSound::Loss},
        {TGameEvent::ScoreChanged(3), std::nullopt},
    };
    for (const auto& [event, sound] : heard) {
        form->Events().Announce(event);
        const TSamples expected = sound ? SynthesiseSound(*sound) : TSamples(500, 0);
        tape->Samples.clear();
        tape->Pull(expected.size() + 10);
        EXPECT_TRUE(std::equal(expected.begin(), expected.end(), tape->Samples.begin()))
            << int(event.Kind);
    }

    form->SetSound(true, 25);
    form->Events().Announce(TGameEvent::Laid(human));
    tape->Samples.clear();
    tape->Pull(100);
    const TSamples quiet = Scaled(SynthesiseSound(TSound::HumanCard), 25);
    EXPECT_EQ(tape->Samples, TSamples(quiet.begin(), quiet.begin() + 100));

    form->SetSound(false, 100);
    EXPECT_EQ(form->SoundEngine(), nullptr) << "no engine while sound is off";
    EXPECT_FALSE(tape->Fill) << "the device is closed";
    form->Events().Announce(TGameEvent::Laid(human)); // nothing to play it, nothing breaks
}

} // namespace
