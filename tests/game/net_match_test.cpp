// Two windows in one process play a match over the loopback: the host referees, the guest's
// table is the host's seen from across, the guest hears none of the host's face-down cards
// before they turn up, both hear the end and the question after it. Then a peer that
// misbehaves or disappears: the match ends with a message, counted as abandoned.

#include "FeltBadge.h"
#include "NetCommands.h"
#include "NetMatch.h"
#include "NetSecret.h"
#include "StringRes.h"
#include "TableAccess.h"
#include "game_fixture.h"

#include <QAction>
#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QTcpServer>
#include <QTcpSocket>
#include <iostream>
#include <tuple>

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

// The first of a window's own slots whose card a pile takes, and the pile: the second when it
// takes the card, so that plays name either pile from both sides of the table.
std::optional<std::pair<int, int>> Playable(TMainForm& F) {
    for (int i = 0; i < 4; ++i) {
        TKsCardGroup* s = F.Play1Card[static_cast<size_t>(i)];
        if (s->NonEmptyCount() == 0)
            continue;
        const int32_t v = s->GetCard(0)->Value();
        if (TMainForm::IsNextRank(v, F.CardTable2->CardTop().Value()))
            return std::pair{i, 2};
        if (TMainForm::IsNextRank(v, F.CardTable1->CardTop().Value()))
            return std::pair{i, 1};
    }
    return std::nullopt;
}

// Drags a window's card from a slot onto one of its piles through the slot's mouse events;
// true when the card was lifted and the pile rang for it as it was let go.
bool DragOnPile(TMainForm& F, int Slot, int Pile) {
    TKsCardGroup* slot = F.Play1Card[size_t(Slot)];
    const TKsCardTable* table = Pile == 1 ? F.CardTable1 : F.CardTable2;
    const QPoint onPile =
        slot->mapFrom(&F, table->geometry().topLeft() +
                              (TKsCardTable::PositionOffset(2) + QPoint(35, 48)) * F.Zoom());
    const QPoint grip(30, 40);
    QTest::mousePress(slot, Qt::LeftButton, {}, grip);
    QTest::mouseMove(slot, grip + QPoint(0, -30));
    QTest::mouseMove(slot, onPile);
    const bool aimed = F.CardDrag->Dragging() && F.CardDrag->Target() == Pile;
    QTest::mouseRelease(slot, Qt::LeftButton, {}, onPile);
    return aimed;
}

class NetMatch : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        host = NetworkCommands(*form);
        ASSERT_TRUE(host);
        host->Timing = {100, 20000};
        ASSERT_TRUE(host->Host(QStringLiteral("127.0.0.1"), 0));
    }

    // The latest box is an error: how a match that ended says why.
    bool ErrorShown() const {
        return !dialogs.Shown.empty() && dialogs.Shown.back().Type == mtError;
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

    // A guest window joined to the host (at Port, unless the host's own); true once both
    // sides have confirmed the deal.
    bool Joined(TMainForm& Guest, TNetCommands*& Commands, uint16_t Port = 0) {
        Commands = NetworkCommands(Guest);
        Commands->Timing = host->Timing;
        Commands->Join(QStringLiteral("127.0.0.1"), Port ? Port : host->HostPort());
        return RunUntil([&] {
            TNetMatch* h = Ready(host);
            TNetMatch* g = Ready(Commands);
            return h && g && h->BothReady() && g->BothReady();
        });
    }

    // Lays the same cards on both tables, the guest's seen from across: the piles' tops as the
    // host sees them, and each row's slots.
    static void Lay(TMainForm& Host, TMainForm& Guest, int32_t Left, int32_t Right,
                    const std::array<int32_t, 4>& HostRow, const std::array<int32_t, 4>& GuestRow) {
        SetTop(Host.CardTable1, Left);
        SetTop(Host.CardTable2, Right);
        SetTop(Guest.CardTable2, Left);
        SetTop(Guest.CardTable1, Right);
        for (size_t i = 0; i < 4; ++i) {
            SetSlot(Host.Play1Card[i], HostRow[i]);
            SetSlot(Guest.Play2Card[i], HostRow[i]);
            SetSlot(Host.Play2Card[i], GuestRow[i]);
            SetSlot(Guest.Play1Card[i], GuestRow[i]);
        }
        for (TMainForm* f : {&Host, &Guest})
            TMainFormProbe::SetStuck(*f, false, false);
    }

    TNetCommands* host = nullptr;
    qint64 ticks = 0;
    // The match's secret follows the test's clock, so that each test deals the same.
    TNetSecretOverride secret{[] { return MinNetSecretDeal + KsClockMilliseconds(); }};
};

} // namespace

TEST_F(NetMatch, AMatchIsPlayedOnTwoMirroredTablesToTheSameEnd) {
    form->Records().Additions.SetLastName(QStringLiteral("Ann"));
    auto guestForm = std::make_unique<TMainForm>();
    TNetCommands* guest = NetworkCommands(*guestForm);
    guest->Timing = host->Timing;
    std::vector<TGameEvent> hostDecided, guestDecided;
    std::vector<TPlay> hostLaid, guestLaid;
    const auto listen = [](std::vector<TGameEvent>& Decided, std::vector<TPlay>& Laid) {
        return [&Decided, &Laid](const TGameEvent& e) {
            if (e.Kind == TGameEventKind::GameDecided)
                Decided.push_back(e);
            if (e.Kind == TGameEventKind::CardLaid && e.Play.Side == TSide::Human)
                Laid.push_back(e.Play);
        };
    };
    form->Events().Subscribe(listen(hostDecided, hostLaid));
    guestForm->Events().Subscribe(listen(guestDecided, guestLaid));
    // Everything the guest hears until the game is over; the host's face-down pile as dealt.
    std::vector<TNetMessage> heard;
    bool revealed = false;
    uint64_t revealedNumber = 0;
    QString revealedLabel;
    bool revealedFits = false; // the 64-bit number, cut to fit under the score
    guest->Join(QStringLiteral("127.0.0.1"), host->HostPort());
    ASSERT_TRUE(guest->Match());
    TNetLink& guestLink = guest->Match()->Link();
    guestLink.Received = [&, inner = guestLink.Received](const TNetMessage& m) {
        if (!revealed)
            heard.push_back(m);
        inner(m);
        if (m.Kind == TNetKind::Reveal && !revealed) {
            revealed = true;
            revealedNumber = guestForm->DealNumber();
            if (!guestForm->DealLabel->isHidden())
                revealedLabel = guestForm->DealLabel->accessibleName();
            const QLabel* label = guestForm->DealLabel;
            revealedFits = label->fontMetrics().horizontalAdvance(label->text()) <= label->width();
        }
    };
    std::vector<int32_t> hidden;
    // Every card of the host's table as each deal is confirmed.
    std::vector<std::vector<int32_t>> dealt;
    form->Events().Subscribe([&](const TGameEvent& e) {
        if (e.Kind != TGameEventKind::Dealt)
            return;
        std::vector<int32_t> cards;
        for (TKsCardGroup* g : {form->Play1Pile, form->Play2Pile})
            for (int i = 0; i < g->Count(); ++i)
                cards.push_back(g->GetCard(i)->ID());
        for (size_t i = 0; i < 4; ++i)
            cards.insert(cards.end(), {Top(form->Play1Card[i]), Top(form->Play2Card[i])});
        cards.insert(cards.end(),
                     {form->CardTable1->CardTop().ID(), form->CardTable2->CardTop().ID()});
        dealt.push_back(cards);
    });
    int left = -1; // of the host's pile when the game was decided
    form->Events().Subscribe([&](const TGameEvent& e) {
        if (e.Kind == TGameEventKind::Dealt && hidden.empty())
            for (int i = 0; i < form->Play1Pile->Count(); ++i)
                if (!form->Play1Pile->GetCard(i)->Empty())
                    hidden.push_back(form->Play1Pile->GetCard(i)->ID());
        if (e.Kind == TGameEventKind::GameDecided && left < 0)
            left = form->Play1Pile->NonEmptyCount();
    });
    ASSERT_TRUE(RunUntil([&] {
        TNetMatch* h = Ready(host);
        TNetMatch* g = Ready(guest);
        return h && g && h->BothReady() && g->BothReady();
    }));
    EXPECT_TRUE(guestForm->DealLabel->isHidden()) << "the number is the host's secret";
    EXPECT_EQ(guestForm->OpponentName(), QStringLiteral("Ann"));
    ASSERT_TRUE(Mirrored(*form, *guestForm));
    const uint64_t first = form->DealNumber();
    EXPECT_GE(first, KsFirstDealKey)
        << "a secret of 64 bits, not a number of 32 a guest can search";

    // Each side plays in turn what it sees; every play, and every turn-over when neither can,
    // reaches both tables alike.
    int plays = 0;
    for (int step = 0; step < 400 && hostDecided.empty(); ++step) {
        TMainForm* side = step % 2 == 0 ? form.get() : guestForm.get();
        if (!Playable(*side))
            side = side == form.get() ? guestForm.get() : form.get();
        const int before = form->HumanPlayed() + form->ComputerPlayed();
        if (const auto play = Playable(*side)) {
            std::vector<TPlay>& laid = side == form.get() ? hostLaid : guestLaid;
            const size_t count = laid.size();
            const int32_t card = side->Play1Card[size_t(play->first)]->GetCard(0)->ID();
            side->PlaySlot(play->first, play->second == 2);
            ++plays;
            ASSERT_TRUE(RunUntil([&] { return laid.size() > count; }));
            EXPECT_EQ(laid.back(), (TPlay{TSide::Human, play->first, play->second, card}))
                << "laid from the slot on the pile it was played to";
        }
        ASSERT_TRUE(RunUntil([&] {
            return !hostDecided.empty() || (Mirrored(*form, *guestForm) &&
                                            form->HumanPlayed() + form->ComputerPlayed() > before);
        })) << "step "
            << step;
    }
    ASSERT_TRUE(RunUntil([&] { return !guestDecided.empty() && revealed; }));
    EXPECT_GT(plays, 20);

    // Of the host's pile the guest heard each card as it turned up, top first, and no other:
    // the deal's cards it was sent are the rest of the deal, as many as lay face up.
    std::vector<int32_t> shown;
    QByteArray sent;
    heard.pop_back(); // the reveal
    for (const TNetMessage& m : heard) {
        if (m.Shown != 0)
            shown.push_back(m.Shown);
        sent += m.Cards;
    }
    ASSERT_EQ(hidden.size(), 21u);
    EXPECT_EQ(shown, std::vector<int32_t>(hidden.rbegin(), hidden.rend() - left));
    EXPECT_EQ(sent.size(), 2 * 26 - 21);
    // Once the game is over the guest knows the deal, checked against every card it saw.
    EXPECT_EQ(revealedNumber, first);
    EXPECT_EQ(revealedLabel, QStringLiteral("Deal %1").arg(first));
    EXPECT_TRUE(revealedFits);
    ASSERT_EQ(hostDecided.size(), 1u);
    ASSERT_EQ(guestDecided.size(), 1u);
    EXPECT_NE(hostDecided[0].Side, guestDecided[0].Side) << "one winner, seen from both sides";
    const bool hostWon = hostDecided[0].Side == TSide::Human;
    // Both windows save into one Config.INI here, each game once.
    TRecords file;
    LoadConfig(file);
    const TGameStats& both = file.Statistics.HeadToHead(1);
    EXPECT_EQ(std::tuple(both.Played, both.Won, both.Lost), std::tuple(2, 1, 1));
    // The winner's record carries the deal, on the guest's side too, which learned it last.
    const TGameStats& won = (hostWon ? *form : *guestForm).Statistics().HeadToHead(1);
    EXPECT_EQ(std::pair(won.FastestWinDeal, won.BestScoreDeal), std::pair(first, first));
    EXPECT_EQ(std::pair(both.FastestWinDeal, both.BestScoreDeal), std::pair(first, first));
    EXPECT_EQ(form->Statistics().Entry(form->Combination()).Played, 0);

    // Both said yes to another game: the host deals again, the same deal on both sides.
    ASSERT_TRUE(RunUntil([&] {
        return form->DealNumber() != first && host->Match()->BothReady() &&
               guest->Match()->BothReady();
    }));
    EXPECT_TRUE(Mirrored(*form, *guestForm));

    // The guest closes its window: it leaves the match first, the host hears it, and the game
    // left counts as abandoned on both sides.
    guestForm->close();
    EXPECT_FALSE(guest->Match());
    EXPECT_EQ(guestForm->Statistics().HeadToHead(1).Abandoned, 1);
    // The box comes from the event loop, after the match has ended.
    ASSERT_TRUE(RunUntil([&] { return !host->Match() && ErrorShown(); }));
    EXPECT_TRUE(dialogs.Shown.back().Text.contains(QStringLiteral("left the match")));
    LoadConfig(file);
    EXPECT_EQ(std::tuple(both.Played, both.Abandoned), std::tuple(4, 2)) << "on both sides";
    EXPECT_FALSE(form->GameRunning());
    EXPECT_NE(dynamic_cast<TComputerOpponent*>(&form->Opponent()), nullptr);

    // The match's last deal replays alone, card for card.
    ASSERT_EQ(dealt.size(), 2u);
    form->DealNumbered(form->DealNumber());
    ASSERT_EQ(dealt.size(), 3u);
    EXPECT_EQ(dealt[2], dealt[1]);
    EXPECT_NE(dealt[1], dealt[0]);
}

TEST_F(NetMatch, ABoxLeftOpenHoldsUpNoLinkAndAMatchGoneMeanwhileBeginsNoGame) {
    // Two decks at the host, one at the guest: the guest's deck grows for the match. Every box
    // stays open three times as long as either side waits for the other to be heard.
    form->SetDeckCount(2);
    form->SetUpDeckSize();
    dialogs.Shown.clear();
    host->Timing = {100, 1500};
    auto guestForm = std::make_unique<TMainForm>();
    TNetCommands* guest = NetworkCommands(*guestForm);
    guest->Timing = host->Timing;
    std::function<void(const TKsMessage&)> whileOpen = [](const TKsMessage&) {
        QTest::qWait(4500);
    };
    dialogs.OnMessage = [&](const TKsMessage& m) { whileOpen(m); };
    guest->Join(QStringLiteral("127.0.0.1"), host->HostPort());
    ASSERT_TRUE(RunUntil([&] {
        return !guest->Match() || (Ready(host) && Ready(guest) && host->Match()->BothReady() &&
                                   guest->Match()->BothReady());
    }));
    ASSERT_TRUE(guest->Match());
    EXPECT_EQ(guestForm->DeckCount(), 2);
    EXPECT_TRUE(Mirrored(*form, *guestForm));
    for (const TKsMessage& m : dialogs.Shown)
        EXPECT_NE(m.Text, StringRes::CreatingSecondDeck());

    // The host leaves while both sides' confirmations of the next deal are open: once they are
    // answered, neither window begins the match's deal as a game of its own.
    int shown = 0;
    whileOpen = [&](const TKsMessage& m) {
        if (m.Text != StringRes::ReadyToStart())
            return;
        if (++shown == 1) {
            RunUntil([&] { return shown == 2; });
            return;
        }
        host->Leave();
        RunUntil([&] { return !guest->Match(); });
    };
    form->DealBtnClick();
    ASSERT_TRUE(RunUntil([&] { return !guest->Match() && !host->Match(); }));
    EXPECT_EQ(shown, 2);
    QTest::qWait(50);
    EXPECT_FALSE(form->GameRunning());
    EXPECT_FALSE(guestForm->GameRunning());
    EXPECT_NE(dynamic_cast<TComputerOpponent*>(&guestForm->Opponent()), nullptr);
    EXPECT_EQ(guestForm->DeckCount(), 1);
    EXPECT_TRUE(dialogs.Shown.back().Text.contains(QStringLiteral("left the match")));
}

namespace {

// The other end as raw bytes: it says what a test wants, in or out of the rules.
struct TRawPeer {
    QTcpSocket Socket;
    TNetDecoder Decoder;
    std::vector<TNetMessage> Heard;

    bool Connect(uint16_t Port) {
        Socket.connectToHost(QStringLiteral("127.0.0.1"), Port);
        return RunUntil([&] { return Socket.state() == QAbstractSocket::ConnectedState; });
    }
    void Send(TNetKind Kind, const std::function<void(TNetMessage&)>& Fill = {}) {
        TNetMessage m;
        m.Kind = Kind;
        if (Fill)
            Fill(m);
        Socket.write(EncodeNetMessage(m));
    }
    // Waits for a message of a kind, answering heartbeats meanwhile.
    std::optional<TNetMessage> Await(TNetKind Kind) {
        std::optional<TNetMessage> found;
        RunUntil([&] {
            Decoder.Feed(Socket.readAll());
            while (auto m = Decoder.Next()) {
                if (m->Kind == TNetKind::Ping)
                    Send(TNetKind::Pong, [&](TNetMessage& p) { p.Stamp = m->Stamp; });
                if (m->Kind == Kind && !found)
                    found = m;
            }
            return found.has_value();
        });
        return found;
    }
};

// The first of the host's top-row slots whose card a pile takes, or does not take.
std::optional<int> GuestSlot(TMainForm& Host, bool Fits) {
    for (int i = 0; i < 4; ++i) {
        TKsCardGroup* s = Host.Play2Card[static_cast<size_t>(i)];
        if (s->NonEmptyCount() == 0)
            continue;
        const int32_t v = s->GetCard(0)->Value();
        const bool fits = TMainForm::IsNextRank(v, Host.CardTable1->CardTop().Value()) ||
                          TMainForm::IsNextRank(v, Host.CardTable2->CardTop().Value());
        if (fits == Fits)
            return i;
    }
    return std::nullopt;
}

} // namespace

TEST_F(NetMatch, TheHostRefereesEveryPlayOfTheGuest) {
    TRawPeer guest;
    ASSERT_TRUE(guest.Connect(host->HostPort()));
    guest.Send(TNetKind::Hello, [](TNetMessage& m) { m.Name = QStringLiteral("Cheater"); });
    ASSERT_TRUE(guest.Await(TNetKind::Deal));
    TNetMatch* match = host->Match();
    ASSERT_TRUE(match);
    qint64 now = 0;
    match->Clock = [&now] { return now; };
    ASSERT_TRUE(RunUntil([&] { return form->GameRunning(); }));

    // Before its player confirmed the deal the guest plays nothing.
    guest.Send(TNetKind::Play, [](TNetMessage& m) { m.Slot = 0; });
    auto answer = guest.Await(TNetKind::Refused);
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->Why, uint8_t(TRefusal::NotRunning));
    guest.Send(TNetKind::Ready);
    ASSERT_TRUE(RunUntil([&] { return match->BothReady(); }));

    // The guest's first two slots: a card that fits a pile and one that fits none.
    const auto value = [this](int32_t ID) {
        SetSlot(form->Play2Card[3], ID);
        return form->Play2Card[3]->GetCard(0)->Value();
    };
    const int32_t top1 = form->CardTable1->CardTop().Value();
    const int32_t top2 = form->CardTable2->CardTop().Value();
    for (int32_t id = 2; id < 54; ++id) {
        const bool fitting = TMainForm::IsNextRank(value(id), top1);
        if (fitting || !TMainForm::IsNextRank(value(id), top2))
            SetSlot(form->Play2Card[fitting ? 0 : 1], id);
    }
    SetSlot(form->Play2Card[3], 0);

    // A card that fits is laid and confirmed; the next play within the rate limit is refused
    // whatever it is; one that fits no pile is refused as a fumble.
    const std::optional<int> fits = GuestSlot(*form, true);
    ASSERT_EQ(fits, 0);
    const int32_t card = form->Play2Card[size_t(*fits)]->GetCard(0)->ID();
    guest.Send(TNetKind::Play, [&](TNetMessage& m) { m.Slot = uint8_t(*fits); });
    answer = guest.Await(TNetKind::Laid);
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->Side, 1);
    EXPECT_EQ(answer->Card, card);
    EXPECT_EQ(form->ComputerPlayed(), 1);
    guest.Send(TNetKind::Play, [&](TNetMessage& m) { m.Slot = uint8_t(*fits); });
    answer = guest.Await(TNetKind::Refused);
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->Why, uint8_t(TRefusal::Held));
    now += TNetMatch::MinPlayIntervalMs;
    guest.Send(TNetKind::Play, [&](TNetMessage& m) { m.Slot = 1; });
    answer = guest.Await(TNetKind::Refused);
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->Why, uint8_t(TRefusal::NoFit));
    EXPECT_EQ(form->ComputerPlayed(), 1);

    // The line may bring a play closer to the one before, by PlayJitterMs at most, and only
    // so long as the plays keep the limit on average.
    const int32_t top = form->CardTable1->CardTop().Value();
    int32_t fit = 2;
    while (fit < 53 && !TMainForm::IsNextRank(value(fit), top))
        ++fit;
    SetSlot(form->Play2Card[0], fit);
    SetSlot(form->Play2Card[3], 0);
    const int early = TNetMatch::MinPlayIntervalMs - TNetMatch::PlayJitterMs;
    now += early;
    guest.Send(TNetKind::Play, [&](TNetMessage& m) { m.Slot = 0; });
    answer = guest.Await(TNetKind::Laid);
    ASSERT_TRUE(answer);
    EXPECT_EQ(form->ComputerPlayed(), 2);
    now += TNetMatch::MinPlayIntervalMs - 1;
    guest.Send(TNetKind::Play, [&](TNetMessage& m) { m.Slot = 1; });
    answer = guest.Await(TNetKind::Refused);
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->Why, uint8_t(TRefusal::Held));

    // A guest may not deal: the match ends as broken, the game abandoned.
    guest.Send(TNetKind::Deal, [](TNetMessage& m) { m.Number = 7; });
    ASSERT_TRUE(RunUntil([&] { return !host->Match() && ErrorShown(); }));
    EXPECT_TRUE(dialogs.Shown.back().Text.contains(QStringLiteral("out of turn")));
    EXPECT_EQ(form->Statistics().HeadToHead(1).Abandoned, 1);
}

TEST_F(NetMatch, APeerThatFailsEndsTheMatchWithAMessageAndTheSettingsKeep) {
    WriteJoinAddress(QStringLiteral("friend.example:4000"));
    struct TCase {
        const char* Name;
        std::function<void(TRawPeer&)> Fault;
        const char* Message;
    };
    const std::vector<TCase> cases{
        {"killed", [](TRawPeer& p) { p.Socket.abort(); }, "left the match"},
        {"garbage", [](TRawPeer& p) { p.Socket.write("\x00\x05?????", 7); }, "not a Tolvi message"},
        {"silent", [](TRawPeer&) {}, "has not answered"},
    };
    int abandoned = 0;
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        if (!host->HostPort()) {
            host->Timing = {50, 500};
            ASSERT_TRUE(host->Host(QStringLiteral("127.0.0.1"), 0));
        }
        TRawPeer peer;
        ASSERT_TRUE(peer.Connect(host->HostPort()));
        peer.Send(TNetKind::Hello);
        ASSERT_TRUE(peer.Await(TNetKind::Deal));
        peer.Send(TNetKind::Ready);
        ASSERT_TRUE(RunUntil([&] { return host->Match() && host->Match()->BothReady(); }));
        // The end's message comes from the event loop, after the deal's box.
        dialogs.Shown.clear();
        c.Fault(peer);
        ++abandoned;
        ASSERT_TRUE(RunUntil([&] { return !host->Match() && !dialogs.Shown.empty(); }));
        EXPECT_TRUE(dialogs.Shown.back().Text.contains(QLatin1String(c.Message)))
            << dialogs.Shown.back().Text.toStdString();
        EXPECT_FALSE(form->GameRunning());
        EXPECT_EQ(form->Statistics().HeadToHead(1).Abandoned, abandoned);
        EXPECT_NE(dynamic_cast<TComputerOpponent*>(&form->Opponent()), nullptr);
        dialogs.Shown.clear();
    }
    // The window plays on against the computer, and closes with every record in the file.
    form->DealBtnClick();
    EXPECT_TRUE(form->GameRunning());
    form->close();
    TConfigFile file;
    EXPECT_EQ(ReadJoinAddress(), QStringLiteral("friend.example:4000"));
    TStatistics saved;
    file.ReadStatistics(saved);
    EXPECT_EQ(saved.HeadToHead(1).Abandoned, abandoned);
    EXPECT_EQ(saved.Entry(form->Combination()).Abandoned, 1);
}

namespace {

// Hands the one connection it takes to a raw peer.
struct TRawServer : QTcpServer {
    TRawPeer* Peer = nullptr;
    void incomingConnection(qintptr Handle) override { Peer->Socket.setSocketDescriptor(Handle); }
};

} // namespace

TEST_F(NetMatch, AGuestTakesOnlyTheCardsItMaySeeAndChecksThePromisedDeal) {
    // A host of its own making deals 7 of clubs everywhere but a 10 of clubs on its table and a
    // 9 of diamonds in the guest's first slot, and promises deal 7.
    const QByteArray salt(NetSaltBytes, 's');
    QByteArray promise = salt + QByteArray("\0\0\0\0\0\0\0\x07", 8);
    promise = QCryptographicHash::hash(promise, QCryptographicHash::Sha256);
    QByteArray cards(2 * 26 - 21, '\x07');
    cards[4] = 10;      // the host's table
    cards[5 + 21] = 22; // the guest's first slot
    const std::vector<std::pair<const char*, bool>> cases{
        {"a card of its own shown", true}, {"a reveal before the game is over", false}};
    for (const auto& [what, showOwn] : cases) {
        SCOPED_TRACE(what);
        TRawServer server;
        TRawPeer host;
        server.Peer = &host;
        ASSERT_TRUE(server.listen(QHostAddress(QHostAddress::LocalHost), 0));
        auto guestForm = std::make_unique<TMainForm>();
        // Each case's guest adds to the same Config.INI.
        const int32_t abandoned = guestForm->Statistics().HeadToHead(1).Abandoned;
        TNetCommands* guest = NetworkCommands(*guestForm);
        guest->Timing = {100, 20000};
        guest->Join(QStringLiteral("127.0.0.1"), server.serverPort());
        ASSERT_TRUE(
            RunUntil([&] { return host.Socket.state() == QAbstractSocket::ConnectedState; }));
        host.Send(TNetKind::Hello);
        host.Send(TNetKind::Deal, [&](TNetMessage& m) { m.Commit = promise; });
        host.Send(TNetKind::Cards, [&](TNetMessage& m) { m.Cards = cards; });
        ASSERT_TRUE(host.Await(TNetKind::Ready));
        host.Send(TNetKind::Ready);
        ASSERT_TRUE(RunUntil([&] { return guest->Match() && guest->Match()->BothReady(); }));
        EXPECT_EQ(guestForm->Play1Card[0]->GetCard(0)->ID(), 22);
        EXPECT_EQ(guestForm->CardTable2->CardTop().ID(), 10);

        // The guest's 9 on the host's 10: a refill of the guest's own shows nothing new.
        host.Send(TNetKind::Laid, [&](TNetMessage& m) {
            m.Side = 1;
            m.Table = 1;
            m.Card = 22;
            m.Shown = showOwn ? 7 : 0;
        });
        if (!showOwn) {
            ASSERT_TRUE(RunUntil([&] { return guestForm->HumanPlayed() == 1; }));
            EXPECT_TRUE(guest->Match());
            // The promise is opened only once the game is over.
            host.Send(TNetKind::Reveal, [&](TNetMessage& m) {
                m.Number = 7;
                m.Salt = salt;
            });
        }
        ASSERT_TRUE(RunUntil([&] { return !guest->Match() && ErrorShown(); }));
        EXPECT_TRUE(dialogs.Shown.back().Text.contains(
            QLatin1String(showOwn ? "no longer agree" : "out of turn")))
            << dialogs.Shown.back().Text.toStdString();
        EXPECT_EQ(guestForm->Statistics().HeadToHead(1).Abandoned, abandoned + 1);
        EXPECT_TRUE(guestForm->DealLabel->isHidden());
    }
}

TEST_F(NetMatch, BothPlayersPlayByTheHostsRulesAndOneClock) {
    int64_t now = 1000000;
    const TStatsClockOverride stats([&] { return now; });
    form->SetFumbleRule(true);
    form->SetLevel(0);
    auto guestForm = std::make_unique<TMainForm>();
    guestForm->SetLevel(2);
    qint64 hostNow = 0, guestNow = 0;
    guestForm->Fumble().Clock = [&] { return guestNow; };
    // Each side confirms its deal 14 s after the other.
    dialogs.OnMessage = [&](const TKsMessage& m) {
        if (m.Text == StringRes::ReadyToStart())
            now += 14000;
    };
    std::vector<TGameEvent> hostDecided, guestDecided, guestRefused;
    int32_t scoreAtLaid = 0;
    form->Events().Subscribe([&](const TGameEvent& e) {
        if (e.Kind == TGameEventKind::GameDecided)
            hostDecided.push_back(e);
        if (e.Kind == TGameEventKind::CardLaid && e.Play.Side == TSide::Human)
            scoreAtLaid = form->GameScore();
    });
    guestForm->Events().Subscribe([&](const TGameEvent& e) {
        if (e.Kind == TGameEventKind::GameDecided)
            guestDecided.push_back(e);
        if (e.Kind == TGameEventKind::PlayRefused && e.Play.Side == TSide::Human)
            guestRefused.push_back(e);
    });
    TNetCommands* guest = nullptr;
    ASSERT_TRUE(Joined(*guestForm, guest));
    host->Match()->Clock = [&] { return hostNow; };
    guest->Match()->Clock = [&] { return guestNow; };
    EXPECT_TRUE(guestForm->FumbleRule()) << "the host's rule holds both";

    // Tens on the piles; the host holds a jack, the guest a two and a nine.
    Lay(*form, *guestForm, 10, 10, {11, 11, 11, 11}, {2, 9, 2, 2});
    const int bad = 0, good = 1;
    // A guest's card that fits nowhere locks the guest's cards on both tables.
    hostNow = guestNow = 1000;
    guestForm->PlaySlot(bad);
    ASSERT_TRUE(RunUntil([&] { return guestForm->Fumble().Locked(); }));
    // Pressed again within the lock, the guest's card goes no further and shows as refused.
    const size_t refused = guestRefused.size();
    guestNow += 200;
    guestForm->PlaySlot(good);
    ASSERT_EQ(guestRefused.size(), refused + 1);
    EXPECT_EQ(guestRefused.back().Why, TRefusal::Held);
    // A play sent anyway is held by the referee, as the host's own would be.
    hostNow += 200;
    TNetMessage play;
    play.Kind = TNetKind::Play;
    play.Slot = static_cast<uint8_t>(good);
    guest->Match()->Link().Send(play);
    ASSERT_TRUE(RunUntil([&] { return guestRefused.size() == refused + 2; }));
    EXPECT_EQ(guestRefused.back().Why, TRefusal::Held);
    EXPECT_EQ(form->ComputerPlayed(), 0);

    // The host's winning card: no level bonus on either side, and one clock, started when the
    // later of the two confirmed.
    TMainFormProbe::SetCounters(*form, form->CardsToWin() - 1, 0);
    TMainFormProbe::SetCounters(*guestForm, 0, form->CardsToWin() - 1);
    now += 5000;
    form->PlaySlot(0);
    ASSERT_TRUE(RunUntil([&] { return !hostDecided.empty() && !guestDecided.empty(); }));
    EXPECT_EQ(hostDecided[0].Side, TSide::Human);
    EXPECT_EQ(hostDecided[0].Score, scoreAtLaid + 1 + form->CardsToWin() * 100 + 1);
    EXPECT_EQ(hostDecided[0].Milliseconds, 5000);
    EXPECT_EQ(guestDecided[0].Milliseconds, 5000);

    guest->Leave();
    EXPECT_FALSE(guestForm->FumbleRule()) << "the guest's own rule is back";
}

TEST_F(NetMatch, AMatchSpeaksOfTheFriendWaitsForThemAndEndsOnce) {
    form->Records().Additions.SetLastName(QStringLiteral("Ann"));
    auto guestForm = std::make_unique<TMainForm>();
    QStringList heard;
    guestForm->findChild<TTableAccess*>()->Status()->SetGap(0);
    guestForm->findChild<TTableAccess*>()->Status()->OnAnnounce = [&](const QString& t) {
        heard << t;
    };
    TNetCommands* guest = nullptr;
    ASSERT_TRUE(Joined(*guestForm, guest));
    Lay(*form, *guestForm, 10, 10, {11, 2, 2, 2}, {2, 2, 2, 2});
    TMainFormProbe::SetCounters(*form, form->CardsToWin() - 1, 0);
    TMainFormProbe::SetCounters(*guestForm, 0, form->CardsToWin() - 1);
    guestForm->findChild<TTableAccess*>()->Refresh();
    EXPECT_EQ(guestForm->WaitSign2->accessibleName(), QStringLiteral("Ann cannot play"));

    // The guest says yes and waits for Ann, who then says no: the guest is told once, and its
    // question, answered or not, deals nothing.
    bool waitShown = false;
    dialogs.OnMessage = [&](const TKsMessage& m) {
        if (m.Text.startsWith(QLatin1String("You Won"))) { // Ann's question
            waitShown = RunUntil([&] { return !guestForm->PeerWait->isHidden(); });
            dialogs.Answers = {mbNo};
        }
    };
    form->PlaySlot(0);
    ASSERT_TRUE(RunUntil([&] { return !guest->Match() && !host->Match(); }));
    QTest::qWait(50);
    EXPECT_TRUE(waitShown);
    EXPECT_TRUE(heard.join('|').contains(QLatin1String("Ann laid the")))
        << heard.join('|').toStdString();
    EXPECT_TRUE(heard.contains(QStringLiteral("Ann won")));
    int told = 0;
    for (const TKsMessage& m : dialogs.Shown)
        told += m.Type == mtError ? 1 : 0;
    EXPECT_EQ(told, 1);
    EXPECT_FALSE(guestForm->GameRunning()) << "a yes to a question the match closed";
    EXPECT_FALSE(form->GameRunning());
    EXPECT_TRUE(guestForm->PeerWait->isHidden());
}

TEST_F(NetMatch, TheMenuHostsWhereTheCommandLineDidAndAsksBeforeLeavingAGame) {
    host->Leave();
    QTcpServer probe;
    ASSERT_TRUE(probe.listen(QHostAddress(QHostAddress::LocalHost), 0));
    const uint16_t port = probe.serverPort();
    probe.close();
    ASSERT_TRUE(host->Host(QStringLiteral("127.0.0.1"), port));
    host->Leave();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); // the port is free again
    const auto action = [&](const QString& Text) {
        for (QAction* a : form->GameMenu->actions())
            if (a->text() == Text)
                return a;
        return static_cast<QAction*>(nullptr);
    };
    action(QStringLiteral("&Host a game..."))->trigger();
    EXPECT_EQ(host->HostPort(), port);

    auto guestForm = std::make_unique<TMainForm>();
    TNetCommands* guest = nullptr;
    ASSERT_TRUE(Joined(*guestForm, guest, port));
    dialogs.Shown.clear();
    dialogs.Answers = {mbNo};
    action(QStringLiteral("&Leave the match"))->trigger();
    ASSERT_EQ(dialogs.Shown.size(), 1u);
    EXPECT_EQ(dialogs.Shown[0].Type, mtConfirmation);
    EXPECT_TRUE(host->Match()) << "No keeps the match";
    dialogs.Answers = {mbYes};
    action(QStringLiteral("&Leave the match"))->trigger();
    EXPECT_FALSE(host->Match());
}

// A card dragged with the mouse is played through the match like a key's: the guest's reaches
// the host and is laid on both tables alike, the host's waits out the line's lag first.
TEST_F(NetMatch, ACardDraggedOnEitherSideIsLaidOnBothTablesTheHostsAfterTheLag) {
    auto guestForm = std::make_unique<TMainForm>();
    TNetCommands* guest = nullptr;
    ASSERT_TRUE(Joined(*guestForm, guest));
    for (TMainForm* f : {form.get(), guestForm.get()}) {
        f->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(f));
    }
    // Tens on the piles, a jack at the host and nines at the guest: no turn-over comes between.
    Lay(*form, *guestForm, 10, 10, {11, 8, 8, 8}, {9, 9, 9, 9});
    const int32_t nine = guestForm->Play1Card[0]->GetCard(0)->ID();
    const int32_t jack = form->Play1Card[0]->GetCard(0)->ID();
    const auto agreed = [&](int HostLaid, int GuestLaid) {
        return form->HumanPlayed() == HostLaid && form->ComputerPlayed() == GuestLaid &&
               Mirrored(*form, *guestForm);
    };
    // The guest's second pile is the host's first; its card waits for the host's word.
    ASSERT_TRUE(DragOnPile(*guestForm, 0, 2));
    EXPECT_EQ(guestForm->HumanPlayed(), 0) << "laid before the host took it";
    EXPECT_FALSE(guestForm->CardDrag->FlyingBack());
    ASSERT_TRUE(RunUntil([&] { return agreed(0, 1); }));
    EXPECT_EQ(form->CardTable1->CardTop().ID(), nine);

    // The host's drop is laid only once the lag is over, on both tables.
    host->Match()->SetFixedLagMs(200);
    QElapsedTimer dropped;
    qint64 laidAfter = -1;
    form->Events().Subscribe([&](const TGameEvent& e) {
        if (e.Kind == TGameEventKind::CardLaid && e.Play.Side == TSide::Human && laidAfter < 0)
            laidAfter = dropped.elapsed();
    });
    dropped.start();
    ASSERT_TRUE(DragOnPile(*form, 0, 2));
    EXPECT_EQ(form->HumanPlayed(), 0) << "laid at once";
    EXPECT_FALSE(form->CardDrag->FlyingBack()) << "it waits in its slot, as a key's card does";
    EXPECT_EQ(form->CardTable2->CardTop().ID(), 10);
    ASSERT_TRUE(RunUntil([&] { return agreed(1, 1); }));
    EXPECT_GE(laidAfter, 200);
    EXPECT_EQ(form->CardTable2->CardTop().ID(), jack);
    EXPECT_EQ(guestForm->CardTable1->CardTop().ID(), jack);
}

namespace {

// Reads what a raw peer was sent, answering nothing.
std::vector<TNetMessage> Heard(TRawPeer& Peer) {
    Peer.Decoder.Feed(Peer.Socket.readAll());
    while (auto m = Peer.Decoder.Next())
        Peer.Heard.push_back(*m);
    return Peer.Heard;
}

int Errors(const std::vector<TKsMessage>& Shown) {
    return int(std::count_if(Shown.begin(), Shown.end(),
                             [](const TKsMessage& m) { return m.Type == mtError; }));
}

bool Answered(TRawPeer& Peer) {
    for (const TNetMessage& m : Heard(Peer))
        if (m.Kind == TNetKind::Hello || m.Kind == TNetKind::Busy)
            return true;
    return false;
}

} // namespace

TEST_F(NetMatch, ABurstOfConnectionsMakesOneMatchAndTheRestHearTheHostIsBusy) {
    // Strangers all at once, each greeting as a guest does the moment it is connected.
    constexpr int Burst = 200;
    std::vector<std::unique_ptr<TRawPeer>> peers;
    std::vector<bool> greeted(Burst);
    QElapsedTimer took;
    took.start();
    for (int i = 0; i < Burst; ++i) {
        peers.push_back(std::make_unique<TRawPeer>());
        peers.back()->Socket.connectToHost(QStringLiteral("127.0.0.1"), host->HostPort());
    }
    ASSERT_TRUE(RunUntil([&] {
        int done = 0;
        for (int i = 0; i < Burst; ++i) {
            TRawPeer& p = *peers[size_t(i)];
            if (!greeted[size_t(i)] && p.Socket.state() == QAbstractSocket::ConnectedState) {
                p.Send(TNetKind::Hello);
                greeted[size_t(i)] = true;
            }
            done += Answered(p) ? 1 : 0;
        }
        return done == Burst;
    }));
    std::cout << "[ figure   ] " << Burst << " connections answered in " << took.elapsed()
              << " ms\n";
    int welcomed = 0;
    int inMatch = 0;
    for (auto& p : peers) {
        const TNetMessage& first = p->Heard.front();
        welcomed += first.Kind == TNetKind::Hello ? 1 : 0;
        inMatch += first.Kind == TNetKind::Busy && first.Why == uint8_t(TNetBusy::InMatch);
    }
    EXPECT_EQ(welcomed, 1) << "one guest per match";
    EXPECT_GE(inMatch, 1) << "a guest that greeted after the first hears the host plays";
    ASSERT_TRUE(host->Match());
    EXPECT_EQ(Errors(dialogs.Shown), 0) << "no box for the strangers turned away";

    // A real guest now is told that the host is in a match, not that nobody is there.
    auto guestForm = std::make_unique<TMainForm>();
    TNetCommands* guest = NetworkCommands(*guestForm);
    guest->Timing = host->Timing;
    guest->Join(QStringLiteral("127.0.0.1"), host->HostPort());
    ASSERT_TRUE(RunUntil([&] { return !guest->Match() && Errors(dialogs.Shown) > 0; }));
    ASSERT_EQ(Errors(dialogs.Shown), 1);
    EXPECT_TRUE(dialogs.Shown.back().Text.contains(QLatin1String("already playing a match")))
        << dialogs.Shown.back().Text.toStdString();
    EXPECT_FALSE(guestForm->HeadToHead());
}

TEST_F(NetMatch, AGuestThatDoesNotGreetInTimeIsDroppedAndTheHostWaitsOn) {
    host->Leave();
    host->Timing.GreetingMs = 300;
    ASSERT_TRUE(host->Host(QStringLiteral("127.0.0.1"), 0));
    const auto waiting = [this] {
        for (const QMessageBox* box : form->findChildren<QMessageBox*>())
            if (box->isVisible())
                return true;
        return false;
    };
    ASSERT_TRUE(waiting());
    // A frame of the largest size, sent a byte at a time: never a whole message.
    TRawPeer slow;
    ASSERT_TRUE(slow.Connect(host->HostPort()));
    const QByteArray frame = QByteArray(1, '\0') + char(MaxNetBody) + QByteArray(MaxNetBody, '\1');
    QElapsedTimer each;
    int sent = 0;
    each.start();
    RunUntil([&] {
        if (sent < frame.size() && each.elapsed() >= 100) {
            slow.Socket.write(frame.mid(sent++, 1));
            each.restart();
        }
        EXPECT_FALSE(host->Match()) << "bytes alone begin nothing";
        EXPECT_TRUE(waiting()) << "the host goes on waiting for its guest";
        return slow.Socket.state() != QAbstractSocket::ConnectedState || sent == frame.size();
    });
    EXPECT_LT(sent, frame.size()) << "dropped before its bytes ran out";
    EXPECT_NE(slow.Socket.state(), QAbstractSocket::ConnectedState);

    // A guest of another version hears the host's, and the host's player reads it in the box
    // it waits with, not in a box of its own.
    TRawPeer other;
    ASSERT_TRUE(other.Connect(host->HostPort()));
    other.Send(TNetKind::Hello, [](TNetMessage& m) { m.Version = NetProtocolVersion + 1; });
    const std::optional<TNetMessage> hello = other.Await(TNetKind::Hello);
    ASSERT_TRUE(hello);
    EXPECT_EQ(hello->Version, NetProtocolVersion);
    ASSERT_TRUE(RunUntil([&] { return other.Socket.state() != QAbstractSocket::ConnectedState; }));
    bool told = false;
    for (const QMessageBox* box : form->findChildren<QMessageBox*>())
        told = told ||
               (box->isVisible() && box->informativeText().contains(
                                        QStringLiteral("version %1").arg(NetProtocolVersion + 1)));
    EXPECT_TRUE(told);
    EXPECT_FALSE(host->Match());

    // The guest who comes next gets in.
    auto guestForm = std::make_unique<TMainForm>();
    TNetCommands* guest = NetworkCommands(*guestForm);
    guest->Timing = host->Timing;
    guest->Join(QStringLiteral("127.0.0.1"), host->HostPort());
    ASSERT_TRUE(RunUntil([&] {
        return host->Match() && host->Match()->Running() && guest->Match() &&
               guest->Match()->Running();
    }));
    EXPECT_FALSE(waiting());
}

TEST_F(NetMatch, APeerThatReadsNothingIsDroppedBeforeItHoldsMuchMemory) {
    TRawPeer peer;
    // It takes almost nothing in, from the system or from its socket.
    peer.Socket.setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, 4096);
    peer.Socket.setSocketOption(QAbstractSocket::SendBufferSizeSocketOption, 65536);
    peer.Socket.setReadBufferSize(1);
    ASSERT_TRUE(peer.Connect(host->HostPort()));
    peer.Send(TNetKind::Hello);
    ASSERT_TRUE(RunUntil([&] { return host->Match() && host->Match()->Running(); }));
    // Heartbeats without end, each of which the host answers.
    QByteArray pings;
    for (int i = 0; i < 4096; ++i)
        pings += EncodeNetMessage([i] {
            TNetMessage m;
            m.Kind = TNetKind::Ping;
            m.Stamp = i;
            return m;
        }());
    constexpr qint64 Bound = 64 << 20;
    qint64 sent = 0;
    RunUntil([&] {
        if (peer.Socket.bytesToWrite() < 4 * pings.size() && sent < Bound) {
            peer.Socket.write(pings);
            sent += pings.size();
        }
        return (!host->Match() && Errors(dialogs.Shown) > 0) || sent >= Bound;
    });
    ASSERT_FALSE(host->Match()) << "still there after " << sent << " bytes";
    std::cout << "[ figure   ] dropped after " << sent << " bytes of heartbeats\n";
    // What the host held for it: no more than its queue and the system's small buffers.
    EXPECT_LT(sent, 8 << 20);
    ASSERT_FALSE(dialogs.Shown.empty());
    EXPECT_TRUE(dialogs.Shown.back().Text.contains(QLatin1String("stopped reading")))
        << dialogs.Shown.back().Text.toStdString();
}

TEST_F(NetMatch, AMessageTheMatchDoesNotExpectEndsItAsOutOfTurn) {
    const std::vector<std::pair<const char*, TNetKind>> cases{
        {"no to another game in the middle of one", TNetKind::Again},
        {"ready twice", TNetKind::Ready}};
    for (const auto& [what, kind] : cases) {
        SCOPED_TRACE(what);
        if (!host->HostPort()) {
            ASSERT_TRUE(host->Host(QStringLiteral("127.0.0.1"), 0));
        }
        dialogs.Shown.clear();
        TRawPeer guest;
        ASSERT_TRUE(guest.Connect(host->HostPort()));
        guest.Send(TNetKind::Hello);
        ASSERT_TRUE(guest.Await(TNetKind::Deal));
        guest.Send(TNetKind::Ready);
        ASSERT_TRUE(RunUntil([&] { return host->Match() && host->Match()->BothReady(); }));
        guest.Send(kind); // Again: no
        ASSERT_TRUE(RunUntil([&] { return !host->Match() && Errors(dialogs.Shown) > 0; }));
        ASSERT_FALSE(dialogs.Shown.empty());
        EXPECT_TRUE(dialogs.Shown.back().Text.contains(QLatin1String("out of turn")))
            << dialogs.Shown.back().Text.toStdString();
    }
}
