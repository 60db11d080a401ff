#include "kscardgroup.h"

#include "ksabort.h"
#include "ksbusy.h"
#include "ksrandom.h"
#include "kssinglecard.h"

#include <QMouseEvent>
#include <QScopedValueRollback>
#include <algorithm>

TKsCardGroup::TKsCardGroup(QWidget* Owner) : TKsCustomCardControl(Owner) {
    FCardList = std::make_unique<TKsCardList>(*this); // before the resize, which refits it
    Surface().SetSize(KsCardWidth, KsCardHeight);
    resize(Surface().Width(), Surface().Height());
    SetEmpty(false);
    setMouseTracking(true);
}

TKsCardGroup::~TKsCardGroup() {
    FDestroying = true;
    FCardList.reset();
}

void TKsCardGroup::Loaded() {
    TKsCustomCardControl::Loaded();
    // Nothing was drawn while the description was applied (DrawCard).
    RedrawAll(false);
    if (AutoEmpty())
        EmptyAllCards();
}

TKsSingleCard* TKsCardGroup::GetCard(int32_t Index) const {
    if (Index < 0 || Index >= Count())
        return nullptr;
    return FCardList->Items(Index).CardOrNull();
}

int32_t TKsCardGroup::NonEmptyCount() {
    FNonEmpty.clear();
    ForEachCard([this](int, const TKsSingleCard& Card) {
        if (!Card.Empty())
            FNonEmpty.push_back(Card.Position());
    });
    return static_cast<int32_t>(FNonEmpty.size());
}

int32_t TKsCardGroup::RandomCardIndex() {
    const int32_t n = NonEmptyCount();
    if (n == 0)
        return -1;
    return FNonEmpty[static_cast<size_t>(KsRandom(n))];
}

int32_t TKsCardGroup::FindSuit(TKsCardSuitType Suit) const {
    for (int i = 0; i < Count(); ++i) {
        const TKsSingleCard* card = GetCard(i);
        if (card && card->Suit() == Suit && !card->Empty())
            return i;
    }
    return -1;
}

int32_t TKsCardGroup::FirstEmptyIndex() const {
    for (int i = 0; i < Count(); ++i)
        if (const TKsSingleCard* card = GetCard(i); card && card->Empty())
            return i;
    return Count() - 1;
}

int32_t TKsCardGroup::CardAtPos(int X, int Y) {
    if (Enabled()) {
        FMeasuring = true;
        try {
            RedrawAll(false);
        } catch (...) {
            FMeasuring = false;
            throw;
        }
        FMeasuring = false;
    }
    for (int i = 0; i < Count(); ++i) {
        const TKsSingleCard* card = GetCard(i);
        if (!card)
            continue;
        const TKsRect& r = card->CardRect();
        if (r.Left < X && X < r.Right && r.Top < Y && Y < r.Bottom)
            return i;
    }
    return -1;
}

void TKsCardGroup::EmptyAllCards() {
    ForEachCard([](int, TKsSingleCard& Card) { Card.SetEmpty(true); });
}

void TKsCardGroup::SortCards(TKsSortStyle Style) {
    if (Count() == 0)
        return;
    TKsUpdateGuard lock(*this);
    std::vector<std::pair<int32_t, int32_t>> keyed; // (key, ID)
    std::vector<TKsSingleCard*> cards;
    ForEachCard([&](int, TKsSingleCard& Card) {
        keyed.emplace_back(Style == soValue ? Card.SortKey() : Card.ID(), Card.ID());
        cards.push_back(&Card);
    });
    // The two jokers share a value; the ID settles their order.
    std::sort(keyed.begin(), keyed.end());
    for (size_t j = 0; j < cards.size(); ++j)
        cards[j]->SetID(keyed[j].second);
}

void TKsCardGroup::UpdateTightness() {
    if (!FAutoTight || Count() == 0)
        return;
    if (FCascadeSide == csRight)
        SetTightness((LayoutWidth() - KsCardWidth) / Count());
    else
        SetTightness((LayoutHeight() - KsCardHeight) / Count());
}

void TKsCardGroup::RedrawAll(bool Direct) {
    if (!Enabled())
        return;
    if (Count() == 0) {
        Surface().Fill({0, 0, Surface().Width(), Surface().Height()});
        Invalidate();
        return;
    }
    ForEachCard([this, Direct](int Index, TKsSingleCard& Card) {
        if (!RedrawnByNext(Index, Card))
            Card.Draw(Direct);
    });
}

bool TKsCardGroup::RedrawnByNext(int Index, const TKsSingleCard& Card) const {
    // An empty entry that is followed by another empty one is drawn again, in full, by that
    // one's draw (DrawCard): drawing it first as well would make a long empty cascade cost the
    // square of its length. Measuring lays out every entry itself.
    if (FMeasuring || FCascadeStyle == csNormal || !Card.Empty())
        return false;
    const TKsSingleCard* next = GetCard(Index + 1);
    return next && next->Empty() && GetCard(next->Position() - 1) == &Card;
}

void TKsCardGroup::SetCardBack(TKsCardBackType Value) {
    TKsCustomCardControl::SetCardBack(Value);
    ForEachCard([Value](int, TKsSingleCard& Card) { Card.SetCardBack(Value); });
}

void TKsCardGroup::SetShowBack(bool Value) {
    TKsCustomCardControl::SetShowBack(Value);
    ForEachCard([Value](int, TKsSingleCard& Card) { Card.SetShowBack(Value); });
}

void TKsCardGroup::SetSprite(TKsSprite* Value) {
    TKsCustomCardControl::SetSprite(Value);
    ForEachCard([Value](int, TKsSingleCard& Card) { Card.SetSprite(Value); });
}

void TKsCardGroup::SetTable(TKsCardTable* Value) {
    FTable = Value;
    ForEachCard([Value](int, TKsSingleCard& Card) { Card.SetTable(Value); });
}

void TKsCardGroup::SetCascadeSide(TKsCascadeSide Value) {
    FCascadeSide = Value;
    RedrawAll(true);
}

void TKsCardGroup::SetCascadeStyle(TKsCascadeStyle Value) {
    FCascadeStyle = Value;
    if (Value != csTight)
        SetAutoTight(false);
    RedrawAll(true);
}

void TKsCardGroup::SetTightness(int32_t Value) {
    FTightness = std::clamp(Value, 0, 70);
    RedrawAll(false);
}

void TKsCardGroup::SetAutoTight(bool Value) {
    FAutoTight = Value;
    if (Value) {
        // The cascade is fitted into the control instead of the control growing with it; the
        // fit itself waits for the next Add or resize, not the one this chain may cause.
        const QScopedValueRollback<bool> switching(FSwitchingAutoTight, true);
        SetCascadeStyle(csTight);
        SetAutoSize(false);
    } else {
        SetTightness(16);
    }
}

void TKsCardGroup::SetSortStyle(TKsSortStyle Value) {
    FSortStyle = Value;
    if (Value != soNone)
        SortCards(Value);
}

void TKsCardGroup::SetRandomCards(bool Value) {
    FRandomCards = Value;
    if (Value && !AutoEmpty())
        ForEachCard([](int, TKsSingleCard& Card) { Card.SetID(2 + KsRandom(52)); });
}

void TKsCardGroup::SetScore(int32_t Value) {
    if (Value == FScore)
        return;
    FScore = Value;
    if (FScoreLabel)
        FScoreLabel->setText(QString::number(FScore));
    if (AfterScoreChange)
        AfterScoreChange(this);
}

void TKsCardGroup::SetScoreLabel(QLabel* Value) {
    FScoreLabel = Value;
    if (FScoreLabel)
        FScoreLabel->setText(QString::number(FScore));
}

void TKsCardGroup::SetPlayerName(const QString& Value) {
    FPlayerName = Value;
    if (FPlayerNameLabel)
        FPlayerNameLabel->setText(FPlayerName);
}

void TKsCardGroup::SetPlayerNameLabel(QLabel* Value) {
    FPlayerNameLabel = Value;
    if (FPlayerNameLabel) {
        FPlayerNameLabel->setTextFormat(Qt::PlainText); // a player's name, never markup
        FPlayerNameLabel->setText(FPlayerName);
    }
}

void TKsCardGroup::SetDealer(bool Value) {
    FDealer = Value;
    if (FDealerLabel)
        FDealerLabel->setText(FDealer ? tr("Dealer") : QString());
    if (OnDealerChange)
        OnDealerChange(this);
}

void TKsCardGroup::SetDealerLabel(QLabel* Value) {
    FDealerLabel = Value;
    if (FDealerLabel)
        FDealerLabel->setText(FDealer ? tr("Dealer") : QString());
}

void TKsCardGroup::SetPlayDelay(int32_t Value) {
    if (Value >= 0)
        FPlayDelay = Value;
}

void TKsCardGroup::Resize() {
    TKsCustomCardControl::Resize();
    if (!FSwitchingAutoTight)
        UpdateTightness();
}

void TKsCardGroup::ApplyCursor(int16_t Cursor) {
    switch (Cursor) {
    case crDefault:
        unsetCursor();
        break;
    case crHandPoint:
        setCursor(Qt::PointingHandCursor);
        break;
    case -2: // arrow
        setCursor(Qt::ArrowCursor);
        break;
    case -3: // cross
        setCursor(Qt::CrossCursor);
        break;
    case -11: // hourglass
        setCursor(Qt::WaitCursor);
        break;
    default:
        setCursor(Qt::ArrowCursor);
        break;
    }
}

void TKsCardGroup::mouseMoveEvent(QMouseEvent* Event) {
    const QPoint p = LayoutPoint(Event->position());
    KsHandleEvent([&] { MouseMove(p.x(), p.y()); });
}

void TKsCardGroup::MouseMove(int X, int Y) {
    if (OnMouseMove)
        OnMouseMove(this, X, Y);
    if (FCardCursor == crDefault)
        return;
    const int32_t i = CardAtPos(X, Y);
    if (const TKsSingleCard* card = GetCard(i))
        ApplyCursor(card->Empty() ? crDefault : FCardCursor);
}

void TKsCardGroup::mouseReleaseEvent(QMouseEvent* Event) {
    const QPoint p = LayoutPoint(Event->position());
    const Qt::MouseButton button = Event->button();
    KsHandleEvent([&] { MouseUp(button, p.x(), p.y()); });
}

void TKsCardGroup::MouseUp(Qt::MouseButton Button, int X, int Y) {
    if (OnMouseUp)
        OnMouseUp(this, Button, X, Y);
    if (Busy())
        return;
    const int32_t position = CardAtPos(X, Y);
    TKsTablePos tablePos = FTablePlayPos;
    ApplyCursor(crDefault);
    bool faceDown = false;
    bool playIt = false;
    if (TKsSingleCard* card = GetCard(position); card && OnCardClick)
        OnCardClick(this, card, position, playIt, tablePos, faceDown, Button);
    if (const TKsSingleCard* card = GetCard(position); FTable && playIt && card && !card->Empty())
        PlayCard(position, faceDown, tablePos);
}

void TKsCardGroup::DragDrop(TKsCustomCardControl& Source, int X, int Y) {
    // Redraw both in the cleanup, so a failing drop handler still leaves them consistent.
    struct TRedraw {
        TKsCustomCardControl& Control;
        explicit TRedraw(TKsCustomCardControl& C) : Control(C) { Control.BeginUpdate(); }
        ~TRedraw() {
            Control.RedrawAll(false);
            Control.DrawSurface();
            Control.EndUpdate();
        }
    };
    TRedraw group(*this);
    TRedraw source(Source);
    if (OnDragDrop)
        OnDragDrop(this, &Source, X, Y);
}
