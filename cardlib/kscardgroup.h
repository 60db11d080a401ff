#pragma once
// A player's cards on screen: a hand, a pile or a one-card slot. Lays its entries out as a
// cascade, answers which entry lies under the mouse, and plays cards to its table.

#include "kscardlist.h"
#include "kscustomcardcontrol.h"

#include <QLabel>
#include <functional>
#include <memory>
#include <vector>

using TKsCardGroupCardClickEvent =
    std::function<void(TKsCardGroup* Sender, TKsSingleCard* Card, int32_t Position, bool& PlayIt,
                       TKsTablePos& TablePos, bool& FaceDown, Qt::MouseButton Button)>;
using TKsCardGroupBeforePlayEvent = std::function<void(TKsCardGroup* Sender, int32_t& Position,
                                                       TKsTablePos& TablePos, bool& FaceDown)>;
using TKsCardGroupAfterPlayEvent =
    std::function<void(TKsCardGroup* Sender, int32_t Position, TKsTablePos TablePos)>;
using TKsCardGroupNotifyEvent = std::function<void(TKsCardGroup* Sender)>;
using TKsCardGroupAfterAddCardEvent =
    std::function<void(TKsCardGroup* Sender, TKsSingleCard* Card)>;
using TKsCardGroupAfterDeleteCardEvent = std::function<void(TKsCardGroup* Sender)>;

// The hand-point cursor, a group's default cursor over its cards.
inline constexpr int16_t crHandPoint = -21;
inline constexpr int16_t crDefault = 0;

class TKsCardGroup : public TKsCustomCardControl {
    Q_OBJECT
public:
    explicit TKsCardGroup(QWidget* Owner);
    ~TKsCardGroup() override;

    TKsCardList& CardList() { return *FCardList; }
    const TKsCardList& CardList() const { return *FCardList; }
    bool Destroying() const { return FDestroying; }

    // Queries
    int32_t Count() const { return FCardList->Count(); }
    TKsSingleCard* GetCard(int32_t Index) const;
    int32_t NonEmptyCount();
    int32_t RandomCardIndex();
    int32_t FindSuit(TKsCardSuitType Suit) const;
    int32_t FirstEmptyIndex() const;
    int32_t CardAtPos(int X, int Y);

    // Changes
    void EmptyAllCards();
    void SortCards(TKsSortStyle Style);
    void PlayCard(int32_t Position, bool FaceDown, TKsTablePos TablePos);
    void PlayTurn();
    void UpdateTightness();
    void RedrawAll(bool Direct) override;
    void DrawCard(TKsSingleCard& Card, bool Direct) override;
    void Loaded() override;

    // Properties
    void SetCardBack(TKsCardBackType Value) override;
    void SetShowBack(bool Value) override;
    void SetSprite(TKsSprite* Value) override;
    TKsCardTable* GroupTable() const override { return FTable; }

    TKsCardTable* Table() const { return FTable; }
    void SetTable(TKsCardTable* Value);
    QLabel* ScoreLabel() const { return FScoreLabel; }
    void SetScoreLabel(QLabel* Value);
    QLabel* PlayerNameLabel() const { return FPlayerNameLabel; }
    void SetPlayerNameLabel(QLabel* Value);
    QLabel* DealerLabel() const { return FDealerLabel; }
    void SetDealerLabel(QLabel* Value);
    int16_t CardCursor() const { return FCardCursor; }
    void SetCardCursor(int16_t Value) { FCardCursor = Value; }
    TKsCascadeStyle CascadeStyle() const { return FCascadeStyle; }
    void SetCascadeStyle(TKsCascadeStyle Value);
    TKsCascadeSide CascadeSide() const { return FCascadeSide; }
    void SetCascadeSide(TKsCascadeSide Value);
    TKsTablePos TablePlayPos() const { return FTablePlayPos; }
    void SetTablePlayPos(TKsTablePos Value) { FTablePlayPos = Value; }
    TKsController Controller() const { return FController; }
    void SetController(TKsController Value) { FController = Value; }
    TKsSortStyle SortStyle() const { return FSortStyle; }
    void SetSortStyle(TKsSortStyle Value);
    TKsSortStyle ShowSortStyle() const { return FShowSortStyle; }
    void SetShowSortStyle(TKsSortStyle Value) { FShowSortStyle = Value; }
    bool ShowOnlyPointCards() const { return FShowOnlyPointCards; }
    void SetShowOnlyPointCards(bool Value) { FShowOnlyPointCards = Value; }
    bool ShowAutoTight() const { return FShowAutoTight; }
    void SetShowAutoTight(bool Value) { FShowAutoTight = Value; }
    bool AutoTight() const { return FAutoTight; }
    void SetAutoTight(bool Value);
    bool RandomCards() const { return FRandomCards; }
    void SetRandomCards(bool Value);
    bool Dealer() const { return FDealer; }
    void SetDealer(bool Value);
    bool Measuring() const { return FMeasuring; }
    int32_t Tightness() const { return FTightness; }
    void SetTightness(int32_t Value);
    int32_t Score() const { return FScore; }
    void SetScore(int32_t Value);
    int32_t PlayDelay() const { return FPlayDelay; }
    void SetPlayDelay(int32_t Value);
    const QString& PlayerName() const { return FPlayerName; }
    void SetPlayerName(const QString& Value);

    TKsCardGroupNotifyEvent AfterScoreChange;
    TKsCardGroupNotifyEvent AfterCardTake; // for users; the library never raises it
    TKsCardGroupBeforePlayEvent BeforePlay;
    TKsCardGroupCardClickEvent OnCardClick;
    TKsCardGroupNotifyEvent AfterUpdate;
    TKsCardGroupAfterPlayEvent AfterPlay;
    TKsCardGroupAfterAddCardEvent AfterAddCard;
    TKsCardGroupAfterDeleteCardEvent AfterDeleteCard;
    TKsCardGroupNotifyEvent OnDealerChange;

    // Toolkit-level notifications raised before the group's own handling.
    std::function<void(TKsCardGroup* Sender, Qt::MouseButton Button, int X, int Y)> OnMouseUp;
    std::function<void(TKsCardGroup* Sender, int X, int Y)> OnMouseMove;

    // Drops another card control on this group: both are locked while the drop handler runs
    // and redrawn afterwards, also when it fails.
    void DragDrop(TKsCustomCardControl& Source, int X, int Y);
    std::function<void(TKsCardGroup* Sender, TKsCustomCardControl* Source, int X, int Y)>
        OnDragDrop;

protected:
    void mouseReleaseEvent(QMouseEvent* Event) override;
    void mouseMoveEvent(QMouseEvent* Event) override;
    void Resize() override;

private:
    // Visits every entry that holds a card: an entry being added has none yet.
    template <class TVisit> void ForEachCard(TVisit&& Visit) const {
        for (int i = 0; i < Count(); ++i)
            if (TKsSingleCard* card = GetCard(i))
                Visit(i, *card);
    }
    bool RedrawnByNext(int Index, const TKsSingleCard& Card) const;
    void MouseUp(Qt::MouseButton Button, int X, int Y);
    void MouseMove(int X, int Y);
    void ApplyCursor(int16_t Cursor);

    std::unique_ptr<TKsCardList> FCardList;
    std::vector<int32_t> FNonEmpty;
    TKsCardTable* FTable = nullptr;
    QLabel* FScoreLabel = nullptr;
    QLabel* FPlayerNameLabel = nullptr;
    int16_t FCardCursor = crHandPoint;
    TKsCascadeStyle FCascadeStyle = csNormal;
    TKsCascadeSide FCascadeSide = csRight;
    TKsTablePos FTablePlayPos = tpAuto;
    TKsController FController = ctComputer;
    TKsSortStyle FSortStyle = soNone;
    TKsSortStyle FShowSortStyle = soNone;
    bool FShowOnlyPointCards = true;
    bool FShowAutoTight = false;
    bool FAutoTight = false;
    bool FRandomCards = false;
    bool FDealer = false;
    bool FMeasuring = false;
    bool FSwitchingAutoTight = false; // the size changes of SetAutoTight's own chain refit nothing
    int32_t FTightness = 16;
    int32_t FScore = 0;
    int32_t FPlayDelay = 0;
    QString FPlayerName;
    QLabel* FDealerLabel = nullptr;
    bool FDestroying = false;
};
