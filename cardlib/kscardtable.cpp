#include "kscardtable.h"

#include "ksabort.h"
#include "kscardgroup.h"
#include "ksrandom.h"

#include <QMouseEvent>

template <class TItem> void TKsTableList<TItem>::CheckIndex(int Index) const {
    if (Index < 0 || Index >= Count())
        throw EKsListError(
            QStringLiteral("List index out of bounds (%1)").arg(Index).toStdString());
}

template class TKsTableList<TKsPointItem>;
template class TKsTableList<TKsPlayerItem>;

TKsCardTable::TKsCardTable(QWidget* Owner) : TKsCustomCardControl(Owner) {
    FGameOptions = std::make_unique<TKsGameOptions>();
    FPointList = std::make_unique<TKsPointList>(*this);
    FPlayerList = std::make_unique<TKsPlayerList>(*this);
    Surface().SetWidth(131);
    Surface().SetHeight(156);
    auto makeCard = [this](int32_t Position) {
        auto card = std::make_unique<TKsSingleCard>(this, &Surface());
        // Drawn once, face up in its place, rather than face down first.
        SetEnabled(false);
        card->SetPosition(Position);
        SetEnabled(true);
        card->SetShowBack(false);
        return card;
    };
    FCardBottom = makeCard(0);
    FCardLeft = makeCard(1);
    FCardTop = makeCard(2);
    FCardRight = makeCard(3);
    FPlayedCards.clear();
    resize(Surface().Width(), Surface().Height());
    SetEmpty(false);
}

TKsCardTable::~TKsCardTable() {
    FPlayedCards.clear();
    FGameOptions.reset();
    FCardLeft.reset();
    FCardRight.reset();
    FCardBottom.reset();
    FCardTop.reset();
    FPointList.reset();
    FPlayerList.reset();
}

QPoint TKsCardTable::PositionOffset(int32_t P) {
    switch (P) {
    case 0:
        return {24, 60};
    case 1:
        return {0, 25};
    case 2:
        return {35, 0};
    case 3:
        return {60, 35};
    default:
        return {0, 0};
    }
}

void TKsCardTable::Loaded() {
    TKsCustomCardControl::Loaded();
    if (AutoEmpty()) {
        SetEmpty(true);
        ClearTable(false);
        FNextPos = 0;
    }
}

TKsSingleCard* TKsCardTable::CardAt(int32_t Position) {
    switch (Position) {
    case 0:
        return FCardBottom.get();
    case 1:
        return FCardLeft.get();
    case 2:
        return FCardTop.get();
    case 3:
        return FCardRight.get();
    default:
        return nullptr;
    }
}

void TKsCardTable::SetPlayPosition(int32_t Position) {
    if (Position >= 0 && Position <= 3)
        FNextPos = Position;
}

int32_t TKsCardTable::NextPlayer(int32_t Index) const {
    return Index + 1 == PlayerCount() ? 0 : Index + 1;
}

TKsCardGroup* TKsCardTable::HumanPlayer() const {
    for (int i = 0; i < PlayerCount(); ++i) {
        TKsCardGroup* group = FPlayerList->Items(i).CardGroup;
        if (group && group->Controller() == ctHuman)
            return group;
    }
    return nullptr;
}

int32_t TKsCardTable::StepPos(int32_t Pos) const {
    if (FGameOptions->AutoPosDirection() == tdClockWise)
        return Pos == 3 ? 0 : Pos + 1;
    return Pos == 0 ? 3 : Pos - 1;
}

void TKsCardTable::RedrawCards() {
    if (!Enabled())
        return;
    // Oldest first, so the most recently placed card ends on top.
    int32_t pos = FTopCardPos;
    for (int i = 0; i < 4; ++i) {
        pos = StepPos(pos);
        if (TKsSingleCard* card = CardAt(pos); card && !card->Empty())
            card->Draw(false);
    }
}

void TKsCardTable::RedrawAll(bool) {
    RedrawCards();
}

void TKsCardTable::SetCardBack(TKsCardBackType Value) {
    if (Value == CardBack())
        return;
    TKsCustomCardControl::SetCardBack(Value);
    for (int p : {0, 1, 2, 3})
        CardAt(p)->SetCardBack(Value);
}

void TKsCardTable::SetShowBack(bool Value) {
    TKsCustomCardControl::SetShowBack(Value);
    for (int p : {0, 1, 2, 3})
        CardAt(p)->SetShowBack(Value);
}

void TKsCardTable::SetRandomCards(bool Value) {
    FRandomCards = Value;
    if (Value && !AutoEmpty())
        for (int p : {0, 1, 2, 3})
            CardAt(p)->SetID(KsRandom(52) + 2);
}

void TKsCardTable::DrawCard(TKsSingleCard& Card, bool Direct) {
    const QPoint corner = PositionOffset(Card.Position());
    const TKsRect rect{corner.x(), corner.y(), corner.x() + KsCardWidth, corner.y() + KsCardHeight};
    Card.SetCardRect(rect);
    TKsSurface& s = Surface();
    if (Card.Empty()) {
        s.Fill(rect);
    } else {
        if (const TKsCardImage* picture = Card.ShownImage())
            s.CopyImage(*picture, {0, 0, KsCardWidth, KsCardHeight}, rect);
        if (Card.Negative())
            s.Invert(rect);
    }
    if (Direct)
        Invalidate();
    else
        PaintRect(rect, &Card);
}

void TKsCardTable::mouseReleaseEvent(QMouseEvent* Event) {
    const QPoint p = LayoutPoint(Event->position());
    const Qt::MouseButton button = Event->button();
    KsHandleEvent([&] { MouseUp(button, p.x(), p.y()); });
}
