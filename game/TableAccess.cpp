#include "TableAccess.h"

#include "FeltBadge.h"
#include "Main.h"
#include "kscardgroup.h"
#include "kscardtable.h"
#include "kssinglecard.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QPushButton>
#include <array>

namespace {

constexpr std::array<const char*, 13> Ranks{
    QT_TRANSLATE_NOOP("TableAccess", "two"),   QT_TRANSLATE_NOOP("TableAccess", "three"),
    QT_TRANSLATE_NOOP("TableAccess", "four"),  QT_TRANSLATE_NOOP("TableAccess", "five"),
    QT_TRANSLATE_NOOP("TableAccess", "six"),   QT_TRANSLATE_NOOP("TableAccess", "seven"),
    QT_TRANSLATE_NOOP("TableAccess", "eight"), QT_TRANSLATE_NOOP("TableAccess", "nine"),
    QT_TRANSLATE_NOOP("TableAccess", "ten"),   QT_TRANSLATE_NOOP("TableAccess", "jack"),
    QT_TRANSLATE_NOOP("TableAccess", "queen"), QT_TRANSLATE_NOOP("TableAccess", "king"),
    QT_TRANSLATE_NOOP("TableAccess", "ace")};
constexpr std::array<const char*, 4> Suits{
    QT_TRANSLATE_NOOP("TableAccess", "clubs"), QT_TRANSLATE_NOOP("TableAccess", "diamonds"),
    QT_TRANSLATE_NOOP("TableAccess", "hearts"), QT_TRANSLATE_NOOP("TableAccess", "spades")};

QString Tr(const char* Text) {
    return QCoreApplication::translate("TableAccess", Text);
}

const TKsSingleCard* TopCard(TKsCardGroup* Group) {
    for (int32_t i = Group->Count() - 1; i >= 0; --i)
        if (const TKsSingleCard* card = Group->GetCard(i); card && !card->Empty())
            return card;
    return nullptr;
}

void Name(QWidget* Widget, const QString& Text) {
    if (Widget && Widget->accessibleName() != Text)
        Widget->setAccessibleName(Text); // tells the screen reader
}

// The role a control of the table tells a screen reader, where Qt's own would be wrong: a
// card group is a plain widget to Qt.
const char* const RoleProperty = "TolviAccessibleRole";

QAccessibleInterface* TableRoles(const QString&, QObject* Object) {
    auto* widget = qobject_cast<QWidget*>(Object);
    const QVariant role = widget ? widget->property(RoleProperty) : QVariant();
    return role.isValid() ? new QAccessibleWidget(widget, QAccessible::Role(role.toInt()))
                          : nullptr;
}

void SetRole(QWidget* Widget, QAccessible::Role Role) {
    Widget->setProperty(RoleProperty, int(Role));
}

} // namespace

QString SpokenCard(int32_t ID) {
    const int32_t value = KsValueOfID(ID);
    const TKsCardSuitType suit = KsSuitOfID(ID);
    if (ID < 1 || value < 2 || value > 14 || suit > stSpade)
        return {};
    //: %1 the rank, %2 the suit: "seven of hearts"
    return QCoreApplication::translate("TableAccess", "%1 of %2")
        .arg(Tr(Ranks[size_t(value - 2)]), Tr(Suits[size_t(suit)]));
}

QString SpokenCard(const TKsSingleCard* Card) {
    return Card && !Card->Empty() ? SpokenCard(Card->ID()) : QString();
}

TAnnouncer::TAnnouncer(QWidget* Parent) : QLabel(Parent) {
    setObjectName(QStringLiteral("GameStatus"));
    // Heard, not seen: it takes no room on the table.
    setGeometry(0, 0, 0, 0);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    FGap.setSingleShot(true);
    FGap.setInterval(1000);
    connect(&FGap, &QTimer::timeout, this, &TAnnouncer::Flush);
}

void TAnnouncer::SetGap(int Milliseconds) {
    FGap.setInterval(Milliseconds);
    if (Milliseconds == 0)
        Flush(); // nothing may wait for a gap that no longer comes
}

void TAnnouncer::Say(const QString& Text, bool Replaceable) {
    if (!FGap.isActive() && FWaiting.isEmpty()) {
        Send(Text);
        return;
    }
    if (!FWaiting.isEmpty() && FWaiting.last() == Text)
        return; // said once is enough
    // The later play goes where it belongs in the order, the earlier one is dropped.
    if (Replaceable && FReplaceable >= 0)
        FWaiting.removeAt(FReplaceable);
    if (Replaceable)
        FReplaceable = int(FWaiting.size());
    FWaiting << Text;
}

void TAnnouncer::Flush() {
    FGap.stop();
    if (FWaiting.isEmpty())
        return;
    const QString text = FWaiting.join(u' ');
    FWaiting.clear();
    FReplaceable = -1;
    Send(text);
}

void TAnnouncer::Send(const QString& Text) {
    // The same text twice would be no change to hear.
    if (accessibleName() == Text)
        setAccessibleName(QString());
    setAccessibleName(Text);
    if (OnAnnounce)
        OnAnnounce(Text);
    if (FGap.interval() > 0)
        FGap.start();
}

TTableAccess::TTableAccess(TMainForm& Form)
    : QObject(&Form), FForm(Form), FStatus(new TAnnouncer(&Form)) {
    setObjectName(QStringLiteral("TableAccess"));
    // Before anything asks for the controls' interfaces, which Qt keeps once made.
    static const bool rolesInstalled = (QAccessible::installFactory(TableRoles), true);
    (void)rolesInstalled;
    SetRole(FStatus, QAccessible::StatusBar);
    FStatus->setAccessibleDescription(tr("Game events"));
    FRefresh.setSingleShot(true);
    FRefresh.setInterval(0);
    connect(&FRefresh, &QTimer::timeout, this, &TTableAccess::Refresh);
    // A card group repaints whenever its cards change, refills and turn-overs included.
    QList<QWidget*> groups{Form.CardTable1, Form.CardTable2, Form.Play1Pile, Form.Play2Pile};
    for (size_t i = 0; i < Form.Play1Card.size(); ++i) {
        groups << Form.Play1Card[i] << Form.Play2Card[i];
        SetRole(Form.Play1Card[i], QAccessible::Button); // a click or a key plays it
    }
    for (QWidget* w : groups) {
        w->installEventFilter(this);
        if (!w->property(RoleProperty).isValid())
            SetRole(w, QAccessible::Graphic);
    }
    Form.WaitSign1->setAccessibleName(tr("You cannot play"));
    Form.Events().Subscribe([this](const TGameEvent& Event) { Follow(Event); });
    Refresh();
}

bool TTableAccess::eventFilter(QObject*, QEvent* Event) {
    if (Event->type() == QEvent::Paint || Event->type() == QEvent::Show)
        FRefresh.start();
    return false;
}

TTableAccess::TShown TTableAccess::Shown() const {
    TShown shown;
    static_assert(std::tuple_size_v<decltype(FForm.Play1Card)> ==
                  std::tuple_size_v<decltype(shown.Yours)>);
    const auto id = [](const TKsSingleCard* Card) { return Card ? Card->ID() : 0; };
    for (size_t i = 0; i < shown.Yours.size(); ++i) {
        shown.Yours[i] = id(TopCard(FForm.Play1Card[i]));
        shown.Computers[i] = id(TopCard(FForm.Play2Card[i]));
    }
    shown.Score = FForm.GameScore();
    shown.Opponent = FForm.OpponentName();
    if (FForm.CardsToWin() <= 0)
        return shown; // before the first deal the piles hold no game
    const auto pileTop = [](TKsCardTable* Table) {
        return Table->CardTop().Empty() ? 0 : Table->CardTop().ID();
    };
    shown.Piles = {pileTop(FForm.CardTable1), pileTop(FForm.CardTable2)};
    shown.YoursToGo = FForm.CardsToWin() - FForm.HumanPlayed();
    shown.ComputersToGo = FForm.CardsToWin() - FForm.ComputerPlayed();
    return shown;
}

QString TTableAccess::Opponent(const QString& Computers, const QString& Friends) const {
    // One pass over the markers: a name that holds "%1" stays as it is.
    return FForm.OpponentName().isEmpty() ? Computers : Friends.arg(FForm.OpponentName());
}

void TTableAccess::Refresh() {
    FRefresh.stop();
    // The piles repaint at every frame of a flight or a glow that crosses them; the names
    // are made again only when what they say changed.
    const TShown shown = Shown();
    if (shown == FShown)
        return;
    FShown = shown;
    const QString empty = tr("empty");
    const auto spoken = [&](int32_t ID) {
        const QString name = SpokenCard(ID);
        return name.isEmpty() ? empty : name;
    };
    for (size_t i = 0; i < shown.Yours.size(); ++i) {
        const int place = int(i) + 1;
        Name(FForm.Play1Card[i], tr("Your card %1: %2").arg(place).arg(spoken(shown.Yours[i])));
        Name(FForm.Play2Card[i],
             shown.Opponent.isEmpty()
                 ? tr("Computer's card %1: %2").arg(place).arg(spoken(shown.Computers[i]))
                 : tr("%1's card %2: %3")
                       .arg(shown.Opponent, QString::number(place), spoken(shown.Computers[i])));
    }
    Name(FForm.CardTable1, tr("Left pile: %1").arg(spoken(shown.Piles[0])));
    Name(FForm.CardTable2, tr("Right pile: %1").arg(spoken(shown.Piles[1])));
    Name(FForm.Play1Pile, tr("Your cards to go: %1").arg(shown.YoursToGo));
    Name(
        FForm.Play2Pile,
        shown.Opponent.isEmpty()
            ? tr("The computer's cards to go: %1").arg(shown.ComputersToGo)
            : tr("%1's cards to go: %2").arg(shown.Opponent, QString::number(shown.ComputersToGo)));
    Name(FForm.WaitSign2, Opponent(tr("The computer cannot play"), tr("%1 cannot play")));
    Name(FForm.HumanToGo, FForm.Play1Pile->accessibleName());
    Name(FForm.ComputerToGo, FForm.Play2Pile->accessibleName());
    Name(FForm.ScoreLabel, tr("Score: %1").arg(shown.Score));
}

void TTableAccess::Follow(const TGameEvent& Event) {
    // Named before the announcement, so that a reader who hears a play finds the pile's card.
    Refresh();
    FRefresh.start(); // and again once refills and turn-overs have settled
    switch (Event.Kind) {
    case TGameEventKind::Dealt:
        FStatus->Say(tr("New deal"));
        break;
    case TGameEventKind::CardLaid: {
        const QString card = SpokenCard(Event.Play.Card);
        const bool left = Event.Play.Table != 2;
        if (Event.Play.Side == TSide::Computer && FForm.OpponentName().isEmpty())
            FStatus->Say((left ? tr("The computer laid the %1 on the left pile")
                               : tr("The computer laid the %1 on the right pile"))
                             .arg(card),
                         true);
        else if (Event.Play.Side == TSide::Computer)
            FStatus->Say((left ? tr("%1 laid the %2 on the left pile")
                               : tr("%1 laid the %2 on the right pile"))
                             .arg(FForm.OpponentName(), card),
                         true);
        else
            FStatus->Say((left ? tr("You laid the %1 on the left pile")
                               : tr("You laid the %1 on the right pile"))
                             .arg(card));
        break;
    }
    case TGameEventKind::PlayRefused:
        if (Event.Play.Side != TSide::Human)
            break;
        switch (Event.Why) {
        case TRefusal::NotRunning:
            // In a match the game is dealt and waits for the friend's go-ahead.
            FStatus->Say(FForm.OpponentName().isEmpty()
                             ? tr("No game runs: deal with Alt+D")
                             : tr("Waiting for %1…").arg(FForm.OpponentName()));
            break;
        case TRefusal::EmptySlot:
            FStatus->Say(tr("Your card %1 is empty").arg(Event.Play.Slot + 1));
            break;
        case TRefusal::NoFit:
            FStatus->Say(tr("The %1 fits on no pile").arg(SpokenCard(Event.Play.Card)));
            break;
        case TRefusal::Held:
            FStatus->Say(tr("Your cards are locked for a moment"));
            break;
        }
        break;
    case TGameEventKind::SideStuck:
        FStatus->Say(Event.Side == TSide::Human
                         ? tr("You cannot play")
                         : Opponent(tr("The computer cannot play"), tr("%1 cannot play")));
        break;
    case TGameEventKind::PilesTurnedOver:
        FStatus->Say(tr("The piles are turned over"));
        break;
    case TGameEventKind::GameDecided:
        FStatus->Say(Event.Side == TSide::Human ? tr("You won with a score of %1").arg(Event.Score)
                                                : Opponent(tr("The computer won"), tr("%1 won")));
        FStatus->Flush();
        break;
    default:
        break;
    }
}

void SetUpTableAccess(TMainForm& Form) {
    new TTableAccess(Form); // owned by the window
}
