// Replays: games recorded from the core's events, written, read back and played again on the
// core; files that are not whole replays; replays that part from the rules.

#include "ReplayRecorder.h"
#include "ReplayText.h"
#include "Replayer.h"
#include "SpeedDeal.h"
#include "SpeedRun.h"

#include <QDir>
#include <QTemporaryDir>
#include <algorithm>
#include <deque>
#include <gtest/gtest.h>
#include <random>

namespace {

struct TRecorded {
    TReplay Replay;
    TSpeedTable Table; // as the game ended
    int32_t Score = 0;
};

TSpeedTable Unstuck(TSpeedTable T) {
    for (TSpeedRow& r : T.Rows)
        r.Stuck = false;
    return T;
}

// A game as the window plays it, on a seeded whim: plays of both rows that fit or not, held or
// on a busy pile, refills a little later, turn-overs when both are stuck, a late card after the
// win, a tie rule and a bonus; now and then a game abandoned on the way.
TRecorded PlayedGame(uint64_t Seed, int Decks) {
    std::mt19937_64 random(Seed);
    const auto chance = [&](int In) { return random() % uint64_t(In) == 0; };
    TSpeedGame game;
    TReplayRecorder recorder(game);
    int64_t now = 1000000;
    recorder.SetClock([&] { return now; });
    if (Seed % 4 == 0)
        recorder.SetCheckEvery(int(1 + random() % 20));
    recorder.NextTags().OpponentName = QStringLiteral("Ro\"bo\\t ✓");
    TRecorded out;
    recorder.SetFinished([&](const TReplay& R) { out.Replay = R; });

    const uint64_t number = Seed * 7919 + 3;
    game.Deal(SpeedDeal::Table(SpeedDeal::Cards(number, Decks), Decks),
              int32_t(random() % 200) - 100);
    game.Begin(number);
    std::deque<std::pair<TSide, int>> refills;
    const int abandonAt = chance(20) ? int(random() % 100) : -1;
    for (int step = 0; game.Running() && step < 20000; ++step) {
        now += int64_t(random() % 700);
        if (step == abandonAt) {
            game.Abandon();
            break;
        }
        if (!refills.empty() && chance(2)) {
            game.Refill(refills.front().first, refills.front().second);
            refills.pop_front();
            continue;
        }
        if (game.BothStuck() && refills.empty()) {
            game.TurnOverPiles();
            continue;
        }
        // The human, in one try of two, lays the first card that fits, or now and then fumbles.
        std::optional<TPlay> play;
        bool held = false;
        if (chance(2)) {
            if (chance(8)) {
                play = TPlay{TSide::Human, int(random() % 4), int(random() % 3), 0};
                held = chance(4);
                game.SetBusy(int(1 + random() % 2), chance(2));
            }
            for (int slot = 0; slot < 4 && !play; ++slot)
                for (const int pile : {1, 2})
                    if (!play && game.Takes(TSide::Human, slot, pile))
                        play = TPlay{TSide::Human, slot, int(random() % 2) * pile, 0};
        }
        if (!play)
            play = SpeedRun::ComputerChoice(game);
        if (!play)
            continue;
        // The window refills a slot on a message it posts: mostly handled at once.
        if (game.Play(*play, held)) {
            if (chance(4))
                refills.emplace_back(play->Side, play->Slot);
            else
                game.Refill(play->Side, play->Slot);
        }
        game.SetBusy(1, false);
        game.SetBusy(2, false);
    }
    if (game.Open()) {
        for (const auto& [side, slot] : refills)
            game.Refill(side, slot);
        TPlay late{TSide::Human, 0, 0, 0};
        game.Play(late, false);
        now += 300;
        game.Decide(chance(2), int32_t(random() % 4) * 100, now - 1000000);
    }
    out.Table = game.Table();
    out.Score = game.Score();
    return out;
}

TEST(Replay, RecordedGamesWriteReadAndReplayToTheirEnds) {
    std::vector<qsizetype> oneDeck;
    int abandoned = 0;
    for (uint64_t seed = 0; seed < 1100; ++seed) {
        const int decks = seed < 1000 ? 1 : 2;
        const TRecorded game = PlayedGame(seed, decks);
        ASSERT_FALSE(game.Replay.Entries.empty()) << seed;
        abandoned += game.Replay.Tags.Result == QLatin1String("abandoned");
        const QByteArray text = ReplayText::Write(game.Replay);
        if (decks == 1)
            oneDeck.push_back(text.size());
        const ReplayText::TRead read = ReplayText::Read(text);
        ASSERT_TRUE(read.Replay.has_value())
            << seed << read.Error.toStdString() << text.toStdString();
        ASSERT_EQ(*read.Replay, game.Replay) << "the file is the replay, exactly: " << seed;

        TReplayer replayer(*read.Replay);
        ASSERT_TRUE(replayer.SeekTo(read.Replay->Entries.size()))
            << seed << replayer.Error().toStdString();
        ASSERT_TRUE(replayer.AtEnd());
        ASSERT_EQ(Unstuck(replayer.Game().Table()), Unstuck(game.Table)) << seed;
        ASSERT_EQ(replayer.Game().Score(), game.Score) << seed;
        if (seed % 50 == 0) {
            // Seeking back deals again and lands where playing forward does.
            const size_t half = read.Replay->Entries.size() / 2;
            ASSERT_TRUE(replayer.SeekTo(half));
            TReplayer forward(*read.Replay);
            for (size_t i = 0; i < half; ++i)
                ASSERT_TRUE(forward.Step());
            EXPECT_EQ(Unstuck(replayer.Game().Table()), Unstuck(forward.Game().Table()));
        }
    }
    EXPECT_GT(abandoned, 10);
    std::sort(oneDeck.begin(), oneDeck.end());
    const qsizetype median = oneDeck[oneDeck.size() / 2];
    std::printf("one-deck replay: median %lld bytes, largest %lld\n", (long long)median,
                (long long)oneDeck.back());
    EXPECT_LT(median, 2048);

    // A player who clicks without end still leaves a file the reader takes.
    TSpeedGame game;
    TReplayRecorder recorder(game);
    int64_t now = 0;
    recorder.SetClock([&] { return now; });
    game.Deal(SpeedDeal::Table(SpeedDeal::Cards(9, 1), 1), 0);
    game.Begin(9);
    for (int i = 0; i < 15000; ++i, now += 7) {
        TPlay fumble{TSide::Human, i % 4, 0, 0};
        game.Play(fumble, true);
    }
    game.Abandon();
    const ReplayText::TRead read = ReplayText::Read(ReplayText::Write(recorder.Replay()));
    ASSERT_TRUE(read.Replay.has_value()) << read.Error.toStdString();
    TReplayer replayer(*read.Replay);
    EXPECT_TRUE(replayer.SeekTo(read.Replay->Entries.size())) << replayer.Error().toStdString();
}

// Where Mend makes the replay part from the rules, the replay stops at that entry and keeps the
// table as it last agreed with the record.
void ExpectStopsAt(const TReplay& Good, size_t At, size_t AgreedAt,
                   const std::function<void(TReplayEntry&)>& Mend) {
    TReplay bad = Good;
    Mend(bad.Entries[At]);
    TReplayer replayer(bad);
    EXPECT_FALSE(replayer.SeekTo(bad.Entries.size()));
    EXPECT_EQ(replayer.StoppedAt(), At);
    EXPECT_TRUE(replayer.Error().contains(QStringLiteral("entry %1 of").arg(At + 1)))
        << replayer.Error().toStdString();
    TReplayer agreed(Good);
    ASSERT_TRUE(agreed.SeekTo(AgreedAt));
    EXPECT_EQ(Unstuck(replayer.Game().Table()), Unstuck(agreed.Game().Table()));
    EXPECT_EQ(replayer.Game().Score(), agreed.Game().Score());
    EXPECT_FALSE(replayer.Step()) << "a stopped replay stays stopped";
}

TEST(Replay, AReplayThatPartsFromTheRulesStopsThereWithAMessage) {
    TRecorded game;
    for (uint64_t seed = 5000; game.Replay.Tags.Result != QLatin1String("won"); ++seed)
        game = PlayedGame(seed, 2);
    const std::vector<TReplayEntry>& entries = game.Replay.Entries;
    const auto find = [&](TReplayKind Kind) {
        return size_t(std::find_if(entries.begin() + 1, entries.end(),
                                   [&](const TReplayEntry& e) { return e.Kind == Kind; }) -
                      entries.begin());
    };
    const size_t lay = find(TReplayKind::Lay), pass = find(TReplayKind::Pass),
                 refill = find(TReplayKind::Refill), check = find(TReplayKind::Check),
                 decided = find(TReplayKind::Decided);
    ASSERT_LT(pass, entries.size()) << "a game with a turn-over";
    ExpectStopsAt(game.Replay, lay, lay, [](TReplayEntry& e) { e.Card = e.Card % 52 + 2; });
    ExpectStopsAt(game.Replay, lay, lay, [](TReplayEntry& e) { e.Table = 3 - e.Table; });
    ExpectStopsAt(game.Replay, refill, refill, [](TReplayEntry& e) { e.Card = e.Card % 52 + 2; });
    ExpectStopsAt(game.Replay, pass, pass, [](TReplayEntry& e) { e.TurnedFrom[0] = 0; });
    // A check that disagrees takes the table back to the one before it that agreed.
    size_t before = 0;
    for (size_t i = 0; i < check; ++i)
        if (entries[i].Kind == TReplayKind::Check)
            before = i + 1;
    ExpectStopsAt(game.Replay, check, before, [](TReplayEntry& e) { e.Hash ^= 1; });
    ExpectStopsAt(game.Replay, decided, decided, [](TReplayEntry& e) { e.Bonus += 100; });

    // Another deal, or a rule that scores otherwise, is caught by the checks alone.
    TReplay other = game.Replay;
    ++other.Tags.Deal;
    TReplayer dealt(other);
    EXPECT_FALSE(dealt.SeekTo(other.Entries.size()));
    EXPECT_EQ(dealt.StoppedAt(), 0u);
    EXPECT_TRUE(dealt.Error().contains(QLatin1String("the deal gives another table")));
    other = game.Replay;
    other.Tags.StartScore += 1;
    TReplayer scored(other);
    EXPECT_FALSE(scored.SeekTo(other.Entries.size()));
    EXPECT_EQ(scored.StoppedAt(), 0u);
}

TEST(ReplayText, FilesThatAreNotWholeReplaysOfAKnownVersionAreRefusedWithAMessage) {
    const TRecorded game = PlayedGame(77, 1);
    const QByteArray good = ReplayText::Write(game.Replay);
    const auto refused = [](const QByteArray& Text, const char* Message) {
        const ReplayText::TRead read = ReplayText::Read(Text);
        EXPECT_FALSE(read.Replay.has_value()) << Text.left(200).toStdString();
        EXPECT_TRUE(read.Error.startsWith(QLatin1String(Message)))
            << read.Error.toStdString() << " for " << Text.left(200).toStdString();
    };
    // Cut anywhere, it is refused.
    for (qsizetype n = 0; n < good.size(); ++n)
        EXPECT_FALSE(ReplayText::Read(good.left(n)).Replay.has_value()) << n;
    refused(good.left(good.size() - 1), "The replay file ends before its game does.");
    refused(good.left(good.lastIndexOf('\n', good.size() - 2) + 1),
            "The replay file ends before its game does.");
    refused(QByteArray("\x7f"
                       "ELF\x02\x01\x01",
                       7),
            "This file is not a Tolvi replay.");
    refused(QByteArray(good).replace("[Format \"1\"]", "[Format \"2\"]"),
            "This replay comes from a newer version of Tolvi.");
    refused(QByteArray(good).replace(" H", " Q"), "The replay file is damaged at line");
    refused(QByteArray(good).replace("[Decks \"1\"]", "[Decks \"3\"]"),
            "The replay file's tags are damaged.");
    refused(QByteArray(good).replace("[Deal ", "[Dial "), "The replay file is damaged at line 4.");
    refused(good + QByteArray(ReplayText::MaxBytes, ' '), "The replay file is too large.");
    QByteArray many = good.left(good.indexOf("\n\n") + 2) + "0.000";
    for (size_t i = 0; i <= ReplayText::MaxEntries; ++i)
        many += " %00000000";
    refused(many + " #X\n", "The replay file holds too many plays.");

    // A tag the reader requires is written even when it is empty.
    TReplay blank = game.Replay;
    blank.Tags.Result.clear();
    const ReplayText::TRead reread = ReplayText::Read(ReplayText::Write(blank));
    ASSERT_TRUE(reread.Replay.has_value()) << reread.Error.toStdString();
    EXPECT_EQ(*reread.Replay, blank);

    // Saved and loaded, it is the same replay; a file that is not there is a message too.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("game.tolvi-replay"));
    ASSERT_TRUE(ReplayText::Save(game.Replay, path).isEmpty());
    const ReplayText::TRead loaded = ReplayText::Load(path);
    ASSERT_TRUE(loaded.Replay.has_value()) << loaded.Error.toStdString();
    EXPECT_EQ(*loaded.Replay, game.Replay);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1) << "no temporary file left";
    EXPECT_FALSE(ReplayText::Load(dir.filePath(QStringLiteral("none"))).Error.isEmpty());
}

} // namespace
