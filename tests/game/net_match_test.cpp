// Two windows in one process play a match over the loopback: the host referees, the guest's
// table is the host's seen from across, both hear the end and the question after it. Then a
// peer that misbehaves or disappears: the match ends with a message, counted as abandoned.

#include "NetCommands.h"
#include "NetMatch.h"
#include "game_fixture.h"

#include <QElapsedTimer>
#include <QTcpSocket>

namespace {

// Runs the event loop until Done, within a bound no slow machine reaches.
bool RunUntil(const std::function<bool()>& Done) {
    QElapsedTimer t;
    t.start();
    while (!Done() && t.elapsed() < 60000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return Done();
}

int32_t Top(TKsCardGroup* Slot) {
    return Slot->NonEmptyCount() > 0 ? Slot->GetCard(0)->ID() : 0;
}

// The guest sees the host's table from across: rows, piles and counts swapped.
bool Mirrored(TMainForm& Host, TMainForm& Guest) {
    for (size_t i = 0; i < 4; ++i)
        if (Top(Host.Play1Card[i]) != Top(Guest.Play2Card[i]) ||
            Top(Host.Play2Card[i]) != Top(Guest.Play1Card[i]))
            return false;
    return Host.CardTable1->CardTop().ID() == Guest.CardTable2->CardTop().ID() &&
           Host.CardTable2->CardTop().ID() == Guest.CardTable1->CardTop().ID() &&
           Host.HumanPlayed() == Guest.ComputerPlayed() &&
           Host.ComputerPlayed() == Guest.HumanPlayed();
}

// The first of a window's own slots whose card a pile takes.
std::optional<int> Playable(TMainForm& F) {
    for (int i = 0; i < 4; ++i) {
        TKsCardGroup* s = F.Play1Card[static_cast<size_t>(i)];
        if (s->NonEmptyCount() == 0)
            continue;
        const int32_t v = s->GetCard(0)->Value();
        if (TMainForm::IsNextRank(v, F.CardTable1->CardTop().Value()) ||
            TMainForm::IsNextRank(v, F.CardTable2->CardTop().Value()))
            return i;
    }
    return std::nullopt;
}

class NetMatch : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        host = NetworkCommands(*form);
        ASSERT_TRUE(host);
        host->Timing = {100, 20000};
        ASSERT_TRUE(host->Host(QHostAddress(QHostAddress::LocalHost), 0));
    }

    // The match once it exists, with the host's plays not held and no rate limit in the way.
    TNetMatch* Ready(TNetCommands* Side) {
        TNetMatch* m = Side->Match();
        if (m) {
            m->SetFixedLagMs(0);
            m->SetStuckCheckMs(5);
            m->Clock = [this] { return ticks += 1000; };
        }
        return m;
    }

    TNetCommands* host = nullptr;
    qint64 ticks = 0;
};

} // namespace

TEST_F(NetMatch, AMatchIsPlayedOnTwoMirroredTablesToTheSameEnd) {
    form->Records().Additions.SetLastName(QStringLiteral("Ann"));
    auto guestForm = std::make_unique<TMainForm>();
    TNetCommands* guest = NetworkCommands(*guestForm);
    guest->Timing = host->Timing;
    std::vector<TGameEvent> hostDecided, guestDecided;
    form->Events().Subscribe([&](const TGameEvent& e) {
        if (e.Kind == TGameEventKind::GameDecided)
            hostDecided.push_back(e);
    });
    guestForm->Events().Subscribe([&](const TGameEvent& e) {
        if (e.Kind == TGameEventKind::GameDecided)
            guestDecided.push_back(e);
    });
    guest->Join(QStringLiteral("127.0.0.1"), host->HostPort());
    ASSERT_TRUE(RunUntil([&] {
        TNetMatch* h = Ready(host);
        TNetMatch* g = Ready(guest);
        return h && g && h->BothReady() && g->BothReady();
    }));
    EXPECT_EQ(form->DealNumber(), guestForm->DealNumber());
    EXPECT_EQ(guestForm->OpponentName(), QStringLiteral("Ann"));
    ASSERT_TRUE(Mirrored(*form, *guestForm));
    const uint32_t first = form->DealNumber();

    // Each side plays in turn what it sees; every play, and every turn-over when neither can,
    // reaches both tables alike.
    int plays = 0;
    for (int step = 0; step < 400 && hostDecided.empty(); ++step) {
        TMainForm* side = step % 2 == 0 ? form.get() : guestForm.get();
        if (!Playable(*side))
            side = side == form.get() ? guestForm.get() : form.get();
        const int before = form->HumanPlayed() + form->ComputerPlayed();
        if (const auto slot = Playable(*side)) {
            side->PlaySlot(*slot);
            ++plays;
        }
        ASSERT_TRUE(RunUntil([&] {
            return !hostDecided.empty() || (Mirrored(*form, *guestForm) &&
                                            form->HumanPlayed() + form->ComputerPlayed() > before);
        })) << "step "
            << step;
    }
    ASSERT_TRUE(RunUntil([&] { return !guestDecided.empty(); }));
    EXPECT_GT(plays, 20);
    ASSERT_EQ(hostDecided.size(), 1u);
    ASSERT_EQ(guestDecided.size(), 1u);
    EXPECT_NE(hostDecided[0].Side, guestDecided[0].Side) << "one winner, seen from both sides";
    const bool hostWon = hostDecided[0].Side == TSide::Human;
    EXPECT_EQ(form->Statistics().HeadToHead(1).Won, hostWon ? 1 : 0);
    EXPECT_EQ(guestForm->Statistics().HeadToHead(1).Won, hostWon ? 0 : 1);
    EXPECT_EQ(form->Statistics().Entry(form->Combination()).Played, 0);

    // Both said yes to another game: the host deals again, the same deal on both sides.
    ASSERT_TRUE(RunUntil([&] {
        return form->DealNumber() != first && guestForm->DealNumber() == form->DealNumber() &&
               host->Match()->BothReady() && guest->Match()->BothReady();
    }));
    EXPECT_TRUE(Mirrored(*form, *guestForm));

    // The guest leaves: the host hears it, and the game it left counts as abandoned.
    guest->Leave();
    ASSERT_TRUE(RunUntil([&] { return !host->Match(); }));
    ASSERT_FALSE(dialogs.Shown.empty());
    EXPECT_TRUE(dialogs.Shown.back().Text.contains(QStringLiteral("left the match")));
    EXPECT_EQ(form->Statistics().HeadToHead(1).Abandoned, 1);
    EXPECT_EQ(form->Statistics().HeadToHead(1).Played, 2);
    EXPECT_FALSE(form->GameRunning());
    EXPECT_NE(dynamic_cast<TComputerOpponent*>(&form->Opponent()), nullptr);
}
