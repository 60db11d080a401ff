#pragma once
// The central pile of a card game: four card positions, the players that play into it, and
// the bookkeeping of tricks and parties.

#include "kscustomcardcontrol.h"
#include "ksgameoptions.h"
#include "kssinglecard.h"

#include <QPoint>
#include <functional>
#include <memory>
#include <vector>

using TKsCardTableNotifyEvent = std::function<void(TKsCardTable* Sender)>;
using TKsCardTableAddCardEvent = std::function<void(
    TKsCardTable* Sender, int32_t PlayedCardsCount, int32_t TopCardPos, TKsSingleCard* TopCard,
    int32_t TopCardID, int32_t PrevCardID, bool OwnedCard)>;
using TKsCardTableBeforeAddCardEvent =
    std::function<void(TKsCardTable* Sender, TKsSingleCard* Card, bool SuitExists, bool& Accept)>;
using TKsCardTableAfterDealtoTableEvent = std::function<void(
    TKsCardTable* Sender, int32_t PlayedCardsCount, int32_t TopCardPos, TKsSingleCard* TopCard)>;
using TKsCardTableCardClickEvent =
    std::function<void(TKsCardTable* Sender, TKsSingleCard* TopCard, bool& TakeIt)>;

struct TKsPointItem {
    int32_t CardID = 14;
    int32_t Points = 1;
};

struct TKsPlayerItem {
    TKsCardGroup* CardGroup = nullptr; // not owned
};

// An owned list of items of one table; the index operator raises the list-index error.
template <class TItem> class TKsTableList {
public:
    explicit TKsTableList(TKsCardTable& Table) : FTable(Table) {}
    TKsCardTable& Table() const { return FTable; }
    int Count() const { return static_cast<int>(FItems.size()); }
    TItem& Add() { return FItems.emplace_back(); }
    TItem& Items(int Index) {
        CheckIndex(Index);
        return FItems[static_cast<size_t>(Index)];
    }
    const TItem& Items(int Index) const {
        CheckIndex(Index);
        return FItems[static_cast<size_t>(Index)];
    }
    void Delete(int Index) {
        CheckIndex(Index);
        FItems.erase(FItems.begin() + Index);
    }
    void Clear() { FItems.clear(); }

private:
    void CheckIndex(int Index) const;
    TKsCardTable& FTable;
    std::vector<TItem> FItems;
};

using TKsPointList = TKsTableList<TKsPointItem>;
using TKsPlayerList = TKsTableList<TKsPlayerItem>;

class TKsCardTable : public TKsCustomCardControl {
    Q_OBJECT
public:
    explicit TKsCardTable(QWidget* Owner);
    ~TKsCardTable() override;

    // Where position card P lies on the table's surface; (0, 0) for any other P.
    static QPoint PositionOffset(int32_t P);

    TKsGameOptions& GameOptions() { return *FGameOptions; }
    const TKsGameOptions& GameOptions() const { return *FGameOptions; }
    TKsPointList& PointList() { return *FPointList; }
    TKsPlayerList& PlayerList() { return *FPlayerList; }
    const TKsPlayerList& PlayerList() const { return *FPlayerList; }

    TKsSingleCard& CardLeft() { return *FCardLeft; }
    TKsSingleCard& CardRight() { return *FCardRight; }
    TKsSingleCard& CardBottom() { return *FCardBottom; }
    TKsSingleCard& CardTop() { return *FCardTop; }
    void SetCardLeft(const TKsSingleCard& Card) { FCardLeft->Assign(&Card); }
    void SetCardRight(const TKsSingleCard& Card) { FCardRight->Assign(&Card); }
    void SetCardBottom(const TKsSingleCard& Card) { FCardBottom->Assign(&Card); }
    void SetCardTop(const TKsSingleCard& Card) { FCardTop->Assign(&Card); }

    TKsVirtualDeck* VirtualDeck() const { return FVirtualDeck; }
    void SetVirtualDeck(TKsVirtualDeck* Deck) { FVirtualDeck = Deck; }
    bool RandomCards() const { return FRandomCards; }
    void SetRandomCards(bool Value);
    void SetCardBack(TKsCardBackType Value) override;
    void SetShowBack(bool Value) override;

    const std::vector<int32_t>& PlayedCards() const { return FPlayedCards; }
    int32_t PlayedCardsCount() const { return static_cast<int32_t>(FPlayedCards.size()); }
    TKsCardSuitType LedSuit() const { return FLedSuit; }
    bool TrumpPlayed() const { return FTrumpPlayed; }
    int32_t CardsLeft() const { return FCardsLeft; }
    int32_t TrickCards() const { return FTrickCards; }
    int32_t NextPos() const { return FNextPos; }
    int32_t CurrentPlayer() const { return FCurrentPlayer; }
    void SetCurrentPlayer(int32_t Value) { FCurrentPlayer = Value; }
    int32_t TopCardID() const { return FTopCardID; }
    int32_t PrevCardID() const { return FPrevCardID; }
    int32_t TopCardPos() const { return FTopCardPos; }

    TKsSingleCard* CardAt(int32_t Position);
    void SetPlayPosition(int32_t Position);
    int32_t PlayerCount() const { return FPlayerList->Count(); }
    int32_t NextPlayer(int32_t Index) const;
    TKsCardGroup* HumanPlayer() const;
    void RedrawCards();

    // Playing onto the table and giving cards back.
    void AcceptCard(TKsSingleCard* Card, bool FaceDown, TKsCardGroup* Group);
    void PlaceCard(int32_t ID, bool FaceDown, TKsCardGroup* Group);
    void GiveCardTo(TKsCardGroup* Group);

    // The party cycle.
    void ClearTable(bool AlsoGroups);
    void PrepareDeck();
    int32_t DrawFromDeck();
    void DealToGroup(TKsCardGroup* Group);
    void DealToPlayers(bool PassDeal);
    void DealToTable();

    void RedrawAll(bool Direct) override;
    void DrawCard(TKsSingleCard& Card, bool Direct) override;
    void Loaded() override;

    TKsCardTableAddCardEvent AfterAddCard;
    TKsCardTableNotifyEvent AfterTrickFinish;
    TKsCardTableNotifyEvent AfterDealingFinish;
    TKsCardTableNotifyEvent AfterPartyFinish;
    TKsCardTableAfterDealtoTableEvent AfterDealToTable;
    TKsCardTableBeforeAddCardEvent BeforeAddCard;
    TKsCardTableCardClickEvent OnCardClick;
    std::function<void(TKsCardTable* Sender, Qt::MouseButton Button, int X, int Y)> OnMouseUp;

protected:
    void mouseReleaseEvent(QMouseEvent* Event) override;

private:
    void MouseUp(Qt::MouseButton Button, int X, int Y);
    int32_t StepPos(int32_t Pos) const;
    void AutoPlayStep();
    // Flies Image from the start point to the destination when the table has a sprite.
    void Fly(int StartX, int StartY, int DestX, int DestY, const TKsCardImage* Image);
    QPoint GroupEntryCorner(TKsCardGroup& Group, int32_t Entry) const;

    std::unique_ptr<TKsGameOptions> FGameOptions;
    std::unique_ptr<TKsPointList> FPointList;
    std::unique_ptr<TKsPlayerList> FPlayerList;
    std::unique_ptr<TKsSingleCard> FCardLeft;
    std::vector<int32_t> FPlayedCards;
    std::unique_ptr<TKsSingleCard> FCardRight;
    std::unique_ptr<TKsSingleCard> FCardBottom;
    std::unique_ptr<TKsSingleCard> FCardTop;
    TKsVirtualDeck* FVirtualDeck = nullptr;
    TKsCardSuitType FLedSuit = stJoker;
    bool FRandomCards = false;
    bool FTrumpPlayed = false;
    int32_t FCardsLeft = 0;
    int32_t FTrickCards = 0;
    int32_t FNextPos = 0;
    int32_t FCurrentPlayer = 0;
    int32_t FTopCardID = -1;
    int32_t FPrevCardID = -2;
    int32_t FTopCardPos = -1;
};
